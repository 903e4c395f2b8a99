#pragma once

#include "core/money.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QVariant>

class SqlQuery;

// A read-only grid model filled from query rows. Money columns show their shortest form
// and sort by value; everything else sorts by its natural value (SortRole).
class RowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int SortRole = Qt::UserRole + 1;

    explicit RowsModel(QObject* parent = nullptr);

    // Column titles (what the header shows) and field names (what the rows hold).
    void setColumns(const QStringList& fields, const QStringList& titles = {});
    void setMoneyColumns(const QStringList& fields);
    // Replaces the rows with the query's remaining rows, by field name.
    void fill(SqlQuery& query);
    void setRows(const QList<QVariantList>& rows);

    const QStringList& fields() const { return m_fields; }
    int fieldIndex(const QString& field) const;
    QVariant raw(int row, const QString& field) const;
    QString text(int row, const QString& field) const;
    Money money(int row, const QString& field) const;
    Money columnSum(int column) const;
    bool isMoneyColumn(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_fields, m_titles;
    QList<bool> m_money;
    QList<QVariantList> m_rows;
};
