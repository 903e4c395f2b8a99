#pragma once

#include "db/sqlquery.h"
#include "db/tdm.h"

#include <QDateTime>
#include <QString>

// Small fixtures of the settlement tests: occupied rooms of a group, open lines, member cards.
namespace SettlementData {

inline Money m(const QString& text) {
    return Money::parse(text);
}

inline void room(const DbSession& db, const QString& no, const QString& mainRoom,
                 const QString& deposit = QStringLiteral("0"), const QString& card = QString(),
                 const QString& state = QStringLiteral("占用")) {
    SqlQuery(
        db,
        QStringLiteral(
            "insert into 酒店手牌表 (手牌号,包房类型,使用状态,主牌,开单时间,主客姓名,证件号码,会员卡号,押金,"
            "房费打折,应收房费单价,实收房费单价,开单员) values (:n,:t,:s,:main,:since,:g,:id,:card,:d,1,"
            ":p,:p,:op)"))
        .bind(QStringLiteral("n"), no)
        .bind(QStringLiteral("t"), QStringLiteral("标准间"))
        .bind(QStringLiteral("s"), state)
        .bind(QStringLiteral("main"), mainRoom)
        .bind(QStringLiteral("since"), QDateTime(QDate(2026, 3, 14), QTime(12, 0)))
        .bind(QStringLiteral("g"), QStringLiteral("客人") + no)
        .bind(QStringLiteral("id"), QStringLiteral("1101011990") + no)
        .bind(QStringLiteral("card"), card)
        .bind(QStringLiteral("d"), m(deposit))
        .bind(QStringLiteral("p"), m(QStringLiteral("168")))
        .bind(QStringLiteral("op"), QStringLiteral("admin"))
        .exec();
}

inline void line(const DbSession& db, const QString& room, const QString& mainRoom, const QString& item,
                 const QString& price, const QString& quantity,
                 const QString& discount = QStringLiteral("是")) {
    SqlQuery(db, QStringLiteral("insert into 店内消费记录 "
                                "(手牌号,主牌,消费项目,单价,消费数量,金额,消费时间,参与打折,退菜,操作员) "
                                "values (:r,:main,:i,:p,:q,:a,:t,:d,:no,:op)"))
        .bind(QStringLiteral("r"), room)
        .bind(QStringLiteral("main"), mainRoom)
        .bind(QStringLiteral("i"), item)
        .bind(QStringLiteral("p"), m(price))
        .bind(QStringLiteral("q"), m(quantity))
        .bind(QStringLiteral("a"), m(price) * m(quantity))
        .bind(QStringLiteral("t"), QDateTime(QDate(2026, 3, 14), QTime(12, 0)))
        .bind(QStringLiteral("d"), discount)
        .bind(QStringLiteral("no"), QStringLiteral("否"))
        .bind(QStringLiteral("op"), QStringLiteral("admin"))
        .exec();
}

inline void card(const DbSession& db, const QString& no, const QString& rate, const QString& balance,
                 const QString& points = QStringLiteral("0")) {
    SqlQuery(db,
             QStringLiteral("insert into 会员卡表 (卡号,姓名,会员卡类型,折扣率,储值金额,当前积分,客户单位) "
                            "values (:n,:name,:type,:rate,:b,:p,:unit)"))
        .bind(QStringLiteral("n"), no)
        .bind(QStringLiteral("name"), QStringLiteral("会员") + no)
        .bind(QStringLiteral("type"), QStringLiteral("金卡"))
        .bind(QStringLiteral("rate"), rate)
        .bind(QStringLiteral("b"), m(balance))
        .bind(QStringLiteral("p"), m(points))
        .bind(QStringLiteral("unit"), QStringLiteral("某公司"))
        .exec();
}

inline QString value(const DbSession& db, const QString& sql, const QString& key = QString()) {
    SqlQuery q(db, sql);
    if (!key.isEmpty())
        q.bind(QStringLiteral("k"), key);
    q.exec();
    if (!q.next())
        return QStringLiteral("<none>");
    return q.value(0).isNull() ? QStringLiteral("<null>") : q.text(0);
}

inline Money moneyOf(const DbSession& db, const QString& sql, const QString& key = QString()) {
    SqlQuery q(db, sql);
    if (!key.isEmpty())
        q.bind(QStringLiteral("k"), key);
    q.exec();
    return q.next() ? q.money(0) : Money::fromRaw(-1);
}

} // namespace SettlementData
