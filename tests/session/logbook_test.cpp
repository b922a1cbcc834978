#include "session/logbook.h"

#include "base/profile_ini.h"
#include "data/log_file.h"
#include "test_support.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace tovrel {
namespace {

using namespace test;

void SaveLog(const QString& path, const QVector<FuelRecord>& records) {
    RecordTable table;
    SetRecords(table, records);
    QString error;
    ASSERT_TRUE(SaveLogFile(path, table, &error)) << error.toStdString();
}

// A data folder with two cars; the second is the start-up car and has four records.
class LogbookTest : public ::testing::Test, protected LogbookSession {
protected:
    void SetUp() override {
        WriteCars({S(u"私の愛車"), S(u"*セカンドカー")});
        SaveLog(LogPath(2), {Record(KindFuel, u"2004/01/01", {}, u"10000", {}),
                             Record(KindFuel, u"2004/01/10", u"400", {}, u"30"),
                             Record(KindFuel, u"2004/01/20", u"300", {}, u"20", 1),
                             Record(KindMainte, u"2004/01/31", {}, u"10600", {})});
        SaveLog(LogPath(1), {Record(KindFuel, u"2004/02/01", u"500", {}, u"25")});
    }

    QByteArray SavedLog() const { return ReadBytes(LogPath(2)); }

    RecordingPrompter prompter;
};

TEST_F(LogbookTest, StartPicksTheMarkedCarAndSelectingItLoadsTheCarBook) {
    QString error;
    ASSERT_TRUE(book.Start({}, &error)) << error.toStdString();
    EXPECT_EQ(book.book().currentCar, 0);
    EXPECT_EQ(book.book().dataFolder, folder.path());
    EXPECT_EQ(book.StartupCar(), 2);

    ASSERT_TRUE(book.SelectCar(2, &error)) << error.toStdString();
    EXPECT_EQ(book.CarName(), S(u"セカンドカー"));
    EXPECT_EQ(book.book().carInfo.MyCarName, S(u"*セカンドカー"));
    EXPECT_EQ(book.table().RecordCount(), 4);
    EXPECT_FALSE(book.HasUnsavedChanges());
    EXPECT_NEAR(book.AverageEconomy(), 400.0 / 30.0, 1e-9);
    EXPECT_EQ(book.status().averageText, S(u"平均燃費 : 13.33km/L"));
    EXPECT_EQ(book.status().distanceText, S(u"平均走行距離（生涯平均）：600km/月（20.0km/日）"));
    EXPECT_TRUE(prompter.prompts.isEmpty());

    ASSERT_TRUE(book.SelectCar(1, &error));
    EXPECT_EQ(book.table().RecordCount(), 1);
    EXPECT_EQ(book.status().averageText, S(u"平均燃費 : 20.00km/L"));
}

TEST_F(LogbookTest, UnitsFollowTheCurrentCar) {
    store.SetValue(QStringLiteral("Setting"), QStringLiteral("RunTani02"), QStringLiteral("1"));
    store.SetValue(QStringLiteral("Setting"), QStringLiteral("GasTani02"), QStringLiteral("1"));
    ASSERT_TRUE(StartAndSelect(2));
    EXPECT_EQ(book.DistanceUnit(), QStringLiteral("Mil"));
    EXPECT_EQ(book.VolumeUnit(), QStringLiteral("Gal"));
    EXPECT_EQ(book.status().averageText, S(u"平均燃費 : 13.33Mil/Gal"));
    EXPECT_EQ(book.status().distanceText, S(u"平均走行距離（生涯平均）：600Mil/月（20.0Mil/日）"));

    QString error;
    ASSERT_TRUE(book.SelectCar(1, &error));
    EXPECT_EQ(book.DistanceUnit(), QStringLiteral("km"));
    EXPECT_EQ(book.status().averageText, S(u"平均燃費 : 20.00km/L"));
}

TEST_F(LogbookTest, DataFolderOverrideOutlivesSettingsReloads) {
    TempFolder other;
    WriteBytes(other.path(), QStringLiteral("Setting.dat"), SjisLines({S(u"[Car]"), S(u"03=*別の車")}));
    book.SetDataFolderOverride(other.path().chopped(1));
    QString error;
    ASSERT_TRUE(book.Start({}, &error));
    EXPECT_EQ(book.StartupCar(), 3);
    ASSERT_TRUE(book.SelectCar(3, &error));
    EXPECT_EQ(book.book().dataFolder, other.path());
    EXPECT_EQ(book.table().RecordCount(), 0);
}

TEST_F(LogbookTest, FirstStartWritesTheDefaultFiles) {
    QFile::remove(folder.file(QStringLiteral("Setting.dat")));
    QString error;
    ASSERT_TRUE(book.Start({}, &error)) << error.toStdString();
    EXPECT_EQ(book.StartupCar(), 1);
    EXPECT_EQ(ReadBytes(folder.file(QStringLiteral("Setting.dat"))),
              FixtureBytes(QStringLiteral("carbook_defaults/Setting.dat")));
    EXPECT_TRUE(QFileInfo::exists(folder.file(QStringLiteral("PrintSet.dat"))));
}

TEST_F(LogbookTest, NoRegisteredCarSelectsNone) {
    WriteBytes(folder.path(), QStringLiteral("Setting.dat"), SjisLines({S(u"[Car]"), S(u"01=")}));
    QString error;
    ASSERT_TRUE(book.Start({}, &error));
    EXPECT_EQ(book.StartupCar(), 0);
    EXPECT_EQ(book.table().RecordCount(), 0);
}

TEST_F(LogbookTest, UpgradeAnsweredYesResetsTheMaintenanceSettings) {
    WriteBytes(folder.path(), QStringLiteral("Setting.dat"),
               SjisLines({S(u"[Car]"), S(u"01=*私の愛車"), S(u"[Mainte]"), S(u"01=独自"),
                          S(u"[MainteSetting]"), S(u"01=0,0,0,0,0,ﾒﾓ,")}));
    store.SetValue(QStringLiteral("System"), QStringLiteral("Version"), QStringLiteral("1.2"));
    prompter.answers = {PromptAnswer::Yes};
    QString error;
    ASSERT_TRUE(book.Start({}, &error)) << error.toStdString();
    ASSERT_EQ(prompter.prompts.size(), 1);
    EXPECT_EQ(prompter.prompts[0].caption, S(u"Tovrel - ﾒﾝﾃﾅﾝｽ設定更新確認"));
    EXPECT_FALSE(settings.MainteResetPending);
    EXPECT_EQ(book.book().mainte[1], DefaultMainteSettings()[1]);
    const ProfileIni saved(folder.file(QStringLiteral("Setting.dat")));
    EXPECT_EQ(saved.Read(QStringLiteral("Mainte"), QStringLiteral("01")), S(u"*ｴﾝｼﾞﾝｵｲﾙ交換"));
    EXPECT_EQ(saved.Read(QStringLiteral("Car"), QStringLiteral("01")), S(u"*私の愛車"));
}

TEST_F(LogbookTest, ChangesAreSeenAndTheSearchViewIsLeftFirst) {
    ASSERT_TRUE(StartAndSelect(2));
    // A search result showing one match is no change.
    book.table().SaveFullTable();
    book.table().SetRecord(1, book.table().At(3));
    book.table().ClearSlots(2, book.table().Capacity());
    book.table().SetRecordCount(1);
    EXPECT_FALSE(book.HasUnsavedChanges());
    EXPECT_FALSE(book.table().IsSearchActive());
    EXPECT_EQ(book.table().RecordCount(), 4);

    book.table().SetText(2, ColMemo, S(u"満タン"));
    EXPECT_TRUE(book.HasUnsavedChanges());
}

TEST_F(LogbookTest, ConfirmSaveWithoutChangesAsksNothing) {
    ASSERT_TRUE(StartAndSelect(2));
    book.table().SaveFullTable();
    book.table().ClearSlots(3, book.table().Capacity());
    book.table().SetRecordCount(2);
    EXPECT_TRUE(book.ConfirmSave(true));
    EXPECT_TRUE(prompter.prompts.isEmpty());
    EXPECT_FALSE(book.table().IsSearchActive());
}

TEST_F(LogbookTest, AutoSaveSavesWithoutAskingUnlessShiftIsHeld) {
    store.SetValue(QStringLiteral("Setting"), QStringLiteral("AutoSave"), QStringLiteral("1"));
    ASSERT_TRUE(StartAndSelect(2));
    const QByteArray before = SavedLog();
    book.table().SetText(2, ColMemo, S(u"自動"));
    EXPECT_TRUE(book.ConfirmSave(false));
    EXPECT_TRUE(prompter.prompts.isEmpty());
    EXPECT_NE(SavedLog(), before);
    EXPECT_FALSE(book.HasUnsavedChanges());

    book.table().SetText(2, ColMemo, S(u"シフト"));
    prompter.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(book.ConfirmSave(true));
    ASSERT_EQ(prompter.prompts.size(), 1);
    EXPECT_EQ(prompter.prompts[0].caption, S(u"保存確認 - 全体"));
    EXPECT_EQ(prompter.prompts[0].text, S(u"「セカンドカー」のﾃﾞｰﾀが変更されています。保存しますか？"));
    EXPECT_EQ(prompter.prompts[0].icon, PromptIcon::Warning);
    EXPECT_EQ(prompter.prompts[0].buttons, PromptButtons::YesNoCancel);
}

TEST_F(LogbookTest, SaveQuestionAnswers) {
    ASSERT_TRUE(StartAndSelect(2));
    const QByteArray before = SavedLog();

    book.table().SetText(2, ColMemo, S(u"変更"));
    prompter.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(book.ConfirmSave(false));
    EXPECT_EQ(SavedLog(), before);
    EXPECT_EQ(book.table().Text(2, ColMemo), S(u"変更"));
    EXPECT_TRUE(book.HasUnsavedChanges());

    prompter.answers = {PromptAnswer::No};
    EXPECT_TRUE(book.ConfirmSave(false));
    EXPECT_EQ(SavedLog(), before);
    EXPECT_EQ(book.table().Text(2, ColMemo), S(u"変更"));

    prompter.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(book.ConfirmSave(false));
    EXPECT_FALSE(book.HasUnsavedChanges());
    EXPECT_EQ(prompter.prompts.size(), 3);
    RecordTable reread;
    QString error;
    ASSERT_TRUE(LoadLogFile(folder.file(QStringLiteral("Mivra02.dat")), reread, &error));
    EXPECT_EQ(reread.Text(2, ColMemo), S(u"変更"));
}

TEST_F(LogbookTest, FailedSaveIsReportedAndKeepsTheData) {
    store.SetValue(QStringLiteral("Setting"), QStringLiteral("AutoSave"), QStringLiteral("1"));
    ASSERT_TRUE(StartAndSelect(2));
    ASSERT_TRUE(QFile::remove(folder.file(QStringLiteral("Mivra02.dat"))));
    ASSERT_TRUE(QDir().mkpath(folder.file(QStringLiteral("Mivra02.dat"))));
    book.table().SetText(3, ColMemo, S(u"保存できない"));

    EXPECT_FALSE(book.ConfirmSave(false));
    ASSERT_EQ(prompter.prompts.size(), 1);
    EXPECT_EQ(prompter.prompts[0].icon, PromptIcon::Error);
    EXPECT_EQ(prompter.prompts[0].buttons, PromptButtons::Ok);
    EXPECT_FALSE(prompter.prompts[0].text.isEmpty());
    EXPECT_EQ(book.table().RecordCount(), 4);
    EXPECT_EQ(book.table().Text(3, ColMemo), S(u"保存できない"));
    EXPECT_TRUE(book.HasUnsavedChanges());
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("Mivra02.dat"))).isDir());
}

TEST_F(LogbookTest, ALogThatCannotBeReadInFullIsNeverSavedOverAndNeverSavedUnasked) {
    store.SetValue(QStringLiteral("Setting"), QStringLiteral("AutoSave"), QStringLiteral("1"));
    const QByteArray damaged = SavedLog() + "no record here\r\n";
    WriteBytes(folder.path(), QStringLiteral("Mivra02.dat"), damaged);
    QString error;
    ASSERT_TRUE(book.Start({}, &error));
    EXPECT_FALSE(book.SelectCar(2, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Mivra02.dat"))) << error.toStdString();
    EXPECT_EQ(book.table().RecordCount(), 5);  // what could be read is shown

    book.table().SetText(1, ColMemo, S(u"変更"));
    prompter.answers = {PromptAnswer::Yes, PromptAnswer::No};
    EXPECT_FALSE(book.ConfirmSave(false));  // Yes: the save is refused and said so
    EXPECT_TRUE(book.ConfirmSave(false));   // No: the changes may go
    ASSERT_EQ(prompter.prompts.size(), 3);
    EXPECT_EQ(prompter.prompts[0].buttons, PromptButtons::YesNoCancel);
    EXPECT_EQ(prompter.prompts[1].icon, PromptIcon::Error);
    EXPECT_TRUE(prompter.prompts[1].text.contains(QStringLiteral("保存しません")));
    EXPECT_EQ(SavedLog(), damaged);
}

TEST_F(LogbookTest, RecordsBeyondTheCapacityAreNoted) {
    QStringList lines;
    for (int i = 1; i <= 1003; ++i)
        lines << QStringLiteral("%1=0,2004/05/01,,,,,,,,,,,,,,,%2,0,0,")
                     .arg(i % 1000, 3, 10, QLatin1Char('0'))
                     .arg(i);
    WriteLog(2, lines);
    ASSERT_TRUE(StartAndSelect(2));
    EXPECT_EQ(book.table().RecordCount(), 1000);
    EXPECT_TRUE(book.LoadNotice().contains(QStringLiteral("1003 件"))) << book.LoadNotice().toStdString();
    QString error;
    ASSERT_TRUE(book.SaveLogFile(&error)) << error.toStdString();
    EXPECT_EQ(ParseLogData(SavedLog()).records.size(), 1003);
    ASSERT_TRUE(book.SelectCar(1, &error));
    EXPECT_TRUE(book.LoadNotice().isEmpty());
}

// Every kind of data file, each as a path that is no plain file: the start and the car selection end
// in time and report the file, and the path is left as it was.
TEST(LogbookDataFiles, PathsThatAreNoPlainFilesAreReportedAndLeftAlone) {
    const QStringList files = {QStringLiteral("Mivra02.dat"), QStringLiteral("CarInfo02.dat"),
                               QStringLiteral("Mainte02.dat"), QStringLiteral("PrintSet.dat"),
                               QStringLiteral("Setting.dat")};
    for (const QString& file : files) {
        for (const QString& kind : OddPathKinds()) {
            SCOPED_TRACE((file + QStringLiteral(" as ") + kind).toStdString());
            RecordingPrompter prompter;
            LogbookSession session;
            session.store.SetValue(QStringLiteral("Setting"), QStringLiteral("MainteSelect"),
                                   QStringLiteral("1"));
            if (file != QStringLiteral("Setting.dat"))
                session.WriteCars({S(u"私の愛車"), S(u"*セカンドカー")});
            const QString path = session.folder.file(file);
            MakeOddPath(kind, path);
            struct stat before;
            ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &before), 0);

            QString errors;
            EXPECT_TRUE(EndsInTime([&] {
                QString error;
                if (!session.book.Start({}, &error)) errors += error;
                if (!session.book.SelectCar(2, &error)) errors += error;
                session.book.table().SetText(1, ColDay, QStringLiteral("2004/05/01"));
                session.book.table().SetRecordCount(1);
                if (!session.book.SaveLogFile(&error)) errors += error;
                QString info;
                if (!session.book.book().SaveCarInfo(&info)) errors += info;
            }));
            EXPECT_TRUE(errors.contains(file)) << errors.toStdString();
            struct stat after;
            ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &after), 0);
            EXPECT_EQ(after.st_mode, before.st_mode);
            EXPECT_EQ(after.st_ino, before.st_ino);
        }
    }
}

TEST_F(LogbookTest, StartRemovesTheLeftoversOfAnInterruptedSave) {
    const QString leftover =
        WriteBytes(folder.path(), QStringLiteral("Mivra02.dat.tovrel-x1Y2z3"), "partial");
    const QString foreign = WriteBytes(folder.path(), QStringLiteral("Mivra02.dat.mine"), "mine");
    for (const QString& path : {leftover, foreign}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(StartAndSelect(2));
    EXPECT_FALSE(QFileInfo::exists(leftover));
    EXPECT_TRUE(QFileInfo::exists(foreign));
}

}  // namespace
}  // namespace tovrel

namespace tovrel {
namespace {

using namespace test;

// A search with shifted fuel types, on the second car of LogbookTest.
class LogbookSearchTest : public LogbookTest {
protected:
    void SetUp() override {
        LogbookTest::SetUp();
        ASSERT_TRUE(StartAndSelect(2));
        before = SavedLog();
        for (int i = 1; i <= 4; ++i)
            book.table().SetText(i, ColGasSel, QStringLiteral("種別%1").arg(i));
        book.table().TakeSnapshot();
    }
    int SearchFuel() {
        SearchConditions c;
        c.mainte = false;
        c.shiftGasSel = true;
        return book.Search(c, QDate(2004, 12, 31));
    }
    QByteArray before;
};

TEST_F(LogbookSearchTest, EverySearchRunsOverTheFullTable) {
    EXPECT_EQ(SearchFuel(), 3);
    EXPECT_EQ(book.table().CountStatusText(), S(u"検索結果 : 3/4件"));
    EXPECT_EQ(book.table().Text(2, ColGasSel), S(u"種別1"));  // shifted
    EXPECT_NEAR(book.AverageEconomy(), 400.0 / 30.0, 1e-9);

    SearchConditions c;
    c.fuel = false;
    EXPECT_EQ(book.Search(c, QDate(2004, 12, 31)), 1);  // the maintenance record left out before
    EXPECT_EQ(book.table().Text(1, ColGasSel), S(u"種別4"));
    EXPECT_EQ(book.table().CountStatusText(), S(u"検索結果 : 1/4件"));
    EXPECT_EQ(SearchFuel(), 3);
    EXPECT_EQ(book.table().Text(3, ColGasSel), S(u"種別2"));  // shifted once, from the full table

    book.ShowAll();
    EXPECT_EQ(book.table().CountStatusText(), S(u"登録件数 : 4件"));
    EXPECT_EQ(book.table().Text(2, ColGasSel), S(u"種別2"));
    EXPECT_FALSE(book.table().DiffersFromSnapshot());
}

TEST_F(LogbookSearchTest, SavingWritesTheFullLogNeverTheResult) {
    book.table().SetText(4, ColMemo, S(u"変更"));
    ASSERT_EQ(SearchFuel(), 3);
    QString error;
    ASSERT_TRUE(book.SaveLogFile(&error)) << error.toStdString();
    EXPECT_FALSE(book.table().IsSearchActive());
    EXPECT_EQ(book.table().RecordCount(), 4);
    RecordTable saved;
    ASSERT_TRUE(LoadLogFile(LogPath(2), saved, &error));
    EXPECT_EQ(saved.RecordCount(), 4);
    EXPECT_EQ(saved.Text(4, ColMemo), S(u"変更"));
    EXPECT_EQ(saved.Text(2, ColGasSel), S(u"種別2"));  // unshifted
    EXPECT_EQ(book.status().averageText, S(u"平均燃費 : 13.33km/L"));
}

TEST_F(LogbookSearchTest, SwitchingCarsAndClosingLeaveTheResultWithoutWriting) {
    ASSERT_EQ(SearchFuel(), 3);
    EXPECT_TRUE(book.ConfirmSave(false));  // closing: nothing changed, nothing asked or written
    EXPECT_TRUE(prompter.prompts.isEmpty());
    EXPECT_FALSE(book.table().IsSearchActive());
    EXPECT_EQ(SavedLog(), before);

    store.SetValue(QStringLiteral("Setting"), QStringLiteral("AutoSave"), QStringLiteral("1"));
    book.ReloadSettings();
    ASSERT_EQ(SearchFuel(), 3);
    EXPECT_TRUE(book.ConfirmSave(false));  // automatic saving has nothing to save either
    EXPECT_EQ(SavedLog(), before);

    ASSERT_EQ(SearchFuel(), 3);
    QString error;
    ASSERT_TRUE(book.SelectCar(1, &error));  // the result does not follow to the other car
    EXPECT_FALSE(book.table().IsSearchActive());
    EXPECT_EQ(book.table().CountStatusText(), S(u"登録件数 : 1件"));
    EXPECT_EQ(SavedLog(), before);
}

}  // namespace
}  // namespace tovrel
