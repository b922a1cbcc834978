// The range of calendar months of the totals windows and how the two range edits are normalised.
#pragma once

#include <QDate>
#include <QString>

namespace tovrel {

class RecordTable;

struct MonthRange {
    int startYear = 0;
    int startMonth = 1;
    int endYear = 0;
    int endMonth = 1;

    int StartIndex() const { return startYear * 12 + startMonth; }
    int EndIndex() const { return endYear * 12 + endMonth; }
    int Months() const { return EndIndex() - StartIndex() + 1; }
    // Row 1..Months() of the month given as year and month; outside the range gives < 1 or > Months().
    int RowOf(int year, int month) const { return year * 12 + month - StartIndex() + 1; }
    QString StartText() const;  // "yyyy/mm"
    QString EndText() const;
    QString RowText(int row) const;  // "yyyy/mm" of month row 1..Months()
};

// "yyyy/mm", the year zero-filled to four digits.
QString MonthText(int year, int month);

// Row of a record's Day in the range: year from characters 1-4, month from characters 6-7.
int MonthRowOfDay(const MonthRange& range, const QString& day);

// The 12 months ending with today's month.
MonthRange DefaultMonthRange(const QDate& today);

// The range the two edit texts give: months clamped to 1..12, an end before the start becomes
// start + 11 months, more than limitMonths months (when limitMonths > 0) are cut from the end, and a
// shift of -1/+1 gives the 12 months from the start month of the year before/after.
MonthRange NormalizeMonthRange(const QString& startText, const QString& endText, int shift, int limitMonths);

// The edit texts of "全期間集計": the first 7 characters of the first and the last record's Day.
// False, texts unchanged, when the table is empty.
bool WholeLogMonthTexts(const RecordTable& table, QString* startText, QString* endText);

}  // namespace tovrel
