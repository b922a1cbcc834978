#include "ui/widgets/form_dialog.h"

#include "ui/widgets/help.h"
#include "ui/window_placement.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace tovrel {

FormDialog::FormDialog(SettingsStore& store, const QString& className, int helpContext, QWidget* parent)
    : QDialog(parent), m_store(store), m_className(className), m_helpContext(helpContext) {
    setObjectName(className);
    setModal(true);
    auto* help = new QAction(this);
    help->setShortcut(QKeySequence(Qt::Key_F1));
    connect(help, &QAction::triggered, this, &FormDialog::ShowHelpTopic);
    addAction(help);
}

FormDialog::~FormDialog() {
    SaveWindowPlacement(this, m_store, m_className, false);
}

void FormDialog::ShowHelpTopic() {
    OpenHelp(m_helpContext);
}

void FormDialog::FinishControls() {
    // Not the lists of the combo boxes: they are windows of their own and take Enter themselves.
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->window() == this) child->installEventFilter(this);
    }
    adjustSize();
    RestoreWindowPlacement(this, m_store, m_className, false);
}

bool FormDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // A focused button takes Enter as a click.
        if (enter && !qobject_cast<QPushButton*>(watched)) {
            focusNextPrevChild(!key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tovrel
