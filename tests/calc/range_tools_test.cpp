// The two range tools: combined-fill economy and odometer recalculation over records of the table.
#include "calc/combined_fill.h"
#include "calc/odometer_recalc.h"

#include "base/text_utils.h"
#include "data/record_table.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace tovrel {
namespace {

using namespace test;

// A column's values without padding and grouping, as the log file holds them.
QStringList Values(const RecordTable& table, int col) {
    QStringList texts;
    for (int i = 1; i <= table.RecordCount(); ++i)
        texts << StripGrouping(table.Text(i, col));
    return texts;
}

FuelRecord FuelWithCost(QAnyStringView day, QAnyStringView run, QAnyStringView totalRun, QAnyStringView gas,
                        QAnyStringView cost) {
    FuelRecord r = Record(KindFuel, day, run, totalRun, gas);
    r.text[ColCost] = cost.toString();
    return r;
}

TEST(RangeTools, SelectionNeedsTwoRecordsWithinTheCount) {
    int last = 0;
    EXPECT_TRUE(SelectedRange(2, 9, 5, &last));
    EXPECT_EQ(last, 5);
    EXPECT_FALSE(SelectedRange(5, 9, 5, &last));  // rows beyond the count leave one record
    EXPECT_FALSE(SelectedRange(3, 3, 5, &last));
    EXPECT_FALSE(SelectedRange(7, 9, 5, &last));
    EXPECT_FALSE(SelectedRange(0, 3, 5, &last));
    EXPECT_EQ(TooFewSelected(kOdometerToolName).text,
              S(u"走行距離計算するには、複数のﾃﾞｰﾀが選択される必要があります。"));
    EXPECT_EQ(TooFewSelected(kCombinedFillToolName).caption, S(u"範囲選択ｴﾗｰ"));
}

class CombinedFillTest : public ::testing::Test {
protected:
    RecordTable table{1000};
};

TEST_F(CombinedFillTest, SharesTheDistanceByFuelAndPutsTheOdometerOnTheLastRecord) {
    SetRecords(table, {FuelWithCost(u"2004/05/01", u"100.0", u"10100.0", u"10.00", u"1000"),
                       FuelWithCost(u"2004/05/02", u"300.0", u"10400.0", u"20.00", u"2,000"),
                       MainteOnly(u"2004/05/03", u"ﾜｲﾊﾟｰ交換:1,500:"),
                       FuelWithCost(u"2004/05/04", u"200.0", u"10600.0", u"30.00", u"3000")});
    table.SetText(3, ColTotalRun, S(u"10500.0"));
    CombinedFill fill(table, 1, 4, 0, false);
    EXPECT_EQ(fill.RefuelCount(), 3);
    EXPECT_FALSE(fill.Refusal());
    EXPECT_EQ(fill.Caution(),
              S(u"2004/05/01 ～ 2004/05/04 までの 3 回の給油ﾃﾞｰﾀを\r\nまとめた燃費として計算します。"));
    EXPECT_EQ(fill.RunText(), S(u"600.0"));
    EXPECT_EQ(fill.TotalRunText(), S(u"10,600.0"));
    EXPECT_EQ(fill.GasText(), S(u"60.00"));
    EXPECT_EQ(fill.EconomyText(), S(u"10.00"));
    EXPECT_EQ(fill.CostText(), S(u"6,000"));

    const FuelRecord mainte = table.At(3);
    ASSERT_TRUE(fill.Apply(table, nullptr));
    EXPECT_EQ(Values(table, ColRun), (QStringList{S(u"100.0"), S(u"200.0"), QString(), S(u"300.0")}));
    EXPECT_EQ(Values(table, ColTotalRun), (QStringList{QString(), QString(), S(u"10500.0"), S(u"10600.0")}));
    EXPECT_EQ(Values(table, ColEconomy), (QStringList{S(u"10.00"), S(u"10.00"), QString(), S(u"10.00")}));
    EXPECT_EQ(Values(table, ColGas), (QStringList{S(u"10.00"), S(u"20.00"), QString(), S(u"30.00")}));
    EXPECT_EQ(table.At(3), mainte);
}

TEST_F(CombinedFillTest, TheLastRecordTakesWhatRoundingLeaves) {
    SetRecords(table, {Record(KindFuel, u"2004/05/01", u"30.0", u"", u"7.00"),
                       Record(KindFuel, u"2004/05/02", u"30.0", u"", u"7.00"),
                       Record(KindFuel, u"2004/05/03", u"30.0", u"", u"7.00")});
    CombinedFill fill(table, 1, 3, 0, false);
    fill.Type(FillField::Run, S(u"100"));
    EXPECT_EQ(fill.RunText(), S(u"100.0"));
    // Typed distances refresh the economy, so that the stored economy matches the stored distances.
    EXPECT_EQ(fill.EconomyText(), S(u"4.76"));
    ASSERT_TRUE(fill.Apply(table, nullptr));
    EXPECT_EQ(Values(table, ColRun), (QStringList{S(u"33.3"), S(u"33.3"), S(u"33.4")}));
    EXPECT_EQ(Values(table, ColEconomy), (QStringList{S(u"4.76"), S(u"4.76"), S(u"4.76")}));
}

TEST_F(CombinedFillTest, LinkedRecalculationFollowsTheDistanceSetting) {
    SetRecords(table, {Record(KindFuel, u"2004/04/01", u"300.0", u"12000.0", u"30.00"),
                       Record(KindMainte, u"2004/04/20", u"", u"12100.0", u""),
                       Record(KindFuel, u"2004/05/01", u"200.0", u"", u"20.00"),
                       Record(KindFuel, u"2004/05/02", u"100.0", u"12300.0", u"10.00")});
    CombinedFill fill(table, 3, 4, 1, false);
    EXPECT_EQ(fill.FirstField(), FillField::Run);
    EXPECT_EQ(fill.Enter(FillField::Run), S(u"300.0"));
    fill.Leave(FillField::Run, S(u"450"));
    EXPECT_EQ(fill.RunText(), S(u"450.0"));
    EXPECT_EQ(fill.TotalRunText(), S(u"12450.0"));  // the maintenance record's reading is passed over
    EXPECT_EQ(fill.EconomyText(), S(u"15.00"));
    // Leaving with the text it had changes nothing.
    fill.Type(FillField::TotalRun, S(u"13000"));
    fill.Type(FillField::Run, S(u"450.0"));
    EXPECT_EQ(fill.TotalRunText(), S(u"13,000.0"));

    CombinedFill backward(table, 3, 4, 2, true);
    EXPECT_EQ(backward.FirstField(), FillField::TotalRun);
    EXPECT_FALSE(backward.Editable(FillField::Run));
    EXPECT_TRUE(backward.Editable(FillField::TotalRun));
    backward.Type(FillField::TotalRun, S(u"12,600"));
    EXPECT_EQ(backward.RunText(), S(u"600.0"));
    EXPECT_EQ(backward.EconomyText(), S(u"20.00"));
    backward.Type(FillField::TotalRun, S(u"0"));  // a zero reading derives nothing
    EXPECT_EQ(backward.RunText(), S(u"600.0"));
    EXPECT_EQ(CombinedFill(table, 3, 4, 1, true).Editable(FillField::TotalRun), false);
}

TEST_F(CombinedFillTest, RefusesWithoutTwoRefuellingsOrWithoutFuel) {
    SetRecords(table, {Record(KindFuel, u"2004/05/01", u"100.0", u"", u""),
                       Record(KindMainte, u"2004/05/02", u"", u"", u""),
                       Record(KindFuel, u"2004/05/03", u"100.0", u"", u"0")});
    CombinedFill one(table, 1, 2, 1, false);
    ASSERT_TRUE(one.Refusal());
    EXPECT_EQ(one.Refusal()->text, S(u"複数の燃費ﾃﾞｰﾀが選択されていません。"));
    EXPECT_FALSE(one.Editable(FillField::Run));

    CombinedFill noFuel(table, 1, 3, 1, false);
    ASSERT_TRUE(noFuel.Refusal());
    EXPECT_EQ(noFuel.Refusal()->caption, S(u"範囲選択ｴﾗｰ"));
    const QStringList runs = Values(table, ColRun);
    RangeRefusal refusal;
    EXPECT_FALSE(noFuel.Apply(table, &refusal));
    EXPECT_EQ(refusal.text, noFuel.Refusal()->text);
    EXPECT_EQ(Values(table, ColRun), runs);
}

TEST(OdometerRecalc, BackwardFromTheLastReadingWithOverwrite) {
    RecordTable table(1000);
    SetRecords(table, {Record(KindFuel, u"2004/05/01", u"300.0", u"1.0", u"30.00"),
                       Record(KindFuel, u"2004/05/10", u"250.0", u"", u"30.00"),
                       Record(KindFuel, u"2004/05/20", u"400.0", u"10,000.0", u"30.00")});
    EXPECT_EQ(OdometerCaution(table, 1, 3), S(u"2004/05/01 ～ 2004/05/20 までの走行距離を再計算します。"));
    OdometerOptions options;
    options.overwrite = true;
    ASSERT_TRUE(RecalcOdometer(table, 1, 3, options, nullptr));
    EXPECT_EQ(Values(table, ColTotalRun), (QStringList{S(u"9350.0"), S(u"9600.0"), S(u"10000.0")}));
}

TEST(OdometerRecalc, ForwardKeepsReadingsThatAreSetUnlessOverwritten) {
    RecordTable table(1000);
    SetRecords(table, {Record(KindFuel, u"2004/05/01", u"300.0", u"9000.0", u"30.00"),
                       Record(KindFuel, u"2004/05/10", u"250.0", u"9280.0", u"30.00"),
                       Record(KindFuel, u"2004/05/20", u"400.0", u"", u"30.00")});
    OdometerOptions options;
    options.forward = true;
    ASSERT_TRUE(RecalcOdometer(table, 1, 3, options, nullptr));
    EXPECT_EQ(Values(table, ColTotalRun), (QStringList{S(u"9000.0"), S(u"9280.0"), S(u"9680.0")}));
    options.overwrite = true;
    ASSERT_TRUE(RecalcOdometer(table, 1, 3, options, nullptr));
    EXPECT_EQ(Values(table, ColTotalRun), (QStringList{S(u"9000.0"), S(u"9250.0"), S(u"9650.0")}));
}

TEST(OdometerRecalc, BackwardRefusalsChangeNothing) {
    RecordTable table(1000);
    SetRecords(table, {Record(KindFuel, u"2004/05/01", u"300.0", u"", u"30.00"),
                       Record(KindMainte, u"2004/05/05", u"", u"", u""),
                       Record(KindFuel, u"2004/05/10", u"250.0", u"", u"30.00")});
    RangeRefusal refusal;
    EXPECT_FALSE(RecalcOdometer(table, 1, 3, {}, &refusal));
    EXPECT_EQ(refusal.caption, S(u"走行距離ｴﾗｰ"));
    EXPECT_EQ(refusal.text, S(u"範囲選択終了ﾃﾞｰﾀの走行距離が入力されていません。"));

    table.SetText(3, ColTotalRun, S(u"9000.0"));
    EXPECT_FALSE(RecalcOdometer(table, 2, 3, {}, &refusal));
    EXPECT_EQ(refusal.caption, S(u"範囲選択ｴﾗｰ"));
    EXPECT_EQ(refusal.text, S(u"複数の燃費ﾃﾞｰﾀが選択されていません。"));
    EXPECT_EQ(Values(table, ColTotalRun), (QStringList{QString(), QString(), S(u"9000.0")}));

    // Forward has no such check: one refuelling recalculates nothing.
    OdometerOptions forward;
    forward.forward = true;
    EXPECT_TRUE(RecalcOdometer(table, 2, 3, forward, nullptr));
    EXPECT_EQ(Values(table, ColTotalRun), (QStringList{QString(), QString(), S(u"9000.0")}));
}

TEST(OdometerRecalc, MaintenanceReadingsAreInterpolatedByDate) {
    RecordTable table(1000);
    SetRecords(table,
               {Record(KindFuel, u"2004/05/01", u"300.0", u"9600.0", u"30.00"),
                Record(KindMainte, u"2004/05/06", u"", u"", u""),
                Record(KindMainte, u"2004/05/11", u"", u"", u""),  // halfway, after the first one is known
                Record(KindFuel, u"2004/05/21", u"400.0", u"10000.0", u"30.00"),
                Record(KindMainte, u"2004/05/21", u"", u"", u""),
                Record(KindFuel, u"2004/05/21", u"10.0", u"10010.0", u"1.00"),
                Record(KindMainte, u"2004/06/01", u"", u"", u"")});
    OdometerOptions options;
    options.maintenance = true;
    ASSERT_TRUE(RecalcOdometer(table, 1, 7, options, nullptr));
    EXPECT_EQ(Values(table, ColTotalRun), (QStringList{S(u"9600.0"), S(u"9700.0"), S(u"9800.0"),
                                                       S(u"10000.0"), QString(), S(u"10010.0"), QString()}));

    // A reading that is set is kept unless overwritten; an impossible date is not interpolated.
    table.SetText(2, ColTotalRun, S(u"9650.0"));
    table.SetText(3, ColDay, S(u"2004/02/30"));
    ASSERT_TRUE(RecalcOdometer(table, 1, 4, options, nullptr));
    EXPECT_EQ(Values(table, ColTotalRun).mid(0, 3), (QStringList{S(u"9600.0"), S(u"9650.0"), S(u"9800.0")}));
    options.overwrite = true;
    table.SetText(3, ColTotalRun, QString());
    ASSERT_TRUE(RecalcOdometer(table, 1, 4, options, nullptr));
    EXPECT_EQ(Values(table, ColTotalRun).mid(0, 3), (QStringList{S(u"9600.0"), S(u"9700.0"), QString()}));
}

}  // namespace
}  // namespace tovrel
