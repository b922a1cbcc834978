// When each maintenance item is next due, by days and by distance, with its warning level.
#pragma once

#include "base/text_grid.h"
#include "data/car_book.h"
#include "data/log_file.h"

#include <QDate>
#include <QString>

#include <array>
#include <functional>

namespace tovrel {

class RecordTable;
struct Settings;

inline constexpr int kDueColumnCount = 16;
inline constexpr std::array<int, kDueColumnCount> kDueColumnChars = {14, 8, 10, 10, 6, 6, 8,  8,
                                                                     8,  7, 6,  10, 4, 6, 12, 20};

enum DueColumn : int {
    DueColName = 0,
    DueColDayInterval,
    DueColLastDate,
    DueColDueDate,
    DueColRemainingDays,
    DueColDayRatio,
    DueColDistanceInterval,
    DueColLastOdometer,
    DueColDueOdometer,
    DueColRemainingDistance,
    DueColDistanceRatio,
    DueColPredictedDate,
    DueColCriterion,
    DueColDueRatio,
    DueColLevelName,
    DueColMemo,
};

struct DueRow {
    std::array<QString, kDueColumnCount> cells;  // as computed, before cutting to the column widths
    QString lastDate;                            // empty when the item was never done
    qint64 lastOdometer = 0;
    int level = 0;  // 1..4, 0 when the due ratio is 0
    double dayRatio = 0;
    double distanceRatio = 0;
    double dueRatio = 0;
    bool byDistance = false;      // the deciding criterion is "距離"
    bool startupWarning = false;  // the item's "ﾒﾝﾃ時期がきたら起動時に警告を行う"
    // The sentence of the start-up warning with the remaining days or distance already in; its three
    // "%s" take the item name, the level name and the due ratio (FillSentence).
    QString pattern;

    const QString& Name() const { return cells[DueColName]; }
};

struct DueTable {
    std::array<DueRow, kMainteCount + 1> rows;  // [1..50] in setting order
    qint64 latestOdometer = 0;
    QString latestDate;
    double averagePerDay = 0;
    std::array<int, 4> levelCounts{};  // [1..3]
    QString unitName;
    QString status;
};

const std::array<QString, kDueColumnCount>& DueColumnHeadings();

// The current car from its record table; the average distance per day comes from its 11 newest
// odometer readings. Levels 1..3 are counted. step is called once per item row (50 times).
DueTable ComputeDue(const RecordTable& table, const MainteSettings& mainte, const CarInfo& carInfo,
                    const Settings& settings, int runTani, const QDate& today,
                    const std::function<void()>& step = {});

// Another car from its own files (car information, its maintenance settings when MainteSelect, its
// log data file), leaving the book untouched. No average distance per day is computed, so there are
// no predicted dates. Counted are the items the start-up warnings count (their warning flag set and
// the level's check on). The book's current car is taken as the book holds it (car information and
// maintenance settings as read) and so is `log` when given (the car's log as read): no file is read
// twice.
DueTable ComputeDueForCar(const CarBook& book, const Settings& settings, int car, const QDate& today,
                          const std::function<void()>& step = {}, const LoadedLog* log = nullptr);

// The maintenance settings that apply to the car: its own file when MainteSelect and the file
// exists, else the shared settings (those of the book's current car as the book holds them).
MainteSettings MainteSettingsForCar(const CarBook& book, const Settings& settings, int car);

// Level 1..4 of a non-zero due ratio; exactly 100.0 % is not yet level 1.
int DueLevel(double ratio, const Settings& settings);

// Fills the "%s" of a pattern in order; the inserted texts are not searched again.
QString FillSentence(const QString& pattern, const QStringList& values);

// The seven orders (0 setting order, 1..6 by the column SortColumn names); row 0 holds the
// headings, rows 1..50 the items in that order. Names, words and memos are cut to their column width
// in CP932 bytes; numbers and dates keep their whole text, however wide.
TextGrid ApplySort(const DueTable& table, int choice);
// The order of the item rows 1..50 for a choice.
std::array<int, kMainteCount> SortOrder(const DueTable& table, int choice);
int SortColumn(int choice);  // 0, 4, 5, 9, 10, 11, 13
// The choice a double click on a header cell selects, -1 for columns that sort nothing.
int SortChoiceForColumn(int column);

}  // namespace tovrel
