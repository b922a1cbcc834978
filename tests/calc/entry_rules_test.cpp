#include "calc/entry_rules.h"

#include "data/record_table.h"
#include "settings/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace tovrel {
namespace {

EntryFigures Fuel(const QString& gas, const QString& cost, const QString& tanka = QString(),
                  const QString& gasSel = QString()) {
    EntryFigures f;
    f.gas = gas;
    f.cost = cost;
    f.tanka = tanka;
    f.gasSel = gasSel;
    return f;
}

TEST(EntryNumbers, NormalFormIsFixedAndGrouped) {
    EXPECT_EQ(NormalNumberText(QStringLiteral("1234.56"), 1), QStringLiteral("1,234.6"));
    EXPECT_EQ(NormalNumberText(QStringLiteral("25012"), 1), QStringLiteral("25,012.0"));
    EXPECT_EQ(NormalNumberText(QStringLiteral("1234.5"), 0), QStringLiteral("1,235"));
    EXPECT_EQ(NormalNumberText(QStringLiteral("1,234,567"), 0), QStringLiteral("1,234,567"));
    EXPECT_EQ(NormalNumberText(QStringLiteral("ガソリン"), 2), QStringLiteral("0.00"));
    EXPECT_EQ(NormalNumberText(QString(), 0), QStringLiteral("0"));
    EXPECT_EQ(EditingNumberText(QStringLiteral("1,234.5")), QStringLiteral("1234.5"));
}

TEST(EntryEconomy, DistanceOverQuantity) {
    EntryFigures f;
    f.run = QStringLiteral("412.3");
    f.gas = QStringLiteral("30.12");
    EXPECT_NEAR(ApplyEconomyStep(f), 13.688, 0.001);
    EXPECT_EQ(f.economy, QStringLiteral("13.69"));
    EXPECT_EQ(f.gas, QStringLiteral("30.12"));
    EXPECT_EQ(f.run, QStringLiteral("412.3"));

    f.run = QStringLiteral("1234");
    f.gas = QStringLiteral("0");
    EXPECT_EQ(ApplyEconomyStep(f), 0);
    EXPECT_EQ(f.economy, QStringLiteral("0.00"));
    EXPECT_EQ(f.gas, QStringLiteral("0.00"));
    EXPECT_EQ(f.run, QStringLiteral("1,234.0"));
}

TEST(EntryPrice, UnitPriceFromAmount) {
    Settings s;
    s.TankaCalc = 1;
    s.HasuuSyori = 0;
    EntryFigures f = Fuel(QStringLiteral("40.00"), QStringLiteral("5,000"));
    ASSERT_TRUE(ApplyPriceComputation(f, s));
    EXPECT_EQ(f.tanka, QStringLiteral("119"));

    // The diesel tax stays outside the consumption tax: (5000 − 1284) × 100 ÷ 40 ÷ 105 + 32.10.
    f = Fuel(QStringLiteral("40.00"), QStringLiteral("5,000"), QString(), QStringLiteral(" 軽油 "));
    ASSERT_TRUE(ApplyPriceComputation(f, s));
    EXPECT_EQ(f.tanka, QStringLiteral("120"));

    // One decimal with TankaTen; no fuel gives 0.
    s.TankaTen = true;
    f = Fuel(QStringLiteral("0"), QStringLiteral("3000"));
    ASSERT_TRUE(ApplyPriceComputation(f, s));
    EXPECT_EQ(f.tanka, QStringLiteral("0.0"));
}

TEST(EntryPrice, AmountFromUnitPrice) {
    Settings s;
    s.TankaCalc = 2;
    s.HasuuSyori = 1;
    EntryFigures f = Fuel(QStringLiteral("40.00"), QString(), QStringLiteral("120"));
    ASSERT_TRUE(ApplyPriceComputation(f, s));
    EXPECT_EQ(f.cost, QStringLiteral("5,040"));

    // (120 − 32.10) × 40 × 1.05 + 40 × 32.10 = 4975.8.
    f = Fuel(QStringLiteral("40.00"), QString(), QStringLiteral("120"), QStringLiteral("軽油"));
    ASSERT_TRUE(ApplyPriceComputation(f, s));
    EXPECT_EQ(f.cost, QStringLiteral("4,976"));
}

TEST(EntryPrice, NothingWithoutCalculationOrForMaintenance) {
    Settings s;
    s.TankaCalc = 0;
    EntryFigures f = Fuel(QStringLiteral("40.00"), QStringLiteral("5,000"), QStringLiteral("100"));
    EXPECT_FALSE(ApplyPriceComputation(f, s));
    EXPECT_EQ(f.tanka, QStringLiteral("100"));

    s.TankaCalc = 1;
    f.kind = KindMainte;
    EXPECT_FALSE(ApplyPriceComputation(f, s));
    EXPECT_EQ(f.tanka, QStringLiteral("100"));
}

class EntryDistance : public ::testing::Test {
protected:
    void SetUp() override {
        test::SetRecords(table, {test::Record(KindFuel, u"2004/05/01", {}, u"10000", {}),
                                 // A maintenance-only reading never serves as the reference.
                                 test::Record(KindMainte, u"2004/05/03", {}, u"10200", {}),
                                 test::Record(KindFuel, u"2004/05/09", {}, {}, {})});
    }
    RecordTable table{10};
};

TEST_F(EntryDistance, OdometerFromTripDistance) {
    EntryFigures f;
    f.run = QStringLiteral("400");
    f.gas = QStringLiteral("25");
    ASSERT_TRUE(ApplyDistanceComputation(f, table, 4, 1));
    EXPECT_EQ(f.totalRun, QStringLiteral("10,400.0"));
    EXPECT_EQ(f.economy, QStringLiteral("16.00"));
}

TEST_F(EntryDistance, TripDistanceFromOdometer) {
    EntryFigures f;
    f.totalRun = QStringLiteral("10,450.5");
    f.gas = QStringLiteral("30");
    ASSERT_TRUE(ApplyDistanceComputation(f, table, 4, 2));
    EXPECT_EQ(f.run, QStringLiteral("450.5"));
    EXPECT_EQ(f.economy, QStringLiteral("15.02"));
}

TEST_F(EntryDistance, NoReferenceLeavesTheFieldsAlone) {
    EntryFigures f;
    f.run = QStringLiteral("400");
    f.totalRun = QStringLiteral("123");
    EXPECT_FALSE(ApplyDistanceComputation(f, table, 1, 1));
    EXPECT_EQ(f.totalRun, QStringLiteral("123"));
    EXPECT_FALSE(ApplyDistanceComputation(f, table, 4, 0));
    f.kind = KindMainte;
    EXPECT_FALSE(ApplyDistanceComputation(f, table, 4, 1));
    EXPECT_EQ(f.totalRun, QStringLiteral("123"));
}

TEST(EntryTime, EnteringShowsHoursInTwoPlaces) {
    EXPECT_EQ(TimeTextOnEnter(QStringLiteral("09:05")), QStringLiteral(" 9:05"));
    EXPECT_EQ(TimeTextOnEnter(QStringLiteral("23:59")), QStringLiteral("23:59"));
    EXPECT_EQ(TimeTextOnEnter(QStringLiteral("00:00")), QString());
    EXPECT_EQ(TimeTextOnEnter(BlankTime), QString());
}

TEST(EntryTime, LeavingChecksAndPads) {
    QString normal;
    EXPECT_TRUE(TimeTextOnLeave(QStringLiteral("9:5"), &normal));
    EXPECT_EQ(normal, QStringLiteral("09:05"));
    EXPECT_TRUE(TimeTextOnLeave(QStringLiteral(" 9:05"), &normal));
    EXPECT_EQ(normal, QStringLiteral("09:05"));
    EXPECT_TRUE(TimeTextOnLeave(QStringLiteral("24:00"), &normal));
    EXPECT_EQ(normal, QStringLiteral("24:00"));
    EXPECT_TRUE(TimeTextOnLeave(BlankTime, &normal));
    EXPECT_EQ(normal, BlankTime);
    EXPECT_TRUE(TimeTextOnLeave(QString(), &normal));
    EXPECT_EQ(normal, BlankTime);
    EXPECT_FALSE(TimeTextOnLeave(QStringLiteral("25:00"), &normal));
    EXPECT_FALSE(TimeTextOnLeave(QStringLiteral("10:60"), &normal));
}

TEST(EntryMainte, AddAppendsALineAndDropsBlankOnes) {
    QString list = AddMainteLine(QString(), QStringLiteral(" ｴﾝｼﾞﾝｵｲﾙ交換 "), QStringLiteral("3000"));
    EXPECT_EQ(list, QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換:3,000:"));
    list =
        AddMainteLine(list + QStringLiteral("\n # \n\n"), QStringLiteral("ﾜｲﾊﾟｰ,交換#"), QStringLiteral("0"));
    EXPECT_EQ(list, QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換:3,000:\nﾜｲﾊﾟｰ.交換:0:"));
    // Without a name only the blank lines go.
    EXPECT_EQ(AddMainteLine(QStringLiteral("\nA:1:\n  \n"), QString(), QStringLiteral("500")),
              QStringLiteral("A:1:"));
}

TEST(EntryMainte, TotalAndCaption) {
    const QString list = QStringLiteral("ﾀｲﾔ交換:1,200:ｽﾀｯﾄﾞﾚｽ\nﾜｲﾊﾟｰ交換:800\n点検");
    EXPECT_EQ(MainteTotal(list), 2000);
    EXPECT_EQ(MainteCaption(list), QStringLiteral("メンテ一覧   合計金額：2,000円 （3行）"));
    EXPECT_EQ(MainteCaption(QString()), QStringLiteral("メンテ一覧   合計金額：0円 （0行）"));
    EXPECT_EQ(MainteTotal(QStringLiteral("A:12,345,678:\r\nB::x")), 12345678);
}

TEST(EntryMemo, LinesAndSeparators) {
    EXPECT_EQ(CountLines(QString()), 0);
    EXPECT_EQ(CountLines(QStringLiteral("a")), 1);
    EXPECT_EQ(CountLines(QStringLiteral("a\n")), 1);
    EXPECT_EQ(CountLines(QStringLiteral("a\n\nb")), 3);
    EXPECT_EQ(MemoCaption(QStringLiteral("交換後に試運転\n異常なし")), QStringLiteral("メモ （2行）"));
    EXPECT_EQ(CleanMemoText(QStringLiteral("a,b#c\n#d")), QStringLiteral("a.bc\nd"));
    EXPECT_EQ(CleanJobName(QStringLiteral("  車検,12ヶ月# ")), QStringLiteral("車検.12ヶ月"));
}

TEST(EntryRecordLines, CrLfInTheRecordWithoutTrailingBreaks) {
    EXPECT_EQ(ToRecordLines(QStringLiteral("a\nb\n\n")), QStringLiteral("a\r\nb"));
    EXPECT_EQ(ToRecordLines(QStringLiteral("\n")), QString());
    EXPECT_EQ(FromRecordLines(QStringLiteral("a\r\nb")), QStringLiteral("a\nb"));
}

TEST(EntryLists, ComboItemsAndDefault) {
    NameList list;
    list[1] = QStringLiteral("レギュラー");
    list[3] = QStringLiteral("*ハイオク");
    list[4] = QStringLiteral("*軽油");
    list[5] = QStringLiteral("*");
    const QStringList names = ListNames(list);
    ASSERT_EQ(names.size(), kListSlots);
    EXPECT_EQ(ComboItems(names), QStringList({QStringLiteral("レギュラー"), QStringLiteral("ハイオク"),
                                              QStringLiteral("軽油")}));
    EXPECT_EQ(DefaultItem(names), QStringLiteral("ハイオク"));
    EXPECT_EQ(DefaultItem(QStringList({QStringLiteral("a")})), QString());
}

TEST(EntryRecord, ChangesIgnoreGroupingButNotFlagsOrKind) {
    FuelRecord a;
    a.text[ColDay] = QStringLiteral("2004/05/01");
    a.text[ColTotalRun] = QStringLiteral("25,012.0");
    FuelRecord b = a;
    b.text[ColTotalRun] = QStringLiteral("25012.0");
    EXPECT_FALSE(EntryRecordsDiffer(a, b));
    b.noneHeikin = 1;
    EXPECT_TRUE(EntryRecordsDiffer(a, b));
    b = a;
    b.kind = KindMainte;
    EXPECT_TRUE(EntryRecordsDiffer(a, b));
    b = a;
    b.text[ColMemo] = QStringLiteral("x");
    EXPECT_TRUE(EntryRecordsDiffer(a, b));
}

TEST(EntryRecord, StorageFormDropsSeparatorsAndFuelDataOfMaintenance) {
    FuelRecord r;
    r.kind = KindMainte;
    r.text[ColRun] = QStringLiteral("1,234.5");
    r.text[ColTotalRun] = QStringLiteral("25,012.0");
    r.text[ColEconomy] = QStringLiteral("0.00");
    r.text[ColCost] = QStringLiteral("5,400");
    r.text[ColGasSel] = QStringLiteral("レギュラー");
    r.text[ColMainte] = QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換:4,000:");
    const FuelRecord stored = RecordForStorage(r);
    EXPECT_EQ(stored.TotalRun(), QStringLiteral("25012.0"));
    EXPECT_EQ(stored.Cost(), QStringLiteral("5400"));
    EXPECT_TRUE(stored.Run().isEmpty());
    EXPECT_TRUE(stored.Economy().isEmpty());
    EXPECT_TRUE(stored.GasSel().isEmpty());
    EXPECT_EQ(stored.Mainte(), r.Mainte());

    r.kind = KindFuel;
    EXPECT_EQ(RecordForStorage(r).Run(), QStringLiteral("1234.5"));
    EXPECT_EQ(RecordForStorage(r).GasSel(), QStringLiteral("レギュラー"));
}

}  // namespace
}  // namespace tovrel
