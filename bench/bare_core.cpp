// The whole-process time the machine allows a command-line program on Qt: the application object
// with its names, one line out.
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quendra"));
    QCoreApplication::setApplicationName(QStringLiteral("Mivra"));
    std::puts("ok");
    return 0;
}
