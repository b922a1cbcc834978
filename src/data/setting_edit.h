// The settings dialog's working copies and the rules it applies to them: field leave rules, grid row
// moves, the checks of OK, and storing the copies into the settings and the car book.
#pragma once

#include "data/car_book.h"
#include "settings/settings.h"

#include <QString>
#include <QVector>

#include <array>
#include <functional>
#include <utility>

namespace tovrel {

// The six tabs in their order; Current keeps the tab the dialog showed last.
enum class SettingTab { Current = -1, Item = 0, Mainte = 1, Graph = 2, Print = 3, Disp = 4, CalcElse = 5 };

// ---- row moves on 1-based arrays (index 0 unused)

// Exchanges row with the one above; false (nothing moved) on the first row or outside.
template <typename T, std::size_t N>
bool SwapWithRowAbove(std::array<T, N>& rows, int row) {
    if (row < 2 || row > int(N) - 1) return false;
    std::swap(rows[row], rows[row - 1]);
    return true;
}

// Exchanges row with the one below; false on the last row or outside.
template <typename T, std::size_t N>
bool SwapWithRowBelow(std::array<T, N>& rows, int row) {
    if (row < 1 || row >= int(N) - 1) return false;
    std::swap(rows[row], rows[row + 1]);
    return true;
}

// Rows from row down move one down (the last one is lost) and row becomes blank.
template <typename T, std::size_t N>
bool InsertBlankRow(std::array<T, N>& rows, int row, const T& blank) {
    if (row < 1 || row > int(N) - 1) return false;
    for (int i = int(N) - 1; i > row; --i)
        rows[i] = rows[i - 1];
    rows[row] = blank;
    return true;
}

// Rows below row move one up and the last row becomes blank.
template <typename T, std::size_t N>
bool DeleteRowAt(std::array<T, N>& rows, int row, const T& blank) {
    if (row < 1 || row > int(N) - 1) return false;
    for (int i = row; i < int(N) - 1; ++i)
        rows[i] = rows[i + 1];
    rows[N - 1] = blank;
    return true;
}

// The grid pop-up items "上へ移動", "下へ移動", "行挿入", "行削除" on one column of rows. Returns the
// row the cursor goes to, 0 when nothing changed.
enum class RowCommand { MoveUp, MoveDown, Insert, Delete };
template <typename T, std::size_t N>
int ApplyRowCommand(std::array<T, N>& rows, int row, RowCommand command, const T& blank) {
    switch (command) {
        case RowCommand::MoveUp:
            return SwapWithRowAbove(rows, row) ? row - 1 : 0;
        case RowCommand::MoveDown:
            return SwapWithRowBelow(rows, row) ? row + 1 : 0;
        case RowCommand::Insert:
            return InsertBlankRow(rows, row, blank) ? row : 0;
        case RowCommand::Delete:
            return DeleteRowAt(rows, row, blank) ? row : 0;
    }
    return 0;
}

// ---- the working copies

// One maintenance item as the dialog edits it; the name is the grid cell.
struct MainteDraftItem {
    MainteSetting setting;
    int formerNumber = 0;  // the item's slot when the dialog was shown; 0 for an item inserted since

    bool operator==(const MainteDraftItem&) const = default;
};
using MainteDraft = std::array<MainteDraftItem, kMainteCount + 1>;  // [1..50]

MainteDraft MakeMainteDraft(const MainteSettings& settings);
// An inserted item, and what the last row becomes after a delete: nothing set, former number 0.
MainteDraftItem BlankMainteItem();

// The names grid: column 1..6 = Weather, GasSel, Stand, Pattern, Shop, Car.
inline constexpr int kNameColumns = 6;
NameList& NameColumn(ItemLists& lists, int column);
const NameList& NameColumn(const ItemLists& lists, int column);

// Every control of the dialog, named as the setting it edits. Fields the user types into are kept
// as typed; per-car values are those of the current car.
struct SettingsDraft {
    ItemLists names;
    MainteDraft mainte;

    std::array<QString, 5> WarningText;   // [1..4]
    std::array<quint32, 5> WarningColor;  // [1..4]
    std::array<bool, 4> WarningCheck{};   // [1..3]
    QString Warning2Level, Warning3Level;
    int WarningStart = 1;
    bool MainteSelect = false;

    int GraphType = 0;
    int YearDispFormat = 0;
    bool AllGraph = true;
    QString DispNumber;
    bool AllGraphKikan = true;
    QString DispNumberKikan;
    bool MivraScaleFix = false;
    QString MivraMinScale, MivraMaxScale, RunMinScale, RunMaxScale;
    QString TankaMinScale, TankaMaxScale, GasMinScale, GasMaxScale;
    bool View3D = false, GraphZoom = true, HeikiDisp = true, MokuhyoDisp = false;
    bool NoneHeikinDisp = false, ChipHelpDisp = true;
    quint32 MivraGraphColor = 0, HeikinGraphColor = 0, MokhyoGraphColor = 0;
    bool MivraGraphMark = false, HeikinGraphMark = true, MokhyoGraphMark = true;

    quint32 MivraNoColor = 0, MainteNoColor = 0, SelectColor = 0, SortColor = 0;
    bool DayFix = false, MivraRed = true, MokuhyoRed = false;
    int DataMaxSel = 0;
    bool CostZeroDisp = false;
    QString JpgFileName;
    bool JpgDispWait = false;
    QString JpgWaitTime;
    bool TimeInput = true, WeatherInput = true;
    int RunTani = 0, GasTani = 0;

    int TankaCalc = 1;
    QString ZeiRitsu;
    int HasuuSyori = 1;
    bool TankaZeikomi = false, TankaTen = false;
    QString KeiyuZei, KeiyuName;
    int RunCalcSelect = 1;
    QString DataPath;
    bool CalcPass = false, IMEAutoMode = false, AutoSave = false, SearchDaySave = true;
    bool MainteAddGasCost = false, NoneDataHeikin = false, NoneHeikinTotal = false;
};

// What the dialog shows: the settings (per-car values of the book's current car) and the book's
// item lists and maintenance items.
SettingsDraft MakeSettingsDraft(const Settings& settings, const CarBook& book);

// ---- field rules

// Maintenance name on leaving: "," becomes ".", "#" is removed, trimmed.
QString MainteNameOnLeave(const QString& text);
// Maintenance memo on leaving: "," becomes ".", trimmed.
QString MainteMemoOnLeave(const QString& text);
// An interval as typed (grouping allowed) → the integer stored; 0 when not a number.
int IntervalFromText(const QString& text);
// An interval as shown: grouped.
QString IntervalText(int value);
// Tax rate (1 decimal) and light-oil tax (2 decimals) on leaving: the number, grouped.
QString DecimalOnLeave(const QString& text, int decimals);
// A names grid cell as stored: "," becomes ".", trimmed.
QString NameCellOnStore(const QString& text);

// ---- checks of OK, in their order

struct SettingsCheck {
    bool ok = true;
    QString message;
    SettingTab tab = SettingTab::Current;  // Current: the tab stays
    QString focus;                         // object name of the control to focus
    int mainteRow = 0;                     // the maintenance row to select, 0 for none
};

// The first failing check with its message (caption "設定エラー"), or ok. A data folder is
// checked with the trailing separator the edit gets.
SettingsCheck CheckSettingsDraft(const SettingsDraft& draft);

// ---- storing

// Every control but the names, the maintenance items and DataPath into the settings; numbers that
// are not valid take their defaults.
void StoreDraftSettings(const SettingsDraft& draft, Settings& settings, int car);

// The names grid into the item lists (one step per row) and the maintenance items into the book.
// True when a car name changed.
bool StoreDraftLists(const SettingsDraft& draft, CarBook& book, const std::function<void()>& step = {});
bool CarNamesDiffer(const SettingsDraft& draft, const CarBook& book);

// former[k] = the slot that row k held when the dialog was shown (0 for an inserted item).
using MainteOrder = std::array<int, kMainteCount + 1>;
MainteOrder FormerNumbers(const MainteDraft& draft);
bool IsReordered(const MainteOrder& former);
// Entry k takes the old entry of row k's former number, 0 for an inserted item.
MainteFlags ReorderMainteFlags(const MainteFlags& flags, const MainteOrder& former);

// The cars whose car information follows the maintenance items: the current car alone when each
// car has its own items, else cars 1..10; only those with a car information file.
QVector<int> CarsWithMainteChecks(const CarBook& book, bool mainteSelect);
// Rewrites the "MainteCheck" value of the car's information file in the new order; the other
// values keep their bytes. An unreadable file is reported and left alone.
bool RenumberMainteChecks(const CarBook& book, int car, const MainteOrder& former, QString* error);

}  // namespace tovrel
