// The room board's refreshes without painting: shuaxinmain (every page's queries and models)
// for 1,000 rooms in 10 types, and shuaxindan (one room) against the same statements run plainly.
#include "app/roomboardservice.h"
#include "app/ui/roompagemodel.h"
#include "db/sqlquery.h"
#include "db/tdm.h"

#include <QGuiApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct Hotel {
    QTemporaryDir dir;
    std::unique_ptr<TDM> dm;
    Hotel() {
        dm = std::make_unique<TDM>(dir.path(), QStringLiteral("bench"));
        const DbSession& db = dm->main();
        Transaction tx(db);
        const QStringList states = {QStringLiteral("空闲"), QStringLiteral("占用"), QStringLiteral("脏台"),
                                    QStringLiteral("钟点房"), QStringLiteral("预定")};
        for (int t = 1; t <= 10; ++t) {
            const QString type = QStringLiteral("类型%1").arg(t);
            SqlQuery(db, QStringLiteral("insert into 酒店包房类型 (包房类型) values (:t)"))
                .bind(QStringLiteral("t"), type)
                .exec();
            for (int r = 1; r <= 100; ++r) {
                const QString no = QString::number(t * 1000 + r);
                SqlQuery(db,
                         QStringLiteral(
                             "insert into 酒店手牌表 (手牌号,包房类型,使用状态,主牌) values (:n,:t,:s,:n)"))
                    .bind(QStringLiteral("n"), no)
                    .bind(QStringLiteral("t"), type)
                    .bind(QStringLiteral("s"), states[r % states.size()])
                    .exec();
            }
        }
        tx.commit();
    }
};

Hotel& hotel() {
    static Hotel h;
    return h;
}

void BM_shuaxinmain(benchmark::State& state) {
    const RoomBoardService board(hotel().dm->main());
    QList<RoomPageModel*> models;
    for (int i = 0; i < RoomBoardService::kMaxPages; ++i)
        models << new RoomPageModel;
    for (auto _ : state) {
        const auto types = board.pageTypes();
        for (int i = 0; i < types.size(); ++i)
            models[i]->fill(board.roomsOfType(types[i].name));
    }
    benchmark::DoNotOptimize(models[9]->rowCount());
    qDeleteAll(models);
}
BENCHMARK(BM_shuaxinmain)->Unit(benchmark::kMillisecond);

void BM_shuaxinmain_plainSql(benchmark::State& state) {
    QSqlDatabase db = hotel().dm->main().database();
    for (auto _ : state) {
        QSqlQuery types(db);
        types.exec(QStringLiteral("select * from 酒店包房类型 order by id"));
        QStringList names;
        while (types.next() && names.size() < 10)
            names << types.value(1).toString();
        qsizetype n = 0;
        for (const QString& t : names) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral(
                "select 手牌号,使用状态,主牌 from 酒店手牌表 where 包房类型=? order by 手牌号"));
            q.addBindValue(t);
            q.exec();
            while (q.next())
                n += q.value(0).toString().size();
        }
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_shuaxinmain_plainSql)->Unit(benchmark::kMillisecond);

void BM_shuaxindan(benchmark::State& state) {
    const RoomBoardService board(hotel().dm->main());
    RoomPageModel model;
    model.fill(board.roomsOfType(QStringLiteral("类型5")));
    for (auto _ : state) {
        const auto tile = board.room(QStringLiteral("5050"));
        benchmark::DoNotOptimize(model.refresh(tile));
    }
}
BENCHMARK(BM_shuaxindan)->Unit(benchmark::kMicrosecond);

void BM_shuaxindan_plainSql(benchmark::State& state) {
    QSqlDatabase db = hotel().dm->main().database();
    for (auto _ : state) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("select 手牌号,使用状态,主牌 from 酒店手牌表 where 手牌号=?"));
        q.addBindValue(QStringLiteral("5050"));
        q.exec();
        q.next();
        benchmark::DoNotOptimize(q.value(1).toString());
    }
}
BENCHMARK(BM_shuaxindan_plainSql)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // the room icons are pixmaps
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
