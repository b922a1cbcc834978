#include "data/record_search.h"

#include "base/text_utils.h"
#include "data/record_table.h"
#include "settings/settings.h"

namespace tovrel {

namespace {

bool Contains(const QString& field, const QString& text) {
    return text.isEmpty() || field.contains(text, Qt::CaseSensitive);
}

}  // namespace

QString SearchStartDay(const QString& stored) {
    return stored.isEmpty() ? kSearchFirstDay : stored;
}

QString SearchEndDay(const QString& stored, const QDate& today) {
    return stored.isEmpty() ? DateToText(today) : stored;
}

SearchConditions StoredSearchConditions(const Settings& s) {
    SearchConditions c;
    c.fuel = s.SaveSchMivraCheck;
    c.mainte = s.SaveSchMainteCheck;
    c.averageOnly = s.SaveSchNoneHeikinCheck;
    c.startDay = s.SaveSchStartDay;
    c.endDay = s.SaveSchEndDay;
    c.weather = s.SaveSchWeather;
    c.gasSel = s.SaveSchGasSel;
    c.stand = s.SaveSchStand;
    c.pattern = s.SaveSchPattern;
    c.mainteText = s.SaveSchMainte;
    c.shop = s.SaveSchShop;
    c.memo = s.SaveSchMemo;
    c.shiftGasSel = s.GasSelShift;
    c.shiftStand = s.StandShift;
    return c;
}

void StoreSearchConditions(Settings& s, const SearchConditions& c) {
    s.SaveSchMivraCheck = c.fuel;
    s.SaveSchMainteCheck = c.mainte;
    s.SaveSchNoneHeikinCheck = c.averageOnly;
    s.SaveSchStartDay = c.startDay;
    s.SaveSchEndDay = c.endDay;
    s.SaveSchWeather = c.weather;
    s.SaveSchGasSel = c.gasSel;
    s.SaveSchStand = c.stand;
    s.SaveSchPattern = c.pattern;
    s.SaveSchMainte = c.mainteText;
    s.SaveSchShop = c.shop;
    s.SaveSchMemo = c.memo;
    s.GasSelShift = c.shiftGasSel;
    s.StandShift = c.shiftStand;
}

SearchConditions ClearedSearchConditions() {
    SearchConditions c;
    c.shiftGasSel = true;
    c.shiftStand = true;
    return c;
}

void ShiftFuelTypesAndStations(RecordTable& table, bool gasSel, bool stand) {
    if (!gasSel && !stand) return;
    // Walking upwards with the previous fuel record's values kept aside gives every record the
    // value its predecessor had before the shift.
    QString previousGasSel;
    QString previousStand;
    table.BeginUpdate();
    for (int i = 1; i <= table.RecordCount(); ++i) {
        if (table.Kind(i) != KindFuel) continue;
        const QString ownGasSel = table.Text(i, ColGasSel);
        const QString ownStand = table.Text(i, ColStand);
        if (gasSel) table.SetText(i, ColGasSel, previousGasSel);
        if (stand) table.SetText(i, ColStand, previousStand);
        previousGasSel = ownGasSel;
        previousStand = ownStand;
    }
    table.EndUpdate();
}

bool MatchesSearch(const FuelRecord& r, const SearchConditions& c) {
    if (r.Day() < c.startDay || r.Day() > c.endDay) return false;
    if (!(r.kind == KindFuel ? c.fuel : c.mainte)) return false;
    if (c.averageOnly && r.noneHeikin != 0) return false;
    return Contains(r.text[ColWeather], c.weather) && Contains(r.GasSel(), c.gasSel) &&
           Contains(r.Stand(), c.stand) && Contains(r.Pattern(), c.pattern) &&
           Contains(r.Mainte(), c.mainteText) && Contains(r.Shop(), c.shop) && Contains(r.Memo(), c.memo);
}

int FilterRecords(RecordTable& table, const SearchConditions& conditions, const QDate& today,
                  const std::function<void()>& step) {
    SearchConditions c = conditions;
    c.startDay = SearchStartDay(c.startDay);
    c.endDay = SearchEndDay(c.endDay, today);
    return table.KeepRecords([&](const FuelRecord& r) {
        if (step) step();
        return MatchesSearch(r, c);
    });
}

int JumpTarget(const RecordTable& table, const QString& day) {
    int target = 1;
    for (int i = 1; i <= table.RecordCount(); ++i) {
        const QString& d = table.Text(i, ColDay);
        if (d > day) break;
        target = i;
        if (d == day) break;
    }
    return target;
}

}  // namespace tovrel
