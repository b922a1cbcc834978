#include "ui/maintenance_due_form.h"

#include "base/text_utils.h"
#include "output/list_sources.h"
#include "session/logbook.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "ui/csv_export_flow.h"
#include "ui/preview_form.h"
#include "ui/setting_form.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/colors.h"
#include "ui/widgets/help.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/list_grid.h"
#include "ui/widgets/text_grid_model.h"
#include "ui/widgets/wait_window.h"
#include "ui/window_placement.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace tovrel {

namespace {

constexpr int kSortChoices = 7;
constexpr int kMinimumWidth = 200;
constexpr quint32 kRed = 255;

const char16_t* const kComboCaptions[kSortChoices] = {
    u"ﾒﾝﾃﾅﾝｽ設定順", u"[残日数] 順",   u"[日数率] 順", u"[残距離] 順",
    u"[距離率] 順",  u"[予想日付] 順", u"[期限率] 順",
};
const char16_t* const kMenuCaptions[kSortChoices] = {
    u"ﾒﾝﾃﾅﾝｽ設定順", u"[残日数] 順",   u"[日付率] 順", u"[残距離] 順",
    u"[距離率] 順",  u"[予想日付] 順", u"[期限率] 順",
};
const char* const kMenuNames[kSortChoices] = {
    "NameSortItem",     "DaySortItem",      "DayRitsuSortItem", "RunSortItem",
    "RunRitsuSortItem", "YosouDaySortItem", "KigenSortItem",
};

// An empty grid of the right shape, so that colours and widths have their 16 columns from the start.
TextGrid EmptyDueGrid() {
    TextGrid grid;
    QStringList headings;
    for (const QString& h : DueColumnHeadings())
        headings.append(h);
    grid.rows.append(headings);
    for (int k = 1; k <= kMainteCount; ++k)
        grid.rows.append(QStringList(kDueColumnCount, QString()));
    return grid;
}

QToolButton* SpeedButton(const QString& name, ToolIconId icon, const QString& hint) {
    auto* b = new QToolButton;
    b->setObjectName(name);
    b->setIcon(ToolIcon(icon));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    SetHint(b, hint);
    return b;
}

}  // namespace

TMainteForm::TMainteForm(Logbook& book, QWidget* mainWindow)
    : TListForm(book, mainWindow, QStringLiteral("TMainteForm")) {
    today = [] { return QDate::currentDate(); };
    InstallHelpKey(this, HelpMaintenanceDue);
    grid()->setObjectName(GridName());
    grid()->SetFixedColumns(1);
    grid()->SetRightRuleColumns({DueColName, DueColDayRatio, DueColPredictedDate, DueColLevelName});
    model()->cellRole = [this](int gridRow, int column, int role) { return CellRole(gridRow, column, role); };
    model()->headerRole = [this](int column, int role) { return HeaderRole(column, role); };
    m_sorted = EmptyDueGrid();
    model()->SetGrid(m_sorted, kDueColumnCount);
    connect(grid(), &ListGrid::headerDoubleClicked, this, &TMainteForm::SortColumnDblClick);

    m_choice = qBound(0, this->book().settings().MainteSortSel, kSortChoices - 1);
    BuildToolBar();
    BuildMenus();
    ConnectPrintControls(this, m_printItems[1], m_printItems[2], QStringLiteral("PrintSpeedButton"),
                         [this](int tag) { MaintePrintItemClick(tag); });
    SelectSort(m_choice);

    ApplyListFont();
    resize(maximumSize());
    RestorePlacement();
}

TMainteForm::~TMainteForm() {
    Settings& s = book().settings();
    s.MainteSortSel = m_choice;
    book().store().SetValue(QStringLiteral("Setting"), QStringLiteral("MainteSortSel"),
                            QString::number(m_choice));
    SavePlacement();
    // The model outlives the tables its roles read.
    model()->cellRole = {};
    model()->headerRole = {};
}

void TMainteForm::BuildToolBar() {
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("MainteToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    QToolButton* setting =
        SpeedButton(QStringLiteral("SettingSpeedButton"), ToolIconId::Settings, QStringLiteral("ﾒﾝﾃﾅﾝｽ設定"));
    connect(setting, &QToolButton::clicked, this, &TMainteForm::SettingSpeedButtonClick);
    m_toolBar->addWidget(setting);
    QToolButton* print =
        SpeedButton(QStringLiteral("PrintSpeedButton"), ToolIconId::Print, QStringLiteral("印刷"));
    m_toolBar->addWidget(print);
    m_toolBar->addSeparator();

    m_sortSelect = new QComboBox;
    m_sortSelect->setObjectName(QStringLiteral("SortSelectComboBox"));
    for (const char16_t* caption : kComboCaptions)
        m_sortSelect->addItem(QString::fromUtf16(caption));
    m_sortSelect->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    SetHint(m_sortSelect, QStringLiteral("ﾒﾝﾃﾅﾝｽ一覧の表示順番(ｿｰﾄ順)を 選択します。"));
    connect(m_sortSelect, &QComboBox::activated, this, &TMainteForm::SelectSort);
    m_toolBar->addWidget(m_sortSelect);
    m_toolBar->addSeparator();

    auto* legend = new QWidget;
    auto* row = new QHBoxLayout(legend);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(2);
    for (int level = 1; level <= 4; ++level) {
        auto* panel = new QLabel;
        panel->setObjectName(QStringLiteral("Warning%1Panel").arg(level));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAlignment(Qt::AlignCenter);
        panel->setMargin(2);
        // Inside the tool bar a label would draw with the button text colour, which the legend leaves alone.
        panel->setForegroundRole(QPalette::WindowText);
        m_levelPanels[level] = panel;
        row->addWidget(panel);
    }
    m_toolBar->addWidget(legend);

    auto* spacer = new QWidget;
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);
    QToolButton* close =
        SpeedButton(QStringLiteral("CloseSpeedButton"), ToolIconId::Exit, QStringLiteral("閉じる"));
    connect(close, &QToolButton::clicked, this, &QWidget::close);
    m_toolBar->addWidget(close);
}

void TMainteForm::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    QMenu* print = file->addMenu(QStringLiteral("印刷(&P)"));
    QMenu* csv = file->addMenu(QStringLiteral("CSVﾌｧｲﾙ出力(&O)"));
    for (int tag = 1; tag <= 2; ++tag) {
        m_printItems[tag] = print->addAction(QString());
        m_printItems[tag]->setObjectName(QStringLiteral("MaintePrint%1Item").arg(tag));
        m_csvItems[tag] = csv->addAction(QString());
        m_csvItems[tag]->setObjectName(QStringLiteral("MainteFileOut%1Item").arg(tag));
        connect(m_csvItems[tag], &QAction::triggered, this, [this, tag] { MainteFileOutItemClick(tag); });
    }
    file->addSeparator();
    QAction* close = file->addAction(QStringLiteral("閉じる(&C)"));
    close->setObjectName(QStringLiteral("CloseItem"));
    connect(close, &QAction::triggered, this, &QWidget::close);
    connect(file, &QMenu::aboutToShow, this, &TMainteForm::FileMenuClick);
    FileMenuClick();

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    m_sortGroup = new QActionGroup(this);
    m_sortGroup->setExclusive(true);
    for (int tag = 0; tag < kSortChoices; ++tag) {
        QAction* item = view->addAction(QString::fromUtf16(kMenuCaptions[tag]));
        item->setObjectName(QLatin1String(kMenuNames[tag]));
        item->setCheckable(true);
        item->setData(tag);
        m_sortGroup->addAction(item);
        connect(item, &QAction::triggered, this, [this, tag] { SelectSort(tag); });
        m_sortItems[tag] = item;
    }
    view->addSeparator();
    QAction* setting = view->addAction(QStringLiteral("ﾒﾝﾃﾅﾝｽ設定(&E)..."));
    setting->setObjectName(QStringLiteral("SettingItem"));
    connect(setting, &QAction::triggered, this, &TMainteForm::SettingSpeedButtonClick);
}

void TMainteForm::FileMenuClick() {
    const PrintForms& forms = book().book().printForms;
    for (int tag = 1; tag <= 2; ++tag) {
        const QString caption = FormItemCaption(forms[tag + 5].title, tag);
        m_printItems[tag]->setText(caption);
        m_csvItems[tag]->setText(caption);
    }
}

void TMainteForm::MainteFileOutItemClick(int tag) {
    ExportCsv(this, book(), tag + 5, DueTableSource(m_sorted));
}

void TMainteForm::MaintePrintItemClick(int tag) {
    StartPrintJob(this, book(), tag + 5, DueTableSource(m_sorted));
}

QVector<int> TMainteForm::ColumnChars() const {
    return QVector<int>(kDueColumnChars.begin(), kDueColumnChars.end());
}

void TMainteForm::ApplyListFont() {
    TListForm::ApplyListFont();
    UpdateSizeLimits();
}

void TMainteForm::UpdateSizeLimits() {
    // The window around the grid: menu, tool bar and status line.
    const int chrome =
        menuBar()->sizeHint().height() + m_toolBar->sizeHint().height() + statusBar()->sizeHint().height();
    const QSize minimumGrid = grid()->FitToColumns(5);
    const QSize fullGrid = grid()->FitToColumns(kMainteCount);
    QSize desktop = VirtualScreenSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        desktop = screen->availableVirtualGeometry().size();
    const int titleBar =
        isVisible() ? frameGeometry().height() - height() : style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int maxWidth = qMin(qMax(fullGrid.width(), kMinimumWidth), desktop.width());
    const int maxHeight = qMin(fullGrid.height() + chrome, desktop.height() - titleBar);
    setMinimumSize(qMin(kMinimumWidth, maxWidth), qMin(minimumGrid.height() + chrome, maxHeight));
    setMaximumSize(maxWidth, maxHeight);
}

void TMainteForm::ShowLegend() {
    const Settings& s = book().settings();
    for (int level = 1; level <= 4; ++level) {
        QLabel* panel = m_levelPanels[level];
        panel->setText(s.WarningText[level]);
        QPalette palette = panel->palette();
        palette.setColor(QPalette::WindowText, ColorFromValue(s.WarningColor[level]));
        panel->setPalette(palette);
        panel->setMinimumWidth(panel->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 12 + 8);
    }
}

void TMainteForm::showEvent(QShowEvent* event) {
    TListForm::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TMainteForm::FormShow() {
    setWindowTitle(QStringLiteral("ﾒﾝﾃﾅﾝｽ期限集計 - ") + book().CarName());
    ShowLegend();
    LoadColumnColors();
    SetCellColorMode(false);
    ComputeDue();
    ApplySort();
    grid()->setFocus(Qt::OtherFocusReason);
}

void TMainteForm::SettingSpeedButtonClick() {
    if (OpenSettingsDialog(SettingTab::Mainte)) FormShow();
}

void TMainteForm::ComputeDue() {
    ShowWaitMessage(this, QStringLiteral("集計中"), kMainteCount);
    m_table = ComputeCurrentDue(book(), today ? today() : QDate::currentDate(), StepWait);
    CloseWait();
    SetStatusText(m_table.status);
}

void TMainteForm::ApplySort() {
    m_sorted = tovrel::ApplySort(m_table, m_choice);
    model()->SetGrid(m_sorted, kDueColumnCount);
    // Columns widened for long numbers need a wider window to show them all.
    UpdateSizeLimits();
    if (!grid()->currentIndex().isValid()) grid()->selectRow(0);
}

void TMainteForm::SelectSort(int choice) {
    if (choice < 0 || choice >= kSortChoices) return;
    m_choice = choice;
    book().settings().MainteSortSel = choice;
    m_sortItems[choice]->setChecked(true);
    if (m_sortSelect->currentIndex() != choice) m_sortSelect->setCurrentIndex(choice);
    ApplySort();
}

void TMainteForm::SortColumnDblClick(int column) {
    const int choice = SortChoiceForColumn(column);
    if (choice >= 0) SelectSort(choice);
}

void TMainteForm::closeEvent(QCloseEvent* event) {
    SaveColumnColors();
    TListForm::closeEvent(event);
}

quint32 TMainteForm::RatioColor(const QString& cell, quint32 otherwise) const {
    QString text = cell.trimmed();
    if (text.isEmpty()) return otherwise;
    if (text.endsWith(QLatin1Char('%'))) text.chop(1);
    const Settings& s = book().settings();
    const double q = RoundHalfAway(ParseNumber(text, 2, 0) * 10, 0);
    if (q >= 1001) return s.WarningColor[1];
    if (q > s.Warning2Level * 10.0) return s.WarningColor[2];
    if (q > s.Warning3Level * 10.0) return s.WarningColor[3];
    return s.WarningColor[4];
}

quint32 TMainteForm::CellTextColor(int gridRow, int column) const {
    const Settings& s = book().settings();
    const TextGrid& g = model()->Grid();
    quint32 color = s.WarningColor[4];
    const QString level = g.Cell(gridRow, DueColLevelName).trimmed();
    if (!level.isEmpty()) {
        for (int k = 1; k <= 3; ++k) {
            if (level == s.WarningText[k].trimmed()) {
                color = s.WarningColor[k];
                break;
            }
        }
    }
    if (column >= DueColDayInterval && column <= DueColDayRatio) {
        color = RatioColor(g.Cell(gridRow, DueColDayRatio), color);
    } else if (column >= DueColDistanceInterval && column <= DueColPredictedDate) {
        color = RatioColor(g.Cell(gridRow, DueColDistanceRatio), color);
    }
    return color;
}

bool TMainteForm::IsDecidingRatio(int gridRow, int column) const {
    if (column != DueColDayRatio && column != DueColDistanceRatio) return false;
    const QString criterion = model()->Grid().Cell(gridRow, DueColCriterion).trimmed();
    return column == DueColDayRatio ? criterion == QStringLiteral("日数")
                                    : criterion == QStringLiteral("距離");
}

QVariant TMainteForm::CellRole(int gridRow, int column, int role) const {
    switch (role) {
        case Qt::ForegroundRole:
            return ColorFromValue(CellTextColor(gridRow, column), grid()->palette());
        case Qt::FontRole:
            if (IsDecidingRatio(gridRow, column)) {
                QFont font;
                font.setUnderline(true);
                return font;
            }
            return QVariant();
        case Qt::BackgroundRole:
            if (column == SortColumn(m_choice))
                return ColorFromValue(book().settings().SortColor, grid()->palette());
            return QVariant();
        case ListGrid::BottomRuleRole:
            return gridRow % 5 == 0;
        default:
            return QVariant();
    }
}

QVariant TMainteForm::HeaderRole(int column, int role) const {
    if (role == Qt::ForegroundRole && column == SortColumn(m_choice)) return ColorFromValue(kRed);
    if (role == ListGrid::BottomRuleRole) return true;
    return QVariant();
}

}  // namespace tovrel
