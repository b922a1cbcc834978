// Writing a list as a CSV file from any window: the save dialog, the remembered folder, the file.
#pragma once

#include "output/csv_export.h"

class QWidget;

namespace tovrel {

class Logbook;

// Asks for a file name (print form name + ".csv", in the folder of the last export) and writes the
// list through print form formNumber. A form of no list writes nothing. Errors are shown.
// Returns true when a file was written.
bool ExportCsv(QWidget* parent, Logbook& book, int formNumber, const ListSource& source);

}  // namespace tovrel
