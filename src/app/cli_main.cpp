#include "app/cli.h"
#include "ui/widgets/app_setup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

namespace {

void SetNames() {
    QCoreApplication::setOrganizationName(QStringLiteral("Quendra"));
    QCoreApplication::setApplicationName(QStringLiteral("Mivra"));
}

}  // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (tovrel::CliNeedsWidgets(arguments)) {
        // Pictures are drawn without a screen, whatever display there is. QApplication gets the
        // program name only: it would take options such as --reverse for itself.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        int appArgc = 1;
        QApplication app(appArgc, argv);
        SetNames();
        tovrel::RegisterFontSubstitutes();
        return tovrel::RunCli(arguments);
    }
    QCoreApplication app(argc, argv);
    SetNames();
    arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return tovrel::RunCli(arguments);
}
