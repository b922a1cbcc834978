#include "ui/period_totals_form.h"

#include "output/list_sources.h"
#include "session/logbook.h"
#include "totals/month_range.h"
#include "ui/csv_export_flow.h"
#include "ui/mivra_graph_form.h"
#include "ui/preview_form.h"
#include "ui/range_bar.h"
#include "ui/widgets/help.h"
#include "ui/widgets/list_grid.h"
#include "ui/widgets/text_grid_model.h"
#include "ui/widgets/wait_window.h"

#include <QCloseEvent>
#include <QColor>
#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QToolButton>

namespace tovrel {

namespace {

constexpr int MinimumRows = 8;

}  // namespace

TTotalForm::TTotalForm(Logbook& book, QWidget* mainWindow)
    : TListForm(book, mainWindow, QStringLiteral("TTotalForm")) {
    setWindowTitle(QStringLiteral("期間集計"));
    InstallHelpKey(this, HelpPeriodTotals);
    // The tool bar and menu bar offer no menu of their own.
    setContextMenuPolicy(Qt::NoContextMenu);
    m_range = new RangeBar(this, QStringLiteral("Total"), true);
    connect(m_range, &RangeBar::computeRequested, this, &TTotalForm::Compute);
    connect(m_range, &RangeBar::wholeLogRequested, this, &TTotalForm::AllSpeedButtonClick);
    connect(m_range, &RangeBar::fileOutRequested, this, &TTotalForm::TotalFileOutItemClick);
    connect(m_range, &RangeBar::fileMenuAboutToShow, this, [this] {
        const PrintForms& forms = this->book().book().printForms;
        m_range->SetListCaptions(forms[4].title, forms[5].title);
    });
    ConnectPrintControls(this, m_range->PrintItem(1), m_range->PrintItem(2),
                         QStringLiteral("PrintSpeedButton"), [this](int tag) { TotalPrintItemClick(tag); });

    ListGrid* g = grid();
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    g->SetRightRuleColumns({PeriodTanka, PeriodMainteCost, PeriodCostPerDistance});
    QSet<int> kept;
    for (int c = 0; c < kPeriodColumnCount; ++c)
        kept.insert(c);
    g->SetKeptColumns(kept);
    model()->cellRole = [this](int gridRow, int column, int role) { return CellRole(gridRow, column, role); };

    const MonthRange range = DefaultMonthRange(QDate::currentDate());
    m_range->SetTexts(range.StartText(), range.EndText());
    TextGrid empty;
    empty.rows.append(PeriodHeaders(this->book().DistanceUnit()));
    for (int row = 1; row < range.Months() + kPeriodSummaryRows + 1; ++row)
        empty.rows.append(QStringList(kPeriodColumnCount, QString()));
    model()->SetGrid(empty, kPeriodColumnCount);
    m_totals.months = range.Months();

    ApplyListFont();
    RestorePlacement();
    m_range->GraphSel()->setCurrentIndex(qBound(0, this->book().settings().KikanGraphSel, 4));
}

TTotalForm::~TTotalForm() {
    SavePlacement();
    // The model outlives the totals its roles read.
    model()->cellRole = {};
}

QVector<int> TTotalForm::ColumnChars() const {
    return QVector<int>(kPeriodColumnChars.begin(), kPeriodColumnChars.end());
}

void TTotalForm::ApplyListFont() {
    TListForm::ApplyListFont();
    FitWindow();
}

void TTotalForm::FitWindow() {
    FitWindowToGrid(this, grid(), MinimumRows, model()->rowCount() + 1);
}

void TTotalForm::setVisible(bool visible) {
    if (visible && !isVisible()) FormShow();
    TListForm::setVisible(visible);
}

void TTotalForm::FormShow() {
    setWindowTitle(QStringLiteral("期間集計 - ") + book().CarName());
    LoadColumnColors();
    SetCellColorMode(false);
    Compute(0);
    grid()->setFocus();
}

void TTotalForm::Compute(int shift) {
    const RecordTable& table = book().table();
    grid()->setUpdatesEnabled(false);
    ShowWaitMessage(this, QStringLiteral("集計中"), table.RecordCount());
    m_totals = ComputePeriodTotals(table, book().settings(), m_range->StartText(), m_range->EndText(), shift,
                                   book().DistanceUnit(), StepWait);
    m_range->SetTexts(m_totals.range.StartText(), m_totals.range.EndText());
    model()->SetGrid(m_totals.grid, kPeriodColumnCount);
    if (!grid()->currentIndex().isValid() && model()->rowCount() > 0) grid()->selectRow(0);
    SetStatusText(m_totals.status);
    FitWindow();
    grid()->setUpdatesEnabled(true);
    CloseWait();
}

void TTotalForm::AllSpeedButtonClick() {
    QString startText;
    QString endText;
    if (!WholeLogMonthTexts(book().table(), &startText, &endText)) return;
    m_range->SetTexts(startText, endText);
    Compute(0);
}

void TTotalForm::TotalFileOutItemClick(int tag) {
    ExportCsv(this, book(), tag + 3, PeriodTotalsSource(m_totals));
}

void TTotalForm::TotalPrintItemClick(int tag) {
    StartPrintJob(this, book(), tag + 3, PeriodTotalsSource(m_totals));
}

void TTotalForm::SetGraphForm(TMivraGraphForm* form) {
    m_graphForm = form;
    auto* button = findChild<QToolButton*>(QStringLiteral("GraphSpeedButton"));
    auto* item = findChild<QAction*>(QStringLiteral("GraphItem"));
    button->setEnabled(form != nullptr);
    item->setEnabled(form != nullptr);
    connect(button, &QToolButton::clicked, this, &TTotalForm::GraphSpeedButtonClick, Qt::UniqueConnection);
    connect(item, &QAction::triggered, this, &TTotalForm::GraphSpeedButtonClick, Qt::UniqueConnection);
    m_range->GraphSel()->setEnabled(form != nullptr);
}

void TTotalForm::GraphSpeedButtonClick() {
    if (!m_graphForm) return;
    m_graphForm->ShowGraph(this, PeriodGraphKind(m_range->GraphSel()->currentIndex()), &m_totals);
}

QVariant TTotalForm::CellRole(int gridRow, int column, int role) const {
    const int m = m_totals.months;
    if (role == ListGrid::BottomRuleRole) {
        if (column != 0) return QVariant();
        if (gridRow == m || gridRow == m_totals.TotalRow() || gridRow == m_totals.WorstMonthRow())
            return true;
        if (!m_totals.IsMonthRow(gridRow)) return QVariant();
        const QString label = m_totals.grid.Cell(gridRow, PeriodLabel);
        return label.endsWith(QStringLiteral("/12")) || label.endsWith(QStringLiteral("/06"));
    }
    if (role == Qt::ForegroundRole && column == PeriodEconomy && m_totals.IsEconomyMarkRow(gridRow) &&
        gridRow < m_totals.values.size()) {
        const Settings& s = book().settings();
        const double value = m_totals.values[gridRow][PeriodEconomy];
        if ((s.MivraRed && m_totals.averageEconomy > value) ||
            (s.MokuhyoRed && book().TargetEconomy() > value))
            return QColor(Qt::red);
    }
    return QVariant();
}

void TTotalForm::closeEvent(QCloseEvent* event) {
    book().settings().KikanGraphSel = m_range->GraphSel()->currentIndex();
    SaveColumnColors();
    TListForm::closeEvent(event);
}

}  // namespace tovrel
