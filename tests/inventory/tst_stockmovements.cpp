#include "db/sqlquery.h"
#include "inventory/stockmovements.h"
#include "support/testhotel.h"

#include <QTest>

namespace {

Money m(const char* text) {
    return Money::parse(QString::fromLatin1(text));
}

void addGoods(const DbSession& db, const QString& name, bool stockKept, const char* cost = "0") {
    SqlQuery(db,
             QStringLiteral("insert into 酒店服务项目 (项目名称,参与库存计算,成本) values (:名,:库存,:成本)"))
        .bind(QStringLiteral("名"), name)
        .bind(QStringLiteral("库存"), stockKept ? QStringLiteral("是") : QStringLiteral("否"))
        .bind(QStringLiteral("成本"), m(cost))
        .exec();
}

// "quantity value unit" of the goods' row, "-" when there is none; an empty unit cost shows as "null".
QString row(const DbSession& db, const QString& goods, const QString& warehouse) {
    SqlQuery q(db,
               QStringLiteral(
                   "select 当前库存,库存总额,单位成本 from 库存总表 where 项目名称=:名 and 库房名称=:库"));
    q.bind(QStringLiteral("名"), goods).bind(QStringLiteral("库"), warehouse).exec();
    if (!q.next())
        return QStringLiteral("-");
    const QString unit = q.value(2).isNull() ? QStringLiteral("null") : q.money(2).toString();
    return q.money(0).toString() + u' ' + q.money(1).toString() + u' ' + unit;
}

} // namespace

class TestStockMovements : public QObject {
    Q_OBJECT
private slots:
    // One stock-kept goods item taken through the movements in order; each row states the row after it.
    void sequence_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("catalogueCost");
        QTest::newRow("receive twice averages")
            << QStringList{QStringLiteral("receive 10 20 2"), QStringLiteral("receive 10 30 3")}
            << QStringList{QStringLiteral("10 20 2"), QStringLiteral("20 50 2.5")} << QStringLiteral("2.5");
        QTest::newRow("return everything falls back to the line's cost")
            << QStringList{QStringLiteral("receive 10 20 2"), QStringLiteral("receive 10 30 3"),
                           QStringLiteral("return 20 50 2.5")}
            << QStringList{QStringLiteral("10 20 2"), QStringLiteral("20 50 2.5"), QStringLiteral("0 0 2.5")}
            << QStringLiteral("2.5");
        QTest::newRow("write off keeps the unit cost")
            << QStringList{QStringLiteral("receive 10 20 2"), QStringLiteral("receive 10 30 3"),
                           QStringLiteral("writeoff 3 7.5 2.5")}
            << QStringList{QStringLiteral("10 20 2"), QStringLiteral("20 50 2.5"),
                           QStringLiteral("17 42.5 2.5")}
            << QStringLiteral("2.5");
        QTest::newRow("selling without a row")
            << QStringList{QStringLiteral("issue 5")} << QStringList{QStringLiteral("-5 0 null")}
            << QStringLiteral("0");
        QTest::newRow("issue and put back at cost")
            << QStringList{QStringLiteral("receive 10 20 2"), QStringLiteral("issue 3"),
                           QStringLiteral("issue -1")}
            << QStringList{QStringLiteral("10 20 2"), QStringLiteral("7 14 2"), QStringLiteral("8 16 2")}
            << QStringLiteral("0"); // the first receipt into an empty row leaves the catalogue cost alone
        QTest::newRow("return without a row goes negative")
            << QStringList{QStringLiteral("return 4 10 2.5")} << QStringList{QStringLiteral("-4 -10 2.5")}
            << QStringLiteral("0");
        QTest::newRow("thirds round to four places")
            << QStringList{QStringLiteral("receive 3 10 3.3333"), QStringLiteral("receive 0.5 0 0")}
            << QStringList{QStringLiteral("3 10 3.3333"), QStringLiteral("3.5 9.9998 2.8571")}
            << QStringLiteral("2.8571");
        QTest::newRow("open row resets an existing row")
            << QStringList{QStringLiteral("receive 10 20 2"), QStringLiteral("open 4")}
            << QStringList{QStringLiteral("10 20 2"), QStringLiteral("0 0 4")} << QStringLiteral("0");
        QTest::newRow("open row with an empty cost")
            << QStringList{QStringLiteral("open")} << QStringList{QStringLiteral("0 0 null")}
            << QStringLiteral("0");
    }
    void sequence() {
        HOTEL_REQUIRE_ENGINE();
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        QFETCH(QString, catalogueCost);
        TestHotel h;
        const QString goods = QStringLiteral("矿泉水");
        addGoods(h.db(), goods, true);
        const StockMovements stock(h.db(), QStringLiteral("总库房"));
        for (int i = 0; i < steps.size(); ++i) {
            const QStringList f = steps[i].split(u' ');
            Transaction tx(h.db());
            if (f[0] == QStringLiteral("receive"))
                stock.receive(goods, Money::parse(f[1]), Money::parse(f[2]), Money::parse(f[3]));
            else if (f[0] == QStringLiteral("return"))
                stock.returnOut(goods, Money::parse(f[1]), Money::parse(f[2]), Money::parse(f[3]));
            else if (f[0] == QStringLiteral("writeoff"))
                stock.writeOff(goods, Money::parse(f[1]), Money::parse(f[2]), Money::parse(f[3]));
            else if (f[0] == QStringLiteral("issue"))
                stock.issue(goods, Money::parse(f[1]));
            else if (f[0] == QStringLiteral("open"))
                stock.openRow(goods, f.size() > 1 ? std::optional<Money>(Money::parse(f[1])) : std::nullopt);
            tx.commit();
            QCOMPARE(row(h.db(), goods, QStringLiteral("总库房")), expected[i]);
        }
        QCOMPARE(h.scalar(QStringLiteral("select count(*) from 库存总表")), QStringLiteral("1"));
        SqlQuery q(h.db(), QStringLiteral("select 成本 from 酒店服务项目 where 项目名称=:名"));
        q.bind(QStringLiteral("名"), goods).exec();
        QVERIFY(q.next());
        QCOMPARE(q.money(0).toString(), catalogueCost);
    }

    void goodsNotStockKeptNeverGetARow() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        addGoods(h.db(), QStringLiteral("洗衣"), false);
        const StockMovements stock(h.db(), QStringLiteral("总库房"));
        stock.openRow(QStringLiteral("洗衣"), m("1"));
        stock.receive(QStringLiteral("洗衣"), m("10"), m("20"), m("2"));
        stock.issue(QStringLiteral("洗衣"), m("1"));
        stock.issue(QStringLiteral("不在目录里"), m("1"));
        QCOMPARE(h.scalar(QStringLiteral("select count(*) from 库存总表")), QStringLiteral("0"));
    }

    void warehousesAreSeparateAndRollbackUndoes() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        addGoods(h.db(), QStringLiteral("可乐"), true);
        StockMovements(h.db(), QStringLiteral("一楼吧台"))
            .receive(QStringLiteral("可乐"), m("24"), m("48"), m("2"));
        {
            Transaction tx(h.db());
            StockMovements(h.db(), QStringLiteral("总库房")).issue(QStringLiteral("可乐"), m("2"));
            StockMovements(h.db(), QStringLiteral("一楼吧台")).issue(QStringLiteral("可乐"), m("2"));
            // not committed: the caller's failure takes the movements back
        }
        QCOMPARE(row(h.db(), QStringLiteral("可乐"), QStringLiteral("一楼吧台")), QStringLiteral("24 48 2"));
        QCOMPARE(row(h.db(), QStringLiteral("可乐"), QStringLiteral("总库房")), QStringLiteral("-"));
    }
};

QTEST_GUILESS_MAIN(TestStockMovements)
#include "tst_stockmovements.moc"
