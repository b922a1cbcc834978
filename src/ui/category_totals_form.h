// The category totals window: the log totalled by fuel type, station, driving pattern or maintenance item.
#pragma once

#include "totals/category_totals.h"
#include "ui/list_form.h"

namespace tovrel {

class RangeBar;

class TMivraSyukeiForm : public TListForm {
    Q_OBJECT

public:
    TMivraSyukeiForm(Logbook& book, QWidget* mainWindow);
    ~TMivraSyukeiForm() override;

    // 0 fuel type, 1 station, 2 pattern, 3 maintenance item; set before showing.
    void SetMode(int mode);
    int Mode() const { return m_mode; }

    // shift -1 "<<", +1 ">>", 0 a recomputation of the range in the edits.
    void Compute(int shift);
    // The range from the first to the last record's month; nothing with an empty table.
    void AllSpeedButtonClick();
    void MivraSyukeiFileOutItemClick(int tag);
    void MivraSyukeiPrintItemClick(int tag);

    void ApplyListFont() override;
    void setVisible(bool visible) override;

    RangeBar* rangeBar() const { return m_range; }
    const CategoryTotals& totals() const { return m_totals; }

protected:
    QVector<int> ColumnChars() const override;
    QString PlacementName() const override;
    QString GridName() const override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void FitWindow();
    // The first of the mode's two print forms.
    int FirstFormNumber() const { return 8 + 2 * m_mode; }
    QVariant CellRole(int gridRow, int column, int role) const;

    RangeBar* m_range;
    int m_mode = CategoryFuel;
    CategoryTotals m_totals;
};

}  // namespace tovrel
