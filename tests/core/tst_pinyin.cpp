#include "core/pinyin.h"

#include <QTest>

class TestPinyin : public QObject {
    Q_OBJECT
private slots:
    void abbreviation_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("standard room") << QStringLiteral("标准间") << QStringLiteral("bzj");
        QTest::newRow("latin and digits kept") << QStringLiteral("VIP套房2") << QStringLiteral("viptf2");
        QTest::newRow("space dropped") << QStringLiteral("可乐 500ml") << QStringLiteral("kl500ml");
        QTest::newRow("long stay reads chang") << QStringLiteral("长住房") << QStringLiteral("czf");
        QTest::newRow("mineral water") << QStringLiteral("矿泉水") << QStringLiteral("kqs");
        QTest::newRow("full-width letters") << QStringLiteral("ＡＢ啤酒１") << QStringLiteral("abpj1");
        QTest::newRow("circled numerals") << QStringLiteral("套餐①⑿") << QStringLiteral("tc11");
        QTest::newRow("roman numeral twelve") << QStringLiteral("Ⅻ号") << QStringLiteral("1h");
        QTest::newRow("greek") << QStringLiteral("αβγΩ") << QStringLiteral("abgo");
        QTest::newRow("punctuation dropped") << QStringLiteral("红茶（大）-500") << QStringLiteral("hcd500");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("twenty-five characters give twenty")
            << QStringLiteral("一二三四五六七八九十一二三四五六七八九十一二三四五")
            << QStringLiteral("yesswlqbjsyesswlqbjs");
    }
    void abbreviation() {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(Pinyin::abbreviation(name), expected);
    }
};

QTEST_GUILESS_MAIN(TestPinyin)
#include "tst_pinyin.moc"
