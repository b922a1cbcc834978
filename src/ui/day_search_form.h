// The date jump dialog: a date picker whose day the main list jumps to.
#pragma once

#include "ui/widgets/form_dialog.h"

#include <QDate>

class QDateEdit;

namespace tovrel {

class SettingsStore;

class TDaySearchForm : public FormDialog {
    Q_OBJECT

public:
    explicit TDaySearchForm(SettingsStore& store, QWidget* parent = nullptr);

    // The picker starts on the day the program started and keeps the last date chosen.
    void SetDay(const QDate& day);
    QString DayText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QDateEdit* m_picker = nullptr;
};

}  // namespace tovrel
