#include "../billing/settlementdata.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "members/membercards.h"
#include "support/testhotel.h"

#include <QTest>

using namespace SettlementData;

class TestMemberCards : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHotel> h;
    MemberCards cards() const { return MemberCards(h->db(), AppSettings::instance(), Clock::instance()); }

private slots:
    void init() {
        HOTEL_REQUIRE_ENGINE();
        h = std::make_unique<TestHotel>();
        Clock::instance().fix(QDateTime(QDate(2026, 5, 20), QTime(10, 0)));
        AppSettings::instance().operatorName = QStringLiteral("admin");
        AppSettings::instance().hotelName = QStringLiteral("测试酒店");
    }
    void cleanup() { h.reset(); }

    void topUpAddsToTheBalance() {
        card(h->db(), QStringLiteral("A1"), QStringLiteral("9"), QStringLiteral("50"));
        const auto c = cards().find(QStringLiteral("A1"));
        QVERIFY(c);
        QCOMPARE(cards().topUp(c->id, QStringLiteral("200")), m(QStringLiteral("250")));
        const ReportData r = cards().topUpReceipt(*c, m(QStringLiteral("200")));
        QCOMPARE(r.variable(QStringLiteral("支付金额")), QStringLiteral("200"));
        QCOMPARE(r.variable(QStringLiteral("入卡金额")), QStringLiteral("200"));
        QCOMPARE(r.variable(QStringLiteral("公司名称")), QStringLiteral("测试酒店"));
        QCOMPARE(r.variable(QStringLiteral("联系地址")), QString());
        QCOMPARE(r.variable(QStringLiteral("操作员")), QStringLiteral("admin"));
    }

    void topUpRefusals_data() {
        QTest::addColumn<bool>("known");
        QTest::addColumn<QString>("amount");
        QTest::newRow("no card") << false << "10";
        QTest::newRow("not a number") << true << "abc";
    }
    void topUpRefusals() {
        QFETCH(bool, known);
        QFETCH(QString, amount);
        card(h->db(), QStringLiteral("A1"), QStringLiteral("9"), QStringLiteral("50"));
        const qint64 id = known ? cards().find(QStringLiteral("A1"))->id : 0;
        QVERIFY_THROWS_EXCEPTION(HotelError, cards().topUp(id, amount));
        QCOMPARE(cards().find(QStringLiteral("A1"))->balance, m(QStringLiteral("50")));
    }

    void debitNeverBelowZero_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("ok");
        QTest::newRow("part") << "30"
                              << "20" << true;
        QTest::newRow("all") << "50"
                             << "0" << true;
        QTest::newRow("too much") << "50.0001"
                                  << "50" << false;
    }
    void debitNeverBelowZero() {
        QFETCH(QString, amount);
        QFETCH(bool, ok);
        card(h->db(), QStringLiteral("B2"), QStringLiteral("10"), QStringLiteral("50"));
        bool passed = true;
        try {
            Transaction tx(h->db());
            MemberCards::debit(h->db(), QStringLiteral("B2"), m(amount));
            tx.commit();
        } catch (const HotelError& e) {
            passed = false;
            QCOMPARE(e.message(), QStringLiteral("卡内余额不足！！"));
        }
        QCOMPARE(passed, ok);
        QTEST(cards().find(QStringLiteral("B2"))->balance.toString(), "after");
    }

    // A second connection (another station) debiting the same card: both debits together can
    // never take more than the card holds.
    void twoStationsDebitOneCard() {
        card(h->db(), QStringLiteral("C3"), QStringLiteral("10"), QStringLiteral("100"));
        TDM other(h->home(), QStringLiteral("station2"));
        int succeeded = 0;
        for (const DbSession* db : {&h->db(), &other.main(), &h->db()}) {
            try {
                Transaction tx(*db);
                MemberCards::debit(*db, QStringLiteral("C3"), m(QStringLiteral("40")));
                tx.commit();
                ++succeeded;
            } catch (const HotelError&) {
            }
        }
        QCOMPARE(succeeded, 2);
        QCOMPARE(cards().find(QStringLiteral("C3"))->balance, m(QStringLiteral("20")));
    }

    void issueAndQueries() {
        MemberCards::Card c;
        c.number = QStringLiteral("D4");
        c.name = QStringLiteral("赵六");
        c.rate = QStringLiteral("8.5");
        c.balance = m(QStringLiteral("300"));
        cards().issue(c, QStringLiteral("小王"));
        Clock::instance().fix(QDateTime(QDate(2026, 6, 1), QTime(10, 0)));
        c.number = QStringLiteral("E5");
        cards().issue(c, QStringLiteral("小王"));
        QCOMPARE(cards().issueRecords().size(), 2);
        QCOMPARE(cards().issueRecords().first().number, QStringLiteral("E5"));
        const auto may = cards().issueRecords(std::pair{2026, 5});
        QCOMPARE(may.size(), 1);
        QCOMPARE(may.first().number, QStringLiteral("D4"));
        QCOMPARE(may.first().staff, QStringLiteral("小王"));
        QCOMPARE(cards().find(QStringLiteral("D4"))->rateValue(), m(QStringLiteral("8.5")));
        QCOMPARE(cards().findAll(QStringLiteral("D4")).size(), 1);
        card(h->db(), QStringLiteral("D4"), QStringLiteral("10"), QStringLiteral("0"));
        QCOMPARE(cards().findAll(QStringLiteral("D4")).size(), 2);
    }
};

QTEST_MAIN(TestMemberCards)
#include "tst_membercards.moc"
