// The text of rich-text memos: documents as the older memo editors and word processors wrote them,
// and damaged ones.
#include "base/rtf_text.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace tovrel {
namespace {

using test::S;
using test::Sjis;

// A memo as a rich-edit control on a Japanese system saved it: font and colour tables, text in
// \'hh pairs, CR LF after each paragraph mark. ソ ends in the byte of a backslash.
const QByteArray kRichEditMemo =
    "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033\\deflangfe1041{\\fonttbl{"
    "\\f0\\fmodern\\fprq1\\fcharset128 "
    "\\'82\\'6c\\'82\\'72 \\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
    "\\viewkind4\\uc1\\pard\\lang1041\\f0\\fs18 \\'8d\\'77\\'93\\'fc\\'93\\'58\\'81\\'46\\'83\\'67\\'83\\'88"
    "\\'83\\'5e\\'93\\'58\\par\r\n"
    "\\cf1\\b\\'83\\'49\\'83\\'43\\'83\\'8b\\cf0\\b0 :5W-30 \\'83\\'5c\\'83\\'74\\'83\\'67\\par\r\n"
    "\\par\r\n"
    "\\'8e\\'9f\\'89\\'f1\\'8e\\'d4\\'8c\\'9f 2006/04\\par\r\n"
    "}\r\n";

const QString kRichEditText = S(u"購入店：トヨタ店\nオイル:5W-30 ソフト\n\n次回車検 2006/04");

// A word processor's document: Unicode characters with two fallback bytes each, generator, info,
// style sheet, a field, a picture, escaped braces and a tab.
const QByteArray kWordDocument =
    "{\\rtf1\\adeflang1025\\ansi\\ansicpg932\\uc2\\adeff0\\deff0{\\fonttbl{\\f0\\froman\\fcharset128\\fprq1"
    "{\\*\\panose 02020609040205080304}\\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9{\\*\\falt MS Mincho};}}\r\n"
    "{\\*\\generator Microsoft Word 11.0.5604;}{\\info{\\title \\'83\\'81\\'83\\'82}{\\author owner}"
    "{\\creatim\\yr2004\\mo5\\dy1}}\r\n"
    "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\f0\\fs21 \\snext0 Normal;}}\r\n"
    "\\pard\\plain \\f0\\fs21 {\\loch\\af0\\hich\\af0\\dbch\\f0 \\u12502\\'83\\'75\\u12524\\'83\\'8c"
    "\\u12540\\'81\\'5b\\u12461\\'83\\'4c}{\\tab 30000km}\\par\r\n"
    "{\\field{\\*\\fldinst {HYPERLINK \"http://example.jp/\"}}{\\fldrslt {\\ul http://example.jp/}}}\\par\r\n"
    "{\\b\\'8c\\'f0\\'8a\\'b7\\'8d\\'cf\\'82\\'dd}\\{\\'8d\\'c5\\'8f\\'49\\}\\\\\\par\r\n"
    "{\\pict\\wmetafile8\\picw100\\pich100 010009000003500000000000}\r\n"
    "{\\*\\bkmkstart end}{\\*\\bkmkend end}\\par}";

const QString kWordText = S(u"ブレーキ\t30000km\nhttp://example.jp/\n交換済み{最終}\\\n");

TEST(RtfText, KeepsTheTextOfARichEditMemo) {
    EXPECT_EQ(RtfPlainText(kRichEditMemo), kRichEditText);
}

TEST(RtfText, KeepsTheTextOfAWordProcessorDocument) {
    EXPECT_EQ(RtfPlainText(kWordDocument), kWordText);
}

TEST(RtfText, UnicodeEscapesAndTheirFallbacks) {
    // \uc0: no fallback; a negative value is the character above 32767; a surrogate pair.
    EXPECT_EQ(RtfPlainText("{\\rtf1\\uc0\\u36554\\u-3 x}"), S(u"車\uFFFDx"));
    EXPECT_EQ(RtfPlainText("{\\rtf1\\uc1\\u-10179?\\u-8704?}"), QString::fromUtf16(u"\U0001F600"));
    // The fallback count belongs to the group; it ends at a group's end.
    EXPECT_EQ(RtfPlainText("{\\rtf1\\uc1{\\uc2\\u12354\\'82\\'a0}\\u12356?}"), S(u"あい"));
    EXPECT_EQ(RtfPlainText("{\\rtf1\\uc3\\u12354{x}y}"), S(u"あxy"));
    // A control word counts as one fallback character.
    EXPECT_EQ(RtfPlainText("{\\rtf1\\uc1\\u12354\\'3f\\u12356\\tab z}"), S(u"あいz"));
}

TEST(RtfText, TextBytesWithoutEscapesAndSpecialCharacters) {
    // Writers that keep code page 932 bytes as they are.
    const QByteArray raw =
        "{\\rtf1\\ansi\\ansicpg932 " + Sjis(S(u"愛車メモ")) + "\\line " + Sjis(S(u"２行目")) + "}";
    EXPECT_EQ(RtfPlainText(raw), S(u"愛車メモ\n２行目"));
    EXPECT_EQ(
        RtfPlainText("{\\rtf1 a\\~b\\_c\\-d\\emdash e\\bullet\\lquote f\\rquote\\ldblquote g\\rdblquote}"),
        S(u"a b-cd―e・‘f’“g”"));
    // A backslash before a line end is a paragraph mark; the line ends of the file are not text.
    EXPECT_EQ(RtfPlainText("{\\rtf1 one\\\r\ntwo\r\nthree\\par\\par}"), S(u"one\ntwothree\n"));
    // Binary data is skipped by its length, whatever it holds.
    EXPECT_EQ(RtfPlainText("{\\rtf1 a{\\pict\\bin6 }}\\{x}}b}c"), S(u"ab"));
}

TEST(RtfText, DamagedDocumentsGiveTheTextUpToTheDamage) {
    // Cut off inside a double-byte character, an escape and a control word.
    EXPECT_EQ(RtfPlainText("{\\rtf1 \\'8e\\'d4\\'8e"), S(u"車"));
    EXPECT_EQ(RtfPlainText("{\\rtf1 \\'8e\\'d4\\'8"), S(u"車"));
    EXPECT_EQ(RtfPlainText("{\\rtf1 \\'8e\\'d4\\u1250"), S(u"車"));
    EXPECT_EQ(RtfPlainText("{\\rtf1 a\\"), S(u"a"));
    // A broken escape leaves what follows as text; stray closing braces and text after the end are ignored.
    EXPECT_EQ(RtfPlainText("{\\rtf1 a\\'zzb}"), S(u"azzb"));
    EXPECT_EQ(RtfPlainText("}}x{\\rtf1 a}b{c}"), S(u"a"));
    EXPECT_EQ(RtfPlainText("{\\rtf1 a{\\bin99999999999999999999 xyz"), S(u"a"));
    EXPECT_EQ(RtfPlainText(""), QString());
    EXPECT_EQ(RtfPlainText("plain text"), QString());

    // Every cut of the two documents reads as the start of their text.
    for (const auto& [document, text] :
         {std::pair{kRichEditMemo, kRichEditText}, std::pair{kWordDocument, kWordText}}) {
        for (qsizetype n = 0; n <= document.size(); ++n) {
            const QString cut = RtfPlainText(document.left(n));
            ASSERT_TRUE(text.startsWith(cut)) << n << ' ' << cut.toStdString();
        }
    }
}

TEST(RtfText, AnyBytesReadWithoutFailing) {
    EXPECT_EQ(RtfPlainText(QByteArray(200000, '{') + "\\rtf1 deep" + QByteArray(10, '}')), S(u"deep"));
    const QByteArray alphabet("{}\\'*ucbinpar0123456789-? \r\n\x82\xa0\x8e\xd4\xff");
    QRandomGenerator random(8);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes = "{\\rtf1 ";
        const int size = random.bounded(200);
        for (int i = 0; i < size; ++i)
            bytes += alphabet.at(random.bounded(alphabet.size()));
        const QString text = RtfPlainText(bytes);
        ASSERT_LE(text.size(), bytes.size()) << bytes.toHex().toStdString();
    }
}

}  // namespace
}  // namespace tovrel
