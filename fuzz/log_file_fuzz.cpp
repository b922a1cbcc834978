// The log data file from any bytes: load, save, reload and save again, then every list and the
// start-up warnings over the records.
#include "calc/economy.h"
#include "data/car_book.h"
#include "data/log_file.h"
#include "data/print_forms.h"
#include "data/record_table.h"
#include "fuzz_support.h"
#include "output/csv_export.h"
#include "output/list_sources.h"
#include "settings/settings.h"
#include "totals/category_totals.h"
#include "totals/maintenance_due.h"
#include "totals/month_range.h"
#include "totals/period_totals.h"
#include "totals/startup_warnings.h"

#include <cstddef>
#include <cstdint>

using namespace tovrel;

namespace {

void EveryList(const RecordTable& table, const QByteArray& saved) {
    static const Settings settings;
    static const PrintForms forms = [] {
        PrintForms f;
        ResetAllPrintForms(f);
        return f;
    }();
    const QDate today(2024, 6, 1);
    RecalcStatus(table, 0, 0);

    QString start = QStringLiteral("2000/01");
    QString end = QStringLiteral("2001/12");
    WholeLogMonthTexts(table, &start, &end);
    const PeriodTotals period = ComputePeriodTotals(table, settings, start, end, 0, QStringLiteral("km"));
    BuildCsvLines(forms[4], PeriodTotalsSource(period), true);
    for (int mode = 0; mode <= 3; ++mode) {
        const CategoryTotals category = ComputeCategoryTotals(table, settings, DefaultItemLists(),
                                                              DefaultMainteSettings(), mode, start, end, 0);
        BuildCsvLines(forms[8 + 2 * mode], CategoryTotalsSource(category), true);
    }
    BuildCsvLines(forms[1], MainListSource(table), true);
    BuildCsvLines(forms[2], MainListSource(table), false);

    CarInfo info;
    info.NousyaDate = QStringLiteral("2004/01/01");
    info.MainteCheck[1] = 1;
    const DueTable due = ComputeDue(table, DefaultMainteSettings(), info, settings, 0, today);
    for (int choice = 0; choice <= 6; ++choice) {
        const TextGrid grid = ApplySort(due, choice);
        if (choice == saved.size() % 7) BuildCsvLines(forms[6], DueTableSource(grid), true);
    }

    // Another car's log is read from its file.
    CarBook book;
    book.dataFolder = fuzz::Scratch();
    book.lists = DefaultItemLists();
    book.mainte = DefaultMainteSettings();
    fuzz::WriteScratch(QStringLiteral("Mivra01.dat"), saved);
    StartupWarnings warnings = CollectStartupWarnings(book, settings, today);
    FinishStartupWarnings(warnings);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (fuzz::SetUp(), true);
    (void)ready;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Mostly a small capacity, so that records beyond it occur and runs stay fast; now and then the
    // real one, whose keys wrap after 999.
    const int capacity = size % 7 == 0 ? 1000 : (size % 3 == 0 ? 4 : 60);

    RecordTable table(capacity);
    ReadLogData(bytes, table);
    // The records move into the table: those it shows and those kept beyond its capacity.
    const qsizetype records = table.RecordCount() + table.Overflow().size();
    table.SortRecords();
    const QByteArray saved = FormatLogData(table);

    // What the program writes it understands in full, with every record of the file.
    const LogContent reread = ParseLogData(saved);
    TOVREL_FUZZ_CHECK(reread.problems.isEmpty());
    TOVREL_FUZZ_CHECK(reread.countAgrees);
    TOVREL_FUZZ_CHECK(reread.records.size() == records);

    // Saving twice gives the same bytes.
    RecordTable again(capacity);
    ReadLogData(saved, again);
    again.SortRecords();
    fuzz::CheckSameBytes(saved, FormatLogData(again), "the first and the second save");
    TOVREL_FUZZ_CHECK(again.RecordCount() == table.RecordCount());

    EveryList(table, saved);
    return 0;
}
