#include "bench_data.h"

#include "calc/economy.h"
#include "data/log_file.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

namespace tovrel::bench {
namespace {

void BM_LoadLogFile2000(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Mivra01.dat"));
    RecordTable source(2000);
    FillLog(source, 2000);
    QString error;
    SaveLogFile(path, source, &error);
    RecordTable table(2000);
    for (auto _ : state) {
        LoadLogFile(path, table, &error);
        benchmark::DoNotOptimize(table.RecordCount());
    }
}
BENCHMARK(BM_LoadLogFile2000)->Unit(benchmark::kMillisecond);

// Reading the bytes into cell texts and checking them, without the file and the table around it.
void BM_ParseLogData2000(benchmark::State& state) {
    RecordTable source(2000);
    FillLog(source, 2000);
    const QByteArray bytes = FormatLogData(source);
    const RecordTable shownIn(2000);
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseLogData(bytes, &shownIn).records.size());
}
BENCHMARK(BM_ParseLogData2000)->Unit(benchmark::kMillisecond);

void BM_SaveLogFile2000(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Mivra01.dat"));
    RecordTable table(2000);
    FillLog(table, 2000);
    QString error;
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveLogFile(path, table, &error));
}
BENCHMARK(BM_SaveLogFile2000)->Unit(benchmark::kMillisecond);

void BM_RecalcStatus2000(benchmark::State& state) {
    RecordTable table(2000);
    FillLog(table, 2000);
    for (auto _ : state)
        benchmark::DoNotOptimize(RecalcStatus(table, 0, 0).averageEconomy);
}
BENCHMARK(BM_RecalcStatus2000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovrel::bench

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
