#include "app/ui/TFchakan_kongfang.h"
#include "app/ui/Tmain.h"
#include "app/ui/uiprompt.h"
#include "app/ui/windowopeners.h"
#include "basedata/ui/Tfuwuyuan_list.h"
#include "basedata/ui/Tjichu_ziliao.h"
#include "core/appsettings.h"
#include "db/sqlquery.h"
#include "inventory/ui/TFkucun_zongbiao.h"
#include "inventory/ui/Tkufang_guanli.h"
#include "support/testhotel.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QTest>

class TestWindowOpeners : public QObject {
    Q_OBJECT
private slots:
    // Each built window opens from its menu item or tool button once the operator has the right.
    void itemsOpenTheirWindows_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("windowClass");
        QTest::newRow("basic data") << QStringLiteral("N4") << QStringLiteral("Tjichu_ziliao");
        QTest::newRow("waiters") << QStringLiteral("N5") << QStringLiteral("Tfuwuyuan_list");
        QTest::newRow("waiters tool") << QStringLiteral("ToolFuwuyuan") << QStringLiteral("Tfuwuyuan_list");
        QTest::newRow("warehouses") << QStringLiteral("N45") << QStringLiteral("Tkufang_guanli");
        QTest::newRow("stock list") << QStringLiteral("N41") << QStringLiteral("TFkucun_zongbiao");
        QTest::newRow("reservation query") << QStringLiteral("N14") << QStringLiteral("TFyuyue_xinxi_chaxun");
        QTest::newRow("returns query")
            << QStringLiteral("actTuicaiChaxun") << QStringLiteral("TFtuicai_chaxun");
        QTest::newRow("hang bills") << QStringLiteral("N22") << QStringLiteral("Tguadan_chaxun");
        QTest::newRow("hang bills tool") << QStringLiteral("ToolGuadan") << QStringLiteral("Tguadan_chaxun");
        QTest::newRow("card top-up") << QStringLiteral("N17") << QStringLiteral("Thuiyuanka_banli");
        QTest::newRow("card top-up tool")
            << QStringLiteral("ToolHuiyuanka") << QStringLiteral("Thuiyuanka_banli");
        QTest::newRow("card query") << QStringLiteral("N19") << QStringLiteral("Thuiyuanka_chaxun");
        QTest::newRow("card query tool")
            << QStringLiteral("ToolHuiyuanChaxun") << QStringLiteral("Thuiyuanka_chaxun");
    }
    void itemsOpenTheirWindows() {
        HOTEL_REQUIRE_ENGINE();
        QFETCH(QString, action);
        QFETCH(QString, windowClass);
        TestHotel h;
        const QString all = QString(47, u'1');
        for (int i = 1; i <= 9; ++i)
            AppSettings::instance().setRight(i, all);
        Tmain board(h.dm());
        registerWindowOpeners(board, h.dm());
        board.ApplyRights();
        QStringList opened;
        UiPrompt::Hooks hooks;
        hooks.modal = [&](QDialog* d) {
            opened << QString::fromLatin1(d->metaObject()->className());
            return int(QDialog::Rejected);
        };
        UiPrompt::setHooks(hooks);
        QAction* a = board.action(action);
        QVERIFY(a);
        QVERIFY(a->isEnabled());
        a->trigger();
        UiPrompt::clearHooks();
        if (opened.isEmpty()) { // a non-modal single window
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->isVisible() && QString::fromLatin1(w->metaObject()->className()) == windowClass)
                    opened << windowClass;
            }
        }
        QCOMPARE(opened, QStringList{windowClass});

        // Without the right the item stays disabled.
        for (int i = 1; i <= 9; ++i)
            AppSettings::instance().setRight(i, QString(47, u'0'));
        board.ApplyRights();
        // Items outside the rights table (the tool button, the returns query) stay open to everyone.
        const bool gated = action != QStringLiteral("ToolFuwuyuan") &&
                           action != QStringLiteral("actTuicaiChaxun") &&
                           action != QStringLiteral("ToolHuiyuanChaxun");
        QCOMPARE(a->isEnabled(), !gated);
    }

    // The idle-room overview checks a room in or reserves it, and lists the idle rooms again after.
    void idleRoomOverviewActions_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("windowClass");
        QTest::newRow("check in") << QStringLiteral("N1") << QStringLiteral("Tkaidan");
        QTest::newRow("reserve") << QStringLiteral("N2") << QStringLiteral("Tyuding");
    }
    void idleRoomOverviewActions() {
        HOTEL_REQUIRE_ENGINE();
        QFETCH(QString, action);
        QFETCH(QString, windowClass);
        TestHotel h;
        SqlQuery(h.db(),
                 QStringLiteral(
                     "insert into 酒店手牌表 (手牌号,包房类型,使用状态) values ('801','标准间','空闲')"))
            .exec();
        Tmain board(h.dm());
        TFchakan_kongfang* overview = board.vacantWindow();
        QAction* a = overview->roomMenu()->findChild<QAction*>(action);
        QVERIFY(a);
        QVERIFY(!a->isEnabled()); // nothing to open yet
        registerWindowOpeners(board, h.dm());
        QVERIFY(a->isEnabled());
        overview->reload();
        QCOMPARE(overview->rooms()->count(), 1);
        overview->rooms()->setCurrentRow(0);
        QStringList opened;
        UiPrompt::Hooks hooks;
        hooks.modal = [&](QDialog* d) {
            opened << QString::fromLatin1(d->metaObject()->className());
            return int(QDialog::Rejected);
        };
        UiPrompt::setHooks(hooks);
        a->trigger();
        UiPrompt::clearHooks();
        QCOMPARE(opened, QStringList{windowClass});
    }
};

QTEST_MAIN(TestWindowOpeners)
#include "tst_windowopeners.moc"
