// Every window's position (and most windows' size) remembered in the settings store under its name.
#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace tovrel {

class SettingsStore;

// The virtual desktop (all screens).
QSize VirtualScreenSize();

void RestoreWindowPlacement(QWidget* window, const SettingsStore& store, const QString& name, bool withSize);
void SaveWindowPlacement(const QWidget* window, SettingsStore& store, const QString& name, bool withSize);

// Centres the window on its screen's work area (dialogs that are placed anew at every showing).
void CenterOnScreen(QWidget* window);

}  // namespace tovrel
