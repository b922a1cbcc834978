// The report of the main list with 2,000 records: laying it out, and the layout with the window's grid.
#include "bench_data.h"

#include "output/csv_export.h"
#include "output/report_layout.h"
#include "settings/settings.h"

#include <benchmark/benchmark.h>

namespace tovrel::bench {
namespace {

// Sizes of the default fonts, as the renderer measures them.
ReportMetrics DefaultMetrics() {
    ReportMetrics m;
    m.title = QSizeF(60, 4.4);
    m.name = QSizeF(20, 3.7);
    m.month = QSizeF(40, 3.7);
    m.cell = QSizeF(6.35, 3.3);
    m.page = QSizeF(8, 2.6);
    m.date = QSizeF(20, 2.6);
    return m;
}

void BM_ReportLayoutForm1(benchmark::State& state) {
    RecordTable table(2000);
    FillLog(table, 2000);
    PrintForms forms;
    ResetAllPrintForms(forms);
    const Settings settings;
    const ListSource source = MainListSource(table);
    const ReportTexts texts = MakeReportTexts(forms[1], source, QStringLiteral("車"), QDate(2024, 1, 1));
    for (auto _ : state) {
        const ReportLayout layout =
            LayoutReport(forms[1], source, settings, texts, DefaultMetrics(), QSizeF(297, 210));
        benchmark::DoNotOptimize(layout.rows.size());
    }
    state.SetLabel("landscape, maintenance lines continued");
}
BENCHMARK(BM_ReportLayoutForm1)->Unit(benchmark::kMillisecond);

void BM_ReportLayoutForm1WithGrid(benchmark::State& state) {
    RecordTable table(2000);
    FillLog(table, 2000);
    PrintForms forms;
    ResetAllPrintForms(forms);
    const Settings settings;
    for (auto _ : state) {
        const ListSource source = MainListSource(table);
        const ReportTexts texts = MakeReportTexts(forms[1], source, QStringLiteral("車"), QDate(2024, 1, 1));
        const ReportLayout layout =
            LayoutReport(forms[1], source, settings, texts, DefaultMetrics(), QSizeF(210, 297));
        benchmark::DoNotOptimize(layout.rows.size());
    }
}
BENCHMARK(BM_ReportLayoutForm1WithGrid)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovrel::bench
