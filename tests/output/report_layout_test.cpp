#include "output/report_layout.h"

#include "data/fuel_record.h"
#include "data/print_forms.h"
#include "data/record_table.h"
#include "settings/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace tovrel {
namespace {

using namespace test;

const QSizeF kA4(210, 297);
const QSizeF kA4Landscape(297, 210);
// A 9-point gothic: half-width cells of 4.5 points.
constexpr double kCell = 4.5 * 25.4 / 72;

ReportMetrics Metrics() {
    ReportMetrics m;
    m.title = QSizeF(60, 5);
    m.name = QSizeF(20, 4);
    m.month = QSizeF(40, 4.2);
    m.cell = QSizeF(4 * kCell, 3.2);
    m.page = QSizeF(8, 2.5);
    m.date = QSizeF(20, 2.5);
    return m;
}

PrintForm DefaultForm(int n) {
    PrintForms forms;
    ResetAllPrintForms(forms);
    return forms[n];
}

void Unmark(PrintForm& form, std::initializer_list<int> rows) {
    for (int row : rows)
        form.rows[row].mark = QStringLiteral("  ");
}

ReportLayout Layout(const PrintForm& form, const ListSource& source, const Settings& settings,
                    const QSizeF& paper = kA4, const ReportMetrics& metrics = Metrics()) {
    const ReportTexts texts = MakeReportTexts(form, source, QStringLiteral("*私の車 "), QDate(2004, 5, 12));
    return LayoutReport(form, source, settings, texts, metrics, paper);
}

// A list of n rows whose first cell is "Rk".
ListSource Rows(int n, int columns = 16) {
    ListSource source;
    source.grid.rows.append(QStringList(columns, QStringLiteral("見出し")));
    for (int k = 1; k <= n; ++k) {
        QStringList row(columns, QStringLiteral(" 1 "));
        row[0] = QStringLiteral("R") + QString::number(k);
        source.grid.rows.append(row);
        source.rows.append(k);
    }
    return source;
}

class MainListReport : public ::testing::Test {
protected:
    void Add(const QString& day, const QString& mainte = {}, const QString& memo = {}) {
        FuelRecord r;
        r.text[ColDay] = day;
        r.text[ColTime] = QStringLiteral(" 9:05");
        r.text[ColCost] = QStringLiteral(" 12,000");
        r.text[ColMainte] = mainte;
        r.text[ColMemo] = memo;
        AppendRecord(table, r);
    }
    ReportLayout Make(const PrintForm& form, const QSizeF& paper = kA4) const {
        return Layout(form, MainListSource(table), settings, paper);
    }
    // No., 日付, 時刻, 金額 and the maintenance and memo parts.
    static PrintForm Narrow() {
        PrintForm form = DefaultForm(1);
        Unmark(form, {3, 5, 6, 7, 8, 9, 11, 12, 13, 14, 18});
        return form;
    }
    static QStringList Values(const ReportLayout& layout, int row) { return layout.rows[row].values; }

    RecordTable table{1000};
    Settings settings;
};

TEST_F(MainListReport, TextsOfTheHeaderAndFooter) {
    Add(QStringLiteral("2004/05/01"));
    Add(QStringLiteral("2004/06/30"));
    const ReportLayout layout = Make(DefaultForm(1));
    ASSERT_EQ(layout.error, ReportError::None);
    EXPECT_EQ(layout.texts.jobTitle, QStringLiteral("燃費・ﾒﾝﾃﾅﾝｽ一覧1"));
    EXPECT_EQ(layout.texts.title, QStringLiteral("燃費・メンテナンス一覧1"));
    EXPECT_EQ(layout.texts.carName, QStringLiteral("私の車"));
    EXPECT_EQ(layout.texts.dateRange, QStringLiteral("2004/05/01～2004/06/30"));
    EXPECT_EQ(layout.texts.printDate, QStringLiteral("Date 2004/05/12"));
    EXPECT_EQ(PageNumberText(12), QStringLiteral("Page 12"));
}

TEST_F(MainListReport, DefaultFormKeepsTheLeadingColumnsThatFit) {
    Add(QStringLiteral("2004/05/01"));
    // 1 + Σ(width + 2) = 208 cells; 170 mm hold 107 of them: the first twelve columns end at 103.
    const ReportLayout portrait = Make(DefaultForm(1));
    ASSERT_EQ(portrait.columns.size(), 12);
    EXPECT_EQ(portrait.columns[11].heading, QStringLiteral("燃料種別  "));
    EXPECT_DOUBLE_EQ(portrait.columns[0].left, kReportTableLeft + kCell);
    EXPECT_DOUBLE_EQ(portrait.columns[0].width, 4 * kCell);
    EXPECT_DOUBLE_EQ(portrait.columns[1].ruleX, kReportTableLeft + 6 * kCell);
    // The right margin grows so the bands end at the table.
    const double tableEnd = kReportTableLeft + 102 * kCell;
    EXPECT_DOUBLE_EQ(portrait.bandWidth, tableEnd + 2 * kReportTableLeft);
    EXPECT_DOUBLE_EQ(portrait.right, 210 - 25 - portrait.bandWidth);
    EXPECT_EQ(portrait.rows[0].values.size(), 12);

    // Landscape: 257 mm hold up to 161 cells, through the maintenance cost.
    const ReportLayout landscape = Make(DefaultForm(1), kA4Landscape);
    ASSERT_EQ(landscape.columns.size(), 16);
    EXPECT_EQ(landscape.columns[15].heading, QStringLiteral("  単価 "));

    // Fewer marked columns let later ones in.
    PrintForm fewer = DefaultForm(1);
    Unmark(fewer, {3, 4, 5, 6, 7});
    const ReportLayout more = Make(fewer);
    ASSERT_EQ(more.columns.size(), 10);
    EXPECT_EQ(more.columns.last().heading, QStringLiteral("メンテナンス"));
}

TEST_F(MainListReport, ValuesAreTrimmedButTimesAndAlignmentKept) {
    Add(QStringLiteral("2004/05/01"));
    const ReportLayout layout = Make(Narrow());
    ASSERT_EQ(layout.columns.size(), 8);
    EXPECT_EQ(Values(layout, 0).mid(0, 4), QStringList({QStringLiteral("1"), QStringLiteral("2004/05/01"),
                                                        QStringLiteral(" 9:05"), QStringLiteral("12,000")}));
    EXPECT_EQ(layout.columns[0].align, ReportAlign::Right);
    EXPECT_EQ(layout.columns[1].align, ReportAlign::Left);
    EXPECT_TRUE(layout.columns[3].keepDigits);
    EXPECT_FALSE(layout.columns[4].keepDigits);  // maintenance item
    EXPECT_TRUE(layout.columns[5].keepDigits);   // maintenance cost
}

TEST_F(MainListReport, MultiLineMaintenanceGivesContinuationRows) {
    Add(QStringLiteral("2004/05/01"));
    Add(QStringLiteral("2004/05/02"), QStringLiteral("ｵｲﾙ交換:3,000:5W-30\r\nﾜｲﾊﾟｰ:1,200\r\n洗車"),
        QStringLiteral("一行目"));
    Add(QStringLiteral("2004/05/03"));
    const ReportLayout on = Make(Narrow());
    ASSERT_EQ(on.rows.size(), 5);
    EXPECT_EQ(Values(on, 1),
              QStringList({QStringLiteral("2"), QStringLiteral("2004/05/02"), QStringLiteral(" 9:05"),
                           QStringLiteral("12,000"), QStringLiteral("ｵｲﾙ交換"), QStringLiteral("3,000"),
                           QStringLiteral("5W-30"), QStringLiteral("一行目")}));
    EXPECT_EQ(Values(on, 2), QStringList({QString(), QString(), QString(), QString(), QStringLiteral("ﾜｲﾊﾟｰ"),
                                          QStringLiteral("1,200"), QString(), QString()}));
    EXPECT_EQ(Values(on, 3), QStringList({QString(), QString(), QString(), QString(), QStringLiteral("洗車"),
                                          QString(), QString(), QString()}));
    EXPECT_EQ(Values(on, 4)[1], QStringLiteral("2004/05/03"));
    // Rows alternate by their place on the page, continuation rows included.
    EXPECT_EQ(on.rows[2].shade, ReportShade::White);
    EXPECT_EQ(on.rows[3].shade, ReportShade::LightGrey);

    settings.PrintMultiGyo = false;
    const ReportLayout off = Make(Narrow());
    ASSERT_EQ(off.rows.size(), 3);
    EXPECT_EQ(Values(off, 1), Values(on, 1));
}

TEST_F(MainListReport, ContinuationAsSecondRowOfAPageRepeatsTheRecord) {
    Add(QStringLiteral("2004/05/02"), QStringLiteral("A:1\r\nB:2\r\nC:3"));
    const ReportLayout layout = Make(Narrow());
    ASSERT_EQ(layout.rows.size(), 3);
    EXPECT_EQ(Values(layout, 1)[1], QStringLiteral("2004/05/02"));
    EXPECT_EQ(Values(layout, 1)[4], QStringLiteral("B"));
    EXPECT_EQ(Values(layout, 2)[1], QString());
}

TEST_F(MainListReport, MaintenanceLinesContinueOnlyWhenAMaintenanceColumnIsPrinted) {
    Add(QStringLiteral("2004/05/02"), QStringLiteral("A:1\r\nB:2"), QStringLiteral("m1\r\nm2\r\nm3"));
    // Portrait A4 leaves the maintenance and memo columns out: one row per record.
    EXPECT_EQ(Make(DefaultForm(1)).rows.size(), 1);
    PrintForm memoOnly = Narrow();
    Unmark(memoOnly, {15, 16, 17});
    const ReportLayout layout = Make(memoOnly);
    ASSERT_EQ(layout.rows.size(), 3);
    EXPECT_EQ(Values(layout, 2).last(), QStringLiteral("m3"));
}

TEST_F(MainListReport, PagesBreakAfterRowsPerPageAndEndWithARule) {
    for (int day = 1; day <= 28; ++day)
        for (int k = 0; k < 5; ++k)
            Add(QStringLiteral("2004/02/%1").arg(day, 2, 10, QLatin1Char('0')));
    const ReportLayout layout = Make(DefaultForm(1));
    const ReportMetrics m = Metrics();
    const double header = m.title.height() + 2 * kReportTitleTop + m.month.height() + kReportHeaderGap;
    const double detail = m.cell.height() + kReportLabelTop + kReportDetailGap;
    const double footer = kReportFooterTop + m.page.height() + kReportFooterGap;
    EXPECT_DOUBLE_EQ(layout.headerHeight, header);
    EXPECT_DOUBLE_EQ(layout.detailHeight, detail);
    EXPECT_DOUBLE_EQ(layout.columnHeaderHeight, detail);
    const int perPage =
        static_cast<int>((297 - 20 - 20 - header - detail - kReportSummaryHeight - footer) / detail);
    ASSERT_EQ(layout.rowsPerPage, perPage);
    ASSERT_EQ(layout.rows.size(), 140);
    const int pages = (140 + perPage - 1) / perPage;
    ASSERT_EQ(layout.PageCount(), pages);
    for (int page = 0; page < pages; ++page) {
        const int last = layout.pageStarts[page] + layout.PageRowCount(page) - 1;
        EXPECT_EQ(layout.rows[last].bottomRule, page + 1 < pages) << page;
        EXPECT_EQ(layout.rows[layout.pageStarts[page]].shade, ReportShade::White) << page;
    }
    EXPECT_EQ(layout.PageRowCount(pages - 1), 140 - (pages - 1) * perPage);
    EXPECT_FALSE(layout.rows[1].bottomRule);
}

TEST_F(MainListReport, ExactlyFullPagesGiveNoEmptyPage) {
    Add(QStringLiteral("2004/01/01"));
    const int perPage = Make(DefaultForm(1)).rowsPerPage;
    for (int k = 1; k < 2 * perPage; ++k)
        Add(QStringLiteral("2004/01/02"));
    const ReportLayout layout = Make(DefaultForm(1));
    EXPECT_EQ(layout.PageCount(), 2);
    EXPECT_EQ(layout.PageRowCount(1), perPage);
    EXPECT_FALSE(layout.rows.last().bottomRule);
}

TEST_F(MainListReport, RulesOfBothPrintStyles) {
    Add(QStringLiteral("2004/05/01"));
    Add(QStringLiteral("2004/05/02"));
    ReportLayout layout = Make(DefaultForm(1));
    EXPECT_TRUE(layout.greyHeader && layout.sideRules && layout.innerRules);
    EXPECT_EQ(layout.rows[1].shade, ReportShade::LightGrey);

    settings.PrintVertical = false;
    layout = Make(DefaultForm(1));
    EXPECT_FALSE(layout.sideRules || layout.innerRules);

    settings.PrintForm = 1;
    layout = Make(DefaultForm(1));
    EXPECT_TRUE(layout.sideRules);
    EXPECT_FALSE(layout.innerRules || layout.greyHeader);
    EXPECT_EQ(layout.rows[1].shade, ReportShade::White);
}

TEST_F(MainListReport, MarginsPositionsAndVisibility) {
    Add(QStringLiteral("2004/05/01"));
    settings.PageTopMargin = QStringLiteral("上");
    settings.PageLeftMargin = QStringLiteral("1,2.46");
    settings.PageBottomMargin = QStringLiteral("-3");
    settings.TitlePosition = 1;
    settings.NamePosition = 0;
    settings.MonthPosition = 2;
    settings.PagePosition = 2;
    settings.DatePosition = 0;
    settings.PrintName = false;
    const ReportLayout layout = Make(DefaultForm(1));
    EXPECT_DOUBLE_EQ(layout.top, 10);
    EXPECT_DOUBLE_EQ(layout.left, 12.5);
    EXPECT_DOUBLE_EQ(layout.bottom, 0);
    const ReportMetrics m = Metrics();
    EXPECT_DOUBLE_EQ(layout.titlePos.x(), (layout.bandWidth - m.title.width()) / 2);
    EXPECT_DOUBLE_EQ(layout.titlePos.y(), kReportTitleTop);
    EXPECT_DOUBLE_EQ(layout.namePos.x(), kReportTableLeft);
    EXPECT_DOUBLE_EQ(layout.namePos.y(), m.title.height() + 2 * kReportTitleTop);
    EXPECT_DOUBLE_EQ(layout.monthPos.x(), layout.bandWidth - m.month.width());
    // The page number is placed by the width of "Page 9", whatever its digits.
    EXPECT_DOUBLE_EQ(layout.pagePos.x(), layout.bandWidth - m.page.width());
    EXPECT_DOUBLE_EQ(layout.datePos.x(), kReportTableLeft);
    EXPECT_FALSE(layout.showName);
    EXPECT_TRUE(layout.showPage && layout.showDate);
}

TEST_F(MainListReport, FormsThatPrintNothing) {
    EXPECT_EQ(Make(DefaultForm(1)).error, ReportError::Empty);
    Add(QStringLiteral("2004/05/01"));

    PrintForm none = DefaultForm(1);
    for (int row = 1; row <= PrintRowCount; ++row)
        none.rows[row].mark = QStringLiteral("  ");
    EXPECT_EQ(Make(none).error, ReportError::NoColumn);

    PrintForm wide = DefaultForm(1);
    wide.rows[1].width = QStringLiteral("99");
    EXPECT_EQ(Make(wide).columns.size(), 1);
    settings.PageLeftMargin = QStringLiteral("60");
    EXPECT_EQ(Make(wide).error, ReportError::FirstColumnTooWide);

    PrintForm badWidth = DefaultForm(1);
    badWidth.rows[1].width = QStringLiteral("ab");
    EXPECT_DOUBLE_EQ(Make(badWidth).columns[0].width, kCell);

    settings.PageLeftMargin = QStringLiteral("150");
    settings.PageRightMargin = QStringLiteral("70");
    EXPECT_EQ(Make(DefaultForm(1)).error, ReportError::PageTooSmall);
    settings.PageLeftMargin = QStringLiteral("25");
    settings.PageTopMargin = QStringLiteral("290");
    const ReportLayout tall = Make(DefaultForm(1));
    EXPECT_EQ(tall.error, ReportError::PageTooSmall);
    EXPECT_TRUE(tall.rows.isEmpty());

    PrintForm unknown = DefaultForm(1);
    unknown.listId = QStringLiteral("09");
    EXPECT_EQ(Make(unknown).error, ReportError::NoList);
    EXPECT_FALSE(ReportErrorText(ReportError::Empty).isEmpty());
}

TEST(TotalsReport, PeriodSummaryRowsAlternateDarkerFirst) {
    Settings settings;
    ListSource source = Rows(10, 12);
    source.periodStart = QStringLiteral("2004/01");
    source.periodEnd = QStringLiteral("2004/04");
    const ReportLayout layout = Layout(DefaultForm(4), source, settings);
    ASSERT_EQ(layout.rows.size(), 10);
    EXPECT_EQ(layout.texts.dateRange, QStringLiteral("2004/01～2004/04"));
    const ReportShade expected[] = {ReportShade::White,     ReportShade::LightGrey, ReportShade::White,
                                    ReportShade::LightGrey, ReportShade::Silver,    ReportShade::LightGrey,
                                    ReportShade::Silver,    ReportShade::LightGrey, ReportShade::Silver,
                                    ReportShade::LightGrey};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(layout.rows[i].shade, expected[i]) << i;
    EXPECT_EQ(layout.rows[0].values[1], QStringLiteral("1"));

    settings.PrintForm = 1;
    EXPECT_EQ(Layout(DefaultForm(4), source, settings).rows[4].shade, ReportShade::White);
}

TEST(TotalsReport, CategoryTotalsDarkenOnlyTheLastRowAndFollowTheRowMap) {
    Settings settings;
    ListSource source = Rows(6, 10);
    source.grid.rows[2][0] = QStringLiteral("  ");
    source.grid.rows[4][0] = QString();
    source.rows = RowsWithFirstCell(source.grid);
    const ReportLayout layout = Layout(DefaultForm(8), source, settings);
    ASSERT_EQ(layout.rows.size(), 4);
    EXPECT_EQ(layout.rows[1].values[0], QStringLiteral("R3"));
    EXPECT_EQ(layout.rows[2].shade, ReportShade::White);
    EXPECT_EQ(layout.rows[3].shade, ReportShade::Silver);

    // The maintenance due list has no period and no darker row.
    const ReportLayout due = Layout(DefaultForm(6), Rows(3), settings);
    EXPECT_TRUE(due.texts.dateRange.isEmpty());
    EXPECT_EQ(due.rows[2].shade, ReportShade::White);
}

}  // namespace
}  // namespace tovrel
