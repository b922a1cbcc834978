// Small helpers shared by the tests: CP932 fixtures in temporary folders.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace tovrel::test {

// The CP932 bytes of a text (the text given in UTF-8 source form).
QByteArray Sjis(const QString& text);

// Lines joined with CR LF (each line followed by it) in CP932.
QByteArray SjisLines(const QStringList& lines);

// Writes bytes to dir/name, creating folders; returns the full path.
QString WriteBytes(const QString& dir, const QString& name, const QByteArray& bytes);

QByteArray ReadBytes(const QString& path);

// The bytes of tests/fixtures/<relative>.
QByteArray FixtureBytes(const QString& relative);
QString FixturePath(const QString& relative);

// A temporary folder whose path ends in "/", as data folders do.
class TempFolder {
public:
    TempFolder();
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return path() + name; }

private:
    QTemporaryDir m_dir;
};

}  // namespace tovrel::test
