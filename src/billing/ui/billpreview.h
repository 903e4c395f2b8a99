#pragma once

#include "reports/reportdata.h"

#include <QString>
#include <functional>

class QWidget;

// Shows a settlement printout (bill, card receipt) in the print preview, after the work it
// prints has been committed. Window tests install a hook that receives the template and data.
class BillPreview {
public:
    using Hook = std::function<void(const QString& templateName, const ReportData& data)>;
    // An empty template name (a print style without a template) shows nothing.
    static void show(QWidget* parent, const QString& home, const QString& templateName,
                     const ReportData& data);
    static void setHook(Hook hook);

private:
    static Hook& hook();
};
