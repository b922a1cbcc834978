// Importing a spreadsheet of 2,000 fill-ups: reading, planning through the entry rules and adding
// the records to an empty log.
#include "calc/import_records.h"
#include "data/record_table.h"
#include "settings/settings.h"

#include <benchmark/benchmark.h>

#include <QDate>
#include <QLocale>

namespace tovrel::bench {
namespace {

constexpr int kRows = 2000;

// Semicolons, decimal commas and grouped odometers, a quoted memo with a line break on every
// tenth row and a partial fill on every seventh.
QByteArray Spreadsheet() {
    QByteArray bytes(
        "\xEF\xBB\xBF"
        "Date;Time;Odometer (km);Fuel (litres);Total cost;Full;Station;Notes\r\n");
    const QDate start(2010, 1, 1);
    double odometer = 10000;
    for (int i = 0; i < kRows; ++i) {
        odometer += 300 + (i * 37) % 200;
        const double litres = 25 + (i * 13) % 200 / 10.0;
        QString line = start.addDays(i * 2).toString(QStringLiteral("yyyy-MM-dd")) +
                       QStringLiteral(";%1:%2;").arg(7 + i % 12).arg(i % 60, 2, 10, QLatin1Char('0')) +
                       QLocale(QLocale::German).toString(odometer, 'f', 1) + QLatin1Char(';') +
                       QString::number(litres, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(',')) +
                       QStringLiteral(";%1;").arg(int(litres * 160)) +
                       (i % 7 == 3 ? QStringLiteral("0") : QStringLiteral("1")) +
                       QStringLiteral(";Station ") + QString::number(i % 5) + QLatin1Char(';') +
                       (i % 10 == 0 ? QStringLiteral("\"rain; then\r\nsun\"") : QString());
        bytes += line.toUtf8() + "\r\n";
    }
    return bytes;
}

void BM_Import2000(benchmark::State& state) {
    const QByteArray bytes = Spreadsheet();
    Settings settings;
    for (auto _ : state) {
        ImportFile file;
        QString error;
        ReadImportFile(bytes, &file, &error);
        RecordTable table(kRows);
        const ImportPlan plan = PlanImport(file, ImportChoices(), table, ImportCar{settings, 0, 0});
        ApplyImport(table, plan, &error);
        if (table.RecordCount() != kRows) state.SkipWithError("not every row was imported");
        benchmark::DoNotOptimize(table.RecordCount());
    }
}
BENCHMARK(BM_Import2000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovrel::bench
