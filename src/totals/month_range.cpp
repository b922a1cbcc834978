#include "totals/month_range.h"

#include "base/text_utils.h"
#include "data/record_table.h"

#include <algorithm>

namespace tovrel {

namespace {

// Month indexes are year * 12 + month with month 1..12.
void SplitMonthIndex(int index, int* year, int* month) {
    int y = (index - 1) / 12;
    int mth = index - y * 12;
    if (mth < 1) {
        y -= 1;
        mth += 12;
    }
    *year = y;
    *month = mth;
}

void SetEnd(MonthRange& range, int index) {
    SplitMonthIndex(index, &range.endYear, &range.endMonth);
}

}  // namespace

QString MonthText(int year, int month) {
    // Years beyond four digits keep every digit rather than being cut to their last four.
    QString y = QString::number(year < 0 ? -static_cast<qint64>(year) : year);
    if (y.size() < 4) y = QString((year < 0 ? 3 : 4) - y.size(), QLatin1Char('0')) + y;
    if (year < 0) y.prepend(QLatin1Char('-'));
    return y + QLatin1Char('/') + TwoDigits(month);
}

QString MonthRange::StartText() const {
    return MonthText(startYear, startMonth);
}

QString MonthRange::EndText() const {
    return MonthText(endYear, endMonth);
}

QString MonthRange::RowText(int row) const {
    int year = 0;
    int month = 0;
    SplitMonthIndex(StartIndex() + row - 1, &year, &month);
    return MonthText(year, month);
}

int MonthRowOfDay(const MonthRange& range, const QString& day) {
    return range.RowOf(ParseInt(day.mid(0, 4), 0), ParseInt(day.mid(5, 2), 0));
}

MonthRange DefaultMonthRange(const QDate& today) {
    MonthRange range;
    range.endYear = today.year();
    range.endMonth = today.month();
    const QDate start = today.addMonths(-11);
    range.startYear = start.year();
    range.startMonth = start.month();
    return range;
}

MonthRange NormalizeMonthRange(const QString& startText, const QString& endText, int shift, int limitMonths) {
    MonthRange range;
    range.startYear = ParseInt(startText.mid(0, 4), 0);
    range.startMonth = std::clamp(ParseInt(startText.mid(5, 2), 0), 1, 12);
    range.endYear = ParseInt(endText.mid(0, 4), 0);
    range.endMonth = std::clamp(ParseInt(endText.mid(5, 2), 0), 1, 12);
    if (range.EndIndex() < range.StartIndex()) SetEnd(range, range.StartIndex() + 11);
    if (limitMonths > 0 && range.Months() > limitMonths) SetEnd(range, range.StartIndex() + limitMonths - 1);
    if (shift != 0) {
        SetEnd(range, range.StartIndex() + 11);
        range.startYear += shift;
        range.endYear += shift;
    }
    return range;
}

bool WholeLogMonthTexts(const RecordTable& table, QString* startText, QString* endText) {
    const int count = table.RecordCount();
    if (count < 1) return false;
    if (startText) *startText = table.At(1).Day().left(7);
    if (endText) *endText = table.At(count).Day().left(7);
    return true;
}

}  // namespace tovrel
