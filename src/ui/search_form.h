// The search conditions dialog: what the main list is narrowed to.
#pragma once

#include "data/record_search.h"
#include "ui/widgets/form_dialog.h"

#include <QDate>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace tovrel {

class Logbook;

class TSearchForm : public FormDialog {
    Q_OBJECT

public:
    explicit TSearchForm(Logbook& book, QWidget* parent = nullptr);

    // The conditions as the controls hold them (the dates as the pickers show them).
    SearchConditions Conditions() const;
    void SetConditions(const SearchConditions& conditions);
    // "検索条件初期化".
    void ClearConditionsClicked();

    // The day the empty end date stands for; tests replace it.
    QDate today = QDate::currentDate();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void RefillCombos();

    Logbook& m_book;
    QCheckBox* m_mivraCheck = nullptr;
    QCheckBox* m_mainteCheck = nullptr;
    QCheckBox* m_noneHeikinCheck = nullptr;
    QDateEdit* m_startDate = nullptr;
    QDateEdit* m_endDate = nullptr;
    QComboBox* m_weatherCombo = nullptr;
    QComboBox* m_gasSelCombo = nullptr;
    QComboBox* m_standCombo = nullptr;
    QComboBox* m_patternCombo = nullptr;
    QComboBox* m_mainteCombo = nullptr;
    QComboBox* m_shopCombo = nullptr;
    QLineEdit* m_memoEdit = nullptr;
    QCheckBox* m_gasSelShiftCheck = nullptr;
    QCheckBox* m_standShiftCheck = nullptr;
    QPushButton* m_okButton = nullptr;
};

// A date picker with the program's date form, yyyy/mm/dd.
QDateEdit* NewDatePicker(const QString& name);
// The picker's date as text, and a date text (when it names a real date) into the picker.
QString DatePickerText(const QDateEdit* picker);
void SetDatePickerText(QDateEdit* picker, const QString& text);

}  // namespace tovrel
