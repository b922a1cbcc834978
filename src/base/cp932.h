// Code page 932 at the file boundary: decoding, encoding and byte measures of Shift-JIS text.
#pragma once

#include <QByteArray>
#include <QString>

namespace tovrel {

// Bytes that do not decode become U+FFFD; decoding never fails. *whole (when given) tells whether
// every byte decoded.
QString Cp932Decode(const QByteArray& bytes, bool* whole = nullptr);
// The same written at out, which has room for one unit per byte (a file decoded line by line into
// one buffer); returns the units written.
qsizetype Cp932DecodeTo(QByteArrayView bytes, char16_t* out, bool* whole = nullptr);

// A character that code page 932 cannot encode is written as "?".
QByteArray Cp932Encode(const QString& text);
// The same bytes, appended.
void Cp932Append(QByteArray& out, QStringView text);
// The same bytes written at o, which has room for two bytes per UTF-16 unit; returns their end.
char* Cp932Write(char* o, QStringView text);

// Whether every character of the text has its own code in code page 932 (none would become "?").
bool Cp932CanEncode(const QString& text);

// Whether the bytes start with the byte-order mark of UTF-16 (either order) or UTF-8.
bool StartsWithByteOrderMark(const QByteArray& bytes);

// The text of a data file: UTF-16 (either byte order) or UTF-8 when the file starts with their
// byte-order mark, code page 932 otherwise. *whole (when given) becomes false when some bytes could
// not be read as characters or a character could not be written back in code page 932, that is when
// writing the text back would lose something.
QString DecodeDataText(const QByteArray& bytes, bool* whole = nullptr);

// Bytes one character takes in code page 932 (1 or 2; an unencodable character counts as its "?").
int Cp932CharBytes(char32_t ch);

// Length of the text in code page 932 bytes.
int Cp932Length(QStringView text);

// The longest leading part of the text that fits in the given number of bytes; a double-byte
// character that would be split is left out.
QString Cp932Left(const QString& text, int bytes);

// The longest trailing part of the text that fits in the given number of bytes.
QString Cp932Right(const QString& text, int bytes);

}  // namespace tovrel
