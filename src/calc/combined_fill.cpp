#include "calc/combined_fill.h"

#include "base/text_utils.h"
#include "calc/economy.h"
#include "calc/entry_rules.h"
#include "data/record_table.h"

namespace tovrel {

CombinedFill::CombinedFill(const RecordTable& table, int first, int last, int runCalcSelect, bool calcPass)
    : m_table(table), m_first(first), m_last(last), m_runCalcSelect(runCalcSelect), m_calcPass(calcPass) {
    double fuel = 0;
    double distance = 0;
    double amount = 0;
    for (int i = first; i <= last; ++i) {
        const FuelRecord& r = table.At(i);
        if (r.kind != KindFuel) continue;
        m_slots.append(i);
        fuel += ParseNumber(r.Gas(), GasDecimals, 0);
        distance += ParseNumber(r.Run(), RunDecimals, 0);
        amount += ParseNumber(r.Cost(), CostDecimals, 0);
    }
    m_gas = FormatFixed(0, GasDecimals, fuel);
    m_run = FormatFixed(0, RunDecimals, distance);
    m_cost = FormatFixed(0, CostDecimals, amount);
    if (!m_slots.isEmpty()) m_totalRun = StripGrouping(table.Text(m_slots.last(), ColTotalRun));
    if (Refusal()) return;
    ComputeEconomy();
    m_run = NormalNumberText(m_run, RunDecimals);
    m_totalRun = NormalNumberText(m_totalRun, RunDecimals);
    m_gas = NormalNumberText(m_gas, GasDecimals);
    m_economy = NormalNumberText(m_economy, EconomyDecimals);
    m_cost = NormalNumberText(m_cost, CostDecimals);
    m_remembered = m_run;
    m_ready = true;
}

QString CombinedFill::Caution() const {
    return RangeDays(m_table, m_first, m_last) + QStringLiteral(" までの ") + QString::number(RefuelCount()) +
           QStringLiteral(" 回の給油ﾃﾞｰﾀを\r\nまとめた燃費として計算します。");
}

std::optional<RangeRefusal> CombinedFill::Refusal() const {
    if (RefuelCount() <= 1) return RangeRefusal{kRangeErrorCaption, kTooFewRefuelsText};
    // The distances are shared out in proportion to the fuel: without fuel there is nothing to share by.
    if (ParseNumber(m_gas, GasDecimals, 0) == 0) {
        return RangeRefusal{
            kRangeErrorCaption,
            QStringLiteral("選択している燃費ﾃﾞｰﾀの給油量の合計が0のため、まとめ燃費計算できません。")};
    }
    return std::nullopt;
}

double CombinedFill::Economy() const {
    return ParseNumber(m_economy, EconomyDecimals, 0);
}

bool CombinedFill::Editable(FillField field) const {
    if (!m_ready) return false;
    if (!m_calcPass) return true;
    return !((field == FillField::TotalRun && m_runCalcSelect == 1) ||
             (field == FillField::Run && m_runCalcSelect == 2));
}

void CombinedFill::ComputeEconomy() {
    const double fuel = ParseNumber(m_gas, GasDecimals, 0);
    const double distance = ParseNumber(m_run, RunDecimals, 0);
    m_economy = GroupDigits(FormatFixed(0, EconomyDecimals, tovrel::ComputeEconomy(distance, fuel)));
    m_run = NormalNumberText(m_run, RunDecimals);
}

void CombinedFill::LinkedRecalculation() {
    if (m_runCalcSelect == 0 || !m_ready) return;
    const int reference = FindOdometerReference(m_table, m_first);
    if (reference == 0) return;
    const double odometer = ParseNumber(m_table.Text(reference, ColTotalRun), RunDecimals, 0);
    if (m_runCalcSelect == 1) {
        m_totalRun = FormatFixed(0, RunDecimals, odometer + ParseNumber(m_run, RunDecimals, 0));
    } else if (m_runCalcSelect == 2) {
        m_run = FormatFixed(0, RunDecimals, ParseNumber(m_totalRun, RunDecimals, 0) - odometer);
    }
    ComputeEconomy();
}

QString CombinedFill::Enter(FillField field) {
    m_remembered = Text(field);
    return StripGrouping(m_remembered);
}

void CombinedFill::Leave(FillField field, const QString& typed) {
    QString& text = Text(field);
    text = NormalNumberText(typed, RunDecimals);
    if (!m_ready || text == m_remembered) return;
    const bool linked = (field == FillField::Run && m_runCalcSelect == 1) ||
                        (field == FillField::TotalRun && m_runCalcSelect == 2);
    if (linked && ParseNumber(text, RunDecimals, 0) != 0) LinkedRecalculation();
    // "計 算" stores the economy shown: it must follow every distance it will share out.
    if (field == FillField::Run) ComputeEconomy();
}

void CombinedFill::Type(FillField field, const QString& text) {
    Enter(field);
    Leave(field, text);
}

bool CombinedFill::Apply(RecordTable& table, RangeRefusal* refusal) const {
    if (const auto refused = Refusal()) {
        if (refusal) *refusal = *refused;
        return false;
    }
    const double fuel = ParseNumber(m_gas, GasDecimals, 0);
    const double distance = ParseNumber(m_run, RunDecimals, 0);
    const QString economy = StripGrouping(m_economy);
    double remainder = distance;
    table.BeginUpdate();
    for (qsizetype n = 0; n < m_slots.size(); ++n) {
        const int slot = m_slots[n];
        table.SetText(slot, ColEconomy, economy);
        if (n + 1 < m_slots.size()) {
            const QString run = FormatFixed(
                0, RunDecimals, ParseNumber(table.Text(slot, ColGas), GasDecimals, 0) * distance / fuel);
            table.SetText(slot, ColRun, run);
            table.SetText(slot, ColTotalRun, QString());
            remainder -= ParseNumber(run, RunDecimals, 0);
        } else {
            table.SetText(slot, ColRun, FormatFixed(0, RunDecimals, remainder));
            table.SetText(slot, ColTotalRun, StripGrouping(m_totalRun));
        }
    }
    table.EndUpdate();
    return true;
}

}  // namespace tovrel
