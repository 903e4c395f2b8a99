#include "core/hotelerror.h"
#include "core/money.h"

#include <QTest>

class TestMoney : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("whole") << QStringLiteral("120") << qint64(1200000);
        QTest::newRow("half") << QStringLiteral("120.5") << qint64(1205000);
        QTest::newRow("negative") << QStringLiteral("-3") << qint64(-30000);
        QTest::newRow("smallest") << QStringLiteral("0.0001") << qint64(1);
        QTest::newRow("spaces") << QStringLiteral("  12.50 ") << qint64(125000);
        QTest::newRow("leading dot") << QStringLiteral(".5") << qint64(5000);
        QTest::newRow("trailing zeros beyond four places") << QStringLiteral("1.230000") << qint64(12300);
        QTest::newRow("plus sign") << QStringLiteral("+7") << qint64(70000);
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(qint64, raw);
        QCOMPARE(Money::parse(text).raw(), raw);
    }

    void parseRejects_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("blank") << QStringLiteral("   ");
        QTest::newRow("letters") << QStringLiteral("12a");
        QTest::newRow("only sign") << QStringLiteral("-");
        QTest::newRow("two dots") << QStringLiteral("1.2.3");
        QTest::newRow("five places") << QStringLiteral("0.00001");
        QTest::newRow("overflow") << QStringLiteral("99999999999999999999");
        QTest::newRow("full-width digits") << QStringLiteral("１２");
    }
    void parseRejects() {
        QFETCH(QString, text);
        QVERIFY_THROWS_EXCEPTION(HotelError, Money::parse(text));
        QVERIFY(!Money::tryParse(text, nullptr));
    }

    void parseErrorNamesTheText() {
        try {
            Money::parse(QStringLiteral("abc"));
            QFAIL("no error");
        } catch (const HotelError& e) {
            QVERIFY(e.message().contains(QStringLiteral("abc")));
        }
        QCOMPARE(Money::parseOrZero(QString()).raw(), 0);
    }

    void display_data() {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("shortest");
        QTest::addColumn<QString>("twoPlaces");
        QTest::newRow("120.5") << qint64(1205000) << QStringLiteral("120.5") << QStringLiteral("120.50");
        QTest::newRow("zero") << qint64(0) << QStringLiteral("0") << QStringLiteral("0.00");
        QTest::newRow("-3") << qint64(-30000) << QStringLiteral("-3") << QStringLiteral("-3.00");
        QTest::newRow("tiny") << qint64(1) << QStringLiteral("0.0001") << QStringLiteral("0.00");
        QTest::newRow("tie to even down") << qint64(125) << QStringLiteral("0.0125") << QStringLiteral("0.01");
        QTest::newRow("tie to even up") << qint64(135) << QStringLiteral("0.0135") << QStringLiteral("0.01");
        QTest::newRow("negative tiny") << qint64(-49) << QStringLiteral("-0.0049") << QStringLiteral("0.00");
    }
    void display() {
        QFETCH(qint64, raw);
        QFETCH(QString, shortest);
        QFETCH(QString, twoPlaces);
        QCOMPARE(Money::fromRaw(raw).toString(), shortest);
        QCOMPARE(Money::fromRaw(raw).toFixed(2), twoPlaces);
    }

    void arithmetic_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("quotient");
        QTest::newRow("price x days") << QStringLiteral("168") << QStringLiteral("0.5") << QStringLiteral("84")
                                      << QStringLiteral("336");
        QTest::newRow("tie down to even") << QStringLiteral("0.0005") << QStringLiteral("0.5")
                                          << QStringLiteral("0.0002") << QStringLiteral("0.001");
        QTest::newRow("tie up to even") << QStringLiteral("0.0003") << QStringLiteral("0.5")
                                        << QStringLiteral("0.0002") << QStringLiteral("0.0006");
        QTest::newRow("thirds") << QStringLiteral("10") << QStringLiteral("3") << QStringLiteral("30")
                                << QStringLiteral("3.3333");
        QTest::newRow("negative tie") << QStringLiteral("-0.0005") << QStringLiteral("0.5")
                                      << QStringLiteral("-0.0002") << QStringLiteral("-0.001");
        QTest::newRow("discount 8.5 tenths") << QStringLiteral("99.99") << QStringLiteral("0.85")
                                             << QStringLiteral("84.9915") << QStringLiteral("117.6353");
    }
    void arithmetic() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, product);
        QFETCH(QString, quotient);
        const Money x = Money::parse(a), y = Money::parse(b);
        QCOMPARE((x * y).toString(), product);
        QCOMPARE((x / y).toString(), quotient);
        QCOMPARE((x + y - y), x);
    }

    void divideByZeroAndOverflow() {
        QVERIFY_THROWS_EXCEPTION(HotelError, Money::fromInt(1) / Money());
        const Money big = Money::fromRaw(std::numeric_limits<qint64>::max() - 5);
        QVERIFY_THROWS_EXCEPTION(HotelError, big + Money::fromInt(1));
        QVERIFY_THROWS_EXCEPTION(HotelError, big * Money::fromInt(2));
    }

    void roundYuan_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("expected");
        using R = Money::YuanRounding;
        QTest::newRow("nearest 12.5") << QStringLiteral("12.5") << int(R::NearestEven) << QStringLiteral("12");
        QTest::newRow("nearest 13.5") << QStringLiteral("13.5") << int(R::NearestEven) << QStringLiteral("14");
        QTest::newRow("nearest 120.50") << QStringLiteral("120.50") << int(R::NearestEven) << QStringLiteral("120");
        QTest::newRow("nearest 121.50") << QStringLiteral("121.50") << int(R::NearestEven) << QStringLiteral("122");
        QTest::newRow("nearest 12.51") << QStringLiteral("12.51") << int(R::NearestEven) << QStringLiteral("13");
        QTest::newRow("truncate 12.9") << QStringLiteral("12.9") << int(R::Truncate) << QStringLiteral("12");
        QTest::newRow("up 12.1") << QStringLiteral("12.1") << int(R::UpIfFraction) << QStringLiteral("13");
        QTest::newRow("up 12.0") << QStringLiteral("12.0") << int(R::UpIfFraction) << QStringLiteral("12");
        QTest::newRow("up 120.01") << QStringLiteral("120.01") << int(R::UpIfFraction) << QStringLiteral("121");
        QTest::newRow("up 120.00") << QStringLiteral("120.00") << int(R::UpIfFraction) << QStringLiteral("120");
        QTest::newRow("keep") << QStringLiteral("12.34") << int(R::Keep) << QStringLiteral("12.34");
    }
    void roundYuan() {
        QFETCH(QString, amount);
        QFETCH(int, mode);
        QFETCH(QString, expected);
        QCOMPARE(Money::parse(amount).roundYuan(Money::YuanRounding(mode)).toString(), expected);
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "tst_money.moc"
