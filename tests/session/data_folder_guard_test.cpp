// The data folder as one program holds it: the lock a second program finds (and the stale locks it
// takes over), read-only use that saves nothing, the lock following a folder change, the backups
// of every save with their one-time failure report, and restoring a generation.
#include "session/data_folder_guard.h"

#include "base/backups.h"
#include "data/log_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>

#include <cerrno>
#include <optional>

namespace tovrel {
namespace {

using namespace test;

int FullDiskLink(const char*, const char*) {
    errno = ENOSPC;
    return -1;
}

class DataFolderGuardTest : public ::testing::Test, protected LogbookSession {
protected:
    void SetUp() override {
        WriteCars({S(u"*私の愛車")});
        WriteLog(1, {LogLine(1, Refuel(u"2004/01/10", u"400", u"30"))});
        // A folder that a program has used: nothing is missing that starting would write.
        WriteBytes(folder.path(), QStringLiteral("PrintSet.dat"),
                   FixtureBytes(QStringLiteral("printset_default/PrintSet.dat")));
        guard.emplace(settings, true);
        guard->reportBackupFailure = [this](const QString& text) { reports << text; };
    }
    void TearDown() override { guard.reset(); }

    QString LockPath(const TempFolder& f) const { return f.file(QString::fromLatin1(kLockFileName)); }

    // A lock file as a program on another computer leaves it, touched the given seconds ago.
    void WriteForeignLock(qint64 secondsAgo) const {
        WriteBytes(folder.path(), QString::fromLatin1(kLockFileName), "4242\ntovrel\nother-pc\n");
        QFile file(LockPath(folder));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo),
                         QFileDevice::FileModificationTime);
    }

    // A changed record, then the save.
    bool SaveChanged(const QString& memo, QString* error) {
        FuelRecord r = Refuel(u"2004/02/10", u"300", u"20");
        r.text[ColMemo] = memo;
        AppendRecord(book.table(), r);
        return book.SaveLogFile(error);
    }

    RecordingPrompter prompter;
    std::optional<DataFolderGuard> guard;
    QStringList reports;
};

TEST_F(DataFolderGuardTest, TheProgramHoldsItsFolderAndReleasesItAtTheEnd) {
    ASSERT_TRUE(StartAndSelect(1));
    EXPECT_FALSE(book.ReadOnly());
    EXPECT_TRUE(book.ReadOnlyNotice().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(LockPath(folder)));
    guard.reset();
    EXPECT_FALSE(QFileInfo::exists(LockPath(folder)));
}

TEST_F(DataFolderGuardTest, TheHeldLockIsKeptFreshForOtherComputers) {
    guard->Open(folder.path());
    QFile lock(LockPath(folder));
    ASSERT_TRUE(lock.open(QIODevice::Append));
    lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
    lock.close();
    guard->TouchLock();
    EXPECT_LE(QFileInfo(LockPath(folder)).lastModified().secsTo(QDateTime::currentDateTime()), 60);
}

TEST_F(DataFolderGuardTest, ASecondProgramOpensReadOnlyAndSavesNothing) {
    QLockFile other(LockPath(folder));
    ASSERT_TRUE(other.tryLock(0));
    ASSERT_TRUE(StartAndSelect(1));
    ASSERT_TRUE(book.ReadOnly());
    const QString holder = guard->HolderText();
    EXPECT_TRUE(holder.contains(QStringLiteral("コンピュータ「") + QSysInfo::machineHostName() +
                                QStringLiteral("」")))
        << holder.toStdString();
    EXPECT_TRUE(holder.contains(QStringLiteral("プロセス番号 %1").arg(QCoreApplication::applicationPid())));
    EXPECT_TRUE(book.ReadOnlyNotice().contains(QStringLiteral("読み取り専用で開きます")));

    const QByteArray before = ReadBytes(LogPath(1));
    QString error;
    EXPECT_FALSE(SaveChanged(QStringLiteral("memo"), &error));
    EXPECT_TRUE(error.contains(holder)) << error.toStdString();
    EXPECT_EQ(ReadBytes(LogPath(1)), before);
    EXPECT_FALSE(book.book().SaveCarInfo(&error));
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("CarInfo01.dat"))));
    // Files that are not the program's own data, such as an export, may still be written there.
    EXPECT_TRUE(WriteFileAtomically(folder.file(QStringLiteral("export.csv")), "a,b\r\n", &error));

    // Closing with changes asks Yes/No: No stays, Yes drops them.
    prompter.answers = {PromptAnswer::No, PromptAnswer::Yes};
    EXPECT_FALSE(book.ConfirmSave(false));
    EXPECT_TRUE(book.ConfirmSave(false));
    ASSERT_EQ(prompter.prompts.size(), 2);
    EXPECT_EQ(prompter.prompts[0].buttons, PromptButtons::YesNo);
    EXPECT_TRUE(prompter.prompts[0].text.contains(QStringLiteral("読み取り専用")));
    EXPECT_EQ(ReadBytes(LogPath(1)), before);
    // The other program's lock is left alone.
    guard.reset();
    EXPECT_TRUE(QFileInfo::exists(LockPath(folder)));
}

TEST_F(DataFolderGuardTest, ALockOnAnotherComputerNamesItUntilItGoesStale) {
    WriteForeignLock(60);
    ASSERT_TRUE(StartAndSelect(1));
    ASSERT_TRUE(book.ReadOnly());
    EXPECT_TRUE(guard->HolderText().contains(
        QStringLiteral("コンピュータ「other-pc」の tovrel（プロセス番号 4242）")))
        << guard->HolderText().toStdString();

    // Not touched for longer than a running program would leave it: left by a crash, taken over.
    guard.reset();
    WriteForeignLock((kLockStaleMinutes + 1) * 60);
    guard.emplace(settings, true);
    guard->Open(folder.path());
    EXPECT_FALSE(guard->ReadOnly());
    QLockFile probe(LockPath(folder));
    qint64 pid = 0;
    ASSERT_TRUE(probe.getLockInfo(&pid, nullptr, nullptr));
    EXPECT_EQ(pid, QCoreApplication::applicationPid());
}

TEST_F(DataFolderGuardTest, ALockLeftByACrashedProgramOnThisComputerIsTakenOverAtOnce) {
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    WriteBytes(folder.path(), QString::fromLatin1(kLockFileName),
               QByteArray::number(pid) + "\ntovrel\n" + QSysInfo::machineHostName().toUtf8() + "\n" +
                   QSysInfo::machineUniqueId() + "\n" + QSysInfo::bootUniqueId() + "\n");
    ASSERT_TRUE(StartAndSelect(1));
    EXPECT_FALSE(book.ReadOnly());
    QString error;
    EXPECT_TRUE(SaveChanged(QStringLiteral("memo"), &error)) << error.toStdString();
}

TEST_F(DataFolderGuardTest, AFolderChangeMovesTheLock) {
    ASSERT_TRUE(StartAndSelect(1));
    TempFolder other;
    QString error;
    ASSERT_TRUE(book.ChangeDataFolder(other.path(), &error)) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(LockPath(folder)));
    EXPECT_TRUE(QFileInfo::exists(LockPath(other)));

    // Into a folder that another program holds: read-only there, and the first folder is free.
    QLockFile held(LockPath(folder));
    ASSERT_TRUE(held.tryLock(0));
    EXPECT_TRUE(book.ChangeDataFolder(folder.path(), &error)) << error.toStdString();
    EXPECT_TRUE(book.ReadOnly());
    EXPECT_FALSE(QFileInfo::exists(LockPath(other)));
}

TEST_F(DataFolderGuardTest, EverySaveKeepsTheFileItReplaces) {
    ASSERT_TRUE(StartAndSelect(1));
    const QByteArray first = ReadBytes(LogPath(1));
    QString error;
    ASSERT_TRUE(SaveChanged(QStringLiteral("one"), &error)) << error.toStdString();
    const QByteArray second = ReadBytes(LogPath(1));
    ASSERT_TRUE(SaveChanged(QStringLiteral("two"), &error)) << error.toStdString();
    // Saving what is already there keeps nothing new.
    ASSERT_TRUE(book.SaveLogFile(&error));
    book.book().carInfo.Maker = QStringLiteral("メーカー");
    ASSERT_TRUE(book.book().SaveCarInfo(&error));  // a new file: nothing to keep
    book.book().carInfo.Maker = QStringLiteral("ほかのメーカー");
    ASSERT_TRUE(book.book().SaveCarInfo(&error));

    const QVector<BackupGeneration> logs = ListBackups(folder.path(), LogFileName(1));
    ASSERT_EQ(logs.size(), 2);
    EXPECT_EQ(ReadBytes(logs[0].path), second);
    EXPECT_EQ(ReadBytes(logs[1].path), first);
    EXPECT_EQ(ListBackups(folder.path(), QStringLiteral("CarInfo01.dat")).size(), 1);
    EXPECT_TRUE(reports.isEmpty());

    // 0 turns them off; the kept ones stay.
    settings.BackupGenerations = 0;
    ASSERT_TRUE(SaveChanged(QStringLiteral("three"), &error));
    EXPECT_EQ(ListBackups(folder.path(), LogFileName(1)).size(), 2);
}

TEST_F(DataFolderGuardTest, AFailedBackupNeverStopsTheSaveAndIsReportedOnce) {
    ASSERT_TRUE(StartAndSelect(1));
    WriteBytes(folder.path(), QStringLiteral("backup"), "in the way");
    QString error;
    ASSERT_TRUE(SaveChanged(QStringLiteral("one"), &error)) << error.toStdString();
    ASSERT_TRUE(SaveChanged(QStringLiteral("two"), &error)) << error.toStdString();
    EXPECT_TRUE(ReadBytes(LogPath(1)).contains("two"));
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("「Mivra01.dat」のバックアップを作れませんでした。")));
    EXPECT_TRUE(reports[0].contains(QStringLiteral("保存はそのまま行いました。")));

    // Once backups work again, the next failure is news.
    QFile::remove(folder.file(QStringLiteral("backup")));
    ASSERT_TRUE(SaveChanged(QStringLiteral("three"), &error));
    EXPECT_EQ(ListBackups(folder.path()).size(), 1);
    QDir(BackupFolder(folder.path())).removeRecursively();
    WriteBytes(folder.path(), QStringLiteral("backup"), "in the way");
    ASSERT_TRUE(SaveChanged(QStringLiteral("four"), &error));
    EXPECT_EQ(reports.size(), 2);
}

TEST_F(DataFolderGuardTest, RestorePutsAGenerationBackAndKeepsTheFileItReplaces) {
    ASSERT_TRUE(StartAndSelect(1));
    const QByteArray first = ReadBytes(LogPath(1));
    QString error;
    ASSERT_TRUE(SaveChanged(QStringLiteral("one"), &error));
    ASSERT_TRUE(SaveChanged(QStringLiteral("two"), &error));
    const QByteArray latest = ReadBytes(LogPath(1));

    QString message;
    EXPECT_FALSE(guard->Restore(LogFileName(1), 3, &message, &error));
    EXPECT_EQ(error, S(u"「Mivra01.dat」のバックアップに世代 3 はありません（世代 1～2 があります）。"));
    EXPECT_FALSE(guard->Restore(QStringLiteral("Setting.dat"), 1, &message, &error));
    EXPECT_EQ(error, S(u"「Setting.dat」のバックアップはありません。"));
    EXPECT_EQ(ReadBytes(LogPath(1)), latest);

    // Even with backups off the replaced file is kept.
    settings.BackupGenerations = 0;
    ASSERT_TRUE(guard->Restore(LogFileName(1), 2, &message, &error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(LogPath(1)), first);
    EXPECT_TRUE(message.startsWith(S(u"「Mivra01.dat」を世代 2（"))) << message.toStdString();
    EXPECT_TRUE(message.endsWith(S(u"置き換えたファイルは世代 1 として残しました。")));
    const QVector<BackupGeneration> list = ListBackups(folder.path(), LogFileName(1));
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(ReadBytes(list[0].path), latest);
}

TEST_F(DataFolderGuardTest, NothingIsRestoredWhenTheReplacedFileCannotBeKept) {
    ASSERT_TRUE(StartAndSelect(1));
    WriteBytes(BackupFolder(folder.path()), LogFileName(1) + QStringLiteral(".20240101-000000-000"), "old");
    const QByteArray current = ReadBytes(LogPath(1));
    // The disk is full: the file about to be replaced cannot be kept.
    ReplaceBackupLink(FullDiskLink);
    QString message;
    QString error;
    EXPECT_FALSE(guard->Restore(LogFileName(1), 1, &message, &error));
    ReplaceBackupLink(nullptr);
    EXPECT_TRUE(error.endsWith(S(u"バックアップは戻しませんでした。"))) << error.toStdString();
    EXPECT_EQ(ReadBytes(LogPath(1)), current);
}

}  // namespace
}  // namespace tovrel
