#include "core/appsettings.h"
#include "db/sqlquery.h"
#include "settlementdata.h"
#include "support/testhotel.h"

#include <QProcess>
#include <QTest>

using namespace SettlementData;

// Several workstations settle at the same moment: separate hotelctl processes against one SQLite
// file or one PostgreSQL database. Bill numbers stay unique and the shared card's balance adds up.
class TestCheckoutConcurrency : public QObject {
    Q_OBJECT

private slots:
    void stationsSettleAtOnce() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        constexpr int kRounds = 2, kPerRound = 8;
        // Cash rooms c1..c8 (bill 168 + 12); card rooms k1..k8 (bill 100, no deposit) on card 900
        // holding 550: five of them can be paid from it, the others are refused.
        for (int i = 1; i <= kRounds * kPerRound / 2; ++i) {
            const QString c = QStringLiteral("c%1").arg(i), k = QStringLiteral("k%1").arg(i);
            room(h.db(), c, c);
            line(h.db(), c, c, QStringLiteral("房费"), QStringLiteral("168"), QStringLiteral("1"));
            line(h.db(), c, c, QStringLiteral("啤酒"), QStringLiteral("12"), QStringLiteral("1"),
                 QStringLiteral("否"));
            room(h.db(), k, k);
            line(h.db(), k, k, QStringLiteral("洗衣"), QStringLiteral("100"), QStringLiteral("1"),
                 QStringLiteral("否"));
        }
        card(h.db(), QStringLiteral("900"), QStringLiteral("10"), QStringLiteral("550"));

        int cashOk = 0, cardOk = 0, cardRefused = 0;
        QStringList failures;
        for (int round = 0; round < kRounds; ++round) {
            QList<QProcess*> procs;
            for (int j = 1; j <= kPerRound / 2; ++j) {
                const int n = round * kPerRound / 2 + j;
                for (bool byCard : {false, true}) {
                    auto* p = new QProcess(this);
                    p->setProperty("card", byCard);
                    QStringList args{QStringLiteral("--home"), h.home(), QStringLiteral("--now"),
                                     QStringLiteral("2026-03-15 12:00:00"), QStringLiteral("checkout")};
                    if (byCard)
                        args << QStringLiteral("k%1").arg(n) << QStringLiteral("--card")
                             << QStringLiteral("900");
                    else
                        args << QStringLiteral("c%1").arg(n) << QStringLiteral("--cash")
                             << QStringLiteral("200");
                    p->start(QStringLiteral(HOTELCTL_PATH), args);
                    procs << p;
                }
            }
            for (QProcess* p : procs) {
                QVERIFY(p->waitForFinished(120000));
                const bool byCard = p->property("card").toBool();
                const QString err = QString::fromUtf8(p->readAllStandardError());
                if (p->exitCode() == 0)
                    ++(byCard ? cardOk : cashOk);
                else if (byCard && err.contains(QStringLiteral("卡内余额不足")))
                    ++cardRefused;
                else
                    failures << err;
                delete p;
            }
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
        QCOMPARE(cashOk, kRounds * kPerRound / 2);
        QCOMPARE(cardOk, 5);
        QCOMPARE(cardRefused, 3);

        const int bills = cashOk + cardOk;
        QCOMPARE(h.scalar(QStringLiteral("select count(*) from 消费主表")).toInt(), bills);
        QCOMPARE(h.scalar(QStringLiteral("select count(distinct 流水号) from 消费主表")).toInt(), bills);
        QCOMPARE(h.scalar(QStringLiteral("select count(distinct 总流水号) from 消费主表")).toInt(), bills);
        QCOMPARE(h.scalar(QStringLiteral("select max(总流水号) from 消费主表")).toInt(), bills);
        QCOMPARE(h.scalar(QStringLiteral("select max(流水号) from 消费主表")),
                 QStringLiteral("20260315") + QStringLiteral("%1").arg(bills, 4, 10, QLatin1Char('0')));
        // Every line of every settled bill arrived once.
        QCOMPARE(h.scalar(QStringLiteral("select count(*) from 消费详细")).toInt(), cashOk * 2 + cardOk);
        // The card: what the bills took from it is what it lost, and it never went below zero.
        const Money balance = moneyOf(h.db(), QStringLiteral("select 储值金额 from 会员卡表 where 卡号=:k"),
                                      QStringLiteral("900"));
        const Money taken =
            moneyOf(h.db(), QStringLiteral("select sum(会员卡收取) from 消费主表 where 会员卡号=:k"),
                    QStringLiteral("900"));
        QCOMPARE(taken, m(QStringLiteral("500")));
        QCOMPARE(balance, m(QStringLiteral("550")) - taken);
        QCOMPARE(moneyOf(h.db(), QStringLiteral("select 当前积分 from 会员卡表 where 卡号=:k"),
                         QStringLiteral("900")),
                 taken);
        QCOMPARE(h.scalar(QStringLiteral("select count(*) from 酒店手牌表 where 使用状态='脏台'")).toInt(),
                 bills);
    }
};

QTEST_MAIN(TestCheckoutConcurrency)
#include "tst_checkoutconcurrency.moc"
