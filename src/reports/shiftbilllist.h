#pragma once

#include "reportdata.h"
#include "reporttemplate.h"

#include <QString>
#include <QStringList>

// The built-in list of the bills a shift handover takes ("交班帐单明细"): a fixed layout on the
// report engine, not a file the hotel edits.
class ShiftBillList {
public:
    static const QString& title();
    static QStringList columns();
    // Columns summed after "合计：".
    static QStringList summedColumns();
    static ReportTemplate layout();
    // The heading's variables with no rows yet; add one row per bill in columns() order.
    static ReportData data(const QString& operatorName, const QString& shiftPeriod);
};
