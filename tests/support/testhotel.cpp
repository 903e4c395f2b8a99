#include "testhotel.h"

#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "core/inifile.h"
#include "core/sixbit.h"
#include "db/sqlquery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

int g_counter = 0;

DbSession::ServerParams serverParams(const QString& database) {
    DbSession::ServerParams p;
    p.host = qEnvironmentVariable("HOTEL_TEST_PGHOST");
    p.port = qEnvironmentVariableIntValue("HOTEL_TEST_PGPORT");
    p.user = qEnvironmentVariable("HOTEL_TEST_PGUSER", QStringLiteral("postgres"));
    p.database = database;
    return p;
}

void adminExec(const QString& sql) {
    const QString name = QStringLiteral("test_admin");
    {
        DbSession admin = DbSession::openPostgres(serverParams(QStringLiteral("postgres")), name);
        admin.exec(sql);
        admin.close();
    }
}

} // namespace

bool TestHotel::usePostgres() { return qEnvironmentVariable("HOTEL_TEST_ENGINE") == QStringLiteral("pg"); }

bool TestHotel::available(QString* why) {
    if (!usePostgres())
        return true;
    if (qEnvironmentVariable("HOTEL_TEST_PGHOST").isEmpty()) {
        *why = QStringLiteral("no PostgreSQL test cluster: run scripts/test (HOTEL_TEST_PGHOST is not set)");
        return false;
    }
    return true;
}

TestHotel::TestHotel() {
    if (!m_dir.isValid())
        throw HotelError(QStringLiteral("cannot create a temporary folder"));
    m_home = m_dir.path();
    AppSettings::instance() = AppSettings();
    if (usePostgres()) {
        m_pgDatabase = QStringLiteral("hotel_t%1_%2_%3")
                           .arg(QCoreApplication::applicationPid())
                           .arg(++g_counter)
                           .arg(QRandomGenerator::global()->bounded(100000));
        adminExec(QStringLiteral("CREATE DATABASE ") + m_pgDatabase + QStringLiteral(" ENCODING 'UTF8' TEMPLATE template0"));
        IniFile kf(QDir(m_home).filePath(QStringLiteral("kf.ini")));
        const DbSession::ServerParams p = serverParams(m_pgDatabase);
        QString server = p.host;
        if (p.port > 0)
            server += u':' + QString::number(p.port);
        kf.write(QStringLiteral("运行模式"), QStringLiteral("值"), QStringLiteral("网络版"));
        kf.write(QStringLiteral("服务器"), QStringLiteral("值"), server);
        kf.write(QStringLiteral("用户名"), QStringLiteral("值"), p.user);
        kf.write(QStringLiteral("密码"), QStringLiteral("值"), SixBit::encodeText(QString()));
        kf.write(QStringLiteral("数据库名"), QStringLiteral("值"), m_pgDatabase);
    }
    m_dm = std::make_unique<TDM>(m_home, QStringLiteral("test%1").arg(++g_counter));
}

TestHotel::~TestHotel() {
    m_dm.reset();
    if (!m_pgDatabase.isEmpty()) {
        try {
            adminExec(QStringLiteral("DROP DATABASE IF EXISTS ") + m_pgDatabase + QStringLiteral(" WITH (FORCE)"));
        } catch (const HotelError&) {
            // A database left behind goes with the test cluster.
        }
    }
}

void TestHotel::writeFile(const QString& name, const QByteArray& bytes) const {
    QFile f(QDir(m_home).filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw HotelError(QStringLiteral("cannot write ") + name);
}

void TestHotel::reopen() {
    m_dm.reset();
    m_dm = std::make_unique<TDM>(m_home, QStringLiteral("test%1").arg(++g_counter));
}

QString TestHotel::scalar(const QString& sql) const {
    SqlQuery q(db(), sql);
    q.exec();
    return q.next() ? q.text(0) : QString();
}
