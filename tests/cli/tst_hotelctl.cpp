#include "core/money.h"
#include "core/passwordhash.h"
#include "core/textcodec.h"
#include "db/sqlquery.h"
#include "support/testhotel.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

struct Run {
    int rc = -1;
    QString out, err;
    QStringList lines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
};

Run hotelctl(const QString& home, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(HOTELCTL_PATH),
            QStringList{QStringLiteral("--home"), home, QStringLiteral("--now"),
                        QStringLiteral("2025-03-10 14:00:00")} +
                args);
    if (!p.waitForFinished(120000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

Run sql(const QString& home, const QString& statement) {
    return hotelctl(home, {QStringLiteral("sql"), statement});
}

// One value of a one-row, one-column query through hotelctl.
QString scalar(const QString& home, const QString& statement) {
    const Run r = sql(home, statement);
    const QStringList lines = r.lines();
    return r.rc == 0 && lines.size() == 2 ? lines[1] : QStringLiteral("<%1 %2>").arg(r.rc).arg(r.err);
}

} // namespace

// A folder ready for `init`: on SQLite an empty folder, on the server the test cluster's new
// database named by the kf.ini that TestHotel writes (it holds no mr.db).
class NewHotel {
public:
    NewHotel() {
        if (TestHotel::usePostgres())
            m_hotel = std::make_unique<TestHotel>();
    }
    QString home() const { return m_hotel ? m_hotel->home() : m_dir.path(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TestHotel> m_hotel;
};

class TstHotelctl : public QObject {
    Q_OBJECT
private slots:
    void initDemoFillsTheHotel();
    void initTwiceRefuses();
    void sqlRefusesWrites_data();
    void sqlRefusesWrites();
    void sqlPrintsMoneyAndDates();
    void settingsShowsDefaultsAndEdits_data();
    void settingsShowsDefaultsAndEdits();
    void upgradeRunsPendingCommands();
};

void TstHotelctl::initDemoFillsTheHotel() {
    HOTEL_REQUIRE_ENGINE();
    NewHotel h;
    const Run init = hotelctl(h.home(), {QStringLiteral("init"), QStringLiteral("--demo")});
    QVERIFY2(init.rc == 0, qPrintable(init.err));
    QVERIFY(init.out.contains(QStringLiteral("房间\t40")));
    if (!TestHotel::usePostgres())
        QVERIFY(QFileInfo::exists(QDir(h.home()).filePath(QStringLiteral("mr.db"))));
    for (const char* ini : {"kf.ini", "sz.ini", "oem.ini"})
        QVERIFY2(QFileInfo::exists(QDir(h.home()).filePath(QString::fromLatin1(ini))), ini);
    // The demo hotel accrues room charges by itself; every other rule keeps its default.
    const Run settings = hotelctl(h.home(), {QStringLiteral("settings")});
    QVERIFY(settings.lines().contains(QStringLiteral("房费自动计算\t自动计算")));
    QVERIFY(settings.lines().contains(QStringLiteral("起始天数\t0.5")));

    const Run rooms = sql(h.home(), QStringLiteral("select * from 酒店手牌表 order by 手牌号"));
    QVERIFY2(rooms.rc == 0, qPrintable(rooms.err));
    const QStringList lines = rooms.lines();
    QCOMPARE(lines.size(), 41);
    const QStringList header = lines[0].split(u'\t');
    QCOMPARE(header[0], QStringLiteral("手牌号"));
    const int state = int(header.indexOf(QStringLiteral("使用状态")));
    const int deposit = int(header.indexOf(QStringLiteral("押金")));
    const int owner = int(header.indexOf(QStringLiteral("主牌")));
    QVERIFY(state > 0 && deposit > 0 && owner > 0);
    int idle = 0;
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList cells = lines[i].split(u'\t');
        QCOMPARE(cells.size(), header.size());
        QCOMPARE(cells[deposit], QStringLiteral("0")); // money in shortest form, not ten-thousandths
        QCOMPARE(cells[owner], QString());
        idle += cells[state] == QStringLiteral("空闲");
    }
    QVERIFY(idle >= 36 && idle < 40);

    const Run types =
        sql(h.home(), QStringLiteral("select 包房类型, 单价, 钟点房价 from 酒店包房类型 order by id"));
    QCOMPARE(types.lines().mid(1),
             (QStringList{QStringLiteral("标准间\t168\t30"), QStringLiteral("大床房\t198\t35"),
                          QStringLiteral("商务套房\t388\t60"), QStringLiteral("豪华套房\t588\t80")}));

    // Stock rows agree with themselves and with the catalogue.
    const Run stock =
        sql(h.home(), QStringLiteral("select s.项目名称, s.当前库存, s.单位成本, s.库存总额, i.成本, "
                                     "i.参与库存计算, s.库房名称 from 库存总表 s join 酒店服务项目 i "
                                     "on i.项目名称 = s.项目名称"));
    QVERIFY2(stock.rc == 0, qPrintable(stock.err));
    QVERIFY(stock.lines().size() > 10);
    for (const QString& line : stock.lines().mid(1)) {
        const QStringList c = line.split(u'\t');
        QCOMPARE(Money::parse(c[1]) * Money::parse(c[2]), Money::parse(c[3]));
        QCOMPARE(c[2], c[4]);
        QCOMPARE(c[5], QStringLiteral("是"));
        QCOMPARE(c[6], QStringLiteral("总库房"));
    }
    QCOMPARE(scalar(h.home(), QStringLiteral("select 库房名称 from 本机默认库房")), QStringLiteral("总库房"));
    QVERIFY(scalar(h.home(), QStringLiteral("select count(*) from 酒店服务项目")).toInt() >= 20);
    QCOMPARE(scalar(h.home(), QStringLiteral("select 项目拼音 from 酒店服务项目 where 项目名称='矿泉水'")),
             QStringLiteral("kqs"));
    QCOMPARE(scalar(h.home(), QStringLiteral("select 酒店名称 from 酒店设置")),
             QStringLiteral("悦来商务酒店"));
    QVERIFY(scalar(h.home(), QStringLiteral("select count(*) from 会员卡表")).toInt() >= 3);
    QCOMPARE(scalar(h.home(), QStringLiteral("select 折扣率 from 会员卡类型 where 会员卡类型='金卡'")),
             QStringLiteral("8.8"));

    const Run op = sql(h.home(), QStringLiteral("select 用户, 姓名, 权限, right1, right9, 密码 from 登陆"));
    QCOMPARE(op.lines().size(), 2);
    const QStringList c = op.lines()[1].split(u'\t');
    QCOMPARE(c.mid(0, 5), (QStringList{QStringLiteral("admin"), QStringLiteral("系统管理员"),
                                       QStringLiteral("管理员"), QString(47, u'1'), QString(47, u'1')}));
    QVERIFY(PasswordHash::isHash(c[5]));
    QVERIFY(PasswordHash::verify(QStringLiteral("admin"), c[5]));

    // Every template of the source tree is in the folder under its own name.
    const QDir reports(QStringLiteral(HOTEL_SOURCE_DIR "/reports"));
    for (const QString& f : reports.entryList(QDir::Files))
        QVERIFY2(QFileInfo::exists(QDir(h.home()).filePath(f)), qPrintable(f));
}

void TstHotelctl::initTwiceRefuses() {
    HOTEL_REQUIRE_ENGINE();
    NewHotel h;
    QCOMPARE(hotelctl(h.home(), {QStringLiteral("init")}).rc, 0);
    const Run again = hotelctl(h.home(), {QStringLiteral("init"), QStringLiteral("--demo")});
    QCOMPARE(again.rc, 1);
    QVERIFY2(again.err.contains(QStringLiteral("不能再次初始化")), qPrintable(again.err));
    QCOMPARE(scalar(h.home(), QStringLiteral("select count(*) from 登陆")), QStringLiteral("1"));
    QCOMPARE(scalar(h.home(), QStringLiteral("select count(*) from 酒店手牌表")), QStringLiteral("0"));
}

void TstHotelctl::sqlRefusesWrites_data() {
    QTest::addColumn<QString>("statement");
    QTest::newRow("insert") << QStringLiteral("insert into 登陆 (用户) values ('x')");
    QTest::newRow("update") << QStringLiteral("update 酒店手牌表 set 使用状态='占用'");
    QTest::newRow("delete") << QStringLiteral("delete from 酒店手牌表");
    QTest::newRow("drop") << QStringLiteral("drop table 登陆");
    QTest::newRow("create") << QStringLiteral("create table x (a int)");
    QTest::newRow("two statements") << QStringLiteral("select 1; delete from 酒店手牌表");
    QTest::newRow("with delete") << QStringLiteral("with x as (select 1) delete from 酒店手牌表");
    QTest::newRow("with update") << QStringLiteral(
        "WITH x AS (SELECT 1) UPDATE 酒店手牌表 SET 使用状态='停用'");
    QTest::newRow("leading space") << QStringLiteral("   DELETE from 登陆");
    QTest::newRow("empty") << QStringLiteral(" ; ");
}

void TstHotelctl::sqlRefusesWrites() {
    HOTEL_REQUIRE_ENGINE();
    QFETCH(QString, statement);
    NewHotel h;
    QCOMPARE(hotelctl(h.home(), {QStringLiteral("init"), QStringLiteral("--demo")}).rc, 0);
    const QString before =
        sql(h.home(), QStringLiteral("select 手牌号, 使用状态 from 酒店手牌表 order by 手牌号")).out;
    const Run r = sql(h.home(), statement);
    QCOMPARE(r.rc, 1);
    QVERIFY(!r.err.trimmed().isEmpty());
    QCOMPARE(r.out, QString());
    QCOMPARE(sql(h.home(), QStringLiteral("select 手牌号, 使用状态 from 酒店手牌表 order by 手牌号")).out,
             before);
    QCOMPARE(scalar(h.home(), QStringLiteral("select count(*) from 登陆")), QStringLiteral("1"));
    // A trailing semicolon is still one statement.
    QCOMPARE(scalar(h.home(), QStringLiteral("select count(*) from 酒店手牌表;")), QStringLiteral("40"));
}

void TstHotelctl::sqlPrintsMoneyAndDates() {
    HOTEL_REQUIRE_ENGINE();
    NewHotel h;
    QCOMPARE(hotelctl(h.home(), {QStringLiteral("init"), QStringLiteral("--demo")}).rc, 0);
    const Run rows =
        sql(h.home(), QStringLiteral("select 项目名称, 单位成本, 库存总额 from 库存总表 order by 项目名称"));
    Money total, dearest;
    bool sawFraction = false;
    for (const QString& line : rows.lines().mid(1)) {
        const QStringList c = line.split(u'\t');
        total += Money::parse(c[2]);
        dearest = std::max(dearest, Money::parse(c[1]));
        QCOMPARE(Money::parse(c[1]).toString(), c[1]); // already the shortest form
        sawFraction = sawFraction || c[1].contains(u'.');
    }
    QVERIFY(sawFraction);
    QCOMPARE(scalar(h.home(), QStringLiteral("select sum(库存总额) as 库存总额 from 库存总表")),
             total.toString());
    QCOMPARE(scalar(h.home(), QStringLiteral("select sum(库存总额) from 库存总表")), total.toString());
    QCOMPARE(
        sql(h.home(), QStringLiteral("select count(*) as n, max(s.单位成本), sum(库存总额) from 库存总表 s"))
            .lines()
            .value(1),
        QStringLiteral("%1\t%2\t%3").arg(rows.lines().size() - 1).arg(dearest.toString(), total.toString()));
    // The dirty room was checked out a quarter of an hour before --now.
    QCOMPARE(scalar(h.home(), QStringLiteral("select 结账时间 from 酒店手牌表 where 使用状态='脏台'")),
             QStringLiteral("2025-03-10 13:45:00"));
    // A text column that shares a money column's name elsewhere stays as stored.
    QCOMPARE(scalar(h.home(), QStringLiteral("select '120.5' as 金额 from 酒店设置")),
             QStringLiteral("120.5"));
    const Run bad = sql(h.home(), QStringLiteral("select * from 没有这个表"));
    QCOMPARE(bad.rc, 1);
    QVERIFY(!bad.err.isEmpty());
}

void TstHotelctl::settingsShowsDefaultsAndEdits_data() {
    QTest::addColumn<bool>("gbk");
    QTest::newRow("utf-8") << false;
    QTest::newRow("gbk") << true;
}

void TstHotelctl::settingsShowsDefaultsAndEdits() {
    HOTEL_REQUIRE_ENGINE();
    QFETCH(bool, gbk);
    TestHotel th;
    Run r = hotelctl(th.home(), {QStringLiteral("settings")});
    QVERIFY2(r.rc == 0, qPrintable(r.err));
    QStringList lines = r.lines();
    QCOMPARE(lines.first(), QStringLiteral("名称\t值"));
    QVERIFY(lines.contains(QStringLiteral("计算精度\t四舍五入")));
    QVERIFY(lines.contains(QStringLiteral("房费自动计算\t不自动计算")));
    QVERIFY(lines.contains(QStringLiteral("脏台变空闲时间\t20")));
    QVERIFY(lines.contains(QStringLiteral("程序简称\tQelvar")));
    QVERIFY(lines.contains(TestHotel::usePostgres() ? QStringLiteral("运行模式\t网络版")
                                                    : QStringLiteral("运行模式\t单机版")));

    const QString text = QStringLiteral("[计算精度]\r\n类型=取整加一\r\n[起始天数]\r\n类型=default\r\n"
                                        "[脏台变空闲]\r\n类型=自动\r\n[自动备份路径]\r\n类型=D:\\备份\r\n");
    th.writeFile(QStringLiteral("sz.ini"), gbk ? TextCodec::toGbk(text) : text.toUtf8());
    th.writeFile(QStringLiteral("oem.ini"),
                 gbk ? TextCodec::toGbk(QStringLiteral("[程序简称]\r\n类型=悦来\r\n"))
                     : QByteArray("[程序简称]\r\n类型=default\r\n"));
    r = hotelctl(th.home(), {QStringLiteral("settings")});
    QVERIFY2(r.rc == 0, qPrintable(r.err));
    lines = r.lines();
    QVERIFY(lines.contains(QStringLiteral("计算精度\t取整加一")));
    QVERIFY(lines.contains(QStringLiteral("起始天数\t0.5")));
    QVERIFY(lines.contains(QStringLiteral("脏台变空闲\t自动")));
    QVERIFY(lines.contains(QStringLiteral("自动备份路径\tD:\\备份")));
    QVERIFY(lines.contains(QStringLiteral("计算过程\t金额折扣处理")));
    QVERIFY(lines.contains(gbk ? QStringLiteral("程序简称\t悦来") : QStringLiteral("程序简称\tQelvar")));
}

void TstHotelctl::upgradeRunsPendingCommands() {
    HOTEL_REQUIRE_ENGINE();
    TestHotel th;
    const QString kind = th.db().patchKind();
    const QString other = kind == QStringLiteral("sql") ? QStringLiteral("access") : QStringLiteral("sql");
    struct Cmd {
        QString version, kind, sql;
    };
    const QList<Cmd> cmds = {
        {QStringLiteral("2010.01.01.0930"), kind, QStringLiteral("update 酒店设置 set 酒店名称='补丁酒店'")},
        {QStringLiteral("201002010000"), kind, QStringLiteral("update 不存在的表 set a=1")},
        {QStringLiteral("201003010000"), kind,
         QStringLiteral("insert into 退菜原因 (退菜原因) values ('补丁原因')")},
        {QStringLiteral("209901010000"), other, QStringLiteral("delete from 酒店设置")},
    };
    for (const Cmd& c : cmds) {
        SqlQuery q(th.dm().patch(),
                   QStringLiteral("insert into 命令表 (版本号,数据库,sql语句) values (:v,:k,:s)"));
        q.bind(QStringLiteral("v"), c.version)
            .bind(QStringLiteral("k"), c.kind)
            .bind(QStringLiteral("s"), c.sql)
            .exec();
    }
    Run r = hotelctl(th.home(), {QStringLiteral("upgrade")});
    QVERIFY2(r.rc == 0, qPrintable(r.err));
    QCOMPARE(r.lines(), (QStringList{QStringLiteral("原版本\t目标版本\t执行\t失败"),
                                     QStringLiteral("200912070000\t201003010000\t2\t1")}));
    QCOMPARE(scalar(th.home(), QStringLiteral("select 酒店名称 from 酒店设置")), QStringLiteral("补丁酒店"));
    QCOMPARE(scalar(th.home(), QStringLiteral("select count(*) from 退菜原因")), QStringLiteral("1"));
    r = hotelctl(th.home(), {QStringLiteral("upgrade")});
    QCOMPARE(r.lines().value(1), QStringLiteral("201003010000\t201003010000\t0\t0"));
    QCOMPARE(scalar(th.home(), QStringLiteral("select count(*) from 退菜原因")), QStringLiteral("1"));
}

QTEST_MAIN(TstHotelctl)
#include "tst_hotelctl.moc"
