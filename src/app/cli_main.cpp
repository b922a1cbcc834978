#include "app/cli.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quendra"));
    QCoreApplication::setApplicationName(QStringLiteral("Mivra"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return tovrel::RunCli(arguments);
}
