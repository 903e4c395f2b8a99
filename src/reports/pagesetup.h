#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QSizeF>
#include <QString>

// The paper a template is laid out for. A template names it in its head:
//   <meta name="纸张" content="A4">   (A4, A5, 80mm or 58mm)
//   <meta name="方向" content="横向"> (landscape; sheets only)
//   <meta name="边距" content="10">   (margins in millimetres)
// Sheets are paginated; a receipt roll is one page whose length grows with its lines.
class PageSetup {
public:
    enum class Paper { A4, A5, Roll80, Roll58 };

    PageSetup() = default;
    explicit PageSetup(Paper paper);
    // Reads the page set-up of a template's source; unknown or missing words keep the A4 default.
    static PageSetup fromTemplate(const QString& html);

    Paper paper() const { return m_paper; }
    bool isRoll() const { return m_paper == Paper::Roll80 || m_paper == Paper::Roll58; }
    bool landscape() const { return m_landscape; }
    QMarginsF marginsMm() const { return m_margins; }
    QString paperName() const;

    // Width of the printable area in millimetres.
    double bodyWidthMm() const;
    // Height of the printable area of a sheet; for a roll the given content height decides.
    QPageLayout pageLayout(double rollContentHeightMm = 0) const;

private:
    Paper m_paper = Paper::A4;
    bool m_landscape = false;
    QMarginsF m_margins{12, 12, 12, 12};
};
