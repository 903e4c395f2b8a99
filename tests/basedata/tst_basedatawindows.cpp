#include "basedata/basedataservice.h"
#include "basedata/ui/TFshangpin_add2.h"
#include "basedata/ui/Tfuwuyuan_list.h"
#include "basedata/ui/Tjichu_ziliao.h"
#include "basedata/ui/Tshoupai_add.h"
#include "basedata/ui/Tshoupai_piliang.h"
#include "basedata/ui/edittoggle.h"
#include "basedata/ui/gridrows.h"
#include "basedata/ui/prompt.h"
#include "core/appsettings.h"
#include "core/inifile.h"
#include "db/sqlquery.h"
#include "reports/ui/reportdesignerwindow.h"
#include "support/testhotel.h"
#include "widgets/ui/datagrid.h"
#include "widgets/ui/hotelevents.h"
#include "widgets/ui/rowsmodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace {

// Answers the message boxes: records every text, answers questions with `yes`.
struct Prompts {
    QStringList messages;
    bool yes = true;
    Prompts() {
        Prompt::setHandler([this](Prompt::Kind, const QString& text) {
            messages << text;
            return yes;
        });
    }
    ~Prompts() {
        Prompt::setHandler({});
        Prompt::setModalHandler({});
    }
};

template <typename T> T* child(QWidget* w, const QString& name) {
    T* c = w->findChild<T*>(name);
    if (!c)
        qWarning("no child %s", qPrintable(name));
    return c;
}

QPushButton* button(QWidget* w, const QString& name) {
    return child<QPushButton>(w, name);
}

QStringList column(const DbSession& db, const QString& sql) {
    SqlQuery q(db, sql);
    q.exec();
    QStringList out;
    while (q.next())
        out << q.text(0);
    return out;
}

QString szValue(const TestHotel& h, const QString& section) {
    return IniFile(h.home() + QStringLiteral("/sz.ini")).read(section, QStringLiteral("类型"));
}

void addRoomType(const TestHotel& h, const QString& name) {
    BaseDataService(h.db(), AppSettings::instance())
        .saveRoomType(QString(), name, Money::fromInt(188), Money::fromInt(40));
}

} // namespace

class TestBaseDataWindows : public QObject {
    Q_OBJECT
private slots:
    // The add/edit/delete toggle on the category page, with the waiter question checked on save.
    void categoryToggle() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        Prompts prompts;
        Tjichu_ziliao w(h.dm());
        w.show();
        QPushButton* add = button(&w, QStringLiteral("categoryAdd"));
        QPushButton* edit = button(&w, QStringLiteral("categoryEdit"));
        QPushButton* del = button(&w, QStringLiteral("categoryDelete"));
        QCOMPARE(add->text(), QStringLiteral("添加"));
        QCOMPARE(edit->text(), QStringLiteral("编辑"));
        QVERIFY(del->isEnabled());

        add->click();
        QCOMPARE(add->text(), QStringLiteral("保存"));
        QCOMPARE(edit->text(), QStringLiteral("取消"));
        QVERIFY(!del->isEnabled());
        child<QLineEdit>(&w, QStringLiteral("categoryNameEdit"))->setText(QStringLiteral("饮料"));
        add->click(); // no waiter answer yet
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("请选择是否需要服务生！！")});
        QCOMPARE(add->text(), QStringLiteral("保存"));
        QVERIFY(column(h.db(), QStringLiteral("select 类别 from 酒店美容类别")).isEmpty());

        child<QComboBox>(&w, QStringLiteral("categoryWaiterBox"))->setCurrentText(QStringLiteral("不需要"));
        child<QComboBox>(&w, QStringLiteral("categoryDiscountBox"))->setCurrentText(QStringLiteral("否"));
        add->click();
        QCOMPARE(add->text(), QStringLiteral("添加"));
        QVERIFY(del->isEnabled());
        QCOMPARE(column(h.db(), QStringLiteral(
                                    "select 类别||'/'||是否需要服务生||'/'||是否参与打折 from 酒店美容类别")),
                 QStringList{QStringLiteral("饮料/不需要/否")});
        QCOMPARE(w.categoryGrid()->model()->rowCount(), 1);

        // Typing into the detail puts the row in edit; cancel restores it.
        auto* name = child<QLineEdit>(&w, QStringLiteral("categoryNameEdit"));
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("X"));
        QCOMPARE(w.categoryToggle()->state(), EditToggle::State::Editing);
        QCOMPARE(add->text(), QStringLiteral("保存"));
        QVERIFY(!del->isEnabled());
        edit->click();
        QCOMPARE(edit->text(), QStringLiteral("编辑"));
        QCOMPARE(name->text(), QStringLiteral("饮料"));

        // Edit and save renames the row.
        edit->click();
        QCOMPARE(add->text(), QStringLiteral("保存"));
        name->setText(QStringLiteral("酒水"));
        add->click();
        QCOMPARE(column(h.db(), QStringLiteral("select 类别 from 酒店美容类别")),
                 QStringList{QStringLiteral("酒水")});

        // Delete asks; No keeps the row, Yes deletes it.
        prompts.messages.clear();
        prompts.yes = false;
        del->click();
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("是否删除选中文档?")});
        QCOMPARE(column(h.db(), QStringLiteral("select count(*) from 酒店美容类别")),
                 QStringList{QStringLiteral("1")});
        prompts.yes = true;
        del->click();
        QCOMPARE(column(h.db(), QStringLiteral("select count(*) from 酒店美容类别")),
                 QStringList{QStringLiteral("0")});
        QCOMPARE(w.categoryGrid()->model()->rowCount(), 0);
    }

    // The card type page keeps its captions when the row moves; only reopening the table resets them.
    void cardTypeToggle() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        Prompts prompts;
        BaseDataService svc(h.db(), AppSettings::instance());
        svc.saveCardType(QString(), QStringLiteral("金卡"), QStringLiteral("8"), QStringLiteral("20"),
                         QString());
        svc.saveCardType(QString(), QStringLiteral("银卡"), QStringLiteral("9"), QStringLiteral("10"),
                         QString());
        Tjichu_ziliao w(h.dm());
        w.show();
        w.pages()->setCurrentIndex(Tjichu_ziliao::CardTypes);
        QCOMPARE(w.cardTypeGrid()->model()->rowCount(), 2);
        QPushButton* edit = button(&w, QStringLiteral("cardTypeEditButton"));
        QPushButton* add = button(&w, QStringLiteral("cardTypeAdd"));
        edit->click();
        QCOMPARE(add->text(), QStringLiteral("保存"));
        GridRows::select(w.cardTypeGrid(), QStringLiteral("会员卡类型"), QStringLiteral("银卡"));
        QCOMPARE(add->text(), QStringLiteral("保存"));
        w.pages()->setCurrentIndex(Tjichu_ziliao::Categories);
        w.pages()->setCurrentIndex(Tjichu_ziliao::CardTypes);
        QCOMPARE(add->text(), QStringLiteral("添加"));

        add->click();
        child<QLineEdit>(&w, QStringLiteral("cardTypeEdit"))->setText(QStringLiteral("钻石卡"));
        child<QLineEdit>(&w, QStringLiteral("cardRateEdit"))->setText(QStringLiteral("7.5"));
        add->click();
        QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.messages.join(u'|')));
        QCOMPARE(column(h.db(), QStringLiteral("select 折扣率 from 会员卡类型 where 会员卡类型='钻石卡'")),
                 QStringList{QStringLiteral("7.5")});
        // A rate above 10 is refused and the row stays in edit.
        edit->click();
        child<QLineEdit>(&w, QStringLiteral("cardRateEdit"))->setText(QStringLiteral("12"));
        add->click();
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(add->text(), QStringLiteral("保存"));
    }

    // Each group's "设置" writes its own sections to sz.ini and AppSettings, nothing else.
    void ruleGroups_data() {
        QTest::addColumn<QStringList>("setup"); // "kind:objectName:value"
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("written"); // "section=value"
        QTest::addColumn<QString>("message");
        // Every row also changes a radio of another group, which must not be written.
        const QString other = QStringLiteral("check:precision2:");
        QTest::newRow("房费计算设置")
            << QStringList{QStringLiteral("check:chargeAuto:"), QStringLiteral("check:startOneDay:"), other}
            << QStringLiteral("chargeSet")
            << QStringList{QStringLiteral("房费自动计算=自动计算"), QStringLiteral("起始天数=1")}
            << QString();
        QTest::newRow("房费自动计算设置")
            << QStringList{QStringLiteral("text:halfDayHourEdit:13"),
                           QStringLiteral("text:fullDayHourEdit:19"), other}
            << QStringLiteral("surchargeSet")
            << QStringList{QStringLiteral("追加半天时间=13"), QStringLiteral("追加一天时间=19")}
            << QStringLiteral("保存完毕");
        QTest::newRow("计算结果精度")
            << QStringList{QStringLiteral("check:precision3:"), QStringLiteral("check:processUnit:"),
                           QStringLiteral("check:chargeAuto:")}
            << QStringLiteral("precisionSet")
            << QStringList{QStringLiteral("计算精度=取整加一"), QStringLiteral("计算过程=单价折扣处理")}
            << QStringLiteral("计算精度设置完毕");
        QTest::newRow("钟点房设置") << QStringList{QStringLiteral("text:hourlyMinimumEdit:2"),
                                                   QStringLiteral("text:hourlyToDayEdit:5"), other}
                                    << QStringLiteral("hourlySet")
                                    << QStringList{QStringLiteral("钟点房最短时间=2"),
                                                   QStringLiteral("钟点房几小时转全天房=5")}
                                    << QStringLiteral("保存完毕");
        QTest::newRow("脏台设置") << QStringList{QStringLiteral("check:dirtyAuto:"),
                                                 QStringLiteral("spin:dirtyMinutes:25"), other}
                                  << QStringLiteral("dirtyOk")
                                  << QStringList{QStringLiteral("脏台变空闲=自动"),
                                                 QStringLiteral("脏台变空闲时间=25")}
                                  << QStringLiteral("设置完毕");
        QTest::newRow("结账单据样式")
            << QStringList{QStringLiteral("check:style3:"), other} << QStringLiteral("billStyleSave")
            << QStringList{QStringLiteral("默认自定义打印报表样式=样式三")} << QString();
    }
    void ruleGroups() {
        HOTEL_REQUIRE_ENGINE();
        QFETCH(QStringList, setup);
        QFETCH(QString, button);
        QFETCH(QStringList, written);
        QFETCH(QString, message);
        TestHotel h;
        Prompts prompts;
        QSignalSpy chargeSpy(&HotelEvents::instance(), &HotelEvents::roomChargeModeChanged);
        QSignalSpy dirtySpy(&HotelEvents::instance(), &HotelEvents::dirtyRoomRuleChanged);
        Tjichu_ziliao w(h.dm());
        w.show();
        for (const QString& step : setup) {
            const QStringList p = step.split(u':');
            if (p[0] == QStringLiteral("check"))
                child<QRadioButton>(&w, p[1])->click();
            else if (p[0] == QStringLiteral("text"))
                child<QLineEdit>(&w, p[1])->setText(p[2]);
            else
                child<QSpinBox>(&w, p[1])->setValue(p[2].toInt());
        }
        ::button(&w, button)->click();

        QCOMPARE(prompts.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QStringList sections;
        for (const QString& pair : written) {
            const QString section = pair.section(u'=', 0, 0);
            const QString value = pair.section(u'=', 1);
            sections << section;
            QCOMPARE(szValue(h, section), value);
        }
        for (const SzSetting& s : kSzSettings) {
            const QString section = QString::fromUtf16(s.section);
            const QString stored = szValue(h, section);
            if (sections.contains(section))
                QCOMPARE(AppSettings::instance().*(s.field), stored);
            else
                QVERIFY2(stored == IniFile::Default, qPrintable(section + u'=' + stored));
        }
        QCOMPARE(chargeSpy.count(), button == QStringLiteral("chargeSet") ? 1 : 0);
        QCOMPARE(dirtySpy.count(), button == QStringLiteral("dirtyOk") ? 1 : 0);
    }

    // Hours are checked before anything is written.
    void badHourWritesNothing() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        Prompts prompts;
        Tjichu_ziliao w(h.dm());
        w.show();
        child<QLineEdit>(&w, QStringLiteral("halfDayHourEdit"))->setText(QStringLiteral("25"));
        button(&w, QStringLiteral("surchargeSet"))->click();
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.messages.first().contains(QStringLiteral("0到23")));
        QCOMPARE(szValue(h, QStringLiteral("追加半天时间")), IniFile::Default);
        QCOMPARE(AppSettings::instance().halfDayHour, QStringLiteral("14"));
    }

    // A stored precision word that matches no radio leaves them all clear; "设置" writes only the process.
    void unknownPrecisionWritesOnlyProcess() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        Prompts prompts;
        AppSettings::instance().roundingRule = QStringLiteral("四舍六入");
        Tjichu_ziliao w(h.dm());
        w.show();
        for (int i = 1; i <= 4; ++i)
            QVERIFY(!child<QRadioButton>(&w, QStringLiteral("precision%1").arg(i))->isChecked());
        button(&w, QStringLiteral("precisionSet"))->click();
        QCOMPARE(szValue(h, QStringLiteral("计算精度")), IniFile::Default);
        QCOMPARE(szValue(h, QStringLiteral("计算过程")), QStringLiteral("金额折扣处理"));
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("计算精度设置完毕")});
    }

    // Hotel texts are saved only after typing; the points rule goes to the table and AppSettings.
    void hotelInfoAndPoints() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        Prompts prompts;
        Tjichu_ziliao w(h.dm());
        w.show();
        w.pages()->setCurrentIndex(Tjichu_ziliao::Other);
        auto* set = button(&w, QStringLiteral("hotelInfoSet"));
        set->click();
        QVERIFY(prompts.messages.isEmpty());
        auto* name = child<QLineEdit>(&w, QStringLiteral("hotelNameEdit"));
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("Hotel A"));
        child<QLineEdit>(&w, QStringLiteral("footnote1Edit"))->setText(QStringLiteral("电话 12345"));
        set->click();
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("信息保存完毕")});
        QCOMPARE(h.scalar(QStringLiteral("select 酒店名称 from 酒店设置")), QStringLiteral("Hotel A"));
        QCOMPARE(AppSettings::instance().hotelPhone, QStringLiteral("电话 12345"));

        child<QCheckBox>(&w, QStringLiteral("pointsRoomOnly"))->setChecked(true);
        button(&w, QStringLiteral("pointsSet"))->click();
        QCOMPARE(h.scalar(QStringLiteral("select 只有房费计入积分 from 酒店设置")), QStringLiteral("是"));
        QCOMPARE(AppSettings::instance().onlyRoomChargesEarnPoints, QStringLiteral("是"));
        QCOMPARE(prompts.messages.size(), 1);
    }

    void doorLockSaves() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        Prompts prompts;
        Tjichu_ziliao w(h.dm());
        w.show();
        w.pages()->setCurrentIndex(Tjichu_ziliao::DoorLock);
        auto* id = child<QLineEdit>(&w, QStringLiteral("lockIdEdit"));
        id->setFocus();
        QTest::keyClicks(id, QStringLiteral("H01"));
        child<QComboBox>(&w, QStringLiteral("lockPortBox"))->setCurrentText(QStringLiteral("COM3"));
        button(&w, QStringLiteral("doorLockSave"))->click();
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("修改完毕")});
        QCOMPARE(h.scalar(QStringLiteral("select 酒店标识||'/'||通讯端口 from 门锁设置")),
                 QStringLiteral("H01/COM3"));
    }

    // Each printing button opens the designer on its template; the bill button on the chosen style's.
    void printingPageButtons_data() {
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("file");
        QTest::newRow("bill style three")
            << QStringLiteral("billDesign") << QStringLiteral("style3") << QStringLiteral("结帐报表3.html");
        QTest::newRow("check-in receipt")
            << QStringLiteral("checkInDesign") << QString() << QStringLiteral("客房开单小票.html");
        QTest::newRow("shift record")
            << QStringLiteral("shiftDesign") << QString() << QStringLiteral("交接班记录.html");
        QTest::newRow("shift items") << QStringLiteral("shiftItemsDesign") << QString()
                                     << QStringLiteral("交班未结账菜品.html");
    }
    void printingPageButtons() {
        HOTEL_REQUIRE_ENGINE();
        QFETCH(QString, buttonName);
        QFETCH(QString, style);
        QFETCH(QString, file);
        TestHotel h;
        Tjichu_ziliao w(h.dm());
        if (!style.isEmpty())
            child<QRadioButton>(&w, style)->setChecked(true);
        QString opened;
        Prompt::setModalHandler([&](QDialog* d) {
            if (auto* designer = qobject_cast<ReportDesignerWindow*>(d))
                opened = QFileInfo(designer->filePath()).fileName();
            return int(QDialog::Rejected);
        });
        button(&w, buttonName)->click();
        Prompt::setModalHandler({});
        QCOMPARE(opened, file);
    }

    void batchCreation_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("rooms");
        QTest::addColumn<QString>("message");
        QTest::newRow("B8 to B11") << QStringLiteral("8") << QStringLiteral("11") << QStringLiteral("B")
                                   << QStringLiteral("标准间")
                                   << QStringList{QStringLiteral("101"), QStringLiteral("B10"),
                                                  QStringLiteral("B11"), QStringLiteral("B8"),
                                                  QStringLiteral("B9")}
                                   << QStringLiteral("添加成功！！");
        QTest::newRow("to below from")
            << QStringLiteral("5") << QStringLiteral("3") << QString() << QStringLiteral("标准间")
            << QStringList{QStringLiteral("101")} << QStringLiteral("添加成功！！");
        QTest::newRow("empty range") << QString() << QStringLiteral("3") << QString()
                                     << QStringLiteral("标准间") << QStringList{QStringLiteral("101")}
                                     << QStringLiteral("手牌范围填写错误！！");
        QTest::newRow("no type") << QStringLiteral("1") << QStringLiteral("3") << QString() << QString()
                                 << QStringList{QStringLiteral("101")}
                                 << QStringLiteral("包房类型填写错误！！");
        QTest::newRow("existing room stops the whole batch")
            << QStringLiteral("100") << QStringLiteral("102") << QString() << QStringLiteral("标准间")
            << QStringList{QStringLiteral("101")}
            << QStringLiteral("房间 101 已经存在，没有增加任何房间！！");
    }
    void batchCreation() {
        HOTEL_REQUIRE_ENGINE();
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, prefix);
        QFETCH(QString, type);
        QFETCH(QStringList, rooms);
        QFETCH(QString, message);
        TestHotel h;
        Prompts prompts;
        addRoomType(h, QStringLiteral("标准间"));
        BaseDataService(h.db(), AppSettings::instance())
            .addRoom(QStringLiteral("101"), QStringLiteral("标准间"));
        QSignalSpy roomsSpy(&HotelEvents::instance(), &HotelEvents::roomsChanged);
        Tjichu_ziliao w(h.dm());
        w.show();
        w.pages()->setCurrentIndex(Tjichu_ziliao::Rooms);
        button(&w, QStringLiteral("roomBatch"))->click();
        Tshoupai_piliang* d = w.batchDialog();
        QVERIFY(d->isVisible());
        d->fromEdit()->setText(from);
        d->toEdit()->setText(to);
        d->prefixEdit()->setText(prefix);
        d->typeBox()->setCurrentIndex(d->typeBox()->findText(type));
        button(d, QStringLiteral("okButton"))->click();
        QCOMPARE(prompts.messages, QStringList{message});
        QCOMPARE(column(h.db(), QStringLiteral("select 手牌号 from 酒店手牌表 order by 手牌号")), rooms);
        const bool ok = message == QStringLiteral("添加成功！！");
        QCOMPARE(d->isVisible(), !ok);
        QCOMPARE(roomsSpy.count(), ok ? 1 : 0);
        QCOMPARE(w.roomGrid()->model()->rowCount(), rooms.size());
    }

    // A room with open bill lines can be neither changed nor deleted; one without can.
    void roomWithOpenLines() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        Prompts prompts;
        addRoomType(h, QStringLiteral("标准间"));
        addRoomType(h, QStringLiteral("大床房"));
        BaseDataService svc(h.db(), AppSettings::instance());
        svc.createRoomBatch(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("A"),
                            QStringLiteral("标准间"));
        SqlQuery(h.db(),
                 QStringLiteral("insert into 店内消费记录 (手牌号,主牌,消费项目) values ('A1','A1','房费')"))
            .exec();
        QSignalSpy roomsSpy(&HotelEvents::instance(), &HotelEvents::roomsChanged);
        Tjichu_ziliao w(h.dm());
        w.show();
        w.pages()->setCurrentIndex(Tjichu_ziliao::Rooms);

        QVERIFY(GridRows::select(w.roomGrid(), QStringLiteral("手牌号"), QStringLiteral("A1")));
        button(&w, QStringLiteral("roomEdit"))->click();
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("此房间正在消费，不能修改")});
        QVERIFY(!w.roomDialog()->isVisible());
        button(&w, QStringLiteral("roomDelete"))->click();
        QCOMPARE(prompts.messages.last(), QStringLiteral("此房间正在消费，不能删除"));
        QCOMPARE(prompts.messages.at(1), QStringLiteral("是否删除选中文档?"));
        QCOMPARE(column(h.db(), QStringLiteral("select 手牌号 from 酒店手牌表 order by 手牌号")),
                 (QStringList{QStringLiteral("A1"), QStringLiteral("A2")}));
        QCOMPARE(roomsSpy.count(), 0);

        // A2 has no lines: the dialog changes it, then it can be deleted.
        prompts.messages.clear();
        QVERIFY(GridRows::select(w.roomGrid(), QStringLiteral("手牌号"), QStringLiteral("A2")));
        button(&w, QStringLiteral("roomEdit"))->click();
        QVERIFY(w.roomDialog()->isVisible());
        QCOMPARE(w.roomDialog()->roomEdit()->text(), QStringLiteral("A2"));
        QCOMPARE(w.roomDialog()->typeBox()->currentText(), QStringLiteral("标准间"));
        w.roomDialog()->roomEdit()->setText(QStringLiteral("A3"));
        w.roomDialog()->typeBox()->setCurrentText(QStringLiteral("大床房"));
        button(w.roomDialog(), QStringLiteral("okButton"))->click();
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(h.scalar(QStringLiteral("select 包房类型 from 酒店手牌表 where 手牌号='A3'")),
                 QStringLiteral("大床房"));
        QCOMPARE(roomsSpy.count(), 1);
        QCOMPARE(GridRows::current(w.roomGrid(), QStringLiteral("手牌号")), QStringLiteral("A3"));
        button(&w, QStringLiteral("roomDelete"))->click();
        QCOMPARE(column(h.db(), QStringLiteral("select 手牌号 from 酒店手牌表")),
                 QStringList{QStringLiteral("A1")});
        QCOMPARE(roomsSpy.count(), 2);
    }

    // A new stock-kept item gets its stock row in the default warehouse and its pinyin.
    void newStockKeptItem() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        Prompts prompts;
        AppSettings::instance().defaultWarehouse = QStringLiteral("吧台库房");
        BaseDataService(h.db(), AppSettings::instance())
            .saveCategory(QString(), QStringLiteral("饮料"), QStringLiteral("不需要"), QStringLiteral("是"));
        Tjichu_ziliao w(h.dm());
        w.show();
        w.pages()->setCurrentIndex(Tjichu_ziliao::Items);
        QStringList pinyinSeen;
        Prompt::setModalHandler([&](QDialog* d) {
            auto* dlg = qobject_cast<TFshangpin_add2*>(d);
            if (!dlg)
                return int(QDialog::Rejected);
            dlg->categoryBox()->setCurrentText(QStringLiteral("饮料"));
            dlg->nameEdit()->setText(QStringLiteral("可乐 500ml"));
            pinyinSeen << dlg->pinyinEdit()->text();
            dlg->codeEdit()->setText(QStringLiteral("1001"));
            pinyinSeen << dlg->pinyinEdit()->text();
            dlg->priceEdit()->setText(QStringLiteral("5"));
            dlg->costEdit()->setText(QStringLiteral("2.5"));
            dlg->stockBox()->setChecked(true);
            dlg->saveClick();
            return dlg->result();
        });
        button(&w, QStringLiteral("itemAdd"))->click();
        QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.messages.join(u'|')));
        QCOMPARE(pinyinSeen, (QStringList{QStringLiteral("kl500ml"), QStringLiteral("kl500ml")}));
        QCOMPARE(h.scalar(QStringLiteral("select 项目拼音 from 酒店服务项目")), QStringLiteral("kl500ml"));
        QCOMPARE(h.scalar(QStringLiteral("select 参与库存计算 from 酒店服务项目")), QStringLiteral("是"));
        QCOMPARE(h.scalar(QStringLiteral("select 库房名称 from 库存总表 where 项目名称='可乐 500ml'")),
                 QStringLiteral("吧台库房"));
        SqlQuery q(h.db(), QStringLiteral("select 单位成本,当前库存,库存总额 from 库存总表"));
        q.exec();
        QVERIFY(q.next());
        QCOMPARE(q.money(0).toString() + u' ' + q.money(1).toString() + u' ' + q.money(2).toString(),
                 QStringLiteral("2.5 0 0"));
        QCOMPARE(w.itemGrid()->model()->rowCount(), 1);

        // Editing the item never touches its stock row.
        h.db().exec(QStringLiteral("update 库存总表 set 当前库存=70000"));
        QStringList seen;
        Prompt::setModalHandler([&](QDialog* d) {
            auto* dlg = qobject_cast<TFshangpin_add2*>(d);
            seen << (dlg->isNew() ? QStringLiteral("new") : QStringLiteral("edit"))
                 << dlg->pinyinEdit()->text()
                 << (dlg->stockBox()->isChecked() ? QStringLiteral("stock") : QStringLiteral("-"));
            dlg->nameEdit()->setText(QStringLiteral("标准间"));
            seen << dlg->pinyinEdit()->text();
            dlg->nameEdit()->setText(QStringLiteral("可乐"));
            dlg->costEdit()->setText(QStringLiteral("3"));
            dlg->saveClick();
            return dlg->result();
        });
        button(&w, QStringLiteral("itemEdit"))->click();
        QCOMPARE(seen, (QStringList{QStringLiteral("edit"), QStringLiteral("kl500ml"),
                                    QStringLiteral("stock"), QStringLiteral("bzj")}));
        QCOMPARE(h.scalar(QStringLiteral("select 项目拼音 from 酒店服务项目")), QStringLiteral("kl"));
        QCOMPARE(h.scalar(QStringLiteral("select count(*) from 库存总表")), QStringLiteral("1"));
        QCOMPARE(h.scalar(QStringLiteral("select 当前库存 from 库存总表")), QStringLiteral("70000"));
    }

    // The waiter list: search by part of the name, add with the toggle, delete with its own question.
    void waiterList() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        Prompts prompts;
        for (const char16_t* n : {u"王芳", u"李四", u"小王"})
            SqlQuery(h.db(), QStringLiteral("insert into 服务员列表 (姓名,性别) values (:姓名,'女')"))
                .bind(QStringLiteral("姓名"), QString::fromUtf16(n))
                .exec();
        h.db().exec(QStringLiteral("insert into 技师提成设置 (技师称号) values ('高级技师')"));
        Tfuwuyuan_list w(h.dm());
        w.show();
        QCOMPARE(w.grid()->model()->rowCount(), 3);
        child<QLineEdit>(&w, QStringLiteral("searchEdit"))->setText(QStringLiteral("王"));
        button(&w, QStringLiteral("searchButton"))->click();
        QStringList found;
        for (int r = 0; r < w.grid()->model()->rowCount(); ++r)
            found << w.grid()->model()->text(r, QStringLiteral("姓名"));
        found.sort();
        QCOMPARE(found, (QStringList{QStringLiteral("小王"), QStringLiteral("王芳")}));

        auto* add = button(&w, QStringLiteral("Button1"));
        auto* del = button(&w, QStringLiteral("Button3"));
        add->click();
        QCOMPARE(add->text(), QStringLiteral("保存"));
        QVERIFY(!del->isEnabled());
        child<QLineEdit>(&w, QStringLiteral("nameEdit"))->setText(QStringLiteral("王五"));
        child<QComboBox>(&w, QStringLiteral("titleBox"))->setCurrentText(QStringLiteral("高级技师"));
        add->click();
        QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.messages.join(u'|')));
        QCOMPARE(h.scalar(QStringLiteral("select 职称 from 服务员列表 where 姓名='王五'")),
                 QStringLiteral("高级技师"));
        QCOMPARE(GridRows::current(w.grid(), QStringLiteral("姓名")), QStringLiteral("王五"));

        // Moving to another row restores the browse captions.
        auto* name = child<QLineEdit>(&w, QStringLiteral("nameEdit"));
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("x"));
        QCOMPARE(add->text(), QStringLiteral("保存"));
        GridRows::select(w.grid(), QStringLiteral("姓名"), QStringLiteral("王芳"));
        QCOMPARE(add->text(), QStringLiteral("添加"));
        QCOMPARE(name->text(), QStringLiteral("王芳"));

        del->click();
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("是否删除选中服务员?")});
        QCOMPARE(h.scalar(QStringLiteral("select count(*) from 服务员列表")), QStringLiteral("3"));
    }
};

QTEST_MAIN(TestBaseDataWindows)
#include "tst_basedatawindows.moc"
