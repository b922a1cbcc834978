// Car information fields (numbers, dates, the stored forms) and the car memo file.
#include "data/car_info.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <QDir>

namespace tovrel {
namespace {

using namespace test;

TEST(CarInfoFields, NumbersLeaveRoundedAndGroupedAndAreStoredByTheirOwnRule) {
    EXPECT_EQ(CarNumberOnLeave(QStringLiteral("12345.67"), NousyaRunDecimals), QStringLiteral("12,345.7"));
    EXPECT_EQ(CarNumberOnLeave(QStringLiteral("15"), MokuhyoDecimals), QStringLiteral("15.00"));
    EXPECT_EQ(CarNumberOnLeave(S(u"１２３４．５６７"), MokuhyoDecimals), QStringLiteral("1,234.57"));
    EXPECT_EQ(CarNumberOnLeave(S(u"ｶﾞｿﾘﾝ"), NousyaRunDecimals), QStringLiteral("0.0"));
    EXPECT_EQ(CarNumberOnLeave(QString(), MokuhyoDecimals), QStringLiteral("0.00"));
    EXPECT_EQ(CarNumberOnLeave(QStringLiteral("-1234"), NousyaRunDecimals), QStringLiteral("-1,234.0"));
    // Beyond the integer range every digit stays.
    EXPECT_EQ(CarNumberOnLeave(QStringLiteral("98765432109876"), NousyaRunDecimals),
              QStringLiteral("98,765,432,109,876.0"));
    EXPECT_EQ(CarNumberOnEnter(QStringLiteral("12,345.7")), QStringLiteral("12345.7"));

    CarInfo typed;
    typed.NousyaRun = QStringLiteral("12345.67");
    typed.MokuhyoMivra = QStringLiteral("1234.5");
    const CarInfo stored = CarInfoForStorage(typed);
    EXPECT_EQ(stored.NousyaRun, QStringLiteral("12345.7"));
    EXPECT_EQ(stored.MokuhyoMivra, QStringLiteral("1,234.50"));  // as shown

    const CarInfo shown = CarInfoForShowing(stored);
    EXPECT_EQ(shown.NousyaRun, QStringLiteral("12,345.7"));
    EXPECT_EQ(shown.MokuhyoMivra, QStringLiteral("1,234.50"));
    EXPECT_EQ(CarInfoForShowing(CarInfo()).MokuhyoMivra, QStringLiteral("0.00"));
    EXPECT_EQ(CarInfoForStorage(shown).NousyaRun, stored.NousyaRun);
}

TEST(CarInfoFields, DatesAreBlankOrReal) {
    EXPECT_TRUE(CarDateAcceptable(QStringLiteral("    /  /  ")));
    EXPECT_TRUE(CarDateAcceptable(QString()));
    EXPECT_TRUE(CarDateAcceptable(QStringLiteral("2004/02/29")));
    EXPECT_FALSE(CarDateAcceptable(QStringLiteral("2004/02/30")));
    EXPECT_FALSE(CarDateAcceptable(QStringLiteral("2003/02/29")));
    EXPECT_FALSE(CarDateAcceptable(QStringLiteral("2004/  /  ")));
    EXPECT_FALSE(CarDateAcceptable(QStringLiteral("    /01/01")));
    EXPECT_FALSE(CarDateAcceptable(QStringLiteral("2004/13/01")));
    EXPECT_FALSE(CarDateAcceptable(S(u"令和/01/01")));
}

TEST(CarMemo, PlainTextKeepsItsBytesThroughReadingAndWriting) {
    const QByteArray file = SjisLines({S(u"購入店：ショップＡ"), QString(), S(u"ﾀｲﾔ 195/65R15, #2")});
    const QString text = CarMemoText(file);
    EXPECT_EQ(text, S(u"購入店：ショップＡ\n\nﾀｲﾔ 195/65R15, #2"));
    EXPECT_EQ(CarMemoBytes(text), file);
    // A trailing empty line is a line of its own.
    const QByteArray withBlank = SjisLines({S(u"a"), QString()});
    EXPECT_EQ(CarMemoBytes(CarMemoText(withBlank)), withBlank);
    EXPECT_EQ(CarMemoBytes(QString()), QByteArray());
    EXPECT_EQ(CarMemoText(QByteArray()), QString());
    // Line feeds alone are read too; the memo is written with CR LF.
    EXPECT_EQ(CarMemoBytes(CarMemoText("a\nb")), QByteArray("a\r\nb\r\n"));
}

TEST(CarMemo, RichTextIsReadWhenTheFirstLineOpensADocument) {
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0 \\'82\\'6c\\'82\\'72;}}\r\n"
        "\\pard\\f0 \\'8e\\'d4\\'8c\\'9f\\par\r\n2006/04\\par\r\n}\r\n";
    EXPECT_EQ(CarMemoText(rtf), S(u"車検\n2006/04"));
    EXPECT_EQ(CarMemoBytes(CarMemoText(rtf)), SjisLines({S(u"車検"), QStringLiteral("2006/04")}));
    // Further down it is only text that mentions one.
    const QByteArray note = "memo\r\n{\\rtf1 x}\r\n";
    EXPECT_EQ(CarMemoText(note), QStringLiteral("memo\n{\\rtf1 x}"));
}

TEST(CarMemo, LoadingReportsWhatCannotBeKept) {
    TempFolder dir;
    QString text = QStringLiteral("old");
    QString message;
    EXPECT_EQ(LoadCarMemo(dir.file(QStringLiteral("CarMemo01.dat")), &text, &message), CarMemoState::Loaded);
    EXPECT_EQ(text, QString());

    const QString rtfPath = WriteBytes(dir.path(), QStringLiteral("CarMemo02.dat"),
                                       "{\\rtf1 \\'88\\'a4\\'8e\\'d4\\par cut off \\'8e");
    EXPECT_EQ(LoadCarMemo(rtfPath, &text, &message), CarMemoState::Loaded);
    EXPECT_EQ(text, S(u"愛車\ncut off "));

    // Bytes that are no code page 932 text would turn into "?" when written back.
    const QString utf8Path = WriteBytes(dir.path(), QStringLiteral("CarMemo03.dat"), S(u"車検").toUtf8());
    EXPECT_EQ(LoadCarMemo(utf8Path, &text, &message), CarMemoState::NotText);
    EXPECT_TRUE(message.contains(QStringLiteral("CarMemo03.dat"))) << message.toStdString();
    EXPECT_FALSE(text.isEmpty());

    QDir(dir.path()).mkdir(QStringLiteral("CarMemo04.dat"));
    message.clear();
    EXPECT_EQ(LoadCarMemo(dir.file(QStringLiteral("CarMemo04.dat")), &text, &message),
              CarMemoState::Unreadable);
    EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(text, QString());
}

TEST(CarMemo, AFailedWriteLeavesTheOldFile) {
    TempFolder dir;
    const QByteArray old = SjisLines({S(u"前のメモ")});
    const QString path = WriteBytes(dir.path(), QStringLiteral("CarMemo01.dat"), old);
    QString error;
    {
        FileSizeLimit limit(16);
        EXPECT_FALSE(SaveCarMemo(path, QString(40, QLatin1Char('x')), &error));
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("CarMemo01.dat")});
    ASSERT_TRUE(SaveCarMemo(path, S(u"新しいメモ"), &error));
    EXPECT_EQ(ReadBytes(path), SjisLines({S(u"新しいメモ")}));
}

}  // namespace
}  // namespace tovrel
