#include "reportdata.h"

#include "core/hotelerror.h"

void ReportData::setVariable(const QString& name, const QString& value) {
    m_variables.insert(name, value);
}

void ReportData::setColumns(const QStringList& columns) {
    m_columns = columns;
    m_rows.clear();
}

void ReportData::addRow(const QStringList& values) {
    if (values.size() > m_columns.size())
        throw HotelError(QStringLiteral("报表明细行的值比列多（%1 列，%2 个值）")
                             .arg(m_columns.size())
                             .arg(values.size()));
    QStringList row = values;
    while (row.size() < m_columns.size())
        row << QString();
    m_rows << row;
}

void ReportData::addRow(const QMap<QString, QString>& values) {
    QStringList row(m_columns.size());
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        const int i = m_columns.indexOf(it.key());
        if (i < 0)
            throw HotelError(QStringLiteral("报表明细没有列“%1”").arg(it.key()));
        row[i] = it.value();
    }
    m_rows << row;
}

Money ReportData::columnSum(const QString& column) const {
    const int i = m_columns.indexOf(column);
    Money sum;
    if (i < 0)
        return sum;
    for (const QStringList& row : m_rows) {
        Money v;
        if (Money::tryParse(row.at(i), &v))
            sum += v;
    }
    return sum;
}

ReportData ReportData::fromTsv(const QByteArray& utf8) {
    ReportData data;
    QStringList lines = QString::fromUtf8(utf8).split(u'\n');
    for (QString& l : lines)
        if (l.endsWith(u'\r'))
            l.chop(1);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return data;
    data.setColumns(lines.takeFirst().split(u'\t'));
    for (const QString& l : lines)
        data.addRow(l.split(u'\t'));
    return data;
}
