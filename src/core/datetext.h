#pragma once

#include <QDateTime>
#include <QString>

// Date and time texts: the storage form "yyyy-MM-dd HH:mm:ss" and the dates shown
// to people with the date separator of the settings.
namespace DateText {

QString storage(const QDateTime& t);          // "2026-12-11 08:30:00"
QString storageDate(const QDate& d);          // "2026-12-11"
QString display(const QDate& d, QChar separator);               // "2026-12-11" or "2026/12/11"
QString displayDateTime(const QDateTime& t, QChar separator);   // date + " hh:mm:ss"
// Reads "yyyy-MM-dd HH:mm:ss", "yyyy/MM/dd HH:mm:ss", with or without seconds or the time,
// or the ISO form with "T"; an invalid QDateTime when the text is none of these.
QDateTime parseDateTime(const QString& text);
// Whole calendar days from a's date to b's date (negative when b is earlier).
qint64 calendarDays(const QDate& a, const QDate& b);
// The short-date separator of the system locale ("-" when it cannot be told).
QChar systemDateSeparator();

} // namespace DateText
