// The log data file: reading every shape of line, writing the escapes, failures that lose nothing.
#include "data/log_file.h"

#include "base/cp932.h"
#include "base/file_io.h"
#include "data/record_table.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>

#include <ostream>

namespace tovrel {
namespace {

using namespace Qt::StringLiterals;
using namespace test;

const QString kExample = u"logfile_example/Mivra01.dat"_s;

QStringList Lines(const QByteArray& bytes) {
    return SplitTextLines(Cp932Decode(bytes));
}

QByteArray LogFile(int count, const QStringList& recordLines) {
    return SjisLines(QStringList{u"[MivraData]"_s, u"DataCount="_s + QString::number(count)} + recordLines);
}

// Loads the bytes through a file, as the program does.
int Load(const QByteArray& bytes, RecordTable& table) {
    TempFolder dir;
    QString error;
    EXPECT_TRUE(LoadLogFile(WriteBytes(dir.path(), u"Mivra01.dat"_s, bytes), table, &error))
        << error.toStdString();
    return table.RecordCount();
}

QByteArray Save(RecordTable& table) {
    TempFolder dir;
    QString error;
    EXPECT_TRUE(SaveLogFile(dir.file(u"Mivra01.dat"_s), table, &error)) << error.toStdString();
    return ReadBytes(dir.file(u"Mivra01.dat"_s));
}

TEST(LogFile, TheExampleFileLoadsAndSavesBackUnchanged) {
    RecordTable table;
    ASSERT_EQ(Load(FixtureBytes(kExample), table), 2);
    EXPECT_EQ(table.Kind(1), KindFuel);
    EXPECT_EQ(table.Text(1, ColDay), u"2004/05/01"_s);
    EXPECT_EQ(table.Text(1, ColYobi), u"土"_s);
    EXPECT_EQ(table.Text(1, ColTime), u"08:30"_s);
    EXPECT_EQ(table.Text(1, ColRun), u"   412.3"_s);
    EXPECT_EQ(table.Text(1, ColTotalRun), u" 25,012.0"_s);
    EXPECT_EQ(table.Text(1, ColCost), u"    3,615"_s);
    EXPECT_EQ(table.Text(1, ColStand), u"スタンドＡ"_s);
    EXPECT_EQ(table.Text(1, ColMainte), QString());
    EXPECT_EQ(table.Kind(2), KindMainte);
    EXPECT_EQ(table.Text(2, ColTime), QString());
    EXPECT_EQ(table.Text(2, ColGas), QString());
    EXPECT_EQ(table.Text(2, ColMainte), u"ｴﾝｼﾞﾝｵｲﾙ交換:4,000:\r\nｵｲﾙｴﾚﾒﾝﾄ交換:1,400:純正品"_s);
    EXPECT_EQ(table.Text(2, ColShop), u"ショップＡ"_s);
    EXPECT_EQ(table.Text(2, ColMemo), u"交換後に試運転\r\n異常なし"_s);
    EXPECT_FALSE(table.DiffersFromSnapshot());

    EXPECT_EQ(Save(table), FixtureBytes(kExample));
    EXPECT_EQ(FormatLogData(table), FixtureBytes(kExample));
}

TEST(LogFile, LfOnlyFilesLoadAndAreWrittenWithCrLf) {
    QByteArray lf = FixtureBytes(kExample);
    lf.replace("\r\n", "\n");
    RecordTable table;
    ASSERT_EQ(Load(lf, table), 2);
    EXPECT_EQ(table.Text(2, ColMemo), u"交換後に試運転\r\n異常なし"_s);
    EXPECT_EQ(Save(table), FixtureBytes(kExample));
}

TEST(LogFile, WriterEscapesSeparatorsAndLineBreaks) {
    RecordTable table;
    FuelRecord r;
    r.text[ColDay] = u"2004/05/01"_s;
    r.text[ColYobi] = u"土"_s;
    r.text[ColTime] = u"  :  "_s;
    r.text[ColWeather] = u"晴\r\nれ"_s;
    r.text[ColRun] = u"1,234.5"_s;
    r.text[ColTotalRun] = u"25012.0"_s;
    r.text[ColGas] = u"0"_s;
    r.text[ColCost] = u"3615"_s;
    r.text[ColTanka] = u"120.5"_s;
    r.text[ColStand] = u"スタンド,Ａ"_s;
    r.text[ColPattern] = u"通勤\n"_s;
    r.text[ColMainte] = u"ｵｲﾙ交換:3,000:ﾒﾓ,x#y\r\nﾜｲﾊﾟｰ:1,500:"_s;
    r.text[ColShop] = u"ｼｮｯﾌﾟ"_s;
    r.text[ColMemo] = u"\r\n 一行目,です#\n二行目\r三行目 \r\n"_s;
    r.noneHeikin = 0x81;
    r.memoGraph = 1;
    table.SetRecordCount(1);
    table.SetRecord(1, r);

    const QByteArray bytes = Save(table);
    const QString line =
        u"001=0,2004/05/01,土,  :  ,晴れ,1234.5,25012.0,,,3615,120.5,,スタンド.Ａ,通勤,"
        u"ｵｲﾙ交換:3000:ﾒﾓxy#ﾜｲﾊﾟｰ:1500:,ｼｮｯﾌﾟ,一行目です#二行目#三行目,1,1,"_s;
    EXPECT_EQ(bytes, LogFile(1, {line}));

    RecordTable again;
    ASSERT_EQ(Load(bytes, again), 1);
    EXPECT_EQ(again.Text(1, ColStand), u"スタンド.Ａ"_s);
    EXPECT_EQ(again.Text(1, ColGas), QString());
    EXPECT_EQ(again.Text(1, ColMainte), u"ｵｲﾙ交換:3,000:ﾒﾓxy\r\nﾜｲﾊﾟｰ:1,500:"_s);
    EXPECT_EQ(again.Text(1, ColMemo), u"一行目です\r\n二行目\r\n三行目"_s);
    EXPECT_EQ(again.NoneHeikin(1), 1);
    EXPECT_EQ(again.MemoGraph(1), 1);
    EXPECT_EQ(Save(again), bytes);
}

TEST(LogFile, ZeroNumbersAreStoredEmptyExceptACostShownAsZero) {
    const QByteArray file = LogFile(1, {u"001=1,2004/05/03,月,,,0,0.0,0,0.00,0,0,,,,,,,0,0,"_s});
    RecordTable table;
    ASSERT_EQ(Load(file, table), 1);
    for (int col = ColRun; col <= ColTanka; ++col)
        EXPECT_EQ(table.Text(1, col), QString()) << col;
    EXPECT_EQ(FormatLogData(table), LogFile(1, {u"001=1,2004/05/03,月,,,,,,,,,,,,,,,0,0,"_s}));

    RecordTable shown;
    shown.SetCostZeroDisp(true);
    ASSERT_EQ(Load(file, shown), 1);
    EXPECT_EQ(FormatLogData(shown), LogFile(1, {u"001=1,2004/05/03,月,,,,,,,0,,,,,,,,0,0,"_s}));
}

TEST(LogFile, RecordOneThousandIsKeyedZeroAndStillLoadsInPlace) {
    RecordTable table(2000);
    const int n = 1001;
    table.SetRecordCount(n);
    for (int i = 1; i <= n; ++i) {
        FuelRecord r;
        r.text[ColDay] = QDate(2000, 1, 1).addDays(i).toString(u"yyyy/MM/dd"_s);
        r.text[ColMemo] = QString::number(i);
        table.SetRecord(i, r);
    }
    const QStringList lines = Lines(Save(table));
    ASSERT_EQ(lines.size(), n + 2);
    EXPECT_TRUE(lines[2].startsWith(u"001=0,"_s));
    EXPECT_TRUE(lines[1000].startsWith(u"999=0,"_s));
    EXPECT_TRUE(lines[1001].startsWith(u"000=0,"_s));
    EXPECT_TRUE(lines[1002].startsWith(u"001=0,"_s));

    RecordTable again(2000);
    ASSERT_EQ(Load(Save(table), again), n);
    EXPECT_EQ(again.Text(1000, ColMemo), u"1000"_s);
    EXPECT_EQ(again.Text(1001, ColMemo), u"1001"_s);
}

TEST(LogFile, TheCountLineDecidesHowManyLinesAreRead) {
    const QStringList records = {u"001=0,2004/05/01,土,"_s, u"002=0,2004/05/02,日,"_s,
                                 u"003=0,2004/05/03,月,"_s};
    const std::vector<std::pair<QString, int>> cases = {
        {u"DataCount=0"_s, 0},   {u"DataCount"_s, 0},     {u"DataCount=abc"_s, 0}, {u"DataCount=-3"_s, 0},
        {u"DataCount= 2 "_s, 2}, {u"DataCount=2=5"_s, 0}, {u"Count=3"_s, 3},       {u"DataCount=２"_s, 2}};
    for (const auto& [countLine, expected] : cases) {
        RecordTable table;
        EXPECT_EQ(Load(SjisLines(QStringList{u"[MivraData]"_s, countLine} + records), table), expected)
            << countLine.toStdString();
        EXPECT_TRUE(table.At(expected + 1).IsEmpty());
    }
    RecordTable table;
    EXPECT_EQ(Load(QByteArray(), table), 0);
    EXPECT_EQ(Load(Sjis(u"[MivraData]"_s), table), 0);
}

TEST(LogFile, ACountAboveTheCapacityLoadsAndSavesOnlyTheCapacity) {
    QStringList records;
    for (int i = 1; i <= 5; ++i)
        records << u"00%1=0,2004/05/0%1,,"_s.arg(i);
    RecordTable table(3);
    ASSERT_EQ(Load(LogFile(5, records), table), 3);
    EXPECT_EQ(table.Text(3, ColDay), u"2004/05/03"_s);
    EXPECT_EQ(
        Lines(Save(table)).mid(0, 5),
        (QStringList{u"[MivraData]"_s, u"DataCount=3"_s, u"001=0,2004/05/01,,,,,,,,,,,,,,,,0,0,"_s,
                     u"002=0,2004/05/02,,,,,,,,,,,,,,,,0,0,"_s, u"003=0,2004/05/03,,,,,,,,,,,,,,,,0,0,"_s}));
    EXPECT_EQ(ReadLogRecords(WriteBytes(TempFolder().path(), u"a.dat"_s, LogFile(5, records)), 3).size(), 3);
}

TEST(LogFile, MissingRecordLinesBecomeEmptyRecordsThatKeepTheirPlaceInTheCount) {
    RecordTable table;
    ASSERT_EQ(Load(LogFile(3, {u"001=0,2004/05/01,土,"_s}), table), 3);
    // Empty records sort first.
    EXPECT_TRUE(table.At(1).IsEmpty());
    EXPECT_TRUE(table.At(2).IsEmpty());
    EXPECT_EQ(table.Text(3, ColDay), u"2004/05/01"_s);
    EXPECT_EQ(Save(table), LogFile(3, {u"001="_s, u"002="_s, u"003=0,2004/05/01,土,,,,,,,,,,,,,,,0,0,"_s}));
    RecordTable again;
    EXPECT_EQ(Load(Save(table), again), 3);
}

TEST(LogFile, ShortLongAndKeylessLinesFillTheirFieldsInOrder) {
    const QByteArray file = LogFile(5, {u"001=1,2004/05/01,土"_s, u"002="_s, u"no equals sign"_s,
                                        u"004=0,2004/05/04,火,,,,,,,,,,,,,,memo,1,1,x,y,z"_s,
                                        u"anything=0,2004/05/05,水,a=b,,,,,,,,,,,,,,0,1"_s});
    TempFolder dir;
    const QVector<FuelRecord> records = ReadLogRecords(WriteBytes(dir.path(), u"a.dat"_s, file), 1000);
    ASSERT_EQ(records.size(), 5);
    EXPECT_EQ(records[0].kind, KindMainte);
    EXPECT_EQ(records[0].text[ColYobi], u"土"_s);
    EXPECT_EQ(records[0].text[ColTime], QString());
    EXPECT_EQ(records[0].noneHeikin + records[0].memoGraph, 0);
    EXPECT_EQ(records[1], FuelRecord());
    EXPECT_EQ(records[2], FuelRecord());
    EXPECT_EQ(records[3].text[ColMemo], u"memo"_s);
    EXPECT_EQ(records[3].noneHeikin, 1);
    EXPECT_EQ(records[3].memoGraph, 1);
    EXPECT_EQ(records[4].text[ColTime], u"a=b"_s);  // only the first "=" ends the key
    EXPECT_EQ(records[4].memoGraph, 1);
}

TEST(LogFile, OldSingleJobMainteTakesTheRecordCost) {
    const QByteArray file = LogFile(3, {u"001=1,2004/06/01,火,,,,,,,6000,,,,,車検,,,0,0,"_s,
                                        u"002=0,2004/06/02,水,,,,,,,6000,,,,,車検,,,0,0,"_s,
                                        u"003=1,2004/06/03,木,,,,,,,6000,,,,,洗車#ﾜｯｸｽ,,,0,0,"_s});
    RecordTable table;
    ASSERT_EQ(Load(file, table), 3);
    EXPECT_EQ(table.Text(1, ColMainte), u"車検:6,000:"_s);
    EXPECT_EQ(table.Text(1, ColCost), u"    6,000"_s);
    EXPECT_EQ(table.Text(2, ColMainte), u"車検"_s);  // refuelling records keep the text
    EXPECT_EQ(table.Text(3, ColMainte), u"洗車\r\nﾜｯｸｽ"_s);
    EXPECT_TRUE(Lines(Save(table))[2].contains(u",車検:6000:,"_s));
}

TEST(LogFile, DamagedBytesLoadAsReplacementsAndNeverShiftFields) {
    const QByteArray file = Sjis(u"[MivraData]\r\nDataCount=2\r\n001=0,2004/05/01,土,,,,,,,,,,,,,ｼｮｯﾌﾟ"_s) +
                            "\x81," + Sjis(u"ﾒﾓ"_s) + "\xFF" + ",0,1,\x81\r\n" +
                            Sjis(u"002=0,2004/05/02,日,,,,,,,,,,,,,,ok,0,0,\r\n"_s);
    RecordTable table;
    ASSERT_EQ(Load(file, table), 2);
    EXPECT_EQ(table.Text(1, ColShop), u"ｼｮｯﾌﾟ\uFFFD"_s);
    EXPECT_EQ(table.Text(1, ColMemo), u"ﾒﾓ\uFFFD"_s);
    EXPECT_EQ(table.MemoGraph(1), 1);
    EXPECT_EQ(table.Text(2, ColMemo), u"ok"_s);
    EXPECT_EQ(Save(table), LogFile(2, {u"001=0,2004/05/01,土,,,,,,,,,,,,,ｼｮｯﾌﾟ?,ﾒﾓ?,0,1,"_s,
                                       u"002=0,2004/05/02,日,,,,,,,,,,,,,,ok,0,0,"_s}));
}

TEST(LogFile, AFailedSaveKeepsTheOldFileAndTakesNoSnapshot) {
    TempFolder dir;
    const QString path = WriteBytes(dir.path(), u"Mivra01.dat"_s, FixtureBytes(kExample));
    RecordTable table;
    ASSERT_TRUE(LoadLogFile(path, table, nullptr));
    table.SetText(1, ColMemo, u"changed"_s);
    QString error;
    {
        FileSizeLimit limit(16);
        EXPECT_FALSE(SaveLogFile(path, table, &error));
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadBytes(path), FixtureBytes(kExample));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"Mivra01.dat"_s});
    EXPECT_TRUE(table.DiffersFromSnapshot());

    ASSERT_TRUE(SaveLogFile(path, table, &error));
    EXPECT_FALSE(table.DiffersFromSnapshot());
}

TEST(LogFile, AFolderInTheWayFailsTheSave) {
    TempFolder dir;
    QDir(dir.path()).mkdir(u"Mivra01.dat"_s);
    RecordTable table;
    table.SetRecordCount(1);
    table.SetText(1, ColDay, u"2004/05/01"_s);
    QString error;
    EXPECT_FALSE(SaveLogFile(dir.file(u"Mivra01.dat"_s), table, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(table.DiffersFromSnapshot());
}

TEST(LogFile, AReadOnlyFolderFailsTheSave) {
    TempFolder dir;
    const QString sub = dir.file(u"ro"_s);
    const QString path = WriteBytes(sub, u"Mivra01.dat"_s, FixtureBytes(kExample));
    RecordTable table;
    ASSERT_TRUE(LoadLogFile(path, table, nullptr));
    table.SetText(1, ColMemo, u"changed"_s);
    QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QString error;
    const bool saved = SaveLogFile(path, table, &error);
    QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (saved) GTEST_SKIP() << "folder permissions do not bind this user";
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadBytes(path), FixtureBytes(kExample));
    EXPECT_TRUE(table.DiffersFromSnapshot());
}

TEST(LogFile, AMissingFileGivesAnEmptyTableAndAnUnreadableOneAnError) {
    TempFolder dir;
    RecordTable table;
    ASSERT_EQ(Load(FixtureBytes(kExample), table), 2);
    QString error;
    EXPECT_TRUE(LoadLogFile(dir.file(u"Mivra09.dat"_s), table, &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_TRUE(table.At(1).IsEmpty());

    ASSERT_EQ(Load(FixtureBytes(kExample), table), 2);
    QDir(dir.path()).mkdir(u"Mivra01.dat"_s);
    EXPECT_FALSE(LoadLogFile(dir.file(u"Mivra01.dat"_s), table, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_TRUE(table.At(1).IsEmpty());
    EXPECT_FALSE(table.DiffersFromSnapshot());
}

TEST(LogFile, SavingAndLoadingLeaveTheSearchView) {
    RecordTable table;
    ASSERT_EQ(Load(FixtureBytes(kExample), table), 2);
    table.SetText(1, ColDay, u"2004/05/04"_s);  // now out of order
    table.SaveFullTable();
    table.SetRecordCount(1);
    table.ClearSlots(2, 2);
    const QStringList example = Lines(FixtureBytes(kExample));
    const QString first = u"001="_s + example[3].mid(4);
    const QString second = QString(example[2]).replace(u"001=0,2004/05/01"_s, u"002=0,2004/05/04"_s);
    EXPECT_EQ(Save(table), LogFile(2, {first, second}));
    EXPECT_FALSE(table.IsSearchActive());
    EXPECT_FALSE(table.DiffersFromSnapshot());

    // A search view left open while another car loads must not come back over it.
    table.SaveFullTable();
    table.SetRecordCount(1);
    ASSERT_EQ(Load(LogFile(1, {u"001=0,2010/01/01,金,"_s}), table), 1);
    EXPECT_FALSE(table.IsSearchActive());
    EXPECT_EQ(Save(table), LogFile(1, {u"001=0,2010/01/01,金,,,,,,,,,,,,,,,0,0,"_s}));
}

TEST(LogFile, ReadLogRecordsGivesTheFileOrderWithoutATable) {
    TempFolder dir;
    const QString path = WriteBytes(dir.path(), u"Mivra02.dat"_s, FixtureBytes(kExample));
    const QVector<FuelRecord> records = ReadLogRecords(path, 1000);
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].Day(), u"2004/05/01"_s);
    EXPECT_EQ(records[1].kind, KindMainte);
    EXPECT_EQ(records[1].Mainte(), u"ｴﾝｼﾞﾝｵｲﾙ交換:4,000:\r\nｵｲﾙｴﾚﾒﾝﾄ交換:1,400:純正品"_s);
    EXPECT_EQ(records[1].Memo(), u"交換後に試運転\r\n異常なし"_s);
    EXPECT_EQ(ReadLogRecords(path, 1).size(), 1);
    EXPECT_TRUE(ReadLogRecords(dir.file(u"none.dat"_s), 1000).isEmpty());
    const QVector<FuelRecord> padded =
        ReadLogRecords(WriteBytes(dir.path(), u"b.dat"_s, LogFile(3, {u"001=0,2004/05/01,土,"_s})), 1000);
    ASSERT_EQ(padded.size(), 3);
    EXPECT_TRUE(padded[2].IsEmpty());
}

}  // namespace
}  // namespace tovrel
