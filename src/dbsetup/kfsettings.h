#pragma once

#include <QString>
#include <QStringList>

// The connection settings of kf.ini: run mode and server login. The password is kept here in
// plain text and stored six-bit encoded, each setting under the key "值" of its own section.
struct KfSettings {
    QString mode = QStringLiteral("单机版"); // "单机版" or "网络版"
    QString server, user, password, database;

    static QString filePath(const QString& home);
    // Reads kf.ini of the hotel folder; a missing file gives the defaults.
    static KfSettings load(const QString& home);
    // Writes every setting; throws HotelError when the file cannot be written.
    void save(const QString& home) const;
    // "名称<TAB>值" lines of what is stored, the password masked.
    QStringList describe() const;
    // Tries to reach the server; empty on success, else the database's own text.
    QString testConnection() const;
};
