// The values of an imported file as other programs and spreadsheets write them: numbers with either
// decimal mark and grouping, dates in several orders, flags, units and record types.
#pragma once

#include <QString>
#include <QStringList>

namespace tovrel {

// ---- units

enum class DistanceUnit { Auto, Km, Mile };
enum class VolumeUnit { Auto, Litre, UsGallon, ImpGallon };

QString DistanceUnitCaption(DistanceUnit unit);  // "自動", "km", "マイル"
QString VolumeUnitCaption(VolumeUnit unit);      // "自動", "リットル", "米ガロン", "英ガロン"
// The unit a heading's bracketed part or a unit cell names ("km", "mi", "L", "gal"); Auto when none.
DistanceUnit DistanceUnitOfText(const QString& text);
VolumeUnit VolumeUnitOfText(const QString& text);
// Kilometres or litres in one unit.
double KilometresPer(DistanceUnit unit);
double LitresPer(VolumeUnit unit);
// The car's units (RunTani, GasTani): a car in gallons counts US gallons.
DistanceUnit CarDistanceUnit(int runTani);
VolumeUnit CarVolumeUnit(int gasTani);

// ---- numbers

enum class DecimalMark { Dot, Comma };

QString DecimalMarkName(DecimalMark mark);  // "ピリオド", "カンマ"

// Which decimal mark the number cells of a file use: each cell whose last mark cannot be a
// grouping mark votes for it ("9,99", "1.234,5"); without votes, a file not separated by commas
// uses the comma.
DecimalMark DetectDecimalMark(const QStringList& cells, QChar separator);

// A number as spreadsheets write it: an optional sign and currency sign, digits grouped by the
// other mark, spaces or apostrophes, then the decimal mark. False when the text is not such a
// number (a grouping mark must group by three, so "9,99" is never read as 999).
bool ParseImportNumber(const QString& text, DecimalMark mark, double* value);

// ---- dates and times

enum class DateOrder { Unknown, Ymd, Dmy, Mdy };

QString DateOrderCaption(DateOrder order);  // "年/月/日", "日/月/年", "月/日/年", "未定"
QString DateOrderOption(DateOrder order);   // "ymd", "dmy", "mdy", ""
DateOrder DateOrderOfOption(const QString& option);

// A date cell split into its parts, with the time that may follow it.
struct DateCell {
    enum Form {
        Invalid,
        YearFirst,  // 2004-05-01, 2004/05/01, 2004年5月1日
        DotDmy,     // 01.05.2004
        YearLast,   // 01/05/2004: day and month in either order
        MonthName,  // May 1, 2004 or 1 May 2004
    };
    Form form = Invalid;
    int year = 0;
    int first = 0;   // YearLast: the first number; otherwise the month
    int second = 0;  // YearLast: the second number; otherwise the day
    QString time;    // hh:mm, or empty; "?" when a time follows that cannot be read
};

DateCell ParseDateCell(const QString& text);

// The order a column's year-last dates settle: day first when a first number exceeds 12, month
// first when a second one does. Unknown when none does, and when both happen (*conflict).
DateOrder SettleDateOrder(const QVector<DateCell>& cells, bool* conflict);

// The date yyyy/mm/dd of the cell, year-last cells read in the order given; empty with the reason
// when it is no date (or the order is Unknown for a year-last cell).
QString DateOfCell(const DateCell& cell, DateOrder order, QString* reason);

// "8:30", "08:30:00", "8:30 PM", "午後8時30分" → "08:30"; empty for an empty text; false when
// the text is not a time.
bool ParseTimeText(const QString& text, QString* time);

// ---- flags and record types

// 1/0, yes/no, true/false, y/n, x, ○/×, はい/いいえ, 満タン; an empty text is off. False when the
// text is none of them.
bool ParseImportFlag(const QString& text, bool* on);

enum class RowKind { Unknown, Fuel, Mainte, Other };
// Empty: Unknown; fuel, gas, refuel, 給油, ...: Fuel; trip, report: Other (not a record of the
// log); any other text (service, expense, oil change, 整備): Mainte.
RowKind RowKindOfText(const QString& text);

}  // namespace tovrel
