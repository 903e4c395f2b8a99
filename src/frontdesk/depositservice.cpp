#include "depositservice.h"

#include "checkinservice.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"

DepositService::DepositService(const DbSession& db, const AppSettings& settings, const Clock& clock)
    : m_db(db), m_settings(settings), m_clock(clock) {}

DepositService::Result DepositService::topUp(const QString& room, const QString& amountText) const {
    Result r;
    if (amountText.trimmed().isEmpty() || !Money::tryParse(amountText, &r.added))
        throw HotelError(QStringLiteral("续交押金必须是数字：") + amountText);
    Transaction tx(m_db);
    SqlQuery s(m_db, QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:手牌号"));
    s.bind(QStringLiteral("手牌号"), room).exec();
    if (!s.next())
        throw HotelError(QStringLiteral("对不起，没有找到该房间号"));
    const QString state = s.text(0);
    if (state != QStringLiteral("占用") && state != QStringLiteral("钟点房"))
        throw HotelError(QStringLiteral("该餐台目前状态为：") + state + QStringLiteral("，无法续交押金"));
    SqlQuery(m_db, QStringLiteral("update 酒店手牌表 set 押金=coalesce(押金,0)+:押金 where 手牌号=:手牌号"))
        .bind(QStringLiteral("押金"), r.added)
        .bind(QStringLiteral("手牌号"), room)
        .exec();
    SqlQuery t(m_db, QStringLiteral("select 押金 from 酒店手牌表 where 手牌号=:手牌号"));
    t.bind(QStringLiteral("手牌号"), room).exec();
    t.next();
    r.total = t.money(0);
    r.at = m_clock.now();
    tx.commit();
    return r;
}

ReportData DepositService::receipt(const AppSettings& settings, const QString& room, const Result& r) {
    ReportData d = CheckInService::receipt(settings, room, r.added.toString(), r.at, QString());
    return d;
}
