#include "core/hotelerror.h"
#include "reports/pagesetup.h"
#include "reports/reportcatalog.h"
#include "reports/reportdocument.h"
#include "reports/shiftbilllist.h"
#include "reports/xlsxexport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray run(const QString& program, const QStringList& args, int* exitCode = nullptr,
               QByteArray* err = nullptr) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000))
        qWarning("%s did not finish", qPrintable(program));
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    if (err)
        *err = p.readAllStandardError();
    return p.readAllStandardOutput();
}

// The PDF's text without any white space, so that table cells and line breaks do not matter.
QString pdfText(const QString& pdf) {
    return QString::fromUtf8(run(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")}))
        .remove(QRegularExpression(QStringLiteral("\\s")));
}

// Page width and height in points, and the page count, as poppler reads them.
struct PdfInfo {
    double width = 0, height = 0;
    int pages = 0;
};
PdfInfo pdfInfo(const QString& pdf) {
    const QString text = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}));
    PdfInfo info;
    const auto size =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(text);
    if (size.hasMatch()) {
        info.width = size.captured(1).toDouble();
        info.height = size.captured(2).toDouble();
    }
    info.pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(text).captured(1).toInt();
    return info;
}

QString hotelctl() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../src/cli/hotelctl"));
}

} // namespace

class TestReports : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    QString path(const QString& name) const { return m_home.filePath(name); }
    void writeText(const QString& name, const QString& text) {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
    }

private slots:
    void initTestCase() {
        QVERIFY(m_home.isValid());
        const QStringList written = ReportCatalog::installDefaults(m_home.path());
        QCOMPARE(written.size(), 14);
    }

    // Every default template, filled with a distinct value per variable and cell, prints them all
    // on the paper it is meant for.
    void defaultTemplates_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("widthPt");  // 0: a sheet of the height below
        QTest::addColumn<double>("heightPt"); // 0: a roll
        const double a4w = 595.3, a4h = 841.9, a5w = 419.5, a5h = 595.3, roll80 = 226.8, roll58 = 164.4;
        QTest::newRow("结帐报表1") << QStringLiteral("结帐报表1.html") << a4w << a4h;
        QTest::newRow("结帐报表2") << QStringLiteral("结帐报表2.html") << a5w << a5h;
        QTest::newRow("结帐报表3") << QStringLiteral("结帐报表3.html") << a4w << a4h;
        QTest::newRow("结帐报表4 landscape") << QStringLiteral("结帐报表4.html") << a5h << a5w;
        QTest::newRow("结帐报表5") << QStringLiteral("结帐报表5.html") << a4w << a4h;
        QTest::newRow("结帐报表6") << QStringLiteral("结帐报表6.html") << a5w << a5h;
        QTest::newRow("结帐报表") << QStringLiteral("结帐报表.html") << a4w << a4h;
        QTest::newRow("客房开单小票") << QStringLiteral("客房开单小票.html") << roll80 << 0.0;
        QTest::newRow("会员卡办卡收据") << QStringLiteral("会员卡办卡收据.html") << roll80 << 0.0;
        QTest::newRow("吧台报表1") << QStringLiteral("吧台报表1.html") << roll58 << 0.0;
        QTest::newRow("商品销售汇总") << QStringLiteral("商品销售汇总.html") << a4w << a4h;
        QTest::newRow("交接班记录") << QStringLiteral("交接班记录.html") << a5w << a5h;
        QTest::newRow("交班未结账菜品") << QStringLiteral("交班未结账菜品.html") << roll80 << 0.0;
        QTest::newRow("库存报表") << QStringLiteral("库存报表.html") << a4w << a4h;
    }
    void defaultTemplates() {
        QFETCH(QString, file);
        QFETCH(double, widthPt);
        QFETCH(double, heightPt);
        const ReportCatalog::Entry* entry = ReportCatalog::find(file);
        QVERIFY(entry);
        const ReportTemplate tpl = ReportTemplate::load(m_home.path(), file);
        for (const QString& v : entry->variables)
            QVERIFY2(tpl.placeholders().contains(v), qPrintable(file + QStringLiteral(" does not use ") + v));

        ReportData data;
        QStringList expected;
        for (int i = 0; i < entry->variables.size(); ++i) {
            const QString value = QStringLiteral("V%1x").arg(i, 2, 10, QChar(u'0'));
            data.setVariable(entry->variables.at(i), value);
            expected << value;
        }
        data.setColumns(entry->columns);
        for (int r = 1; r <= 2; ++r) {
            QStringList row;
            for (int c = 0; c < entry->columns.size(); ++c)
                row << QStringLiteral("%1%2").arg(r).arg(c + 5);
            data.addRow(row);
            expected << row;
        }
        ReportDocument doc(tpl, data);
        QVERIFY2(doc.unknownVariables().isEmpty(), qPrintable(doc.unknownVariables().join(u',')));
        const QString pdf = path(file + QStringLiteral(".pdf"));
        doc.writePdf(pdf);
        const QString text = pdfText(pdf);
        for (const QString& v : expected)
            QVERIFY2(text.contains(v), qPrintable(file + QStringLiteral(": missing ") + v));
        const PdfInfo info = pdfInfo(pdf);
        QCOMPARE(info.pages, 1);
        QVERIFY2(qAbs(info.width - widthPt) < 1.0, qPrintable(QString::number(info.width)));
        if (heightPt > 0)
            QVERIFY2(qAbs(info.height - heightPt) < 1.0, qPrintable(QString::number(info.height)));
        else
            QVERIFY(info.height > 100 && info.height < 842);
    }

    void billStylesDiffer() {
        // The six check-out styles are six layouts, and the setting's words choose them.
        QSet<QString> sources;
        for (int i = 1; i <= 6; ++i)
            sources << ReportTemplate::load(m_home.path(), QStringLiteral("结帐报表%1.html").arg(i)).source();
        QCOMPARE(sources.size(), 6);
        QCOMPARE(ReportCatalog::billTemplateForStyle(QStringLiteral("样式四")),
                 QStringLiteral("结帐报表4.html"));
        QCOMPARE(ReportCatalog::billTemplateForStyle(QStringLiteral("样式七")), QString());
    }

    void missingTemplateNamesTheFile() {
        QTemporaryDir empty;
        const QString pdf = empty.filePath(QStringLiteral("out.pdf"));
        try {
            const auto doc =
                ReportDocument::fromFile(empty.path(), QStringLiteral("结帐报表3.frf"), ReportData());
            doc->writePdf(pdf);
            QFAIL("a missing template must not print");
        } catch (const HotelError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("结帐报表3.html")), qPrintable(e.message()));
        }
        QVERIFY(!QFile::exists(pdf));
    }

    void unknownVariablesRenderEmptyAndAreListed() {
        const ReportTemplate tpl(QStringLiteral("t.html"),
                                 QStringLiteral("<p>甲=[甲]；乙=[乙]；丙=[丙]；再乙=[乙]</p>"));
        ReportData data;
        data.setVariable(QStringLiteral("甲"), QStringLiteral("一号"));
        ReportDocument doc(tpl, data);
        QCOMPARE(doc.unknownVariables(), (QStringList{QStringLiteral("乙"), QStringLiteral("丙")}));
        const QString pdf = path(QStringLiteral("unknown.pdf"));
        doc.writePdf(pdf);
        QCOMPARE(pdfText(pdf), QStringLiteral("甲=一号；乙=；丙=；再乙="));
    }

    void detailBandRepeatsPerRow() {
        const ReportTemplate tpl(
            QStringLiteral("band.html"),
            QStringLiteral(
                "<p>头[标题]</p><table><!-- 明细 --><tr><td>#[序号]</td><td>[项目]</td><td>[金额]</td>"
                "<td>[标题]</td></tr><!-- /明细 --></table><p>合计[合计:金额]/[行数]行</p>"));
        ReportData data;
        data.setVariable(QStringLiteral("标题"), QStringLiteral("T"));
        data.setColumns({QStringLiteral("项目"), QStringLiteral("金额")});
        data.addRow({QStringLiteral("房费"), QStringLiteral("0.1")});
        data.addRow({QStringLiteral("<水>"), QStringLiteral("0.2")});
        data.addRow(QMap<QString, QString>{{QStringLiteral("项目"), QStringLiteral("洗衣")}});
        const ReportTemplate::Expansion ex = tpl.expand(data);
        QVERIFY(ex.unknownVariables.isEmpty());
        QCOMPARE(ex.html.count(QStringLiteral("<tr>")), 3);
        const QString pdf = path(QStringLiteral("band.pdf"));
        ReportDocument(tpl, data).writePdf(pdf);
        // Exact sum (0.1 + 0.2 is 0.3), values printed as text, an empty cell empty.
        QCOMPARE(pdfText(pdf), QStringLiteral("头T#1房费0.1T#2<水>0.2T#3洗衣T合计0.3/3行"));

        ReportData none;
        none.setColumns({QStringLiteral("项目"), QStringLiteral("金额")});
        none.setVariable(QStringLiteral("标题"), QStringLiteral("T"));
        const ReportTemplate::Expansion empty = tpl.expand(none);
        QCOMPARE(empty.html.count(QStringLiteral("<tr>")), 0);
        QVERIFY(empty.unknownVariables.isEmpty());
    }

    void pageSetupFromTemplate_data() {
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<double>("margin");
        QTest::newRow("none") << QString() << QStringLiteral("A4") << false << 15.0;
        QTest::newRow("A5") << QStringLiteral("<meta name=\"纸张\" content=\"A5\">") << QStringLiteral("A5")
                            << false << 10.0;
        QTest::newRow("80mm, content first")
            << QStringLiteral("<meta content='80mm' name='纸张'>") << QStringLiteral("80mm") << false << 3.0;
        QTest::newRow("58mm upper case") << QStringLiteral("<META NAME=\"纸张\" CONTENT=\"58MM\">")
                                         << QStringLiteral("58mm") << false << 3.0;
        QTest::newRow("landscape, margins") << QStringLiteral("<meta name=\"方向\" content=\"横向\">"
                                                              "<meta name=\"边距\" content=\"7\">")
                                            << QStringLiteral("A4") << true << 7.0;
        QTest::newRow("roll ignores landscape") << QStringLiteral("<meta name=\"纸张\" content=\"80mm\">"
                                                                  "<meta name=\"方向\" content=\"横向\">")
                                                << QStringLiteral("80mm") << false << 3.0;
        QTest::newRow("unknown paper")
            << QStringLiteral("<meta name=\"纸张\" content=\"B5\">") << QStringLiteral("A4") << false << 15.0;
    }
    void pageSetupFromTemplate() {
        QFETCH(QString, head);
        QFETCH(QString, paper);
        QFETCH(bool, landscape);
        QFETCH(double, margin);
        const PageSetup setup = PageSetup::fromTemplate(QStringLiteral("<html><head>") + head +
                                                        QStringLiteral("</head><body></body></html>"));
        QCOMPARE(setup.paperName(), paper);
        QCOMPARE(setup.landscape(), landscape);
        QCOMPARE(setup.marginsMm().left(), margin);
    }

    void receiptRollGrowsWithItsLines() {
        const ReportCatalog::Entry* entry = ReportCatalog::find(QStringLiteral("吧台报表1.html"));
        QVERIFY(entry);
        QList<double> heights;
        for (int lines : {1, 12, 40}) {
            ReportData data = ReportCatalog::sampleData(*entry);
            data.setColumns(entry->columns);
            for (int i = 0; i < lines; ++i)
                data.addRow({QStringLiteral("商品%1").arg(i), QStringLiteral("5"), QStringLiteral("1"),
                             QStringLiteral("5")});
            const QString pdf = path(QStringLiteral("roll%1.pdf").arg(lines));
            ReportDocument::fromFile(m_home.path(), QStringLiteral("吧台报表1.html"), data)->writePdf(pdf);
            const PdfInfo info = pdfInfo(pdf);
            QCOMPARE(info.pages, 1);
            QVERIFY(qAbs(info.width - 164.4) < 1.0);
            QVERIFY(pdfText(pdf).contains(QStringLiteral("商品%1").arg(lines - 1)));
            heights << info.height;
        }
        QVERIFY(heights[0] < heights[1] && heights[1] < heights[2]);
    }

    void sheetReportsPaginate() {
        const ReportCatalog::Entry* entry = ReportCatalog::find(QStringLiteral("库存报表.html"));
        ReportData data;
        data.setColumns(entry->columns);
        for (int i = 1; i <= 150; ++i)
            data.addRow({QStringLiteral("商品%1").arg(i), QStringLiteral("1"), QStringLiteral("2"),
                         QStringLiteral("2")});
        const auto doc = ReportDocument::fromFile(m_home.path(), QStringLiteral("库存报表.html"), data);
        QVERIFY(doc->pageCount() > 1);
        const QString pdf = path(QStringLiteral("long.pdf"));
        doc->writePdf(pdf);
        QCOMPARE(pdfInfo(pdf).pages, doc->pageCount());
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(QStringLiteral("商品150")));
        QVERIFY(text.contains(QStringLiteral("合计：300300")));
        // The column heading repeats on every page.
        QCOMPARE(text.count(QStringLiteral("项目名称")), doc->pageCount());
    }

    void shiftBillListIsBuiltIn() {
        ReportData data = ShiftBillList::data(QStringLiteral("张丽"),
                                              QStringLiteral("2024-05-03 08:00:00 至 2024-05-03 20:00:00"));
        data.addRow({QStringLiteral("现金"), QStringLiteral("1021"), QStringLiteral("王建国"),
                     QStringLiteral("308"), QStringLiteral("0"), QStringLiteral("0.5"),
                     QStringLiteral("307.5"), QStringLiteral("307.5"), QStringLiteral("0"),
                     QStringLiteral("0"), QStringLiteral("0")});
        data.addRow({QStringLiteral("会员卡"), QStringLiteral("1022"), QStringLiteral("李梅"),
                     QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("0"), QStringLiteral("80"),
                     QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("80"), QStringLiteral("0")});
        ReportDocument doc(ShiftBillList::layout(), data);
        QVERIFY(doc.unknownVariables().isEmpty());
        QVERIFY(doc.pageSetup().landscape());
        const QString pdf = path(QStringLiteral("shift.pdf"));
        doc.writePdf(pdf);
        const QString text = pdfText(pdf);
        QVERIFY(text.startsWith(
            QStringLiteral("交班帐单明细交接员工：张丽当班时间：2024-05-0308:00:00至2024-05-0320:00:00")));
        // Sums of 消费金额 … 信用卡收取: 408, 20, 0.5, 387.5, 307.5, 0, 80, 0.
        QVERIFY2(text.contains(QStringLiteral("408200.5387.5307.50800")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("合计：")));
        for (const QString& c : ShiftBillList::columns())
            QVERIFY(text.contains(c));
    }

    void xlsxKeepsEveryValueAsText() {
        const QString file = path(QStringLiteral("业务查询.xlsx"));
        const QStringList headers = {QStringLiteral("当日流水号"), QStringLiteral("姓名"),
                                     QStringLiteral("应收")};
        const QList<QStringList> rows = {
            {QStringLiteral("202405030001"), QStringLiteral("王建国"), QStringLiteral("007")},
            {QStringLiteral("202405030002"), QStringLiteral("A&B <C>"), QStringLiteral("12.50")}};
        XlsxExport::write(file, QStringLiteral("业务查询"), headers, rows);
        int rc = -1;
        const QString strings =
            QString::fromUtf8(run(QStringLiteral("unzip"),
                                  {QStringLiteral("-p"), file, QStringLiteral("xl/sharedStrings.xml")}, &rc));
        QCOMPARE(rc, 0);
        const QString sheet =
            QString::fromUtf8(run(QStringLiteral("unzip"),
                                  {QStringLiteral("-p"), file, QStringLiteral("xl/worksheets/sheet1.xml")}));
        const QString workbook = QString::fromUtf8(
            run(QStringLiteral("unzip"), {QStringLiteral("-p"), file, QStringLiteral("xl/workbook.xml")}));
        // Shared strings in order of first use: the header row, then the records.
        QStringList shared;
        auto it = QRegularExpression(QStringLiteral("<t[^>]*>([^<]*)</t>")).globalMatch(strings);
        while (it.hasNext())
            shared << it.next().captured(1);
        QCOMPARE(shared,
                 (QStringList{QStringLiteral("当日流水号"), QStringLiteral("姓名"), QStringLiteral("应收"),
                              QStringLiteral("202405030001"), QStringLiteral("王建国"), QStringLiteral("007"),
                              QStringLiteral("202405030002"), QStringLiteral("A&amp;B &lt;C&gt;"),
                              QStringLiteral("12.50")}));
        // Nine cells, every one a string cell, in the expected places.
        QCOMPARE(sheet.count(QStringLiteral("<c ")), 9);
        QCOMPARE(sheet.count(QStringLiteral("t=\"s\"")), 9);
        QVERIFY(sheet.contains(QStringLiteral("<c r=\"C3\"")));
        QVERIFY(workbook.contains(QStringLiteral("name=\"业务查询\"")));
    }

    void xlsxUnwritableFileIsAClearMessage() {
        const QString file = path(QStringLiteral("no/such/folder/x.xlsx"));
        try {
            XlsxExport::write(file, QStringLiteral("x"), {QStringLiteral("a")}, {});
            QFAIL("expected an error");
        } catch (const HotelError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("x.xlsx")), qPrintable(e.message()));
        }
    }

    void xlsxNames_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << QStringLiteral("销售菜品查询") << QStringLiteral("销售菜品查询")
                               << QStringLiteral("销售菜品查询.xlsx");
        QTest::newRow("refused characters")
            << QStringLiteral("a/b:c[1]?") << QStringLiteral("a_b_c_1__") << QStringLiteral("a_b_c[1]_.xlsx");
        QTest::newRow("long") << QString(40, u'表') << QString(31, u'表')
                              << QString(40, u'表') + QStringLiteral(".xlsx");
        QTest::newRow("empty") << QString() << QStringLiteral("Sheet1") << QStringLiteral("导出.xlsx");
    }
    void xlsxNames() {
        QFETCH(QString, title);
        QFETCH(QString, sheet);
        QFETCH(QString, file);
        QCOMPARE(XlsxExport::sheetName(title), sheet);
        QCOMPARE(XlsxExport::fileName(title), file);
    }

    void installDefaultsKeepsTheHotelsOwnFiles() {
        QTemporaryDir dir;
        QFile own(dir.filePath(QStringLiteral("结帐报表2.html")));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write("<p>本店自己的样式</p>");
        own.close();
        const QStringList written = ReportCatalog::installDefaults(dir.path());
        QCOMPARE(written.size(), 13);
        QVERIFY(!written.contains(QStringLiteral("结帐报表2.html")));
        QCOMPARE(ReportTemplate::load(dir.path(), QStringLiteral("结帐报表2.html")).source(),
                 QStringLiteral("<p>本店自己的样式</p>"));
        QCOMPARE(ReportCatalog::installDefaults(dir.path(), true).size(), 14);
        QVERIFY(ReportTemplate::load(dir.path(), QStringLiteral("结帐报表2.html"))
                    .source()
                    .contains(QStringLiteral("[账单号]")));
    }

    void renderCommand() {
        if (!QFile::exists(hotelctl()))
            QSKIP("hotelctl is not built");
        writeText(QStringLiteral("rows.tsv"),
                  QStringLiteral("品名\t销售价\t数量\t金额合计\n可乐\t5\t2\t10\n薯片\t8\t1\t8\n"));
        const QString pdf = path(QStringLiteral("cli.pdf"));
        int rc = -1;
        QByteArray err;
        const QString out = QString::fromUtf8(
            run(hotelctl(),
                {QStringLiteral("--home"), m_home.path(), QStringLiteral("render"),
                 QStringLiteral("吧台报表1.html"), QStringLiteral("--var"),
                 QStringLiteral("小票标题=悦来客栈"), QStringLiteral("--var"), QStringLiteral("合计金额=18"),
                 QStringLiteral("--rows"), path(QStringLiteral("rows.tsv")), QStringLiteral("--pdf"), pdf},
                &rc, &err));
        QVERIFY2(rc == 0, err.constData());
        QVERIFY(out.startsWith(QStringLiteral("模板\t纸张\t页数\t未知变量\n吧台报表1.html\t58mm\t1\t")));
        QVERIFY(out.contains(QStringLiteral("小票编号")));
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(QStringLiteral("悦来客栈")));
        QVERIFY(text.contains(QStringLiteral("可乐5210")));
        QVERIFY(text.contains(QStringLiteral("合计金额：18")));

        const QString missing = path(QStringLiteral("missing.pdf"));
        run(hotelctl(),
            {QStringLiteral("--home"), m_home.path(), QStringLiteral("render"),
             QStringLiteral("无此模板.html"), QStringLiteral("--pdf"), missing},
            &rc, &err);
        QCOMPARE(rc, 1);
        QVERIFY(QString::fromUtf8(err).contains(QStringLiteral("无此模板.html")));
        QVERIFY(!QFile::exists(missing));
    }
};

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
