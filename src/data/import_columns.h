// What each column of an imported file holds: one table of heading synonyms in English and
// Japanese, the ready mappings of known export formats, and the heading row of the file.
#pragma once

#include "data/import_reader.h"
#include "data/import_values.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace tovrel {

enum class ImportField : int {
    Ignore,
    Date,
    Time,
    Odometer,
    Trip,
    Quantity,
    Cost,
    UnitPrice,
    Full,
    Partial,
    Missed,
    Kind,
    Station,
    FuelType,
    Weather,
    Pattern,
    MainteItem,
    MainteCost,
    MainteMemo,
    Shop,
    Notes,
    VolumeUnitCell,
    Count
};

// The field's caption in the preview ("日付", "走行距離", ..., "（取り込まない）").
QString ImportFieldCaption(ImportField field);

struct ColumnMapping {
    ImportField field = ImportField::Ignore;
    // The unit the heading names ("Odometer (mi)", "Gallons"); Auto when it names none.
    DistanceUnit distance = DistanceUnit::Auto;
    VolumeUnit volume = VolumeUnit::Auto;

    bool operator==(const ColumnMapping&) const = default;
};

// Ready mappings, by the name tovrel-cli takes: "generic" (the synonyms only), "tovrel" (this
// program's main-list CSV), "roadtrip" (Road Trip's CSV columns), "carcare" (Car Care's export).
struct ImportFormatInfo {
    QString id;
    QString caption;
};
const QVector<ImportFormatInfo>& ImportFormats();
inline const QString kAutoFormat = QStringLiteral("auto");
bool IsImportFormat(const QString& id);
QString ImportFormatCaption(const QString& id);

// A heading as it is compared: compatibility forms folded (half-width kana, full-width letters),
// lower case, blanks and punctuation removed; a bracketed part ("(km)") is taken off into *unit.
QString NormalizeHeading(const QString& heading, QString* unit = nullptr);

// The ready format whose tell-tale headings the row holds; "generic" when none does.
QString DetectImportFormat(const QStringList& headings);

// Each heading mapped through the format's own names, then the synonyms. A field goes to its
// first column only; a unit price heading right after the maintenance item is that job's cost.
QVector<ColumnMapping> MapColumns(const QStringList& headings, const QString& formatId);

// Where the log's table is in the file: its heading row and the data rows after it, up to the end
// or the next "## ..." section line.
struct ImportTableSpan {
    int header = -1;  // index into the rows
    int end = 0;      // one past the last data row
    QString section;  // the "## Log" line's name before the heading row, if any
    QString format;   // the format used to map the headings
};

// The heading row is the row among the first ones of the file and of each "## ..." section that
// maps the most columns, a date among them. False when no row maps a date.
bool LocateImportTable(const QVector<ImportRow>& rows, const QString& formatId, ImportTableSpan* span);

}  // namespace tovrel
