#include "datetext.h"

#include <QLocale>

namespace DateText {

QString storage(const QDateTime& t) { return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

QString storageDate(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }

QString display(const QDate& d, QChar separator) {
    const QString sep(separator == u'/' ? u'/' : u'-');
    return d.toString(QStringLiteral("yyyy") + sep + QStringLiteral("MM") + sep + QStringLiteral("dd"));
}

QString displayDateTime(const QDateTime& t, QChar separator) {
    return display(t.date(), separator) + u' ' + t.time().toString(QStringLiteral("HH:mm:ss"));
}

QDateTime parseDateTime(const QString& input) {
    QString text = input.trimmed();
    text.replace(u'/', u'-');
    text.replace(u'T', u' ');
    static const QString formats[] = {
        QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"),
        QStringLiteral("yyyy-MM-dd HH:mm"),    QStringLiteral("yyyy-M-d H:m:s"),
        QStringLiteral("yyyy-M-d H:m"),
    };
    for (const QString& f : formats) {
        const QDateTime t = QDateTime::fromString(text, f);
        if (t.isValid())
            return t;
    }
    for (const QString& f : {QStringLiteral("yyyy-MM-dd"), QStringLiteral("yyyy-M-d")}) {
        const QDate d = QDate::fromString(text, f);
        if (d.isValid())
            return QDateTime(d, QTime(0, 0));
    }
    return {};
}

qint64 calendarDays(const QDate& a, const QDate& b) { return a.daysTo(b); }

QChar systemDateSeparator() {
    const QString fmt = QLocale::system().dateFormat(QLocale::ShortFormat);
    for (QChar c : fmt) {
        if (!c.isLetter() && c != u' ')
            return c;
    }
    return u'-';
}

} // namespace DateText
