#include "gridexport.h"

#include "core/hotelerror.h"
#include "reports/xlsxexport.h"

#include <QAbstractItemModel>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

void GridExport::table(const QAbstractItemModel* model, QStringList* headers, QList<QStringList>* rows) {
    headers->clear();
    rows->clear();
    const int columns = model->columnCount();
    for (int c = 0; c < columns; ++c)
        *headers << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < columns; ++c)
            row << model->index(r, c).data(Qt::DisplayRole).toString();
        *rows << row;
    }
}

void GridExport::exportTo(const QAbstractItemModel* model, const QString& windowTitle, const QString& path) {
    QStringList headers;
    QList<QStringList> rows;
    table(model, &headers, &rows);
    XlsxExport::write(path, windowTitle, headers, rows);
}

bool GridExport::exportGrid(QWidget* parent, const QAbstractItemModel* model, const QString& windowTitle) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    const QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("导出到EXCEL"), QDir(folder).filePath(XlsxExport::fileName(windowTitle)),
        QStringLiteral("Excel 工作簿 (*.xlsx)"));
    if (path.isEmpty())
        return false;
    try {
        exportTo(model, windowTitle, path);
    } catch (const HotelError& e) {
        QMessageBox::warning(parent, QStringLiteral("导出到EXCEL"), e.message());
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        QMessageBox::information(parent, QStringLiteral("导出到EXCEL"),
                                 QStringLiteral("已导出到“%1”，但没有找到打开表格文件的程序。")
                                     .arg(QDir::toNativeSeparators(path)));
    return true;
}
