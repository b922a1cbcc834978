// What each totals list gives to the CSV export and the printed report: its grid, rows and period.
#pragma once

#include "output/csv_export.h"

namespace tovrel {

struct CategoryTotals;
struct PeriodTotals;

// Every row below the headings; the period is the range's first and last month.
ListSource PeriodTotalsSource(const PeriodTotals& totals);
// The rows with an item name, in the order shown; no period.
ListSource DueTableSource(const TextGrid& sortedGrid);
// The rows with a name, in grid order; the period is the range's first and last month.
ListSource CategoryTotalsSource(const CategoryTotals& totals);

}  // namespace tovrel
