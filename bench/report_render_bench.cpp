// The report of the main list with 2,000 records drawn: as a PDF file, and in the preview window until
// its pages are there. Run with QT_QPA_PLATFORM=offscreen or under xvfb-run.
#include "bench_data.h"

#include "base/file_io.h"
#include "data/log_file.h"
#include "output/csv_export.h"
#include "session/logbook.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "ui/preview_form.h"
#include "ui/report_renderer.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace tovrel::bench {
namespace {

struct Session {
    Session() {
        folder = dir.path() + QLatin1Char('/');
        RecordTable table(2000);
        FillLog(table, 2000);
        QString error;
        SaveLogFile(folder + QStringLiteral("Mivra01.dat"), table, &error);
        WriteFileAtomically(folder + QStringLiteral("Setting.dat"),
                            EncodeCp932Lines({QStringLiteral("[Car]"), QStringLiteral("01=*車")}), nullptr);
        store.SetValue(QStringLiteral("Setting"), QStringLiteral("DataPath"), folder);
        store.SetValue(QStringLiteral("Setting"), QStringLiteral("DataMaxSel"), QStringLiteral("1"));
        store.SetValue(QStringLiteral("System"), QStringLiteral("Version"), QStringLiteral("2.0.B"));
        book.Start({}, &error);
        book.SelectCar(1, &error);
    }

    QTemporaryDir dir;
    QString folder;
    MapSettingsStore store;
    Settings settings;
    Logbook book{settings, store};
};

void BM_ReportPdfForm1(benchmark::State& state) {
    Session s;
    const ReportJob job(s.book, 1, MainListSource(s.book.table()), QDate(2024, 1, 1));
    int pages = 0;
    for (auto _ : state) {
        QString error;
        if (!WriteReportPdf(s.folder + QStringLiteral("list.pdf"), job, QPageSize(QPageSize::A4),
                            QPageLayout::Portrait, &error))
            state.SkipWithError(error.toUtf8().constData());
        pages = job.Layout(QSizeF(210, 297)).PageCount();
    }
    state.SetLabel(std::to_string(pages) + " pages");
}
BENCHMARK(BM_ReportPdfForm1)->Unit(benchmark::kMillisecond);

void BM_PreviewForm1FirstPage(benchmark::State& state) {
    Session s;
    TPreviewForm preview(s.store);
    QWidget opener;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        StartPrintJob(&opener, s.book, 1, MainListSource(s.book.table()));
        QApplication::processEvents();
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        if (preview.PageCount() < 1) state.SkipWithError("no page shown");
        state.PauseTiming();
        preview.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PreviewForm1FirstPage)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovrel::bench
