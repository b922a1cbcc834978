// What the small modal dialogs share: Enter and Shift+Enter move between the controls, F1 opens
// their help topic, and their position is remembered under their class name.
#pragma once

#include <QDialog>
#include <QString>

namespace tovrel {

class SettingsStore;

class FormDialog : public QDialog {
    Q_OBJECT

public:
    FormDialog(SettingsStore& store, const QString& className, int helpContext, QWidget* parent);
    ~FormDialog() override;

    void ShowHelpTopic();

protected:
    // Run at the end of the subclass's constructor, once every control is in place.
    void FinishControls();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SettingsStore& m_store;
    QString m_className;
    int m_helpContext;
};

}  // namespace tovrel
