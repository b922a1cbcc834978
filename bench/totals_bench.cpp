#include "bench_data.h"

#include "base/file_io.h"
#include "data/car_book.h"
#include "data/log_file.h"
#include "settings/settings.h"
#include "totals/category_totals.h"
#include "totals/period_totals.h"
#include "totals/startup_warnings.h"

#include <benchmark/benchmark.h>

#include <QDate>
#include <QTemporaryDir>

namespace tovrel::bench {
namespace {

// FillLog spreads 2,000 records over about 17 years; 240 months cover them all.
void BM_PeriodTotals240Months(benchmark::State& state) {
    RecordTable table(2000);
    FillLog(table, 2000);
    const Settings settings;
    for (auto _ : state) {
        const PeriodTotals t = ComputePeriodTotals(table, settings, QStringLiteral("2005/01"),
                                                   QStringLiteral("2024/12"), 0, QStringLiteral("km"));
        benchmark::DoNotOptimize(t.grid.RowCount());
    }
}
BENCHMARK(BM_PeriodTotals240Months)->Unit(benchmark::kMillisecond);

void BM_CategoryTotals(benchmark::State& state) {
    RecordTable table(2000);
    FillLog(table, 2000);
    const Settings settings;
    const ItemLists lists = DefaultItemLists();
    const MainteSettings& mainte = DefaultMainteSettings();
    for (auto _ : state) {
        for (int mode = 0; mode < 4; ++mode) {
            const CategoryTotals t = ComputeCategoryTotals(table, settings, lists, mainte, mode,
                                                           QStringLiteral("2005/01"), QStringLiteral("2024/12"), 0);
            benchmark::DoNotOptimize(t.grid.RowCount());
        }
    }
    state.SetLabel("all four modes per iteration");
}
BENCHMARK(BM_CategoryTotals)->Unit(benchmark::kMillisecond);

void BM_StartupCheckTenCars(benchmark::State& state) {
    QTemporaryDir dir;
    CarBook book;
    book.dataFolder = dir.path() + QLatin1Char('/');
    book.lists = DefaultItemLists();
    book.mainte = DefaultMainteSettings();
    for (int car = 1; car <= 10; ++car) {
        book.lists.Car[car] = QStringLiteral("車") + QString::number(car);
        RecordTable table(2000);
        FillLog(table, 2000);
        QString error;
        SaveLogFile(book.CarFileName(QStringLiteral("Mivra"), car), table, &error);
    }
    Settings settings;
    settings.Capacity = 2000;
    for (auto _ : state) {
        const StartupWarnings w = CollectStartupWarnings(book, settings, QDate(2024, 6, 1));
        benchmark::DoNotOptimize(w.lines.size());
    }
}
BENCHMARK(BM_StartupCheckTenCars)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovrel::bench
