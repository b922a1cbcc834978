// Combined-fill economy: several refuellings that together filled the tank counted as one, their
// economy written into each and the total distance shared out in proportion to their fuel.
#pragma once

#include "calc/range_tools.h"

#include <QString>
#include <QVector>

#include <optional>

namespace tovrel {

class RecordTable;

inline const QString kCombinedFillToolName = QStringLiteral("まとめ燃費計算");

// The two fields the user may type into; the others are computed.
enum class FillField { Run, TotalRun };

// The dialog's fields over one selection, with their entry and leave rules. The texts are the
// ones the dialog shows.
class CombinedFill {
public:
    // Collects the refuelling records of first..last (1 <= first, last <= count) and fills the
    // fields; with two or more of them and fuel to divide by, computes the economy.
    CombinedFill(const RecordTable& table, int first, int last, int runCalcSelect, bool calcPass);

    int RefuelCount() const { return static_cast<int>(m_slots.size()); }
    const QVector<int>& RefuelSlots() const { return m_slots; }
    QString Caution() const;
    // Why "計 算" cannot be used, shown when the dialog opens; none when it can.
    std::optional<RangeRefusal> Refusal() const;

    const QString& RunText() const { return m_run; }
    const QString& TotalRunText() const { return m_totalRun; }
    const QString& GasText() const { return m_gas; }
    const QString& EconomyText() const { return m_economy; }
    const QString& CostText() const { return m_cost; }
    double Economy() const;

    // Whether the field can be typed into: not while refused, not the computed one with CalcPass.
    bool Editable(FillField field) const;
    // The field that has the focus when the dialog opens.
    FillField FirstField() const { return m_runCalcSelect == 2 ? FillField::TotalRun : FillField::Run; }

    // Entering a field: its text is remembered and given back without grouping for editing.
    QString Enter(FillField field);
    // Leaving it with the typed text: re-read with its decimals (unreadable = 0) and grouped; a
    // changed, non-zero value runs the linked recalculation of RunCalcSelect, and a changed
    // distance refreshes the economy.
    void Leave(FillField field, const QString& typed);
    // Enter, replace the text, leave: what typing into the field does.
    void Type(FillField field, const QString& text);

    // "計 算": the economy into every collected record, the distance shared out by fuel (the last
    // record taking what rounding leaves) and the odometer on the last one only. Refuses as
    // Refusal() says, changing nothing.
    bool Apply(RecordTable& table, RangeRefusal* refusal) const;

private:
    QString& Text(FillField field) { return field == FillField::Run ? m_run : m_totalRun; }
    void ComputeEconomy();
    void LinkedRecalculation();

    const RecordTable& m_table;
    int m_first;
    int m_last;
    int m_runCalcSelect;
    bool m_calcPass;
    bool m_ready = false;
    QVector<int> m_slots;
    QString m_run;
    QString m_totalRun;
    QString m_gas;
    QString m_economy;
    QString m_cost;
    QString m_remembered;
};

}  // namespace tovrel
