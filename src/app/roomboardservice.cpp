#include "roomboardservice.h"

#include "db/dbsession.h"
#include "db/sqlquery.h"

namespace {
const QString kRoom = QStringLiteral("手牌号");
}

bool RoomBoardService::isOccupied(const QString& state) {
    return state == QStringLiteral("占用") || state == QStringLiteral("钟点房");
}

QList<RoomBoardService::RoomType> RoomBoardService::pageTypes() const {
    QList<RoomType> out;
    SqlQuery q(m_db, QStringLiteral("select * from 酒店包房类型 order by id"));
    q.exec();
    while (out.size() < kMaxPages && q.next())
        out << RoomType{q.integer(QStringLiteral("id")), q.text(QStringLiteral("包房类型"))};
    return out;
}

QList<RoomBoardService::RoomTile> RoomBoardService::roomsOfType(const QString& type) const {
    QList<RoomTile> out;
    SqlQuery q(m_db,
               QStringLiteral(
                   "select 手牌号,使用状态,主牌 from 酒店手牌表 where 包房类型=:包房类型 order by 手牌号"));
    q.bind(QStringLiteral("包房类型"), type).exec();
    while (q.next())
        out << RoomTile{q.text(0), q.text(1), q.text(2), true};
    return out;
}

RoomBoardService::RoomTile RoomBoardService::room(const QString& room) const {
    SqlQuery q(m_db, QStringLiteral("select 手牌号,使用状态,主牌 from 酒店手牌表 where 手牌号=:手牌号"));
    q.bind(kRoom, room).exec();
    if (!q.next())
        return {};
    return RoomTile{q.text(0), q.text(1), q.text(2), true};
}

RoomBoardService::RoomInfo RoomBoardService::roomInfo(const QString& room) const {
    RoomInfo info;
    SqlQuery q(m_db, QStringLiteral("select * from 酒店手牌表 where 手牌号=:手牌号"));
    q.bind(kRoom, room).exec();
    if (!q.next())
        return info;
    info.found = true;
    info.room = q.text(kRoom);
    info.type = q.text(QStringLiteral("包房类型"));
    info.state = q.text(QStringLiteral("使用状态"));
    info.deposit = q.money(QStringLiteral("押金"));
    info.mainRoom = q.text(QStringLiteral("主牌"));
    info.occupied = isOccupied(info.state);
    if (!info.occupied)
        return info;
    SqlQuery g(m_db, QStringLiteral("select * from 酒店手牌表 where 手牌号=:手牌号"));
    g.bind(kRoom, info.mainRoom).exec();
    if (g.next()) {
        info.checkInTime = g.text(QStringLiteral("开单时间"));
        info.guestName = g.text(QStringLiteral("主客姓名"));
        info.guests = g.text(QStringLiteral("宾客人数"));
        info.idType = g.text(QStringLiteral("证件类型"));
        info.idNumber = g.text(QStringLiteral("证件号码"));
        info.phone = g.text(QStringLiteral("联系电话"));
        info.company = g.text(QStringLiteral("公司名称"));
        info.remark = g.text(QStringLiteral("备注"));
    }
    return info;
}

QList<RoomBoardService::BillLine> RoomBoardService::billLines(const QString& room) const {
    QList<BillLine> out;
    SqlQuery q(m_db, QStringLiteral("select 消费项目,单价,消费数量,金额,主牌,消费时间 from 店内消费记录 "
                                    "where 手牌号=:手牌号 order by 消费时间, ID"));
    q.bind(kRoom, room).exec();
    while (q.next())
        out << BillLine{q.text(0), q.money(1), q.money(2), q.money(3), q.text(4), q.text(5)};
    return out;
}

RoomBoardService::Takings RoomBoardService::takings() const {
    Takings t;
    SqlQuery q(m_db,
               QStringLiteral("select sum(现金收取) as 现金收入,sum(会员卡收取) as 储值卡收入,"
                              "sum(代金卷收取) as 代金卷收入,sum(信用卡收取) as 信用卡收入 from 消费主表 "
                              "where 交班完毕<>:交班完毕"));
    q.bind(QStringLiteral("交班完毕"), QStringLiteral("是")).exec();
    if (q.next())
        t.taken = q.money(QStringLiteral("现金收入"));
    SqlQuery open(m_db, QStringLiteral("select sum(金额) as cc from 店内消费记录"));
    open.exec();
    if (open.next())
        t.open = open.money(QStringLiteral("cc"));
    return t;
}

RoomBoardService::Counts RoomBoardService::counts() const {
    Counts c;
    SqlQuery all(m_db, QStringLiteral("select count(*) as cc from 酒店手牌表"));
    all.exec();
    if (all.next())
        c.rooms = all.integer(QStringLiteral("cc"));
    SqlQuery occ(
        m_db, QStringLiteral(
                  "select count(*) as cc from 酒店手牌表 where 使用状态=:使用状态1 or 使用状态=:使用状态2"));
    occ.bind(QStringLiteral("使用状态1"), QStringLiteral("占用"))
        .bind(QStringLiteral("使用状态2"), QStringLiteral("钟点房"))
        .exec();
    if (occ.next())
        c.occupied = occ.integer(QStringLiteral("cc"));
    return c;
}

QList<RoomBoardService::Call> RoomBoardService::callsOn(const QDate& day) const {
    QList<Call> out;
    SqlQuery q(m_db,
               QStringLiteral("select * from 来电历史记录表 where 来电日期=:来电日期 order by 来电时间"));
    q.bind(QStringLiteral("来电日期"), day).exec();
    while (q.next()) {
        const QDateTime t = q.dateTime(QStringLiteral("来电时间"));
        out << Call{q.text(QStringLiteral("电话号码")),
                    t.isValid() ? t.toString(QStringLiteral("HH:mm:ss")) : QString(),
                    q.text(QStringLiteral("客户名称")), q.text(QStringLiteral("处理结果")),
                    q.text(QStringLiteral("录音文件"))};
    }
    return out;
}
