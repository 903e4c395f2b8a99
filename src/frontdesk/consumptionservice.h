#pragma once

#include "core/money.h"
#include "openlines.h"

#include <QList>
#include <QString>
#include <optional>

class DbSession;
class Clock;
struct AppSettings;

// Charges goods and services to the open bill of a room (店内消费记录), with the stock issue of
// stock-kept goods, and the edits the consumption window allows on a line.
class ConsumptionService {
public:
    struct Item {
        QString code, name, category, pinyin;
        Money price;
        bool stockKept = false;
    };
    struct Added {
        qint64 lineId = 0;
        QString mainRoom;
        bool roomWasReserved = false; // the room became "占用": its tile needs a redraw
    };

    ConsumptionService(const DbSession& db, const AppSettings& settings, const Clock& clock);

    // Items whose pinyin abbreviation contains `search` (every item for an empty text).
    QList<Item> items(const QString& search = QString()) const;
    std::optional<Item> item(const QString& name) const;
    // True when the item's category asks for a waiter or technician (是否需要服务生 "需要").
    bool needsTechnician(const QString& itemName) const;

    // Adds `quantity` of the item to the room's bill in one transaction: the line (with the
    // room's main room, the category's discount flag and the technician), the stock issue and,
    // for a reserved room, the change to "占用". `price` replaces the item's price when given;
    // `noDiscount` keeps the line out of the member discount whatever its category says.
    // The quantity is validated before anything is written. The main room is the one stored on
    // the room's row when the line is written; the `mainRoom` a window kept since it opened may
    // be stale and is not used.
    Added add(const QString& room, const QString& mainRoom, const QString& itemName, const QString& quantity,
              const QString& technician, const std::optional<QString>& price = std::nullopt,
              bool noDiscount = false) const;

    // A new price for a line; 金额 = 单价 × 消费数量.
    OpenLines::Line setPrice(qint64 lineId, const QString& price) const;
    // 赠单: the line's amount becomes 0, nothing else changes.
    void giveAway(qint64 lineId) const;
    // Marks every line of the room "老单" (the window was closed or went to check-out).
    void markOld(const QString& room) const;
    // The room's deposit.
    Money deposit(const QString& room) const;
    // Occupied rooms other than `except`, with their main rooms (the quick room switch).
    QList<QPair<QString, QString>> otherOccupiedRooms(const QString& except) const;

    // The caption of the return button for a line: "退单F9" for an old line, else "删单F9".
    static QString returnCaption(const OpenLines::Line* line);

private:
    const DbSession& m_db;
    const AppSettings& m_settings;
    const Clock& m_clock;
};
