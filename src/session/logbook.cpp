#include "session/logbook.h"

#include "base/file_io.h"
#include "base/prompter.h"
#include "base/text_utils.h"
#include "data/log_file.h"
#include "session/data_folder_guard.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

#include <utility>

namespace tovrel {

// The table is sized by Start, from the settings; until then it holds no slot worth allocating.
Logbook::Logbook(Settings& settings, SettingsStore& store)
    : m_settings(settings), m_store(store), m_table(1) {}

void Logbook::SetDataFolderOverride(const QString& folder) {
    m_dataFolderOverride = folder;
    if (!m_dataFolderOverride.isEmpty() && !m_dataFolderOverride.endsWith(QLatin1Char('/'))) {
        m_dataFolderOverride += QLatin1Char('/');
    }
    ApplyDataFolder();
}

void Logbook::ApplyDataFolder() {
    if (!m_dataFolderOverride.isEmpty()) m_settings.DataFolder = m_dataFolderOverride;
    m_book.dataFolder = m_settings.DataFolder;
    m_table.SetCostZeroDisp(m_settings.CostZeroDisp);
    // Whatever moves the session to another folder moves the lock with it.
    if (DataFolderGuard* guard = DataFolderGuard::Active()) guard->Open(m_book.dataFolder);
}

bool Logbook::ReadOnly() const {
    const DataFolderGuard* guard = DataFolderGuard::Active();
    return guard && guard->ReadOnly();
}

QString Logbook::ReadOnlyNotice() const {
    if (!ReadOnly()) return QString();
    return DataFolderGuard::Active()->HolderText() +
           QStringLiteral(
               "\n読み取り専用で開きます。データを変更しても保存できません。\n"
               "そのプログラムを終了してから開き直すと、保存できるようになります（異常終了した"
               "プログラムのロックは、同じコンピュータならすぐに、ほかのコンピュータなら %1 分後に"
               "解除されます）。")
               .arg(kLockStaleMinutes);
}

bool Logbook::Start(const std::function<void(const Settings&)>& showStartupPicture, QString* error) {
    SettingsLoadContext context;
    context.currentCar = 0;
    context.firstLoadInRun = true;
    context.showStartupPicture = showStartupPicture;
    LoadSettings(m_store, m_settings, context);
    m_table.SetCapacity(m_settings.Capacity);
    ApplyDataFolder();
    // A save cut short (power loss, a killed program) leaves its temporary copy behind; a folder
    // that another program holds is its business.
    if (!ReadOnly()) RemoveStaleTemporaries(m_book.dataFolder, DataFileNames());
    m_book.currentCar = 0;
    m_sharedFilesFresh = true;
    return m_book.LoadItemLists(m_settings, error);
}

void Logbook::ReloadSettings() {
    SettingsLoadContext context;
    context.currentCar = m_book.currentCar;
    LoadSettings(m_store, m_settings, context);
    ApplyDataFolder();
}

CarMenuPlan Logbook::PlanCarMenus() const {
    return tovrel::PlanCarMenus(m_book.lists.Car, m_book.currentCar);
}

int Logbook::StartupCar() const {
    const CarMenuPlan plan = tovrel::PlanCarMenus(m_book.lists.Car, 0);
    return plan.selectSequence.isEmpty() ? 0 : plan.selectSequence.last();
}

bool Logbook::SelectCar(int car, QString* error) {
    m_book.currentCar = car;
    ReloadSettings();
    QStringList errors;
    QString e;
    if (!m_book.LoadCarInfo(&e)) errors.append(e);
    if (!LoadLogFile(&e)) errors.append(e);
    const bool listsLoaded = m_sharedFilesFresh ? m_book.LoadCarMainteSettings(m_settings, &e)
                                                : m_book.LoadItemLists(m_settings, &e);
    if (!listsLoaded) errors.append(e);
    m_sharedFilesFresh = false;
    if (error) *error = errors.join(QLatin1Char('\n'));
    return errors.isEmpty();
}

bool Logbook::ChangeDataFolder(const QString& dataPath, QString* error) {
    m_settings.DataPath = dataPath;
    m_settings.DataFolder = dataPath.isEmpty() ? DefaultDataFolder() : dataPath;
    ApplyDataFolder();
    m_book.currentCar = 0;
    m_book.carInfo = CarInfo();
    m_table.SetCapacity(m_table.Capacity());
    m_loadedLog.reset();
    RecalcStatus();
    m_sharedFilesFresh = true;
    return m_book.LoadItemLists(m_settings, error);
}

bool Logbook::LoadLogFile(QString* error) {
    LoadedLog loaded;
    const bool ok = tovrel::LoadLogFile(m_book.CarFileName(QStringLiteral("Mivra")), m_table, error,
                                        &m_loadNotice, &loaded);
    m_loadedLog = std::move(loaded);
    RecalcStatus();
    return ok;
}

bool Logbook::SaveLogFile(QString* error) {
    const bool searched = m_table.IsSearchActive();
    m_loadedLog.reset();
    const bool ok = tovrel::SaveLogFile(m_book.CarFileName(QStringLiteral("Mivra")), m_table, error);
    if (searched) RecalcStatus();
    return ok;
}

int Logbook::Search(const SearchConditions& conditions, const QDate& today,
                    const std::function<void()>& step) {
    m_table.BeginUpdate();
    m_table.SaveFullTable();
    ShiftFuelTypesAndStations(m_table, conditions.shiftGasSel, conditions.shiftStand);
    const int matches = FilterRecords(m_table, conditions, today, step);
    m_table.EndUpdate();
    RecalcStatus();
    return matches;
}

void Logbook::ShowAll() {
    m_table.RestoreFullTable();
    RecalcStatus();
}

int Logbook::CarValue(const PerCarInt& values) const {
    const int car = m_book.currentCar;
    return (car >= 1 && car <= kCarCount) ? values[car] : values[0];
}

void Logbook::RecalcStatus() {
    m_status = tovrel::RecalcStatus(m_table, CarValue(m_settings.RunTani), CarValue(m_settings.GasTani));
}

double Logbook::TargetEconomy() const {
    return ParseNumber(m_book.carInfo.MokuhyoMivra, 2, 0);
}

QString Logbook::DistanceUnit() const {
    return DistanceUnitName(CarValue(m_settings.RunTani));
}

QString Logbook::VolumeUnit() const {
    return VolumeUnitName(CarValue(m_settings.GasTani));
}

StartupWarnings Logbook::CollectStartupWarnings(const QDate& today, const std::function<void()>& step) {
    const std::optional<LoadedLog> loaded = std::exchange(m_loadedLog, std::nullopt);
    return tovrel::CollectStartupWarnings(m_book, m_settings, today, step, loaded ? &*loaded : nullptr);
}

bool Logbook::HasUnsavedChanges() {
    if (m_table.RestoreFullTable()) RecalcStatus();
    return m_table.DiffersFromSnapshot();
}

bool Logbook::ConfirmSave(bool shiftHeld) {
    if (!HasUnsavedChanges()) return true;
    if (ReadOnly()) {
        // Yes/No only: a save the folder refuses cannot be offered.
        return CurrentPrompter().Prompt(
                   QStringLiteral("保存確認 - 全体"),
                   QStringLiteral("「") + CarName() +
                       QStringLiteral("」のﾃﾞｰﾀが変更されていますが、ﾃﾞｰﾀﾌｫﾙﾀﾞを読み取り専用で"
                                      "開いているため保存できません。\n変更を破棄しますか？"),
                   PromptIcon::Warning, PromptButtons::YesNo) == PromptAnswer::Yes;
    }
    // A table that may not be saved over its file is never saved unasked: the answer No must stay open.
    const bool autoSave = m_settings.AutoSave && !shiftHeld && m_table.WriteBlock().isEmpty();
    if (!autoSave) {
        const PromptAnswer answer = CurrentPrompter().Prompt(
            QStringLiteral("保存確認 - 全体"),
            QStringLiteral("「") + CarName() + QStringLiteral("」のﾃﾞｰﾀが変更されています。保存しますか？"),
            PromptIcon::Warning, PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Cancel) return false;
        if (answer == PromptAnswer::No) return true;
    }
    QString error;
    if (SaveLogFile(&error)) return true;
    ShowError(QStringLiteral("Tovrel"), error);
    return false;
}

DueTable ComputeCurrentDue(const Logbook& book, const QDate& today, const std::function<void()>& step) {
    const Settings& settings = book.settings();
    return ComputeDue(book.table(), book.book().mainte, book.book().carInfo, settings,
                      book.CarValue(settings.RunTani), today, step);
}

}  // namespace tovrel
