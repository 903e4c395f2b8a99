#include "gridrows.h"

#include "widgets/ui/datagrid.h"
#include "widgets/ui/rowsmodel.h"

#include <QSortFilterProxyModel>
#include <QTableView>

namespace GridRows {

namespace {

void selectViewRow(DataGrid* grid, int viewRow) {
    QTableView* view = grid->view();
    const QModelIndex index = view->model()->index(viewRow, 0);
    view->setCurrentIndex(index);
    view->selectRow(viewRow);
}

} // namespace

bool select(DataGrid* grid, const QString& field, const QString& value) {
    const int column = grid->model()->fieldIndex(field);
    if (column < 0)
        return false;
    for (int r = 0; r < grid->model()->rowCount(); ++r) {
        if (grid->model()->text(r, field) != value)
            continue;
        auto* proxy = qobject_cast<QSortFilterProxyModel*>(grid->view()->model());
        const QModelIndex source = grid->model()->index(r, column);
        const int viewRow = proxy ? proxy->mapFromSource(source).row() : r;
        selectViewRow(grid, viewRow);
        return true;
    }
    return false;
}

void selectFirst(DataGrid* grid) {
    if (grid->view()->model()->rowCount() > 0)
        selectViewRow(grid, 0);
}

QString current(const DataGrid* grid, const QString& field) {
    const int row = grid->currentSourceRow();
    return row < 0 ? QString() : grid->model()->text(row, field);
}

} // namespace GridRows
