#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QAbstractItemModel;
class QWidget;

// "导出到EXCEL" for any grid: the model's column titles and displayed texts into an .xlsx named
// after the window, then opened with the desktop's program for spreadsheets.
class GridExport {
public:
    // Asks where to save, writes, opens. False when cancelled or failed (the message was shown).
    static bool exportGrid(QWidget* parent, const QAbstractItemModel* model, const QString& windowTitle);
    // Writes the model to `path` without asking; throws a HotelError naming the file.
    static void exportTo(const QAbstractItemModel* model, const QString& windowTitle, const QString& path);
    // The column titles and the displayed text of every cell.
    static void table(const QAbstractItemModel* model, QStringList* headers, QList<QStringList>* rows);
};
