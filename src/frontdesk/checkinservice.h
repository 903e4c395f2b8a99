#pragma once

#include "core/money.h"
#include "reports/reportdata.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

class DbSession;
class Clock;
struct AppSettings;

// Check-in of a room, alone or with further rooms as one bill group, and the correction of an
// occupied room's guest details ("修改"). The group's further rooms are gathered in the
// workstation's scratch table 客房开单临时表.
class CheckInService {
public:
    static inline const QString kNew = QStringLiteral("新开");
    static inline const QString kModify = QStringLiteral("修改");

    // The guest details as typed; numeric fields stay texts until validated.
    struct Guest {
        QString name, sex, guests, idType, idNumber, company, phone, address, remark, cardNo;
    };
    struct Input {
        QString room;
        QString mode = kNew;
        bool hourly = false;
        QString deposit = QStringLiteral("0");
        QString ratio = QStringLiteral("1");
        QString price; // 实际单价; empty: the preset price × ratio
        Guest guest;
        // Modify: the deposit the window showed when it loaded the room (none: as read when
        // checking in). An unchanged deposit keeps what is stored; a changed one is refused when
        // the stored deposit moved meanwhile.
        std::optional<Money> loadedDeposit;
    };
    // One further room of a group (a row of 客房开单临时表).
    struct GroupRoom {
        QString room, type;
        Money listPrice, ratio, price;
    };
    struct RoomInfo {
        QString room, type, state, mainRoom;
        QDateTime checkInTime;
        Money presetPrice, hourlyPrice;
        Money deposit, ratio, price;
        Guest guest;
    };
    struct Result {
        QString title;         // "101，其他客房：102;103;" for the receipt
        QStringList rooms;     // every room written, main room first
        QList<qint64> lineIds; // first room-charge lines written
        QDateTime at;
    };

    CheckInService(const DbSession& db, const DbSession& scratch, const AppSettings& settings,
                   const Clock& clock);

    // The room with its type's preset and hourly prices; HotelError when it does not exist.
    RoomInfo room(const QString& room) const;
    // Idle rooms other than `except`, in the order stored.
    QStringList idleRooms(const QString& except) const;

    // Validates every field, then writes the whole check-in (or modification) in one
    // transaction: the rooms, the first room-charge lines and, when modifying, the repriced
    // "房费" lines. Nothing is written when anything fails.
    Result checkIn(const Input& input, const QList<GroupRoom>& group) const;

    // The scratch table of the group page.
    void clearGroup() const;
    // Appends a room at its type's price with ratio 1.
    GroupRoom addToGroup(const QString& room) const;
    void removeFromGroup(const QString& room) const;
    QList<GroupRoom> group() const;
    // Sets a row's ratio (price follows) or price (ratio follows); four places.
    GroupRoom setGroupRatio(const QString& room, const QString& ratio) const;
    GroupRoom setGroupPrice(const QString& room, const QString& price) const;

    // Member look-ups by 卡号, 姓名, 身份证号 or (contained in) 联系电话; the message of the
    // field when no card is found. Card number is filled in every case.
    enum class LookupBy { Card, Name, IdNumber, Phone };
    Guest lookupMember(LookupBy by, const QString& value) const;
    // The region of an ID number's first six digits; nullopt for five characters or fewer.
    std::optional<QString> regionOf(const QString& idNumber) const;

    // 实际单价 from a ratio: preset × ratio to whole yuan, ties to even.
    static Money priceFromRatio(Money preset, Money ratio);
    // 打折比率 from a price, four places; nullopt when the preset is zero.
    static std::optional<Money> ratioFromPrice(Money price, Money preset);
    // The receipt variables of 客房开单小票.
    static ReportData receipt(const AppSettings& settings, const QString& title, const QString& deposit,
                              const QDateTime& at, const QString& idNumber);

private:
    Money startDays() const;
    qint64 hourlyMinimum() const;
    qint64 insertFeeLine(const QString& room, const QString& mainRoom, bool hourly, Money price,
                         const QDateTime& at) const;

    const DbSession& m_db;
    const DbSession& m_scratch;
    const AppSettings& m_settings;
    const Clock& m_clock;
};
