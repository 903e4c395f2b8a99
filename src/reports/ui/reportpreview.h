#pragma once

#include "reports/reportdata.h"

#include <QString>

class QWidget;
class ReportDocument;

// Showing and printing reports from a window. A report that cannot be made (missing template,
// no printer) shows its message and returns false; the caller's own work is not affected.
class ReportPreview {
public:
    // The print preview (QPrintPreviewDialog), from which the user prints.
    static bool preview(QWidget* parent, const QString& home, const QString& fileName,
                        const ReportData& data);
    static void preview(QWidget* parent, const ReportDocument& doc);
    // One copy on the default printer, no dialog.
    static bool printDirect(QWidget* parent, const QString& home, const QString& fileName,
                            const ReportData& data);
};
