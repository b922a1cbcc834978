// Switching the input method of a control on and off.
#pragma once

class QWidget;

namespace tovrel {

// Qt cannot switch an input method's conversion mode, so "closed" means the control takes no
// input-method text until it is opened again.
void SetImeOpen(QWidget* widget, bool open);

}  // namespace tovrel
