#include "ui/mivra_graph_form.h"

#include "session/logbook.h"
#include "settings/settings_store.h"
#include "totals/period_totals.h"
#include "ui/graph_chart_view.h"
#include "ui/graph_print_dialog.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/help.h"
#include "ui/widgets/icons.h"
#include "ui/window_placement.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovrel {

namespace {

const QString kWindowName = QStringLiteral("TMivraGraphForm");
constexpr int kMinimumHeight = 200;

}  // namespace

TMivraGraphForm::TMivraGraphForm(Logbook& book) : QDialog(nullptr), m_book(book) {
    FormCreate();
}

TMivraGraphForm::~TMivraGraphForm() {
    SaveWindowPlacement(this, m_book.store(), kWindowName, true);
}

void TMivraGraphForm::FormCreate() {
    setObjectName(QStringLiteral("MivraGraphForm"));
    setWindowTitle(QStringLiteral("燃費推移ｸﾞﾗﾌ"));
    InstallHelpKey(this, HelpTrendGraph);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls();
    const Settings& s = m_book.settings();
    m_choices[0] = {s.AllGraph, QString::number(s.DispNumber)};
    m_choices[1] = {s.AllGraphKikan, QString::number(s.DispNumberKikan)};
    m_memoDisp->setChecked(s.MivraMemoDisp);
    m_reverse->setChecked(s.GraphReverse);
    RestoreWindowPlacement(this, m_book.store(), kWindowName, true);
}

void TMivraGraphForm::BuildControls() {
    auto* top = new QWidget;
    top->setObjectName(QStringLiteral("TopPanel"));
    auto* row = new QHBoxLayout(top);
    row->setContentsMargins(4, 3, 4, 3);
    row->setSpacing(2);

    m_allGraph = new QCheckBox(QStringLiteral("全てを表示"));
    m_allGraph->setObjectName(QStringLiteral("AllGraphCheckBox"));
    SetHint(m_allGraph, QStringLiteral("全てのﾃﾞｰﾀをｸﾞﾗﾌ表示します。"));
    row->addWidget(m_allGraph);
    row->addSpacing(6);
    auto* countLabel = new QLabel(QStringLiteral("表示件数"));
    countLabel->setObjectName(QStringLiteral("DispNumberLabel"));
    row->addWidget(countLabel);
    m_dispNumber = new QLineEdit(QStringLiteral("10"));
    m_dispNumber->setObjectName(QStringLiteral("DispNumberMemo"));
    m_dispNumber->setAlignment(Qt::AlignRight);
    m_dispNumber->setFixedWidth(m_dispNumber->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 10);
    countLabel->setBuddy(m_dispNumber);
    SetHint(m_dispNumber, QStringLiteral("ｸﾞﾗﾌ表示するﾃﾞｰﾀ件数を設定します。"));
    row->addWidget(m_dispNumber);

    const auto button = [row](const QString& name, const QString& text, const QString& hint) {
        auto* b = new QToolButton;
        b->setObjectName(name);
        b->setText(text);
        b->setMinimumSize(25, 25);
        b->setFocusPolicy(Qt::TabFocus);
        SetHint(b, hint);
        row->addWidget(b);
        return b;
    };
    m_reDraw =
        button(QStringLiteral("ReDrawSpeedButton"), QStringLiteral("再描画"), QStringLiteral("ｸﾞﾗﾌ再描画"));
    row->addSpacing(6);
    m_top = button(QStringLiteral("TopSpeedButton"), QStringLiteral("<<"), QStringLiteral("先頭ﾍﾟｰｼﾞ"));
    m_prev = button(QStringLiteral("PrevSpeedButton"), QStringLiteral("<"), QStringLiteral("前ﾍﾟｰｼﾞ"));
    m_pageMemo = new QLineEdit;
    m_pageMemo->setObjectName(QStringLiteral("PageMemo"));
    m_pageMemo->setReadOnly(true);
    m_pageMemo->setAlignment(Qt::AlignCenter);
    m_pageMemo->setFixedWidth(m_pageMemo->fontMetrics().horizontalAdvance(QStringLiteral("000/000")) + 12);
    SetHint(m_pageMemo, QStringLiteral("表示ﾍﾟｰｼﾞ数と全体ﾍﾟｰｼﾞ数"));
    row->addWidget(m_pageMemo);
    m_next = button(QStringLiteral("NextSpeedButton"), QStringLiteral(">"), QStringLiteral("次ﾍﾟｰｼﾞ"));
    m_last = button(QStringLiteral("LastSpeedButton"), QStringLiteral(">>"), QStringLiteral("最終ﾍﾟｰｼﾞ"));
    row->addSpacing(6);
    m_print = button(QStringLiteral("PrintSpeedButton"), QString(), QStringLiteral("ｸﾞﾗﾌの印刷"));
    m_print->setIcon(ToolIcon(ToolIconId::Print));
    m_setting = button(QStringLiteral("SettingSpeedButton"), QString(), QStringLiteral("ｸﾞﾗﾌ設定"));
    m_setting->setIcon(ToolIcon(ToolIconId::Settings));
    m_setting->setEnabled(false);
    m_close = button(QStringLiteral("CloseSpeedButton"), QString(), QStringLiteral("閉じる"));
    m_close->setIcon(ToolIcon(ToolIconId::Exit));
    for (QToolButton* b : {m_print, m_setting, m_close}) {
        b->setFixedSize(25, 25);
        b->setIconSize(QSize(19, 19));
        b->setAutoRaise(true);
    }
    row->addSpacing(6);
    m_reverse = new QCheckBox(QStringLiteral("時系列を最新順とする"));
    m_reverse->setObjectName(QStringLiteral("GraphReverseCheckBox"));
    SetHint(m_reverse, QStringLiteral("横軸の時系列を最新順の表示とします。"));
    row->addWidget(m_reverse);
    m_memoDisp = new QCheckBox(QStringLiteral("ﾒﾓを表示する"));
    m_memoDisp->setObjectName(QStringLiteral("MivraMemoDispCheckBox"));
    m_memoDisp->setChecked(true);
    SetHint(m_memoDisp, QStringLiteral("ﾒﾓの表示/非表示を切り替えられます。"));
    row->addWidget(m_memoDisp);
    row->addStretch(1);

    m_chart = new GraphChartView;
    m_chart->setObjectName(QStringLiteral("MivraChart"));
    auto* chartBox = new QVBoxLayout;
    chartBox->setContentsMargins(2, 2, 2, 2);
    chartBox->addWidget(m_chart, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(top);
    layout->addLayout(chartBox, 1);
    setMinimumHeight(kMinimumHeight);
    resize(std::max(kDefaultChartSize.width() + 4, top->sizeHint().width()),
           kDefaultChartSize.height() + top->sizeHint().height() + 4);

    // Entering either field selects its whole text, also by mouse.
    m_dispNumber->installEventFilter(this);
    m_pageMemo->installEventFilter(this);
    connect(m_allGraph, &QCheckBox::clicked, this, &TMivraGraphForm::AllGraphCheckBoxClick);
    connect(m_dispNumber, &QLineEdit::editingFinished, this, &TMivraGraphForm::DispNumberMemoExit);
    // Enter in the count field draws with the new count at once.
    connect(m_dispNumber, &QLineEdit::returnPressed, this, &TMivraGraphForm::ReDrawSpeedButtonClick);
    connect(m_pageMemo, &QLineEdit::editingFinished, this, &TMivraGraphForm::DispNumberMemoExit);
    connect(m_reDraw, &QToolButton::clicked, this, &TMivraGraphForm::ReDrawSpeedButtonClick);
    connect(m_top, &QToolButton::clicked, this, &TMivraGraphForm::TopSpeedButtonClick);
    connect(m_prev, &QToolButton::clicked, this, &TMivraGraphForm::PrevSpeedButtonClick);
    connect(m_next, &QToolButton::clicked, this, &TMivraGraphForm::NextSpeedButtonClick);
    connect(m_last, &QToolButton::clicked, this, &TMivraGraphForm::LastSpeedButtonClick);
    connect(m_print, &QToolButton::clicked, this, &TMivraGraphForm::PrintSpeedButtonClick);
    connect(m_setting, &QToolButton::clicked, this, &TMivraGraphForm::SettingSpeedButtonClick);
    connect(m_close, &QToolButton::clicked, this, &QDialog::reject);
    connect(m_reverse, &QCheckBox::clicked, this, &TMivraGraphForm::ReDrawSpeedButtonClick);
    connect(m_memoDisp, &QCheckBox::clicked, this, &TMivraGraphForm::MivraMemoDispCheckBoxClick);
    connect(m_chart->graphChart(), &GraphChart::pageChanged, this, &TMivraGraphForm::MivraChartPageChange);
}

void TMivraGraphForm::SetGraphSettingsOpener(std::function<bool(QWidget*)> open) {
    m_openSettings = std::move(open);
    m_setting->setEnabled(static_cast<bool>(m_openSettings));
}

int TMivraGraphForm::ShowGraph(QWidget* opener, int kind, const PeriodTotals* totals) {
    m_kind = std::clamp(kind, 0, kGraphKindCount - 1);
    m_totals = totals;
    // Over the opener, so that it stays modal to the window it was opened from; detached afterwards,
    // since the main window owns it.
    const Qt::WindowFlags flags = windowFlags();
    setParent(opener, flags);
    const int result = exec();
    setParent(nullptr, flags);
    m_totals = nullptr;
    return result;
}

TMivraGraphForm::ViewChoice& TMivraGraphForm::Choice() {
    return m_choices[GraphKindOf(m_kind).recordKind ? 0 : 1];
}

QString TMivraGraphForm::PlacementName() const {
    return kWindowName + QString::number(m_kind);
}

void TMivraGraphForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TMivraGraphForm::FormShow() {
    RestoreWindowPlacement(this, m_book.store(), PlacementName(), true);
    CollectData();
    const ViewChoice& choice = Choice();
    m_allGraph->setChecked(choice.all);
    m_dispNumber->setText(choice.count);
    m_perPage = PointsPerPage(choice.count);
    setWindowTitle(GraphKindOf(m_kind).name + QStringLiteral("ｸﾞﾗﾌ - ") + m_book.CarName());
    m_memoDisp->setVisible(m_kind == 0);
    AllGraphCheckBoxClick();
    if (m_book.settings().ChipHelpDisp)
        SetHint(m_chart,
                QStringLiteral("左上から右下にﾄﾞﾗｯｸﾞするとｽﾞｰﾑｲﾝ\r\n右下から左上にﾄﾞﾗｯｸﾞするとｽﾞｰﾑｱｳﾄ"));
    else
        m_chart->setToolTip(QString());
}

bool TMivraGraphForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && (watched == m_dispNumber || watched == m_pageMemo)) {
        auto* edit = static_cast<QLineEdit*>(watched);
        // After the mouse press has placed the cursor.
        QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(watched, event);
}

void TMivraGraphForm::done(int result) {
    if (isVisible()) FormClose();
    QDialog::done(result);
}

void TMivraGraphForm::FormClose() {
    StoreChoices();
    Settings& s = m_book.settings();
    s.MivraMemoDisp = m_memoDisp->isChecked();
    s.GraphReverse = m_reverse->isChecked();
    SaveWindowPlacement(this, m_book.store(), PlacementName(), true);
}

void TMivraGraphForm::StoreChoices() {
    Choice() = {m_allGraph->isChecked(), m_dispNumber->text()};
}

void TMivraGraphForm::AllGraphCheckBoxClick() {
    const bool paged = !m_allGraph->isChecked();
    m_dispNumber->setEnabled(paged);
    m_prev->setEnabled(paged);
    m_next->setEnabled(paged);
    m_pageMemo->setEnabled(paged);
    ReDrawSpeedButtonClick();
}

void TMivraGraphForm::DispNumberMemoExit() {
    if (m_allGraph->isChecked()) return;
    m_perPage = PointsPerPage(m_dispNumber->text());
    m_dispNumber->setText(QString::number(m_perPage));
}

void TMivraGraphForm::CollectData() {
    const double target = m_book.TargetEconomy();
    if (GraphKindOf(m_kind).recordKind)
        m_data = CollectRecordTrend(m_kind, m_book.table(), m_book.settings().NoneHeikinDisp, target);
    else
        m_data = CollectPeriodTrend(m_kind, m_totals ? *m_totals : PeriodTotals(), target);
}

void TMivraGraphForm::ReDrawSpeedButtonClick() {
    CollectData();
    DispNumberMemoExit();
    m_pageMemo->clear();
    Draw();
}

void TMivraGraphForm::Draw() {
    const Settings& s = m_book.settings();
    const TrendChoices choices{m_allGraph->isChecked(), m_perPage, m_reverse->isChecked()};
    m_graph = BuildTrendGraph(m_data, s, m_book.book().currentCar, m_book.CarName(), choices);
    m_chart->graphChart()->SetGraph(m_data, m_graph,
                                    GraphStyle::FromSettings(s, m_kind == 0 && m_memoDisp->isChecked()));
    MivraChartPageChange();
}

void TMivraGraphForm::TopSpeedButtonClick() {
    GraphChart* chart = m_chart->graphChart();
    if (chart->Page() > 1) chart->ShowPage(1);
}

void TMivraGraphForm::PrevSpeedButtonClick() {
    GraphChart* chart = m_chart->graphChart();
    if (chart->Page() > 1) chart->ShowPage(chart->Page() - 1);
}

void TMivraGraphForm::NextSpeedButtonClick() {
    GraphChart* chart = m_chart->graphChart();
    if (chart->Page() < chart->PageCount()) chart->ShowPage(chart->Page() + 1);
}

void TMivraGraphForm::LastSpeedButtonClick() {
    GraphChart* chart = m_chart->graphChart();
    if (chart->Page() < chart->PageCount()) chart->ShowPage(chart->PageCount());
}

void TMivraGraphForm::MivraChartPageChange() {
    const GraphChart* chart = m_chart->graphChart();
    const int page = chart->Page();
    const int count = chart->PageCount();
    m_top->setEnabled(page > 1);
    m_prev->setEnabled(page > 1);
    m_next->setEnabled(page < count);
    m_last->setEnabled(page < count);
    m_pageMemo->setText(PageMemoText(m_graph, page));
}

void TMivraGraphForm::MivraMemoDispCheckBoxClick() {
    m_chart->graphChart()->SetMemoShown(m_kind == 0 && m_memoDisp->isChecked());
}

// The one place the settings dialog is reached from here: see SetGraphSettingsOpener.
void TMivraGraphForm::SettingSpeedButtonClick() {
    if (!m_openSettings || !m_openSettings(this)) return;
    // Graph settings take effect at once; the all/count choices stay as they are now.
    StoreChoices();
    FormShow();
}

void TMivraGraphForm::PrintSpeedButtonClick() {
    Settings& s = m_book.settings();
    ChartPrintSettings print{s.MivraMarginLeft, s.MivraMarginTop, s.MivraMarginRight, s.MivraMarginBottom,
                             s.MivraResolution};
    const GraphChart* chart = m_chart->graphChart();
    TGraphPrintDialog preview(this, m_data, m_graph, chart->Style(), chart->Page(), m_chart->size(), print);
    preview.exec();
    print = preview.PrintSettings();
    s.MivraMarginLeft = print.left;
    s.MivraMarginTop = print.top;
    s.MivraMarginRight = print.right;
    s.MivraMarginBottom = print.bottom;
    s.MivraResolution = print.resolution;
}

}  // namespace tovrel
