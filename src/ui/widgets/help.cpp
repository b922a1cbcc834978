#include "ui/widgets/help.h"

#include "ui/help_form.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QTextBrowser>
#include <QTimer>

// Outside the namespace, as the resource's registration function is.
static void InitHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace tovrel {

namespace {

struct Topic {
    int context;
    const char* page;
};

constexpr Topic kTopics[] = {
    {HelpContents, "index.html"},
    {HelpAbout, "about.html"},
    {HelpMainList, "main_window.html"},
    {HelpEntry, "entry.html"},
    {HelpCarInfo, "car_info.html"},
    {HelpSearchConditions, "search.html"},
    {HelpDateJump, "jump.html"},
    {HelpPeriodTotals, "period_totals.html"},
    {HelpCategoryTotals, "category_totals.html"},
    {HelpTrendGraph, "graph.html"},
    {HelpGraphPrint, "graph_print.html"},
    {HelpOdometerRecalc, "odometer.html"},
    {HelpCombinedFill, "combined_fill.html"},
    {HelpMaintenanceDue, "maintenance_due.html"},
    {HelpWarnings, "warnings.html"},
    {HelpWarningNames, "warning_names.html"},
    {HelpSettings, "settings.html"},
    {HelpSettingNames, "settings_names.html"},
    {HelpSettingMainte, "settings_maintenance.html"},
    {HelpSettingGraph, "settings_graph.html"},
    {HelpSettingPrint, "settings_print.html"},
    {HelpPrintSettings, "print_settings.html"},
    {HelpSettingDisplay, "settings_display.html"},
    {HelpListFont, "font.html"},
    {HelpSettingCalc, "settings_calc.html"},
    {HelpImport, "import.html"},
    {HelpPreview, "preview.html"},
};

QPointer<THelpForm>& Viewer() {
    static QPointer<THelpForm> viewer;
    return viewer;
}

SettingsStore*& Store() {
    static SettingsStore* store = nullptr;
    return store;
}

// A modal dialog blocks every window but its own children, so the help is made a child of the modal
// dialog it is opened from, and is handed on to the next modal dialog, or stands alone, once that
// dialog closes; a help window left inside a closed dialog could not be used.
void Reparent(QWidget* parent);

class ModalWatch : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && Viewer() && Viewer()->parentWidget() == watched) {
            // The modal stack is up to date only once the dialog has finished closing.
            QTimer::singleShot(0, Viewer().data(), [] {
                QWidget* modal = QApplication::activeModalWidget();
                if (Viewer() && Viewer()->parentWidget() != modal) Reparent(modal);
            });
        }
        return false;
    }
};

void Reparent(QWidget* parent) {
    static ModalWatch watch;
    THelpForm* viewer = Viewer();
    const QRect geometry = viewer->geometry();
    const bool visible = viewer->isVisible();
    viewer->setParent(parent, viewer->windowFlags());
    viewer->setGeometry(geometry);
    if (visible) viewer->show();
    if (parent) parent->installEventFilter(&watch);
}

}  // namespace

QUrl HelpPageUrl(int context) {
    const char* page = kTopics[0].page;
    for (const Topic& topic : kTopics) {
        if (topic.context == context) page = topic.page;
    }
    return QUrl(QStringLiteral("qrc:/help/") + QLatin1String(page));
}

void OpenHelp(int context) {
    static const bool registered = [] {
        InitHelpResources();
        return true;
    }();
    (void)registered;

    QWidget* modal = QApplication::activeModalWidget();
    QPointer<THelpForm>& viewer = Viewer();
    if (!viewer) {
        viewer = new THelpForm(Store(), nullptr);
        if (modal) Reparent(modal);
    } else if (viewer->parentWidget() != modal) {
        Reparent(modal);
    }
    viewer->ShowPage(HelpPageUrl(context));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

void InstallHelpKey(QWidget* window, int context) {
    InstallHelpKey(window, [context] { return context; });
}

void InstallHelpKey(QWidget* window, std::function<int()> context) {
    auto* help = new QAction(window);
    help->setObjectName(QStringLiteral("HelpKeyAction"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(help, &QAction::triggered, window,
                     [context = std::move(context)] { OpenHelp(context()); });
    window->addAction(help);
}

void SetHelpSettingsStore(SettingsStore* store) {
    Store() = store;
}

void CloseHelp() {
    delete Viewer().data();
    Store() = nullptr;
}

QWidget* HelpWindow() {
    return Viewer().data();
}

QUrl HelpSource() {
    return Viewer() ? Viewer()->browser()->source() : QUrl();
}

}  // namespace tovrel
