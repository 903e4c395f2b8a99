#pragma once

#include "reportdata.h"

#include <QList>
#include <QString>
#include <QStringList>

// The templates the program prints, each with the variables and detail columns its callers
// supply: what the designer lists and feeds its live preview with.
class ReportCatalog {
public:
    struct Entry {
        QString fileName;
        QString title;
        QStringList variables;
        QStringList columns;
    };

    static const QList<Entry>& entries();
    // The entry of a template file ("X.frf" means "X.html"); null when the program does not print it.
    static const Entry* find(const QString& fileName);
    // Plausible values of every variable and a few rows, for the designer's preview.
    static ReportData sampleData(const Entry& entry);
    static QString sampleValue(const QString& variable);
    // The bill template chosen by the setting 默认自定义打印报表样式 ("样式一" … "样式六"), or empty.
    static QString billTemplateForStyle(const QString& style);
    // Copies every default template missing from the hotel folder (all of them with overwrite);
    // returns the file names written. A file that cannot be written throws a HotelError.
    static QStringList installDefaults(const QString& home, bool overwrite = false);
    static QStringList defaultTemplateNames();
};
