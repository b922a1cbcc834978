// The settings dialog's grids: the grid itself with its Tab rules and clipboard commands, the grid
// pop-up menus, the maintenance item details and the print tab.
#include "ui/setting_form.h"

#include "data/print_forms.h"
#include "session/logbook.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/message_box.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>

namespace tovrel {

// Notes whether Ctrl was held with the Tab that closes an editor: Ctrl+Tab leaves the grid.
class SettingGridDelegate : public QStyledItemDelegate {
public:
    explicit SettingGridDelegate(SettingGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

protected:
    bool eventFilter(QObject* editor, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
                m_grid->m_ctrlTab = key->modifiers().testFlag(Qt::ControlModifier);
        }
        return QStyledItemDelegate::eventFilter(editor, event);
    }

private:
    SettingGrid* m_grid;
};

namespace {

// Paints the heading of the row-number column ("No") into the grid's corner.
class CornerCaption : public QObject {
public:
    CornerCaption(QAbstractButton* corner, const QString& text) : QObject(corner), m_text(text) {
        corner->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        auto* corner = static_cast<QAbstractButton*>(watched);
        QStyleOptionHeader option;
        option.initFrom(corner);
        option.rect = corner->rect();
        option.text = m_text;
        option.textAlignment = Qt::AlignCenter;
        option.position = QStyleOptionHeader::OnlyOneSection;
        QPainter painter(corner);
        corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
        return true;
    }

private:
    QString m_text;
};

}  // namespace

SettingGrid::SettingGrid(int rows, const QStringList& headings, bool editable, QWidget* parent)
    : QTableWidget(rows, int(headings.size()) - 1, parent) {
    setHorizontalHeaderLabels(headings.mid(1));
    QStringList numbers;
    for (int row = 1; row <= rows; ++row)
        numbers << QString::number(row);
    setVerticalHeaderLabels(numbers);
    verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    setItemDelegate(new SettingGridDelegate(this));
    setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked
                             : QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columnCount(); ++column)
            setItem(row, column, new QTableWidgetItem);
    }
    if (auto* corner = findChild<QAbstractButton*>()) new CornerCaption(corner, headings.value(0));
}

QString SettingGrid::Cell(int row, int column) const {
    const QTableWidgetItem* cell = item(row - 1, column - 1);
    return cell ? cell->text() : QString();
}

void SettingGrid::SetCell(int row, int column, const QString& text) {
    if (QTableWidgetItem* cell = item(row - 1, column - 1)) cell->setText(text);
}

void SettingGrid::SetCurrent(int row, int column) {
    setCurrentCell(row - 1, column - 1);
}

bool SettingGrid::AtFirstCell() const {
    return currentRow() <= 0 && currentColumn() <= 0;
}

bool SettingGrid::AtLastCell() const {
    return currentRow() == rowCount() - 1 && currentColumn() == columnCount() - 1;
}

void SettingGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Tab && event->modifiers().testFlag(Qt::ControlModifier) && tabNext) {
        tabNext->setFocus(Qt::TabFocusReason);
        return;
    }
    QTableWidget::keyPressEvent(event);
}

bool SettingGrid::focusNextPrevChild(bool next) {
    if (next && AtLastCell() && tabNext) {
        tabNext->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (!next && AtFirstCell() && tabPrev) {
        tabPrev->setFocus(Qt::BacktabFocusReason);
        return true;
    }
    return QTableWidget::focusNextPrevChild(next);
}

void SettingGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool ctrlTab = m_ctrlTab;
    m_ctrlTab = false;
    QWidget* leaveTo = nullptr;
    if (hint == QAbstractItemDelegate::EditNextItem && (ctrlTab || AtLastCell())) leaveTo = tabNext;
    if (hint == QAbstractItemDelegate::EditPreviousItem && AtFirstCell()) leaveTo = tabPrev;
    if (!leaveTo) {
        QTableWidget::closeEditor(editor, hint);
        return;
    }
    QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
    leaveTo->setFocus(hint == QAbstractItemDelegate::EditNextItem ? Qt::TabFocusReason
                                                                  : Qt::BacktabFocusReason);
}

void SettingGrid::EditCommand(int command) {
    QTableWidgetItem* cell = currentItem();
    if (!cell) return;
    if (auto* editor = qobject_cast<QLineEdit*>(indexWidget(currentIndex()))) {
        switch (command) {
            case CutCommand:
                editor->cut();
                break;
            case CopyCommand:
                editor->copy();
                break;
            case PasteCommand:
                editor->paste();
                break;
            default:
                editor->undo();
                break;
        }
        return;
    }
    // No editor: the whole cell, as selecting its text and pressing the key would do.
    QClipboard* clipboard = QGuiApplication::clipboard();
    switch (command) {
        case CutCommand:
            clipboard->setText(cell->text());
            cell->setText(QString());
            break;
        case CopyCommand:
            clipboard->setText(cell->text());
            break;
        case PasteCommand:
            cell->setText(clipboard->text().section(QLatin1Char('\n'), 0, 0).remove(QLatin1Char('\r')));
            break;
        default:
            break;
    }
}

// ---- Grid pop-up menus

void TSettingForm::BuildGridMenus() {
    m_gridMenu = new QMenu(this);
    const auto item = [this](const QString& name, const QString& caption) {
        QAction* a = m_gridMenu->addAction(caption);
        a->setObjectName(name);
        return a;
    };
    const std::pair<const char16_t*, RowCommand> moves[] = {{u"上へ移動", RowCommand::MoveUp},
                                                            {u"下へ移動", RowCommand::MoveDown},
                                                            {u"行挿入", RowCommand::Insert},
                                                            {u"行削除", RowCommand::Delete}};
    static const char* const moveNames[] = {"UpItem", "DownItem", "InsertItem", "DeleteItem"};
    for (int i = 0; i < 4; ++i) {
        QAction* a = item(QLatin1String(moveNames[i]), QString::fromUtf16(moves[i].first));
        const RowCommand command = moves[i].second;
        connect(a, &QAction::triggered, this, [this, command] {
            if (m_menuGrid) GridCommandClick(m_menuGrid, command);
        });
        m_moveItems << a;
    }
    m_moveItems << m_gridMenu->addSeparator();
    const std::pair<const char16_t*, int> clips[] = {{u"切り取り(&T)", SettingGrid::CutCommand},
                                                     {u"コピー(&C)", SettingGrid::CopyCommand},
                                                     {u"貼り付け(&P)", SettingGrid::PasteCommand},
                                                     {u"元に戻す(&U)", SettingGrid::UndoCommand}};
    static const char* const clipNames[] = {"CutItem", "CopyItem", "PasteItem", "UndoItem"};
    for (int i = 0; i < 4; ++i) {
        QAction* a = item(QLatin1String(clipNames[i]), QString::fromUtf16(clips[i].first));
        const int command = clips[i].second;
        connect(a, &QAction::triggered, this, [this, command] {
            if (m_menuGrid) m_menuGrid->EditCommand(command);
        });
        m_clipboardItems << a;
    }

    // The print grid: one menu for the mark column, one for the alignment, one for the others.
    m_printFlagMenu = new QMenu(this);
    m_printFlagMenu->setObjectName(QStringLiteral("PrintFlagPopupMenu"));
    const auto setMark = [this](const QString& mark) {
        if (m_printMenuRow >= 1) m_printGrid->SetCell(m_printMenuRow, 3, mark);
    };
    connect(m_printFlagMenu->addAction(QStringLiteral("印刷する")), &QAction::triggered, this,
            [setMark] { setMark(QStringLiteral("○")); });
    connect(m_printFlagMenu->addAction(QStringLiteral("印刷しない")), &QAction::triggered, this,
            [setMark] { setMark(QStringLiteral("  ")); });
    m_printPositionMenu = new QMenu(this);
    m_printPositionMenu->setObjectName(QStringLiteral("PrintPositionPopupMenu"));
    const auto setAlign = [this](const QString& align) {
        if (m_printMenuRow >= 1) m_printGrid->SetCell(m_printMenuRow, 5, align);
    };
    connect(m_printPositionMenu->addAction(QStringLiteral("左詰め")), &QAction::triggered, this,
            [setAlign] { setAlign(QStringLiteral("左  ")); });
    connect(m_printPositionMenu->addAction(QStringLiteral(" 中央")), &QAction::triggered, this,
            [setAlign] { setAlign(QStringLiteral(" 中 ")); });
    connect(m_printPositionMenu->addAction(QStringLiteral("右詰め")), &QAction::triggered, this,
            [setAlign] { setAlign(QStringLiteral("  右")); });
    m_printSettingMenu = new QMenu(this);
    m_printSettingMenu->setObjectName(QStringLiteral("PrintSettingPopupMenu"));
    m_printSettingMenu->addAction(m_moveItems[0]);
    m_printSettingMenu->addAction(m_moveItems[1]);
    m_printSettingMenu->addSeparator();
    for (QAction* a : m_clipboardItems)
        m_printSettingMenu->addAction(a);

    for (SettingGrid* grid : {m_nameGrid, m_mainteGrid, m_printGrid}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this,
                [this, grid](const QPoint& pos) { ShowGridMenu(grid, pos); });
    }
}

void TSettingForm::ShowGridMenu(SettingGrid* grid, const QPoint& pos) {
    const QModelIndex index = grid->indexAt(pos);
    if (index.isValid()) grid->setCurrentIndex(index);
    m_menuGrid = grid;
    const QPoint global = grid->viewport()->mapToGlobal(pos);
    if (grid == m_printGrid) {
        m_printMenuRow = grid->CurrentRow();
        const int column = grid->CurrentColumn();
        QMenu* menu = column == 3 ? m_printFlagMenu : column == 5 ? m_printPositionMenu : m_printSettingMenu;
        menu->popup(global);
        return;
    }
    // The car names stay with their car numbers: only the clipboard items there. The maintenance
    // names are edited below the grid: no clipboard items there.
    const bool carColumn = grid == m_nameGrid && grid->CurrentColumn() == 6;
    for (QAction* a : m_moveItems)
        a->setVisible(!carColumn);
    for (QAction* a : m_clipboardItems)
        a->setVisible(grid != m_mainteGrid);
    m_gridMenu->popup(global);
}

void TSettingForm::GridCommandClick(SettingGrid* grid, RowCommand command) {
    const int row = grid->CurrentRow();
    const int column = grid->CurrentColumn();
    if (row < 1 || column < 1) return;
    if (grid == m_printGrid) {
        if (command == RowCommand::Insert || command == RowCommand::Delete) return;
        PrintGridCells cells = ReadPrintGrid();
        const int newRow = ApplyRowCommand(cells, row, command, {});
        if (newRow == 0) return;
        for (int r = 1; r <= PrintRowCount; ++r) {
            for (int c = 1; c <= 6; ++c)
                m_printGrid->SetCell(r, c, cells[r][c - 1]);
        }
        grid->SetCurrent(newRow, column);
    } else if (grid == m_mainteGrid) {
        StoreShownMainte();
        const int newRow = ApplyRowCommand(m_mainte, row, command, BlankMainteItem());
        if (newRow == 0) return;
        WriteMainteGrid();
        // The details shown are stale now: show the row again without storing them.
        m_shownItem = -1;
        grid->SetCurrent(newRow, 1);
        SelectMainteRow(newRow);
    } else if (column != 6) {
        NameList cells;
        for (int r = 1; r <= kListSlots; ++r)
            cells[r] = grid->Cell(r, column);
        const int newRow = ApplyRowCommand(cells, row, command, QString());
        if (newRow == 0) return;
        for (int r = 1; r <= kListSlots; ++r)
            grid->SetCell(r, column, cells[r]);
        grid->SetCurrent(newRow, column);
    }
}

// ---- Maintenance item details

void TSettingForm::WriteMainteGrid() {
    for (int k = 1; k <= kMainteCount; ++k)
        m_mainteGrid->SetCell(k, 1, m_mainte[k].setting.name);
}

void TSettingForm::StoreShownMainte() {
    const int k = m_shownItem;
    if (k < 1 || k > kMainteCount) return;
    MainteSetting& s = m_mainte[k].setting;
    s.name = MainteNameOnLeave(m_mainteEdit->text());
    s.distanceCheck = m_runCheck->isChecked() ? 1 : 0;
    s.distanceInterval = IntervalFromText(m_runMemo->text());
    s.dayCheck = m_dayCheck->isChecked() ? 1 : 0;
    s.dayInterval = IntervalFromText(m_dayMemo->text());
    s.warning = m_warningCheck->isChecked() ? 1 : 0;
    s.memo = MainteMemoOnLeave(m_mainteMemoEdit->text());
    m_mainteGrid->SetCell(k, 1, s.name);
}

void TSettingForm::ShowMainte(int item) {
    m_shownItem = item;
    const MainteSetting& s = m_mainte[item].setting;
    m_mainteGroup->setTitle(QStringLiteral("[No.%1] ﾒﾝﾃﾅﾝｽ詳細設定").arg(item));
    m_mainteEdit->setText(s.name);
    m_runCheck->setChecked(s.distanceCheck);
    m_runMemo->setText(IntervalText(s.distanceInterval));
    m_dayCheck->setChecked(s.dayCheck);
    m_dayMemo->setText(IntervalText(s.dayInterval));
    m_warningCheck->setChecked(s.warning);
    m_mainteMemoEdit->setText(s.memo);
    m_runMemo->setEnabled(m_runCheck->isChecked());
    m_dayMemo->setEnabled(m_dayCheck->isChecked());
}

void TSettingForm::SelectMainteRow(int row) {
    if (row < 1 || row > kMainteCount) return;
    if (row != m_shownItem) StoreShownMainte();
    if (m_mainteGrid->CurrentRow() != row) {
        const QSignalBlocker block(m_mainteGrid);
        m_mainteGrid->SetCurrent(row, 1);
    }
    ShowMainte(row);
}

// ---- Print tab

void TSettingForm::FillPrintSelect() {
    const PrintForms& forms = m_book.book().printForms;
    const QSignalBlocker block(m_printSelect);
    m_printSelect->clear();
    for (int n = 1; n <= PrintFormCount; ++n)
        m_printSelect->addItem(QStringLiteral("[%1]%2").arg(n).arg(forms[n].name));
    m_printSelect->setCurrentIndex(m_printForm - 1);
}

void TSettingForm::ShowPrintForm(int n) {
    if (n < 1 || n > PrintFormCount) return;
    m_printForm = n;
    const PrintForm& form = m_book.book().printForms[n];
    {
        const QSignalBlocker block(m_printSelect);
        m_printSelect->setCurrentIndex(n - 1);
    }
    m_printGroup->setTitle(QStringLiteral("印刷ﾌｫｰﾑ設定 [%1]").arg(n));
    m_printFormEdit->setText(form.name);
    m_printTitleEdit->setText(form.title);
    m_printSelectEdit->setText(form.kind);
    m_selectIdEdit->setText(form.listId);
    m_printMuki->setCurrentIndex(form.orientation == 1 ? 1 : 0);
    for (int row = 1; row <= PrintRowCount; ++row) {
        const PrintColumn& c = form.rows[row];
        const QString cells[] = {c.item, c.id, c.mark, c.heading, c.align, c.width};
        for (int column = 1; column <= 6; ++column)
            m_printGrid->SetCell(row, column, cells[column - 1]);
    }
}

PrintGridCells TSettingForm::ReadPrintGrid() const {
    PrintGridCells cells;
    for (int row = 1; row <= PrintRowCount; ++row) {
        for (int column = 1; column <= 6; ++column)
            cells[row][column - 1] = m_printGrid->Cell(row, column);
    }
    return cells;
}

void TSettingForm::PrintSelectComboBoxChange(int index) {
    ShowPrintForm(index + 1);
}

void TSettingForm::PrintSettingSaveButtonClick() {
    const int n = m_printForm;
    PrintForms& forms = m_book.book().printForms;
    forms[n] = PrintFormFromTab(m_printFormEdit->text(), m_printTitleEdit->text(), m_printSelectEdit->text(),
                                m_selectIdEdit->text(), m_printMuki->currentIndex(), ReadPrintGrid());
    QString error;
    if (!SavePrintForm(m_book.book().SharedFileName(QStringLiteral("PrintSet")), forms, n, &error))
        MessageBox::ShowError(QStringLiteral("Tovrel"), error);
    FillPrintSelect();
    ShowPrintForm(n);
}

void TSettingForm::PrintSettingInitButtonClick() {
    ResetPrintForm(m_book.book().printForms, m_printForm);
    FillPrintSelect();
    ShowPrintForm(m_printForm);
}

void TSettingForm::PrintGridDblClick(int row, int column) {
    if (row < 1 || row > PrintRowCount) return;
    if (column == 3) {
        m_printGrid->SetCell(row, 3, ToggledPrintMark(m_printGrid->Cell(row, 3)));
    } else if (column == 5) {
        m_printGrid->SetCell(row, 5, NextPrintAlign(m_printGrid->Cell(row, 5)));
    } else {
        m_printGrid->editItem(m_printGrid->item(row - 1, column - 1));
    }
}

}  // namespace tovrel
