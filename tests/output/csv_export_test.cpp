#include "output/csv_export.h"

#include "data/fuel_record.h"
#include "data/print_forms.h"
#include "data/record_table.h"
#include "output/list_sources.h"
#include "settings/settings.h"
#include "test_support.h"
#include "totals/maintenance_due.h"
#include "totals/period_totals.h"

#include <gtest/gtest.h>

namespace tovrel {
namespace {

using namespace test;

const QString kHeadingLine = QStringLiteral(
    "No.,日  付,曜,時 刻,天気,給油距離,走行距離,給 油,燃費,金 額,単価,燃料種別,スタンド,パターン,"
    "メンテナンス,単価,メンテメモ,ショップ,メ  モ");

PrintForm DefaultForm(int n) {
    PrintForms forms;
    ResetAllPrintForms(forms);
    return forms[n];
}

FuelRecord Record(const QString& day, const QString& time) {
    FuelRecord r;
    r.text[ColDay] = day;
    r.text[ColYobi] = QStringLiteral("土");
    r.text[ColTime] = time;
    return r;
}

class CsvMainList : public ::testing::Test {
protected:
    void Add(const FuelRecord& r) { AppendRecord(table, r); }
    QStringList Lines(const PrintForm& form, bool multi = true) const {
        return BuildCsvLines(form, MainListSource(table), multi);
    }

    RecordTable table{1000};
};

TEST_F(CsvMainList, NoRecordsGivesTitleAndHeadingOnly) {
    EXPECT_EQ(Lines(DefaultForm(1)), QStringList({QStringLiteral("燃費・メンテナンス一覧1"), kHeadingLine}));
}

TEST_F(CsvMainList, ValuesAreTheCellsTrimmedWithoutCommas) {
    FuelRecord r = Record(QStringLiteral("2004/05/01"), QStringLiteral("09:30"));
    r.text[ColWeather] = QStringLiteral("晴れ");
    r.text[ColRun] = QStringLiteral("350.5");
    r.text[ColTotalRun] = QStringLiteral("12345.6");
    r.text[ColGas] = QStringLiteral("30.25");
    r.text[ColEconomy] = QStringLiteral("11.59");
    r.text[ColCost] = QStringLiteral("3500");
    r.text[ColTanka] = QStringLiteral("115.7");
    r.text[ColGasSel] = QStringLiteral("ﾚｷﾞｭﾗｰ");
    r.text[ColStand] = QStringLiteral("駅前");
    r.text[ColPattern] = QStringLiteral("街乗り");
    r.text[ColMainte] = QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換:3,000:5W-30");
    r.text[ColShop] = QStringLiteral("ｵｰﾄ館");
    r.text[ColMemo] = QStringLiteral("安い,早い");
    Add(r);
    Add(Record(QStringLiteral("2004/05/08"), QStringLiteral("  :  ")));
    Add(Record(QStringLiteral("2004/05/09"), QString()));

    const QStringList lines = Lines(DefaultForm(1));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[1], QStringLiteral("2004/05/01～2004/05/09"));
    EXPECT_EQ(lines[2], kHeadingLine);
    EXPECT_EQ(lines[3],
              QStringLiteral("1,2004/05/01,土,09:30,晴れ,350.5,12345.6,30.25,11.59,3500,115.7,ﾚｷﾞｭﾗｰ,駅前,"
                             "街乗り,ｴﾝｼﾞﾝｵｲﾙ交換,3000,5W-30,ｵｰﾄ館,安い早い"));
    EXPECT_EQ(lines[4], QStringLiteral("2,2004/05/08,土,,,,,,,,,,,,,,,,"));
    EXPECT_EQ(lines[5], QStringLiteral("3,2004/05/09,土,,,,,,,,,,,,,,,,"));
}

TEST_F(CsvMainList, MaintenanceLineIsSplitAtItsFirstTwoColons) {
    FuelRecord r = Record(QStringLiteral("2004/05/01"), QStringLiteral("10:00"));
    for (const QString& mainte :
         {QStringLiteral("洗車"), QStringLiteral("ﾜｲﾊﾟｰ交換:1,500"), QStringLiteral("点検:0:a:b")}) {
        r.text[ColMainte] = mainte;
        Add(r);
    }
    PrintForm form = DefaultForm(1);
    for (int row : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 18, 19})
        form.rows[row].mark = QStringLiteral("  ");
    EXPECT_EQ(Lines(form).mid(2),
              QStringList({QStringLiteral("メンテナンス,単価,メンテメモ"), QStringLiteral("洗車,,"),
                           QStringLiteral("ﾜｲﾊﾟｰ交換,1500,"), QStringLiteral("点検,0,a:b")}));
}

TEST_F(CsvMainList, ColumnsFollowTheFormRowsNotTheGrid) {
    FuelRecord r = Record(QStringLiteral("2004/05/01"), QStringLiteral("09:30"));
    r.text[ColCost] = QStringLiteral("12000");
    Add(r);
    PrintForm form = DefaultForm(1);
    for (int row = 1; row <= PrintRowCount; ++row)
        form.rows[row] = DefaultPrintColumn(0, row);
    form.rows[2] =
        NormalizePrintColumn({QStringLiteral("金額"), QStringLiteral("10N"), QStringLiteral("○"),
                              QStringLiteral(" 金,額 "), QStringLiteral("右"), QStringLiteral("10")});
    form.rows[3] = NormalizePrintColumn({QStringLiteral("日付"), QStringLiteral("02D"), QString(),
                                         QStringLiteral("日付"), QString(), QStringLiteral("10")});
    form.rows[5] = NormalizePrintColumn({QStringLiteral("時刻"), QStringLiteral("04T"), QStringLiteral("○"),
                                         QStringLiteral("時刻"), QString(), QStringLiteral("5")});
    form.rows[9] = NormalizePrintColumn({QStringLiteral("日付"), QStringLiteral("02D"), QStringLiteral("○"),
                                         QStringLiteral(" 日付 "), QString(), QStringLiteral("10")});
    EXPECT_EQ(
        Lines(form),
        QStringList({QStringLiteral("燃費・メンテナンス一覧1"), QStringLiteral("2004/05/01～2004/05/01"),
                     QStringLiteral("金.額,時刻,日付"), QStringLiteral("12000,09:30,2004/05/01")}));
}

TEST_F(CsvMainList, PrintMultiGyoWritesContinuationLines) {
    FuelRecord r = Record(QStringLiteral("2004/06/01"), QStringLiteral("08:15"));
    r.text[ColCost] = QStringLiteral("4000");
    r.text[ColMainte] = QStringLiteral("ｵｲﾙ交換:3,000:\r\nﾜｲﾊﾟｰ:1,200:左右\r\n洗車::");
    r.text[ColMemo] = QStringLiteral("一行目\r\n二行目");
    Add(r);
    Add(Record(QStringLiteral("2004/06/02"), QStringLiteral("12:00")));
    PrintForm form = DefaultForm(1);
    // No., 日付, 金額, the maintenance parts and the memo line.
    for (int row : {3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 18})
        form.rows[row].mark = QStringLiteral("  ");

    const QStringList on = Lines(form, true);
    ASSERT_EQ(on.size(), 7);
    EXPECT_EQ(on[2], QStringLiteral("No.,日  付,金 額,メンテナンス,単価,メンテメモ,メ  モ"));
    EXPECT_EQ(on[3], QStringLiteral("1,2004/06/01,4000,ｵｲﾙ交換,3000,,一行目"));
    EXPECT_EQ(on[4], QStringLiteral(",,,ﾜｲﾊﾟｰ,1200,左右,二行目"));
    EXPECT_EQ(on[5], QStringLiteral(",,,洗車,,,"));
    EXPECT_EQ(on[6], QStringLiteral("2,2004/06/02,,,,,"));

    const QStringList off = Lines(form, false);
    ASSERT_EQ(off.size(), 5);
    EXPECT_EQ(off[3], on[3]);
    EXPECT_EQ(off[4], on[6]);

    // Without maintenance columns only the memo continues.
    PrintForm noMainte = form;
    for (int row : {15, 16, 17})
        noMainte.rows[row].mark = QStringLiteral("  ");
    const QStringList memo = Lines(noMainte, true);
    ASSERT_EQ(memo.size(), 6);
    EXPECT_EQ(memo[4], QStringLiteral(",,,二行目"));
}

TEST_F(CsvMainList, LineBreaksInsideAValueDoNotSplitTheLine) {
    FuelRecord r = Record(QStringLiteral("2004/06/01"), QStringLiteral("08:15"));
    r.text[ColMemo] = QStringLiteral("上\r\n下");
    Add(r);
    PrintForm form = DefaultForm(1);
    for (int row = 1; row <= PrintRowCount; ++row)
        form.rows[row] = DefaultPrintColumn(0, row);
    form.rows[1] = NormalizePrintColumn({QStringLiteral("メモ"), QStringLiteral("17S"), QStringLiteral("○"),
                                         QStringLiteral("メモ"), QString(), QStringLiteral("20")});
    const QStringList lines = Lines(form);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[3], QStringLiteral("上 下"));
}

TEST(CsvOtherLists, MaintenanceDueWritesOnlyNamedRows) {
    ListSource source;
    source.grid.rows.append(QStringList(16, QStringLiteral("見出し")));
    QStringList names;
    for (int i = 1; i <= 50; ++i) {
        QStringList row(16);
        if (i % 6 == 1 && names.size() < 8) {
            row[0] = QStringLiteral("  項目") + QString::number(i);
            row[1] = QStringLiteral("  1,825");
            row[14] = QStringLiteral("  期限切れ  ");
            names.append(row[0].trimmed());
        } else {
            row[0] = QStringLiteral("   ");
        }
        source.grid.rows.append(row);
    }
    ASSERT_EQ(names.size(), 8);
    source.rows = RowsWithFirstCell(source.grid);
    ASSERT_EQ(source.rows.size(), 8);

    const QStringList lines = BuildCsvLines(DefaultForm(6), source, true);
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0], QStringLiteral("メンテナンス期限集計一覧1"));
    EXPECT_EQ(lines[1],
              QStringLiteral("メンテナンス,設定日数,最終日付,期限日付,残日数,日数率,設定距離,最終距離,"
                             "期限距離,残距離,距離率,予想日付,区分,期限率,期限警告,メ  モ"));
    EXPECT_EQ(lines[2], names[0] + QStringLiteral(",1825,,,,,,,,,,,,,期限切れ,"));
    EXPECT_TRUE(lines[9].startsWith(names[7] + QLatin1Char(',')));
}

TEST(CsvOtherLists, PeriodLineOneLinePerRowAndUnknownListIds) {
    ListSource source;
    source.grid.rows = {QStringList(12), QStringList({QStringLiteral("2004/01"), QStringLiteral("  2")}),
                        QStringList({QStringLiteral("2004/02"), QString()})};
    // A split ID outside the main list is an ordinary cell.
    PrintForm form = DefaultForm(5);
    form.rows[2].id = QStringLiteral("01a");
    source.rows = {1, 2};
    source.periodStart = QStringLiteral("2004/01");
    source.periodEnd = QStringLiteral("2004/12");
    const QStringList lines = BuildCsvLines(form, source, true);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("期間集計一覧2"));
    EXPECT_EQ(lines[1], QStringLiteral("2004/01～2004/12"));
    EXPECT_EQ(lines[3], QStringLiteral("2004/01,2004/01,,,,,,,,,,"));
    EXPECT_EQ(lines[4], QStringLiteral("2004/02,2004/02,,,,,,,,,,"));

    for (const QString& id : {QStringLiteral("00"), QStringLiteral("08"), QStringLiteral("x")}) {
        form.listId = id;
        EXPECT_TRUE(BuildCsvLines(form, source, true).isEmpty()) << id.toStdString();
    }
}

// Numbers wider than their columns are written with every digit, in each list that has them.
TEST(CsvLongNumbers, MainListDueTableAndPeriodTotalsWriteWholeValues) {
    RecordTable table;
    FuelRecord r = Record(QStringLiteral("2024/05/01"), QString());
    r.text[ColTotalRun] = QStringLiteral("1234567.8");
    r.text[ColCost] = QStringLiteral("9200000000000000000");
    r.text[ColGas] = QStringLiteral("1");
    r.text[ColRun] = QStringLiteral("100");
    AppendRecord(table, r);
    EXPECT_EQ(table.Text(1, ColTotalRun), QStringLiteral("1,234,567.8"));
    const QStringList main = BuildCsvLines(DefaultForm(1), MainListSource(table), false);
    ASSERT_EQ(main.size(), 4);
    EXPECT_TRUE(main[3].contains(QStringLiteral(",1234567.8,"))) << main[3].toStdString();
    EXPECT_TRUE(main[3].contains(QStringLiteral(",9200000000000000000,"))) << main[3].toStdString();

    TextGrid due;
    due.rows.append(QStringList(kDueColumnCount, QStringLiteral("h")));
    QStringList row(kDueColumnCount);
    row[DueColName] = QStringLiteral("A");
    row[DueColLastOdometer] = QStringLiteral("1,234,567");
    row[DueColRemainingDistance] = QStringLiteral("-119,990");
    row[DueColDayRatio] = QStringLiteral("-4081.9%");
    due.rows.append(row);
    const QStringList dueLines = BuildCsvLines(DefaultForm(6), DueTableSource(due), false);
    ASSERT_EQ(dueLines.size(), 3);
    EXPECT_EQ(dueLines[2], QStringLiteral("A,,,,,-4081.9%,,1234567,,-119990,,,,,,"));

    Settings settings;
    const PeriodTotals totals = ComputePeriodTotals(table, settings, QStringLiteral("2024/05"),
                                                    QStringLiteral("2024/05"), 0, QStringLiteral("km"));
    const QStringList period = BuildCsvLines(DefaultForm(4), PeriodTotalsSource(totals), false);
    EXPECT_TRUE(period.join(QLatin1Char('\n')).contains(QStringLiteral("9200000000000000000")))
        << period.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(totals.grid.Cell(1, 5), QStringLiteral("9,200,000,000,000,000,000"));
}

TEST(CsvFile, WrittenAsCp932WithCrLf) {
    RecordTable table(1000);
    FuelRecord r = Record(QStringLiteral("2004/05/01"), QStringLiteral("09:30"));
    r.text[ColWeather] = QStringLiteral("晴れ");
    r.text[ColCost] = QStringLiteral("3500");
    r.text[ColGasSel] = QStringLiteral("ﾊｲｵｸ");
    r.text[ColMainte] = QStringLiteral("ﾀｲﾔ交換:40,000:ｽﾀｯﾄﾞﾚｽ\r\nﾜｲﾊﾟｰ交換:1,500:");
    r.text[ColMemo] = QStringLiteral("～①");
    table.SetRecord(1, r);
    table.SetRecordCount(1);
    TempFolder dir;
    const QString path = dir.file(QStringLiteral("燃費・ﾒﾝﾃﾅﾝｽ一覧1.csv"));
    QString error;
    ASSERT_TRUE(WriteCsvFile(path, BuildCsvLines(DefaultForm(1), MainListSource(table), true), &error))
        << error.toStdString();
    EXPECT_EQ(ReadBytes(path), FixtureBytes(QStringLiteral("csv_main/expected.csv")));
}

}  // namespace
}  // namespace tovrel
