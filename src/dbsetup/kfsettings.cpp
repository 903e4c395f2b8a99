#include "kfsettings.h"

#include "core/hotelerror.h"
#include "core/inifile.h"
#include "core/sixbit.h"
#include "db/dbsession.h"

#include <QDir>

namespace {
const QString kKey = QStringLiteral("值");
}

QString KfSettings::filePath(const QString& home) {
    return QDir(home).filePath(QStringLiteral("kf.ini"));
}

KfSettings KfSettings::load(const QString& home) {
    const IniFile kf(filePath(home));
    KfSettings s;
    s.mode = kf.setting(QStringLiteral("运行模式"), kKey, QStringLiteral("单机版"));
    if (s.mode != QStringLiteral("网络版"))
        s.mode = QStringLiteral("单机版");
    s.server = kf.setting(QStringLiteral("服务器"), kKey, QString());
    s.user = kf.setting(QStringLiteral("用户名"), kKey, QString());
    s.password = SixBit::decodeText(kf.setting(QStringLiteral("密码"), kKey, QString()));
    s.database = kf.setting(QStringLiteral("数据库名"), kKey, QString());
    return s;
}

void KfSettings::save(const QString& home) const {
    if (!QDir().mkpath(home))
        throw HotelError(QStringLiteral("无法创建酒店数据目录 %1").arg(home));
    IniFile kf(filePath(home));
    kf.write(QStringLiteral("运行模式"), kKey, mode);
    kf.write(QStringLiteral("服务器"), kKey, server);
    kf.write(QStringLiteral("用户名"), kKey, user);
    kf.write(QStringLiteral("密码"), kKey, SixBit::encodeText(password));
    kf.write(QStringLiteral("数据库名"), kKey, database);
}

QStringList KfSettings::describe() const {
    return {QStringLiteral("运行模式\t") + mode, QStringLiteral("服务器\t") + server,
            QStringLiteral("用户名\t") + user, QStringLiteral("密码\t") + QString(password.size(), u'*'),
            QStringLiteral("数据库名\t") + database};
}

QString KfSettings::testConnection() const {
    DbSession::ServerParams p = DbSession::parseServer(server);
    p.user = user;
    p.password = password;
    p.database = database;
    try {
        DbSession s = DbSession::openPostgres(p, QStringLiteral("dbsetup_test"));
        s.close();
    } catch (const HotelError& e) {
        return e.message().isEmpty() ? QStringLiteral("连接失败") : e.message();
    }
    return QString();
}
