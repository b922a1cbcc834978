// The settings dialog's rules without a screen: row moves, field rules, the checks of OK in their
// order, storing into the settings, the renumbering of the maintenance check flags, print tab rows.
#include "data/setting_edit.h"

#include "base/profile_ini.h"
#include "data/print_forms.h"
#include "test_support.h"

#include <QDir>

#include <gtest/gtest.h>

namespace tovrel {
namespace {

using namespace test;

// A draft from the defaults with the maintenance items of the built-in table.
SettingsDraft DefaultDraft() {
    Settings settings;
    CarBook book;
    book.currentCar = 1;
    book.lists = DefaultItemLists();
    book.mainte = DefaultMainteSettings();
    return MakeSettingsDraft(settings, book);
}

TEST(SettingRows, MovesInsertsAndDeletesWithinTheColumn) {
    NameList cells;
    for (int row = 1; row <= kListSlots; ++row)
        cells[row] = QString::number(row);
    EXPECT_FALSE(SwapWithRowAbove(cells, 1));
    EXPECT_FALSE(SwapWithRowBelow(cells, 10));
    EXPECT_TRUE(SwapWithRowAbove(cells, 3));
    EXPECT_EQ(cells[2], S("3"));
    EXPECT_EQ(cells[3], S("2"));
    EXPECT_TRUE(InsertBlankRow(cells, 2, QString()));
    EXPECT_EQ(cells[2], QString());
    EXPECT_EQ(cells[3], S("3"));
    EXPECT_EQ(cells[10], S("9"));  // the last row's text is lost
    EXPECT_TRUE(DeleteRowAt(cells, 1, QString()));
    EXPECT_EQ(cells[1], QString());
    EXPECT_EQ(cells[2], S("3"));
    EXPECT_EQ(cells[10], QString());
    EXPECT_FALSE(InsertBlankRow(cells, 0, QString()));
    EXPECT_FALSE(DeleteRowAt(cells, 11, QString()));

    // The pop-up items: where the cursor goes, 0 when nothing moved.
    EXPECT_EQ(ApplyRowCommand(cells, 2, RowCommand::MoveUp, QString()), 1);
    EXPECT_EQ(ApplyRowCommand(cells, 1, RowCommand::MoveUp, QString()), 0);
    EXPECT_EQ(ApplyRowCommand(cells, 9, RowCommand::MoveDown, QString()), 10);
    EXPECT_EQ(ApplyRowCommand(cells, 10, RowCommand::MoveDown, QString()), 0);
    EXPECT_EQ(ApplyRowCommand(cells, 4, RowCommand::Insert, QString()), 4);
    EXPECT_EQ(ApplyRowCommand(cells, 4, RowCommand::Delete, QString()), 4);
}

TEST(SettingRows, MaintenanceItemsMoveWithTheirSettingsAndFormerNumbers) {
    MainteDraft draft = MakeMainteDraft(DefaultMainteSettings());
    ASSERT_TRUE(SwapWithRowAbove(draft, 5));
    EXPECT_EQ(draft[4].setting.name, S(u"ﾀｲﾔ空気圧調整"));
    EXPECT_EQ(draft[4].setting.dayInterval, 30);
    EXPECT_EQ(draft[4].formerNumber, 5);
    EXPECT_EQ(draft[5].formerNumber, 4);
    EXPECT_EQ(draft[5].setting.distanceInterval, 30000);

    ASSERT_TRUE(InsertBlankRow(draft, 1, BlankMainteItem()));
    EXPECT_EQ(draft[1], BlankMainteItem());
    EXPECT_EQ(draft[1].formerNumber, 0);
    EXPECT_EQ(draft[2].formerNumber, 1);
    EXPECT_EQ(draft[50].formerNumber, 49);

    ASSERT_TRUE(DeleteRowAt(draft, 1, BlankMainteItem()));
    EXPECT_EQ(draft[1].formerNumber, 1);
    EXPECT_EQ(draft[50], BlankMainteItem());
}

TEST(SettingFields, LeaveRules) {
    EXPECT_EQ(MainteNameOnLeave(S(u" ｵｲﾙ,交換#1 ")), S(u"ｵｲﾙ.交換1"));
    EXPECT_EQ(MainteMemoOnLeave(S(u" 純正,5W-30#A ")), S(u"純正.5W-30#A"));
    EXPECT_EQ(IntervalFromText(S("5,000")), 5000);
    EXPECT_EQ(IntervalFromText(S(u"５０００")), 5000);
    EXPECT_EQ(IntervalFromText(S("12.5")), 0);
    EXPECT_EQ(IntervalFromText(S("99999999999")), 0);
    EXPECT_EQ(IntervalText(30000), S("30,000"));
    EXPECT_EQ(DecimalOnLeave(S("1234.5"), 2), S("1,234.50"));
    EXPECT_EQ(DecimalOnLeave(S("8"), 1), S("8.0"));
    EXPECT_EQ(DecimalOnLeave(S("abc"), 1), S("0.0"));
    EXPECT_EQ(NameCellOnStore(S(u" ＥＮＥ,堀 ")), S(u"ＥＮＥ.堀"));
}

TEST(SettingFields, DataPathLeaveRule) {
    TempFolder folder;
    const QString bare = folder.path().chopped(1);
    EXPECT_EQ(NormalizeDataPath(bare), folder.path());
    EXPECT_EQ(NormalizeDataPath(DefaultDataFolder()), QString());
    EXPECT_EQ(NormalizeDataPath(DefaultDataFolder().chopped(1)), QString());
    EXPECT_EQ(NormalizeDataPath(S("/")), QString());
    EXPECT_EQ(NormalizeDataPath(QString()), QString());
}

TEST(SettingChecks, DefaultsPass) {
    EXPECT_TRUE(CheckSettingsDraft(DefaultDraft()).ok);
}

TEST(SettingChecks, GraphCountsAreCheckedOnlyWhenNotAllAreShown) {
    SettingsDraft d = DefaultDraft();
    d.DispNumber = S("1");
    EXPECT_TRUE(CheckSettingsDraft(d).ok);
    d.AllGraph = false;
    SettingsCheck check = CheckSettingsDraft(d);
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.message, S(u"ﾒｲﾝ一覧のｸﾞﾗﾌ表示するﾃﾞｰﾀ件数を正しく設定してください。"));
    EXPECT_EQ(check.tab, SettingTab::Graph);
    EXPECT_EQ(check.focus, S("DispNumberMemo"));
    d.DispNumber = S("2");
    d.AllGraphKikan = false;
    d.DispNumberKikan = S("abc");
    check = CheckSettingsDraft(d);
    EXPECT_EQ(check.message, S(u"期間集計のｸﾞﾗﾌ表示するﾃﾞｰﾀ件数を正しく設定してください。"));
    EXPECT_EQ(check.focus, S("DispNumberKikanMemo"));
}

TEST(SettingChecks, FixedScalesOfEconomyAndDistanceOnly) {
    SettingsDraft d = DefaultDraft();
    d.MivraMinScale = S("10");
    d.MivraMaxScale = S("10");
    EXPECT_TRUE(CheckSettingsDraft(d).ok);  // not fixed
    d.MivraScaleFix = true;
    SettingsCheck check = CheckSettingsDraft(d);
    EXPECT_EQ(check.message, S(u"燃費（Y軸）ｽｹｰﾙの最小・最大ｽｹｰﾙを正しく設定してください。"));
    EXPECT_EQ(check.focus, S("MivraMinMemo"));
    d.MivraMaxScale = S("-1");
    EXPECT_EQ(CheckSettingsDraft(d).focus, S("MivraMaxMemo"));
    d.MivraMinScale = S("x");
    EXPECT_EQ(CheckSettingsDraft(d).focus, S("MivraMinMemo"));
    d.MivraMinScale = S("0");
    d.MivraMaxScale = S("15");
    d.TankaMinScale = S("300");
    d.TankaMaxScale = S("200");
    EXPECT_TRUE(CheckSettingsDraft(d).ok);
    d.RunMaxScale = S("0");
    check = CheckSettingsDraft(d);
    EXPECT_EQ(check.message, S(u"走行距離（Y軸）ｽｹｰﾙの最小・最大ｽｹｰﾙを正しく設定してください。"));
    EXPECT_EQ(check.focus, S("RunMinMemo"));
}

TEST(SettingChecks, FirstFailingMaintenanceItemAndTheDayBeforeTheDistance) {
    SettingsDraft d = DefaultDraft();
    d.mainte[3].setting.distanceInterval = 0;
    d.mainte[2].setting.dayInterval = 0;
    SettingsCheck check = CheckSettingsDraft(d);
    EXPECT_EQ(check.message, S(u"[2:ｵｲﾙｴﾚﾒﾝﾄ交換]の経過日付を正しく設定してください。"));
    EXPECT_EQ(check.tab, SettingTab::Mainte);
    EXPECT_EQ(check.mainteRow, 2);
    EXPECT_EQ(check.focus, S("DayMemo"));

    d.mainte[2].setting.dayInterval = 365;
    d.mainte[3].setting.name = S(u"  ﾐｯｼｮﾝ  ");
    check = CheckSettingsDraft(d);
    EXPECT_EQ(check.message, S(u"[3:ﾐｯｼｮﾝ]の走行距離を正しく設定してください。"));
    EXPECT_EQ(check.focus, S("RunMemo"));
    d.mainte[3].setting.dayInterval = -1;
    EXPECT_EQ(CheckSettingsDraft(d).focus, S("DayMemo"));
    d.mainte[3].setting.distanceCheck = 0;
    d.mainte[3].setting.dayCheck = 0;
    EXPECT_TRUE(CheckSettingsDraft(d).ok);

    // The graph checks come first.
    d.mainte[7].setting.dayInterval = 0;
    d.AllGraph = false;
    d.DispNumber = QString();
    EXPECT_EQ(CheckSettingsDraft(d).tab, SettingTab::Graph);
}

TEST(SettingChecks, WarningLevelsWithinOneToNinetyNine) {
    SettingsDraft d = DefaultDraft();
    d.Warning2Level = S("100");
    SettingsCheck check = CheckSettingsDraft(d);
    EXPECT_EQ(check.message, S(u"ﾒﾝﾃﾅﾝｽ期限を判断するﾊﾟｰｾﾝﾄを正しく設定してください。"));
    EXPECT_EQ(check.focus, S("Warning2Memo"));
    d.Warning2Level = S("1");
    d.Warning3Level = S("99");
    EXPECT_TRUE(CheckSettingsDraft(d).ok);
    d.Warning3Level = S("0");
    EXPECT_EQ(CheckSettingsDraft(d).focus, S("Warning3Memo"));
}

TEST(SettingChecks, DataFolderMustExistAsAFolder) {
    TempFolder folder;
    SettingsDraft d = DefaultDraft();
    d.DataPath = folder.path().chopped(1);
    EXPECT_TRUE(CheckSettingsDraft(d).ok);
    d.DataPath = folder.file(S("missing"));
    SettingsCheck check = CheckSettingsDraft(d);
    EXPECT_EQ(check.message,
              S(u"ﾃﾞｰﾀﾌｧｲﾙ格納ﾌｫﾙﾀﾞ \"") + folder.file(S("missing/")) + S(u"\" が見つかりません。"));
    EXPECT_EQ(check.tab, SettingTab::Current);
    WriteBytes(folder.path(), S("plain.txt"), "x");
    d.DataPath = folder.file(S("plain.txt"));
    EXPECT_FALSE(CheckSettingsDraft(d).ok);
}

TEST(SettingStore, InvalidNumbersTakeDefaultsAndPerCarValuesGoToTheCar) {
    Settings s;
    SettingsDraft d = DefaultDraft();
    d.AllGraph = true;
    d.DispNumber = S("abc");
    d.DispNumberKikan = S("7");
    d.MivraMinScale = S("x");
    d.MivraMaxScale = S("x");
    d.RunMaxScale = QString();
    d.GasMaxScale = S("55");
    d.JpgWaitTime = S("?");
    d.RunTani = 1;
    d.WarningStart = 2;
    d.RunCalcSelect = 0;
    d.DayFix = true;
    StoreDraftSettings(d, s, 3);
    EXPECT_EQ(s.DispNumber, 20);
    EXPECT_EQ(s.DispNumberKikan, 7);
    EXPECT_EQ(s.MivraMinScale[3], 0);
    EXPECT_EQ(s.MivraMaxScale[3], 15);
    EXPECT_EQ(s.RunMaxScale[3], 2000);
    EXPECT_EQ(s.GasMaxScale[3], 55);
    EXPECT_EQ(s.JpgWaitTime, 0);
    EXPECT_EQ(s.RunTani[3], 1);
    EXPECT_EQ(s.RunTani[2], 0);
    EXPECT_EQ(s.WarningStart[3], 2);
    EXPECT_EQ(s.RunCalcSelect[3], 0);
    EXPECT_EQ(s.FixedColumns, 3);
}

TEST(SettingStore, NamesAreCleanedAndACarNameChangeIsSeen) {
    CarBook book;
    book.lists = DefaultItemLists();
    SettingsDraft d = DefaultDraft();
    d.names.Stand[2] = S(u" 駅前,北 ");
    EXPECT_FALSE(CarNamesDiffer(d, book));
    int steps = 0;
    EXPECT_FALSE(StoreDraftLists(d, book, [&] { ++steps; }));
    EXPECT_EQ(steps, 10);
    EXPECT_EQ(book.lists.Stand[2], S(u"駅前.北"));
    d.names.Car[1] = S(u"*私の愛車 ");  // trailing space only: the same name
    EXPECT_FALSE(CarNamesDiffer(d, book));
    d.names.Car[2] = S(u"週末車");
    EXPECT_TRUE(StoreDraftLists(d, book));
    EXPECT_EQ(book.lists.Car[2], S(u"週末車"));
}

TEST(MainteChecks, ReorderFollowsFormerNumbers) {
    MainteFlags flags{};
    flags[4] = 1;
    flags[50] = 1;
    MainteDraft draft = MakeMainteDraft(DefaultMainteSettings());
    EXPECT_FALSE(IsReordered(FormerNumbers(draft)));
    SwapWithRowAbove(draft, 5);
    InsertBlankRow(draft, 1, BlankMainteItem());
    const MainteOrder former = FormerNumbers(draft);
    EXPECT_TRUE(IsReordered(former));
    const MainteFlags out = ReorderMainteFlags(flags, former);
    EXPECT_EQ(out[1], 0);   // inserted
    EXPECT_EQ(out[5], 0);   // old 5 moved up to 4, then down one by the insert
    EXPECT_EQ(out[6], 1);   // old 4
    EXPECT_EQ(out[50], 0);  // old 50 fell off the end
}

TEST(MainteChecks, RenumberingRewritesOnlyTheFlagsOfTheCarInformation) {
    TempFolder folder;
    CarBook book;
    book.dataFolder = folder.path();
    const QStringList lines = {S("; kept"),
                               S("[MyCarInfo]"),
                               S(u"MyCarName=私の愛車"),
                               S("NousyaRun=12345"),
                               S("MainteCheck=0,0,0,1,0,"),
                               S("MokuhyoMivra=15.0")};
    WriteBytes(folder.path(), S("CarInfo03.dat"), SjisLines(lines));
    QDir(folder.path()).mkdir(S("CarInfo05.dat"));  // there, but cannot be read

    EXPECT_EQ(CarsWithMainteChecks(book, false), (QVector<int>{3, 5}));
    book.currentCar = 5;
    EXPECT_EQ(CarsWithMainteChecks(book, true), QVector<int>{5});
    book.currentCar = 1;
    EXPECT_TRUE(CarsWithMainteChecks(book, true).isEmpty());

    MainteDraft draft = MakeMainteDraft(DefaultMainteSettings());
    SwapWithRowAbove(draft, 4);
    QString error;
    ASSERT_TRUE(RenumberMainteChecks(book, 3, FormerNumbers(draft), &error)) << error.toStdString();
    QStringList expected = lines;
    QString flags;
    for (int k = 1; k <= 50; ++k)
        flags += k == 3 ? S("1,") : S("0,");
    expected[4] = S("MainteCheck=") + flags;
    EXPECT_EQ(ReadBytes(folder.file(S("CarInfo03.dat"))), SjisLines(expected));

    EXPECT_FALSE(RenumberMainteChecks(book, 5, FormerNumbers(draft), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(RenumberMainteChecks(book, 7, FormerNumbers(draft), &error));  // no file: nothing to do
    EXPECT_FALSE(QFileInfo::exists(folder.file(S("CarInfo07.dat"))));
}

TEST(PrintTab, RegisteredRowsAreNormalised) {
    PrintGridCells cells;
    for (int row = 1; row <= PrintRowCount; ++row) {
        const PrintColumn c = DefaultPrintColumn(2, row);
        cells[row] = {c.item, c.id, c.mark, c.heading, c.align, c.width};
    }
    cells[1][3] = S(u"年,月");
    cells[1][5] = S("abc");
    cells[2][5] = S("123");
    cells[3][1] = S("  ");
    cells[4][2] = S(u"○印");
    cells[4][4] = S(u"中央");
    cells[5][2] = QString();
    cells[5][4] = S(u"右");
    const PrintForm form =
        PrintFormFromTab(S(u"期間,集計"), S(u"タイトル,1"), S(u"期間集計一覧"), S("02"), 1, cells);
    EXPECT_EQ(form.name, S(u"期間.集計"));
    EXPECT_EQ(form.title, S(u"タイトル.1"));
    EXPECT_EQ(form.orientation, 1);
    EXPECT_EQ(form.rows[1].heading, S(u"年.月"));
    EXPECT_EQ(form.rows[1].width, S(" 1"));
    EXPECT_EQ(form.rows[2].width, S("99"));
    EXPECT_EQ(form.rows[3], DefaultPrintColumn(2, 20));  // blank ID: the whole row cleared
    EXPECT_EQ(form.rows[4].mark, S(u"○"));
    EXPECT_EQ(form.rows[4].align, S(u" 中 "));
    EXPECT_EQ(form.rows[5].mark, S("  "));
    EXPECT_EQ(form.rows[5].align, S(u"  右"));
}

TEST(PrintTab, DoubleClickToggles) {
    EXPECT_EQ(ToggledPrintMark(S(u"○")), S("  "));
    EXPECT_EQ(ToggledPrintMark(S("  ")), S(u"○"));
    QString align = S(u"左  ");
    for (const QString& expected : {S(u" 中 "), S(u"  右"), S(u"左  ")}) {
        align = NextPrintAlign(align);
        EXPECT_EQ(align, expected);
    }
}

}  // namespace
}  // namespace tovrel
