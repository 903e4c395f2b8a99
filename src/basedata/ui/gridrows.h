#pragma once

#include <QString>

class DataGrid;

// Moving the current row of a data grid by key, through its sorting.
namespace GridRows {

// Makes the first row whose `field` equals `value` current; false when there is none.
bool select(DataGrid* grid, const QString& field, const QString& value);
// Makes the first row current, when there is one.
void selectFirst(DataGrid* grid);
// The text of `field` in the current row (empty without one).
QString current(const DataGrid* grid, const QString& field);

} // namespace GridRows
