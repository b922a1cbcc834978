// The combo boxes that offer an item list (weather, fuel type, station, ...).
#pragma once

#include <QStringList>

class QComboBox;

namespace tovrel {

// Fills the combo with the entries of an item list, keeping what was typed.
void RefillCombo(QComboBox* combo, const QStringList& names);

}  // namespace tovrel
