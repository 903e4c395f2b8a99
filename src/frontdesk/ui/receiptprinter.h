#pragma once

#include "reports/reportdata.h"

#include <QString>
#include <functional>

class QWidget;

// Shows the check-in / deposit receipt (客房开单小票) in the print preview. Window tests install a
// hook that receives the data instead of opening the preview.
class ReceiptPrinter {
public:
    using Hook = std::function<void(const QString& templateName, const ReportData& data)>;
    static void show(QWidget* parent, const QString& home, const ReportData& data);
    static void setHook(Hook hook);

private:
    static Hook& hook();
};
