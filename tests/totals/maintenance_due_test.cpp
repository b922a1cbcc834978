#include "totals/maintenance_due.h"

#include "base/text_utils.h"
#include "data/record_table.h"
#include "settings/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace tovrel {
namespace {

using namespace test;

FuelRecord Rec(const QString& day, const QString& totalRun, const QString& mainte = QString()) {
    FuelRecord r;
    r.kind = mainte.isEmpty() ? KindFuel : KindMainte;
    r.text[ColDay] = day;
    r.text[ColTotalRun] = totalRun;
    r.text[ColMainte] = mainte;
    return r;
}

void WriteLog(const TempFolder& folder, int car, const QVector<FuelRecord>& records) {
    QStringList lines;
    for (int i = 0; i < records.size(); ++i)
        lines.append(LogLine(i + 1, records[i]));
    WriteLogFile(folder.path(), car, lines);
}

class DueTest : public ::testing::Test {
protected:
    DueTable Compute(const QDate& today = QDate(2024, 6, 8)) {
        RecordTable table(settings.Capacity);
        SetRecords(table, records);
        int steps = 0;
        DueTable due = ComputeDue(table, mainte, carInfo, settings, runTani, today, [&] { ++steps; });
        EXPECT_EQ(steps, kMainteCount);
        return due;
    }

    Settings settings;
    MainteSettings mainte;
    CarInfo carInfo;
    QVector<FuelRecord> records;
    int runTani = 0;
};

TEST_F(DueTest, DayIntervalGivesDueDateRemainingDaysAndRatio) {
    mainte[1] = MainteItem(QStringLiteral("*ｴﾝｼﾞﾝｵｲﾙ交換"), 0, 180);
    mainte[1].memo = QStringLiteral("0W-20");
    records = {Rec(QStringLiteral("2024/01/10"), QString(), QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換:3,000:"))};
    const DueTable due = Compute();
    const DueRow& row = due.rows[1];
    const std::array<QString, 16> expected = {QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換"),
                                              QStringLiteral("     180"),
                                              QStringLiteral("2024/01/10"),
                                              QStringLiteral("2024/07/08"),
                                              QStringLiteral("    30"),
                                              QStringLiteral(" 83.3%"),
                                              QString(),
                                              QString(),
                                              QString(),
                                              QString(),
                                              QString(),
                                              QString(),
                                              QStringLiteral("日数"),
                                              QStringLiteral(" 83.3%"),
                                              QStringLiteral("もうそろそろ"),
                                              QStringLiteral("0W-20")};
    EXPECT_EQ(row.cells, expected);
    EXPECT_EQ(row.level, 3);
    EXPECT_FALSE(row.byDistance);
    EXPECT_EQ(row.pattern, QStringLiteral("%s期限の日数が、%s（残り：30日：%s）です。"));
}

TEST_F(DueTest, DistanceIntervalWithPredictedDatesAndStatus) {
    mainte[1] = MainteItem(QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換"), 5000, 0);
    mainte[2] = MainteItem(QStringLiteral("ｵｲﾙｴﾚﾒﾝﾄ交換"), 10000, 0);
    records = {Rec(QStringLiteral("2024/01/01"), QStringLiteral("40000"),
                   QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換:3,000:\r\nｵｲﾙｴﾚﾒﾝﾄ交換:1,400:純正品")),
               Rec(QStringLiteral("2024/01/21"), QStringLiteral("45200"))};
    const DueTable due = Compute(QDate(2024, 1, 21));
    EXPECT_DOUBLE_EQ(due.averagePerDay, 260.0);
    EXPECT_EQ(due.latestOdometer, 45200);

    // Overdue: the prediction comes from the last date, not from the latest reading.
    const DueRow& oil = due.rows[1];
    EXPECT_EQ(oil.cells[DueColLastOdometer], QStringLiteral("  40,000"));
    EXPECT_EQ(oil.cells[DueColDueOdometer], QStringLiteral("  45,000"));
    EXPECT_EQ(oil.cells[DueColRemainingDistance], QStringLiteral("   -200"));
    EXPECT_EQ(oil.cells[DueColDistanceRatio], QStringLiteral("104.0%"));
    EXPECT_EQ(oil.cells[DueColPredictedDate], QStringLiteral("2024/01/20"));
    EXPECT_EQ(oil.cells[DueColCriterion], QStringLiteral("距離"));
    EXPECT_EQ(oil.cells[DueColLevelName], QStringLiteral("すぎちゃった"));
    EXPECT_EQ(oil.level, 1);
    EXPECT_EQ(oil.pattern, QStringLiteral("%s期限の走行距離が、%s（残り：-200km：%s）です。"));
    EXPECT_TRUE(oil.cells[DueColDayInterval].isEmpty());

    // Not yet due: predicted from the latest reading, 4,800 km at 260 km a day.
    const DueRow& element = due.rows[2];
    EXPECT_EQ(element.cells[DueColDistanceRatio], QStringLiteral(" 52.0%"));
    EXPECT_EQ(element.cells[DueColPredictedDate], QStringLiteral("2024/02/08"));
    EXPECT_EQ(element.cells[DueColLevelName], QStringLiteral("  まだまだ"));
    EXPECT_EQ(element.level, 4);

    EXPECT_EQ(due.levelCounts, (std::array<int, 4>{0, 1, 0, 0}));
    EXPECT_EQ(due.status,
              QStringLiteral("最終走行距離：45,200km  すぎちゃった：1件  もうすぐ：0件  もうそろそろ：0件  "
                             "平均走行距離（最近10回の平均）：7,800km/月（260.0km/日）"));
}

TEST_F(DueTest, AverageUsesTheElevenNewestReadings) {
    records.append(Rec(QStringLiteral("2023/01/01"), QStringLiteral("1000")));
    for (int i = 0; i < 11; ++i) {
        records.append(Rec(DateToText(QDate(2024, 1, 1).addDays(10 * i)), QString::number(40000 + 100 * i)));
        records.append(Rec(DateToText(QDate(2024, 1, 2).addDays(10 * i)), QString()));  // no reading
    }
    EXPECT_DOUBLE_EQ(Compute().averagePerDay, 10.0);
}

TEST_F(DueTest, NoAverageWithoutTwoReadingsOnDifferentDays) {
    mainte[1] = MainteItem(QStringLiteral("ｵｲﾙ"), 5000, 0);
    runTani = 1;
    records = {Rec(QStringLiteral("2024/01/01"), QStringLiteral("40000"), QStringLiteral("ｵｲﾙ::"))};
    DueTable due = Compute();
    EXPECT_EQ(due.averagePerDay, 0);
    EXPECT_TRUE(due.rows[1].cells[DueColPredictedDate].isEmpty());
    EXPECT_TRUE(due.status.endsWith(QStringLiteral("：0Mil/月（0.0Mil/日）")));

    records.append(Rec(QStringLiteral("2024/01/01"), QStringLiteral("40300")));
    due = Compute();
    EXPECT_EQ(due.averagePerDay, 0);
    EXPECT_TRUE(due.rows[1].cells[DueColPredictedDate].isEmpty());
}

TEST_F(DueTest, LevelBoundaries) {
    EXPECT_EQ(DueLevel(1.0, settings), 2);  // exactly 100.0 % is not yet overdue
    EXPECT_EQ(DueLevel(1.0004, settings), 2);
    EXPECT_EQ(DueLevel(1.0006, settings), 1);
    EXPECT_EQ(DueLevel(0.9, settings), 3);
    EXPECT_EQ(DueLevel(0.9006, settings), 2);
    EXPECT_EQ(DueLevel(0.8, settings), 4);
    EXPECT_EQ(DueLevel(-0.5, settings), 4);
    settings.Warning2Level = 50;
    settings.Warning3Level = 20;
    EXPECT_EQ(DueLevel(0.6, settings), 2);
    EXPECT_EQ(DueLevel(0.3, settings), 3);

    // Through the table: 90 of 100 days and 100 of 100 days used.
    settings = Settings();
    mainte[1] = MainteItem(QStringLiteral("A"), 0, 100);
    mainte[2] = MainteItem(QStringLiteral("B"), 0, 100);
    records = {Rec(QStringLiteral("2024/02/29"), QString(), QStringLiteral("B::")),
               Rec(QStringLiteral("2024/03/10"), QString(), QStringLiteral("A::"))};
    const DueTable due = Compute();
    EXPECT_EQ(due.rows[1].cells[DueColDueRatio], QStringLiteral(" 90.0%"));
    EXPECT_EQ(due.rows[1].level, 3);
    EXPECT_EQ(due.rows[2].cells[DueColDueRatio], QStringLiteral("100.0%"));
    EXPECT_EQ(due.rows[2].level, 2);
    EXPECT_EQ(due.rows[2].cells[DueColLevelName], QStringLiteral("  もうすぐ"));
}

TEST_F(DueTest, RatioIsCappedAt999Point9Percent) {
    mainte[1] = MainteItem(QStringLiteral("ﾀｲﾔ空気圧調整"), 0, 10);
    records = {Rec(QStringLiteral("2020/01/01"), QString(), QStringLiteral("ﾀｲﾔ空気圧調整::"))};
    const DueTable due = Compute();
    const DueRow& row = due.rows[1];
    EXPECT_DOUBLE_EQ(row.dayRatio, 9.999);
    EXPECT_EQ(row.cells[DueColDayRatio], QStringLiteral("999.9%"));
    EXPECT_EQ(row.cells[DueColRemainingDays], QStringLiteral("-1,610"));
    EXPECT_EQ(row.level, 1);
}

TEST_F(DueTest, NegativeRatioKeepsItsSign) {
    // A seeded odometer above every reading leaves more than the interval to go.
    mainte[1] = MainteItem(QStringLiteral("ｵｲﾙ"), 5000, 0);
    carInfo.NousyaDate = QStringLiteral("2024/01/01");
    carInfo.NousyaRun = QStringLiteral("20000");
    carInfo.MainteCheck[1] = 1;
    records = {Rec(QStringLiteral("2024/02/01"), QStringLiteral("8000"))};
    const DueTable due = Compute();
    const DueRow& row = due.rows[1];
    EXPECT_EQ(row.cells[DueColRemainingDistance], QStringLiteral(" 17,000"));
    EXPECT_EQ(row.cells[DueColDistanceRatio], QStringLiteral("-240.0%"));
    EXPECT_EQ(row.level, 0);  // due ratio max(0, -2.4) is 0: nothing to warn about
}

// Values wider than their columns: every digit, sign and "%" stays in the grid the window, the CSV and
// the print read.
TEST_F(DueTest, LongNumbersKeepEveryDigitInTheGrid) {
    mainte[1] = MainteItem(QStringLiteral("A"), 10, 0);
    mainte[2] = MainteItem(QStringLiteral("B"), 5000, 0);
    mainte[3] = MainteItem(QStringLiteral("C"), 0, 10);
    records = {Rec(QStringLiteral("2024/01/01"), QStringLiteral("1"), QStringLiteral("A::")),
               Rec(QStringLiteral("2024/02/01"), QStringLiteral("1234567"), QStringLiteral("B::")),
               Rec(QStringLiteral("2024/03/01"), QStringLiteral("120001")),
               Rec(QStringLiteral("2025/07/25"), QString(), QStringLiteral("C::"))};
    const TextGrid grid = ApplySort(Compute(), 0);
    EXPECT_EQ(grid.Cell(1, DueColRemainingDistance), QStringLiteral("-119,990"));
    EXPECT_EQ(grid.Cell(1, DueColDistanceRatio), QStringLiteral("999.9%"));
    EXPECT_EQ(grid.Cell(2, DueColLastOdometer), QStringLiteral("1,234,567"));
    EXPECT_EQ(grid.Cell(2, DueColDueOdometer), QStringLiteral("1,239,567"));
    EXPECT_EQ(grid.Cell(2, DueColRemainingDistance), QStringLiteral("1,119,566"));
    EXPECT_EQ(grid.Cell(2, DueColDistanceRatio), QStringLiteral("-22291.3%"));
    EXPECT_EQ(grid.Cell(3, DueColRemainingDays), QStringLiteral("   422"));
    EXPECT_EQ(grid.Cell(3, DueColDayRatio), QStringLiteral("-4120.0%"));
}

TEST_F(DueTest, FirstItemOfANameTakesTheJobAndBlanksAroundTheLineItemAreIgnored) {
    mainte[1] = MainteItem(QStringLiteral("ﾀｲﾔ交換"), 0, 365);
    mainte[3] = MainteItem(QStringLiteral("*ﾀｲﾔ交換 "), 0, 365);
    records = {Rec(QStringLiteral("2024/01/10"), QStringLiteral("30000"),
                   QStringLiteral("  ﾀｲﾔ交換  :40,000:ｽﾀｯﾄﾞﾚｽ\r\n:500:\r\n未登録の作業:1:"))};
    const DueTable due = Compute();
    EXPECT_EQ(due.rows[1].lastDate, QStringLiteral("2024/01/10"));
    EXPECT_EQ(due.rows[1].lastOdometer, 30000);
    EXPECT_EQ(due.rows[3].Name(), QStringLiteral("ﾀｲﾔ交換"));
    EXPECT_TRUE(due.rows[3].lastDate.isEmpty());
    EXPECT_TRUE(due.rows[3].cells[DueColLastDate].isEmpty());
    EXPECT_EQ(due.rows[3].level, 0);
}

TEST_F(DueTest, DeliverySeedUntilALaterJob) {
    mainte[1] = MainteItem(QStringLiteral("ｵｲﾙ"), 5000, 365);
    mainte[2] = MainteItem(QStringLiteral("車検"), 0, 730);
    mainte[3] = MainteItem(QStringLiteral("ﾜｲﾊﾟｰ"), 0, 180);
    carInfo.NousyaDate = QStringLiteral("2023/04/01");
    carInfo.NousyaRun = QStringLiteral("12345.5");
    carInfo.MainteCheck[1] = carInfo.MainteCheck[2] = 1;
    records = {Rec(QStringLiteral("2023/10/01"), QStringLiteral("15000"), QStringLiteral("車検:90,000:"))};
    DueTable due = Compute();
    EXPECT_EQ(due.rows[1].cells[DueColLastDate], QStringLiteral("2023/04/01"));
    EXPECT_EQ(due.rows[1].lastOdometer, 12346);
    EXPECT_EQ(due.rows[1].cells[DueColDueOdometer], QStringLiteral("  17,346"));
    EXPECT_EQ(due.rows[2].lastDate, QStringLiteral("2023/10/01"));  // the record's job replaces the seed
    EXPECT_EQ(due.rows[2].lastOdometer, 15000);
    EXPECT_TRUE(due.rows[3].lastDate.isEmpty());

    carInfo.NousyaDate = QStringLiteral("    /  /  ");
    due = Compute();
    EXPECT_TRUE(due.rows[1].lastDate.isEmpty());
    EXPECT_EQ(due.rows[1].lastOdometer, 0);
    EXPECT_EQ(due.rows[1].level, 0);
}

TEST_F(DueTest, InvalidDateIsReportedOnceAndCountsAsDayZero) {
    RecordingPrompter prompter;
    mainte[1] = MainteItem(QStringLiteral("ｵｲﾙ"), 0, 180);
    mainte[2] = MainteItem(QStringLiteral("ｴﾚﾒﾝﾄ"), 0, 365);
    records = {Rec(QStringLiteral("2024/02/30"), QString(), QStringLiteral("ｵｲﾙ::\r\nｴﾚﾒﾝﾄ::"))};
    const DueTable due = Compute();
    ASSERT_EQ(prompter.prompts.size(), 1);
    EXPECT_EQ(prompter.prompts[0].caption, QStringLiteral("日付ｴﾗｰ"));
    EXPECT_EQ(due.rows[1].cells[DueColLastDate], QStringLiteral("2024/02/30"));
    EXPECT_EQ(due.rows[1].cells[DueColDueDate], QStringLiteral("1900/06/28"));
    EXPECT_EQ(due.rows[1].level, 1);
}

class DueForCarTest : public ::testing::Test {
protected:
    void SetUp() override {
        book.dataFolder = folder.path();
        book.lists.Car[1] = QStringLiteral("*私の愛車");
        book.lists.Car[2] = QStringLiteral("セカンド");
        book.currentCar = 1;
        book.mainte[1] = MainteItem(QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換"), 5000, 180);
        book.mainte[2] = MainteItem(QStringLiteral("ﾜｲﾊﾟｰ交換"), 0, 180, false);
        book.mainte[3] = MainteItem(QStringLiteral("冷却水交換"), 0, 730);
        settings.RunTani[2] = 1;
    }

    TempFolder folder;
    CarBook book;
    Settings settings;
};

TEST_F(DueForCarTest, ReadsTheCarsLogAndCarInformation) {
    WriteBytes(folder.path(), QStringLiteral("CarInfo02.dat"),
               SjisLines({QStringLiteral("[MyCarInfo]"), QStringLiteral("NousyaDate=2023/06/01"),
                          QStringLiteral("NousyaRun=100"), QStringLiteral("MainteCheck=0,0,1,")}));
    WriteLog(folder, 2,
             {Rec(QStringLiteral("2024/01/10"), QStringLiteral("40000"),
                  QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換:3000:\r\nﾜｲﾊﾟｰ交換:1500:")),
              Rec(QStringLiteral("2024/02/10"), QStringLiteral("45200"))});
    int steps = 0;
    const DueTable due = ComputeDueForCar(book, settings, 2, QDate(2024, 6, 8), [&] { ++steps; });
    EXPECT_EQ(steps, kMainteCount);
    EXPECT_EQ(book.currentCar, 1);
    EXPECT_EQ(due.unitName, QStringLiteral("Mil"));
    EXPECT_EQ(due.averagePerDay, 0);
    EXPECT_EQ(due.latestOdometer, 45200);
    EXPECT_EQ(due.latestDate, QStringLiteral("2024/02/10"));

    const DueRow& oil = due.rows[1];
    EXPECT_TRUE(oil.cells[DueColPredictedDate].isEmpty());
    EXPECT_TRUE(oil.byDistance);
    EXPECT_EQ(oil.pattern, QStringLiteral("%s期限の走行距離が、%s（残り：-200Mil：%s）です。"));
    EXPECT_EQ(oil.cells[DueColDayRatio], QStringLiteral(" 83.3%"));
    EXPECT_EQ(due.rows[2].cells[DueColLastDate], QStringLiteral("2024/01/10"));
    EXPECT_EQ(due.rows[3].cells[DueColLastDate], QStringLiteral("2023/06/01"));  // seeded at delivery
    EXPECT_EQ(due.rows[3].cells[DueColLastOdometer], QStringLiteral("     100"));

    // Counted as the start-up warnings count: item 2 (level 3) has no warning flag and level 3 is off.
    EXPECT_EQ(due.rows[2].level, 3);
    EXPECT_EQ(due.rows[3].level, 4);
    EXPECT_EQ(due.levelCounts, (std::array<int, 4>{0, 1, 0, 0}));
}

TEST_F(DueForCarTest, MissingFilesLeaveItemsWithoutLastService) {
    const DueTable due = ComputeDueForCar(book, settings, 3, QDate(2024, 6, 8));
    for (int k = 1; k <= kMainteCount; ++k)
        EXPECT_TRUE(due.rows[k].lastDate.isEmpty()) << k;
    EXPECT_EQ(due.rows[1].Name(), QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換"));
    EXPECT_EQ(due.unitName, QStringLiteral("km"));
}

TEST_F(DueForCarTest, PerCarMaintenanceSettings) {
    settings.MainteSelect = true;
    WriteBytes(folder.path(), QStringLiteral("Mainte02.dat"),
               SjisLines({QStringLiteral("[Mainte]"), QStringLiteral("01=ﾊﾞｯﾃﾘｰ交換"),
                          QStringLiteral("[MainteSetting]"), QStringLiteral("01=0,0,1,1100,0,純正,")}));
    DueTable due = ComputeDueForCar(book, settings, 2, QDate(2024, 6, 8));
    EXPECT_EQ(due.rows[1].Name(), QStringLiteral("ﾊﾞｯﾃﾘｰ交換"));
    EXPECT_EQ(due.rows[1].cells[DueColDayInterval], QStringLiteral("   1,100"));
    EXPECT_EQ(due.rows[1].cells[DueColMemo], QStringLiteral("純正"));
    EXPECT_FALSE(due.rows[1].startupWarning);
    EXPECT_TRUE(due.rows[2].Name().isEmpty());

    // A car without its own file falls back to the shared settings.
    due = ComputeDueForCar(book, settings, 1, QDate(2024, 6, 8));
    EXPECT_EQ(due.rows[1].Name(), QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換"));
}

DueTable NamedRows(int count) {
    DueTable t;
    for (int k = 1; k <= count; ++k)
        t.rows[k].cells[DueColName] = QStringLiteral("item%1").arg(k);
    return t;
}

TEST(DueSortTest, RemainingDaysAscendingThenBlankThenUnnamed) {
    DueTable t = NamedRows(4);
    t.rows[2].cells[DueColRemainingDays] = QStringLiteral("    12");
    t.rows[3].cells[DueColRemainingDays] = QStringLiteral("    -5");
    t.rows[4].cells[DueColRemainingDays] = QStringLiteral("    12");
    const auto order = SortOrder(t, 1);
    EXPECT_EQ(order[0], 3);
    EXPECT_EQ(order[1], 2);
    EXPECT_EQ(order[2], 4);  // equal values keep the setting order
    EXPECT_EQ(order[3], 1);
    for (int i = 4; i < kMainteCount; ++i)
        EXPECT_TRUE(t.rows[order[i]].Name().isEmpty());
}

TEST(DueSortTest, RatiosDescendingDatesAndDistancesAscending) {
    DueTable t = NamedRows(4);
    t.rows[1].cells[DueColDueRatio] = QStringLiteral(" 83.3%");
    t.rows[2].cells[DueColDueRatio] = QStringLiteral("-50.0%");
    t.rows[3].cells[DueColDueRatio] = QStringLiteral("999.9%");
    auto order = SortOrder(t, 6);
    EXPECT_EQ((std::array<int, 4>{order[0], order[1], order[2], order[3]}), (std::array<int, 4>{3, 1, 2, 4}));

    t.rows[1].cells[DueColPredictedDate] = QStringLiteral("2024/03/01");
    t.rows[4].cells[DueColPredictedDate] = QStringLiteral("2023/12/31");
    order = SortOrder(t, 5);
    EXPECT_EQ((std::array<int, 3>{order[0], order[1], order[2]}), (std::array<int, 3>{4, 1, 2}));

    t.rows[2].cells[DueColRemainingDistance] = QStringLiteral(" 1,200.5");
    t.rows[3].cells[DueColRemainingDistance] = QStringLiteral("   -200");
    t.rows[4].cells[DueColRemainingDistance] = QStringLiteral("    800");
    order = SortOrder(t, 3);
    EXPECT_EQ((std::array<int, 4>{order[0], order[1], order[2], order[3]}), (std::array<int, 4>{3, 4, 2, 1}));
}

TEST(DueSortTest, LongValuesSortByTheirWholeValue) {
    DueTable t = NamedRows(5);
    t.rows[1].cells[DueColRemainingDistance] = QStringLiteral("12,345,678");
    t.rows[2].cells[DueColRemainingDistance] = QStringLiteral("-119,990");
    t.rows[3].cells[DueColRemainingDistance] = QStringLiteral("    800");
    t.rows[4].cells[DueColRemainingDistance] = QStringLiteral(" -5,000");
    auto order = SortOrder(t, 3);
    EXPECT_EQ((std::array<int, 5>{order[0], order[1], order[2], order[3], order[4]}),
              (std::array<int, 5>{2, 4, 3, 1, 5}));
    t.rows[1].cells[DueColDayRatio] = QStringLiteral("-4081.9%");
    t.rows[2].cells[DueColDayRatio] = QStringLiteral("-99.9%");
    t.rows[3].cells[DueColDayRatio] = QStringLiteral("12345678.0%");
    order = SortOrder(t, 2);
    EXPECT_EQ((std::array<int, 4>{order[0], order[1], order[2], order[3]}), (std::array<int, 4>{3, 2, 1, 4}));
}

TEST(DueSortTest, GridHasHeadingsAndCellsCutToTheirWidths) {
    DueTable t = NamedRows(2);
    t.rows[2].cells[DueColName] = QStringLiteral("ABC交換作業点検");  // 15 bytes; a kanji may not be halved
    t.rows[2].cells[DueColRemainingDays] = QStringLiteral("     1");
    const TextGrid grid = ApplySort(t, 1);
    ASSERT_EQ(grid.RowCount(), kMainteCount + 1);
    EXPECT_EQ(grid.Cell(0, 14), QStringLiteral("  期限警告  "));
    EXPECT_EQ(grid.Cell(1, 0), QStringLiteral("ABC交換作業点"));
    EXPECT_EQ(grid.Cell(2, 0), QStringLiteral("item1"));
    EXPECT_EQ(grid.rows[1].size(), 16);
    EXPECT_EQ(SortColumn(3), 9);
    EXPECT_EQ(SortChoiceForColumn(14), 6);
    EXPECT_EQ(SortChoiceForColumn(7), -1);
}

TEST(FillSentenceTest, InsertedTextsAreNotFilledAgain) {
    EXPECT_EQ(FillSentence(QStringLiteral("%s-%s"), {QStringLiteral("a%s"), QStringLiteral("b")}),
              QStringLiteral("a%s-b"));
}

}  // namespace
}  // namespace tovrel
