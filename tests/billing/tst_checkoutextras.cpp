#include "billing/cashdrawer.h"
#include "billing/checkoutservice.h"
#include "billing/hangbillservice.h"
#include "billing/paymentsplit.h"
#include "billing/walkoutservice.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "core/inifile.h"
#include "settlementdata.h"
#include "support/testhotel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace SettlementData;

// Walk-outs, hang bills, the payment split and the cash drawer.
class TestCheckoutExtras : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHotel> h;

    void group() {
        for (const QString& r : {QStringLiteral("101"), QStringLiteral("102"), QStringLiteral("103")}) {
            room(h->db(), r, QStringLiteral("101"));
            line(h->db(), r, QStringLiteral("101"), QStringLiteral("房费"), QStringLiteral("100"),
                 QStringLiteral("1"));
        }
    }
    QString bill(const QString& roomNo, const QString& amount, const QString& guest) {
        room(h->db(), roomNo, roomNo);
        line(h->db(), roomNo, roomNo, QStringLiteral("洗衣"), amount, QStringLiteral("1"));
        CheckoutService::Options o;
        o.room = roomNo;
        o.hang = true;
        o.guestName = guest;
        return CheckoutService(h->db(), AppSettings::instance(), Clock::instance()).settle(o).billNo;
    }

private slots:
    void init() {
        Clock::instance().fix(QDateTime(QDate(2026, 3, 15), QTime(9, 0)));
        if (QByteArray(QTest::currentTestFunction()).startsWith("split") ||
            QByteArray(QTest::currentTestFunction()).startsWith("drawer"))
            return;
        HOTEL_REQUIRE_ENGINE();
        h = std::make_unique<TestHotel>();
    }
    void cleanup() { h.reset(); }

    void walkOutOfTheMainRoom() {
        group();
        const WalkoutService w(h->db());
        QCOMPARE(w.partners(QStringLiteral("101")),
                 QStringList({QStringLiteral("102"), QStringLiteral("103")}));
        w.walkOut(QStringLiteral("101"), QStringLiteral("102"));
        QCOMPARE(value(h->db(), QStringLiteral("select count(*) from 店内消费记录 where 主牌=:k"),
                       QStringLiteral("102")),
                 QStringLiteral("3"));
        QCOMPARE(value(h->db(), QStringLiteral("select count(*) from 店内消费记录 where 手牌号=:k"),
                       QStringLiteral("102")),
                 QStringLiteral("2"));
        QCOMPARE(value(h->db(), QStringLiteral("select count(*) from 酒店手牌表 where 主牌=:k"),
                       QStringLiteral("102")),
                 QStringLiteral("2"));
        QCOMPARE(value(h->db(), QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:k"),
                       QStringLiteral("101")),
                 QStringLiteral("空闲"));
        QCOMPARE(value(h->db(), QStringLiteral("select 主牌 from 酒店手牌表 where 手牌号=:k"),
                       QStringLiteral("101")),
                 QString());
    }

    void walkOutOfAnotherRoom() {
        group();
        WalkoutService(h->db()).walkOut(QStringLiteral("103"), QStringLiteral("102"));
        QCOMPARE(value(h->db(), QStringLiteral("select count(*) from 店内消费记录 where 主牌=:k"),
                       QStringLiteral("101")),
                 QStringLiteral("3"));
        QCOMPARE(value(h->db(), QStringLiteral("select count(*) from 店内消费记录 where 手牌号=:k"),
                       QStringLiteral("103")),
                 QStringLiteral("0"));
        QCOMPARE(value(h->db(), QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:k"),
                       QStringLiteral("103")),
                 QStringLiteral("空闲"));
        QCOMPARE(value(h->db(), QStringLiteral("select 主牌 from 酒店手牌表 where 手牌号=:k"),
                       QStringLiteral("102")),
                 QStringLiteral("101"));
    }

    // The leaving room's deposit goes to the partner, whose check-out deducts it.
    void walkOutHandsOverTheDeposit_data() {
        QTest::addColumn<QString>("leaving");
        QTest::addColumn<QString>("partner");
        QTest::newRow("other room") << "102"
                                    << "101";
        QTest::newRow("main room") << "101"
                                   << "102";
    }
    void walkOutHandsOverTheDeposit() {
        QFETCH(QString, leaving);
        QFETCH(QString, partner);
        room(h->db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("200"));
        room(h->db(), QStringLiteral("102"), QStringLiteral("101"), QStringLiteral("300"));
        room(h->db(), QStringLiteral("103"), QStringLiteral("103"), QStringLiteral("50"));
        line(h->db(), QStringLiteral("101"), QStringLiteral("101"), QStringLiteral("房费"),
             QStringLiteral("600"), QStringLiteral("1"));
        WalkoutService(h->db()).walkOut(leaving, partner);
        const QString depositOf = QStringLiteral("select 押金 from 酒店手牌表 where 手牌号=:k");
        QCOMPARE(moneyOf(h->db(), depositOf, partner), m(QStringLiteral("500")));
        QCOMPARE(moneyOf(h->db(), depositOf, leaving), Money());
        QCOMPARE(moneyOf(h->db(), depositOf, QStringLiteral("103")), m(QStringLiteral("50")));
        CheckoutService::Options o;
        o.room = partner;
        const CheckoutService::Quote q =
            CheckoutService(h->db(), AppSettings::instance(), Clock::instance()).quote(o);
        QCOMPARE(q.deposit, m(QStringLiteral("500")));
        QCOMPARE(q.amountDue, m(QStringLiteral("600")));
        QCOMPARE(q.netDue, m(QStringLiteral("100")));
    }

    void walkOutWithoutPartner() {
        room(h->db(), QStringLiteral("201"), QStringLiteral("201"));
        line(h->db(), QStringLiteral("201"), QStringLiteral("201"), QStringLiteral("房费"),
             QStringLiteral("100"), QStringLiteral("1"));
        const WalkoutService w(h->db());
        QVERIFY(w.partners(QStringLiteral("201")).isEmpty());
        for (const QString& partner : {QString(), QStringLiteral("999")}) {
            try {
                w.walkOut(QStringLiteral("201"), partner);
                QFAIL("walked out without a partner");
            } catch (const HotelError& e) {
                QCOMPARE(e.message(), QStringLiteral("没有可寄托的主单"));
            }
        }
        QCOMPARE(value(h->db(), QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:k"),
                       QStringLiteral("201")),
                 QStringLiteral("占用"));
    }

    // A failing statement in the middle leaves the walk-out undone.
    void walkOutIsOneTransaction() {
        group();
        h->db().exec(QStringLiteral("create table 守卫 (x integer)"));
        if (h->db().isSqlite())
            h->db().exec(QStringLiteral(
                "create trigger 不许空闲 before update of 使用状态 on 酒店手牌表 when new.使用状态='空闲' "
                "begin select raise(abort, 'blocked'); end"));
        else {
            h->db().exec(QStringLiteral(
                "create function 不许空闲() returns trigger language plpgsql as $$ begin "
                "if new.使用状态 = '空闲' then raise exception 'blocked'; end if; return new; end $$"));
            h->db().exec(QStringLiteral("create trigger 不许空闲 before update on 酒店手牌表 for each row "
                                        "execute function 不许空闲()"));
        }
        QVERIFY_THROWS_EXCEPTION(
            HotelError, WalkoutService(h->db()).walkOut(QStringLiteral("101"), QStringLiteral("102")));
        QCOMPARE(value(h->db(), QStringLiteral("select count(*) from 店内消费记录 where 手牌号=:k"),
                       QStringLiteral("101")),
                 QStringLiteral("1"));
        QCOMPARE(value(h->db(), QStringLiteral("select count(*) from 店内消费记录 where 主牌=:k"),
                       QStringLiteral("101")),
                 QStringLiteral("3"));
    }

    void hangBillSearches() {
        const QString a = bill(QStringLiteral("301"), QStringLiteral("100"), QStringLiteral("王小明"));
        const QString b = bill(QStringLiteral("302"), QStringLiteral("50"), QStringLiteral("李四"));
        const HangBillService svc(h->db(), Clock::instance());
        QCOMPARE(svc.byName(QString()).size(), 2);
        const auto byName = svc.byName(QStringLiteral("小明"));
        QCOMPARE(byName.size(), 1);
        QCOMPARE(byName.first().billNo, a);
        QCOMPARE(byName.first().due, m(QStringLiteral("100")));
        QCOMPARE(svc.inPeriod(QDate(2026, 3, 15), QDate(2026, 3, 15)).size(), 2);
        QCOMPARE(svc.inPeriod(QDate(2026, 3, 14), QDate(2026, 3, 14)).size(), 0);
        QCOMPARE(svc.inPeriod(QDate(2026, 3, 16), QDate(2026, 3, 17)).size(), 0);
        Q_UNUSED(b);
    }

    // The period runs from the first day's midnight up to, not including, the midnight after the last.
    void hangBillPeriodBounds() {
        const QList<std::pair<QString, QDateTime>> hung{
            {QStringLiteral("401"), QDateTime(QDate(2026, 3, 13), QTime(23, 59, 59))},
            {QStringLiteral("402"), QDateTime(QDate(2026, 3, 14), QTime(0, 0))},
            {QStringLiteral("403"), QDateTime(QDate(2026, 3, 15), QTime(23, 59, 59))},
            {QStringLiteral("404"), QDateTime(QDate(2026, 3, 16), QTime(0, 0))}};
        QStringList billNos;
        for (const auto& [roomNo, at] : hung) {
            Clock::instance().fix(at);
            billNos << bill(roomNo, QStringLiteral("10"), QStringLiteral("王小明"));
        }
        const HangBillService svc(h->db(), Clock::instance());
        QStringList found;
        for (const HangBillService::Bill& b : svc.inPeriod(QDate(2026, 3, 14), QDate(2026, 3, 15)))
            found << b.billNo;
        QCOMPARE(found, QStringList({billNos[1], billNos[2]}));
        found.clear();
        for (const HangBillService::Bill& b : svc.inPeriod(QDate(2026, 3, 16), QDate(2026, 3, 16)))
            found << b.billNo;
        QCOMPARE(found, QStringList({billNos[3]}));
    }

    void repay_data() {
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("error");
        QTest::newRow("enough") << "200"
                                << "";
        QTest::newRow("short") << "149"
                               << "请输入正确的付款金额！！";
        QTest::newRow("empty") << ""
                               << "请输入正确的付款金额！！";
    }
    void repay() {
        QFETCH(QString, paid);
        QFETCH(QString, error);
        const QString a = bill(QStringLiteral("301"), QStringLiteral("100"), QStringLiteral("王小明"));
        const QString b = bill(QStringLiteral("302"), QStringLiteral("50"), QStringLiteral("王小明"));
        Clock::instance().fix(QDateTime(QDate(2026, 4, 2), QTime(9, 0)));
        const HangBillService svc(h->db(), Clock::instance());
        QString message;
        try {
            const HangBillService::Repaid r = svc.repay({a, b}, false, QString(), paid);
            QCOMPARE(r.change, m(QStringLiteral("50")));
        } catch (const HotelError& e) {
            message = e.message();
        }
        QCOMPARE(message, error);
        for (const QString& no : {a, b}) {
            QCOMPARE(value(h->db(), QStringLiteral("select 类型 from 消费主表 where 流水号=:k"), no),
                     error.isEmpty() ? QStringLiteral("现金") : QStringLiteral("挂单"));
            if (error.isEmpty()) {
                QCOMPARE(value(h->db(), QStringLiteral("select 月份 from 消费主表 where 流水号=:k"), no),
                         QStringLiteral("4"));
                QCOMPARE(value(h->db(), QStringLiteral("select 挂单月份 from 消费主表 where 流水号=:k"), no),
                         QStringLiteral("3"));
                QCOMPARE(moneyOf(h->db(), QStringLiteral("select 实收 from 消费主表 where 流水号=:k"), no),
                         moneyOf(h->db(), QStringLiteral("select 应收 from 消费主表 where 流水号=:k"), no));
                QCOMPARE(
                    moneyOf(h->db(), QStringLiteral("select 现金收取 from 消费主表 where 流水号=:k"), no),
                    moneyOf(h->db(), QStringLiteral("select 应收 from 消费主表 where 流水号=:k"), no));
            }
        }
    }

    // A bill repaid meanwhile stops the whole repayment: the other bill stays hung.
    void repaymentIsOneTransaction() {
        const QString a = bill(QStringLiteral("301"), QStringLiteral("100"), QStringLiteral("王小明"));
        const QString b = bill(QStringLiteral("302"), QStringLiteral("50"), QStringLiteral("王小明"));
        const HangBillService svc(h->db(), Clock::instance());
        svc.repay({b}, false, QString(), QStringLiteral("50"));
        QVERIFY_THROWS_EXCEPTION(HotelError, svc.repay({a, b}, false, QString(), QStringLiteral("150")));
        QCOMPARE(value(h->db(), QStringLiteral("select 类型 from 消费主表 where 流水号=:k"), a),
                 QStringLiteral("挂单"));
    }

    void repayFromTheCard() {
        const QString a = bill(QStringLiteral("301"), QStringLiteral("100"), QStringLiteral("王小明"));
        SqlQuery(h->db(), QStringLiteral("update 消费主表 set 会员卡号='12' where 流水号=:k"))
            .bind(QStringLiteral("k"), a)
            .exec();
        card(h->db(), QStringLiteral("12"), QStringLiteral("10"), QStringLiteral("60"));
        const HangBillService svc(h->db(), Clock::instance());
        QCOMPARE(svc.byCard(QStringLiteral("12")).size(), 1);
        QVERIFY_THROWS_EXCEPTION(HotelError, svc.repay({a}, true, QStringLiteral("12"), QString()));
        QCOMPARE(value(h->db(), QStringLiteral("select 类型 from 消费主表 where 流水号=:k"), a),
                 QStringLiteral("挂单"));
        SqlQuery(h->db(), QStringLiteral("update 会员卡表 set 储值金额=1200000 where 卡号='12'")).exec();
        QVERIFY(svc.repay({a}, true, QStringLiteral("12"), QString()).fromCard);
        QCOMPARE(moneyOf(h->db(), QStringLiteral("select 储值金额 from 会员卡表 where 卡号=:k"),
                         QStringLiteral("12")),
                 m(QStringLiteral("20")));
        QCOMPARE(value(h->db(), QStringLiteral("select 类型 from 消费主表 where 流水号=:k"), a),
                 QStringLiteral("会员卡"));
    }

    void splitCash() {
        const PaymentSplit p(m(QStringLiteral("88")));
        QCOMPARE(p.cashChange(m(QStringLiteral("100"))), m(QStringLiteral("12")));
    }

    void splitTenders_data() {
        QTest::addColumn<QString>("cash");
        QTest::addColumn<QString>("voucher");
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("ok");
        QTest::newRow("exact") << "50"
                               << "38"
                               << "0"
                               << "0" << true;
        QTest::newRow("over") << "60"
                              << "38"
                              << "-10"
                              << "10" << true;
        QTest::newRow("voucher alone") << ""
                                       << "100"
                                       << "-12"
                                       << "0" << true;
        QTest::newRow("short") << "50"
                               << ""
                               << "38"
                               << "0" << false;
    }
    void splitTenders() {
        QFETCH(QString, cash);
        QFETCH(QString, voucher);
        PaymentSplit p(m(QStringLiteral("88")));
        if (!cash.isEmpty()) {
            p.setTicked(PaymentSplit::Cash, true);
            QCOMPARE(p.amount(PaymentSplit::Cash), m(QStringLiteral("88")));
            p.setAmount(PaymentSplit::Cash, m(cash));
        }
        if (!voucher.isEmpty()) {
            p.setTicked(PaymentSplit::Voucher, true);
            p.setAmount(PaymentSplit::Voucher, m(voucher));
        }
        QTEST(p.open().toString(), "open");
        QTEST(p.change().toString(), "change");
        QTEST(p.acceptable(), "ok");
        p.setTicked(PaymentSplit::Voucher, false);
        QCOMPARE(p.amount(PaymentSplit::Voucher), Money());
    }

    void drawerPulse() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("lp0"));
        QVERIFY(CashDrawer().open(path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("\x1b\x70\x00\x3c\xff", 5));
    }

    void drawerPortFromSettings() {
        QTemporaryDir dir;
        IniFile(dir.filePath(QStringLiteral("sz.ini")))
            .write(QStringLiteral("LPT1"), QStringLiteral("类型"), dir.filePath(QStringLiteral("drawer")));
        const CashDrawer d(dir.path());
        QCOMPARE(d.devicePath(QStringLiteral("LPT1")), dir.filePath(QStringLiteral("drawer")));
        QCOMPARE(CashDrawer().devicePath(QStringLiteral("LPT2")), QStringLiteral("/dev/lp1"));
        QVERIFY(d.open(QStringLiteral("LPT1")));
        QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("drawer"))).size(), 5);
    }

    void drawerError() {
        try {
            CashDrawer().open(QStringLiteral("/nonexistent-folder/lp0"));
            QFAIL("no error");
        } catch (const HotelError& e) {
            QVERIFY(e.message().startsWith(CashDrawer::kError + u'\r'));
            QVERIFY(e.message().size() > CashDrawer::kError.size() + 1);
        }
    }
};

QTEST_MAIN(TestCheckoutExtras)
#include "tst_checkoutextras.moc"
