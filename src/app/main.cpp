#include "base/version.h"
#include "session/data_folder_guard.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "ui/main_window.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/single_instance.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

const char* const kHelp =
    "usage: tovrel [--help] [--version]\n"
    "Tovrel: 燃費・メンテナンス管理ソフトウェア (fuel economy and maintenance logbook)\n"
    "\n"
    "Opens the logbook window on the data folder of the settings. One copy runs per user; a\n"
    "data folder that another Tovrel holds (on this or another computer) opens read-only.\n"
    "Every data file replaced by a save is kept in the folder \"backup\" of the data folder.\n"
    "  --help      this text\n"
    "  --version   the version\n"
    "The companion tovrel-cli exports, prints, lists and restores backups without a window\n"
    "(tovrel-cli --help, man tovrel-cli).\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window system is needed.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tovrel %s\n", TOVREL_VERSION_TEXT);
            return 0;
        }
    }

    QApplication app(argc, argv);
    tovrel::SetUpApplication(app);
    // The installed desktop entry: the desktop shows its name and icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("jp.quendra.Tovrel"));

    // A second copy asks the first to come forward and ends before reading any data.
    tovrel::SingleInstanceGuard guard;
    if (!guard.TryBecomePrimary()) return 0;

    tovrel::MessageBox::Install();
    tovrel::QSettingsStore store;
    tovrel::Settings settings;
    // Holds the data folder for as long as the window lives; the window takes it while starting.
    tovrel::DataFolderGuard folderGuard(settings, true);
    folderGuard.reportBackupFailure = [](const QString& text) {
        // After the save that could not keep its backup has finished.
        QTimer::singleShot(
            0, qApp, [text] { tovrel::MessageBox::ShowWarning(QStringLiteral("バックアップエラー"), text); });
    };
    tovrel::TMivraMainForm mainForm(settings, store);
    QObject::connect(&guard, &tovrel::SingleInstanceGuard::activationRequested, &mainForm, [&mainForm] {
        if (mainForm.isMinimized()) mainForm.showNormal();
        mainForm.raise();
        mainForm.activateWindow();
    });
    mainForm.show();
    return app.exec();
}
