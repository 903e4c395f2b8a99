#pragma once

#include "core/money.h"

#include <QString>
#include <QStringList>
#include <optional>

class DbSession;
struct AppSettings;
class IniFile;

// Rooms, room types, categories, goods, card types, waiters and the rules of the
// basic data setup. Every write checks its input first and writes nothing on error.
class BaseDataService {
public:
    BaseDataService(const DbSession& db, AppSettings& settings);

    // Rooms
    struct BatchResult {
        QStringList created;
    };
    // Creates prefix+from … prefix+to in one transaction. Empty fields, a non-numeric or
    // negative range, no type, or a room number that already exists: HotelError naming it, nothing written.
    // A to-number below the from-number creates nothing and is no error.
    BatchResult createRoomBatch(const QString& from, const QString& to, const QString& prefix,
                                const QString& roomType) const;
    void addRoom(const QString& room, const QString& roomType) const;
    // Changes a room's number and type; refused while the room has open bill lines.
    void updateRoom(const QString& room, const QString& newNumber, const QString& roomType) const;
    // Deletes a room; refused while it has open bill lines.
    void deleteRoom(const QString& room) const;
    bool roomHasOpenLines(const QString& room) const;
    bool roomExists(const QString& room) const;

    // Room types (the key is the name)
    void saveRoomType(const QString& oldName, const QString& name, Money dayPrice, Money hourPrice) const;
    void deleteRoomType(const QString& name) const;

    // Service categories
    void saveCategory(const QString& oldName, const QString& name, const QString& needsWaiter,
                      const QString& discountable) const;
    void deleteCategory(const QString& name) const;

    // Goods and services. A new stock-kept item gets its stock row in the default warehouse
    // (empty cost: the stock row's unit cost stays empty, the item's cost is 0). One transaction.
    struct Item {
        QString code, name, category, pinyin, description;
        QString price, cost, commission; // as typed; empty cost and commission count as 0
        bool stockKept = false;
    };
    void saveItem(const QString& oldName, const Item& item) const;
    void deleteItem(const QString& name) const;

    // Member card types
    void saveCardType(const QString& oldName, const QString& name, const QString& rate,
                      const QString& commission, const QString& description) const;
    void deleteCardType(const QString& name) const;

    // Rules: each writes only its own sections of sz.ini and updates AppSettings at once.
    void setDirtyRoomRule(IniFile& sz, const QString& mode, const QString& minutes) const;
    void setRoomChargeRule(IniFile& sz, bool automatic, bool halfDayMinimum) const;
    void setSurchargeHours(IniFile& sz, const QString& halfDay, const QString& fullDay) const;
    void setPrecision(IniFile& sz, const QString& precision, const QString& process) const;
    void setHourlyRule(IniFile& sz, const QString& minimum, const QString& toDay) const;
    void setBillStyle(IniFile& sz, const QString& style) const;
    void setHotelInfo(const QString& name, const QString& phone, const QString& address) const;
    void setPointsRule(bool onlyRoomCharges) const;
    // The one row of 门锁设置.
    void setDoorLock(const QString& hotelId, const QString& password, const QString& model,
                     const QString& port) const;

    // Listings, ordered by room number / item code and name.
    struct RoomRow {
        QString room, roomType, state;
    };
    QList<RoomRow> rooms() const;
    QList<Item> items() const;

private:
    const DbSession& m_db;
    AppSettings& m_settings;
};
