#include "base/file_io.h"

#include "base/cp932.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#ifdef Q_OS_UNIX
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#include <cstring>
#endif

namespace tovrel {

namespace {

QString WriteError(const QString& path, const QString& reason) {
    return QStringLiteral("ファイル「") + QDir::toNativeSeparators(path) +
           QStringLiteral("」に書き込めません。\n") + reason;
}
QString ReadError(const QString& path, const QString& reason) {
    return QStringLiteral("ファイル「") + QDir::toNativeSeparators(path) +
           QStringLiteral("」を読み込めません。\n") + reason;
}
QString TooLargeReason() {
    return QStringLiteral("ファイルが大きすぎます（上限 %1 MB）。").arg(kMaxDataFileBytes / (1024 * 1024));
}

bool Fail(QString* error, const QString& text) {
    if (error) *error = text;
    return false;
}

WriteObserver* g_observer = nullptr;

bool ObserverRefuses(const QString& path, QString* error) {
    QString reason;
    if (!g_observer || g_observer->MayWrite(path, &reason)) return false;
    Fail(error, WriteError(path, reason));
    return true;
}

void ObserveReplace(const QString& path, const QByteArray& bytes) {
    if (g_observer) g_observer->BeforeReplace(path, bytes);
}

constexpr int kStaleSeconds = 60;
constexpr int kRandomChars = 6;

bool IsRandomPart(QStringView text) {
    if (text.size() != kRandomChars) return false;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z'))) return false;
    }
    return true;
}

QString RandomPart() {
    static const char chars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString s;
    for (int i = 0; i < kRandomChars; ++i)
        s += QLatin1Char(chars[QRandomGenerator::global()->bounded(62)]);
    return s;
}

#ifdef Q_OS_UNIX

// The system's reason, in Japanese where the cause is a common one, with the system's own words.
QString SystemReason(int err) {
    const QString system = QString::fromLocal8Bit(std::strerror(err));
    QString japanese;
    switch (err) {
        case ENOSPC:
            japanese = QStringLiteral("ディスクの空き容量が足りません");
            break;
        case EDQUOT:
            japanese = QStringLiteral("ディスクの使用量の上限を超えました");
            break;
        case EIO:
            japanese = QStringLiteral("入出力エラーが起きました");
            break;
        case EACCES:
        case EPERM:
            japanese = QStringLiteral("アクセスが許可されていません");
            break;
        case EROFS:
            japanese = QStringLiteral("読み取り専用の場所です");
            break;
        case ENOENT:
            japanese = QStringLiteral("ファイルまたはフォルダがありません");
            break;
        case ELOOP:
            japanese = QStringLiteral("シンボリックリンクが循環しています");
            break;
        case EISDIR:
            japanese = QStringLiteral("フォルダです");
            break;
        case ENOTDIR:
            japanese = QStringLiteral("途中の名前がフォルダではありません");
            break;
        case EFBIG:
            japanese = QStringLiteral("ファイルが大きすぎます");
            break;
        case ENAMETOOLONG:
            japanese = QStringLiteral("名前が長すぎます");
            break;
        default:
            return system + QStringLiteral("。");
    }
    return japanese + QStringLiteral("（") + system + QStringLiteral("）。");
}

QString NotPlainReason(mode_t mode) {
    QString kind;
    if (S_ISDIR(mode))
        kind = QStringLiteral("フォルダ");
    else if (S_ISCHR(mode) || S_ISBLK(mode))
        kind = QStringLiteral("デバイス");
    else if (S_ISFIFO(mode))
        kind = QStringLiteral("パイプ");
    else if (S_ISSOCK(mode))
        kind = QStringLiteral("ソケット");
    else
        kind = QStringLiteral("特殊なファイル");
    return QStringLiteral("通常のファイルではありません（") + kind + QStringLiteral("）。");
}

int OpenRetrying(const QByteArray& name, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(name.constData(), flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

qint64 SystemWrite(int fd, const void* data, size_t size) {
    return ::write(fd, data, size);
}
int SystemSync(int fd) {
    return ::fdatasync(fd);
}
int SystemClose(int fd) {
    return ::close(fd);
}
int SystemRename(const char* from, const char* to) {
    return ::rename(from, to);
}

const FileSystemCalls kSystemCalls{SystemWrite, SystemSync, SystemClose, SystemRename};
const FileSystemCalls* g_calls = &kSystemCalls;

// Writes all bytes; false with errno set on failure.
bool WriteAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    size_t left = static_cast<size_t>(bytes.size());
    while (left > 0) {
        const qint64 n = g_calls->write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

void SyncFolder(const QString& folder) {
    const int fd = OpenRetrying(QFile::encodeName(folder), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // The rename is done; a folder that cannot be synced is no reason to report the save as failed.
    ::fsync(fd);
    ::close(fd);
}

#endif

}  // namespace

const FileSystemCalls& DefaultFileSystemCalls() {
#ifdef Q_OS_UNIX
    return kSystemCalls;
#else
    static const FileSystemCalls none{};
    return none;
#endif
}

void ReplaceFileSystemCalls(const FileSystemCalls* calls) {
#ifdef Q_OS_UNIX
    g_calls = calls ? calls : &kSystemCalls;
#else
    Q_UNUSED(calls);
#endif
}

void SetWriteObserver(WriteObserver* observer) {
    g_observer = observer;
}

#ifdef Q_OS_UNIX

QString SystemErrorReason(int err) {
    return SystemReason(err);
}

bool FileEntryExists(const QString& path) {
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) == 0) return true;
    // Anything but plain absence (a folder that cannot be searched, for one) is for the reader to report.
    return errno != ENOENT;
}

bool ReadFileBytes(const QString& path, QByteArray* bytes, QString* error) {
    bytes->clear();
    // Without O_NONBLOCK opening a pipe would wait for a writer.
    const int fd = OpenRetrying(QFile::encodeName(path), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return Fail(error, ReadError(path, SystemReason(errno)));
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return Fail(error, ReadError(path, SystemReason(err)));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return Fail(error, ReadError(path, NotPlainReason(st.st_mode)));
    }
    if (st.st_size > kMaxDataFileBytes) {
        ::close(fd);
        return Fail(error, ReadError(path, TooLargeReason()));
    }
    // Read straight into place; one byte of room beyond the size tells a file that grew meanwhile.
    qsizetype have = 0;
    bytes->resize(static_cast<qsizetype>(st.st_size) + 1);
    for (;;) {
        if (have == bytes->size()) {
            // The file may grow while it is read.
            if (have > kMaxDataFileBytes) {
                ::close(fd);
                bytes->clear();
                return Fail(error, ReadError(path, TooLargeReason()));
            }
            bytes->resize(std::min<qsizetype>(have + 65536, kMaxDataFileBytes + 1));
        }
        const ssize_t n = ::read(fd, bytes->data() + have, static_cast<size_t>(bytes->size() - have));
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            bytes->clear();
            return Fail(error, ReadError(path, SystemReason(err)));
        }
        if (n == 0) break;
        have += n;
    }
    ::close(fd);
    if (have > kMaxDataFileBytes) {
        bytes->clear();
        return Fail(error, ReadError(path, TooLargeReason()));
    }
    bytes->resize(have);
    return true;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    if (ObserverRefuses(path, error)) return false;
    QString target = path;
    bool haveMode = false;
    mode_t mode = 0;
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            char* real = ::realpath(QFile::encodeName(path).constData(), nullptr);
            if (!real) return Fail(error, WriteError(path, SystemReason(errno)));
            target = QFile::decodeName(real);
            std::free(real);
            if (::stat(QFile::encodeName(target).constData(), &st) != 0) {
                return Fail(error, WriteError(path, SystemReason(errno)));
            }
        }
        // Renaming over a folder, a device or a pipe would replace it; it is no file of ours.
        if (!S_ISREG(st.st_mode)) return Fail(error, WriteError(path, NotPlainReason(st.st_mode)));
        haveMode = true;
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        return Fail(error, WriteError(path, SystemReason(errno)));
    }

    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    const QString stem = folder + QLatin1Char('/') + info.fileName() + QLatin1String(kTemporarySuffix);
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = QFile::encodeName(stem + RandomPart());
        fd = OpenRetrying(temp, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return Fail(error, WriteError(path, SystemReason(errno)));
    // Tells a cleaner at another program's start that this copy is still being written.
    ::flock(fd, LOCK_EX | LOCK_NB);
    if (haveMode) ::fchmod(fd, mode);

    const auto failAfterOpen = [&](int err, bool closed) {
        if (!closed) ::close(fd);
        ::unlink(temp.constData());
        return Fail(error, WriteError(path, SystemReason(err)));
    };
    if (!WriteAll(fd, bytes)) return failAfterOpen(errno, false);
    // Network and FUSE file systems report quota and write-back errors only here and at close.
    if (g_calls->sync(fd) != 0 && errno != EINVAL) return failAfterOpen(errno, false);
    if (g_calls->close(fd) != 0) return failAfterOpen(errno, true);
    if (haveMode) ObserveReplace(path, bytes);
    if (g_calls->rename(temp.constData(), QFile::encodeName(target).constData()) != 0) {
        const int err = errno;
        ::unlink(temp.constData());
        return Fail(error, WriteError(path, SystemReason(err)));
    }
    SyncFolder(folder);
    return true;
}

int RemoveStaleTemporaries(const QString& folder, const QStringList& fileNames) {
    if (folder.isEmpty()) return 0;
    const QDir dir(folder);
    const QString suffix = QLatin1String(kTemporarySuffix);
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    int removed = 0;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const qsizetype at = name.lastIndexOf(suffix);
        if (at <= 0 || !fileNames.contains(name.left(at))) continue;
        if (!IsRandomPart(QStringView(name).mid(at + suffix.size()))) continue;
        const QByteArray file = QFile::encodeName(dir.filePath(name));
        struct stat st;
        if (::lstat(file.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
        if (now - static_cast<qint64>(st.st_mtime) < kStaleSeconds) continue;
        const int fd = OpenRetrying(file, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(file.constData()) == 0) ++removed;
        ::close(fd);
    }
    return removed;
}

#else

QString SystemErrorReason(int err) {
    return QString::fromLocal8Bit(std::strerror(err)) + QStringLiteral("。");
}

bool FileEntryExists(const QString& path) {
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

bool ReadFileBytes(const QString& path, QByteArray* bytes, QString* error) {
    bytes->clear();
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        return Fail(error, ReadError(path, QStringLiteral("通常のファイルではありません。")));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return Fail(error, ReadError(path, file.errorString()));
    if (file.size() > kMaxDataFileBytes) return Fail(error, ReadError(path, TooLargeReason()));
    *bytes = file.read(kMaxDataFileBytes + 1);
    if (bytes->size() > kMaxDataFileBytes) {
        bytes->clear();
        return Fail(error, ReadError(path, TooLargeReason()));
    }
    if (file.error() != QFileDevice::NoError) {
        bytes->clear();
        return Fail(error, ReadError(path, file.errorString()));
    }
    return true;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    if (ObserverRefuses(path, error)) return false;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        return Fail(error, WriteError(path, QStringLiteral("通常のファイルではありません。")));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return Fail(error, WriteError(path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Fail(error, WriteError(path, reason));
    }
    if (info.exists()) ObserveReplace(path, bytes);
    if (!file.commit()) return Fail(error, WriteError(path, file.errorString()));
    return true;
}

int RemoveStaleTemporaries(const QString&, const QStringList&) {
    return 0;
}

#endif

QList<QStringView> SplitTextLineViews(QStringView text) {
    QList<QStringView> lines;
    ForEachLine(text, [&](qsizetype from, qsizetype size) { lines.append(text.sliced(from, size)); });
    return lines;
}

QStringList SplitTextLines(const QString& text) {
    QStringList lines;
    for (QStringView line : SplitTextLineViews(text))
        lines.append(line.toString());
    return lines;
}

QByteArray EncodeCp932Lines(const QStringList& lines) {
    QByteArray bytes;
    qsizetype size = 0;
    for (const QString& l : lines)
        size += l.size() * 2 + 2;
    bytes.reserve(size);
    for (const QString& l : lines) {
        Cp932Append(bytes, l);
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace tovrel
