#include "app/reminderservice.h"
#include "app/ui/TFchakan_kongfang.h"
#include "app/ui/TFfangjian_tixing.h"
#include "app/ui/Tmain.h"
#include "app/ui/Ttixing_shezhi.h"
#include "app/ui/Tweixiaofei_tx.h"
#include "app/ui/roompagemodel.h"
#include "app/ui/uiprompt.h"
#include "apptestdata.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "support/testhotel.h"

#include <QCheckBox>
#include <QListWidget>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

using namespace AppTestData;

class TestTimers : public QObject {
    Q_OBJECT

    QStringList m_messages;
    QStringList m_windows; // title and listed rooms of each modal window

    static QDateTime at(int day, int h, int m, int s = 0) {
        return QDateTime(QDate(2026, 3, day), QTime(h, m, s));
    }

    static void reminders(const DbSession& db, bool daily, const QTime& time, bool hourly, int minutes) {
        ReminderService::Settings s;
        s.daily = daily;
        s.dailyTime = time;
        s.hourly = hourly;
        s.hourlyMinutes = minutes;
        ReminderService(db).save(s);
    }
    static void checkedOut(const DbSession& db, const QString& room, const QDateTime& when) {
        SqlQuery(db, QStringLiteral("update 酒店手牌表 set 使用状态='脏台', 结账时间=:t where 手牌号=:n"))
            .bind(QStringLiteral("t"), when)
            .bind(QStringLiteral("n"), room)
            .exec();
    }

private slots:
    void init() {
        m_messages.clear();
        m_windows.clear();
        UiPrompt::setHooks({[this](const QString& t) { m_messages << t; },
                            [](const QString&, const QString&) { return true; },
                            [this](QDialog* d) {
                                QString entry = d->windowTitle();
                                if (auto* list = d->findChild<QListWidget*>(QStringLiteral("ListView1"))) {
                                    for (int i = 0; i < list->count(); ++i)
                                        entry += u' ' + list->item(i)->text();
                                }
                                if (auto* grid = d->findChild<QTableView*>(QStringLiteral("DBGrid1")))
                                    entry += QStringLiteral(" rows=%1").arg(grid->model()->rowCount());
                                m_windows << entry;
                                return 0;
                            }});
    }
    void cleanup() {
        UiPrompt::clearHooks();
        Clock::instance().release();
    }

    void dailyReminderAtItsSecond() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        roomType(h.db(), QStringLiteral("标准间"));
        room(h.db(), QStringLiteral("101"), QStringLiteral("标准间"), QStringLiteral("占用"), at(15, 5, 59));
        room(h.db(), QStringLiteral("102"), QStringLiteral("标准间"), QStringLiteral("占用"), at(15, 6, 1));
        room(h.db(), QStringLiteral("103"), QStringLiteral("标准间"), QStringLiteral("钟点房"), at(15, 1, 0));
        reminders(h.db(), true, QTime(12, 0), false, 0);
        Clock::instance().fix(at(15, 11, 59, 58));
        Tmain main(h.dm());
        main.show();
        QVERIFY(main.timer(1)->isActive());
        main.timer(1)->timeout({}); // the one-shot after the show
        QVERIFY(!main.timer(1)->isActive());
        QVERIFY(main.timer(2)->isActive());
        QVERIFY(!main.timer(3)->isActive());
        main.Timer2Timer();
        QVERIFY(m_windows.isEmpty());
        Clock::instance().advance(2);
        main.Timer2Timer();
        QCOMPARE(m_windows, QStringList{QStringLiteral("每日退房提醒 101")});
        Clock::instance().advance(1);
        main.Timer2Timer();
        QCOMPARE(m_windows.size(), 1);
    }

    void lateTickDoesNotSkipTheDailyReminder() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        roomType(h.db(), QStringLiteral("标准间"));
        room(h.db(), QStringLiteral("101"), QStringLiteral("标准间"), QStringLiteral("占用"), at(15, 1, 0));
        reminders(h.db(), true, QTime(12, 0), false, 0);
        Clock::instance().fix(at(15, 11, 59, 59));
        Tmain main(h.dm());
        main.show();
        main.Timer1Timer();
        main.Timer2Timer();
        Clock::instance().advance(2); // the tick of 12:00:00 came late
        main.Timer2Timer();
        QCOMPARE(m_windows, QStringList{QStringLiteral("每日退房提醒 101")});
    }

    void hourlyRoomDue() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        roomType(h.db(), QStringLiteral("标准间"));
        room(h.db(), QStringLiteral("105"), QStringLiteral("标准间"), QStringLiteral("钟点房"),
             at(15, 10, 0));
        room(h.db(), QStringLiteral("106"), QStringLiteral("标准间"), QStringLiteral("占用"), at(15, 10, 0));
        reminders(h.db(), false, QTime(12, 0), true, 30);
        Clock::instance().fix(at(15, 12, 29, 59));
        Tmain main(h.dm());
        main.show();
        main.Timer1Timer();
        QVERIFY(main.timer(3)->isActive());
        QVERIFY(!main.timer(2)->isActive());
        main.Timer3Timer();
        QVERIFY(m_windows.isEmpty());
        Clock::instance().advance(1); // 12:30:00: three hours after 10:00 less thirty minutes
        main.Timer3Timer();
        QCOMPARE(m_windows, QStringList{QStringLiteral("钟点房到时提醒 105")});
        Clock::instance().advance(1);
        main.Timer3Timer();
        QCOMPARE(m_windows.size(), 1);
    }

    void settingsWindowAppliesAtOnce() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        Clock::instance().fix(at(15, 9, 0));
        Tmain main(h.dm());
        main.show();
        main.Timer1Timer();
        QVERIFY(!main.timer(2)->isActive());
        Ttixing_shezhi w(h.dm());
        w.show();
        auto* daily = w.findChild<QCheckBox*>(QStringLiteral("CheckBox3"));
        auto* time = w.findChild<QTimeEdit*>(QStringLiteral("DateTimePicker1"));
        QVERIFY(!daily->isChecked());
        QVERIFY(time->parentWidget()->isHidden());
        daily->setChecked(true);
        QVERIFY(!time->parentWidget()->isHidden());
        time->setTime(QTime(12, 0));
        w.findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->setValue(7);
        w.okClick();
        QCOMPARE(m_messages, QStringList{QStringLiteral("提醒设置完毕！！")});
        QVERIFY(main.timer(2)->isActive());
        QCOMPARE(AppSettings::instance().dailyReminderTime, QStringLiteral("12:00:00"));
        const ReminderService::Settings stored = ReminderService(h.db()).load();
        QVERIFY(stored.daily);
        QCOMPARE(stored.dailyTime, QTime(12, 0));
        QVERIFY(!stored.birthday);
        QCOMPARE(stored.birthdayDays, 7); // written whether or not its box is checked
        // and back off
        Ttixing_shezhi again(h.dm());
        again.show();
        QVERIFY(again.findChild<QCheckBox*>(QStringLiteral("CheckBox3"))->isChecked());
        again.findChild<QCheckBox*>(QStringLiteral("CheckBox3"))->setChecked(false);
        again.okClick();
        QVERIFY(!main.timer(2)->isActive());
    }

    void dirtyRoomSweep() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        h.writeFile(QStringLiteral("sz.ini"),
                    QByteArray("[脏台变空闲]\r\n类型=自动\r\n[脏台变空闲时间]\r\n类型=20\r\n"));
        AppSettings::instance().dirtyToIdle = QStringLiteral("自动");
        AppSettings::instance().dirtyToIdleMinutes = QStringLiteral("20");
        roomType(h.db(), QStringLiteral("标准间"));
        for (const char* r : {"101", "102", "103"})
            room(h.db(), QString::fromLatin1(r), QStringLiteral("标准间"));
        Clock::instance().fix(at(15, 10, 0));
        checkedOut(h.db(), QStringLiteral("101"), at(15, 9, 40)); // exactly 20 minutes ago
        checkedOut(h.db(), QStringLiteral("102"), at(15, 9, 41));
        Tmain main(h.dm());
        main.show(); // the sweep runs once at show
        QCOMPARE(m_messages, QStringList{QStringLiteral("修改了1个脏台")});
        QCOMPARE(main.pageModel(0)->stateAt(main.pageModel(0)->rowOf(QStringLiteral("101"))),
                 QStringLiteral("空闲"));
        QCOMPARE(main.pageModel(0)->stateAt(main.pageModel(0)->rowOf(QStringLiteral("102"))),
                 QStringLiteral("脏台"));
        QVERIFY(main.timer(4)->isActive());
        QCOMPARE(main.timer(4)->interval(), 20 * 60000);
        Clock::instance().advance(60);
        main.timer(4)->timeout({});
        QCOMPARE(m_messages.last(), QStringLiteral("修改了1个脏台"));
        QCOMPARE(main.pageModel(0)->stateAt(main.pageModel(0)->rowOf(QStringLiteral("102"))),
                 QStringLiteral("空闲"));
        QCOMPARE(h.scalar(QStringLiteral("select count(*) from 酒店手牌表 where 使用状态='脏台'")),
                 QStringLiteral("0"));
        // nothing to sweep: no message
        main.Timer4Timer();
        QCOMPARE(m_messages.size(), 2);
    }

    void manualDirtyRuleNeverSweeps() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        roomType(h.db(), QStringLiteral("标准间"));
        room(h.db(), QStringLiteral("101"), QStringLiteral("标准间"));
        Clock::instance().fix(at(15, 10, 0));
        checkedOut(h.db(), QStringLiteral("101"), at(14, 9, 0));
        Tmain main(h.dm());
        main.show();
        QVERIFY(!main.timer(4)->isActive());
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(h.scalar(QStringLiteral("select 使用状态 from 酒店手牌表")), QStringLiteral("脏台"));
    }

    void birthdayListFromTimer1AndIdleMembers() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        auto member = [&h](const QString& name, const QString& birthday, const QDateTime& last) {
            SqlQuery q(h.db(),
                       QStringLiteral("insert into 会员卡表 (卡号,姓名,生日3,最后消费时间,储值金额) values "
                                      "(:k,:n,:b,:l,:m)"));
            q.bind(QStringLiteral("k"), name)
                .bind(QStringLiteral("n"), name)
                .bind(QStringLiteral("b"), birthday);
            if (last.isValid())
                q.bind(QStringLiteral("l"), last);
            else
                q.bindNull(QStringLiteral("l"));
            q.bind(QStringLiteral("m"), Money::fromInt(50)).exec();
        };
        member(QStringLiteral("今天"), QStringLiteral("2026-03-15"), at(14, 9, 0));
        member(QStringLiteral("明天"), QStringLiteral("2026-03-16"), at(1, 9, 0));
        member(QStringLiteral("从未"), QStringLiteral("2026-05-01"), QDateTime());
        ReminderService::Settings s;
        s.birthday = true;
        s.birthdayDays = 0;
        s.idleCustomerDays = 10;
        ReminderService(h.db()).save(s);
        Clock::instance().fix(at(15, 9, 0));
        Tmain main(h.dm());
        main.show();
        main.Timer1Timer();
        QCOMPARE(m_windows, QStringList{QStringLiteral("生日提醒 rows=1")});
        Tweixiaofei_tx idle(h.dm());
        QCOMPARE(idle.windowTitle(), QStringLiteral("10天未消费客户列表"));
        QCOMPARE(idle.grid()->model()->rowCount(), 2); // 明天 (last on the 1st) and 从未
    }

    void vacantRoomsAndReminderList() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        roomType(h.db(), QStringLiteral("标准间"));
        roomType(h.db(), QStringLiteral("大床房"));
        room(h.db(), QStringLiteral("101"), QStringLiteral("标准间"));
        room(h.db(), QStringLiteral("102"), QStringLiteral("标准间"), QStringLiteral("占用"), at(15, 8, 0));
        room(h.db(), QStringLiteral("201"), QStringLiteral("大床房"));
        TFchakan_kongfang w(h.dm());
        w.reload();
        QCOMPARE(w.types()->count(), 3);
        QCOMPARE(w.types()->item(0)->text(), QStringLiteral("全部"));
        QCOMPARE(w.rooms()->count(), 2);
        emit w.types()->itemClicked(w.types()->item(2));
        QCOMPARE(w.rooms()->count(), 1);
        QCOMPARE(w.rooms()->item(0)->text(), QStringLiteral("201"));
        // occupied elsewhere meanwhile: the message, and the list of all idle rooms again
        setState(h.db(), QStringLiteral("201"), QStringLiteral("占用"));
        w.rooms()->setCurrentRow(0);
        w.roomDoubleClicked();
        QCOMPARE(m_messages,
                 QStringList{QStringLiteral("当前手牌状态没有刷新，该手牌已经在其他地点更换了状态")});
        QCOMPARE(w.rooms()->count(), 1);
        QCOMPARE(w.rooms()->item(0)->text(), QStringLiteral("101"));

        TFfangjian_tixing r(h.dm());
        r.setRooms({QStringLiteral("102")});
        emit r.list()->itemClicked(r.list()->item(0));
        QCOMPARE(r.detail(), QStringLiteral("入住时间：2026-03-15 08:00:00"));
    }
};

QTEST_MAIN(TestTimers)
#include "tst_timers.moc"
