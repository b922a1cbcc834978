// Totals of the log over a range of months by fuel type, filling station, driving pattern or
// maintenance item.
#pragma once

#include "base/text_grid.h"
#include "data/car_book.h"
#include "totals/month_range.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <functional>

namespace tovrel {

class RecordTable;
struct Settings;

enum CategoryMode { CategoryFuel = 0, CategoryStand = 1, CategoryPattern = 2, CategoryMainte = 3 };

inline constexpr int kCategoryColumnCount = 10;       // modes 0..2
inline constexpr int kMainteCategoryColumnCount = 6;  // mode 3
// Column widths in characters, for sizing the grid columns.
inline constexpr std::array<int, kCategoryColumnCount> kCategoryColumnChars = {10, 4, 10, 9, 5,
                                                                               5,  5, 10, 5, 6};
inline constexpr std::array<int, kMainteCategoryColumnCount> kMainteCategoryColumnChars = {14, 4, 10,
                                                                                           10, 6, 10};

// Columns of modes 0..2.
enum CategoryColumn : int {
    CategoryName = 0,
    CategoryFuelCount,
    CategoryRun,
    CategoryGas,
    CategoryLowestEconomy,
    CategoryAverageEconomy,
    CategoryHighestEconomy,
    CategoryCost,
    CategoryTanka,
    CategoryShare
};

// Columns of mode 3.
enum MainteCategoryColumn : int {
    MainteCategoryName = 0,
    MainteCategoryJobs,
    MainteCategoryCost,
    MainteCategoryMeanCost,
    MainteCategoryShare,
    MainteCategoryLastDay
};

struct CategoryTotals {
    int mode = CategoryFuel;
    MonthRange range;
    // Row 0 the headers; rows 1..N the list entries, N+1 "上記以外  ", N+2 "  合  計  ".
    TextGrid grid;
    int listRows = 0;     // N
    int columnCount = 0;  // 10, or 6 in mode 3
    QString status;       // "有効ﾃﾞｰﾀ : ..."
    // The numbers behind the value cells, rows 0..N+2, columns as in the grid (0 unused).
    QVector<std::array<double, kCategoryColumnCount>> values;
    double averageEconomy = 0;  // modes 0..2: the total row's average economy, threshold of the red mark

    int OtherRow() const { return listRows + 1; }
    int TotalRow() const { return listRows + 2; }
};

QString CategoryCaption(int mode);  // "燃料種別集計" ...
// Row 0 of the grid of the mode.
QStringList CategoryHeaders(int mode);
// N: 10 for modes 0..2; 50 for mode 3, 51 with MainteAddGasCost.
int CategoryListRows(int mode, const Settings& settings);

// One pass over the records; step is called once per record (progress bar).
CategoryTotals ComputeCategoryTotals(const RecordTable& table, const Settings& settings,
                                     const ItemLists& lists, const MainteSettings& mainte, int mode,
                                     const QString& startText, const QString& endText, int shift,
                                     const std::function<void()>& step = {});

}  // namespace tovrel
