// Start-up of the program to the first painted list, with ten cars of 2,000 records each.
#include "bench_data.h"

#include "settings/settings.h"
#include "settings/settings_store.h"
#include "ui/main_window.h"
#include "ui/widgets/list_grid.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace tovrel::bench {
namespace {

class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

void BM_StartupToFirstPaintedList(benchmark::State& state) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    WriteTenCars(folder);
    for (auto _ : state) {
        MapSettingsStore store;
        store.SetValue(QStringLiteral("Setting"), QStringLiteral("DataPath"), folder);
        store.SetValue(QStringLiteral("Setting"), QStringLiteral("DataMaxSel"), QStringLiteral("1"));
        store.SetValue(QStringLiteral("System"), QStringLiteral("Version"), QStringLiteral("2.0.B"));
        Settings settings;
        QElapsedTimer clock;
        clock.start();
        TMivraMainForm form(settings, store);
        FirstPaint probe;
        form.grid()->viewport()->installEventFilter(&probe);
        form.show();
        while (!probe.painted) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        state.PauseTiming();
        form.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToFirstPaintedList)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovrel::bench
