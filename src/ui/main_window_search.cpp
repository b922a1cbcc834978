// Search, the date jump and the two range tools of the main window.
#include "ui/main_window.h"

#include "calc/combined_fill.h"
#include "calc/odometer_recalc.h"
#include "ui/all_mivra_form.h"
#include "ui/day_search_form.h"
#include "ui/main_list_model.h"
#include "ui/search_form.h"
#include "ui/total_run_calc_form.h"
#include "ui/widgets/list_grid.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/wait_window.h"

#include <QDate>
#include <QItemSelectionModel>

namespace tovrel {

void TMivraMainForm::CreateSearchForms() {
    m_daySearchForm = new TDaySearchForm(m_book.store(), this);
    m_searchForm = new TSearchForm(m_book, this);
    m_totalRunCalcForm = new TTotalRunCalcForm(m_book, this);
    m_allMivraForm = new TAllMivraForm(m_book, this);
}

void TMivraMainForm::RememberFullListView() {
    m_fullListView.topRow = m_grid->TopRow();
    m_fullListView.selection = m_grid->selectionModel()->selection();
    m_fullListView.current = m_grid->currentIndex();
}

void TMivraMainForm::SearchViewChanged(bool active) {
    SetListEditable(!active);
    if (active) return;
    QItemSelectionModel* selection = m_grid->selectionModel();
    selection->select(m_fullListView.selection, QItemSelectionModel::ClearAndSelect);
    if (m_fullListView.current.isValid())
        selection->setCurrentIndex(m_fullListView.current, QItemSelectionModel::NoUpdate);
    m_grid->SetTopRow(m_fullListView.topRow);
    UpdateStatusPanels();
}

void TMivraMainForm::SearchItemClick() {
    if (searchForm()->exec() != QDialog::Accepted) return;
    const SearchConditions conditions = searchForm()->Conditions();
    RecordTable& table = m_book.table();
    if (!table.IsSearchActive()) RememberFullListView();
    ShowWaitMessage(this, QStringLiteral("検索中"), table.FullCount());
    m_book.Search(conditions, QDate::currentDate(), StepWait);
    UpdateStatusPanels();
    m_model->RefreshAll();
    ShowLastRecord();
    CloseWait();
}

void TMivraMainForm::JumpItemClick() {
    if (daySearchForm()->exec() != QDialog::Accepted) return;
    const int target = JumpTarget(m_book.table(), daySearchForm()->DayText());
    m_grid->SetTopRow(MainListModel::RowOfSlot(target));
    m_grid->selectRow(MainListModel::RowOfSlot(target));
}

void TMivraMainForm::AllMivraItemClick() {
    int last = 0;
    const int first = SelectionTop();
    if (!SelectedRange(first, SelectionBottom(), m_book.table().RecordCount(), &last)) {
        const RangeRefusal refusal = TooFewSelected(kCombinedFillToolName);
        MessageBox::ShowWarning(refusal.caption, refusal.text);
        return;
    }
    if (allMivraForm()->Exec(first, last) == QDialog::Accepted) RecalcStatus();
}

void TMivraMainForm::TotalRunCalcItemClick() {
    int last = 0;
    const int first = SelectionTop();
    if (!SelectedRange(first, SelectionBottom(), m_book.table().RecordCount(), &last)) {
        const RangeRefusal refusal = TooFewSelected(kOdometerToolName);
        MessageBox::ShowWarning(refusal.caption, refusal.text);
        return;
    }
    if (totalRunCalcForm()->Exec(first, last) == QDialog::Accepted) RecalcStatus();
}

}  // namespace tovrel
