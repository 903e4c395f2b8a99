#include "../billing/settlementdata.h"
#include "app/ui/uiprompt.h"
#include "billing/checkoutservice.h"
#include "billing/ui/billpreview.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "members/membercards.h"
#include "members/ui/TFhuiyuan.h"
#include "members/ui/Thuiyuanka_banli.h"
#include "members/ui/Thuiyuanka_chaxun.h"
#include "support/testhotel.h"
#include "widgets/ui/datagrid.h"
#include "widgets/ui/rowsmodel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace SettlementData;

namespace {

const QDateTime kNow(QDate(2026, 3, 15), QTime(11, 30));

void type(QLineEdit* e, const QString& text) {
    e->setFocus();
    e->selectAll();
    e->insert(text);
}

void saveShot(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("SETTLEMENT_SHOTS");
    if (dir.isEmpty())
        return;
    QCoreApplication::processEvents(); // let the layouts settle first
    w->grab().save(dir + u'/' + name + QStringLiteral(".png"));
}

} // namespace

class TestMemberWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<TestHotel> h;
    QStringList m_messages;
    QList<QPair<QString, ReportData>> m_printed;

    const DbSession& db() const { return h->db(); }
    MemberCards cards() const { return MemberCards(db(), AppSettings::instance(), Clock::instance()); }
    Money balance(const QString& no) const {
        return moneyOf(db(), QStringLiteral("select 储值金额 from 会员卡表 where 卡号=:k"), no);
    }
    void issue(const QString& no, const QString& name, const QDateTime& at, const QString& balance) {
        Clock::instance().fix(at);
        MemberCards::Card c;
        c.number = no;
        c.name = name;
        c.sex = QStringLiteral("女");
        c.phone = QStringLiteral("13800000000");
        c.type = QStringLiteral("金卡");
        c.rate = QStringLiteral("8");
        c.balance = m(balance);
        cards().issue(c, QStringLiteral("小李"));
        Clock::instance().fix(kNow);
    }

private slots:
    void init() {
        HOTEL_REQUIRE_ENGINE();
        h = std::make_unique<TestHotel>();
        Clock::instance().fix(kNow);
        AppSettings& s = AppSettings::instance();
        s = AppSettings();
        s.operatorName = QStringLiteral("admin");
        s.hotelName = QStringLiteral("悦来商务酒店");
        m_messages.clear();
        m_printed.clear();
        UiPrompt::setHooks({[this](const QString& t) { m_messages << t; },
                            [this](const QString&, const QString& t) {
                                m_messages << t;
                                return true;
                            },
                            [](QDialog*) { return int(QDialog::Rejected); }});
        BillPreview::setHook([this](const QString& t, const ReportData& d) { m_printed << qMakePair(t, d); });
    }
    void cleanup() {
        UiPrompt::clearHooks();
        BillPreview::setHook({});
        h.reset();
    }

    // A top-up of 200 on a card with 50 left: 250, and the receipt shows 200 as both amounts.
    void topUpWithReceipt() {
        issue(QStringLiteral("1001"), QStringLiteral("王芳"), kNow, QStringLiteral("50"));
        Thuiyuanka_banli w(h->dm());
        w.show();
        QVERIFY(w.cardEdit()->text().isEmpty());
        type(w.cardEdit(), QStringLiteral("1001"));
        QTest::keyClick(w.cardEdit(), Qt::Key_Return);
        QCOMPARE(w.nameEdit()->text(), QStringLiteral("王芳"));
        QCOMPARE(w.balanceEdit()->text(), QStringLiteral("50"));
        QVERIFY(w.nameEdit()->isReadOnly());
        type(w.amountEdit(), QStringLiteral("200"));
        saveShot(&w, QStringLiteral("Thuiyuanka_banli"));
        QTest::keyClick(w.amountEdit(), Qt::Key_Return);
        QCOMPARE(m_messages, QStringList{QStringLiteral("储值完毕！！")});
        QCOMPARE(balance(QStringLiteral("1001")), m(QStringLiteral("250")));
        QCOMPARE(m_printed.size(), 1);
        QCOMPARE(m_printed[0].first, QStringLiteral("会员卡办卡收据.html"));
        const ReportData& d = m_printed[0].second;
        QCOMPARE(d.variable(QStringLiteral("支付金额")), QStringLiteral("200"));
        QCOMPARE(d.variable(QStringLiteral("入卡金额")), QStringLiteral("200"));
        QCOMPARE(d.variable(QStringLiteral("客户姓名")), QStringLiteral("王芳"));
        QCOMPARE(d.variable(QStringLiteral("公司名称")), QStringLiteral("悦来商务酒店"));
        QCOMPARE(d.variable(QStringLiteral("操作员")), QStringLiteral("admin"));
        QVERIFY(w.balanceEdit()->text().isEmpty()); // cleared for the next card

        // Without the receipt tick nothing is previewed.
        w.printBox()->setChecked(false);
        type(w.cardEdit(), QStringLiteral("1001"));
        QTest::keyClick(w.cardEdit(), Qt::Key_Return);
        type(w.amountEdit(), QStringLiteral("0.5"));
        child(w, "btnOk")->click();
        QCOMPARE(balance(QStringLiteral("1001")), m(QStringLiteral("250.5")));
        QCOMPARE(m_printed.size(), 1);
    }

    // What the top-up refuses; nothing is written.
    void topUpRefusals_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("search");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty number") << "" << true << ""
                                      << "请输入卡号";
        QTest::newRow("unknown card") << "9999" << true << ""
                                      << "没有该卡信息！！";
        QTest::newRow("not searched") << "1001" << false << "100"
                                      << "请输入卡号";
        QTest::newRow("not money") << "1001" << true << "abc"
                                   << "";
    }
    void topUpRefusals() {
        QFETCH(QString, number);
        QFETCH(bool, search);
        QFETCH(QString, amount);
        QFETCH(QString, message);
        issue(QStringLiteral("1001"), QStringLiteral("王芳"), kNow, QStringLiteral("50"));
        Thuiyuanka_banli w(h->dm());
        w.show();
        type(w.cardEdit(), number);
        if (search)
            child(w, "btnSearch")->click();
        if (!amount.isEmpty()) {
            type(w.amountEdit(), amount);
            child(w, "btnOk")->click();
        }
        QCOMPARE(m_messages.size(), 1);
        if (!message.isEmpty())
            QCOMPARE(m_messages.first(), message);
        else
            QVERIFY(m_messages.first().contains(QStringLiteral("abc")));
        QCOMPARE(balance(QStringLiteral("1001")), m(QStringLiteral("50")));
        QVERIFY(m_printed.isEmpty());
    }

    // One card with its bills and a bill's lines.
    void cardQuery() {
        issue(QStringLiteral("1001"), QStringLiteral("王芳"), kNow, QStringLiteral("500"));
        room(db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("0"), QStringLiteral("1001"));
        line(db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("房费"),
             QStringLiteral("168"), QStringLiteral("1"));
        line(db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("啤酒"), QStringLiteral("10"),
             QStringLiteral("3"), QStringLiteral("否"));
        CheckoutService::Options o;
        o.room = QStringLiteral("101");
        o.memberMode = true;
        o.cardNo = QStringLiteral("1001");
        CheckoutService(db(), AppSettings::instance(), Clock::instance()).settle(o);

        Thuiyuanka_chaxun w(h->dm());
        w.show();
        QCOMPARE(w.pages()->currentIndex(), 0);
        QCOMPARE(w.yearSpin()->value(), 2026);
        QCOMPARE(w.monthSpin()->value(), 3);
        type(w.cardEdit(), QStringLiteral("4040"));
        QTest::keyClick(w.cardEdit(), Qt::Key_Return);
        QCOMPARE(m_messages, QStringList{QStringLiteral("没有该会员卡信息！！")});
        type(w.cardEdit(), QStringLiteral("1001"));
        QTest::keyClick(w.cardEdit(), Qt::Key_Return);
        QCOMPARE(w.nameEdit()->text(), QStringLiteral("王芳"));
        RowsModel* bills = w.billGrid()->model();
        QCOMPARE(bills->rowCount(), 1);
        QCOMPARE(bills->text(0, QStringLiteral("应收")), QStringLiteral("164")); // 168 × 0.8 + 30, rounded
        QCOMPARE(w.balanceEdit()->text(), QStringLiteral("336"));
        w.billGrid()->view()->setCurrentIndex(w.billGrid()->view()->model()->index(0, 0));
        RowsModel* lines = w.lineGrid()->model();
        QCOMPARE(lines->rowCount(), 2);
        QCOMPARE(lines->text(1, QStringLiteral("消费项目")), QStringLiteral("啤酒"));
        QCOMPARE(lines->text(1, QStringLiteral("金额")), QStringLiteral("30"));
        saveShot(&w, QStringLiteral("Thuiyuanka_chaxun"));
    }

    // Issue records: all of them on turning to the page, or of one month, newest first.
    void issueRecordsByMonth() {
        issue(QStringLiteral("1001"), QStringLiteral("甲"), QDateTime(QDate(2026, 2, 10), QTime(9, 0)),
              QStringLiteral("100"));
        issue(QStringLiteral("1002"), QStringLiteral("乙"), QDateTime(QDate(2026, 3, 1), QTime(9, 0)),
              QStringLiteral("200"));
        issue(QStringLiteral("1003"), QStringLiteral("丙"), QDateTime(QDate(2026, 3, 12), QTime(9, 0)),
              QStringLiteral("300"));
        Thuiyuanka_chaxun w(h->dm());
        w.show();
        w.pages()->setCurrentIndex(1);
        RowsModel* issues = w.issueGrid()->model();
        QCOMPARE(issues->rowCount(), 3);
        w.byMonthRadio()->setChecked(true);
        w.yearSpin()->setValue(2026);
        w.monthSpin()->setValue(3);
        child(w, "btnIssueSearch")->click();
        QCOMPARE(issues->rowCount(), 2);
        QCOMPARE(issues->text(0, QStringLiteral("姓名")), QStringLiteral("丙"));
        QCOMPARE(issues->text(1, QStringLiteral("姓名")), QStringLiteral("乙"));
        QCOMPARE(issues->text(0, QStringLiteral("办卡人")), QStringLiteral("小李"));
        saveShot(&w, QStringLiteral("Thuiyuanka_chaxun_issues"));
    }

    // The bar counter's card dialog.
    void cardDialog_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("outputs");
        QTest::newRow("one card") << "1001"
                                  << ""
                                  << "1001 王芳 12.5 金卡 88";
        QTest::newRow("shared number") << "2002"
                                       << "该会员卡号对应多个客户资料"
                                       << "    ";
        QTest::newRow("unknown") << "3003"
                                 << "没有找到该会员"
                                 << "    ";
    }
    void cardDialog() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, outputs);
        card(db(), QStringLiteral("1001"), QStringLiteral("8"), QStringLiteral("88"), QStringLiteral("12.5"));
        SqlQuery(db(), QStringLiteral("update 会员卡表 set 姓名='王芳' where 卡号='1001'")).exec();
        card(db(), QStringLiteral("2002"), QStringLiteral("8"), QStringLiteral("0"));
        card(db(), QStringLiteral("2002"), QStringLiteral("9"), QStringLiteral("0"));
        TFhuiyuan w(h->dm());
        w.show();
        type(w.numberEdit(), typed);
        saveShot(&w, QStringLiteral("TFhuiyuan"));
        QTest::keyClick(w.numberEdit(), Qt::Key_Return);
        QCOMPARE(m_messages, message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(w.isVisible(), !message.isEmpty());
        QCOMPARE(QStringList({w.cardNo(), w.name(), w.points(), w.type(), w.balance()}).join(u' '), outputs);
        // Showing again, or 取消, leaves nothing chosen.
        w.show();
        child(w, "Button2")->click();
        QCOMPARE(QStringList({w.cardNo(), w.name(), w.points(), w.type(), w.balance()}).join(u' '),
                 QStringLiteral("    "));
    }

private:
    static QPushButton* child(QWidget& w, const char* name) {
        auto* b = w.findChild<QPushButton*>(QString::fromLatin1(name));
        if (!b)
            qFatal("no button %s", name);
        return b;
    }
};

QTEST_MAIN(TestMemberWindows)
#include "tst_memberwindows.moc"
