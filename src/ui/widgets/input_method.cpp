#include "ui/widgets/input_method.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QWidget>

namespace tovrel {

void SetImeOpen(QWidget* widget, bool open) {
    widget->setAttribute(Qt::WA_InputMethodEnabled, open);
    if (widget->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

}  // namespace tovrel
