// What imported files become: records through the entry rules, partial and missed fill-ups,
// duplicates, date order, units, the ready formats and the capacity.
#include "calc/import_records.h"

#include "base/text_utils.h"
#include "data/record_table.h"
#include "settings/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace tovrel {
namespace {

using namespace test;

// The figures of a record as one text: kind, day, time, run, odometer, fuel, economy, cost, unit
// price, fuel type, station, maintenance, shop, memo, left out of the average.
QString Figures(const FuelRecord& r) {
    QStringList parts = {QString::number(r.kind)};
    for (int col : {ColDay, ColTime, ColRun, ColTotalRun, ColGas, ColEconomy, ColCost, ColTanka, ColGasSel,
                    ColStand, ColMainte, ColShop, ColMemo})
        parts << QString(r.text[col]).replace(QStringLiteral("\r\n"), QStringLiteral("#"));
    parts << QString::number(r.noneHeikin);
    return parts.join(QLatin1Char('|'));
}

QStringList AllFigures(const ImportPlan& plan) {
    QStringList lines;
    for (const FuelRecord& r : plan.records)
        lines << Figures(r);
    return lines;
}

class ImportRecordsTest : public ::testing::Test {
protected:
    ImportPlan Plan(const QByteArray& bytes, const ImportChoices& choices = {}) {
        ImportFile file;
        QString error;
        EXPECT_TRUE(ReadImportFile(bytes, &file, &error)) << error.toStdString();
        return PlanImport(file, choices, table, ImportCar{settings, runTani, gasTani});
    }
    ImportPlan PlanFixture(const QString& name, const ImportChoices& choices = {}) {
        return Plan(FixtureBytes(QStringLiteral("import/") + name), choices);
    }

    Settings settings;  // TankaCalc 1, tax 5.0 % not included, rounding half away
    int runTani = 0;
    int gasTani = 0;
    RecordTable table{1000};
};

TEST_F(ImportRecordsTest, SpreadsheetWithDecimalCommaPartialFillAndQuotedMemo) {
    const ImportPlan plan = PlanFixture(S(u"spreadsheet_semicolon.csv"));
    ASSERT_TRUE(plan.CanImport());
    EXPECT_EQ(plan.decimalMark, DecimalMark::Comma);
    EXPECT_EQ(plan.dateOrder, DateOrder::Ymd);
    EXPECT_EQ(plan.lines, (QVector<int>{2, 3, 5, 6}));
    // The first fill has no distance and stays out of the average; the unit price comes from the
    // amount with the tax (6075 × 100 / 40.50 / 105 = 142.9); the partial fill of 03/30 and the
    // full fill after it share one economy, 800.0 km over 35.00 L, the partial one losing its
    // odometer as the combined-fill rule does.
    EXPECT_EQ(
        AllFigures(plan),
        (QStringList{
            S(u"0|2024/03/02|||12345.0|40.50||6075|143||Shell||||1"),
            S(u"0|2024/03/16||500.0|12845.0|35.20|14.20|5280|143||ENEOS|||Rain; long trip#back \"home\"|0"),
            S(u"0|2024/03/30||457.1||20.00|22.86|3000|143||ENEOS|||partial|0"),
            S(u"0|2024/04/06||342.9|13645.0|15.00|22.86|2250|143||ENEOS||||0")}));
    EXPECT_EQ(plan.records[1].text[ColYobi], S(u"土"));
}

TEST_F(ImportRecordsTest, JapaneseSheetWithTripDistancesPartialAndMissedFills) {
    const ImportPlan plan = PlanFixture(S(u"cp932_japanese.csv"));
    ASSERT_TRUE(plan.CanImport());
    // Amounts from the unit price with the tax: 30.10 × 160 × 1.05 = 5056.8.
    EXPECT_EQ(AllFigures(plan),
              (QStringList{S(u"0|2024/01/05||420.5||30.10|13.97|5057|160|レギュラー|||||0"),
                           S(u"0|2024/01/19||390.0||28.00|13.93|4763|162|レギュラー|||||0"),
                           S(u"0|2024/02/02||200.7||14.00|14.33|2367|161|レギュラー||||継ぎ足し|0"),
                           S(u"0|2024/02/10||229.3||16.00|14.33|2705|161|レギュラー|||||0"),
                           S(u"0|2024/03/01||600.0||30.00|20.00|5009|159|レギュラー||||一回記録し忘れ|1")}));
    ASSERT_EQ(plan.rejected.size(), 1);
    EXPECT_EQ(plan.rejected[0].line, 7);
    EXPECT_EQ(plan.rejected[0].reason, S(u"「給油距離」が数値ではありません（abc）"));
}

TEST_F(ImportRecordsTest, PartialFillsAtTheEndAndAfterAMissedFillStayOutOfTheAverage) {
    const ImportPlan plan =
        Plan(QByteArrayLiteral("date,odometer,litres,partial,missed\n"
                               "2024-01-01,1000,30,0,0\n"
                               "2024-01-10,1300,10,1,0\n"
                               "2024-01-20,1600,20,0,1\n"
                               "2024-01-30,1900,30,0,0\n"
                               "2024-02-10,2200,10,1,0\n"));
    ASSERT_EQ(plan.records.size(), 5);
    QVector<int> excluded;
    for (const FuelRecord& r : plan.records)
        excluded << r.noneHeikin;
    // The first has no distance, the tank of the missed fill-up is out together, the last one is
    // still partial.
    EXPECT_EQ(excluded, (QVector<int>{1, 1, 1, 0, 1}));
    EXPECT_EQ(plan.records[1].Economy(), plan.records[2].Economy());
    EXPECT_EQ(plan.records[3].Economy(), S(u"10.00"));
}

TEST_F(ImportRecordsTest, DistancesFollowTheLogsRecordsAndDuplicatesAreSkipped) {
    SetRecords(table, {Record(KindFuel, u"2024/03/01", u"", u"12000.0", u"30.00")});
    const QByteArray file = QByteArrayLiteral(
        "date,odometer,fuel,cost\n"
        "2024-03-05,12400,40,6000\n"
        "2024-02-20,11600,30,4500\n"
        "2024-03-01,12000,30,4400\n"    // in the log
        "2024-03-05,12400,40,6000\n");  // earlier in the file
    const ImportPlan plan = Plan(file);
    EXPECT_EQ(plan.duplicates, 2);
    ASSERT_EQ(plan.records.size(), 2);
    EXPECT_EQ(plan.records[0].Run(), S(u"400.0"));  // from the log's 12000.0
    EXPECT_TRUE(plan.records[1].Run().isEmpty());   // nothing before it
    QString refusal;
    ASSERT_TRUE(ApplyImport(table, plan, &refusal));
    EXPECT_EQ(table.RecordCount(), 3);
    EXPECT_EQ(table.Text(1, ColDay), S(u"2024/02/20"));

    // A second import of the same file adds nothing.
    const ImportPlan again = Plan(file);
    EXPECT_EQ(again.records.size(), 0);
    EXPECT_EQ(again.duplicates, 4);
}

TEST_F(ImportRecordsTest, SecondImportOfPartialFillsFindsThemWithoutTheirOdometer) {
    QString refusal;
    ASSERT_TRUE(ApplyImport(table, PlanFixture(S(u"spreadsheet_semicolon.csv")), &refusal));
    EXPECT_TRUE(StripGrouping(table.Text(3, ColTotalRun)).isEmpty());
    const ImportPlan again = PlanFixture(S(u"spreadsheet_semicolon.csv"));
    EXPECT_EQ(again.records.size(), 0);
    EXPECT_EQ(again.duplicates, 4);
}

TEST_F(ImportRecordsTest, AmbiguousDateOrderIsAskedNotGuessed) {
    const ImportPlan asked = PlanFixture(S(u"ambiguous_dates.csv"));
    EXPECT_TRUE(asked.needsDateOrder);
    EXPECT_FALSE(asked.CanImport());
    EXPECT_TRUE(asked.records.isEmpty());
    EXPECT_TRUE(ImportSummaryLines(asked).last().contains(S(u"並びを指定してください")));

    ImportChoices choices;
    choices.dates = DateOrder::Dmy;
    const ImportPlan dmy = PlanFixture(S(u"ambiguous_dates.csv"), choices);
    ASSERT_TRUE(dmy.CanImport());
    EXPECT_EQ(dmy.records[0].Day(), S(u"2024/02/01"));
    choices.dates = DateOrder::Mdy;
    EXPECT_EQ(PlanFixture(S(u"ambiguous_dates.csv"), choices).records[0].Day(), S(u"2024/01/02"));
    // A day above 12 anywhere in the column settles it.
    EXPECT_EQ(Plan(QByteArrayLiteral("date,fuel\n01/02/2024,30\n25/02/2024,30\n")).dateOrder, DateOrder::Dmy);
}

TEST_F(ImportRecordsTest, MilesAndGallonsBecomeTheCarsUnits) {
    const ImportPlan plan = PlanFixture(S(u"us_mdy_gallons.csv"));
    ASSERT_TRUE(plan.CanImport());
    EXPECT_EQ(plan.dateOrder, DateOrder::Mdy);
    EXPECT_EQ(plan.distance, DistanceUnit::Mile);
    EXPECT_EQ(plan.volume, VolumeUnit::UsGallon);
    ASSERT_EQ(plan.records.size(), 3);
    EXPECT_EQ(plan.records[0].TotalRun(), S(u"16093.4"));  // 10000 mi
    EXPECT_EQ(plan.records[0].Gas(), S(u"39.75"));         // 10.5 US gal
    EXPECT_EQ(plan.records[0].Time(), S(u"08:15"));
    EXPECT_EQ(plan.records[1].Run(), S(u"482.8"));  // 300 mi
    // "10,5" in a comma-separated file is no number: rejected, and the next fill, whose distance
    // would span two fills, is left out of the average.
    ASSERT_EQ(plan.rejected.size(), 1);
    EXPECT_EQ(plan.rejected[0].line, 4);
    ASSERT_EQ(plan.warnings.size(), 1);
    EXPECT_EQ(plan.warnings[0].line, 5);
    EXPECT_EQ(plan.records[2].noneHeikin, 1);

    // A car kept in miles and gallons takes the figures as they are.
    runTani = 1;
    gasTani = 1;
    const ImportPlan same = PlanFixture(S(u"us_mdy_gallons.csv"));
    EXPECT_EQ(same.records[0].TotalRun(), S(u"10000.0"));
    EXPECT_EQ(same.records[0].Gas(), S(u"10.50"));
    // The file's units can be named when the headings do not say them.
    ImportChoices choices;
    choices.distance = DistanceUnit::Km;
    EXPECT_EQ(PlanFixture(S(u"us_mdy_gallons.csv"), choices).records[0].TotalRun(), S(u"6213.7"));
}

TEST_F(ImportRecordsTest, RoadTripColumnsWithExpenseAndTripRows) {
    const ImportPlan plan = PlanFixture(S(u"road_trip.csv"));
    EXPECT_EQ(plan.format, S(u"roadtrip"));
    EXPECT_EQ(AllFigures(plan),
              (QStringList{S(u"0|2024/05/01|09:30||45000.0|42.10||6947|165||||||1"),
                           S(u"0|2024/05/15|18:00|520.0|45520.0|38.00|13.68|6270|157||||||0"),
                           S(u"1|2024/05/20|||45700.0|||4400||||Oil Change:4,400:|||0"),
                           S(u"0|2024/06/01||480.0|46000.0|36.50|13.15|6515|170||||||0")}));
    ASSERT_EQ(plan.rejected.size(), 1);
    EXPECT_EQ(plan.rejected[0].reason, S(u"給油でも整備でもない行です（trip）"));
}

TEST_F(ImportRecordsTest, CarCareExportWithUnitsPerRowAndAReset) {
    const ImportPlan plan = PlanFixture(S(u"car_care.tsv"));
    EXPECT_EQ(plan.format, S(u"carcare"));
    ASSERT_EQ(plan.records.size(), 4);
    EXPECT_EQ(plan.records[0].Gas(), S(u"38.23"));  // 10.1 gal
    EXPECT_EQ(plan.records[1].Gas(), S(u"38.20"));  // 38.2 L
    EXPECT_EQ(plan.records[1].Time(), S(u"11:31"));
    EXPECT_EQ(plan.records[1].GasSel(), S(u"Regular"));
    // The service row: its price is the total, its subtype the job's memo.
    EXPECT_EQ(Figures(plan.records[2]),
              S(u"1|2008/09/20|10:00||10700.0|||40||||Oil Change:40:10W-30||dealer|0"));
    EXPECT_EQ(plan.records[3].noneHeikin, 1);  // Reset: a fill-up was missed
}

TEST_F(ImportRecordsTest, ThisProgramsCsvReadsBackAsTheLogHeldIt) {
    const ImportPlan plan = Plan(FixtureBytes(S(u"cli/csv1_file/expected/out/main.csv")));
    EXPECT_EQ(plan.format, S(u"tovrel"));
    EXPECT_EQ(
        AllFigures(plan),
        (QStringList{S(u"0|2004/05/01|08:30|412.3|25012.0|30.12|13.69|3615|120|レギュラー|スタンドＡ|||"
                       u"|0"),
                     S(u"1|2004/05/03|||25100.0|||5400||||ｴﾝｼﾞﾝｵｲﾙ交換:4,000:#ｵｲﾙｴﾚﾒﾝﾄ交換:1,400:純正品|"
                       u"ショップＡ|交換後に試運転#異常なし|0")}));
    EXPECT_EQ(plan.records[0].text[ColWeather], S(u"晴れ"));
    EXPECT_EQ(plan.records[0].text[ColPattern], S(u"通勤"));
}

TEST_F(ImportRecordsTest, ColumnsCanBeMappedByHand) {
    const QByteArray file = QByteArrayLiteral("when,how much,paid\n2024-01-01,30,4500\n");
    EXPECT_FALSE(Plan(file).error.isEmpty());
    ImportChoices choices;
    choices.columns = {{ImportField::Date}, {ImportField::Quantity}, {ImportField::Cost}};
    const ImportPlan plan = Plan(file, choices);
    ASSERT_TRUE(plan.CanImport()) << plan.error.toStdString();
    EXPECT_EQ(plan.records[0].Gas(), S(u"30.00"));
    EXPECT_EQ(plan.records[0].Cost(), S(u"4500"));
}

TEST_F(ImportRecordsTest, TooManyRecordsForTheCapacityAreRefusedBeforeAnythingChanges) {
    QVector<FuelRecord> records;
    for (int i = 0; i < 995; ++i)
        records << Record(KindFuel, DateToText(QDate(2000, 1, 1).addDays(i)), u"", u"", u"30.00");
    SetRecords(table, records);
    QByteArray file("date,fuel\n");
    for (int i = 0; i < 10; ++i)
        file += DateToText(QDate(2010, 1, 1).addDays(i)).toUtf8() + ",30\n";
    const ImportPlan plan = Plan(file);
    ASSERT_EQ(plan.records.size(), 10);
    QString refusal;
    EXPECT_FALSE(ApplyImport(table, plan, &refusal));
    EXPECT_EQ(refusal,
              S(u"取り込むと1005件になり、登録できる1000件を超えます。\n（登録済み995件＋取り込み10件）\n"
                u"ﾃﾞｰﾀは取り込んでいません。"));
    EXPECT_EQ(table.RecordCount(), 995);
    EXPECT_TRUE(table.At(996).IsEmpty());
}

TEST_F(ImportRecordsTest, SummaryNamesWhatWasReadAndEachRejectedRow) {
    const QStringList lines = ImportSummaryLines(PlanFixture(S(u"road_trip.csv")));
    EXPECT_EQ(lines,
              (QStringList{S(u"文字コード: UTF-8"), S(u"区切り文字: カンマ"), S(u"形式: Road Trip CSV"),
                           S(u"見出し行: 1行目"), S(u"小数点: ピリオド"), S(u"日付の並び: 年/月/日"),
                           S(u"取り込み: 4件"), S(u"重複のためスキップ: 0件"), S(u"取り込めない行: 1件"),
                           S(u"5行目: 給油でも整備でもない行です（trip）")}));
}

}  // namespace
}  // namespace tovrel
