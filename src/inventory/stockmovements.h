#pragma once

#include "core/money.h"

#include <QString>
#include <optional>

class DbSession;

// The only changes of 库存总表: one running row per goods name and warehouse, for goods whose
// 参与库存计算 is "是". Each movement runs inside the caller's transaction; the row is read
// for update (PostgreSQL) or under the caller's write lock (SQLite), so two stations
// moving the same goods are serialised.
class StockMovements {
public:
    StockMovements(const DbSession& db, QString warehouse);

    // StockOpenRow: cost as given (no value: an empty unit cost), quantity and value 0,
    // also when the row already existed.
    void openRow(const QString& goods, std::optional<Money> cost) const;
    // StockReceive: goods come in; moving average cost; the catalogue cost follows.
    void receive(const QString& goods, Money quantity, Money amount, Money unitCost) const;
    // StockReturnOut: goods go back to the supplier; moving average cost; the catalogue cost follows.
    void returnOut(const QString& goods, Money quantity, Money amount, Money unitCost) const;
    // StockWriteOff: a loss at the current unit cost.
    void writeOff(const QString& goods, Money quantity, Money amount, Money unitCost) const;
    // StockIssue: sold or consumed (a negative quantity puts goods back).
    void issue(const QString& goods, Money quantity) const;

    // True when the goods item exists and is stock-kept.
    bool isStockKept(const QString& goods) const;

private:
    struct Row {
        bool exists = false;
        Money quantity, value, unitCost;
        bool hasCost = false; // an empty unit cost stays empty until a movement sets one
    };
    Row read(const QString& goods) const;
    void write(const QString& goods, const Row& before, Money quantity, Money value,
               std::optional<Money> unitCost) const;
    void setCatalogueCost(const QString& goods, Money cost) const;
    void average(const QString& goods, Money quantity, Money amount, Money unitCost) const;

    const DbSession& m_db;
    QString m_warehouse;
};
