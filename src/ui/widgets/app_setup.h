// Application-wide set-up: names, Japanese standard dialogs, font substitutes, icon, hints.
#pragma once

#include <QString>

class QApplication;
class QWidget;

namespace tovrel {

// Hints (tool tips) stay this long. Qt has no global setting for it, so every window sets its
// hints with SetHint.
constexpr int HintDurationMs = 10000;

void SetUpApplication(QApplication& app);
// The program icon of every window. It decodes every size of the icon at once (QIcon reads each
// file it is given), so the main window sets it after its first paint.
void SetProgramWindowIcon();

// The Windows font names kept in the settings ("ＭＳ ゴシック", ...) resolve to the IPA fonts.
// SetUpApplication does this too; separate for programs that draw without windows.
void RegisterFontSubstitutes();

// Gives the widget the hint text, shown for HintDurationMs. "\r\n" line breaks become "\n".
void SetHint(QWidget* widget, const QString& text);

}  // namespace tovrel
