#pragma once

#include "core/money.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

class DbSession;

// The open bill lines of 店内消费记录, as check-in, consumption and returns write and read them.
class OpenLines {
public:
    static inline const QString kNormal = QStringLiteral("否");     // 退菜 of a normal line
    static inline const QString kReturned = QStringLiteral("退菜"); // 退菜 and 状态 of a return line
    static inline const QString kServed = QStringLiteral("即起");   // 状态 of a normal line
    static inline const QString kOld = QStringLiteral("老单");      // 新老 once the window was closed

    struct Line {
        qint64 id = 0;
        QString room, mainRoom, item, itemCode;
        Money price, quantity, amount;
        QString technician, taste, giveAway;
        QString returned = kNormal;
        QString state;
        QString discount = QStringLiteral("是");
        QString returnReason;
        QDateTime time;
        QString newOld;
        QString operatorName;
        bool isOld() const { return newOld == kOld; }
        bool isReturn() const { return returned == kReturned; }
    };

    explicit OpenLines(const DbSession& db) : m_db(db) {}

    // Inserts the line and returns its new ID (inside the caller's transaction, if any).
    qint64 insert(const Line& line) const;
    std::optional<Line> find(qint64 id) const;
    // The lines of one room, in the order added.
    QList<Line> ofRoom(const QString& room) const;
    // Every line charged to a bill group, in the order added.
    QList<Line> ofGroup(const QString& mainRoom) const;

private:
    QList<Line> select(const QString& where, const QString& name, const QString& value) const;
    const DbSession& m_db;
};
