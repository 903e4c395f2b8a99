#pragma once

#include "core/money.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

class DbSession;

// The statement helper: SQL text with Chinese named parameters (":手牌号"), bound by
// name. Qt binds only ASCII names, so the text is rewritten to positional parameters
// before prepare() and each value goes to every position of its name. Nothing is
// ever spliced into the text. Errors throw HotelError with the database's own text.
class SqlQuery {
public:
    SqlQuery(const DbSession& session, const QString& sql);

    // The rewritten text and the parameter name of each position (for tests).
    static QString rewrite(const QString& sql, QStringList* names);

    SqlQuery& bind(const QString& name, const QString& value);
    SqlQuery& bind(const QString& name, const char16_t* value) { return bind(name, QString::fromUtf16(value)); }
    SqlQuery& bind(const QString& name, Money value);
    SqlQuery& bind(const QString& name, const QDateTime& value);
    SqlQuery& bind(const QString& name, const QDate& value);
    SqlQuery& bind(const QString& name, int value);
    SqlQuery& bind(const QString& name, qint64 value);
    SqlQuery& bind(const QString& name, double value);
    SqlQuery& bindNull(const QString& name);

    // Executes; throws HotelError on failure or on a parameter left unbound.
    SqlQuery& exec();
    bool next() { return m_query.next(); }
    int rowsAffected() const { return m_query.numRowsAffected(); }
    QVariant lastInsertId() const { return m_query.lastInsertId(); }
    QStringList columnNames() const;
    int columnCount() const;

    QVariant value(const QString& column) const;
    QVariant value(int index) const { return m_query.value(index); }
    bool isNull(const QString& column) const;
    // Text of a column; date-times come back in storage form "yyyy-MM-dd HH:mm:ss".
    QString text(const QString& column) const;
    QString text(int index) const;
    Money money(const QString& column) const;
    Money money(int index) const;
    QDateTime dateTime(const QString& column) const;
    qint64 integer(const QString& column) const;
    double number(const QString& column) const;

    // Converts a stored money value (an integer of ten-thousandths, or a numeric sum as text).
    static Money moneyFromVariant(const QVariant& v);
    static QString textFromVariant(const QVariant& v);
    static QDateTime dateTimeFromVariant(const QVariant& v);

    QSqlQuery& raw() { return m_query; }

private:
    int indexOf(const QString& column) const;
    void setValue(const QString& name, const QVariant& v);

    const DbSession& m_session;
    QString m_sql;
    QStringList m_names;
    QList<QVariant> m_values;
    QList<bool> m_bound;
    QSqlQuery m_query;
};
