#include "cashdrawer.h"

#include "core/hotelerror.h"
#include "core/inifile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

QString CashDrawer::devicePath(const QString& port) const {
    static const QRegularExpression named(QStringLiteral("^(LPT|COM)([1-9])$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = named.match(port.trimmed());
    if (!m.hasMatch())
        return port;
    const QString name = port.trimmed().toUpper();
    const int n = m.captured(2).toInt() - 1;
    const QString fallback =
        (m.captured(1).toUpper() == QStringLiteral("LPT") ? QStringLiteral("/dev/lp")
                                                          : QStringLiteral("/dev/ttyS")) +
        QString::number(n);
    if (m_home.isEmpty())
        return fallback;
    return IniFile(QDir(m_home).filePath(QStringLiteral("sz.ini")))
        .setting(name, QStringLiteral("类型"), fallback);
}

bool CashDrawer::open(const QString& port) const {
    QFile f(devicePath(port));
    static const char pulse[] = {27, 112, 0, 60, char(255)};
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text) ||
        f.write(pulse, sizeof pulse) != qint64(sizeof pulse) || !f.flush()) {
        const QString why = f.errorString();
        throw HotelError(kError + u'\r' + why);
    }
    f.close();
    return true;
}
