// The trend graph: collecting 2,000 records, building the graph, drawing a page and stepping pages.
#include "bench_data.h"

#include "graph/trend_graph.h"
#include "settings/settings.h"
#include "ui/graph_chart_view.h"
#include "ui/widgets/app_setup.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

namespace tovrel::bench {
namespace {

// A chart view shown offscreen (so the chart takes its size), painted into a picture.
struct ShownChart {
    ShownChart() {
        view.setAttribute(Qt::WA_DontShowOnScreen);
        view.resize(kDefaultChartSize);
        view.show();
        QApplication::processEvents();
    }
    GraphChart* chart() { return view.graphChart(); }
    void Paint() {
        QPainter painter(&image);
        view.render(&painter);
    }
    GraphChartView view;
    QImage image{kDefaultChartSize, QImage::Format_ARGB32_Premultiplied};
};

struct Log2000 {
    Log2000() { FillLog(table, 2000); }
    TrendData Collect() const { return CollectRecordTrend(0, table, false, 12); }
    TrendGraph Build(const TrendData& data, bool all) const {
        return BuildTrendGraph(data, settings, 1, QStringLiteral("私の愛車"), {all, 10, false});
    }
    RecordTable table{2000};
    Settings settings;
};

// Collecting the data and building every point's label, value and line points.
void BM_CollectAndBuildAllPoints(benchmark::State& state) {
    const Log2000 log;
    for (auto _ : state) {
        const TrendGraph graph = log.Build(log.Collect(), true);
        benchmark::DoNotOptimize(graph.points.size());
    }
}
BENCHMARK(BM_CollectAndBuildAllPoints)->Unit(benchmark::kMillisecond);

// Handing the graph to the chart and painting it: what a redraw of the window costs.
void BM_DrawAllPoints(benchmark::State& state) {
    const Log2000 log;
    const TrendData data = log.Collect();
    const TrendGraph graph = log.Build(data, true);
    ShownChart shown;
    for (auto _ : state) {
        shown.chart()->SetGraph(data, graph, GraphStyle{});
        shown.Paint();
    }
}
BENCHMARK(BM_DrawAllPoints)->Unit(benchmark::kMillisecond);

// One press of a paging button: the next page of 10 points, painted.
void BM_PageStep(benchmark::State& state) {
    const Log2000 log;
    const TrendData data = log.Collect();
    const TrendGraph graph = log.Build(data, false);
    ShownChart shown;
    shown.chart()->SetGraph(data, graph, GraphStyle{});
    int page = 1;
    for (auto _ : state) {
        page = page % graph.PageCount() + 1;
        shown.chart()->ShowPage(page);
        shown.Paint();
    }
}
BENCHMARK(BM_PageStep)->Unit(benchmark::kMillisecond);

// The picture tovrel-cli writes, without the process around it.
void BM_RenderPictureAllPoints(benchmark::State& state) {
    const Log2000 log;
    for (auto _ : state) {
        const TrendData data = log.Collect();
        const QImage image =
            RenderGraphImage(data, log.Build(data, true), GraphStyle{}, 1, kDefaultChartSize);
        benchmark::DoNotOptimize(image.width());
    }
}
BENCHMARK(BM_RenderPictureAllPoints)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovrel::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int appArgc = 1;
    QApplication app(appArgc, argv);
    tovrel::RegisterFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
