#pragma once

#include "core/money.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// What a caller hands to a report: named variables and the rows of the detail band.
// Every value is text, exactly as it is to be printed.
class ReportData {
public:
    void setVariable(const QString& name, const QString& value);
    void setVariable(const QString& name, Money value) { setVariable(name, value.toString()); }
    bool hasVariable(const QString& name) const { return m_variables.contains(name); }
    QString variable(const QString& name) const { return m_variables.value(name); }
    const QMap<QString, QString>& variables() const { return m_variables; }

    // The detail band's column names; rows give one value per column, in this order.
    void setColumns(const QStringList& columns);
    const QStringList& columns() const { return m_columns; }
    // A row shorter than the columns is padded with empty values; a longer one is refused.
    void addRow(const QStringList& values);
    // A row given by column name; names that are not columns are refused.
    void addRow(const QMap<QString, QString>& values);
    const QList<QStringList>& rows() const { return m_rows; }
    int columnIndex(const QString& name) const { return m_columns.indexOf(name); }

    // Exact sum of a column over all rows; values that are not numbers count as 0.
    Money columnSum(const QString& column) const;

    // Reads a tab-separated file: the first line names the columns, each further line a row.
    static ReportData fromTsv(const QByteArray& utf8);

private:
    QMap<QString, QString> m_variables;
    QStringList m_columns;
    QList<QStringList> m_rows;
};
