#include "calc/economy.h"

#include "base/text_utils.h"
#include "data/record_table.h"
#include "settings/settings.h"
#include "test_support.h"

#include <QVector>

#include <gtest/gtest.h>

namespace tovrel {
namespace {

using namespace test;

struct Rec {
    quint8 kind = KindFuel;
    const char16_t* day = u"2004/01/01";
    const char16_t* run = u"";
    const char16_t* totalRun = u"";
    const char16_t* gas = u"";
    quint8 noneHeikin = 0;
};

void Fill(RecordTable& table, const QVector<Rec>& records) {
    QVector<FuelRecord> filled;
    for (const Rec& r : records)
        filled.append(Record(r.kind, r.day, r.run, r.totalRun, r.gas, r.noneHeikin));
    SetRecords(table, filled);
}

// The messages shown, as "caption|text".
QStringList Messages(const RecordingPrompter& prompter) {
    QStringList messages;
    for (const RecordingPrompter::Entry& e : prompter.prompts)
        messages.append(e.caption + QLatin1Char('|') + e.text);
    return messages;
}

TEST(RecalcStatus, AverageLeavesOutExcludedAndMaintenanceRecords) {
    RecordTable table;
    Fill(table, {
                    {KindFuel, u"2004/01/01", u"400.0", u"", u"30.00"},
                    {KindFuel, u"2004/01/02", u"300.0", u"", u"20.00", 1},
                    {KindMainte, u"2004/01/03", u"999.0", u"", u"1.00"},
                });
    const EconomyStatus s = RecalcStatus(table, 0, 0);
    EXPECT_NEAR(s.averageEconomy, 400.0 / 30.0, 1e-9);
    EXPECT_EQ(s.averageText, S(u"平均燃費 : 13.33km/L"));
    EXPECT_EQ(s.distanceText, S(u"平均走行距離（生涯平均）：0km/月（0.0km/日）"));
}

TEST(RecalcStatus, DistancePerDayFromFirstAndLastOdometerOfAnyRecord) {
    RecordTable table;
    // The last reading is on a maintenance-only record and the first on an excluded one: both count.
    Fill(table, {
                    {KindFuel, u"2004/01/01", u"", u"10,000.0", u"", 1},
                    {KindFuel, u"2004/01/15", u"300.0", u"", u"20.00"},
                    {KindMainte, u"2004/01/31", u"", u"10600", u""},
                });
    EconomyStatus s = RecalcStatus(table, 0, 0);
    EXPECT_NEAR(s.distancePerDay, 20.0, 1e-9);
    EXPECT_EQ(s.distanceText, S(u"平均走行距離（生涯平均）：600km/月（20.0km/日）"));
    EXPECT_EQ(s.averageText, S(u"平均燃費 : 15.00km/L"));

    Fill(table, {
                    {KindFuel, u"2004/01/01", u"", u"10000", u""},
                    {KindFuel, u"2004/01/31", u"", u"11500", u""},
                });
    s = RecalcStatus(table, 1, 1);
    EXPECT_EQ(s.averageText, S(u"平均燃費 : 0.00Mil/Gal"));
    EXPECT_EQ(s.distanceText, S(u"平均走行距離（生涯平均）：1,500Mil/月（50.0Mil/日）"));

    // Records without a reading before the first and after the last one do not count.
    Fill(table, {
                    {KindFuel, u"2003/12/01", u"", u"", u""},
                    {KindFuel, u"2004/01/01", u"", u"10000", u""},
                    {KindFuel, u"2004/01/11", u"", u"", u""},
                    {KindFuel, u"2004/01/31", u"", u"10300", u""},
                    {KindMainte, u"2004/03/01", u"", u"", u""},
                });
    EXPECT_NEAR(RecalcStatus(table, 0, 0).distancePerDay, 10.0, 1e-9);
}

TEST(RecalcStatus, NoDistancePerDayWithoutTwoReadingsADayApart) {
    RecordTable table;
    EXPECT_EQ(RecalcStatus(table, 0, 0).averageText, S(u"平均燃費 : 0.00km/L"));

    Fill(table, {{KindFuel, u"2004/01/01", u"", u"10000", u""}});
    EXPECT_EQ(RecalcStatus(table, 0, 0).distancePerDay, 0);

    Fill(table,
         {{KindFuel, u"2004/01/01", u"", u"10000", u""}, {KindFuel, u"2004/01/01", u"", u"10100", u""}});
    EXPECT_EQ(RecalcStatus(table, 0, 0).distancePerDay, 0);

    Fill(table,
         {{KindFuel, u"2004/01/01", u"", u"10000", u""}, {KindFuel, u"2004/02/01", u"", u"9000", u""}});
    const EconomyStatus s = RecalcStatus(table, 0, 0);
    EXPECT_EQ(s.distancePerDay, 0);
    EXPECT_EQ(s.distanceText, S(u"平均走行距離（生涯平均）：0km/月（0.0km/日）"));
}

TEST(RecalcStatus, InvalidDateOfAReadingIsReportedOnceAndCountsAsDayZero) {
    RecordingPrompter prompter;
    RecordTable table;
    Fill(table, {
                    {KindFuel, u"2004/01/01", u"", u"10000", u""},
                    {KindFuel, u"2004/02/30", u"", u"10600", u""},
                });
    EXPECT_EQ(RecalcStatus(table, 0, 0).distancePerDay, 0);
    EXPECT_EQ(Messages(prompter), QStringList{S(u"日付ｴﾗｰ|正しくない日付を検出しました。 <2004/02/30>")});

    prompter.prompts.clear();
    Fill(table, {
                    {KindFuel, u"2004/13/01", u"", u"10000", u""},
                    {KindFuel, u"2004/01/31", u"", u"10600", u""},
                });
    const int lastDay = DayNumber(QDate(2004, 1, 31));
    EXPECT_NEAR(RecalcStatus(table, 0, 0).distancePerDay, 600.0 / lastDay, 1e-12);
    EXPECT_EQ(prompter.prompts.size(), 1);
}

TEST(EconomyMark, BlueForExcludedThenRedBelowAverageOrTarget) {
    Settings s;
    s.MivraRed = true;
    s.MokuhyoRed = true;
    EXPECT_EQ(MarkEconomy(5, 13, 15, true, s), EconomyMark::Blue);
    EXPECT_EQ(MarkEconomy(12.99, 13, 0, false, s), EconomyMark::Red);
    EXPECT_EQ(MarkEconomy(13, 13, 0, false, s), EconomyMark::None);
    EXPECT_EQ(MarkEconomy(14, 13, 15, false, s), EconomyMark::Red);
    EXPECT_EQ(MarkEconomy(15, 13, 15, false, s), EconomyMark::None);

    s.MivraRed = false;
    EXPECT_EQ(MarkEconomy(12, 13, 0, false, s), EconomyMark::None);
    EXPECT_EQ(MarkEconomy(12, 13, 12.5, false, s), EconomyMark::Red);
    s.MokuhyoRed = false;
    EXPECT_EQ(MarkEconomy(12, 13, 20, false, s), EconomyMark::None);
    EXPECT_EQ(MarkEconomy(12, 13, 20, true, s), EconomyMark::Blue);
}

TEST(OdometerReference, NearestEarlierRefuellingWithAReading) {
    RecordTable table;
    Fill(table, {
                    {KindFuel, u"2004/01/01", u"", u"10000", u""},
                    {KindFuel, u"2004/01/05", u"", u"10100", u""},
                    {KindFuel, u"2004/01/10", u"", u"", u""},
                    {KindMainte, u"2004/01/12", u"", u"10500", u""},
                    {KindFuel, u"2004/01/15", u"", u"0.0", u""},
                });
    EXPECT_EQ(FindOdometerReference(table, 6), 2);   // a new record
    EXPECT_EQ(FindOdometerReference(table, 40), 2);  // never past the last record
    EXPECT_EQ(FindOdometerReference(table, 2), 1);   // editing record 2
    EXPECT_EQ(FindOdometerReference(table, 1), 0);

    Fill(table, {{KindMainte, u"2004/01/12", u"", u"10500", u""}});
    EXPECT_EQ(FindOdometerReference(table, 2), 0);
}

TEST(Diesel, FuelTypeAgainstTheNameList) {
    const QString names = S(u"軽油, ﾃﾞｨｰｾﾞﾙ");
    EXPECT_TRUE(IsDiesel(S(u"軽油"), names));
    EXPECT_TRUE(IsDiesel(S(u" ﾃﾞｨｰｾﾞﾙ "), names));
    EXPECT_FALSE(IsDiesel(S(u"レギュラー"), names));
    EXPECT_FALSE(IsDiesel(QString(), names));
    // An empty item ends the list.
    EXPECT_FALSE(IsDiesel(S(u"ﾃﾞｨｰｾﾞﾙ"), S(u"軽油,,ﾃﾞｨｰｾﾞﾙ")));
    EXPECT_FALSE(IsDiesel(S(u"軽油"), S(u",軽油")));
    EXPECT_FALSE(IsDiesel(QString(), S(u"軽油,")));
    EXPECT_FALSE(IsDiesel(S(u"軽油"), QString()));
}

TEST(UnitPrice, FromTheAmountPaid) {
    Settings s;  // tax 5.0, not tax-inclusive, round half away, whole yen
    EXPECT_EQ(UnitPriceFromCost(30, 3000, false, s), 95);
    EXPECT_EQ(UnitPriceFromCost(40, 4000, true, s), 97);
    EXPECT_EQ(UnitPriceFromCost(0, 3000, false, s), 0);
    s.HasuuSyori = 0;
    EXPECT_EQ(UnitPriceFromCost(40, 4000, true, s), 96);
    EXPECT_EQ(UnitPriceFromCost(40, 5000, false, s), 119);
    EXPECT_EQ(UnitPriceFromCost(40, 5000, true, s), 120);
    s.HasuuSyori = 2;
    EXPECT_EQ(UnitPriceFromCost(30, 3000, false, s), 96);

    s.TankaTen = true;
    EXPECT_DOUBLE_EQ(UnitPriceFromCost(30, 3000, false, s), 95.3);
    s.HasuuSyori = 1;
    EXPECT_DOUBLE_EQ(UnitPriceFromCost(30, 3000, false, s), 95.2);

    s.TankaTen = false;
    s.TankaZeikomi = true;
    EXPECT_EQ(UnitPriceFromCost(30, 3000, false, s), 100);
    s.KeiyuZei = QStringLiteral("30");
    EXPECT_EQ(UnitPriceFromCost(40, 5200, true, s), 130);  // (5200 - 1200) / 40 + 30
}

TEST(UnitPrice, AmountPaidFromTheUnitPrice) {
    Settings s;
    EXPECT_EQ(CostFromUnitPrice(30, 95, false, s), 2993);  // 2992.5
    EXPECT_EQ(CostFromUnitPrice(40, 97, true, s), 4010);   // 40 x 64.9 x 1.05 + 1284 = 4009.8
    s.HasuuSyori = 0;
    EXPECT_EQ(CostFromUnitPrice(30, 95, false, s), 2992);
    EXPECT_EQ(CostFromUnitPrice(40, 97, true, s), 4009);
    s.HasuuSyori = 2;
    EXPECT_EQ(CostFromUnitPrice(30, 95, false, s), 2993);
    EXPECT_EQ(CostFromUnitPrice(0, 95, false, s), 0);

    // Whole amounts that the binary product misses by a hair stay whole.
    s.TankaZeikomi = true;
    EXPECT_EQ(CostFromUnitPrice(22.5, 90.4, false, s), 2034);
    s.HasuuSyori = 0;
    EXPECT_EQ(CostFromUnitPrice(30, 33.3, false, s), 999);
    EXPECT_EQ(CostFromUnitPrice(40, 118.125, false, s), 4725);
}

}  // namespace
}  // namespace tovrel
