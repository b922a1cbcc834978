#include "ui/list_form.h"

#include "session/logbook.h"
#include "settings/settings.h"
#include "settings/window_state.h"
#include "ui/widgets/font_text.h"
#include "ui/widgets/list_grid.h"
#include "ui/widgets/text_grid_model.h"
#include "ui/window_placement.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

namespace tovrel {

TListForm::TListForm(Logbook& book, QWidget* mainWindow, const QString& className)
    // No parent: a window parented to the main window would be disabled along with it.
    : QMainWindow(nullptr), m_book(book), m_mainWindow(mainWindow), m_className(className) {
    setObjectName(className);
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_model = new TextGridModel(this);
    m_grid = new ListGrid;
    m_grid->setObjectName(QStringLiteral("TotalStringGrid"));
    m_grid->setModel(m_model);
    setCentralWidget(m_grid);
    m_status = new QLabel;
    statusBar()->addWidget(m_status, 1);
    statusBar()->setSizeGripEnabled(true);

    m_gridMenu = new QMenu(this);
    m_cellColorMode = m_gridMenu->addAction(QStringLiteral("ｾﾙの背景色設定ﾓｰﾄﾞ"));
    m_cellColorMode->setObjectName(QStringLiteral("CellColorSetModeItem"));
    m_cellColorMode->setCheckable(true);
    connect(m_cellColorMode, &QAction::triggered, this, [this](bool on) { SetCellColorMode(on); });
    QAction* color = m_gridMenu->addAction(QStringLiteral("ｾﾙの背景色設定..."));
    color->setObjectName(QStringLiteral("CellColorSetItem"));
    connect(color, &QAction::triggered, this, [this] { m_grid->ChooseColorForSelectedColumns(this); });
    QAction* undo = m_gridMenu->addAction(QStringLiteral("標準背景色に戻す"));
    undo->setObjectName(QStringLiteral("ColorUndoItem"));
    connect(undo, &QAction::triggered, this, [this] { m_grid->ClearColorOfSelectedColumns(); });
    m_colorItems = {color, undo};
    SetCellColorMode(false);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { m_gridMenu->popup(m_grid->viewport()->mapToGlobal(pos)); });
}

TListForm::~TListForm() = default;

QString TListForm::StatusText() const { return m_status->text(); }

void TListForm::SetStatusText(const QString& text) { m_status->setText(text); }

void TListForm::ApplyListFont() {
    const Settings& s = m_book.settings();
    m_grid->ApplyFont(ListFont(s.FontName, s.FontSize, s.FontStyle));
    m_grid->SizeColumns(ColumnChars());
    m_grid->SetSelectColor(s.SelectColor);
}

void TListForm::SetCellColorMode(bool on) {
    m_cellColorMode->setChecked(on);
    for (QAction* a : m_colorItems) a->setVisible(on);
    m_grid->SetCellColorMode(on);
}

void TListForm::RestorePlacement() { RestoreWindowPlacement(this, m_book.store(), PlacementName(), true); }

void TListForm::SavePlacement() { SaveWindowPlacement(this, m_book.store(), PlacementName(), true); }

void TListForm::LoadColumnColors() {
    m_grid->SetColumnColors(LoadGridColors(m_book.store(), GridName(), m_model->columnCount() - 1));
}

void TListForm::SaveColumnColors() {
    SaveGridColors(m_book.store(), GridName(), m_grid->ColumnColors());
    m_book.store().Sync();
}

void TListForm::showEvent(QShowEvent* event) {
    if (m_mainWindow) m_mainWindow->setEnabled(false);
    setEnabled(true);
    QMainWindow::showEvent(event);
}

void TListForm::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted() && m_mainWindow) {
        m_mainWindow->setEnabled(true);
        m_mainWindow->activateWindow();
    }
}

}  // namespace tovrel
