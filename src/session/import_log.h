// Importing a file into the current car's log: the plan for the session's car and adding it.
#pragma once

#include "calc/import_records.h"

namespace tovrel {

class Logbook;

// The plan for the current car, against its full list (a search result shown is set aside).
ImportPlan PlanLogImport(const Logbook& book, const ImportFile& file, const ImportChoices& choices);

// Adds the planned records to the car's log, sorts it and recomputes the status, leaving a search
// result first. Refused with the numbers, nothing changed, when the log cannot hold them.
bool CommitLogImport(Logbook& book, const ImportPlan& plan, QString* refusal);

}  // namespace tovrel
