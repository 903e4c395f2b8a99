#include "hangbillservice.h"

#include "core/clock.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"
#include "members/membercards.h"

namespace {
const QString kHang = QStringLiteral("挂单");
}

QList<HangBillService::Bill> HangBillService::list(SqlQuery& q) const {
    QList<Bill> out;
    const QStringList cols = q.columnNames();
    while (q.next()) {
        Bill b;
        b.billNo = q.text(QStringLiteral("流水号"));
        b.due = q.money(QStringLiteral("应收"));
        b.paid = q.money(QStringLiteral("实收"));
        if (cols.contains(QStringLiteral("时间")))
            b.time = q.text(QStringLiteral("时间"));
        if (cols.contains(QStringLiteral("会员卡号")))
            b.cardNo = q.text(QStringLiteral("会员卡号"));
        if (cols.contains(QStringLiteral("会员姓名")))
            b.name = q.text(QStringLiteral("会员姓名"));
        out << b;
    }
    return out;
}

QList<HangBillService::Bill> HangBillService::byCard(const QString& cardNo) const {
    SqlQuery q(m_db, QStringLiteral(
                         "select 流水号,应收,实收,时间 from 消费主表 where 会员卡号=:会员卡号 and 类型=:类型 "
                         "order by 流水号"));
    q.bind(QStringLiteral("会员卡号"), cardNo).bind(QStringLiteral("类型"), kHang).exec();
    return list(q);
}

QList<HangBillService::Bill> HangBillService::byName(const QString& name) const {
    // The check-out writes hang bills with an empty card number; older rows may hold null.
    SqlQuery q(m_db,
               QStringLiteral(
                   "select 流水号,应收,实收,时间,会员姓名 from 消费主表 where 会员姓名 like :会员姓名 and "
                   "coalesce(会员卡号,'')=:会员卡号 and 类型=:类型 order by 流水号"));
    q.bind(QStringLiteral("会员姓名"), u'%' + name + u'%')
        .bind(QStringLiteral("会员卡号"), QString())
        .bind(QStringLiteral("类型"), kHang)
        .exec();
    return list(q);
}

QList<HangBillService::Bill> HangBillService::inPeriod(const QDate& from, const QDate& to) const {
    SqlQuery q(m_db, QStringLiteral(
                         "select 流水号,应收,实收,会员卡号,会员姓名,时间 from 消费主表 where 类型=:类型 and "
                         "时间>=:sj1 and 时间<:sj2 order by 流水号"));
    // A half-open range of date-times: the midnight after `to` belongs to the next day on both engines.
    q.bind(QStringLiteral("类型"), kHang)
        .bind(QStringLiteral("sj1"), QDateTime(from, QTime(0, 0)))
        .bind(QStringLiteral("sj2"), QDateTime(to.addDays(1), QTime(0, 0)))
        .exec();
    return list(q);
}

HangBillService::Repaid HangBillService::repay(const QStringList& billNos, bool member, const QString& cardNo,
                                               const QString& paidText) const {
    if (billNos.isEmpty())
        throw HotelError(QStringLiteral("您没有选择任何挂单项目！！"));
    const QDate today = m_clock.now().date();
    Repaid r;
    Transaction tx(m_db);
    for (const QString& no : billNos) {
        SqlQuery q(m_db, QStringLiteral("select 应收 from 消费主表 where 流水号=:流水号 and 类型=:类型"));
        q.bind(QStringLiteral("流水号"), no).bind(QStringLiteral("类型"), kHang).exec();
        if (!q.next())
            throw HotelError(QStringLiteral("挂单“%1”已经归还或不存在").arg(no));
        r.due += q.money(0);
    }
    Money cardBalance;
    if (member && !cardNo.isEmpty()) {
        SqlQuery c(m_db, QStringLiteral("select 储值金额 from 会员卡表 where 卡号=:卡号"));
        c.bind(QStringLiteral("卡号"), cardNo).exec();
        if (c.next())
            cardBalance = c.money(0);
    }
    r.fromCard = member && !cardBalance.isZero();
    if (r.fromCard) {
        MemberCards::debit(m_db, cardNo, r.due);
    } else {
        Money paid;
        if (paidText.trimmed().isEmpty() || !Money::tryParse(paidText, &paid) || paid < r.due)
            throw HotelError(QStringLiteral("请输入正确的付款金额！！"));
        r.change = paid - r.due;
    }
    const QString sql =
        r.fromCard ? QStringLiteral(
                         "update 消费主表 set 类型=:类型,实收=应收,年份=:年份,月份=:月份,交班完毕=:交班完毕,"
                         "交班编号=null,现金收取=:零,会员卡收取=应收 where 流水号=:流水号 and 类型=:原类型")
                   : QStringLiteral(
                         "update 消费主表 set 类型=:类型,实收=应收,年份=:年份,月份=:月份,交班完毕=:交班完毕,"
                         "交班编号=null,现金收取=应收 where 流水号=:流水号 and 类型=:原类型");
    for (const QString& no : billNos) {
        SqlQuery up(m_db, sql);
        up.bind(QStringLiteral("类型"), member ? QStringLiteral("会员卡") : QStringLiteral("现金"))
            .bind(QStringLiteral("年份"), today.year())
            .bind(QStringLiteral("月份"), today.month())
            .bind(QStringLiteral("交班完毕"), QStringLiteral("否"))
            .bind(QStringLiteral("流水号"), no)
            .bind(QStringLiteral("原类型"), kHang);
        if (r.fromCard)
            up.bind(QStringLiteral("零"), Money());
        up.exec();
        // Another station may have repaid it since it was read: nothing of this repayment stays.
        if (up.rowsAffected() != 1)
            throw HotelError(QStringLiteral("挂单“%1”已经归还或不存在").arg(no));
        SqlQuery(m_db, QStringLiteral("update 消费详细 set 交班完毕=:交班完毕 where 流水号=:流水号"))
            .bind(QStringLiteral("交班完毕"), QStringLiteral("否"))
            .bind(QStringLiteral("流水号"), no)
            .exec();
    }
    tx.commit();
    return r;
}
