// Profile INI files: lookups without regard to case, edits that leave every other byte alone,
// atomic flushing.
#include "base/profile_ini.h"

#include "base/cp932.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <ostream>
#include <tuple>
#include <vector>

namespace tovrel {
namespace {

using namespace Qt::StringLiterals;
using namespace test;

const QStringList kSettingLines = {u"; 設定ファイル"_s, u"[Weather]"_s,   u"01=*晴れ"_s,     u"02 = 曇り  "_s,
                                   u"[Unknown]"_s,      u"Foo=bar"_s,     u"  ; コメント"_s, QString(),
                                   u"[ Car ]"_s,        u"01=*私の愛車"_s};

TEST(ProfileIni, ReadsWithoutRegardToCaseAndTrimsValues) {
    TempFolder dir;
    const QString path = WriteBytes(dir.path(), u"Setting.dat"_s, SjisLines(kSettingLines));
    const ProfileIni ini(path);
    EXPECT_TRUE(ini.exists());
    EXPECT_EQ(ini.Read(u"weather"_s, u"01"_s), u"*晴れ"_s);
    EXPECT_EQ(ini.Read(u"WEATHER"_s, u"02"_s), u"曇り"_s);
    EXPECT_EQ(ini.Read(u"car"_s, u"01"_s), u"*私の愛車"_s);
    EXPECT_EQ(ini.Read(u"unknown"_s, u"FOO"_s), u"bar"_s);
    EXPECT_EQ(ini.Read(u"Weather"_s, u"03"_s, u"既定"_s), u"既定"_s);
    EXPECT_EQ(ini.Read(u"Missing"_s, u"01"_s, u"d"_s), u"d"_s);
    EXPECT_FALSE(ini.Contains(u"Weather"_s, u"; 設定ファイル"_s));
    EXPECT_FALSE(ini.Contains(u"Unknown"_s, u"; コメント"_s));

    const ProfileIni missing(dir.file(u"none.dat"_s));
    EXPECT_FALSE(missing.exists());
    EXPECT_EQ(missing.Read(u"a"_s, u"b"_s, u"c"_s), u"c"_s);
}

TEST(ProfileIni, EditsLeaveEveryOtherLineAsItWas) {
    TempFolder dir;
    const QString path = WriteBytes(dir.path(), u"Setting.dat"_s, SjisLines(kSettingLines));
    ProfileIni ini(path);
    ini.Write(u"weather"_s, u"02"_s, u"雨"_s);
    ini.Write(u"Weather"_s, u"03"_s, u"雪"_s);       // new key: end of its section
    ini.Write(u"CAR"_s, u"02"_s, u"二台目"_s);       // the last section of the file
    ini.Write(u"Pattern"_s, u"01"_s, u" *通勤 "_s);  // new section at the end
    ini.Delete(u"WEATHER"_s, u"01"_s);
    ini.Delete(u"Weather"_s, u"09"_s);
    ASSERT_TRUE(ini.Flush());
    EXPECT_EQ(ReadBytes(path),
              SjisLines({u"; 設定ファイル"_s, u"[Weather]"_s, u"02=雨"_s, u"03=雪"_s, u"[Unknown]"_s,
                         u"Foo=bar"_s, u"  ; コメント"_s, QString(), u"[ Car ]"_s, u"01=*私の愛車"_s,
                         u"02=二台目"_s, u"[Pattern]"_s, u"01= *通勤 "_s}));

    const ProfileIni again(path);
    EXPECT_EQ(again.Read(u"pattern"_s, u"01"_s), u"*通勤"_s);
    EXPECT_EQ(again.Read(u"weather"_s, u"01"_s, u"gone"_s), u"gone"_s);
}

TEST(ProfileIni, NewKeysGoBeforeTheBlankLinesThatEndASection) {
    TempFolder dir;
    const QString path =
        WriteBytes(dir.path(), u"a.dat"_s, SjisLines({u"[A]"_s, u"x=1"_s, QString(), u"[B]"_s, u"y=2"_s}));
    ProfileIni ini(path);
    ini.Write(u"a"_s, u"z"_s, u"3"_s);
    EXPECT_EQ(ini.Bytes(), SjisLines({u"[A]"_s, u"x=1"_s, u"z=3"_s, QString(), u"[B]"_s, u"y=2"_s}));
}

TEST(ProfileIni, UntouchedLinesKeepTheirBytesAndLfFilesAreRead) {
    TempFolder dir;
    // LF line ends, a damaged comment and no line end after the last line.
    QByteArray bytes = Sjis(u"[A]\n; "_s) + QByteArray("\x81\xFF\x85") + Sjis(u"\nk=値\nj=2"_s);
    const QString path = WriteBytes(dir.path(), u"lf.dat"_s, bytes);
    ProfileIni ini(path);
    EXPECT_EQ(ini.Read(u"A"_s, u"k"_s), u"値"_s);
    EXPECT_EQ(ini.Read(u"A"_s, u"j"_s), u"2"_s);
    ini.Write(u"A"_s, u"j"_s, u"3"_s);
    ASSERT_TRUE(ini.Flush());
    EXPECT_EQ(ReadBytes(path),
              Sjis(u"[A]\r\n; "_s) + QByteArray("\x81\xFF\x85") + Sjis(u"\r\nk=値\r\nj=3\r\n"_s));
}

TEST(ProfileIni, FlushWritesOnlyWhenSomethingChanged) {
    TempFolder dir;
    const QByteArray lf = Sjis(u"[A]\nk=v\n"_s);
    const QString path = WriteBytes(dir.path(), u"a.dat"_s, lf);
    ProfileIni ini(path);
    ini.Write(u"a"_s, u"k"_s, u"v"_s);
    ini.Delete(u"a"_s, u"missing"_s);
    ASSERT_TRUE(ini.Flush());
    EXPECT_EQ(ReadBytes(path), lf);  // a rewrite would have given CR LF

    ProfileIni fresh(dir.file(u"new.dat"_s));
    ASSERT_TRUE(fresh.Flush());
    EXPECT_TRUE(QFile::exists(dir.file(u"new.dat"_s)));
}

TEST(ProfileIni, LineBreaksInAValueCannotAddLines) {
    TempFolder dir;
    ProfileIni ini(dir.file(u"a.dat"_s));
    ini.Write(u"A"_s, u"memo"_s, u"一行目\r\n[B]\nx=1"_s);
    ASSERT_TRUE(ini.Flush());
    const ProfileIni again(dir.file(u"a.dat"_s));
    EXPECT_EQ(again.Read(u"A"_s, u"memo"_s), u"一行目[B]x=1"_s);
    EXPECT_FALSE(again.Contains(u"B"_s, u"x"_s));
}

TEST(ProfileIni, AFailedFlushLeavesTheOldFileWhole) {
    TempFolder dir;
    const QByteArray old = SjisLines(kSettingLines);
    const QString path = WriteBytes(dir.path(), u"Setting.dat"_s, old);
    ProfileIni ini(path);
    ini.Write(u"Car"_s, u"02"_s, QString(200, QLatin1Char('x')));
    QString error;
    {
        FileSizeLimit limit(16);
        EXPECT_FALSE(ini.Flush(&error));
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"Setting.dat"_s});
    // The change is still pending and goes out with the next flush.
    ASSERT_TRUE(ini.Flush());
    EXPECT_EQ(ProfileIni(path).Read(u"car"_s, u"02"_s).size(), 200);
}

TEST(ProfileIni, AFolderInTheWayFailsTheFlush) {
    TempFolder dir;
    QDir(dir.path()).mkdir(u"Setting.dat"_s);
    ProfileIni ini(dir.file(u"Setting.dat"_s));
    ini.Write(u"A"_s, u"k"_s, u"v"_s);
    QString error;
    EXPECT_FALSE(ini.Flush(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(dir.file(u"Setting.dat"_s)).isDir());
}

TEST(ProfileIni, AReadOnlyFolderFailsTheFlush) {
    TempFolder dir;
    const QString sub = dir.file(u"ro"_s);
    const QByteArray old = SjisLines(kSettingLines);
    const QString path = WriteBytes(sub, u"Setting.dat"_s, old);
    QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ProfileIni ini(path);
    ini.Write(u"Car"_s, u"02"_s, u"b"_s);
    QString error;
    const bool written = ini.Flush(&error);
    QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (written) GTEST_SKIP() << "folder permissions do not bind this user";
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadBytes(path), old);
}

TEST(ProfileIni, AFileThatCannotBeReadIsNeverOverwritten) {
    TempFolder dir;
    const QByteArray old = SjisLines(kSettingLines);
    const QString path = WriteBytes(dir.path(), u"Setting.dat"_s, old);
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    ProfileIni ini(path);
    const bool readable = ini.exists();
    ini.Write(u"Car"_s, u"02"_s, u"b"_s);
    QString error;
    const bool written = ini.Flush(&error);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (readable) GTEST_SKIP() << "file permissions do not bind this user";
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadBytes(path), old);
}

QByteArray Utf16(const QString& text, bool little) {
    QByteArray out = little ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (QChar c : text) {
        const char low = static_cast<char>(c.unicode() & 0xFF);
        const char high = static_cast<char>(c.unicode() >> 8);
        out.append(little ? low : high).append(little ? high : low);
    }
    return out;
}

TEST(ProfileIni, LinesEndingInACarriageReturnAloneAreRead) {
    TempFolder dir;
    QByteArray bytes = SjisLines(kSettingLines);
    bytes.replace("\r\n", "\r");
    const ProfileIni ini(WriteBytes(dir.path(), u"Setting.dat"_s, bytes));
    EXPECT_EQ(ini.Read(u"Weather"_s, u"02"_s), u"曇り"_s);
    EXPECT_EQ(ini.Read(u"Car"_s, u"01"_s), u"*私の愛車"_s);
    EXPECT_EQ(ini.Bytes(), SjisLines(kSettingLines));
}

TEST(ProfileIni, Utf16WithAByteOrderMarkIsReadAndWrittenBackInCp932) {
    for (bool little : {true, false}) {
        TempFolder dir;
        const QString path =
            WriteBytes(dir.path(), u"Setting.dat"_s, Utf16(kSettingLines.join(u"\r\n"_s), little));
        ProfileIni ini(path);
        EXPECT_TRUE(ini.Problem().isEmpty());
        EXPECT_EQ(ini.Read(u"Car"_s, u"01"_s), u"*私の愛車"_s);
        ini.Write(u"Car"_s, u"02"_s, u"週末車"_s);
        QString error;
        ASSERT_TRUE(ini.Flush(&error)) << error.toStdString();
        EXPECT_EQ(ReadBytes(path), SjisLines(kSettingLines.mid(0, 10) + QStringList{u"02=週末車"_s}));
    }
}

TEST(ProfileIni, Utf16ThatCp932CannotHoldIsReportedAndNeverWritten) {
    TempFolder dir;
    const QByteArray bytes = Utf16(u"[Car]\r\n01=*私の愛車\r\n02=車\U0001F697\r\n"_s, true);
    const QString path = WriteBytes(dir.path(), u"Setting.dat"_s, bytes);
    ProfileIni ini(path);
    EXPECT_TRUE(ini.exists());
    EXPECT_TRUE(ini.Problem().contains(u"Setting.dat"_s)) << ini.Problem().toStdString();
    EXPECT_EQ(ini.Read(u"Car"_s, u"01"_s), u"*私の愛車"_s);
    ini.Write(u"Car"_s, u"03"_s, u"x"_s);
    QString error;
    EXPECT_FALSE(ini.Flush(&error));
    EXPECT_EQ(error, ini.Problem());
    EXPECT_EQ(ReadBytes(path), bytes);
}

TEST(ProfileIni, DeletingAndInsertingKeepsEveryKeyFindable) {
    TempFolder dir;
    ProfileIni ini(
        WriteBytes(dir.path(), u"Setting.dat"_s,
                   SjisLines({u"[A]"_s, u"1=a"_s, u"2=b"_s, u"1=dup"_s, QString(), u"[B]"_s, u"1=c"_s})));
    ini.Delete(u"A"_s, u"1"_s);
    EXPECT_EQ(ini.Read(u"A"_s, u"1"_s), u"dup"_s);  // the next line with the key answers now
    ini.Write(u"A"_s, u"3"_s, u"d"_s);
    ini.Write(u"B"_s, u"2"_s, u"e"_s);
    ini.Delete(u"A"_s, u"2"_s);
    ini.Write(u"A"_s, u"4"_s, u"f"_s);
    EXPECT_EQ(ini.Bytes(),
              SjisLines({u"[A]"_s, u"1=dup"_s, u"3=d"_s, u"4=f"_s, QString(), u"[B]"_s, u"1=c"_s, u"2=e"_s}));
    for (const auto& [section, key, value] :
         std::vector<std::tuple<QString, QString, QString>>{{u"A"_s, u"1"_s, u"dup"_s},
                                                            {u"A"_s, u"3"_s, u"d"_s},
                                                            {u"A"_s, u"4"_s, u"f"_s},
                                                            {u"B"_s, u"1"_s, u"c"_s},
                                                            {u"B"_s, u"2"_s, u"e"_s},
                                                            {u"A"_s, u"2"_s, QString()}}) {
        EXPECT_EQ(ini.Read(section, key), value) << key.toStdString();
    }
}

TEST(ProfileIni, NamesInAnyCaseAndTheFirstOfDuplicateKeys) {
    TempFolder dir;
    ProfileIni ini(WriteBytes(dir.path(), u"a.dat"_s,
                              SjisLines({u"[Sec]"_s, u"Key=1"_s, u"KEY=2"_s, u" key =3"_s, u"[Ｗ]"_s,
                                         u"Ｘ=4"_s, u"[sec]"_s, u"key=5"_s, u"k2=6"_s})));
    EXPECT_EQ(ini.Read(u"SEC"_s, u"kEy"_s), u"1"_s);
    EXPECT_EQ(ini.Read(u" sec "_s, u" K2 "_s), u"6"_s);  // a second header of the same section
    EXPECT_EQ(ini.Read(u"ｗ"_s, u"ｘ"_s), u"4"_s);
    ini.Delete(u"sec"_s, u"KEY"_s);
    EXPECT_EQ(ini.Read(u"Sec"_s, u"key"_s), u"2"_s);
    // The caller's spelling is written; a key holding "=" reads back as written until reloaded.
    ini.Write(u"SEC"_s, u"KEY"_s, u" 7 "_s);
    ini.Write(u"Sec"_s, u"a=b"_s, u"8"_s);
    EXPECT_EQ(ini.Read(u"sec"_s, u"key"_s), u"7"_s);
    EXPECT_EQ(ini.Read(u"sec"_s, u"a=b"_s), u"8"_s);
    EXPECT_EQ(ini.Bytes(), SjisLines({u"[Sec]"_s, u"KEY= 7 "_s, u" key =3"_s, u"[Ｗ]"_s, u"Ｘ=4"_s,
                                      u"[sec]"_s, u"key=5"_s, u"k2=6"_s, u"a=b=8"_s}));
}

TEST(ProfileIni, LinesAsReadKeepTheirBytesWhereverEditsMoveThem) {
    TempFolder dir;
    // A lead byte right before a line end, and bytes that are no characters at all.
    const QByteArray bytes = Sjis(u"; 先頭\r\n[A]\r\nx=1\r\nk="_s) + QByteArray("\x82") + Sjis(u"\r\n; "_s) +
                             QByteArray("\x81\xFF\x85") + Sjis(u"\r\ny=2\r\n[B]\r\nz="_s) +
                             QByteArray("\xFF\xA0\xFD") + Sjis(u"\r\n"_s);
    ProfileIni ini(WriteBytes(dir.path(), u"a.dat"_s, bytes));
    EXPECT_EQ(ini.Read(u"A"_s, u"k"_s), QString(QChar::ReplacementCharacter));
    EXPECT_EQ(ini.Read(u"a"_s, u"y"_s), u"2"_s);
    EXPECT_EQ(ini.Bytes(), bytes);
    ini.Delete(u"A"_s, u"x"_s);
    ini.Write(u"A"_s, u"w"_s, u"3"_s);  // inserted before [B]
    ini.Write(u"A"_s, u"y"_s, u"4"_s);
    EXPECT_EQ(ini.Bytes(), Sjis(u"; 先頭\r\n[A]\r\nk="_s) + QByteArray("\x82") + Sjis(u"\r\n; "_s) +
                               QByteArray("\x81\xFF\x85") + Sjis(u"\r\ny=4\r\nw=3\r\n[B]\r\nz="_s) +
                               QByteArray("\xFF\xA0\xFD") + Sjis(u"\r\n"_s));
}

}  // namespace
}  // namespace tovrel
