#include "reportdocument.h"

#include "core/hotelerror.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// Layout happens at a fixed 96 dpi, whatever the screen, so that preview, printer and PDF
// break lines and pages in the same places; painting scales to the device.
constexpr double kLayoutDpi = 96.0;

QPaintDevice* layoutDevice() {
    static QImage image = [] {
        QImage img(1, 1, QImage::Format_ARGB32);
        const int dpm = qRound(kLayoutDpi / 0.0254);
        img.setDotsPerMeterX(dpm);
        img.setDotsPerMeterY(dpm);
        return img;
    }();
    return &image;
}

double mmToLayout(double mm) {
    return mm / 25.4 * kLayoutDpi;
}

double layoutToMm(double units) {
    return units / kLayoutDpi * 25.4;
}

} // namespace

const QString& ReportDocument::fontFamily() {
    static const QString family = QStringLiteral("WenQuanYi Zen Hei");
    return family;
}

ReportDocument::ReportDocument(const ReportTemplate& tpl, const ReportData& data)
    : m_templateName(tpl.fileName()), m_setup(tpl.pageSetup()), m_doc(std::make_unique<QTextDocument>()) {
    ReportTemplate::Expansion ex = tpl.expand(data);
    m_unknown = ex.unknownVariables;
    m_html = ex.html;

    m_doc->documentLayout()->setPaintDevice(layoutDevice());
    QFont font(fontFamily());
    font.setPointSizeF(m_setup.isRoll() ? 9 : 10.5);
    m_doc->setDefaultFont(font);
    m_doc->setDocumentMargin(0);
    m_doc->setHtml(m_html);

    const QPageLayout sheet = m_setup.pageLayout(100);
    const double widthMm = sheet.paintRect(QPageLayout::Millimeter).width();
    if (m_setup.isRoll()) {
        m_doc->setTextWidth(mmToLayout(widthMm));
        const double contentMm = layoutToMm(m_doc->documentLayout()->documentSize().height());
        m_layout = m_setup.pageLayout(contentMm);
        m_doc->setPageSize(QSizeF(mmToLayout(widthMm), m_doc->documentLayout()->documentSize().height() + 1));
    } else {
        m_layout = sheet;
        const QRectF body = m_layout.paintRect(QPageLayout::Millimeter);
        m_doc->setPageSize(QSizeF(mmToLayout(body.width()), mmToLayout(body.height())));
    }
}

ReportDocument::~ReportDocument() = default;

std::unique_ptr<ReportDocument> ReportDocument::fromFile(const QString& home, const QString& fileName,
                                                         const ReportData& data) {
    return std::make_unique<ReportDocument>(ReportTemplate::load(home, fileName), data);
}

int ReportDocument::pageCount() const {
    return m_setup.isRoll() ? 1 : m_doc->pageCount();
}

void ReportDocument::paint(QPagedPaintDevice* device) const {
    QPainter painter;
    if (!painter.begin(device))
        throw HotelError(QStringLiteral("无法开始打印“%1”").arg(m_templateName));
    const QSizeF page = m_doc->pageSize();
    // The painter's origin is the printable area's corner; scale layout units to the device.
    const double scaleX = device->logicalDpiX() / kLayoutDpi;
    const double scaleY = device->logicalDpiY() / kLayoutDpi;
    const int pages = pageCount();
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.palette.setColor(QPalette::Text, Qt::black);
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            device->newPage();
        painter.save();
        painter.scale(scaleX, scaleY);
        const QRectF view(0, i * page.height(), page.width(), page.height());
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        ctx.clip = view;
        m_doc->documentLayout()->draw(&painter, ctx);
        painter.restore();
    }
    painter.end();
}

void ReportDocument::print(QPrinter* printer) const {
    printer->setPageLayout(m_layout);
    printer->setFullPage(false);
    paint(printer);
}

void ReportDocument::writePdf(const QString& path) const {
    {
        // QPdfWriter reports no open failure: find out first, with the file's own error.
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            throw HotelError(QStringLiteral("无法写入文件“%1”：%2")
                                 .arg(QDir::toNativeSeparators(path), probe.errorString()));
    }
    QPdfWriter writer(path);
    writer.setCreator(QStringLiteral("酒店客房管理系统"));
    writer.setTitle(QFileInfo(m_templateName).completeBaseName());
    writer.setResolution(600);
    writer.setPageLayout(m_layout);
    paint(&writer);
}

void ReportDocument::printToDefaultPrinter() const {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw HotelError(QStringLiteral("没有找到默认打印机，“%1”未打印。").arg(m_templateName));
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QFileInfo(m_templateName).completeBaseName());
    printer.setCopyCount(1);
    print(&printer);
}
