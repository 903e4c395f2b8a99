#include "dbsession.h"

#include "core/hotelerror.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

[[noreturn]] void fail(const QString& what, const QSqlError& e) {
    QString text = e.databaseText().trimmed();
    if (text.isEmpty())
        text = e.text().trimmed();
    throw HotelError(what.isEmpty() ? text : what + QStringLiteral("：") + text);
}

} // namespace

DbSession DbSession::openSqlite(const QString& path, const QString& connectionName) {
    if (QSqlDatabase::contains(connectionName))
        QSqlDatabase::removeDatabase(connectionName);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open())
        fail(QStringLiteral("无法打开数据库 %1").arg(path), db.lastError());
    DbSession s(connectionName, Dialect::SQLite);
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    q.exec(QStringLiteral("PRAGMA foreign_keys=OFF"));
    return s;
}

DbSession DbSession::openPostgres(const ServerParams& p, const QString& connectionName) {
    if (QSqlDatabase::contains(connectionName))
        QSqlDatabase::removeDatabase(connectionName);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    db.setHostName(p.host);
    if (p.port > 0)
        db.setPort(p.port);
    db.setUserName(p.user);
    db.setPassword(p.password);
    db.setDatabaseName(p.database);
    db.setConnectOptions(QStringLiteral("connect_timeout=5"));
    // Sums of money come back as numeric: keep them exact.
    db.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!db.open()) {
        const QSqlError e = db.lastError();
        QSqlDatabase::removeDatabase(connectionName);
        fail(QString(), e);
    }
    DbSession s(connectionName, Dialect::PostgreSQL);
    s.exec(QStringLiteral("SET client_min_messages TO WARNING"));
    return s;
}

DbSession::ServerParams DbSession::parseServer(const QString& server) {
    ServerParams p;
    QString s = server.trimmed();
    // "host:port" or "/socket/folder:port"
    const int colon = s.lastIndexOf(u':');
    if (colon > 0) {
        bool ok = false;
        const int port = s.mid(colon + 1).toInt(&ok);
        if (ok) {
            p.port = port;
            s = s.left(colon);
        }
    }
    p.host = s;
    return p;
}

QSqlDatabase DbSession::database() const { return QSqlDatabase::database(m_name, false); }

void DbSession::exec(const QString& sql) const {
    QSqlQuery q(database());
    if (!q.exec(sql))
        fail(QString(), q.lastError());
}

bool DbSession::tableExists(const QString& table) const {
    QSqlQuery q(database());
    if (isSqlite()) {
        q.prepare(QStringLiteral("select 1 from sqlite_master where type='table' and name=?"));
    } else {
        q.prepare(QStringLiteral(
            "select 1 from information_schema.tables where table_schema=current_schema() and table_name=?"));
    }
    q.addBindValue(table);
    if (!q.exec())
        fail(QString(), q.lastError());
    return q.next();
}

QStringList DbSession::columns(const QString& table) const {
    QStringList out;
    const QSqlRecord r = database().record(table);
    for (int i = 0; i < r.count(); ++i)
        out << r.fieldName(i);
    return out;
}

void DbSession::close() {
    if (m_name.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_name.clear();
}

Transaction::Transaction(const DbSession& session) : m_session(session) {
    m_session.exec(m_session.isSqlite() ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
    m_open = true;
}

Transaction::~Transaction() {
    if (m_open) {
        try {
            m_session.exec(QStringLiteral("ROLLBACK"));
        } catch (const HotelError&) {
            // The connection is gone; there is nothing left to undo.
        }
    }
}

void Transaction::commit() {
    m_session.exec(QStringLiteral("COMMIT"));
    m_open = false;
}

void Transaction::rollback() {
    if (m_open) {
        m_open = false;
        m_session.exec(QStringLiteral("ROLLBACK"));
    }
}
