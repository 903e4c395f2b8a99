#include "sqlquery.h"

#include "core/datetext.h"
#include "core/hotelerror.h"
#include "dbsession.h"

#include <QSqlError>
#include <QSqlRecord>

#include <cmath>

namespace {

bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

} // namespace

QString SqlQuery::rewrite(const QString& sql, QStringList* names) {
    QString out;
    out.reserve(sql.size());
    const int n = int(sql.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            // Quoted text or identifier: copied as is ('' and "" are escaped quotes).
            const int start = i;
            ++i;
            while (i < n) {
                if (sql[i] == c) {
                    if (i + 1 < n && sql[i + 1] == c) {
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            out += QStringView(sql).mid(start, i - start + 1);
            continue;
        }
        if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') { // line comment
            const int end = sql.indexOf(u'\n', i);
            const int stop = end < 0 ? n : end;
            out += QStringView(sql).mid(i, stop - i);
            i = stop - 1;
            continue;
        }
        if (c == u':') {
            if (i + 1 < n && sql[i + 1] == u':') { // a :: cast
                out += QStringLiteral("::");
                ++i;
                continue;
            }
            int j = i + 1;
            while (j < n && isNameChar(sql[j]))
                ++j;
            if (j > i + 1) {
                names->append(sql.mid(i + 1, j - i - 1));
                out += u'?';
                i = j - 1;
                continue;
            }
        }
        out += c;
    }
    return out;
}

SqlQuery::SqlQuery(const DbSession& session, const QString& sql)
    : m_session(session), m_sql(sql), m_query(session.database()) {
    const QString positional = rewrite(sql, &m_names);
    m_values.resize(m_names.size());
    m_bound.fill(false, m_names.size());
    m_query.setForwardOnly(true);
    if (!m_query.prepare(positional)) {
        const QSqlError e = m_query.lastError();
        QString text = e.databaseText().trimmed();
        throw HotelError(text.isEmpty() ? e.text() : text);
    }
}

void SqlQuery::setValue(const QString& name, const QVariant& v) {
    bool any = false;
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0) {
            m_values[i] = v;
            m_bound[i] = true;
            any = true;
        }
    }
    if (!any)
        throw HotelError(QStringLiteral("语句中没有参数 :%1").arg(name));
}

SqlQuery& SqlQuery::bind(const QString& name, const QString& value) {
    // A null QString binds as an empty text: the program stores "" rather than null for texts typed.
    setValue(name, value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value));
    return *this;
}

SqlQuery& SqlQuery::bind(const QString& name, Money value) {
    setValue(name, QVariant(qlonglong(value.raw())));
    return *this;
}

SqlQuery& SqlQuery::bind(const QString& name, const QDateTime& value) {
    setValue(name, value.isValid() ? QVariant(DateText::storage(value)) : QVariant(QMetaType::fromType<QString>()));
    return *this;
}

SqlQuery& SqlQuery::bind(const QString& name, const QDate& value) {
    setValue(name, value.isValid() ? QVariant(DateText::storageDate(value)) : QVariant(QMetaType::fromType<QString>()));
    return *this;
}

SqlQuery& SqlQuery::bind(const QString& name, int value) {
    setValue(name, QVariant(value));
    return *this;
}

SqlQuery& SqlQuery::bind(const QString& name, qint64 value) {
    setValue(name, QVariant(qlonglong(value)));
    return *this;
}

SqlQuery& SqlQuery::bind(const QString& name, double value) {
    setValue(name, QVariant(value));
    return *this;
}

SqlQuery& SqlQuery::bindNull(const QString& name) {
    setValue(name, QVariant(QMetaType::fromType<QString>()));
    return *this;
}

SqlQuery& SqlQuery::exec() {
    for (int i = 0; i < m_names.size(); ++i) {
        if (!m_bound[i])
            throw HotelError(QStringLiteral("参数 :%1 没有赋值").arg(m_names[i]));
        m_query.bindValue(i, m_values[i]);
    }
    if (!m_query.exec()) {
        const QSqlError e = m_query.lastError();
        QString text = e.databaseText().trimmed();
        throw HotelError(text.isEmpty() ? e.text() : text);
    }
    return *this;
}

QStringList SqlQuery::columnNames() const {
    QStringList out;
    const QSqlRecord r = m_query.record();
    for (int i = 0; i < r.count(); ++i)
        out << r.fieldName(i);
    return out;
}

int SqlQuery::columnCount() const { return m_query.record().count(); }

int SqlQuery::indexOf(const QString& column) const {
    const int i = m_query.record().indexOf(column);
    if (i < 0)
        throw HotelError(QStringLiteral("查询结果中没有列 %1").arg(column));
    return i;
}

QVariant SqlQuery::value(const QString& column) const { return m_query.value(indexOf(column)); }

bool SqlQuery::isNull(const QString& column) const { return m_query.isNull(indexOf(column)); }

QString SqlQuery::textFromVariant(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return DateText::storage(v.toDateTime());
    if (v.typeId() == QMetaType::QDate)
        return DateText::storageDate(v.toDate());
    return v.toString();
}

QString SqlQuery::text(const QString& column) const { return textFromVariant(value(column)); }
QString SqlQuery::text(int index) const { return textFromVariant(m_query.value(index)); }

Money SqlQuery::moneyFromVariant(const QVariant& v) {
    if (v.isNull())
        return Money();
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::ULongLong:
    case QMetaType::UInt:
        return Money::fromRaw(v.toLongLong());
    case QMetaType::Double:
        return Money::fromRaw(qint64(std::llround(v.toDouble())));
    default:
        break;
    }
    // A numeric from the server (sum of bigint) arrives as text of a count of ten-thousandths.
    const QString s = v.toString().trimmed();
    Money m;
    if (!Money::tryParse(s, &m))
        throw HotelError(QStringLiteral("金额数据不正确：%1").arg(s));
    return m / Money::fromInt(Money::Scale);
}

Money SqlQuery::money(const QString& column) const { return moneyFromVariant(value(column)); }
Money SqlQuery::money(int index) const { return moneyFromVariant(m_query.value(index)); }

QDateTime SqlQuery::dateTimeFromVariant(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0));
    return DateText::parseDateTime(v.toString());
}

QDateTime SqlQuery::dateTime(const QString& column) const { return dateTimeFromVariant(value(column)); }

qint64 SqlQuery::integer(const QString& column) const {
    const QVariant v = value(column);
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const double d = v.toString().toDouble(&ok);
        return ok ? qint64(d) : 0;
    }
    return v.toLongLong();
}

double SqlQuery::number(const QString& column) const { return value(column).toDouble(); }
