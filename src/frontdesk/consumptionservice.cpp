#include "consumptionservice.h"

#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"
#include "inventory/stockmovements.h"

namespace {

const QString kOccupied = QStringLiteral("占用");
const QString kHourly = QStringLiteral("钟点房");
const QString kReserved = QStringLiteral("预定");

ConsumptionService::Item itemRow(const SqlQuery& q) {
    ConsumptionService::Item it;
    it.code = q.text(QStringLiteral("项目编号"));
    it.name = q.text(QStringLiteral("项目名称"));
    it.category = q.text(QStringLiteral("项目类别"));
    it.pinyin = q.text(QStringLiteral("项目拼音"));
    it.price = q.money(QStringLiteral("项目价格"));
    it.stockKept = q.text(QStringLiteral("参与库存计算")) == QStringLiteral("是");
    return it;
}

} // namespace

ConsumptionService::ConsumptionService(const DbSession& db, const AppSettings& settings, const Clock& clock)
    : m_db(db), m_settings(settings), m_clock(clock) {}

QList<ConsumptionService::Item> ConsumptionService::items(const QString& search) const {
    SqlQuery q(m_db,
               QStringLiteral("select * from 酒店服务项目 where 项目拼音 like :项目拼音 order by 项目编号"));
    q.bind(QStringLiteral("项目拼音"), u'%' + search + u'%').exec();
    QList<Item> out;
    while (q.next())
        out << itemRow(q);
    return out;
}

std::optional<ConsumptionService::Item> ConsumptionService::item(const QString& name) const {
    SqlQuery q(m_db, QStringLiteral("select * from 酒店服务项目 where 项目名称=:项目名称"));
    q.bind(QStringLiteral("项目名称"), name).exec();
    if (!q.next())
        return std::nullopt;
    return itemRow(q);
}

bool ConsumptionService::needsTechnician(const QString& itemName) const {
    const std::optional<Item> it = item(itemName);
    if (!it)
        return false;
    SqlQuery q(m_db, QStringLiteral("select 是否需要服务生 from 酒店美容类别 where 类别=:类别"));
    q.bind(QStringLiteral("类别"), it->category).exec();
    return q.next() && q.text(0) == QStringLiteral("需要");
}

ConsumptionService::Added ConsumptionService::add(const QString& room, const QString& /*mainRoom*/,
                                                  const QString& itemName, const QString& quantityText,
                                                  const QString& technician,
                                                  const std::optional<QString>& priceText,
                                                  bool noDiscount) const {
    // Everything is checked before the transaction starts.
    if (quantityText.trimmed().isEmpty())
        throw HotelError(QStringLiteral("请填写消费数量"));
    Money quantity;
    if (!Money::tryParse(quantityText, &quantity))
        throw HotelError(QStringLiteral("消费数量必须是数字：") + quantityText);
    if (quantity.isNegative() || quantity.isZero())
        throw HotelError(QStringLiteral("消费数量必须大于0"));
    const std::optional<Item> it = item(itemName);
    if (!it)
        throw HotelError(QStringLiteral("没有该服务项目：") + itemName);
    if (it->name == QStringLiteral("房费") && m_settings.roomChargesAutomatic())
        throw HotelError(QStringLiteral("自动计算房费时，项目名称不能设计为房费，请设置为其他名称"));
    Money price = it->price;
    if (priceText) {
        if (!Money::tryParse(*priceText, &price))
            throw HotelError(QStringLiteral("单价必须是数字：") + *priceText);
        if (price.isNegative())
            throw HotelError(QStringLiteral("单价不能为负数：") + *priceText);
    }
    SqlQuery cat(m_db,
                 QStringLiteral("select 是否需要服务生,是否参与打折 from 酒店美容类别 where 类别=:类别"));
    cat.bind(QStringLiteral("类别"), it->category).exec();
    QString discount = QStringLiteral("是");
    if (cat.next()) {
        if (cat.text(0) == QStringLiteral("需要") && technician.trimmed().isEmpty())
            throw HotelError(QStringLiteral("该项目需要选择技师"));
        if (cat.text(1) == QStringLiteral("否"))
            discount = QStringLiteral("否");
    }
    if (noDiscount)
        discount = QStringLiteral("否");

    Transaction tx(m_db);
    // The row lock makes the server wait for a check-out settling the group (SQLite's write
    // transaction already does).
    QString sql = QStringLiteral("select 使用状态,主牌 from 酒店手牌表 where 手牌号=:手牌号");
    if (m_db.isPostgres())
        sql += QStringLiteral(" for update");
    SqlQuery r(m_db, sql);
    r.bind(QStringLiteral("手牌号"), room).exec();
    if (!r.next())
        throw HotelError(QStringLiteral("对不起，没有找到该房间号"));
    const QString state = r.text(0);
    if (state != kOccupied && state != kHourly && state != kReserved)
        throw HotelError(QStringLiteral("该手牌目前状态为：") + state + QStringLiteral("，无法增加消费"));
    Added res;
    // The group as stored now: the window's may be stale (walked out or regrouped meanwhile).
    res.mainRoom = !r.text(1).isEmpty() ? r.text(1) : room;

    OpenLines::Line l;
    l.room = room;
    l.mainRoom = res.mainRoom;
    l.item = it->name;
    l.itemCode = it->code;
    l.price = price;
    l.quantity = quantity;
    l.amount = price * quantity;
    l.technician = technician.trimmed();
    l.state = OpenLines::kServed;
    l.discount = discount;
    l.time = m_clock.now();
    l.operatorName = m_settings.operatorName;
    res.lineId = OpenLines(m_db).insert(l);

    StockMovements(m_db, m_settings.defaultWarehouse).issue(it->name, quantity);

    if (state == kReserved) {
        SqlQuery u(m_db, QStringLiteral("update 酒店手牌表 set 使用状态=:使用状态 where 手牌号=:手牌号"));
        u.bind(QStringLiteral("使用状态"), kOccupied).bind(QStringLiteral("手牌号"), room).exec();
        res.roomWasReserved = true;
    }
    tx.commit();
    return res;
}

OpenLines::Line ConsumptionService::setPrice(qint64 lineId, const QString& priceText) const {
    Money price;
    if (!Money::tryParse(priceText, &price))
        throw HotelError(QStringLiteral("单价必须是数字：") + priceText);
    if (price.isNegative())
        throw HotelError(QStringLiteral("单价不能为负数：") + priceText);
    Transaction tx(m_db);
    std::optional<OpenLines::Line> l = OpenLines(m_db).find(lineId);
    if (!l)
        throw HotelError(QStringLiteral("该消费记录已不存在"));
    l->price = price;
    l->amount = price * l->quantity;
    SqlQuery(m_db, QStringLiteral("update 店内消费记录 set 单价=:单价,金额=:金额 where ID=:ID"))
        .bind(QStringLiteral("单价"), l->price)
        .bind(QStringLiteral("金额"), l->amount)
        .bind(QStringLiteral("ID"), lineId)
        .exec();
    tx.commit();
    return *l;
}

void ConsumptionService::giveAway(qint64 lineId) const {
    SqlQuery q(m_db, QStringLiteral("update 店内消费记录 set 金额=:金额 where ID=:ID"));
    q.bind(QStringLiteral("金额"), Money()).bind(QStringLiteral("ID"), lineId).exec();
    if (q.rowsAffected() != 1)
        throw HotelError(QStringLiteral("该消费记录已不存在"));
}

void ConsumptionService::markOld(const QString& room) const {
    SqlQuery(m_db, QStringLiteral("update 店内消费记录 set 新老=:新老 where 手牌号=:手牌号"))
        .bind(QStringLiteral("新老"), OpenLines::kOld)
        .bind(QStringLiteral("手牌号"), room)
        .exec();
}

Money ConsumptionService::deposit(const QString& room) const {
    SqlQuery q(m_db, QStringLiteral("select 押金 from 酒店手牌表 where 手牌号=:手牌号"));
    q.bind(QStringLiteral("手牌号"), room).exec();
    return q.next() ? q.money(0) : Money();
}

QList<QPair<QString, QString>> ConsumptionService::otherOccupiedRooms(const QString& except) const {
    SqlQuery q(m_db, QStringLiteral("select 手牌号,主牌 from 酒店手牌表 where (使用状态=:使用状态1 or "
                                    "使用状态=:使用状态2) and 手牌号<>:手牌号"));
    q.bind(QStringLiteral("使用状态1"), kOccupied)
        .bind(QStringLiteral("使用状态2"), kHourly)
        .bind(QStringLiteral("手牌号"), except)
        .exec();
    QList<QPair<QString, QString>> out;
    while (q.next())
        out << qMakePair(q.text(0), q.text(1));
    return out;
}

QString ConsumptionService::returnCaption(const OpenLines::Line* line) {
    return line && line->isOld() ? QStringLiteral("退单F9") : QStringLiteral("删单F9");
}
