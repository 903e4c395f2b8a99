#include "widgets/ui/datagrid.h"
#include "widgets/ui/rowsmodel.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

namespace {

QStringList column(const DataGrid& g, int c) {
    QStringList out;
    const QAbstractItemModel* m = g.view()->model();
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, c).data().toString();
    return out;
}

void fill(DataGrid& g) {
    g.model()->setColumns({QStringLiteral("项目名称"), QStringLiteral("库存总额")},
                          {QStringLiteral("项目"), QStringLiteral("总额")});
    g.model()->setMoneyColumns({QStringLiteral("库存总额")});
    g.model()->setRows({{QStringLiteral("可乐"), qint64(100000)},
                        {QStringLiteral("矿泉水"), qint64(90000)},
                        {QStringLiteral("啤酒"), qint64(1000005)}});
}

} // namespace

class TestDataGrid : public QObject {
    Q_OBJECT
private slots:
    void footerShowsExactSums() {
        DataGrid g;
        fill(g);
        g.setFooterSums({QStringLiteral("库存总额")});
        auto* footer = g.findChild<QTableWidget*>(QStringLiteral("footer"));
        QVERIFY(footer);
        QCOMPARE(footer->item(0, 0)->text(), QStringLiteral("合计"));
        QCOMPARE(footer->item(0, 1)->text(), QStringLiteral("119.0005"));
        g.model()->setRows({{QStringLiteral("可乐"), qint64(5)}});
        QCOMPARE(footer->item(0, 1)->text(), QStringLiteral("0.0005"));
    }

    // Clicking the same title cycles none -> ascending -> descending -> none; money sorts by value.
    void titleClickCycles_data() {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("unsorted") << 0
                                  << QStringList{QStringLiteral("10"), QStringLiteral("9"),
                                                 QStringLiteral("100.0005")};
        QTest::newRow("ascending") << 1
                                   << QStringList{QStringLiteral("9"), QStringLiteral("10"),
                                                  QStringLiteral("100.0005")};
        QTest::newRow("descending") << 2
                                    << QStringList{QStringLiteral("100.0005"), QStringLiteral("10"),
                                                   QStringLiteral("9")};
        QTest::newRow("back to none")
            << 3 << QStringList{QStringLiteral("10"), QStringLiteral("9"), QStringLiteral("100.0005")};
    }
    void titleClickCycles() {
        QFETCH(int, clicks);
        QFETCH(QStringList, order);
        DataGrid g;
        fill(g);
        for (int i = 0; i < clicks; ++i)
            g.sortByTitle(1);
        QCOMPARE(column(g, 1), order);
        QCOMPARE(g.sortState(), clicks % 3);
    }

    void anotherColumnStartsAscending() {
        DataGrid g;
        fill(g);
        g.sortByTitle(1);
        g.sortByTitle(1);
        g.sortByTitle(0);
        QCOMPARE(g.sortState(), 1);
        QCOMPARE(g.sortColumn(), 0);
        g.view()->setCurrentIndex(g.view()->model()->index(0, 0));
        const int src = g.currentSourceRow();
        QCOMPARE(g.model()->text(src, QStringLiteral("项目名称")), column(g, 0).first());
    }
};

QTEST_MAIN(TestDataGrid)
#include "tst_datagrid.moc"
