// The keyboard and field rules of the entry dialogs: Enter and Shift+Enter move between the
// controls (a focused button takes Enter as a click, multi-line fields keep it), Ctrl+Enter puts no
// line break into a number, Home empties a masked date or time, and a field with rules is entered
// when it takes the focus and left when the focus moves on.
#pragma once

#include <QObject>

#include <functional>

class QDialog;
class QWidget;

namespace tovrel {

class FieldRules : public QObject {
public:
    struct Hooks {
        std::function<bool(const QObject*)> hasRules;     // entered and left
        std::function<bool(const QObject*)> isNumber;     // no Ctrl+Enter
        std::function<bool(const QObject*)> isMasked;     // Home empties it
        std::function<bool(const QObject*)> isMultiLine;  // keeps Enter
        std::function<void(QWidget*)> enter;
        std::function<void(QWidget*)> leave;
        std::function<void(bool forward)> move;  // the dialog's own focus step
    };

    FieldRules(QDialog* dialog, Hooks hooks);

    // Watches every control of the dialog (not the lists of its combo boxes: windows of their own).
    void WatchControls();

    QWidget* Entered() const { return m_entered; }
    // Forgets the entered field without its leave rule (a new showing, Cancel).
    void Forget() { m_entered = nullptr; }
    // Leaves the entered field now, as a focus change would; returns it.
    QWidget* LeaveEntered();
    // Enters the field when it has the focus and nothing is entered (after LeaveEntered).
    void Reenter(QWidget* field);
    // Gives the field the focus and enters it, also when the focus only arrives with the window.
    void Focus(QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDialog* m_dialog;
    Hooks m_hooks;
    QWidget* m_entered = nullptr;
};

}  // namespace tovrel
