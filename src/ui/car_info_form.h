// The car information dialog: name, maker, plate, dates, delivery odometer, target economy, the
// maintenance done at delivery and the free memo of the current car.
#pragma once

#include "data/car_info.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tovrel {

class FieldRules;
class Logbook;

class TCarInfoForm : public QDialog {
    Q_OBJECT

public:
    explicit TCarInfoForm(Logbook& book, QWidget* parent = nullptr);
    ~TCarInfoForm() override;

    // Whether the memo was found unreadable at this showing (then it is shown but never stored).
    bool MemoLocked() const { return m_memoLocked; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void FillCheckList();
    void FormShow();
    void ShowMemoProblem();
    void OkButtonClick();
    CarInfo ReadControls() const;

    bool IsNumberField(const QObject* widget) const;
    bool IsDateField(const QObject* widget) const;
    int DecimalsOf(const QObject* widget) const;
    void EnterField(QWidget* field);
    void LeaveField(QWidget* field);
    void FlushEnteredField();
    void ReportPendingDate();
    void ReportBadDate(QLineEdit* field);

    Logbook& m_book;
    FieldRules* m_fields = nullptr;
    QPointer<QLineEdit> m_pendingDate;
    bool m_memoLocked = false;
    QString m_memoProblem;

    QLineEdit* m_myCarNameEdit = nullptr;
    QLineEdit* m_makerEdit = nullptr;
    QLineEdit* m_numberEdit = nullptr;
    QLineEdit* m_tourokuDateMaskEdit = nullptr;
    QLineEdit* m_nousyaDateMaskEdit = nullptr;
    QLineEdit* m_nousyaRunMemo = nullptr;
    QLabel* m_runUnitLabel = nullptr;
    QLineEdit* m_mokuhyoMivraMemo = nullptr;
    QListWidget* m_mainteCheckListBox = nullptr;
    QPlainTextEdit* m_carMemoRichEdit = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

}  // namespace tovrel
