#include "ui/widgets/field_rules.h"

#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace tovrel {

FieldRules::FieldRules(QDialog* dialog, Hooks hooks)
    : QObject(dialog), m_dialog(dialog), m_hooks(std::move(hooks)) {}

void FieldRules::WatchControls() {
    for (QWidget* child : m_dialog->findChildren<QWidget*>()) {
        if (child->window() == m_dialog) child->installEventFilter(this);
    }
}

QWidget* FieldRules::LeaveEntered() {
    QWidget* field = m_entered;
    m_entered = nullptr;
    if (field) m_hooks.leave(field);
    return field;
}

void FieldRules::Reenter(QWidget* field) {
    if (field && m_hooks.hasRules(field) && field->hasFocus() && !m_entered) {
        m_entered = field;
        m_hooks.enter(field);
    }
}

void FieldRules::Focus(QWidget* field) {
    field->setFocus(Qt::OtherFocusReason);
    // Focus given to a hidden or inactive window arrives later, as window activation.
    if (m_hooks.hasRules(field) && m_entered != field && (field->hasFocus() || !m_dialog->isActiveWindow())) {
        m_entered = field;
        m_hooks.enter(field);
    }
}

bool FieldRules::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            if (m_hooks.hasRules(watched) && m_entered != watched) {
                m_entered = static_cast<QWidget*>(watched);
                m_hooks.enter(m_entered);
            }
            break;
        case QEvent::FocusOut: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // Another window coming forward (a message box, a combo list) does not leave the field.
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
            if (watched == m_entered) LeaveEntered();
            break;
        }
        case QEvent::KeyPress: {
            if (watched != QApplication::focusWidget()) break;
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                if (m_hooks.isMultiLine(watched)) break;
                if (qobject_cast<QPushButton*>(watched)) break;  // a focused button takes Enter as a click
                if (key->modifiers().testFlag(Qt::ControlModifier) && m_hooks.isNumber(watched)) return true;
                m_hooks.move(!key->modifiers().testFlag(Qt::ShiftModifier));
                return true;
            }
            if (key->key() == Qt::Key_Home && key->modifiers() == Qt::NoModifier &&
                m_hooks.isMasked(watched)) {
                static_cast<QLineEdit*>(watched)->clear();
                return true;
            }
            break;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tovrel
