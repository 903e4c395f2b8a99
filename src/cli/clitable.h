#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QVariant>

class DbSession;
class SqlQuery;

// Tab-separated output of hotelctl: a header row, then one line per row. Money prints in its
// shortest decimal form, date-times as "yyyy-MM-dd HH:mm:ss", nulls as empty cells.
class CliTable {
public:
    explicit CliTable(QStringList header) : m_header(std::move(header)) {}
    void addRow(const QStringList& cells) { m_rows << cells; }
    int rowCount() const { return int(m_rows.size()); }
    void print(QTextStream& out) const;

    // One cell: tabs and line breaks inside a value become spaces so the row stays one line.
    static QString cell(const QVariant& value);
    static QString moneyCell(const QVariant& value);

    // The money columns a query's result can hold: columns of kind money in the main tables that
    // the text names, leaving out names that another named table holds as non-money.
    static QSet<QString> moneyColumnsFor(const QString& sql);
    // Prints every row of an executed query; money columns by result column name
    // (an aggregate "sum(金额)" counts as 金额).
    static int printQuery(SqlQuery& query, const QSet<QString>& moneyColumns, QTextStream& out);

private:
    QStringList m_header;
    QList<QStringList> m_rows;
};
