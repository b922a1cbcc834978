// Reading and writing whole files: failures that keep the old bytes and say why, paths that are no
// plain files, the size limit, and the clean-up of interrupted saves.
#include "base/file_io.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <ostream>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovrel {
namespace {

using namespace Qt::StringLiterals;
using namespace test;

// ---- failed writes

// The calls of one failure; function pointers cannot capture, so they read this.
struct Fault {
    int writesBeforeFailure = -1;  // -1: writes never fail
    int writeErrno = 0;
    int syncErrno = 0;
    int closeErrno = 0;
    int renameErrno = 0;
};
Fault g_fault;
int g_writes = 0;

qint64 FaultyWrite(int fd, const void* data, size_t size) {
    if (g_fault.writesBeforeFailure >= 0 && g_writes++ >= g_fault.writesBeforeFailure) {
        errno = g_fault.writeErrno;
        return -1;
    }
    // A short write: the loop must go on with the rest.
    return DefaultFileSystemCalls().write(fd, data, std::min<size_t>(size, 7));
}
int FaultySync(int fd) {
    if (g_fault.syncErrno == 0) return DefaultFileSystemCalls().sync(fd);
    errno = g_fault.syncErrno;
    return -1;
}
int FaultyClose(int fd) {
    const int rc = DefaultFileSystemCalls().close(fd);
    if (g_fault.closeErrno == 0) return rc;
    errno = g_fault.closeErrno;  // the descriptor is gone all the same, as on Linux
    return -1;
}
int FaultyRename(const char* from, const char* to) {
    if (g_fault.renameErrno == 0) return DefaultFileSystemCalls().rename(from, to);
    errno = g_fault.renameErrno;
    return -1;
}
const FileSystemCalls kFaultyCalls{FaultyWrite, FaultySync, FaultyClose, FaultyRename};

struct FailedWrite {
    const char* name;
    Fault fault;
    QString reason;  // part of the message
};

void PrintTo(const FailedWrite& c, std::ostream* os) {
    *os << c.name;
}

class FailedWriteTest : public ::testing::TestWithParam<FailedWrite> {
protected:
    void SetUp() override {
        g_fault = GetParam().fault;
        g_writes = 0;
        ReplaceFileSystemCalls(&kFaultyCalls);
    }
    void TearDown() override { ReplaceFileSystemCalls(nullptr); }
};

TEST_P(FailedWriteTest, KeepsTheOldBytesAndSaysWhy) {
    TempFolder dir;
    const QByteArray old = "[MivraData]\r\nDataCount=0\r\n";
    const QString path = WriteBytes(dir.path(), u"Mivra01.dat"_s, old);
    QString error;
    EXPECT_FALSE(WriteFileAtomically(path, QByteArray(5000, 'x'), &error));
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_TRUE(error.contains(u"Mivra01.dat"_s)) << error.toStdString();
    EXPECT_TRUE(error.contains(u"書き込めません"_s)) << error.toStdString();
    EXPECT_TRUE(error.contains(GetParam().reason)) << error.toStdString();
    // No temporary copy stays behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"Mivra01.dat"_s});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FailedWriteTest,
    ::testing::Values(
        FailedWrite{"short write then ENOSPC", Fault{3, ENOSPC, 0, 0, 0}, u"ディスクの空き容量"_s},
        FailedWrite{"EIO from sync", Fault{-1, 0, EIO, 0, 0}, u"入出力エラー"_s},
        FailedWrite{"EDQUOT from sync", Fault{-1, 0, EDQUOT, 0, 0}, u"使用量の上限"_s},
        FailedWrite{"EIO from close", Fault{-1, 0, 0, EIO, 0}, u"入出力エラー"_s},
        FailedWrite{"failed rename", Fault{-1, 0, 0, 0, EACCES}, u"アクセスが許可されていません"_s}),
    [](const ::testing::TestParamInfo<FailedWrite>& info) {
        QString name = QString::fromLatin1(info.param.name);
        name.replace(QLatin1Char(' '), QLatin1Char('_'));
        return name.toStdString();
    });

TEST(FileIo, ShortWritesAreCompletedAndTheModeAndLinksKept) {
    g_fault = Fault{};
    ReplaceFileSystemCalls(&kFaultyCalls);  // writes 7 bytes at a time
    TempFolder dir;
    const QString target = WriteBytes(dir.path(), u"real/Mivra01.dat"_s, "old");
    ::chmod(QFile::encodeName(target).constData(), 0640);
    const QString link = dir.file(u"Mivra01.dat"_s);
    ASSERT_TRUE(QFile::link(target, link));
    QString error;
    const QByteArray bytes(1000, 'y');
    EXPECT_TRUE(WriteFileAtomically(link, bytes, &error)) << error.toStdString();
    ReplaceFileSystemCalls(nullptr);
    EXPECT_EQ(ReadBytes(target), bytes);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// ---- paths that are no plain files

TEST(FileIo, PathsThatAreNoPlainFilesAreReportedAndLeftAlone) {
    for (const QString& kind : OddPathKinds()) {
        SCOPED_TRACE(kind.toStdString());
        TempFolder dir;
        const QString path = dir.file(u"Mivra01.dat"_s);
        MakeOddPath(kind, path);
        struct stat before;
        ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &before), 0);
        EXPECT_TRUE(FileEntryExists(path));

        bool read = true;
        QString readError;
        QByteArray bytes;
        EXPECT_TRUE(EndsInTime([&] { read = ReadFileBytes(path, &bytes, &readError); }));
        EXPECT_FALSE(read);
        EXPECT_TRUE(bytes.isEmpty());
        EXPECT_TRUE(readError.contains(u"Mivra01.dat"_s)) << readError.toStdString();

        bool written = true;
        QString writeError;
        EXPECT_TRUE(EndsInTime([&] { written = WriteFileAtomically(path, "data", &writeError); }));
        EXPECT_FALSE(written);
        EXPECT_TRUE(writeError.contains(u"Mivra01.dat"_s)) << writeError.toStdString();
        struct stat after;
        ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(),
                  1);
    }
    TempFolder dir;
    EXPECT_FALSE(FileEntryExists(dir.file(u"Mivra01.dat"_s)));
}

TEST(FileIo, AFileAboveTheSizeLimitIsNotRead) {
    TempFolder dir;
    const QString path = WriteBytes(dir.path(), u"Mivra01.dat"_s, "x");
    ASSERT_TRUE(QFile::resize(path, kMaxDataFileBytes + 1));  // sparse: takes no room
    QByteArray bytes;
    QString error;
    EXPECT_FALSE(ReadFileBytes(path, &bytes, &error));
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_TRUE(error.contains(u"大きすぎます"_s)) << error.toStdString();
    ASSERT_TRUE(QFile::resize(path, kMaxDataFileBytes));
    EXPECT_TRUE(ReadFileBytes(path, &bytes, &error));
    EXPECT_EQ(bytes.size(), kMaxDataFileBytes);
}

// The size the file system tells only sizes the first read: a file that says 0 bytes (as those of
// /proc do) is still read to its end.
TEST(FileIo, AFileIsReadToItsEndWhateverSizeItTells) {
    QByteArray bytes;
    ASSERT_TRUE(ReadFileBytes(u"/proc/self/maps"_s, &bytes, nullptr));
    EXPECT_GT(bytes.size(), 100);
    EXPECT_TRUE(bytes.endsWith('\n'));
}

// ---- leftovers of interrupted saves

void MakeOld(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
}

TEST(FileIo, OnlyTheProgramsOwnStaleTemporariesAreRemoved) {
    TempFolder dir;
    const QStringList names = {u"Mivra01.dat"_s, u"Setting.dat"_s};
    const QStringList stale = {u"Mivra01.dat.tovrel-AbC123"_s, u"Setting.dat.tovrel-000000"_s};
    const QStringList kept = {u"Mivra01.dat.backup"_s,         u"Mivra01.dat.AbC123"_s,
                              u"Other.dat.tovrel-AbC123"_s,    u"Mivra01.dat.tovrel-AbC12"_s,
                              u"Mivra01.dat.tovrel-AbC1234"_s, u"Mivra01.dat.tovrel-AbC12?"_s,
                              u"Mivra01.dat.tovrel-Recent"_s,  u"Mivra01.dat.tovrel-Locked"_s};
    for (const QString& name : stale + kept) {
        WriteBytes(dir.path(), name, "partial");
        if (name != u"Mivra01.dat.tovrel-Recent"_s) MakeOld(dir.file(name));
    }
    // A link named like a leftover points elsewhere: it is not ours to remove.
    const QString elsewhere = WriteBytes(dir.path(), u"sub/keep.dat"_s, "keep");
    ASSERT_TRUE(QFile::link(elsewhere, dir.file(u"Setting.dat.tovrel-Linked"_s)));
    // A save in progress holds its temporary copy locked.
    const int fd = ::open(QFile::encodeName(dir.file(u"Mivra01.dat.tovrel-Locked"_s)).constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    EXPECT_EQ(RemoveStaleTemporaries(dir.path(), names), 2);
    ::close(fd);
    for (const QString& name : stale)
        EXPECT_FALSE(QFileInfo::exists(dir.file(name))) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_TRUE(QFileInfo::exists(dir.file(name))) << name.toStdString();
    EXPECT_TRUE(QFileInfo(dir.file(u"Setting.dat.tovrel-Linked"_s)).isSymLink());
    EXPECT_EQ(RemoveStaleTemporaries(dir.file(u"missing"_s), names), 0);
}

TEST(FileIo, TextLinesEndInAnyWay) {
    EXPECT_EQ(SplitTextLines(u"a\r\nb\nc\rd\r\r\ne\r"_s),
              (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s, QString(), u"e"_s}));
    EXPECT_EQ(SplitTextLines(QString()), QStringList());
    EXPECT_EQ(SplitTextLines(u"\n"_s), QStringList{QString()});
}

}  // namespace
}  // namespace tovrel
