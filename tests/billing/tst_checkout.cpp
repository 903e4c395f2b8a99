#include "billing/billnumbers.h"
#include "billing/checkoutservice.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "db/sqlquery.h"
#include "settlementdata.h"
#include "support/testhotel.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace SettlementData;

class TestCheckout : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHotel> h;
    AppSettings s;

    CheckoutService svc() const {
        return CheckoutService(h->db(), s, Clock::instance(),
                               QDir(h->home()).filePath(QStringLiteral("bug.txt")));
    }
    // The worked example: 房费 2 × 168 (discountable), a drink of 20 (not), deposit 200.
    void example(const QString& cardNo = QStringLiteral("8888"), const QString& rate = QStringLiteral("8"),
                 const QString& balance = QStringLiteral("0")) {
        room(h->db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("200"), cardNo);
        line(h->db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("房费"),
             QStringLiteral("168"), QStringLiteral("2"));
        line(h->db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("啤酒"),
             QStringLiteral("20"), QStringLiteral("1"), QStringLiteral("否"));
        if (!cardNo.isEmpty())
            card(h->db(), cardNo, rate, balance);
    }
    CheckoutService::Options member(const QString& room = QStringLiteral("101"),
                                    const QString& cardNo = QStringLiteral("8888")) {
        CheckoutService::Options o;
        o.room = room;
        o.memberMode = true;
        o.cardNo = cardNo;
        return o;
    }
    int count(const QString& table) const {
        return h->scalar(QStringLiteral("select count(*) from ") + table).toInt();
    }

private slots:
    void init() {
        HOTEL_REQUIRE_ENGINE();
        h = std::make_unique<TestHotel>();
        s = AppSettings();
        s.operatorName = QStringLiteral("admin");
        Clock::instance().fix(QDateTime(QDate(2026, 3, 15), QTime(11, 30)));
    }
    void cleanup() { h.reset(); }

    void workedExample_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("rounding");
        QTest::addColumn<bool>("withCard");
        QTest::addColumn<QString>("writeOff");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("due");
        QTest::addColumn<QString>("net");
        QTest::addColumn<QString>("change");
        QTest::newRow("amount rule") << "金额折扣处理"
                                     << "四舍五入" << true << "0"
                                     << "100"
                                     << "67.2"
                                     << "289"
                                     << "89"
                                     << "11";
        QTest::newRow("unit price rule") << "单价折扣处理"
                                         << "四舍五入" << true << "0"
                                         << "100"
                                         << "68"
                                         << "288"
                                         << "88"
                                         << "12";
        QTest::newRow("no card") << "金额折扣处理"
                                 << "四舍五入" << false << "0"
                                 << "200"
                                 << "0"
                                 << "356"
                                 << "156"
                                 << "44";
        QTest::newRow("write-off") << "金额折扣处理"
                                   << "四舍五入" << true << "9"
                                   << "100"
                                   << "67.2"
                                   << "280"
                                   << "80"
                                   << "20";
        QTest::newRow("truncate") << "金额折扣处理"
                                  << "取整" << true << "0"
                                  << "100"
                                  << "67.2"
                                  << "288"
                                  << "88"
                                  << "12";
        QTest::newRow("up") << "金额折扣处理"
                            << "取整加一" << true << "0"
                            << "100"
                            << "67.2"
                            << "289"
                            << "89"
                            << "11";
        QTest::newRow("keep") << "金额折扣处理"
                              << "不处理" << true << "0"
                              << "100"
                              << "67.2"
                              << "288.8"
                              << "88.8"
                              << "11.2";
    }
    void workedExample() {
        QFETCH(QString, rule);
        QFETCH(QString, rounding);
        QFETCH(bool, withCard);
        QFETCH(QString, writeOff);
        QFETCH(QString, paid);
        s.discountRule = rule;
        s.roundingRule = rounding;
        example();
        CheckoutService::Options o = member();
        o.memberMode = withCard;
        o.writeOff = writeOff;
        o.paid = paid;
        const CheckoutService::Quote q = svc().quote(o);
        QCOMPARE(q.consumption, m(QStringLiteral("356")));
        QTEST(q.discount.toString(), "discount");
        QTEST(q.amountDue.toString(), "due");
        QCOMPARE(q.deposit, m(QStringLiteral("200")));
        QTEST(q.netDue.toString(), "net");
        QTEST(q.change.toString(), "change");
        QCOMPARE(q.mode, CheckoutService::PayMode::Cash);
        QCOMPARE(q.rate, withCard ? QStringLiteral("8") : QStringLiteral("10"));

        // The bill written carries the same figures.
        const CheckoutService::Result r = svc().settle(o);
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 应收 from 消费主表 where 流水号=:k"), r.billNo),
                 q.amountDue);
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 优惠 from 消费主表 where 流水号=:k"), r.billNo),
                 q.discount);
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 找零 from 消费主表 where 流水号=:k"), r.billNo),
                 q.change);
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 收现金 from 消费主表 where 流水号=:k"), r.billNo),
                 m(paid));
    }

    void points_data() {
        QTest::addColumn<QString>("onlyRoom");
        QTest::addColumn<QString>("points");
        QTest::newRow("room charges at the rate") << "是"
                                                  << "160";
        QTest::newRow("amount due") << "否"
                                    << "300";
    }
    void points() {
        QFETCH(QString, onlyRoom);
        s.onlyRoomChargesEarnPoints = onlyRoom;
        room(h->db(), QStringLiteral("201"), QStringLiteral("201"), QStringLiteral("0"),
             QStringLiteral("77"));
        line(h->db(), QStringLiteral("201"), QStringLiteral("201"), QStringLiteral("房费"),
             QStringLiteral("200"), QStringLiteral("1"), QStringLiteral("否"));
        line(h->db(), QStringLiteral("201"), QStringLiteral("201"), QStringLiteral("洗衣"),
             QStringLiteral("100"), QStringLiteral("1"), QStringLiteral("否"));
        card(h->db(), QStringLiteral("77"), QStringLiteral("8"), QStringLiteral("0"), QStringLiteral("5"));
        CheckoutService::Options o = member(QStringLiteral("201"), QStringLiteral("77"));
        o.paid = QStringLiteral("300");
        const CheckoutService::Result r = svc().settle(o);
        QCOMPARE(r.quote.amountDue, m(QStringLiteral("300")));
        QFETCH(QString, points);
        QCOMPARE(r.pointsAfter, m(points) + m(QStringLiteral("5")));
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 当前积分 from 会员卡表 where 卡号=:k"),
                         QStringLiteral("77")),
                 r.pointsAfter);
        QCOMPARE(value(h->db(), QStringLiteral("select 最后消费时间 from 会员卡表 where 卡号=:k"),
                       QStringLiteral("77"))
                     .left(10),
                 QStringLiteral("2026-03-15"));
    }

    void cashSettlementOfAGroup_data() {
        QTest::addColumn<QString>("from");
        QTest::newRow("main room") << "301";
        QTest::newRow("other room") << "302";
    }
    void cashSettlementOfAGroup() {
        room(h->db(), QStringLiteral("301"), QStringLiteral("301"), QStringLiteral("100"));
        room(h->db(), QStringLiteral("302"), QStringLiteral("301"), QStringLiteral("50"));
        room(h->db(), QStringLiteral("303"), QStringLiteral("303"));
        line(h->db(), QStringLiteral("301"), QStringLiteral("301"), QStringLiteral("房费"),
             QStringLiteral("168"), QStringLiteral("1"));
        line(h->db(), QStringLiteral("302"), QStringLiteral("301"), QStringLiteral("房费"),
             QStringLiteral("168"), QStringLiteral("1"));
        line(h->db(), QStringLiteral("302"), QStringLiteral("301"), QStringLiteral("可乐"),
             QStringLiteral("5"), QStringLiteral("3"));
        line(h->db(), QStringLiteral("303"), QStringLiteral("303"), QStringLiteral("房费"),
             QStringLiteral("168"), QStringLiteral("1"));
        QFETCH(QString, from);
        CheckoutService::Options o;
        o.room = from;
        o.paid = QStringLiteral("300");
        const CheckoutService::Result r = svc().settle(o);
        QCOMPARE(r.billNo, QStringLiteral("202603150001"));
        QCOMPARE(r.totalNo, 1);
        QCOMPARE(r.type, QStringLiteral("现金"));
        QCOMPARE(r.rooms, QStringList({QStringLiteral("301"), QStringLiteral("302")}));
        QCOMPARE(count(QStringLiteral("消费主表")), 1);
        QCOMPARE(value(h->db(),
                       QStringLiteral(
                           "select count(*) from 消费详细 where 流水号=:k and 总流水号=1 and 交班完毕='否'"),
                       r.billNo),
                 QStringLiteral("3"));
        QCOMPARE(value(h->db(), QStringLiteral("select 手牌号 from 消费主表 where 流水号=:k"), r.billNo),
                 from);
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 现金收取 from 消费主表 where 流水号=:k"), r.billNo),
                 m(QStringLiteral("351")));
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 找零 from 消费主表 where 流水号=:k"), r.billNo),
                 m(QStringLiteral("99")));
        QCOMPARE(value(h->db(), QStringLiteral("select 会员卡收取 from 消费主表 where 流水号=:k"), r.billNo),
                 QStringLiteral("<null>"));
        QCOMPARE(value(h->db(), QStringLiteral("select 挂单年份 from 消费主表 where 流水号=:k"), r.billNo),
                 QStringLiteral("<null>"));
        QCOMPARE(value(h->db(), QStringLiteral("select 月份 from 消费主表 where 流水号=:k"), r.billNo),
                 QStringLiteral("3"));
        QCOMPARE(value(h->db(), QStringLiteral("select 交班完毕 from 消费主表 where 流水号=:k"), r.billNo),
                 QStringLiteral("否"));
        for (const QString& rm : {QStringLiteral("301"), QStringLiteral("302")}) {
            QCOMPARE(value(h->db(), QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:k"), rm),
                     QStringLiteral("脏台"));
            QCOMPARE(value(h->db(), QStringLiteral("select 主牌 from 酒店手牌表 where 手牌号=:k"), rm),
                     QString());
            QCOMPARE(value(h->db(), QStringLiteral("select 结账时间 from 酒店手牌表 where 手牌号=:k"), rm),
                     QStringLiteral("2026-03-15 11:30:00"));
            QCOMPARE(moneyOf(h->db(), QStringLiteral("select 押金 from 酒店手牌表 where 手牌号=:k"), rm),
                     Money());
        }
        // The other group stays as it was.
        QCOMPARE(value(h->db(), QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:k"),
                       QStringLiteral("303")),
                 QStringLiteral("占用"));
        QCOMPARE(count(QStringLiteral("店内消费记录")), 1);
    }

    void billNumbersFollowTheDay() {
        for (const QString& rm : {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}) {
            room(h->db(), rm, rm);
            line(h->db(), rm, rm, QStringLiteral("房费"), QStringLiteral("10"), QStringLiteral("1"));
        }
        CheckoutService::Options o;
        o.paid = QStringLiteral("10");
        o.room = QStringLiteral("1");
        QCOMPARE(svc().settle(o).billNo, QStringLiteral("202603150001"));
        o.room = QStringLiteral("2");
        const auto second = svc().settle(o);
        QCOMPARE(second.billNo, QStringLiteral("202603150002"));
        QCOMPARE(second.totalNo, 2);
        Clock::instance().advance(24 * 3600);
        o.room = QStringLiteral("3");
        const auto third = svc().settle(o);
        QCOMPARE(third.billNo, QStringLiteral("202603160001"));
        QCOMPARE(third.totalNo, 3);
    }

    void followingSerial_data() {
        QTest::addColumn<QString>("max");
        QTest::addColumn<QString>("next");
        QTest::newRow("none") << ""
                              << "202603150001";
        QTest::newRow("other day") << "202603140007"
                                   << "202603150001";
        QTest::newRow("nine to ten") << "202603150009"
                                     << "202603150010";
        QTest::newRow("carry") << "202603150099"
                               << "202603150100";
    }
    void followingSerial() {
        QFETCH(QString, max);
        QTEST(BillNumbers::following(max, QDate(2026, 3, 15)), "next");
    }

    void storedValue_data() {
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QString>("bill");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("after");
        QTest::newRow("card pays part") << "50"
                                        << "120"
                                        << "50"
                                        << "30"
                                        << "0";
        QTest::newRow("card pays all") << "500"
                                       << "120"
                                       << "120"
                                       << "100"
                                       << "380";
    }
    void storedValue() {
        QFETCH(QString, balance);
        QFETCH(QString, bill);
        room(h->db(), QStringLiteral("401"), QStringLiteral("401"), QStringLiteral("100"),
             QStringLiteral("55"));
        line(h->db(), QStringLiteral("401"), QStringLiteral("401"), QStringLiteral("洗衣"), bill,
             QStringLiteral("1"), QStringLiteral("否"));
        card(h->db(), QStringLiteral("55"), QStringLiteral("10"), balance);
        const CheckoutService::Quote q = svc().quote(member(QStringLiteral("401"), QStringLiteral("55")));
        QCOMPARE(q.mode, CheckoutService::PayMode::StoredValue);
        QTEST(q.paid.toString(), "paid");
        QTEST(q.change.toString(), "change");
        const CheckoutService::Result r = svc().settle(member(QStringLiteral("401"), QStringLiteral("55")));
        QCOMPARE(r.type, QStringLiteral("会员卡"));
        QCOMPARE(r.balanceBefore, m(balance));
        QTEST(moneyOf(h->db(), QStringLiteral("select 储值金额 from 会员卡表 where 卡号=:k"),
                      QStringLiteral("55"))
                  .toString(),
              "after");
        QCOMPARE(
            moneyOf(h->db(), QStringLiteral("select 会员卡收取 from 消费主表 where 流水号=:k"), r.billNo),
            m(bill));
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 现金收取 from 消费主表 where 流水号=:k"), r.billNo),
                 Money());
        QCOMPARE(value(h->db(), QStringLiteral("select 客户单位 from 消费主表 where 流水号=:k"), r.billNo),
                 QStringLiteral("某公司"));
        QCOMPARE(value(h->db(), QStringLiteral("select 会员卡号 from 消费主表 where 流水号=:k"), r.billNo),
                 QStringLiteral("55"));
    }

    // Refusals before anything is written: nothing changes anywhere.
    void refusals_data() {
        QTest::addColumn<QString>("balance");
        QTest::addColumn<bool>("memberMode");
        QTest::addColumn<bool>("hang");
        QTest::addColumn<QString>("guest");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("message");
        QTest::newRow("card short") << "50" << true << false << "x"
                                    << ""
                                    << "卡内余额不足！！";
        QTest::newRow("hang, card holds some") << "50" << true << true << "x"
                                               << ""
                                               << "会员卡余额还有，不能挂单，您可以进行会员充值！！";
        QTest::newRow("hang, card holds all") << "900" << true << true << "x"
                                              << ""
                                              << "会员卡余额完全可以支付，不能挂单！！";
        QTest::newRow("hang without a name") << "0" << false << true << ""
                                             << ""
                                             << "请填写非会员顾客姓名！！";
        QTest::newRow("too little cash") << "0" << false << false << "x"
                                         << "50"
                                         << "请输入宾客支付金额或者挂单处理！！";
    }
    void refusals() {
        QFETCH(QString, balance);
        QFETCH(bool, memberMode);
        QFETCH(bool, hang);
        QFETCH(QString, guest);
        QFETCH(QString, paid);
        room(h->db(), QStringLiteral("501"), QStringLiteral("501"), QStringLiteral("100"));
        line(h->db(), QStringLiteral("501"), QStringLiteral("501"), QStringLiteral("洗衣"),
             QStringLiteral("200"), QStringLiteral("1"));
        card(h->db(), QStringLiteral("66"), QStringLiteral("10"), balance);
        CheckoutService::Options o = member(QStringLiteral("501"), QStringLiteral("66"));
        o.memberMode = memberMode;
        o.hang = hang;
        o.guestName = guest;
        o.paid = paid;
        QString message;
        try {
            svc().settle(o);
        } catch (const HotelError& e) {
            message = e.message();
        }
        QTEST(message, "message");
        QCOMPARE(count(QStringLiteral("消费主表")), 0);
        QCOMPARE(count(QStringLiteral("店内消费记录")), 1);
        QCOMPARE(value(h->db(), QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:k"),
                       QStringLiteral("501")),
                 QStringLiteral("占用"));
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 储值金额 from 会员卡表 where 卡号=:k"),
                         QStringLiteral("66")),
                 m(balance));
        QVERIFY(!QFile::exists(QDir(h->home()).filePath(QStringLiteral("bug.txt"))));
    }

    void depositLargerThanDue() {
        room(h->db(), QStringLiteral("601"), QStringLiteral("601"), QStringLiteral("500"));
        line(h->db(), QStringLiteral("601"), QStringLiteral("601"), QStringLiteral("房费"),
             QStringLiteral("168"), QStringLiteral("1"));
        CheckoutService::Options o;
        o.room = QStringLiteral("601");
        const CheckoutService::Result r = svc().settle(o);
        QCOMPARE(r.quote.netDue, m(QStringLiteral("-332")));
        QCOMPARE(r.quote.change, m(QStringLiteral("332")));
    }

    void emptyBillSkipsTheChangeTest() {
        room(h->db(), QStringLiteral("602"), QStringLiteral("602"));
        CheckoutService::Options o;
        o.room = QStringLiteral("602");
        const CheckoutService::Result r = svc().settle(o);
        QCOMPARE(r.quote.consumption, Money());
        QCOMPARE(value(h->db(), QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:k"),
                       QStringLiteral("602")),
                 QStringLiteral("脏台"));
    }

    void hangBill() {
        example(QString());
        CheckoutService::Options o;
        o.room = QStringLiteral("101");
        o.hang = true;
        o.customerUnit = QStringLiteral("某单位");
        const CheckoutService::Result r = svc().settle(o);
        QCOMPARE(r.type, QStringLiteral("挂单"));
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 实收 from 消费主表 where 流水号=:k"), r.billNo),
                 Money());
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 应收 from 消费主表 where 流水号=:k"), r.billNo),
                 m(QStringLiteral("356")));
        QCOMPARE(value(h->db(), QStringLiteral("select 会员姓名 from 消费主表 where 流水号=:k"), r.billNo),
                 QStringLiteral("客人101"));
        QCOMPARE(value(h->db(), QStringLiteral("select 会员卡号 from 消费主表 where 流水号=:k"), r.billNo),
                 QString());
        QCOMPARE(value(h->db(), QStringLiteral("select 年份 from 消费主表 where 流水号=:k"), r.billNo),
                 QStringLiteral("<null>"));
        QCOMPARE(value(h->db(), QStringLiteral("select 挂单年份 from 消费主表 where 流水号=:k"), r.billNo),
                 QStringLiteral("2026"));
        QCOMPARE(value(h->db(), QStringLiteral("select 挂单月份 from 消费主表 where 流水号=:k"), r.billNo),
                 QStringLiteral("3"));
        QCOMPARE(value(h->db(), QStringLiteral("select 现金收取 from 消费主表 where 流水号=:k"), r.billNo),
                 QStringLiteral("<null>"));
        QCOMPARE(value(h->db(), QStringLiteral("select 客户单位 from 消费主表 where 流水号=:k"), r.billNo),
                 QStringLiteral("某单位"));
    }

    void waivedBillStillEarnsPoints() {
        example();
        CheckoutService::Options o = member();
        o.waive = true;
        const CheckoutService::Result r = svc().settle(o);
        QCOMPARE(r.type, QStringLiteral("免单"));
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 实收 from 消费主表 where 流水号=:k"), r.billNo),
                 Money());
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 现金收取 from 消费主表 where 流水号=:k"), r.billNo),
                 Money());
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 收现金 from 消费主表 where 流水号=:k"), r.billNo),
                 Money());
        QCOMPARE(r.pointsAfter, m(QStringLiteral("289")));
    }

    // An error after the first write rolls everything back and is logged to bug.txt.
    void failureLeavesEverythingUntouched() {
        example(QStringLiteral("8888"), QStringLiteral("8"), QStringLiteral("1000"));
        h->db().exec(QStringLiteral("drop table 消费详细"));
        QString message;
        try {
            svc().settle(member());
        } catch (const HotelError& e) {
            message = e.message();
        }
        QVERIFY2(message.startsWith(QStringLiteral("结帐信息错误：")), qPrintable(message));
        QCOMPARE(count(QStringLiteral("消费主表")), 0);
        QCOMPARE(count(QStringLiteral("店内消费记录")), 2);
        QCOMPARE(value(h->db(), QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:k"),
                       QStringLiteral("101")),
                 QStringLiteral("占用"));
        QCOMPARE(value(h->db(), QStringLiteral("select 主牌 from 酒店手牌表 where 手牌号=:k"),
                       QStringLiteral("101")),
                 QStringLiteral("101"));
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 储值金额 from 会员卡表 where 卡号=:k"),
                         QStringLiteral("8888")),
                 m(QStringLiteral("1000")));
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 当前积分 from 会员卡表 where 卡号=:k"),
                         QStringLiteral("8888")),
                 Money());
        QFile bug(QDir(h->home()).filePath(QStringLiteral("bug.txt")));
        QVERIFY(bug.open(QIODevice::ReadOnly));
        const QString logged = QString::fromUtf8(bug.readAll());
        QVERIFY2(logged.startsWith(QStringLiteral("2026-03-15 11:30:00：")), qPrintable(logged));
    }

    void secondSettlementOfTheSameGroupIsRefused() {
        example(QString());
        CheckoutService::Options o;
        o.room = QStringLiteral("101");
        o.paid = QStringLiteral("200");
        svc().settle(o);
        QVERIFY_THROWS_EXCEPTION(HotelError, svc().settle(o));
        QCOMPARE(count(QStringLiteral("消费主表")), 1);
    }

    void changedBillIsRefused() {
        example(QString());
        CheckoutService::Options o;
        o.room = QStringLiteral("101");
        o.paid = QStringLiteral("200");
        o.expectedDue = svc().quote(o).amountDue;
        line(h->db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("可乐"),
             QStringLiteral("5"), QStringLiteral("1"));
        QVERIFY_THROWS_EXCEPTION(HotelError, svc().settle(o));
        QCOMPARE(count(QStringLiteral("店内消费记录")), 3);
    }

    void billReportVariables() {
        example(QStringLiteral("8888"), QStringLiteral("8"), QStringLiteral("1000"));
        s.hotelName = QStringLiteral("测试酒店");
        const CheckoutService::Result r = svc().settle(member());
        const ReportData d = CheckoutService::billReport(r, s);
        QCOMPARE(d.variable(QStringLiteral("账单号")), r.billNo);
        QCOMPARE(d.variable(QStringLiteral("酒店名称")), QStringLiteral("测试酒店"));
        QCOMPARE(d.variable(QStringLiteral("总计")), QStringLiteral("289"));
        QCOMPARE(d.variable(QStringLiteral("储值卡消费")), QStringLiteral("289"));
        QCOMPARE(d.variable(QStringLiteral("现金收入")), QStringLiteral("0"));
        QCOMPARE(d.variable(QStringLiteral("会员卡上次余额")), QStringLiteral("1000"));
        QCOMPARE(d.variable(QStringLiteral("会员余额")), QStringLiteral("711"));
        QCOMPARE(d.variable(QStringLiteral("房租打折")), QStringLiteral("100%"));
        QCOMPARE(d.variable(QStringLiteral("客户姓名")), QStringLiteral("会员8888"));
        QCOMPARE(d.rows().size(), 2);
    }

    void mixedTender_data() {
        QTest::addColumn<QString>("cash");
        QTest::addColumn<QString>("voucher");
        QTest::addColumn<QString>("credit");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("cashTaken");
        QTest::newRow("three thirds") << "100"
                                      << "100"
                                      << "100"
                                      << "0"
                                      << "100";
        QTest::newRow("cash over") << "200"
                                   << "150"
                                   << "0"
                                   << "50"
                                   << "150";
    }
    void mixedTender() {
        QFETCH(QString, cash);
        QFETCH(QString, voucher);
        QFETCH(QString, credit);
        QFETCH(QString, change);
        room(h->db(), QStringLiteral("701"), QStringLiteral("701"), QStringLiteral("50"));
        line(h->db(), QStringLiteral("701"), QStringLiteral("701"), QStringLiteral("房费"),
             QStringLiteral("300"), QStringLiteral("1"));
        CheckoutService::Options o;
        o.room = QStringLiteral("701");
        CheckoutService::Tenders t;
        t.cash = m(cash);
        t.voucher = m(voucher);
        t.creditCard = m(credit);
        t.change = m(change);
        t.creditCardNo = QStringLiteral("6222");
        const CheckoutService::Result r = svc().settleMixed(o, t);
        QCOMPARE(r.type, QStringLiteral("联合结帐"));
        QTEST(moneyOf(h->db(), QStringLiteral("select 现金收取 from 消费主表 where 流水号=:k"), r.billNo)
                  .toString(),
              "cashTaken");
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 收现金 from 消费主表 where 流水号=:k"), r.billNo),
                 m(cash));
        QCOMPARE(
            moneyOf(h->db(), QStringLiteral("select 代金卷收取 from 消费主表 where 流水号=:k"), r.billNo),
            m(voucher));
        QCOMPARE(value(h->db(),
                       QStringLiteral("select count(*) from 消费详细 where 流水号=:k and 总流水号 is null"),
                       r.billNo),
                 QStringLiteral("1"));
        // The room keeps its deposit and check-out time.
        QCOMPARE(value(h->db(), QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:k"),
                       QStringLiteral("701")),
                 QStringLiteral("脏台"));
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 押金 from 酒店手牌表 where 手牌号=:k"),
                         QStringLiteral("701")),
                 m(QStringLiteral("50")));
        QCOMPARE(value(h->db(), QStringLiteral("select 结账时间 from 酒店手牌表 where 手牌号=:k"),
                       QStringLiteral("701")),
                 QStringLiteral("<null>"));
        const ReportData d = CheckoutService::billReport(r, s);
        QCOMPARE(d.variable(QStringLiteral("退款")), QStringLiteral("0"));
        QTEST(d.variable(QStringLiteral("现金收入")), "cashTaken");
    }

    void mixedTenderRefusals_data() {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("cash");
        QTest::addColumn<QString>("voucher");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        QTest::newRow("sum wrong") << "0"
                                   << "250"
                                   << "0"
                                   << "0"
                                   << "合计金额不正确！！";
        QTest::newRow("member over balance") << "120"
                                             << "180"
                                             << "0"
                                             << "0"
                                             << "会员卡支付金额大于会员卡余额";
        QTest::newRow("negative change") << "0"
                                         << "200"
                                         << "0"
                                         << "-100"
                                         << "合计金额不正确！！";
        QTest::newRow("change without cash") << "0"
                                             << "0"
                                             << "400"
                                             << "100"
                                             << "合计金额不正确！！";
    }
    void mixedTenderRefusals() {
        QFETCH(QString, member);
        QFETCH(QString, cash);
        QFETCH(QString, voucher);
        QFETCH(QString, change);
        room(h->db(), QStringLiteral("702"), QStringLiteral("702"));
        line(h->db(), QStringLiteral("702"), QStringLiteral("702"), QStringLiteral("房费"),
             QStringLiteral("300"), QStringLiteral("1"));
        card(h->db(), QStringLiteral("99"), QStringLiteral("10"), QStringLiteral("100"));
        CheckoutService::Options o;
        o.room = QStringLiteral("702");
        CheckoutService::Tenders t;
        t.cash = m(cash);
        t.member = m(member);
        t.voucher = m(voucher);
        t.change = m(change);
        t.memberCardNo = QStringLiteral("99");
        QString message;
        try {
            svc().settleMixed(o, t);
        } catch (const HotelError& e) {
            message = e.message();
        }
        QTEST(message, "message");
        QCOMPARE(count(QStringLiteral("消费主表")), 0);
        QCOMPARE(count(QStringLiteral("消费详细")), 0);
        QCOMPARE(count(QStringLiteral("店内消费记录")), 1);
        QCOMPARE(value(h->db(), QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:k"),
                       QStringLiteral("702")),
                 QStringLiteral("占用"));
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 储值金额 from 会员卡表 where 卡号=:k"),
                         QStringLiteral("99")),
                 m(QStringLiteral("100")));
    }

    void mixedTenderWithCard() {
        room(h->db(), QStringLiteral("703"), QStringLiteral("703"));
        line(h->db(), QStringLiteral("703"), QStringLiteral("703"), QStringLiteral("房费"),
             QStringLiteral("300"), QStringLiteral("1"));
        card(h->db(), QStringLiteral("98"), QStringLiteral("10"), QStringLiteral("100"));
        CheckoutService::Options o;
        o.room = QStringLiteral("703");
        CheckoutService::Tenders t;
        t.cash = m(QStringLiteral("200"));
        t.member = m(QStringLiteral("100"));
        t.memberCardNo = QStringLiteral("98");
        const CheckoutService::Result r = svc().settleMixed(o, t);
        QCOMPARE(r.balanceBefore, m(QStringLiteral("100")));
        QCOMPARE(r.balanceAfter, Money());
        QCOMPARE(r.pointsAfter, m(QStringLiteral("300")));
        QCOMPARE(
            moneyOf(h->db(), QStringLiteral("select 会员卡收取 from 消费主表 where 流水号=:k"), r.billNo),
            m(QStringLiteral("100")));
    }

    // The check-out day goes into date-time columns as its midnight: a date-time bound finds it
    // on either engine.
    void settlementDayIsMidnight_data() {
        QTest::addColumn<bool>("mixed");
        QTest::newRow("check-out") << false;
        QTest::newRow("mixed tenders") << true;
    }
    void settlementDayIsMidnight() {
        QFETCH(bool, mixed);
        room(h->db(), QStringLiteral("704"), QStringLiteral("704"));
        line(h->db(), QStringLiteral("704"), QStringLiteral("704"), QStringLiteral("房费"),
             QStringLiteral("300"), QStringLiteral("1"));
        card(h->db(), QStringLiteral("97"), QStringLiteral("10"), QStringLiteral("0"));
        CheckoutService::Result r;
        if (mixed) {
            CheckoutService::Tenders t;
            t.cash = m(QStringLiteral("300"));
            t.memberCardNo = QStringLiteral("97");
            r = svc().settleMixed(member(QStringLiteral("704"), QStringLiteral("97")), t);
        } else {
            CheckoutService::Options o = member(QStringLiteral("704"), QStringLiteral("97"));
            o.paid = QStringLiteral("300");
            r = svc().settle(o);
        }
        QCOMPARE(value(h->db(), QStringLiteral("select 结帐日期 from 消费主表 where 流水号=:k"), r.billNo),
                 QStringLiteral("2026-03-15 00:00:00"));
        QCOMPARE(value(h->db(), QStringLiteral("select 最后消费时间 from 会员卡表 where 卡号=:k"),
                       QStringLiteral("97")),
                 QStringLiteral("2026-03-15 00:00:00"));
        const QDateTime midnight(QDate(2026, 3, 15), QTime(0, 0));
        SqlQuery bills(h->db(),
                       QStringLiteral("select 流水号 from 消费主表 where 结帐日期>=:d and 结帐日期<:e"));
        bills.bind(QStringLiteral("d"), midnight).bind(QStringLiteral("e"), midnight.addDays(1)).exec();
        QVERIFY(bills.next());
        QCOMPARE(bills.text(0), r.billNo);
        // Used today: not idle since today.
        SqlQuery idle(h->db(), QStringLiteral("select count(*) as n from 会员卡表 where 最后消费时间<:d"));
        idle.bind(QStringLiteral("d"), midnight).exec();
        QVERIFY(idle.next());
        QCOMPARE(idle.integer(QStringLiteral("n")), 0);
    }

    // A line that reaches the group after the check-out read its lines is not deleted unbilled: a
    // trigger on the bill header adds one in the middle of the check-out.
    void onlyBilledLinesAreDeleted_data() {
        QTest::addColumn<bool>("mixed");
        QTest::newRow("check-out") << false;
        QTest::newRow("mixed tenders") << true;
    }
    void onlyBilledLinesAreDeleted() {
        QFETCH(bool, mixed);
        room(h->db(), QStringLiteral("705"), QStringLiteral("705"));
        room(h->db(), QStringLiteral("706"), QStringLiteral("705"));
        line(h->db(), QStringLiteral("705"), QStringLiteral("705"), QStringLiteral("房费"),
             QStringLiteral("200"), QStringLiteral("1"));
        line(h->db(), QStringLiteral("706"), QStringLiteral("705"), QStringLiteral("房费"),
             QStringLiteral("100"), QStringLiteral("1"));
        line(h->db(), QStringLiteral("707"), QStringLiteral("707"), QStringLiteral("房费"),
             QStringLiteral("100"), QStringLiteral("1"));
        const QString late = QStringLiteral(
            "insert into 店内消费记录 (手牌号,主牌,消费项目,单价,消费数量,金额,参与打折,退菜) values "
            "('706','705','迟到',50000,10000,50000,'否','否')");
        if (h->db().isSqlite()) {
            h->db().exec(QStringLiteral("create trigger 迟到 after insert on 消费主表 begin ") + late +
                         QStringLiteral("; end"));
        } else {
            h->db().exec(
                QStringLiteral("create function 迟到() returns trigger language plpgsql as $$ begin ") +
                late + QStringLiteral("; return new; end $$"));
            h->db().exec(QStringLiteral(
                "create trigger 迟到 after insert on 消费主表 for each row execute function 迟到()"));
        }
        CheckoutService::Options o;
        o.room = QStringLiteral("705");
        CheckoutService::Result r;
        if (mixed) {
            CheckoutService::Tenders t;
            t.cash = m(QStringLiteral("300"));
            r = svc().settleMixed(o, t);
        } else {
            o.paid = QStringLiteral("300");
            r = svc().settle(o);
        }
        QCOMPARE(r.quote.lines.size(), 2);
        QCOMPARE(value(h->db(), QStringLiteral("select count(*) from 消费详细 where 流水号=:k"), r.billNo),
                 QStringLiteral("2"));
        SqlQuery open(h->db(), QStringLiteral("select 手牌号,消费项目 from 店内消费记录 order by ID"));
        open.exec();
        QStringList left;
        while (open.next())
            left << open.text(0) + u' ' + open.text(1);
        QCOMPARE(left, QStringList({QStringLiteral("707 房费"), QStringLiteral("706 迟到")}));
    }
};

QTEST_MAIN(TestCheckout)
#include "tst_checkout.moc"
