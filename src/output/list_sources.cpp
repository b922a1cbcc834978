#include "output/list_sources.h"

#include "totals/category_totals.h"
#include "totals/period_totals.h"

namespace tovrel {

ListSource PeriodTotalsSource(const PeriodTotals& totals) {
    ListSource source;
    source.grid = totals.grid;
    for (int row = 1; row < totals.grid.RowCount(); ++row) source.rows.append(row);
    source.periodStart = totals.range.StartText();
    source.periodEnd = totals.range.EndText();
    return source;
}

ListSource DueTableSource(const TextGrid& sortedGrid) {
    ListSource source;
    source.grid = sortedGrid;
    source.rows = RowsWithFirstCell(sortedGrid);
    return source;
}

ListSource CategoryTotalsSource(const CategoryTotals& totals) {
    ListSource source;
    source.grid = totals.grid;
    source.rows = RowsWithFirstCell(totals.grid);
    source.periodStart = totals.range.StartText();
    source.periodEnd = totals.range.EndText();
    return source;
}

}  // namespace tovrel
