// What the settings dialog's OK stores: the files written, the check flags renumbered in every
// affected car, and a data folder change that neither loses the old records nor writes them into the
// new folder.
#include "session/settings_apply.h"

#include "base/profile_ini.h"
#include "session/data_folder_guard.h"
#include "session/logbook.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QLockFile>

namespace tovrel {
namespace {

using namespace test;

QString CarInfoWithFlags(const QString& flags) {
    return S("[MyCarInfo]\r\nMyCarName=x\r\nMainteCheck=") + flags + S("\r\n");
}

// Flags 1..50 with the given ones set.
QString Flags(std::initializer_list<int> set) {
    QString value;
    for (int k = 1; k <= kMainteCount; ++k)
        value += std::find(set.begin(), set.end(), k) != set.end() ? S("1,") : S("0,");
    return value;
}

QString StoredFlags(const QString& path) {
    return ProfileIni(path).Read(S("MyCarInfo"), S("MainteCheck"));
}

class SettingsApplyTest : public ::testing::Test, protected LogbookSession {
protected:
    void SetUp() override {
        WriteCars({S(u"*私の愛車"), S(u"セカンドカー")});
        WriteLog(1, {S(u"001=0,2004/05/01,土,08:30,晴れ,300.0,10300.0,30.00,10.00,3000,100,レギュラー,"
                       u"スタンドＡ,通勤,,,,0,0,")});
        ASSERT_TRUE(StartAndSelect(1));
        ASSERT_FALSE(book.HasUnsavedChanges());
    }

    SettingsDraft Draft() const { return MakeSettingsDraft(settings, book.book()); }

    RecordingPrompter prompter;
};

TEST_F(SettingsApplyTest, StoresNamesSettingsAndFiles) {
    SettingsDraft d = Draft();
    d.names.Shop[2] = S(u" 整備,工場 ");
    d.WarningText[2] = S(u"そろそろ");
    d.DispNumber = S("33");
    d.RunTani = 1;
    int steps = 0;
    const SettingsApplyResult result = ApplySettingsDraft(book, d, [&] { ++steps; });
    EXPECT_TRUE(result.errors.isEmpty()) << result.errors.toStdString();
    EXPECT_FALSE(result.carMenusChanged);
    EXPECT_FALSE(result.dataFolderChanged);
    EXPECT_EQ(steps + 2, SettingsApplySteps(book));  // the window steps twice more
    EXPECT_EQ(book.book().lists.Shop[2], S(u"整備.工場"));
    EXPECT_EQ(ProfileIni(folder.file(S("Setting.dat"))).Read(S("Shop"), S("02")), S(u"整備.工場"));
    EXPECT_EQ(store.Value(S("Setting"), S("Warning2Text")), S(u"そろそろ"));
    EXPECT_EQ(store.Value(S("Setting"), S("DispNumber")), S("33"));
    EXPECT_EQ(store.Value(S("Setting"), S("RunTani01")), S("1"));
    EXPECT_EQ(book.DistanceUnit(), S("Mil"));
}

TEST_F(SettingsApplyTest, CarNameChangeAsksForTheReloadAndInputSwitchesAreReported) {
    SettingsDraft d = Draft();
    EXPECT_FALSE(SettingsApplyReloadsCar(book, d));
    d.names.Car[2] = S(u"*週末車");
    d.TimeInput = false;
    EXPECT_TRUE(SettingsApplyReloadsCar(book, d));
    const SettingsApplyResult result = ApplySettingsDraft(book, d);
    EXPECT_TRUE(result.carMenusChanged);
    EXPECT_TRUE(result.timeInputChanged);
    EXPECT_FALSE(result.weatherInputChanged);
}

TEST_F(SettingsApplyTest, AMovedItemReachesEveryCarsInformationFile) {
    WriteBytes(folder.path(), S("CarInfo01.dat"), Sjis(CarInfoWithFlags(Flags({4}))));
    WriteBytes(folder.path(), S("CarInfo03.dat"), Sjis(CarInfoWithFlags(Flags({5, 9}))));
    book.book().mainte = DefaultMainteSettings();
    SettingsDraft d = Draft();
    ASSERT_TRUE(SwapWithRowAbove(d.mainte, 5));
    int steps = 0;
    const SettingsApplyResult result = ApplySettingsDraft(book, d, [&] { ++steps; });
    EXPECT_TRUE(result.errors.isEmpty()) << result.errors.toStdString();
    EXPECT_EQ(StoredFlags(folder.file(S("CarInfo01.dat"))), Flags({5}));
    EXPECT_EQ(StoredFlags(folder.file(S("CarInfo03.dat"))), Flags({4, 9}));
    EXPECT_FALSE(QFileInfo::exists(folder.file(S("CarInfo02.dat"))));
    EXPECT_EQ(book.book().carInfo.MainteCheck[5], 1);  // the current car's information follows
    EXPECT_EQ(book.book().mainte[4].name, S(u"ﾀｲﾔ空気圧調整"));
    EXPECT_EQ(ProfileIni(folder.file(S("Setting.dat"))).Read(S("Mainte"), S("05")), S(u"ATﾌﾙｰﾄﾞ交換"));
    EXPECT_EQ(steps + 2, 21 + 2);
}

TEST_F(SettingsApplyTest, WithOwnItemsPerCarOnlyTheCurrentCarIsRenumbered) {
    settings.MainteSelect = true;
    WriteBytes(folder.path(), S("CarInfo01.dat"), Sjis(CarInfoWithFlags(Flags({1}))));
    WriteBytes(folder.path(), S("CarInfo02.dat"), Sjis(CarInfoWithFlags(Flags({1}))));
    SettingsDraft d = Draft();
    InsertBlankRow(d.mainte, 1, BlankMainteItem());
    ApplySettingsDraft(book, d);
    EXPECT_EQ(StoredFlags(folder.file(S("CarInfo01.dat"))), Flags({2}));
    EXPECT_EQ(StoredFlags(folder.file(S("CarInfo02.dat"))), Flags({1}));
    EXPECT_TRUE(QFileInfo::exists(folder.file(S("Mainte01.dat"))));
}

class DataFolderChangeTest : public SettingsApplyTest {
protected:
    void SetUp() override {
        SettingsApplyTest::SetUp();
        // The new folder has its own car book: car 1 with one record, car 2 starred with two.
        const QString setting = S("[Car]\r\n01=") + S(u"新1号") + S("\r\n02=*") + S(u"新2号") + S("\r\n");
        WriteBytes(other.path(), S("Setting.dat"), Sjis(setting));
        WriteLogFile(other.path(), 1, {S(u"001=0,2010/01/01,金,,,100.0,100.0,10.00,10.00,,,,,,,,,0,0,")});
        WriteLogFile(other.path(), 2,
                     {S(u"001=0,2010/01/01,金,,,100.0,100.0,10.00,10.00,,,,,,,,,0,0,"),
                      S(u"002=0,2010/01/02,土,,,200.0,300.0,10.00,20.00,,,,,,,,,0,0,")});
        newLog1 = ReadBytes(other.file(LogFileName(1)));
        // An unsaved record in the old folder's car 1.
        AppendRecord(book.table(), Refuel(u"2004/06/01", u"400", u"40"));
        oldLog1 = ReadBytes(LogPath(1));
    }

    // What the dialog does on OK: the save prompt, then storing.
    bool Ok(const SettingsDraft& d) {
        if (SettingsApplyReloadsCar(book, d) && !book.ConfirmSave(false)) return false;
        const SettingsApplyResult result = ApplySettingsDraft(book, d);
        EXPECT_TRUE(result.errors.isEmpty()) << result.errors.toStdString();
        EXPECT_TRUE(result.dataFolderChanged);
        return true;
    }

    TempFolder other;
    QByteArray newLog1;
    QByteArray oldLog1;
};

TEST_F(DataFolderChangeTest, SavesTheOldRecordsThereThenLoadsTheNewCarBook) {
    prompter.answers = {PromptAnswer::Yes};
    SettingsDraft d = Draft();
    d.DataPath = other.path().chopped(1);
    ASSERT_TRUE(Ok(d));
    ASSERT_EQ(prompter.prompts.size(), 1);
    EXPECT_EQ(prompter.prompts[0].caption, S(u"保存確認 - 全体"));
    // The old folder has the record, the new folder's log is as it was.
    EXPECT_NE(ReadBytes(LogPath(1)), oldLog1);
    EXPECT_TRUE(ReadBytes(LogPath(1)).contains(Sjis(S("2004/06/01"))));
    EXPECT_EQ(ReadBytes(other.file(LogFileName(1))), newLog1);

    EXPECT_EQ(settings.DataPath, other.path());
    EXPECT_EQ(store.Value(S("Setting"), S("DataPath")), other.path());
    EXPECT_EQ(book.book().dataFolder, other.path());
    EXPECT_EQ(book.book().currentCar, 0);
    EXPECT_EQ(book.table().RecordCount(), 0);
    EXPECT_EQ(book.book().lists.Car[2], S(u"*新2号"));
    // The car menus then select the new folder's start-up car.
    EXPECT_EQ(book.StartupCar(), 2);
    QString error;
    ASSERT_TRUE(book.SelectCar(book.StartupCar(), &error)) << error.toStdString();
    EXPECT_EQ(book.table().RecordCount(), 2);
    ASSERT_TRUE(book.SaveLogFile(&error));
    EXPECT_EQ(ReadBytes(other.file(LogFileName(1))), newLog1);
}

TEST_F(DataFolderChangeTest, NoDropsTheRecordsAndCancelStoresNothing) {
    SettingsDraft d = Draft();
    d.DataPath = other.path();
    d.DispNumber = S("44");
    prompter.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(Ok(d));
    EXPECT_EQ(book.book().dataFolder, folder.path());
    EXPECT_EQ(book.table().RecordCount(), 2);
    EXPECT_NE(settings.DispNumber, 44);

    prompter.answers = {PromptAnswer::No};
    ASSERT_TRUE(Ok(d));
    EXPECT_EQ(ReadBytes(LogPath(1)), oldLog1);
    EXPECT_EQ(ReadBytes(other.file(LogFileName(1))), newLog1);
    EXPECT_EQ(book.table().RecordCount(), 0);
    EXPECT_FALSE(book.HasUnsavedChanges());
}

TEST_F(DataFolderChangeTest, AnEmptyNewFolderGetsTheDefaultsAndNoCarRecords) {
    TempFolder empty;
    prompter.answers = {PromptAnswer::Yes};
    SettingsDraft d = Draft();
    d.DataPath = empty.path();
    ASSERT_TRUE(SwapWithRowAbove(d.mainte, 2));
    WriteBytes(folder.path(), S("CarInfo01.dat"), Sjis(CarInfoWithFlags(Flags({1}))));
    ASSERT_TRUE(Ok(d));
    // The moved items belong to the old folder: its car information follows them.
    EXPECT_EQ(StoredFlags(folder.file(S("CarInfo01.dat"))), Flags({2}));
    EXPECT_TRUE(QFileInfo::exists(empty.file(S("Setting.dat"))));
    EXPECT_TRUE(QFileInfo::exists(empty.file(S("PrintSet.dat"))));
    EXPECT_FALSE(QFileInfo::exists(empty.file(LogFileName(1))));
    EXPECT_EQ(book.book().lists.Car[1], S(u"*私の愛車"));
}

// The lock goes with the folder; a new folder that another program holds is opened read-only and
// the dialog is told so.
TEST_F(DataFolderChangeTest, TheLockMovesAndAFolderHeldElsewhereIsNamed) {
    DataFolderGuard guard(settings, true);
    guard.Open(folder.path());
    const QString oldLock = folder.file(QString::fromLatin1(kLockFileName));
    ASSERT_TRUE(QFileInfo::exists(oldLock));
    WriteBytes(other.path(), S("PrintSet.dat"), FixtureBytes(S("printset_default/PrintSet.dat")));
    QLockFile held(other.file(QString::fromLatin1(kLockFileName)));
    ASSERT_TRUE(held.tryLock(0));

    prompter.answers = {PromptAnswer::No};
    SettingsDraft d = Draft();
    d.DataPath = other.path();
    ASSERT_TRUE(SettingsApplyReloadsCar(book, d) && book.ConfirmSave(false));
    const SettingsApplyResult result = ApplySettingsDraft(book, d);
    EXPECT_TRUE(result.errors.isEmpty()) << result.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(oldLock));
    EXPECT_TRUE(book.ReadOnly());
    EXPECT_TRUE(result.folderNotice.contains(S(u"読み取り専用で開きます")))
        << result.folderNotice.toStdString();
    EXPECT_TRUE(result.folderNotice.contains(QDir::toNativeSeparators(other.path())));
}

}  // namespace
}  // namespace tovrel
