// The record table: display texts of the fields, order, removal, snapshot and search backup.
#include "data/record_table.h"

#include "base/cp932.h"
#include "base/text_utils.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>
#include <ostream>
#include <vector>

namespace tovrel {
namespace {

using namespace Qt::StringLiterals;

FuelRecord Rec(const QString& day, const QString& time, const QString& memo = QString()) {
    FuelRecord r;
    r.text[ColDay] = day;
    r.text[ColTime] = time;
    r.text[ColMemo] = memo;
    return r;
}

void Fill(RecordTable& table, const std::vector<FuelRecord>& records) {
    table.SetRecordCount(static_cast<int>(records.size()));
    for (int i = 0; i < static_cast<int>(records.size()); ++i)
        table.SetRecord(i + 1, records[i]);
}

QStringList Memos(const RecordTable& table) {
    QStringList memos;
    for (int i = 1; i <= table.RecordCount(); ++i)
        memos << table.Text(i, ColMemo);
    return memos;
}

TEST(RecordTable, NumericCellsShowGroupedRightAlignedTextsAndZeroAsEmpty) {
    RecordTable table;
    FuelRecord r = Rec(u"2004/05/01"_s, u"08:30"_s, u"  メモ  "_s);
    r.text[ColRun] = u"412.3"_s;
    r.text[ColTotalRun] = u"1234.5"_s;
    r.text[ColGas] = u"0"_s;
    r.text[ColEconomy] = u"0.00"_s;
    r.text[ColCost] = u"0"_s;
    r.text[ColTanka] = u"abc"_s;
    r.text[ColStand] = u" スタンド,Ａ "_s;
    table.SetRecordCount(1);
    table.SetRecord(1, r);
    EXPECT_EQ(table.Text(1, ColRun), u"   412.3"_s);
    EXPECT_EQ(table.Text(1, ColTotalRun), u"  1,234.5"_s);
    EXPECT_EQ(table.Text(1, ColGas), QString());
    EXPECT_EQ(table.Text(1, ColEconomy), QString());
    EXPECT_EQ(table.Text(1, ColCost), QString());
    EXPECT_EQ(table.Text(1, ColTanka), QString());
    EXPECT_EQ(table.Text(1, ColStand), u" スタンド,Ａ "_s);  // text fields stay as given
    EXPECT_EQ(table.Text(1, ColMemo), u"  メモ  "_s);

    table.SetCostZeroDisp(true);
    table.SetText(1, ColCost, u"0"_s);
    EXPECT_EQ(table.Text(1, ColCost), u"        0"_s);
    table.SetText(1, ColGas, u"0"_s);
    EXPECT_EQ(table.Text(1, ColGas), QString());
}

TEST(RecordTable, NumericCellsKeepLongValuesWholeAndAreStable) {
    RecordTable table;
    table.SetRecordCount(1);
    table.SetText(1, ColTotalRun, u"123456789.5"_s);
    EXPECT_EQ(table.Text(1, ColTotalRun), u"123,456,789.5"_s);
    table.SetText(1, ColTotalRun, u"3000000000"_s);
    EXPECT_EQ(table.Text(1, ColTotalRun), u"3,000,000,000"_s);
    table.SetText(1, ColCost, u"-1234"_s);
    EXPECT_EQ(table.Text(1, ColCost), u"   -1,234"_s);
    table.SetText(1, ColGas, u"１２．５"_s);
    EXPECT_EQ(table.Text(1, ColGas), u"  12.5"_s);
    // Storing a record's own texts again changes nothing.
    const FuelRecord shown = table.GetRecord(1);
    table.SetRecord(1, shown);
    EXPECT_EQ(table.GetRecord(1), shown);
}

// A number cell is the field's half-width, ungrouped form read as a number and grouped; the field's
// own reading is what the log reader checks. Stated step by step, the slow way.
QString ReferenceCell(int col, const QString& value, bool costZeroDisp) {
    const QString plain = StripGrouping(ToHalfWidth(value));
    const double number = ParseNumber(plain, 2, 0);
    if (number == 0 && !(col == ColCost && costZeroDisp)) return QString();
    if (plain.contains(u'E') && IsNumberText(plain)) {
        QString digits = QString::number(number, 'f', 2);
        while (digits.endsWith(u'0'))
            digits.chop(1);
        if (digits.endsWith(u'.')) digits.chop(1);
        return GroupDigits(digits, kColumnChars[col]);
    }
    return GroupDigits(plain, kColumnChars[col]);
}

TEST(RecordTable, NumberCellsOfEveryShapeOfFieldAreTheReferenceCells) {
    for (const QString& text : test::NumberTextsOfEveryShape()) {
        for (int col : {ColRun, ColCost}) {
            for (bool costZeroDisp : {false, true}) {
                bool reads = !IsNumberText(text);
                ASSERT_EQ(NumberCellText(col, text, costZeroDisp, &reads),
                          ReferenceCell(col, text, costZeroDisp))
                    << text.toStdString() << " " << col << " " << costZeroDisp;
                EXPECT_EQ(reads, IsNumberText(text)) << text.toStdString();
            }
        }
    }
}

TEST(RecordTable, SortsByDayThenTimeKeepingEqualKeysInOrder) {
    RecordTable table;
    Fill(table, {Rec(u"2004/05/01"_s, u"10:00"_s, u"a"_s), Rec(u"2004/05/01"_s, QString(), u"b"_s),
                 Rec(u"2004/04/30"_s, u"23:59"_s, u"c"_s)});
    table.SortRecords();
    EXPECT_EQ(Memos(table), (QStringList{u"c"_s, u"b"_s, u"a"_s}));

    Fill(table, {Rec(u"2004/05/02"_s, u"08:00"_s, u"1"_s), Rec(u"2004/05/01"_s, u"09:00"_s, u"2"_s),
                 Rec(u"2004/05/02"_s, u"08:00"_s, u"3"_s), Rec(u"2004/05/01"_s, u"  :  "_s, u"4"_s),
                 Rec(u"2004/05/02"_s, u"08:00"_s, u"5"_s), Rec(u"2004/05/01"_s, u"09:00"_s, u"6"_s)});
    table.SortRecords();
    EXPECT_EQ(Memos(table), (QStringList{u"4"_s, u"2"_s, u"6"_s, u"1"_s, u"3"_s, u"5"_s}));
    EXPECT_TRUE(table.At(7).IsEmpty());

    // The key is Day and Time joined: a shorter joined key that begins the other goes first, equal
    // joined keys keep their order however they divide.
    Fill(table, {Rec(u"2004/5/12"_s, {}, u"a"_s), Rec(u"2004/5/1"_s, u"2"_s, u"b"_s),
                 Rec(u"2004/5/1"_s, {}, u"c"_s), Rec(u"2004/5/1"_s, u"1"_s, u"d"_s)});
    table.SortRecords();
    EXPECT_EQ(Memos(table), (QStringList{u"c"_s, u"d"_s, u"a"_s, u"b"_s}));
    Fill(table, {Rec(u"2004/5/12"_s, {}, u"a"_s), Rec(u"2004/5/1"_s, {}, u"b"_s)});
    table.SortRecords();
    EXPECT_EQ(Memos(table), (QStringList{u"b"_s, u"a"_s}));
}

// Keys of any length and characters end in the order of their CP932 bytes, equal keys in
// their first order, whether or not the table was in order before.
TEST(RecordTable, SortingAgreesWithTheKeyOrder) {
    const QStringList pieces = {u""_s, u"1"_s, u"12"_s, u"2004/5/1"_s, u"2004/05/01"_s, u"2004/05/1"_s,
                                u" "_s, u"０"_s, u"ｱ"_s, u"年"_s, u"~"_s};
    const auto byBytes = [](const FuelRecord& a, const FuelRecord& b) {
        return Cp932Encode(a.Day() + a.Time()) < Cp932Encode(b.Day() + b.Time());
    };
    QRandomGenerator random(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<FuelRecord> records;
        const int n = 2 + random.bounded(6);
        for (int i = 0; i < n; ++i) {
            records.push_back(Rec(pieces[random.bounded(pieces.size())], pieces[random.bounded(pieces.size())],
                                  QString::number(i)));
            if (records.back().Day().isEmpty()) records.back().text[ColDay] = u"x"_s;  // else an empty record
        }
        if (round % 2 == 0) std::stable_sort(records.begin(), records.end(), byBytes);
        RecordTable table(10);
        Fill(table, records);
        table.SortRecords();
        std::stable_sort(records.begin(), records.end(), byBytes);
        for (std::size_t i = 1; i < records.size(); ++i) {
            ASSERT_EQ(RecordTable::KeyLess(records[i], records[i - 1]), byBytes(records[i], records[i - 1]));
            ASSERT_EQ(RecordTable::KeyLess(records[i - 1], records[i]), byBytes(records[i - 1], records[i]));
        }
        QStringList expected;
        for (const FuelRecord& r : records)
            expected << r.Memo();
        ASSERT_EQ(Memos(table), expected) << round;
    }
}

TEST(RecordTable, RemoveRangeMovesLaterRecordsUp) {
    RecordTable table(10);
    Fill(table, {Rec(u"2004/01/01"_s, {}, u"1"_s), Rec(u"2004/01/02"_s, {}, u"2"_s),
                 Rec(u"2004/01/03"_s, {}, u"3"_s), Rec(u"2004/01/04"_s, {}, u"4"_s),
                 Rec(u"2004/01/05"_s, {}, u"5"_s)});
    table.RemoveRange(2, 3);
    EXPECT_EQ(Memos(table), (QStringList{u"1"_s, u"4"_s, u"5"_s}));
    EXPECT_TRUE(table.At(4).IsEmpty());
    EXPECT_TRUE(table.At(5).IsEmpty());
    table.RemoveRange(3, 2);
    EXPECT_EQ(table.RecordCount(), 3);
    table.RemoveRange(0, 99);
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_TRUE(table.At(1).IsEmpty());
}

TEST(RecordTable, SnapshotTellsUnsavedChanges) {
    RecordTable table;
    Fill(table, {Rec(u"2004/01/01"_s, {}, u"1"_s)});
    table.TakeSnapshot();
    EXPECT_FALSE(table.DiffersFromSnapshot());
    table.SetText(1, ColMemo, u"changed"_s);
    EXPECT_TRUE(table.DiffersFromSnapshot());
    table.SetText(1, ColMemo, u"1"_s);
    EXPECT_FALSE(table.DiffersFromSnapshot());
    table.SetNoneHeikin(1, 1);
    EXPECT_TRUE(table.DiffersFromSnapshot());
    table.SetCapacity(2000);
    EXPECT_FALSE(table.DiffersFromSnapshot());
    EXPECT_EQ(table.RecordCount(), 0);
}

TEST(RecordTable, SearchBackupRestoresTheFullListAndStatusTexts) {
    RecordTable table;
    Fill(table, {Rec(u"2004/01/01"_s, {}, u"1"_s), Rec(u"2004/01/02"_s, {}, u"2"_s),
                 Rec(u"2004/01/03"_s, {}, u"3"_s)});
    EXPECT_EQ(table.CountStatusText(), u"登録件数 : 3件"_s);
    EXPECT_FALSE(table.RestoreFullTable());

    table.SaveFullTable();
    table.ClearSlots(1, table.Capacity());
    Fill(table, {Rec(u"2004/01/02"_s, {}, u"2"_s)});
    EXPECT_TRUE(table.IsSearchActive());
    EXPECT_EQ(table.FullCount(), 3);
    EXPECT_EQ(table.CountStatusText(), u"検索結果 : 1/3件"_s);

    table.SaveFullTable();  // a second search starts from the full list again
    EXPECT_EQ(table.FullCount(), 3);
    table.SetRecordCount(0);
    EXPECT_EQ(table.CountStatusText(), u"検索結果 : 0/3件"_s);

    EXPECT_TRUE(table.RestoreFullTable());
    EXPECT_FALSE(table.IsSearchActive());
    EXPECT_EQ(Memos(table), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    EXPECT_TRUE(table.At(4).IsEmpty());
    EXPECT_EQ(table.CountStatusText(), u"登録件数 : 3件"_s);
}

TEST(RecordTable, CapacityAndSlotsOutsideTheTable) {
    RecordTable table;
    EXPECT_EQ(table.CapacityHint(), u"最大1000件まで登録できます。"_s);
    table.SetCapacity(2000);
    EXPECT_EQ(table.CapacityHint(), u"最大2000件まで登録できます。"_s);

    const FuelRecord r = Rec(u"2004/01/01"_s, {}, u"x"_s);
    for (int slot : {-1, 0, 2001}) {
        table.SetRecord(slot, r);
        table.SetText(slot, ColMemo, u"x"_s);
        table.SetKind(slot, 1);
        EXPECT_TRUE(table.At(slot).IsEmpty());
        EXPECT_EQ(table.Text(slot, ColMemo), QString());
    }
    table.SetText(1, ColNo, u"x"_s);
    table.SetText(1, ColumnCount, u"x"_s);
    table.ClearSlots(-5, 5000);
    table.SetRecordCount(5000);
    EXPECT_EQ(table.RecordCount(), 2000);
    table.SetRecordCount(-3);
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_FALSE(table.DiffersFromSnapshot());
}

// The list holds only the slots in use; every slot above it reads as empty and may be written.
TEST(RecordTable, SlotsAboveTheListReadEmptyAndCanBeWritten) {
    RecordTable table(2000);
    EXPECT_LT(table.SlotList().size(), 10);
    table.TakeSnapshot();
    table.SetText(1500, ColMemo, u"far"_s);
    EXPECT_EQ(table.Text(1500, ColMemo), u"far"_s);
    EXPECT_TRUE(table.At(1499).IsEmpty());
    EXPECT_TRUE(table.At(1501).IsEmpty());
    EXPECT_TRUE(table.DiffersFromSnapshot());
    table.ClearSlots(1400, 1600);
    EXPECT_FALSE(table.DiffersFromSnapshot());

    // A count raised before its records are written gives empty records, not stale ones.
    table.SetRecordCount(3);
    EXPECT_EQ(Memos(table), (QStringList{QString(), QString(), QString()}));
    Fill(table, {Rec(u"2004/01/03"_s, {}, u"3"_s), Rec(u"2004/01/01"_s, {}, u"1"_s),
                 Rec(u"2004/01/02"_s, {}, u"2"_s)});
    table.SortRecords();
    EXPECT_EQ(Memos(table), (QStringList{u"1"_s, u"2"_s, u"3"_s}));

    // A record written above the count during a search is gone once the full list is back.
    table.SaveFullTable();
    table.SetRecord(10, Rec(u"2004/02/01"_s, {}, u"new"_s));
    EXPECT_TRUE(table.RestoreFullTable());
    EXPECT_TRUE(table.At(10).IsEmpty());
    EXPECT_EQ(Memos(table), (QStringList{u"1"_s, u"2"_s, u"3"_s}));

    table.SetRecord(5, Rec(u"2004/03/01"_s, {}, u"beyond"_s));
    EXPECT_EQ(table.KeepRecords([](const FuelRecord& r) { return r.text[ColMemo] != u"2"_s; }), 2);
    EXPECT_EQ(Memos(table), (QStringList{u"1"_s, u"3"_s}));
    EXPECT_TRUE(table.At(3).IsEmpty());
    EXPECT_TRUE(table.At(5).IsEmpty());
}

TEST(RecordTable, UpdatesAreAnnouncedOnceAtTheEnd) {
    RecordTable table;
    int rows = 0, resets = 0, counts = 0;
    QObject::connect(&table, &RecordTable::recordsChanged, [&](int, int) { ++rows; });
    QObject::connect(&table, &RecordTable::tableReset, [&] { ++resets; });
    QObject::connect(&table, &RecordTable::countChanged, [&](int) { ++counts; });
    table.BeginUpdate();
    Fill(table, {Rec(u"2004/01/02"_s, {}), Rec(u"2004/01/01"_s, {})});
    table.SortRecords();
    EXPECT_EQ(rows + resets + counts, 0);
    table.EndUpdate();
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(counts, 1);
    table.SetText(2, ColMemo, u"m"_s);
    EXPECT_EQ(rows, 1);
}

}  // namespace
}  // namespace tovrel
