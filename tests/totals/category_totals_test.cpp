#include "totals/category_totals.h"

#include "data/fuel_record.h"
#include "data/record_table.h"
#include "settings/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace tovrel {
namespace {

using namespace test;

FuelRecord Fuel(const char* day, const char* gasSel, const char* run, const char* gas, const char* economy,
                const char* cost, const char* tanka) {
    FuelRecord r = Refuel(day, run, gas, economy, cost, tanka);
    r.text[ColGasSel] = r.text[ColStand] = S(gasSel);
    return r;
}

QString Row(const CategoryTotals& t, int row) {
    return t.grid.rows[row].join(QLatin1Char('|'));
}

class CategoryTotalsTest : public ::testing::Test {
protected:
    CategoryTotalsTest() {
        lists.GasSel[1] = S("*レギュラー");
        lists.GasSel[2] = S("ハイオク");
        lists.GasSel[3] = S("軽油");
        lists.GasSel[5] = S("  ");
        lists.Stand = lists.GasSel;
        mainte[1].name = S("ｵｲﾙ交換");
        mainte[2].name = S("*ﾀｲﾔ交換");
        mainte[4].name = S("ｵｲﾙ交換");  // a second entry of the same name never receives values
    }
    void Add(const FuelRecord& r) { AppendRecord(table, r); }
    CategoryTotals Compute(int mode, const char* start = "2024/01", const char* end = "2024/03") const {
        return ComputeCategoryTotals(table, settings, lists, mainte, mode, S(start), S(end), 0);
    }
    void AddFuelLog() {
        Add(Fuel("2024/01/05", "レギュラー", "300", "30", "10", "4500", "150"));
        Add(MainteOnly("2024/01/10", "洗車:1,000:"));
        Add(Fuel("2024/01/20", "ハイオク ", "400", "25", "16", "4250", "170"));
        Add(Fuel("2024/02/01", "灯油", "100", "10", "10", "1250", "125"));
        FuelRecord excluded = Fuel("2024/02/15", "", "200", "20", "8", "3000", "150");
        excluded.noneHeikin = 1;
        Add(excluded);
    }

    RecordTable table{1000};
    Settings settings;
    ItemLists lists;
    MainteSettings mainte{};
};

TEST(CategoryNames, CaptionsHeadersAndRowCounts) {
    EXPECT_EQ(CategoryCaption(CategoryFuel), S("燃料種別集計"));
    EXPECT_EQ(CategoryCaption(CategoryStand), S("ｽﾀﾝﾄﾞ別集計"));
    EXPECT_EQ(CategoryCaption(CategoryPattern), S("ﾊﾟﾀｰﾝ別集計"));
    EXPECT_EQ(CategoryCaption(CategoryMainte), S("ﾒﾝﾃﾅﾝｽ別集計"));
    EXPECT_EQ(CategoryHeaders(CategoryStand).join(QLatin1Char('|')),
              S(" スタンド |給油| 走行距離 | 消費燃料| 最低| 平均| 最高| 給油金額 | 単価| 割合 "));
    EXPECT_EQ(CategoryHeaders(CategoryMainte).join(QLatin1Char('|')),
              S(" メンテナンス |回数| 支払金額 | 平均単価 | 割合 | 最終日付 "));
    Settings settings;
    EXPECT_EQ(CategoryListRows(CategoryPattern, settings), 10);
    EXPECT_EQ(CategoryListRows(CategoryMainte, settings), 50);
    settings.MainteAddGasCost = true;
    EXPECT_EQ(CategoryListRows(CategoryMainte, settings), 51);
}

TEST_F(CategoryTotalsTest, FuelTypesGiveTheseCells) {
    AddFuelLog();
    int steps = 0;
    const CategoryTotals t = ComputeCategoryTotals(table, settings, lists, mainte, CategoryFuel, S("2024/01"),
                                                   S("2024/03"), 0, [&steps] { ++steps; });
    EXPECT_EQ(steps, 5);
    ASSERT_EQ(t.grid.RowCount(), 13);
    EXPECT_EQ(t.listRows, 10);
    EXPECT_EQ(t.columnCount, 10);
    EXPECT_EQ(t.grid.rows[0][0], S(" 燃料種別 "));
    // The default mark is neither shown nor matched; a trailing blank of the record does not matter.
    EXPECT_EQ(Row(t, 1), S("レギュラー|   1|     300.0|    30.00|10.00|10.00|10.00|     4,500|150.0| 34.6%"));
    EXPECT_EQ(Row(t, 2), S("ハイオク|   1|     400.0|    25.00|16.00|16.00|16.00|     4,250|170.0| 32.7%"));
    // Entries without records, blank entries included, show only their names.
    EXPECT_EQ(Row(t, 3), S("軽油|||||||||"));
    EXPECT_EQ(Row(t, 4), S("|||||||||"));
    EXPECT_EQ(Row(t, 5), S("  |||||||||"));
    // Unknown and blank fuel types; the excluded record sets the lowest economy but not the average.
    EXPECT_EQ(Row(t, 11),
              S("上記以外  |   2|     300.0|    30.00| 8.00|10.00|10.00|     4,250|137.5| 32.7%"));
    EXPECT_EQ(Row(t, 12),
              S("  合  計  |   4|   1,000.0|    85.00| 8.00|12.31|16.00|    13,000|148.8|100.0%"));
    EXPECT_NEAR(t.averageEconomy, 800.0 / 65.0, 1e-9);
    EXPECT_EQ(t.status, S("有効ﾃﾞｰﾀ : 2024/01/05～2024/02/15"));
}

TEST_F(CategoryTotalsTest, ShiftTakesThePreviousRefuellingsFuelType) {
    AddFuelLog();
    settings.GasSelShift = true;
    CategoryTotals t = Compute(CategoryFuel);
    // The first refuelling has none before it; the maintenance-only record is passed over.
    EXPECT_EQ(t.grid.rows[1][2], S("     400.0"));
    EXPECT_EQ(t.grid.rows[2][2], S("     100.0"));
    EXPECT_EQ(t.grid.rows[11][1], S("   2"));
    EXPECT_EQ(t.grid.rows[11][2], S("     500.0"));

    // The refuelling before the range still decides the category.
    t = Compute(CategoryFuel, "2024/02", "2024/02");
    EXPECT_EQ(t.grid.rows[2][2], S("     100.0"));
    EXPECT_EQ(t.grid.rows[11][2], S("     200.0"));

    // The station shift is a setting of its own.
    t = Compute(CategoryStand);
    EXPECT_EQ(t.grid.rows[1][2], S("     300.0"));
    settings.StandShift = true;
    t = Compute(CategoryStand);
    EXPECT_EQ(t.grid.rows[1][2], S("     400.0"));
}

TEST_F(CategoryTotalsTest, EmptyRangeStillWritesTheTotalRow) {
    AddFuelLog();
    const CategoryTotals t = Compute(CategoryPattern, "2025/01", "2025/01");
    EXPECT_EQ(Row(t, 12),
              S("  合  計  |   0|       0.0|     0.00| 0.00| 0.00| 0.00|         0|  0.0|  0.0%"));
    EXPECT_TRUE(t.grid.rows[11][1].isEmpty());
    EXPECT_EQ(t.status, S("有効ﾃﾞｰﾀ : なし"));
}

TEST_F(CategoryTotalsTest, MaintenanceItemsCountEveryJob) {
    FuelRecord fill = Fuel("2024/01/05", "", "300", "30", "10", "4500", "150");
    fill.text[ColMainte] = S("ｵｲﾙ交換:3,000:\r\nｵｲﾙ交換 :2,000:ｴﾚﾒﾝﾄ\r\n :9,999:");
    Add(fill);
    Add(Fuel("2024/01/20", "", "400", "25", "16", "4000", "160"));
    Add(MainteOnly("2024/02/10", "ﾀｲﾔ交換:40,000:\r\n洗車:1,000:"));

    CategoryTotals t = Compute(CategoryMainte);
    ASSERT_EQ(t.grid.RowCount(), 53);
    EXPECT_EQ(t.columnCount, 6);
    EXPECT_EQ(Row(t, 1), S("ｵｲﾙ交換|   2|     5,000|     2,500| 10.9%|2024/01/05"));
    EXPECT_EQ(Row(t, 2), S("ﾀｲﾔ交換|   1|    40,000|    40,000| 87.0%|2024/02/10"));
    EXPECT_EQ(Row(t, 4), S("ｵｲﾙ交換|||||"));
    EXPECT_EQ(Row(t, 51), S("上記以外  |   1|     1,000|     1,000|  2.2%|2024/02/10"));
    EXPECT_EQ(Row(t, 52), S("  合  計  |   4|    46,000|    11,500|100.0%|"));

    // Refuellings without maintenance lines do not widen the range of valid data.
    t = Compute(CategoryMainte, "2024/01", "2024/01");
    EXPECT_EQ(t.status, S("有効ﾃﾞｰﾀ : 2024/01/05～2024/01/05"));

    settings.MainteAddGasCost = true;
    t = Compute(CategoryMainte, "2024/01", "2024/01");
    EXPECT_EQ(t.status, S("有効ﾃﾞｰﾀ : 2024/01/05～2024/01/20"));
    ASSERT_EQ(t.grid.RowCount(), 54);
    EXPECT_EQ(Row(t, 1), S("燃料代金|   2|     8,500|     4,250| 63.0%|2024/01/20"));
    EXPECT_EQ(Row(t, 2), S("ｵｲﾙ交換|   2|     5,000|     2,500| 37.0%|2024/01/05"));
    EXPECT_EQ(Row(t, 53), S("  合  計  |   4|    13,500|     3,375|100.0%|"));
}

}  // namespace
}  // namespace tovrel
