#include "ui/widgets/font_text.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>

namespace tovrel {

QFont ListFont(const QString& name, int size, int style) {
    QFont font(name);
    if (size > 0) font.setPointSize(size);
    font.setBold(style & FontBold);
    font.setItalic(style & FontItalic);
    font.setUnderline(style & FontUnderline);
    font.setStrikeOut(style & FontStrikeOut);
    return font;
}

int FontStyleBits(const QFont& font) {
    return (font.bold() ? FontBold : 0) | (font.italic() ? FontItalic : 0) |
           (font.underline() ? FontUnderline : 0) | (font.strikeOut() ? FontStrikeOut : 0);
}

void ShowFontText(QLineEdit* edit, const QString& name, int size, int style) {
    edit->setFont(ListFont(name, size, style));
    edit->setText(name + QStringLiteral("  ") + QString::number(size) + QStringLiteral("ﾎﾟｲﾝﾄ"));
}

bool ChooseFont(QWidget* parent, QString& name, int& size, int& style, bool fixedPitchOnly) {
    // The dialog lists real families, so start it on the one the stored name resolves to.
    QFont initial = ListFont(name, size, style);
    const QString resolved = QFontInfo(initial).family();
    initial.setFamily(resolved);

    // The IPA gothic fonts that stand in for the Windows ones are not flagged fixed-pitch, although
    // their half-width letters are; filtering would hide the very font the list starts with.
    QFontDialog::FontDialogOptions options;
    if (fixedPitchOnly && QFontDatabase::isFixedPitch(resolved)) options |= QFontDialog::MonospacedFonts;
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parent, QString(), options);
    if (!ok) return false;

    if (chosen.family() != resolved) name = chosen.family();
    if (chosen.pointSize() > 0) size = chosen.pointSize();
    style = FontStyleBits(chosen);
    return true;
}

}  // namespace tovrel
