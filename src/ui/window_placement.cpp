#include "ui/window_placement.h"

#include "settings/window_state.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tovrel {

QSize VirtualScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualGeometry().size() : QSize(1024, 768);
}

void RestoreWindowPlacement(QWidget* window, const SettingsStore& store, const QString& name, bool withSize) {
    if (withSize) {
        const QSize size = LoadWindowSize(store, name, window->size());
        const QSize screen = VirtualScreenSize();
        // A stored size larger than the desktop would put the window's controls out of reach.
        window->resize(std::min(size.width(), screen.width()), std::min(size.height(), screen.height()));
    }
    window->move(LoadWindowPosition(store, name, window->frameGeometry().size(), VirtualScreenSize()));
}

void SaveWindowPlacement(const QWidget* window, SettingsStore& store, const QString& name, bool withSize) {
    SaveWindowPosition(store, name, window->pos());
    if (withSize) SaveWindowSize(store, name, window->size());
    store.Sync();
}

void CenterOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

}  // namespace tovrel
