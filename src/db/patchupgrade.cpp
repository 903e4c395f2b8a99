#include "patchupgrade.h"

#include "core/hotelerror.h"
#include "dbsession.h"
#include "sqlquery.h"

#include <algorithm>

namespace PatchUpgrade {

QString normalise(const QString& version) { return QString(version).remove(u'.').trimmed(); }

Result run(const DbSession& main, const DbSession& patch) {
    Result r;
    const QString kind = main.patchKind();

    // Versions are compared without their dots, so the range is taken here rather than in SQL.
    struct Command {
        QString version;
        QString sql;
    };
    QList<Command> commands;
    SqlQuery all(patch, QStringLiteral("select 版本号, sql语句 from 命令表 where 数据库=:数据库"));
    all.bind(QStringLiteral("数据库"), kind).exec();
    while (all.next())
        commands.append({normalise(all.text(0)), all.text(1)});
    for (const Command& c : commands)
        r.targetVersion = std::max(r.targetVersion, c.version);

    SqlQuery stored(main, QStringLiteral("select * from 版本号"));
    stored.exec();
    if (stored.next())
        r.storedVersion = normalise(stored.text(QStringLiteral("版本号")));
    // An open read statement would keep a SQLite snapshot that the write transaction below cannot
    // upgrade once another station has written ("database is locked" at once, without waiting).
    stored.raw().finish();
    if (r.storedVersion.isEmpty())
        r.storedVersion = kBaseVersion;

    std::stable_sort(commands.begin(), commands.end(),
                     [](const Command& a, const Command& b) { return a.version < b.version; });
    for (const Command& c : commands) {
        if (!(c.version > r.storedVersion && c.version <= r.targetVersion))
            continue;
        try {
            main.exec(c.sql);
            ++r.executed;
        } catch (const HotelError&) {
            ++r.failed; // an upgrade command that fails is skipped
        }
    }

    Transaction tx(main);
    main.exec(QStringLiteral("delete from 版本号"));
    SqlQuery(main, QStringLiteral("insert into 版本号 (版本号) values (:版本号)"))
        .bind(QStringLiteral("版本号"), r.targetVersion)
        .exec();
    tx.commit();
    return r;
}

} // namespace PatchUpgrade
