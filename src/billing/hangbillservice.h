#pragma once

#include "core/money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class DbSession;
class Clock;
class SqlQuery;

// Hang bills (挂单): settled bills whose money is still owed, their search and repayment.
class HangBillService {
public:
    struct Bill {
        QString billNo;
        Money due, paid;
        QString time, cardNo, name;
    };
    struct Repaid {
        Money due, change;
        bool fromCard = false; // taken from the card's stored value
    };

    HangBillService(const DbSession& db, const Clock& clock) : m_db(db), m_clock(clock) {}

    // A member's hang bills (by card number).
    QList<Bill> byCard(const QString& cardNo) const;
    // Hang bills without a card whose name contains `name` (all of them for an empty name).
    QList<Bill> byName(const QString& name) const;
    // Hang bills hung from `from` to `to` (both days included).
    QList<Bill> inPeriod(const QDate& from, const QDate& to) const;

    // Repays every bill of `billNos` in full, in one transaction: each becomes "会员卡" (member
    // mode) or "现金", counted in this month and the next shift handover. `paidText` must cover
    // the total ("请输入正确的付款金额！！"). In member mode with a card holding stored value, the
    // total is taken from the card instead (refused when the card holds too little).
    // A bill another station repaid meanwhile stops the whole repayment.
    Repaid repay(const QStringList& billNos, bool member, const QString& cardNo,
                 const QString& paidText) const;

private:
    QList<Bill> list(SqlQuery& q) const;
    const DbSession& m_db;
    const Clock& m_clock;
};
