#include "app/cli.h"
#include "ui/widgets/app_setup.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

int main(int argc, char** argv) {
    // Only the report needs fonts, and with them a (windowless) GUI application.
    bool drawing = false;
    for (int i = 1; i < argc; ++i)
        drawing |= qstrcmp(argv[i], "pdf") == 0;
    std::unique_ptr<QCoreApplication> app;
    if (drawing) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
        tovrel::RegisterFontSubstitutes();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setOrganizationName(QStringLiteral("Quendra"));
    QCoreApplication::setApplicationName(QStringLiteral("Mivra"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return tovrel::RunCli(arguments);
}
