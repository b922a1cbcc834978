// The period totals window: the log totalled month by month over a chosen range of months.
#pragma once

#include "totals/period_totals.h"
#include "ui/list_form.h"

namespace tovrel {

class RangeBar;
class TMivraGraphForm;

class TTotalForm : public TListForm {
    Q_OBJECT

public:
    TTotalForm(Logbook& book, QWidget* mainWindow);
    ~TTotalForm() override;

    // shift -1 "<<", +1 ">>", 0 a recomputation of the range in the edits.
    void Compute(int shift);
    // The range from the first to the last record's month; nothing with an empty table.
    void AllSpeedButtonClick();
    void TotalFileOutItemClick(int tag);
    void TotalPrintItemClick(int tag);
    // The graph button, the graph choice and "ｸﾞﾗﾌ表示(&G)..." work once the graph window is given.
    void SetGraphForm(TMivraGraphForm* form);
    // The trend graph of the kind the graph choice names, over this window's grid.
    void GraphSpeedButtonClick();

    void ApplyListFont() override;
    void setVisible(bool visible) override;

    RangeBar* rangeBar() const { return m_range; }
    const PeriodTotals& totals() const { return m_totals; }

protected:
    QVector<int> ColumnChars() const override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void FitWindow();
    QVariant CellRole(int gridRow, int column, int role) const;

    RangeBar* m_range;
    TMivraGraphForm* m_graphForm = nullptr;
    PeriodTotals m_totals;
};

}  // namespace tovrel
