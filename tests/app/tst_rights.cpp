#include "app/operatorservice.h"
#include "app/rights.h"
#include "app/ui/Tcaozuoyuan_add.h"
#include "app/ui/Tcaozuoyuan_list.h"
#include "app/ui/Tmain.h"
#include "app/ui/uiprompt.h"
#include "apptestdata.h"
#include "core/appsettings.h"
#include "core/passwordhash.h"
#include "support/testhotel.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

using namespace AppTestData;

class TestRights : public QObject {
    Q_OBJECT

    QStringList m_messages;
    bool m_confirm = true;

private slots:
    void init() {
        m_messages.clear();
        m_confirm = true;
        UiPrompt::setHooks({[this](const QString& t) { m_messages << t; },
                            [this](const QString& caption, const QString& t) {
                                m_messages << caption + u'|' + t;
                                return m_confirm;
                            },
                            [](QDialog*) { return 0; }});
    }
    void cleanup() { UiPrompt::clearHooks(); }

    void granted_data() {
        QTest::addColumn<QString>("rights");
        QTest::addColumn<int>("string");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("expected");
        QTest::newRow("right2 '10': 挂单管理") << QStringLiteral("10") << 2 << 1 << true;
        QTest::newRow("right2 '10': 房态修改") << QStringLiteral("10") << 2 << 2 << false;
        for (int p = 3; p <= 8; ++p)
            QTest::addRow("right2 '10': position %d beyond the end is denied", p)
                << QStringLiteral("10") << 2 << p << false;
        QTest::newRow("right1 '1': position 1") << QStringLiteral("1") << 1 << 1 << true;
        for (int p = 2; p <= 4; ++p)
            QTest::addRow("right1 '1': position %d beyond the end is granted", p)
                << QStringLiteral("1") << 1 << p << true;
        QTest::newRow("empty right8 grants") << QString() << 8 << 1 << true;
        QTest::newRow("empty right2 pos 3 denies") << QString() << 2 << 3 << false;
        QTest::newRow("right2 pos 3 'x' denies") << QStringLiteral("11x") << 2 << 3 << false;
        QTest::newRow("right2 pos 2 'x' grants") << QStringLiteral("1x") << 2 << 2 << true;
        QTest::newRow("right2 pos 1 '0' denies") << QStringLiteral("0") << 2 << 1 << false;
        QTest::newRow("right2 pos 7 '1' grants") << QStringLiteral("0000001") << 2 << 7 << true;
        QTest::newRow("right3 '0' denies") << QStringLiteral("10101") << 3 << 2 << false;
        QTest::newRow("right9 all ones") << QString(47, u'1') << 9 << 2 << true;
        QTest::newRow("new operator: 31 zeros") << QString(31, u'0') << 7 << 3 << false;
    }
    void granted() {
        QFETCH(QString, rights);
        QFETCH(int, string);
        QFETCH(int, position);
        QFETCH(bool, expected);
        QCOMPARE(Rights::granted(rights, string, position), expected);
    }

    void categoriesHaveTheirLengths() {
        const QList<int> lengths = {4, 8, 5, 3, 2, 2, 3, 3, 2};
        for (int s = 1; s <= 9; ++s)
            QCOMPARE(Rights::category(s).size(), lengths[s - 1]);
        QCOMPARE(Rights::categoryCaptions().first(), QStringLiteral("1. 基础设置"));
    }

    void applyRightsOnTheBoard() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        Tmain main(h.dm());
        AppSettings& s = AppSettings::instance();
        for (int i = 1; i <= 9; ++i)
            s.setRight(i, QString(47, u'1'));
        s.Right2 = QStringLiteral("10");
        s.Right8 = QStringLiteral("0");
        main.ApplyRights();
        QVERIFY(main.action(QStringLiteral("N22"))->property("granted").toBool());
        for (const char* n : {"N37", "N8", "N54", "N10", "N46", "N36", "N15", "N16", "N11", "N48"})
            QVERIFY2(!main.action(QString::fromLatin1(n))->property("granted").toBool(), n);
        // a granted item whose window exists is enabled; one whose window belongs to later work stays
        // disabled
        QVERIFY(!main.action(QStringLiteral("N7"))->isEnabled()); // right8 "0"
        s.Right8 = QStringLiteral("1");
        main.ApplyRights();
        QVERIFY(main.action(QStringLiteral("N7"))->isEnabled());
        QVERIFY(main.action(QStringLiteral("N25"))->isEnabled());
        QVERIFY(main.action(QStringLiteral("N13"))->property("granted").toBool());
        QVERIFY(!main.action(QStringLiteral("N13"))->isEnabled());
        // items open to everyone
        QVERIFY(main.action(QStringLiteral("actTixingShezhi"))->isEnabled());
        QVERIFY(main.action(QStringLiteral("ToolKongfang"))->isEnabled());
        // a registered window enables its item, subject to the right
        main.setOpener(QStringLiteral("N8"), [](const QString&, const QString&) {});
        QVERIFY(!main.action(QStringLiteral("N8"))->isEnabled());
        s.Right2 = QStringLiteral("111");
        main.ApplyRights();
        QVERIFY(main.action(QStringLiteral("N8"))->isEnabled());
        // a tool button acting through a menu item follows it
        main.setOpener(QStringLiteral("N1"), [](const QString&, const QString&) {});
        s.Right7 = QStringLiteral("0");
        main.ApplyRights();
        QVERIFY(!main.action(QStringLiteral("ToolYingye"))->isEnabled());
        s.Right7 = QStringLiteral("1");
        main.ApplyRights();
        QVERIFY(main.action(QStringLiteral("ToolYingye"))->isEnabled());
    }

    void operatorListEditsRightsAtOnce() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        operatorRow(h.db(), QStringLiteral("admin"), PasswordHash::hash(QStringLiteral("a")), false);
        operatorRow(h.db(), QStringLiteral("小李"), PasswordHash::hash(QStringLiteral("b")), false,
                    QStringLiteral("0"));
        AppSettings::instance().operatorName = QStringLiteral("admin");
        Tcaozuoyuan_list w(h.dm());
        w.show();
        QTreeWidget* tree = w.tree();
        QCOMPARE(tree->topLevelItemCount(), 2);
        QTreeWidgetItem* li = tree->topLevelItem(1);
        QCOMPARE(li->childCount(), 9);
        QCOMPARE(li->child(1)->text(0), QStringLiteral("2. 日常业务"));
        tree->setCurrentItem(li->child(1));
        QCOMPARE(w.checks()->count(), 8);
        QCOMPARE(w.checks()->item(0)->checkState(), Qt::Unchecked);
        w.checks()->item(2)->setCheckState(Qt::Checked); // 开单
        QCOMPARE(h.scalar(QStringLiteral("select right2 from 登陆 where 用户='小李'")),
                 QStringLiteral("00100000"));
        // deleting: oneself, a category node, then cancel and OK
        tree->setCurrentItem(tree->topLevelItem(0));
        w.deleteClick();
        QCOMPARE(m_messages.last(), QStringLiteral("不能删除自己"));
        tree->setCurrentItem(li->child(0));
        w.deleteClick();
        QCOMPARE(m_messages.last(), QStringLiteral("请选择第一层操作员的用户名"));
        tree->setCurrentItem(li);
        m_confirm = false;
        w.deleteClick();
        QCOMPARE(m_messages.last(), QStringLiteral("Qelvar客房管理系统|确实要删除吗？"));
        QCOMPARE(h.scalar(QStringLiteral("select count(*) from 登陆")), QStringLiteral("2"));
        m_confirm = true;
        w.deleteClick();
        QCOMPARE(h.scalar(QStringLiteral("select count(*) from 登陆")), QStringLiteral("1"));
        QCOMPARE(tree->topLevelItemCount(), 1);
    }

    void addOperatorChecks_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("repeat");
        QTest::addColumn<QString>("message");
        QTest::newRow("no user") << QString() << QStringLiteral("1") << QStringLiteral("1")
                                 << QStringLiteral("请输入用户名");
        QTest::newRow("no password") << QStringLiteral("新人") << QString() << QString()
                                     << QStringLiteral("请输入密码");
        QTest::newRow("differ") << QStringLiteral("新人") << QStringLiteral("1") << QStringLiteral("2")
                                << QStringLiteral("两次密码输入的不一致！！");
        QTest::newRow("exists") << QStringLiteral("admin") << QStringLiteral("1") << QStringLiteral("1")
                                << QStringLiteral("此用户名已经存在！！");
        QTest::newRow("good") << QStringLiteral("新人") << QStringLiteral("pw") << QStringLiteral("pw")
                              << QString();
    }
    void addOperatorChecks() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, repeat);
        QFETCH(QString, message);
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        operatorRow(h.db(), QStringLiteral("admin"), PasswordHash::hash(QStringLiteral("a")), false);
        Tcaozuoyuan_add w(h.dm(), Tcaozuoyuan_add::Mode::New, 0);
        w.userEdit()->setText(user);
        w.passwordEdit()->setText(password);
        w.repeatEdit()->setText(repeat);
        w.nameEdit()->setText(QStringLiteral("新同事"));
        w.okClick();
        if (!message.isEmpty()) {
            QCOMPARE(m_messages, QStringList{message});
            QCOMPARE(h.scalar(QStringLiteral("select count(*) from 登陆")), QStringLiteral("1"));
            return;
        }
        QVERIFY(m_messages.isEmpty());
        const OperatorService::Operator op = OperatorService(h.db()).byUser(user);
        QVERIFY(op.found);
        for (const QString& r : op.rights)
            QCOMPARE(r, QString(31, u'0'));
        const QString stored = h.scalar(QStringLiteral("select 密码 from 登陆 where 用户='新人'"));
        QVERIFY(PasswordHash::isHash(stored));
        QVERIFY(PasswordHash::verify(QStringLiteral("pw"), stored));
    }

    void editKeepsOrChangesThePassword() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        operatorRow(h.db(), QStringLiteral("admin"), PasswordHash::hash(QStringLiteral("a")), false);
        const qint64 id = OperatorService(h.db()).byUser(QStringLiteral("admin")).id;
        {
            Tcaozuoyuan_add w(h.dm(), Tcaozuoyuan_add::Mode::Edit, id);
            QCOMPARE(w.userEdit()->text(), QStringLiteral("admin"));
            QVERIFY(w.passwordEdit()->text().isEmpty());
            w.nameEdit()->setText(QStringLiteral("管理员"));
            w.okClick();
        }
        QCOMPARE(m_messages, QStringList{QStringLiteral("修改完毕")});
        QVERIFY(PasswordHash::verify(QStringLiteral("a"), h.scalar(QStringLiteral("select 密码 from 登陆"))));
        QCOMPARE(h.scalar(QStringLiteral("select 姓名 from 登陆")), QStringLiteral("管理员"));
        Tcaozuoyuan_add w(h.dm(), Tcaozuoyuan_add::Mode::Edit, id);
        w.passwordEdit()->setText(QStringLiteral("new"));
        w.repeatEdit()->setText(QStringLiteral("new"));
        w.okClick();
        QVERIFY(
            PasswordHash::verify(QStringLiteral("new"), h.scalar(QStringLiteral("select 密码 from 登陆"))));
    }
};

QTEST_MAIN(TestRights)
#include "tst_rights.moc"
