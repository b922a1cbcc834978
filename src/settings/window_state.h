// Window placement, grid cell colours and the entry dialog's panel height in the settings store.
#pragma once

#include "settings/settings_store.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QVector>

namespace tovrel {

// Position/Top.<name> and Left.<name>; a missing value or one within 50 pixels of the screen's far
// edge (or beyond) centres the window on that axis. Returns QPoint(left, top).
QPoint LoadWindowPosition(const SettingsStore& store, const QString& name, QSize windowSize,
                          QSize screenSize);
void SaveWindowPosition(SettingsStore& store, const QString& name, QPoint topLeft);

// Position/Height.<name> and Width.<name>, defaulting to the current size.
QSize LoadWindowSize(const SettingsStore& store, const QString& name, QSize current);
void SaveWindowSize(SettingsStore& store, const QString& name, QSize size);

// SGridColor/00.<grid> .. <lastIndex>.<grid>; 0 (missing) is the standard background.
QVector<quint32> LoadGridColors(const SettingsStore& store, const QString& gridName, int lastIndex);
void SaveGridColors(SettingsStore& store, const QString& gridName, const QVector<quint32>& colors);

// Position/MainteHeight: the maintenance panel of the entry dialog, 78 by default.
int LoadMainteHeight(const SettingsStore& store);
void SaveMainteHeight(SettingsStore& store, int height);

}  // namespace tovrel
