// Saving a 2,000-record log with the backup of the replaced file and without: a save with backups
// on must stay under twice the time of one without.
#include "bench_data.h"

#include "base/backups.h"
#include "base/file_io.h"
#include "data/car_book.h"
#include "data/log_file.h"
#include "session/data_folder_guard.h"
#include "settings/settings.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <optional>

namespace tovrel::bench {
namespace {

// Arg: the generations kept (0: backups off), or -1 for no data folder guard at all; a second arg of 1
// fills the backup folder first with ten generations of every other data file.
void BM_SaveLogFileWithBackups2000(benchmark::State& state) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QString path = folder + QStringLiteral("Mivra01.dat");
    Settings settings;
    std::optional<DataFolderGuard> guard;
    if (state.range(0) >= 0) {
        settings.BackupGenerations = int(state.range(0));
        guard.emplace(settings, false);
        guard->Open(folder);
    }
    QString error;
    if (state.range(1) == 1) {
        QDir().mkpath(BackupFolder(folder));
        for (const QString& name : DataFileNames()) {
            if (name == QStringLiteral("Mivra01.dat")) continue;
            for (int g = 0; g < 10; ++g) {
                WriteFileAtomically(
                    BackupFolder(folder) + name +
                        QStringLiteral(".20240101-0000%1-000").arg(g, 2, 10, QLatin1Char('0')),
                    "x", &error);
            }
        }
    }
    RecordTable table(2000);
    FillLog(table, 2000);
    SaveLogFile(path, table, &error);
    bool flip = false;
    for (auto _ : state) {
        // Every save changes one letter: the file has the same size, so the backup must compare the
        // bytes before it knows that something changed (its slowest way).
        FuelRecord r = table.GetRecord(1000);
        r.text[ColMemo] = (flip = !flip) ? QStringLiteral("a") : QStringLiteral("b");
        table.SetRecord(1000, r);
        benchmark::DoNotOptimize(SaveLogFile(path, table, &error));
    }
}
BENCHMARK(BM_SaveLogFileWithBackups2000)
    ->Args({-1, 0})
    ->Args({0, 0})
    ->Args({10, 0})
    ->Args({10, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovrel::bench
