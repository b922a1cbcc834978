// Column mapping of imported files: the synonyms, the ready formats and the heading row.
#include "data/import_columns.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace tovrel {
namespace {

using namespace test;

QVector<ImportField> Fields(const QStringList& headings, const QString& format = QStringLiteral("generic")) {
    QVector<ImportField> fields;
    for (const ColumnMapping& m : MapColumns(headings, format))
        fields.append(m.field);
    return fields;
}

QVector<ImportRow> Rows(const QString& text) {
    return SplitRecords(text, QLatin1Char(','));
}

TEST(ImportColumns, SynonymsInEnglishAndJapaneseWithUnitsInTheHeading) {
    using F = ImportField;
    EXPECT_EQ(Fields({S(u" Date "), S(u"ODO (mi)"), S(u"Fuel [gal]"), S(u"Total cost"), S(u"Price"),
                      S(u"Partial Fill"), S(u"Missed"), S(u"Brand"), S(u"Fuel Type"), S(u"Notes"), S(u"MPG"),
                      S(u"something else")}),
              (QVector<F>{F::Date, F::Odometer, F::Quantity, F::Cost, F::UnitPrice, F::Partial, F::Missed,
                          F::Station, F::FuelType, F::Notes, F::Ignore, F::Ignore}));
    EXPECT_EQ(Fields({S(u"日付"), S(u"走行距離"), S(u"給油距離"), S(u"給油量"), S(u"金額"), S(u"単価"),
                      S(u"スタンド"), S(u"燃料種別"), S(u"メモ"), S(u"満タン")}),
              (QVector<F>{F::Date, F::Odometer, F::Trip, F::Quantity, F::Cost, F::UnitPrice, F::Station,
                          F::FuelType, F::Notes, F::Full}));
    const QVector<ColumnMapping> units =
        MapColumns({S(u"Odometer (mi)"), S(u"Gallons"), S(u"Litres")}, S(u"generic"));
    EXPECT_EQ(units[0].distance, DistanceUnit::Mile);
    EXPECT_EQ(units[1].volume, VolumeUnit::UsGallon);
    EXPECT_EQ(units[2].field, F::Ignore);  // a field goes to its first column only
}

TEST(ImportColumns, ThisProgramsMainListWithItsSpacedHeadings) {
    using F = ImportField;
    // The headings of the default main-list print form, as the CSV export writes them.
    const QStringList headings = {S(u"No."),        S(u"日  付"),   S(u"曜"),           S(u"時 刻"),
                                  S(u"天気"),       S(u"給油距離"), S(u"走行距離"),     S(u"給 油"),
                                  S(u"燃費"),       S(u"金 額"),    S(u"単価"),         S(u"燃料種別"),
                                  S(u"スタンド"),   S(u"パターン"), S(u"メンテナンス"), S(u"単価"),
                                  S(u"メンテメモ"), S(u"ショップ"), S(u"メ  モ")};
    EXPECT_EQ(DetectImportFormat(headings), S(u"tovrel"));
    EXPECT_EQ(Fields(headings, S(u"tovrel")),
              (QVector<F>{F::Ignore, F::Date, F::Ignore, F::Time, F::Weather, F::Trip, F::Odometer,
                          F::Quantity, F::Ignore, F::Cost, F::UnitPrice, F::FuelType, F::Station, F::Pattern,
                          F::MainteItem, F::MainteCost, F::MainteMemo, F::Shop, F::Notes}));
}

TEST(ImportColumns, ReadyFormatsOfOtherPrograms) {
    using F = ImportField;
    const QStringList roadTrip = {S(u"Type"),        S(u"Date"),        S(u"Odometer"),
                                  S(u"Trip Meter"),  S(u"Fill Amount"), S(u"Price Per Unit"),
                                  S(u"Total Price"), S(u"Description")};
    EXPECT_EQ(DetectImportFormat(roadTrip), S(u"roadtrip"));
    EXPECT_EQ(Fields(roadTrip, S(u"roadtrip")),
              (QVector<F>{F::Kind, F::Date, F::Odometer, F::Trip, F::Quantity, F::UnitPrice, F::Cost,
                          F::MainteItem}));
    const QStringList carCare = {S(u"Odometer"), S(u"Entry Type"),     S(u"Entry Subtype"),
                                 S(u"Quantity"), S(u"Quantity Units"), S(u"Is Full Tank"),
                                 S(u"Reset"),    S(u"Currency"),       S(u"Price"),
                                 S(u"Notes"),    S(u"Date"),           S(u"Location")};
    EXPECT_EQ(DetectImportFormat(carCare), S(u"carcare"));
    // Its Location holds coordinates and its Reset restarts the economy.
    EXPECT_EQ(Fields(carCare, S(u"carcare")),
              (QVector<F>{F::Odometer, F::Kind, F::FuelType, F::Quantity, F::VolumeUnitCell, F::Full,
                          F::Missed, F::Ignore, F::UnitPrice, F::Notes, F::Date, F::Ignore}));
    EXPECT_EQ(Fields({S(u"Location")}), QVector<F>{F::Station});
    EXPECT_EQ(DetectImportFormat({S(u"date"), S(u"fuel")}), S(u"generic"));
}

TEST(ImportColumns, HeadingRowAfterTitleLinesAndInItsSection) {
    ImportTableSpan span;
    // This program's CSV: the title and the period come first.
    ASSERT_TRUE(LocateImportTable(
        Rows(
            S(u"燃費一覧\n2004/05/01～2004/05/03\nNo.,日  付,給油距離,走行距離,給 油\n1,2004/05/01,1,2,3\n")),
        kAutoFormat, &span));
    EXPECT_EQ(span.header, 2);
    EXPECT_EQ(span.format, S(u"tovrel"));
    EXPECT_EQ(span.end, 4);

    const QVector<ImportRow> sectioned =
        Rows(S(u"## Vehicle\nName,Make\nwagon,x\n## Log\nDate,Odometer,Fuel\n2024-01-01,1,2\n2024-01-02,3,4\n"
               u"## Costs\nDate,Title,Cost\n2024-01-03,wash,800\n"));
    ASSERT_TRUE(LocateImportTable(sectioned, kAutoFormat, &span));
    EXPECT_EQ(span.header, 4);
    EXPECT_EQ(span.end, 7);
    EXPECT_EQ(span.section, S(u"Log"));

    EXPECT_FALSE(LocateImportTable(Rows(S(u"a,b,c\n1,2,3\n")), kAutoFormat, &span));
}

}  // namespace
}  // namespace tovrel
