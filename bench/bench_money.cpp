// Money's text parsing and exact multiplication against the plainest integer work of the same size:
// QString::toLongLong on texts of the same length, and an int64 product scaled back by 10,000.

#include "core/money.h"

#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kValues = 1024;

QStringList decimalTexts() {
    QStringList out;
    for (int i = 0; i < kValues; ++i)
        out << QString::number(1 + i * 37) + u'.' + QString::number(i % 10000).rightJustified(4, u'0');
    return out;
}

// The same texts without the decimal point: what a bare integer parse has to read.
QStringList integerTexts() {
    QStringList out;
    for (const QString& s : decimalTexts())
        out << QString(s).remove(u'.');
    return out;
}

void BM_MoneyParse(benchmark::State& state) {
    const QStringList texts = decimalTexts();
    for (auto _ : state) {
        qint64 sum = 0;
        for (const QString& s : texts)
            sum += Money::parse(s).raw();
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kValues);
}
BENCHMARK(BM_MoneyParse);

void BM_BaselineToLongLong(benchmark::State& state) {
    const QStringList texts = integerTexts();
    for (auto _ : state) {
        qint64 sum = 0;
        for (const QString& s : texts)
            sum += s.toLongLong();
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kValues);
}
BENCHMARK(BM_BaselineToLongLong);

std::vector<Money> moneyValues() {
    std::vector<Money> out;
    for (const QString& s : decimalTexts())
        out.push_back(Money::parse(s));
    return out;
}

void BM_MoneyMultiply(benchmark::State& state) {
    const std::vector<Money> values = moneyValues();
    const Money rate = Money::fromRaw(8500); // 0.85
    for (auto _ : state) {
        Money sum;
        for (Money v : values)
            sum += v * rate;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kValues);
}
BENCHMARK(BM_MoneyMultiply);

// Plain int64 product scaled back with truncation: no rounding, no overflow check.
void BM_BaselineInt64Multiply(benchmark::State& state) {
    std::vector<qint64> values;
    for (Money v : moneyValues())
        values.push_back(v.raw());
    qint64 rate = 8500;
    benchmark::DoNotOptimize(rate);
    for (auto _ : state) {
        qint64 sum = 0;
        for (qint64 v : values)
            sum += v * rate / Money::Scale;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kValues);
}
BENCHMARK(BM_BaselineInt64Multiply);

} // namespace

BENCHMARK_MAIN();
