// Trend graph data: collection, axis range, paging, labels, order, average/target points, call-outs.
#include "graph/trend_graph.h"

#include "data/record_table.h"
#include "settings/settings.h"
#include "test_support.h"
#include "totals/period_totals.h"

#include <gtest/gtest.h>

namespace tovrel {
namespace {

using namespace test;

QVector<int> Xs(const QVector<TrendMark>& marks) {
    QVector<int> xs;
    for (const TrendMark& m : marks)
        xs.append(m.x);
    return xs;
}

class TrendGraphTest : public ::testing::Test {
protected:
    void Add(const FuelRecord& r) { AppendRecord(table, r); }
    // 25 refuellings: 7 in late 2023, 18 in 2024; economy 10.00 + i/10, 400 km on 40 L each.
    void AddTwentyFive() {
        for (int i = 1; i <= 25; ++i) {
            const QDate day = QDate(2023, 12, 1).addDays((i - 8) * 5 + (i >= 8 ? 40 : 0));
            Add(Refuel(day.toString(QStringLiteral("yyyy/MM/dd")), u"400", u"40",
                       QString::number(10 + i / 10.0, 'f', 2), u"6000", u"150"));
        }
    }
    TrendGraph Build(const TrendData& data, bool all, int perPage, bool reverse = false) const {
        return BuildTrendGraph(data, settings, 1, QStringLiteral("ﾃｽﾄ車"), {all, perPage, reverse});
    }
    QStringList Labels(const TrendGraph& g) const {
        QStringList labels;
        for (const TrendPoint& p : g.points)
            labels.append(p.label);
        return labels;
    }

    RecordTable table{1000};
    Settings settings;
};

TEST_F(TrendGraphTest, TenPerPageOverTwentyFivePoints) {
    AddTwentyFive();
    const TrendData data = CollectRecordTrend(0, table, false, 12);
    ASSERT_EQ(data.items.size(), 25);
    EXPECT_EQ(data.items[6].label.left(4), QStringLiteral("2023"));
    EXPECT_EQ(data.items[7].label.left(4), QStringLiteral("2024"));
    const TrendGraph g = Build(data, false, 10);
    EXPECT_EQ(g.title, QStringLiteral("燃費推移グラフ（ﾃｽﾄ車）"));
    EXPECT_EQ(g.PageCount(), 3);
    EXPECT_EQ(g.FirstX(3), 21);
    EXPECT_EQ(g.LastX(3), 25);
    EXPECT_EQ(g.PageWidth(), 10);  // the short last page keeps the width of 10
    EXPECT_EQ(PageMemoText(g, 1), QStringLiteral("1/3"));
    EXPECT_EQ(PageMemoText(g, 9), QStringLiteral("3/3"));

    // The year at the first point, where it changes (point 8) and at the first point of each page.
    const QStringList labels = Labels(g);
    for (int x = 1; x <= 25; ++x) {
        const bool year = x == 1 || x == 8 || x == 11 || x == 21;
        EXPECT_EQ(labels[x - 1].startsWith(QStringLiteral("     ")), !year)
            << x << labels[x - 1].toStdString();
    }
    EXPECT_EQ(labels[8], QStringLiteral("     ") + data.items[8].label.mid(5));

    EXPECT_EQ(Xs(g.average), (QVector<int>{1, 1, 10, 11, 20, 21, 25}));
    EXPECT_EQ(Xs(g.target), (QVector<int>{1, 1, 10, 11, 20, 21, 25}));
    EXPECT_EQ(g.dummy.size(), 25);
    EXPECT_DOUBLE_EQ(g.average.first().value, 10.0);
    EXPECT_EQ(g.foot, data.items.first().label + QStringLiteral("～") + data.items.last().label +
                          QStringLiteral("  25件"));
}

TEST_F(TrendGraphTest, AllPointsOnOnePageShowTheYearOnlyWhereItChanges) {
    AddTwentyFive();
    const TrendGraph g = Build(CollectRecordTrend(0, table, false, 0), true, 10);
    EXPECT_EQ(g.PageCount(), 1);
    EXPECT_EQ(g.FirstX(1), 1);
    EXPECT_EQ(g.LastX(1), 25);
    EXPECT_EQ(PageMemoText(g, 1), QStringLiteral("全て"));
    const QStringList labels = Labels(g);
    for (int x = 1; x <= 25; ++x)
        EXPECT_EQ(labels[x - 1].startsWith(QStringLiteral("     ")), x != 1 && x != 8) << x;
    EXPECT_EQ(Xs(g.average), (QVector<int>{1, 25}));
}

TEST_F(TrendGraphTest, ReverseShowsTheNewestFirstAndKeepsTheFoot) {
    AddTwentyFive();
    const TrendData data = CollectRecordTrend(0, table, false, 0);
    const TrendGraph g = Build(data, false, 10, true);
    EXPECT_EQ(g.points.first().item, 24);
    EXPECT_EQ(g.points.first().label, data.items.last().label);
    EXPECT_DOUBLE_EQ(g.points.first().value, 12.5);
    EXPECT_EQ(g.points.last().item, 0);
    EXPECT_TRUE(g.foot.startsWith(data.items.first().label + QStringLiteral("～")));
    // Going back in time the year changes between screen points 18 and 19.
    EXPECT_FALSE(g.points[18].label.startsWith(QLatin1Char(' ')));
    EXPECT_TRUE(g.points[19].label.startsWith(QLatin1Char(' ')));
}

TEST_F(TrendGraphTest, ShortYearCutsTheLabels) {
    Add(Refuel(u"2024/05/03", u"400", u"40", u"10.00"));
    Add(Refuel(u"2024/06/03", u"400", u"40", u"10.00"));
    settings.YearDispFormat = 1;
    const TrendGraph g = Build(CollectRecordTrend(0, table, false, 0), true, 10);
    EXPECT_EQ(Labels(g), (QStringList{QStringLiteral("24/05/03"), QStringLiteral("   06/03")}));
}

TEST_F(TrendGraphTest, NoneHeikinRecordsEitherDisappearOrStayOutOfTheAverage) {
    Add(Refuel(u"2024/01/01", u"400", u"30", u"13.33"));
    FuelRecord left = Refuel(u"2024/01/10", u"300", u"20", u"15.00");
    left.noneHeikin = 1;
    Add(left);
    Add(MainteOnly(u"2024/01/15", u"ｵｲﾙ:3000:"));
    Add(Refuel(u"2024/01/20", u"", u"", u""));  // no economy: not plotted

    const TrendData shown = CollectRecordTrend(0, table, false, 0);
    ASSERT_EQ(shown.items.size(), 2);
    EXPECT_EQ(shown.items[1].source, 2);
    EXPECT_NEAR(shown.average, 400.0 / 30.0, 1e-9);
    EXPECT_EQ(shown.maximum, 15);
    EXPECT_EQ(shown.minimum, 13);

    const TrendData hidden = CollectRecordTrend(0, table, true, 0);
    ASSERT_EQ(hidden.items.size(), 1);
    EXPECT_NEAR(hidden.average, 400.0 / 30.0, 1e-9);
    EXPECT_EQ(hidden.maximum, 14);
}

TEST_F(TrendGraphTest, UnitPriceIsTheMeanOfRefuellingsOnly) {
    Add(Refuel(u"2024/01/01", u"400", u"30", u"13.33", u"4000", u"150"));
    Add(Refuel(u"2024/01/10", u"400", u"30", u"13.33", u"4000", u"1,60.5"));
    FuelRecord mainte = MainteOnly(u"2024/01/15", u"ｵｲﾙ:3000:");
    mainte.text[ColTanka] = QStringLiteral("999");
    Add(mainte);
    const TrendData data = CollectRecordTrend(3, table, false, 20);
    ASSERT_EQ(data.items.size(), 2);
    EXPECT_DOUBLE_EQ(data.average, 155.25);
    const TrendGraph g = Build(data, true, 10);
    EXPECT_EQ(g.title, QStringLiteral("単価推移グラフ（ﾃｽﾄ車）"));
    settings.MokuhyoDisp = true;
    EXPECT_FALSE(Build(data, true, 10).targetShown);
}

TEST_F(TrendGraphTest, AxisRangeAutomaticOrFixed) {
    for (int i = 0; i < 3; ++i)
        Add(Refuel(u"2024/01/01", u"400", u"30", u"12.3"));
    const TrendData data = CollectRecordTrend(0, table, false, 0);
    TrendGraph g = Build(data, true, 10);
    EXPECT_EQ(g.axisMin, 12);
    EXPECT_EQ(g.axisMax, 13);

    settings.MivraScaleFix = true;
    settings.MivraMinScale[1] = 5;
    settings.MivraMaxScale[1] = 20;
    g = Build(data, true, 10);
    EXPECT_EQ(g.axisMin, 5);
    EXPECT_EQ(g.axisMax, 20);
    settings.MivraMaxScale[1] = 5;
    g = Build(data, true, 10);
    EXPECT_EQ(g.axisMax, 6);
}

TEST_F(TrendGraphTest, EmptyLogGivesAnEmptyGraph) {
    Add(MainteOnly(u"2024/01/15", u"ｵｲﾙ:3000:"));
    const TrendGraph g = Build(CollectRecordTrend(0, table, false, 12), false, 10);
    EXPECT_TRUE(g.points.isEmpty());
    EXPECT_TRUE(g.average.isEmpty());
    EXPECT_TRUE(g.foot.isEmpty());
    EXPECT_EQ(g.axisMin, 0);
    EXPECT_EQ(g.axisMax, 1);
    EXPECT_EQ(g.PageCount(), 1);
    EXPECT_EQ(PageMemoText(g, 1), QStringLiteral("1/1"));
    EXPECT_EQ(TrendPageLines(g, 1, {}).size(), 4);
}

class PeriodTrendTest : public TrendGraphTest {
protected:
    PeriodTotals Totals(const char* from, const char* to) const {
        return ComputePeriodTotals(table, settings, S(from), S(to), 0, QStringLiteral("km"));
    }
};

TEST_F(PeriodTrendTest, EmptyFirstMonthIsSkipped) {
    Add(Refuel(u"2024/03/05", u"400", u"40", u"10.00", u"6000", u"150"));
    Add(Refuel(u"2024/05/05", u"500", u"40", u"12.50", u"6000", u"160"));
    Add(MainteOnly(u"2024/06/05", u"ｵｲﾙ:3000:"));
    const PeriodTotals totals = Totals("2024/02", "2024/07");
    const TrendData economy = CollectPeriodTrend(1, totals, 11);
    ASSERT_EQ(economy.items.size(), 3);
    EXPECT_EQ(economy.items[0].label, QStringLiteral("2024/03"));
    EXPECT_EQ(economy.items[2].value, 0);  // a maintenance-only month is a month with data
    EXPECT_DOUBLE_EQ(economy.average, 11.25);
    const TrendGraph g = Build(economy, true, 10);
    EXPECT_EQ(g.foot, QStringLiteral("2024/03～2024/06"));
    EXPECT_EQ(Labels(g),
              (QStringList{QStringLiteral("2024/03"), QStringLiteral("     05"), QStringLiteral("     06")}));
    EXPECT_TRUE(g.targetShown == false);
    settings.MokuhyoDisp = true;
    EXPECT_TRUE(Build(economy, true, 10).targetShown);

    settings.YearDispFormat = 1;
    EXPECT_EQ(Labels(Build(economy, true, 10)).first(), QStringLiteral("24/03"));
}

TEST_F(PeriodTrendTest, DistanceAxisAndNoTargetLine) {
    Add(Refuel(u"2024/03/05", u"1,400", u"40", u"35.00"));
    const TrendData run = CollectPeriodTrend(2, Totals("2024/03", "2024/03"), 11);
    ASSERT_EQ(run.items.size(), 1);
    EXPECT_EQ(run.items[0].value, 1400);
    settings.MokuhyoDisp = true;
    const TrendGraph g = Build(run, false, 10);
    EXPECT_EQ(g.axisDecimals, 0);
    EXPECT_EQ(g.axisStep, 10);
    EXPECT_FALSE(g.targetShown);
    EXPECT_EQ(g.title, QStringLiteral("走行距離推移グラフ（ﾃｽﾄ車）"));
    EXPECT_EQ(FormatAxisValue(1400, 0), QStringLiteral("1,400"));
}

TEST_F(PeriodTrendTest, LifetimeEconomyHasNoNumberToAverage) {
    Add(Refuel(u"2024/03/05", u"400", u"40", u"10.00"));
    const TrendData lifetime = CollectPeriodTrend(6, Totals("2024/03", "2024/04"), 11);
    EXPECT_FALSE(lifetime.averageValid);
    EXPECT_FALSE(Build(lifetime, true, 10).averageShown);
    EXPECT_EQ(Build(lifetime, true, 10).title, QStringLiteral("生涯燃費推移グラフ（ﾃｽﾄ車）"));
}

TEST_F(TrendGraphTest, HeikiDispHidesTheAverage) {
    Add(Refuel(u"2024/01/01", u"400", u"30", u"13.33"));
    settings.HeikiDisp = false;
    EXPECT_FALSE(Build(CollectRecordTrend(0, table, false, 0), true, 10).averageShown);
}

TEST(TrendFormatTest, ValuesAndCounts) {
    EXPECT_EQ(FormatChartValue(1234.5), QStringLiteral("1,234.5"));
    EXPECT_EQ(FormatChartValue(12), QStringLiteral("12"));
    EXPECT_EQ(FormatChartValue(12.345), QStringLiteral("12.35"));
    EXPECT_EQ(FormatChartValue(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(FormatChartValue(1000000), QStringLiteral("1,000,000"));
    EXPECT_EQ(FormatAxisValue(12, 1), QStringLiteral("12.0"));

    EXPECT_EQ(PointsPerPage(QString()), 10);
    EXPECT_EQ(PointsPerPage(QStringLiteral("abc")), 10);
    EXPECT_EQ(PointsPerPage(QStringLiteral("0")), 10);
    EXPECT_EQ(PointsPerPage(QStringLiteral("-3")), 10);
    EXPECT_EQ(PointsPerPage(QStringLiteral(" 25 ")), 25);
    EXPECT_EQ(PointsPerPage(QStringLiteral("５")), 5);

    EXPECT_EQ(MainWindowGraphKind(1), 3);
    EXPECT_EQ(MainWindowGraphKind(0), 0);
    EXPECT_EQ(PeriodGraphKind(0), 1);
    EXPECT_EQ(PeriodGraphKind(4), 6);
    EXPECT_EQ(PeriodGraphKind(3), 5);
}

TEST(TrendFormatTest, AxisIncrementGrowsUntilLabelsFit) {
    EXPECT_DOUBLE_EQ(AxisIncrement(12, 13, 0.1, 400, 14), 0.1);
    EXPECT_DOUBLE_EQ(AxisIncrement(0, 15, 0.1, 400, 14), 1);
    EXPECT_DOUBLE_EQ(AxisIncrement(0, 2000, 10, 300, 14), 200);
    EXPECT_DOUBLE_EQ(AxisIncrement(0, 15, 0.1, 0, 14), 0.1);
}

class MemoCalloutTest : public TrendGraphTest {
protected:
    void SetUp() override {
        for (int i = 1; i <= 4; ++i) {
            FuelRecord r =
                Refuel(QStringLiteral("2024/01/%1").arg(i, 2, 10, QLatin1Char('0')), u"400", u"40", u"10.00");
            r.text[ColMemo] = QStringLiteral("ﾒﾓ%1\r\n二行目").arg(i);
            r.memoGraph = i != 2;
            Add(r);
        }
    }
};

TEST_F(MemoCalloutTest, FlaggedFirstLinesWhenThereIsRoom) {
    const TrendData data = CollectRecordTrend(0, table, false, 0);
    const TrendGraph g = Build(data, true, 10);
    const QVector<MemoCallout> c = ChooseMemoCallouts(data, g, 1, {10, 20, 30, 40});
    EXPECT_EQ(c, (QVector<MemoCallout>{
                     {1, QStringLiteral("ﾒﾓ1")}, {3, QStringLiteral("ﾒﾓ3")}, {4, QStringLiteral("ﾒﾓ4")}}));
    // Page 2 of two points each.
    const TrendGraph paged = Build(data, false, 2);
    EXPECT_EQ(ChooseMemoCallouts(data, paged, 3, {10, 20}),
              (QVector<MemoCallout>{{3, QStringLiteral("ﾒﾓ3")}, {4, QStringLiteral("ﾒﾓ4")}}));
}

TEST_F(MemoCalloutTest, CrowdedGraphShowsOnlyTheNewest) {
    const TrendData data = CollectRecordTrend(0, table, false, 0);
    EXPECT_EQ(ChooseMemoCallouts(data, Build(data, true, 10), 1, {10, 10, 11, 12}),
              (QVector<MemoCallout>{{4, QStringLiteral("ﾒﾓ4")}}));
    EXPECT_EQ(ChooseMemoCallouts(data, Build(data, true, 10, true), 1, {10, 10, 11, 12}),
              (QVector<MemoCallout>{{1, QStringLiteral("ﾒﾓ4")}}));
    // The newest record without the flag: nothing at all.
    table.SetMemoGraph(4, 0);
    const TrendData unflagged = CollectRecordTrend(0, table, false, 0);
    EXPECT_TRUE(ChooseMemoCallouts(unflagged, Build(unflagged, true, 10), 1, {10, 10, 11, 12}).isEmpty());
    // Only the economy graph of records speaks.
    const TrendData price = CollectRecordTrend(3, table, false, 0);
    EXPECT_TRUE(ChooseMemoCallouts(price, Build(price, true, 10), 1, {10, 20, 30, 40}).isEmpty());
}

TEST_F(MemoCalloutTest, PageLines) {
    settings.MokuhyoDisp = true;
    const TrendData data = CollectRecordTrend(0, table, false, 12.5);
    const TrendGraph g = Build(data, false, 3);
    const QStringList lines = TrendPageLines(g, 2, {{4, QStringLiteral("ﾒﾓ4")}});
    EXPECT_EQ(lines,
              (QStringList{QStringLiteral("title\t燃費推移グラフ（ﾃｽﾄ車）"),
                           QStringLiteral("foot\t2024/01/01～2024/01/04  4件"),
                           QStringLiteral("axis\t10.0\t11.0"), QStringLiteral("page\t2/2"),
                           QStringLiteral("point\t4\t2024/01/04\t10"), QStringLiteral("average\t4\t10"),
                           QStringLiteral("average\t4\t10"), QStringLiteral("target\t4\t12.5"),
                           QStringLiteral("target\t4\t12.5"), QStringLiteral("memo\t4\tﾒﾓ4")}));
}

TEST(ChartPrintTest, MarginsInPercentAndResolution) {
    const QRectF r = ChartPrintRect(QSizeF(2000, 1000), {3, 5, 3, 3, 0});
    EXPECT_EQ(r, QRectF(60, 50, 1880, 920));
    // Stored values out of reach are limited so that a chart remains.
    const QRectF wide = ChartPrintRect(QSizeF(1000, 1000), {80, -5, 60, 0, 0});
    EXPECT_EQ(wide, QRectF(450, 0, 100, 1000));
    EXPECT_EQ(ClampPrintSettings({0, 0, 0, 0, 500}).resolution, 100);

    EXPECT_EQ(ChartPrintLayoutSize(QSize(700, 400), QSizeF(2000, 1000), 0), QSize(700, 350));
    EXPECT_EQ(ChartPrintLayoutSize(QSize(700, 400), QSizeF(2000, 1000), 100), QSize(1400, 700));
    EXPECT_EQ(ChartPrintLayoutSize(QSize(700, 400), QSizeF(2000, 1000), -100), QSize(350, 175));
}

}  // namespace
}  // namespace tovrel
