// Code page 932 at the file boundary: what the bytes are, damaged input, byte measures.
#include "base/cp932.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <iconv.h>
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
            bool whole = false;
            const QString text = Cp932Decode(bytes, &whole);
            ASSERT_FALSE(text.isEmpty());
            ASSERT_TRUE(text.endsWith(QLatin1Char(',')));
            // Whole exactly when no byte had to be replaced.
            ASSERT_EQ(whole, !text.contains(QChar(QChar::ReplacementCharacter))) << a << ' ' << b;
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

// iconv over the whole stream, skipping one byte as U+FFFD wherever it stops: what the bytes are.
QString IconvStream(const char* to, const char* from, QByteArray input, const QByteArray& skipMark) {
    iconv_t handle = iconv_open(to, from);
    QByteArray out;
    char* in = input.data();
    size_t inLeft = static_cast<size_t>(input.size());
    QByteArray buffer(4096, '\0');
    while (inLeft > 0) {
        char* o = buffer.data();
        size_t oLeft = static_cast<size_t>(buffer.size());
        const size_t rc = iconv(handle, &in, &inLeft, &o, &oLeft);
        out += buffer.left(buffer.size() - static_cast<qsizetype>(oLeft));
        if (rc != static_cast<size_t>(-1) || errno == E2BIG) continue;
        out += skipMark;
        // Decoding skips one byte; encoding skips one whole UTF-8 character.
        size_t skip = 1;
        if (skipMark == "?") {
            const unsigned char lead = static_cast<unsigned char>(*in);
            skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        }
        skip = std::min(skip, inLeft);
        in += skip;
        inLeft -= skip;
    }
    iconv_close(handle);
    return QString::fromLatin1(out.toBase64());
}

TEST(Cp932, DecodesEveryBytePairAsIconvReadsTheStream) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    QByteArray pair(3, '\x81');
    for (int a = 0x80; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            pair[0] = static_cast<char>(a);
            pair[1] = static_cast<char>(b);
            const QString expected = IconvStream("UTF-8", "CP932", pair, "\xEF\xBF\xBD");
            ASSERT_EQ(QString::fromLatin1(Cp932Decode(pair).toUtf8().toBase64()), expected) << a << ' ' << b;
        }
    }
    EXPECT_EQ(QString::fromLatin1(Cp932Decode(all).toUtf8().toBase64()),
              IconvStream("UTF-8", "CP932", all, "\xEF\xBF\xBD"));
}

TEST(Cp932, EncodesEveryCharacterAsIconvDoes) {
    QString all;
    for (int c = 1; c < 0x10000; ++c) {
        if (!QChar::isSurrogate(static_cast<char32_t>(c))) all += QChar(static_cast<char16_t>(c));
    }
    all += u"😀a"_s + QChar(0xD800) + u"b"_s;
    const QByteArray encoded = Cp932Encode(all);
    EXPECT_EQ(QString::fromLatin1(encoded.toBase64()), IconvStream("CP932", "UTF-8", all.toUtf8(), "?"));
    EXPECT_EQ(Cp932Length(all), encoded.size());
    EXPECT_FALSE(Cp932CanEncode(u"漢😀"_s));
    EXPECT_FALSE(Cp932CanEncode(u"é"_s));
    EXPECT_TRUE(Cp932CanEncode(u"漢ｱ?"_s));
}

}  // namespace
}  // namespace tovrel
