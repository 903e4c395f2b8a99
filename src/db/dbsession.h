#pragma once

#include <QSqlDatabase>
#include <QString>

// One open database connection and the engine behind it. The main database may be
// SQLite (standalone) or PostgreSQL (network mode); patch and scratch are always SQLite.
class DbSession {
public:
    enum class Dialect { SQLite, PostgreSQL };

    struct ServerParams {
        QString host; // host name, or a folder holding the server's socket
        int port = 0; // 0: libpq's default ($PGPORT, then 5432)
        QString user;
        QString password;
        QString database;
    };

    DbSession() = default;
    // Opens (and creates when missing) a SQLite file: WAL, busy timeout, foreign keys off.
    static DbSession openSqlite(const QString& path, const QString& connectionName);
    static DbSession openPostgres(const ServerParams& params, const QString& connectionName);
    // "host" or "host:port"; a leading "/" is a socket folder.
    static ServerParams parseServer(const QString& server);

    bool isValid() const { return !m_name.isEmpty(); }
    Dialect dialect() const { return m_dialect; }
    bool isSqlite() const { return m_dialect == Dialect::SQLite; }
    bool isPostgres() const { return m_dialect == Dialect::PostgreSQL; }
    const QString& connectionName() const { return m_name; }
    QSqlDatabase database() const;
    // "access" for the embedded engine, "sql" for the server: the kind of patch commands it takes.
    QString patchKind() const { return isSqlite() ? QStringLiteral("access") : QStringLiteral("sql"); }

    // Runs one statement without parameters; throws HotelError with the database's text.
    void exec(const QString& sql) const;
    bool tableExists(const QString& table) const;
    QStringList columns(const QString& table) const;

    void close();

private:
    DbSession(QString name, Dialect d) : m_name(std::move(name)), m_dialect(d) {}
    QString m_name;
    Dialect m_dialect = Dialect::SQLite;
};

// A write transaction; rolled back unless committed. SQLite writers begin IMMEDIATE so that
// two stations never both read and then fail on the write lock.
class Transaction {
public:
    explicit Transaction(const DbSession& session);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();
    void rollback();

private:
    const DbSession& m_session;
    bool m_open = false;
};
