#include "ui/entry_dialog.h"

#include "base/text_utils.h"
#include "calc/economy.h"
#include "session/logbook.h"
#include "settings/window_state.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/colors.h"
#include "ui/widgets/field_rules.h"
#include "ui/widgets/help.h"
#include "ui/widgets/input_method.h"
#include "ui/widgets/item_combo.h"
#include "ui/widgets/message_box.h"
#include "ui/window_placement.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace tovrel {

namespace {

const QString WindowName = QStringLiteral("TMivraInputForm");
const QString InputErrorCaption = QStringLiteral("入力ｴﾗｰ");

void SetTextIfChanged(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
}


}  // namespace

TMivraInputForm::TMivraInputForm(Logbook& book, QWidget* parent) : QDialog(parent), m_book(book) {
    setObjectName(WindowName);
    setWindowTitle(QStringLiteral("燃費ﾃﾞｰﾀ入力"));
    InstallHelpKey(this, HelpEntry);
    setModal(true);
    m_lastDate = DateToText(QDate::currentDate());
    m_mainteHeight = std::max(50, LoadMainteHeight(m_book.store()));
    BuildControls();
    m_fields =
        new FieldRules(this, {[this](const QObject* w) { return IsField(w); },
                              [this](const QObject* w) { return IsSingleLineNumber(w); },
                              [this](const QObject* w) { return w == m_dateEdit || w == m_timeEdit; },
                              [this](const QObject* w) { return w == m_mainteListMemo || w == m_memoMemo; },
                              [this](QWidget* w) { EnterField(w); }, [this](QWidget* w) { LeaveField(w); },
                              [this](bool forward) { focusNextPrevChild(forward); }});
    m_fields->WatchControls();
    RestoreWindowPlacement(this, m_book.store(), WindowName, false);
}

TMivraInputForm::~TMivraInputForm() {
    SaveMainteHeight(m_book.store(), m_mainteHeight);
    SaveWindowPlacement(this, m_book.store(), WindowName, false);
}

void TMivraInputForm::SetMode(Mode mode) {
    m_mode = mode;
}

void TMivraInputForm::SetRecordIndex(int index) {
    m_recordIndex = index;
}

void TMivraInputForm::LoadRecord(const FuelRecord& record) {
    const bool live = m_live;
    m_live = false;
    WriteRecord(record);
    m_live = live;
}

FuelRecord TMivraInputForm::TakeRecord() const {
    return ReadRecord();
}

void TMivraInputForm::WriteRecord(const FuelRecord& record) {
    m_kind = record.kind == KindFuel ? KindFuel : KindMainte;
    SetKindRadios();
    m_dateEdit->setText(record.Day());
    m_timeEdit->setText(record.Time());
    m_weatherCombo->setEditText(record.text[ColWeather]);
    m_runMemo->setText(record.Run());
    m_totalRunMemo->setText(record.TotalRun());
    m_gasMemo->setText(record.Gas());
    m_mivraMemo->setText(record.Economy());
    m_costMemo->setText(record.Cost());
    m_tankaMemo->setText(record.Tanka());
    m_gasSelCombo->setEditText(record.GasSel());
    m_standCombo->setEditText(record.Stand());
    m_patternCombo->setEditText(record.Pattern());
    m_mainteListMemo->setPlainText(FromRecordLines(record.Mainte()));
    m_shopCombo->setEditText(record.Shop());
    m_memoMemo->setPlainText(FromRecordLines(record.Memo()));
    m_noneHeikinCheck->setChecked(record.noneHeikin == 0);
    m_memoGraphCheck->setChecked(record.memoGraph != 0);
    m_mainteCombo->setEditText(QString());
    m_mainteTankaMemo->setText(QStringLiteral("0"));
}

FuelRecord TMivraInputForm::ReadRecord() const {
    FuelRecord r;
    r.kind = m_kind;
    r.text[ColDay] = m_dateEdit->displayText();
    r.text[ColYobi] = m_youbiEdit->text();
    r.text[ColTime] = m_timeEdit->displayText();
    r.text[ColWeather] = m_weatherCombo->currentText();
    r.text[ColRun] = m_runMemo->text();
    r.text[ColTotalRun] = m_totalRunMemo->text();
    r.text[ColGas] = m_gasMemo->text();
    r.text[ColEconomy] = m_mivraMemo->text();
    r.text[ColCost] = m_costMemo->text();
    r.text[ColTanka] = m_tankaMemo->text();
    r.text[ColGasSel] = m_gasSelCombo->currentText();
    r.text[ColStand] = m_standCombo->currentText();
    r.text[ColPattern] = m_patternCombo->currentText();
    r.text[ColMainte] = ToRecordLines(m_mainteListMemo->toPlainText());
    r.text[ColShop] = m_shopCombo->currentText();
    r.text[ColMemo] = ToRecordLines(m_memoMemo->toPlainText());
    r.noneHeikin = m_noneHeikinCheck->isChecked() ? 0 : 1;
    r.memoGraph = m_memoGraphCheck->isChecked() ? 1 : 0;
    return r;
}

EntryFigures TMivraInputForm::ReadFigures() const {
    EntryFigures f;
    f.kind = m_kind;
    f.run = m_runMemo->text();
    f.totalRun = m_totalRunMemo->text();
    f.gas = m_gasMemo->text();
    f.economy = m_mivraMemo->text();
    f.cost = m_costMemo->text();
    f.tanka = m_tankaMemo->text();
    f.gasSel = m_gasSelCombo->currentText();
    return f;
}

void TMivraInputForm::WriteFigures(const EntryFigures& f) {
    SetTextIfChanged(m_runMemo, f.run);
    SetTextIfChanged(m_totalRunMemo, f.totalRun);
    SetTextIfChanged(m_gasMemo, f.gas);
    SetTextIfChanged(m_mivraMemo, f.economy);
    SetTextIfChanged(m_costMemo, f.cost);
    SetTextIfChanged(m_tankaMemo, f.tanka);
}

// ---- Showing ----

void TMivraInputForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) PrepareShow();
}

void TMivraInputForm::PrepareShow() {
    m_live = false;
    m_fields->Forget();
    m_pendingCheck = nullptr;
    m_ctrlAtOk = false;
    const Settings& settings = m_book.settings();

    setWindowTitle(QStringLiteral("燃費ﾃﾞｰﾀ入力 - ") + m_book.CarName() +
                   QStringLiteral(" (No.%1)").arg(m_recordIndex));
    if (m_mode == NewMode) m_kind = KindFuel;
    SetKindRadios();
    const QString distance = m_book.DistanceUnit();
    const QString volume = VolumeUnitLongName(m_book.CarValue(settings.GasTani));
    m_runUnit->setText(distance);
    m_totalRunUnit->setText(distance);
    m_gasUnit->setText(volume);
    m_mivraUnit->setText(distance + QLatin1Char('/') + volume);
    RefillCombos();

    // Without the time, the weather moves into its place (the row closes up).
    m_timeLabel->setVisible(settings.TimeInput);
    m_timeEdit->setVisible(settings.TimeInput);
    m_weatherLabel->setVisible(settings.WeatherInput);
    m_weatherCombo->setVisible(settings.WeatherInput);

    if (m_mode == NewMode) {
        m_dateEdit->setText(m_lastDate);
        m_tankaMemo->setText(settings.LastTankaStr);
        const ItemLists& lists = m_book.book().lists;
        m_weatherCombo->setEditText(DefaultItem(ListNames(lists.Weather)));
        m_gasSelCombo->setEditText(DefaultItem(ListNames(lists.GasSel)));
        m_standCombo->setEditText(DefaultItem(ListNames(lists.Stand)));
        m_patternCombo->setEditText(DefaultItem(ListNames(lists.Pattern)));
        m_mainteCombo->setEditText(DefaultItem(MainteNames(m_book.book().mainte)));
        m_shopCombo->setEditText(DefaultItem(ListNames(lists.Shop)));
        m_tankaZeroed = false;
    }
    ApplyModeControls();
    ApplyKindEnabling();

    CheckDate();
    RunEconomyStep();
    m_totalRunMemo->setText(NormalNumberText(m_totalRunMemo->text(), RunDecimals));
    m_costMemo->setText(NormalNumberText(m_costMemo->text(), CostDecimals));
    m_tankaMemo->setText(NormalNumberText(m_tankaMemo->text(), TankaDecimalCount()));
    m_mainteGroup->setTitle(MainteCaption(m_mainteListMemo->toPlainText()));
    m_memoGroup->setTitle(MemoCaption(m_memoMemo->toPlainText()));
    m_memoMemo->moveCursor(QTextCursor::Start);
    m_mainteListMemo->moveCursor(QTextCursor::Start);
    UpdateEconomyColor();
    m_live = true;
    m_snapshot = ReadRecord();
    ShowStatus();
    FocusFirstControl();
}

void TMivraInputForm::RefillCombos() {
    const bool live = m_live;
    m_live = false;
    const ItemLists& lists = m_book.book().lists;
    RefillCombo(m_weatherCombo, ListNames(lists.Weather));
    RefillCombo(m_gasSelCombo, ListNames(lists.GasSel));
    RefillCombo(m_standCombo, ListNames(lists.Stand));
    RefillCombo(m_patternCombo, ListNames(lists.Pattern));
    RefillCombo(m_mainteCombo, MainteNames(m_book.book().mainte));
    RefillCombo(m_shopCombo, ListNames(lists.Shop));
    m_live = live;
}

void TMivraInputForm::ApplyModeControls() {
    static const QString Captions[] = {QStringLiteral("登録(&R)"), QStringLiteral("登録(&R)"),
                                       QStringLiteral("削除(&D)"), QStringLiteral("確 認")};
    m_okButton->setText(Captions[m_mode]);
    SetHint(m_okButton,
            m_mode == NewMode
                ? QStringLiteral("Ctrlキーを押しながらクリックすると、連続新規ﾃﾞｰﾀ入力ができます。")
                : QString());
    const bool browsing = m_mode == EditMode || m_mode == ViewMode;
    m_prevButton->setVisible(browsing);
    m_nextButton->setVisible(browsing);
    const bool editing = m_mode == EditMode || m_mode == NewMode;
    m_nameButton->setEnabled(editing && openNameSettings != nullptr);
    m_recalcButton->setEnabled(editing);
}

void TMivraInputForm::ApplyKindEnabling() {
    const QList<QWidget*> kindFields = {m_runMemo,      m_totalRunMemo,    m_gasMemo,       m_mivraMemo,
                                        m_costMemo,     m_tankaMemo,       m_gasSelCombo,   m_standCombo,
                                        m_patternCombo, m_noneHeikinCheck, m_memoGraphCheck};
    for (QWidget* field : kindFields)
        field->setEnabled(true);
    for (QLineEdit* field : {m_runMemo, m_totalRunMemo, m_tankaMemo, m_costMemo}) {
        SetTextColor(field, QColor());
        field->setFocusPolicy(Qt::StrongFocus);
    }
    if (m_mode == DeleteMode || m_mode == ViewMode) return;

    if (m_kind == KindFuel) {
        QList<QLineEdit*> derived;
        if (RunCalcSelect() == 1) derived.append(m_totalRunMemo);
        if (RunCalcSelect() == 2) derived.append(m_runMemo);
        if (m_book.settings().TankaCalc == 1) derived.append(m_tankaMemo);
        if (m_book.settings().TankaCalc == 2) derived.append(m_costMemo);
        for (QLineEdit* field : derived) {
            SetTextColor(field, ColorFromValue(BlueColorValue));
            field->setFocusPolicy(Qt::ClickFocus);
            if (m_book.settings().CalcPass) field->setEnabled(false);
        }
    } else {
        const QList<QWidget*> fuelOnly = {m_runMemo,    m_gasMemo,      m_mivraMemo,       m_gasSelCombo,
                                          m_standCombo, m_patternCombo, m_noneHeikinCheck, m_memoGraphCheck};
        for (QWidget* field : fuelOnly)
            field->setEnabled(false);
    }
}

void TMivraInputForm::SetKindRadios() {
    m_fuelRadio->setChecked(m_kind == KindFuel);
    m_mainteRadio->setChecked(m_kind != KindFuel);
}

void TMivraInputForm::ShowStatus() {
    static const QString ModeWords[] = {QStringLiteral("修正"), QStringLiteral("新規登録"),
                                        QStringLiteral("削除"), QStringLiteral("表示")};
    const QString kindWord = m_kind == KindFuel ? QStringLiteral("燃費ﾃﾞｰﾀ") : QStringLiteral("ﾒﾝﾃﾅﾝｽﾃﾞｰﾀ");
    m_statusBar->showMessage(kindWord + QStringLiteral(" - ") + ModeWords[m_mode]);
}

void TMivraInputForm::FocusFirstControl() {
    FocusField(m_mode == EditMode || m_mode == NewMode ? static_cast<QWidget*>(m_dateEdit) : m_cancelButton);
}

// ---- Fields ----

void TMivraInputForm::EnterField(QWidget* field) {
    if (field == m_timeEdit) {
        m_entryText = m_timeEdit->displayText();
        m_timeEdit->setText(TimeTextOnEnter(m_entryText));
        m_timeEdit->setCursorPosition(0);
    } else if (IsSingleLineNumber(field)) {
        auto* edit = static_cast<QLineEdit*>(field);
        m_entryText = edit->text();
        edit->setText(EditingNumberText(m_entryText));
        // After a click the press would move the caret and drop a selection made now.
        QTimer::singleShot(0, edit, [edit] {
            if (edit->hasFocus()) edit->selectAll();
        });
    } else if (field == m_memoMemo) {
        if (m_book.settings().IMEAutoMode) SetImeOpen(m_memoMemo, true);
    } else if (field == m_dateEdit) {
        m_entryText = m_dateEdit->displayText();
    }
}

void TMivraInputForm::LeaveField(QWidget* field) {
    if (field == m_dateEdit) {
        if (!CheckDate()) ScheduleReport(m_dateEdit);
    } else if (field == m_timeEdit) {
        if (!CheckTime()) ScheduleReport(m_timeEdit);
    } else if (field == m_runMemo || field == m_totalRunMemo) {
        LeaveNumber(static_cast<QLineEdit*>(field), RunDecimals);
    } else if (field == m_tankaMemo) {
        LeaveNumber(m_tankaMemo, TankaDecimalCount());
    } else if (field == m_mainteTankaMemo) {
        LeaveNumber(m_mainteTankaMemo, CostDecimals);
    } else if (field == m_gasMemo) {
        RunEconomyStep();
        if (m_gasMemo->text() != m_entryText) RunPriceComputation();
    } else if (field == m_costMemo) {
        m_costMemo->setText(NormalNumberText(m_costMemo->text(), CostDecimals));
        if (m_costMemo->text() != m_entryText && m_book.settings().TankaCalc == 1) RunPriceComputation();
    } else if (field == m_mainteCombo) {
        m_mainteCombo->setEditText(CleanJobName(m_mainteCombo->currentText()));
    } else if (field == m_memoMemo) {
        const QString text = m_memoMemo->toPlainText();
        const QString clean = CleanMemoText(text);
        if (clean != text) m_memoMemo->setPlainText(clean);
        if (m_book.settings().IMEAutoMode) SetImeOpen(m_memoMemo, false);
    }
}

void TMivraInputForm::LeaveNumber(QLineEdit* edit, int decimals) {
    const QString normal = NormalNumberText(edit->text(), decimals);
    edit->setText(normal);
    if (edit == m_runMemo) RunEconomyStep();
    if (ParseNumber(normal, decimals, 0) == 0 || normal == m_entryText) return;
    if ((edit == m_runMemo && RunCalcSelect() == 1) || (edit == m_totalRunMemo && RunCalcSelect() == 2))
        RunDistanceComputation();
    if (edit == m_tankaMemo && m_book.settings().TankaCalc == 2) RunPriceComputation();
}

QWidget* TMivraInputForm::FlushEnteredField() {
    QWidget* field = m_fields->LeaveEntered();
    m_pendingCheck = nullptr;
    return field;
}

void TMivraInputForm::ReenterField(QWidget* field) {
    m_fields->Reenter(field);
}

void TMivraInputForm::FocusField(QWidget* field) {
    m_fields->Focus(field);
}

bool TMivraInputForm::CheckDate() {
    QString normal;
    QString weekday;
    if (!DateTextOnLeave(m_dateEdit->displayText(), &normal, &weekday)) return false;
    SetTextIfChanged(m_dateEdit, normal);
    return true;
}

bool TMivraInputForm::CheckTime() {
    QString normal;
    if (!TimeTextOnLeave(m_timeEdit->displayText(), &normal)) return false;
    if (m_timeEdit->displayText() != normal) m_timeEdit->setText(normal);
    return true;
}

void TMivraInputForm::ReportBadField(QWidget* field) {
    MessageBox::ShowError(InputErrorCaption, field == m_dateEdit
                                                 ? QStringLiteral("日付を正しく入力してください。")
                                                 : QStringLiteral("時刻を正しく入力してください。"));
    FocusField(field);
}

// The message waits for the focus change to finish, so that a click that left the field is not
// cut in half by a modal box.
void TMivraInputForm::ScheduleReport(QWidget* field) {
    m_pendingCheck = field;
    QTimer::singleShot(0, this, &TMivraInputForm::ReportPendingCheck);
}

void TMivraInputForm::ReportPendingCheck() {
    QWidget* field = m_pendingCheck;
    m_pendingCheck = nullptr;
    if (!field || !isVisible()) return;
    const bool valid = field == m_dateEdit ? CheckDate() : CheckTime();
    if (!valid) ReportBadField(field);
}

// ---- Computations ----

int TMivraInputForm::TankaDecimalCount() const {
    return TankaDecimals(m_book.settings());
}

int TMivraInputForm::RunCalcSelect() const {
    return m_book.CarValue(m_book.settings().RunCalcSelect);
}

void TMivraInputForm::RunEconomyStep() {
    EntryFigures f = ReadFigures();
    ApplyEconomyStep(f);
    WriteFigures(f);
}

void TMivraInputForm::RunPriceComputation() {
    if (!m_live) return;
    EntryFigures f = ReadFigures();
    if (ApplyPriceComputation(f, m_book.settings())) WriteFigures(f);
}

void TMivraInputForm::RunDistanceComputation() {
    if (!m_live) return;
    EntryFigures f = ReadFigures();
    if (ApplyDistanceComputation(f, m_book.table(), m_recordIndex, RunCalcSelect())) WriteFigures(f);
}

void TMivraInputForm::UpdateEconomyColor() {
    const double economy = ParseNumber(m_mivraMemo->text(), EconomyDecimals, 0);
    const EconomyMark mark = MarkEconomy(economy, m_book.AverageEconomy(), m_book.TargetEconomy(),
                                         !m_noneHeikinCheck->isChecked(), m_book.settings());
    SetTextColor(m_mivraMemo, mark == EconomyMark::Red    ? ColorFromValue(RedColorValue)
                              : mark == EconomyMark::Blue ? ColorFromValue(BlueColorValue)
                                                          : QColor());
}

// ---- Buttons ----

void TMivraInputForm::KindClicked(quint8 kind) {
    if (kind == m_kind) return;
    bool change = m_mode == NewMode;
    if (m_mode == EditMode) {
        change =
            MessageBox::Ask(QStringLiteral("ﾃﾞｰﾀ種別変更確認"), QStringLiteral("ﾃﾞｰﾀ種別を変更しますか？"),
                            PromptIcon::Warning, PromptButtons::YesNo) == PromptAnswer::Yes;
    }
    if (change)
        SwitchKind(kind);
    else
        SetKindRadios();
    ShowStatus();
}

void TMivraInputForm::SwitchKind(quint8 kind) {
    m_kind = kind;
    if (m_mode == NewMode && kind == KindMainte && !m_tankaZeroed) {
        m_tankaMemo->setText(FormatFixed(0, TankaDecimalCount(), 0));
        m_tankaZeroed = true;
    }
    SetKindRadios();
    ApplyKindEnabling();
}

void TMivraInputForm::MainteAddClicked() {
    m_mainteListMemo->setPlainText(AddMainteLine(m_mainteListMemo->toPlainText(),
                                                 m_mainteCombo->currentText(), m_mainteTankaMemo->text()));
    m_mainteListMemo->moveCursor(QTextCursor::End);
    m_mainteCombo->setEditText(QString());
    m_mainteTankaMemo->setText(QStringLiteral("0"));
}

void TMivraInputForm::RecalcClicked() {
    QWidget* field = FlushEnteredField();
    RunPriceComputation();
    RunDistanceComputation();
    ReenterField(field);
}

void TMivraInputForm::NameSettingsClicked() {
    if (openNameSettings && openNameSettings()) RefillCombos();
}

void TMivraInputForm::OkClicked() {
    if (m_mode == ViewMode) {
        m_pendingCheck = nullptr;
        done(QDialog::Rejected);
        return;
    }
    m_ctrlAtOk = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
    if (PerformOk()) accept();
}

bool TMivraInputForm::PerformOk() {
    FlushEnteredField();
    // A date or time typed with the focus still in the field (OK by its access key) is checked too.
    if (m_mode == EditMode || m_mode == NewMode) {
        if (!CheckDate()) {
            ReportBadField(m_dateEdit);
            return false;
        }
        if (m_book.settings().TimeInput && !CheckTime()) {
            ReportBadField(m_timeEdit);
            return false;
        }
    }
    m_live = false;
    RunEconomyStep();
    const FuelRecord stored = RecordForStorage(ReadRecord());
    SetTextIfChanged(m_runMemo, stored.Run());
    SetTextIfChanged(m_totalRunMemo, stored.TotalRun());
    SetTextIfChanged(m_gasMemo, stored.Gas());
    SetTextIfChanged(m_mivraMemo, stored.Economy());
    SetTextIfChanged(m_costMemo, stored.Cost());
    SetTextIfChanged(m_tankaMemo, stored.Tanka());
    m_gasSelCombo->setEditText(stored.GasSel());
    m_standCombo->setEditText(stored.Stand());
    m_patternCombo->setEditText(stored.Pattern());
    m_snapshot = ReadRecord();
    if (m_mode == NewMode) {
        m_lastDate = stored.Day();
        if (m_kind == KindFuel) m_book.settings().LastTankaStr = stored.Tanka();
    }
    return true;
}

PromptAnswer TMivraInputForm::AskToSave() {
    if (!EntryRecordsDiffer(ReadRecord(), m_snapshot)) return PromptAnswer::No;
    return MessageBox::AskYesNoCancel(QStringLiteral("保存確認 - 個別"),
                                      QStringLiteral("入力ﾃﾞｰﾀが変更されています。保存しますか？"));
}

void TMivraInputForm::reject() {
    if (m_mode == EditMode || m_mode == NewMode) {
        QWidget* field = FlushEnteredField();
        const PromptAnswer answer = AskToSave();
        if (answer == PromptAnswer::Cancel) {
            ReenterField(field);
            return;
        }
        if (answer == PromptAnswer::Yes) {
            m_ctrlAtOk = false;
            if (PerformOk()) accept();
            return;
        }
    }
    m_pendingCheck = nullptr;
    QDialog::reject();
}

void TMivraInputForm::StepRecord(int delta) {
    RecordTable& table = m_book.table();
    if (m_mode == EditMode) {
        QWidget* field = FlushEnteredField();
        const PromptAnswer answer = AskToSave();
        if (answer == PromptAnswer::Cancel) {
            ReenterField(field);
            return;
        }
        if (answer == PromptAnswer::Yes) {
            if (!PerformOk()) return;
            if (m_recordIndex >= 1 && m_recordIndex <= table.RecordCount()) {
                const FuelRecord before = table.GetRecord(m_recordIndex);
                const FuelRecord record = ReadRecord();
                table.SetRecord(m_recordIndex, record);
                m_book.RecalcStatus();
                if (before.Day() + before.Time() != record.Day() + record.Time()) table.SortRecords();
                if (recordsChanged) recordsChanged();
            }
            m_live = true;
        }
    }
    const int target = m_recordIndex + delta;
    if (target < 1 || target > table.RecordCount()) {
        ReenterField(QApplication::focusWidget());
        return;
    }
    m_recordIndex = target;
    if (selectListRow) selectListRow(target);
    LoadRecord(table.GetRecord(target));
    PrepareShow();
}

}  // namespace tovrel
