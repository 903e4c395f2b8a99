#include "billing/roomcharges.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/datetext.h"
#include "db/sqlquery.h"
#include "support/testhotel.h"

#include <QTest>

namespace {

const QString kDay = QStringLiteral("房费");
const QString kHourly = QStringLiteral("钟点房费");

Money m(const QString& text) {
    return Money::parse(text);
}

QDateTime at(const QString& text) {
    const QDateTime t = DateText::parseDateTime(text);
    Q_ASSERT(t.isValid());
    return t;
}

AppSettings automatic() {
    AppSettings s;
    s.roomChargeMode = QStringLiteral("自动计算");
    return s;
}

void addType(const DbSession& db, const QString& type, const QString& price) {
    SqlQuery(db,
             QStringLiteral("insert into 酒店包房类型 (包房类型,单价,钟点房价) values (:类型,:单价,:钟点)"))
        .bind(QStringLiteral("类型"), type)
        .bind(QStringLiteral("单价"), m(price))
        .bind(QStringLiteral("钟点"), m(QStringLiteral("30")))
        .exec();
}

void addRoom(const DbSession& db, const QString& room, const QString& type, const QString& state,
             const QString& paidPrice = QStringLiteral("0")) {
    SqlQuery(db, QStringLiteral("insert into 酒店手牌表 (手牌号,包房类型,使用状态,主牌,实收房费单价) "
                                "values (:手牌号,:类型,:状态,:手牌号,:实收)"))
        .bind(QStringLiteral("手牌号"), room)
        .bind(QStringLiteral("类型"), type)
        .bind(QStringLiteral("状态"), state)
        .bind(QStringLiteral("实收"), m(paidPrice))
        .exec();
}

// Adds an open line and returns its ID.
qint64 addLine(const DbSession& db, const QString& room, const QString& item, const QString& price,
               const QString& quantity, const QString& amount, const QDateTime& start,
               const QString& mainRoom = QString(), const QString& discount = QStringLiteral("是")) {
    SqlQuery(db, QStringLiteral(
                     "insert into 店内消费记录 (手牌号,主牌,消费项目,单价,消费数量,金额,消费时间,参与打折) "
                     "values (:手牌号,:主牌,:项目,:单价,:数量,:金额,:时间,:打折)"))
        .bind(QStringLiteral("手牌号"), room)
        .bind(QStringLiteral("主牌"), mainRoom.isEmpty() ? room : mainRoom)
        .bind(QStringLiteral("项目"), item)
        .bind(QStringLiteral("单价"), m(price))
        .bind(QStringLiteral("数量"), m(quantity))
        .bind(QStringLiteral("金额"), m(amount))
        .bind(QStringLiteral("时间"), start)
        .bind(QStringLiteral("打折"), discount)
        .exec();
    SqlQuery q(db, QStringLiteral("select max(ID) from 店内消费记录"));
    q.exec();
    q.next();
    return q.value(0).toLongLong();
}

// "item price quantity amount" of a line.
QString line(const DbSession& db, qint64 id) {
    SqlQuery q(db, QStringLiteral("select 消费项目,单价,消费数量,金额 from 店内消费记录 where ID=:ID"));
    q.bind(QStringLiteral("ID"), id).exec();
    if (!q.next())
        return QStringLiteral("-");
    return QStringList{q.text(0), q.money(1).toString(), q.money(2).toString(), q.money(3).toString()}.join(
        u' ');
}

QString roomState(const DbSession& db, const QString& room) {
    SqlQuery q(db, QStringLiteral("select 使用状态 from 酒店手牌表 where 手牌号=:手牌号"));
    q.bind(QStringLiteral("手牌号"), room).exec();
    return q.next() ? q.text(0) : QStringLiteral("-");
}

QString describe(const RoomCharges::ChangedLine& c) {
    return QStringList{QString::number(c.id), c.room, c.item, c.price.toString(), c.quantity.toString(),
                       c.amount.toString()}
        .join(u' ');
}

} // namespace

class TestRoomCharges : public QObject {
    Q_OBJECT
private slots:
    // A "房费" line at 168 a day, opened at `start`, recalculated at `now`.
    void dayRule_data() {
        QTest::addColumn<QString>("minimumDays");
        QTest::addColumn<QString>("halfDay");
        QTest::addColumn<QString>("fullDay");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("amount");
        const QString half = QStringLiteral("0.5"), b = QStringLiteral("14"), f = QStringLiteral("18");
        const QString one = QStringLiteral("1");
        auto row = [](const char* name, const QString& minimumDays, const QString& halfDay,
                      const QString& fullDay, const char* start, const char* now, const char* quantity,
                      const char* amount) {
            QTest::newRow(name) << minimumDays << halfDay << fullDay << QString::fromLatin1(start)
                                << QString::fromLatin1(now) << QString::fromLatin1(quantity)
                                << QString::fromLatin1(amount);
        };
        row("same day 12:00", half, b, f, "2026-03-01 10:00:00", "2026-03-01 12:00:00", "0.5", "84");
        row("same day 15:00", half, b, f, "2026-03-01 10:00:00", "2026-03-01 15:00:00", "0.5", "84");
        row("same day 19:00", half, b, f, "2026-03-01 10:00:00", "2026-03-01 19:00:00", "1", "168");
        row("next day 11:00", half, b, f, "2026-03-01 10:00:00", "2026-03-02 11:00:00", "1", "168");
        row("next day 15:00", half, b, f, "2026-03-01 10:00:00", "2026-03-02 15:00:00", "1.5", "252");
        row("next day 19:00", half, b, f, "2026-03-01 10:00:00", "2026-03-02 19:00:00", "2", "336");
        row("23:30 to 09:00 next day", half, b, f, "2026-03-01 23:30:00", "2026-03-02 09:00:00", "1", "168");
        row("1st to 13:59 on the 3rd", half, b, f, "2026-03-01 10:00:00", "2026-03-03 13:59:00", "2", "336");
        row("1st to 14:00 on the 3rd", half, b, f, "2026-03-01 10:00:00", "2026-03-03 14:00:00", "2.5",
            "420");
        row("1st to 18:00 on the 3rd", half, b, f, "2026-03-01 10:00:00", "2026-03-03 18:00:00", "3", "504");
        row("same day 13:59", half, b, f, "2026-03-01 10:00:00", "2026-03-01 13:59:59", "0.5", "84");
        row("same day 14:00", half, b, f, "2026-03-01 10:00:00", "2026-03-01 14:00:00", "0.5", "84");
        row("same day 17:59", half, b, f, "2026-03-01 10:00:00", "2026-03-01 17:59:59", "0.5", "84");
        row("same day 18:00", half, b, f, "2026-03-01 10:00:00", "2026-03-01 18:00:00", "1", "168");
        row("time of day of the start plays no part", half, b, f, "2026-03-01 00:00:01",
            "2026-03-02 13:00:00", "1", "168");
        row("month end", half, b, f, "2026-02-28 21:00:00", "2026-03-01 15:00:00", "1.5", "252");
        row("whole day minimum, same day 12:00", one, b, f, "2026-03-01 10:00:00", "2026-03-01 12:00:00", "1",
            "168");
        row("whole day minimum, same day 15:00", one, b, f, "2026-03-01 10:00:00", "2026-03-01 15:00:00", "1",
            "168");
        row("whole day minimum, same day 19:00", one, b, f, "2026-03-01 10:00:00", "2026-03-01 19:00:00", "1",
            "168");
        row("whole day minimum, next day 11:00", one, b, f, "2026-03-01 10:00:00", "2026-03-02 11:00:00", "1",
            "168");
        row("whole day minimum, next day 15:00", one, b, f, "2026-03-01 10:00:00", "2026-03-02 15:00:00",
            "1.5", "252");
        const QString late = QStringLiteral("20");
        row("half day after full day, same day 15:00", half, late, f, "2026-03-01 10:00:00",
            "2026-03-01 15:00:00", "0.5", "84");
        row("half day after full day, same day 18:00", half, late, f, "2026-03-01 10:00:00",
            "2026-03-01 18:00:00", "1", "168");
        row("half day after full day, next day 15:00", half, late, f, "2026-03-01 10:00:00",
            "2026-03-02 15:00:00", "1", "168");
        row("half day after full day, next day 20:30", half, late, f, "2026-03-01 10:00:00",
            "2026-03-02 20:30:00", "2", "336");
    }
    void dayRule() {
        HOTEL_REQUIRE_ENGINE();
        QFETCH(QString, minimumDays);
        QFETCH(QString, halfDay);
        QFETCH(QString, fullDay);
        QFETCH(QString, start);
        QFETCH(QString, now);
        QFETCH(QString, quantity);
        QFETCH(QString, amount);
        TestHotel h;
        AppSettings s = automatic();
        s.minimumDays = minimumDays;
        s.halfDayHour = halfDay;
        s.fullDayHour = fullDay;
        addType(h.db(), QStringLiteral("标准间"), QStringLiteral("168"));
        addRoom(h.db(), QStringLiteral("101"), QStringLiteral("标准间"), QStringLiteral("占用"));
        const qint64 id = addLine(h.db(), QStringLiteral("101"), kDay, QStringLiteral("168"),
                                  QStringLiteral("0.5"), QStringLiteral("84"), at(start));
        Clock clock;
        clock.fix(at(now));
        const RoomCharges::Result r = RoomCharges(h.db(), s, clock).recalc(RoomCharges::CallSite::Login);
        QCOMPARE(r.error, QString());
        const QString expected = kDay + QStringLiteral(" 168 ") + quantity + u' ' + amount;
        QCOMPARE(line(h.db(), id), expected);
        QCOMPARE(r.changed.size(), 1);
        QCOMPARE(describe(r.changed.first()), QString::number(id) + QStringLiteral(" 101 ") + expected);
        QVERIFY(r.convertedRooms.isEmpty());
        QCOMPARE(roomState(h.db(), QStringLiteral("101")), QStringLiteral("占用"));
    }

    // A "钟点房费" line at 30 an hour in a "钟点房" room of type 标准间 (168 a day; the room's own
    // discounted price is 150 and must not be used).
    void hourlyRule_data() {
        QTest::addColumn<QString>("minimum");
        QTest::addColumn<QString>("toDay");
        QTest::addColumn<bool>("typeExists");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("expected"); // item price quantity amount
        QTest::addColumn<QString>("state");
        const QString one = QStringLiteral("1"), two = QStringLiteral("2"), three = QStringLiteral("3");
        const QString hourly = QStringLiteral("钟点房"), occupied = QStringLiteral("占用");
        auto row = [](const char* name, const QString& minimum, const QString& toDay, bool typeExists,
                      const char* start, const char* now, const QString& expected, const QString& state) {
            QTest::newRow(name) << minimum << toDay << typeExists << QString::fromLatin1(start)
                                << QString::fromLatin1(now) << expected << state;
        };
        const char* s = "2026-03-01 10:00:00";
        row("10:40 one started hour", one, three, true, s, "2026-03-01 10:40:00",
            kHourly + QStringLiteral(" 30 1 30"), hourly);
        row("10:59 still one hour", one, three, true, s, "2026-03-01 10:59:59",
            kHourly + QStringLiteral(" 30 1 30"), hourly);
        row("11:00 a full hour starts the next", one, three, true, s, "2026-03-01 11:00:00",
            kHourly + QStringLiteral(" 30 2 60"), hourly);
        row("11:20 two hours", one, three, true, s, "2026-03-01 11:20:00",
            kHourly + QStringLiteral(" 30 2 60"), hourly);
        row("12:05 becomes a day room", one, three, true, s, "2026-03-01 12:05:00",
            kDay + QStringLiteral(" 168 0.5 84"), occupied);
        row("2 hours 1 minute becomes a day room", one, three, true, s, "2026-03-01 12:01:00",
            kDay + QStringLiteral(" 168 0.5 84"), occupied);
        row("converted after 18:00 takes a whole day", one, three, true, s, "2026-03-01 18:30:00",
            kDay + QStringLiteral(" 168 1 168"), occupied);
        row("converted the next afternoon", one, three, true, s, "2026-03-02 15:00:00",
            kDay + QStringLiteral(" 168 1.5 252"), occupied);
        row("minimum 2, 59 minutes", two, three, true, s, "2026-03-01 10:59:00",
            kHourly + QStringLiteral(" 30 2 60"), hourly);
        row("minimum 2, second hour", two, three, true, s, "2026-03-01 11:30:00",
            kHourly + QStringLiteral(" 30 2 60"), hourly);
        row("minimum 2, third started hour converts", two, three, true, s, "2026-03-01 12:00:00",
            kDay + QStringLiteral(" 168 0.5 84"), occupied);
        row("minimum equals conversion, h = 3 stays hourly", three, three, true, s, "2026-03-01 12:05:00",
            kHourly + QStringLiteral(" 30 3 90"), hourly);
        row("minimum equals conversion, h = 4 converts", three, three, true, s, "2026-03-01 13:05:00",
            kDay + QStringLiteral(" 168 0.5 84"), occupied);
        row("room type without a row converts at 0", one, three, false, s, "2026-03-01 12:05:00",
            kDay + QStringLiteral(" 0 0.5 0"), occupied);
    }
    void hourlyRule() {
        HOTEL_REQUIRE_ENGINE();
        QFETCH(QString, minimum);
        QFETCH(QString, toDay);
        QFETCH(bool, typeExists);
        QFETCH(QString, start);
        QFETCH(QString, now);
        QFETCH(QString, expected);
        QFETCH(QString, state);
        TestHotel h;
        AppSettings s = automatic();
        s.hourlyMinimumHours = minimum;
        s.hourlyToDayHours = toDay;
        if (typeExists)
            addType(h.db(), QStringLiteral("标准间"), QStringLiteral("168"));
        addType(h.db(), QStringLiteral("豪华间"), QStringLiteral("388"));
        addRoom(h.db(), QStringLiteral("101"), QStringLiteral("标准间"), QStringLiteral("钟点房"),
                QStringLiteral("150"));
        addRoom(h.db(), QStringLiteral("102"), QStringLiteral("豪华间"), QStringLiteral("钟点房"));
        const qint64 id = addLine(h.db(), QStringLiteral("101"), kHourly, QStringLiteral("30"),
                                  QStringLiteral("1"), QStringLiteral("30"), at(start));
        Clock clock;
        clock.fix(at(now));
        const RoomCharges::Result r = RoomCharges(h.db(), s, clock).recalc(RoomCharges::CallSite::CheckOut);
        QCOMPARE(r.error, QString());
        QCOMPARE(line(h.db(), id), expected);
        QCOMPARE(roomState(h.db(), QStringLiteral("101")), state);
        QCOMPARE(roomState(h.db(), QStringLiteral("102")), QStringLiteral("钟点房"));
        const bool converted = state == QStringLiteral("占用");
        QCOMPARE(r.convertedRooms, converted ? QStringList{QStringLiteral("101")} : QStringList());
        QCOMPARE(r.changed.size(), 1);
        QCOMPARE(r.changed.first().converted, converted);
        QCOMPARE(describe(r.changed.first()), QString::number(id) + QStringLiteral(" 101 ") + expected);
    }

    // A converted line accrues by the day from its original start on the next run.
    void convertedLineStaysADayLine() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        const AppSettings s = automatic();
        addType(h.db(), QStringLiteral("标准间"), QStringLiteral("168"));
        addRoom(h.db(), QStringLiteral("101"), QStringLiteral("标准间"), QStringLiteral("钟点房"));
        const qint64 id =
            addLine(h.db(), QStringLiteral("101"), kHourly, QStringLiteral("30"), QStringLiteral("1"),
                    QStringLiteral("30"), at(QStringLiteral("2026-03-01 10:00:00")));
        Clock clock;
        clock.fix(at(QStringLiteral("2026-03-01 12:05:00")));
        RoomCharges charges(h.db(), s, clock);
        QCOMPARE(charges.recalc(RoomCharges::CallSite::CheckOut).error, QString());
        clock.fix(at(QStringLiteral("2026-03-02 19:00:00")));
        const RoomCharges::Result r = charges.recalc(RoomCharges::CallSite::CheckOut);
        QCOMPARE(r.error, QString());
        QCOMPARE(line(h.db(), id), kDay + QStringLiteral(" 168 2 336"));
        QVERIFY(r.convertedRooms.isEmpty());
        QCOMPARE(roomState(h.db(), QStringLiteral("101")), QStringLiteral("占用"));
    }

    // Only "房费" and "钟点房费" accrue, and only when the setting is exactly "自动计算".
    void otherLinesAndModes_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("accrues");
        QTest::newRow("自动计算") << QStringLiteral("自动计算") << true;
        QTest::newRow("不自动计算") << QStringLiteral("不自动计算") << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("padded") << QStringLiteral(" 自动计算") << false;
    }
    void otherLinesAndModes() {
        HOTEL_REQUIRE_ENGINE();
        QFETCH(QString, mode);
        QFETCH(bool, accrues);
        TestHotel h;
        AppSettings s;
        s.roomChargeMode = mode;
        addType(h.db(), QStringLiteral("标准间"), QStringLiteral("168"));
        addRoom(h.db(), QStringLiteral("101"), QStringLiteral("标准间"), QStringLiteral("钟点房"));
        addRoom(h.db(), QStringLiteral("102"), QStringLiteral("标准间"), QStringLiteral("占用"));
        const QDateTime start = at(QStringLiteral("2026-03-01 10:00:00"));
        const qint64 day = addLine(h.db(), QStringLiteral("102"), kDay, QStringLiteral("168"),
                                   QStringLiteral("0.5"), QStringLiteral("84"), start);
        const qint64 hourly = addLine(h.db(), QStringLiteral("101"), kHourly, QStringLiteral("30"),
                                      QStringLiteral("1"), QStringLiteral("30"), start);
        const qint64 oldDay =
            addLine(h.db(), QStringLiteral("102"), QStringLiteral("原房费"), QStringLiteral("168"),
                    QStringLiteral("0.5"), QStringLiteral("84"), start);
        const qint64 oldHourly =
            addLine(h.db(), QStringLiteral("102"), QStringLiteral("原钟点房费"), QStringLiteral("30"),
                    QStringLiteral("1"), QStringLiteral("30"), start);
        const qint64 returned =
            addLine(h.db(), QStringLiteral("102"), QStringLiteral("房费[退]"), QStringLiteral("168"),
                    QStringLiteral("-0.5"), QStringLiteral("-84"), start);
        const qint64 beer = addLine(h.db(), QStringLiteral("102"), QStringLiteral("啤酒"),
                                    QStringLiteral("12.5"), QStringLiteral("2"), QStringLiteral("25"), start);
        Clock clock;
        clock.fix(at(QStringLiteral("2026-03-03 19:00:00")));
        const RoomCharges::Result r = RoomCharges(h.db(), s, clock).recalc(RoomCharges::CallSite::Login);
        QCOMPARE(r.error, QString());
        QCOMPARE(line(h.db(), day),
                 kDay + (accrues ? QStringLiteral(" 168 3 504") : QStringLiteral(" 168 0.5 84")));
        QCOMPARE(line(h.db(), hourly),
                 accrues ? kDay + QStringLiteral(" 168 3 504") : kHourly + QStringLiteral(" 30 1 30"));
        QCOMPARE(roomState(h.db(), QStringLiteral("101")),
                 accrues ? QStringLiteral("占用") : QStringLiteral("钟点房"));
        QCOMPARE(r.changed.size(), accrues ? 2 : 0);
        QCOMPARE(line(h.db(), oldDay), QStringLiteral("原房费 168 0.5 84"));
        QCOMPARE(line(h.db(), oldHourly), QStringLiteral("原钟点房费 30 1 30"));
        QCOMPARE(line(h.db(), returned), QStringLiteral("房费[退] 168 -0.5 -84"));
        QCOMPARE(line(h.db(), beer), QStringLiteral("啤酒 12.5 2 25"));
    }

    void emptyBillTable() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        const AppSettings s = automatic();
        Clock clock;
        clock.fix(at(QStringLiteral("2026-03-01 10:00:00")));
        const RoomCharges::Result r = RoomCharges(h.db(), s, clock).recalc(RoomCharges::CallSite::Login);
        QCOMPARE(r.error, QString());
        QVERIFY(r.changed.isEmpty());
    }

    // An error stops the run at its row: the rows before it keep their new values, the rest their old ones.
    void errorStopsAtTheRow_data() {
        QTest::addColumn<int>("site");
        QTest::addColumn<QString>("broken"); // what is wrong
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("written"); // lines updated before the error (of: day A, day B, hourly)
        const QString login = QStringLiteral("房费数据含有不自动计算的数据1,错误提示：");
        const QString checkout = QStringLiteral("房费数据含有不自动计算的数据2,错误提示：");
        QTest::newRow("empty half-day hour, login")
            << int(RoomCharges::CallSite::Login) << QStringLiteral("halfDay")
            << login + QStringLiteral("“”不是有效的整数") << 0;
        QTest::newRow("letters in full-day hour, check-out")
            << int(RoomCharges::CallSite::CheckOut) << QStringLiteral("fullDay")
            << checkout + QStringLiteral("“18点”不是有效的整数") << 0;
        QTest::newRow("hourly minimum not a number")
            << int(RoomCharges::CallSite::CheckOut) << QStringLiteral("minimum")
            << checkout + QStringLiteral("“1.5”不是有效的整数") << 2;
        QTest::newRow("second line without a start")
            << int(RoomCharges::CallSite::Login) << QStringLiteral("nullStart")
            << login + QStringLiteral("消费时间“”不是有效的日期时间") << 1;
        QTest::newRow("database refuses the second line")
            << int(RoomCharges::CallSite::Login) << QStringLiteral("trigger") << QString() << 1;
    }
    void errorStopsAtTheRow() {
        HOTEL_REQUIRE_ENGINE();
        QFETCH(int, site);
        QFETCH(QString, broken);
        QFETCH(QString, message);
        QFETCH(int, written);
        TestHotel h;
        AppSettings s = automatic();
        if (broken == QStringLiteral("halfDay"))
            s.halfDayHour = QString();
        if (broken == QStringLiteral("fullDay"))
            s.fullDayHour = QStringLiteral("18点");
        if (broken == QStringLiteral("minimum"))
            s.hourlyMinimumHours = QStringLiteral("1.5");
        addType(h.db(), QStringLiteral("标准间"), QStringLiteral("168"));
        addRoom(h.db(), QStringLiteral("101"), QStringLiteral("标准间"), QStringLiteral("占用"));
        addRoom(h.db(), QStringLiteral("102"), QStringLiteral("标准间"), QStringLiteral("占用"));
        addRoom(h.db(), QStringLiteral("103"), QStringLiteral("标准间"), QStringLiteral("钟点房"));
        const QDateTime start = at(QStringLiteral("2026-03-01 10:00:00"));
        const qint64 a = addLine(h.db(), QStringLiteral("101"), kDay, QStringLiteral("168"),
                                 QStringLiteral("0.5"), QStringLiteral("84"), start);
        const qint64 b =
            addLine(h.db(), QStringLiteral("102"), kDay, QStringLiteral("168"), QStringLiteral("0.5"),
                    QStringLiteral("84"), broken == QStringLiteral("nullStart") ? QDateTime() : start);
        const qint64 c = addLine(h.db(), QStringLiteral("103"), kHourly, QStringLiteral("30"),
                                 QStringLiteral("1"), QStringLiteral("30"), start);
        if (broken == QStringLiteral("trigger")) {
            const QString id = QString::number(b);
            if (h.db().isSqlite()) {
                h.db().exec(
                    QStringLiteral("create trigger refuse_line before update on 店内消费记录 when old.ID=") +
                    id + QStringLiteral(" begin select raise(abort,'refused'); end"));
            } else {
                h.db().exec(
                    QStringLiteral("create function refuse_line() returns trigger language plpgsql as "
                                   "$$ begin if old.ID=") +
                    id + QStringLiteral(" then raise exception 'refused'; end if; return new; end $$"));
                h.db().exec(QStringLiteral("create trigger refuse_line before update on 店内消费记录 "
                                           "for each row execute function refuse_line()"));
            }
        }
        Clock clock;
        clock.fix(at(QStringLiteral("2026-03-02 11:30:00")));
        const RoomCharges::Result r =
            RoomCharges(h.db(), s, clock).recalc(static_cast<RoomCharges::CallSite>(site));
        if (broken == QStringLiteral("trigger")) { // the database's own text follows the call site's message
            QVERIFY2(r.error.startsWith(RoomCharges::errorPrefix(RoomCharges::CallSite::Login)),
                     qPrintable(r.error));
            QVERIFY2(r.error.contains(QStringLiteral("refused")), qPrintable(r.error));
        } else {
            QCOMPARE(r.error, message);
        }
        QCOMPARE(r.changed.size(), written);
        QCOMPARE(line(h.db(), a),
                 kDay + (written >= 1 ? QStringLiteral(" 168 1 168") : QStringLiteral(" 168 0.5 84")));
        QCOMPARE(line(h.db(), b),
                 kDay + (written >= 2 ? QStringLiteral(" 168 1 168") : QStringLiteral(" 168 0.5 84")));
        QCOMPARE(line(h.db(), c), kHourly + QStringLiteral(" 30 1 30"));
        QCOMPARE(roomState(h.db(), QStringLiteral("103")), QStringLiteral("钟点房"));
    }

    // The conversion's price query takes the room number as a value, whatever it holds.
    void roomNumberIsNeverSpliced() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        const AppSettings s = automatic();
        const QString room = QStringLiteral("1' or '1'='1");
        addType(h.db(), QStringLiteral("豪华间"), QStringLiteral("388"));
        addType(h.db(), QStringLiteral("标准间"), QStringLiteral("168"));
        addRoom(h.db(), room, QStringLiteral("标准间"), QStringLiteral("钟点房"));
        const qint64 id = addLine(h.db(), room, kHourly, QStringLiteral("30"), QStringLiteral("1"),
                                  QStringLiteral("30"), at(QStringLiteral("2026-03-01 10:00:00")));
        Clock clock;
        clock.fix(at(QStringLiteral("2026-03-01 13:00:00")));
        const RoomCharges::Result r = RoomCharges(h.db(), s, clock).recalc(RoomCharges::CallSite::CheckOut);
        QCOMPARE(r.error, QString());
        QCOMPARE(line(h.db(), id), kDay + QStringLiteral(" 168 0.5 84"));
        QCOMPARE(roomState(h.db(), room), QStringLiteral("占用"));
        QCOMPARE(r.convertedRooms, QStringList{room});
    }

    void roundAmountDue_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("shown");
        const QString up = QStringLiteral("取整加一"), nearest = QStringLiteral("四舍五入"),
                      cut = QStringLiteral("取整"), keep = QStringLiteral("含角分");
        auto row = [](const QString& rule, const char* amount, const char* shown) {
            QTest::addRow("%s %s", qPrintable(rule), amount)
                << rule << QString::fromLatin1(amount) << QString::fromLatin1(shown);
        };
        row(up, "120.00", "120");
        row(up, "120.01", "121");
        row(up, "12.1", "13");
        row(up, "12.0", "12");
        row(up, "0.0001", "1");
        row(nearest, "120.50", "120");
        row(nearest, "121.50", "122");
        row(nearest, "12.5", "12");
        row(nearest, "13.5", "14");
        row(nearest, "12.51", "13");
        row(nearest, "12.49", "12");
        row(cut, "12.9", "12");
        row(cut, "12.0", "12");
        row(keep, "12.35", "12.35");
        row(keep, "120.50", "120.5");
        row(keep, "120", "120");
        row(QStringLiteral("其他"), "12.35", "12.35");
    }
    void roundAmountDue() {
        QFETCH(QString, rule);
        QFETCH(QString, amount);
        QFETCH(QString, shown);
        AppSettings s;
        s.roundingRule = rule;
        QCOMPARE(RoomCharges::roundAmountDue(m(amount), s), shown);
    }

    // Group 101 (rooms 101 and 102): 168 × 1.5 = 252, 12.5 × 3 = 37.5, 25 × 2 = 50 and 0.0001 × 1 take
    // part (339.5001); 45 × 1 does not, nor the 100 of group 201.
    void discountedValue_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("value");
        const QString amount = QStringLiteral("金额折扣处理"), unit = QStringLiteral("单价折扣处理");
        auto row = [](const QString& rule, const char* rate, const char* value) {
            QTest::addRow("%s %s", qPrintable(rule), rate)
                << rule << QString::fromLatin1(rate) << QString::fromLatin1(value);
        };
        row(amount, "10", "339.5001");
        row(amount, "8", "271.6001");   // 271.60008
        row(amount, "5", "169.75");     // 169.75005: one rounding, ties to even
        row(amount, "8.5", "288.5751"); // 288.575085
        row(amount, "0", "0");
        row(QStringLiteral("其他"), "8", "271.6001");
        row(unit, "10", "341");    // 12.5 goes to 13 even without a discount
        row(unit, "8", "271");     // 134.4→134, 10, 20, 0
        row(unit, "5", "170");     // 84, 6.25→6, 12.5→13 (half away from zero), 0
        row(unit, "8.5", "289.5"); // 142.8→143, 10.625→11, 21.25→21, 0
    }
    void discountedValue() {
        HOTEL_REQUIRE_ENGINE();
        QFETCH(QString, rule);
        QFETCH(QString, rate);
        QFETCH(QString, value);
        TestHotel h;
        AppSettings s;
        s.discountRule = rule;
        const QDateTime t = at(QStringLiteral("2026-03-01 10:00:00"));
        const QString g = QStringLiteral("101");
        addLine(h.db(), g, kDay, QStringLiteral("168"), QStringLiteral("1.5"), QStringLiteral("252"), t);
        addLine(h.db(), g, QStringLiteral("啤酒"), QStringLiteral("12.5"), QStringLiteral("3"),
                QStringLiteral("37.5"), t);
        addLine(h.db(), QStringLiteral("102"), QStringLiteral("果盘"), QStringLiteral("25"),
                QStringLiteral("2"), QStringLiteral("50"), t, g);
        addLine(h.db(), g, QStringLiteral("零头"), QStringLiteral("0.0001"), QStringLiteral("1"),
                QStringLiteral("0.0001"), t);
        addLine(h.db(), g, QStringLiteral("香烟"), QStringLiteral("45"), QStringLiteral("1"),
                QStringLiteral("45"), t, g, QStringLiteral("否"));
        addLine(h.db(), QStringLiteral("201"), QStringLiteral("茶水"), QStringLiteral("100"),
                QStringLiteral("1"), QStringLiteral("100"), t);
        Clock clock;
        clock.fix(t);
        const RoomCharges charges(h.db(), s, clock);
        QCOMPARE(charges.discountedValue(g, m(rate)).toString(), value);
        QCOMPARE(charges.discountedValue(QStringLiteral("301"), m(rate)).toString(), QStringLiteral("0"));
    }

    void roundToYuanAway_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("rounded");
        QTest::newRow("12.5") << QStringLiteral("12.5") << QStringLiteral("13");
        QTest::newRow("13.5") << QStringLiteral("13.5") << QStringLiteral("14");
        QTest::newRow("12.4999") << QStringLiteral("12.4999") << QStringLiteral("12");
        QTest::newRow("-12.5") << QStringLiteral("-12.5") << QStringLiteral("-13");
        QTest::newRow("-12.4999") << QStringLiteral("-12.4999") << QStringLiteral("-12");
        QTest::newRow("0.5") << QStringLiteral("0.5") << QStringLiteral("1");
    }
    void roundToYuanAway() {
        QFETCH(QString, amount);
        QFETCH(QString, rounded);
        QCOMPARE(m(amount).roundToYuanAway().toString(), rounded);
    }
};

QTEST_GUILESS_MAIN(TestRoomCharges)
#include "tst_roomcharges.moc"
