#pragma once

#include <QString>
#include <QStringList>

class DbSession;

// The room status tools: setting the state of a room that is not occupied, the idle rooms.
class RoomStatusService {
public:
    explicit RoomStatusService(const DbSession& db) : m_db(db) {}

    // The five states the state changer may set, in button order.
    static QStringList settableStates();

    // Sets 使用状态 only; occupied rooms are refused (their state belongs to check-in and check-out).
    void setState(const QString& room, const QString& state) const;
    QString state(const QString& room) const;
    // Every 包房类型, in table order.
    QStringList roomTypes() const;
    // Idle rooms, of one type or (empty type) of all, in the order the database returns them.
    QStringList idleRooms(const QString& type = QString()) const;
    QString checkInTime(const QString& room) const;

private:
    const DbSession& m_db;
};
