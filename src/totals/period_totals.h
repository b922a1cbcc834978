// Month-by-month totals of the log over a range of months, with the six summary rows.
#pragma once

#include "base/text_grid.h"
#include "totals/month_range.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <functional>

namespace tovrel {

class RecordTable;
struct Settings;

inline constexpr int kPeriodColumnCount = 12;
inline constexpr int kPeriodMaxMonths = 240;
inline constexpr int kPeriodSummaryRows = 6;
// Column widths in characters, for sizing the grid columns.
inline constexpr std::array<int, kPeriodColumnCount> kPeriodColumnChars = {7, 4, 10, 9,  5, 10,
                                                                           5, 4, 10, 10, 7, 8};

enum PeriodColumn : int {
    PeriodLabel = 0,
    PeriodFuelCount,        // refuelling records
    PeriodRun,              // sum of Run
    PeriodGas,              // sum of Gas
    PeriodEconomy,          // counted distance / counted fuel
    PeriodCost,             // fuel cost
    PeriodTanka,            // mean unit price
    PeriodMainteCount,      // records with maintenance
    PeriodMainteCost,       // maintenance cost
    PeriodTotalCost,        // fuel + maintenance cost
    PeriodCostPerDistance,  // (fuel + maintenance cost) / distance
    PeriodLifetimeEconomy
};

struct PeriodTotals {
    MonthRange range;
    int months = 0;  // m: rows 1..m are the months
    // Row 0 the headers; rows 1..m the months (blank cells for a month without records);
    // m+1 average, m+2 total, m+3/m+4 best/worst month, m+5/m+6 highest/lowest single record.
    TextGrid grid;
    QString status;  // "有効ﾃﾞｰﾀ : ..."
    // The numbers behind the cells, rows 0..m+6, columns 0..11 (column 0 unused; column 9 is
    // filled for the month rows and rows m+1, m+2 only).
    QVector<std::array<double, kPeriodColumnCount>> values;
    QVector<bool> monthHasRecords;  // rows 0..m: column 1 or column 7 non-zero
    double averageEconomy = 0;      // row m+1, column 4: the threshold of the red economy mark
    int refuellings = 0;            // refuelling records in the range
    int maintenanceRecords = 0;     // records with maintenance in the range

    int AverageRow() const { return months + 1; }
    int TotalRow() const { return months + 2; }
    int BestMonthRow() const { return months + 3; }
    int WorstMonthRow() const { return months + 4; }
    int HighestRecordRow() const { return months + 5; }
    int LowestRecordRow() const { return months + 6; }
    bool IsMonthRow(int row) const { return row >= 1 && row <= months; }
    // Economy cells that get the red mark: month rows and the four extreme rows.
    bool IsEconomyMarkRow(int row) const {
        return IsMonthRow(row) || (row > TotalRow() && row <= LowestRecordRow());
    }
};

// Row 0 of the grid; column 10 reads "費用/" followed by the distance unit name.
QStringList PeriodHeaders(const QString& distanceUnit);

// One pass over the records; step is called once per record (progress bar).
PeriodTotals ComputePeriodTotals(const RecordTable& table, const Settings& settings, const QString& startText,
                                 const QString& endText, int shift, const QString& distanceUnit,
                                 const std::function<void()>& step = {});

}  // namespace tovrel
