#include "session/import_log.h"

#include "data/record_table.h"
#include "session/logbook.h"

namespace tovrel {

ImportPlan PlanLogImport(const Logbook& book, const ImportFile& file, const ImportChoices& choices) {
    const ImportCar car{book.settings(), book.CarValue(book.settings().RunTani),
                        book.CarValue(book.settings().GasTani)};
    const RecordTable& table = book.table();
    if (!table.IsSearchActive()) return PlanImport(file, choices, table, car);
    RecordTable full(table.Capacity());
    full.SetCostZeroDisp(table.CostZeroDisp());
    full.SetRecordCount(table.FullCount());
    for (int i = 1; i <= table.FullCount(); ++i)
        full.SetRecord(i, table.SearchBackup().value(i));
    return PlanImport(file, choices, full, car);
}

bool CommitLogImport(Logbook& book, const ImportPlan& plan, QString* refusal) {
    if (book.table().IsSearchActive()) book.ShowAll();
    if (!ApplyImport(book.table(), plan, refusal)) return false;
    book.RecalcStatus();
    return true;
}

}  // namespace tovrel
