// The generations kept in the backup folder: what is kept and when not, pruning, the cheap hard link
// and its copy fallback, and the failures that must leave the data file alone.
#include "base/backups.h"

#include "base/file_io.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>

#include <sys/stat.h>

namespace tovrel {
namespace {

using namespace test;

int g_linkErrno = 0;
int FailingLink(const char*, const char*) {
    errno = g_linkErrno;
    return -1;
}

class BackupsTest : public ::testing::Test {
protected:
    void TearDown() override { ReplaceBackupLink(nullptr); }

    QString Data() const { return folder.file(QStringLiteral("Mivra01.dat")); }
    QString BackupDir() const { return BackupFolder(folder.path()); }
    QStringList BackupNames() const { return QDir(BackupDir()).entryList(QDir::Files | QDir::Hidden); }

    // Keeps the current bytes and replaces the file with next, as a save does.
    void Save(const QByteArray& next, int keep) {
        QString error;
        ASSERT_TRUE(KeepBackup(Data(), next, keep, &error)) << error.toStdString();
        ASSERT_TRUE(WriteFileAtomically(Data(), next, &error)) << error.toStdString();
    }

    ino_t Inode(const QString& path) const {
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        return st.st_ino;
    }

    TempFolder folder;
};

TEST_F(BackupsTest, TheReplacedBytesAreKeptUnderTheFileNameAndTheTime) {
    WriteBytes(folder.path(), QStringLiteral("Mivra01.dat"), "old");
    Save("new", 10);
    EXPECT_EQ(ReadBytes(Data()), QByteArray("new"));
    const QVector<BackupGeneration> list = ListBackups(folder.path());
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].file, QStringLiteral("Mivra01.dat"));
    EXPECT_EQ(list[0].generation, 1);
    EXPECT_EQ(list[0].size, 3);
    EXPECT_EQ(ReadBytes(list[0].path), QByteArray("old"));
    EXPECT_LE(qAbs(list[0].time.secsTo(QDateTime::currentDateTime())), 5);
    EXPECT_TRUE(
        QFileInfo(list[0].path)
            .fileName()
            .contains(QRegularExpression(QStringLiteral("^Mivra01\\.dat\\.[0-9]{8}-[0-9]{6}-[0-9]{3}$"))));
}

TEST_F(BackupsTest, NothingIsKeptForAMissingFileOrUnchangedBytes) {
    QString error;
    QString kept = QStringLiteral("x");
    EXPECT_TRUE(KeepBackup(Data(), "first", 10, &error, &kept));
    EXPECT_TRUE(kept.isEmpty());
    WriteBytes(folder.path(), QStringLiteral("Mivra01.dat"), "same");
    EXPECT_TRUE(KeepBackup(Data(), "same", 10, &error, &kept));
    EXPECT_TRUE(kept.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(BackupDir()));
    // Same size, other bytes: kept.
    EXPECT_TRUE(KeepBackup(Data(), "SAME", 10, &error, &kept));
    EXPECT_EQ(ReadBytes(kept), QByteArray("same"));
}

TEST_F(BackupsTest, OnlyTheNewestGenerationsStayAndZeroKeepsAll) {
    WriteBytes(folder.path(), QStringLiteral("Mivra01.dat"), "v0");
    for (int i = 1; i <= 5; ++i)
        Save(QByteArray("v") + QByteArray::number(i), 3);
    QVector<BackupGeneration> list = ListBackups(folder.path(), QStringLiteral("Mivra01.dat"));
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(ReadBytes(list[0].path), QByteArray("v4"));
    EXPECT_EQ(ReadBytes(list[1].path), QByteArray("v3"));
    EXPECT_EQ(ReadBytes(list[2].path), QByteArray("v2"));
    EXPECT_GT(list[0].time, list[2].time);

    for (int i = 6; i <= 8; ++i)
        Save(QByteArray("v") + QByteArray::number(i), 0);
    EXPECT_EQ(ListBackups(folder.path(), QStringLiteral("Mivra01.dat")).size(), 6);
}

TEST_F(BackupsTest, TheCopyIsAHardLinkThatKeepsTheOldBytesWhenTheSaveReplacesTheFile) {
    WriteBytes(folder.path(), QStringLiteral("Mivra01.dat"), "old");
    const ino_t before = Inode(Data());
    Save("new", 10);
    const QString kept = ListBackups(folder.path()).value(0).path;
    EXPECT_EQ(Inode(kept), before);
    EXPECT_NE(Inode(Data()), before);
    EXPECT_EQ(ReadBytes(kept), QByteArray("old"));
}

TEST_F(BackupsTest, WithoutHardLinksTheFileIsCopied) {
    g_linkErrno = EPERM;
    ReplaceBackupLink(FailingLink);
    WriteBytes(folder.path(), QStringLiteral("Mivra01.dat"), "old");
    const ino_t before = Inode(Data());
    Save("new", 10);
    const QString kept = ListBackups(folder.path()).value(0).path;
    ASSERT_FALSE(kept.isEmpty());
    EXPECT_NE(Inode(kept), before);
    EXPECT_EQ(ReadBytes(kept), QByteArray("old"));
    EXPECT_EQ(BackupNames().size(), 1);
}

// What cannot be kept is said, and the data file stays as it was.
TEST_F(BackupsTest, ABackupFolderThatCannotBeMadeIsReported) {
    WriteBytes(folder.path(), QStringLiteral("Mivra01.dat"), "old");
    WriteBytes(folder.path(), QStringLiteral("backup"), "a file in the way");
    QString error;
    EXPECT_FALSE(KeepBackup(Data(), "new", 10, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("「Mivra01.dat」のバックアップを作れませんでした。")))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("フォルダではありません"))) << error.toStdString();
    EXPECT_EQ(ReadBytes(Data()), QByteArray("old"));
    EXPECT_EQ(ReadBytes(folder.file(QStringLiteral("backup"))), QByteArray("a file in the way"));
}

TEST_F(BackupsTest, AFullDiskDuringTheBackupLeavesNoPartialCopy) {
    WriteBytes(folder.path(), QStringLiteral("Mivra01.dat"), QByteArray(4096, 'o'));
    QString error;
    g_linkErrno = ENOSPC;
    ReplaceBackupLink(FailingLink);
    EXPECT_FALSE(KeepBackup(Data(), "new", 10, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("ディスクの空き容量が足りません"))) << error.toStdString();

    // The copy of a file system without hard links runs out of room half-way.
    g_linkErrno = EPERM;
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(KeepBackup(Data(), "new", 10, &error));
    }
    EXPECT_TRUE(error.contains(QStringLiteral("Mivra01.dat"))) << error.toStdString();
    EXPECT_TRUE(BackupNames().isEmpty()) << BackupNames().join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(ReadBytes(Data()), QByteArray(4096, 'o'));
}

TEST_F(BackupsTest, AClockSetBackStillMakesTheNewCopyTheNewest) {
    WriteBytes(folder.path(), QStringLiteral("Mivra01.dat"), "old");
    WriteBytes(BackupDir(), QStringLiteral("Mivra01.dat.20991231-235959-999"), "from the future");
    QString error;
    QString kept;
    ASSERT_TRUE(KeepBackup(Data(), "new", 10, &error, &kept));
    EXPECT_EQ(QFileInfo(kept).fileName(), QStringLiteral("Mivra01.dat.21000101-000000-000"));
    const QVector<BackupGeneration> list = ListBackups(folder.path());
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(ReadBytes(list[0].path), QByteArray("old"));
}

TEST_F(BackupsTest, TheListHasEveryFileNewestFirstAndLeavesOtherNamesAlone) {
    for (const char* name :
         {"Setting.dat.20240102-030405-006", "Mivra01.dat.20240101-000000-000",
          "Mivra01.dat.20240301-000000-000", "Mivra01.dat.20240201-000000-000", "notes.txt",
          "Mivra01.dat.bak", "Mivra01.dat.2024", ".20240101-000000-000", "Mivra01.dat.20241301-000000-000",
          "Mivra01.dat.20240101-000000-000.tovrel-abcdef"})
        WriteBytes(BackupDir(), QLatin1String(name), "x");
    QStringList seen;
    for (const BackupGeneration& g : ListBackups(folder.path()))
        seen << QStringLiteral("%1 %2 %3").arg(g.file).arg(g.generation).arg(BackupTimeText(g.time));
    EXPECT_EQ(seen, QStringList({QStringLiteral("Mivra01.dat 1 2024/03/01 00:00:00"),
                                 QStringLiteral("Mivra01.dat 2 2024/02/01 00:00:00"),
                                 QStringLiteral("Mivra01.dat 3 2024/01/01 00:00:00"),
                                 QStringLiteral("Setting.dat 1 2024/01/02 03:04:05")}));
    EXPECT_EQ(ListBackups(folder.path(), QStringLiteral("Setting.dat")).size(), 1);
    EXPECT_TRUE(ListBackups(folder.file(QStringLiteral("nowhere"))).isEmpty());

    // Pruning removes old generations only, never the other names.
    WriteBytes(folder.path(), QStringLiteral("Mivra01.dat"), "old");
    QString error;
    ASSERT_TRUE(KeepBackup(Data(), "new", 2, &error));
    EXPECT_EQ(ListBackups(folder.path(), QStringLiteral("Mivra01.dat")).size(), 2);
    EXPECT_TRUE(QFileInfo::exists(BackupDir() + QStringLiteral("notes.txt")));
    EXPECT_TRUE(QFileInfo::exists(BackupDir() + QStringLiteral("Mivra01.dat.bak")));
}

}  // namespace
}  // namespace tovrel
