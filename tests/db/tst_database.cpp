#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "core/inifile.h"
#include "db/patchupgrade.h"
#include "db/sqlquery.h"
#include "support/testhotel.h"

#include <QTemporaryDir>
#include <QTest>

class TestDatabase : public QObject {
    Q_OBJECT

    static void addCommand(const DbSession& patch, const QString& version, const QString& kind, const QString& sql) {
        SqlQuery(patch, QStringLiteral("insert into 命令表 (版本号,数据库,sql语句) values (:v,:k,:s)"))
            .bind(QStringLiteral("v"), version)
            .bind(QStringLiteral("k"), kind)
            .bind(QStringLiteral("s"), sql)
            .exec();
    }
    static void setStoredVersion(const DbSession& main, const QString& v) {
        main.exec(QStringLiteral("delete from 版本号"));
        SqlQuery(main, QStringLiteral("insert into 版本号 (版本号) values (:版本号)")).bind(QStringLiteral("版本号"), v).exec();
    }

private slots:
    void rewrite_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("chinese names") << QStringLiteral("select * from 酒店手牌表 where 手牌号=:手牌号 and 主牌=:主牌")
                                       << QStringLiteral("select * from 酒店手牌表 where 手牌号=? and 主牌=?")
                                       << QStringList{QStringLiteral("手牌号"), QStringLiteral("主牌")};
        QTest::newRow("repeated name") << QStringLiteral("update t set a=:x where b=:x")
                                       << QStringLiteral("update t set a=? where b=?")
                                       << QStringList{QStringLiteral("x"), QStringLiteral("x")};
        QTest::newRow("quoted colon") << QStringLiteral("select ':不是参数' , a from t where b=:b")
                                      << QStringLiteral("select ':不是参数' , a from t where b=?")
                                      << QStringList{QStringLiteral("b")};
        QTest::newRow("escaped quote") << QStringLiteral("select 'it''s :x' from t where c=:c")
                                       << QStringLiteral("select 'it''s :x' from t where c=?")
                                       << QStringList{QStringLiteral("c")};
        QTest::newRow("cast") << QStringLiteral("select a::text from t where d=:d")
                              << QStringLiteral("select a::text from t where d=?") << QStringList{QStringLiteral("d")};
        QTest::newRow("time literal") << QStringLiteral("select '12:30:00' from t") << QStringLiteral("select '12:30:00' from t")
                                      << QStringList{};
    }
    void rewrite() {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        QFETCH(QStringList, names);
        QStringList got;
        QCOMPARE(SqlQuery::rewrite(sql, &got), expected);
        QCOMPARE(got, names);
    }

    void valuesRoundTripExactly() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        const QString nasty = QStringLiteral("O'Brien'); drop table 酒店手牌表; --");
        const Money big = Money::fromRaw(900719925474099312LL); // beyond a double's exact range
        const QDateTime t(QDate(2026, 12, 11), QTime(23, 59, 58));
        SqlQuery(h.db(), QStringLiteral("insert into 酒店手牌表 (手牌号,主客姓名,押金,开单时间,使用状态) values (:房,:名,:押金,:时间,:状态)"))
            .bind(QStringLiteral("房"), QStringLiteral("8101"))
            .bind(QStringLiteral("名"), nasty)
            .bind(QStringLiteral("押金"), big)
            .bind(QStringLiteral("时间"), t)
            .bind(QStringLiteral("状态"), QStringLiteral("占用"))
            .exec();
        SqlQuery q(h.db(), QStringLiteral("select * from 酒店手牌表 where 主客姓名=:名"));
        q.bind(QStringLiteral("名"), nasty).exec();
        QVERIFY(q.next());
        QCOMPARE(q.text(QStringLiteral("主客姓名")), nasty);
        QCOMPARE(q.money(QStringLiteral("押金")), big);
        QCOMPARE(q.dateTime(QStringLiteral("开单时间")), t);
        QCOMPARE(q.text(QStringLiteral("开单时间")), QStringLiteral("2026-12-11 23:59:58"));
        QVERIFY(h.db().tableExists(QStringLiteral("酒店手牌表")));
    }

    void moneySumsStayExact() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        const char* amounts[] = {"0.0001", "12.3456", "99999999.9999", "-0.5"};
        Money expected;
        for (const char* a : amounts) {
            const Money m = Money::parse(QString::fromLatin1(a));
            expected += m;
            SqlQuery(h.db(), QStringLiteral("insert into 店内消费记录 (主牌,金额) values ('8101',:金额)")).bind(QStringLiteral("金额"), m).exec();
        }
        SqlQuery q(h.db(), QStringLiteral("select sum(金额) as s from 店内消费记录 where 主牌=:主牌"));
        q.bind(QStringLiteral("主牌"), QStringLiteral("8101")).exec();
        QVERIFY(q.next());
        QCOMPARE(q.money(QStringLiteral("s")).toString(), QStringLiteral("100000011.8456"));
        QCOMPARE(q.money(QStringLiteral("s")), expected);
    }

    void unboundOrUnknownParameterIsAnError() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        SqlQuery q(h.db(), QStringLiteral("select * from 酒店手牌表 where 手牌号=:手牌号"));
        QVERIFY_THROWS_EXCEPTION(HotelError, q.exec());
        QVERIFY_THROWS_EXCEPTION(HotelError, q.bind(QStringLiteral("主牌"), QStringLiteral("1")));
    }

    void billNumbersAreUnique() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        const QString ins = QStringLiteral("insert into 消费主表 (流水号,总流水号) values (:流水号,:总流水号)");
        SqlQuery(h.db(), ins).bind(QStringLiteral("流水号"), QStringLiteral("202612110001")).bind(QStringLiteral("总流水号"), 1).exec();
        QVERIFY_THROWS_EXCEPTION(HotelError, SqlQuery(h.db(), ins)
                                                 .bind(QStringLiteral("流水号"), QStringLiteral("202612110001"))
                                                 .bind(QStringLiteral("总流水号"), 2)
                                                 .exec());
        QVERIFY_THROWS_EXCEPTION(HotelError, SqlQuery(h.db(), ins)
                                                 .bind(QStringLiteral("流水号"), QStringLiteral("202612110002"))
                                                 .bind(QStringLiteral("总流水号"), 1)
                                                 .exec());
        QCOMPARE(h.scalar(QStringLiteral("select 交班完毕 from 消费主表")), QStringLiteral("否"));
    }

    void transactionRollsBackUnlessCommitted() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        {
            Transaction tx(h.db());
            h.db().exec(QStringLiteral("insert into 退菜原因 (退菜原因) values ('上错')"));
        }
        QCOMPARE(h.scalar(QStringLiteral("select count(*) from 退菜原因")), QStringLiteral("0"));
        {
            Transaction tx(h.db());
            h.db().exec(QStringLiteral("insert into 退菜原因 (退菜原因) values ('上错')"));
            tx.commit();
        }
        QCOMPARE(h.scalar(QStringLiteral("select count(*) from 退菜原因")), QStringLiteral("1"));
    }

    // Each row: stored version, commands "version|kind|marker" (the marker names a table the command creates),
    // the tables expected afterwards, the stored version expected afterwards.
    void patchUpgrade_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QStringList>("created");
        QTest::addColumn<QString>("after");
        const QString k = QStringLiteral("@"); // replaced by this engine's kind
        QTest::newRow("empty table counts as base") << QString() << QStringList{k + QStringLiteral("|200912070000|p1"), k + QStringLiteral("|201001010000|p2")}
                                                    << QStringList{QStringLiteral("p2")} << QStringLiteral("201001010000");
        QTest::newRow("lower exclusive upper inclusive")
            << QStringLiteral("201001010000")
            << QStringList{k + QStringLiteral("|201001010000|p1"), k + QStringLiteral("|201102030405|p2")}
            << QStringList{QStringLiteral("p2")} << QStringLiteral("201102030405");
        QTest::newRow("dots ignored") << QStringLiteral("2010.01.01.0000")
                                      << QStringList{k + QStringLiteral("|2010.01.01.0000|p1"), k + QStringLiteral("|2011.02.03.0405|p2")}
                                      << QStringList{QStringLiteral("p2")} << QStringLiteral("201102030405");
        QTest::newRow("other kind not run") << QString()
                                            << QStringList{QStringLiteral("other|201001010000|p1"), k + QStringLiteral("|201001010000|p2")}
                                            << QStringList{QStringLiteral("p2")} << QStringLiteral("201001010000");
        QTest::newRow("failing command skipped") << QString()
                                                 << QStringList{k + QStringLiteral("|201001010000|!"), k + QStringLiteral("|201001020000|p2")}
                                                 << QStringList{QStringLiteral("p2")} << QStringLiteral("201001020000");
        QTest::newRow("up to date runs nothing") << QStringLiteral("201001020000") << QStringList{k + QStringLiteral("|201001020000|p1")}
                                                 << QStringList{} << QStringLiteral("201001020000");
        QTest::newRow("no commands of this kind") << QStringLiteral("201001020000") << QStringList{QStringLiteral("other|201001030000|p1")}
                                                  << QStringList{} << QString();
    }
    void patchUpgrade() {
        HOTEL_REQUIRE_ENGINE();
        QFETCH(QString, stored);
        QFETCH(QStringList, commands);
        QFETCH(QStringList, created);
        QFETCH(QString, after);
        TestHotel h;
        setStoredVersion(h.db(), stored);
        const QString kind = h.db().patchKind();
        const QString otherKind = kind == QStringLiteral("sql") ? QStringLiteral("access") : QStringLiteral("sql");
        for (const QString& c : commands) {
            const QStringList f = c.split(u'|');
            const QString sql = f[2] == QStringLiteral("!") ? QStringLiteral("alter table 不存在的表 add column x text")
                                                            : QStringLiteral("create table %1 (x text)").arg(f[2]);
            addCommand(h.dm().patch(), f[1], f[0] == QStringLiteral("@") ? kind : otherKind, sql);
        }
        h.reopen(); // the upgrade runs when the data module opens
        for (const QString& p : {QStringLiteral("p1"), QStringLiteral("p2")})
            QCOMPARE(h.db().tableExists(p), created.contains(p));
        QCOMPARE(h.scalar(QStringLiteral("select 版本号 from 版本号")), after);
        // A second start finds the range empty.
        h.reopen();
        QCOMPARE(h.dm().upgrade().executed, 0);
    }

    void runModeFromKfIni_data() {
        QTest::addColumn<QByteArray>("kf");
        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("empty mode") << QByteArray("[运行模式]\r\n值=\r\n");
        QTest::newRow("other value") << QByteArray("[运行模式]\r\n值=单机\r\n");
        QTest::newRow("default") << QByteArray("[运行模式]\r\n值=default\r\n");
    }
    void runModeFromKfIni() {
        QFETCH(QByteArray, kf);
        QTemporaryDir dir;
        if (!kf.isEmpty()) {
            QFile f(dir.filePath(QStringLiteral("kf.ini")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(kf);
        }
        TDM dm(dir.path(), QStringLiteral("runmode"));
        QCOMPARE(AppSettings::instance().runMode, QStringLiteral("单机版"));
        QVERIFY(dm.main().isSqlite());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("mr.db"))));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("buding.db"))));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("temp.db"))));
    }

    void networkFailureIsReported() {
        QTemporaryDir dir;
        IniFile kf(dir.filePath(QStringLiteral("kf.ini")));
        kf.write(QStringLiteral("运行模式"), QStringLiteral("值"), QStringLiteral("网络版"));
        kf.write(QStringLiteral("服务器"), QStringLiteral("值"), dir.filePath(QStringLiteral("nosocket")) + QStringLiteral(":5999"));
        kf.write(QStringLiteral("用户名"), QStringLiteral("值"), QStringLiteral("nobody"));
        kf.write(QStringLiteral("数据库名"), QStringLiteral("值"), QStringLiteral("nodb"));
        bool failed = false;
        try {
            TDM dm(dir.path(), QStringLiteral("netfail"));
        } catch (const TDM::ConnectFailed& e) {
            failed = true;
            QVERIFY(!e.databaseText.isEmpty());
        }
        QVERIFY(failed);
        QCOMPARE(TDM::kConnectFailed, QStringLiteral("连接失败，请您先进行数据库设置！！"));
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
