#include "stockmovements.h"

#include "db/dbsession.h"
#include "db/sqlquery.h"

StockMovements::StockMovements(const DbSession& db, QString warehouse)
    : m_db(db), m_warehouse(std::move(warehouse)) {}

bool StockMovements::isStockKept(const QString& goods) const {
    SqlQuery q(m_db, QStringLiteral("select 参与库存计算 from 酒店服务项目 where 项目名称=:项目名称"));
    q.bind(QStringLiteral("项目名称"), goods).exec();
    return q.next() && q.text(0) == QStringLiteral("是");
}

StockMovements::Row StockMovements::read(const QString& goods) const {
    QString sql = QStringLiteral(
        "select 当前库存, 库存总额, 单位成本 from 库存总表 where 项目名称=:项目名称 and 库房名称=:库房名称");
    if (m_db.isPostgres())
        sql += QStringLiteral(" for update");
    SqlQuery q(m_db, sql);
    q.bind(QStringLiteral("项目名称"), goods).bind(QStringLiteral("库房名称"), m_warehouse).exec();
    Row r;
    if (q.next()) {
        r.exists = true; // an empty number counts as 0
        r.quantity = q.money(0);
        r.value = q.money(1);
        r.unitCost = q.money(2);
        r.hasCost = !q.value(2).isNull();
    }
    return r;
}

void StockMovements::write(const QString& goods, const Row& before, Money quantity, Money value,
                           std::optional<Money> unitCost) const {
    const QString sql =
        before.exists
            ? QStringLiteral("update 库存总表 set 当前库存=:当前库存, 库存总额=:库存总额, 单位成本=:单位成本 "
                             "where 项目名称=:项目名称 and 库房名称=:库房名称")
            : QStringLiteral("insert into 库存总表 (项目名称,库房名称,当前库存,库存总额,单位成本) "
                             "values (:项目名称,:库房名称,:当前库存,:库存总额,:单位成本)");
    SqlQuery q(m_db, sql);
    q.bind(QStringLiteral("项目名称"), goods)
        .bind(QStringLiteral("库房名称"), m_warehouse)
        .bind(QStringLiteral("当前库存"), quantity)
        .bind(QStringLiteral("库存总额"), value);
    if (unitCost)
        q.bind(QStringLiteral("单位成本"), *unitCost);
    else
        q.bindNull(QStringLiteral("单位成本"));
    q.exec();
}

void StockMovements::setCatalogueCost(const QString& goods, Money cost) const {
    SqlQuery(m_db, QStringLiteral("update 酒店服务项目 set 成本=:成本 where 项目名称=:项目名称"))
        .bind(QStringLiteral("成本"), cost)
        .bind(QStringLiteral("项目名称"), goods)
        .exec();
}

void StockMovements::openRow(const QString& goods, std::optional<Money> cost) const {
    if (!isStockKept(goods))
        return;
    write(goods, read(goods), Money(), Money(), cost);
}

void StockMovements::average(const QString& goods, Money n, Money a, Money c) const {
    const Row r = read(goods);
    if (!r.exists) {
        write(goods, r, n, a, c);
        return;
    }
    const Money q = r.quantity + n;
    const Money unit = q.isZero() ? c : (r.value + a) / q;
    write(goods, r, q, unit * q, unit);
    setCatalogueCost(goods, unit);
}

void StockMovements::receive(const QString& goods, Money n, Money a, Money c) const {
    if (isStockKept(goods))
        average(goods, n, a, c);
}

void StockMovements::returnOut(const QString& goods, Money n, Money a, Money c) const {
    if (isStockKept(goods))
        average(goods, -n, -a, c);
}

void StockMovements::writeOff(const QString& goods, Money n, Money a, Money c) const {
    if (!isStockKept(goods))
        return;
    const Row r = read(goods);
    if (!r.exists) {
        write(goods, r, -n, -a, c);
        return;
    }
    const Money q = r.quantity - n;
    write(goods, r, q, r.unitCost * q, r.hasCost ? std::optional<Money>(r.unitCost) : std::nullopt);
}

void StockMovements::issue(const QString& goods, Money n) const {
    if (!isStockKept(goods))
        return;
    const Row r = read(goods);
    if (!r.exists) {
        write(goods, r, -n, Money(), std::nullopt); // a new row has no unit cost
        return;
    }
    write(goods, r, r.quantity - n, r.value - r.unitCost * n,
          r.hasCost ? std::optional<Money>(r.unitCost) : std::nullopt);
}
