#include "checkinservice.h"

#include "core/appsettings.h"
#include "core/clock.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"
#include "openlines.h"

#include <QSet>

namespace {

const QString kIdle = QStringLiteral("空闲");
const QString kReserved = QStringLiteral("预定");
const QString kOccupied = QStringLiteral("占用");
const QString kHourly = QStringLiteral("钟点房");

// A numeric field of the window: a number of at most four places, not negative.
Money field(const QString& text, const QString& label, bool emptyIsZero) {
    const QString t = text.trimmed();
    if (t.isEmpty() && emptyIsZero)
        return Money();
    Money v;
    if (!Money::tryParse(t, &v))
        throw HotelError(label + QStringLiteral("必须是数字：") + text);
    if (v.isNegative())
        throw HotelError(label + QStringLiteral("不能为负数：") + text);
    return v;
}

void checkGuests(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return;
    bool ok = false;
    const int n = t.toInt(&ok);
    if (!ok || n < 0)
        throw HotelError(QStringLiteral("宾客人数必须是整数：") + text);
}

CheckInService::GroupRoom groupRow(const SqlQuery& q) {
    return {q.text(QStringLiteral("手牌号")), q.text(QStringLiteral("房间类型")),
            q.money(QStringLiteral("原房价")), q.money(QStringLiteral("折扣率")),
            q.money(QStringLiteral("现房价"))};
}

} // namespace

CheckInService::CheckInService(const DbSession& db, const DbSession& scratch, const AppSettings& settings,
                               const Clock& clock)
    : m_db(db), m_scratch(scratch), m_settings(settings), m_clock(clock) {}

CheckInService::RoomInfo CheckInService::room(const QString& room) const {
    SqlQuery q(m_db, QStringLiteral("select * from 酒店手牌表 where 手牌号=:手牌号"));
    q.bind(QStringLiteral("手牌号"), room).exec();
    if (!q.next())
        throw HotelError(QStringLiteral("对不起，没有找到该房间号"));
    RoomInfo r;
    r.room = room;
    r.type = q.text(QStringLiteral("包房类型"));
    r.state = q.text(QStringLiteral("使用状态"));
    r.mainRoom = q.text(QStringLiteral("主牌"));
    r.checkInTime = q.dateTime(QStringLiteral("开单时间"));
    r.deposit = q.money(QStringLiteral("押金"));
    r.ratio = q.isNull(QStringLiteral("房费打折")) ? Money::fromInt(1)
                                                   : Money::fromDouble(q.number(QStringLiteral("房费打折")));
    r.price = q.money(QStringLiteral("实收房费单价"));
    Guest& g = r.guest;
    g.name = q.text(QStringLiteral("主客姓名"));
    g.sex = q.text(QStringLiteral("主客性别"));
    g.guests = q.text(QStringLiteral("宾客人数"));
    g.idType = q.text(QStringLiteral("证件类型"));
    g.idNumber = q.text(QStringLiteral("证件号码"));
    g.company = q.text(QStringLiteral("公司名称"));
    g.phone = q.text(QStringLiteral("联系电话"));
    g.address = q.text(QStringLiteral("联系地址"));
    g.remark = q.text(QStringLiteral("备注"));
    g.cardNo = q.text(QStringLiteral("会员卡号"));

    SqlQuery t(m_db, QStringLiteral("select 单价,钟点房价 from 酒店包房类型 where 包房类型=:包房类型"));
    t.bind(QStringLiteral("包房类型"), r.type).exec();
    if (t.next()) {
        r.presetPrice = t.money(QStringLiteral("单价"));
        r.hourlyPrice = t.money(QStringLiteral("钟点房价"));
    }
    return r;
}

QStringList CheckInService::idleRooms(const QString& except) const {
    SqlQuery q(m_db,
               QStringLiteral("select 手牌号 from 酒店手牌表 where 使用状态=:使用状态 and 手牌号<>:手牌号"));
    q.bind(QStringLiteral("使用状态"), kIdle).bind(QStringLiteral("手牌号"), except).exec();
    QStringList out;
    while (q.next())
        out << q.text(0);
    return out;
}

Money CheckInService::startDays() const {
    Money v;
    if (!Money::tryParse(m_settings.minimumDays, &v) || v.isNegative())
        throw HotelError(QStringLiteral("起始天数设置不正确：") + m_settings.minimumDays);
    return v;
}

qint64 CheckInService::hourlyMinimum() const {
    bool ok = false;
    const qint64 n = m_settings.hourlyMinimumHours.trimmed().toLongLong(&ok);
    if (!ok || n < 0)
        throw HotelError(QStringLiteral("钟点房最短时间设置不正确：") + m_settings.hourlyMinimumHours);
    return n;
}

qint64 CheckInService::insertFeeLine(const QString& room, const QString& mainRoom, bool hourly, Money price,
                                     const QDateTime& at) const {
    OpenLines::Line l;
    l.room = room;
    l.mainRoom = mainRoom;
    l.item = hourly ? QStringLiteral("钟点房费") : QStringLiteral("房费");
    l.price = price;
    l.quantity = hourly ? Money::fromInt(hourlyMinimum()) : startDays();
    l.amount = price * l.quantity;
    l.time = at;
    l.operatorName = m_settings.operatorName;
    return OpenLines(m_db).insert(l);
}

CheckInService::Result CheckInService::checkIn(const Input& in, const QList<GroupRoom>& groupRooms) const {
    const bool modify = in.mode == kModify;
    if (!modify && in.mode != kNew)
        throw HotelError(QStringLiteral("未知的开单方式：") + in.mode);
    const QList<GroupRoom> group = modify ? QList<GroupRoom>() : groupRooms;

    // Every field first: a refused check-in writes nothing.
    const Money deposit = field(in.deposit, QStringLiteral("押金"), true);
    const Money ratio = field(in.ratio, QStringLiteral("打折比率"), false);
    checkGuests(in.guest.guests);
    const RoomInfo info = room(in.room);
    const Money price = in.price.trimmed().isEmpty() ? priceFromRatio(info.presetPrice, ratio)
                                                     : field(in.price, QStringLiteral("实际单价"), false);
    const bool automatic = m_settings.roomChargesAutomatic();
    if (automatic) {
        if (in.hourly)
            hourlyMinimum();
        else
            startDays();
    }
    QSet<QString> seen{in.room};
    for (const GroupRoom& g : group) {
        if (seen.contains(g.room))
            throw HotelError(QStringLiteral("房间") + g.room + QStringLiteral("重复开单"));
        seen.insert(g.room);
        if (g.ratio.isNegative() || g.price.isNegative())
            throw HotelError(QStringLiteral("房间") + g.room + QStringLiteral("的折扣率和现房价不能为负数"));
    }

    const QString state = in.hourly ? kHourly : kOccupied;
    const Money listPrice = in.hourly ? info.hourlyPrice : info.presetPrice;
    const Money paidPrice = in.hourly ? info.hourlyPrice : price;
    const Money storedRatio = in.hourly ? Money::fromInt(1) : ratio;
    const QDateTime now = m_clock.now();
    const Guest& g = in.guest;

    Result res;
    res.at = now;
    res.title = in.room;
    if (!group.isEmpty()) {
        res.title += QStringLiteral("，其他客房：");
        for (const GroupRoom& r : group)
            res.title += r.room + u';';
    }

    Transaction tx(m_db);
    if (modify) {
        // Only an occupied room has a stay to correct; its group stays as it is.
        if (info.state != kOccupied && info.state != kHourly)
            throw HotelError(QStringLiteral("该手牌目前状态为：") + info.state +
                             QStringLiteral("，无法修改登记"));
        // The deposit as stored now, under the row lock: a top-up made since the window loaded it
        // is kept, and a typed deposit may not overwrite one.
        QString read = QStringLiteral("select 押金 from 酒店手牌表 where 手牌号=:手牌号");
        if (m_db.isPostgres())
            read += QStringLiteral(" for update");
        SqlQuery cur(m_db, read);
        cur.bind(QStringLiteral("手牌号"), in.room).exec();
        if (!cur.next())
            throw HotelError(QStringLiteral("对不起，没有找到该房间号"));
        const Money stored = cur.money(0);
        const Money loaded = in.loadedDeposit.value_or(info.deposit);
        if (deposit != loaded && stored != loaded)
            throw HotelError(QStringLiteral("押金已在其他地点修改，请重新打开修改登记！！"));
        // 主牌 is not written: a walk-out or regroup made meanwhile stays.
        SqlQuery q(m_db,
                   QStringLiteral(
                       "update 酒店手牌表 set 使用状态=:使用状态,主客姓名=:主客姓名,主客性别=:主客性别,"
                       "宾客人数=:宾客人数,证件类型=:证件类型,证件号码=:证件号码,公司名称=:公司名称,"
                       "联系电话=:联系电话,联系地址=:联系地址,房费打折=:房费打折,应收房费单价=:应收房费单价,"
                       "实收房费单价=:实收房费单价,押金=:押金,开单员=:开单员 where 手牌号=:手牌号 and "
                       "使用状态=:原状态"));
        q.bind(QStringLiteral("使用状态"), state).bind(QStringLiteral("原状态"), info.state);
        q.bind(QStringLiteral("主客姓名"), g.name)
            .bind(QStringLiteral("主客性别"), g.sex)
            .bind(QStringLiteral("宾客人数"), g.guests.trimmed())
            .bind(QStringLiteral("证件类型"), g.idType)
            .bind(QStringLiteral("证件号码"), g.idNumber)
            .bind(QStringLiteral("公司名称"), g.company)
            .bind(QStringLiteral("联系电话"), g.phone)
            .bind(QStringLiteral("联系地址"), g.address)
            .bind(QStringLiteral("房费打折"), storedRatio.toDouble())
            .bind(QStringLiteral("应收房费单价"), listPrice)
            .bind(QStringLiteral("实收房费单价"), paidPrice)
            .bind(QStringLiteral("押金"), deposit == loaded ? stored : deposit)
            .bind(QStringLiteral("开单员"), m_settings.operatorName)
            .bind(QStringLiteral("手牌号"), in.room)
            .exec();
        if (q.rowsAffected() != 1)
            throw HotelError(QStringLiteral("当前手牌状态没有刷新，该手牌已经在其他地点更换了状态"));
        if (!in.hourly) {
            // The day-fee lines follow the corrected price; the amount is worked out here, exactly.
            for (const OpenLines::Line& l : OpenLines(m_db).ofRoom(in.room)) {
                if (l.item != QStringLiteral("房费"))
                    continue;
                SqlQuery u(m_db,
                           QStringLiteral("update 店内消费记录 set 单价=:单价,金额=:金额 where ID=:ID"));
                u.bind(QStringLiteral("单价"), price).bind(QStringLiteral("金额"), price * l.quantity);
                u.bind(QStringLiteral("ID"), l.id).exec();
            }
        }
        tx.commit();
        res.rooms << in.room;
        return res;
    }

    // The states are checked by the update itself, so a room taken meanwhile by another
    // workstation stops the whole check-in.
    auto occupy = [&](const QString& room, Money roomDeposit, Money roomRatio, Money list, Money paid,
                      const QString& remark, const QString& cardNo) {
        SqlQuery q(
            m_db,
            QStringLiteral(
                "update 酒店手牌表 set 使用状态=:使用状态,主牌=:主牌,主客姓名=:主客姓名,主客性别=:主客性别,"
                "宾客人数=:宾客人数,证件类型=:证件类型,证件号码=:证件号码,公司名称=:公司名称,"
                "联系电话=:联系电话,联系地址=:联系地址,押金=:押金,开单时间=:开单时间,备注=:备注,"
                "房费打折=:房费打折,应收房费单价=:应收房费单价,实收房费单价=:实收房费单价,"
                "会员卡号=:会员卡号,开单员=:开单员 where 手牌号=:手牌号 and "
                "(使用状态=:空闲 or 使用状态=:预定)"));
        q.bind(QStringLiteral("使用状态"), state)
            .bind(QStringLiteral("主牌"), in.room)
            .bind(QStringLiteral("主客姓名"), g.name)
            .bind(QStringLiteral("主客性别"), g.sex)
            .bind(QStringLiteral("宾客人数"), g.guests.trimmed())
            .bind(QStringLiteral("证件类型"), g.idType)
            .bind(QStringLiteral("证件号码"), g.idNumber)
            .bind(QStringLiteral("公司名称"), g.company)
            .bind(QStringLiteral("联系电话"), g.phone)
            .bind(QStringLiteral("联系地址"), g.address)
            .bind(QStringLiteral("押金"), roomDeposit)
            .bind(QStringLiteral("开单时间"), now)
            .bind(QStringLiteral("备注"), remark)
            .bind(QStringLiteral("房费打折"), roomRatio.toDouble())
            .bind(QStringLiteral("应收房费单价"), list)
            .bind(QStringLiteral("实收房费单价"), paid)
            .bind(QStringLiteral("会员卡号"), cardNo)
            .bind(QStringLiteral("开单员"), m_settings.operatorName)
            .bind(QStringLiteral("手牌号"), room)
            .bind(QStringLiteral("空闲"), kIdle)
            .bind(QStringLiteral("预定"), kReserved)
            .exec();
        if (q.rowsAffected() != 1) {
            SqlQuery s(m_db, QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:手牌号"));
            s.bind(QStringLiteral("手牌号"), room).exec();
            if (!s.next())
                throw HotelError(QStringLiteral("对不起，没有找到该房间号：") + room);
            throw HotelError(QStringLiteral("房间") + room + QStringLiteral("：该手牌目前状态为：") +
                             s.text(0) + QStringLiteral("，无法开手牌"));
        }
        res.rooms << room;
    };

    occupy(in.room, deposit, storedRatio, listPrice, paidPrice, g.remark, g.cardNo);
    if (automatic)
        res.lineIds << insertFeeLine(in.room, in.room, in.hourly, paidPrice, now);
    for (const GroupRoom& r : group) {
        occupy(r.room, Money(), r.ratio, r.listPrice, r.price, g.remark, g.cardNo);
        if (automatic)
            res.lineIds << insertFeeLine(r.room, in.room, in.hourly, in.hourly ? info.hourlyPrice : r.price,
                                         now);
    }
    tx.commit();
    return res;
}

void CheckInService::clearGroup() const {
    m_scratch.exec(QStringLiteral("delete from 客房开单临时表"));
}

CheckInService::GroupRoom CheckInService::addToGroup(const QString& roomNo) const {
    const RoomInfo info = room(roomNo);
    const GroupRoom g{roomNo, info.type, info.presetPrice, Money::fromInt(1), info.presetPrice};
    SqlQuery q(m_scratch,
               QStringLiteral("insert into 客房开单临时表 (手牌号,房间类型,原房价,折扣率,现房价) values "
                              "(:手牌号,:房间类型,:原房价,:折扣率,:现房价)"));
    q.bind(QStringLiteral("手牌号"), g.room)
        .bind(QStringLiteral("房间类型"), g.type)
        .bind(QStringLiteral("原房价"), g.listPrice)
        .bind(QStringLiteral("折扣率"), g.ratio)
        .bind(QStringLiteral("现房价"), g.price)
        .exec();
    return g;
}

void CheckInService::removeFromGroup(const QString& roomNo) const {
    SqlQuery(m_scratch, QStringLiteral("delete from 客房开单临时表 where 手牌号=:手牌号"))
        .bind(QStringLiteral("手牌号"), roomNo)
        .exec();
}

QList<CheckInService::GroupRoom> CheckInService::group() const {
    SqlQuery q(m_scratch, QStringLiteral("select * from 客房开单临时表 order by rowid"));
    q.exec();
    QList<GroupRoom> out;
    while (q.next())
        out << groupRow(q);
    return out;
}

CheckInService::GroupRoom CheckInService::setGroupRatio(const QString& roomNo,
                                                        const QString& ratioText) const {
    const Money ratio = field(ratioText, QStringLiteral("折扣率"), false);
    for (GroupRoom g : group()) {
        if (g.room != roomNo)
            continue;
        g.ratio = ratio;
        g.price = g.listPrice * ratio;
        SqlQuery(
            m_scratch,
            QStringLiteral("update 客房开单临时表 set 折扣率=:折扣率,现房价=:现房价 where 手牌号=:手牌号"))
            .bind(QStringLiteral("折扣率"), g.ratio)
            .bind(QStringLiteral("现房价"), g.price)
            .bind(QStringLiteral("手牌号"), roomNo)
            .exec();
        return g;
    }
    throw HotelError(QStringLiteral("团体开单中没有房间") + roomNo);
}

CheckInService::GroupRoom CheckInService::setGroupPrice(const QString& roomNo,
                                                        const QString& priceText) const {
    const Money price = field(priceText, QStringLiteral("现房价"), false);
    for (GroupRoom g : group()) {
        if (g.room != roomNo)
            continue;
        g.price = price;
        if (const auto r = ratioFromPrice(price, g.listPrice))
            g.ratio = *r;
        SqlQuery(
            m_scratch,
            QStringLiteral("update 客房开单临时表 set 折扣率=:折扣率,现房价=:现房价 where 手牌号=:手牌号"))
            .bind(QStringLiteral("折扣率"), g.ratio)
            .bind(QStringLiteral("现房价"), g.price)
            .bind(QStringLiteral("手牌号"), roomNo)
            .exec();
        return g;
    }
    throw HotelError(QStringLiteral("团体开单中没有房间") + roomNo);
}

CheckInService::Guest CheckInService::lookupMember(LookupBy by, const QString& value) const {
    QString sql, name, message;
    QString bound = value;
    switch (by) {
    case LookupBy::Card:
        sql = QStringLiteral("select * from 会员卡表 where 卡号=:卡号");
        name = QStringLiteral("卡号");
        message = QStringLiteral("该会员卡号不存在");
        break;
    case LookupBy::Name:
        sql = QStringLiteral("select * from 会员卡表 where 姓名=:姓名");
        name = QStringLiteral("姓名");
        message = QStringLiteral("该会员姓名不存在");
        break;
    case LookupBy::IdNumber:
        sql = QStringLiteral("select * from 会员卡表 where 身份证号=:身份证号");
        name = QStringLiteral("身份证号");
        message = QStringLiteral("该身份证号不存在");
        break;
    case LookupBy::Phone:
        sql = QStringLiteral("select * from 会员卡表 where 联系电话 like :联系电话");
        name = QStringLiteral("联系电话");
        message = QStringLiteral("该联系电话不存在");
        bound = u'%' + value + u'%';
        break;
    }
    SqlQuery q(m_db, sql + QStringLiteral(" order by id"));
    q.bind(name, bound).exec();
    if (!q.next())
        throw HotelError(message);
    Guest g;
    g.name = q.text(QStringLiteral("姓名"));
    g.sex = q.text(QStringLiteral("性别"));
    g.idType = QStringLiteral("身份证");
    g.idNumber = q.text(QStringLiteral("身份证号"));
    g.phone = q.text(QStringLiteral("联系电话"));
    g.company = q.text(QStringLiteral("客户单位"));
    g.address = q.text(QStringLiteral("联系地址"));
    g.cardNo = q.text(QStringLiteral("卡号"));
    return g;
}

std::optional<QString> CheckInService::regionOf(const QString& idNumber) const {
    if (idNumber.size() <= 5)
        return std::nullopt;
    SqlQuery q(m_db, QStringLiteral("select 地区 from 身份证码 where 号码=:号码"));
    q.bind(QStringLiteral("号码"), idNumber.left(6)).exec();
    return q.next() ? q.text(0) : QString();
}

Money CheckInService::priceFromRatio(Money preset, Money ratio) {
    return (preset * ratio).roundToYuanEven();
}

std::optional<Money> CheckInService::ratioFromPrice(Money price, Money preset) {
    if (preset.isZero())
        return std::nullopt;
    return price / preset;
}

ReportData CheckInService::receipt(const AppSettings& settings, const QString& title, const QString& deposit,
                                   const QDateTime& at, const QString& idNumber) {
    ReportData d;
    d.setVariable(QStringLiteral("酒店名称"), settings.hotelName);
    d.setVariable(QStringLiteral("手牌名称"), title);
    d.setVariable(QStringLiteral("押金金额"), deposit);
    d.setVariable(QStringLiteral("开单时间"), DateText::displayDateTime(at, settings.dateSeparator));
    d.setVariable(QStringLiteral("证件号码"), idNumber);
    return d;
}
