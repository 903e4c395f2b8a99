#include "roomstatusservice.h"

#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"
#include "roomboardservice.h"

QStringList RoomStatusService::settableStates() {
    return {QStringLiteral("空闲"), QStringLiteral("停用"), QStringLiteral("脏台"), QStringLiteral("预定"),
            QStringLiteral("长包房")};
}

void RoomStatusService::setState(const QString& room, const QString& newState) const {
    if (!settableStates().contains(newState))
        throw HotelError(QStringLiteral("房间状态不正确：%1").arg(newState));
    const QString now = state(room);
    // Another workstation may have checked the room in since the board showed it.
    if (RoomBoardService::isOccupied(now))
        throw HotelError(QStringLiteral("该房间目前状态为：") + now + QStringLiteral("，无法更改其状态"));
    SqlQuery(m_db, QStringLiteral("update 酒店手牌表 set 使用状态=:使用状态 where 手牌号=:手牌号"))
        .bind(QStringLiteral("使用状态"), newState)
        .bind(QStringLiteral("手牌号"), room)
        .exec();
}

QString RoomStatusService::state(const QString& room) const {
    SqlQuery q(m_db, QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:手牌号"));
    q.bind(QStringLiteral("手牌号"), room).exec();
    return q.next() ? q.text(0) : QString();
}

QStringList RoomStatusService::roomTypes() const {
    QStringList out;
    SqlQuery q(m_db, QStringLiteral("select * from 酒店包房类型 order by id"));
    q.exec();
    while (q.next())
        out << q.text(QStringLiteral("包房类型"));
    return out;
}

QStringList RoomStatusService::idleRooms(const QString& type) const {
    QStringList out;
    const bool all = type.isEmpty();
    SqlQuery q(
        m_db, all ? QStringLiteral("select * from 酒店手牌表 where 使用状态=:使用状态 order by 手牌号")
                  : QStringLiteral("select * from 酒店手牌表 where 使用状态=:使用状态 and 包房类型=:包房类型 "
                                   "order by 手牌号"));
    q.bind(QStringLiteral("使用状态"), QStringLiteral("空闲"));
    if (!all)
        q.bind(QStringLiteral("包房类型"), type);
    q.exec();
    while (q.next())
        out << q.text(QStringLiteral("手牌号"));
    return out;
}

QString RoomStatusService::checkInTime(const QString& room) const {
    SqlQuery q(m_db, QStringLiteral("select * from 酒店手牌表 where 手牌号=:手牌号"));
    q.bind(QStringLiteral("手牌号"), room).exec();
    return q.next() ? q.text(QStringLiteral("开单时间")) : QString();
}
