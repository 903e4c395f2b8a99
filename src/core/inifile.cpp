#include "inifile.h"

#include "hotelerror.h"
#include "textcodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

IniFile::IniFile(QString path) : m_path(std::move(path)) { load(); }

bool IniFile::exists() const { return QFileInfo::exists(m_path); }

void IniFile::load() {
    m_sections.clear();
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = f.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        m_hadBom = true;
        bytes.remove(0, 3);
    }
    QString text;
    if (TextCodec::isValidUtf8(bytes)) {
        text = QString::fromUtf8(bytes);
    } else {
        m_gbk = true;
        text = TextCodec::fromGbk(bytes);
    }
    const QStringList lines = text.split(u'\n');
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            m_sections.append({line.mid(1, line.size() - 2).trimmed(), {}});
            continue;
        }
        const int eq = line.indexOf(u'=');
        if (eq < 0 || m_sections.isEmpty())
            continue;
        m_sections.last().entries.append({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
}

QString IniFile::read(const QString& section, const QString& key, const QString& fallback) const {
    for (const Section& s : m_sections) {
        if (s.name.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        for (const Entry& e : s.entries) {
            if (e.key.compare(key, Qt::CaseInsensitive) == 0)
                return e.value;
        }
    }
    return fallback;
}

QString IniFile::setting(const QString& section, const QString& key, const QString& defaultValue) const {
    const QString v = read(section, key, Default);
    return v == Default ? defaultValue : v;
}

void IniFile::write(const QString& section, const QString& key, const QString& value) {
    Section* target = nullptr;
    for (Section& s : m_sections) {
        if (s.name.compare(section, Qt::CaseInsensitive) == 0) {
            target = &s;
            break;
        }
    }
    if (!target) {
        m_sections.append({section, {}});
        target = &m_sections.last();
    }
    bool found = false;
    for (Entry& e : target->entries) {
        if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
            e.value = value;
            found = true;
            break;
        }
    }
    if (!found)
        target->entries.append({key, value});
    save();
}

void IniFile::save() const {
    QString text;
    for (const Section& s : m_sections) {
        text += u'[' + s.name + QStringLiteral("]\r\n");
        for (const Entry& e : s.entries)
            text += e.key + u'=' + e.value + QStringLiteral("\r\n");
        text += QStringLiteral("\r\n");
    }
    QByteArray bytes = m_gbk ? TextCodec::toGbk(text) : text.toUtf8();
    if (m_hadBom && !m_gbk)
        bytes.prepend("\xEF\xBB\xBF");
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw HotelError(QStringLiteral("无法写入设置文件 %1：%2").arg(m_path, f.errorString()));
}
