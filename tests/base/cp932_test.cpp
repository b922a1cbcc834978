// Code page 932 at the file boundary: what the bytes are, damaged input, byte measures.
#include "base/cp932.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <ostream>

namespace tovrel {
namespace {

using namespace Qt::StringLiterals;

TEST(Cp932, WritesTheWindowsBytes) {
    EXPECT_EQ(Cp932Encode(u"～"_s), QByteArray("\x81\x60"));
    EXPECT_EQ(Cp932Decode(QByteArray("\x81\x60")), u"～"_s);
    EXPECT_EQ(Cp932Encode(u"ｱﾞ"_s), QByteArray("\xB1\xDE"));
    EXPECT_EQ(Cp932Encode(u"漢"_s), QByteArray("\x8A\xBF"));
    EXPECT_EQ(Cp932Encode(u"\\~"_s), QByteArray("\\~"));

    const QString mixed = u"ｴﾝｼﾞﾝｵｲﾙ交換:4,000:純正品"_s;
    EXPECT_EQ(Cp932Decode(Cp932Encode(mixed)), mixed);
    EXPECT_EQ(Cp932Length(mixed), 8 + 4 + 7 + 6);
}

TEST(Cp932, DamagedBytesDecodeToReplacementCharacters) {
    const QString bad(QChar(0xFFFD));
    EXPECT_EQ(Cp932Decode(QByteArray("A\x81")), u"A"_s + bad);
    EXPECT_EQ(Cp932Decode(QByteArray("A\xFF"
                                     "B")),
              u"A"_s + bad + u"B"_s);
    EXPECT_EQ(Cp932Decode(QByteArray("A\x81\r\nB")), u"A"_s + bad + u"\r\nB"_s);

    // A damaged byte never swallows the separators the file formats split at.
    for (int b = 0x80; b <= 0xFF; ++b) {
        for (char sep : QByteArray(",=:#/\r\n")) {
            QByteArray bytes("x");
            bytes += static_cast<char>(b);
            bytes += sep;
            const QString text = Cp932Decode(bytes);
            EXPECT_TRUE(text.endsWith(QLatin1Char(sep))) << std::hex << b << ' ' << int(sep);
            EXPECT_TRUE(text.startsWith(QLatin1Char('x')));
        }
    }
}

TEST(Cp932, EveryByteSequenceDecodesWithoutFailing) {
    // Ended by a byte that can never be the second byte of a character.
    QByteArray bytes(3, ',');
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            bytes[0] = static_cast<char>(a);
            bytes[1] = static_cast<char>(b);
            const QString text = Cp932Decode(bytes);
            ASSERT_FALSE(text.isEmpty());
            ASSERT_TRUE(text.endsWith(QLatin1Char(',')));
        }
    }
}

TEST(Cp932, UnencodableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(Cp932Encode(u"a😀é b"_s), QByteArray("a?? b"));
    EXPECT_EQ(Cp932Encode(u"漢😀字"_s), QByteArray("\x8A\xBF?\x8E\x9A"));
    // Measures agree with what is written.
    for (const QString& text : {u"a😀é b"_s, u"ｴﾝｼﾞﾝ"_s, u"漢字ab～"_s, u"é"_s, QString()}) {
        EXPECT_EQ(Cp932Length(text), Cp932Encode(text).size()) << text.toStdString();
    }
}

TEST(Cp932, LeftAndRightNeverSplitACharacter) {
    EXPECT_EQ(Cp932Left(u"ab漢字"_s, 3), u"ab"_s);
    EXPECT_EQ(Cp932Left(u"ab漢字"_s, 4), u"ab漢"_s);
    EXPECT_EQ(Cp932Left(u"ab漢字"_s, 99), u"ab漢字"_s);
    EXPECT_EQ(Cp932Left(u"ab"_s, 0), QString());
    EXPECT_EQ(Cp932Left(u"ab"_s, -1), QString());
    EXPECT_EQ(Cp932Right(u"漢字ab"_s, 3), u"ab"_s);
    EXPECT_EQ(Cp932Right(u"漢字ab"_s, 4), u"字ab"_s);
    EXPECT_EQ(Cp932Right(u"ｱｲ漢"_s, 3), u"ｲ漢"_s);
    EXPECT_EQ(Cp932Right(u"ab"_s, 0), QString());
    // A surrogate pair is one character ("?").
    EXPECT_EQ(Cp932Left(u"a😀b"_s, 2), u"a😀"_s);
    EXPECT_EQ(Cp932Right(u"a😀b"_s, 2), u"😀b"_s);
}

}  // namespace
}  // namespace tovrel
