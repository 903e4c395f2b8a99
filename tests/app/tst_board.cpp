#include "app/ui/TFgenggai_zhuangtai.h"
#include "app/ui/Tmain.h"
#include "app/ui/roompagemodel.h"
#include "app/ui/uiprompt.h"
#include "apptestdata.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "support/testhotel.h"
#include "widgets/ui/hotelevents.h"
#include "widgets/ui/rowsmodel.h"

#include <QAction>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace AppTestData;

class TestBoard : public QObject {
    Q_OBJECT

    QStringList m_messages;
    QList<QDialog*> m_modals;
    bool m_confirm = true;

    static void select(Tmain& main, int page, const QString& room) {
        RoomPageModel* m = main.pageModel(page);
        const int row = m->rowOf(room);
        QVERIFY(row >= 0);
        main.pages()->setCurrentIndex(page);
        main.pageList(page)->selectionModel()->setCurrentIndex(m->index(row, 0),
                                                               QItemSelectionModel::ClearAndSelect);
    }
    // TestHotel starts from fresh settings: the operator gets every right here.
    static void seed(const DbSession& db) {
        for (int i = 1; i <= 9; ++i)
            AppSettings::instance().setRight(i, QString(47, u'1'));
        roomType(db, QStringLiteral("标准间"));
        roomType(db, QStringLiteral("大床房"));
        room(db, QStringLiteral("101"), QStringLiteral("标准间"));
        room(db, QStringLiteral("1011"), QStringLiteral("标准间"), QStringLiteral("脏台"));
        room(db, QStringLiteral("102"), QStringLiteral("标准间"), QStringLiteral("占用"),
             QDateTime(QDate(2026, 3, 14), QTime(15, 0)), QStringLiteral("张伟"));
        room(db, QStringLiteral("201"), QStringLiteral("大床房"), QStringLiteral("预定"));
        line(db, QStringLiteral("102"), QStringLiteral("房费"), Money::fromInt(188));
        line(db, QStringLiteral("102"), QStringLiteral("矿泉水"), Money::parse(QStringLiteral("5.5")));
    }

private slots:
    void init() {
        Clock::instance().fix(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
        m_messages.clear();
        m_modals.clear();
        m_confirm = true;
        UiPrompt::setHooks({[this](const QString& t) { m_messages << t; },
                            [this](const QString& caption, const QString& t) {
                                m_messages << caption + u'|' + t;
                                return m_confirm;
                            },
                            [this](QDialog* d) {
                                m_modals << d;
                                return 0;
                            }});
    }
    void cleanup() { UiPrompt::clearHooks(); }

    void pagesPerRoomType() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        for (int i = 1; i <= 11; ++i) {
            roomType(h.db(), QStringLiteral("类型%1").arg(i));
            room(h.db(), QStringLiteral("%1").arg(i * 100 + 1), QStringLiteral("类型%1").arg(i));
        }
        Tmain main(h.dm());
        main.show();
        QTabWidget* pages = main.pages();
        for (int i = 0; i < 10; ++i) {
            QVERIFY(pages->isTabVisible(i));
            QCOMPARE(pages->tabText(i), QStringLiteral("类型%1").arg(i + 1));
            QCOMPARE(main.pageModel(i)->rowCount(), 1);
        }
        // the eleventh type has no page: room 1101 is nowhere
        for (int i = 0; i < 10; ++i)
            QCOMPARE(main.pageModel(i)->rowOf(QStringLiteral("1101")), -1);
        QCOMPARE(main.findChild<QLabel*>(QStringLiteral("StatusPanel2"))->text(),
                 QStringLiteral("总房间：11   占用：0"));
    }

    void noRoomTypeShowsAnEmptyFirstPage() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        Tmain main(h.dm());
        main.show();
        QVERIFY(main.pages()->isTabVisible(0));
        QVERIFY(!main.pages()->isTabVisible(1));
        QCOMPARE(main.pageModel(0)->rowCount(), 0);
    }

    void roomInfoBillAndTotals() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        seed(h.db());
        SqlQuery(
            h.db(),
            QStringLiteral("insert into 消费主表 (流水号,总流水号,现金收取,交班完毕) values ('1',1,:a,'否'),"
                           "('2',2,:b,'是')"))
            .bind(QStringLiteral("a"), Money::parse(QStringLiteral("120.5")))
            .bind(QStringLiteral("b"), Money::fromInt(1000))
            .exec();
        Tmain main(h.dm());
        main.show();
        QCOMPARE(main.pageModel(0)->rowCount(), 3);
        QCOMPARE(main.pageModel(0)->stateAt(main.pageModel(0)->rowOf(QStringLiteral("102"))),
                 QStringLiteral("占用"));
        auto money = [&main](const char* which) {
            for (QLabel* l : main.findChildren<QLabel*>(QStringLiteral("moneyValue"))) {
                if (l->property("money").toString() == QString::fromLatin1(which))
                    return l->text();
            }
            return QString();
        };
        QCOMPARE(money("taken"), QStringLiteral("120.5"));
        QCOMPARE(money("open"), QStringLiteral("193.5"));
        QCOMPARE(money("total"), QStringLiteral("314"));
        QCOMPARE(main.findChild<QLabel*>(QStringLiteral("StatusPanel2"))->text(),
                 QStringLiteral("总房间：4   占用：1"));

        select(main, 0, QStringLiteral("102"));
        auto field = [&main](const char* f) {
            for (QLabel* l : main.findChildren<QLabel*>(QStringLiteral("infoValue"))) {
                if (l->property("field").toString() == QString::fromLatin1(f))
                    return l->text();
            }
            return QString();
        };
        QCOMPARE(field("room"), QStringLiteral("102"));
        QCOMPARE(field("state"), QStringLiteral("占用"));
        QCOMPARE(field("name"), QStringLiteral("张伟"));
        QCOMPARE(field("deposit"), QStringLiteral("200"));
        QCOMPARE(field("since"), QStringLiteral("2026-03-14 15:00:00"));
        QCOMPARE(main.billModel()->rowCount(), 2);
        QCOMPARE(main.billModel()->columnSum(3).toString(), QStringLiteral("193.5"));
        // an idle room empties the grid and the guest fields
        select(main, 0, QStringLiteral("101"));
        QCOMPARE(main.billModel()->rowCount(), 0);
        QCOMPARE(field("name"), QString());
        QCOMPARE(field("state"), QStringLiteral("空闲"));
    }

    // A mouse click shows the room; a room event after a check-in redraws the shown room,
    // the room counts and the takings even when that room was already the current one.
    void clickAndRoomEventRefreshTheShownRoom() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        seed(h.db());
        Tmain main(h.dm());
        main.resize(1200, 800);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        auto field = [&main](const char* f) {
            for (QLabel* l : main.findChildren<QLabel*>(QStringLiteral("infoValue"))) {
                if (l->property("field").toString() == QString::fromLatin1(f))
                    return l->text();
            }
            return QString();
        };
        QListView* list = main.pageList(0);
        const QModelIndex idx = main.pageModel(0)->index(main.pageModel(0)->rowOf(QStringLiteral("101")), 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(idx).center());
        QCOMPARE(field("room"), QStringLiteral("101"));
        QCOMPARE(field("state"), QStringLiteral("空闲"));

        // Another window checks 101 in and says so.
        setState(h.db(), QStringLiteral("101"), QStringLiteral("占用"));
        line(h.db(), QStringLiteral("101"), QStringLiteral("房费"), Money::fromInt(88));
        emit HotelEvents::instance().roomChanged(QStringLiteral("101"));
        QCOMPARE(field("state"), QStringLiteral("占用"));
        QCOMPARE(main.billModel()->rowCount(), 1);
        QCOMPARE(main.findChild<QLabel*>(QStringLiteral("StatusPanel2"))->text(),
                 QStringLiteral("总房间：4   占用：2"));
        // The same room clicked again is read afresh.
        line(h.db(), QStringLiteral("101"), QStringLiteral("矿泉水"), Money::fromInt(3));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(idx).center());
        QCOMPARE(main.billModel()->rowCount(), 2);
    }

    void staleStateCheckOnDoubleClick() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        seed(h.db());
        Tmain main(h.dm());
        main.show();
        select(main, 0, QStringLiteral("1011"));
        // another workstation cleaned the room meanwhile
        setState(h.db(), QStringLiteral("1011"), QStringLiteral("空闲"));
        main.roomDoubleClicked(main.pageList(0));
        QCOMPARE(m_messages,
                 QStringList{QStringLiteral("当前手牌状态没有刷新，该手牌已经在其他地点更换了状态")});
        QVERIFY(m_modals.isEmpty());
        QCOMPARE(main.pageModel(0)->stateAt(main.pageModel(0)->rowOf(QStringLiteral("1011"))),
                 QStringLiteral("空闲"));
        // a fresh state opens the state window for a dirty room
        setState(h.db(), QStringLiteral("1011"), QStringLiteral("脏台"));
        main.shuaxindan(QStringLiteral("1011"));
        m_messages.clear();
        main.roomDoubleClicked(main.pageList(0));
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(m_modals.size(), 1);
        QCOMPARE(m_modals[0]->objectName(), QStringLiteral("TFgenggai_zhuangtai"));
        // without the state right nothing opens
        AppSettings::instance().Right2 = QStringLiteral("10111111");
        main.roomDoubleClicked(main.pageList(0));
        QCOMPARE(m_modals.size(), 1);
        // Enter does the same without the stale-state check
        AppSettings::instance().Right2 = QString(8, u'1');
        QTest::keyClick(main.pageList(0), Qt::Key_Return);
        QCOMPARE(m_modals.size(), 2);
    }

    void doubleClickOpensByState() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        seed(h.db());
        Tmain main(h.dm());
        QStringList opened;
        main.setOpener(QStringLiteral("N8"),
                       [&opened](const QString& r, const QString&) { opened << QStringLiteral("开单") + r; });
        main.setOpener(QStringLiteral("N11"), [&opened](const QString& r, const QString& m) {
            opened << QStringLiteral("消费") + r + m;
        });
        main.show();
        select(main, 0, QStringLiteral("101"));
        main.roomDoubleClicked(main.pageList(0));
        select(main, 0, QStringLiteral("102"));
        main.roomDoubleClicked(main.pageList(0));
        AppSettings::instance().Right2 = QStringLiteral("11011101"); // no 开单, and 增加消费 only by "1"
        select(main, 0, QStringLiteral("101"));
        main.roomDoubleClicked(main.pageList(0));
        AppSettings::instance().Right2 = QStringLiteral("111111");
        select(main, 0, QStringLiteral("102"));
        main.roomDoubleClicked(main.pageList(0));
        QCOMPARE(m_messages.join(u'|'), QString());
        QCOMPARE(opened.join(u','), QStringLiteral("开单101,消费102102"));
    }

    void roomMenuChecks_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("room");
        QTest::addColumn<QString>("message");
        QTest::newRow("开单 none") << QStringLiteral("N8") << QString() << QStringLiteral("请选择手牌号！！");
        QTest::newRow("开单 occupied") << QStringLiteral("N8") << QStringLiteral("102")
                                       << QStringLiteral("该手牌目前状态为：占用，无法开手牌");
        QTest::newRow("开单 reserved") << QStringLiteral("N8") << QStringLiteral("201") << QString();
        QTest::newRow("结帐 idle") << QStringLiteral("N10") << QStringLiteral("101")
                                   << QStringLiteral("该手牌目前状态为：空闲，无法结帐");
        QTest::newRow("结帐 occupied") << QStringLiteral("N10") << QStringLiteral("102") << QString();
        QTest::newRow("宾客预定 none")
            << QStringLiteral("actYuding") << QString() << QStringLiteral("请选择手牌号！！");
        QTest::newRow("增加消费 dirty") << QStringLiteral("N11") << QStringLiteral("1011")
                                        << QStringLiteral("该手牌目前状态为：脏台，无法增加消费");
        QTest::newRow("更换房间 none")
            << QStringLiteral("N36") << QString() << QStringLiteral("请选择房间号！！");
        QTest::newRow("更换房间 idle") << QStringLiteral("N36") << QStringLiteral("101")
                                       << QStringLiteral("该餐台目前状态为：空闲，无法更换餐台");
        QTest::newRow("续交押金 idle") << QStringLiteral("N48") << QStringLiteral("101")
                                       << QStringLiteral("该餐台目前状态为：空闲，无法续交押金");
        QTest::newRow("房间状态 none")
            << QStringLiteral("N37") << QString() << QStringLiteral("请选择房间号！！");
        QTest::newRow("房间状态 occupied") << QStringLiteral("N37") << QStringLiteral("102")
                                           << QStringLiteral("该房间目前状态为：占用，无法更改其状态");
        QTest::newRow("修改登记 none") << QStringLiteral("N54") << QString() << QString();
        QTest::newRow("先走不结帐 none")
            << QStringLiteral("N46") << QString() << QStringLiteral("请选择餐台号！！");
        QTest::newRow("先走不结帐 idle") << QStringLiteral("N46") << QStringLiteral("101")
                                         << QStringLiteral("该餐台目前状态为：空闲，无法结帐");
        QTest::newRow("制作门卡 idle") << QStringLiteral("actMenka") << QStringLiteral("101")
                                       << QStringLiteral("该手牌目前状态为：空闲，无法制卡");
        QTest::newRow("制作门卡 occupied")
            << QStringLiteral("actMenka") << QStringLiteral("102") << QString();
    }
    void roomMenuChecks() {
        QFETCH(QString, item);
        QFETCH(QString, room);
        QFETCH(QString, message);
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        seed(h.db());
        Tmain main(h.dm());
        QStringList opened;
        for (const char* n : {"N8", "N10", "actYuding", "N11", "N36", "N48", "N54", "N46", "actMenka"})
            main.setOpener(QString::fromLatin1(n), [&opened, n](const QString& r, const QString&) {
                opened << QString::fromLatin1(n) + u':' + r;
            });
        main.show();
        if (!room.isEmpty())
            select(main, room == QStringLiteral("201") ? 1 : 0, room);
        else
            main.pageList(0)->selectionModel()->clearSelection();
        const QByteArray slot = item == QStringLiteral("actYuding")  ? QByteArray("reserveClick")
                                : item == QStringLiteral("actMenka") ? QByteArray("doorCardClick")
                                                                     : item.toLatin1() + "Click";
        QVERIFY(QMetaObject::invokeMethod(&main, slot.constData()));
        if (message.isEmpty()) {
            QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(u'|')));
            if (!room.isEmpty())
                QCOMPARE(opened, QStringList{item + u':' + room});
        } else {
            QCOMPARE(m_messages, QStringList{message});
            QVERIFY(opened.isEmpty());
        }
    }

    void doorCardTestsTheStoredState() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        seed(h.db());
        Tmain main(h.dm());
        QStringList opened;
        main.setOpener(QStringLiteral("actMenka"),
                       [&opened](const QString& r, const QString&) { opened << r; });
        main.show();
        select(main, 0, QStringLiteral("101"));
        setState(h.db(), QStringLiteral("101"), QStringLiteral("占用")); // checked in elsewhere
        main.doorCardClick();
        QCOMPARE(m_messages,
                 QStringList{QStringLiteral("当前手牌状态没有刷新，该手牌已经在其他地点更换了状态")});
        QVERIFY(opened.isEmpty());
        QCOMPARE(main.pageModel(0)->stateAt(main.pageModel(0)->rowOf(QStringLiteral("101"))),
                 QStringLiteral("占用"));
    }

    void quickSearch() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        seed(h.db());
        Tmain main(h.dm());
        main.show();
        auto* box = main.findChild<QLineEdit*>(QStringLiteral("quickSearch"));
        box->setText(QStringLiteral("99"));
        QCOMPARE(box->text(), QStringLiteral("99")); // no such room: unchanged
        box->clear();
        QTest::keyClicks(box, QStringLiteral("101"));
        QCOMPARE(box->text(), QString()); // 101 exists: selected at once, box cleared
        QCOMPARE(main.selectedRoom(main.pageList(0)), QStringLiteral("101"));
        QTest::keyClicks(box, QStringLiteral("201"));
        QCOMPARE(main.pages()->currentIndex(), 1);
        QCOMPARE(main.selectedRoom(main.pageList(1)), QStringLiteral("201"));
        // room numbers can be Chinese too: typed through the input method
        roomType(h.db(), QStringLiteral("会议室"));
        room(h.db(), QStringLiteral("贵宾一"), QStringLiteral("会议室"));
        main.shuaxinmain();
        box->setFocus();
        QInputMethodEvent ime;
        ime.setCommitString(QStringLiteral("贵宾一"));
        QCoreApplication::sendEvent(box, &ime);
        QCOMPARE(box->text(), QString());
        QCOMPARE(main.selectedRoom(main.pageList(2)), QStringLiteral("贵宾一"));
    }

    void keysAndClose() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        seed(h.db());
        Tmain main(h.dm());
        QStringList opened;
        main.setOpener(QStringLiteral("quickCheckIn"),
                       [&opened](const QString&, const QString&) { opened << QStringLiteral("F1"); });
        main.setOpener(QStringLiteral("quickCheckOut"),
                       [&opened](const QString&, const QString&) { opened << QStringLiteral("F5"); });
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        auto* takings = main.findChild<QGroupBox*>(QStringLiteral("GroupBoxYye"));
        QVERIFY(takings->isVisible());
        QTest::keyClick(main.pageList(0), Qt::Key_Slash);
        QVERIFY(!takings->isVisible());
        QTest::keyClick(main.pageList(0), Qt::Key_Slash);
        QVERIFY(takings->isVisible());
        QTest::keyClick(main.pageList(0), Qt::Key_F2);
        QVERIFY(main.findChild<QLineEdit*>(QStringLiteral("quickSearch"))->hasFocus());
        QTest::keyClick(&main, Qt::Key_F1);
        QTest::keyClick(&main, Qt::Key_F5);
        AppSettings::instance().Right2 = QStringLiteral("11000000");
        QTest::keyClick(&main, Qt::Key_F1);
        QTest::keyClick(&main, Qt::Key_F5);
        QCOMPARE(opened, (QStringList{QStringLiteral("F1"), QStringLiteral("F5")}));

        m_confirm = false;
        QVERIFY(!main.close());
        QCOMPARE(m_messages.last(), QStringLiteral("Qelvar酒店客房管理系统|确实要离开吗？"));
        QVERIFY(main.isVisible());
    }

    void bugLogLoadedAndAppended() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        h.writeFile(QStringLiteral("bug.txt"), QByteArray("2026-03-01 结帐失败\r\n"));
        Tmain main(h.dm());
        main.show();
        QCOMPARE(main.errorLog(), QStringList{QStringLiteral("2026-03-01 结帐失败")});
        main.appendErrorLog(QStringLiteral("第二条"));
        QFile f(h.home() + QStringLiteral("/bug.txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), QStringLiteral("2026-03-01 结帐失败\r\n第二条\r\n"));
    }

    void networkModeReloadsAPageWhenItOpens() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        seed(h.db());
        Tmain main(h.dm());
        main.show();
        setState(h.db(), QStringLiteral("201"), QStringLiteral("停用"));
        main.pages()->setCurrentIndex(1);
        const QString shown = main.pageModel(1)->stateAt(0);
        QCOMPARE(shown,
                 AppSettings::instance().isNetworkMode() ? QStringLiteral("停用") : QStringLiteral("预定"));
    }

    void stateWindowSetsAndRefreshes() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        seed(h.db());
        Tmain main(h.dm());
        main.show();
        select(main, 0, QStringLiteral("1011"));
        main.N37Click();
        QCOMPARE(m_modals.size(), 1);
        auto* w = qobject_cast<TFgenggai_zhuangtai*>(m_modals[0]);
        QVERIFY(w);
        QVERIFY(w->findChild<QLabel*>(QStringLiteral("Label1"))->text() == QStringLiteral("房间名称：1011"));
        QVERIFY(w->findChild<QLabel*>(QStringLiteral("Label2"))->text() == QStringLiteral("当前状态：脏台"));
        w->button(QStringLiteral("空闲"))->click();
        QCOMPARE(h.scalar(QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号='1011'")),
                 QStringLiteral("空闲"));
        QCOMPARE(main.pageModel(0)->stateAt(main.pageModel(0)->rowOf(QStringLiteral("1011"))),
                 QStringLiteral("空闲"));
        QCOMPARE(main.selectedRoom(main.pageList(0)), QStringLiteral("1011"));
        // an occupied room is refused even when the window was opened on an older state
        w->setRoom(QStringLiteral("102"), QStringLiteral("脏台"));
        w->button(QStringLiteral("停用"))->click();
        QCOMPARE(m_messages.last(), QStringLiteral("该房间目前状态为：占用，无法更改其状态"));
        QCOMPARE(h.scalar(QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号='102'")),
                 QStringLiteral("占用"));
    }
};

QTEST_MAIN(TestBoard)
#include "tst_board.moc"
