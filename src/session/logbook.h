// The session that the main window and the command-line tool share: settings, the car book and
// the record table of the current car, with car selection, loading, saving and the status figures.
#pragma once

#include "calc/economy.h"
#include "data/car_book.h"
#include "data/log_file.h"
#include "data/record_search.h"
#include "data/record_table.h"
#include "settings/settings.h"
#include "totals/maintenance_due.h"
#include "totals/startup_warnings.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

namespace tovrel {

class SettingsStore;

class Logbook {
public:
    Logbook(Settings& settings, SettingsStore& store);

    Settings& settings() { return m_settings; }
    const Settings& settings() const { return m_settings; }
    SettingsStore& store() { return m_store; }
    CarBook& book() { return m_book; }
    const CarBook& book() const { return m_book; }
    RecordTable& table() { return m_table; }
    const RecordTable& table() const { return m_table; }

    // Replaces the data folder for this session only (the command-line option).
    void SetDataFolderOverride(const QString& folder);

    // The first settings load of the run, the capacity, and the item lists with no car selected.
    // Errors writing the default files are returned, the session goes on.
    bool Start(const std::function<void(const Settings&)>& showStartupPicture, QString* error);

    // Reloads the settings of the current car (several values are per car).
    void ReloadSettings();

    // The car choice of the car menus; the cars of the returned plan's sequence are to be selected in order.
    CarMenuPlan PlanCarMenus() const;
    // The car the program selects at start-up: the last of the plan's sequence, 0 when none is registered.
    int StartupCar() const;

    // Makes the car current and loads its settings, car information, log and item lists.
    // Returns false with the error text when a file could not be read (in full) or written.
    bool SelectCar(int car, QString* error);

    // Makes DataPath (empty: the default folder) the data folder in use and loads its item lists and
    // print forms. No car is current and the table is empty until a car is selected, so nothing of
    // the old folder can be saved into the new one: offer to save before calling this.
    bool ChangeDataFolder(const QString& dataPath, QString* error);

    // Another program holds the data folder (DataFolderGuard): nothing in it can be saved.
    bool ReadOnly() const;
    // Who holds it and what read-only means, for the user; empty while the folder is ours.
    QString ReadOnlyNotice() const;

    // A log that cannot be read in full returns false: the table shows what was read and is not
    // saved over the file. What was read other than written (LoadLogFile's notice) is kept for the
    // caller to show.
    bool LoadLogFile(QString* error);
    const QString& LoadNotice() const { return m_loadNotice; }
    bool SaveLogFile(QString* error);

    // Sets the full list aside (leaving an earlier result first, so the search always runs over the
    // full list), shifts fuel types and stations as asked, keeps the matches and recomputes the
    // status over them. step runs once per record tested. Returns the number of matches.
    int Search(const SearchConditions& conditions, const QDate& today,
               const std::function<void()>& step = {});
    // Leaves a search result: the full list again, and its status.
    void ShowAll();

    // Average economy and status texts of the records shown.
    void RecalcStatus();
    const EconomyStatus& status() const { return m_status; }
    double AverageEconomy() const { return m_status.averageEconomy; }
    // The target economy of the car information, read as a number.
    double TargetEconomy() const;

    // The start-up warnings of every named car (the check the program runs once at start-up).
    StartupWarnings CollectStartupWarnings(const QDate& today, const std::function<void()>& step = {});

    // Whether the record table differs from the saved snapshot (leaves the search view first).
    bool HasUnsavedChanges();
    // True when it is fine to drop the record table: nothing changed, saved, or the user said No.
    // Asks through the current prompter; a failed save is reported and returns false.
    bool ConfirmSave(bool shiftHeld);

    QString CarName() const { return m_book.CarName(); }
    QString DistanceUnit() const;
    QString VolumeUnit() const;
    // A per-car setting's value for the current car (the unnumbered value before a car is selected).
    int CarValue(const PerCarInt& values) const;

private:
    void ApplyDataFolder();

    Settings& m_settings;
    SettingsStore& m_store;
    CarBook m_book;
    RecordTable m_table;
    EconomyStatus m_status;
    QString m_dataFolderOverride;
    QString m_loadNotice;
    // Setting.dat and PrintSet.dat were read with no car selected since (Start, ChangeDataFolder): the
    // next SelectCar reads only the car's own files. Cleared by that SelectCar.
    bool m_sharedFilesFresh = false;
    // The current car's log as its last load read it, for the start-up check, so that it does not read
    // the file again. Replaced by every load; dropped by a save (the file then holds the table), by a
    // change of data folder and once the check has used it.
    std::optional<LoadedLog> m_loadedLog;
};

// The current car of the session, as the maintenance due window shows it.
DueTable ComputeCurrentDue(const Logbook& book, const QDate& today, const std::function<void()>& step = {});

}  // namespace tovrel
