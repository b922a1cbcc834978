#include "calc/range_tools.h"

#include "data/record_table.h"

#include <algorithm>

namespace tovrel {

bool SelectedRange(int top, int bottom, int count, int* last) {
    const int limited = std::min(bottom, count);
    if (top < 1 || top >= limited) return false;
    *last = limited;
    return true;
}

RangeRefusal TooFewSelected(const QString& toolName) {
    return {kRangeErrorCaption,
            toolName + QStringLiteral("するには、複数のﾃﾞｰﾀが選択される必要があります。")};
}

QString RangeDays(const RecordTable& table, int first, int last) {
    return table.Text(first, ColDay) + QStringLiteral(" ～ ") + table.Text(last, ColDay);
}

}  // namespace tovrel
