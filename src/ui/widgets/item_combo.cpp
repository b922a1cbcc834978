#include "ui/widgets/item_combo.h"

#include "calc/entry_rules.h"

#include <QComboBox>

namespace tovrel {

void RefillCombo(QComboBox* combo, const QStringList& names) {
    const QString typed = combo->currentText();
    combo->clear();
    combo->addItems(ComboItems(names));
    combo->setCurrentIndex(-1);
    combo->setEditText(typed);
}

}  // namespace tovrel
