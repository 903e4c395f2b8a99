#pragma once

#include <QList>
#include <QWidget>

class QSortFilterProxyModel;
class QTableView;
class QTableWidget;
class RowsModel;

// A data grid with an optional footer row of sums, and title-click sorting that cycles
// none -> ascending -> descending -> none (SortGridByTitle).
class DataGrid : public QWidget {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    RowsModel* model() const { return m_model; }
    QTableView* view() const { return m_view; }
    // Columns (by field name) whose sums the footer shows; no columns: no footer.
    void setFooterSums(const QStringList& fields, const QString& caption = QStringLiteral("合计"));
    // The source row of the current (possibly sorted) row, -1 when none.
    int currentSourceRow() const;
    void refreshFooter();

    // The sort state a click leads to: 0 none, 1 ascending, 2 descending.
    static int nextSortState(int state) { return (state + 1) % 3; }
    int sortColumn() const { return m_sortColumn; }
    int sortState() const { return m_sortState; }

signals:
    void currentRowChanged(int sourceRow);
    void activated(int sourceRow);

public slots:
    // SortGridByTitle: the title of `column` was clicked.
    void sortByTitle(int column);

private:
    void syncFooterWidths();

    RowsModel* m_model;
    QSortFilterProxyModel* m_proxy;
    QTableView* m_view;
    QTableWidget* m_footer;
    QStringList m_sumFields;
    QString m_caption;
    int m_sortColumn = -1;
    int m_sortState = 0;
};
