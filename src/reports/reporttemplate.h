#pragma once

#include "pagesetup.h"
#include "reportdata.h"

#include <QString>
#include <QStringList>

// A report template: HTML with [名字] placeholders. The part between <!--明细--> and
// <!--/明细--> is the detail band, repeated once per data row, where [列名] takes the row's
// value of that column and [序号] the row number. Anywhere, [合计:列名] is the exact sum of a
// column and [行数] the number of rows. A name the data do not supply renders empty.
class ReportTemplate {
public:
    struct Expansion {
        QString html;
        QStringList unknownVariables; // in order of first use, each once
    };

    ReportTemplate() = default;
    ReportTemplate(QString fileName, QString source);

    // The template file `fileName` of the hotel folder ("X.frf" means "X.html"); a path with a
    // folder is used as it is. A missing or unreadable file throws a HotelError naming it.
    static ReportTemplate load(const QString& home, const QString& fileName);
    static QString pathIn(const QString& home, const QString& fileName);

    const QString& fileName() const { return m_fileName; }
    const QString& source() const { return m_source; }
    PageSetup pageSetup() const { return PageSetup::fromTemplate(m_source); }

    // Every placeholder name the template uses, in order of first use.
    QStringList placeholders() const;
    Expansion expand(const ReportData& data) const;

private:
    QString m_fileName;
    QString m_source;
};
