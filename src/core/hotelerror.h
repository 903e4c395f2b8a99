#pragma once

#include <QString>
#include <exception>

// The one error type of the core: its text is what the user sees.
class HotelError : public std::exception {
public:
    explicit HotelError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
