#pragma once

#include "core/money.h"
#include "openlines.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class DbSession;
class Clock;
struct AppSettings;

// Taking a charge back: an old line is answered by a negative return line with a reason, a new
// line is deleted outright; stock-kept goods go back to the default warehouse either way. Also
// the list of return reasons and the query of returns on settled bills.
class ReturnsService {
public:
    struct SettledReturn {
        QString billNo;
        qint64 totalNo = 0;
        QString room, item, reason;
        Money price, quantity, amount;
        QString technician;
        QDateTime date;
    };

    ReturnsService(const DbSession& db, const AppSettings& settings, const Clock& clock);

    // Returns `quantity` of an old line (退单): appends the return line and puts the goods back,
    // in one transaction. The quantity is validated first; "0" returns nothing (0 is returned).
    // `room`, when given, must be the line's room.
    qint64 returnLine(qint64 lineId, const QString& quantity, const QString& reason,
                      const QString& room = QString()) const;
    // Deletes a new line (删单) and puts its goods back, in one transaction.
    void deleteLine(qint64 lineId, const QString& room = QString()) const;

    QStringList reasons() const;
    void addReason(const QString& reason) const;
    void removeReason(const QString& reason) const;

    // Returns on settled bills dated from `from` (inclusive) to `toExclusive`.
    QList<SettledReturn> settledReturns(const QDateTime& from, const QDateTime& toExclusive) const;

private:
    OpenLines::Line line(qint64 lineId, const QString& room) const;
    const DbSession& m_db;
    const AppSettings& m_settings;
    const Clock& m_clock;
};
