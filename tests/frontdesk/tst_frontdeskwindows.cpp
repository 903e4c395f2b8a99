#include "app/ui/uiprompt.h"
#include "basedata/hotelsetup.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "db/sqlquery.h"
#include "frontdesk/openlines.h"
#include "frontdesk/ui/TFkaidan2.h"
#include "frontdesk/ui/TFtuidan_yuanyin.h"
#include "frontdesk/ui/TFxujiao_yajin.h"
#include "frontdesk/ui/TFyuyue_xinxi_chaxun.h"
#include "frontdesk/ui/Tkaidan.h"
#include "frontdesk/ui/Txiaofei.h"
#include "frontdesk/ui/Txuanze_jishi.h"
#include "frontdesk/ui/Tyuding.h"
#include "frontdesk/ui/receiptprinter.h"
#include "support/testhotel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>
#include <functional>

namespace {

const QDateTime kNow(QDate(2025, 3, 10), QTime(14, 0));

template <typename T> T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    Q_ASSERT(c);
    return c;
}

// Types into an edit the way a user does (textEdited fires), Chinese included.
void type(QLineEdit* e, const QString& text) {
    e->setFocus();
    e->selectAll();
    e->insert(text);
}

void saveShot(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("FRONTDESK_SHOTS");
    if (!dir.isEmpty())
        w->grab().save(dir + u'/' + name + QStringLiteral(".png"));
}

} // namespace

class TestFrontDeskWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<TestHotel> m_hotel;
    QStringList m_messages;
    QList<ReportData> m_receipts;
    std::function<int(QDialog*)> m_modal;

    const DbSession& db() const { return m_hotel->db(); }
    QString room(const QString& no) const {
        SqlQuery q(db(), QStringLiteral(
                             "select 使用状态,主牌,押金,实收房费单价 from 酒店手牌表 where 手牌号=:手牌号"));
        q.bind(QStringLiteral("手牌号"), no).exec();
        q.next();
        return QStringList{q.text(0), q.text(1), q.money(2).toString(), q.money(3).toString()}.join(u' ');
    }
    QStringList lines() const {
        QStringList out;
        for (const OpenLines::Line& l : OpenLines(db()).ofGroup(QStringLiteral("101")))
            out << QStringList{l.room,
                               l.mainRoom,
                               l.item,
                               l.price.toString(),
                               l.quantity.toString(),
                               l.amount.toString()}
                       .join(u' ');
        return out;
    }
    QString stock(const QString& goods) const {
        SqlQuery q(db(), QStringLiteral("select 当前库存 from 库存总表 where 项目名称=:名"));
        q.bind(QStringLiteral("名"), goods).exec();
        return q.next() ? q.money(0).toString() : QStringLiteral("-");
    }
    void checkIn(Tkaidan& w, const QString& roomNo, const QString& mode) {
        w.setRoom(roomNo, mode);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }

private slots:
    void init() {
        m_hotel = std::make_unique<TestHotel>();
        Clock::instance().fix(kNow);
        {
            Transaction tx(db());
            HotelSetup::writeBasics(db(), HotelSetup::kDemoHotelName);
            HotelSetup::seedDemo(db(), kNow);
            tx.commit();
        }
        AppSettings& s = AppSettings::instance();
        s = AppSettings();
        s.operatorName = QStringLiteral("admin");
        s.defaultWarehouse = HotelSetup::kDefaultWarehouse;
        s.roomChargeMode = QStringLiteral("自动计算");
        s.minimumDays = QStringLiteral("1");
        s.hourlyMinimumHours = QStringLiteral("3");
        s.hotelName = HotelSetup::kDemoHotelName;
        s.Right2 = HotelSetup::allRights();
        m_messages.clear();
        m_receipts.clear();
        m_modal = nullptr;
        UiPrompt::setHooks({[this](const QString& t) { m_messages << t; },
                            [this](const QString&, const QString& t) {
                                m_messages << t;
                                return true;
                            },
                            [this](QDialog* d) { return m_modal ? m_modal(d) : int(QDialog::Rejected); }});
        ReceiptPrinter::setHook([this](const QString&, const ReportData& d) { m_receipts << d; });
    }
    void cleanup() {
        UiPrompt::clearHooks();
        ReceiptPrinter::setHook({});
        m_hotel.reset();
    }

    void singleCheckInWithRoomCharges() {
        HOTEL_REQUIRE_ENGINE();
        Tkaidan w(m_hotel->dm());
        checkIn(w, QStringLiteral("101"), QStringLiteral("新开"));
        QCOMPARE(child<QLabel>(&w, "lblType")->text(), QStringLiteral("标准间"));
        QCOMPARE(child<QLineEdit>(&w, "edtPrice")->text(), QStringLiteral("168"));
        QVERIFY(!child<QLabel>(&w, "lblTime")->isVisible());
        type(child<QLineEdit>(&w, "edtRatio"), QStringLiteral("0.8"));
        QCOMPARE(child<QLineEdit>(&w, "edtPrice")->text(), QStringLiteral("134"));
        type(child<QLineEdit>(&w, "edtPrice"), QStringLiteral("126"));
        QCOMPARE(child<QLineEdit>(&w, "edtRatio")->text(), QStringLiteral("0.75"));
        type(child<QLineEdit>(&w, "edtDeposit"), QStringLiteral("300"));
        type(child<QLineEdit>(&w, "edtName"), QStringLiteral("张三"));
        type(child<QLineEdit>(&w, "edtIdNumber"), QStringLiteral("330106199001010011"));
        QTest::keyClick(child<QLineEdit>(&w, "edtIdNumber"), Qt::Key_Return);
        QCOMPARE(child<QLineEdit>(&w, "edtAddress")->text(), QStringLiteral("浙江省杭州市西湖区"));
        saveShot(&w, QStringLiteral("Tkaidan"));
        child<QPushButton>(&w, "Button1")->click();
        QVERIFY(m_messages.isEmpty());
        QVERIFY(!w.isVisible());
        QCOMPARE(room(QStringLiteral("101")), QStringLiteral("占用 101 300 126"));
        QCOMPARE(lines(), QStringList{QStringLiteral("101 101 房费 126 1 126")});
        QCOMPARE(m_receipts.size(), 1);
        QCOMPARE(m_receipts[0].variable(QStringLiteral("手牌名称")), QStringLiteral("101"));
        QCOMPARE(m_receipts[0].variable(QStringLiteral("押金金额")), QStringLiteral("300"));
    }

    void invalidDepositKeepsWindowOpen() {
        HOTEL_REQUIRE_ENGINE();
        Tkaidan w(m_hotel->dm());
        checkIn(w, QStringLiteral("101"), QStringLiteral("新开"));
        type(child<QLineEdit>(&w, "edtDeposit"), QStringLiteral("三百"));
        QTest::keyClick(child<QLineEdit>(&w, "edtDeposit"), Qt::Key_Return);
        QCOMPARE(m_messages, QStringList{QStringLiteral("押金必须是数字：三百")});
        QVERIFY(w.isVisible());
        QCOMPARE(room(QStringLiteral("101")), QStringLiteral("空闲  0 0"));
        QVERIFY(lines().isEmpty());
    }

    void groupOfThreeAndMemberLookup() {
        HOTEL_REQUIRE_ENGINE();
        Tkaidan w(m_hotel->dm());
        checkIn(w, QStringLiteral("101"), QStringLiteral("新开"));
        child<QCheckBox>(&w, "chkGroup")->setChecked(true);
        auto* idle = child<QListWidget>(&w, "lstIdle");
        QVERIFY(!idle->findItems(QStringLiteral("101"), Qt::MatchExactly).size());
        for (const QString& r : {QStringLiteral("102"), QStringLiteral("103"), QStringLiteral("104")}) {
            idle->setCurrentItem(idle->findItems(r, Qt::MatchExactly).first());
            child<QPushButton>(&w, "btnToGroup")->click();
        }
        auto* grid = child<QTableWidget>(&w, "gridGroup");
        QCOMPARE(grid->rowCount(), 3);
        grid->setCurrentCell(2, 0);
        child<QPushButton>(&w, "btnFromGroup")->click();
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(idle->item(idle->count() - 1)->text(), QStringLiteral("104"));
        grid->item(1, 3)->setText(QStringLiteral("0.5"));
        QCOMPARE(grid->item(1, 4)->text(), QStringLiteral("84"));
        saveShot(&w, QStringLiteral("Tkaidan_group"));
        type(child<QLineEdit>(&w, "edtCard"), QStringLiteral("VIP9"));
        child<QPushButton>(&w, "btnCardLookup")->click();
        QCOMPARE(m_messages, QStringList{QStringLiteral("该会员卡号不存在")});
        type(child<QLineEdit>(&w, "edtPhone"), QStringLiteral("0001"));
        child<QPushButton>(&w, "btnPhoneLookup")->click();
        QCOMPARE(child<QLineEdit>(&w, "edtName")->text(), QStringLiteral("陈建国"));
        QCOMPARE(child<QLineEdit>(&w, "edtCard")->text(), QStringLiteral("VIP0001"));
        type(child<QLineEdit>(&w, "edtDeposit"), QStringLiteral("500"));
        child<QPushButton>(&w, "Button1")->click();
        QCOMPARE(room(QStringLiteral("101")), QStringLiteral("占用 101 500 168"));
        QCOMPARE(room(QStringLiteral("102")), QStringLiteral("占用 101 0 168"));
        QCOMPARE(room(QStringLiteral("103")), QStringLiteral("占用 101 0 84"));
        QCOMPARE(room(QStringLiteral("104")), QStringLiteral("空闲  0 0"));
        QCOMPARE(m_receipts.last().variable(QStringLiteral("手牌名称")),
                 QStringLiteral("101，其他客房：102;103;"));
    }

    void hourlyThenModify() {
        HOTEL_REQUIRE_ENGINE();
        Tkaidan w(m_hotel->dm());
        checkIn(w, QStringLiteral("101"), QStringLiteral("新开"));
        child<QCheckBox>(&w, "chkHourly")->setChecked(true);
        QCOMPARE(child<QLineEdit>(&w, "edtHourlyPrice")->text(), QStringLiteral("30"));
        child<QCheckBox>(&w, "chkPrint")->setChecked(false);
        child<QPushButton>(&w, "Button1")->click();
        QCOMPARE(room(QStringLiteral("101")), QStringLiteral("钟点房 101 0 30"));
        QCOMPARE(lines(), QStringList{QStringLiteral("101 101 钟点房费 30 3 90")});
        QVERIFY(m_receipts.isEmpty());

        Clock::instance().advance(1800);
        checkIn(w, QStringLiteral("101"), QStringLiteral("修改"));
        QVERIFY(child<QLabel>(&w, "lblTime")->isVisible());
        QCOMPARE(child<QLabel>(&w, "lblTime")->text(), QStringLiteral("2025-03-10 14:00:00"));
        QVERIFY(child<QCheckBox>(&w, "chkHourly")->isChecked());
        child<QCheckBox>(&w, "chkHourly")->setChecked(false);
        QCOMPARE(child<QLineEdit>(&w, "edtPrice")->text(), QStringLiteral("168"));
        type(child<QLineEdit>(&w, "edtName"), QStringLiteral("李四"));
        child<QPushButton>(&w, "Button1")->click();
        QCOMPARE(room(QStringLiteral("101")), QStringLiteral("占用 101 0 168"));
        QCOMPARE(m_hotel->scalar(QStringLiteral("select 主客姓名 from 酒店手牌表 where 手牌号='101'")),
                 QStringLiteral("李四"));
    }

    void quickCheckIn() {
        HOTEL_REQUIRE_ENGINE();
        QString opened;
        TFkaidan2 w(m_hotel->dm(), [&opened](const QString& r) { opened = r; });
        w.show();
        type(w.edit(), QStringLiteral("999"));
        QTest::keyClick(w.edit(), Qt::Key_Return);
        type(w.edit(), QStringLiteral("208"));
        QTest::keyClick(w.edit(), Qt::Key_Return);
        QCOMPARE(m_messages, (QStringList{QStringLiteral("对不起，没有找到该房间号"),
                                          QStringLiteral("对不起，该房间非空闲状态")}));
        type(w.edit(), QStringLiteral("201"));
        QTest::keyClick(w.edit(), Qt::Key_Return);
        QCOMPARE(opened, QStringLiteral("201"));
    }

    void consumptionReturnAndDelete() {
        HOTEL_REQUIRE_ENGINE();
        {
            Tkaidan k(m_hotel->dm());
            checkIn(k, QStringLiteral("101"), QStringLiteral("新开"));
            child<QCheckBox>(&k, "chkGroup")->setChecked(true);
            auto* idle = child<QListWidget>(&k, "lstIdle");
            idle->setCurrentItem(idle->findItems(QStringLiteral("102"), Qt::MatchExactly).first());
            child<QPushButton>(&k, "btnToGroup")->click();
            child<QPushButton>(&k, "Button1")->click();
        }
        Txiaofei w(m_hotel->dm());
        w.setRoom(QStringLiteral("102"), QStringLiteral("101"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(child<QLabel>(&w, "lblDeposit")->text(), QStringLiteral("0"));
        type(w.searchEdit(), QStringLiteral("kkkl"));
        QCOMPARE(w.items()->rowCount(), 1);
        type(w.quantityEdit(), QStringLiteral("3"));
        QTest::keyClick(w.quantityEdit(), Qt::Key_Return);
        QCOMPARE(lines().last(), QStringLiteral("102 101 可口可乐 5 3 15"));
        QCOMPARE(stock(QStringLiteral("可口可乐")), QStringLiteral("93"));
        QCOMPARE(w.returnButton()->text(), QStringLiteral("删单F9"));

        // A technician item: cancelling the chooser adds nothing; choosing adds the line.
        type(w.searchEdit(), QStringLiteral("am"));
        type(w.quantityEdit(), QStringLiteral("1"));
        m_modal = [](QDialog*) { return int(QDialog::Rejected); };
        w.addClick();
        QCOMPARE(lines().size(), 3);
        m_modal = [](QDialog* d) {
            d->show();
            auto* c = static_cast<Txuanze_jishi*>(d);
            c->grid()->setCurrentCell(2, 0);
            c->Button1Click();
            return d->result();
        };
        w.addClick();
        QCOMPARE(lines().last(), QStringLiteral("102 101 按摩 168 1 168"));
        QCOMPARE(m_hotel->scalar(QStringLiteral("select 技师 from 店内消费记录 where 消费项目='按摩'")),
                 QStringLiteral("赵敏"));
        // Deleting the new massage line.
        QTest::keyClick(&w, Qt::Key_F9);
        QCOMPARE(lines().size(), 3);
        saveShot(&w, QStringLiteral("Txiaofei"));
        type(w.quantityEdit(), QStringLiteral("两"));
        type(w.searchEdit(), QStringLiteral("kqs"));
        w.addClick();
        QCOMPARE(m_messages.last(), QStringLiteral("消费数量必须是数字：两"));
        QCOMPARE(lines().size(), 3);
        w.close();

        // Reopened: the cola line is old; F9 returns 2 with a reason, the stock goes back.
        w.show();
        w.bill()->setCurrentCell(1, 0);
        QCOMPARE(w.returnButton()->text(), QStringLiteral("退单F9"));
        m_modal = [](QDialog* d) {
            d->show();
            auto* r = static_cast<TFtuidan_yuanyin*>(d);
            r->quantityEdit()->setText(QStringLiteral("2"));
            r->reasonBox()->setCurrentText(QStringLiteral("客人取消"));
            r->Button1Click();
            return d->result();
        };
        w.returnClick();
        QCOMPARE(lines().last(), QStringLiteral("102 101 可口可乐 5 -2 -10"));
        QCOMPARE(stock(QStringLiteral("可口可乐")), QStringLiteral("95"));
        QCOMPARE(w.returnButton()->text(), QStringLiteral("删单F9"));
        QTest::keyClick(&w, Qt::Key_F9);
        QCOMPARE(m_messages.last(), QStringLiteral("已经退菜了，不能再退了"));
        // Give-away and a price edit in the grid.
        w.bill()->setCurrentCell(1, 0);
        w.giveAwayClick();
        QCOMPARE(lines()[2], QStringLiteral("102 101 可口可乐 5 3 0"));
        w.bill()->item(0, 1)->setText(QStringLiteral("150"));
        QCOMPARE(lines()[1], QStringLiteral("102 101 房费 150 1 150"));
        w.close();
    }

    void depositTopUp() {
        HOTEL_REQUIRE_ENGINE();
        {
            Tkaidan k(m_hotel->dm());
            checkIn(k, QStringLiteral("101"), QStringLiteral("新开"));
            type(child<QLineEdit>(&k, "edtDeposit"), QStringLiteral("200"));
            child<QPushButton>(&k, "Button1")->click();
        }
        m_receipts.clear();
        TFxujiao_yajin w(m_hotel->dm());
        w.setRoom(QStringLiteral("101"));
        w.show();
        QCOMPARE(w.amountEdit()->text(), QStringLiteral("0"));
        type(w.amountEdit(), QStringLiteral("abc"));
        QTest::keyClick(w.amountEdit(), Qt::Key_Return);
        QCOMPARE(m_messages, QStringList{QStringLiteral("续交押金必须是数字：abc")});
        QVERIFY(w.isVisible());
        type(w.amountEdit(), QStringLiteral("300"));
        saveShot(&w, QStringLiteral("TFxujiao_yajin"));
        QTest::keyClick(w.amountEdit(), Qt::Key_Return);
        QCOMPARE(m_messages.last(), QStringLiteral("押金续交完毕"));
        QCOMPARE(room(QStringLiteral("101")), QStringLiteral("占用 101 500 168"));
        QCOMPARE(m_receipts.size(), 1);
        QCOMPARE(m_receipts[0].variable(QStringLiteral("押金金额")), QStringLiteral("300"));
    }

    void reservationAndQuery() {
        HOTEL_REQUIRE_ENGINE();
        Tyuding w(m_hotel->dm());
        w.setRoom(QStringLiteral("201"));
        w.show();
        QCOMPARE(child<QLabel>(&w, "lblType")->text(), QStringLiteral("标准间"));
        QCOMPARE(w.guestsEdit()->text(), QStringLiteral("1"));
        type(w.nameEdit(), QStringLiteral("王五"));
        type(w.phoneEdit(), QStringLiteral("13800000000"));
        w.arriveTime()->setTime(QTime(18, 0));
        w.holdDate()->setDate(QDate(2025, 3, 11));
        w.holdTime()->setTime(QTime(12, 0));
        w.remarkEdit()->setPlainText(QStringLiteral("靠窗"));
        saveShot(&w, QStringLiteral("Tyuding"));
        child<QPushButton>(&w, "Button1")->click();
        QCOMPARE(m_messages.last(), QStringLiteral("预定信息录入完毕"));
        QCOMPARE(room(QStringLiteral("201")).section(u' ', 0, 0), QStringLiteral("预定"));

        TFyuyue_xinxi_chaxun q(m_hotel->dm());
        q.show();
        q.showRoom(QStringLiteral("201"));
        QCOMPARE(q.grid()->rowCount(), 1);
        QCOMPARE(q.grid()->item(0, 4)->text(), QStringLiteral("2025-03-10 18:00:00"));
        QCOMPARE(q.remarkEdit()->toPlainText(), QStringLiteral("靠窗"));
        q.grid()->item(0, 1)->setText(QStringLiteral("王六"));
        q.saveRow(0);
        QCOMPARE(m_hotel->scalar(QStringLiteral("select 宾客姓名 from 预定信息")), QStringLiteral("王六"));
        q.roomBox()->setChecked(false);
        q.dateBox()->setChecked(true);
        q.fromDate()->setDate(QDate(2025, 3, 11));
        q.toDate()->setDate(QDate(2025, 3, 12));
        q.queryClick();
        QCOMPARE(q.grid()->rowCount(), 0);
        q.dateBox()->setChecked(false);
        q.queryClick();
        QCOMPARE(q.grid()->rowCount(), 1);
        saveShot(&q, QStringLiteral("TFyuyue_xinxi_chaxun"));
        q.grid()->setCurrentCell(0, 0);
        q.cancelClick();
        QCOMPARE(m_messages.last(), QStringLiteral("确实要取消预定吗？"));
        QCOMPARE(q.grid()->rowCount(), 0);
        QCOMPARE(room(QStringLiteral("201")).section(u' ', 0, 0), QStringLiteral("预定"));
    }
};

QTEST_MAIN(TestFrontDeskWindows)
#include "tst_frontdeskwindows.moc"
