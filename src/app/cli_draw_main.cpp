// tovrel-cli-draw: graph and pdf of tovrel-cli, which starts this program for them.
#include "app/cli.h"
#include "ui/widgets/app_setup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // Pictures are drawn without a screen, whatever display there is. QApplication gets the program
    // name only: it would take options such as --reverse for itself.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int appArgc = 1;
    QApplication app(appArgc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quendra"));
    QCoreApplication::setApplicationName(QStringLiteral("Mivra"));
    tovrel::RegisterFontSubstitutes();
    return tovrel::RunCli(arguments, tovrel::RunDrawCommand);
}
