// The fuel entry dialog: one record typed in, changed, confirmed for deletion or looked at.
#pragma once

#include "base/prompter.h"
#include "calc/entry_rules.h"
#include "data/fuel_record.h"

#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSplitter;
class QStatusBar;

namespace tovrel {

class FieldRules;
class Logbook;

class TMivraInputForm : public QDialog {
    Q_OBJECT

public:
    enum Mode { EditMode = 0, NewMode = 1, DeleteMode = 2, ViewMode = 3 };

    explicit TMivraInputForm(Logbook& book, QWidget* parent = nullptr);
    ~TMivraInputForm() override;

    void SetMode(Mode mode);
    Mode CurrentMode() const { return m_mode; }
    void SetRecordIndex(int index);
    int RecordIndex() const { return m_recordIndex; }
    // Fills the controls; the showing steps run when the dialog is shown.
    void LoadRecord(const FuelRecord& record);
    // The record as the controls hold it; after OK, the record as stored.
    FuelRecord TakeRecord() const;
    // Whether Ctrl was held when OK was pressed (continuous entry of new records).
    bool CtrlHeldAtOk() const { return m_ctrlAtOk; }
    // The date a new record starts with.
    void SetLastDate(const QString& date) { m_lastDate = date; }
    QString LastDate() const { return m_lastDate; }

    // Prev/next: the main list selects and shows that row.
    std::function<void(int row)> selectListRow;
    // Called after the dialog itself stored a record in the table (prev/next answered Yes).
    std::function<void()> recordsChanged;
    // "名称設定...": opens the settings dialog on its names page, true on OK. Null disables the button.
    std::function<bool()> openNameSettings;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();

    // Showing steps, run at every show and after each prev/next step.
    void PrepareShow();
    void RefillCombos();
    void ApplyModeControls();
    void ApplyKindEnabling();
    void ShowStatus();
    void SetKindRadios();
    void FocusFirstControl();

    void WriteRecord(const FuelRecord& record);
    FuelRecord ReadRecord() const;
    EntryFigures ReadFigures() const;
    void WriteFigures(const EntryFigures& figures);

    // Field entry and exit.
    void EnterField(QWidget* field);
    void LeaveField(QWidget* field);
    // Runs the exit rules of the entered field as if it were left; returns that field.
    QWidget* FlushEnteredField();
    // Enters the field again when it still has the focus (the dialog stays open after a flush).
    void ReenterField(QWidget* field);
    // Gives the field the focus and runs its entry rules.
    void FocusField(QWidget* field);
    bool IsField(const QObject* widget) const;
    void LeaveNumber(QLineEdit* edit, int decimals);
    // Normalise the date or time when valid; false for a value that must be refused.
    bool CheckDate();
    bool CheckTime();
    // The refusal message of the date or time field, then the focus back on it.
    void ReportBadField(QWidget* field);
    void ScheduleReport(QWidget* field);
    void ReportPendingCheck();
    bool IsSingleLineNumber(const QObject* widget) const;

    // Computations.
    void RunEconomyStep();
    void RunPriceComputation();
    void RunDistanceComputation();
    void UpdateEconomyColor();
    int TankaDecimalCount() const;
    int RunCalcSelect() const;

    // Buttons and choices.
    void KindClicked(quint8 kind);
    void SwitchKind(quint8 kind);
    void MainteAddClicked();
    void RecalcClicked();
    void NameSettingsClicked();
    void OkClicked();
    void StepRecord(int delta);
    // OK's work on the controls; false when the date or time must be corrected first.
    bool PerformOk();
    // Asks about unsaved changes: Yes, No or Cancel; No when nothing changed.
    PromptAnswer AskToSave();

    Logbook& m_book;
    Mode m_mode = EditMode;
    int m_recordIndex = 1;
    quint8 m_kind = KindFuel;
    FuelRecord m_snapshot;
    FieldRules* m_fields = nullptr;
    QString m_entryText;
    QWidget* m_pendingCheck = nullptr;
    bool m_live = false;
    bool m_tankaZeroed = false;
    bool m_ctrlAtOk = false;
    QString m_lastDate;

    QLineEdit* m_dateEdit = nullptr;
    QLineEdit* m_youbiEdit = nullptr;
    QLabel* m_timeLabel = nullptr;
    QLineEdit* m_timeEdit = nullptr;
    QLabel* m_weatherLabel = nullptr;
    QComboBox* m_weatherCombo = nullptr;
    QRadioButton* m_fuelRadio = nullptr;
    QRadioButton* m_mainteRadio = nullptr;
    QGroupBox* m_dataGroup = nullptr;
    QLineEdit* m_runMemo = nullptr;
    QLineEdit* m_totalRunMemo = nullptr;
    QLineEdit* m_gasMemo = nullptr;
    QLineEdit* m_mivraMemo = nullptr;
    QLineEdit* m_costMemo = nullptr;
    QLineEdit* m_tankaMemo = nullptr;
    QLabel* m_runUnit = nullptr;
    QLabel* m_totalRunUnit = nullptr;
    QLabel* m_gasUnit = nullptr;
    QLabel* m_mivraUnit = nullptr;
    QComboBox* m_gasSelCombo = nullptr;
    QComboBox* m_standCombo = nullptr;
    QComboBox* m_patternCombo = nullptr;
    QComboBox* m_shopCombo = nullptr;
    QCheckBox* m_noneHeikinCheck = nullptr;
    QComboBox* m_mainteCombo = nullptr;
    QLineEdit* m_mainteTankaMemo = nullptr;
    QPushButton* m_mainteAddButton = nullptr;
    QSplitter* m_splitter = nullptr;
    QGroupBox* m_mainteGroup = nullptr;
    QPlainTextEdit* m_mainteListMemo = nullptr;
    QGroupBox* m_memoGroup = nullptr;
    QPlainTextEdit* m_memoMemo = nullptr;
    QCheckBox* m_memoGraphCheck = nullptr;
    QPushButton* m_prevButton = nullptr;
    QPushButton* m_nextButton = nullptr;
    QPushButton* m_nameButton = nullptr;
    QPushButton* m_recalcButton = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QStatusBar* m_statusBar = nullptr;
    int m_mainteHeight = 78;
};

}  // namespace tovrel
