#pragma once

#include <QString>
#include <QStringList>

class TDM;
class DbSession;
struct AppSettings;
class Clock;

// The login: device choices of the workstation, the password check and the steps a good
// login runs on the databases and AppSettings, in their fixed order.
class LoginService {
public:
    // Caller-ID choices kept in temp.db.
    struct DeviceChoices {
        bool callerId = false;  // "来电显示"
        QString port;           // 串口 "1" … "20"
        QString lines;          // 类型 "一路", "二路", "四路"
        bool recording = false; // "来电显示及通话录音"
    };

    struct Outcome {
        QString recalcError; // the room-charge refresh message, empty when it ran cleanly
    };

    LoginService(const TDM& dm, AppSettings& settings, const Clock& clock);

    DeviceChoices deviceChoices() const;

    // Exact check of user and password. A row that still holds a plain-text password is
    // rewritten as a hash once it has matched.
    bool checkPassword(const QString& user, const QString& password) const;

    // Operator, log row and rights (steps up to the rights; the window then applies them).
    void startSession(const QString& user) const;
    // Caller-ID choices, column types, oem.ini and sz.ini, room charges, null fills, hotel settings.
    Outcome finishSession(const DeviceChoices& choices) const;

    // Each column-type statement of the login on this engine: checks the column has the
    // program's type and converts it only when it does not. Returns the columns converted.
    static QStringList ensureColumnTypes(const DbSession& db);

private:
    const TDM& m_dm;
    AppSettings& m_settings;
    const Clock& m_clock;
};
