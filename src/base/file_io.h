// The one way files are read and written: whole files, atomic replacement, error texts.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <type_traits>

namespace tovrel {

// Far above any real data file (2,000 records take well under 1 MB); a larger file is refused
// rather than read into memory.
inline constexpr qint64 kMaxDataFileBytes = 64 * 1024 * 1024;

// Writes the bytes to a temporary file beside the target, checks that they reached the disk (write,
// sync and close) and only then renames it over the target, so a failure leaves the old file whole.
// A symbolic link is followed and its target replaced; a target that is no plain file (a folder, a
// device, a pipe) or a link that leads nowhere is refused. On failure returns false and sets the
// error text (a Japanese sentence naming the file, then the system's reason).
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

// Reads the whole file. Only plain files of at most kMaxDataFileBytes are read: a folder, device,
// pipe or link loop is reported, never waited on. On failure returns false and sets the error text.
bool ReadFileBytes(const QString& path, QByteArray* bytes, QString* error);

// Whether anything stands at the path, even a link that leads nowhere: only a path that is really
// absent counts as a missing file (which may then be created with defaults).
bool FileEntryExists(const QString& path);

// The temporary name pattern of WriteFileAtomically: the target's name, this suffix, six characters.
inline constexpr char kTemporarySuffix[] = ".tovrel-";

// Removes the temporary copies that an interrupted save left beside the named files of the folder:
// only names of the form <one of fileNames> + kTemporarySuffix + six letters or digits, only plain
// files of this user that no save holds open and that are older than a minute. Returns how many
// were removed.
int RemoveStaleTemporaries(const QString& folder, const QStringList& fileNames);

// The system's reason for an error number, as the error texts above give it.
QString SystemErrorReason(int err);

// Calls visit(from, size) for each line of a text, or of its CP932 bytes: CR LF, LF or a lone CR
// ends a line and a trailing line end adds no line. Neither byte is ever part of a double-byte
// character, so the bytes have the lines of their decoded text.
template <typename View, typename Visit>
void ForEachLine(View text, Visit visit) {
    using Char = std::remove_cvref_t<decltype(text[0])>;
    const Char cr = static_cast<Char>(u'\r');
    const Char lf = static_cast<Char>(u'\n');
    const qsizetype n = text.size();
    qsizetype nextLf = -1;
    for (qsizetype start = 0; start < n;) {
        if (nextLf < start) {
            nextLf = text.indexOf(lf, start);
            if (nextLf < 0) nextLf = n;
        }
        const qsizetype crAt = text.sliced(start, nextLf - start).indexOf(cr);
        qsizetype end = crAt < 0 ? nextLf : start + crAt;
        visit(start, end - start);
        if (end + 1 < n && text[end] == cr && text[end + 1] == lf) ++end;
        start = end + 1;
    }
}

// Lines of text: accepts CR LF, LF or a lone CR as line end; a trailing line end does not add a line.
QStringList SplitTextLines(const QString& text);
// The same lines as views into the text, which must outlive them.
QList<QStringView> SplitTextLineViews(QStringView text);

// Joins the lines with CR LF after each one and encodes them as CP932.
QByteArray EncodeCp932Lines(const QStringList& lines);

// The system calls of WriteFileAtomically, replaceable to test how each failure is handled.
struct FileSystemCalls {
    qint64 (*write)(int fd, const void* data, size_t size);
    int (*sync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
};
const FileSystemCalls& DefaultFileSystemCalls();
// nullptr restores the default calls.
void ReplaceFileSystemCalls(const FileSystemCalls* calls);

// Told of every write of WriteFileAtomically: the data folder in use refuses writes while another
// program holds it, and keeps the old file before it is replaced.
class WriteObserver {
public:
    virtual ~WriteObserver() = default;
    // False with the reason (a Japanese sentence) when the file may not be written now.
    virtual bool MayWrite(const QString& path, QString* reason) = 0;
    // Called once the new bytes are safely on disk, just before they replace the existing file at
    // path. Whatever happens here, the save goes on.
    virtual void BeforeReplace(const QString& path, const QByteArray& bytes) = 0;
};
// nullptr: no observer.
void SetWriteObserver(WriteObserver* observer);

}  // namespace tovrel
