// The combined-fill dialog: one economy for several refuellings that together filled the tank.
#pragma once

#include "calc/combined_fill.h"
#include "ui/widgets/form_dialog.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tovrel {

class Logbook;

class TAllMivraForm : public FormDialog {
    Q_OBJECT

public:
    explicit TAllMivraForm(Logbook& book, QWidget* parent = nullptr);
    ~TAllMivraForm() override;

    // Fills the dialog for records first..last of the list; tells the user when it cannot compute.
    void Open(int first, int last);
    // Open, then shows the dialog modally; Accepted when the records were written.
    int Exec(int first, int last);

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* NewField(const QString& name, bool editable);
    void WriteFields();
    void LeaveEnteredField();
    QLineEdit* Edit(FillField field) const;

    Logbook& m_book;
    std::unique_ptr<CombinedFill> m_fill;
    QLineEdit* m_entered = nullptr;
    QLabel* m_cautionLabel = nullptr;
    QLineEdit* m_runMemo = nullptr;
    QLineEdit* m_totalRunMemo = nullptr;
    QLineEdit* m_gasMemo = nullptr;
    QLineEdit* m_mivraMemo = nullptr;
    QLineEdit* m_costMemo = nullptr;
    QLabel* m_kmLabel = nullptr;
    QLabel* m_totalKmLabel = nullptr;
    QLabel* m_lLabel = nullptr;
    QLabel* m_kmLLabel = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

}  // namespace tovrel
