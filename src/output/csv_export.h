// CSV export of a list window through a print form: the lines and the file.
#pragma once

#include "base/text_grid.h"
#include "data/print_forms.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace tovrel {

class RecordTable;

// What a list window shows, for export and printing.
struct ListSource {
    TextGrid grid;                   // row 0 headings; cells exactly as shown
    QVector<int> rows;               // the grid rows to write, in order
    QString periodStart, periodEnd;  // both empty when the list has no period line

    // "start～end", or empty when the list has no period.
    QString PeriodText() const;
};

// Rows 1..count of the main list; column 0 is the row number, the period runs from the Day of the
// first record to that of the last.
ListSource MainListSource(const RecordTable& table);

// Grid rows (from 1) whose first cell is not blank.
QVector<int> RowsWithFirstCell(const TextGrid& grid);

// Title, period line, heading line and data lines. A form whose list ID is not 1..7 gives no lines.
QStringList BuildCsvLines(const PrintForm& form, const ListSource& source, bool printMultiGyo);

// CP932, CR LF after every line, replacing the file atomically.
bool WriteCsvFile(const QString& path, const QStringList& lines, QString* error);

}  // namespace tovrel
