#include "basedataservice.h"

#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "core/inifile.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"
#include "inventory/stockmovements.h"

#include <algorithm>

namespace {

const QString kKey = QStringLiteral("类型");

QString required(const QString& value, const QString& message) {
    const QString v = value.trimmed();
    if (v.isEmpty())
        throw HotelError(message);
    return v;
}

// An hour of the day as typed, checked before it is written.
QString hourText(const QString& text, const QString& what) {
    bool ok = false;
    const int h = text.trimmed().toInt(&ok);
    if (!ok || h < 0 || h > 23)
        throw HotelError(QStringLiteral("%1必须是0到23之间的整数！！").arg(what));
    return QString::number(h);
}

QString wholeNumber(const QString& text, const QString& what, int minimum) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < minimum)
        throw HotelError(QStringLiteral("%1必须是不小于%2的整数！！").arg(what).arg(minimum));
    return QString::number(n);
}

Money moneyField(const QString& text, const QString& what) {
    if (text.trimmed().isEmpty())
        return Money();
    Money m;
    if (!Money::tryParse(text, &m))
        throw HotelError(QStringLiteral("%1“%2”不是有效的数字！！").arg(what, text.trimmed()));
    return m;
}

} // namespace

BaseDataService::BaseDataService(const DbSession& db, AppSettings& settings)
    : m_db(db), m_settings(settings) {}

bool BaseDataService::roomExists(const QString& room) const {
    SqlQuery q(m_db, QStringLiteral("select 1 from 酒店手牌表 where 手牌号=:手牌号"));
    q.bind(QStringLiteral("手牌号"), room).exec();
    return q.next();
}

bool BaseDataService::roomHasOpenLines(const QString& room) const {
    SqlQuery q(m_db, QStringLiteral("select 1 from 店内消费记录 where 手牌号=:手牌号"));
    q.bind(QStringLiteral("手牌号"), room).exec();
    return q.next();
}

BaseDataService::BatchResult BaseDataService::createRoomBatch(const QString& fromText, const QString& toText,
                                                              const QString& prefix,
                                                              const QString& roomType) const {
    if (fromText.trimmed().isEmpty() || toText.trimmed().isEmpty())
        throw HotelError(QStringLiteral("手牌范围填写错误！！"));
    if (roomType.trimmed().isEmpty())
        throw HotelError(QStringLiteral("包房类型填写错误！！"));
    bool okFrom = false, okTo = false;
    const qint64 from = fromText.trimmed().toLongLong(&okFrom);
    const qint64 to = toText.trimmed().toLongLong(&okTo);
    if (!okFrom || !okTo || from < 0 || to < 0)
        throw HotelError(QStringLiteral("手牌范围填写错误！！手牌范围必须是整数。"));
    if (to - from >= 1000)
        throw HotelError(QStringLiteral("手牌范围填写错误！！一次最多增加1000个房间。"));

    BatchResult r;
    for (qint64 n = from; n <= to; ++n)
        r.created << prefix.trimmed() + QString::number(n);
    Transaction tx(m_db);
    for (const QString& room : r.created) {
        if (roomExists(room))
            throw HotelError(QStringLiteral("房间 %1 已经存在，没有增加任何房间！！").arg(room));
    }
    SqlQuery ins(m_db, QStringLiteral("insert into 酒店手牌表 (手牌号,包房类型) values (:手牌号,:包房类型)"));
    for (const QString& room : r.created)
        ins.bind(QStringLiteral("手牌号"), room).bind(QStringLiteral("包房类型"), roomType).exec();
    tx.commit();
    return r;
}

void BaseDataService::addRoom(const QString& roomText, const QString& roomType) const {
    const QString room = required(roomText, QStringLiteral("请输入手牌号！！"));
    Transaction tx(m_db);
    if (roomExists(room))
        throw HotelError(QStringLiteral("房间 %1 已经存在！！").arg(room));
    SqlQuery(m_db, QStringLiteral("insert into 酒店手牌表 (手牌号,包房类型) values (:手牌号,:包房类型)"))
        .bind(QStringLiteral("手牌号"), room)
        .bind(QStringLiteral("包房类型"), roomType)
        .exec();
    tx.commit();
}

void BaseDataService::updateRoom(const QString& room, const QString& newNumberText,
                                 const QString& roomType) const {
    const QString newNumber = required(newNumberText, QStringLiteral("请输入手牌号！！"));
    Transaction tx(m_db);
    if (roomHasOpenLines(room))
        throw HotelError(QStringLiteral("此房间正在消费，不能修改"));
    if (newNumber != room && roomExists(newNumber))
        throw HotelError(QStringLiteral("房间 %1 已经存在！！").arg(newNumber));
    SqlQuery(m_db,
             QStringLiteral("update 酒店手牌表 set 手牌号=:新号, 包房类型=:包房类型 where 手牌号=:手牌号"))
        .bind(QStringLiteral("新号"), newNumber)
        .bind(QStringLiteral("包房类型"), roomType)
        .bind(QStringLiteral("手牌号"), room)
        .exec();
    tx.commit();
}

void BaseDataService::deleteRoom(const QString& room) const {
    Transaction tx(m_db);
    if (roomHasOpenLines(room))
        throw HotelError(QStringLiteral("此房间正在消费，不能删除"));
    SqlQuery(m_db, QStringLiteral("delete from 酒店手牌表 where 手牌号=:手牌号"))
        .bind(QStringLiteral("手牌号"), room)
        .exec();
    tx.commit();
}

void BaseDataService::saveRoomType(const QString& oldName, const QString& nameText, Money dayPrice,
                                   Money hourPrice) const {
    const QString name = required(nameText, QStringLiteral("请输入包房类型！！"));
    Transaction tx(m_db);
    SqlQuery dup(m_db, QStringLiteral("select 1 from 酒店包房类型 where 包房类型=:包房类型"));
    dup.bind(QStringLiteral("包房类型"), name).exec();
    if (name != oldName && dup.next())
        throw HotelError(QStringLiteral("包房类型 %1 已经存在！！").arg(name));
    if (oldName.isEmpty()) {
        SqlQuery(m_db,
                 QStringLiteral(
                     "insert into 酒店包房类型 (包房类型,单价,钟点房价) values (:包房类型,:单价,:钟点房价)"))
            .bind(QStringLiteral("包房类型"), name)
            .bind(QStringLiteral("单价"), dayPrice)
            .bind(QStringLiteral("钟点房价"), hourPrice)
            .exec();
    } else {
        SqlQuery(m_db, QStringLiteral("update 酒店包房类型 set 包房类型=:包房类型, 单价=:单价, "
                                      "钟点房价=:钟点房价 where 包房类型=:原类型"))
            .bind(QStringLiteral("包房类型"), name)
            .bind(QStringLiteral("单价"), dayPrice)
            .bind(QStringLiteral("钟点房价"), hourPrice)
            .bind(QStringLiteral("原类型"), oldName)
            .exec();
    }
    tx.commit();
}

void BaseDataService::deleteRoomType(const QString& name) const {
    // Rooms of the type stay as they are.
    SqlQuery(m_db, QStringLiteral("delete from 酒店包房类型 where 包房类型=:包房类型"))
        .bind(QStringLiteral("包房类型"), name)
        .exec();
}

void BaseDataService::saveCategory(const QString& oldName, const QString& nameText,
                                   const QString& needsWaiter, const QString& discountable) const {
    if (needsWaiter.trimmed().isEmpty())
        throw HotelError(QStringLiteral("请选择是否需要服务生！！"));
    const QString name = required(nameText, QStringLiteral("请输入类别！！"));
    Transaction tx(m_db);
    if (oldName.isEmpty()) {
        SqlQuery(
            m_db,
            QStringLiteral(
                "insert into 酒店美容类别 (类别,是否需要服务生,是否参与打折) values (:类别,:服务生,:打折)"))
            .bind(QStringLiteral("类别"), name)
            .bind(QStringLiteral("服务生"), needsWaiter)
            .bind(QStringLiteral("打折"), discountable)
            .exec();
    } else {
        SqlQuery(m_db, QStringLiteral("update 酒店美容类别 set 类别=:类别, 是否需要服务生=:服务生, "
                                      "是否参与打折=:打折 where 类别=:原类别"))
            .bind(QStringLiteral("类别"), name)
            .bind(QStringLiteral("服务生"), needsWaiter)
            .bind(QStringLiteral("打折"), discountable)
            .bind(QStringLiteral("原类别"), oldName)
            .exec();
    }
    tx.commit();
}

void BaseDataService::deleteCategory(const QString& name) const {
    SqlQuery(m_db, QStringLiteral("delete from 酒店美容类别 where 类别=:类别"))
        .bind(QStringLiteral("类别"), name)
        .exec();
}

void BaseDataService::saveItem(const QString& oldName, const Item& item) const {
    const QString name = required(item.name, QStringLiteral("请输入项目名称！！"));
    const Money price = moneyField(item.price, QStringLiteral("销售价格"));
    const Money cost = moneyField(item.cost, QStringLiteral("成本"));
    const Money commission = moneyField(item.commission, QStringLiteral("项目提成"));
    const QString stockFlag = item.stockKept ? QStringLiteral("是") : QStringLiteral("否");
    Transaction tx(m_db);
    SqlQuery dup(m_db, QStringLiteral("select 1 from 酒店服务项目 where 项目名称=:项目名称"));
    dup.bind(QStringLiteral("项目名称"), name).exec();
    if (name != oldName && dup.next())
        throw HotelError(QStringLiteral("服务项目 %1 已经存在！！").arg(name));
    const QString sql =
        oldName.isEmpty()
            ? QStringLiteral(
                  "insert into 酒店服务项目 "
                  "(项目编号,项目名称,项目拼音,项目类别,项目价格,成本,提成,项目描述,参与库存计算) "
                  "values "
                  "(:项目编号,:项目名称,:项目拼音,:项目类别,:项目价格,:成本,:提成,:项目描述,:参与库存计算)")
            : QStringLiteral(
                  "update 酒店服务项目 set 项目编号=:项目编号, 项目名称=:项目名称, 项目拼音=:项目拼音, "
                  "项目类别=:项目类别, 项目价格=:项目价格, 成本=:成本, 提成=:提成, 项目描述=:项目描述, "
                  "参与库存计算=:参与库存计算 where 项目名称=:原名称");
    SqlQuery q(m_db, sql);
    q.bind(QStringLiteral("项目编号"), item.code.trimmed())
        .bind(QStringLiteral("项目名称"), name)
        .bind(QStringLiteral("项目拼音"), item.pinyin.left(20))
        .bind(QStringLiteral("项目类别"), item.category)
        .bind(QStringLiteral("项目价格"), price)
        .bind(QStringLiteral("成本"), cost)
        .bind(QStringLiteral("提成"), commission.toDouble())
        .bind(QStringLiteral("项目描述"), item.description)
        .bind(QStringLiteral("参与库存计算"), stockFlag);
    if (!oldName.isEmpty())
        q.bind(QStringLiteral("原名称"), oldName);
    q.exec();
    // Only a new stock-kept item opens its stock row; editing never touches stock.
    if (oldName.isEmpty() && item.stockKept) {
        const std::optional<Money> stockCost =
            item.cost.trimmed().isEmpty() ? std::nullopt : std::optional<Money>(cost);
        StockMovements(m_db, m_settings.defaultWarehouse).openRow(name, stockCost);
    }
    tx.commit();
}

void BaseDataService::deleteItem(const QString& name) const {
    SqlQuery(m_db, QStringLiteral("delete from 酒店服务项目 where 项目名称=:项目名称"))
        .bind(QStringLiteral("项目名称"), name)
        .exec();
}

void BaseDataService::saveCardType(const QString& oldName, const QString& nameText, const QString& rateText,
                                   const QString& commissionText, const QString& description) const {
    const QString name = required(nameText, QStringLiteral("请输入卡类型！！"));
    const Money rate = moneyField(rateText, QStringLiteral("折扣率"));
    if (rate.isNegative() || rate > Money::fromInt(10))
        throw HotelError(QStringLiteral("折扣率必须在0到10之间（10为不打折）！！"));
    const Money commission = moneyField(commissionText, QStringLiteral("办卡提成"));
    const QString sql =
        oldName.isEmpty()
            ? QStringLiteral(
                  "insert into 会员卡类型 (会员卡类型,折扣率,提成,描述) values (:类型,:折扣率,:提成,:描述)")
            : QStringLiteral("update 会员卡类型 set 会员卡类型=:类型, 折扣率=:折扣率, 提成=:提成, 描述=:描述 "
                             "where 会员卡类型=:原类型");
    Transaction tx(m_db);
    SqlQuery q(m_db, sql);
    q.bind(QStringLiteral("类型"), name)
        .bind(QStringLiteral("折扣率"), rate.toDouble())
        .bind(QStringLiteral("提成"), commission.toDouble())
        .bind(QStringLiteral("描述"), description);
    if (!oldName.isEmpty())
        q.bind(QStringLiteral("原类型"), oldName);
    q.exec();
    tx.commit();
}

void BaseDataService::deleteCardType(const QString& name) const {
    SqlQuery(m_db, QStringLiteral("delete from 会员卡类型 where 会员卡类型=:类型"))
        .bind(QStringLiteral("类型"), name)
        .exec();
}

void BaseDataService::setDirtyRoomRule(IniFile& sz, const QString& mode, const QString& minutesText) const {
    const QString minutes = wholeNumber(minutesText, QStringLiteral("脏台变空闲时间"), 1);
    const QString m = mode == QStringLiteral("自动") ? mode : QStringLiteral("手工");
    sz.write(QStringLiteral("脏台变空闲"), kKey, m);
    sz.write(QStringLiteral("脏台变空闲时间"), kKey, minutes);
    m_settings.dirtyToIdle = m;
    m_settings.dirtyToIdleMinutes = minutes;
}

void BaseDataService::setRoomChargeRule(IniFile& sz, bool automatic, bool halfDayMinimum) const {
    const QString mode = automatic ? QStringLiteral("自动计算") : QStringLiteral("不自动计算");
    const QString days = halfDayMinimum ? QStringLiteral("0.5") : QStringLiteral("1");
    sz.write(QStringLiteral("房费自动计算"), kKey, mode);
    sz.write(QStringLiteral("起始天数"), kKey, days);
    m_settings.roomChargeMode = mode;
    m_settings.minimumDays = days;
}

void BaseDataService::setSurchargeHours(IniFile& sz, const QString& halfDay, const QString& fullDay) const {
    const QString half = hourText(halfDay, QStringLiteral("追加半天时间"));
    const QString full = hourText(fullDay, QStringLiteral("追加一天时间"));
    sz.write(QStringLiteral("追加半天时间"), kKey, half);
    sz.write(QStringLiteral("追加一天时间"), kKey, full);
    m_settings.halfDayHour = half;
    m_settings.fullDayHour = full;
}

void BaseDataService::setPrecision(IniFile& sz, const QString& precision, const QString& process) const {
    // No precision chosen (a stored word that matched none of the four): only the process is written.
    if (!precision.isEmpty()) {
        sz.write(QStringLiteral("计算精度"), kKey, precision);
        m_settings.roundingRule = precision;
    }
    sz.write(QStringLiteral("计算过程"), kKey, process);
    m_settings.discountRule = process;
}

void BaseDataService::setHourlyRule(IniFile& sz, const QString& minimumText, const QString& toDayText) const {
    const QString minimum = wholeNumber(minimumText, QStringLiteral("钟点房最短时间"), 1);
    const QString toDay = wholeNumber(toDayText, QStringLiteral("钟点房转全天房的小时数"), 1);
    sz.write(QStringLiteral("钟点房最短时间"), kKey, minimum);
    sz.write(QStringLiteral("钟点房几小时转全天房"), kKey, toDay);
    m_settings.hourlyMinimumHours = minimum;
    m_settings.hourlyToDayHours = toDay;
}

void BaseDataService::setBillStyle(IniFile& sz, const QString& style) const {
    sz.write(QStringLiteral("默认自定义打印报表样式"), kKey, style);
    m_settings.billPrintStyle = style;
}

void BaseDataService::setHotelInfo(const QString& name, const QString& phone, const QString& address) const {
    SqlQuery(m_db, QStringLiteral("update 酒店设置 set 酒店名称=:名称, 酒店电话=:电话, 酒店地址=:地址"))
        .bind(QStringLiteral("名称"), name)
        .bind(QStringLiteral("电话"), phone)
        .bind(QStringLiteral("地址"), address)
        .exec();
    m_settings.hotelName = name;
    m_settings.hotelPhone = phone;
    m_settings.hotelAddress = address;
}

void BaseDataService::setPointsRule(bool onlyRoomCharges) const {
    const QString v = onlyRoomCharges ? QStringLiteral("是") : QStringLiteral("否");
    SqlQuery(m_db, QStringLiteral("update 酒店设置 set 只有房费计入积分=:只有房费计入积分"))
        .bind(QStringLiteral("只有房费计入积分"), v)
        .exec();
    m_settings.onlyRoomChargesEarnPoints = v;
}

void BaseDataService::setDoorLock(const QString& hotelId, const QString& password, const QString& model,
                                  const QString& port) const {
    SqlQuery(m_db, QStringLiteral(
                       "update 门锁设置 set 酒店标识=:标识, 酒店密码=:密码, 门锁型号=:型号, 通讯端口=:端口"))
        .bind(QStringLiteral("标识"), hotelId.trimmed())
        .bind(QStringLiteral("密码"), password)
        .bind(QStringLiteral("型号"), model)
        .bind(QStringLiteral("端口"), port)
        .exec();
}

QList<BaseDataService::RoomRow> BaseDataService::rooms() const {
    SqlQuery q(m_db, QStringLiteral("select 手牌号,包房类型,使用状态 from 酒店手牌表"));
    q.exec();
    QList<RoomRow> out;
    while (q.next())
        out << RoomRow{q.text(0), q.text(1), q.text(2)};
    // Sorted here rather than by the server's collation, so both engines list alike.
    std::sort(out.begin(), out.end(), [](const RoomRow& a, const RoomRow& b) { return a.room < b.room; });
    return out;
}

QList<BaseDataService::Item> BaseDataService::items() const {
    SqlQuery q(m_db,
               QStringLiteral("select 项目编号,项目名称,项目类别,项目价格,成本,提成,参与库存计算,项目拼音,"
                              "项目描述 from 酒店服务项目"));
    q.exec();
    QList<Item> out;
    while (q.next()) {
        Item i;
        i.code = q.text(0);
        i.name = q.text(1);
        i.category = q.text(2);
        i.price = q.money(3).toString();
        i.cost = q.money(4).toString();
        i.commission = q.value(5).isNull() ? QStringLiteral("0")
                                           : Money::fromDouble(q.number(QStringLiteral("提成"))).toString();
        i.stockKept = q.text(6) == QStringLiteral("是");
        i.pinyin = q.text(7);
        i.description = q.text(8);
        out << i;
    }
    std::sort(out.begin(), out.end(), [](const Item& a, const Item& b) {
        return a.code != b.code ? a.code < b.code : a.name < b.name;
    });
    return out;
}
