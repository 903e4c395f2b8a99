#include "support/testhotel.h"

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

QStringList words(const char* const* list, int n) {
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << QString::fromUtf8(list[i]);
    return out;
}

} // namespace

// A demo hotel made by `init --demo`: a plain folder on SQLite, a network-mode kf.ini naming a
// new database of the test cluster on the server.
class DemoHotel {
public:
    DemoHotel() {
        if (TestHotel::usePostgres())
            m_hotel = std::make_unique<TestHotel>();
        const Run init = hotelctl(home(), {QStringLiteral("init"), QStringLiteral("--demo")});
        m_ok = init.rc == 0;
        m_err = init.err;
    }
    QString home() const { return m_hotel ? m_hotel->home() : m_dir.path(); }
    bool ok() const { return m_ok; }
    const QString& err() const { return m_err; }
    Run run(const QStringList& args) const { return hotelctl(home(), args); }
    // What the stay commands may change, as printed by `sql`.
    QString state() const {
        QString out;
        for (const char* q :
             {"select * from 酒店手牌表 order by 手牌号", "select * from 店内消费记录 order by ID",
              "select 库房名称,项目名称,当前库存,库存总额 from 库存总表 order by 库房名称,项目名称",
              "select * from 预定信息 order by 1", "select * from 退菜原因 order by 1"}) {
            const Run r = run({QStringLiteral("sql"), QString::fromUtf8(q)});
            out += r.rc == 0 ? r.out : QStringLiteral("<failed %1>").arg(r.err);
        }
        return out;
    }
    QString stock(const QString& item) const {
        const Run r =
            run({QStringLiteral("sql"),
                 QStringLiteral("select sum(当前库存) from 库存总表 where 项目名称='%1'").arg(item)});
        return r.lines().value(1);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TestHotel> m_hotel;
    bool m_ok = false;
    QString m_err;
};

#define DEMO_HOTEL(h)                                                                                        \
    HOTEL_REQUIRE_ENGINE();                                                                                  \
    DemoHotel h;                                                                                             \
    QVERIFY2(h.ok(), qPrintable(h.err()))

#define RUN_OK(var, h, ...)                                                                                  \
    const Run var = h.run(__VA_ARGS__);                                                                      \
    QVERIFY2(var.rc == 0, qPrintable(var.err));                                                              \
    QVERIFY(var.err.isEmpty())

class TstFrontDeskCli : public QObject {
    Q_OBJECT
private slots:
    void stayFromCheckInToReservation();
    void failuresWriteNothing_data();
    void failuresWriteNothing();
};

// A group check-in, a charge with its stock, the lines closed and one returned, a deposit
// top-up and a reservation, each checked in the command's own output.
void TstFrontDeskCli::stayFromCheckInToReservation() {
    DEMO_HOTEL(h);
    RUN_OK(in, h,
           {QStringLiteral("checkin"), QStringLiteral("101"), QStringLiteral("--group"),
            QStringLiteral("102"), QStringLiteral("--deposit"), QStringLiteral("500"),
            QStringLiteral("--guest"), QStringLiteral("张三")});
    QCOMPARE(in.lines(),
             (QStringList{QStringLiteral(
                              "手牌号\t主牌\t使用状态\t押金\t房费打折\t应收房费单价\t实收房费单价\t开单时间"),
                          QStringLiteral("101\t101\t占用\t500\t1\t168\t168\t2025-03-10 14:00:00"),
                          QStringLiteral("102\t101\t占用\t0\t1\t168\t168\t2025-03-10 14:00:00")}));

    const QString cola = QStringLiteral("可口可乐");
    const QString stockBefore = h.stock(cola);
    QVERIFY(!stockBefore.isEmpty());
    RUN_OK(add, h, {QStringLiteral("add"), QStringLiteral("102"), cola, QStringLiteral("3")});
    QCOMPARE(add.lines().size(), 2);
    QStringList row = add.lines()[1].split(u'\t');
    const QString id = row.takeFirst();
    QCOMPARE(row, (QStringList{QStringLiteral("102"), QStringLiteral("101"), cola, QStringLiteral("5"),
                               QStringLiteral("3"), QStringLiteral("15"), QString(), QStringLiteral("是")}));
    QCOMPARE(h.stock(cola).toInt(), stockBefore.toInt() - 3);

    // New until closed, then old; the room's own lines only.
    RUN_OK(open, h, {QStringLiteral("lines"), QStringLiteral("102")});
    QVERIFY(open.out.contains(
        id + QStringLiteral("\t102\t101\t可口可乐\t5\t3\t15\t\t2025-03-10 14:00:00\t否\t\n")));
    RUN_OK(closed, h, {QStringLiteral("lines"), QStringLiteral("102"), QStringLiteral("--close")});
    for (const QString& l : closed.lines().mid(1)) {
        QVERIFY2(l.startsWith(QStringLiteral("%1\t102\t").arg(l.section(u'\t', 0, 0))), qPrintable(l));
        QVERIFY2(l.endsWith(QStringLiteral("\t老单")), qPrintable(l));
    }

    RUN_OK(ret, h,
           {QStringLiteral("return"), QStringLiteral("102"), id, QStringLiteral("1"),
            QStringLiteral("--reason"), QStringLiteral("客人不要")});
    QVERIFY2(ret.out.contains(QStringLiteral("\t102\t101\t可口可乐\t5\t-1\t-5\t退菜\t客人不要\t")),
             qPrintable(ret.out));
    QVERIFY(ret.out.contains(id + QStringLiteral("\t102\t101\t可口可乐\t5\t3\t15\t否\t\t老单")));
    QCOMPARE(h.stock(cola).toInt(), stockBefore.toInt() - 2);

    RUN_OK(dep, h, {QStringLiteral("deposit"), QStringLiteral("101"), QStringLiteral("200.5")});
    QCOMPARE(dep.lines(),
             (QStringList{QStringLiteral("手牌号\t续交押金\t押金"), QStringLiteral("101\t200.5\t700.5")}));

    RUN_OK(res, h,
           {QStringLiteral("reserve"), QStringLiteral("110"), QStringLiteral("--name"),
            QStringLiteral("李四"), QStringLiteral("--phone"), QStringLiteral("13900000000"),
            QStringLiteral("--arrive"), QStringLiteral("2025-03-11 18:00"), QStringLiteral("--hold"),
            QStringLiteral("2025-03-11 20:00"), QStringLiteral("--guests"), QStringLiteral("2")});
    QCOMPARE(res.lines().size(), 2);
    QVERIFY(res.lines()[1].endsWith(QStringLiteral("\t110\t预定")));
    // The range runs from the start of the first day to the start of the second.
    RUN_OK(list, h,
           {QStringLiteral("reserve"), QStringLiteral("--list"), QStringLiteral("--from"),
            QStringLiteral("2025-03-11"), QStringLiteral("--to"), QStringLiteral("2025-03-12")});
    QCOMPARE(list.lines().size(), 2);
    QVERIFY2(list.lines()[1].contains(
                 QStringLiteral("\t110\t李四\t13900000000\t2\t2025-03-11 18:00:00\t2025-03-11 20:00:00\t")),
             qPrintable(list.out));
    RUN_OK(none, h,
           {QStringLiteral("reserve"), QStringLiteral("--list"), QStringLiteral("--from"),
            QStringLiteral("2025-03-12"), QStringLiteral("--to"), QStringLiteral("2025-03-13")});
    QCOMPARE(none.lines().size(), 1);
}

// A refused command exits 1, says why on stderr, prints nothing and leaves the data as it was.
void TstFrontDeskCli::failuresWriteNothing_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    auto row = [](const char* tag, std::initializer_list<const char*> args, const char* message) {
        const std::vector<const char*> v(args);
        QTest::newRow(tag) << words(v.data(), int(v.size())) << QString::fromUtf8(message);
    };
    row("unknown item", {"add", "102", "没有的东西", "1"}, "没有该服务项目：没有的东西");
    row("quantity letters", {"add", "102", "可口可乐", "abc"}, "消费数量必须是数字：abc");
    row("price letters", {"add", "102", "可口可乐", "1", "--price", "x"}, "单价必须是数字：x");
    row("idle room", {"add", "105", "可口可乐", "1"}, "该手牌目前状态为：空闲，无法增加消费");
    row("occupied again", {"checkin", "101"}, "房间101：该手牌目前状态为：占用，无法开手牌");
    row("deposit letters", {"checkin", "103", "--deposit", "abc"}, "押金必须是数字：abc");
    row("group with unknown room", {"checkin", "103", "--group", "104,999"}, "对不起，没有找到该房间号");
    row("top-up letters", {"deposit", "101", "abc"}, "续交押金必须是数字：abc");
    row("return quantity letters", {"return", "102", "LINE", "abc", "--reason", "x"},
        "退单数量必须是数字：abc");
    row("return of another room", {"return", "101", "LINE", "1", "--reason", "x"}, "该消费记录不属于房间101");
    row("arrival not a time",
        {"reserve", "110", "--name", "a", "--phone", "1", "--arrive", "bad", "--hold", "2025-03-11 20:00"},
        "预抵时间不是日期时间：bad");
}

void TstFrontDeskCli::failuresWriteNothing() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    DEMO_HOTEL(h);
    RUN_OK(
        in, h,
        {QStringLiteral("checkin"), QStringLiteral("101"), QStringLiteral("--group"), QStringLiteral("102")});
    RUN_OK(add, h,
           {QStringLiteral("add"), QStringLiteral("102"), QStringLiteral("可口可乐"), QStringLiteral("2")});
    RUN_OK(close, h, {QStringLiteral("lines"), QStringLiteral("102"), QStringLiteral("--close")});
    args.replaceInStrings(QStringLiteral("LINE"), add.lines().value(1).section(u'\t', 0, 0));

    const QString before = h.state();
    QVERIFY2(!before.contains(QStringLiteral("<failed")), qPrintable(before));
    QVERIFY(before.contains(QStringLiteral("\t可口可乐\t")));
    const Run r = h.run(args);
    QCOMPARE(r.rc, 1);
    QCOMPARE(r.err.trimmed(), message);
    QCOMPARE(r.out, QString());
    QCOMPARE(h.state(), before);
}

QTEST_MAIN(TstFrontDeskCli)
#include "tst_frontdeskcli.moc"
