#include "data/print_forms.h"

#include "test_support.h"

#include <QDir>
#include <QStringList>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <ostream>

namespace tovrel {

void PrintTo(const PrintColumn& c, std::ostream* os) {
    *os << '['
        << QStringList({c.item, c.id, c.mark, c.heading, c.align, c.width})
               .join(QLatin1Char(','))
               .toStdString()
        << ']';
}

void PrintTo(const PrintForm& f, std::ostream* os) {
    *os << QStringList({f.name, f.title, f.kind, f.listId}).join(QLatin1Char(',')).toStdString() << ','
        << f.orientation;
    for (int row = 1; row <= PrintRowCount; ++row)
        PrintTo(f.rows[row], os);
}

namespace {

using namespace test;

const QString kFile = QStringLiteral("PrintSet.dat");

int KeysInSection(const QByteArray& bytes, const QString& section) {
    int keys = 0;
    bool inSection = false;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inSection = line == QLatin1Char('[') + section + QLatin1Char(']');
        else if (inSection && line.contains(QLatin1Char('=')))
            ++keys;
    }
    return keys;
}

TEST(PrintFormsDefaults, MissingFileIsCreatedWithEveryFormAtItsDefaults) {
    TempFolder dir;
    PrintForms forms;
    QString error;
    ASSERT_TRUE(LoadPrintForms(dir.file(kFile), forms, &error)) << error.toStdString();

    const QByteArray bytes = ReadBytes(dir.file(kFile));
    EXPECT_EQ(KeysInSection(bytes, QStringLiteral("PrintTitle")), 15);
    EXPECT_EQ(KeysInSection(bytes, QStringLiteral("PrintSetting")), 300);
    EXPECT_EQ(bytes, FixtureBytes(QStringLiteral("printset_default/PrintSet.dat")));

    EXPECT_EQ(forms[1].name, QStringLiteral("燃費・ﾒﾝﾃﾅﾝｽ一覧1"));
    EXPECT_EQ(forms[1].title, QStringLiteral("燃費・メンテナンス一覧1"));
    EXPECT_EQ(forms[5].name, QStringLiteral("期間集計一覧2"));
    EXPECT_EQ(forms[7].kind, QStringLiteral("ﾒﾝﾃﾅﾝｽ期限集計"));
    EXPECT_EQ(forms[15].listId, QStringLiteral("07"));
    EXPECT_EQ(forms[15].ListIdNumber(), 7);
    EXPECT_EQ(forms[10].rows[1].heading, QStringLiteral(" スタンド "));
}

TEST(PrintFormsFile, LoadAndSaveRoundTripByteForByte) {
    TempFolder dir;
    const QByteArray original = FixtureBytes(QStringLiteral("printset_default/PrintSet.dat"));
    const QString path = WriteBytes(dir.path(), kFile, original);
    PrintForms forms;
    QString error;
    ASSERT_TRUE(LoadPrintForms(path, forms, &error));
    PrintForms defaults;
    ResetAllPrintForms(defaults);
    EXPECT_EQ(forms, defaults);

    QFile::remove(path);
    ASSERT_TRUE(SavePrintForms(path, forms, &error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(path), original);

    // A registered change survives a reload and a second save unchanged.
    forms[2].title = QStringLiteral("私の一覧");
    forms[2].orientation = 1;
    forms[2].rows[4] =
        NormalizePrintColumn({QStringLiteral("時刻"), QString(), QString(), QString(), QString(), QString()});
    forms[2].rows[20] =
        NormalizePrintColumn({QStringLiteral("ﾒﾓ"), QStringLiteral("17S"), QStringLiteral("○"),
                              QStringLiteral(" メモ "), QStringLiteral("中"), QStringLiteral("30")});
    ASSERT_TRUE(SavePrintForm(path, forms, 2, &error));
    const QByteArray saved = ReadBytes(path);
    PrintForms reloaded;
    ASSERT_TRUE(LoadPrintForms(path, reloaded, &error));
    EXPECT_EQ(reloaded, forms);
    ASSERT_TRUE(SavePrintForms(path, reloaded, &error));
    EXPECT_EQ(ReadBytes(path), saved);
}

TEST(PrintFormsFile, FormsReadFromTheSameRowsChangeOneByOne) {
    TempFolder dir;
    const QString path =
        WriteBytes(dir.path(), kFile, FixtureBytes(QStringLiteral("printset_default/PrintSet.dat")));
    PrintForms forms;
    QString error;
    ASSERT_TRUE(LoadPrintForms(path, forms, &error));
    ASSERT_EQ(forms[1].rows[2], forms[2].rows[2]);
    ASSERT_EQ(forms[1].rows[20], forms[15].rows[20]);
    const PrintColumn second = forms[2].rows[2];
    const PrintColumn empty = forms[15].rows[20];
    forms[1].rows[2].heading += QStringLiteral("x");
    forms[1].rows[20].item[0] = QLatin1Char('y');
    EXPECT_EQ(forms[2].rows[2], second);
    EXPECT_EQ(forms[15].rows[20], empty);
}

TEST(PrintFormsFile, ReadingRules) {
    TempFolder dir;
    const QString path = WriteBytes(
        dir.path(), kFile,
        SjisLines({QStringLiteral("[PrintTitle]"), QStringLiteral("01=名前,題,種類,01,横,"),
                   QStringLiteral("02=名前だけ"), QStringLiteral("[PrintSetting]"),
                   QStringLiteral("01_01=ﾒﾝﾃﾅﾝｽ    ,00S,○,見出し,左  ,14,"), QStringLiteral("01_02=ｱ,02N,○"),
                   QStringLiteral("01_03=ｲ,00N,  , 見出し,  右, 3,")}));
    PrintForms forms;
    QString error;
    ASSERT_TRUE(LoadPrintForms(path, forms, &error));
    EXPECT_EQ(forms[1].orientation, 0);
    EXPECT_EQ(forms[1].kind, QStringLiteral("種類"));
    EXPECT_EQ(forms[2].name, QStringLiteral("名前だけ"));
    EXPECT_TRUE(forms[2].title.isEmpty() && forms[2].listId.isEmpty());
    EXPECT_EQ(forms[2].ListIdNumber(), 0);
    EXPECT_EQ(forms[1].rows[1].id, QStringLiteral("01S"));
    EXPECT_EQ(forms[1].rows[2].item, QStringLiteral("ｱ         "));
    EXPECT_EQ(forms[1].rows[2].mark, QStringLiteral("○"));
    EXPECT_TRUE(forms[1].rows[2].heading.isEmpty() && forms[1].rows[2].width.isEmpty());
    EXPECT_EQ(forms[1].rows[3].id, QStringLiteral("00N"));
    EXPECT_EQ(forms[1].rows[3].heading, QStringLiteral(" 見出し"));
    // Missing keys read as empty rows; the file is not rewritten with defaults.
    EXPECT_EQ(forms[1].rows[4].item, QString(10, QLatin1Char(' ')));
    EXPECT_TRUE(forms[15].name.isEmpty() && forms[15].rows[1].id.isEmpty());
    EXPECT_FALSE(ReadBytes(path).contains(Sjis(QStringLiteral("期間集計一覧"))));
}

TEST(PrintFormsFile, CommasAndLineBreaksInHeaderTextsDoNotShiftFields) {
    TempFolder dir;
    const QString path = dir.file(kFile);
    PrintForms forms;
    ResetAllPrintForms(forms);
    forms[1].name = QStringLiteral("月次,燃費");
    forms[1].title = QStringLiteral("一覧\r\n表");
    QString error;
    ASSERT_TRUE(SavePrintForms(path, forms, &error));
    PrintForms reloaded;
    ASSERT_TRUE(LoadPrintForms(path, reloaded, &error));
    EXPECT_EQ(reloaded[1].name, QStringLiteral("月次.燃費"));
    EXPECT_EQ(reloaded[1].title, QStringLiteral("一覧表"));
    EXPECT_EQ(reloaded[1].listId, QStringLiteral("01"));
}

TEST(PrintFormsFile, UnreadableFileIsNotOverwritten) {
    TempFolder dir;
    ASSERT_TRUE(QDir().mkpath(dir.file(kFile)));
    PrintForms forms;
    QString error;
    EXPECT_FALSE(LoadPrintForms(dir.file(kFile), forms, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(dir.file(kFile)).isDir());
    EXPECT_EQ(forms[5].name, QStringLiteral("期間集計一覧2"));
}

TEST(PrintFormsFile, FailedWriteIsReported) {
    TempFolder dir;
    PrintForms forms;
    QString error;
    EXPECT_FALSE(LoadPrintForms(dir.file(QStringLiteral("missing/") + kFile), forms, &error));
    EXPECT_FALSE(error.isEmpty());
}

PrintColumn Normalize(const QString& item, const QString& id, const QString& mark, const QString& heading,
                      const QString& align, const QString& width) {
    return NormalizePrintColumn({item, id, mark, heading, align, width});
}

TEST(PrintFormsNormalize, WidthMarkAndAlignment) {
    const QString id = QStringLiteral("05N");
    EXPECT_EQ(Normalize({}, id, {}, {}, {}, QStringLiteral("abc")).width, QStringLiteral(" 1"));
    EXPECT_EQ(Normalize({}, id, {}, {}, {}, QString()).width, QStringLiteral(" 1"));
    // Two digits at the most: never a cut number.
    EXPECT_EQ(Normalize({}, id, {}, {}, {}, QStringLiteral("123")).width, QStringLiteral("99"));
    EXPECT_EQ(Normalize({}, id, {}, {}, {}, QStringLiteral("-12")).width, QStringLiteral(" 1"));
    EXPECT_EQ(Normalize({}, id, {}, {}, {}, QStringLiteral(" 7 ")).width, QStringLiteral(" 7"));
    EXPECT_EQ(Normalize({}, id, QStringLiteral(" ○x"), {}, {}, {}).mark, QStringLiteral("○"));
    EXPECT_EQ(Normalize({}, id, QStringLiteral("x"), {}, {}, {}).mark, QStringLiteral("  "));
    EXPECT_EQ(Normalize({}, id, {}, {}, QStringLiteral("右中"), {}).align, QStringLiteral(" 中 "));
    EXPECT_EQ(Normalize({}, id, {}, {}, QStringLiteral("右"), {}).align, QStringLiteral("  右"));
    EXPECT_EQ(Normalize({}, id, {}, {}, QStringLiteral("?"), {}).align, QStringLiteral("左  "));
}

TEST(PrintFormsNormalize, CommasBecomeFullStopsAndBlankIdClearsTheRow) {
    const PrintColumn c = Normalize(QStringLiteral("費用,km"), QStringLiteral("11N"), QStringLiteral("○"),
                                    QStringLiteral(" 費用,km"), QStringLiteral("  右"), QStringLiteral("7"));
    EXPECT_EQ(c.item, QStringLiteral("費用.km   "));
    EXPECT_EQ(c.heading, QStringLiteral(" 費用.km"));
    EXPECT_EQ(c.id, QStringLiteral("11N"));

    const PrintColumn cleared =
        Normalize(QStringLiteral("給油"), QStringLiteral("  "), QStringLiteral("○"), QStringLiteral("給油"),
                  QStringLiteral("  右"), QStringLiteral("5"));
    PrintColumn empty;
    empty.item = QString(10, QLatin1Char(' '));
    EXPECT_EQ(cleared, empty);
    EXPECT_EQ(cleared, DefaultPrintColumn(1, 20));
}

}  // namespace
}  // namespace tovrel
