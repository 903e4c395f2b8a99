#include "checkoutservice.h"

#include "billing/billnumbers.h"
#include "billing/roomcharges.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"
#include "reports/reportcatalog.h"

#include <QFile>
#include <QTextStream>

namespace {

const QString kYes = QStringLiteral("是");
const QString kNo = QStringLiteral("否");

bool occupied(const QString& state) {
    return state == QStringLiteral("占用") || state == QStringLiteral("钟点房");
}

QString stateMessage(const QString& state) {
    return QStringLiteral("该手牌目前状态为：") + state + QStringLiteral("，无法结帐");
}

} // namespace

CheckoutService::CheckoutService(const DbSession& db, const AppSettings& settings, const Clock& clock,
                                 QString errorLogPath)
    : m_db(db), m_settings(settings), m_clock(clock), m_errorLog(std::move(errorLogPath)) {}

CheckoutService::RoomInfo CheckoutService::room(const QString& room) const {
    SqlQuery q(m_db, QStringLiteral(
                         "select 主牌,使用状态,开单时间,会员卡号,房费打折,应收房费单价,实收房费单价,主客姓名,"
                         "证件号码,开单员 from 酒店手牌表 where 手牌号=:手牌号"));
    q.bind(QStringLiteral("手牌号"), room).exec();
    if (!q.next())
        throw HotelError(QStringLiteral("对不起，没有找到该房间号"));
    RoomInfo r;
    r.room = room;
    r.mainRoom = q.text(QStringLiteral("主牌"));
    r.state = q.text(QStringLiteral("使用状态"));
    r.checkInTime = q.dateTime(QStringLiteral("开单时间"));
    r.cardNo = q.text(QStringLiteral("会员卡号"));
    r.roomRatio = q.isNull(QStringLiteral("房费打折"))
                      ? Money::fromInt(1)
                      : Money::fromDouble(q.number(QStringLiteral("房费打折")));
    r.listPrice = q.money(QStringLiteral("应收房费单价"));
    r.paidPrice = q.money(QStringLiteral("实收房费单价"));
    r.guestName = q.text(QStringLiteral("主客姓名"));
    r.idNumber = q.text(QStringLiteral("证件号码"));
    r.checkInOperator = q.text(QStringLiteral("开单员"));
    return r;
}

QList<CheckoutService::Line> CheckoutService::lines(const QString& mainRoom) const {
    SqlQuery q(m_db, QStringLiteral(
                         "select ID,手牌号,消费项目,单价,消费数量,金额,技师,消费时间,操作员,参与打折,退菜,"
                         "退菜原因 from 店内消费记录 where 主牌=:主牌 order by ID"));
    q.bind(QStringLiteral("主牌"), mainRoom).exec();
    QList<Line> out;
    while (q.next()) {
        Line l;
        l.id = q.value(0).toLongLong();
        l.room = q.text(1);
        l.item = q.text(2);
        l.price = q.money(3);
        l.quantity = q.money(4);
        l.amount = q.money(5);
        l.technician = q.text(6);
        l.time = SqlQuery::dateTimeFromVariant(q.value(7));
        l.operatorName = q.text(8);
        l.discountFlag = q.text(9);
        l.returned = q.text(10);
        l.returnReason = q.text(11);
        out << l;
    }
    return out;
}

Money CheckoutService::sumOf(const QString& mainRoom, const QString& flag) const {
    SqlQuery q(m_db, QStringLiteral(
                         "select sum(金额) as cc from 店内消费记录 where 主牌=:主牌 and 参与打折=:参与打折"));
    q.bind(QStringLiteral("主牌"), mainRoom).bind(QStringLiteral("参与打折"), flag).exec();
    return q.next() ? q.money(0) : Money();
}

Money CheckoutService::roomChargeSum(const QString& mainRoom) const {
    SqlQuery q(m_db, QStringLiteral("select sum(金额) as cc from 店内消费记录 where 主牌=:主牌 and "
                                    "(消费项目=:消费项目1 or 消费项目=:消费项目2)"));
    q.bind(QStringLiteral("主牌"), mainRoom)
        .bind(QStringLiteral("消费项目1"), QStringLiteral("房费"))
        .bind(QStringLiteral("消费项目2"), QStringLiteral("钟点房费"))
        .exec();
    return q.next() ? q.money(0) : Money();
}

CheckoutService::Quote CheckoutService::quote(const Options& o) const {
    Quote q;
    q.room = room(o.room);
    const QString& main = q.room.mainRoom;
    q.lines = lines(main);
    {
        SqlQuery d(m_db, QStringLiteral("select sum(押金) as cc from 酒店手牌表 where 主牌=:主牌"));
        d.bind(QStringLiteral("主牌"), main).exec();
        q.deposit = d.next() ? d.money(0) : Money();
    }
    q.discountable = sumOf(main, kYes);
    q.nonDiscountable = sumOf(main, kNo);
    q.consumption = q.discountable + q.nonDiscountable;
    q.writeOff = Money::parseOrZero(o.writeOff);
    q.memberMode = o.memberMode;
    q.guestName = o.guestName.value_or(q.room.guestName);
    q.hang = o.hang;
    q.waive = o.waive;
    q.invoice = Money::parseOrZero(o.invoice);
    q.customerUnit = o.customerUnit;
    q.remark = o.remark;
    const RoomCharges rc(m_db, m_settings, m_clock);
    if (o.memberMode) {
        q.cardNo = o.cardNo.trimmed();
        if (!q.cardNo.isEmpty())
            q.card = MemberCards(m_db, m_settings, m_clock).find(q.cardNo);
    }
    if (q.card) {
        q.rate = q.card->rate.trimmed().isEmpty() ? QStringLiteral("10") : q.card->rate.trimmed();
        q.memberName = q.card->name;
        q.memberLevel = q.card->type;
        q.memberUnit = q.card->unit;
        q.balance = q.card->balance;
        q.discountedValue = rc.discountedValue(main, q.card->rateValue());
        q.discount = q.discountable - q.discountedValue;
        if (!q.balance.isZero())
            q.mode = PayMode::StoredValue;
    } else {
        q.discountedValue = rc.discountedValue(main, Money::fromInt(10));
    }
    q.amountDue =
        Money::parse(RoomCharges::roundAmountDue(q.consumption - q.discount - q.writeOff, m_settings));
    q.netDue = q.amountDue - q.deposit;
    if (q.mode == PayMode::StoredValue) {
        q.paid = std::min(q.balance, q.amountDue);
        // The card pays what it can; the deposit covers the rest and what is left of it goes back.
        q.change = q.balance < q.amountDue ? q.deposit + q.balance - q.amountDue : q.deposit;
    } else {
        q.paid = Money::parseOrZero(o.paid);
        q.change = q.paid - q.netDue;
    }
    if (q.hang || q.waive) {
        q.netDue = Money();
        q.paid = Money();
        q.change = Money();
    }
    return q;
}

void CheckoutService::validate(const Quote& q) const {
    if (q.room.mainRoom.isEmpty() || !occupied(q.room.state))
        throw HotelError(stateMessage(q.room.state));
    if (q.hang && q.waive)
        throw HotelError(QStringLiteral("挂单和免单只能选择一项！！"));
    // The window takes the hang tick back at once, so its messages come before the balance check.
    if (q.hang && !q.balance.isZero())
        throw HotelError(q.balance < q.amountDue
                             ? QStringLiteral("会员卡余额还有，不能挂单，您可以进行会员充值！！")
                             : QStringLiteral("会员卡余额完全可以支付，不能挂单！！"));
    if (q.mode == PayMode::StoredValue && q.amountDue > q.balance + q.deposit)
        throw HotelError(QStringLiteral("卡内余额不足！！"));
    if (q.hang) {
        if (q.cardNo.isEmpty() && q.guestName.trimmed().isEmpty())
            throw HotelError(QStringLiteral("请填写非会员顾客姓名！！"));
    } else if (!q.consumption.isZero() && !q.waive && q.change.isNegative()) {
        throw HotelError(QStringLiteral("请输入宾客支付金额或者挂单处理！！"));
    }
}

void CheckoutService::lockGroup(const QString& mainRoom) const {
    // Takes the group's rows first: a second station settling the same group waits here and then
    // finds the rooms released, instead of billing the same lines twice.
    SqlQuery q(m_db, QStringLiteral("update 酒店手牌表 set 使用状态=使用状态 where 主牌=:主牌 and "
                                    "(使用状态=:占用 or 使用状态=:钟点房)"));
    q.bind(QStringLiteral("主牌"), mainRoom)
        .bind(QStringLiteral("占用"), QStringLiteral("占用"))
        .bind(QStringLiteral("钟点房"), QStringLiteral("钟点房"))
        .exec();
    if (q.rowsAffected() < 1)
        throw HotelError(QStringLiteral("该手牌已经结帐"));
}

void CheckoutService::insertLines(const Quote& q, const QString& billNo, std::optional<qint64> totalNo,
                                  const QDateTime&) const {
    const QString sql =
        totalNo
            ? QStringLiteral(
                  "insert into 消费详细 "
                  "(流水号,消费项目,单价,消费数量,金额,技师,总流水号,消费日期,手牌号,退菜,"
                  "退菜原因,交班完毕,消费时间,操作员) values (:流水号,:消费项目,:单价,:消费数量,:金额,:技师,"
                  ":总流水号,:消费日期,:手牌号,:退菜,:退菜原因,:交班完毕,:消费时间,:操作员)")
            : QStringLiteral(
                  "insert into 消费详细 (流水号,消费项目,单价,消费数量,金额,技师,消费日期,手牌号,退菜,"
                  "退菜原因,交班完毕,消费时间,操作员) values (:流水号,:消费项目,:单价,:消费数量,:金额,:技师,"
                  ":消费日期,:手牌号,:退菜,:退菜原因,:交班完毕,:消费时间,:操作员)");
    SqlQuery ins(m_db, sql);
    for (const Line& l : q.lines) {
        ins.bind(QStringLiteral("流水号"), billNo)
            .bind(QStringLiteral("消费项目"), l.item)
            .bind(QStringLiteral("单价"), l.price)
            .bind(QStringLiteral("消费数量"), l.quantity)
            .bind(QStringLiteral("金额"), l.amount)
            .bind(QStringLiteral("技师"), l.technician)
            .bind(QStringLiteral("消费日期"), l.time)
            .bind(QStringLiteral("手牌号"), l.room)
            .bind(QStringLiteral("退菜"), l.returned)
            .bind(QStringLiteral("退菜原因"), l.returnReason)
            .bind(QStringLiteral("交班完毕"), kNo)
            .bind(QStringLiteral("消费时间"), l.time)
            .bind(QStringLiteral("操作员"), l.operatorName);
        if (totalNo)
            ins.bind(QStringLiteral("总流水号"), *totalNo);
        ins.exec();
    }
}

void CheckoutService::deleteBilledLines(const Quote& q) const {
    // Exactly the lines billed: one added to the group meanwhile stays open instead of vanishing unbilled.
    SqlQuery del(m_db, QStringLiteral("delete from 店内消费记录 where ID=:ID"));
    for (const Line& l : q.lines)
        del.bind(QStringLiteral("ID"), l.id).exec();
}

void CheckoutService::fail(const QString& text, const QDateTime& at, bool log) const {
    if (log && !m_errorLog.isEmpty()) {
        QFile f(m_errorLog);
        if (f.open(QIODevice::Append | QIODevice::Text)) {
            QTextStream s(&f);
            s.setEncoding(QStringConverter::Utf8);
            s << DateText::storage(at) << QStringLiteral("：") << text << u'\n';
        }
    }
    throw HotelError(log ? QStringLiteral("结帐信息错误：") + text : QStringLiteral("结帐信息错误"));
}

CheckoutService::Result CheckoutService::settle(const Options& o) const {
    Result r;
    r.at = m_clock.now();
    const QDate today = r.at.date();
    // 结帐日期 and 最后消费时间 are date-time columns: the day is stored as its midnight, so that
    // both engines compare it alike against date-time bounds.
    bool writing = false; // validation messages are not check-out errors: no log, no prefix
    try {
        Transaction tx(m_db);
        // The group's rows first: a second station settling the same group waits here, then finds
        // the rooms released instead of billing the same lines twice.
        const RoomInfo info = room(o.room);
        if (info.mainRoom.isEmpty() || !occupied(info.state))
            throw HotelError(stateMessage(info.state));
        lockGroup(info.mainRoom);
        const Quote q = quote(o);
        validate(q);
        if (o.expectedDue && *o.expectedDue != q.amountDue)
            throw HotelError(QStringLiteral("账单已有变化，请重新打开结帐窗口！！"));
        writing = true;
        const bool stored = q.mode == PayMode::StoredValue;
        r.type = q.hang    ? QStringLiteral("挂单")
                 : q.waive ? QStringLiteral("免单")
                 : stored  ? QStringLiteral("会员卡")
                           : QStringLiteral("现金");
        const BillNumbers::Numbers n =
            BillNumbers::insertWithRetry(m_db, today, [&](const BillNumbers::Numbers& n) {
                SqlQuery h(m_db,
                           QStringLiteral(
                               "insert into 消费主表 "
                               "(流水号,会员姓名,应收,实收,会员级别,类型,会员卡号,时间,年份,月份,挂单年份,"
                               "挂单月份,打折比率,现金收取,会员卡收取,客户单位,优惠,抹零,结帐日期,消费金额,"
                               "找零,收现金,总流水号,"
                               "发票金额,押金,手牌号,开单时间,结账备注,证件号码) values "
                               "(:流水号,:会员姓名,:应收,:实收,:会员级别,"
                               ":类型,:会员卡号,:时间,:年份,:月份,:挂单年份,:挂单月份,:打折比率,:现金收取,:"
                               "会员卡收取,:客户单位,"
                               ":优惠,:抹零,:结帐日期,:消费金额,:找零,:收现金,:总流水号,:发票金额,:押金,:"
                               "手牌号,:开单时间,"
                               ":结账备注,:证件号码)"));
                h.bind(QStringLiteral("流水号"), n.billNo)
                    .bind(QStringLiteral("会员姓名"), q.memberMode ? q.memberName : q.guestName)
                    .bind(QStringLiteral("应收"), q.amountDue)
                    .bind(QStringLiteral("实收"), q.hang || q.waive ? Money() : q.amountDue)
                    .bind(QStringLiteral("会员级别"), q.memberLevel)
                    .bind(QStringLiteral("类型"), r.type)
                    .bind(QStringLiteral("时间"), r.at)
                    .bind(QStringLiteral("打折比率"), q.rate)
                    .bind(QStringLiteral("优惠"), q.discount)
                    .bind(QStringLiteral("抹零"), q.writeOff)
                    .bind(QStringLiteral("结帐日期"), QDateTime(today, QTime(0, 0)))
                    .bind(QStringLiteral("消费金额"), q.consumption)
                    .bind(QStringLiteral("找零"), q.change)
                    .bind(QStringLiteral("总流水号"), n.totalNo)
                    .bind(QStringLiteral("发票金额"), q.invoice)
                    .bind(QStringLiteral("押金"), q.deposit)
                    .bind(QStringLiteral("手牌号"), q.room.room)
                    .bind(QStringLiteral("开单时间"), q.room.checkInTime)
                    .bind(QStringLiteral("结账备注"), q.remark)
                    .bind(QStringLiteral("证件号码"), q.room.idNumber);
                if (q.hang) {
                    h.bind(QStringLiteral("会员卡号"), QString())
                        .bindNull(QStringLiteral("年份"))
                        .bindNull(QStringLiteral("月份"))
                        .bind(QStringLiteral("挂单年份"), today.year())
                        .bind(QStringLiteral("挂单月份"), today.month())
                        .bindNull(QStringLiteral("现金收取"))
                        .bindNull(QStringLiteral("会员卡收取"))
                        .bind(QStringLiteral("客户单位"), stored ? q.memberUnit : q.customerUnit)
                        .bindNull(QStringLiteral("收现金"));
                } else {
                    h.bind(QStringLiteral("会员卡号"), q.cardNo)
                        .bind(QStringLiteral("年份"), today.year())
                        .bind(QStringLiteral("月份"), today.month())
                        .bindNull(QStringLiteral("挂单年份"))
                        .bindNull(QStringLiteral("挂单月份"));
                    if (stored)
                        h.bind(QStringLiteral("现金收取"), Money())
                            .bind(QStringLiteral("会员卡收取"), q.amountDue)
                            .bind(QStringLiteral("客户单位"), q.memberUnit)
                            .bind(QStringLiteral("收现金"), Money());
                    else
                        h.bind(QStringLiteral("现金收取"), q.amountDue)
                            .bindNull(QStringLiteral("会员卡收取"))
                            .bind(QStringLiteral("客户单位"), QString())
                            .bind(QStringLiteral("收现金"), q.paid);
                    if (q.waive)
                        h.bind(QStringLiteral("现金收取"), Money())
                            .bind(QStringLiteral("客户单位"), QString())
                            .bind(QStringLiteral("收现金"), Money());
                }
                h.exec();
            });
        r.billNo = n.billNo;
        r.totalNo = n.totalNo;
        insertLines(q, n.billNo, n.totalNo, r.at);

        // The rooms' list before their main room is cleared.
        SqlQuery rooms(m_db,
                       QStringLiteral("select 手牌号 from 酒店手牌表 where 主牌=:主牌 order by 手牌号"));
        rooms.bind(QStringLiteral("主牌"), q.room.mainRoom).exec();
        while (rooms.next())
            r.rooms << rooms.text(0);

        if (!q.cardNo.isEmpty()) {
            SqlQuery c(m_db, QStringLiteral("select 储值金额 from 会员卡表 where 卡号=:卡号"));
            c.bind(QStringLiteral("卡号"), q.cardNo).exec();
            if (c.next()) {
                r.cardFound = true;
                r.balanceBefore = c.money(0);
                if (stored)
                    MemberCards::debit(m_db, q.cardNo, q.paid);
                Money points;
                if (m_settings.onlyRoomChargesEarnPoints != kNo) {
                    Money rate;
                    if (!Money::tryParse(q.rate, &rate))
                        rate = Money::fromInt(10);
                    points = roomChargeSum(q.room.mainRoom).mulDiv(rate, 10);
                } else {
                    points = stored ? q.paid : q.amountDue;
                }
                MemberCards::addPoints(m_db, q.cardNo, points);
            }
        }
        SqlQuery(
            m_db,
            QStringLiteral(
                "update 酒店手牌表 set 使用状态=:使用状态,主牌=:空,开单时间=null,会员卡号=:空,押金=:押金,"
                "结账时间=:结账时间 where 主牌=:主牌"))
            .bind(QStringLiteral("使用状态"), QStringLiteral("脏台"))
            .bind(QStringLiteral("空"), QString())
            .bind(QStringLiteral("押金"), Money())
            .bind(QStringLiteral("结账时间"), r.at)
            .bind(QStringLiteral("主牌"), q.room.mainRoom)
            .exec();
        deleteBilledLines(q);
        if (!q.cardNo.isEmpty()) {
            SqlQuery(m_db, QStringLiteral("update 会员卡表 set 最后消费时间=:最后消费时间 where 卡号=:卡号"))
                .bind(QStringLiteral("最后消费时间"), QDateTime(today, QTime(0, 0)))
                .bind(QStringLiteral("卡号"), q.cardNo)
                .exec();
            SqlQuery c(m_db, QStringLiteral("select 储值金额,当前积分 from 会员卡表 where 卡号=:卡号"));
            c.bind(QStringLiteral("卡号"), q.cardNo).exec();
            if (c.next()) {
                r.balanceAfter = c.money(0);
                r.pointsAfter = c.money(1);
            }
        }
        tx.commit();
        r.quote = q;
    } catch (const HotelError& e) {
        if (!writing)
            throw;
        fail(e.message(), r.at, true);
    }
    return r;
}

CheckoutService::Result CheckoutService::settleMixed(const Options& o, const Tenders& t) const {
    const Quote before = quote(o);
    if (before.room.mainRoom.isEmpty() || !occupied(before.room.state))
        throw HotelError(stateMessage(before.room.state));
    if (before.amountDue != t.cash + t.voucher + t.creditCard + t.member + t.oneCard - t.change)
        throw HotelError(QStringLiteral("合计金额不正确！！"));
    if (t.member.isNegative() || t.cash.isNegative() || t.voucher.isNegative() || t.creditCard.isNegative() ||
        t.oneCard.isNegative())
        throw HotelError(QStringLiteral("合计金额不正确！！"));
    // Change comes out of the cash handed over: never negative, never more than that cash.
    if (t.change.isNegative() || t.change > t.cash)
        throw HotelError(QStringLiteral("合计金额不正确！！"));
    const QString cardNo = t.memberCardNo.trimmed();
    if (!cardNo.isEmpty()) {
        const auto card = MemberCards(m_db, m_settings, m_clock).find(cardNo);
        if (!card)
            throw HotelError(QStringLiteral("没有这个卡号！！"));
        if (t.member > card->balance)
            throw HotelError(QStringLiteral("会员卡支付金额大于会员卡余额"));
    } else if (!t.member.isZero()) {
        throw HotelError(QStringLiteral("没有这个卡号！！"));
    }
    if (o.expectedDue && *o.expectedDue != before.amountDue)
        throw HotelError(QStringLiteral("账单已有变化，请重新打开结帐窗口！！"));

    Result r;
    r.at = m_clock.now();
    r.type = QStringLiteral("联合结帐");
    r.tenders = t;
    const QDate today = r.at.date();
    try {
        Transaction tx(m_db);
        lockGroup(before.room.mainRoom);
        const Quote q = quote(o);
        if (q.amountDue != before.amountDue || q.lines.size() != before.lines.size())
            throw HotelError(QStringLiteral("账单已有变化，请重新打开结帐窗口！！"));
        const BillNumbers::Numbers n =
            BillNumbers::insertWithRetry(m_db, today, [&](const BillNumbers::Numbers& n) {
                SqlQuery h(m_db,
                           QStringLiteral(
                               "insert into 消费主表 "
                               "(流水号,会员姓名,应收,实收,会员级别,类型,会员卡号,时间,年份,月份,挂单年份,"
                               "挂单月份,打折比率,现金收取,会员卡收取,客户单位,优惠,抹零,结帐日期,代金卷收取,"
                               "信用卡收取,信用卡号,"
                               "消费金额,找零,发票金额,收现金,手牌号,开单时间,一卡通支付,结账备注,证件号码,"
                               "押金,总流水号) values ("
                               ":流水号,:会员姓名,:应收,:实收,:会员级别,:类型,:会员卡号,:时间,:年份,:月份,:"
                               "挂单年份,:挂单月份,"
                               ":打折比率,:现金收取,:会员卡收取,:客户单位,:优惠,:抹零,:结帐日期,:代金卷收取,:"
                               "信用卡收取,:信用卡号,"
                               ":消费金额,:找零,:发票金额,:收现金,:手牌号,:开单时间,:一卡通支付,:结账备注,:"
                               "证件号码,:押金,"
                               ":总流水号)"));
                h.bind(QStringLiteral("流水号"), n.billNo)
                    .bind(QStringLiteral("会员姓名"), q.memberMode ? q.memberName : q.guestName)
                    .bind(QStringLiteral("应收"), q.amountDue)
                    .bind(QStringLiteral("实收"), q.hang || q.waive ? Money() : q.amountDue)
                    .bind(QStringLiteral("会员级别"), q.memberLevel)
                    .bind(QStringLiteral("类型"), r.type)
                    .bind(QStringLiteral("会员卡号"), cardNo)
                    .bind(QStringLiteral("时间"), r.at)
                    .bind(QStringLiteral("年份"), today.year())
                    .bind(QStringLiteral("月份"), today.month())
                    .bindNull(QStringLiteral("挂单年份"))
                    .bindNull(QStringLiteral("挂单月份"))
                    .bind(QStringLiteral("打折比率"), q.rate)
                    .bind(QStringLiteral("现金收取"), t.cash - t.change)
                    .bind(QStringLiteral("会员卡收取"), t.member)
                    .bind(QStringLiteral("客户单位"), q.memberUnit)
                    .bind(QStringLiteral("优惠"), q.discount)
                    .bind(QStringLiteral("抹零"), q.writeOff)
                    .bind(QStringLiteral("结帐日期"), QDateTime(today, QTime(0, 0)))
                    .bind(QStringLiteral("代金卷收取"), t.voucher)
                    .bind(QStringLiteral("信用卡收取"), t.creditCard)
                    .bind(QStringLiteral("信用卡号"), t.creditCardNo)
                    .bind(QStringLiteral("消费金额"), q.consumption)
                    .bind(QStringLiteral("找零"), t.change)
                    .bind(QStringLiteral("发票金额"), q.invoice)
                    .bind(QStringLiteral("收现金"), t.cash)
                    .bind(QStringLiteral("手牌号"), q.room.room)
                    .bind(QStringLiteral("开单时间"), q.room.checkInTime)
                    .bind(QStringLiteral("一卡通支付"), t.oneCard)
                    .bind(QStringLiteral("结账备注"), q.remark)
                    .bind(QStringLiteral("证件号码"), q.room.idNumber)
                    .bind(QStringLiteral("押金"), q.deposit)
                    .bind(QStringLiteral("总流水号"), n.totalNo)
                    .exec();
            });
        r.billNo = n.billNo;
        r.totalNo = n.totalNo;
        insertLines(q, n.billNo, std::nullopt, r.at);
        SqlQuery rooms(m_db,
                       QStringLiteral("select 手牌号 from 酒店手牌表 where 主牌=:主牌 order by 手牌号"));
        rooms.bind(QStringLiteral("主牌"), q.room.mainRoom).exec();
        while (rooms.next())
            r.rooms << rooms.text(0);
        if (!cardNo.isEmpty()) {
            SqlQuery c(m_db, QStringLiteral("select 储值金额 from 会员卡表 where 卡号=:卡号"));
            c.bind(QStringLiteral("卡号"), cardNo).exec();
            if (c.next()) {
                r.cardFound = true;
                r.balanceBefore = c.money(0);
                SqlQuery(m_db,
                         QStringLiteral("update 会员卡表 set 最后消费时间=:最后消费时间 where 卡号=:卡号"))
                    .bind(QStringLiteral("最后消费时间"), QDateTime(today, QTime(0, 0)))
                    .bind(QStringLiteral("卡号"), cardNo)
                    .exec();
                MemberCards::debit(m_db, cardNo, t.member);
                Money points;
                if (m_settings.onlyRoomChargesEarnPoints != kNo) {
                    Money rate;
                    if (!Money::tryParse(q.rate, &rate))
                        rate = Money::fromInt(10);
                    points = roomChargeSum(q.room.mainRoom).mulDiv(rate, 10);
                } else {
                    points = q.amountDue;
                }
                MemberCards::addPoints(m_db, cardNo, points);
                SqlQuery a(m_db, QStringLiteral("select 储值金额,当前积分 from 会员卡表 where 卡号=:卡号"));
                a.bind(QStringLiteral("卡号"), cardNo).exec();
                if (a.next()) {
                    r.balanceAfter = a.money(0);
                    r.pointsAfter = a.money(1);
                }
            }
        }
        SqlQuery(m_db,
                 QStringLiteral(
                     "update 酒店手牌表 set 使用状态=:使用状态,主牌=:空,开单时间=null where 主牌=:主牌"))
            .bind(QStringLiteral("使用状态"), QStringLiteral("脏台"))
            .bind(QStringLiteral("空"), QString())
            .bind(QStringLiteral("主牌"), q.room.mainRoom)
            .exec();
        deleteBilledLines(q);
        tx.commit();
        r.quote = q;
    } catch (const HotelError& e) {
        fail(e.message(), r.at, false);
    }
    return r;
}

QString CheckoutService::billTemplate(const AppSettings& settings) {
    return ReportCatalog::billTemplateForStyle(settings.billPrintStyle);
}

ReportData CheckoutService::billReport(const Result& r, const AppSettings& s) {
    const Quote& q = r.quote;
    ReportData d;
    const bool stored = q.mode == PayMode::StoredValue;
    d.setVariable(QStringLiteral("酒店名称"), s.hotelName);
    d.setVariable(QStringLiteral("客房脚注1"), s.hotelPhone);
    d.setVariable(QStringLiteral("客房脚注2"), s.hotelAddress);
    d.setVariable(QStringLiteral("房间号"), q.room.room);
    d.setVariable(QStringLiteral("预设房租单价"), q.room.listPrice);
    d.setVariable(QStringLiteral("实收房租单价"), q.room.paidPrice);
    d.setVariable(QStringLiteral("房租打折"), q.room.roomRatio.mulInt(100).toString() + u'%');
    d.setVariable(QStringLiteral("入住时间"),
                  q.room.checkInTime.isValid()
                      ? DateText::displayDateTime(q.room.checkInTime, s.dateSeparator)
                      : QString());
    d.setVariable(QStringLiteral("退房时间"), DateText::displayDateTime(r.at, s.dateSeparator));
    d.setVariable(QStringLiteral("押金"), q.deposit);
    d.setVariable(QStringLiteral("总计"), q.amountDue);
    d.setVariable(QStringLiteral("会员卡号"), r.tenders ? r.tenders->memberCardNo : q.cardNo);
    d.setVariable(QStringLiteral("会员余额"), r.cardFound ? r.balanceAfter : Money());
    d.setVariable(QStringLiteral("账单号"), r.billNo);
    d.setVariable(QStringLiteral("退款"), r.tenders ? Money() : q.change);
    d.setVariable(QStringLiteral("实收款"), q.netDue);
    d.setVariable(QStringLiteral("收银员"), s.operatorName);
    d.setVariable(QStringLiteral("结账日期"), DateText::display(r.at.date(), s.dateSeparator));
    d.setVariable(QStringLiteral("客户姓名"), q.memberMode ? q.memberName : q.guestName);
    d.setVariable(QStringLiteral("性别"), QStringLiteral("男"));
    d.setVariable(QStringLiteral("会员卡上次余额"), r.balanceBefore);
    d.setVariable(QStringLiteral("消费后积分"), r.pointsAfter);
    if (r.tenders) {
        d.setVariable(QStringLiteral("找零"), r.tenders->change);
        d.setVariable(QStringLiteral("储值卡消费"), r.tenders->member);
        d.setVariable(QStringLiteral("现金收入"), r.tenders->cash - r.tenders->change);
        d.setVariable(QStringLiteral("代金卷收入"), r.tenders->voucher);
        d.setVariable(QStringLiteral("信用卡收入"), r.tenders->creditCard);
        d.setVariable(QStringLiteral("一卡通收入"), r.tenders->oneCard);
    } else {
        d.setVariable(QStringLiteral("找零"), q.change);
        d.setVariable(QStringLiteral("储值卡消费"), stored ? q.amountDue : Money());
        d.setVariable(QStringLiteral("现金收入"), stored ? Money() : q.amountDue);
        d.setVariable(QStringLiteral("代金卷收入"), Money());
        d.setVariable(QStringLiteral("信用卡收入"), Money());
        d.setVariable(QStringLiteral("一卡通收入"), Money());
    }
    d.setColumns({QStringLiteral("手牌号"), QStringLiteral("消费时间"), QStringLiteral("消费项目"),
                  QStringLiteral("单价"), QStringLiteral("消费数量"), QStringLiteral("金额"),
                  QStringLiteral("技师")});
    for (const Line& l : q.lines)
        d.addRow(QStringList{l.room, l.time.isValid() ? DateText::storage(l.time) : QString(), l.item,
                             l.price.toString(), l.quantity.toString(), l.amount.toString(), l.technician});
    return d;
}
