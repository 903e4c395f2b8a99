#pragma once

#include <QDate>
#include <QString>
#include <functional>

class DbSession;

// Bill numbers of 消费主表: 流水号 is the day "yyyymmdd" followed by a four-digit serial of that
// day, 总流水号 a running integer. Both are max + 1; the unique indexes on the two columns turn
// a number taken by another station at the same moment into a conflict, and the insert is
// retried with fresh numbers inside the caller's transaction (behind a savepoint).
class BillNumbers {
public:
    struct Numbers {
        QString billNo;
        qint64 totalNo = 0;
    };

    // The numbers max + 1 would give now.
    static Numbers next(const DbSession& db, const QDate& day);
    // Takes numbers and runs `insertHeader` with them; on a conflict with a bill another station
    // has written meanwhile, undoes the insert and tries again. Must run inside a transaction.
    static Numbers insertWithRetry(const DbSession& db, const QDate& day,
                                   const std::function<void(const Numbers&)>& insertHeader);
    // The serial that follows `maxOfDay` (empty, or a number of another day: the day's 0001).
    static QString following(const QString& maxOfDay, const QDate& day);
};
