#include "basedata/hotelsetup.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "db/sqlquery.h"
#include "frontdesk/checkinservice.h"
#include "frontdesk/consumptionservice.h"
#include "frontdesk/depositservice.h"
#include "frontdesk/reservationservice.h"
#include "frontdesk/returnsservice.h"
#include "support/testhotel.h"

#include <QTest>
#include <future>
#include <memory>
#include <thread>

namespace {

const QDateTime kNow(QDate(2025, 3, 10), QTime(14, 0));

Money m(const char* text) {
    return Money::parse(QString::fromUtf8(text));
}

// A demo hotel (rooms 101-410, 标准间 168 / 30 an hour, stock-kept drinks) on the engine under test.
struct Demo {
    TestHotel hotel;
    Demo(bool automatic = true) {
        Clock::instance().fix(kNow);
        {
            Transaction tx(hotel.db());
            HotelSetup::writeBasics(hotel.db(), HotelSetup::kDemoHotelName);
            HotelSetup::seedDemo(hotel.db(), kNow);
            tx.commit();
        }
        AppSettings& s = AppSettings::instance();
        s = AppSettings();
        s.operatorName = QStringLiteral("admin");
        s.defaultWarehouse = HotelSetup::kDefaultWarehouse;
        s.roomChargeMode = automatic ? QStringLiteral("自动计算") : QStringLiteral("不自动计算");
        s.minimumDays = QStringLiteral("1");
        s.hourlyMinimumHours = QStringLiteral("3");
        s.hotelName = HotelSetup::kDemoHotelName;
    }
    const DbSession& db() const { return hotel.db(); }
    CheckInService checkIn() {
        return CheckInService(db(), hotel.dm().scratch(), AppSettings::instance(), Clock::instance());
    }
    ConsumptionService consumption() const {
        return ConsumptionService(db(), AppSettings::instance(), Clock::instance());
    }
    ReturnsService returns() const {
        return ReturnsService(db(), AppSettings::instance(), Clock::instance());
    }
    // "state main deposit ratio list paid" of a room.
    QString room(const QString& no) const {
        SqlQuery q(db(), QStringLiteral(
                             "select 使用状态,主牌,押金,房费打折,应收房费单价,实收房费单价 from 酒店手牌表 "
                             "where 手牌号=:手牌号"));
        q.bind(QStringLiteral("手牌号"), no).exec();
        if (!q.next())
            return QStringLiteral("-");
        return QStringList{q.text(0),
                           q.text(1),
                           q.money(2).toString(),
                           Money::fromDouble(q.number(QStringLiteral("房费打折"))).toString(),
                           q.money(4).toString(),
                           q.money(5).toString()}
            .join(u' ');
    }
    // "room main item price quantity amount" of every open line, in order.
    QStringList lines() const {
        SqlQuery q(db(), QStringLiteral(
                             "select 手牌号,主牌,消费项目,单价,消费数量,金额 from 店内消费记录 order by ID"));
        q.exec();
        QStringList out;
        while (q.next())
            out << QStringList{q.text(0),
                               q.text(1),
                               q.text(2),
                               q.money(3).toString(),
                               q.money(4).toString(),
                               q.money(5).toString()}
                       .join(u' ');
        return out;
    }
    QString stock(const QString& goods) const {
        SqlQuery q(db(), QStringLiteral(
                             "select 当前库存,库存总额 from 库存总表 where 项目名称=:名 and 库房名称=:库"));
        q.bind(QStringLiteral("名"), goods).bind(QStringLiteral("库"), HotelSetup::kDefaultWarehouse).exec();
        return q.next() ? q.money(0).toString() + u' ' + q.money(1).toString() : QStringLiteral("-");
    }
    QString scalar(const QString& sql) const { return hotel.scalar(sql); }
    void setMainRoom(const QString& no, const QString& mainRoom) const {
        SqlQuery(db(), QStringLiteral("update 酒店手牌表 set 主牌=:主牌 where 手牌号=:手牌号"))
            .bind(QStringLiteral("主牌"), mainRoom)
            .bind(QStringLiteral("手牌号"), no)
            .exec();
    }
    // Checks a room in alone, day rate, and marks its lines old.
    void occupy(const QString& no) {
        CheckInService::Input in;
        in.room = no;
        checkIn().checkIn(in, {});
    }
};

// The test server's parameters for a second connection to the demo's database.
DbSession::ServerParams serverParams(const Demo& d) {
    DbSession::ServerParams p;
    p.host = qEnvironmentVariable("HOTEL_TEST_PGHOST");
    p.port = qEnvironmentVariableIntValue("HOTEL_TEST_PGPORT");
    p.user = qEnvironmentVariable("HOTEL_TEST_PGUSER", QStringLiteral("postgres"));
    p.database = d.scalar(QStringLiteral("select current_database()"));
    return p;
}

CheckInService::Input input(const QString& room) {
    CheckInService::Input in;
    in.room = room;
    in.guest.name = QStringLiteral("张三");
    in.guest.guests = QStringLiteral("2");
    in.guest.idNumber = QStringLiteral("330106199001010011");
    return in;
}

} // namespace

class TestFrontDeskServices : public QObject {
    Q_OBJECT
private slots:
    void priceAndRatio_data();
    void priceAndRatio();
    void singleDayCheckIn_data();
    void singleDayCheckIn();
    void noLinesWhenChargesAreManual();
    void groupOfThree();
    void hourlyCheckIn();
    void modifyMode();
    void modifyKeepsChangesMadeMeanwhile();
    void modifyKeepsAWalkOutCommittedWhileItWaits();
    void invalidFieldsWriteNothing_data();
    void invalidFieldsWriteNothing();
    void takenGroupRoomRollsBackEverything();
    void memberLookups_data();
    void memberLookups();
    void regionLookup();
    void groupScratchRatioAndPrice();
    void addToGroupRoomIssuesStock();
    void addRules_data();
    void addRules();
    void addToReservedRoomOccupiesIt();
    void addUsesTheStoredMainRoom_data();
    void addUsesTheStoredMainRoom();
    void linesWaitForARoomLockedBySettlement();
    void priceEditAndGiveAway();
    void returnOfAGivenAwayLineRefundsNothing();
    void returnOldLineAndDeleteNewLine();
    void returnRoomFeeAndRefusals();
    void returnsCannotExceedWhatIsLeft_data();
    void returnsCannotExceedWhatIsLeft();
    void identicalLinesShareTheirReturns();
    void settledReturnsByDay();
    void depositTopUp();
    void depositRefusals_data();
    void depositRefusals();
    void reservationQueryCancel();
};

void TestFrontDeskServices::priceAndRatio_data() {
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("price");
    QTest::newRow("180 at 0.8") << "180"
                                << "0.8"
                                << "144";
    QTest::newRow("150 at 0.85 rounds to even") << "150"
                                                << "0.85"
                                                << "128";
    QTest::newRow("168 at 0.8") << "168"
                                << "0.8"
                                << "134";
}

void TestFrontDeskServices::priceAndRatio() {
    QFETCH(QString, preset);
    QFETCH(QString, ratio);
    QFETCH(QString, price);
    QCOMPARE(CheckInService::priceFromRatio(Money::parse(preset), Money::parse(ratio)).toString(), price);
    QCOMPARE(CheckInService::ratioFromPrice(m("120"), m("150"))->toString(), QStringLiteral("0.8"));
    QVERIFY(!CheckInService::ratioFromPrice(m("120"), Money()).has_value());
}

void TestFrontDeskServices::singleDayCheckIn_data() {
    QTest::addColumn<QString>("startDays");
    QTest::addColumn<QString>("line");
    QTest::newRow("one day") << "1"
                             << "101 101 房费 134 1 134";
    QTest::newRow("half a day") << "0.5"
                                << "101 101 房费 134 0.5 67";
}

void TestFrontDeskServices::singleDayCheckIn() {
    HOTEL_REQUIRE_ENGINE();
    QFETCH(QString, startDays);
    QFETCH(QString, line);
    Demo d;
    AppSettings::instance().minimumDays = startDays;
    CheckInService::Input in = input(QStringLiteral("101"));
    in.ratio = QStringLiteral("0.8");
    in.deposit = QStringLiteral("200");
    const CheckInService::Result r = d.checkIn().checkIn(in, {});
    QCOMPARE(r.title, QStringLiteral("101"));
    QCOMPARE(d.room(QStringLiteral("101")), QStringLiteral("占用 101 200 0.8 168 134"));
    QCOMPARE(d.lines(), QStringList{line});
    QCOMPARE(d.scalar(QStringLiteral("select 消费时间 from 店内消费记录")),
             QStringLiteral("2025-03-10 14:00:00"));
    QCOMPARE(d.scalar(QStringLiteral("select 开单时间 from 酒店手牌表 where 手牌号='101'")),
             QStringLiteral("2025-03-10 14:00:00"));
    QCOMPARE(d.scalar(QStringLiteral("select 开单员 from 酒店手牌表 where 手牌号='101'")),
             QStringLiteral("admin"));
    QCOMPARE(d.scalar(QStringLiteral("select 主客姓名 from 酒店手牌表 where 手牌号='101'")),
             QStringLiteral("张三"));
    QCOMPARE(d.scalar(QStringLiteral("select 退菜 || 参与打折 || 操作员 from 店内消费记录")),
             QStringLiteral("否是admin"));
    const ReportData rd =
        CheckInService::receipt(AppSettings::instance(), r.title, in.deposit, r.at, in.guest.idNumber);
    QCOMPARE(rd.variable(QStringLiteral("押金金额")), QStringLiteral("200"));
    QCOMPARE(rd.variable(QStringLiteral("开单时间")), QStringLiteral("2025-03-10 14:00:00"));
    QCOMPARE(rd.variable(QStringLiteral("酒店名称")), HotelSetup::kDemoHotelName);
}

void TestFrontDeskServices::noLinesWhenChargesAreManual() {
    HOTEL_REQUIRE_ENGINE();
    Demo d(false);
    d.checkIn().checkIn(input(QStringLiteral("101")), {});
    QCOMPARE(d.room(QStringLiteral("101")), QStringLiteral("占用 101 0 1 168 168"));
    QVERIFY(d.lines().isEmpty());
}

void TestFrontDeskServices::groupOfThree() {
    HOTEL_REQUIRE_ENGINE();
    Demo d;
    CheckInService svc = d.checkIn();
    svc.clearGroup();
    svc.addToGroup(QStringLiteral("102"));
    svc.addToGroup(QStringLiteral("107")); // 大床房 198
    svc.setGroupRatio(QStringLiteral("107"), QStringLiteral("0.5"));
    CheckInService::Input in = input(QStringLiteral("101"));
    in.deposit = QStringLiteral("500");
    const CheckInService::Result r = svc.checkIn(in, svc.group());
    QCOMPARE(r.title, QStringLiteral("101，其他客房：102;107;"));
    QCOMPARE(d.room(QStringLiteral("101")), QStringLiteral("占用 101 500 1 168 168"));
    QCOMPARE(d.room(QStringLiteral("102")), QStringLiteral("占用 101 0 1 168 168"));
    QCOMPARE(d.room(QStringLiteral("107")), QStringLiteral("占用 101 0 0.5 198 99"));
    QCOMPARE(d.lines(),
             (QStringList{QStringLiteral("101 101 房费 168 1 168"), QStringLiteral("102 101 房费 168 1 168"),
                          QStringLiteral("107 101 房费 99 1 99")}));
    QCOMPARE(d.scalar(QStringLiteral("select 主客姓名 from 酒店手牌表 where 手牌号='107'")),
             QStringLiteral("张三"));
}

void TestFrontDeskServices::hourlyCheckIn() {
    HOTEL_REQUIRE_ENGINE();
    Demo d;
    CheckInService::Input in = input(QStringLiteral("101"));
    in.hourly = true;
    in.ratio = QStringLiteral("0.8"); // ignored: an hourly room pays the type's hourly price
    d.checkIn().checkIn(in, {});
    QCOMPARE(d.room(QStringLiteral("101")), QStringLiteral("钟点房 101 0 1 30 30"));
    QCOMPARE(d.lines(), QStringList{QStringLiteral("101 101 钟点房费 30 3 90")});
}

void TestFrontDeskServices::modifyMode() {
    HOTEL_REQUIRE_ENGINE();
    Demo d;
    CheckInService svc = d.checkIn();
    svc.clearGroup();
    svc.addToGroup(QStringLiteral("102"));
    CheckInService::Input in = input(QStringLiteral("101"));
    in.guest.remark = QStringLiteral("原备注");
    in.guest.cardNo = QStringLiteral("VIP0001");
    svc.checkIn(in, svc.group());
    Clock::instance().advance(3600);

    CheckInService::Input fix = input(QStringLiteral("102"));
    fix.mode = CheckInService::kModify;
    fix.guest.name = QStringLiteral("李四");
    fix.guest.remark = QStringLiteral("不写");
    fix.guest.cardNo = QStringLiteral("VIP0002");
    fix.price = QStringLiteral("150");
    fix.ratio = QStringLiteral("0.8929");
    fix.deposit = QStringLiteral("100");
    svc.checkIn(fix, {});
    // The group stays together; remark, card and check-in time keep what was stored.
    QCOMPARE(d.room(QStringLiteral("102")), QStringLiteral("占用 101 100 0.8929 168 150"));
    QCOMPARE(
        d.scalar(QStringLiteral("select 主客姓名 || 备注 || 会员卡号 from 酒店手牌表 where 手牌号='102'")),
        QStringLiteral("李四原备注VIP0001"));
    QCOMPARE(d.scalar(QStringLiteral("select 开单时间 from 酒店手牌表 where 手牌号='102'")),
             QStringLiteral("2025-03-10 14:00:00"));
    QCOMPARE(d.lines(), (QStringList{QStringLiteral("101 101 房费 168 1 168"),
                                     QStringLiteral("102 101 房费 150 1 150")}));

    // Ticking the hourly box in modify mode turns the room hourly.
    fix.hourly = true;
    svc.checkIn(fix, {});
    QCOMPARE(d.room(QStringLiteral("102")), QStringLiteral("钟点房 101 100 1 30 30"));

    // An idle room has no stay to correct.
    CheckInService::Input idle = input(QStringLiteral("103"));
    idle.mode = CheckInService::kModify;
    try {
        svc.checkIn(idle, {});
        QFAIL("modify of an idle room was accepted");
    } catch (const HotelError& e) {
        QCOMPARE(e.message(), QStringLiteral("该手牌目前状态为：空闲，无法修改登记"));
    }
    QCOMPARE(d.room(QStringLiteral("103")), QStringLiteral("空闲  0 1 0 0"));
}

void TestFrontDeskServices::modifyKeepsChangesMadeMeanwhile() {
    HOTEL_REQUIRE_ENGINE();
    Demo d;
    CheckInService svc = d.checkIn();
    svc.clearGroup();
    svc.addToGroup(QStringLiteral("102"));
    CheckInService::Input in = input(QStringLiteral("101"));
    in.deposit = QStringLiteral("200");
    svc.checkIn(in, svc.group());

    // The window opens on 102 and keeps what it loaded.
    const CheckInService::RoomInfo shown = svc.room(QStringLiteral("102"));
    CheckInService::Input fix = input(QStringLiteral("102"));
    fix.mode = CheckInService::kModify;
    fix.guest = shown.guest;
    fix.guest.name = QStringLiteral("李四");
    fix.deposit = shown.deposit.toString();
    fix.loadedDeposit = shown.deposit;
    fix.ratio = shown.ratio.toString();
    fix.price = shown.price.toString();

    // Meanwhile another station takes a top-up and walks 102 out of 101's group.
    DepositService(d.db(), AppSettings::instance(), Clock::instance())
        .topUp(QStringLiteral("102"), QStringLiteral("300"));
    d.setMainRoom(QStringLiteral("102"), QStringLiteral("102"));

    svc.checkIn(fix, {});
    QCOMPARE(d.room(QStringLiteral("102")), QStringLiteral("占用 102 300 1 168 168"));
    QCOMPARE(d.scalar(QStringLiteral("select 主客姓名 from 酒店手牌表 where 手牌号='102'")),
             QStringLiteral("李四"));

    // A deposit typed over one that moved meanwhile is refused, nothing written.
    fix.deposit = QStringLiteral("50");
    fix.guest.name = QStringLiteral("王五");
    try {
        svc.checkIn(fix, {});
        QFAIL("a deposit changed meanwhile was overwritten");
    } catch (const HotelError& e) {
        QCOMPARE(e.message(), QStringLiteral("押金已在其他地点修改，请重新打开修改登记！！"));
    }
    QCOMPARE(d.room(QStringLiteral("102")), QStringLiteral("占用 102 300 1 168 168"));
    QCOMPARE(d.scalar(QStringLiteral("select 主客姓名 from 酒店手牌表 where 手牌号='102'")),
             QStringLiteral("李四"));

    // Reopened on the stored deposit, a changed deposit is written.
    fix.loadedDeposit = m("300");
    svc.checkIn(fix, {});
    QCOMPARE(d.room(QStringLiteral("102")), QStringLiteral("占用 102 50 1 168 168"));
}

void TestFrontDeskServices::modifyKeepsAWalkOutCommittedWhileItWaits() {
    HOTEL_REQUIRE_ENGINE();
    if (!TestHotel::usePostgres())
        QSKIP("SQLite writers are serialised by BEGIN IMMEDIATE: nothing commits while a modify runs");
    Demo d;
    CheckInService svc = d.checkIn();
    svc.clearGroup();
    svc.addToGroup(QStringLiteral("102"));
    svc.checkIn(input(QStringLiteral("101")), svc.group());
    CheckInService::Input fix = input(QStringLiteral("102"));
    fix.mode = CheckInService::kModify;
    fix.guest.name = QStringLiteral("李四");
    fix.price = QStringLiteral("168");

    // Another station walks 102 out of the group; it commits only once the modify waits on the row.
    const DbSession::ServerParams p = serverParams(d);
    std::promise<void> started;
    QString workerError;
    std::thread walkOut([&] {
        bool signalled = false;
        try {
            DbSession other = DbSession::openPostgres(p, QStringLiteral("walkout_station"));
            {
                Transaction tx(other);
                other.exec(QStringLiteral("update 酒店手牌表 set 主牌='102' where 手牌号='102'"));
                started.set_value();
                signalled = true;
                bool waited = false;
                for (int i = 0; i < 100000 && !waited; ++i) {
                    SqlQuery q(other, QStringLiteral("select count(*) from pg_stat_activity where "
                                                     "datname=current_database() and pid<>pg_backend_pid() "
                                                     "and wait_event_type='Lock'"));
                    q.exec();
                    waited = q.next() && q.value(0).toInt() > 0;
                }
                if (!waited)
                    workerError = QStringLiteral("the modify never waited on the room");
                tx.commit();
            }
            other.close();
        } catch (const HotelError& e) {
            workerError = e.message();
        }
        if (!signalled)
            started.set_value();
    });
    started.get_future().wait();
    svc.checkIn(fix, {});
    walkOut.join();
    QVERIFY2(workerError.isEmpty(), qPrintable(workerError));
    QCOMPARE(d.room(QStringLiteral("102")), QStringLiteral("占用 102 0 1 168 168"));
    QCOMPARE(d.scalar(QStringLiteral("select 主客姓名 from 酒店手牌表 where 手牌号='102'")),
             QStringLiteral("李四"));
}

void TestFrontDeskServices::invalidFieldsWriteNothing_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("deposit") << "deposit"
                             << "abc"
                             << "押金必须是数字：abc";
    QTest::newRow("negative deposit") << "deposit"
                                      << "-5"
                                      << "押金不能为负数：-5";
    QTest::newRow("ratio") << "ratio"
                           << "0,8"
                           << "打折比率必须是数字：0,8";
    QTest::newRow("empty ratio") << "ratio"
                                 << ""
                                 << "打折比率必须是数字：";
    QTest::newRow("price") << "price"
                           << "12元"
                           << "实际单价必须是数字：12元";
    QTest::newRow("guests") << "guests"
                            << "两"
                            << "宾客人数必须是整数：两";
    QTest::newRow("guests with decimals") << "guests"
                                          << "1.5"
                                          << "宾客人数必须是整数：1.5";
    QTest::newRow("start days setting") << "startDays"
                                        << "半天"
                                        << "起始天数设置不正确：半天";
}

void TestFrontDeskServices::invalidFieldsWriteNothing() {
    HOTEL_REQUIRE_ENGINE();
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    Demo d;
    CheckInService svc = d.checkIn();
    svc.clearGroup();
    svc.addToGroup(QStringLiteral("102"));
    CheckInService::Input in = input(QStringLiteral("101"));
    if (field == QStringLiteral("deposit"))
        in.deposit = value;
    else if (field == QStringLiteral("ratio"))
        in.ratio = value;
    else if (field == QStringLiteral("price"))
        in.price = value;
    else if (field == QStringLiteral("guests"))
        in.guest.guests = value;
    else
        AppSettings::instance().minimumDays = value;
    try {
        svc.checkIn(in, svc.group());
        QFAIL("an invalid check-in was accepted");
    } catch (const HotelError& e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(d.room(QStringLiteral("101")), QStringLiteral("空闲  0 1 0 0"));
    QCOMPARE(d.room(QStringLiteral("102")), QStringLiteral("空闲  0 1 0 0"));
    QVERIFY(d.lines().isEmpty());
}

void TestFrontDeskServices::takenGroupRoomRollsBackEverything() {
    HOTEL_REQUIRE_ENGINE();
    Demo d;
    CheckInService svc = d.checkIn();
    svc.clearGroup();
    svc.addToGroup(QStringLiteral("102"));
    svc.addToGroup(QStringLiteral("103"));
    d.occupy(QStringLiteral("103")); // another station took it meanwhile
    try {
        svc.checkIn(input(QStringLiteral("101")), svc.group());
        QFAIL("a check-in over an occupied room was accepted");
    } catch (const HotelError& e) {
        QCOMPARE(e.message(), QStringLiteral("房间103：该手牌目前状态为：占用，无法开手牌"));
    }
    QCOMPARE(d.room(QStringLiteral("101")), QStringLiteral("空闲  0 1 0 0"));
    QCOMPARE(d.room(QStringLiteral("102")), QStringLiteral("空闲  0 1 0 0"));
    QCOMPARE(d.lines(), QStringList{QStringLiteral("103 103 房费 168 1 168")});
}

void TestFrontDeskServices::memberLookups_data() {
    QTest::addColumn<int>("by");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("result");
    const int card = int(CheckInService::LookupBy::Card), name = int(CheckInService::LookupBy::Name),
              id = int(CheckInService::LookupBy::IdNumber), phone = int(CheckInService::LookupBy::Phone);
    QTest::newRow("card") << card << "VIP0002"
                          << "林晓燕 女 身份证 330105198602090028 13857120002 VIP0002";
    QTest::newRow("name") << name << "陈建国"
                          << "陈建国 男 身份证 330106197506180017 13905710001 VIP0001";
    QTest::newRow("id") << id << "310101198210270035"
                        << "周海涛 男 身份证 310101198210270035 13600570003 VIP0003";
    QTest::newRow("part of phone") << phone << "0004"
                                   << "吴婷 女 身份证 320102199304150046 18868120004 VIP0004";
    QTest::newRow("no card") << card << "VIP9"
                             << "该会员卡号不存在";
    QTest::newRow("no name") << name << "无名"
                             << "该会员姓名不存在";
    QTest::newRow("no id") << id << "1"
                           << "该身份证号不存在";
    QTest::newRow("no phone") << phone << "777777"
                              << "该联系电话不存在";
}

void TestFrontDeskServices::memberLookups() {
    HOTEL_REQUIRE_ENGINE();
    QFETCH(int, by);
    QFETCH(QString, value);
    QFETCH(QString, result);
    Demo d;
    QString got;
    try {
        const CheckInService::Guest g = d.checkIn().lookupMember(CheckInService::LookupBy(by), value);
        got = QStringList{g.name, g.sex, g.idType, g.idNumber, g.phone, g.cardNo}.join(u' ');
    } catch (const HotelError& e) {
        got = e.message();
    }
    QCOMPARE(got, result);
}

void TestFrontDeskServices::regionLookup() {
    HOTEL_REQUIRE_ENGINE();
    Demo d;
    CheckInService svc = d.checkIn();
    QCOMPARE(svc.regionOf(QStringLiteral("330106199001010011")),
             std::optional<QString>(QStringLiteral("浙江省杭州市西湖区")));
    QCOMPARE(svc.regionOf(QStringLiteral("999999")), std::optional<QString>(QString()));
    QVERIFY(!svc.regionOf(QStringLiteral("33010")).has_value());
}

void TestFrontDeskServices::groupScratchRatioAndPrice() {
    HOTEL_REQUIRE_ENGINE();
    Demo d;
    CheckInService svc = d.checkIn();
    svc.clearGroup();
    svc.addToGroup(QStringLiteral("102"));
    const CheckInService::GroupRoom p = svc.setGroupPrice(QStringLiteral("102"), QStringLiteral("126"));
    QCOMPARE(p.ratio.toString(), QStringLiteral("0.75"));
    const CheckInService::GroupRoom r = svc.setGroupRatio(QStringLiteral("102"), QStringLiteral("0.9"));
    QCOMPARE(r.price.toString(), QStringLiteral("151.2"));
    QVERIFY_THROWS_EXCEPTION(HotelError, svc.setGroupRatio(QStringLiteral("102"), QStringLiteral("x")));
    svc.removeFromGroup(QStringLiteral("102"));
    QVERIFY(svc.group().isEmpty());
    QVERIFY(svc.idleRooms(QStringLiteral("101")).contains(QStringLiteral("102")));
    QVERIFY(!svc.idleRooms(QStringLiteral("101")).contains(QStringLiteral("101")));
}

void TestFrontDeskServices::addToGroupRoomIssuesStock() {
    HOTEL_REQUIRE_ENGINE();
    Demo d;
    CheckInService svc = d.checkIn();
    svc.clearGroup();
    svc.addToGroup(QStringLiteral("102"));
    svc.checkIn(input(QStringLiteral("101")), svc.group());
    QCOMPARE(d.stock(QStringLiteral("可口可乐")), QStringLiteral("96 220.8"));
    const ConsumptionService::Added a = d.consumption().add(
        QStringLiteral("102"), QString(), QStringLiteral("可口可乐"), QStringLiteral("3"), QString());
    QCOMPARE(a.mainRoom, QStringLiteral("101"));
    QCOMPARE(d.lines().last(), QStringLiteral("102 101 可口可乐 5 3 15"));
    QCOMPARE(d.stock(QStringLiteral("可口可乐")), QStringLiteral("93 213.9"));
    const OpenLines::Line l = *OpenLines(d.db()).find(a.lineId);
    QCOMPARE(l.state, QStringLiteral("即起"));
    QCOMPARE(l.returned, QStringLiteral("否"));
    QCOMPARE(l.itemCode, QStringLiteral("1002"));
    QCOMPARE(l.time, kNow);
    QVERIFY(!l.isOld());
    QCOMPARE(ConsumptionService::returnCaption(&l), QStringLiteral("删单F9"));
    d.consumption().markOld(QStringLiteral("102"));
    const OpenLines::Line old = *OpenLines(d.db()).find(a.lineId);
    QCOMPARE(ConsumptionService::returnCaption(&old), QStringLiteral("退单F9"));
}

void TestFrontDeskServices::addRules_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("staff");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("empty quantity") << "矿泉水"
                                    << " "
                                    << ""
                                    << "请填写消费数量";
    QTest::newRow("letters") << "矿泉水"
                             << "2瓶"
                             << ""
                             << "消费数量必须是数字：2瓶";
    QTest::newRow("zero") << "矿泉水"
                          << "0"
                          << ""
                          << "消费数量必须大于0";
    QTest::newRow("technician missing") << "按摩"
                                        << "1"
                                        << ""
                                        << "该项目需要选择技师";
    QTest::newRow("technician given") << "按摩"
                                      << "1"
                                      << "赵敏"
                                      << "101 101 按摩 168 1 168|赵敏|是";
    QTest::newRow("category without discount") << "牙具套装"
                                               << "2"
                                               << ""
                                               << "101 101 牙具套装 5 2 10||否";
    QTest::newRow("room fee item refused") << "房费"
                                           << "1"
                                           << ""
                                           << "自动计算房费时，项目名称不能设计为房费，请设置为其他名称";
}

void TestFrontDeskServices::addRules() {
    HOTEL_REQUIRE_ENGINE();
    QFETCH(QString, item);
    QFETCH(QString, quantity);
    QFETCH(QString, staff);
    QFETCH(QString, outcome);
    Demo d(false);
    d.occupy(QStringLiteral("101"));
    SqlQuery(
        d.db(),
        QStringLiteral("insert into 酒店服务项目 (项目编号,项目名称,项目拼音,项目类别,项目价格,参与库存计算) "
                       "values ('9','房费','ff','客房服务',100,'否')"))
        .exec();
    AppSettings::instance().roomChargeMode = QStringLiteral("自动计算");
    const QString stockBefore = d.stock(QStringLiteral("矿泉水"));
    QString got;
    try {
        const auto a =
            d.consumption().add(QStringLiteral("101"), QStringLiteral("101"), item, quantity, staff);
        const OpenLines::Line l = *OpenLines(d.db()).find(a.lineId);
        got = d.lines().last() + u'|' + l.technician + u'|' + l.discount;
    } catch (const HotelError& e) {
        got = e.message();
        QVERIFY(d.lines().isEmpty());
    }
    QCOMPARE(got, outcome);
    QCOMPARE(d.stock(QStringLiteral("矿泉水")), stockBefore);
}

void TestFrontDeskServices::addToReservedRoomOccupiesIt() {
    HOTEL_REQUIRE_ENGINE();
    Demo d;
    ReservationService(d.db()).reserve({0,
                                        QStringLiteral("201"),
                                        QStringLiteral("李四"),
                                        QStringLiteral("139"),
                                        QStringLiteral("2"),
                                        kNow.addSecs(3600),
                                        kNow.addSecs(7200),
                                        {},
                                        {}});
    QCOMPARE(d.room(QStringLiteral("201")).section(u' ', 0, 0), QStringLiteral("预定"));
    const auto a = d.consumption().add(QStringLiteral("201"), QString(), QStringLiteral("矿泉水"),
                                       QStringLiteral("1"), QString());
    QVERIFY(a.roomWasReserved);
    QCOMPARE(d.room(QStringLiteral("201")).section(u' ', 0, 0), QStringLiteral("占用"));
    // An idle room takes no charge.
    QVERIFY_THROWS_EXCEPTION(HotelError,
                             d.consumption().add(QStringLiteral("202"), QString(), QStringLiteral("矿泉水"),
                                                 QStringLiteral("1"), QString()));
}

void TestFrontDeskServices::addUsesTheStoredMainRoom_data() {
    QTest::addColumn<QString>("storedMain");
    QTest::addColumn<QString>("expected");
    QTest::newRow("walked out") << QStringLiteral("102") << QStringLiteral("102");
    QTest::newRow("regrouped") << QStringLiteral("103") << QStringLiteral("103");
    QTest::newRow("no main room") << QString() << QStringLiteral("102");
}

void TestFrontDeskServices::addUsesTheStoredMainRoom() {
    QFETCH(QString, storedMain);
    QFETCH(QString, expected);
    HOTEL_REQUIRE_ENGINE();
    Demo d(false);
    CheckInService svc = d.checkIn();
    svc.clearGroup();
    svc.addToGroup(QStringLiteral("102"));
    svc.checkIn(input(QStringLiteral("101")), svc.group());
    // The consumption window opened on 102 with main room 101; another station then changed it.
    d.setMainRoom(QStringLiteral("102"), storedMain);
    const ConsumptionService::Added a =
        d.consumption().add(QStringLiteral("102"), QStringLiteral("101"), QStringLiteral("可口可乐"),
                            QStringLiteral("1"), QString());
    QCOMPARE(a.mainRoom, expected);
    QCOMPARE(d.lines(), QStringList{QStringLiteral("102 ") + expected + QStringLiteral(" 可口可乐 5 1 5")});
}

void TestFrontDeskServices::linesWaitForARoomLockedBySettlement() {
    HOTEL_REQUIRE_ENGINE();
    if (!TestHotel::usePostgres())
        QSKIP("SQLite writers are serialised by BEGIN IMMEDIATE; row locks are the server's");
    Demo d(false);
    d.occupy(QStringLiteral("101"));
    ConsumptionService c = d.consumption();
    const qint64 oldId =
        c.add(QStringLiteral("101"), QString(), QStringLiteral("矿泉水"), QStringLiteral("2"), QString())
            .lineId;
    c.markOld(QStringLiteral("101"));
    const ReturnsService r = d.returns();
    const QStringList before = d.lines();
    const QString stockBefore = d.stock(QStringLiteral("矿泉水"));

    // A second station settling the group holds the room's row.
    DbSession other = DbSession::openPostgres(serverParams(d), QStringLiteral("settling_station"));
    {
        Transaction held(other);
        other.exec(QStringLiteral("select 手牌号 from 酒店手牌表 where 手牌号='101' for update"));
        d.db().exec(QStringLiteral("set lock_timeout = '200ms'"));
        QVERIFY_THROWS_EXCEPTION(HotelError, c.add(QStringLiteral("101"), QString(), QStringLiteral("矿泉水"),
                                                   QStringLiteral("1"), QString()));
        QVERIFY_THROWS_EXCEPTION(HotelError,
                                 r.returnLine(oldId, QStringLiteral("1"), QStringLiteral("客人取消")));
        QCOMPARE(d.lines(), before);
        QCOMPARE(d.stock(QStringLiteral("矿泉水")), stockBefore);
        held.commit();
    }
    c.add(QStringLiteral("101"), QString(), QStringLiteral("矿泉水"), QStringLiteral("1"), QString());
    r.returnLine(oldId, QStringLiteral("1"), QStringLiteral("客人取消"));
    d.db().exec(QStringLiteral("reset lock_timeout"));
    QCOMPARE(d.lines().size(), before.size() + 2);
    other.close();
}

void TestFrontDeskServices::priceEditAndGiveAway() {
    HOTEL_REQUIRE_ENGINE();
    Demo d(false);
    d.occupy(QStringLiteral("101"));
    const auto a = d.consumption().add(QStringLiteral("101"), QString(), QStringLiteral("矿泉水"),
                                       QStringLiteral("2"), QString(), QStringLiteral("15.5"), true);
    QCOMPARE(d.lines(), QStringList{QStringLiteral("101 101 矿泉水 15.5 2 31")});
    QCOMPARE(OpenLines(d.db()).find(a.lineId)->discount, QStringLiteral("否"));
    d.consumption().setPrice(a.lineId, QStringLiteral("2.5"));
    QCOMPARE(d.lines(), QStringList{QStringLiteral("101 101 矿泉水 2.5 2 5")});
    QVERIFY_THROWS_EXCEPTION(HotelError, d.consumption().setPrice(a.lineId, QStringLiteral("abc")));
    d.consumption().giveAway(a.lineId);
    QCOMPARE(d.lines(), QStringList{QStringLiteral("101 101 矿泉水 2.5 2 0")});
}

// A return refunds its share of what the line charges: nothing for a line given away.
void TestFrontDeskServices::returnOfAGivenAwayLineRefundsNothing() {
    HOTEL_REQUIRE_ENGINE();
    Demo d(false);
    d.occupy(QStringLiteral("101"));
    ConsumptionService c = d.consumption();
    const qint64 id =
        c.add(QStringLiteral("101"), QString(), QStringLiteral("矿泉水"), QStringLiteral("2"), QString())
            .lineId;
    c.giveAway(id);
    c.markOld(QStringLiteral("101"));
    const QString stockBefore = d.stock(QStringLiteral("矿泉水"));
    d.returns().returnLine(id, QStringLiteral("1"), QStringLiteral("客人取消"));
    QCOMPARE(d.lines().last(), QStringLiteral("101 101 矿泉水 3 -1 0"));
    QVERIFY(d.stock(QStringLiteral("矿泉水")) != stockBefore); // the goods still go back
}

void TestFrontDeskServices::returnOldLineAndDeleteNewLine() {
    HOTEL_REQUIRE_ENGINE();
    Demo d(false);
    d.occupy(QStringLiteral("101"));
    ConsumptionService c = d.consumption();
    const qint64 oldId =
        c.add(QStringLiteral("101"), QString(), QStringLiteral("矿泉水"), QStringLiteral("3"), QString())
            .lineId;
    c.markOld(QStringLiteral("101"));
    QCOMPARE(d.stock(QStringLiteral("矿泉水")), QStringLiteral("117 140.4"));
    Clock::instance().advance(600);
    const ReturnsService r = d.returns();
    const qint64 back = r.returnLine(oldId, QStringLiteral("2"), QStringLiteral("客人取消"));
    QCOMPARE(d.lines(),
             (QStringList{QStringLiteral("101 101 矿泉水 3 3 9"), QStringLiteral("101 101 矿泉水 3 -2 -6")}));
    const OpenLines::Line rl = *OpenLines(d.db()).find(back);
    QCOMPARE(rl.returned, QStringLiteral("退菜"));
    QCOMPARE(rl.state, QStringLiteral("退菜"));
    QCOMPARE(rl.returnReason, QStringLiteral("客人取消"));
    QCOMPARE(rl.time, kNow.addSecs(600));
    QCOMPARE(d.stock(QStringLiteral("矿泉水")), QStringLiteral("119 142.8"));
    // Cancelling the dialog (quantity 0) writes nothing.
    QCOMPARE(r.returnLine(oldId, QStringLiteral("0"), QString()), 0);
    QCOMPARE(d.lines().size(), 2);
    // A new line is deleted outright and its goods go back; a return line cannot be deleted.
    const qint64 newId =
        c.add(QStringLiteral("101"), QString(), QStringLiteral("矿泉水"), QStringLiteral("4"), QString())
            .lineId;
    QCOMPARE(d.stock(QStringLiteral("矿泉水")), QStringLiteral("115 138"));
    QVERIFY_THROWS_EXCEPTION(HotelError, r.returnLine(newId, QStringLiteral("1"), QString()));
    r.deleteLine(newId);
    QCOMPARE(d.stock(QStringLiteral("矿泉水")), QStringLiteral("119 142.8"));
    QCOMPARE(d.lines().size(), 2);
    try {
        r.deleteLine(back);
        QFAIL("a return line was deleted");
    } catch (const HotelError& e) {
        QCOMPARE(e.message(), QStringLiteral("已经退菜了，不能再退了"));
    }
    QVERIFY_THROWS_EXCEPTION(HotelError, r.deleteLine(oldId));
}

void TestFrontDeskServices::returnRoomFeeAndRefusals() {
    HOTEL_REQUIRE_ENGINE();
    Demo d;
    d.occupy(QStringLiteral("101"));
    d.consumption().markOld(QStringLiteral("101"));
    const qint64 fee = OpenLines(d.db()).ofRoom(QStringLiteral("101")).first().id;
    const ReturnsService r = d.returns();
    const QStringList before = d.lines();
    for (const QString& bad :
         {QStringLiteral("x"), QStringLiteral(""), QStringLiteral("-1"), QStringLiteral("2")})
        QVERIFY_THROWS_EXCEPTION(HotelError, r.returnLine(fee, bad, QStringLiteral("点错项目")));
    QVERIFY_THROWS_EXCEPTION(HotelError,
                             r.returnLine(fee, QStringLiteral("1"), QString(), QStringLiteral("102")));
    QCOMPARE(d.lines(), before);
    r.returnLine(fee, QStringLiteral("1"), QStringLiteral("点错项目"));
    QCOMPARE(d.lines().last(), QStringLiteral("101 101 房费[退] 168 -1 -168"));
}

void TestFrontDeskServices::returnsCannotExceedWhatIsLeft_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("returnedAs");
    QTest::newRow("goods") << QStringLiteral("矿泉水") << QStringLiteral("矿泉水");
    QTest::newRow("room fee") << QStringLiteral("房费") << QStringLiteral("房费[退]");
}

void TestFrontDeskServices::returnsCannotExceedWhatIsLeft() {
    QFETCH(QString, item);
    QFETCH(QString, returnedAs);
    HOTEL_REQUIRE_ENGINE();
    const bool roomFee = item == QStringLiteral("房费");
    Demo d(roomFee);
    AppSettings::instance().minimumDays = QStringLiteral("2");
    d.occupy(QStringLiteral("101"));
    if (!roomFee)
        d.consumption().add(QStringLiteral("101"), QString(), item, QStringLiteral("2"), QString());
    d.consumption().markOld(QStringLiteral("101"));
    const qint64 id = OpenLines(d.db()).ofRoom(QStringLiteral("101")).last().id;
    const ReturnsService r = d.returns();
    auto refused = [&](const QString& quantity, const QString& message) {
        const QStringList lines = d.lines();
        const QString stock = d.stock(QStringLiteral("矿泉水"));
        try {
            r.returnLine(id, quantity, QStringLiteral("客人取消"));
            QFAIL("a return beyond the line was accepted");
        } catch (const HotelError& e) {
            QCOMPARE(e.message(), message);
        }
        QCOMPARE(d.lines(), lines);
        QCOMPARE(d.stock(QStringLiteral("矿泉水")), stock);
    };
    refused(QStringLiteral("3"), QStringLiteral("退单数量不能大于消费数量"));
    QVERIFY(r.returnLine(id, QStringLiteral("1"), QStringLiteral("客人取消")) > 0);
    refused(QStringLiteral("2"), QStringLiteral("退单数量不能超过未退数量：1"));
    QVERIFY(r.returnLine(id, QStringLiteral("1"), QStringLiteral("客人取消")) > 0);
    refused(QStringLiteral("1"), QStringLiteral("退单数量不能超过未退数量：0"));
    const QStringList lines = d.lines();
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(1), lines.at(2));
    QVERIFY(lines.at(1).startsWith(QStringLiteral("101 101 ") + returnedAs + u' '));
    if (!roomFee)
        QCOMPARE(d.stock(QStringLiteral("矿泉水")), QStringLiteral("120 144"));
}

void TestFrontDeskServices::identicalLinesShareTheirReturns() {
    HOTEL_REQUIRE_ENGINE();
    Demo d(false);
    d.occupy(QStringLiteral("101"));
    ConsumptionService c = d.consumption();
    auto add = [&](const QString& price) {
        return c
            .add(QStringLiteral("101"), QString(), QStringLiteral("矿泉水"), QStringLiteral("2"), QString(),
                 price)
            .lineId;
    };
    const qint64 a = add(QStringLiteral("3"));
    const qint64 b = add(QStringLiteral("3"));
    const qint64 dearer = add(QStringLiteral("4"));
    c.markOld(QStringLiteral("101"));
    const ReturnsService r = d.returns();
    // Two identical lines of 2: four can go back, from either, and no more.
    r.returnLine(a, QStringLiteral("2"), QString());
    r.returnLine(b, QStringLiteral("1"), QString());
    r.returnLine(a, QStringLiteral("1"), QString());
    QVERIFY_THROWS_EXCEPTION(HotelError, r.returnLine(b, QStringLiteral("1"), QString()));
    // A line at another price is a charge of its own.
    r.returnLine(dearer, QStringLiteral("2"), QString());
    QCOMPARE(d.scalar(QStringLiteral("select sum(金额) from 店内消费记录")), QStringLiteral("0"));
    QCOMPARE(d.stock(QStringLiteral("矿泉水")), QStringLiteral("120 144"));
}

void TestFrontDeskServices::settledReturnsByDay() {
    HOTEL_REQUIRE_ENGINE();
    Demo d;
    auto settled = [&d](const QString& when, const QString& returned) {
        SqlQuery(d.db(),
                 QStringLiteral(
                     "insert into 消费详细 (流水号,总流水号,手牌号,消费项目,单价,消费数量,金额,消费日期,退菜,"
                     "退菜原因) values "
                     "('202503010001',1,'101','矿泉水',30000,-10000,-30000,:日期,:退菜,'客人取消')"))
            .bind(QStringLiteral("日期"), DateText::parseDateTime(when))
            .bind(QStringLiteral("退菜"), returned)
            .exec();
    };
    settled(QStringLiteral("2025-03-01 00:00:00"), QStringLiteral("退菜"));
    settled(QStringLiteral("2025-03-03 23:59:59"), QStringLiteral("退菜"));
    settled(QStringLiteral("2025-03-04 00:00:00"), QStringLiteral("退菜"));
    settled(QStringLiteral("2025-03-04 00:00:01"), QStringLiteral("退菜"));
    settled(QStringLiteral("2025-03-02 10:00:00"), QStringLiteral("否"));
    const QList<ReturnsService::SettledReturn> got = d.returns().settledReturns(
        QDateTime(QDate(2025, 3, 1), QTime(0, 0)), QDateTime(QDate(2025, 3, 4), QTime(0, 0)));
    // The upper bound is the day after the range: a return at its midnight belongs to the next day.
    QCOMPARE(got.size(), 2);
    QCOMPARE(got.first().amount.toString(), QStringLiteral("-3"));
    QCOMPARE(got.first().reason, QStringLiteral("客人取消"));
}

void TestFrontDeskServices::depositTopUp() {
    HOTEL_REQUIRE_ENGINE();
    Demo d;
    CheckInService svc = d.checkIn();
    svc.clearGroup();
    svc.addToGroup(QStringLiteral("102"));
    CheckInService::Input in = input(QStringLiteral("101"));
    in.deposit = QStringLiteral("200");
    svc.checkIn(in, svc.group());
    const DepositService dep(d.db(), AppSettings::instance(), Clock::instance());
    const DepositService::Result r = dep.topUp(QStringLiteral("101"), QStringLiteral("300"));
    QCOMPARE(r.total.toString(), QStringLiteral("500"));
    QCOMPARE(DepositService::receipt(AppSettings::instance(), QStringLiteral("101"), r)
                 .variable(QStringLiteral("押金金额")),
             QStringLiteral("300"));
    QCOMPARE(dep.topUp(QStringLiteral("101"), QStringLiteral("0")).total.toString(), QStringLiteral("500"));
    QCOMPARE(dep.topUp(QStringLiteral("102"), QStringLiteral("50.5")).total.toString(),
             QStringLiteral("50.5"));
    QCOMPARE(d.scalar(QStringLiteral("select sum(押金) from 酒店手牌表 where 主牌='101'")),
             QStringLiteral("5505000"));
}

void TestFrontDeskServices::depositRefusals_data() {
    QTest::addColumn<QString>("room");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("message");
    QTest::newRow("letters") << "101"
                             << "三百"
                             << "续交押金必须是数字：三百";
    QTest::newRow("empty") << "101"
                           << ""
                           << "续交押金必须是数字：";
    QTest::newRow("too many places") << "101"
                                     << "1.00001"
                                     << "续交押金必须是数字：1.00001";
    QTest::newRow("idle room") << "103"
                               << "100"
                               << "该餐台目前状态为：空闲，无法续交押金";
}

void TestFrontDeskServices::depositRefusals() {
    HOTEL_REQUIRE_ENGINE();
    QFETCH(QString, room);
    QFETCH(QString, amount);
    QFETCH(QString, message);
    Demo d;
    CheckInService::Input in = input(QStringLiteral("101"));
    in.deposit = QStringLiteral("200");
    d.checkIn().checkIn(in, {});
    try {
        DepositService(d.db(), AppSettings::instance(), Clock::instance()).topUp(room, amount);
        QFAIL("an invalid top-up was accepted");
    } catch (const HotelError& e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(d.room(QStringLiteral("101")).section(u' ', 2, 2), QStringLiteral("200"));
}

void TestFrontDeskServices::reservationQueryCancel() {
    HOTEL_REQUIRE_ENGINE();
    Demo d;
    d.occupy(QStringLiteral("101"));
    const ReservationService svc(d.db());
    const QDateTime mar9(QDate(2025, 3, 9), QTime(0, 0));
    auto reserve = [&svc](const QString& room, const QDateTime& at) {
        return svc.reserve({0,
                            room,
                            QStringLiteral("王五"),
                            QStringLiteral("13800000000"),
                            QStringLiteral("2"),
                            at,
                            at.addSecs(7200),
                            QStringLiteral("靠窗"),
                            {}});
    };
    const auto a = reserve(QStringLiteral("201"), mar9);
    const auto b = reserve(QStringLiteral("202"), mar9.addSecs(18 * 3600));
    const auto c = reserve(QStringLiteral("101"), mar9.addDays(1));
    QVERIFY(a.roomReserved && b.roomReserved);
    QVERIFY(!c.roomReserved); // an occupied room keeps its state; the reservation is stored anyway
    QCOMPARE(d.room(QStringLiteral("101")).section(u' ', 0, 0), QStringLiteral("占用"));
    QCOMPARE(svc.query(std::nullopt, std::nullopt, std::nullopt).size(), 3);
    QCOMPARE(svc.query(std::nullopt, QDate(2025, 3, 9), QDate(2025, 3, 9)).size(), 1);
    QCOMPARE(svc.query(std::nullopt, QDate(2025, 3, 9), QDate(2025, 3, 10)).size(), 3);
    const auto mine = svc.query(QStringLiteral("202"), std::nullopt, std::nullopt);
    QCOMPARE(mine.size(), 1);
    QCOMPARE(mine.first().remark, QStringLiteral("靠窗"));
    ReservationService::Reservation edited = mine.first();
    edited.name = QStringLiteral("王六");
    svc.update(edited);
    QCOMPARE(svc.query(QStringLiteral("202"), std::nullopt, std::nullopt).first().name,
             QStringLiteral("王六"));
    svc.cancel(b.id);
    QCOMPARE(svc.query(QStringLiteral("202"), std::nullopt, std::nullopt).size(), 0);
    QCOMPARE(d.room(QStringLiteral("202")).section(u' ', 0, 0), QStringLiteral("预定"));
    QVERIFY_THROWS_EXCEPTION(HotelError, reserve(QStringLiteral("999"), mar9));
    QVERIFY_THROWS_EXCEPTION(
        HotelError, svc.reserve({0, QStringLiteral("203"), {}, {}, QStringLiteral("x"), mar9, mar9, {}, {}}));
    QCOMPARE(d.room(QStringLiteral("203")).section(u' ', 0, 0), QStringLiteral("空闲"));
}

QTEST_GUILESS_MAIN(TestFrontDeskServices)
#include "tst_frontdeskservices.moc"
