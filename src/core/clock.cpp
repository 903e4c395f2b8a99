#include "clock.h"

#include "datetext.h"
#include "hotelerror.h"

Clock& Clock::instance() {
    static Clock clock;
    return clock;
}

QDateTime Clock::now() const {
    if (m_fixed.isValid())
        return m_fixed;
    QDateTime t = QDateTime::currentDateTime();
    t.setTime(QTime(t.time().hour(), t.time().minute(), t.time().second()));
    return t;
}

void Clock::fix(const QDateTime& moment) {
    QDateTime t = moment;
    t.setTime(QTime(t.time().hour(), t.time().minute(), t.time().second()));
    m_fixed = t;
}

void Clock::advance(qint64 seconds) {
    if (!m_fixed.isValid())
        m_fixed = now();
    m_fixed = m_fixed.addSecs(seconds);
}

void Clock::fixFromText(const QString& text) {
    const QDateTime t = DateText::parseDateTime(text);
    if (!t.isValid())
        throw HotelError(QStringLiteral("时间格式不正确：%1（应为 yyyy-MM-dd HH:mm:ss）").arg(text));
    fix(t);
}

void Clock::fixFromEnvironment() {
    const QString env = qEnvironmentVariable("HOTEL_NOW");
    if (!env.trimmed().isEmpty())
        fixFromText(env.trimmed());
}
