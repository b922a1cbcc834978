#include "app/cli.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

void SetNames() {
    QCoreApplication::setOrganizationName(QStringLiteral("Quendra"));
    QCoreApplication::setApplicationName(QStringLiteral("Mivra"));
}

// Beside this program in the build, in libexec once installed.
QString DrawProgram() {
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& path : {here.filePath(QStringLiteral("tovrel-cli-draw")),
                                here.filePath(QStringLiteral("../libexec/tovrel/tovrel-cli-draw"))}) {
        if (QFileInfo(path).isExecutable()) return QDir::cleanPath(path);
    }
    return QString();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetNames();
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (tovrel::CliNeedsWidgets(arguments)) {
        // The drawing program takes the same command line and answers for itself.
        const QString program = DrawProgram();
        if (program.isEmpty()) {
            std::fputs("tovrel-cli: tovrel-cli-draw is not installed beside tovrel-cli\n", stderr);
            return tovrel::cli::kExitFile;
        }
        const QByteArray path = QFile::encodeName(program);
        argv[0] = const_cast<char*>(path.constData());
        std::fflush(stdout);
        execv(path.constData(), argv);
        std::fprintf(stderr, "tovrel-cli: cannot run %s: %s\n", path.constData(), std::strerror(errno));
        return tovrel::cli::kExitFile;
    }
    return tovrel::RunCli(arguments);
}
