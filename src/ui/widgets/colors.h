// Stored colour values (0x00BBGGRR; the top bit set names a system colour) and QColor.
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace tovrel {

constexpr quint32 SystemColorFlag = 0x80000000u;
constexpr quint32 WindowTextColor = 0x80000008u;
constexpr quint32 HighlightColor3D = 0x80000014u;
constexpr quint32 RedColorValue = 0x0000FF;
constexpr quint32 BlueColorValue = 0xFF0000;

// Values arrive as stored: an int holding 0x80000008 (negative) converts to the same bits.
bool IsSystemColor(quint32 value);
// A system colour is taken from the palette (the application's by default).
QColor ColorFromValue(quint32 value);
QColor ColorFromValue(quint32 value, const QPalette& palette);
// As ColorFromValue, but 0 gives an invalid QColor: the caller's "no colour, use the standard one".
QColor OptionalColor(quint32 value);
// 0x00BBGGRR of the colour's RGB; an invalid colour gives 0.
quint32 ValueFromColor(const QColor& color);

// The text colour of an edit; a null colour gives the widget its inherited palette back.
void SetTextColor(QWidget* widget, const QColor& color);

}  // namespace tovrel
