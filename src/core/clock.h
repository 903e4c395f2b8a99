#pragma once

#include <QDateTime>

// The one "now" of the program. Fixed by --now or $HOTEL_NOW (tests, support,
// reproducing a bill); otherwise the system clock. Timers read it too, so tests
// move time by setting or advancing a fixed clock instead of sleeping.
class Clock {
public:
    // The process-wide clock.
    static Clock& instance();

    // Local date and time, whole seconds.
    QDateTime now() const;
    bool isFixed() const { return m_fixed.isValid(); }
    void fix(const QDateTime& moment);
    void release() { m_fixed = QDateTime(); }
    // Moves a fixed clock forward (or back with a negative count).
    void advance(qint64 seconds);

    // Fixes the clock from "yyyy-MM-dd HH:mm:ss" (or "yyyy-MM-dd HH:mm", "yyyy-MM-ddTHH:mm:ss");
    // throws HotelError on a text that is not a date and time.
    void fixFromText(const QString& text);
    // Applies $HOTEL_NOW when set.
    void fixFromEnvironment();

private:
    QDateTime m_fixed;
};
