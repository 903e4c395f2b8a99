#include "rowsmodel.h"

#include "db/sqlquery.h"

RowsModel::RowsModel(QObject* parent) : QAbstractTableModel(parent) {}

void RowsModel::setColumns(const QStringList& fields, const QStringList& titles) {
    beginResetModel();
    m_fields = fields;
    m_titles = titles.size() == fields.size() ? titles : fields;
    m_money = QList<bool>(fields.size(), false);
    m_rows.clear();
    endResetModel();
}

void RowsModel::setMoneyColumns(const QStringList& fields) {
    for (int i = 0; i < m_fields.size(); ++i)
        m_money[i] = fields.contains(m_fields[i]);
}

int RowsModel::fieldIndex(const QString& field) const {
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void RowsModel::fill(SqlQuery& query) {
    QList<QVariantList> rows;
    QList<int> source;
    const QStringList names = query.columnNames();
    for (const QString& f : m_fields) {
        int idx = -1;
        for (int i = 0; i < names.size(); ++i) {
            if (names[i].compare(f, Qt::CaseInsensitive) == 0)
                idx = i;
        }
        source << idx;
    }
    while (query.next()) {
        QVariantList row;
        row.reserve(m_fields.size());
        for (int c = 0; c < m_fields.size(); ++c) {
            if (source[c] < 0) {
                row << QVariant();
                continue;
            }
            const QVariant v = query.value(source[c]);
            if (m_money[c])
                row << QVariant::fromValue(SqlQuery::moneyFromVariant(v).raw());
            else if (v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate)
                row << SqlQuery::textFromVariant(v);
            else
                row << v;
        }
        rows << row;
    }
    setRows(rows);
}

void RowsModel::setRows(const QList<QVariantList>& rows) {
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

QVariant RowsModel::raw(int row, const QString& field) const {
    const int c = fieldIndex(field);
    if (row < 0 || row >= m_rows.size() || c < 0)
        return {};
    return m_rows[row].value(c);
}

QString RowsModel::text(int row, const QString& field) const {
    const int c = fieldIndex(field);
    if (c >= 0 && m_money[c])
        return money(row, field).toString();
    return raw(row, field).toString();
}

Money RowsModel::money(int row, const QString& field) const {
    return Money::fromRaw(raw(row, field).toLongLong());
}

bool RowsModel::isMoneyColumn(int column) const {
    return column >= 0 && column < m_money.size() && m_money[column];
}

Money RowsModel::columnSum(int column) const {
    Money sum;
    if (!isMoneyColumn(column))
        return sum;
    for (const QVariantList& r : m_rows)
        sum += Money::fromRaw(r.value(column).toLongLong());
    return sum;
}

int RowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}
int RowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant RowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const QVariant v = m_rows[index.row()].value(index.column());
    const bool money = m_money[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        if (v.isNull())
            return QString();
        return money ? Money::fromRaw(v.toLongLong()).toString() : v.toString();
    case SortRole:
        return v;
    case Qt::TextAlignmentRole:
        return money ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter))
                     : QVariant(int(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

QVariant RowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_titles.size())
        return m_titles[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}
