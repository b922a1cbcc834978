// Opening the entry dialog on a 2,000-record log, from the click until the dialog is shown, painted
// and idle: for a new record and for editing one, the first opening after the dialog was made and
// the later ones. TOVREL_ENTRY_BENCH_DATA may name a data folder (ending in "/") to use instead of
// the generated one, e.g. a copy of one made by the sample-data tool, with its item lists.
#include "bench_data.h"

#include "session/logbook.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "ui/entry_dialog.h"
#include "ui/main_list_model.h"
#include "ui/main_window.h"
#include "ui/widgets/list_grid.h"
#include "ui/warning_form.h"

#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

namespace tovrel::bench {
namespace {

// Ten cars of 2,000 records; the start-up car's log is kept one short of the capacity so that a
// new record may still be added.
class Session {
public:
    Session() {
        QString folder = m_dir.path() + QLatin1Char('/');
        if (qEnvironmentVariableIsSet("TOVREL_ENTRY_BENCH_DATA"))
            folder = qEnvironmentVariable("TOVREL_ENTRY_BENCH_DATA");
        else
            WriteTenCars(folder);
        m_store.SetValue(QStringLiteral("Setting"), QStringLiteral("DataPath"), folder);
        m_store.SetValue(QStringLiteral("Setting"), QStringLiteral("DataMaxSel"), QStringLiteral("1"));
        m_store.SetValue(QStringLiteral("System"), QStringLiteral("Version"), QStringLiteral("2.0.B"));
    }

    // A main window after its start-up check; its entry dialog exists but has never been shown.
    std::unique_ptr<TMivraMainForm> OpenWindow() {
        auto form = std::make_unique<TMivraMainForm>(m_settings, m_store);
        form->show();
        while (!form->StartupChecked())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        // The start-up warnings follow 100 ms later; their window is not part of what is measured.
        Settle(200);
        form->warningForm()->close();
        RecordTable& table = form->book().table();
        if (table.RecordCount() >= table.Capacity()) table.RemoveRange(table.Capacity(), table.Capacity());
        // The record that the edit opens is selected and in view.
        form->grid()->selectionModel()->setCurrentIndex(
            form->grid()->model()->index(MainListModel::RowOfSlot(1000), 1),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        return form;
    }

    // Before each click: the main window active again and every repaint done, as when the user clicks.
    static void Ready(TMivraMainForm& form) {
        form.activateWindow();
        Settle(30);
    }

private:
    static void Settle(int ms) {
        QElapsedTimer wait;
        wait.start();
        while (wait.elapsed() < ms)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }

    QTemporaryDir m_dir;
    MapSettingsStore m_store;
    Settings m_settings;
};

// Times one opening: the flow runs the dialog modally; once it is painted and the queued events have
// run, the clock stops and the dialog is closed without changes.
class OpenProbe : public QObject {
public:
    explicit OpenProbe(TMivraInputForm* dialog) : m_dialog(dialog) { dialog->installEventFilter(this); }

    double Measure(const std::function<void()>& flow) {
        m_painted = false;
        m_seconds = 0;
        m_clock.start();
        flow();
        return m_seconds;
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            // Idle: the event loop is about to wait, with nothing left to do.
            auto* dispatcher = QAbstractEventDispatcher::instance();
            m_idle = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
                disconnect(m_idle);
                m_seconds = m_clock.nsecsElapsed() / 1e9;
                QTimer::singleShot(0, m_dialog, [this] { m_dialog->done(QDialog::Rejected); });
            });
        }
        return false;
    }

private:
    TMivraInputForm* m_dialog;
    QElapsedTimer m_clock;
    QMetaObject::Connection m_idle;
    bool m_painted = false;
    double m_seconds = 0;
};

enum class Flow { New, Edit };

double OpenOnce(TMivraMainForm& form, OpenProbe& probe, Flow flow) {
    Session::Ready(form);
    return probe.Measure([&] { flow == Flow::New ? form.NewSpeedButtonClick() : form.EditItemClick(); });
}

// The first opening of a freshly made dialog (a new main window for each iteration).
void FirstOpen(benchmark::State& state, Flow flow) {
    Session session;
    for (auto _ : state) {
        auto form = session.OpenWindow();
        OpenProbe probe(form->entryDialog());
        state.SetIterationTime(OpenOnce(*form, probe, flow));
        form.reset();
    }
}

// Later openings of the same dialog.
void LaterOpen(benchmark::State& state, Flow flow) {
    Session session;
    auto form = session.OpenWindow();
    OpenProbe probe(form->entryDialog());
    OpenOnce(*form, probe, flow);
    for (auto _ : state)
        state.SetIterationTime(OpenOnce(*form, probe, flow));
}

void BM_EntryFirstOpenNew(benchmark::State& state) {
    FirstOpen(state, Flow::New);
}
void BM_EntryFirstOpenEdit(benchmark::State& state) {
    FirstOpen(state, Flow::Edit);
}
void BM_EntryLaterOpenNew(benchmark::State& state) {
    LaterOpen(state, Flow::New);
}
void BM_EntryLaterOpenEdit(benchmark::State& state) {
    LaterOpen(state, Flow::Edit);
}
BENCHMARK(BM_EntryFirstOpenNew)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EntryFirstOpenEdit)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EntryLaterOpenNew)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EntryLaterOpenEdit)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovrel::bench
