#include "ui/category_totals_form.h"

#include "output/list_sources.h"
#include "session/logbook.h"
#include "totals/month_range.h"
#include "ui/csv_export_flow.h"
#include "ui/preview_form.h"
#include "ui/range_bar.h"
#include "ui/widgets/help.h"
#include "ui/widgets/list_grid.h"
#include "ui/widgets/text_grid_model.h"
#include "ui/widgets/wait_window.h"

#include <QCloseEvent>
#include <QColor>
#include <QDate>

namespace tovrel {

namespace {

constexpr int MinimumRows = 8;

}  // namespace

TMivraSyukeiForm::TMivraSyukeiForm(Logbook& book, QWidget* mainWindow)
    : TListForm(book, mainWindow, QStringLiteral("TMivraSyukeiForm")) {
    setWindowTitle(CategoryCaption(m_mode));
    InstallHelpKey(this, HelpCategoryTotals);
    // The tool bar and menu bar offer no menu of their own.
    setContextMenuPolicy(Qt::NoContextMenu);
    m_range = new RangeBar(this, QStringLiteral("MivraSyukei"), false);
    connect(m_range, &RangeBar::computeRequested, this, &TMivraSyukeiForm::Compute);
    connect(m_range, &RangeBar::wholeLogRequested, this, &TMivraSyukeiForm::AllSpeedButtonClick);
    connect(m_range, &RangeBar::fileOutRequested, this, &TMivraSyukeiForm::MivraSyukeiFileOutItemClick);
    connect(m_range, &RangeBar::fileMenuAboutToShow, this, [this] {
        const PrintForms& forms = this->book().book().printForms;
        m_range->SetListCaptions(forms[FirstFormNumber()].title, forms[FirstFormNumber() + 1].title);
    });
    ConnectPrintControls(this, m_range->PrintItem(1), m_range->PrintItem(2),
                         QStringLiteral("PrintSpeedButton"),
                         [this](int tag) { MivraSyukeiPrintItemClick(tag); });

    ListGrid* g = grid();
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    model()->cellRole = [this](int gridRow, int column, int role) { return CellRole(gridRow, column, role); };
    // Every fifth row is ruled, the heading (row 0) first.
    model()->headerRole = [](int, int role) {
        return role == ListGrid::BottomRuleRole ? QVariant(true) : QVariant();
    };

    const MonthRange range = DefaultMonthRange(QDate::currentDate());
    m_range->SetTexts(range.StartText(), range.EndText());
}

// The model outlives the totals its roles read.
TMivraSyukeiForm::~TMivraSyukeiForm() {
    model()->cellRole = {};
    model()->headerRole = {};
}

void TMivraSyukeiForm::SetMode(int mode) {
    m_mode = qBound(int(CategoryFuel), mode, int(CategoryMainte));
}

QVector<int> TMivraSyukeiForm::ColumnChars() const {
    if (m_mode == CategoryMainte)
        return QVector<int>(kMainteCategoryColumnChars.begin(), kMainteCategoryColumnChars.end());
    return QVector<int>(kCategoryColumnChars.begin(), kCategoryColumnChars.end());
}

QString TMivraSyukeiForm::PlacementName() const {
    return QStringLiteral("TMivraSyukeiForm") + QString::number(m_mode);
}

QString TMivraSyukeiForm::GridName() const {
    return QStringLiteral("TotalStringGrid") + QString::number(m_mode);
}

void TMivraSyukeiForm::ApplyListFont() {
    TListForm::ApplyListFont();
    FitWindow();
}

void TMivraSyukeiForm::FitWindow() {
    FitWindowToGrid(this, grid(), MinimumRows, model()->rowCount() + 1);
}

void TMivraSyukeiForm::setVisible(bool visible) {
    if (visible && !isVisible()) FormShow();
    TListForm::setVisible(visible);
}

void TMivraSyukeiForm::FormShow() {
    // The mode's shape first: the column widths, the size limits and the placement depend on it.
    const int listRows = CategoryListRows(m_mode, book().settings());
    const QStringList headers = CategoryHeaders(m_mode);
    const int columns = static_cast<int>(headers.size());
    TextGrid blank;
    blank.rows.append(headers);
    for (int row = 1; row < listRows + 3; ++row)
        blank.rows.append(QStringList(columns, QString()));
    model()->SetGrid(blank, columns);
    QSet<int> kept;
    for (int c = 0; c < columns; ++c)
        kept.insert(c);
    grid()->SetKeptColumns(kept);
    grid()->SetRightRuleColumns(m_mode == CategoryMainte ? QSet<int>{MainteCategoryShare}
                                                         : QSet<int>{CategoryGas, CategoryHighestEconomy});
    m_totals = CategoryTotals();
    ApplyListFont();
    RestorePlacement();
    LoadColumnColors();
    SetCellColorMode(false);
    setWindowTitle(CategoryCaption(m_mode) + QStringLiteral(" - ") + book().CarName());
    Compute(0);
    grid()->setFocus();
}

void TMivraSyukeiForm::Compute(int shift) {
    const RecordTable& table = book().table();
    const CarBook& carBook = book().book();
    grid()->setUpdatesEnabled(false);
    ShowWaitMessage(this, QStringLiteral("集計中"), table.RecordCount());
    m_totals = ComputeCategoryTotals(table, book().settings(), carBook.lists, carBook.mainte, m_mode,
                                     m_range->StartText(), m_range->EndText(), shift, StepWait);
    m_range->SetTexts(m_totals.range.StartText(), m_totals.range.EndText());
    model()->SetGrid(m_totals.grid, m_totals.columnCount);
    if (!grid()->currentIndex().isValid() && model()->rowCount() > 0) grid()->selectRow(0);
    SetStatusText(m_totals.status);
    FitWindow();
    grid()->setUpdatesEnabled(true);
    CloseWait();
}

void TMivraSyukeiForm::AllSpeedButtonClick() {
    QString startText;
    QString endText;
    if (!WholeLogMonthTexts(book().table(), &startText, &endText)) return;
    m_range->SetTexts(startText, endText);
    Compute(0);
}

void TMivraSyukeiForm::MivraSyukeiFileOutItemClick(int tag) {
    ExportCsv(this, book(), FirstFormNumber() + tag - 1, CategoryTotalsSource(m_totals));
}

void TMivraSyukeiForm::MivraSyukeiPrintItemClick(int tag) {
    StartPrintJob(this, book(), FirstFormNumber() + tag - 1, CategoryTotalsSource(m_totals));
}

QVariant TMivraSyukeiForm::CellRole(int gridRow, int column, int role) const {
    const int listRows = m_totals.listRows;
    if (listRows == 0) return QVariant();
    if (role == ListGrid::BottomRuleRole) {
        if (column != 0) return QVariant();
        return gridRow % 5 == 0 || gridRow == m_totals.OtherRow();
    }
    if (role == Qt::ForegroundRole && m_totals.mode != CategoryMainte && column >= CategoryLowestEconomy &&
        column <= CategoryHighestEconomy && gridRow >= 1 && gridRow < m_totals.values.size()) {
        const Settings& s = book().settings();
        const double value = m_totals.values[gridRow][column];
        if ((s.MivraRed && m_totals.averageEconomy > value) ||
            (s.MokuhyoRed && book().TargetEconomy() > value))
            return QColor(Qt::red);
    }
    return QVariant();
}

void TMivraSyukeiForm::closeEvent(QCloseEvent* event) {
    SavePlacement();
    SaveColumnColors();
    TListForm::closeEvent(event);
}

}  // namespace tovrel
