#include "settings/settings.h"
#include "settings/settings_store.h"
#include "ui/main_window.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/single_instance.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tovrel::SetUpApplication(app);

    // A second copy asks the first to come forward and ends before reading any data.
    tovrel::SingleInstanceGuard guard;
    if (!guard.TryBecomePrimary()) return 0;

    tovrel::MessageBox::Install();
    tovrel::QSettingsStore store;
    tovrel::Settings settings;
    tovrel::TMivraMainForm mainForm(settings, store);
    QObject::connect(&guard, &tovrel::SingleInstanceGuard::activationRequested, &mainForm, [&mainForm] {
        if (mainForm.isMinimized()) mainForm.showNormal();
        mainForm.raise();
        mainForm.activateWindow();
    });
    mainForm.show();
    return app.exec();
}
