#pragma once

#include "pagesetup.h"
#include "reportdata.h"
#include "reporttemplate.h"

#include <QPageLayout>
#include <QStringList>
#include <QTextDocument>
#include <memory>

class QPagedPaintDevice;
class QPrinter;

// A template filled with its data and laid out on its paper: what the preview shows, the
// printer prints and the PDF holds, page for page the same.
class ReportDocument {
public:
    static const QString& fontFamily(); // "WenQuanYi Zen Hei"

    ReportDocument(const ReportTemplate& tpl, const ReportData& data);
    ~ReportDocument();
    ReportDocument(const ReportDocument&) = delete;
    ReportDocument& operator=(const ReportDocument&) = delete;

    // Loads the template from the hotel folder (HotelError naming a missing file) and fills it.
    static std::unique_ptr<ReportDocument> fromFile(const QString& home, const QString& fileName,
                                                    const ReportData& data);

    const QString& templateName() const { return m_templateName; }
    const PageSetup& pageSetup() const { return m_setup; }
    const QStringList& unknownVariables() const { return m_unknown; }
    const QString& html() const { return m_html; }
    QTextDocument* document() const { return m_doc.get(); }
    // The page of this report: a roll is as long as its content.
    QPageLayout pageLayout() const { return m_layout; }
    int pageCount() const;

    // Paints every page onto a device whose page layout is already set (QPrinter, QPdfWriter).
    void paint(QPagedPaintDevice* device) const;
    // Sets the printer's page layout to this report's and prints; for the preview dialog too.
    void print(QPrinter* printer) const;
    // Writes the PDF file; a file that cannot be written throws a HotelError naming it.
    void writePdf(const QString& path) const;
    // Prints one copy on the system's default printer, without a dialog.
    void printToDefaultPrinter() const;

private:
    QString m_templateName;
    PageSetup m_setup;
    QStringList m_unknown;
    QString m_html;
    std::unique_ptr<QTextDocument> m_doc;
    QPageLayout m_layout;
};
