#include "hotelhome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace HotelHome {

QString resolve(const QString& fromCommandLine) {
    if (!fromCommandLine.isEmpty())
        return QDir(fromCommandLine).absolutePath();
    const QString env = qEnvironmentVariable("HOTEL_HOME");
    if (!env.isEmpty())
        return QDir(env).absolutePath();
    if (QCoreApplication::instance()) {
        const QDir exe(QCoreApplication::applicationDirPath());
        if (QFileInfo::exists(exe.filePath(QStringLiteral("kf.ini"))) ||
            QFileInfo::exists(exe.filePath(QStringLiteral("mr.db"))))
            return exe.absolutePath();
    }
    QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (xdg.isEmpty())
        xdg = QDir::home().filePath(QStringLiteral(".local/share"));
    return QDir(xdg).filePath(QStringLiteral("hotel"));
}

} // namespace HotelHome
