#include "basedata/basedataservice.h"
#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "core/inifile.h"
#include "db/sqlquery.h"
#include "support/testhotel.h"

#include <QDir>
#include <QTest>

namespace {

QStringList rooms(const DbSession& db) {
    QStringList out;
    SqlQuery q(db, QStringLiteral("select 手牌号 from 酒店手牌表 order by 手牌号"));
    q.exec();
    while (q.next())
        out << q.text(0);
    return out;
}

} // namespace

class TestBaseDataService : public QObject {
    Q_OBJECT
private slots:
    void batchCreation_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("created");
        QTest::addColumn<QString>("error");
        QTest::newRow("prefix B 8 to 11")
            << QStringLiteral("8") << QStringLiteral("11") << QStringLiteral("B") << QStringLiteral("标准间")
            << QStringList{QStringLiteral("B10"), QStringLiteral("B11"), QStringLiteral("B8"),
                           QStringLiteral("B9")}
            << QString();
        QTest::newRow("no prefix") << QStringLiteral("801") << QStringLiteral("803") << QString()
                                   << QStringLiteral("标准间")
                                   << QStringList{QStringLiteral("801"), QStringLiteral("802"),
                                                  QStringLiteral("803")}
                                   << QString();
        QTest::newRow("to below from creates nothing")
            << QStringLiteral("5") << QStringLiteral("3") << QString() << QStringLiteral("标准间")
            << QStringList{} << QString();
        QTest::newRow("empty range") << QString() << QStringLiteral("3") << QString()
                                     << QStringLiteral("标准间") << QStringList{}
                                     << QStringLiteral("手牌范围填写错误！！");
        QTest::newRow("no type") << QStringLiteral("1") << QStringLiteral("3") << QString() << QString()
                                 << QStringList{} << QStringLiteral("包房类型填写错误！！");
        QTest::newRow("not a number")
            << QStringLiteral("1") << QStringLiteral("3a") << QString() << QStringLiteral("标准间")
            << QStringList{} << QStringLiteral("手牌范围填写错误！！");
        QTest::newRow("existing room refuses the whole batch")
            << QStringLiteral("100") << QStringLiteral("102") << QString() << QStringLiteral("标准间")
            << QStringList{QStringLiteral("101")} << QStringLiteral("101");
    }
    void batchCreation() {
        HOTEL_REQUIRE_ENGINE();
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, prefix);
        QFETCH(QString, type);
        QFETCH(QStringList, created);
        QFETCH(QString, error);
        TestHotel h;
        BaseDataService svc(h.db(), AppSettings::instance());
        if (QTest::currentDataTag() == QByteArray("existing room refuses the whole batch"))
            svc.addRoom(QStringLiteral("101"), QStringLiteral("大床房"));
        try {
            svc.createRoomBatch(from, to, prefix, type);
            QVERIFY2(error.isEmpty(), "expected an error");
        } catch (const HotelError& e) {
            QVERIFY2(!error.isEmpty(), qPrintable(e.message()));
            QVERIFY2(e.message().contains(error), qPrintable(e.message()));
        }
        QCOMPARE(rooms(h.db()), created);
    }

    void roomWithOpenLinesCannotChangeOrGo() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        BaseDataService svc(h.db(), AppSettings::instance());
        svc.createRoomBatch(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("A"),
                            QStringLiteral("标准间"));
        SqlQuery(h.db(),
                 QStringLiteral("insert into 店内消费记录 (手牌号,主牌,消费项目) values ('A1','A1','房费')"))
            .exec();
        QVERIFY_THROWS_EXCEPTION(HotelError, svc.deleteRoom(QStringLiteral("A1")));
        QVERIFY_THROWS_EXCEPTION(
            HotelError, svc.updateRoom(QStringLiteral("A1"), QStringLiteral("A9"), QStringLiteral("大床房")));
        try {
            svc.deleteRoom(QStringLiteral("A1"));
        } catch (const HotelError& e) {
            QCOMPARE(e.message(), QStringLiteral("此房间正在消费，不能删除"));
        }
        svc.updateRoom(QStringLiteral("A2"), QStringLiteral("A3"), QStringLiteral("大床房"));
        QCOMPARE(rooms(h.db()), (QStringList{QStringLiteral("A1"), QStringLiteral("A3")}));
        svc.deleteRoom(QStringLiteral("A3"));
        QCOMPARE(rooms(h.db()), QStringList{QStringLiteral("A1")});
    }

    void newStockKeptItemOpensItsStockRow() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        AppSettings::instance().defaultWarehouse = QStringLiteral("总库房");
        BaseDataService svc(h.db(), AppSettings::instance());
        BaseDataService::Item item;
        item.name = QStringLiteral("矿泉水");
        item.price = QStringLiteral("3");
        item.cost = QString(); // empty cost
        item.stockKept = true;
        svc.saveItem(QString(), item);
        QCOMPARE(h.scalar(QStringLiteral("select 成本 from 酒店服务项目")), QStringLiteral("0"));
        QCOMPARE(h.scalar(QStringLiteral("select 库房名称 from 库存总表 where 单位成本 is null")),
                 QStringLiteral("总库房"));
        // Editing never touches stock.
        h.db().exec(QStringLiteral("update 库存总表 set 当前库存=50000"));
        item.cost = QStringLiteral("1.2");
        svc.saveItem(QStringLiteral("矿泉水"), item);
        QCOMPARE(h.scalar(QStringLiteral("select 当前库存 from 库存总表")), QStringLiteral("50000"));
        item.price = QStringLiteral("三元");
        QVERIFY_THROWS_EXCEPTION(HotelError, svc.saveItem(QStringLiteral("矿泉水"), item));
        QCOMPARE(h.scalar(QStringLiteral("select 项目价格 from 酒店服务项目")), QStringLiteral("30000"));
    }

    void eachRuleGroupWritesOnlyItsOwnSections() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        AppSettings& s = AppSettings::instance();
        BaseDataService svc(h.db(), s);
        IniFile sz(QDir(h.home()).filePath(QStringLiteral("sz.ini")));
        svc.setRoomChargeRule(sz, true, false);
        IniFile reread(sz.path());
        QCOMPARE(reread.read(QStringLiteral("房费自动计算"), QStringLiteral("类型")),
                 QStringLiteral("自动计算"));
        QCOMPARE(reread.read(QStringLiteral("起始天数"), QStringLiteral("类型")), QStringLiteral("1"));
        QCOMPARE(reread.read(QStringLiteral("计算精度"), QStringLiteral("类型")), IniFile::Default);
        QCOMPARE(s.roomChargeMode, QStringLiteral("自动计算"));
        QCOMPARE(s.minimumDays, QStringLiteral("1"));

        QVERIFY_THROWS_EXCEPTION(HotelError,
                                 svc.setSurchargeHours(sz, QStringLiteral("25"), QStringLiteral("18")));
        QCOMPARE(IniFile(sz.path()).read(QStringLiteral("追加半天时间"), QStringLiteral("类型")),
                 IniFile::Default);

        svc.setPrecision(sz, QString(), QStringLiteral("单价折扣处理"));
        QCOMPARE(IniFile(sz.path()).read(QStringLiteral("计算精度"), QStringLiteral("类型")),
                 IniFile::Default);
        QCOMPARE(IniFile(sz.path()).read(QStringLiteral("计算过程"), QStringLiteral("类型")),
                 QStringLiteral("单价折扣处理"));

        svc.setDirtyRoomRule(sz, QStringLiteral("自动"), QStringLiteral("20"));
        QCOMPARE(s.dirtyToIdle, QStringLiteral("自动"));
        QCOMPARE(IniFile(sz.path()).read(QStringLiteral("脏台变空闲时间"), QStringLiteral("类型")),
                 QStringLiteral("20"));

        svc.setPointsRule(true);
        QCOMPARE(h.scalar(QStringLiteral("select 只有房费计入积分 from 酒店设置")), QStringLiteral("是"));
        QCOMPARE(s.onlyRoomChargesEarnPoints, QStringLiteral("是"));
    }
};

QTEST_GUILESS_MAIN(TestBaseDataService)
#include "tst_basedataservice.moc"
