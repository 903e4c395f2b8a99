// Room charge accrual over a busy hotel: 2,000 open room-charge lines (1,500 by the day, 500 by the
// hour) among 2,000 occupied rooms with their other bill lines, on a SQLite hotel in a temporary folder.
// The baseline writes the same values with one prepared plain update per line in one transaction.

#include "billing/roomcharges.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"
#include "db/tdm.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kRooms = 2000;
constexpr int kHourlyEvery = 4; // every fourth room is let by the hour

struct Hotel {
    QTemporaryDir dir;
    std::unique_ptr<TDM> dm;
    AppSettings settings;
    Clock clock;
    QList<RoomCharges::ChangedLine> expected; // what one run writes
};

Hotel& hotel() {
    static Hotel* h = [] {
        auto* x = new Hotel;
        x->dm = std::make_unique<TDM>(x->dir.path(), QStringLiteral("bench"));
        x->settings.roomChargeMode = QStringLiteral("自动计算");
        x->clock.fix(QDateTime(QDate(2026, 3, 10), QTime(15, 30)));
        const DbSession& db = x->dm->main();
        const QStringList types{QStringLiteral("标准间"), QStringLiteral("大床房"), QStringLiteral("双人间"),
                                QStringLiteral("商务间"), QStringLiteral("豪华套房")};
        const int prices[] = {168, 198, 218, 288, 588};
        Transaction tx(db);
        for (int t = 0; t < types.size(); ++t)
            SqlQuery(db, QStringLiteral(
                             "insert into 酒店包房类型 (包房类型,单价,钟点房价) values (:类型,:单价,:钟点)"))
                .bind(QStringLiteral("类型"), types[t])
                .bind(QStringLiteral("单价"), Money::fromInt(prices[t]))
                .bind(QStringLiteral("钟点"), Money::fromInt(prices[t] / 5))
                .exec();
        SqlQuery room(db, QStringLiteral("insert into 酒店手牌表 (手牌号,包房类型,使用状态,主牌,开单时间) "
                                         "values (:手牌号,:类型,:状态,:手牌号,:时间)"));
        SqlQuery line(
            db, QStringLiteral("insert into 店内消费记录 (手牌号,主牌,消费项目,单价,消费数量,金额,消费时间,"
                               "参与打折,退菜,状态) values (:手牌号,:手牌号,:项目,:单价,:数量,:金额,:时间,"
                               ":打折,:退菜,:状态)"));
        auto addLine = [&](const QString& no, const QString& item, Money price, Money qty,
                           const QDateTime& t) {
            line.bind(QStringLiteral("手牌号"), no)
                .bind(QStringLiteral("项目"), item)
                .bind(QStringLiteral("单价"), price)
                .bind(QStringLiteral("数量"), qty)
                .bind(QStringLiteral("金额"), price * qty)
                .bind(QStringLiteral("时间"), t)
                .bind(QStringLiteral("打折"), QStringLiteral("是"))
                .bind(QStringLiteral("退菜"), QStringLiteral("否"))
                .bind(QStringLiteral("状态"), QStringLiteral("即起"))
                .exec();
        };
        const QDateTime now = x->clock.now();
        for (int i = 0; i < kRooms; ++i) {
            const QString no = QString::number(100 * (1 + i / 100) + i % 100 + 1); // floors of 100 rooms
            const int t = i % types.size();
            const bool hourly = i % kHourlyEvery == 0;
            // Hourly rooms opened within the last two hours stay hourly, so every run does the same work.
            const QDateTime start =
                hourly ? now.addSecs(-60 * (5 + i % 110)) : now.addSecs(-3600 * (2 + i % 100));
            room.bind(QStringLiteral("手牌号"), no)
                .bind(QStringLiteral("类型"), types[t])
                .bind(QStringLiteral("状态"), hourly ? QStringLiteral("钟点房") : QStringLiteral("占用"))
                .bind(QStringLiteral("时间"), start)
                .exec();
            if (hourly)
                addLine(no, QStringLiteral("钟点房费"), Money::fromInt(prices[t] / 5), Money::fromInt(1),
                        start);
            else
                addLine(no, QStringLiteral("房费"), Money::fromInt(prices[t]), Money::fromRaw(5000), start);
            addLine(no, QStringLiteral("矿泉水"), Money::fromInt(3), Money::fromInt(2), start.addSecs(600));
            addLine(no, QStringLiteral("啤酒"), Money::fromRaw(125000), Money::fromInt(3),
                    start.addSecs(1200));
        }
        tx.commit();
        const RoomCharges::Result r =
            RoomCharges(db, x->settings, x->clock).recalc(RoomCharges::CallSite::Login);
        if (!r.error.isEmpty() || r.changed.size() != kRooms || !r.convertedRooms.isEmpty())
            throw HotelError(QStringLiteral("bench set-up: ") + r.error);
        x->expected = r.changed;
        return x;
    }();
    return *h;
}

void BM_RecalcRoomCharges(benchmark::State& state) {
    Hotel& h = hotel();
    const RoomCharges charges(h.dm->main(), h.settings, h.clock);
    for (auto _ : state) {
        const RoomCharges::Result r = charges.recalc(RoomCharges::CallSite::Login);
        if (r.changed.size() != kRooms)
            state.SkipWithError("recalc did not write every line");
        benchmark::DoNotOptimize(r.changed.data());
    }
    state.SetItemsProcessed(state.iterations() * kRooms);
}
BENCHMARK(BM_RecalcRoomCharges)->Unit(benchmark::kMillisecond);

// The same writes, values known in advance: one prepared update per line in one transaction.
void BM_BaselinePlainUpdates(benchmark::State& state) {
    Hotel& h = hotel();
    const DbSession& db = h.dm->main();
    QSqlDatabase conn = db.database();
    for (auto _ : state) {
        db.exec(QStringLiteral("BEGIN IMMEDIATE"));
        QSqlQuery q(conn);
        q.prepare(QStringLiteral("update 店内消费记录 set 消费数量=?,金额=? where ID=?"));
        for (const RoomCharges::ChangedLine& c : std::as_const(h.expected)) {
            q.bindValue(0, qlonglong(c.quantity.raw()));
            q.bindValue(1, qlonglong(c.amount.raw()));
            q.bindValue(2, qlonglong(c.id));
            if (!q.exec())
                state.SkipWithError("update failed");
        }
        db.exec(QStringLiteral("COMMIT"));
    }
    state.SetItemsProcessed(state.iterations() * kRooms);
}
BENCHMARK(BM_BaselinePlainUpdates)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    try {
        benchmark::RunSpecifiedBenchmarks();
    } catch (const HotelError& e) {
        fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
