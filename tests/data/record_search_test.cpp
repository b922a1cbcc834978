// Search over the record table, the fuel-type and station shift and the date jump.
#include "data/record_search.h"

#include "data/record_table.h"
#include "settings/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace tovrel {
namespace {

using namespace test;

FuelRecord Fill(QAnyStringView day, QAnyStringView gasSel, QAnyStringView stand, QAnyStringView memo = {}) {
    FuelRecord r = Refuel(day, u"300.0", u"30.00");
    r.text[ColGasSel] = gasSel.toString();
    r.text[ColStand] = stand.toString();
    r.text[ColMemo] = memo.toString();
    return r;
}

QStringList Column(const RecordTable& table, int col) {
    QStringList texts;
    for (int i = 1; i <= table.RecordCount(); ++i)
        texts << table.Text(i, col);
    return texts;
}

SearchConditions Everything() {
    SearchConditions c;
    c.startDay = S(u"1990/01/01");
    c.endDay = S(u"2099/12/31");
    return c;
}

class RecordSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        FuelRecord excluded = Fill(u"2004/03/01", u"ハイオク", u"スタンドＢ", u"遠出\r\n高速道路");
        excluded.noneHeikin = 1;
        FuelRecord oil = MainteOnly(u"2004/02/15", u"ｴﾝｼﾞﾝｵｲﾙ交換:3,000:");
        oil.text[ColShop] = S(u"ショップＡ");
        SetRecords(table, {Fill(u"2004/01/10", u"レギュラー", u"スタンドＡ"),
                           Fill(u"2004/02/01", u"軽油", u"スタンドＡ"), oil, excluded,
                           Fill(u"2004/04/01", u"レギュラー満タン", u"スタンドＣ")});
    }
    RecordTable table{1000};
};

TEST_F(RecordSearchTest, DatesAreIncludedAtBothEndsAndAReversedRangeMatchesNothing) {
    SearchConditions c = Everything();
    c.startDay = S(u"2004/02/01");
    c.endDay = S(u"2004/03/01");
    EXPECT_EQ(FilterRecords(table, c, QDate(2004, 12, 31)), 3);
    EXPECT_EQ(Column(table, ColDay), (QStringList{S(u"2004/02/01"), S(u"2004/02/15"), S(u"2004/03/01")}));
    EXPECT_TRUE(table.At(4).IsEmpty());

    SetUp();
    c.startDay = S(u"2004/03/02");
    c.endDay = S(u"2004/03/01");
    EXPECT_EQ(FilterRecords(table, c, QDate(2004, 12, 31)), 0);
    EXPECT_TRUE(table.At(1).IsEmpty());
}

TEST_F(RecordSearchTest, EmptyDatesMeanFrom1990UpToToday) {
    SearchConditions c;
    EXPECT_EQ(FilterRecords(table, c, QDate(2004, 3, 1)), 4);
    EXPECT_EQ(SearchStartDay(QString()), S(u"1990/01/01"));
    EXPECT_EQ(SearchEndDay(QString(), QDate(2004, 3, 1)), S(u"2004/03/01"));
    EXPECT_EQ(SearchEndDay(S(u"2003/01/01"), QDate(2004, 3, 1)), S(u"2003/01/01"));
}

TEST_F(RecordSearchTest, KindsAndTheAverageCheckNarrowTheResult) {
    SearchConditions c = Everything();
    c.fuel = false;
    EXPECT_EQ(FilterRecords(table, c, QDate()), 1);
    EXPECT_EQ(table.Kind(1), KindMainte);

    SetUp();
    c = Everything();
    c.fuel = false;
    c.mainte = false;
    EXPECT_EQ(FilterRecords(table, c, QDate()), 0);

    SetUp();
    c = Everything();
    c.averageOnly = true;
    EXPECT_EQ(FilterRecords(table, c, QDate()), 4);
    EXPECT_FALSE(Column(table, ColDay).contains(S(u"2004/03/01")));
}

TEST_F(RecordSearchTest, TextsAreCaseSensitiveSubstringsAnywhereAndAllMustHold) {
    SearchConditions c = Everything();
    c.gasSel = S(u"ギュ");  // in the middle, at the start of "レギュラー満タン" too
    EXPECT_EQ(FilterRecords(table, c, QDate()), 2);
    EXPECT_EQ(Column(table, ColGasSel), (QStringList{S(u"レギュラー"), S(u"レギュラー満タン")}));

    SetUp();
    c = Everything();
    c.gasSel = S(u"レギュラー");
    c.stand = S(u"Ａ");
    EXPECT_EQ(FilterRecords(table, c, QDate()), 1);

    SetUp();
    c = Everything();
    c.memo = S(u"高速");  // the second line of a memo counts
    EXPECT_EQ(FilterRecords(table, c, QDate()), 1);

    SetUp();
    c = Everything();
    c.mainteText = S(u"3,000");  // costs stay grouped in the maintenance lines
    c.shop = S(u"ショップ");
    EXPECT_EQ(FilterRecords(table, c, QDate()), 1);

    SetUp();
    c = Everything();
    c.stand = S(u"ｽﾀﾝﾄﾞ");  // half-width kana is another text
    EXPECT_EQ(FilterRecords(table, c, QDate()), 0);
}

TEST_F(RecordSearchTest, ShiftPassesOverMaintenanceRecordsAndStartsEmpty) {
    ShiftFuelTypesAndStations(table, true, false);
    EXPECT_EQ(Column(table, ColGasSel),
              (QStringList{QString(), S(u"レギュラー"), QString(), S(u"軽油"), S(u"ハイオク")}));
    EXPECT_EQ(Column(table, ColStand), (QStringList{S(u"スタンドＡ"), S(u"スタンドＡ"), QString(),
                                                    S(u"スタンドＢ"), S(u"スタンドＣ")}));

    SetUp();
    ShiftFuelTypesAndStations(table, false, true);
    EXPECT_EQ(Column(table, ColStand),
              (QStringList{QString(), S(u"スタンドＡ"), QString(), S(u"スタンドＡ"), S(u"スタンドＢ")}));
    EXPECT_EQ(table.Text(1, ColGasSel), S(u"レギュラー"));
}

TEST_F(RecordSearchTest, JumpSelectsTheLastRecordOnOrBeforeTheDay) {
    EXPECT_EQ(JumpTarget(table, S(u"2004/02/10")), 2);  // between two records: the earlier one
    EXPECT_EQ(JumpTarget(table, S(u"2004/02/15")), 3);
    EXPECT_EQ(JumpTarget(table, S(u"2003/12/31")), 1);
    EXPECT_EQ(JumpTarget(table, S(u"2005/01/01")), 5);
    table.SetRecord(4, Fill(u"2004/02/15", u"", u""));
    EXPECT_EQ(JumpTarget(table, S(u"2004/02/15")), 3);  // the first of the records dated on it
    EXPECT_EQ(JumpTarget(RecordTable(1000), S(u"2004/02/15")), 1);
}

TEST(RecordSearch, ConditionsGoToTheStoredSettingsAndBack) {
    Settings settings;
    const SearchConditions defaults = StoredSearchConditions(settings);
    EXPECT_TRUE(defaults.fuel && defaults.mainte);
    EXPECT_FALSE(defaults.averageOnly || defaults.shiftGasSel || defaults.shiftStand);

    SearchConditions c = ClearedSearchConditions();
    EXPECT_TRUE(c.shiftGasSel && c.shiftStand && c.fuel && c.mainte && c.startDay.isEmpty());
    c.averageOnly = true;
    c.startDay = S(u"2004/01/01");
    c.memo = S(u"高速, #1");
    c.shop = S(u"ショップ");
    StoreSearchConditions(settings, c);
    EXPECT_EQ(settings.SaveSchMemo, S(u"高速, #1"));
    EXPECT_TRUE(settings.GasSelShift);
    EXPECT_EQ(StoredSearchConditions(settings), c);
}

}  // namespace
}  // namespace tovrel
