#pragma once

#include <QList>
#include <QString>

class DbSession;

// The tables of the three databases, described once and created on either engine.
namespace Schema {

enum class Kind {
    Text,     // a string
    Memo,     // a long string
    Money,    // four-place decimal: INTEGER / BIGINT ten-thousandths
    Number,   // a floating value (discount factors, commission rates)
    Integer,  // a whole number
    AutoId,   // identity integer assigned by the database
    DateTime, // "yyyy-MM-dd HH:mm:ss" text / timestamp(0)
    Date,     // "yyyy-MM-dd" text / date
};

struct Column {
    QString name;
    Kind kind = Kind::Text;
    int width = 50;           // for texts: what the entry fields allow
    QString defaultText;      // a constant default, empty for none
    bool defaultToday = false; // the database fills the current date
};

struct Index {
    QString name;
    QStringList columns;
    bool unique = false;
};

struct Table {
    QString name;
    QList<Column> columns;
    QList<Index> indexes;
    const Column* column(const QString& name) const;
};

enum class Database { Main, Scratch, Patch };

const QList<Table>& tables(Database which);
const Table* find(Database which, const QString& table);

// The column type of a kind on the session's engine.
QString sqlType(const DbSession& session, const Column& column);
QString createTableSql(const DbSession& session, const Table& table);

// Creates every missing table, column and index of the database; existing data is kept.
// Single-row tables that must always have their row get it. One transaction.
void ensure(const DbSession& session, Database which);

} // namespace Schema
