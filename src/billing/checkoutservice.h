#pragma once

#include "core/money.h"
#include "members/membercards.h"
#include "reports/reportdata.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class DbSession;
class Clock;
struct AppSettings;

// The settlement of a room's bill group (宾客结帐): totals with member discount, rounding and
// deposit, and the check-out itself — bill header and lines, rooms dirty, card debited and
// credited with points, open lines removed — in one transaction. The window and hotelctl both
// settle through here.
class CheckoutService {
public:
    struct Line {
        qint64 id = 0;
        QString room, item, technician, returned, returnReason, operatorName, discountFlag;
        Money price, quantity, amount;
        QDateTime time;
    };
    struct RoomInfo {
        QString room, mainRoom, state, cardNo, guestName, idNumber, checkInOperator;
        QDateTime checkInTime;
        Money roomRatio, listPrice, paidPrice;
    };
    enum class PayMode { Cash, StoredValue };

    // What the cashier chose; everything else is read from the database.
    struct Options {
        QString room;
        bool memberMode = false; // 会员消费
        QString cardNo;          // 会员编号 (member mode only)
        QString writeOff = QStringLiteral("0");
        QString paid; // cash handed over (cash mode); empty counts as 0
        bool hang = false, waive = false;
        std::optional<QString> guestName; // default: the room's 主客姓名
        QString customerUnit, invoice = QStringLiteral("0"), remark;
        // The amount due the cashier saw; the settlement refuses when the bill changed since.
        std::optional<Money> expectedDue;
    };
    struct Quote {
        RoomInfo room;
        QList<Line> lines;
        std::optional<MemberCards::Card> card; // member mode and the card was found
        bool memberMode = false;
        PayMode mode = PayMode::Cash;
        QString rate = QStringLiteral("10");
        Money discountable, nonDiscountable, consumption, discountedValue, discount, writeOff;
        Money amountDue; // 应收金额
        Money deposit;   // 押    金
        Money netDue;    // 实收金额 = 应收金额 − 押金 (0 for hang and waive)
        Money paid;      // cash handed over, or the part taken from the card
        Money change;    // 找    零
        Money balance;   // 卡内余额
        QString cardNo, memberName, memberLevel, memberUnit, guestName;
        bool hang = false, waive = false;
        Money invoice;
        QString customerUnit, remark;
    };
    // The extra tenders of the mixed-tender settlement (联合结帐).
    struct Tenders {
        Money cash, voucher, creditCard, member, oneCard, change;
        QString creditCardNo, memberCardNo;
    };
    struct Result {
        QString billNo;
        qint64 totalNo = 0;
        QString type; // 类型 written
        Quote quote;
        QStringList rooms; // released, for the board
        QDateTime at;
        bool cardFound = false;
        Money balanceBefore, pointsAfter, balanceAfter;
        std::optional<Tenders> tenders; // set for a mixed-tender settlement
    };

    CheckoutService(const DbSession& db, const AppSettings& settings, const Clock& clock,
                    QString errorLogPath = QString());

    // The room's row; HotelError when there is no such room.
    RoomInfo room(const QString& room) const;
    // Every total the window shows, for these choices. Does not write.
    Quote quote(const Options& options) const;
    // The check-out. Validation messages come before anything is written; any error after that
    // rolls everything back, is appended to bug.txt and is raised as "结帐信息错误：" + its text.
    Result settle(const Options& options) const;
    // The mixed-tender check-out (Tlianhe_jiezhang) on the same bill group.
    Result settleMixed(const Options& options, const Tenders& tenders) const;

    // The variables and lines of the bill template.
    static ReportData billReport(const Result& result, const AppSettings& settings);
    // The bill template file for the 默认自定义打印报表样式 setting (empty for an unknown style).
    static QString billTemplate(const AppSettings& settings);

    // 找零 of a quote for a given cash amount (what typing in the paid field shows).
    static Money changeFor(const Quote& q, Money paid) { return paid - q.netDue; }

private:
    QList<Line> lines(const QString& mainRoom) const;
    Money sumOf(const QString& mainRoom, const QString& flag) const;
    Money roomChargeSum(const QString& mainRoom) const;
    void validate(const Quote& q) const;
    void lockGroup(const QString& mainRoom) const;
    void insertLines(const Quote& q, const QString& billNo, std::optional<qint64> totalNo,
                     const QDateTime& now) const;
    void deleteBilledLines(const Quote& q) const;
    [[noreturn]] void fail(const QString& text, const QDateTime& at, bool log) const;

    const DbSession& m_db;
    const AppSettings& m_settings;
    const Clock& m_clock;
    QString m_errorLog;
};
