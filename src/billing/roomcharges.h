#pragma once

#include "core/money.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

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
        QString item; // the item after the run ("房费" for a converted hourly line)
        Money price;
        Money quantity;
        Money amount;
        bool converted = false; // an hourly line that became a day line; its room is now "占用"
    };
    struct Result {
        QList<ChangedLine> changed; // every line the run wrote, in the order written
        QStringList convertedRooms; // rooms moved from "钟点房" to "占用" (their tiles need a redraw)
        QString error;              // empty, or the call site's message followed by the error text
    };

    RoomCharges(const DbSession& db, const AppSettings& settings, const Clock& clock);

    // RecalcRoomCharges: brings every open room-charge line of the hotel up to date, reading
    // the clock afresh for each line. Does nothing unless 房费自动计算 is "自动计算". The writes
    // run in one transaction; an error stops the run at that row, the rows written before it
    // are committed with their new values, and the error is returned in Result::error.
    Result recalc(CallSite site) const;

    // The message that starts an error report of the call site.
    static QString errorPrefix(CallSite site);

    // Day rule: days charged from `start` to `now` (calendar dates and the hour of `now` only).
    // Throws HotelError when 追加半天时间 or 追加一天时间 is not an integer.
    static Money dayQuantity(const QDateTime& start, const QDateTime& now, const AppSettings& settings);
    // Started hours from `start` to `now`: whole hours elapsed, truncated, plus one.
    static qint64 startedHours(const QDateTime& start, const QDateTime& now);

    // RoundAmountDue: the 计算精度 rule, as the text shown for the amount due.
    static QString roundAmountDue(Money amount, const AppSettings& settings);

    // The 计算过程 rule for a bill group: the discounted value of the lines of `mainRoom`
    // whose 参与打折 is "是", at rate `rateTenths` ("10" = none, "8" = 80 %).
    Money discountedValue(const QString& mainRoom, Money rateTenths) const;

private:
    const DbSession& m_db;
    const AppSettings& m_settings;
    const Clock& m_clock;
};
