#include "billnumbers.h"

#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"

namespace {
constexpr int kAttempts = 50;
}

QString BillNumbers::following(const QString& maxOfDay, const QDate& day) {
    const QString prefix = day.toString(QStringLiteral("yyyyMMdd"));
    if (maxOfDay.isEmpty() || maxOfDay.left(8) != prefix)
        return prefix + QStringLiteral("0001");
    bool ok = false;
    const qlonglong n = maxOfDay.toLongLong(&ok);
    if (!ok)
        throw HotelError(QStringLiteral("流水号“%1”不是数字").arg(maxOfDay));
    return QString::number(n + 1);
}

BillNumbers::Numbers BillNumbers::next(const DbSession& db, const QDate& day) {
    Numbers n;
    SqlQuery q(db, QStringLiteral("select max(流水号) as cc from 消费主表 where 流水号 like :前缀"));
    q.bind(QStringLiteral("前缀"), day.toString(QStringLiteral("yyyyMMdd")) + u'%').exec();
    n.billNo = following(q.next() ? q.text(0) : QString(), day);
    SqlQuery t(db, QStringLiteral("select max(总流水号) as cc from 消费主表"));
    t.exec();
    n.totalNo = (t.next() && !t.value(0).isNull() ? t.value(0).toLongLong() : 0) + 1;
    return n;
}

BillNumbers::Numbers BillNumbers::insertWithRetry(const DbSession& db, const QDate& day,
                                                  const std::function<void(const Numbers&)>& insertHeader) {
    for (int attempt = 1;; ++attempt) {
        const Numbers n = next(db, day);
        db.exec(QStringLiteral("SAVEPOINT bill_header"));
        try {
            insertHeader(n);
            db.exec(QStringLiteral("RELEASE SAVEPOINT bill_header"));
            return n;
        } catch (const HotelError&) {
            db.exec(QStringLiteral("ROLLBACK TO SAVEPOINT bill_header"));
            db.exec(QStringLiteral("RELEASE SAVEPOINT bill_header"));
            // Only a number another station took meanwhile is worth another try.
            SqlQuery c(db, QStringLiteral(
                               "select count(*) from 消费主表 where 流水号=:流水号 or 总流水号=:总流水号"));
            c.bind(QStringLiteral("流水号"), n.billNo).bind(QStringLiteral("总流水号"), n.totalNo).exec();
            const bool taken = c.next() && c.value(0).toLongLong() > 0;
            if (!taken || attempt >= kAttempts)
                throw;
        }
    }
}
