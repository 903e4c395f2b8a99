#include "clicommand.h"
#include "clitable.h"
#include "core/hotelerror.h"
#include "db/sqlquery.h"
#include "db/tdm.h"

namespace {

const QString kOnlySelect = QStringLiteral("只允许执行一条只读的 select 查询语句");

// One statement that starts as a query; the read-only transaction below is what actually
// keeps "with … delete" and functions with side effects from changing anything.
QString checkedStatement(const QString& text) {
    QString sql = text.trimmed();
    while (sql.endsWith(u';'))
        sql = sql.chopped(1).trimmed();
    if (sql.isEmpty() || sql.contains(u';'))
        throw HotelError(kOnlySelect);
    int end = 0;
    while (end < sql.size() && sql[end].isLetter())
        ++end;
    const QString first = sql.left(end).toLower();
    if (first != QStringLiteral("select") && first != QStringLiteral("with"))
        throw HotelError(kOnlySelect);
    return sql;
}

// Holds the connection read-only for the life of the object and undoes whatever was begun.
class ReadOnlyScope {
public:
    explicit ReadOnlyScope(const DbSession& db) : m_db(db) {
        if (db.isSqlite()) {
            db.exec(QStringLiteral("PRAGMA query_only=ON"));
            db.exec(QStringLiteral("BEGIN"));
        } else {
            db.exec(QStringLiteral("BEGIN READ ONLY"));
        }
    }
    ~ReadOnlyScope() {
        try {
            m_db.exec(QStringLiteral("ROLLBACK"));
            if (m_db.isSqlite())
                m_db.exec(QStringLiteral("PRAGMA query_only=OFF"));
        } catch (const HotelError&) {
            // The connection closes right after; nothing was written.
        }
    }
    ReadOnlyScope(const ReadOnlyScope&) = delete;
    ReadOnlyScope& operator=(const ReadOnlyScope&) = delete;

private:
    const DbSession& m_db;
};

int run(CliContext& ctx) {
    if (ctx.args.size() != 1)
        throw HotelError(QStringLiteral("用法：hotelctl sql \"select …\""));
    const QString sql = checkedStatement(ctx.args.first());
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        ReadOnlyScope readOnly(dm.main());
        SqlQuery q(dm.main(), sql);
        q.exec();
        CliTable::printQuery(q, CliTable::moneyColumnsFor(sql), ctx.out);
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    return 0;
}

const CliCommand::Registrar reg(QStringLiteral("sql"),
                                QStringLiteral("sql \"select …\"   只读查询主数据库，制表符分隔输出"), run);

} // namespace
