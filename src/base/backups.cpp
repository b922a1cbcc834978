#include "base/backups.h"

#include "base/file_io.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tovrel {

namespace {

const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");
constexpr qsizetype kStampLength = 19;

#ifdef Q_OS_UNIX
int SystemLink(const char* from, const char* to) {
    // A data file that is a symbolic link keeps the file it leads to.
    return ::linkat(AT_FDCWD, from, AT_FDCWD, to, AT_SYMLINK_FOLLOW);
}
BackupLinkCall g_link = SystemLink;

// Errors that say only that this file system makes no hard links: a copy may still work.
bool LinksUnsupported(int err) {
    return err == EPERM || err == EXDEV || err == EMLINK || err == ENOTSUP || err == EOPNOTSUPP ||
           err == ENOSYS;
}
#else
BackupLinkCall g_link = nullptr;
#endif

QDateTime StampTime(QStringView stamp) {
    if (stamp.size() != kStampLength) return QDateTime();
    for (qsizetype i = 0; i < kStampLength; ++i) {
        const bool dash = i == 8 || i == 15;
        if (dash != (stamp[i] == QLatin1Char('-')) || (!dash && !stamp[i].isDigit())) return QDateTime();
    }
    return QDateTime::fromString(stamp.toString(), kStampFormat);
}

struct Entry {
    QString file;
    QString stamp;
    QDateTime time;
    QString path;
};

// The backups in the folder; of one file only when file is given.
QVector<Entry> ReadEntries(const QString& backupFolder, const QString& file) {
    QVector<Entry> entries;
    const QStringList filters = file.isEmpty() ? QStringList() : QStringList{file + QStringLiteral(".*")};
    QDirIterator it(backupFolder, filters, QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        const qsizetype dot = name.size() - kStampLength - 1;
        if (dot < 1 || name[dot] != QLatin1Char('.')) continue;
        const QString owner = name.left(dot);
        if (!file.isEmpty() && owner != file) continue;
        const QDateTime time = StampTime(QStringView(name).mid(dot + 1));
        if (!time.isValid()) continue;
        entries.append(Entry{owner, name.mid(dot + 1), time, it.filePath()});
    }
    // The stamps sort as text in time order.
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.file != b.file ? a.file < b.file : a.stamp > b.stamp;
    });
    return entries;
}

QString KeepError(const QString& file, const QString& reason) {
    return QStringLiteral("「") + file + QStringLiteral("」のバックアップを作れませんでした。\n") + reason;
}

bool Fail(QString* error, const QString& text) {
    if (error) *error = text;
    return false;
}

// The backup folder, created when missing; false with the reason when there can be none.
bool MakeBackupFolder(const QString& folder, QString* reason) {
    const QFileInfo info(folder);
    if (info.isDir()) return true;
    if (info.exists() || info.isSymLink()) {
        *reason = QStringLiteral("「") + QDir::toNativeSeparators(QDir::cleanPath(folder)) +
                  QStringLiteral("」がフォルダではありません。");
        return false;
    }
#ifdef Q_OS_UNIX
    if (::mkdir(QFile::encodeName(folder).constData(), 0777) != 0 && errno != EEXIST) {
        *reason = QStringLiteral("フォルダ「") + QDir::toNativeSeparators(QDir::cleanPath(folder)) +
                  QStringLiteral("」を作れません。") + SystemErrorReason(errno);
        return false;
    }
    return true;
#else
    if (QDir().mkpath(folder)) return true;
    *reason = QStringLiteral("フォルダ「") + QDir::toNativeSeparators(QDir::cleanPath(folder)) +
              QStringLiteral("」を作れません。");
    return false;
#endif
}

}  // namespace

QString BackupFolder(const QString& dataFolder) {
    QString folder = dataFolder;
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder + QLatin1String(kBackupFolderName) + QLatin1Char('/');
}

bool KeepBackup(const QString& path, const QByteArray& next, int keep, QString* error, QString* keptPath) {
    if (keptPath) keptPath->clear();
    const QFileInfo info(path);
    const QString file = info.fileName();
    // Only a plain file is ever replaced; a missing one leaves nothing to keep.
    if (!info.isFile()) return true;
    QByteArray old;
    bool haveOld = false;
    if (info.size() == next.size()) {
        QString readError;
        if (!ReadFileBytes(path, &old, &readError)) return Fail(error, KeepError(file, readError));
        if (old == next) return true;
        haveOld = true;
    }

    const QString folder = BackupFolder(info.absolutePath());
    QString reason;
    if (!MakeBackupFolder(folder, &reason)) return Fail(error, KeepError(file, reason));

    const QVector<Entry> existing = ReadEntries(folder, file);
    // Never before the newest: a clock set back must not make the newest copy look oldest.
    QDateTime time = QDateTime::currentDateTime();
    if (!existing.isEmpty() && existing.first().time >= time) time = existing.first().time.addMSecs(1);

    QString target;
    bool kept = false;
    for (int attempt = 0; attempt < 20 && !kept; ++attempt, time = time.addMSecs(1)) {
        target = folder + file + QLatin1Char('.') + time.toString(kStampFormat);
        if (g_link) {
#ifdef Q_OS_UNIX
            if (g_link(QFile::encodeName(path).constData(), QFile::encodeName(target).constData()) == 0) {
                kept = true;
                break;
            }
            const int err = errno;
            if (err == EEXIST) continue;
            if (!LinksUnsupported(err)) return Fail(error, KeepError(file, SystemErrorReason(err)));
#endif
        }
        if (FileEntryExists(target)) continue;
        QString copyError;
        if (!haveOld && !ReadFileBytes(path, &old, &copyError))
            return Fail(error, KeepError(file, copyError));
        haveOld = true;
        if (!WriteFileAtomically(target, old, &copyError)) return Fail(error, KeepError(file, copyError));
        kept = true;
    }
    if (!kept) return Fail(error, KeepError(file, QStringLiteral("同じ時刻のバックアップが多すぎます。")));
    if (keptPath) *keptPath = target;

    // The new copy is the newest: of the others, keep - 1 stay.
    if (keep > 0) {
        for (qsizetype i = keep - 1; i < existing.size(); ++i)
            QFile::remove(existing[i].path);
    }
    return true;
}

QVector<BackupGeneration> ListBackups(const QString& dataFolder, const QString& file) {
    QVector<BackupGeneration> list;
    QString current;
    int generation = 0;
    for (const Entry& e : ReadEntries(BackupFolder(dataFolder), file)) {
        if (e.file != current) {
            current = e.file;
            generation = 0;
        }
        list.append(BackupGeneration{e.file, ++generation, e.time, QFileInfo(e.path).size(), e.path});
    }
    return list;
}

QString BackupTimeText(const QDateTime& time) {
    return time.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

void ReplaceBackupLink(BackupLinkCall link) {
#ifdef Q_OS_UNIX
    g_link = link ? link : SystemLink;
#else
    Q_UNUSED(link);
#endif
}

}  // namespace tovrel
