#pragma once

#include "core/money.h"
#include "reports/reportdata.h"

#include <QDateTime>
#include <QString>

class DbSession;
class Clock;
struct AppSettings;

// Deposit top-up of an occupied room (续交押金): the amount accumulates in 酒店手牌表.押金.
class DepositService {
public:
    struct Result {
        Money added, total;
        QDateTime at;
    };
    DepositService(const DbSession& db, const AppSettings& settings, const Clock& clock);
    // Validates the amount, then adds it to the room's deposit with one relative update (a
    // negative amount takes some back). Only an occupied room takes a deposit.
    Result topUp(const QString& room, const QString& amount) const;
    // The deposit receipt on 客房开单小票: the amount just added, not the new total.
    static ReportData receipt(const AppSettings& settings, const QString& room, const Result& r);

private:
    const DbSession& m_db;
    const AppSettings& m_settings;
    const Clock& m_clock;
};
