#include "totals/period_totals.h"

#include "data/fuel_record.h"
#include "data/record_table.h"
#include "settings/settings.h"
#include "test_support.h"
#include "totals/month_range.h"

#include "base/text_utils.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tovrel {
namespace {

using namespace test;

class PeriodTotalsTest : public ::testing::Test {
protected:
    void Add(const FuelRecord& r) { AppendRecord(table, r); }
    PeriodTotals Compute(const char* start, const char* end, int shift = 0) const {
        return ComputePeriodTotals(table, settings, S(start), S(end), shift, QStringLiteral("km"));
    }
    // The example log: a first fill without distance, a fill with three maintenance jobs, and a
    // maintenance-only month.
    void AddExampleLog() {
        Add(Refuel("2024/01/05", "", "30", "", "4500", "150"));
        Add(Refuel("2024/01/20", "400", "32", "12.5", "4800", "150"));
        FuelRecord feb = Refuel("2024/02/10", "450", "30", "15", "4650", "155");
        feb.text[ColMainte] = S("ｵｲﾙ交換:3,000:\r\nﾌｨﾙﾀ交換:1,500:純正\r\nﾜｲﾊﾟｰ:500:");
        Add(feb);
        Add(MainteOnly("2024/03/03", "車検:100,000:"));
    }

    RecordTable table{1000};
    Settings settings;
};

TEST(MonthRangeTest, EndBeforeStartBecomesTwelveMonths) {
    const MonthRange r = NormalizeMonthRange(QStringLiteral("2024/05"), QStringLiteral("2024/02"), 0, 240);
    EXPECT_EQ(r.StartText(), QStringLiteral("2024/05"));
    EXPECT_EQ(r.EndText(), QStringLiteral("2025/04"));
    EXPECT_EQ(r.Months(), 12);
}

TEST(MonthRangeTest, LimitCutsFromTheStartMonth) {
    const MonthRange cut = NormalizeMonthRange(QStringLiteral("2000/03"), QStringLiteral("2024/12"), 0, 240);
    EXPECT_EQ(cut.EndText(), QStringLiteral("2020/02"));
    EXPECT_EQ(cut.Months(), 240);
    const MonthRange unlimited =
        NormalizeMonthRange(QStringLiteral("2000/03"), QStringLiteral("2024/12"), 0, 0);
    EXPECT_EQ(unlimited.EndText(), QStringLiteral("2024/12"));
}

TEST(MonthRangeTest, ShiftGivesTheTwelveMonthsOfTheYearBeforeOrAfter) {
    MonthRange r = NormalizeMonthRange(QStringLiteral("2020/01"), QStringLiteral("2024/12"), -1, 240);
    EXPECT_EQ(r.StartText() + r.EndText(), QStringLiteral("2019/012019/12"));
    r = NormalizeMonthRange(QStringLiteral("2023/04"), QStringLiteral("2024/03"), 1, 240);
    EXPECT_EQ(r.StartText() + r.EndText(), QStringLiteral("2024/042025/03"));
}

TEST(MonthRangeTest, UnreadableTextsAreClampedAndRewritten) {
    MonthRange r = NormalizeMonthRange(QStringLiteral("2024/13"), QStringLiteral("abcd/xx"), 0, 240);
    EXPECT_EQ(r.StartText(), QStringLiteral("2024/12"));
    // An end of year 0 lies before the start.
    EXPECT_EQ(r.EndText(), QStringLiteral("2025/11"));
    r = NormalizeMonthRange(QStringLiteral("2024/00"), QStringLiteral("2024/1"), 0, 240);
    EXPECT_EQ(r.StartText() + r.EndText(), QStringLiteral("2024/012024/01"));
}

TEST(MonthRangeTest, DefaultIsTheTwelveMonthsEndingNow) {
    const MonthRange r = DefaultMonthRange(QDate(2024, 3, 31));
    EXPECT_EQ(r.StartText(), QStringLiteral("2023/04"));
    EXPECT_EQ(r.EndText(), QStringLiteral("2024/03"));
    EXPECT_EQ(r.RowText(10), QStringLiteral("2024/01"));
}

TEST_F(PeriodTotalsTest, WholeLogTextsComeFromTheFirstAndLastDay) {
    QString start = QStringLiteral("x");
    QString end = QStringLiteral("y");
    EXPECT_FALSE(WholeLogMonthTexts(table, &start, &end));
    EXPECT_EQ(start + end, QStringLiteral("xy"));
    AddExampleLog();
    EXPECT_TRUE(WholeLogMonthTexts(table, &start, &end));
    EXPECT_EQ(start + end, QStringLiteral("2024/012024/03"));
}

TEST_F(PeriodTotalsTest, ExampleLogGivesTheseCells) {
    AddExampleLog();
    int steps = 0;
    const PeriodTotals t =
        ComputePeriodTotals(table, settings, QStringLiteral("2024/01"), QStringLiteral("2024/03"), 0,
                            QStringLiteral("km"), [&steps] { ++steps; });
    EXPECT_EQ(steps, 4);
    ASSERT_EQ(t.months, 3);
    ASSERT_EQ(t.grid.RowCount(), 10);
    EXPECT_EQ(t.grid.rows[0], PeriodHeaders(QStringLiteral("km")));
    EXPECT_EQ(t.grid.rows[0][10], QStringLiteral("費用/km"));

    // The first fill has no distance, so its fuel stays out of the lifetime economy (400 / 32).
    EXPECT_EQ(t.grid.rows[1].join(QLatin1Char('|')),
              S("2024/01|   2|     400.0|    62.00| 6.45|     9,300|150.0|   0|         0|     9,300|   "
                "23.3|   12.50"));
    // Three maintenance lines count as one record with all three costs.
    EXPECT_EQ(t.grid.rows[2][7], S("   1"));
    EXPECT_EQ(t.grid.rows[2][8], S("     5,000"));
    // A maintenance-only month: no fuel, no distance, the lifetime economy carried on.
    EXPECT_EQ(t.grid.rows[3].join(QLatin1Char('|')), S("2024/03|   0|       0.0|     0.00| 0.00|         0|  "
                                                       "0.0|   1|   100,000|   100,000|    0.0|   13.71"));
    EXPECT_EQ(t.grid.rows[4].join(QLatin1Char('|')),
              S("月平均 | 1.0|     283.3|    30.67| 9.24|     4,650|151.7| 0.7|    35,000|    39,650|  "
                "139.9|-----.--"));
    EXPECT_EQ(t.grid.rows[5].join(QLatin1Char('|')),
              S("総合計 |   3|     850.0|    92.00|--.--|    13,950|---.-|   2|   105,000|   "
                "118,950|-,---.-|-----.--"));
    EXPECT_EQ(t.grid.rows[6].join(QLatin1Char('|')),
              S("最高月 |   2|     450.0|    62.00|15.00|     9,300|155.0|   1|   100,000|2024/02|   23.3|   "
                "13.71"));
    EXPECT_EQ(t.grid.rows[7].join(QLatin1Char('|')),
              S("最低月 |   1|     400.0|    30.00| 6.45|     4,650|150.0|   1|     5,000|2024/01|   21.4|   "
                "12.50"));
    EXPECT_EQ(t.grid.rows[8].join(QLatin1Char('|')),
              S("最高時 |----|     450.0|    32.00|15.00|     4,800|155.0|----|   "
                "100,000|2024/02/10|-,---.-|-----.--"));
    EXPECT_EQ(t.grid.rows[9].join(QLatin1Char('|')),
              S("最低時 |----|     400.0|    30.00|12.50|     4,500|150.0|----|     "
                "5,000|2024/01/20|-,---.-|-----.--"));
    EXPECT_EQ(t.status, S("有効ﾃﾞｰﾀ : 2024/01/05～2024/03/03"));
    EXPECT_NEAR(t.averageEconomy, 850.0 / 92.0, 1e-9);
    EXPECT_EQ(t.refuellings, 3);
    EXPECT_EQ(t.maintenanceRecords, 2);
}

TEST_F(PeriodTotalsTest, EmptyRangeShowsZerosAndPlaceholders) {
    AddExampleLog();
    const PeriodTotals t = Compute("2025/01", "2025/12");
    ASSERT_EQ(t.grid.RowCount(), 19);
    EXPECT_EQ(t.status, S("有効ﾃﾞｰﾀ : なし"));
    EXPECT_EQ(t.grid.rows[13].join(QLatin1Char('|')), S("月平均 | 0.0|       0.0|     0.00| 0.00|         0| "
                                                        " 0.0| 0.0|         0|         0|    0.0|-----.--"));
    for (int row = 15; row <= 18; ++row)
        EXPECT_TRUE(t.grid.rows[row][9].isEmpty()) << row;
    EXPECT_EQ(t.grid.rows[17][1], QStringLiteral("----"));
}

TEST_F(PeriodTotalsTest, ExcludedRecordCountsEverywhereButTheEconomy) {
    Add(Refuel("2024/01/01", "300", "30", "10", "4500", "150"));
    FuelRecord excluded = Refuel("2024/01/15", "100", "20", "5", "3000", "150");
    excluded.noneHeikin = 1;
    Add(excluded);
    Add(Refuel("2024/02/01", "300", "20", "15", "3000", "150"));

    settings.NoneHeikinTotal = false;
    PeriodTotals t = Compute("2024/01", "2024/02");
    EXPECT_EQ(t.grid.rows[1][1], S("   2"));
    EXPECT_EQ(t.grid.rows[1][2], S("     400.0"));
    EXPECT_EQ(t.grid.rows[1][3], S("    50.00"));
    EXPECT_EQ(t.grid.rows[1][4], S("10.00"));  // 300 / 30 only
    EXPECT_EQ(t.grid.rows[1][5], S("     7,500"));
    EXPECT_EQ(t.grid.rows[1][11], S("    8.00"));  // 400 / 50
    EXPECT_EQ(t.grid.rows[3][4], S("12.00"));      // 600 / 50 over the counted fills
    EXPECT_EQ(t.grid.rows[8][4], S(" 5.00"));      // the lowest single record still counts
    EXPECT_EQ(t.grid.rows[8][9], S("2024/01/15"));

    settings.NoneHeikinTotal = true;
    t = Compute("2024/01", "2024/02");
    EXPECT_EQ(t.grid.rows[1][11], S("   10.00"));  // 300 / 30
    EXPECT_EQ(t.grid.rows[2][11], S("   12.00"));  // 600 / 50
}

TEST_F(PeriodTotalsTest, TiesKeepTheEarlierMonthAndRecord) {
    Add(Refuel("2024/01/10", "300", "20", "15", "3000", "150"));
    Add(Refuel("2024/02/10", "300", "20", "15", "3000", "150"));
    Add(Refuel("2024/03/10", "200", "20", "10", "3000", "150"));
    const PeriodTotals t = Compute("2024/01", "2024/03");
    EXPECT_EQ(t.grid.rows[t.BestMonthRow()][9], QStringLiteral("2024/01"));
    EXPECT_EQ(t.grid.rows[t.WorstMonthRow()][9], QStringLiteral("2024/03"));
    EXPECT_EQ(t.grid.rows[t.HighestRecordRow()][9], QStringLiteral("2024/01/10"));
    EXPECT_EQ(t.grid.rows[t.LowestRecordRow()][9], QStringLiteral("2024/03/10"));
}

TEST_F(PeriodTotalsTest, NoneDataHeikinDecidesTheMonthsOfTheAverage) {
    Add(Refuel("2024/01/10", "300", "20", "15", "1200", "150"));
    Add(Refuel("2024/05/10", "300", "20", "15", "1200", "150"));
    Add(Refuel("2024/09/10", "300", "20", "15", "1200", "150"));
    settings.NoneDataHeikin = true;
    PeriodTotals t = Compute("2024/01", "2024/12");
    EXPECT_EQ(t.grid.rows[13][2], S("      75.0"));  // 900 / 12
    EXPECT_EQ(t.grid.rows[13][5], S("       300"));
    settings.NoneDataHeikin = false;
    t = Compute("2024/01", "2024/12");
    EXPECT_EQ(t.grid.rows[13][2], S("     300.0"));  // 900 / 3
    EXPECT_EQ(t.grid.rows[13][1], S(" 1.0"));
    EXPECT_EQ(t.grid.rows[13][4], S("15.00"));
}

TEST_F(PeriodTotalsTest, BlankItemLinesAreNoMaintenance) {
    FuelRecord r = Refuel("2024/01/10", "300", "20", "15", "3000", "150");
    r.text[ColMainte] = S(":2,000:\r\n");
    Add(r);
    Add(MainteOnly("2024/02/10", ""));
    const PeriodTotals t = Compute("2024/01", "2024/02");
    EXPECT_EQ(t.grid.rows[1][7], S("   0"));
    EXPECT_EQ(t.grid.rows[1][8], S("         0"));
    EXPECT_TRUE(t.grid.rows[2][1].isEmpty());
    // Still a record in the range.
    EXPECT_EQ(t.status, S("有効ﾃﾞｰﾀ : 2024/01/10～2024/02/10"));
}

TEST_F(PeriodTotalsTest, LongRangesAreCutAndShifted) {
    AddExampleLog();
    PeriodTotals t = Compute("2000/01", "2024/12");
    EXPECT_EQ(t.months, 240);
    EXPECT_EQ(t.grid.RowCount(), 247);
    EXPECT_EQ(t.grid.rows[240][0], QStringLiteral("2019/12"));
    EXPECT_TRUE(t.grid.rows[240][1].isEmpty());  // months without records stay blank
    EXPECT_FALSE(t.monthHasRecords[240]);
    EXPECT_EQ(t.grid.rows[241][0], S("月平均 "));

    t = Compute("2025/01", "2029/12", -1);
    EXPECT_EQ(t.range.StartText() + t.range.EndText(), QStringLiteral("2024/012024/12"));
    EXPECT_EQ(t.grid.rows[1][1], S("   2"));
}

}  // namespace
}  // namespace tovrel
