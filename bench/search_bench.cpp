// Search, show-all and the two range tools over a log of 2,000 records.
#include "bench_data.h"

#include "calc/combined_fill.h"
#include "calc/odometer_recalc.h"
#include "session/logbook.h"
#include "settings/settings_store.h"

#include <benchmark/benchmark.h>

namespace tovrel::bench {
namespace {

constexpr int kRecords = 2000;

// A session on the 2,000 records, with maintenance jobs and a shop on every other refuelling, so
// that all seven texts are compared on many records.
struct Session {
    Session() {
        book.table().SetCapacity(kRecords);
        FillLog(book.table(), kRecords);
        for (int i = 2; i <= kRecords; i += 2) {
            if (book.table().Kind(i) != KindFuel) continue;
            book.table().SetText(i, ColMainte, QStringLiteral("ﾜｲﾊﾟｰ交換:1,500:"));
            book.table().SetText(i, ColShop, QStringLiteral("ショップＢ"));
        }
    }
    MapSettingsStore store;
    Settings settings;
    Logbook book{settings, store};
};

SearchConditions SevenTexts() {
    SearchConditions c;
    c.weather = QStringLiteral("晴");
    c.gasSel = QStringLiteral("レギュ");
    c.stand = QStringLiteral("スタンド");
    c.pattern = QStringLiteral("通勤");
    c.mainteText = QStringLiteral("交換");
    c.shop = QStringLiteral("ショップ");
    c.memo = QStringLiteral("窓");
    return c;
}

// Argument 1: fuel types and stations shifted as well.
void BM_Search2000SevenTexts(benchmark::State& state) {
    Session s;
    SearchConditions c = SevenTexts();
    c.shiftGasSel = c.shiftStand = state.range(0) != 0;
    const QDate today(2030, 1, 1);
    int matches = 0;
    for (auto _ : state) {
        matches = s.book.Search(c, today);
        state.PauseTiming();
        s.book.ShowAll();
        state.ResumeTiming();
    }
    state.counters["matches"] = matches;
}
BENCHMARK(BM_Search2000SevenTexts)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ShowAll2000(benchmark::State& state) {
    Session s;
    const SearchConditions c = SevenTexts();
    const QDate today(2030, 1, 1);
    for (auto _ : state) {
        state.PauseTiming();
        s.book.Search(c, today);
        state.ResumeTiming();
        s.book.ShowAll();
    }
}
BENCHMARK(BM_ShowAll2000)->Unit(benchmark::kMillisecond);

void BM_CombinedFill2000(benchmark::State& state) {
    Session s;
    RecordTable& table = s.book.table();
    for (auto _ : state) {
        CombinedFill fill(table, 1, kRecords, 1, false);
        fill.Type(FillField::Run, QStringLiteral("600000"));
        benchmark::DoNotOptimize(fill.Apply(table, nullptr));
    }
}
BENCHMARK(BM_CombinedFill2000)->Unit(benchmark::kMillisecond);

void BM_OdometerRecalc2000(benchmark::State& state) {
    Session s;
    RecordTable& table = s.book.table();
    OdometerOptions options;
    options.overwrite = true;
    options.maintenance = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(RecalcOdometer(table, 1, kRecords, options, nullptr));
}
BENCHMARK(BM_OdometerRecalc2000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovrel::bench
