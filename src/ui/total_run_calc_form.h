// The odometer recalculation dialog. It lives for the whole run, so its choices stay as last set.
#pragma once

#include "calc/odometer_recalc.h"
#include "ui/widgets/form_dialog.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tovrel {

class Logbook;

class TTotalRunCalcForm : public FormDialog {
    Q_OBJECT

public:
    explicit TTotalRunCalcForm(Logbook& book, QWidget* parent = nullptr);

    // Shows the dialog modally for records first..last; Accepted when the readings were recalculated.
    int Exec(int first, int last);
    OdometerOptions Options() const;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Logbook& m_book;
    int m_first = 1;
    int m_last = 1;
    QLabel* m_cautionLabel = nullptr;
    QRadioButton* m_forwardRadio = nullptr;
    QRadioButton* m_backwardRadio = nullptr;
    QCheckBox* m_overWriteCheck = nullptr;
    QCheckBox* m_mainteWriteCheck = nullptr;
    QPushButton* m_okButton = nullptr;
};

}  // namespace tovrel
