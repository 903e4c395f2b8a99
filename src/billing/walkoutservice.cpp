#include "walkoutservice.h"

#include "core/hotelerror.h"
#include "core/money.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"

QString WalkoutService::mainRoomOf(const QString& room) const {
    SqlQuery q(m_db, QStringLiteral("select 主牌 from 酒店手牌表 where 手牌号=:手牌号"));
    q.bind(QStringLiteral("手牌号"), room).exec();
    return q.next() ? q.text(0) : QString();
}

QStringList WalkoutService::partners(const QString& room) const {
    const QString main = mainRoomOf(room);
    QStringList out;
    if (main.isEmpty())
        return out;
    SqlQuery q(
        m_db,
        QStringLiteral("select 手牌号 from 酒店手牌表 where 主牌=:主牌 and 手牌号<>:手牌号 order by 手牌号"));
    q.bind(QStringLiteral("主牌"), main).bind(QStringLiteral("手牌号"), room).exec();
    while (q.next())
        out << q.text(0);
    return out;
}

void WalkoutService::walkOut(const QString& room, const QString& partner) const {
    if (partner.isEmpty())
        throw HotelError(QStringLiteral("没有可寄托的主单"));
    Transaction tx(m_db);
    // Read inside the transaction: the group may have changed since the window opened.
    if (!partners(room).contains(partner))
        throw HotelError(QStringLiteral("没有可寄托的主单"));
    const QString main = mainRoomOf(room);
    SqlQuery(m_db, QStringLiteral("update 店内消费记录 set 手牌号=:手牌号1 where 手牌号=:手牌号2"))
        .bind(QStringLiteral("手牌号1"), partner)
        .bind(QStringLiteral("手牌号2"), room)
        .exec();
    if (room == main)
        SqlQuery(m_db, QStringLiteral("update 店内消费记录 set 主牌=:主牌1 where 主牌=:主牌2"))
            .bind(QStringLiteral("主牌1"), partner)
            .bind(QStringLiteral("主牌2"), room)
            .exec();
    SqlQuery(m_db, QStringLiteral("update 酒店手牌表 set 使用状态=:使用状态,主牌=:主牌 where 手牌号=:手牌号"))
        .bind(QStringLiteral("使用状态"), QStringLiteral("空闲"))
        .bind(QStringLiteral("主牌"), QString())
        .bind(QStringLiteral("手牌号"), room)
        .exec();
    // The deposit goes with the bill: the partner's check-out deducts or refunds it. Read after the
    // room's row is taken above, and added to the partner's, which may change meanwhile.
    SqlQuery d(m_db, QStringLiteral("select 押金 from 酒店手牌表 where 手牌号=:手牌号"));
    d.bind(QStringLiteral("手牌号"), room).exec();
    const Money deposit = d.next() ? d.money(0) : Money();
    if (!deposit.isZero()) {
        SqlQuery(m_db,
                 QStringLiteral("update 酒店手牌表 set 押金=coalesce(押金,0)+:押金 where 手牌号=:手牌号"))
            .bind(QStringLiteral("押金"), deposit)
            .bind(QStringLiteral("手牌号"), partner)
            .exec();
        SqlQuery(m_db, QStringLiteral("update 酒店手牌表 set 押金=:押金 where 手牌号=:手牌号"))
            .bind(QStringLiteral("押金"), Money())
            .bind(QStringLiteral("手牌号"), room)
            .exec();
    }
    if (room == main)
        SqlQuery(m_db, QStringLiteral("update 酒店手牌表 set 主牌=:主牌1 where 主牌=:主牌2"))
            .bind(QStringLiteral("主牌1"), partner)
            .bind(QStringLiteral("主牌2"), room)
            .exec();
    tx.commit();
}
