// Odometer recalculation: the readings of a range rebuilt from the trip distances, forward from
// the first refuelling or backward from the last, and optionally the maintenance-only records'
// readings interpolated by date.
#pragma once

#include "calc/range_tools.h"

#include <QString>

namespace tovrel {

class RecordTable;

inline const QString kOdometerToolName = QStringLiteral("走行距離計算");

struct OdometerOptions {
    bool forward = false;      // from the first refuelling's reading (adding), else from the last one's
    bool overwrite = false;    // replace readings that are already set
    bool maintenance = false;  // interpolate the maintenance-only records' readings too
};

// Day of record first + " ～ " + Day of record last + " までの走行距離を再計算します。"
QString OdometerCaution(const RecordTable& table, int first, int last);

// Recalculates records first..last (within the count). Backward without a reading at the last
// refuelling, or with fewer than two refuellings, it refuses and changes nothing.
bool RecalcOdometer(RecordTable& table, int first, int last, const OdometerOptions& options,
                    RangeRefusal* refusal);

}  // namespace tovrel
