#include "reportpreview.h"

#include "core/hotelerror.h"
#include "reports/reportdocument.h"

#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

void showError(QWidget* parent, const HotelError& e) {
    QMessageBox::warning(parent, QStringLiteral("打印"), e.message());
}

} // namespace

void ReportPreview::preview(QWidget* parent, const ReportDocument& doc) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(doc.pageLayout());
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("打印预览 - ") + doc.templateName());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&doc, &dialog](QPrinter* p) {
        try {
            doc.print(p);
        } catch (const HotelError& e) {
            showError(&dialog, e);
        }
    });
    dialog.resize(900, 700);
    dialog.exec();
}

bool ReportPreview::preview(QWidget* parent, const QString& home, const QString& fileName,
                            const ReportData& data) {
    try {
        const auto doc = ReportDocument::fromFile(home, fileName, data);
        preview(parent, *doc);
        return true;
    } catch (const HotelError& e) {
        showError(parent, e);
        return false;
    }
}

bool ReportPreview::printDirect(QWidget* parent, const QString& home, const QString& fileName,
                                const ReportData& data) {
    try {
        ReportDocument::fromFile(home, fileName, data)->printToDefaultPrinter();
        return true;
    } catch (const HotelError& e) {
        showError(parent, e);
        return false;
    }
}
