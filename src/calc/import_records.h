// Records from an imported file, built through the entry dialog's rules: the plan the preview shows
// (what will be stored, what is skipped and why) and adding it to the log.
#pragma once

#include "data/fuel_record.h"
#include "data/import_columns.h"
#include "data/import_reader.h"
#include "data/import_values.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace tovrel {

class RecordTable;
struct Settings;

struct ImportChoices {
    QString format = kAutoFormat;
    DateOrder dates = DateOrder::Unknown;  // Unknown: as the date column settles it, else asked
    QVector<ColumnMapping> columns;        // empty: as the format maps the headings
    // The file's units; Auto: as the headings or a unit column say, else the car's.
    DistanceUnit distance = DistanceUnit::Auto;
    VolumeUnit volume = VolumeUnit::Auto;
};

// The car the records are for: its settings (tax, rounding, diesel names) and units.
struct ImportCar {
    const Settings& settings;
    int runTani = 0;
    int gasTani = 0;
};

struct ImportRejected {
    int line = 0;
    QString reason;
};

struct ImportPlan {
    ImportEncoding encoding = ImportEncoding::Utf8;
    QChar separator = QLatin1Char(',');
    DecimalMark decimalMark = DecimalMark::Dot;
    QString format;
    QString section;
    int headerLine = 0;
    QStringList headings;
    QVector<ColumnMapping> columns;
    QStringList samples;  // the first data row's cell of each column
    DateOrder dateOrder = DateOrder::Unknown;
    bool dateOrderChosen = false;                // given by the user rather than settled by the column
    bool needsDateOrder = false;                 // year-last dates that no day above 12 settles: ask
    bool dateConflict = false;                   // some dates settle day first, others month first
    DistanceUnit distance = DistanceUnit::Auto;  // the file's units where the columns agree
    VolumeUnit volume = VolumeUnit::Auto;
    QVector<FuelRecord> records;  // as they will be stored, in the order of the file
    QVector<int> lines;           // the line each record comes from
    int duplicates = 0;
    QVector<ImportRejected> rejected;
    QVector<ImportRejected> warnings;  // rows imported with something left out
    QString error;                     // why nothing in the file can be mapped

    bool CanImport() const { return error.isEmpty() && !needsDateOrder; }
};

// What the file becomes: each row a refuelling or a maintenance-only record through the entry
// rules (distance from the odometer or the reverse, unit price from the amount or the reverse),
// partial fills combined at the next full fill, a missed fill-up and a fill of unknown distance
// left out of the average, rows that repeat a record of the log (same date and odometer) or an
// earlier row skipped, the others rejected with their line and reason.
ImportPlan PlanImport(const ImportFile& file, const ImportChoices& choices, const RecordTable& log,
                      const ImportCar& car);

// How the file was read, the counts, and each rejected row with its line and reason.
QStringList ImportSummaryLines(const ImportPlan& plan);

inline const QString kImportCapacityCaption = QStringLiteral("登録数ｵｰﾊﾞｰ");

// Why the log cannot take the records, with the numbers; empty when it can.
QString ImportCapacityRefusal(const RecordTable& log, const ImportPlan& plan);

// Adds the records to the log and sorts it. Refuses, changing nothing, as ImportCapacityRefusal says.
bool ApplyImport(RecordTable& log, const ImportPlan& plan, QString* refusal);

}  // namespace tovrel
