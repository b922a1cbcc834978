// The maintenance due window: when each maintenance item is next due, coloured by warning level.
#pragma once

#include "base/text_grid.h"
#include "totals/maintenance_due.h"
#include "ui/list_form.h"

#include <QDate>

#include <array>
#include <functional>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

namespace tovrel {

class TMainteForm : public TListForm {
    Q_OBJECT

public:
    TMainteForm(Logbook& book, QWidget* mainWindow);
    // Stores the sort choice (MainteSortSel) and the placement.
    ~TMainteForm() override;

    // The date taken as today for the due dates; tests and the command line replace it.
    std::function<QDate()> today;

    // The showing steps: headings, legend, colours, the computation under the wait window, the sort.
    void FormShow();
    // The settings dialog on its maintenance page; after OK the table is computed again.
    void SettingSpeedButtonClick();
    // Recomputes the current car's due table, with the wait window.
    void ComputeDue();
    // Writes the due table into the grid in the order of the current sort choice.
    void ApplySort();
    // The combo box, the View menu and the heading double click all come here.
    void SelectSort(int choice);
    int SortChoice() const { return m_choice; }
    void SortColumnDblClick(int column);
    void MainteFileOutItemClick(int tag);
    void MaintePrintItemClick(int tag);

    const DueTable& Table() const { return m_table; }
    const TextGrid& SortedGrid() const { return m_sorted; }

    // Stored colour value (0x00BBGGRR) of a cell's text as the grid draws it.
    quint32 CellTextColor(int gridRow, int column) const;
    // Whether the cell is the ratio of the deciding criterion (drawn underlined).
    bool IsDecidingRatio(int gridRow, int column) const;

    void ApplyListFont() override;

protected:
    QVector<int> ColumnChars() const override;
    QString GridName() const override { return QStringLiteral("MainteStringGrid"); }

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildToolBar();
    void BuildMenus();
    void FileMenuClick();
    void ShowLegend();
    void UpdateSizeLimits();
    QVariant CellRole(int gridRow, int column, int role) const;
    QVariant HeaderRole(int column, int role) const;
    quint32 RatioColor(const QString& cell, quint32 otherwise) const;

    DueTable m_table;
    TextGrid m_sorted;
    int m_choice = 0;
    QToolBar* m_toolBar = nullptr;
    QComboBox* m_sortSelect = nullptr;
    QActionGroup* m_sortGroup = nullptr;
    std::array<QAction*, 7> m_sortItems{};
    std::array<QLabel*, 5> m_levelPanels{};  // [1..4]
    std::array<QAction*, 3> m_printItems{};  // [1..2]
    std::array<QAction*, 3> m_csvItems{};    // [1..2]
};

}  // namespace tovrel
