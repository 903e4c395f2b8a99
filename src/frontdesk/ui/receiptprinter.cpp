#include "receiptprinter.h"

#include "reports/ui/reportpreview.h"

namespace {
const QString kTemplate = QStringLiteral("客房开单小票.html");
}

ReceiptPrinter::Hook& ReceiptPrinter::hook() {
    static Hook h;
    return h;
}

void ReceiptPrinter::setHook(Hook h) {
    hook() = std::move(h);
}

void ReceiptPrinter::show(QWidget* parent, const QString& home, const ReportData& data) {
    if (hook()) {
        hook()(kTemplate, data);
        return;
    }
    ReportPreview::preview(parent, home, kTemplate, data);
}
