#pragma once

#include "core/money.h"

#include <QDate>
#include <QList>
#include <QString>

class DbSession;

// What the room board reads: room types and their rooms, one room's state and details,
// its open bill lines, the business totals, the room counts and today's calls.
class RoomBoardService {
public:
    static constexpr int kMaxPages = 10;

    struct RoomType {
        qint64 id = 0;
        QString name;
    };
    struct RoomTile {
        QString room;
        QString state;
        QString mainRoom;
        bool found = false;
    };
    struct RoomInfo {
        bool found = false;
        QString room, type, state, mainRoom;
        Money deposit;
        bool occupied = false; // 占用 or 钟点房: the guest fields come from the main room's row
        QString checkInTime, guestName, guests, idType, idNumber, phone, company, remark;
    };
    struct BillLine {
        QString item;
        Money price, quantity, amount;
        QString mainRoom;
        QString time;
    };
    struct Takings {
        Money taken; // cash taken since the last shift handover
        Money open;  // all open bill lines
        Money total() const { return taken + open; }
    };
    struct Counts {
        qint64 rooms = 0;
        qint64 occupied = 0;
    };
    struct Call {
        QString phone, time, customer, result, recording;
    };

    explicit RoomBoardService(const DbSession& db) : m_db(db) {}

    static bool isOccupied(const QString& state);

    // The room types that get a page: the first ten by id.
    QList<RoomType> pageTypes() const;
    // The rooms of one type, by room number.
    QList<RoomTile> roomsOfType(const QString& type) const;
    // One room as it is stored now (found = false when there is no such room).
    RoomTile room(const QString& room) const;
    RoomInfo roomInfo(const QString& room) const;
    // The open lines consumed in this room (not the whole bill of its group).
    QList<BillLine> billLines(const QString& room) const;
    Takings takings() const;
    Counts counts() const;
    QList<Call> callsOn(const QDate& day) const;

private:
    const DbSession& m_db;
};
