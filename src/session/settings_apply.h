// What the settings dialog's OK does once every entry is valid: the working copies stored and saved,
// the maintenance check flags renumbered, the data folder changed.
#pragma once

#include "data/setting_edit.h"

#include <QString>

#include <functional>

namespace tovrel {

class Logbook;

struct SettingsApplyResult {
    bool carMenusChanged = false;  // car names or the data folder changed: rebuild the car menus
    bool dataFolderChanged = false;
    bool timeInputChanged = false;
    bool weatherInputChanged = false;
    QString errors;  // files that could not be written or read, one per line
    QString folderNotice;  // the new data folder is held by another program: opened read-only
};

// Whether OK drops the record table of the current car (a car name or the data folder changed), so
// that the save prompt must come first.
bool SettingsApplyReloadsCar(const Logbook& book, const SettingsDraft& draft);

// Steps ApplySettingsDraft reports, for the wait window.
int SettingsApplySteps(const Logbook& book);

// Stores the validated working copies. In order: item lists, car names and maintenance items; the
// other settings; Setting.dat (and MainteNN.dat), PrintSet.dat and the settings store; the
// maintenance check flags of the cars' information files renumbered when items moved (in the folder
// the items belong to); then the data folder, whose item lists are loaded when it changed.
SettingsApplyResult ApplySettingsDraft(Logbook& book, const SettingsDraft& draft,
                                       const std::function<void()>& step = {});

}  // namespace tovrel
