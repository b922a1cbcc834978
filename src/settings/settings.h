// Every option of the program with its default, and loading/saving them through a settings store.
#pragma once

#include "settings/settings_store.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <functional>

namespace tovrel {

inline constexpr int kCarCount = 10;
// [0] = the unnumbered (base) value, [1..10] per car.
using PerCarInt = std::array<int, kCarCount + 1>;

constexpr PerCarInt PerCarAll(int value) {
    PerCarInt values{};
    values.fill(value);
    return values;
}

// Members are named exactly as their keys; the initialisers are the built-in defaults.
// Colours are 0x00BBGGRR; the top bit marks a system colour (0x80000008 = window text).
struct Settings {
    // Setting: calculation and input.
    QString LastTankaStr;
    int LastTanka = 0;
    int TankaCalc = 1;
    QString ZeiRitsu = QStringLiteral("5.0");
    int HasuuSyori = 1;
    bool TankaZeikomi = false;
    bool TankaTen = false;
    QString KeiyuZei = QStringLiteral("32.10");
    QString KeiyuName = QStringLiteral("軽油");
    PerCarInt RunCalcSelect = PerCarAll(1);
    bool CalcPass = false;
    bool MainteAddGasCost = false;
    bool NoneDataHeikin = false;
    bool NoneHeikinTotal = false;
    bool IMEAutoMode = false;
    bool TimeInput = true;
    bool WeatherInput = true;
    bool AutoSave = false;
    int DataMaxSel = 0;
    QString DataPath;
    bool MainteSelect = false;
    QString SaveInitialDir;

    // Setting: main list display.
    bool MivraRed = true;
    bool MokuhyoRed = false;
    bool DayFix = false;
    bool CostZeroDisp = false;
    quint32 MivraNoColor = 0x80000008;
    quint32 MainteNoColor = 255;
    quint32 SelectColor = 0xC0C0C0;
    quint32 SortColor = 0xFFFFE0;
    QString FontName = QStringLiteral("ＭＳ ゴシック");
    int FontSize = 9;
    int FontStyle = 0;
    QString MivraCellSize;
    int MainGraphSel = 0;
    int KikanGraphSel = 0;
    QString JpgFileName;
    bool JpgDispWait = false;
    int JpgWaitTime = 5;

    // Setting: graphs.
    int GraphType = 0;
    bool MivraGraphMark = false;
    bool HeikinGraphMark = true;
    bool MokhyoGraphMark = true;
    quint32 MivraGraphColor = 255;
    quint32 HeikinGraphColor = 0xFF0000;
    quint32 MokhyoGraphColor = 0x8000;
    int YearDispFormat = 0;
    bool AllGraph = true;
    int DispNumber = 10;
    bool AllGraphKikan = true;
    int DispNumberKikan = 10;
    bool MivraScaleFix = false;
    PerCarInt MivraMinScale = PerCarAll(0);
    PerCarInt MivraMaxScale = PerCarAll(15);
    PerCarInt RunMinScale = PerCarAll(0);
    PerCarInt RunMaxScale = PerCarAll(2000);
    PerCarInt TankaMinScale = PerCarAll(0);
    PerCarInt TankaMaxScale = PerCarAll(200);
    PerCarInt GasMinScale = PerCarAll(0);
    PerCarInt GasMaxScale = PerCarAll(200);
    PerCarInt RunTani = PerCarAll(0);
    PerCarInt GasTani = PerCarAll(0);
    bool HeikiDisp = true;
    bool MokuhyoDisp = false;
    bool View3D = false;
    bool GraphZoom = true;
    bool NoneHeikinDisp = false;
    bool ChipHelpDisp = true;
    bool MivraMemoDisp = true;
    bool GraphReverse = false;

    // Setting: maintenance warnings. Levels are indexed 1..4 (index 0 unused); stored as
    // Warning1Text .. Warning4Text, Warning1Color .. Warning4Color, Warning1Check .. Warning3Check.
    std::array<QString, 5> WarningText = {QString(), QStringLiteral("すぎちゃった"),
                                          QStringLiteral("もうすぐ"), QStringLiteral("もうそろそろ"),
                                          QStringLiteral("まだまだ")};
    std::array<quint32, 5> WarningColor = {0, 255, 0x800080, 0xFF0000, 0x80000008};
    std::array<bool, 4> WarningCheck = {false, true, true, false};
    int Warning2Level = 90;
    int Warning3Level = 80;
    PerCarInt WarningStart = PerCarAll(1);
    int MainteSortSel = 0;  // written by the maintenance due window, not by SaveSettings

    // Setting: remembered search conditions.
    bool SaveSchMivraCheck = true;
    bool SaveSchMainteCheck = true;
    bool SaveSchNoneHeikinCheck = false;
    bool GasSelShift = false;
    bool StandShift = false;
    QString SaveSchStartDay;
    QString SaveSchEndDay;
    QString SaveSchWeather;
    QString SaveSchGasSel;
    QString SaveSchStand;
    QString SaveSchPattern;
    QString SaveSchMainte;
    QString SaveSchShop;
    QString SaveSchMemo;
    bool SearchDaySave = true;

    // Setting: list printing.
    int MivraMarginLeft = 3;
    int MivraMarginTop = 5;
    int MivraMarginRight = 3;
    int MivraMarginBottom = 3;
    int MivraResolution = 0;

    // System: common print settings.
    int PrintForm = 0;
    bool PrintName = true;
    bool PrintDate = true;
    bool PrintPage = true;
    bool PrintVertical = true;
    bool PrintMultiGyo = true;
    QString PageTopMargin = QStringLiteral("20.0");
    QString PageBottomMargin = QStringLiteral("20.0");
    QString PageLeftMargin = QStringLiteral("25.0");
    QString PageRightMargin = QStringLiteral("15.0");
    int TitlePosition = 1;
    int NamePosition = 0;
    int MonthPosition = 2;
    int PagePosition = 1;
    int DatePosition = 2;
    QString TitleFontName = QStringLiteral("ＭＳ ゴシック");
    QString NameFontName = QStringLiteral("ＭＳ ゴシック");
    QString MonthFontName = QStringLiteral("ＭＳ ゴシック");
    QString ListFontName = QStringLiteral("ＭＳ ゴシック");
    QString PageFontName = QStringLiteral("ＭＳ ゴシック");
    QString DateFontName = QStringLiteral("ＭＳ ゴシック");
    int TitleFontSize = 12;
    int NameFontSize = 10;
    int MonthFontSize = 10;
    int ListFontSize = 9;
    int PageFontSize = 7;
    int DateFontSize = 7;
    int TitleFontStyle = 0;
    int NameFontStyle = 0;
    int MonthFontStyle = 0;
    int ListFontStyle = 0;
    int PageFontStyle = 0;
    int DateFontStyle = 0;

    // System: how many older copies of each data file the folder "backup" keeps; 0 keeps none.
    int BackupGenerations = 10;

    // System/Version as read, before the upgrade step writes the current version.
    QString Version;

    // Derived while loading, not stored.
    int Capacity = 1000;              // 2000 when DataMaxSel != 0
    int FixedColumns = 1;             // 3 when DayFix
    QString DataFolder;               // DataPath, or DefaultDataFolder() when empty; ends in "/"
    bool MainteResetPending = false;  // the version-upgrade question was answered Yes
    bool Loaded = false;
};

// The per-user data folder, created when missing; ends in "/".
QString DefaultDataFolder();

// A typed data folder as DataPath holds it: ending in a separator, empty for the program's own
// folder or a lone separator.
QString NormalizeDataPath(const QString& text);
// "ﾃﾞｰﾀﾌｧｲﾙ格納ﾌｫﾙﾀﾞ "folder" が見つかりません。"
QString DataFolderMissingText(const QString& folder);

struct SettingsLoadContext {
    int currentCar = 0;           // 0 before the first car is selected
    bool firstLoadInRun = false;  // the start-up picture is offered only then
    // Called when JpgFileName names an existing file; the caller shows and later closes the picture.
    std::function<void(const Settings&)> showStartupPicture;
};

// Reads every value into settings, asking the version-upgrade question and reporting a missing
// data folder through CurrentPrompter().
void LoadSettings(SettingsStore& store, Settings& settings, const SettingsLoadContext& context);

// Writes every "Setting" and "System" value but Version, MainteSortSel and the legacy LastTanka;
// does nothing until the settings have been loaded once.
void SaveSettings(SettingsStore& store, const Settings& settings, int currentCar);

}  // namespace tovrel
