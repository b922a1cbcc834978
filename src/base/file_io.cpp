#include "base/file_io.h"

#include "base/cp932.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace tovrel {

namespace {
QString WriteError(const QString& path, const QString& reason) {
    return QStringLiteral("ファイル「") + QDir::toNativeSeparators(path) + QStringLiteral("」に書き込めません。\n") + reason;
}
QString ReadError(const QString& path, const QString& reason) {
    return QStringLiteral("ファイル「") + QDir::toNativeSeparators(path) + QStringLiteral("」を読み込めません。\n") + reason;
}
}  // namespace

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = WriteError(path, file.errorString());
        return false;
    }
    // commit() does not see a failure of the final buffered write (disk full, file size limit) and
    // would rename the cut file over the old one, so the buffer is flushed and checked here.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error) *error = WriteError(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error) *error = WriteError(path, file.errorString());
        return false;
    }
    return true;
}

bool ReadFileBytes(const QString& path, QByteArray* bytes, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = ReadError(path, file.errorString());
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error) *error = ReadError(path, file.errorString());
        return false;
    }
    return true;
}

QStringList SplitTextLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0) end = n;
        qsizetype stop = end;
        if (stop > start && text.at(stop - 1) == QLatin1Char('\r')) --stop;
        lines.append(text.mid(start, stop - start));
        start = end + 1;
    }
    return lines;
}

QByteArray EncodeCp932Lines(const QStringList& lines) {
    QString text;
    qsizetype size = 0;
    for (const QString& l : lines)
        size += l.size() + 2;
    text.reserve(size);
    for (const QString& l : lines) {
        text += l;
        text += QStringLiteral("\r\n");
    }
    return Cp932Encode(text);
}

}  // namespace tovrel
