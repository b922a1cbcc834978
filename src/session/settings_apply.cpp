#include "session/settings_apply.h"

#include "session/logbook.h"
#include "settings/settings.h"

namespace tovrel {

namespace {

void AddError(SettingsApplyResult& result, const QString& error) {
    if (error.isEmpty()) return;
    if (!result.errors.isEmpty()) result.errors += QLatin1Char('\n');
    result.errors += error;
}

bool DataFolderChanges(const Logbook& book, const SettingsDraft& draft) {
    return NormalizeDataPath(draft.DataPath) != NormalizeDataPath(book.settings().DataPath);
}

}  // namespace

bool SettingsApplyReloadsCar(const Logbook& book, const SettingsDraft& draft) {
    return CarNamesDiffer(draft, book.book()) || DataFolderChanges(book, draft);
}

int SettingsApplySteps(const Logbook& book) {
    return int(CarsWithMainteChecks(book.book(), book.settings().MainteSelect).size()) + 21;
}

SettingsApplyResult ApplySettingsDraft(Logbook& book, const SettingsDraft& draft,
                                       const std::function<void()>& step) {
    const auto stepOnce = [&] {
        if (step) step();
    };
    SettingsApplyResult result;
    Settings& settings = book.settings();
    CarBook& cars = book.book();
    const int car = cars.currentCar;
    // Which cars follow the maintenance items is decided by the choice in force until now.
    const QVector<int> checkCars = CarsWithMainteChecks(cars, settings.MainteSelect);
    const bool folderChanged = DataFolderChanges(book, draft);

    const bool namesChanged = StoreDraftLists(draft, cars, stepOnce);
    stepOnce();

    result.timeInputChanged = draft.TimeInput != settings.TimeInput;
    result.weatherInputChanged = draft.WeatherInput != settings.WeatherInput;
    StoreDraftSettings(draft, settings, car);
    book.table().SetCostZeroDisp(settings.CostZeroDisp);
    stepOnce();

    QString error;
    if (!cars.SaveItemLists(settings, &error, stepOnce)) AddError(result, error);
    SaveSettings(book.store(), settings, car);
    stepOnce();

    // Before the folder changes: the moved items are those of the folder the dialog showed.
    const MainteOrder former = FormerNumbers(draft.mainte);
    const bool reordered = IsReordered(former);
    for (int checkCar : checkCars) {
        if (reordered && !RenumberMainteChecks(cars, checkCar, former, &error)) AddError(result, error);
        stepOnce();
    }
    if (reordered) cars.LoadCarInfo();
    stepOnce();

    if (folderChanged) {
        if (!book.ChangeDataFolder(NormalizeDataPath(draft.DataPath), &error)) AddError(result, error);
        result.folderNotice = book.ReadOnlyNotice();
    } else {
        settings.DataPath = NormalizeDataPath(draft.DataPath);
    }
    SaveSettings(book.store(), settings, cars.currentCar);
    stepOnce();

    result.dataFolderChanged = folderChanged;
    result.carMenusChanged = namesChanged || folderChanged;
    return result;
}

}  // namespace tovrel
