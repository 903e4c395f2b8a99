#include "roomcharges.h"

#include "core/appsettings.h"
#include "core/clock.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"

#include <optional>

namespace {

const QString kDayItem = QStringLiteral("房费");
const QString kHourlyItem = QStringLiteral("钟点房费");

// A moment as the wall clock shows it. The rules count calendar dates and clock hours, and taking the
// parts once per row keeps time-zone look-ups out of the per-row work.
struct WallTime {
    QDate date;
    QTime time;
    bool isValid() const { return date.isValid() && time.isValid(); }
};

WallTime wallTime(const QDateTime& t) {
    return {t.date(), t.time()};
}

// The storage text "yyyy-MM-dd HH:mm:ss" is read directly; anything else goes through the general parser.
WallTime wallTime(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return wallTime(v.toDateTime());
    const QString s = v.toString();
    if (s.size() == 19 && s[4] == u'-' && s[7] == u'-' && s[10] == u' ' && s[13] == u':' && s[16] == u':') {
        bool ok = true;
        auto part = [&](int from, int length) {
            bool good = false;
            const int n = QStringView(s).mid(from, length).toInt(&good);
            ok = ok && good;
            return n;
        };
        const QDate d(part(0, 4), part(5, 2), part(8, 2));
        const QTime t(part(11, 2), part(14, 2), part(17, 2));
        if (ok && d.isValid() && t.isValid())
            return {d, t};
    }
    return wallTime(SqlQuery::dateTimeFromVariant(v));
}

struct OpenLine {
    qint64 id = 0;
    QString room;
    Money price;
    QString startText;
    WallTime start;
};

// Reads the whole selection first, so that the rows are not written under an open cursor.
QList<OpenLine> readLines(const DbSession& db, const QString& item) {
    SqlQuery q(db,
               QStringLiteral("select ID,手牌号,单价,消费时间 from 店内消费记录 where 消费项目=:消费项目"));
    q.bind(QStringLiteral("消费项目"), item).exec();
    QList<OpenLine> out;
    while (q.next()) {
        OpenLine l;
        l.id = q.value(0).toLongLong();
        l.room = q.text(1);
        l.price = q.money(2);
        const QVariant start = q.value(3);
        l.start = wallTime(start);
        if (!l.start.isValid())
            l.startText = SqlQuery::textFromVariant(start);
        out.append(std::move(l));
    }
    return out;
}

// The settings are texts; each use converts them afresh, and a text that is no integer stops the run.
int settingInt(const QString& value) {
    bool ok = false;
    const int v = value.toInt(&ok);
    if (!ok)
        throw HotelError(QStringLiteral("“%1”不是有效的整数").arg(value));
    return v;
}

const WallTime& checkedStart(const OpenLine& l) {
    if (!l.start.isValid())
        throw HotelError(QStringLiteral("消费时间“%1”不是有效的日期时间").arg(l.startText));
    return l.start;
}

Money dayRule(const QDate& start, const WallTime& now, const AppSettings& settings) {
    const int halfDayHour = settingInt(settings.halfDayHour);
    const int fullDayHour = settingInt(settings.fullDayHour);
    const bool wholeDayMinimum = settings.minimumDays == QStringLiteral("1");
    const Money half = Money::fromRaw(Money::Scale / 2);
    const Money one = Money::fromInt(1);
    const int hour = now.time.hour();
    const qint64 days = DateText::calendarDays(start, now.date);

    if (hour < fullDayHour && hour >= halfDayHour) {
        const Money q = Money::fromInt(days) + half;
        return wholeDayMinimum && q < one ? one : q;
    }
    if (hour >= fullDayHour)
        return Money::fromInt(days + 1);
    if (days == 0)
        return wholeDayMinimum ? one : half;
    return Money::fromInt(days);
}

// Wall-clock difference, as the hotel's clock on the wall shows the hours.
qint64 hoursStarted(const WallTime& start, const WallTime& now) {
    const qint64 seconds = start.date.daysTo(now.date) * 86400 + start.time.secsTo(now.time);
    return seconds / 3600 + 1;
}

// The run's statements, prepared once and re-bound for every row.
class Writer {
public:
    explicit Writer(const DbSession& db)
        : m_db(db),
          m_update(db, QStringLiteral("update 店内消费记录 set 消费数量=:消费数量,金额=:金额 where ID=:ID")) {
    }

    // The room type's list price of `room`; 0 when the room or its type has no row.
    Money listPrice(const QString& room) {
        if (!m_price)
            m_price.emplace(m_db,
                            QStringLiteral("select 单价 from 酒店包房类型 where 包房类型=(select 包房类型 "
                                           "from 酒店手牌表 where 手牌号=:手牌号)"));
        m_price->bind(QStringLiteral("手牌号"), room).exec();
        return m_price->next() ? m_price->money(0) : Money();
    }

    // Writes one line; a converted line also takes its new item and price, and its room becomes "占用".
    void write(const RoomCharges::ChangedLine& line) {
        if (!line.converted) {
            m_update.bind(QStringLiteral("消费数量"), line.quantity)
                .bind(QStringLiteral("金额"), line.amount)
                .bind(QStringLiteral("ID"), line.id)
                .exec();
            return;
        }
        if (!m_convert)
            m_convert.emplace(m_db, QStringLiteral("update 店内消费记录 set 消费项目=:消费项目,单价=:单价,"
                                                   "消费数量=:消费数量,金额=:金额 where ID=:ID"));
        m_convert->bind(QStringLiteral("消费项目"), line.item)
            .bind(QStringLiteral("单价"), line.price)
            .bind(QStringLiteral("消费数量"), line.quantity)
            .bind(QStringLiteral("金额"), line.amount)
            .bind(QStringLiteral("ID"), line.id)
            .exec();
        if (!m_roomState)
            m_roomState.emplace(
                m_db, QStringLiteral("update 酒店手牌表 set 使用状态=:使用状态 where 手牌号=:手牌号"));
        m_roomState->bind(QStringLiteral("使用状态"), QStringLiteral("占用"))
            .bind(QStringLiteral("手牌号"), line.room)
            .exec();
    }

private:
    const DbSession& m_db;
    SqlQuery m_update;
    std::optional<SqlQuery> m_convert, m_price, m_roomState;
};

} // namespace

RoomCharges::RoomCharges(const DbSession& db, const AppSettings& settings, const Clock& clock)
    : m_db(db), m_settings(settings), m_clock(clock) {}

QString RoomCharges::errorPrefix(CallSite site) {
    return site == CallSite::Login ? QStringLiteral("房费数据含有不自动计算的数据1,错误提示：")
                                   : QStringLiteral("房费数据含有不自动计算的数据2,错误提示：");
}

RoomCharges::Result RoomCharges::recalc(CallSite site) const {
    Result result;
    if (!m_settings.roomChargesAutomatic())
        return result;

    // True while a statement runs: after a database error the server may have dropped the whole
    // transaction, so the rows written before it are written again in a fresh one.
    bool inStatement = false;
    // Declared first so that it goes last: a server frees its statements only once the transaction is over.
    std::optional<Writer> writer;
    std::optional<Transaction> tx;
    try {
        inStatement = true;
        tx.emplace(m_db);
        writer.emplace(m_db);
        const QList<OpenLine> dayLines = readLines(m_db, kDayItem);
        inStatement = false;
        result.changed.reserve(dayLines.size());
        for (const OpenLine& l : dayLines) {
            const WallTime now = wallTime(m_clock.now());
            ChangedLine c{l.id, l.room, kDayItem, l.price, {}, {}, false};
            c.quantity = dayRule(checkedStart(l).date, now, m_settings);
            c.amount = c.price * c.quantity;
            inStatement = true;
            writer->write(c);
            inStatement = false;
            result.changed.append(std::move(c));
        }

        inStatement = true;
        const QList<OpenLine> hourlyLines = readLines(m_db, kHourlyItem);
        inStatement = false;
        result.changed.reserve(result.changed.size() + hourlyLines.size());
        for (const OpenLine& l : hourlyLines) {
            const WallTime now = wallTime(m_clock.now());
            const WallTime& start = checkedStart(l);
            const qint64 minimum = settingInt(m_settings.hourlyMinimumHours);
            const qint64 toDay = settingInt(m_settings.hourlyToDayHours);
            const qint64 h = hoursStarted(start, now);
            ChangedLine c{l.id, l.room, kHourlyItem, l.price, {}, {}, false};
            if (h <= minimum || h < toDay) {
                c.quantity = Money::fromInt(h <= minimum ? minimum : h);
            } else {
                // Ran too long: a day line from the same start, at the room type's list price (not the
                // discounted price of the check-in).
                c.quantity = dayRule(start.date, now, m_settings);
                c.item = kDayItem;
                c.converted = true;
                inStatement = true;
                c.price = writer->listPrice(l.room);
                inStatement = false;
            }
            c.amount = c.price * c.quantity;
            inStatement = true;
            writer->write(c);
            inStatement = false;
            if (c.converted && !result.convertedRooms.contains(c.room))
                result.convertedRooms << c.room;
            result.changed.append(std::move(c));
        }
        tx->commit();
    } catch (const HotelError& e) {
        result.error = errorPrefix(site) + e.message();
        // Rows already written keep their new values.
        try {
            if (!inStatement && tx) {
                tx->commit();
            } else {
                tx.reset();
                writer.reset();
                if (!result.changed.isEmpty()) {
                    Transaction again(m_db);
                    writer.emplace(m_db);
                    for (const ChangedLine& c : std::as_const(result.changed))
                        writer->write(c);
                    again.commit();
                }
            }
        } catch (const HotelError&) {
            // Nothing of this run reached the database; the first error is the one reported.
            result.changed.clear();
            result.convertedRooms.clear();
        }
    }
    return result;
}

Money RoomCharges::dayQuantity(const QDateTime& start, const QDateTime& now, const AppSettings& settings) {
    return dayRule(start.date(), wallTime(now), settings);
}

qint64 RoomCharges::startedHours(const QDateTime& start, const QDateTime& now) {
    return hoursStarted(wallTime(start), wallTime(now));
}

QString RoomCharges::roundAmountDue(Money amount, const AppSettings& settings) {
    const Money::YuanRounding mode = settings.yuanRounding();
    if (mode == Money::YuanRounding::Keep)
        return amount.toString();
    return amount.roundYuan(mode).toFixed(0);
}

Money RoomCharges::discountedValue(const QString& mainRoom, Money rateTenths) const {
    if (m_settings.discountRule == QStringLiteral("单价折扣处理")) {
        // Each discounted unit price goes to whole yuan (half away from zero, as the servers' round()
        // does for money) before it is multiplied by the line's quantity.
        SqlQuery q(m_db, QStringLiteral("select 单价,消费数量 from 店内消费记录 where 主牌=:主牌 and "
                                        "参与打折=:参与打折 order by ID"));
        q.bind(QStringLiteral("主牌"), mainRoom)
            .bind(QStringLiteral("参与打折"), QStringLiteral("是"))
            .exec();
        Money total;
        while (q.next()) {
            const Money unit = q.money(0).mulDiv(rateTenths, 10).roundToYuanAway();
            total += q.money(1) * unit;
        }
        return total;
    }
    // "金额折扣处理" (and any other value): the discountable sum at the rate, rounded once to four places.
    SqlQuery q(m_db,
               QStringLiteral("select sum(金额) from 店内消费记录 where 主牌=:主牌 and 参与打折=:参与打折"));
    q.bind(QStringLiteral("主牌"), mainRoom).bind(QStringLiteral("参与打折"), QStringLiteral("是")).exec();
    const Money sum = q.next() ? q.money(0) : Money();
    return sum.mulDiv(rateTenths, 10);
}
