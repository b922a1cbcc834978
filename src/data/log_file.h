// The log data file of one car: "[MivraData]", the count and one line of 19 values per record.
#pragma once

#include "data/fuel_record.h"

#include <QByteArray>
#include <QString>
#include <QVector>

namespace tovrel {

class RecordTable;

// The 19 values of a record line ("key=" already removed), as read: at most 19 fields.
FuelRecord ParseLogValue(const QString& value);

// Fills the table from the file's bytes (count, records, empty slots) without sorting; a search
// view is left first, since its backup no longer belongs to the table.
void ReadLogData(const QByteArray& bytes, RecordTable& table);

// The file's bytes for the table's records 1..count.
QByteArray FormatLogData(const RecordTable& table);

// Loads the file into the table: a missing file gives an empty table; then sorts and takes the
// saved snapshot. Returns false with the error text when the file exists but cannot be read
// (the table is then empty and the snapshot taken, so nothing asks to save over the file).
bool LoadLogFile(const QString& path, RecordTable& table, QString* error);

// Leaves the search view, sorts, writes the file atomically and takes the snapshot. On failure the
// old file stays whole, no snapshot is taken and the error text is returned.
bool SaveLogFile(const QString& path, RecordTable& table, QString* error);

// The records of a log file as plain values, for reading another car's log without a table.
QVector<FuelRecord> ReadLogRecords(const QString& path, int capacity);

}  // namespace tovrel
