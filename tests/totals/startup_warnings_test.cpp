#include "totals/startup_warnings.h"

#include "base/text_utils.h"
#include "data/fuel_record.h"
#include "settings/settings.h"
#include "test_support.h"
#include "totals/maintenance_due.h"

#include <gtest/gtest.h>

namespace tovrel {
namespace {

using namespace test;

const QDate kToday(2024, 6, 8);

QString DaysAgo(int days) {
    return DateToText(kToday.addDays(-days));
}

class WarningsTest : public ::testing::Test {
protected:
    void SetUp() override {
        book.dataFolder = folder.path();
        book.currentCar = 1;
        book.mainte[1] = MainteItem(QStringLiteral("*ｴﾝｼﾞﾝｵｲﾙ交換"), 5000, 180);
        book.mainte[2] = MainteItem(QStringLiteral("ﾜｲﾊﾟｰ交換"), 0, 180);
    }

    // Each job is (day, odometer, Mainte with "#" between lines).
    void WriteLog(int car, const QVector<std::array<QString, 3>>& jobs) {
        QStringList lines;
        for (int i = 0; i < jobs.size(); ++i) {
            FuelRecord job = MainteOnly(jobs[i][0], jobs[i][2]);
            job.text[ColTotalRun] = jobs[i][1];
            lines.append(LogLine(i + 1, job));
        }
        WriteLogFile(folder.path(), car, lines);
    }

    StartupWarnings Collect(int* steps = nullptr) {
        int count = 0;
        StartupWarnings w = CollectStartupWarnings(book, settings, kToday, [&] { ++count; });
        if (steps) *steps = count;
        return w;
    }

    QStringList Texts(const StartupWarnings& w) {
        QStringList texts;
        for (const WarningLine& line : w.lines)
            texts.append(line.text);
        return texts;
    }

    TempFolder folder;
    CarBook book;
    Settings settings;
};

TEST_F(WarningsTest, NothingDueGivesTheNoWarningsLine) {
    book.lists.Car[1] = QStringLiteral("*私の愛車");
    WriteLog(1, {{DaysAgo(10), QStringLiteral("40000"), QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換:3000:#ﾜｲﾊﾟｰ交換::")}});
    int steps = 0;
    StartupWarnings w = Collect(&steps);
    EXPECT_EQ(steps, kMainteCount);
    EXPECT_TRUE(w.lines.isEmpty());
    EXPECT_EQ(w.status, QStringLiteral("すぎちゃった：0件  もうすぐ：0件  "));
    EXPECT_FALSE(FinishStartupWarnings(w));
    ASSERT_EQ(w.lines.size(), 1);
    EXPECT_EQ(w.lines[0].text, QStringLiteral("ﾒﾝﾃﾅﾝｽ期限警告はありません。"));
    EXPECT_EQ(w.lines[0].color, kWindowTextColor);

    book.lists.Car[1].clear();
    w = Collect(&steps);
    EXPECT_EQ(steps, 0);
    EXPECT_EQ(NamedCarCount(book), 0);
    EXPECT_TRUE(w.status.isEmpty());
}

TEST_F(WarningsTest, TwoCarsEachUnderItsHeading) {
    book.lists.Car[1] = QStringLiteral("*私の愛車 ");
    book.lists.Car[3] = QStringLiteral("週末車");
    WriteLog(1, {{DaysAgo(168), QString(), QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換:3,000:")}});
    WriteLog(3, {{DaysAgo(400), QString(), QStringLiteral("ﾜｲﾊﾟｰ交換:1,500:")}});
    int steps = 0;
    StartupWarnings w = Collect(&steps);
    EXPECT_EQ(steps, 2 * kMainteCount);
    EXPECT_EQ(NamedCarCount(book), 2);
    EXPECT_EQ(
        Texts(w),
        (QStringList{QStringLiteral("【私の愛車】"),
                     QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換期限の日数が、もうすぐ（残り：12日：93.3%）です。"),
                     QString(), QStringLiteral("【週末車】"),
                     QStringLiteral("ﾜｲﾊﾟｰ交換期限の日数が、すぎちゃった（残り：-220日：222.2%）です。")}));
    EXPECT_EQ(w.lines[0].color, kWindowTextColor);
    EXPECT_EQ(w.lines[1].color, 0x800080u);
    EXPECT_EQ(w.lines[4].color, 255u);
    EXPECT_EQ(w.counts, (std::array<int, 4>{0, 1, 1, 0}));
    EXPECT_EQ(w.status, QStringLiteral("すぎちゃった：1件  もうすぐ：1件  "));
    EXPECT_TRUE(FinishStartupWarnings(w));
    EXPECT_EQ(w.lines.size(), 5);
}

TEST_F(WarningsTest, CarWithoutStartupWarningsIsStillCounted) {
    book.lists.Car[1] = QStringLiteral("私の愛車");
    book.lists.Car[2] = QStringLiteral("セカンド");
    settings.WarningStart[2] = 0;
    WriteLog(1, {{DaysAgo(200), QString(), QStringLiteral("ﾜｲﾊﾟｰ交換::")}});
    WriteLog(2, {{DaysAgo(300), QString(), QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換::#ﾜｲﾊﾟｰ交換::")}});
    const StartupWarnings w = Collect();
    EXPECT_EQ(
        Texts(w),
        (QStringList{QStringLiteral("【私の愛車】"),
                     QStringLiteral("ﾜｲﾊﾟｰ交換期限の日数が、すぎちゃった（残り：-20日：111.1%）です。")}));
    EXPECT_EQ(w.counts[1], 3);
    EXPECT_EQ(w.status, QStringLiteral("すぎちゃった：3件  もうすぐ：0件  "));
}

TEST_F(WarningsTest, LevelChecksWarningFlagsAndEmptyLevelNames) {
    book.lists.Car[1] = QStringLiteral("私の愛車");
    book.mainte[3] = MainteItem(QStringLiteral("車検"), 0, 100, false);
    WriteLog(1, {{DaysAgo(150), QString(), QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換::#ﾜｲﾊﾟｰ交換::")},
                 {DaysAgo(300), QString(), QStringLiteral("車検::")}});
    // Both at 83.3 %: level 3, which is off by default; the overdue 車検 has no warning flag.
    StartupWarnings w = Collect();
    EXPECT_TRUE(w.lines.isEmpty());
    EXPECT_EQ(w.counts, (std::array<int, 4>{}));

    settings.WarningCheck[3] = true;
    settings.WarningText[3] = QStringLiteral(" そろそろ ");
    settings.WarningText[2].clear();
    w = Collect();
    ASSERT_EQ(w.lines.size(), 3);
    EXPECT_EQ(w.lines[1].text,
              QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換期限の日数が、そろそろ（残り：30日：83.3%）です。"));
    EXPECT_EQ(w.lines[1].color, 0xFF0000u);
    EXPECT_EQ(w.counts[3], 2);
    EXPECT_EQ(w.status, QStringLiteral("すぎちゃった：0件  ：0件   そろそろ ：2件  "));
}

TEST_F(WarningsTest, DetailLineWithBothCriteria) {
    book.lists.Car[1] = QStringLiteral("私の愛車");
    settings.WarningStart[1] = 2;
    settings.RunTani[1] = 0;
    WriteLog(1,
             {{QStringLiteral("2024/01/10"), QStringLiteral("40000"), QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換:3000:")},
              {QStringLiteral("2024/06/01"), QStringLiteral("45200"), QString()}});
    const StartupWarnings w = Collect();
    ASSERT_EQ(w.lines.size(), 4);
    EXPECT_EQ(w.lines[1].text,
              QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換期限の走行距離が、すぎちゃった（残り：-200km：104.0%）です。"));
    EXPECT_EQ(w.lines[2].text,
              QStringLiteral("最終日付：2024/01/10  期限日付：2024/07/08（残り：30日：83.3%）、  "
                             "最終距離：40,000km  期限距離：45,000km（残り：-200km：104.0%）  "));
    EXPECT_TRUE(w.lines[3].text.isEmpty());
    EXPECT_EQ(w.lines[2].color, 255u);
    EXPECT_EQ(w.lines[3].color, 255u);
}

TEST_F(WarningsTest, DetailLineOfADayOnlyItem) {
    DueTable due;
    DueRow& row = due.rows[1];
    row.cells[DueColName] = QStringLiteral("車検");
    row.cells[DueColLastDate] = QStringLiteral("2022/06/20");
    row.cells[DueColDueDate] = QStringLiteral("2024/06/19");
    row.cells[DueColRemainingDays] = QStringLiteral("    11");
    row.cells[DueColDayRatio] = QStringLiteral(" 98.5%");
    row.cells[DueColDueRatio] = QStringLiteral(" 98.5%");
    row.level = 2;
    row.startupWarning = true;
    row.pattern = QStringLiteral("%s期限の日数が、%s（残り：11日：%s）です。");
    StartupWarnings w;
    w.lines.append(WarningLine{QStringLiteral("前の車")});
    AddCarWarnings(w, due, QStringLiteral("軽トラ"), 2, settings);
    EXPECT_EQ(Texts(w),
              (QStringList{QStringLiteral("前の車"), QString(), QStringLiteral("【軽トラ】"),
                           QStringLiteral("車検期限の日数が、もうすぐ（残り：11日：98.5%）です。"),
                           QStringLiteral("最終日付：2022/06/20  期限日付：2024/06/19（残り：11日：98.5%）"),
                           QString()}));
}

}  // namespace
}  // namespace tovrel
