#pragma once

#include "core/money.h"
#include "reports/reportdata.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

class DbSession;
class SqlQuery;
class Clock;
struct AppSettings;

// Member cards (会员卡表): look-ups, issue, top-up, and the stored-value debit that the
// settlements use. Balances change only by relative updates, so two stations working on one
// card at the same moment never lose each other's change.
class MemberCards {
public:
    struct Card {
        qint64 id = 0;
        QString number, name, sex, phone, birth, type, rate, unit;
        Money balance, points;
        QString lastUse;
        // 折扣率 as a money value; an empty or unreadable rate counts as "10" (no discount).
        Money rateValue() const;
    };
    struct IssueRecord {
        qint64 id = 0;
        QString name, sex, phone, birth, number, type, rate, staff, issuedAt;
        Money balance;
        int year = 0, month = 0;
    };
    struct BillRow {
        QString billNo;
        Money due, paid;
    };
    struct BillLine {
        QString item, technician;
        Money price, quantity, amount;
    };

    MemberCards(const DbSession& db, const AppSettings& settings, const Clock& clock);

    // The card with this number (the first of several rows sharing it), or nothing.
    std::optional<Card> find(const QString& number) const;
    // Every customer row carrying this number (the bar counter dialog refuses a shared number).
    QList<Card> findAll(const QString& number) const;
    Card byId(qint64 id) const;

    // A new card with its issue record, in one transaction. Returns the card's id.
    qint64 issue(const Card& card, const QString& staff) const;

    // Adds `amountText` to the stored value of the card `id` (one relative update) and returns
    // the new balance. HotelError for a missing card or an amount that is not money.
    Money topUp(qint64 id, const QString& amountText) const;

    // Takes `amount` from the card's stored value inside the caller's transaction; refuses
    // ("卡内余额不足！！") when the balance is below it at that moment, whatever other stations do.
    static void debit(const DbSession& db, const QString& number, Money amount);
    // Adds points inside the caller's transaction.
    static void addPoints(const DbSession& db, const QString& number, Money points);

    // The card's bills, by bill number, and one bill's lines.
    QList<BillRow> bills(const QString& number) const;
    QList<BillLine> billLines(const QString& billNo) const;
    // Issue records, newest first; all of them, or of one year and month.
    QList<IssueRecord> issueRecords(std::optional<std::pair<int, int>> yearMonth = std::nullopt) const;

    // The variables of 会员卡办卡收据 for a top-up.
    ReportData topUpReceipt(const Card& card, Money added) const;

private:
    static Card read(SqlQuery& q);

    const DbSession& m_db;
    const AppSettings& m_settings;
    const Clock& m_clock;
};
