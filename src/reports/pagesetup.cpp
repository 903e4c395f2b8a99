#include "pagesetup.h"

#include <QRectF>
#include <QRegularExpression>

namespace {

QMarginsF defaultMargins(PageSetup::Paper paper) {
    switch (paper) {
    case PageSetup::Paper::A4:
        return {15, 12, 15, 12};
    case PageSetup::Paper::A5:
        return {10, 10, 10, 10};
    case PageSetup::Paper::Roll80:
    case PageSetup::Paper::Roll58:
        return {3, 3, 3, 3};
    }
    return {};
}

QString metaContent(const QString& html, const QString& name) {
    // <meta name="纸张" content="80mm">, attributes in either order, either quote.
    const QRegularExpression tag(QStringLiteral("<meta\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression nameAttr(QStringLiteral("\\bname\\s*=\\s*[\"']([^\"']*)[\"']"),
                                      QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression contentAttr(QStringLiteral("\\bcontent\\s*=\\s*[\"']([^\"']*)[\"']"),
                                         QRegularExpression::CaseInsensitiveOption);
    auto it = tag.globalMatch(html);
    while (it.hasNext()) {
        const QString t = it.next().captured(0);
        const auto n = nameAttr.match(t);
        if (n.hasMatch() && n.captured(1).trimmed() == name) {
            const auto c = contentAttr.match(t);
            return c.hasMatch() ? c.captured(1).trimmed() : QString();
        }
    }
    return {};
}

} // namespace

PageSetup::PageSetup(Paper paper) : m_paper(paper), m_margins(defaultMargins(paper)) {}

PageSetup PageSetup::fromTemplate(const QString& html) {
    const QString paper = metaContent(html, QStringLiteral("纸张")).toUpper().remove(u' ');
    PageSetup setup(Paper::A4);
    if (paper == QStringLiteral("A5"))
        setup = PageSetup(Paper::A5);
    else if (paper == QStringLiteral("80MM"))
        setup = PageSetup(Paper::Roll80);
    else if (paper == QStringLiteral("58MM"))
        setup = PageSetup(Paper::Roll58);
    setup.m_landscape =
        !setup.isRoll() && metaContent(html, QStringLiteral("方向")) == QStringLiteral("横向");
    bool ok = false;
    const double margin = metaContent(html, QStringLiteral("边距")).toDouble(&ok);
    if (ok && margin >= 0 && margin <= 40)
        setup.m_margins = QMarginsF(margin, margin, margin, margin);
    return setup;
}

QString PageSetup::paperName() const {
    switch (m_paper) {
    case Paper::A4:
        return QStringLiteral("A4");
    case Paper::A5:
        return QStringLiteral("A5");
    case Paper::Roll80:
        return QStringLiteral("80mm");
    case Paper::Roll58:
        return QStringLiteral("58mm");
    }
    return {};
}

double PageSetup::bodyWidthMm() const {
    return pageLayout(100).paintRect(QPageLayout::Millimeter).width();
}

QPageLayout PageSetup::pageLayout(double rollContentHeightMm) const {
    QPageSize size;
    switch (m_paper) {
    case Paper::A4:
        size = QPageSize(QPageSize::A4);
        break;
    case Paper::A5:
        size = QPageSize(QPageSize::A5);
        break;
    case Paper::Roll80:
    case Paper::Roll58: {
        const double width = m_paper == Paper::Roll80 ? 80 : 58;
        // A roll is cut after its last line; a little slack keeps the last line off the edge.
        const double length = qMax(40.0, rollContentHeightMm + m_margins.top() + m_margins.bottom() + 2);
        size = QPageSize(QSizeF(width, length), QPageSize::Millimeter, paperName() + QStringLiteral(" 小票"),
                         QPageSize::ExactMatch);
        break;
    }
    }
    return QPageLayout(size, m_landscape ? QPageLayout::Landscape : QPageLayout::Portrait, m_margins,
                       QPageLayout::Millimeter);
}
