#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

class DbSession;

// Reservations (预定信息) and the "预定" state of the rooms they hold.
class ReservationService {
public:
    struct Reservation {
        qint64 id = 0;
        QString room, name, phone, guests;
        QDateTime arrive, hold;
        QString remark, voided;
    };
    struct Reserved {
        qint64 id = 0;
        bool roomReserved = false; // false: the room was not idle and kept its state
    };

    explicit ReservationService(const DbSession& db) : m_db(db) {}

    // Stores the reservation and turns the room "预定" when it is idle, in one transaction.
    // The guest count is checked first; the room must exist.
    Reserved reserve(const Reservation& r) const;
    // Every reservation, or those of a room and/or with an arrival between the two moments.
    QList<Reservation> query(const std::optional<QString>& room, const std::optional<QDate>& from,
                             const std::optional<QDate>& to) const;
    // Saves a corrected row (in-place editing of the query window).
    void update(const Reservation& r) const;
    // Deletes the reservation; the room keeps its state.
    void cancel(qint64 id) const;

private:
    const DbSession& m_db;
};
