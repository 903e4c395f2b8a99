#include "app/loginservice.h"
#include "app/ui/Tlogin.h"
#include "app/ui/Tmain.h"
#include "app/ui/uiprompt.h"
#include "apptestdata.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/passwordhash.h"
#include "support/testhotel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace AppTestData;

class TestLogin : public QObject {
    Q_OBJECT

    QStringList m_messages;

    void hook() {
        m_messages.clear();
        UiPrompt::setHooks({[this](const QString& t) { m_messages << t; },
                            [](const QString&, const QString&) { return true; }, [](QDialog*) { return 0; }});
    }
    static void type(Tlogin& w, const QString& user, const QString& password) {
        w.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentText(user);
        w.findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(password);
    }
    static void press(Tlogin& w) { w.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click(); }

private slots:
    void init() {
        Clock::instance().fix(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
        hook();
    }
    void cleanup() { UiPrompt::clearHooks(); }

    void showFillsMissingRightsAndListsOperators() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        operatorRow(h.db(), QStringLiteral("admin"), PasswordHash::hash(QStringLiteral("admin")), true);
        operatorRow(h.db(), QStringLiteral("前台"), PasswordHash::hash(QStringLiteral("1")), false,
                    QStringLiteral("0101"));
        Tmain main(h.dm());
        Tlogin w(h.dm(), &main);
        auto* users = w.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        QCOMPARE(users->count(), 2);
        QCOMPARE(users->itemText(0), QStringLiteral("admin"));
        QCOMPARE(users->itemText(1), QStringLiteral("前台"));
        w.show();
        for (int i = 1; i <= 9; ++i) {
            QCOMPARE(h.scalar(QStringLiteral("select right%1 from 登陆 where 用户='admin'").arg(i)),
                     QString(47, u'1'));
            QCOMPARE(h.scalar(QStringLiteral("select right%1 from 登陆 where 用户='前台'").arg(i)),
                     QStringLiteral("0101"));
        }
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("Label4"))->text() ==
                QStringLiteral("初始密码为：admin"));
        // choosing a user shows the name and moves on to the password
        users->setCurrentIndex(1);
        emit users->textActivated(users->currentText());
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), QStringLiteral("前台姓名"));
    }

    void wrongPasswordStaysAndLogsNothing() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        operatorRow(h.db(), QStringLiteral("admin"), PasswordHash::hash(QStringLiteral("admin")), false);
        Tmain main(h.dm());
        Tlogin w(h.dm(), &main);
        w.show();
        type(w, QStringLiteral("admin"), QStringLiteral("Admin"));
        press(w);
        QCOMPARE(m_messages, QStringList{QStringLiteral("您无权登陆本系统！！")});
        QVERIFY(!main.isVisible());
        QVERIFY(w.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->isEnabled());
        QCOMPARE(h.scalar(QStringLiteral("select count(*) from 登陆日志")), QStringLiteral("0"));
        // and again, any number of times
        press(w);
        QCOMPARE(m_messages.size(), 2);
    }

    void goodLoginRunsTheSteps() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        // an old database: plain-text password, typed by hand (the list is filled before the row exists)
        Tmain main(h.dm());
        Tlogin w(h.dm(), &main);
        operatorRow(h.db(), QStringLiteral("老王"), QStringLiteral("secret"), false, QStringLiteral("1011"));
        roomType(h.db(), QStringLiteral("标准间"));
        room(h.db(), QStringLiteral("101"), QStringLiteral("标准间"), QStringLiteral("占用"),
             QDateTime(QDate(2026, 3, 14), QTime(12, 0)));
        line(h.db(), QStringLiteral("101"), QStringLiteral("房费"), Money::fromInt(188));
        h.db().exec(QStringLiteral("update 酒店手牌表 set 应收房费单价=null, 实收房费单价=null"));
        w.show();
        auto* cb1 = w.findChild<QCheckBox*>(QStringLiteral("cb1"));
        auto* cb2 = w.findChild<QCheckBox*>(QStringLiteral("cb2"));
        QVERIFY(!cb1->isChecked());
        QVERIFY(!cb2->isChecked());
        type(w, QStringLiteral("老王"), QStringLiteral("secret"));
        press(w);
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(u'|')));
        QVERIFY(main.isVisible());
        QVERIFY(!w.isVisible());
        const AppSettings& s = AppSettings::instance();
        QCOMPARE(s.operatorName, QStringLiteral("老王"));
        QCOMPARE(s.Right2, QStringLiteral("1011"));
        QCOMPARE(s.callerIdMode, QString());
        QCOMPARE(h.scalar(QStringLiteral("select 类型 from 登陆日志")), QStringLiteral("登陆"));
        QCOMPARE(h.scalar(QStringLiteral("select 用户名 from 登陆日志")), QStringLiteral("老王"));
        QCOMPARE(h.scalar(QStringLiteral("select 时间 from 登陆日志")),
                 QStringLiteral("2026-03-15 10:00:00"));
        // the plain text became a hash that still verifies
        const QString stored = h.scalar(QStringLiteral("select 密码 from 登陆 where 用户='老王'"));
        QVERIFY(PasswordHash::isHash(stored));
        QVERIFY(PasswordHash::verify(QStringLiteral("secret"), stored));
        // null fills; room charges not automatic: the line is untouched
        QCOMPARE(h.scalar(QStringLiteral("select 参与打折 from 店内消费记录")), QStringLiteral("是"));
        QCOMPARE(h.scalar(QStringLiteral("select 应收房费单价 from 酒店手牌表")), QStringLiteral("0"));
        QCOMPARE(h.scalar(QStringLiteral("select 实收房费单价 from 酒店手牌表")), QStringLiteral("0"));
        QCOMPARE(h.scalar(QStringLiteral("select 金额 from 店内消费记录")), QString::number(188 * 10000));
        // caller-ID choices stored in temp.db
        SqlQuery port(h.dm().scratch(), QStringLiteral("select 编号 from 串口编号"));
        port.exec();
        QVERIFY(port.next());
        QCOMPARE(port.text(0), QStringLiteral("0"));
        SqlQuery rec(h.dm().scratch(), QStringLiteral("select 录音设备 from 录音设备"));
        rec.exec();
        QVERIFY(rec.next());
        QCOMPARE(rec.text(0), QString());
        // status bar panels 1 and 4
        QCOMPARE(main.findChild<QLabel*>(QStringLiteral("StatusPanel1"))->text(),
                 QStringLiteral("操作员：老王"));
        QCOMPARE(main.findChild<QLabel*>(QStringLiteral("StatusPanel4"))->text(),
                 QStringLiteral("当前房费计算方式：不自动计算"));
        // rights applied: 开单 needs an explicit "1" at right2 position 3, which "1011" has
        QVERIFY(main.action(QStringLiteral("N8"))->property("granted").toBool());
        QVERIFY(!main.action(QStringLiteral("N37"))->property("granted").toBool());
    }

    void callerIdBoxesExcludeEachOtherAndAreStored() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        operatorRow(h.db(), QStringLiteral("admin"), PasswordHash::hash(QStringLiteral("admin")), false);
        Tmain main(h.dm());
        {
            Tlogin w(h.dm(), &main);
            w.show();
            auto* cb1 = w.findChild<QCheckBox*>(QStringLiteral("cb1"));
            auto* cb2 = w.findChild<QCheckBox*>(QStringLiteral("cb2"));
            auto* port = w.findChild<QComboBox*>(QStringLiteral("ComboBox2"));
            QVERIFY(port->isHidden());
            cb2->setChecked(true);
            cb1->setChecked(true);
            QVERIFY(!cb2->isChecked());
            QVERIFY(!port->isHidden());
            port->setCurrentText(QStringLiteral("5"));
            w.findChild<QComboBox*>(QStringLiteral("ComboBox3"))->setCurrentText(QStringLiteral("四路"));
            type(w, QStringLiteral("admin"), QStringLiteral("admin"));
            press(w);
            QCOMPARE(AppSettings::instance().callerIdMode, QStringLiteral("来电登陆"));
            QCOMPARE(AppSettings::instance().callerIdPort, 5);
            QCOMPARE(AppSettings::instance().callerIdLines, QStringLiteral("四路"));
        }
        // the next login window starts with the stored choices
        Tlogin again(h.dm(), &main);
        again.show();
        QVERIFY(again.findChild<QCheckBox*>(QStringLiteral("cb1"))->isChecked());
        QCOMPARE(again.findChild<QComboBox*>(QStringLiteral("ComboBox2"))->currentText(),
                 QStringLiteral("5"));
        QCOMPARE(again.findChild<QComboBox*>(QStringLiteral("ComboBox3"))->currentText(),
                 QStringLiteral("四路"));
        QVERIFY(!again.findChild<QCheckBox*>(QStringLiteral("cb2"))->isChecked());
    }

    void enterKeysMoveAndLogIn() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        operatorRow(h.db(), QStringLiteral("admin"), PasswordHash::hash(QStringLiteral("admin")), false);
        Tmain main(h.dm());
        Tlogin w(h.dm(), &main);
        w.show();
        auto* user = w.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        auto* pw = w.findChild<QLineEdit*>(QStringLiteral("Edit2"));
        user->setCurrentText(QStringLiteral("admin"));
        QTest::keyClick(user->lineEdit(), Qt::Key_Return);
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), QStringLiteral("admin姓名"));
        pw->setText(QStringLiteral("admin"));
        QTest::keyClick(pw, Qt::Key_Return);
        QVERIFY(main.isVisible());
    }

    void columnTypesChangeNothingWhenRight() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        QCOMPARE(LoginService::ensureColumnTypes(h.db()), QStringList());
        if (!h.db().isPostgres())
            return;
        // a server database whose column lost its type gets it back, with its values
        h.db().exec(QStringLiteral("alter table 消费主表 alter column 时间 type text"));
        h.db().exec(QStringLiteral(
            "insert into 消费主表 (流水号,总流水号,时间) values ('202603150001',1,'2026-03-15 08:00:00')"));
        QCOMPARE(LoginService::ensureColumnTypes(h.db()), QStringList{QStringLiteral("消费主表.时间")});
        QCOMPARE(h.scalar(QStringLiteral(
                     "select data_type from information_schema.columns where table_name='消费主表' "
                     "and column_name='时间'")),
                 QStringLiteral("timestamp without time zone"));
        QCOMPARE(h.scalar(QStringLiteral("select 时间 from 消费主表")),
                 QStringLiteral("2026-03-15 08:00:00"));
        QCOMPARE(LoginService::ensureColumnTypes(h.db()), QStringList());
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
