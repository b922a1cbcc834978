#include "calc/odometer_recalc.h"

#include "base/text_utils.h"
#include "calc/entry_rules.h"
#include "data/record_table.h"

#include <QVector>

#include <algorithm>
#include <optional>

namespace tovrel {

namespace {

double Reading(const RecordTable& table, int slot) {
    return ParseNumber(table.Text(slot, ColTotalRun), RunDecimals, 0);
}

// The day number of a record's date; none for a date that cannot be (it is then not interpolated).
std::optional<int> DayOf(const RecordTable& table, int slot) {
    const QDate date = TextToDate(table.Text(slot, ColDay));
    if (!date.isValid()) return std::nullopt;
    return DayNumber(date);
}

void InterpolateMaintenance(RecordTable& table, int slot) {
    int before = slot - 1;
    while (before >= 1 && Reading(table, before) == 0)
        --before;
    int after = slot + 1;
    while (after <= table.RecordCount() && Reading(table, after) == 0)
        ++after;
    if (before < 1 || after > table.RecordCount()) return;
    const auto beforeDay = DayOf(table, before);
    const auto afterDay = DayOf(table, after);
    const auto ownDay = DayOf(table, slot);
    if (!beforeDay || !afterDay || !ownDay || *afterDay == *beforeDay) return;
    const double p = Reading(table, before);
    const double n = Reading(table, after);
    const double odometer = p + (n - p) * (*ownDay - *beforeDay) / (*afterDay - *beforeDay);
    table.SetText(slot, ColTotalRun, FormatFixed(0, RunDecimals, odometer));
}

}  // namespace

QString OdometerCaution(const RecordTable& table, int first, int last) {
    return RangeDays(table, first, last) + QStringLiteral(" までの走行距離を再計算します。");
}

bool RecalcOdometer(RecordTable& table, int first, int last, const OdometerOptions& options,
                    RangeRefusal* refusal) {
    QVector<int> fuel;
    QVector<int> mainte;
    for (int i = first; i <= last; ++i)
        (table.Kind(i) == KindFuel ? fuel : mainte).append(i);
    if (!options.forward) std::reverse(fuel.begin(), fuel.end());

    double odometer = fuel.isEmpty() ? 0 : Reading(table, fuel.first());
    if (!options.forward) {
        std::optional<RangeRefusal> refused;
        if (odometer == 0) {
            refused = RangeRefusal{QStringLiteral("走行距離ｴﾗｰ"),
                                   QStringLiteral("範囲選択終了ﾃﾞｰﾀの走行距離が入力されていません。")};
        } else if (fuel.size() <= 1) {
            refused = RangeRefusal{kRangeErrorCaption, kTooFewRefuelsText};
        }
        if (refused) {
            if (refusal) *refusal = *refused;
            return false;
        }
    }

    table.BeginUpdate();
    for (qsizetype n = 1; n < fuel.size(); ++n) {
        const int slot = fuel[n];
        // Backward, the later neighbour's trip is the distance driven since this fill.
        const int tripSlot = options.forward ? slot : fuel[n - 1];
        const double trip = ParseNumber(table.Text(tripSlot, ColRun), RunDecimals, 0);
        odometer += options.forward ? trip : -trip;
        const double own = Reading(table, slot);
        if (!options.overwrite && own != 0) odometer = own;
        table.SetText(slot, ColTotalRun, FormatFixed(0, RunDecimals, odometer));
    }
    if (options.maintenance) {
        for (int slot : mainte) {
            if (options.overwrite || Reading(table, slot) == 0) InterpolateMaintenance(table, slot);
        }
    }
    table.EndUpdate();
    return true;
}

}  // namespace tovrel
