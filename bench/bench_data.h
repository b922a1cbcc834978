// A realistic large log for the benchmarks: n records over the years, refuellings with some
// maintenance-only records and maintenance lines.
#pragma once

#include "data/record_table.h"

namespace tovrel::bench {

void FillLog(RecordTable& table, int n);

}  // namespace tovrel::bench
