// The log data file of one car: "[MivraData]", the count and one line of 19 values per record.
#pragma once

#include "data/fuel_record.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace tovrel {

class RecordTable;

// The 19 values of a record line ("key=" already removed), as read: at most 19 fields.
FuelRecord ParseLogValue(const QString& value);

// What a log file holds, read line by line. The record lines say how many records there are; the
// count line only has to agree with them.
struct LogContent {
    QVector<FuelRecord> records;  // every record line of the file, in file order
    // Content that saving would not write back (a wrong first line, a line that is no record, more
    // than 19 values, an unreadable number, flag or byte): the file must not be written over.
    QStringList problems;
    bool countAgrees = true;  // the count line is there, reads as a number and equals the record lines
};
// With a table, the records hold the cell texts that table shows (as SetRecord stores them);
// without, the numbers stay as the file writes them.
LogContent ParseLogData(const QByteArray& bytes, const RecordTable* shownIn = nullptr);

// Fills the table from the file's bytes without sorting: the first `capacity` records; the records
// beyond it are kept aside and written back after the others (never dropped). A search view is left
// first, since its backup no longer belongs to the table. The records move into the table: the
// returned content holds none.
LogContent ReadLogData(const QByteArray& bytes, RecordTable& table);

// The file's bytes for the table's records 1..count, then the records kept beyond the capacity.
QByteArray FormatLogData(const RecordTable& table);

// A log as LoadLogFile read it into the table, before sorting: records 1..count (a list of the table's
// slots, shared with the table until either changes) in the file's order, as cell texts.
struct LoadedLog {
    QVector<FuelRecord> records;
    int count = 0;
};

// Loads the file into the table, sorts and takes the saved snapshot. A missing file gives an empty
// table. A file that cannot be read, or holds what saving would not write back, returns false with
// the error text; the table then shows what could be read and refuses to be saved over the file.
// notice (when given) receives what was read other than written: a count line that does not agree,
// records beyond the capacity. loaded (when given) receives the records in the file's order.
bool LoadLogFile(const QString& path, RecordTable& table, QString* error, QString* notice = nullptr,
                 LoadedLog* loaded = nullptr);

// Leaves the search view, sorts, writes the file atomically and takes the snapshot. On failure the
// old file stays whole, no snapshot is taken and the error text is returned.
bool SaveLogFile(const QString& path, RecordTable& table, QString* error);

// The first `capacity` records of a log file, for reading another car's log without a table; an
// unreadable file gives none.
QVector<FuelRecord> ReadLogRecords(const QString& path, int capacity);
// The same with only what the maintenance due table reads: the kind, Day, TotalRun and Mainte.
QVector<FuelRecord> ReadLogDueRecords(const QString& path, int capacity);

}  // namespace tovrel
