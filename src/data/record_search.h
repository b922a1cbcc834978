// Search over the record table, the fuel-type and station shift, and the jump to a date.
#pragma once

#include <QDate>
#include <QString>

#include <functional>

namespace tovrel {

class RecordTable;
struct FuelRecord;
struct Settings;

// The conditions of a search. Dates are yyyy/mm/dd texts; empty ones stand for the defaults
// (1990/01/01 and today). All conditions must hold; an empty text matches every record.
struct SearchConditions {
    bool fuel = true;
    bool mainte = true;
    bool averageOnly = false;
    QString startDay;
    QString endDay;
    QString weather;
    QString gasSel;
    QString stand;
    QString pattern;
    QString mainteText;
    QString shop;
    QString memo;
    bool shiftGasSel = false;
    bool shiftStand = false;

    bool operator==(const SearchConditions&) const = default;
};

inline const QString kSearchFirstDay = QStringLiteral("1990/01/01");

// The start date the conditions dialog shows for a stored start date, and the end date.
QString SearchStartDay(const QString& stored);
QString SearchEndDay(const QString& stored, const QDate& today);

SearchConditions StoredSearchConditions(const Settings& settings);
void StoreSearchConditions(Settings& settings, const SearchConditions& conditions);
// "検索条件初期化": both kinds, no average limit, no dates and texts, both shifts on.
SearchConditions ClearedSearchConditions();

// Each fuel record takes the fuel type and/or station of the fuel record before it (empty for the
// first one); maintenance-only records are passed over and keep theirs.
void ShiftFuelTypesAndStations(RecordTable& table, bool gasSel, bool stand);

// Whether the record meets the conditions; the dates must be given (not empty).
bool MatchesSearch(const FuelRecord& record, const SearchConditions& conditions);

// Keeps the matching records of the table in their order; step runs once per record tested.
// Empty dates are taken as the defaults. Returns the number of matches.
int FilterRecords(RecordTable& table, const SearchConditions& conditions, const QDate& today,
                  const std::function<void()>& step = {});

// The record the date jump selects: the last one dated on or before the day (the first of those
// dated on it), record 1 when every record is later or the list is empty.
int JumpTarget(const RecordTable& table, const QString& day);

}  // namespace tovrel
