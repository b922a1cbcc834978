// Code page 932 at the file boundary: decoding, encoding and byte measures of Shift-JIS text.
#pragma once

#include <QByteArray>
#include <QString>

namespace tovrel {

// Bytes that do not decode become U+FFFD; decoding never fails.
QString Cp932Decode(const QByteArray& bytes);

// A character that code page 932 cannot encode is written as "?".
QByteArray Cp932Encode(const QString& text);

// Bytes one character takes in code page 932 (1 or 2; an unencodable character counts as its "?").
int Cp932CharBytes(char32_t ch);

// Length of the text in code page 932 bytes.
int Cp932Length(const QString& text);

// The longest leading part of the text that fits in the given number of bytes; a double-byte
// character that would be split is left out.
QString Cp932Left(const QString& text, int bytes);

// The longest trailing part of the text that fits in the given number of bytes.
QString Cp932Right(const QString& text, int bytes);

}  // namespace tovrel
