#include "core/hotelerror.h"
#include "reports/reportcatalog.h"
#include "reports/ui/gridexport.h"
#include "reports/ui/reportdesignerwindow.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString fileText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList tableColumn(const QTableWidget* table, int column) {
    QStringList out;
    for (int r = 0; r < table->rowCount(); ++r)
        out << table->item(r, column)->text();
    return out;
}

} // namespace

class TestReportDesigner : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;

private slots:
    void initTestCase() {
        QVERIFY(m_home.isValid());
        ReportCatalog::installDefaults(m_home.path());
    }

    void opensWithTheCallersVariables_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("bill") << QStringLiteral("结帐报表1.html");
        QTest::newRow("check-in receipt") << QStringLiteral("客房开单小票.html");
        QTest::newRow("handover") << QStringLiteral("交接班记录.html");
        QTest::newRow("handover lines") << QStringLiteral("交班未结账菜品.html");
    }
    void opensWithTheCallersVariables() {
        QFETCH(QString, file);
        ReportDesignerWindow w(m_home.path(), file);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const auto* source = w.findChild<QPlainTextEdit*>(QStringLiteral("source"));
        QVERIFY(source);
        QCOMPARE(source->toPlainText(), fileText(m_home.filePath(file)));
        QVERIFY(w.findChild<QPrintPreviewWidget*>(QStringLiteral("preview")));
        const ReportCatalog::Entry* entry = ReportCatalog::find(file);
        QStringList names = tableColumn(w.findChild<QTableWidget*>(QStringLiteral("variables")), 0);
        QStringList expected = entry->variables;
        names.sort();
        expected.sort();
        QCOMPARE(names, expected);
        const QString columns = w.findChild<QLabel*>(QStringLiteral("columns"))->text();
        for (const QString& c : entry->columns)
            QVERIFY(columns.contains(c));
        QVERIFY(w.unknownVariables().isEmpty());
        QVERIFY(!w.isModified());
        // $HOTEL_TEST_SHOTS: a folder to keep screenshots in, for looking at the window.
        const QString shots = qEnvironmentVariable("HOTEL_TEST_SHOTS");
        if (!shots.isEmpty()) {
            w.refreshPreview();
            QVERIFY(w.grab().save(shots + QStringLiteral("/designer-") + file + QStringLiteral(".png")));
        }
    }

    void editListsUnknownSavesAndReverts() {
        const QString file = m_home.filePath(QStringLiteral("客房开单小票.html"));
        const QString original = fileText(file);
        ReportDesignerWindow w(m_home.path(), QStringLiteral("客房开单小票.frf"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* source = w.findChild<QPlainTextEdit*>(QStringLiteral("source"));

        const QString edited = original + QStringLiteral("<p>房型：[房型]</p>");
        source->setPlainText(edited);
        QVERIFY(w.isModified());
        w.refreshPreview();
        QCOMPARE(w.unknownVariables(), QStringList{QStringLiteral("房型")});
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("unknownVariables"))
                    ->text()
                    .contains(QStringLiteral("房型")));

        // Revert brings back the file; nothing was written.
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("revertButton")), Qt::LeftButton);
        QCOMPARE(source->toPlainText(), original);
        QVERIFY(w.unknownVariables().isEmpty());
        QCOMPARE(fileText(file), original);

        source->setPlainText(edited);
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("saveButton")), Qt::LeftButton);
        QCOMPARE(fileText(file), edited);
        QVERIFY(!w.isModified());
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("status"))->text().contains(QStringLiteral("已保存")));
    }

    void missingFileStartsFromTheDefault() {
        QTemporaryDir empty;
        ReportDesignerWindow w(empty.path(), QStringLiteral("库存报表.html"));
        QVERIFY(w.source().contains(QStringLiteral("[项目名称]")));
        QVERIFY(w.isModified());
        QVERIFY(w.save());
        QCOMPARE(fileText(empty.filePath(QStringLiteral("库存报表.html"))), w.source());
    }

    void doubleClickInsertsTheVariable() {
        ReportDesignerWindow w(m_home.path(), QStringLiteral("会员卡办卡收据.html"));
        auto* source = w.findChild<QPlainTextEdit*>(QStringLiteral("source"));
        auto* table = w.findChild<QTableWidget*>(QStringLiteral("variables"));
        source->setPlainText(QString());
        const int row = tableColumn(table, 0).indexOf(QStringLiteral("操作员"));
        QVERIFY(row >= 0);
        emit table->cellDoubleClicked(row, 0);
        QCOMPARE(source->toPlainText(), QStringLiteral("[操作员]"));
    }

    void gridExportWritesTheModel() {
        QStandardItemModel model(2, 3);
        model.setHorizontalHeaderLabels(
            {QStringLiteral("总流水号"), QStringLiteral("消费项目"), QStringLiteral("金额")});
        const QStringList r0 = {QStringLiteral("0012"), QStringLiteral("房费"), QStringLiteral("288")};
        const QStringList r1 = {QStringLiteral("0013"), QStringLiteral("矿泉水"), QStringLiteral("10.5")};
        for (int c = 0; c < 3; ++c) {
            model.setItem(0, c, new QStandardItem(r0.at(c)));
            model.setItem(1, c, new QStandardItem(r1.at(c)));
        }
        QStringList headers;
        QList<QStringList> rows;
        GridExport::table(&model, &headers, &rows);
        QCOMPARE(headers, (QStringList{QStringLiteral("总流水号"), QStringLiteral("消费项目"),
                                       QStringLiteral("金额")}));
        QCOMPARE(rows, (QList<QStringList>{r0, r1}));

        const QString path = m_home.filePath(QStringLiteral("销售菜品查询.xlsx"));
        GridExport::exportTo(&model, QStringLiteral("销售菜品查询"), path);
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"),
                    {QStringLiteral("-p"), path, QStringLiteral("xl/sharedStrings.xml")});
        QVERIFY(unzip.waitForFinished());
        const QString strings = QString::fromUtf8(unzip.readAllStandardOutput());
        for (const QString& s : headers + r0 + r1)
            QVERIFY2(strings.contains(QStringLiteral(">%1<").arg(s)), qPrintable(s));
        QVERIFY_THROWS_EXCEPTION(HotelError,
                                 GridExport::exportTo(&model, QStringLiteral("x"),
                                                      m_home.filePath(QStringLiteral("none/x.xlsx"))));
    }
};

QTEST_MAIN(TestReportDesigner)
#include "tst_reportdesigner.moc"
