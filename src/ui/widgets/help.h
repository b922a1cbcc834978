// The program's help: its contents and the topics of the windows by context number.
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace tovrel {

class SettingsStore;

// Context numbers of the windows' help topics.
enum HelpContext : int {
    HelpContents = 0,
    HelpAbout = 5,
    HelpMainList = 10,
    HelpEntry = 20,
    HelpCarInfo = 25,
    HelpSearchConditions = 30,
    HelpDateJump = 35,
    HelpPeriodTotals = 40,
    HelpCategoryTotals = 50,
    HelpTrendGraph = 60,
    HelpGraphPrint = 65,
    HelpOdometerRecalc = 70,
    HelpCombinedFill = 80,
    HelpMaintenanceDue = 90,
    HelpWarnings = 95,
    HelpWarningNames = 96,
    HelpSettings = 100,
    // The settings dialog's pages, in the order of its tabs.
    HelpSettingNames = 110,
    HelpSettingMainte = 120,
    HelpSettingGraph = 130,
    HelpSettingPrint = 140,
    HelpPrintSettings = 145,
    HelpSettingDisplay = 150,
    HelpListFont = 155,
    HelpSettingCalc = 160,
    HelpImport = 200,
    HelpPreview = 255,
};

// The page of a topic; an unknown number gives the contents.
QUrl HelpPageUrl(int context);

// Opens the help window at the topic (created at the first call, so start-up never reads the help).
void OpenHelp(int context);

// F1 anywhere in the window opens its topic; the second form asks for it at the moment of the key.
void InstallHelpKey(QWidget* window, int context);
void InstallHelpKey(QWidget* window, std::function<int()> context);

// Where the help window keeps its place; without a store it opens at its default place.
void SetHelpSettingsStore(SettingsStore* store);

// Closes and deletes the help window and forgets the store (the main window does so when it ends).
void CloseHelp();

// The help window, or nullptr while it has not been opened.
QWidget* HelpWindow();
// The page the help window shows (empty while it has not been opened).
QUrl HelpSource();

}  // namespace tovrel
