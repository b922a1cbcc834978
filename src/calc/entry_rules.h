// The entry dialog's rules over field texts: normal forms, the per-record computations, the
// maintenance list and memo, and the record as the dialog hands it out.
#pragma once

#include "data/car_book.h"
#include "data/fuel_record.h"

#include <QString>
#include <QStringList>

namespace tovrel {

class RecordTable;
struct Settings;

inline constexpr int RunDecimals = 1;
inline constexpr int GasDecimals = 2;
inline constexpr int EconomyDecimals = 2;
inline constexpr int CostDecimals = 0;

// A numeric field when it is left: read to its decimals (unreadable = 0), written back with that
// many decimals and thousands separators. The amount and the job cost are the 0-decimal case.
QString NormalNumberText(const QString& text, int decimals);
// A numeric field while it has the focus: the thousands separators removed.
QString EditingNumberText(const QString& text);

// The fuel figures of an entry as its fields hold them.
struct EntryFigures {
    quint8 kind = KindFuel;
    QString run;
    QString totalRun;
    QString gas;
    QString economy;
    QString cost;
    QString tanka;
    QString gasSel;
};

// Economy = distance ÷ quantity (0 without fuel); quantity, distance and economy rewritten in
// their normal forms. Returns the economy.
double ApplyEconomyStep(EntryFigures& figures);

// The unit price from the amount (TankaCalc 1) or the amount from the unit price (TankaCalc 2),
// with consumption and diesel tax. False when nothing is computed (maintenance only, TankaCalc 0).
bool ApplyPriceComputation(EntryFigures& figures, const Settings& settings);

// The odometer from the trip distance (runCalcSelect 1) or the trip distance from the odometer (2),
// against the nearest earlier refuelling with an odometer reading before recordIndex, followed by
// the economy step. False when nothing is derived.
bool ApplyDistanceComputation(EntryFigures& figures, const RecordTable& table, int recordIndex,
                              int runCalcSelect);

// The blank masked time field.
inline const QString BlankTime = QStringLiteral("  :  ");

// The time field on entering: hours right-aligned in two places, 00:00 and blank become empty.
QString TimeTextOnEnter(const QString& text);
// The time field on leaving: false when the time must be refused. A blank field stays blank.
bool TimeTextOnLeave(const QString& text, QString* normal);
// The date field on leaving: false for a date that cannot be. The weekday is "？" then.
bool DateTextOnLeave(const QString& text, QString* normal, QString* weekday);

// The job name and the memo may not carry the separators of the log file.
QString CleanJobName(const QString& name);
QString CleanMemoText(const QString& text);

// "ﾒﾝﾃ追加": appends "name:cost:" when the name is not empty, then drops the blank lines.
// Lines are separated by "\n", as the dialog holds them.
QString AddMainteLine(const QString& list, const QString& name, const QString& cost);
// Lines that are empty once "#" and spaces are removed are dropped.
QString RemoveBlankLines(const QString& list);

// Lines of a multi-line field; a last empty line (after a final line break) is not counted.
int CountLines(const QString& text);
// Sum of the cost parts of the maintenance lines; a line without ":" counts 0.
double MainteTotal(const QString& list);
QString MainteCaption(const QString& list);
QString MemoCaption(const QString& memo);

// Multi-line texts: "\n" in the dialog, CR LF in the record (no trailing line breaks).
QString ToRecordLines(const QString& text);
QString FromRecordLines(const QString& text);

// The combo box entries of an item list (blank entries left out, "*" removed) and its default
// entry (the first one stored with "*", shown without it).
QStringList ListNames(const NameList& list);
QStringList MainteNames(const MainteSettings& mainte);
QStringList ComboItems(const QStringList& names);
QString DefaultItem(const QStringList& names);

// Whether the dialog's record differs from its snapshot: numbers compared without separators.
bool EntryRecordsDiffer(const FuelRecord& a, const FuelRecord& b);

// The record as OK stores it: plain numbers, and no fuel data for a maintenance-only record.
FuelRecord RecordForStorage(const FuelRecord& record);

}  // namespace tovrel
