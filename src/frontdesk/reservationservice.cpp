#include "reservationservice.h"

#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"

namespace {

void checkGuests(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return;
    bool ok = false;
    const int n = t.toInt(&ok);
    if (!ok || n < 0)
        throw HotelError(QStringLiteral("宾客人数必须是整数：") + text);
}

void checkTimes(const ReservationService::Reservation& r) {
    if (!r.arrive.isValid())
        throw HotelError(QStringLiteral("请填写预抵时间"));
    if (!r.hold.isValid())
        throw HotelError(QStringLiteral("请填写保留时间"));
}

} // namespace

ReservationService::Reserved ReservationService::reserve(const Reservation& r) const {
    checkGuests(r.guests);
    checkTimes(r);
    Transaction tx(m_db);
    SqlQuery s(m_db, QStringLiteral("select 手牌号 from 酒店手牌表 where 手牌号=:手牌号"));
    s.bind(QStringLiteral("手牌号"), r.room).exec();
    if (!s.next())
        throw HotelError(QStringLiteral("对不起，没有找到该房间号"));
    QString sql =
        QStringLiteral("insert into 预定信息 (手牌号,宾客姓名,宾客电话,人数,预抵时间,保留时间,备注) values "
                       "(:手牌号,:宾客姓名,:宾客电话,:人数,:预抵时间,:保留时间,:备注)");
    if (m_db.isPostgres())
        sql += QStringLiteral(" returning id");
    SqlQuery q(m_db, sql);
    q.bind(QStringLiteral("手牌号"), r.room)
        .bind(QStringLiteral("宾客姓名"), r.name)
        .bind(QStringLiteral("宾客电话"), r.phone)
        .bind(QStringLiteral("人数"), r.guests.trimmed())
        .bind(QStringLiteral("预抵时间"), r.arrive)
        .bind(QStringLiteral("保留时间"), r.hold)
        .bind(QStringLiteral("备注"), r.remark)
        .exec();
    Reserved res;
    if (m_db.isPostgres()) {
        q.next();
        res.id = q.value(0).toLongLong();
    } else {
        res.id = q.lastInsertId().toLongLong();
    }
    SqlQuery u(m_db,
               QStringLiteral(
                   "update 酒店手牌表 set 使用状态=:使用状态 where 手牌号=:手牌号 and 使用状态=:使用状态2"));
    u.bind(QStringLiteral("使用状态"), QStringLiteral("预定"))
        .bind(QStringLiteral("手牌号"), r.room)
        .bind(QStringLiteral("使用状态2"), QStringLiteral("空闲"))
        .exec();
    res.roomReserved = u.rowsAffected() == 1;
    tx.commit();
    return res;
}

QList<ReservationService::Reservation> ReservationService::query(const std::optional<QString>& room,
                                                                 const std::optional<QDate>& from,
                                                                 const std::optional<QDate>& to) const {
    QString sql = QStringLiteral("select * from 预定信息 where 1=1");
    if (room)
        sql += QStringLiteral(" and 手牌号=:手牌号");
    if (from && to)
        sql += QStringLiteral(" and 预抵时间 between :sj1 and :sj2");
    SqlQuery q(m_db, sql + QStringLiteral(" order by id"));
    if (room)
        q.bind(QStringLiteral("手牌号"), *room);
    if (from && to)
        q.bind(QStringLiteral("sj1"), QDateTime(*from, QTime(0, 0)))
            .bind(QStringLiteral("sj2"), QDateTime(*to, QTime(0, 0)));
    q.exec();
    QList<Reservation> out;
    while (q.next()) {
        Reservation r;
        r.id = q.integer(QStringLiteral("id"));
        r.room = q.text(QStringLiteral("手牌号"));
        r.name = q.text(QStringLiteral("宾客姓名"));
        r.phone = q.text(QStringLiteral("宾客电话"));
        r.guests = q.text(QStringLiteral("人数"));
        r.arrive = q.dateTime(QStringLiteral("预抵时间"));
        r.hold = q.dateTime(QStringLiteral("保留时间"));
        r.remark = q.text(QStringLiteral("备注"));
        r.voided = q.text(QStringLiteral("作废"));
        out << r;
    }
    return out;
}

void ReservationService::update(const Reservation& r) const {
    checkGuests(r.guests);
    checkTimes(r);
    SqlQuery(m_db, QStringLiteral(
                       "update 预定信息 set 手牌号=:手牌号,宾客姓名=:宾客姓名,宾客电话=:宾客电话,人数=:人数,"
                       "预抵时间=:预抵时间,保留时间=:保留时间,备注=:备注 where id=:id"))
        .bind(QStringLiteral("手牌号"), r.room)
        .bind(QStringLiteral("宾客姓名"), r.name)
        .bind(QStringLiteral("宾客电话"), r.phone)
        .bind(QStringLiteral("人数"), r.guests.trimmed())
        .bind(QStringLiteral("预抵时间"), r.arrive)
        .bind(QStringLiteral("保留时间"), r.hold)
        .bind(QStringLiteral("备注"), r.remark)
        .bind(QStringLiteral("id"), r.id)
        .exec();
}

void ReservationService::cancel(qint64 id) const {
    SqlQuery q(m_db, QStringLiteral("delete from 预定信息 where id=:id"));
    q.bind(QStringLiteral("id"), id).exec();
    if (q.rowsAffected() != 1)
        throw HotelError(QStringLiteral("该预定已不存在"));
}
