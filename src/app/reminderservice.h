#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

class DbSession;

// The reminder settings row (提醒设置) and the lists the reminder timers show; the
// dirty-room sweep.
class ReminderService {
public:
    struct Settings {
        bool birthday = false;
        int birthdayDays = 0;
        bool idleCustomers = false;
        int idleCustomerDays = 0;
        bool daily = false;
        QTime dailyTime;
        bool hourly = false;
        int hourlyMinutes = 0;
    };
    struct DueRoom {
        QString room;
        QString checkInTime;
    };
    // One member card row as the reminder lists show it.
    struct Member {
        QString name, sex, cardType, cardNo, phone, birthDate, balance, discount, idNumber, company, address;
    };

    explicit ReminderService(const DbSession& db) : m_db(db) {}

    Settings load() const;
    // Writes every value, whether or not its flag is on.
    void save(const Settings& s) const;

    // Daily rooms (占用) checked in before 06:00 of `now`'s day.
    QList<DueRoom> dailyCheckoutRooms(const QDateTime& now) const;
    // Hourly rooms checked in exactly 3 hours minus `minutesAhead` before `now`.
    QList<DueRoom> hourlyDueRooms(const QDateTime& now, int minutesAhead) const;
    // Members whose 生日3 lies between the two days (texts with the date separator).
    QList<Member> birthdays(const QDate& from, const QDate& to, QChar separator) const;
    // Members without consumption since `before` (or never).
    QList<Member> idleMembers(const QDate& before) const;

    // 脏台 rooms checked out at least `minutes` ago become 空闲; returns the number changed.
    int sweepDirtyRooms(const QDateTime& now, int minutes) const;

    // The time-only value is stored on the database's zero day.
    static QDateTime timeValue(const QTime& t);

private:
    const DbSession& m_db;
};
