// Check-out of a 3-room group with 60 open lines and a member card paying from its stored value, on
// a SQLite hotel in a temporary folder that already holds 5,000 settled bills. The baseline runs the
// same statements as plain prepared SQL in one transaction: read the room, the lines and the sums,
// take the bill numbers, insert the header and the 60 detail rows, release the rooms, debit the card
// and delete the open lines.

#include "billing/checkoutservice.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"
#include "db/tdm.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kLinesPerRoom = 20;
const QStringList kRooms{QStringLiteral("801"), QStringLiteral("802"), QStringLiteral("803")};

struct Hotel {
    QTemporaryDir dir;
    std::unique_ptr<TDM> dm;
    AppSettings settings;
    Clock clock;
};

Hotel& hotel() {
    static Hotel* h = [] {
        auto* x = new Hotel;
        x->dm = std::make_unique<TDM>(x->dir.path(), QStringLiteral("bench"));
        x->clock.fix(QDateTime(QDate(2026, 3, 10), QTime(15, 30)));
        const DbSession& db = x->dm->main();
        Transaction tx(db);
        SqlQuery bill(
            db, QStringLiteral("insert into 消费主表 (流水号,总流水号,类型,应收,实收,结帐日期,时间) values "
                               "(:流水号,:总流水号,:类型,:应收,:应收,:日期,:日期)"));
        for (int i = 1; i <= 5000; ++i) {
            const QDate d = QDate(2025, 1, 1).addDays(i / 20);
            bill.bind(QStringLiteral("流水号"),
                      d.toString(QStringLiteral("yyyyMMdd")) +
                          QStringLiteral("%1").arg(i % 20 + 1, 4, 10, QLatin1Char('0')))
                .bind(QStringLiteral("总流水号"), qint64(i))
                .bind(QStringLiteral("类型"), QStringLiteral("现金"))
                .bind(QStringLiteral("应收"), Money::fromInt(100 + i % 300))
                .bind(QStringLiteral("日期"), QDateTime(d, QTime(12, 0)))
                .exec();
        }
        SqlQuery room(
            db, QStringLiteral(
                    "insert into 酒店手牌表 (手牌号,包房类型,使用状态,主牌) values (:n,'标准间','空闲','')"));
        for (const QString& r : kRooms)
            room.bind(QStringLiteral("n"), r).exec();
        for (int i = 0; i < 200; ++i)
            room.bind(QStringLiteral("n"), QString::number(1000 + i)).exec();
        SqlQuery(
            db,
            QStringLiteral(
                "insert into 会员卡表 (卡号,姓名,折扣率,储值金额,当前积分) values ('B1','会员','9',:b,0)"))
            .bind(QStringLiteral("b"), Money::fromInt(1000000000))
            .exec();
        tx.commit();
        return x;
    }();
    return *h;
}

// The group checked in again with its 60 lines.
void openGroup(const DbSession& db, const QDateTime& at) {
    Transaction tx(db);
    SqlQuery(
        db,
        QStringLiteral(
            "update 酒店手牌表 set 使用状态='占用',主牌=:主牌,开单时间=:t,押金=:d,会员卡号='B1',"
            "主客姓名='客人',房费打折=1,应收房费单价=:p,实收房费单价=:p where 手牌号 in ('801','802','803')"))
        .bind(QStringLiteral("主牌"), kRooms[0])
        .bind(QStringLiteral("t"), at)
        .bind(QStringLiteral("d"), Money::fromInt(100))
        .bind(QStringLiteral("p"), Money::fromInt(168))
        .exec();
    SqlQuery line(
        db, QStringLiteral(
                "insert into 店内消费记录 (手牌号,主牌,消费项目,单价,消费数量,金额,消费时间,参与打折,退菜,"
                "操作员) values (:r,:m,:i,:p,:q,:a,:t,:d,'否','admin')"));
    for (const QString& r : kRooms)
        for (int i = 0; i < kLinesPerRoom; ++i) {
            const Money price = Money::fromInt(i == 0 ? 168 : 5 + i);
            line.bind(QStringLiteral("r"), r)
                .bind(QStringLiteral("m"), kRooms[0])
                .bind(QStringLiteral("i"), i == 0 ? QStringLiteral("房费") : QStringLiteral("商品%1").arg(i))
                .bind(QStringLiteral("p"), price)
                .bind(QStringLiteral("q"), Money::fromInt(2))
                .bind(QStringLiteral("a"), price.mulInt(2))
                .bind(QStringLiteral("t"), at)
                .bind(QStringLiteral("d"), i % 3 == 0 ? QStringLiteral("否") : QStringLiteral("是"))
                .exec();
        }
    tx.commit();
}

void BM_CheckOut(benchmark::State& state) {
    Hotel& h = hotel();
    const CheckoutService svc(h.dm->main(), h.settings, h.clock);
    CheckoutService::Options o;
    o.room = kRooms[1];
    o.memberMode = true;
    o.cardNo = QStringLiteral("B1");
    for (auto _ : state) {
        state.PauseTiming();
        openGroup(h.dm->main(), h.clock.now());
        state.ResumeTiming();
        const CheckoutService::Result r = svc.settle(o);
        benchmark::DoNotOptimize(r.billNo);
    }
}
BENCHMARK(BM_CheckOut)->Unit(benchmark::kMillisecond);

void BM_BaselinePlainSql(benchmark::State& state) {
    Hotel& h = hotel();
    const DbSession& db = h.dm->main();
    for (auto _ : state) {
        state.PauseTiming();
        openGroup(db, h.clock.now());
        state.ResumeTiming();
        const QDateTime now = h.clock.now();
        Transaction tx(db);
        SqlQuery roomQ(
            db, QStringLiteral("select 主牌,开单时间,会员卡号,证件号码 from 酒店手牌表 where 手牌号=:n"));
        roomQ.bind(QStringLiteral("n"), kRooms[1]).exec();
        roomQ.next();
        const QString main = roomQ.text(0);
        SqlQuery lines(
            db, QStringLiteral("select 手牌号,消费项目,单价,消费数量,金额,技师,消费时间,操作员,退菜,退菜原因 "
                               "from 店内消费记录 where 主牌=:m order by ID"));
        lines.bind(QStringLiteral("m"), main).exec();
        QList<QVariantList> rows;
        while (lines.next()) {
            QVariantList v;
            for (int c = 0; c < 10; ++c)
                v << lines.value(c);
            rows << v;
        }
        Money sums[3];
        const QString sumSql[3] = {
            QStringLiteral("select sum(金额) from 店内消费记录 where 主牌=:m and 参与打折='是'"),
            QStringLiteral("select sum(金额) from 店内消费记录 where 主牌=:m and 参与打折='否'"),
            QStringLiteral("select sum(押金) from 酒店手牌表 where 主牌=:m")};
        for (int i = 0; i < 3; ++i) {
            SqlQuery s(db, sumSql[i]);
            s.bind(QStringLiteral("m"), main).exec();
            sums[i] = s.next() ? s.money(0) : Money();
        }
        SqlQuery cardQ(db, QStringLiteral("select 储值金额,折扣率 from 会员卡表 where 卡号='B1'"));
        cardQ.exec();
        cardQ.next();
        const Money due = (sums[0].mulDiv(Money::fromInt(9), 10) + sums[1]).roundToYuanEven();
        SqlQuery maxNo(db, QStringLiteral("select max(流水号) from 消费主表 where 流水号 like :p"));
        maxNo.bind(QStringLiteral("p"), now.toString(QStringLiteral("yyyyMMdd")) + u'%').exec();
        const QString last = maxNo.next() ? maxNo.text(0) : QString();
        const QString billNo = last.isEmpty()
                                   ? now.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("0001")
                                   : QString::number(last.toLongLong() + 1);
        SqlQuery maxTotal(db, QStringLiteral("select max(总流水号) from 消费主表"));
        maxTotal.exec();
        const qint64 total = (maxTotal.next() ? maxTotal.value(0).toLongLong() : 0) + 1;
        SqlQuery(db,
                 QStringLiteral(
                     "insert into 消费主表 (流水号,总流水号,类型,应收,实收,会员卡号,时间,结帐日期,年份,月份,"
                     "会员卡收取,现金收取,收现金,押金,手牌号) values (:n,:t,'会员卡',:a,:a,'B1',:time,:date,"
                     ":y,:mo,:a,0,0,:d,:r)"))
            .bind(QStringLiteral("n"), billNo)
            .bind(QStringLiteral("t"), total)
            .bind(QStringLiteral("a"), due)
            .bind(QStringLiteral("time"), now)
            .bind(QStringLiteral("date"), now.date())
            .bind(QStringLiteral("y"), now.date().year())
            .bind(QStringLiteral("mo"), now.date().month())
            .bind(QStringLiteral("d"), sums[2])
            .bind(QStringLiteral("r"), kRooms[1])
            .exec();
        SqlQuery ins(
            db, QStringLiteral(
                    "insert into 消费详细 (流水号,手牌号,消费项目,单价,消费数量,金额,技师,消费日期,消费时间,"
                    "操作员,退菜,退菜原因,总流水号,交班完毕) values (:n,:r,:i,:p,:q,:a,:s,:t,:t,:o,:re,"
                    ":rr,:tn,'否')"));
        for (const QVariantList& v : rows)
            ins.bind(QStringLiteral("n"), billNo)
                .bind(QStringLiteral("r"), v[0].toString())
                .bind(QStringLiteral("i"), v[1].toString())
                .bind(QStringLiteral("p"), SqlQuery::moneyFromVariant(v[2]))
                .bind(QStringLiteral("q"), SqlQuery::moneyFromVariant(v[3]))
                .bind(QStringLiteral("a"), SqlQuery::moneyFromVariant(v[4]))
                .bind(QStringLiteral("s"), v[5].toString())
                .bind(QStringLiteral("t"), SqlQuery::dateTimeFromVariant(v[6]))
                .bind(QStringLiteral("o"), v[7].toString())
                .bind(QStringLiteral("re"), v[8].toString())
                .bind(QStringLiteral("rr"), v[9].toString())
                .bind(QStringLiteral("tn"), total)
                .exec();
        SqlQuery(db, QStringLiteral(
                         "update 会员卡表 set 储值金额=储值金额-:a,当前积分=当前积分+:a,最后消费时间=:d "
                         "where 卡号='B1' and 储值金额>=:a"))
            .bind(QStringLiteral("a"), due)
            .bind(QStringLiteral("d"), now.date())
            .exec();
        SqlQuery(db, QStringLiteral(
                         "update 酒店手牌表 set 使用状态='脏台',主牌='',开单时间=null,会员卡号='',押金=0,"
                         "结账时间=:t where 主牌=:m"))
            .bind(QStringLiteral("t"), now)
            .bind(QStringLiteral("m"), main)
            .exec();
        SqlQuery(db, QStringLiteral("delete from 店内消费记录 where 主牌=:m"))
            .bind(QStringLiteral("m"), main)
            .exec();
        tx.commit();
        benchmark::DoNotOptimize(billNo);
    }
}
BENCHMARK(BM_BaselinePlainSql)->Unit(benchmark::kMillisecond);

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
