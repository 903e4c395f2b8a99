#include "openlines.h"

#include "db/dbsession.h"
#include "db/sqlquery.h"

namespace {

const QString kColumns = QStringLiteral(
    "ID,手牌号,主牌,消费项目,项目编号,单价,消费数量,金额,技师,口味,赠单,退菜,状态,参与打折,退菜原因,"
    "消费时间,新老,操作员");

} // namespace

qint64 OpenLines::insert(const Line& l) const {
    QString sql = QStringLiteral(
        "insert into 店内消费记录 (手牌号,主牌,消费项目,项目编号,单价,消费数量,金额,技师,口味,赠单,退菜,状态,"
        "参与打折,退菜原因,消费时间,新老,操作员) values (:手牌号,:主牌,:消费项目,:项目编号,:单价,:消费数量,"
        ":金额,:技师,:口味,:赠单,:退菜,:状态,:参与打折,:退菜原因,:消费时间,:新老,:操作员)");
    if (m_db.isPostgres())
        sql += QStringLiteral(" returning ID");
    SqlQuery q(m_db, sql);
    q.bind(QStringLiteral("手牌号"), l.room)
        .bind(QStringLiteral("主牌"), l.mainRoom)
        .bind(QStringLiteral("消费项目"), l.item)
        .bind(QStringLiteral("项目编号"), l.itemCode)
        .bind(QStringLiteral("单价"), l.price)
        .bind(QStringLiteral("消费数量"), l.quantity)
        .bind(QStringLiteral("金额"), l.amount)
        .bind(QStringLiteral("技师"), l.technician)
        .bind(QStringLiteral("口味"), l.taste)
        .bind(QStringLiteral("赠单"), l.giveAway)
        .bind(QStringLiteral("退菜"), l.returned)
        .bind(QStringLiteral("状态"), l.state)
        .bind(QStringLiteral("参与打折"), l.discount)
        .bind(QStringLiteral("退菜原因"), l.returnReason)
        .bind(QStringLiteral("消费时间"), l.time)
        .bind(QStringLiteral("新老"), l.newOld)
        .bind(QStringLiteral("操作员"), l.operatorName)
        .exec();
    if (m_db.isPostgres()) {
        q.next();
        return q.value(0).toLongLong();
    }
    return q.lastInsertId().toLongLong();
}

std::optional<OpenLines::Line> OpenLines::find(qint64 id) const {
    const QList<Line> found = select(QStringLiteral("ID=:ID"), QStringLiteral("ID"), QString::number(id));
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

QList<OpenLines::Line> OpenLines::ofRoom(const QString& room) const {
    return select(QStringLiteral("手牌号=:手牌号"), QStringLiteral("手牌号"), room);
}

QList<OpenLines::Line> OpenLines::ofGroup(const QString& mainRoom) const {
    return select(QStringLiteral("主牌=:主牌"), QStringLiteral("主牌"), mainRoom);
}

QList<OpenLines::Line> OpenLines::select(const QString& where, const QString& name,
                                         const QString& value) const {
    SqlQuery q(m_db, QStringLiteral("select ") + kColumns + QStringLiteral(" from 店内消费记录 where ") +
                         where + QStringLiteral(" order by ID"));
    if (name == QStringLiteral("ID"))
        q.bind(name, value.toLongLong());
    else
        q.bind(name, value);
    q.exec();
    QList<Line> out;
    while (q.next()) {
        Line l;
        l.id = q.integer(QStringLiteral("ID"));
        l.room = q.text(QStringLiteral("手牌号"));
        l.mainRoom = q.text(QStringLiteral("主牌"));
        l.item = q.text(QStringLiteral("消费项目"));
        l.itemCode = q.text(QStringLiteral("项目编号"));
        l.price = q.money(QStringLiteral("单价"));
        l.quantity = q.money(QStringLiteral("消费数量"));
        l.amount = q.money(QStringLiteral("金额"));
        l.technician = q.text(QStringLiteral("技师"));
        l.taste = q.text(QStringLiteral("口味"));
        l.giveAway = q.text(QStringLiteral("赠单"));
        l.returned = q.text(QStringLiteral("退菜"));
        l.state = q.text(QStringLiteral("状态"));
        l.discount = q.text(QStringLiteral("参与打折"));
        l.returnReason = q.text(QStringLiteral("退菜原因"));
        l.time = q.dateTime(QStringLiteral("消费时间"));
        l.newOld = q.text(QStringLiteral("新老"));
        l.operatorName = q.text(QStringLiteral("操作员"));
        out << l;
    }
    return out;
}
