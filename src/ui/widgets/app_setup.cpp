#include "ui/widgets/app_setup.h"

#include "ui/widgets/icons.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>

namespace tovrel {

void SetUpApplication(QApplication& app) {
    QApplication::setOrganizationName(QStringLiteral("Quendra"));
    QApplication::setApplicationName(QStringLiteral("Mivra"));
    // No application display name: Qt would append it to every window and message-box caption.

    // Japanese buttons and texts in Qt's own message boxes and standard dialogs.
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    } else {
        delete translator;
    }

    RegisterFontSubstitutes();
}

void SetProgramWindowIcon() {
    QApplication::setWindowIcon(ProgramIcon());
}

void RegisterFontSubstitutes() {
    // Nothing on the system answers to the stored names.
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ＵＩ ゴシック"), QStringLiteral("IPAPGothic"));
}

void SetHint(QWidget* widget, const QString& text) {
    QString hint = text;
    hint.remove(QLatin1Char('\r'));
    widget->setToolTip(hint);
    widget->setToolTipDuration(HintDurationMs);
}

}  // namespace tovrel
