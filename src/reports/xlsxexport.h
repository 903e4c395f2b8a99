#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A grid written to an .xlsx workbook: one sheet named after the window, a header row of the
// column titles, then one row per record. Every value is written as text so that numbers,
// leading zeros and long bill numbers stay exactly as shown.
class XlsxExport {
public:
    // Throws a HotelError naming the file when it cannot be written.
    static void write(const QString& path, const QString& sheetName, const QStringList& headers,
                      const QList<QStringList>& rows);
    // A sheet name the spreadsheet accepts: at most 31 characters, none of []:*?/\ .
    static QString sheetName(const QString& windowTitle);
    // A file name made of the window's title: characters a file system refuses become "_".
    static QString fileName(const QString& windowTitle);
};
