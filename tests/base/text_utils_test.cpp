// Number, text, date and time helpers: the rules every computation reads fields with.
#include "base/text_utils.h"

#include "base/cp932.h"
#include "base/prompter.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <algorithm>
#include <cstring>

#include <array>
#include <cmath>
#include <limits>
#include <ostream>
#include <vector>

namespace tovrel {
namespace {

using namespace Qt::StringLiterals;

TEST(FormatInt, PadsOrKeepsTheRightmostDigits) {
    EXPECT_EQ(FormatInt(7, 3, u"0"_s), u"007"_s);
    EXPECT_EQ(FormatInt(1234, 3, u"0"_s), u"234"_s);
    EXPECT_EQ(FormatInt(1000, 3, u"0"_s), u"000"_s);
    EXPECT_EQ(FormatInt(5, 4, QString()), u"   5"_s);
    EXPECT_EQ(FormatInt(5, 4, u"xy"_s), u"xxx5"_s);
    EXPECT_EQ(FormatInt(123, 3, u"0"_s), u"123"_s);
    EXPECT_EQ(FormatInt(-5, 4, u"0"_s), u"00-5"_s);
    EXPECT_EQ(FormatInt(-123, 2, u"0"_s), u"23"_s);
    EXPECT_EQ(FormatInt(42, 0, u"0"_s), QString());
    EXPECT_EQ(FormatInt(std::numeric_limits<qint64>::min(), 25, u" "_s), u"     -9223372036854775808"_s);
    EXPECT_EQ(FormatInt(std::numeric_limits<qint64>::max(), 1, u" "_s), u"7"_s);
    for (int value = -120; value <= 120; ++value) {
        const QString digits = QString::number(value);
        EXPECT_EQ(TwoDigits(value), digits.size() < 2 ? u"0"_s + digits : digits.right(2)) << value;
    }
    // The static texts behind the two digits stay as they are when a copy is changed.
    QString month = TwoDigits(7);
    month += u'月';
    EXPECT_EQ(month, u"07月"_s);
    EXPECT_EQ(TwoDigits(7), u"07"_s);
    const QString eight = TwoDigits(8);
    EXPECT_EQ(eight.utf16()[2], 0);  // terminated for C interfaces
}

TEST(ParseInt, AcceptsOnlyAWholeSignedDecimalInRange) {
    EXPECT_EQ(ParseInt(u" 42 "_s, -1), 42);
    EXPECT_EQ(ParseInt(u"-7"_s, -1), -7);
    EXPECT_EQ(ParseInt(u"+7"_s, -1), 7);
    EXPECT_EQ(ParseInt(u"１２３"_s, -1), 123);
    EXPECT_EQ(ParseInt(u"－１２"_s, -1), -12);
    EXPECT_EQ(ParseInt(u"　１２　"_s, -1), 12);
    EXPECT_EQ(ParseInt(u"2147483647"_s, -1), std::numeric_limits<int>::max());
    EXPECT_EQ(ParseInt(u"-2147483648"_s, -1), std::numeric_limits<int>::min());
    for (const QString& bad : {u"2147483648"_s, u"-2147483649"_s, u"99999999999999999999"_s, QString(),
                               u"-"_s, u"+"_s, u"1.5"_s, u"12a"_s, u"1 2"_s, u"0x10"_s, u"1,000"_s}) {
        EXPECT_EQ(ParseInt(bad, -1), -1) << bad.toStdString();
    }
}

TEST(ParseNumber, ReadsFullWidthAndGroupedTextsAndRoundsHalfAway) {
    EXPECT_DOUBLE_EQ(ParseNumber(u"１，２３４．５６７"_s, 2, 0), 1234.57);
    EXPECT_DOUBLE_EQ(ParseNumber(u" 1,234 "_s, 0, 0), 1234);
    EXPECT_DOUBLE_EQ(ParseNumber(u"-2.5"_s, 0, 0), -3);
    // Half away from zero on the binary value: 0.125 is exact, 1.005 lies just below the half.
    EXPECT_DOUBLE_EQ(ParseNumber(u"0.125"_s, 2, 0), 0.13);
    EXPECT_DOUBLE_EQ(ParseNumber(u"-0.125"_s, 2, 0), -0.13);
    EXPECT_DOUBLE_EQ(ParseNumber(u"1.005"_s, 2, 0), 1.0);
    for (const QString& bad :
         {u"abc"_s, QString(), u"1.2.3"_s, u"inf"_s, u"nan"_s, u"1e400"_s, u"0x1A"_s, u"."_s}) {
        EXPECT_DOUBLE_EQ(ParseNumber(bad, 2, -1), -1) << bad.toStdString();
    }
}

TEST(RoundFraction, TruncatesRoundsAndRoundsUpIncludingNegatives) {
    EXPECT_DOUBLE_EQ(RoundFraction(0, 0, 95.238), 95);
    EXPECT_DOUBLE_EQ(RoundFraction(1, 0, 95.238), 95);
    EXPECT_DOUBLE_EQ(RoundFraction(2, 0, 95.238), 96);
    EXPECT_DOUBLE_EQ(RoundFraction(0, 0, -2.5), -2);
    EXPECT_DOUBLE_EQ(RoundFraction(1, 0, -2.5), -3);
    EXPECT_DOUBLE_EQ(RoundFraction(2, 0, -2.5), -3);
    EXPECT_DOUBLE_EQ(RoundFraction(2, 0, -0.01), -1);
    EXPECT_DOUBLE_EQ(RoundFraction(1, 2, 95.238), 95.24);
    EXPECT_DOUBLE_EQ(RoundFraction(2, 1, 96.0), 96.0);
    EXPECT_DOUBLE_EQ(RoundFraction(7, 1, 95.238), 95.238);  // other modes leave the value
}

TEST(RoundFraction, ActsOnTheDecimalValueNotOnBinaryNoise) {
    EXPECT_DOUBLE_EQ(RoundFraction(0, 0, 0.29 * 100), 29);  // 28.999999999999996
    EXPECT_DOUBLE_EQ(RoundFraction(2, 1, 1.1 * 3), 3.3);    // 3.3000000000000003
    EXPECT_DOUBLE_EQ(RoundFraction(1, 2, 1.005), 1.01);
    // Formatting, by contrast, rounds the binary value.
    EXPECT_DOUBLE_EQ(RoundHalfAway(1.005, 2), 1.0);
    EXPECT_DOUBLE_EQ(RoundHalfAway(0.125, 2), 0.13);
    EXPECT_DOUBLE_EQ(RoundHalfAway(-2.5, 0), -3);
}

TEST(FormatFixed, RightAlignsWithoutCutting) {
    EXPECT_EQ(FormatFixed(0, 2, 1234.5), u"1234.50"_s);
    EXPECT_EQ(FormatFixed(8, 1, 3.14159), u"     3.1"_s);
    EXPECT_EQ(FormatFixed(3, 2, 1234.5), u"1234.50"_s);
    EXPECT_EQ(FormatFixed(0, 2, -0.125), u"-0.13"_s);
    EXPECT_EQ(FormatFixed(0, 0, -0.4), u"0"_s);
    EXPECT_EQ(FormatFixed(0, 2, std::nan("")), QString());
    EXPECT_EQ(FormatFixed(6, 2, std::numeric_limits<double>::infinity()), QString());
}

TEST(FormatGrouped, GroupsTheRoundedValue) {
    EXPECT_EQ(FormatGrouped(1234567.456, 1), u"1,234,567.5"_s);
    EXPECT_EQ(FormatGrouped(-1234.5, 0), u"-1,235"_s);
    EXPECT_EQ(FormatGrouped(-999.6, 0), u"-1,000"_s);
    EXPECT_EQ(FormatGrouped(999, 0), u"999"_s);
    EXPECT_EQ(FormatGrouped(-0.4, 0), u"0"_s);
    EXPECT_EQ(FormatGrouped(12.0, 1), u"12.0"_s);
}

TEST(GroupDigits, GroupsTheIntegerPartAndKeepsTheFraction) {
    EXPECT_EQ(GroupDigits(u"1234567.50"_s), u"1,234,567.50"_s);
    EXPECT_EQ(GroupDigits(u"-123"_s), u"-123"_s);
    EXPECT_EQ(GroupDigits(u"-123456"_s), u"-123,456"_s);
    EXPECT_EQ(GroupDigits(u" 1234 .5"_s), u"1,234.5"_s);
    EXPECT_EQ(GroupDigits(u"007"_s), u"7"_s);
    EXPECT_EQ(GroupDigits(u"-0"_s), u"0"_s);
    EXPECT_EQ(GroupDigits(u"１２３４"_s), u"1,234"_s);
    EXPECT_EQ(GroupDigits(u"12345678901234"_s), u"12,345,678,901,234"_s);  // an odometer beyond 32 bits
    EXPECT_EQ(GroupDigits(u"abc"_s), u"0"_s);
    EXPECT_EQ(GroupDigits(QString()), u"0"_s);
    EXPECT_EQ(GroupDigits(u".5"_s), u"0.5"_s);
    // A negative number between -1 and 0 keeps its sign.
    EXPECT_EQ(GroupDigits(u"-0.5"_s), u"-0.5"_s);
    EXPECT_EQ(GroupDigits(u"-.5"_s), u"-0.5"_s);
    EXPECT_EQ(GroupDigits(u"-0.00"_s), u"0.00"_s);
    EXPECT_EQ(StripGrouping(u" 1,234,567.5 "_s), u"1234567.5"_s);
}

TEST(GroupDigits, BlanksSignsAndFullWidthAroundTheIntegerPart) {
    EXPECT_EQ(GroupDigits(u" -5 "_s), u"-5"_s);
    EXPECT_EQ(GroupDigits(u"12 .5"_s), u"12.5"_s);
    EXPECT_EQ(GroupDigits(u"　１２　"_s), u"12"_s);
    EXPECT_EQ(GroupDigits(u"－１２３４"_s), u"-1,234"_s);
    EXPECT_EQ(GroupDigits(u"+.5"_s), u"0.5"_s);
    EXPECT_EQ(GroupDigits(u"12.abc"_s), u"12.abc"_s);   // the fraction is kept as written
    EXPECT_EQ(GroupDigits(u"1.５"_s, 6), u"  1.５"_s);  // padded in code page 932 bytes
    for (const QString& unreadable : {u"- 5"_s, u"1 2"_s, u"-"_s, u"１２．５"_s})
        EXPECT_EQ(GroupDigits(unreadable), u"0"_s) << unreadable.toStdString();
}

// The number rules stated the plain way, with whole texts and patterns: the reference that the
// readers and GroupDigits must agree with on every text.
bool ReferenceNumber(const QString& text, int decimals, double* value) {
    static const QRegularExpression real(u"^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"_s);
    const QString s = StripGrouping(ToHalfWidth(text));
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!real.match(s).hasMatch() || !ok || !std::isfinite(v)) return false;
    *value = RoundHalfAway(v, decimals);
    return true;
}

QString ReferenceGroup(const QString& text, int width) {
    static const QRegularExpression form(u"^([+-]?)([0-9]*)$"_s);
    const qsizetype dot = text.indexOf(u'.');
    const QString fraction = dot < 0 ? QString() : text.mid(dot);
    const QRegularExpressionMatch m =
        form.match(ToHalfWidth(text.left(dot < 0 ? text.size() : dot)).trimmed());
    QString digits = m.captured(2);
    if (!m.hasMatch() || (digits.isEmpty() && (m.captured(1).isEmpty() || fraction.size() < 2)))
        return PadLeft(u"0"_s + fraction, width);
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (digits.isEmpty()) digits = u"0"_s;
    const bool aboveZero = digits != u"0"_s || std::any_of(fraction.begin(), fraction.end(),
                                                           [](QChar c) { return c.isDigit() && c != u'0'; });
    for (qsizetype k = digits.size() - 3; k > 0; k -= 3)
        digits.insert(k, u',');
    return PadLeft((m.captured(1) == u"-"_s && aboveZero ? u"-"_s : QString()) + digits + fraction, width);
}

TEST(NumberRules, EveryShapeOfTextReadsAndGroupsAsTheReferenceSays) {
    for (const QString& text : test::NumberTextsOfEveryShape()) {
        for (int decimals : {0, 2}) {
            double expected = 0;
            const bool isNumber = ReferenceNumber(text, decimals, &expected);
            double actual = 0;
            ASSERT_EQ(ReadNumber(text, decimals, &actual), isNumber) << text.toStdString();
            if (!isNumber) expected = RoundHalfAway(-7.25, decimals);
            EXPECT_EQ(ParseNumber(text, decimals, -7.25), expected) << text.toStdString() << " " << decimals;
            EXPECT_EQ(IsNumberText(text), isNumber) << text.toStdString();
        }
        EXPECT_EQ(IsPlainHalfWidth(text), StripGrouping(ToHalfWidth(text)) == text) << text.toStdString();
        for (int width : {0, 9})
            ASSERT_EQ(GroupDigits(text, width), ReferenceGroup(text, width)) << text.toStdString();
    }
}

TEST(TextUtils, PadLeftNeverCutsAndNumberTextsAreRecognised) {
    EXPECT_EQ(PadLeft(u"-119,990"_s, 7), u"-119,990"_s);
    EXPECT_EQ(PadLeft(u"1,234"_s, 7), u"  1,234"_s);
    EXPECT_EQ(PadLeft(u"軽油"_s, 6), u"  軽油"_s);
    for (const QString& number :
         {u"1e5"_s, u"-.5"_s, u" 1,234.5 "_s, u"１２"_s, u"+7"_s, u"12345678901234567890"_s})
        EXPECT_TRUE(IsNumberText(number)) << number.toStdString();
    for (const QString& text : {QString(), u"abc"_s, u"1e999"_s, u"1.2.3"_s, u"0x10"_s, u"--5"_s, u"inf"_s})
        EXPECT_FALSE(IsNumberText(text)) << text.toStdString();
    EXPECT_TRUE(IsPlainDecimal(u"-1,234.50"_s));
    EXPECT_FALSE(IsPlainDecimal(u"1e5"_s));
    EXPECT_FALSE(IsPlainDecimal(u"abc"_s));
}

TEST(TextUtils, CommaItemAndDefaultMarkAndReplaceAll) {
    const QString setting = u"1,5000,1,180,1,点検済,"_s;
    EXPECT_EQ(CommaItem(setting, 6), u"点検済"_s);
    EXPECT_EQ(CommaItem(setting, 7), QString());
    EXPECT_EQ(CommaItem(setting, 8), QString());
    EXPECT_EQ(CommaItem(setting, 2), u"5000"_s);
    EXPECT_EQ(CommaItem(setting, 0), u"1"_s);
    EXPECT_EQ(CommaItem(setting, -3), u"1"_s);
    EXPECT_EQ(CommaItem(QString(), 1), QString());
    for (const QString& text : {setting, u",a,,b"_s, u"a"_s, QString()}) {
        std::array<QString, 9> items;
        CommaItems(text, items);
        for (int n = 1; n <= 9; ++n)
            EXPECT_EQ(items[n - 1], CommaItem(text, n)) << text.toStdString() << ' ' << n;
    }

    EXPECT_EQ(StripDefaultMark(u"*晴れ"_s), u"晴れ"_s);
    EXPECT_EQ(StripDefaultMark(u"**a"_s), u"*a"_s);
    EXPECT_EQ(StripDefaultMark(u"a*"_s), u"a*"_s);

    EXPECT_EQ(ReplaceAll(u"a,b,,c"_s, u","_s, u"."_s), u"a.b..c"_s);
    EXPECT_EQ(ReplaceAll(u"aab"_s, u"ab"_s, u"b"_s), u"b"_s);     // searched again from the start
    EXPECT_EQ(ReplaceAll(u"ソ\\"_s, u"\\"_s, u"/"_s), u"ソ/"_s);  // ソ's second byte is "\"
    EXPECT_EQ(ReplaceAll(u"a"_s, u"a"_s, u"aa"_s), u"aa"_s);
    EXPECT_EQ(ReplaceAll(u"abc"_s, QString(), u"x"_s), u"abc"_s);
}

TEST(TextUtils, AlignPadsAndCutsInBytesToTheExactWidth) {
    EXPECT_EQ(AlignRight(u"12"_s, 5), u"   12"_s);
    EXPECT_EQ(AlignRight(u"漢字"_s, 6), u"  漢字"_s);
    EXPECT_EQ(AlignRight(u"123456"_s, 4), u"3456"_s);
    EXPECT_EQ(AlignRight(u"漢字"_s, 3), u" 字"_s);
    EXPECT_EQ(AlignLeft(u"ｱｲ"_s, 4), u"ｱｲ  "_s);
    EXPECT_EQ(AlignLeft(u"abcdef"_s, 3), u"abc"_s);
    EXPECT_EQ(AlignLeft(u"漢字"_s, 3), u"漢 "_s);
    for (const QString& text : {u"ｴﾝｼﾞﾝ交換"_s, u"漢字ab"_s, u"a漢"_s, QString()}) {
        for (int width = 0; width <= 10; ++width) {
            EXPECT_EQ(Cp932Length(AlignRight(text, width)), width);
            EXPECT_EQ(Cp932Length(AlignLeft(text, width)), width);
        }
    }
}

TEST(ToHalfWidth, ConvertsTheSignTableAsFilesDecodeIt) {
    struct Sign {
        unsigned short sjis;
        char ascii;
    };
    const std::vector<Sign> table = {
        {0x8140, ' '},  {0x8143, ','},  {0x8144, '.'}, {0x8146, ':'}, {0x8147, ';'},  {0x8148, '?'},
        {0x8149, '!'},  {0x814F, '^'},  {0x815E, '/'}, {0x8160, '~'}, {0x8162, '|'},  {0x8165, '\''},
        {0x8166, '\''}, {0x818C, '\''}, {0x8167, '"'}, {0x8168, '"'}, {0x818D, '"'},  {0x8169, '('},
        {0x816A, ')'},  {0x816D, '['},  {0x816E, ']'}, {0x816F, '{'}, {0x8170, '}'},  {0x817B, '+'},
        {0x817C, '-'},  {0x8181, '='},  {0x8183, '<'}, {0x8184, '>'}, {0x818F, '\\'}, {0x8190, '$'},
        {0x8193, '%'},  {0x8194, '#'},  {0x8195, '&'}, {0x8196, '*'}, {0x8197, '@'}};
    auto decode = [](unsigned short sjis) {
        QByteArray bytes;
        bytes += static_cast<char>(sjis >> 8);
        bytes += static_cast<char>(sjis & 0xFF);
        return Cp932Decode(bytes);
    };
    for (const Sign& s : table) {
        const QString wide = decode(s.sjis);
        ASSERT_EQ(wide.size(), 1) << std::hex << s.sjis;
        EXPECT_EQ(ToHalfWidth(wide), QString(QLatin1Char(s.ascii))) << std::hex << s.sjis;
    }
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(ToHalfWidth(decode(0x824F + i)), QString(QLatin1Char('0' + i)));
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(ToHalfWidth(decode(0x8260 + i)), QString(QLatin1Char('A' + i)));
        EXPECT_EQ(ToHalfWidth(decode(0x8281 + i)), QString(QLatin1Char('A' + i)));
    }
}

TEST(ToHalfWidth, UpperCasesLettersAndLeavesEverythingElse) {
    EXPECT_EQ(ToHalfWidth(u"abc xyz 09"_s), u"ABC XYZ 09"_s);
    EXPECT_EQ(ToHalfWidth(u"ｱｲｳﾞ漢字、。＿｀"_s), u"ｱｲｳﾞ漢字、。＿｀"_s);
    EXPECT_EQ(ToHalfWidth(u"ｶﾞｿﾘﾝ１２．５ℓ"_s), u"ｶﾞｿﾘﾝ12.5ℓ"_s);
}

TEST(Dates, TextAndDayNumbers) {
    EXPECT_EQ(DateToText(QDate(2004, 3, 5)), u"2004/03/05"_s);
    EXPECT_EQ(DateToText(QDate(999, 1, 1)), u"0999/01/01"_s);
    EXPECT_EQ(TextToDate(u"2004/05/01"_s), QDate(2004, 5, 1));
    EXPECT_EQ(TextToDate(u"    /  /  "_s), QDate(2000, 1, 1));
    EXPECT_FALSE(TextToDate(u"2004/02/30"_s).isValid());
    EXPECT_EQ(DayNumber(TextToDate(u"2004/02/30"_s)), 0);
    EXPECT_EQ(DayNumber(QDate(1899, 12, 30)), 0);
    EXPECT_EQ(DayNumber(QDate(1900, 1, 1)), 2);
    EXPECT_EQ(DayNumber(QDate(2004, 5, 1)), 38108);
    EXPECT_EQ(DateFromDayNumber(38108.75), QDate(2004, 5, 1));
}

TEST(Dates, ParseDateStrictReportsAnInvalidDateAndGivesZero) {
    test::RecordingPrompter prompter;
    EXPECT_EQ(ParseDateStrict(u"2004/5/1"_s), 38108);
    EXPECT_TRUE(prompter.prompts.isEmpty());

    EXPECT_EQ(ParseDateStrict(u"2004/02/30"_s), 0);
    ASSERT_EQ(prompter.prompts.size(), 1);
    EXPECT_EQ(prompter.prompts[0].caption, u"日付ｴﾗｰ"_s);
    EXPECT_EQ(prompter.prompts[0].text, u"正しくない日付を検出しました。 <2004/02/30>"_s);
    EXPECT_EQ(prompter.prompts[0].icon, PromptIcon::Error);
    EXPECT_EQ(prompter.prompts[0].buttons, PromptButtons::Ok);

    EXPECT_EQ(ParseDateStrict(QString()), 0);
    EXPECT_EQ(prompter.prompts.size(), 2);
}

TEST(Dates, NormalizeDate) {
    int y = 0, m = 0, d = 0;
    EXPECT_EQ(NormalizeDate(u"2000/2/29"_s, &y, &m, &d), u"2000/02/29"_s);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20000229);
    EXPECT_EQ(NormalizeDate(u"2004/02/30"_s, &y, &m, &d), QString());
    EXPECT_EQ(y * 10000 + m * 100 + d, 20040230);  // numbers are given even when invalid
    EXPECT_EQ(NormalizeDate(u" 2004/3/5 "_s), u"2004/03/05"_s);
    EXPECT_EQ(NormalizeDate(u"２００４/３/５"_s), u"2004/03/05"_s);
    for (const QString& bad : {u"999/01/01"_s, u"2100/2/29"_s, u"2004/13/01"_s, u"2004/00/10"_s,
                               u"2004/01/00"_s, u"2004-03-05"_s, u"2004/03"_s, u"    /  /  "_s, QString()}) {
        EXPECT_EQ(NormalizeDate(bad), QString()) << bad.toStdString();
    }
}

TEST(Dates, NormalizeTimeAndWeekday) {
    EXPECT_EQ(NormalizeTime(u"9:5"_s), u"09:05"_s);
    EXPECT_EQ(NormalizeTime(u" 08:30 "_s), u"08:30"_s);
    EXPECT_EQ(NormalizeTime(u"24:00"_s), u"24:00"_s);
    EXPECT_EQ(NormalizeTime(u"  :  "_s), u"  :  "_s);
    for (const QString& bad : {u"25:00"_s, u"10:60"_s, u"1000"_s, u"-1:30"_s, u"10:-5"_s, QString()}) {
        EXPECT_EQ(NormalizeTime(bad), QString()) << bad.toStdString();
    }

    EXPECT_EQ(WeekdayText(2004, 5, 1), u"土"_s);
    EXPECT_EQ(WeekdayText(2004, 5, 2), u"日"_s);
    EXPECT_EQ(WeekdayText(2004, 5, 3), u"月"_s);
    EXPECT_EQ(WeekdayText(2004, 2, 30), u"？"_s);
    EXPECT_EQ(WeekdayText(0, 0, 0), u"？"_s);
}

TEST(HourMinutes, ParseAndFormat) {
    EXPECT_EQ(ParseHourMinutes(u"1:30"_s), 90);
    EXPECT_EQ(ParseHourMinutes(u"130"_s), 90);
    EXPECT_EQ(ParseHourMinutes(u"0130"_s), 90);
    EXPECT_EQ(ParseHourMinutes(u"-0:45"_s), -45);
    EXPECT_EQ(ParseHourMinutes(u"-130"_s), -90);
    EXPECT_EQ(ParseHourMinutes(u"１：３０"_s), 90);
    EXPECT_EQ(ParseHourMinutes(u"1.30"_s), 90);
    EXPECT_EQ(ParseHourMinutes(u"1:5"_s), 65);
    EXPECT_EQ(ParseHourMinutes(u"45"_s), 45 * 60);  // fewer than 3 characters: hours
    EXPECT_EQ(ParseHourMinutes(QString()), 0);
    EXPECT_EQ(ParseHourMinutes(u"abc"_s), 0);

    EXPECT_EQ(FormatHourMinutes(-45, 2, false), u"-0:45"_s);
    EXPECT_EQ(FormatHourMinutes(545, 2, false), u" 9:05"_s);
    EXPECT_EQ(FormatHourMinutes(0, 2, false), QString());
    EXPECT_EQ(FormatHourMinutes(0, 2, true), u" 0:00"_s);
    EXPECT_EQ(FormatHourMinutes(6000, 2, false), u"100:00"_s);
    EXPECT_EQ(FormatHourMinutes(-600, 2, false), u"-10:00"_s);  // no space to take the sign
    EXPECT_EQ(ParseHourMinutes(FormatHourMinutes(-600, 2, false)), -600);
}

// Plain decimal texts take a shortcut; it must give the very same doubles as the general
// conversion followed by rounding.
TEST(ParseNumber, PlainDecimalsReadAsTheGeneralConversionDoes) {
    const char* texts[] = {"0", "-0", "350.5", "  1,234.56", "1,2,3", ",-5", "+7.", ".5", "-.05", "12.35",
                           "-12.34", "0.12", "99999999999999.99", "1.005", "2.675", "5,", "123456789012345"};
    for (int decimals = 0; decimals <= 4; ++decimals) {
        for (const char* t : texts) {
            const QString text = QString::fromLatin1(t);
            const double expected = RoundHalfAway(StripGrouping(text).toDouble(), decimals);
            const double actual = ParseNumber(text, decimals, -1);
            EXPECT_EQ(std::memcmp(&expected, &actual, sizeof(double)), 0) << t << " " << decimals;
        }
    }
    for (int i = -20000; i <= 20000; i += 7) {
        const QString text = QString::number(i / 100.0, 'f', 2);
        EXPECT_EQ(ParseNumber(text, 2, 0), RoundHalfAway(text.toDouble(), 2)) << i;
    }
    EXPECT_EQ(ParseNumber(QStringLiteral("1 2"), 2, -1), -1);
    EXPECT_EQ(ParseNumber(QStringLiteral("-"), 2, -1), -1);
    EXPECT_EQ(ParseNumber(QStringLiteral("1e3"), 2, -1), 1000);
    // Fifteen digits scaled to four decimals need all 64 bits of the shortcut.
    EXPECT_EQ(ParseNumber(QStringLiteral("999999999999999"), 4, -1), 999999999999999.0);
}

}  // namespace
}  // namespace tovrel
