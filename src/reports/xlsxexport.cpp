#include "xlsxexport.h"

#include "core/hotelerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <xlsxwriter.h>

namespace {

QString sanitized(const QString& text, const QString& refused) {
    QString out;
    for (QChar c : text)
        out += (refused.contains(c) || c.unicode() < 32) ? u'_' : c;
    out = out.trimmed();
    return out;
}

[[noreturn]] void fail(const QString& path, const QString& why) {
    throw HotelError(QStringLiteral("无法导出到文件“%1”：%2").arg(QDir::toNativeSeparators(path), why));
}

} // namespace

QString XlsxExport::sheetName(const QString& windowTitle) {
    QString name = sanitized(windowTitle, QStringLiteral("[]:*?/\\"));
    if (name.startsWith(u'\''))
        name[0] = u'_';
    name = name.left(31);
    return name.isEmpty() ? QStringLiteral("Sheet1") : name;
}

QString XlsxExport::fileName(const QString& windowTitle) {
    QString name = sanitized(windowTitle, QStringLiteral("<>:\"/\\|?*"));
    return (name.isEmpty() ? QStringLiteral("导出") : name) + QStringLiteral(".xlsx");
}

void XlsxExport::write(const QString& path, const QString& sheet, const QStringList& headers,
                       const QList<QStringList>& rows) {
    {
        // libxlsxwriter only tells at close time that the file cannot be written; find out first.
        QFile probe(path);
        const bool existed = probe.exists();
        if (!probe.open(QIODevice::WriteOnly))
            fail(path, probe.errorString());
        probe.close();
        if (!existed)
            probe.remove();
    }
    if (rows.size() + 1 > LXW_ROW_MAX)
        fail(path, QStringLiteral("行数超过表格上限"));
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook* wb = workbook_new(file.constData());
    if (!wb)
        fail(path, QStringLiteral("无法创建工作簿"));
    lxw_worksheet* ws = workbook_add_worksheet(wb, sheetName(sheet).toUtf8().constData());
    lxw_error err = ws ? LXW_NO_ERROR : LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE;
    lxw_format* bold = workbook_add_format(wb);
    format_set_bold(bold);
    auto put = [&](int r, int c, const QString& text, lxw_format* fmt) {
        if (err != LXW_NO_ERROR || text.isEmpty())
            return;
        err = worksheet_write_string(ws, lxw_row_t(r), lxw_col_t(c), text.toUtf8().constData(), fmt);
    };
    for (int c = 0; c < headers.size(); ++c)
        put(0, c, headers.at(c), bold);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows.at(r).size(); ++c)
            put(r + 1, c, rows.at(r).at(c), nullptr);
    if (err == LXW_NO_ERROR && ws)
        worksheet_freeze_panes(ws, 1, 0);
    const lxw_error closed = workbook_close(wb);
    if (err != LXW_NO_ERROR)
        fail(path, QString::fromUtf8(lxw_strerror(err)));
    if (closed != LXW_NO_ERROR)
        fail(path, QString::fromUtf8(lxw_strerror(closed)));
}
