#include "billpreview.h"

#include "reports/ui/reportpreview.h"

BillPreview::Hook& BillPreview::hook() {
    static Hook h;
    return h;
}

void BillPreview::setHook(Hook h) {
    hook() = std::move(h);
}

void BillPreview::show(QWidget* parent, const QString& home, const QString& templateName,
                       const ReportData& data) {
    if (templateName.isEmpty())
        return;
    if (hook()) {
        hook()(templateName, data);
        return;
    }
    ReportPreview::preview(parent, home, templateName, data);
}
