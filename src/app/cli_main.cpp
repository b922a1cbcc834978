#include "app/cli.h"

#include <QApplication>
#include <QCoreApplication>

#include <memory>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    std::unique_ptr<QCoreApplication> app;
    if (tovrel::CliNeedsWidgets(arguments)) {
        // Pictures are drawn without a screen, whatever display there is.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setOrganizationName(QStringLiteral("Quendra"));
    QCoreApplication::setApplicationName(QStringLiteral("Mivra"));
    arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return tovrel::RunCli(arguments);
}
