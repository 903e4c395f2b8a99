#pragma once

#include "core/money.h"

#include <QDateTime>
#include <QList>
#include <QString>

class DbSession;
struct AppSettings;
class Clock;

// Room charge accrual of open bills ("房费" by the day, "钟点房费" by the hour) and the
// two settlement money rules (rounding of the amount due, member discount).
class RoomCharges {
public:
    enum class CallSite { Login, CheckOut };

    struct ChangedLine {
        qint64 id = 0;
        QString room;
        QString item;       // the item after the run ("房费" for a converted hourly line)
        Money price;
        Money quantity;
        Money amount;
        bool converted = false; // an hourly line that became a day line; its room is now "占用"
    };
    struct Result {
        QList<ChangedLine> changed;
        QStringList convertedRooms;
        QString error; // empty, or the call site's message followed by the error text
    };

    RoomCharges(const DbSession& db, const AppSettings& settings, const Clock& clock);

    // RecalcRoomCharges: brings every open room-charge line of the hotel up to date at the
    // clock's time. Does nothing unless 房费自动计算 is "自动计算". An error stops the run at
    // that row (rows already written keep their values) and is returned in Result::error.
    Result recalc(CallSite site) const;

    // Day rule: days charged from `start` to `now`.
    static Money dayQuantity(const QDateTime& start, const QDateTime& now, const AppSettings& settings);
    // Started hours from `start` to `now` (every started hour counts).
    static qint64 startedHours(const QDateTime& start, const QDateTime& now);

    // RoundAmountDue: the 计算精度 rule, as the text shown for the amount due.
    static QString roundAmountDue(Money amount, const AppSettings& settings);

    // The 计算过程 rule for a bill group: the discounted value of the group's discountable
    // lines at rate `rateTenths` ("10" = none, "8" = 80 %).
    Money discountedValue(const QString& mainRoom, double rateTenths) const;

private:
    const DbSession& m_db;
    const AppSettings& m_settings;
    const Clock& m_clock;
};
