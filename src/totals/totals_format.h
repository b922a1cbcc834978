// The cell form and the guarded division shared by the totals lists.
#pragma once

#include "base/text_utils.h"

namespace tovrel {

// a / b, 0 when b is 0: every division of the totals is guarded.
inline double Ratio(double a, double b) { return b != 0 ? a / b : 0; }

// A number of a record as the totals read it: two decimals, unreadable text as 0.
inline double RecordNumber(const QString& text) { return ParseNumber(text, 2, 0); }

// A value cell: fixed decimals with thousands separators, right-aligned to the field; a value wider
// than the field keeps all its digits.
inline QString ValueCell(double value, int decimals, int width) {
    return PadLeft(FormatGrouped(value, decimals), width);
}

}  // namespace tovrel
