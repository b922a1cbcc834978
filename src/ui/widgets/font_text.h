// Fonts given as name, point size and style bits (bold 1, italic 2, underline 4, strike-out 8).
#pragma once

#include <QFont>
#include <QString>

class QLineEdit;
class QWidget;

namespace tovrel {

enum FontStyleBit { FontBold = 1, FontItalic = 2, FontUnderline = 4, FontStrikeOut = 8 };

QFont ListFont(const QString& name, int size, int style);
int FontStyleBits(const QFont& font);

// The edit gets the font and the text name + "  " + size + "ﾎﾟｲﾝﾄ".
void ShowFontText(QLineEdit* edit, const QString& name, int size, int style);

// Opens the font dialog on the given font; on OK stores the choice and returns true. The stored
// name is kept when the chosen family is the one it already resolves to. fixedPitchOnly lists
// fixed-pitch families only when the starting font is flagged as one.
bool ChooseFont(QWidget* parent, QString& name, int& size, int& style, bool fixedPitchOnly);

}  // namespace tovrel
