#include "membercards.h"

#include "core/appsettings.h"
#include "core/clock.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"

MemberCards::MemberCards(const DbSession& db, const AppSettings& settings, const Clock& clock)
    : m_db(db), m_settings(settings), m_clock(clock) {}

Money MemberCards::Card::rateValue() const {
    Money r;
    if (!Money::tryParse(rate, &r) || rate.trimmed().isEmpty())
        return Money::fromInt(10);
    return r;
}

MemberCards::Card MemberCards::read(SqlQuery& q) {
    Card c;
    c.id = q.integer(QStringLiteral("id"));
    c.number = q.text(QStringLiteral("卡号"));
    c.name = q.text(QStringLiteral("姓名"));
    c.sex = q.text(QStringLiteral("性别"));
    c.phone = q.text(QStringLiteral("联系电话"));
    const QDateTime birth = q.dateTime(QStringLiteral("出生日期"));
    c.birth = birth.isValid() ? DateText::storageDate(birth.date()) : QString();
    c.type = q.text(QStringLiteral("会员卡类型"));
    c.rate = q.text(QStringLiteral("折扣率"));
    c.unit = q.text(QStringLiteral("客户单位"));
    c.balance = q.money(QStringLiteral("储值金额"));
    c.points = q.money(QStringLiteral("当前积分"));
    c.lastUse = q.text(QStringLiteral("最后消费时间"));
    return c;
}

QList<MemberCards::Card> MemberCards::findAll(const QString& number) const {
    SqlQuery q(m_db, QStringLiteral("select * from 会员卡表 where 卡号=:卡号 order by id"));
    q.bind(QStringLiteral("卡号"), number).exec();
    QList<Card> out;
    while (q.next())
        out << read(q);
    return out;
}

std::optional<MemberCards::Card> MemberCards::find(const QString& number) const {
    const QList<Card> all = findAll(number);
    if (all.isEmpty())
        return std::nullopt;
    return all.first();
}

MemberCards::Card MemberCards::byId(qint64 id) const {
    SqlQuery q(m_db, QStringLiteral("select * from 会员卡表 where id=:id"));
    q.bind(QStringLiteral("id"), id).exec();
    if (!q.next())
        throw HotelError(QStringLiteral("没有该卡信息！！"));
    return read(q);
}

qint64 MemberCards::issue(const Card& card, const QString& staff) const {
    if (card.number.trimmed().isEmpty())
        throw HotelError(QStringLiteral("请输入卡号"));
    const QDateTime now = m_clock.now();
    Transaction tx(m_db);
    SqlQuery(m_db,
             QStringLiteral(
                 "insert into 会员卡表 (卡号,姓名,性别,联系电话,会员卡类型,折扣率,储值金额,当前积分,"
                 "客户单位) values (:卡号,:姓名,:性别,:联系电话,:会员卡类型,:折扣率,:储值金额,:当前积分,"
                 ":客户单位)"))
        .bind(QStringLiteral("卡号"), card.number)
        .bind(QStringLiteral("姓名"), card.name)
        .bind(QStringLiteral("性别"), card.sex)
        .bind(QStringLiteral("联系电话"), card.phone)
        .bind(QStringLiteral("会员卡类型"), card.type)
        .bind(QStringLiteral("折扣率"), card.rate.isEmpty() ? QStringLiteral("10") : card.rate)
        .bind(QStringLiteral("储值金额"), card.balance)
        .bind(QStringLiteral("当前积分"), card.points)
        .bind(QStringLiteral("客户单位"), card.unit)
        .exec();
    SqlQuery(m_db,
             QStringLiteral(
                 "insert into 会员卡明细表 (卡号,姓名,性别,联系电话,储值金额,会员卡类型,折扣率,年份,月份,"
                 "办卡人,办卡时间) values (:卡号,:姓名,:性别,:联系电话,:储值金额,:会员卡类型,:折扣率,"
                 ":年份,:月份,:办卡人,:办卡时间)"))
        .bind(QStringLiteral("卡号"), card.number)
        .bind(QStringLiteral("姓名"), card.name)
        .bind(QStringLiteral("性别"), card.sex)
        .bind(QStringLiteral("联系电话"), card.phone)
        .bind(QStringLiteral("储值金额"), card.balance)
        .bind(QStringLiteral("会员卡类型"), card.type)
        .bind(QStringLiteral("折扣率"), card.rate.isEmpty() ? QStringLiteral("10") : card.rate)
        .bind(QStringLiteral("年份"), now.date().year())
        .bind(QStringLiteral("月份"), now.date().month())
        .bind(QStringLiteral("办卡人"), staff)
        .bind(QStringLiteral("办卡时间"), now)
        .exec();
    SqlQuery q(m_db, QStringLiteral("select max(id) from 会员卡表 where 卡号=:卡号"));
    q.bind(QStringLiteral("卡号"), card.number).exec();
    const qint64 id = q.next() ? q.value(0).toLongLong() : 0;
    tx.commit();
    return id;
}

Money MemberCards::topUp(qint64 id, const QString& amountText) const {
    if (id <= 0)
        throw HotelError(QStringLiteral("没有该卡信息！！"));
    const Money added = Money::parse(amountText);
    Transaction tx(m_db);
    // Relative: a settlement debiting the card at the same moment keeps its effect.
    SqlQuery up(m_db, QStringLiteral("update 会员卡表 set 储值金额=储值金额+:储值金额 where id=:id"));
    up.bind(QStringLiteral("储值金额"), added).bind(QStringLiteral("id"), id).exec();
    if (up.rowsAffected() != 1)
        throw HotelError(QStringLiteral("没有该卡信息！！"));
    SqlQuery q(m_db, QStringLiteral("select 储值金额 from 会员卡表 where id=:id"));
    q.bind(QStringLiteral("id"), id).exec();
    const Money balance = q.next() ? q.money(0) : Money();
    tx.commit();
    return balance;
}

void MemberCards::debit(const DbSession& db, const QString& number, Money amount) {
    if (amount.isZero())
        return;
    if (amount.isNegative())
        throw HotelError(QStringLiteral("储值支付金额不能为负数"));
    SqlQuery up(db, QStringLiteral(
                        "update 会员卡表 set 储值金额=储值金额-:金额 where 卡号=:卡号 and 储值金额>=:金额"));
    up.bind(QStringLiteral("金额"), amount).bind(QStringLiteral("卡号"), number).exec();
    if (up.rowsAffected() < 1)
        throw HotelError(QStringLiteral("卡内余额不足！！"));
    if (up.rowsAffected() > 1)
        throw HotelError(QStringLiteral("该会员卡号对应多个客户资料"));
}

void MemberCards::addPoints(const DbSession& db, const QString& number, Money points) {
    SqlQuery(db, QStringLiteral("update 会员卡表 set 当前积分=coalesce(当前积分,0)+:积分 where 卡号=:卡号"))
        .bind(QStringLiteral("积分"), points)
        .bind(QStringLiteral("卡号"), number)
        .exec();
}

QList<MemberCards::BillRow> MemberCards::bills(const QString& number) const {
    SqlQuery q(m_db, QStringLiteral(
                         "select 流水号,应收,实收 from 消费主表 where 会员卡号=:会员卡号 order by 流水号"));
    q.bind(QStringLiteral("会员卡号"), number).exec();
    QList<BillRow> out;
    while (q.next())
        out << BillRow{q.text(0), q.money(1), q.money(2)};
    return out;
}

QList<MemberCards::BillLine> MemberCards::billLines(const QString& billNo) const {
    SqlQuery q(m_db,
               QStringLiteral(
                   "select 消费项目,单价,消费数量,金额,技师 from 消费详细 where 流水号=:流水号 order by ID"));
    q.bind(QStringLiteral("流水号"), billNo).exec();
    QList<BillLine> out;
    while (q.next())
        out << BillLine{q.text(0), q.text(4), q.money(1), q.money(2), q.money(3)};
    return out;
}

QList<MemberCards::IssueRecord>
MemberCards::issueRecords(std::optional<std::pair<int, int>> yearMonth) const {
    QString sql = QStringLiteral("select * from 会员卡明细表");
    if (yearMonth)
        sql += QStringLiteral(" where 年份=:年份 and 月份=:月份");
    sql += QStringLiteral(" order by id desc");
    SqlQuery q(m_db, sql);
    if (yearMonth)
        q.bind(QStringLiteral("年份"), yearMonth->first).bind(QStringLiteral("月份"), yearMonth->second);
    q.exec();
    QList<IssueRecord> out;
    while (q.next()) {
        IssueRecord r;
        r.id = q.integer(QStringLiteral("id"));
        r.name = q.text(QStringLiteral("姓名"));
        r.sex = q.text(QStringLiteral("性别"));
        r.phone = q.text(QStringLiteral("联系电话"));
        const QDateTime birth = q.dateTime(QStringLiteral("出生日期"));
        r.birth = birth.isValid() ? DateText::storageDate(birth.date()) : QString();
        r.number = q.text(QStringLiteral("卡号"));
        r.balance = q.money(QStringLiteral("储值金额"));
        r.type = q.text(QStringLiteral("会员卡类型"));
        r.rate = q.text(QStringLiteral("折扣率"));
        r.staff = q.text(QStringLiteral("办卡人"));
        r.issuedAt = q.text(QStringLiteral("办卡时间"));
        r.year = int(q.integer(QStringLiteral("年份")));
        r.month = int(q.integer(QStringLiteral("月份")));
        out << r;
    }
    return out;
}

ReportData MemberCards::topUpReceipt(const Card& card, Money added) const {
    ReportData d;
    d.setVariable(QStringLiteral("会员卡类型"), card.type);
    d.setVariable(QStringLiteral("会员卡号"), card.number);
    d.setVariable(QStringLiteral("支付金额"), added);
    d.setVariable(QStringLiteral("入卡金额"), added);
    d.setVariable(QStringLiteral("客户姓名"), card.name);
    d.setVariable(QStringLiteral("联系电话"), card.phone);
    d.setVariable(QStringLiteral("联系地址"), QString());
    d.setVariable(QStringLiteral("公司名称"), m_settings.hotelName);
    d.setVariable(QStringLiteral("办理时间"), DateText::storage(m_clock.now()));
    d.setVariable(QStringLiteral("操作员"), m_settings.operatorName);
    return d;
}
