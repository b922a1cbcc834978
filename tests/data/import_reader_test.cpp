// Reading an imported file: encodings, refusal of empty and binary files, the separator and the
// records with their quoted cells and line numbers.
#include "data/import_reader.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <QStringEncoder>

namespace tovrel {
namespace {

using namespace test;

QByteArray Encoded(QStringConverter::Encoding encoding, const QString& text) {
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

TEST(ImportReader, DecodesByMarkThenUtf8ThenCp932) {
    const QString text = S(u"日付,給油量\n2024/01/05,30.10\n");
    struct Case {
        QByteArray bytes;
        ImportEncoding encoding;
    } cases[] = {
        {Encoded(QStringConverter::Utf8, text), ImportEncoding::Utf8},
        {QByteArray("\xEF\xBB\xBF") + Encoded(QStringConverter::Utf8, text), ImportEncoding::Utf8Bom},
        {QByteArray("\xFF\xFE") + Encoded(QStringConverter::Utf16LE, text), ImportEncoding::Utf16Le},
        {QByteArray("\xFE\xFF") + Encoded(QStringConverter::Utf16BE, text), ImportEncoding::Utf16Be},
        {Sjis(text), ImportEncoding::Cp932},
    };
    for (const Case& c : cases) {
        QString decoded;
        ImportEncoding encoding{};
        QString error;
        ASSERT_TRUE(DecodeImportText(c.bytes, &decoded, &encoding, &error)) << error.toStdString();
        EXPECT_EQ(encoding, c.encoding);
        EXPECT_EQ(decoded, text);
    }
}

TEST(ImportReader, RefusesEmptyAndBinaryFiles) {
    QString text;
    ImportEncoding encoding{};
    QString error;
    EXPECT_FALSE(DecodeImportText(QByteArray(), &text, &encoding, &error));
    EXPECT_TRUE(error.contains(S(u"空")));
    EXPECT_FALSE(DecodeImportText(QByteArray("\xEF\xBB\xBF \r\n\r\n"), &text, &encoding, &error));
    EXPECT_TRUE(error.contains(S(u"空")));
    const QByteArray png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10", 20);
    EXPECT_FALSE(DecodeImportText(png, &text, &encoding, &error));
    EXPECT_TRUE(error.contains(S(u"テキストファイルではない")));
    // UTF-16 without its mark is full of NUL bytes: not taken as text.
    EXPECT_FALSE(
        DecodeImportText(Encoded(QStringConverter::Utf16LE, S(u"date,fuel\n")), &text, &encoding, &error));
    ImportFile file;
    EXPECT_FALSE(ReadImportFile(QByteArray("\0\1\2\3", 4), &file, &error));
}

TEST(ImportReader, SeparatorIsTheOneThatSplitsLinesAlike) {
    // Decimal commas vary per line; the semicolons do not.
    EXPECT_EQ(DetectSeparator(S(u"Date;Fuel;Cost\n2024-01-05;30,10;4.500\n2024-01-19;28;4.200,5\n")),
              QLatin1Char(';'));
    EXPECT_EQ(DetectSeparator(S(u"date\tnotes\n2024-01-05\ta, b, c\n2024-01-19\tx\n")), QLatin1Char('\t'));
    EXPECT_EQ(DetectSeparator(S(u"title\n\ndate,odo,fuel\n1,2,3\n4,5,6\n")), QLatin1Char(','));
    // Separators inside quotes do not count.
    EXPECT_EQ(DetectSeparator(S(u"a;b\n\"1,2,3\";4\n\"5,6,7\";8\n")), QLatin1Char(';'));
}

TEST(ImportReader, QuotedCellsHoldSeparatorsQuotesAndLineBreaks) {
    const QString text =
        S(u"date,notes,cost\r\n"
          u"2024-01-05,\"rain, then \"\"sun\"\"\",100\r\n"
          u"2024-01-06,\"two\r\nlines\",200\r\n"
          u"\r\n"
          u"2024-01-07, \"spaced\" ,\r\n"
          u"2024-01-08,last,300");
    const QVector<ImportRow> rows = SplitRecords(text, QLatin1Char(','));
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[1].cells, (QStringList{S(u"2024-01-05"), S(u"rain, then \"sun\""), S(u"100")}));
    EXPECT_EQ(rows[2].Cell(1), S(u"two\nlines"));
    EXPECT_EQ(rows[3].Cell(1), S(u"spaced "));
    EXPECT_EQ(rows[3].Cell(2), QString());
    EXPECT_EQ(rows[3].Cell(7), QString());
    // Line numbers count the physical lines, including those inside a quoted cell and blank ones.
    EXPECT_EQ(rows[0].line, 1);
    EXPECT_EQ(rows[2].line, 3);
    EXPECT_EQ(rows[3].line, 6);
    EXPECT_EQ(rows[4].line, 7);
    EXPECT_EQ(rows[4].Cell(2), S(u"300"));
}

TEST(ImportReader, ReadsTheHandWrittenSpreadsheetFile) {
    ImportFile file;
    QString error;
    ASSERT_TRUE(ReadImportFile(FixtureBytes(S(u"import/spreadsheet_semicolon.csv")), &file, &error));
    EXPECT_EQ(file.encoding, ImportEncoding::Utf8Bom);
    EXPECT_EQ(file.separator, QLatin1Char(';'));
    ASSERT_EQ(file.rows.size(), 5);  // the trailing empty line is no record
    EXPECT_EQ(file.rows[0].Cell(0), S(u" Date "));
    EXPECT_EQ(file.rows[2].Cell(6), S(u"Rain; long trip\nback \"home\""));
    EXPECT_EQ(file.rows[3].line, 5);
}

}  // namespace
}  // namespace tovrel
