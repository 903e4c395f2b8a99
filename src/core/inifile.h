#pragma once

#include <QList>
#include <QString>

// A Windows-style settings file in which every setting is a section with one fixed key.
// Kept in the encoding it was found in (GBK or UTF-8); a new file is UTF-8.
class IniFile {
public:
    static inline const QString Default = QStringLiteral("default");

    explicit IniFile(QString path);

    const QString& path() const { return m_path; }
    bool exists() const;
    bool isGbk() const { return m_gbk; }

    // The raw read: the stored text, or `fallback` ("default") when the section or key is missing.
    QString read(const QString& section, const QString& key, const QString& fallback = Default) const;
    // The settings read: a missing section or key, or the stored text "default", gives `defaultValue`;
    // a present but empty value gives an empty text.
    QString setting(const QString& section, const QString& key, const QString& defaultValue) const;

    // Sets the value and writes the file at once; throws HotelError when it cannot be written.
    void write(const QString& section, const QString& key, const QString& value);

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        QList<Entry> entries;
    };
    void load();
    void save() const;

    QString m_path;
    bool m_gbk = false;
    bool m_hadBom = false;
    QList<Section> m_sections;
};
