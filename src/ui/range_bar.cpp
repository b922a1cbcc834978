#include "ui/range_bar.h"

#include "data/print_forms.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/list_grid.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace tovrel {

namespace {

QLineEdit* MonthEdit(const QString& name, const QString& hint) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    // Optional digits: a half-typed month still reads, and the computation rewrites it whole.
    edit->setInputMask(QStringLiteral("0000/00"));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000/00")) + 10);
    SetHint(edit, hint);
    return edit;
}

QAction* AddItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

}  // namespace

RangeBar::RangeBar(QMainWindow* window, const QString& itemStem, bool withGraph)
    : QObject(window), m_window(window) {
    m_toolBar = new QToolBar(window);
    m_toolBar->setObjectName(QStringLiteral("ToolPanel"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->toggleViewAction()->setVisible(false);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    // Compact: the narrowest window (the maintenance totals) is only as wide as its six columns.
    m_toolBar->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 2px; border: none; }"));
    window->addToolBar(Qt::TopToolBarArea, m_toolBar);

    m_startEdit =
        MonthEdit(QStringLiteral("StartDateMaskEdit"), QStringLiteral("集計する開始年月を入力します。"));
    m_endEdit =
        MonthEdit(QStringLiteral("EndDateMaskEdit"), QStringLiteral("集計する終了年月を入力します。"));
    m_toolBar->addWidget(m_startEdit);
    m_toolBar->addWidget(new QLabel(QStringLiteral("～")));
    m_toolBar->addWidget(m_endEdit);
    AddGap();

    QToolButton* prev = AddButton(QStringLiteral("PrevSpeedButton"), QStringLiteral("前年"));
    prev->setText(QStringLiteral("<<"));
    QToolButton* next = AddButton(QStringLiteral("NextSpeedButton"), QStringLiteral("次年"));
    next->setText(QStringLiteral(">>"));
    QToolButton* all = AddButton(QStringLiteral("AllSpeedButton"), QStringLiteral("全期間集計"));
    all->setText(QStringLiteral("全期間"));
    QToolButton* total = AddButton(QStringLiteral("TotalSpeedButton"), QStringLiteral("再期間集計"));
    total->setText(QStringLiteral("再集計"));
    for (QToolButton* b : {all, total})
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(b->text()) + 10);
    // Text buttons with a frame, so that they do not read as labels.
    for (QToolButton* b : {prev, next, all, total})
        b->setAutoRaise(false);
    connect(prev, &QToolButton::clicked, this, [this] { emit computeRequested(-1); });
    connect(next, &QToolButton::clicked, this, [this] { emit computeRequested(1); });
    connect(all, &QToolButton::clicked, this, &RangeBar::wholeLogRequested);
    connect(total, &QToolButton::clicked, this, [this] { emit computeRequested(0); });
    AddGap();

    QToolButton* graph = nullptr;
    if (withGraph) {
        graph = AddButton(QStringLiteral("GraphSpeedButton"), QStringLiteral("ｸﾞﾗﾌ表示"));
        graph->setIcon(ToolIcon(ToolIconId::Graph));
        // Enabled by the window once it has a graph window to open.
        graph->setEnabled(false);
        m_graphSel = new QComboBox;
        m_graphSel->setObjectName(QStringLiteral("GraphSelComboBox"));
        m_graphSel->addItems({QStringLiteral("燃費推移"), QStringLiteral("走行距離推移"),
                              QStringLiteral("単価推移"), QStringLiteral("消費燃料推移"),
                              QStringLiteral("生涯燃費")});
        m_graphSel->setFocusPolicy(Qt::NoFocus);
        m_graphSel->setEnabled(false);
        SetHint(m_graphSel, QStringLiteral("表示するｸﾞﾗﾌの種類を選択します。"));
        m_toolBar->addWidget(m_graphSel);
        AddGap();
    }
    QToolButton* print = AddButton(QStringLiteral("PrintSpeedButton"), QStringLiteral("印刷"));
    print->setIcon(ToolIcon(ToolIconId::Print));
    // Enabled with the print items by the window that prints.
    print->setEnabled(false);
    QToolButton* close = AddButton(QStringLiteral("CloseSpeedButton"), QStringLiteral("閉じる"));
    close->setIcon(ToolIcon(ToolIconId::Exit));
    connect(close, &QToolButton::clicked, window, &QWidget::close);

    // Menus.
    QMenuBar* bar = window->menuBar();
    m_fileMenu = bar->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    m_fileMenu->setObjectName(QStringLiteral("FileMenu"));
    QMenu* printMenu = m_fileMenu->addMenu(QStringLiteral("印刷(&P)"));
    QMenu* csvMenu = m_fileMenu->addMenu(QStringLiteral("CSVﾌｧｲﾙ出力(&O)"));
    for (int tag = 1; tag <= 2; ++tag) {
        QAction* printItem = AddItem(printMenu, itemStem + QStringLiteral("Print%1Item").arg(tag), QString());
        printItem->setEnabled(false);
        m_printItems[tag - 1] = printItem;
        QAction* fileOut = AddItem(csvMenu, itemStem + QStringLiteral("FileOut%1Item").arg(tag), QString());
        connect(fileOut, &QAction::triggered, this, [this, tag] { emit fileOutRequested(tag); });
        m_fileOutItems[tag - 1] = fileOut;
    }
    m_fileMenu->addSeparator();
    QAction* closeItem = AddItem(m_fileMenu, QStringLiteral("CloseItem"), QStringLiteral("閉じる(&C)"));
    connect(closeItem, &QAction::triggered, window, &QWidget::close);
    connect(m_fileMenu, &QMenu::aboutToShow, this, &RangeBar::fileMenuAboutToShow);

    QMenu* search = bar->addMenu(QStringLiteral("検索(&S)"));
    QAction* prevItem = AddItem(search, QStringLiteral("PrevItem"), QStringLiteral("前年(&P)"));
    QAction* nextItem = AddItem(search, QStringLiteral("NextItem"), QStringLiteral("次年(N)"));
    connect(prevItem, &QAction::triggered, this, [this] { emit computeRequested(-1); });
    connect(nextItem, &QAction::triggered, this, [this] { emit computeRequested(1); });

    QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
    QAction* allItem = AddItem(view, QStringLiteral("AllItem"), QStringLiteral("全期間集計(&A)"));
    QAction* totalItem = AddItem(view, QStringLiteral("TotalItem"), QStringLiteral("期間集計(&C)"));
    connect(allItem, &QAction::triggered, this, &RangeBar::wholeLogRequested);
    connect(totalItem, &QAction::triggered, this, [this] { emit computeRequested(0); });
    if (withGraph) {
        view->addSeparator();
        AddItem(view, QStringLiteral("GraphItem"), QStringLiteral("ｸﾞﾗﾌ表示(&G)..."))->setEnabled(false);
    }
}

void RangeBar::AddGap() {
    auto* gap = new QWidget;
    gap->setFixedWidth(6);
    m_toolBar->addWidget(gap);
}

QToolButton* RangeBar::AddButton(const QString& name, const QString& hint) {
    auto* b = new QToolButton;
    b->setObjectName(name);
    b->setFixedSize(25, 25);
    b->setIconSize(QSize(19, 19));
    b->setFocusPolicy(Qt::NoFocus);
    SetHint(b, hint);
    m_toolBar->addWidget(b);
    return b;
}

// The shown text keeps unfilled digits as blanks, so that year and month stay at their places.
QString RangeBar::StartText() const {
    return m_startEdit->displayText();
}

QString RangeBar::EndText() const {
    return m_endEdit->displayText();
}

void RangeBar::SetTexts(const QString& startText, const QString& endText) {
    m_startEdit->setText(startText);
    m_endEdit->setText(endText);
}

void RangeBar::SetListCaptions(const QString& title1, const QString& title2) {
    const QString names[] = {title1, title2};
    for (int tag = 1; tag <= 2; ++tag) {
        const QString caption = FormItemCaption(names[tag - 1], tag);
        m_printItems[tag - 1]->setText(caption);
        m_fileOutItems[tag - 1]->setText(caption);
    }
}

void FitWindowToGrid(QMainWindow* window, ListGrid* grid, int minRows, int allRows) {
    allRows = std::max(allRows, minRows);
    const QSize least = grid->FitToColumns(minRows - 1);
    const QSize most = grid->FitToColumns(allRows - 1);
    grid->setFixedWidth(least.width());
    grid->setMinimumHeight(least.height());
    grid->setMaximumHeight(QWIDGETSIZE_MAX);

    // What the menu bar, the tool bar and the status line take besides the grid.
    if (QLayout* layout = window->layout()) layout->invalidate();
    const QSize minimumWindow = window->minimumSizeHint();
    const int chrome = std::max(0, minimumWindow.height() - least.height());
    const int width = std::max(minimumWindow.width(), least.width());

    int available = QWIDGETSIZE_MAX;
    if (const QScreen* screen = window->screen()) {
        const int titleBar = window->isVisible() ? window->frameGeometry().height() - window->height()
                                                 : window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
        available = screen->availableGeometry().height() - titleBar;
    }
    const int maxHeight = std::min(most.height() + chrome, available);
    const int minHeight = std::min(least.height() + chrome, maxHeight);
    window->setMinimumSize(width, minHeight);
    window->setMaximumSize(width, maxHeight);
}

}  // namespace tovrel
