#pragma once

#include "db/sqlquery.h"
#include "db/tdm.h"

#include <QDateTime>
#include <QString>

// Small fixtures of the room board tests: room types, rooms, operators, open lines.
namespace AppTestData {

inline void roomType(const DbSession& db, const QString& name) {
    SqlQuery(db, QStringLiteral("insert into 酒店包房类型 (包房类型,单价,钟点房价) values (:t,:p,:p)"))
        .bind(QStringLiteral("t"), name)
        .bind(QStringLiteral("p"), Money::fromInt(100))
        .exec();
}

inline void room(const DbSession& db, const QString& no, const QString& type,
                 const QString& state = QStringLiteral("空闲"), const QDateTime& since = {},
                 const QString& guest = {}) {
    SqlQuery q(db,
               QStringLiteral("insert into 酒店手牌表 (手牌号,包房类型,使用状态,主牌,开单时间,主客姓名,押金) "
                              "values (:n,:t,:s,:n,:since,:g,:d)"));
    q.bind(QStringLiteral("n"), no).bind(QStringLiteral("t"), type).bind(QStringLiteral("s"), state);
    if (since.isValid())
        q.bind(QStringLiteral("since"), since);
    else
        q.bindNull(QStringLiteral("since"));
    q.bind(QStringLiteral("g"), guest).bind(QStringLiteral("d"), Money::fromInt(200)).exec();
}

inline void line(const DbSession& db, const QString& room, const QString& item, Money amount) {
    SqlQuery(db, QStringLiteral(
                     "insert into 店内消费记录 (手牌号,主牌,消费项目,单价,消费数量,金额,消费时间,参与打折) "
                     "values (:r,:r,:i,:a,:q,:a,:t,:d)"))
        .bind(QStringLiteral("r"), room)
        .bind(QStringLiteral("i"), item)
        .bind(QStringLiteral("a"), amount)
        .bind(QStringLiteral("q"), Money::fromInt(1))
        .bind(QStringLiteral("t"), QDateTime(QDate(2026, 3, 15), QTime(9, 0)))
        .bind(QStringLiteral("d"), QString())
        .exec();
}

inline void setState(const DbSession& db, const QString& room, const QString& state) {
    SqlQuery(db, QStringLiteral("update 酒店手牌表 set 使用状态=:s where 手牌号=:n"))
        .bind(QStringLiteral("s"), state)
        .bind(QStringLiteral("n"), room)
        .exec();
}

inline void operatorRow(const DbSession& db, const QString& user, const QString& password, bool nullRights,
                        const QString& rights = QString(47, u'1')) {
    if (nullRights) {
        SqlQuery(db, QStringLiteral("insert into 登陆 (用户,密码,姓名) values (:u,:p,:n)"))
            .bind(QStringLiteral("u"), user)
            .bind(QStringLiteral("p"), password)
            .bind(QStringLiteral("n"), user + QStringLiteral("姓名"))
            .exec();
        return;
    }
    SqlQuery q(db, QStringLiteral(
                       "insert into 登陆 (用户,密码,姓名,right1,right2,right3,right4,right5,right6,right7,"
                       "right8,right9) values (:u,:p,:n,:r,:r,:r,:r,:r,:r,:r,:r,:r)"));
    q.bind(QStringLiteral("u"), user)
        .bind(QStringLiteral("p"), password)
        .bind(QStringLiteral("n"), user + QStringLiteral("姓名"))
        .bind(QStringLiteral("r"), rights)
        .exec();
}

} // namespace AppTestData
