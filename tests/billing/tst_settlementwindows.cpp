#include "app/ui/uiprompt.h"
#include "basedata/hotelsetup.h"
#include "billing/checkoutservice.h"
#include "billing/roomcharges.h"
#include "billing/ui/TFkuaisu_jiezhang.h"
#include "billing/ui/TFshoukuan_tishi.h"
#include "billing/ui/TFxianzou_bujiezhang.h"
#include "billing/ui/Tguadan_chaxun.h"
#include "billing/ui/Tguadan_guihuan.h"
#include "billing/ui/Tjiezhang.h"
#include "billing/ui/Tlianhe_jiezhang.h"
#include "billing/ui/billpreview.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "frontdesk/checkinservice.h"
#include "frontdesk/consumptionservice.h"
#include "reports/reportcatalog.h"
#include "reports/reportdocument.h"
#include "settlementdata.h"
#include "support/testhotel.h"
#include "widgets/ui/datagrid.h"
#include "widgets/ui/rowsmodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace SettlementData;

namespace {

const QDateTime kNow(QDate(2026, 3, 15), QTime(11, 30));

template <typename T> T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c)
        qFatal("no child %s", name);
    return c;
}

QLineEdit* field(QWidget* w, const char* name) {
    return child<QLineEdit>(w, name);
}

// Types into an edit the way a user does (textEdited fires).
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

class TestSettlementWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<TestHotel> h;
    QStringList m_messages;
    bool m_confirmAnswer = true;
    std::function<int(QDialog*)> m_modal;
    struct Printed {
        QString templateName;
        ReportData data;
        QString billSeenByOthers; // the bill as another station sees it at preview time
    };
    QList<Printed> m_printed;
    std::unique_ptr<TDM> m_probe; // a second station on the same database

    const DbSession& db() const { return h->db(); }
    QString scalar(const QString& sql) const { return h->scalar(sql); }
    int count(const QString& table) const {
        return scalar(QStringLiteral("select count(*) from ") + table).toInt();
    }
    QString state(const QString& room) const {
        return value(db(), QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:k"), room);
    }
    // Room 101 of the worked example: 房费 2 × 168 (discountable), a drink of 20, deposit 200.
    void example(const QString& cardNo = QString(), const QString& rate = QStringLiteral("8"),
                 const QString& balance = QStringLiteral("0")) {
        room(db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("200"), cardNo);
        line(db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("房费"),
             QStringLiteral("168"), QStringLiteral("2"));
        line(db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("啤酒"), QStringLiteral("20"),
             QStringLiteral("1"), QStringLiteral("否"));
        if (!cardNo.isEmpty())
            card(db(), cardNo, rate, balance);
    }
    void open(Tjiezhang& w, const QString& roomNo = QStringLiteral("101")) {
        w.setRoom(roomNo, value(db(), QStringLiteral("select 主牌 from 酒店手牌表 where 手牌号=:k"), roomNo));
        w.setPayCaption(QStringLiteral("顾客支付"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    void probe() { m_probe = std::make_unique<TDM>(h->home(), QStringLiteral("probe")); }
    QString shown(QWidget* w) const {
        QStringList out;
        for (const char* n :
             {"edtConsumption", "edtDiscount", "edtDue", "edtDeposit", "edtNet", "edtPaid", "edtChange"})
            out << field(w, n)->text();
        return out.join(u' ');
    }

private slots:
    void init() {
        HOTEL_REQUIRE_ENGINE();
        h = std::make_unique<TestHotel>();
        Clock::instance().fix(kNow);
        AppSettings& s = AppSettings::instance();
        s = AppSettings();
        s.operatorName = QStringLiteral("admin");
        s.roomChargeMode = QStringLiteral("不自动计算");
        s.Right2 = QString(47, u'1');
        m_messages.clear();
        m_printed.clear();
        m_confirmAnswer = true;
        m_modal = nullptr;
        UiPrompt::setHooks({[this](const QString& t) { m_messages << t; },
                            [this](const QString& caption, const QString& t) {
                                m_messages << caption + u'|' + t;
                                return m_confirmAnswer;
                            },
                            [this](QDialog* d) { return m_modal ? m_modal(d) : int(QDialog::Rejected); }});
        BillPreview::setHook([this](const QString& t, const ReportData& d) {
            Printed p{t, d, QString()};
            if (m_probe)
                p.billSeenByOthers =
                    value(m_probe->main(), QStringLiteral("select 类型 from 消费主表 where 流水号=:k"),
                          d.variable(QStringLiteral("账单号")));
            m_printed << p;
        });
    }
    void cleanup() {
        UiPrompt::clearHooks();
        BillPreview::setHook({});
        m_probe.reset();
        h.reset();
    }

    // The worked examples: both discount rules, a write-off, no card; the paid amount gives the change.
    void checkOutFigures_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("cardNo");
        QTest::addColumn<QString>("writeOff");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("figures");
        QTest::newRow("amount rule") << "金额折扣处理"
                                     << "8888"
                                     << "0"
                                     << "100"
                                     << "356 67.2 289 200 89 100 11";
        QTest::newRow("unit price rule") << "单价折扣处理"
                                         << "8888"
                                         << "0"
                                         << "100"
                                         << "356 68 288 200 88 100 12";
        QTest::newRow("write-off") << "金额折扣处理"
                                   << "8888"
                                   << "9"
                                   << "100"
                                   << "356 67.2 280 200 80 100 20";
        QTest::newRow("no card") << "金额折扣处理"
                                 << ""
                                 << "0"
                                 << "200"
                                 << "356 0 356 200 156 200 44";
    }
    void checkOutFigures() {
        QFETCH(QString, rule);
        QFETCH(QString, cardNo);
        QFETCH(QString, writeOff);
        QFETCH(QString, paid);
        QFETCH(QString, figures);
        AppSettings::instance().discountRule = rule;
        example(cardNo);
        Tjiezhang w(h->dm());
        open(w);
        QCOMPARE(field(&w, "edtRoom")->text(), QStringLiteral("101"));
        QCOMPARE(field(&w, "edtIdNumber")->text(), QStringLiteral("1101011990101"));
        QCOMPARE(child<QCheckBox>(&w, "chkMember")->isChecked(), !cardNo.isEmpty());
        QCOMPARE(w.findChild<QWidget*>(QStringLiteral("memberBox"))->isVisible(), !cardNo.isEmpty());
        QCOMPARE(field(&w, "edtGuest")->isVisible(), cardNo.isEmpty());
        QCOMPARE(w.findChild<DataGrid*>(QStringLiteral("DBGrid1"))->model()->rowCount(), 2);
        if (writeOff != QStringLiteral("0"))
            type(field(&w, "edtWriteOff"), writeOff);
        type(field(&w, "edtPaid"), paid);
        QCOMPARE(shown(&w), figures);
        QVERIFY(m_messages.isEmpty());
        saveShot(&w, QStringLiteral("Tjiezhang_") +
                         QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_'));
    }

    // Showing the window brings the room charges up to date before totalling.
    void showRecalculatesRoomCharges() {
        AppSettings& s = AppSettings::instance();
        s.roomChargeMode = QStringLiteral("自动计算");
        example();
        const QDateTime later(QDate(2026, 3, 18), QTime(15, 0));
        Clock::instance().fix(later);
        const Money days = RoomCharges::dayQuantity(QDateTime(QDate(2026, 3, 14), QTime(12, 0)), later, s);
        QVERIFY(days != Money::fromInt(2));
        Tjiezhang w(h->dm());
        open(w);
        QCOMPARE(field(&w, "edtConsumption")->text(),
                 (m(QStringLiteral("168")) * days + m(QStringLiteral("20"))).toString());
        QCOMPARE(moneyOf(db(), QStringLiteral("select 消费数量 from 店内消费记录 where 消费项目='房费'")),
                 days);
    }

    // The three outcomes of a card lookup.
    void cardLookup_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("paidReadOnly");
        QTest::addColumn<bool>("cardLocked");
        QTest::addColumn<QString>("figures");
        QTest::newRow("unknown card") << "4444"
                                      << "没有找到这个卡号！！"
                                      << "顾客支付" << false << false << "356 0 356 200 156  -156";
        // Card 50 on a bill of 289 with deposit 200: not enough with the deposit either.
        QTest::newRow("stored value") << "5555"
                                      << ""
                                      << "储值支付" << true << true << "356 67.2 289 200 89 50 -39";
        QTest::newRow("discount only") << "6666"
                                       << ""
                                       << "顾客支付" << false << false << "356 67.2 289 200 89 0 -89";
    }
    void cardLookup() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        QFETCH(bool, paidReadOnly);
        QFETCH(bool, cardLocked);
        QFETCH(QString, figures);
        example();
        card(db(), QStringLiteral("5555"), QStringLiteral("8"), QStringLiteral("50"));
        card(db(), QStringLiteral("6666"), QStringLiteral("8"), QStringLiteral("0"));
        Tjiezhang w(h->dm());
        open(w);
        QTest::keyClick(&w, Qt::Key_F7);
        QVERIFY(child<QCheckBox>(&w, "chkMember")->isChecked());
        type(field(&w, "edtCardNo"), typed);
        QTest::keyClick(field(&w, "edtCardNo"), Qt::Key_Return);
        QCOMPARE(m_messages, message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(child<QLabel>(&w, "lblPay")->text(), caption);
        QCOMPARE(field(&w, "edtPaid")->isReadOnly(), paidReadOnly);
        QCOMPARE(field(&w, "edtCardNo")->isReadOnly(), cardLocked);
        QCOMPARE(shown(&w), figures);
        if (typed == QStringLiteral("5555")) {
            QCOMPARE(field(&w, "edtMemberName")->text(), QStringLiteral("会员5555"));
            QCOMPARE(field(&w, "edtBalance")->text(), QStringLiteral("50"));
            QTest::keyClick(&w, Qt::Key_F5);
            QCOMPARE(m_messages.last(), QStringLiteral("卡内余额不足！！"));
            QCOMPARE(count(QStringLiteral("消费主表")), 0);
        }
    }

    // F7 turns member mode on and off; off puts back cash, no discount and no write-off.
    void memberModeKey() {
        example();
        card(db(), QStringLiteral("6666"), QStringLiteral("8"), QStringLiteral("0"));
        Tjiezhang w(h->dm());
        open(w);
        QVERIFY(!child<QCheckBox>(&w, "chkMember")->isChecked());
        QVERIFY(field(&w, "edtGuest")->isVisible());
        QTest::keyClick(&w, Qt::Key_F7);
        QVERIFY(w.findChild<QWidget*>(QStringLiteral("memberBox"))->isVisible());
        QVERIFY(!field(&w, "edtGuest")->isVisible());
        type(field(&w, "edtCardNo"), QStringLiteral("6666"));
        QTest::keyClick(field(&w, "edtCardNo"), Qt::Key_Return);
        type(field(&w, "edtWriteOff"), QStringLiteral("9"));
        QCOMPARE(field(&w, "edtDue")->text(), QStringLiteral("280"));
        QCOMPARE(field(&w, "edtLevel")->text(), QStringLiteral("金卡"));
        saveShot(&w, QStringLiteral("Tjiezhang_member"));
        QTest::keyClick(&w, Qt::Key_F7);
        QVERIFY(!w.findChild<QWidget*>(QStringLiteral("memberBox"))->isVisible());
        QCOMPARE(child<QLabel>(&w, "lblPay")->text(), QStringLiteral("现金支付"));
        QCOMPARE(field(&w, "edtRate")->text(), QStringLiteral("10"));
        QCOMPARE(field(&w, "edtWriteOff")->text(), QStringLiteral("0"));
        QCOMPARE(shown(&w), QStringLiteral("356 0 356 200 156 0 -156"));
        // Only digits go into the card number.
        QTest::keyClick(&w, Qt::Key_F7);
        QTest::keyClicks(field(&w, "edtCardNo"), QStringLiteral("12a3"));
        QCOMPARE(field(&w, "edtCardNo")->text(), QStringLiteral("123"));
    }

    // The hang box is refused for a card with stored value, with the message that fits the balance.
    void hangRefusedWithStoredValue_data() {
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QString>("message");
        QTest::newRow("balance below due") << "50"
                                           << "会员卡余额还有，不能挂单，您可以进行会员充值！！";
        QTest::newRow("balance covers") << "500"
                                        << "会员卡余额完全可以支付，不能挂单！！";
    }
    void hangRefusedWithStoredValue() {
        QFETCH(QString, balance);
        QFETCH(QString, message);
        example(QStringLiteral("8888"), QStringLiteral("8"), balance);
        Tjiezhang w(h->dm());
        open(w);
        child<QCheckBox>(&w, "chkHang")->click();
        QCOMPARE(m_messages, QStringList{message});
        QVERIFY(!child<QCheckBox>(&w, "chkHang")->isChecked());
        QVERIFY(field(&w, "edtPaid")->isEnabled());
        QCOMPARE(field(&w, "edtNet")->text(), QStringLiteral("89"));
    }

    // Hang and waive zero what is collected, exclude each other, and settle with their types.
    void hangAndWaive_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("paidColumn");
        QTest::newRow("hang") << "chkHang"
                              << "挂单"
                              << "0";
        QTest::newRow("waive") << "chkWaive"
                               << "免单"
                               << "0";
    }
    void hangAndWaive() {
        QFETCH(QString, box);
        QFETCH(QString, type);
        QFETCH(QString, paidColumn);
        example();
        Tjiezhang w(h->dm());
        open(w);
        auto* hang = child<QCheckBox>(&w, "chkHang");
        auto* waive = child<QCheckBox>(&w, "chkWaive");
        child<QCheckBox>(&w, "chkPrint")->setChecked(false);
        waive->click();
        hang->click();
        QVERIFY(hang->isChecked() && !waive->isChecked());
        QVERIFY(child<QCheckBox>(&w, "chkPrint")->isChecked()); // hanging ticks 打印
        w.findChild<QCheckBox*>(box)->setChecked(true);
        QCOMPARE(field(&w, "edtNet")->text(), QStringLiteral("0"));
        QCOMPARE(field(&w, "edtPaid")->text(), QStringLiteral("0"));
        QCOMPARE(field(&w, "edtChange")->text(), QStringLiteral("0"));
        QVERIFY(!field(&w, "edtPaid")->isEnabled());
        saveShot(&w, QStringLiteral("Tjiezhang_") + box);
        QTest::keyClick(&w, Qt::Key_F5);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(value(db(), QStringLiteral("select 类型 from 消费主表")), type);
        QCOMPARE(moneyOf(db(), QStringLiteral("select 实收 from 消费主表")), m(paidColumn));
        if (type == QStringLiteral("挂单"))
            QCOMPARE(m_messages.first(), QStringLiteral("Qelvar餐饮管理系统|确实要挂帐吗？"));
        QVERIFY(m_messages.contains(QStringLiteral("结帐完毕！！")));
    }

    // What stops F5 before anything is written; the window stays open with its values.
    void refusals_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("message");
        QTest::newRow("too little paid") << "paid 100"
                                         << "请输入宾客支付金额或者挂单处理！！";
        QTest::newRow("hang without name") << "hang"
                                           << "请填写非会员顾客姓名！！";
        QTest::newRow("hang cancelled") << "hang cancel"
                                        << "Qelvar餐饮管理系统|确实要挂帐吗？";
        QTest::newRow("bill changed meanwhile") << "new line"
                                                << "账单已有变化，请重新打开结帐窗口！！";
    }
    void refusals() {
        QFETCH(QString, setup);
        QFETCH(QString, message);
        example();
        Tjiezhang w(h->dm());
        open(w);
        type(field(&w, "edtPaid"), QStringLiteral("100"));
        if (setup.startsWith(QStringLiteral("hang"))) {
            type(field(&w, "edtGuest"), QString());
            child<QCheckBox>(&w, "chkHang")->click();
            m_confirmAnswer = !setup.endsWith(QStringLiteral("cancel"));
        }
        if (setup == QStringLiteral("new line")) {
            type(field(&w, "edtPaid"), QStringLiteral("500"));
            line(db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("可乐"),
                 QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("否"));
        }
        QTest::keyClick(&w, Qt::Key_F5);
        QCOMPARE(m_messages.last(), message);
        QVERIFY(w.isVisible());
        QCOMPARE(count(QStringLiteral("消费主表")), 0);
        QCOMPARE(state(QStringLiteral("101")), QStringLiteral("占用"));
        QVERIFY(m_printed.isEmpty());
    }

    // F5 in cash: the bill and its lines are written, the group's rooms turn dirty, the bill is
    // previewed once the settlement is committed (another station already sees it), and the window closes.
    void settleGroupInCash() {
        example();
        room(db(), QStringLiteral("102"), QStringLiteral("101"), QStringLiteral("50"));
        line(db(), QStringLiteral("102"), QStringLiteral("101"), QStringLiteral("可乐"), QStringLiteral("5"),
             QStringLiteral("2"), QStringLiteral("否"));
        probe();
        Tjiezhang w(h->dm());
        open(w, QStringLiteral("102"));
        QCOMPARE(field(&w, "edtDeposit")->text(), QStringLiteral("250"));
        QCOMPARE(field(&w, "edtNet")->text(), QStringLiteral("116"));
        type(field(&w, "edtPaid"), QStringLiteral("120"));
        QCOMPARE(field(&w, "edtChange")->text(), QStringLiteral("4"));
        type(field(&w, "edtRemark"), QStringLiteral("团队"));
        QTest::keyClick(field(&w, "edtPaid"), Qt::Key_F5);
        QCOMPARE(m_messages, QStringList{QStringLiteral("结帐完毕！！")});
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(!w.isVisible());
        QVERIFY(w.settlement());
        const QString billNo = w.settlement() ? w.settlement()->billNo : QString();
        QCOMPARE(billNo, QStringLiteral("202603150001"));
        QCOMPARE(value(db(), QStringLiteral("select 类型 from 消费主表 where 流水号=:k"), billNo),
                 QStringLiteral("现金"));
        QCOMPARE(moneyOf(db(), QStringLiteral("select 收现金 from 消费主表 where 流水号=:k"), billNo),
                 m(QStringLiteral("120")));
        QCOMPARE(value(db(), QStringLiteral("select 结账备注 from 消费主表 where 流水号=:k"), billNo),
                 QStringLiteral("团队"));
        QCOMPARE(scalar(QStringLiteral("select count(*) from 消费详细 where 流水号='202603150001'")),
                 QStringLiteral("3"));
        QCOMPARE(count(QStringLiteral("店内消费记录")), 0);
        QCOMPARE(state(QStringLiteral("101")), QStringLiteral("脏台"));
        QCOMPARE(state(QStringLiteral("102")), QStringLiteral("脏台"));
        QCOMPARE(m_printed.size(), 1);
        QCOMPARE(m_printed[0].templateName, QStringLiteral("结帐报表1.html"));
        QCOMPARE(m_printed[0].billSeenByOthers, QStringLiteral("现金"));
        QCOMPARE(m_printed[0].data.variable(QStringLiteral("账单号")), billNo);
        QCOMPARE(m_printed[0].data.variable(QStringLiteral("找零")), QStringLiteral("4"));
        QCOMPARE(m_printed[0].data.rows().size(), 3);
    }

    // "打印" unticked: no preview, the check-out still completes; Esc closes without settling.
    void noPrintAndEsc() {
        example();
        {
            Tjiezhang w(h->dm());
            open(w);
            QTest::keyClick(field(&w, "edtPaid"), Qt::Key_Escape);
            QVERIFY(!w.isVisible());
            QCOMPARE(w.result(), int(QDialog::Rejected));
            QCOMPARE(count(QStringLiteral("消费主表")), 0);
        }
        Tjiezhang w(h->dm());
        open(w);
        child<QCheckBox>(&w, "chkPrint")->setChecked(false);
        type(field(&w, "edtPaid"), QStringLiteral("156"));
        child<QPushButton>(&w, "btnSettle")->click();
        QCOMPARE(count(QStringLiteral("消费主表")), 1);
        QVERIFY(m_printed.isEmpty());
    }

    // 联合结帐 from the check-out window: 150 voucher and 200 cash on 300, change 50.
    void mixedTenderFromCheckOut() {
        room(db(), QStringLiteral("101"), QStringLiteral("101"));
        line(db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("房费"),
             QStringLiteral("300"), QStringLiteral("1"));
        Tjiezhang w(h->dm());
        open(w);
        QStringList seen;
        m_modal = [&](QDialog* d) {
            auto* mix = qobject_cast<Tlianhe_jiezhang*>(d);
            if (!mix)
                return int(QDialog::Rejected);
            mix->show();
            seen << QString::number(mix->tick(PaymentSplit::StoredValue)->isEnabled());
            mix->tick(PaymentSplit::Voucher)->click();
            type(mix->amount(PaymentSplit::Voucher), QStringLiteral("150"));
            seen << mix->openEdit()->text();
            mix->tick(PaymentSplit::Cash)->click();
            seen << mix->amount(PaymentSplit::Cash)->text();
            type(mix->amount(PaymentSplit::Cash), QStringLiteral("200"));
            seen << mix->openEdit()->text() << mix->changeEdit()->text();
            saveShot(mix, QStringLiteral("Tlianhe_jiezhang"));
            mix->okClick();
            mix->hide();
            return mix->settlement() ? int(QDialog::Accepted) : int(QDialog::Rejected);
        };
        child<QPushButton>(&w, "btnMixed")->click();
        QCOMPARE(seen, (QStringList{QStringLiteral("0"), QStringLiteral("150"), QStringLiteral("150"),
                                    QStringLiteral("-50"), QStringLiteral("50")}));
        QCOMPARE(m_messages, QStringList{QStringLiteral("结帐完毕！！")});
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(value(db(), QStringLiteral("select 类型 from 消费主表")), QStringLiteral("联合结帐"));
        QCOMPARE(moneyOf(db(), QStringLiteral("select 现金收取 from 消费主表")), m(QStringLiteral("150")));
        QCOMPARE(moneyOf(db(), QStringLiteral("select 收现金 from 消费主表")), m(QStringLiteral("200")));
        QCOMPARE(moneyOf(db(), QStringLiteral("select 代金卷收取 from 消费主表")), m(QStringLiteral("150")));
        QCOMPARE(state(QStringLiteral("101")), QStringLiteral("脏台"));
        QCOMPARE(m_printed.size(), 1);
        QCOMPARE(m_printed[0].data.variable(QStringLiteral("现金收入")), QStringLiteral("150"));
        QCOMPARE(m_printed[0].data.variable(QStringLiteral("退款")), QStringLiteral("0"));
    }

    // The mixed-tender window refuses splits that do not add up or overdraw the card.
    void mixedTenderRefusals_data() {
        QTest::addColumn<QString>("voucher");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("message");
        QTest::newRow("short") << "100"
                               << ""
                               << "合计金额不正确！！";
        QTest::newRow("card overdrawn") << "50"
                                        << "250"
                                        << "会员卡支付金额大于会员卡余额";
    }
    void mixedTenderRefusals() {
        QFETCH(QString, voucher);
        QFETCH(QString, member);
        QFETCH(QString, message);
        room(db(), QStringLiteral("101"), QStringLiteral("101"));
        line(db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("房费"),
             QStringLiteral("300"), QStringLiteral("1"));
        card(db(), QStringLiteral("7777"), QStringLiteral("10"), QStringLiteral("200"));
        CheckoutService::Options o;
        o.room = QStringLiteral("101");
        Tlianhe_jiezhang w(h->dm(), o, m(QStringLiteral("300")), QStringLiteral("7777"),
                           QStringLiteral("会员7777"));
        w.show();
        w.tick(PaymentSplit::Voucher)->click();
        type(w.amount(PaymentSplit::Voucher), voucher);
        if (!member.isEmpty()) {
            w.tick(PaymentSplit::StoredValue)->click();
            w.memberCardEdit()->setText(QStringLiteral("7777"));
            type(w.amount(PaymentSplit::StoredValue), member);
        }
        w.okClick();
        QCOMPARE(m_messages, QStringList{message});
        QVERIFY(!w.settlement());
        QCOMPARE(count(QStringLiteral("消费主表")), 0);
        QCOMPARE(moneyOf(db(), QStringLiteral("select 储值金额 from 会员卡表")), m(QStringLiteral("200")));
    }

    // The payment prompt's figures on each page.
    void paymentPrompt_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>(
            "entries"); // "tender=amount" for the split page, else the cash received
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("change");
        QTest::newRow("cash 100 on 88") << 0 << QStringList{QStringLiteral("100")} << true << ""
                                        << "12";
        QTest::newRow("split exact") << 2 << QStringList{QStringLiteral("0=50"), QStringLiteral("1=38")}
                                     << true << "0"
                                     << "0";
        QTest::newRow("split over with cash")
            << 2 << QStringList{QStringLiteral("1=38"), QStringLiteral("0=60")} << true << "-10"
            << "10";
        QTest::newRow("voucher alone over") << 2 << QStringList{QStringLiteral("1=100")} << true << "-12"
                                            << "0";
        QTest::newRow("split short") << 2 << QStringList{QStringLiteral("0=50")} << false << "38"
                                     << "0";
        QTest::newRow("signed") << 1 << QStringList{QStringLiteral("150")} << true << ""
                                << "0";
    }
    void paymentPrompt() {
        QFETCH(int, page);
        QFETCH(QStringList, entries);
        QFETCH(bool, confirmed);
        QFETCH(QString, open);
        QFETCH(QString, change);
        TFshoukuan_tishi w;
        w.setDue(m(QStringLiteral("88")));
        w.show();
        QCOMPARE(w.receivedEdit()->text(), QStringLiteral("88"));
        QCOMPARE(w.cashChangeEdit()->text(), QStringLiteral("0"));
        if (page == 2) {
            QTest::keyClick(&w, Qt::Key_F3);
            for (const QString& e : entries) {
                const auto t = PaymentSplit::Tender(e.section(u'=', 0, 0).toInt());
                w.tick(t)->click();
                type(w.amount(t), e.section(u'=', 1));
            }
            QCOMPARE(w.openEdit()->text(), open);
            QCOMPARE(w.splitChangeEdit()->text(), change);
            saveShot(&w, QStringLiteral("TFshoukuan_tishi_split"));
        } else {
            type(w.receivedEdit(), entries.first());
            if (page == 1) {
                QTest::keyClick(&w, Qt::Key_F2);
                type(w.signerEdit(), QStringLiteral("李四"));
            } else {
                QCOMPARE(w.cashChangeEdit()->text(), change);
                saveShot(&w, QStringLiteral("TFshoukuan_tishi_cash"));
            }
        }
        QTest::keyClick(w.pages(), Qt::Key_Return);
        QCOMPARE(w.confirmed(), confirmed);
        QCOMPARE(m_messages,
                 confirmed ? QStringList{} : QStringList{QStringLiteral("联合结账金额与应付金额不符")});
        if (!confirmed)
            return;
        QCOMPARE(w.page(), page);
        QCOMPARE(w.cashReceived(), page == 0 ? entries.first() : QStringLiteral("0"));
        QCOMPARE(w.change(), page == 0 ? change : QStringLiteral("0"));
        if (page == 1)
            QCOMPARE(w.signer(), QStringLiteral("李四"));
        // Showing again starts afresh, and 取消 leaves it unconfirmed.
        w.show();
        QVERIFY(!w.confirmed());
        QCOMPARE(w.pages()->currentIndex(), 0);
        child<QPushButton>(&w, "btnCancel")->click();
        QVERIFY(!w.confirmed());
    }

    // The drawer pulse goes to the port's device; a device that cannot be written says so.
    void cashDrawer() {
        QTemporaryDir dir;
        const QString device = dir.filePath(QStringLiteral("lp0"));
        QVERIFY(TFshoukuan_tishi::OpenCashDrawer(h->home(), device));
        QFile f(device);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("\x1b\x70\x00\x3c\xff", 5));
        try {
            TFshoukuan_tishi::OpenCashDrawer(h->home(), dir.filePath(QStringLiteral("no/such/lp9")));
            QFAIL("a missing device was written");
        } catch (const HotelError& e) {
            QVERIFY(e.message().startsWith(QStringLiteral("开钱箱出错！")));
        }
    }

    // Quick check-out by room number.
    void quickCheckOut_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("opened");
        QTest::newRow("occupied group room") << "102"
                                             << ""
                                             << "102/101";
        QTest::newRow("idle") << "103"
                              << "对不起，该房间非占用状态"
                              << "";
        QTest::newRow("no such room") << "999"
                                      << "对不起，没有找到该房间号"
                                      << "";
    }
    void quickCheckOut() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, opened);
        example();
        room(db(), QStringLiteral("102"), QStringLiteral("101"));
        room(db(), QStringLiteral("103"), QString(), QStringLiteral("0"), QString(), QStringLiteral("空闲"));
        QString got;
        TFkuaisu_jiezhang w(h->dm(), [&](const QString& r, const QString& mr) { got = r + u'/' + mr; });
        w.show();
        QVERIFY(w.roomEdit()->hasFocus() || !QApplication::focusWidget());
        type(w.roomEdit(), typed);
        QTest::keyClick(w.roomEdit(), Qt::Key_Return);
        QCOMPARE(m_messages, message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(got, opened);
        QCOMPARE(w.isVisible(), opened.isEmpty());
        saveShot(&w, QStringLiteral("TFkuaisu_jiezhang"));
    }

    // A walk-out hands the room's lines to its partner and frees it; the group follows a new main room.
    void walkOut_data() {
        QTest::addColumn<QString>("leaving");
        QTest::addColumn<QString>("main");
        QTest::newRow("main room leaves") << "101"
                                          << "102";
        QTest::newRow("secondary room leaves") << "103"
                                               << "101";
    }
    void walkOut() {
        QFETCH(QString, leaving);
        QFETCH(QString, main);
        for (const QString& r : {QStringLiteral("101"), QStringLiteral("102"), QStringLiteral("103")}) {
            room(db(), r, QStringLiteral("101"));
            line(db(), r, QStringLiteral("101"), QStringLiteral("房费"), QStringLiteral("168"),
                 QStringLiteral("1"));
        }
        TFxianzou_bujiezhang w(h->dm());
        w.setRoom(leaving);
        w.show();
        QCOMPARE(w.mainRoomLabel()->text(), QStringLiteral("101"));
        QCOMPARE(w.partners()->count(), 2);
        QVERIFY(!w.partners()->isEditable());
        child<QPushButton>(&w, "Button1")->click();
        QCOMPARE(m_messages, QStringList{QStringLiteral("没有可寄托的主单")});
        w.partners()->setCurrentText(QStringLiteral("102"));
        saveShot(&w, QStringLiteral("TFxianzou_bujiezhang"));
        child<QPushButton>(&w, "Button1")->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(state(leaving), QStringLiteral("空闲"));
        QCOMPARE(value(db(), QStringLiteral("select 主牌 from 酒店手牌表 where 手牌号=:k"), leaving),
                 QString());
        QCOMPARE(scalar(QStringLiteral("select count(*) from 店内消费记录 where 手牌号='") + leaving + u'\''),
                 QStringLiteral("0"));
        QCOMPARE(scalar(QStringLiteral("select count(*) from 店内消费记录 where 手牌号='102'")),
                 QStringLiteral("2"));
        QCOMPARE(scalar(QStringLiteral("select count(*) from 店内消费记录 where 主牌='") + main + u'\''),
                 QStringLiteral("3"));
        QCOMPARE(scalar(QStringLiteral("select count(*) from 酒店手牌表 where 主牌='") + main + u'\''),
                 QStringLiteral("2"));
    }

    void walkOutAlone() {
        room(db(), QStringLiteral("101"), QStringLiteral("101"));
        TFxianzou_bujiezhang w(h->dm());
        w.setRoom(QStringLiteral("101"));
        w.show();
        QCOMPARE(w.partners()->count(), 0);
        child<QPushButton>(&w, "Button1")->click();
        QCOMPARE(m_messages, QStringList{QStringLiteral("没有可寄托的主单")});
        QCOMPARE(state(QStringLiteral("101")), QStringLiteral("占用"));
    }

    // Two hang bills of 100 and 50 found by name, repaid together: 149 is refused, 200 gives 50 back.
    void hangBillsRepaid() {
        for (const auto& [r, amount] : {std::pair{QStringLiteral("101"), QStringLiteral("100")},
                                        std::pair{QStringLiteral("102"), QStringLiteral("50")}}) {
            room(db(), r, r);
            line(db(), r, r, QStringLiteral("房费"), amount, QStringLiteral("1"));
            CheckoutService::Options o;
            o.room = r;
            o.hang = true;
            o.guestName = QStringLiteral("王五");
            CheckoutService(db(), AppSettings::instance(), Clock::instance()).settle(o);
        }
        Tguadan_chaxun w(h->dm());
        w.show();
        QCOMPARE(w.fromEdit()->date(), kNow.date());
        w.nameEdit()->setText(QStringLiteral("王"));
        QTest::keyClick(w.nameEdit(), Qt::Key_Return);
        QCOMPARE(w.bills()->rowCount(), 2);
        child<QPushButton>(&w, "btnRepay")->click();
        QCOMPARE(m_messages, QStringList{QStringLiteral("您没有选择任何挂单项目！！")});
        m_messages.clear();
        for (int i = 0; i < 2; ++i)
            w.bills()->item(i, 0)->setCheckState(Qt::Checked);
        saveShot(&w, QStringLiteral("Tguadan_chaxun"));
        QStringList seen;
        m_modal = [&](QDialog* d) {
            auto* r = qobject_cast<Tguadan_guihuan*>(d);
            if (!r)
                return int(QDialog::Rejected);
            r->show();
            seen << r->dueEdit()->text() << QString::number(r->guestBox()->isVisible())
                 << QString::number(r->memberBox()->isVisible());
            type(r->paidEdit(), QStringLiteral("149"));
            r->okClick();
            type(r->paidEdit(), QStringLiteral("200"));
            seen << r->changeEdit()->text();
            saveShot(r, QStringLiteral("Tguadan_guihuan"));
            r->okClick();
            r->hide();
            return r->result();
        };
        child<QPushButton>(&w, "btnRepay")->click();
        QCOMPARE(seen, (QStringList{QStringLiteral("150"), QStringLiteral("1"), QStringLiteral("0"),
                                    QStringLiteral("50")}));
        QCOMPARE(m_messages,
                 (QStringList{QStringLiteral("请输入正确的付款金额！！"), QStringLiteral("归还完毕！！")}));
        QCOMPARE(scalar(QStringLiteral("select count(*) from 消费主表 where 类型='现金'")),
                 QStringLiteral("2"));
        QCOMPARE(w.bills()->rowCount(), 0); // searched again after the repayment

        // The period page lists the bills hung that day, with their sum.
        w.pages()->setCurrentIndex(1);
        child<QPushButton>(&w, "btnPeriod")->click();
        QCOMPARE(w.periodGrid()->model()->rowCount(), 0); // repaid bills are no longer hung
    }

    void hangBillsOfPeriodAndMember() {
        room(db(), QStringLiteral("101"), QStringLiteral("101"));
        line(db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("房费"), QStringLiteral("88"),
             QStringLiteral("1"));
        CheckoutService::Options o;
        o.room = QStringLiteral("101");
        o.hang = true;
        CheckoutService(db(), AppSettings::instance(), Clock::instance()).settle(o);
        Tguadan_chaxun w(h->dm());
        w.show();
        w.pages()->setCurrentIndex(1);
        w.fromEdit()->setDate(kNow.date());
        w.toEdit()->setDate(kNow.date());
        child<QPushButton>(&w, "btnPeriod")->click();
        RowsModel* model = w.periodGrid()->model();
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->text(0, QStringLiteral("应收")), QStringLiteral("88"));
        QCOMPARE(model->text(0, QStringLiteral("会员姓名")), QStringLiteral("客人101"));
        QCOMPARE(model->text(0, QStringLiteral("非会员姓名")), QString());
        saveShot(&w, QStringLiteral("Tguadan_chaxun_period"));
        w.fromEdit()->setDate(kNow.date().addDays(1));
        w.toEdit()->setDate(kNow.date().addDays(1));
        child<QPushButton>(&w, "btnPeriod")->click();
        QCOMPARE(model->rowCount(), 0);
        // A member search with an unknown number: empty name, empty list.
        w.pages()->setCurrentIndex(0);
        w.memberRadio()->setChecked(true);
        w.cardEdit()->setText(QStringLiteral("1234"));
        QTest::keyClick(w.cardEdit(), Qt::Key_Return);
        QCOMPARE(w.cardNameEdit()->text(), QString());
        QCOMPARE(w.bills()->rowCount(), 0);
    }

    // A whole stay: check-in with a member card, goods, check-out through the window paid from the
    // card, the bill as a PDF, the room dirty and the card debited.
    void wholeStay() {
        const QDateTime arrival(QDate(2026, 3, 14), QTime(15, 0));
        Clock::instance().fix(arrival);
        {
            Transaction tx(db());
            HotelSetup::writeBasics(db(), HotelSetup::kDemoHotelName);
            HotelSetup::seedDemo(db(), arrival);
            tx.commit();
        }
        AppSettings& s = AppSettings::instance();
        s.defaultWarehouse = HotelSetup::kDefaultWarehouse;
        s.roomChargeMode = QStringLiteral("自动计算");
        s.minimumDays = QStringLiteral("1");
        s.hotelName = HotelSetup::kDemoHotelName;
        s.onlyRoomChargesEarnPoints = QStringLiteral("否");
        card(db(), QStringLiteral("990001"), QStringLiteral("9"), QStringLiteral("1000"),
             QStringLiteral("10"));

        CheckInService::Input in;
        in.room = QStringLiteral("101");
        in.deposit = QStringLiteral("100");
        in.guest.name = QStringLiteral("张三");
        in.guest.idNumber = QStringLiteral("330106199001010011");
        in.guest.cardNo = QStringLiteral("990001");
        CheckInService(db(), h->dm().scratch(), s, Clock::instance()).checkIn(in, {});
        ConsumptionService(db(), s, Clock::instance())
            .add(QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("矿泉水"), QStringLiteral("2"),
                 QString());

        Clock::instance().fix(QDateTime(QDate(2026, 3, 15), QTime(11, 0)));
        ReportCatalog::installDefaults(h->home(), false);
        probe();
        const QString pdf = QDir(h->home()).filePath(QStringLiteral("bill.pdf"));
        BillPreview::setHook([&](const QString& t, const ReportData& d) {
            m_printed << Printed{t, d,
                                 value(m_probe->main(),
                                       QStringLiteral("select 类型 from 消费主表 where 流水号=:k"),
                                       d.variable(QStringLiteral("账单号")))};
            ReportDocument::fromFile(h->home(), t, d)->writePdf(pdf);
        });
        Tjiezhang w(h->dm());
        open(w);
        QVERIFY(child<QCheckBox>(&w, "chkMember")->isChecked());
        QCOMPARE(child<QLabel>(&w, "lblPay")->text(), QStringLiteral("储值支付"));
        const Money due = m(field(&w, "edtDue")->text());
        QVERIFY(due > Money());
        saveShot(&w, QStringLiteral("Tjiezhang_stay"));
        QTest::keyClick(&w, Qt::Key_F5);
        QCOMPARE(m_messages.join(u'\n'), QStringLiteral("结帐完毕！！"));
        QVERIFY(w.settlement());
        const QString billNo = w.settlement()->billNo;
        QCOMPARE(value(db(), QStringLiteral("select 类型 from 消费主表 where 流水号=:k"), billNo),
                 QStringLiteral("会员卡"));
        QCOMPARE(moneyOf(db(), QStringLiteral("select 储值金额 from 会员卡表 where 卡号=:k"),
                         QStringLiteral("990001")),
                 m(QStringLiteral("1000")) - due);
        QCOMPARE(moneyOf(db(), QStringLiteral("select 当前积分 from 会员卡表 where 卡号=:k"),
                         QStringLiteral("990001")),
                 m(QStringLiteral("10")) + due);
        QCOMPARE(state(QStringLiteral("101")), QStringLiteral("脏台"));
        QCOMPARE(count(QStringLiteral("店内消费记录")), 0);
        QCOMPARE(m_printed.size(), 1);
        QCOMPARE(m_printed[0].billSeenByOthers, QStringLiteral("会员卡"));
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains(billNo), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("矿泉水")));
    }
};

QTEST_MAIN(TestSettlementWindows)
#include "tst_settlementwindows.moc"
