#pragma once

#include <QString>
#include <QStringList>

class DbSession;

// 先走不结帐: a room of a bill group leaves early; its open lines go to a partner room of the
// same group, which settles them later, and the room is freed at once.
class WalkoutService {
public:
    explicit WalkoutService(const DbSession& db) : m_db(db) {}

    // The room's group (主牌).
    QString mainRoomOf(const QString& room) const;
    // The other rooms of the room's group: the possible settlement partners.
    QStringList partners(const QString& room) const;
    // Hands the lines and the deposit of `room` to `partner` and frees `room` ("空闲"); when `room`
    // carried the bill, the group gets `partner` as its new main room. One transaction.
    void walkOut(const QString& room, const QString& partner) const;

private:
    const DbSession& m_db;
};
