#include "test_support.h"

#include "data/cp932.h"
#include "data/file_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tovrel::test {

QByteArray Sjis(const QString& text) {
    return Cp932Encode(text);
}

QByteArray SjisLines(const QStringList& lines) {
    return EncodeCp932Lines(lines);
}

QString WriteBytes(const QString& dir, const QString& name, const QByteArray& bytes) {
    const QString path = QDir(dir).filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    return path;
}

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString FixturePath(const QString& relative) {
    return QStringLiteral(TOVREL_FIXTURES) + QLatin1Char('/') + relative;
}

QByteArray FixtureBytes(const QString& relative) {
    return ReadBytes(FixturePath(relative));
}

TempFolder::TempFolder() = default;

}  // namespace tovrel::test
