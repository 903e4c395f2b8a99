#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "core/inifile.h"
#include "core/sixbit.h"
#include "core/textcodec.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsFiles : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString file(const QString& name) const { return m_dir.filePath(name); }
    void writeBytes(const QString& name, const QByteArray& bytes) {
        QFile f(file(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void sixBitExamples_data() {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QString>("coded");
        QTest::newRow("abc") << QByteArray("abc") << QStringLiteral("TRE_");
        QTest::newRow("ab") << QByteArray("ab") << QStringLiteral("TRD");
        QTest::newRow("a") << QByteArray("a") << QStringLiteral("TL");
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void sixBitExamples() {
        QFETCH(QByteArray, plain);
        QFETCH(QString, coded);
        QCOMPARE(SixBit::encode(plain), coded);
        QCOMPARE(SixBit::decode(coded), plain);
    }

    void sixBitRoundTripAndAlphabet() {
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all += char(i);
        const QString coded = SixBit::encode(all);
        for (QChar c : coded)
            QVERIFY(c.unicode() >= 60 && c.unicode() <= 123);
        QCOMPARE(SixBit::decode(coded), all);
        QCOMPARE(SixBit::decodeText(SixBit::encodeText(QStringLiteral("密码p@ss"))), QStringLiteral("密码p@ss"));
    }

    void sixBitCapsOutputAndCopiesLowCharacters() {
        QCOMPARE(SixBit::encode(QByteArray(9000, 'x')).size(), 10000);
        // A character below the alphabet is copied and restarts the grouping.
        QCOMPARE(SixBit::decode(QStringLiteral("TL1TL")), QByteArray("a1a"));
    }

    void defaultSemantics_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing file") << QByteArray() << QStringLiteral("四舍五入");
        QTest::newRow("missing key") << QByteArray("[计算精度]\r\n其他=取整\r\n") << QStringLiteral("四舍五入");
        QTest::newRow("literal default") << QByteArray("[计算精度]\r\n类型=default\r\n") << QStringLiteral("四舍五入");
        QTest::newRow("value") << QByteArray("[计算精度]\r\n类型=取整加一\r\n") << QStringLiteral("取整加一");
        QTest::newRow("empty value") << QByteArray("[计算精度]\r\n类型=\r\n") << QString();
    }
    void defaultSemantics() {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QFile::remove(file(QStringLiteral("sz.ini")));
        if (!content.isEmpty())
            writeBytes(QStringLiteral("sz.ini"), content);
        AppSettings s;
        s.loadSz(IniFile(file(QStringLiteral("sz.ini"))));
        QCOMPARE(s.roundingRule, expected);
        QCOMPARE(s.halfDayHour, QStringLiteral("14")); // untouched sections keep their defaults
    }

    void gbkFileIsReadAndWrittenBackAsGbk() {
        const QByteArray gbk = TextCodec::toGbk(QStringLiteral("[房费自动计算]\r\n类型=自动计算\r\n[起始天数]\r\n类型=1\r\n"));
        QVERIFY(!TextCodec::isValidUtf8(gbk));
        writeBytes(QStringLiteral("gbk.ini"), gbk);
        IniFile ini(file(QStringLiteral("gbk.ini")));
        QVERIFY(ini.isGbk());
        QCOMPARE(ini.setting(QStringLiteral("房费自动计算"), QStringLiteral("类型"), QString()), QStringLiteral("自动计算"));
        ini.write(QStringLiteral("脏台变空闲"), QStringLiteral("类型"), QStringLiteral("自动"));

        QFile f(file(QStringLiteral("gbk.ini")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray back = f.readAll();
        QVERIFY(!TextCodec::isValidUtf8(back));
        const QString text = TextCodec::fromGbk(back);
        QVERIFY(text.contains(QStringLiteral("[脏台变空闲]")));
        QVERIFY(text.contains(QStringLiteral("类型=自动计算")));
        IniFile again(file(QStringLiteral("gbk.ini")));
        QCOMPARE(again.setting(QStringLiteral("脏台变空闲"), QStringLiteral("类型"), QString()), QStringLiteral("自动"));
        QCOMPARE(again.setting(QStringLiteral("起始天数"), QStringLiteral("类型"), QString()), QStringLiteral("1"));
    }

    void newFileIsUtf8AndReplacesValues() {
        IniFile ini(file(QStringLiteral("new.ini")));
        QVERIFY(!ini.exists());
        ini.write(QStringLiteral("运行模式"), QStringLiteral("值"), QStringLiteral("网络版"));
        ini.write(QStringLiteral("运行模式"), QStringLiteral("值"), QStringLiteral("单机版"));
        QFile f(file(QStringLiteral("new.ini")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(TextCodec::isValidUtf8(bytes));
        QCOMPARE(bytes.count("运行模式"), 1);
        QCOMPARE(IniFile(file(QStringLiteral("new.ini"))).read(QStringLiteral("运行模式"), QStringLiteral("值")),
                 QStringLiteral("单机版"));
    }

    void unwritableFileIsAnError() {
        IniFile ini(QStringLiteral("/proc/no-such-dir/x.ini"));
        QVERIFY_THROWS_EXCEPTION(HotelError, ini.write(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
