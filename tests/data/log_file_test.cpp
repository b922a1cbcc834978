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

TEST(LogFile, TheRecordLinesSayHowManyRecordsThereAreAndAWrongCountIsNoted) {
    const QStringList records = {u"001=0,2004/05/01,土,"_s, u"002=0,2004/05/02,日,"_s,
                                 u"003=0,2004/05/03,月,"_s};
    const QByteArray saved =
        LogFile(3, {u"001=0,2004/05/01,土,,,,,,,,,,,,,,,0,0,"_s, u"002=0,2004/05/02,日,,,,,,,,,,,,,,,0,0,"_s,
                    u"003=0,2004/05/03,月,,,,,,,,,,,,,,,0,0,"_s});
    const std::vector<std::pair<QString, bool>> cases = {
        {u"DataCount=3"_s, true},    {u"DataCount= 3 "_s, true},          {u"Count=3"_s, true},
        {u"DataCount=３"_s, true},   {u"DataCount=0"_s, false},           {u"DataCount"_s, false},
        {u"DataCount="_s, false},    {u"DataCount=abc"_s, false},         {u"DataCount=-3"_s, false},
        {u"DataCount=2=5"_s, false}, {u"DataCount=99999999999"_s, false}, {u"DataCount=3\u0000"_s, false},
        {QString(), false}};
    for (const auto& [countLine, agrees] : cases) {
        TempFolder dir;
        const QString path = WriteBytes(dir.path(), u"Mivra01.dat"_s,
                                        SjisLines(QStringList{u"[MivraData]"_s, countLine} + records));
        RecordTable table;
        QString error;
        QString notice;
        ASSERT_TRUE(LoadLogFile(path, table, &error, &notice)) << error.toStdString();
        EXPECT_EQ(table.RecordCount(), 3) << countLine.toStdString();
        EXPECT_EQ(notice.isEmpty(), agrees) << countLine.toStdString();
        EXPECT_EQ(FormatLogData(table), saved) << countLine.toStdString();
    }
    // The count line left out: the records follow the first line.
    RecordTable table;
    EXPECT_EQ(Load(SjisLines(QStringList{u"[MivraData]"_s} + records), table), 3);
    EXPECT_EQ(FormatLogData(table), saved);
    EXPECT_EQ(Load(QByteArray(), table), 0);
    EXPECT_EQ(Load(Sjis(u"[MivraData]"_s), table), 0);
    EXPECT_EQ(Load(Sjis(u"[MivraData]\r\nDataCount=0\r\n\r\n\r\n"_s), table), 0);
}

TEST(LogFile, RecordsBeyondTheCapacityAreNotedKeptAndWrittenBack) {
    QStringList records;
    for (int i = 5; i >= 1; --i)
        records << u"00%1=0,2004/05/0%1,,,,,,,,,,,,,,,,0,0,"_s.arg(i);
    TempFolder dir;
    const QString path = WriteBytes(dir.path(), u"Mivra01.dat"_s, LogFile(5, records));
    RecordTable table(3);
    QString error;
    QString notice;
    ASSERT_TRUE(LoadLogFile(path, table, &error, &notice));
    EXPECT_EQ(table.RecordCount(), 3);
    // The first three lines of the file, sorted.
    EXPECT_EQ(table.Text(1, ColDay), u"2004/05/03"_s);
    EXPECT_EQ(table.Text(3, ColDay), u"2004/05/05"_s);
    EXPECT_TRUE(notice.contains(u"5 件の記録"_s)) << notice.toStdString();
    EXPECT_TRUE(notice.contains(u"最大 3 件"_s));
    EXPECT_TRUE(notice.contains(u"2,000件"_s));

    ASSERT_TRUE(SaveLogFile(path, table, &error)) << error.toStdString();
    const QStringList lines = Lines(ReadBytes(path));
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[1], u"DataCount=5"_s);
    EXPECT_EQ(lines[2], u"001=0,2004/05/03,,,,,,,,,,,,,,,,0,0,"_s);
    EXPECT_EQ(lines[5], u"004=0,2004/05/02,,,,,,,,,,,,,,,,0,0,"_s);
    EXPECT_EQ(lines[6], u"005=0,2004/05/01,,,,,,,,,,,,,,,,0,0,"_s);
    EXPECT_EQ(ReadLogRecords(path, 3).size(), 3);
    EXPECT_EQ(ReadLogRecords(path, 1000).size(), 5);
}

TEST(LogFile, FewerRecordLinesThanTheCountLoadTheLinesThereAre) {
    TempFolder dir;
    const QString path =
        WriteBytes(dir.path(), u"Mivra01.dat"_s, LogFile(3, {u"001=0,2004/05/01,土,"_s, u"002="_s}));
    RecordTable table;
    QString notice;
    ASSERT_TRUE(LoadLogFile(path, table, nullptr, &notice));
    EXPECT_EQ(table.RecordCount(), 2);
    EXPECT_FALSE(notice.isEmpty());
    EXPECT_TRUE(table.At(1).IsEmpty());  // an empty record sorts first and keeps its line
    EXPECT_EQ(Save(table), LogFile(2, {u"001="_s, u"002=0,2004/05/01,土,,,,,,,,,,,,,,,0,0,"_s}));
}

// A load fills the table from the list it read: the slots past the file's records must be emptied,
// and records that hold the same text still change one at a time.
TEST(LogFile, ReloadingLeavesNoRecordOfTheOldLogAndEditsStayWithTheirRecord) {
    TempFolder dir;
    QStringList five;
    for (int i = 1; i <= 5; ++i)
        five << u"00%1=0,2004/05/0%1,土,,晴れ,,,,,,,,,,,,,0,0,"_s.arg(i);
    const QString longer = WriteBytes(dir.path(), u"Mivra01.dat"_s, LogFile(5, five));
    const QString shorter = WriteBytes(dir.path(), u"Mivra02.dat"_s, LogFile(2, five.mid(0, 2)));
    RecordTable table(10);
    QString error;
    ASSERT_TRUE(LoadLogFile(longer, table, &error)) << error.toStdString();
    ASSERT_TRUE(LoadLogFile(shorter, table, &error)) << error.toStdString();
    EXPECT_EQ(table.RecordCount(), 2);
    for (int slot = 3; slot <= table.Capacity(); ++slot)
        EXPECT_TRUE(table.At(slot) == FuelRecord()) << slot;
    EXPECT_FALSE(table.DiffersFromSnapshot());

    table.SetText(1, ColWeather, u"雨"_s);
    EXPECT_EQ(table.Text(2, ColWeather), u"晴れ"_s);
    EXPECT_TRUE(table.DiffersFromSnapshot());
    EXPECT_EQ(Save(table), LogFile(2, {u"001=0,2004/05/01,土,,雨,,,,,,,,,,,,,0,0,"_s,
                                       u"002=0,2004/05/02,土,,晴れ,,,,,,,,,,,,,0,0,"_s}));
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

TEST(LogFile, MainteCostsAreRegroupedLineByLine) {
    const QByteArray file =
        LogFile(2, {u"001=1,2004/05/01,土,,,,,,,,,,,,ｵｲﾙ:1234:純正:品#ﾀｲﾔ:５６７８#,,,0,0,"_s,
                    u"002=1,2004/05/02,日,,,,,,,,,,,,#ﾊﾞｯﾃﾘ::#ﾜｲﾊﾟ,,,0,0,"_s});
    RecordTable table;
    ASSERT_EQ(Load(file, table), 2);
    EXPECT_EQ(table.Text(1, ColMainte), u"ｵｲﾙ:1,234:純正:品\r\nﾀｲﾔ:5,678"_s);
    EXPECT_EQ(table.Text(2, ColMainte), u"ﾊﾞｯﾃﾘ:0:\r\nﾜｲﾊﾟ"_s);
}

// The unit price mostly repeats and is read once for all its records; each record is still checked.
TEST(LogFile, ARepeatedNumberIsReadOnceAndCheckedOnEveryLine) {
    QStringList lines;
    int day = 0;
    for (const QString& price : {u"140"_s, u"abc"_s, u"140"_s, u"abc"_s, u"１４０"_s, u" 140"_s})
        lines << u"00%1=0,2004/05/0%1,土,,,,,,,,%2,,,,,,,0,0,"_s.arg(++day).arg(price);
    const QByteArray file = LogFile(6, lines);
    const QStringList problems = {u"4行目：数値「abc」が読めません"_s, u"6行目：数値「abc」が読めません"_s};
    EXPECT_EQ(ParseLogData(file).problems, problems);  // the numbers kept as written
    RecordTable table;
    EXPECT_EQ(ReadLogData(file, table).problems, problems);
    for (int slot : {1, 3, 5, 6})
        EXPECT_EQ(table.Text(slot, ColTanka), u"   140"_s) << slot;
    EXPECT_EQ(table.Text(2, ColTanka), QString());
    EXPECT_EQ(table.Text(4, ColTanka), QString());
}

TEST(LogFile, DamagedBytesNeverShiftFieldsAndTheFileIsNotSavedOver) {
    const QByteArray file = Sjis(u"[MivraData]\r\nDataCount=2\r\n001=0,2004/05/01,土,,,,,,,,,,,,,ｼｮｯﾌﾟ"_s) +
                            "\x81," + Sjis(u"ﾒﾓ"_s) + "\xFF" + ",0,1,\r\n" +
                            Sjis(u"002=0,2004/05/02,日,,,,,,,,,,,,,,ok,0,0,\r\n"_s);
    TempFolder dir;
    const QString path = WriteBytes(dir.path(), u"Mivra01.dat"_s, file);
    RecordTable table;
    QString error;
    EXPECT_FALSE(LoadLogFile(path, table, &error));
    EXPECT_TRUE(error.contains(u"3行目"_s)) << error.toStdString();
    EXPECT_TRUE(error.contains(u"保存しません"_s));
    ASSERT_EQ(table.RecordCount(), 2);
    EXPECT_EQ(table.Text(1, ColShop), u"ｼｮｯﾌﾟ\uFFFD"_s);
    EXPECT_EQ(table.Text(1, ColMemo), u"ﾒﾓ\uFFFD"_s);
    EXPECT_EQ(table.MemoGraph(1), 1);
    EXPECT_EQ(table.Text(2, ColMemo), u"ok"_s);

    table.SetText(2, ColMemo, u"changed"_s);
    QString saveError;
    EXPECT_FALSE(SaveLogFile(path, table, &saveError));
    EXPECT_EQ(saveError, error);
    EXPECT_EQ(ReadBytes(path), file);
    EXPECT_TRUE(table.DiffersFromSnapshot());

    // Reading the file again after it was mended lifts the block.
    WriteBytes(dir.path(), u"Mivra01.dat"_s, FixtureBytes(kExample));
    ASSERT_TRUE(LoadLogFile(path, table, &error));
    EXPECT_TRUE(SaveLogFile(path, table, &error)) << error.toStdString();
}

// Bytes that do not decode, and characters CP932 cannot hold in a file with a byte-order mark, are
// reported on their own lines; the lines around them read as usual.
TEST(LogFile, UnreadableCharactersAreReportedOnTheirLines) {
    const QByteArray head = "[MivraData]\r\nDataCount=4\r\n";
    const QByteArray good = "=0,2004/05/01,,,,,,,,,,,,,,,memo,0,0,\r\n";
    const QByteArray cp932 = head + "001" + good + "002=0,2004/05/02,,,,,,,,,,,,,,,a\x81\r\n" +
                             "003=0,2004/05/03,,,,,,,,,,,,,,,\xFF,0,0,\r\n" + "004" + good;
    const QString problemText = u"CP932 の文字として読み書きできない部分があります"_s;
    LogContent content = ParseLogData(cp932);
    ASSERT_EQ(content.records.size(), 4);
    EXPECT_EQ(content.problems, (QStringList{u"4行目："_s + problemText, u"5行目："_s + problemText}));
    EXPECT_EQ(content.records[3].Memo(), u"memo"_s);

    const QByteArray utf8 = "\xEF\xBB\xBF" + head + "001" + good + "002=0,2004/05/02,,,,,,,,,,,,,,,caf\xC3\xA9,0,0,\r\n";
    content = ParseLogData(utf8);
    ASSERT_EQ(content.records.size(), 2);
    EXPECT_EQ(content.problems, (QStringList{u"4行目："_s + problemText}));
    EXPECT_EQ(content.records[1].Memo(), u"café"_s);
}

// Each way a log file can hold what its loader reads as less than it is; the table may then be saved
// only when every record of the file is written back, else the file stays as it was.
TEST(LogFile, NeverSavesFewerRecordsThanTheFileHolds) {
    const QByteArray example = FixtureBytes(kExample);
    const QByteArray body = example.mid(example.indexOf("001="));
    QByteArray utf16le("\xFF\xFE");
    QByteArray utf16be("\xFE\xFF");
    for (QChar c : Cp932Decode(example)) {
        utf16le.append(static_cast<char>(c.unicode() & 0xFF)).append(static_cast<char>(c.unicode() >> 8));
        utf16be.append(static_cast<char>(c.unicode() >> 8)).append(static_cast<char>(c.unicode() & 0xFF));
    }
    QByteArray crOnly = example;
    crOnly.replace("\r\n", "\r");
    QByteArray many = "[MivraData]\r\nDataCount=1500\r\n";
    for (int i = 1; i <= 1500; ++i)
        many += "001=0,2004/05/01,,,,,,,,,,,,,,," + QByteArray::number(i) + ",0,0,\r\n";
    struct Case {
        const char* name;
        QByteArray bytes;
        int records;      // in the file
        bool understood;  // read in full, so it may be saved over
    };
    const std::vector<Case> cases = {
        {"count beyond 32 bits", "[MivraData]\r\nDataCount=4294967298\r\n" + body, 2, true},
        {"negative count", "[MivraData]\r\nDataCount=-2\r\n" + body, 2, true},
        {"empty count", "[MivraData]\r\nDataCount=\r\n" + body, 2, true},
        {"no count line", "[MivraData]\r\n" + body, 2, true},
        {"NUL in the count", QByteArray("[MivraData]\r\nDataCount=2\0\r\n", 27) + body, 2, true},
        {"zero count", "[MivraData]\r\nDataCount=0\r\n" + body, 2, true},
        {"CR-only line ends", crOnly, 2, true},
        {"UTF-16 LE with mark", utf16le, 2, true},
        {"UTF-16 BE with mark", utf16be, 2, true},
        {"1,500 records, capacity 1,000", many, 1500, true},
        {"all NUL", QByteArray(4096, '\0'), 0, false},
        {"no header", body, 2, false},
        {"a line without =", example + "garbage\r\n", 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        const QString path = WriteBytes(dir.path(), u"Mivra01.dat"_s, c.bytes);
        RecordTable table(1000);
        QString error;
        EXPECT_EQ(LoadLogFile(path, table, &error), c.understood) << error.toStdString();
        table.SetText(1, ColMemo, u"changed"_s);
        if (c.understood) {
            ASSERT_TRUE(SaveLogFile(path, table, &error)) << error.toStdString();
            const LogContent saved = ParseLogData(ReadBytes(path));
            EXPECT_EQ(saved.records.size(), c.records);
            EXPECT_TRUE(saved.problems.isEmpty());
            EXPECT_TRUE(saved.countAgrees);
        } else {
            EXPECT_FALSE(SaveLogFile(path, table, &error));
            EXPECT_TRUE(error.contains(u"Mivra01.dat"_s)) << error.toStdString();
            EXPECT_EQ(ReadBytes(path), c.bytes);
        }
    }
}

// Load and save, then load the saved file and save again: the second save gives the same bytes and
// keeps every record.
TEST(LogFile, SavingTwiceGivesTheSameBytes) {
    QVector<QByteArray> files = {FixtureBytes(kExample)};
    for (const QString& fixture : QDir(FixturePath(u"cli"_s)).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString data = FixturePath(u"cli/"_s + fixture + u"/data"_s);
        for (const QString& name : QDir(data).entryList({u"Mivra*.dat"_s}, QDir::Files)) {
            const QByteArray bytes = ReadBytes(data + QLatin1Char('/') + name);
            // Cases of damaged logs are never saved; the others are.
            if (ParseLogData(bytes).problems.isEmpty()) files.append(bytes);
        }
    }
    // Records that earlier versions wrote differently on each save or lost.
    files.append(
        LogFile(10, {u"001=0,,,10:00,,,,,,,,,,,,,memo,0,0,"_s, u"002=0,05,,,,,,,,,,,,,,,,0,0,"_s,
                     u"003=0,2004/05/01,土,  :  ,晴れ,1e5,1.5E3,-.5,-0.5,０１２,+7,,,,,,,0,0,"_s,
                     u"004=1,2004/06/01,火,,,,,,,6000,,,,,車検,,,0,0,"_s, u"005="_s,
                     u"006=1,2004/06/02,水,,,,,,,,,,,,ｵｲﾙ::#ﾀｲﾔ:-1500:左#洗車,,#前後の空行#, 1 , 0 ,"_s,
                     u"007=0,2004/06/03,木,,,,12345678901234567890,,,,,,,,,,,0,0,"_s,
                     u"008=0,2004/06/04,金,,a=b,,,,,,,,,,,,memo ,1,0,"_s,
                     u"009=1,2004/06/05,土,,,,,,,1200,,,,,#洗車#,,,0,0,"_s, QString()}));
    for (const QByteArray& file : files) {
        RecordTable table;
        Load(file, table);
        const int records = table.RecordCount();
        const QByteArray once = Save(table);
        RecordTable again;
        ASSERT_EQ(Load(once, again), records);
        EXPECT_EQ(Save(again), once) << Cp932Decode(once).toStdString();
    }
}

TEST(LogFile, AnExponentShowsAndSavesAsTheValueItStandsFor) {
    RecordTable table;
    ASSERT_EQ(Load(LogFile(1, {u"001=0,2004/05/01,土,,,1e5,,2.5E-1,,,,,,,,,,0,0,"_s}), table), 1);
    EXPECT_EQ(table.Text(1, ColRun), u" 100,000"_s);
    EXPECT_EQ(table.Text(1, ColGas), u"  0.25"_s);
    EXPECT_TRUE(Lines(Save(table))[2].startsWith(u"001=0,2004/05/01,土,,,100000,,0.25,"_s));
}

TEST(LogFile, ValuesThatSavingWouldChangeBlockTheSave) {
    const std::vector<std::pair<QString, QString>> cases = {
        {u"001=0,2004/05/01,土,,,,,,,,,,,,,,,0,0,extra"_s, u"19"_s},
        {u"001=0,2004/05/01,土,,,abc,,,,,,,,,,,,0,0,"_s, u"abc"_s},
        {u"001=0,2004/05/01,土,,,1e999,,,,,,,,,,,,0,0,"_s, u"1e999"_s},
        {u"001=x,2004/05/01,土,,,,,,,,,,,,,,,0,0,"_s, u"フラグ"_s},
        {u"001=0,2004/05/01,土,,,,,,,,,,,,,,,200,0,"_s, u"フラグ"_s},
        {u"001=1,2004/05/01,土,,,,,,,,,,,,ｵｲﾙ:1e3:,,,0,0,"_s, u"1e3"_s},
        {u"001=1,2004/05/01,土,,,,,,,,,,,,車検,,,0,0,"_s, QString()},
        {u"001=1,2004/05/01,土,,,,,,,2e3,,,,,車検,,,0,0,"_s, u"2e3"_s},
    };
    for (const auto& [line, reason] : cases) {
        TempFolder dir;
        const QString path = WriteBytes(dir.path(), u"Mivra01.dat"_s, LogFile(1, {line}));
        RecordTable table;
        QString error;
        EXPECT_EQ(LoadLogFile(path, table, &error), reason.isEmpty()) << line.toStdString();
        EXPECT_TRUE(error.contains(reason)) << error.toStdString();
        EXPECT_EQ(table.RecordCount(), 1);
    }
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
    EXPECT_TRUE(ReadLogRecords(dir.path(), 1000).isEmpty());  // a folder
    const QVector<FuelRecord> lines =
        ReadLogRecords(WriteBytes(dir.path(), u"b.dat"_s, LogFile(3, {u"001=0,2004/05/01,土,"_s})), 1000);
    EXPECT_EQ(lines.size(), 1);
}

}  // namespace
}  // namespace tovrel
