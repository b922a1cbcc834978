// The fixed part of every start: the user's settings and the shared files of the data folder.
#include "data/car_book.h"
#include "data/print_forms.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

#include <benchmark/benchmark.h>

#include <QSettings>
#include <QTemporaryDir>

namespace tovrel::bench {
namespace {

void BM_LoadPrintForms(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("PrintSet.dat"));
    PrintForms forms;
    QString error;
    ResetAllPrintForms(forms);
    SavePrintForms(path, forms, &error);
    for (auto _ : state) {
        LoadPrintForms(path, forms, &error);
        benchmark::DoNotOptimize(forms[15].rows[20].item.size());
    }
}
BENCHMARK(BM_LoadPrintForms)->Unit(benchmark::kMicrosecond);

void BM_LoadItemLists(benchmark::State& state) {
    QTemporaryDir dir;
    CarBook book;
    book.dataFolder = dir.path() + QLatin1Char('/');
    Settings settings;
    QString error;
    book.LoadItemLists(settings, &error);  // writes the defaults
    for (auto _ : state) {
        book.LoadItemLists(settings, &error);
        benchmark::DoNotOptimize(book.lists.Car[1].size());
    }
}
BENCHMARK(BM_LoadItemLists)->Unit(benchmark::kMicrosecond);

// The other way: every list, the maintenance settings and the forms written back.
void BM_SaveItemLists(benchmark::State& state) {
    QTemporaryDir dir;
    CarBook book;
    book.dataFolder = dir.path() + QLatin1Char('/');
    Settings settings;
    QString error;
    book.LoadItemLists(settings, &error);
    for (auto _ : state)
        benchmark::DoNotOptimize(book.SaveItemLists(settings, &error));
}
BENCHMARK(BM_SaveItemLists)->Unit(benchmark::kMicrosecond);

// Argument 0: the store holds the three values of a fresh set-up; 1: every value, as the program
// leaves it after saving the settings once.
void BM_LoadSettings(benchmark::State& state) {
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettingsStore store;
    store.SetValue(QStringLiteral("Setting"), QStringLiteral("DataPath"), dir.path() + QLatin1Char('/'));
    store.SetValue(QStringLiteral("Setting"), QStringLiteral("DataMaxSel"), QStringLiteral("1"));
    store.SetValue(QStringLiteral("System"), QStringLiteral("Version"), QStringLiteral("2.0.B"));
    Settings settings;
    if (state.range(0) == 1) {
        LoadSettings(store, settings, SettingsLoadContext{});
        SaveSettings(store, settings, 1);
    }
    store.Sync();
    for (auto _ : state) {
        SettingsLoadContext context;
        context.currentCar = 1;
        LoadSettings(store, settings, context);
        benchmark::DoNotOptimize(settings.Capacity);
    }
}
BENCHMARK(BM_LoadSettings)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tovrel::bench
