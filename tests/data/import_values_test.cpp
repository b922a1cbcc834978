// Values of imported files: numbers with either decimal mark, dates and their order, times, flags.
#include "data/import_values.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <QVector>

#include <optional>

namespace tovrel {
namespace {

using namespace test;

std::optional<double> Number(const QString& text, DecimalMark mark) {
    double v = 0;
    if (!ParseImportNumber(text, mark, &v)) return std::nullopt;
    return v;
}

TEST(ImportValues, NumbersWithDecimalCommaAndGrouping) {
    EXPECT_EQ(Number(S(u"9,99"), DecimalMark::Comma), 9.99);
    EXPECT_EQ(Number(S(u"1.234,56"), DecimalMark::Comma), 1234.56);
    EXPECT_EQ(Number(S(u"12.345"), DecimalMark::Comma), 12345);
    EXPECT_EQ(Number(S(u"1 234,5"), DecimalMark::Comma), 1234.5);
    EXPECT_EQ(Number(S(u"1,234.56"), DecimalMark::Dot), 1234.56);
    EXPECT_EQ(Number(S(u"1'234.5"), DecimalMark::Dot), 1234.5);
    EXPECT_EQ(Number(S(u"¥1,200"), DecimalMark::Dot), 1200);
    EXPECT_EQ(Number(S(u"$ 3.499"), DecimalMark::Dot), 3.499);
    EXPECT_EQ(Number(S(u"１，２３４．５"), DecimalMark::Dot), 1234.5);
    EXPECT_EQ(Number(S(u"1200円"), DecimalMark::Dot), 1200);
    EXPECT_EQ(Number(S(u"-12.5"), DecimalMark::Dot), -12.5);
    EXPECT_EQ(Number(S(u".5"), DecimalMark::Dot), 0.5);
    // A comma that cannot group by three is never taken for grouping: 9,99 is not 999.
    EXPECT_EQ(Number(S(u"9,99"), DecimalMark::Dot), std::nullopt);
    EXPECT_EQ(Number(S(u"1,234.56"), DecimalMark::Comma), std::nullopt);
    EXPECT_EQ(Number(S(u"1,2,3"), DecimalMark::Comma), std::nullopt);
    EXPECT_EQ(Number(S(u"12a"), DecimalMark::Dot), std::nullopt);
    EXPECT_EQ(Number(QString(), DecimalMark::Dot), std::nullopt);
}

TEST(ImportValues, DecimalMarkIsVotedByTheCells) {
    // Cells that cannot be grouping decide; three digits after a single mark do not.
    EXPECT_EQ(DetectDecimalMark({S(u"12.345"), S(u"40,50"), S(u"6.075")}, QLatin1Char(';')),
              DecimalMark::Comma);
    EXPECT_EQ(DetectDecimalMark({S(u"12.345"), S(u"40.5"), S(u"6.075")}, QLatin1Char(';')), DecimalMark::Dot);
    EXPECT_EQ(DetectDecimalMark({S(u"1.234,5")}, QLatin1Char(',')), DecimalMark::Comma);
    // Without a vote: a file separated by commas writes decimal points, any other decimal commas.
    EXPECT_EQ(DetectDecimalMark({S(u"1.234"), S(u"45")}, QLatin1Char(',')), DecimalMark::Dot);
    EXPECT_EQ(DetectDecimalMark({S(u"1.234"), S(u"45")}, QLatin1Char('\t')), DecimalMark::Comma);
}

QString Date(const QString& text, DateOrder order) {
    QString reason;
    return DateOfCell(ParseDateCell(text), order, &reason);
}

TEST(ImportValues, DateFormsWithAndWithoutTime) {
    EXPECT_EQ(Date(S(u"2024-03-02"), DateOrder::Unknown), S(u"2024/03/02"));
    EXPECT_EQ(Date(S(u"2024/3/2"), DateOrder::Unknown), S(u"2024/03/02"));
    EXPECT_EQ(Date(S(u"2024年3月2日"), DateOrder::Unknown), S(u"2024/03/02"));
    EXPECT_EQ(Date(S(u"02.03.2024"), DateOrder::Unknown), S(u"2024/03/02"));
    EXPECT_EQ(Date(S(u"02/03/2024"), DateOrder::Dmy), S(u"2024/03/02"));
    EXPECT_EQ(Date(S(u"03/02/2024"), DateOrder::Mdy), S(u"2024/03/02"));
    EXPECT_EQ(Date(S(u"Sep 17, 2008 11:31 AM"), DateOrder::Unknown), S(u"2008/09/17"));
    EXPECT_EQ(ParseDateCell(S(u"Sep 17, 2008 11:31 PM")).time, S(u"23:31"));
    EXPECT_EQ(ParseDateCell(S(u"2024-03-02T08:05:59Z")).time, S(u"08:05"));
    EXPECT_EQ(ParseDateCell(S(u"2024/03/02 8:05")).time, S(u"08:05"));
    EXPECT_EQ(ParseDateCell(S(u"2024/03/02 25:00")).time, S(u"?"));

    QString reason;
    EXPECT_TRUE(DateOfCell(ParseDateCell(S(u"02/03/2024")), DateOrder::Unknown, &reason).isEmpty());
    EXPECT_TRUE(reason.contains(S(u"決まっていません")));
    EXPECT_TRUE(DateOfCell(ParseDateCell(S(u"25/03/2024")), DateOrder::Mdy, &reason).isEmpty());
    EXPECT_TRUE(reason.contains(S(u"月/日/年")));
    EXPECT_TRUE(Date(S(u"2023-02-29"), DateOrder::Unknown).isEmpty());
    EXPECT_TRUE(Date(S(u"yesterday"), DateOrder::Unknown).isEmpty());
    EXPECT_TRUE(Date(S(u"02/03/24"), DateOrder::Dmy).isEmpty());  // two-digit years are not guessed
}

TEST(ImportValues, DateOrderIsSettledByADayAboveTwelve) {
    const auto cells = [](std::initializer_list<const char16_t*> texts) {
        QVector<DateCell> v;
        for (const char16_t* t : texts)
            v.append(ParseDateCell(QString::fromUtf16(t)));
        return v;
    };
    bool conflict = true;
    EXPECT_EQ(SettleDateOrder(cells({u"01/02/2024", u"25/02/2024"}), &conflict), DateOrder::Dmy);
    EXPECT_FALSE(conflict);
    EXPECT_EQ(SettleDateOrder(cells({u"01/02/2024", u"02/25/2024"}), &conflict), DateOrder::Mdy);
    EXPECT_EQ(SettleDateOrder(cells({u"01/02/2024", u"11/12/2024", u"2024-12-31"}), &conflict),
              DateOrder::Unknown);
    EXPECT_FALSE(conflict);
    EXPECT_EQ(SettleDateOrder(cells({u"13/02/2024", u"02/13/2024"}), &conflict), DateOrder::Unknown);
    EXPECT_TRUE(conflict);
}

TEST(ImportValues, TimesFlagsUnitsAndKinds) {
    QString time;
    EXPECT_TRUE(ParseTimeText(S(u"8:30 pm"), &time));
    EXPECT_EQ(time, S(u"20:30"));
    EXPECT_TRUE(ParseTimeText(S(u"12:10 AM"), &time));
    EXPECT_EQ(time, S(u"00:10"));
    EXPECT_TRUE(ParseTimeText(S(u"午後8時05分"), &time));
    EXPECT_EQ(time, S(u"20:05"));
    EXPECT_FALSE(ParseTimeText(S(u"10:60"), &time));
    EXPECT_FALSE(ParseTimeText(S(u"13:00 PM"), &time));

    bool on = false;
    for (const char16_t* yes : {u"1", u"Yes", u"TRUE", u"x", u"○", u"はい", u"満タン"}) {
        EXPECT_TRUE(ParseImportFlag(QString::fromUtf16(yes), &on) && on)
            << QString::fromUtf16(yes).toStdString();
    }
    for (const char16_t* no : {u"", u"0", u"no", u"×", u"いいえ"}) {
        EXPECT_TRUE(ParseImportFlag(QString::fromUtf16(no), &on) && !on)
            << QString::fromUtf16(no).toStdString();
    }
    EXPECT_FALSE(ParseImportFlag(S(u"maybe"), &on));

    EXPECT_EQ(VolumeUnitOfText(S(u"gal")), VolumeUnit::UsGallon);
    EXPECT_EQ(VolumeUnitOfText(S(u"Litres")), VolumeUnit::Litre);
    EXPECT_EQ(VolumeUnitOfText(S(u"imp gal")), VolumeUnit::ImpGallon);
    EXPECT_EQ(DistanceUnitOfText(S(u"mi")), DistanceUnit::Mile);
    EXPECT_EQ(DistanceUnitOfText(S(u"optional")), DistanceUnit::Auto);

    EXPECT_EQ(RowKindOfText(S(u"Gas")), RowKind::Fuel);
    EXPECT_EQ(RowKindOfText(S(u"fuel")), RowKind::Fuel);
    EXPECT_EQ(RowKindOfText(S(u"燃費ﾃﾞｰﾀ")), RowKind::Fuel);
    EXPECT_EQ(RowKindOfText(S(u"Oil Change")), RowKind::Mainte);
    EXPECT_EQ(RowKindOfText(S(u"expense")), RowKind::Mainte);
    EXPECT_EQ(RowKindOfText(S(u"trip")), RowKind::Other);
    EXPECT_EQ(RowKindOfText(QString()), RowKind::Unknown);
}

}  // namespace
}  // namespace tovrel
