#include "basedata/basedataservice.h"
#include "basedata/ui/gridrows.h"
#include "basedata/ui/prompt.h"
#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "core/pinyin.h"
#include "db/sqlquery.h"
#include "inventory/stockmovements.h"
#include "inventory/ui/TFkucun_zongbiao.h"
#include "inventory/ui/Tkufang_guanli.h"
#include "inventory/warehouseservice.h"
#include "support/testhotel.h"
#include "widgets/ui/datagrid.h"
#include "widgets/ui/rowsmodel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

struct Prompts {
    QStringList messages;
    bool yes = true;
    Prompts() {
        Prompt::setHandler([this](Prompt::Kind, const QString& text) {
            messages << text;
            return yes;
        });
    }
    ~Prompts() { Prompt::setHandler({}); }
};

QPushButton* button(QWidget* w, const char* name) {
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
}

void addGoods(const DbSession& db, const QString& name, const QString& code) {
    BaseDataService::Item item;
    item.name = name;
    item.code = code;
    item.category = QStringLiteral("饮料");
    item.price = QStringLiteral("5");
    item.cost = QStringLiteral("2");
    item.pinyin = Pinyin::abbreviation(name);
    item.stockKept = true;
    BaseDataService(db, AppSettings::instance()).saveItem(QString(), item);
}

// Runs the built hotelctl on the test's hotel folder.
QString hotelctl(const TestHotel& h, const QString& command, int* exitCode) {
    QProcess p;
    // Test programs sit in build/tests (or a folder below it); hotelctl in build/src/cli.
    const QDir dir(QCoreApplication::applicationDirPath());
    QString program = dir.filePath(QStringLiteral("../src/cli/hotelctl"));
    if (!QFileInfo::exists(program))
        program = dir.filePath(QStringLiteral("../../src/cli/hotelctl"));
    p.setProgram(program);
    p.setArguments({QStringLiteral("--home"), h.home(), command});
    p.start();
    p.waitForFinished(60000);
    *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestWarehouseWindows : public QObject {
    Q_OBJECT
private slots:
    void namesAreKeptAndRefusedWhenDuplicate() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        Prompts prompts;
        Tkufang_guanli w(h.dm());
        w.show();
        const int before = w.grid()->model()->rowCount();
        auto* add = button(&w, "addButton");
        auto* save = button(&w, "saveButton");
        add->click();
        QVERIFY(!add->isEnabled());
        QVERIFY(save->isEnabled());
        QVERIFY(!button(&w, "deleteButton")->isEnabled());
        w.nameEdit()->setText(QStringLiteral("吧台库房"));
        save->click();
        QVERIFY(add->isEnabled());
        QVERIFY(!save->isEnabled());
        QCOMPARE(w.grid()->model()->rowCount(), before + 1);

        add->click();
        w.nameEdit()->setText(QStringLiteral("吧台库房"));
        save->click();
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("库房 吧台库房 已经存在！！")});
        QVERIFY(save->isEnabled());
        button(&w, "cancelButton")->click();
        QCOMPARE(w.grid()->model()->rowCount(), before + 1);

        // Delete asks OK/Cancel; cancel keeps the name.
        prompts.messages.clear();
        prompts.yes = false;
        QVERIFY(GridRows::select(w.grid(), QStringLiteral("库房名称"), QStringLiteral("吧台库房")));
        button(&w, "deleteButton")->click();
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("确实要删除吗？")});
        QCOMPARE(w.grid()->model()->rowCount(), before + 1);
        prompts.yes = true;
        button(&w, "deleteButton")->click();
        QCOMPARE(w.grid()->model()->rowCount(), before);
    }

    // The default tab lists the names preset to the stored default; "设置" stores one row.
    void defaultWarehouseSet() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        Prompts prompts;
        WarehouseService svc(h.db(), AppSettings::instance());
        svc.addName(QStringLiteral("总库房"));
        svc.addName(QStringLiteral("吧台库房"));
        svc.setDefaultWarehouse(QStringLiteral("总库房"));
        Tkufang_guanli w(h.dm());
        w.show();
        w.pages()->setCurrentIndex(1);
        QCOMPARE(w.defaultBox()->currentText(), QStringLiteral("总库房"));
        QVERIFY(w.defaultBox()->count() >= 2);
        w.defaultBox()->setCurrentText(QStringLiteral("吧台库房"));
        button(&w, "setDefaultButton")->click();
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("本机库房设置完毕")});
        QCOMPARE(h.scalar(QStringLiteral("select count(*) from 本机默认库房")), QStringLiteral("1"));
        QCOMPARE(h.scalar(QStringLiteral("select 库房名称 from 本机默认库房")), QStringLiteral("吧台库房"));
        QCOMPARE(AppSettings::instance().defaultWarehouse, QStringLiteral("吧台库房"));
        // Movements now go to the new default.
        addGoods(h.db(), QStringLiteral("可乐"), QStringLiteral("1"));
        QCOMPARE(h.scalar(QStringLiteral("select 库房名称 from 库存总表")), QStringLiteral("吧台库房"));
    }

    void emptyTableGetsItsRow() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        h.db().exec(QStringLiteral("delete from 本机默认库房"));
        WarehouseService svc(h.db(), AppSettings::instance());
        QCOMPARE(svc.defaultWarehouse(), QString());
        QVERIFY_THROWS_EXCEPTION(HotelError, svc.setDefaultWarehouse(QString()));
        svc.setDefaultWarehouse(QStringLiteral("一号库"));
        svc.setDefaultWarehouse(QStringLiteral("二号库"));
        QCOMPARE(h.scalar(QStringLiteral("select count(*) from 本机默认库房")), QStringLiteral("1"));
        QCOMPARE(svc.defaultWarehouse(), QStringLiteral("二号库"));
    }

    // The stock list shows every row and the exact sum of the stock value in its footer.
    void stockListFooter() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        AppSettings::instance().defaultWarehouse = QStringLiteral("总库房");
        addGoods(h.db(), QStringLiteral("可乐"), QStringLiteral("1"));
        addGoods(h.db(), QStringLiteral("矿泉水"), QStringLiteral("2"));
        StockMovements mv(h.db(), QStringLiteral("总库房"));
        mv.receive(QStringLiteral("可乐"), Money::fromInt(10), Money::fromInt(20), Money::fromInt(2));
        mv.receive(QStringLiteral("可乐"), Money::fromInt(10), Money::fromInt(30), Money::fromInt(3));
        mv.receive(QStringLiteral("矿泉水"), Money::fromInt(3), Money::parse(QStringLiteral("4.0001")),
                   Money::parse(QStringLiteral("1.3334")));
        TFkucun_zongbiao w(h.dm());
        w.show();
        QCOMPARE(w.grid()->model()->rowCount(), 2);
        auto* footer = w.grid()->findChild<QTableWidget*>(QStringLiteral("footer"));
        QVERIFY(footer && footer->isVisible());
        const int col = w.grid()->model()->fieldIndex(QStringLiteral("库存总额"));
        QCOMPARE(footer->item(0, col)->text(), QStringLiteral("54.0002"));
        // A movement elsewhere shows after a refresh.
        mv.issue(QStringLiteral("可乐"), Money::fromInt(4));
        button(&w, "refreshButton")->click();
        QCOMPARE(footer->item(0, col)->text(), QStringLiteral("44.0002"));
        // Title click sorts by value without touching the footer.
        w.grid()->sortByTitle(col);
        QCOMPARE(w.grid()->view()->model()->index(0, 1).data().toString(), QStringLiteral("矿泉水"));
        QCOMPARE(footer->item(0, col)->text(), QStringLiteral("44.0002"));
    }

    // hotelctl rooms, items and stock list the hotel's rows, tab-separated with a header.
    void hotelctlListings() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        AppSettings::instance().defaultWarehouse = QStringLiteral("总库房");
        BaseDataService svc(h.db(), AppSettings::instance());
        svc.saveRoomType(QString(), QStringLiteral("标准间"), Money::fromInt(188), Money::fromInt(40));
        svc.createRoomBatch(QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("B"),
                            QStringLiteral("标准间"));
        addGoods(h.db(), QStringLiteral("可乐"), QStringLiteral("1002"));
        BaseDataService::Item tea;
        tea.name = QStringLiteral("茶位费");
        tea.code = QStringLiteral("1001");
        tea.price = QStringLiteral("12.5");
        tea.commission = QStringLiteral("10");
        tea.pinyin = Pinyin::abbreviation(tea.name);
        svc.saveItem(QString(), tea);
        StockMovements(h.db(), QStringLiteral("总库房"))
            .receive(QStringLiteral("可乐"), Money::fromInt(3), Money::parse(QStringLiteral("7.5")),
                     Money::parse(QStringLiteral("2.5")));

        int rc = -1;
        QCOMPARE(hotelctl(h, QStringLiteral("rooms"), &rc),
                 QStringLiteral("手牌号\t包房类型\t使用状态\nB10\t标准间\t\nB9\t标准间\t\n"));
        QCOMPARE(rc, 0);
        QCOMPARE(hotelctl(h, QStringLiteral("items"), &rc),
                 QStringLiteral("项目编号\t项目名称\t项目类别\t项目价格\t成本\t提成\t参与库存计算\t项目拼音\n"
                                "1001\t茶位费\t\t12.5\t0\t10\t否\tcwf\n"
                                "1002\t可乐\t饮料\t5\t2.5\t0\t是\tkl\n"));
        QCOMPARE(rc, 0);
        QCOMPARE(
            hotelctl(h, QStringLiteral("stock"), &rc),
            QStringLiteral("库房名称\t项目名称\t单位成本\t当前库存\t库存总额\n总库房\t可乐\t2.5\t3\t7.5\n"));
        QCOMPARE(rc, 0);
    }
};

QTEST_MAIN(TestWarehouseWindows)
#include "tst_warehousewindows.moc"
