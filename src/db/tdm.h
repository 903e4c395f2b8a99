#pragma once

#include "dbsession.h"
#include "patchupgrade.h"

#include <QString>

// The data module: owns the three database connections of the run (main, patch,
// scratch) and brings the main database up to date before any window opens.
class TDM {
public:
    static inline const QString kConnectFailed = QStringLiteral("连接失败，请您先进行数据库设置！！");

    // Raised when network mode cannot reach the server; the program then starts dbsetup and ends.
    struct ConnectFailed {
        QString databaseText;
    };

    // Opens the hotel in `home`: reads kf.ini, connects (SQLite mr.db, or the server in network
    // mode), creates missing tables, runs the patch upgrade. Throws ConnectFailed in network
    // mode when the server does not answer, HotelError for anything else.
    explicit TDM(const QString& home, const QString& connectionPrefix = QStringLiteral("hotel"));
    ~TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    // The instance of the running program (null before one is created).
    static TDM* instance();

    const QString& home() const { return m_home; }
    QString path(const QString& file) const;
    const DbSession& main() const { return m_main; }
    const DbSession& patch() const { return m_patch; }
    const DbSession& scratch() const { return m_scratch; }
    const PatchUpgrade::Result& upgrade() const { return m_upgrade; }

    // Re-reads sz.ini, oem.ini and the hotel settings rows into AppSettings.
    void loadSettings() const;

private:
    QString m_home;
    DbSession m_main, m_patch, m_scratch;
    PatchUpgrade::Result m_upgrade;
};
