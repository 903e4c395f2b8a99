#include "returnsservice.h"

#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"
#include "inventory/stockmovements.h"

namespace {

const QString kAlreadyReturned = QStringLiteral("已经退菜了，不能再退了");

// A returned room fee must not be recomputed as a room fee.
QString returnedItem(const QString& item) {
    return item == QStringLiteral("房费") || item == QStringLiteral("钟点房费")
               ? item + QStringLiteral("[退]")
               : item;
}

// Return lines keep no reference to their line: they are told apart by what they copy from it.
bool sameCharge(const OpenLines::Line& a, const OpenLines::Line& b) {
    return a.room == b.room && a.mainRoom == b.mainRoom && a.price == b.price &&
           a.technician == b.technician && a.taste == b.taste;
}

} // namespace

ReturnsService::ReturnsService(const DbSession& db, const AppSettings& settings, const Clock& clock)
    : m_db(db), m_settings(settings), m_clock(clock) {}

OpenLines::Line ReturnsService::line(qint64 lineId, const QString& room) const {
    const std::optional<OpenLines::Line> l = OpenLines(m_db).find(lineId);
    if (!l)
        throw HotelError(QStringLiteral("该消费记录已不存在"));
    if (!room.isEmpty() && l->room != room)
        throw HotelError(QStringLiteral("该消费记录不属于房间") + room);
    return *l;
}

qint64 ReturnsService::returnLine(qint64 lineId, const QString& quantityText, const QString& reason,
                                  const QString& room) const {
    Money quantity;
    if (quantityText.trimmed().isEmpty() || !Money::tryParse(quantityText, &quantity))
        throw HotelError(QStringLiteral("退单数量必须是数字：") + quantityText);
    if (quantity.isZero())
        return 0;
    if (quantity.isNegative())
        throw HotelError(QStringLiteral("退单数量不能为负数"));

    Transaction tx(m_db);
    // The room's row lock makes the server wait for a check-out settling the group; the line is
    // read again once it is held.
    QString lock = QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:手牌号");
    if (m_db.isPostgres())
        lock += QStringLiteral(" for update");
    SqlQuery(m_db, lock).bind(QStringLiteral("手牌号"), line(lineId, room).room).exec();
    const OpenLines::Line l = line(lineId, room);
    if (l.isReturn())
        throw HotelError(kAlreadyReturned);
    if (!l.isOld())
        throw HotelError(QStringLiteral("新增加的消费请直接删单"));
    if (quantity > l.quantity)
        throw HotelError(QStringLiteral("退单数量不能大于消费数量"));
    // What is left of this charge: identical old lines cannot be told apart from their returns,
    // so they share them.
    const QString item = returnedItem(l.item);
    Money sold, returned;
    for (const OpenLines::Line& o : OpenLines(m_db).ofRoom(l.room)) {
        if (!sameCharge(o, l))
            continue;
        if (o.isReturn() && o.item == item)
            returned += o.quantity;
        else if (!o.isReturn() && o.isOld() && o.item == l.item)
            sold += o.quantity;
    }
    Money remaining = sold + returned;
    if (l.quantity < remaining)
        remaining = l.quantity;
    if (remaining.isNegative())
        remaining = Money();
    if (quantity > remaining)
        throw HotelError(QStringLiteral("退单数量不能超过未退数量：") + remaining.toString());

    OpenLines::Line r;
    r.room = l.room;
    r.mainRoom = l.mainRoom;
    r.item = item;
    r.itemCode = l.itemCode;
    r.price = l.price;
    r.quantity = -quantity;
    // The refund is the returned share of what the line charges: a given-away line refunds nothing.
    r.amount =
        l.amount == l.price * l.quantity ? -(l.price * quantity) : -((l.amount * quantity) / l.quantity);
    r.technician = l.technician;
    r.taste = l.taste;
    r.discount = l.discount;
    r.returned = OpenLines::kReturned;
    r.state = OpenLines::kReturned;
    r.returnReason = reason;
    r.time = m_clock.now();
    r.operatorName = m_settings.operatorName;
    const qint64 id = OpenLines(m_db).insert(r);
    StockMovements(m_db, m_settings.defaultWarehouse).issue(l.item, r.quantity);
    tx.commit();
    return id;
}

void ReturnsService::deleteLine(qint64 lineId, const QString& room) const {
    Transaction tx(m_db);
    const OpenLines::Line l = line(lineId, room);
    if (l.isReturn())
        throw HotelError(kAlreadyReturned);
    if (l.isOld())
        throw HotelError(QStringLiteral("该消费已是老单，只能退单"));
    StockMovements(m_db, m_settings.defaultWarehouse).issue(l.item, -l.quantity);
    SqlQuery(m_db, QStringLiteral("delete from 店内消费记录 where ID=:ID"))
        .bind(QStringLiteral("ID"), lineId)
        .exec();
    tx.commit();
}

QStringList ReturnsService::reasons() const {
    SqlQuery q(m_db, QStringLiteral("select 退菜原因 from 退菜原因"));
    q.exec();
    QStringList out;
    while (q.next())
        out << q.text(0);
    return out;
}

void ReturnsService::addReason(const QString& reason) const {
    if (reason.trimmed().isEmpty())
        throw HotelError(QStringLiteral("请填写退菜原因"));
    SqlQuery(m_db, QStringLiteral("insert into 退菜原因 (退菜原因) values (:退菜原因)"))
        .bind(QStringLiteral("退菜原因"), reason.trimmed())
        .exec();
}

void ReturnsService::removeReason(const QString& reason) const {
    SqlQuery(m_db, QStringLiteral("delete from 退菜原因 where 退菜原因=:退菜原因"))
        .bind(QStringLiteral("退菜原因"), reason)
        .exec();
}

QList<ReturnsService::SettledReturn> ReturnsService::settledReturns(const QDateTime& from,
                                                                    const QDateTime& toExclusive) const {
    SqlQuery q(m_db,
               QStringLiteral("select * from 消费详细 where 消费日期>=:sj1 and 消费日期<:sj2 and 退菜=:退菜 "
                              "order by 消费日期,ID"));
    q.bind(QStringLiteral("sj1"), from)
        .bind(QStringLiteral("sj2"), toExclusive)
        .bind(QStringLiteral("退菜"), OpenLines::kReturned)
        .exec();
    QList<SettledReturn> out;
    while (q.next()) {
        SettledReturn r;
        r.billNo = q.text(QStringLiteral("流水号"));
        r.totalNo = q.integer(QStringLiteral("总流水号"));
        r.room = q.text(QStringLiteral("手牌号"));
        r.item = q.text(QStringLiteral("消费项目"));
        r.reason = q.text(QStringLiteral("退菜原因"));
        r.price = q.money(QStringLiteral("单价"));
        r.quantity = q.money(QStringLiteral("消费数量"));
        r.amount = q.money(QStringLiteral("金额"));
        r.technician = q.text(QStringLiteral("技师"));
        r.date = q.dateTime(QStringLiteral("消费日期"));
        out << r;
    }
    return out;
}
