#include "clicommand.h"
#include "core/hotelerror.h"
#include "reports/reportcatalog.h"
#include "reports/reportdata.h"
#include "reports/reportdocument.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Renders any template to PDF: for support (does this template print?) and for tests.
int render(CliContext& ctx) {
    QStringList args = ctx.args;
    QString templateName, pdf, rowsFile;
    bool sample = false;
    QList<QPair<QString, QString>> vars;
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        auto value = [&]() {
            if (args.isEmpty())
                throw HotelError(a + QStringLiteral(" 需要一个值"));
            return args.takeFirst();
        };
        if (a == QStringLiteral("--var")) {
            const QString v = value();
            const int eq = v.indexOf(u'=');
            if (eq <= 0)
                throw HotelError(QStringLiteral("--var 的格式是 名字=值：") + v);
            vars.append({v.left(eq), v.mid(eq + 1)});
        } else if (a == QStringLiteral("--rows"))
            rowsFile = value();
        else if (a == QStringLiteral("--sample"))
            sample = true;
        else if (a == QStringLiteral("--pdf"))
            pdf = value();
        else if (a.startsWith(QStringLiteral("--")))
            throw HotelError(QStringLiteral("未知选项 ") + a);
        else if (templateName.isEmpty())
            templateName = a;
        else
            throw HotelError(QStringLiteral("多余的参数 ") + a);
    }
    if (templateName.isEmpty() || pdf.isEmpty())
        throw HotelError(QStringLiteral(
            "用法：render TEMPLATE [--var 名字=值 …] [--rows FILE.tsv] [--sample] --pdf OUT.pdf"));

    ReportData data;
    // --sample starts from the designer's example values, so a template can be checked by eye.
    if (sample) {
        const ReportCatalog::Entry* entry = ReportCatalog::find(templateName);
        if (!entry)
            throw HotelError(QStringLiteral("没有“%1”的示例数据").arg(templateName));
        data = ReportCatalog::sampleData(*entry);
    }
    if (!rowsFile.isEmpty()) {
        QFile f(rowsFile);
        if (!f.open(QIODevice::ReadOnly))
            throw HotelError(QStringLiteral("无法读取明细文件“%1”：%2").arg(rowsFile, f.errorString()));
        const ReportData table = ReportData::fromTsv(f.readAll());
        data.setColumns(table.columns());
        for (const QStringList& row : table.rows())
            data.addRow(row);
    }
    for (const auto& [name, value] : vars)
        data.setVariable(name, value);

    // A name that exists as given (a path) is used as it is, else it is looked up in the hotel folder.
    const QString source = QFileInfo(templateName).isFile() && templateName.contains(u'/')
                               ? QFileInfo(templateName).absoluteFilePath()
                               : templateName;
    const auto doc = ReportDocument::fromFile(ctx.home, source, data);
    doc->writePdf(pdf);
    ctx.out << QStringLiteral("模板\t纸张\t页数\t未知变量\n");
    ctx.out << doc->templateName() << u'\t' << doc->pageSetup().paperName() << u'\t' << doc->pageCount()
            << u'\t' << doc->unknownVariables().join(u',') << u'\n';
    return 0;
}

const CliCommand::Registrar
    registrar(QStringLiteral("render"),
              QStringLiteral("render     TEMPLATE [--var 名字=值 …] [--rows FILE.tsv] [--sample] --pdf OUT.pdf  报表输出为PDF"), render);

} // namespace
