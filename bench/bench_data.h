// A realistic large log for the benchmarks: n records over the years, refuellings with some
// maintenance-only records and maintenance lines.
#pragma once

#include "data/record_table.h"

namespace tovrel::bench {

void FillLog(RecordTable& table, int n);

// A data folder (ending in "/") of ten named cars, car 1 the start-up car, each with a log of 2,000
// records. False when a file could not be written.
bool WriteTenCars(const QString& folder);

}  // namespace tovrel::bench
