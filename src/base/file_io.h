// The one way files are read and written: whole files, atomic replacement, error texts.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tovrel {

// Writes the bytes to a temporary file beside the target and renames it over the target, so a
// failure leaves the old file whole. On failure returns false and sets the error text (a Japanese
// sentence naming the file, then the system's reason).
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

// Reads the whole file. On failure returns false and sets the error text.
bool ReadFileBytes(const QString& path, QByteArray* bytes, QString* error);

// Lines of CP932 text: accepts CR LF or LF line ends; a trailing line end does not add a line.
QStringList SplitTextLines(const QString& text);

// Joins the lines with CR LF after each one and encodes them as CP932.
QByteArray EncodeCp932Lines(const QStringList& lines);

}  // namespace tovrel
