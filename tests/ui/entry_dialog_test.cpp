// Entry dialog: defaults, kind switching, date and time checks, unsaved changes, prev/next, OK.
#include "ui/entry_dialog.h"

#include "input_events.h"
#include "session/logbook.h"
#include "settings/settings_store.h"
#include "test_support.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/message_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include <memory>

namespace tovrel {
namespace {

using test::KeyText;

FuelRecord Fill(const QString& day, const QString& run, const QString& totalRun, const QString& gas) {
    FuelRecord r = test::Record(KindFuel, day, run, totalRun, gas);
    r.text[ColTime] = QStringLiteral("09:05");
    r.text[ColCost] = QStringLiteral("3000");
    r.text[ColTanka] = QStringLiteral("100");
    r.text[ColGasSel] = QStringLiteral("レギュラー");
    return r;
}

class EntryDialogTest : public ::testing::Test, protected test::LogbookSession {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        ASSERT_TRUE(StartAndSelect(1));
        test::SetRecords(book.table(), {Fill(QStringLiteral("2004/05/01"), QStringLiteral("400"),
                                             QStringLiteral("10000"), QStringLiteral("30")),
                                        Fill(QStringLiteral("2004/05/09"), QStringLiteral("350"),
                                             QStringLiteral("10350"), QStringLiteral("25")),
                                        Fill(QStringLiteral("2004/05/20"), QStringLiteral("420"),
                                             QStringLiteral("10770"), QStringLiteral("30"))});
        book.RecalcStatus();
        MessageBox::ClearLog();
        dialog = std::make_unique<TMivraInputForm>(book);
    }

    void TearDown() override {
        dialog.reset();
        EXPECT_EQ(MessageBox::PendingAnswers(), 0);
        while (MessageBox::PendingAnswers() > 0)
            MessageBox::Ask(QString(), QString(), PromptIcon::Information, PromptButtons::Ok);
        MessageBox::ClearLog();
    }

    void Open(TMivraInputForm::Mode mode, int index) {
        dialog->SetMode(mode);
        dialog->SetRecordIndex(index);
        dialog->LoadRecord(mode == TMivraInputForm::NewMode ? FuelRecord() : book.table().GetRecord(index));
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    template <typename T>
    T* Find(const char* name) const {
        T* widget = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
    QComboBox* Combo(const char* name) const { return Find<QComboBox>(name); }
    QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }

    // Focus into the field, replace its text by typing, and leave it with Tab.
    void Type(QWidget* field, const QString& text) {
        field->setFocus(Qt::TabFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            edit->selectAll();
            if (edit->inputMask().isEmpty()) {
                QTest::keyClick(edit, Qt::Key_Delete);
            } else {
                QTest::keyClick(edit, Qt::Key_Home);  // empties a masked field
            }
        }
        KeyText(QApplication::focusWidget(), text);
    }
    void Leave() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QApplication::processEvents();
    }
    void TypeAndLeave(QWidget* field, const QString& text) {
        Type(field, text);
        Leave();
    }

    std::unique_ptr<TMivraInputForm> dialog;
};

TEST_F(EntryDialogTest, NewRecordStartsWithTheRememberedDateUnitPriceAndDefaults) {
    dialog->SetLastDate(QStringLiteral("2004/06/05"));
    settings.LastTankaStr = QStringLiteral("123");
    Open(TMivraInputForm::NewMode, 4);

    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("燃費ﾃﾞｰﾀ入力 - 私の愛車 (No.4)"));
    EXPECT_EQ(Edit("DateTimePicker")->text(), QStringLiteral("2004/06/05"));
    EXPECT_EQ(Edit("YoubiEdit")->text(), QStringLiteral("土"));
    EXPECT_EQ(Edit("TankaMemo")->text(), QStringLiteral("123"));
    EXPECT_EQ(Combo("WeatherComboBox")->currentText(), QStringLiteral("晴れ"));
    EXPECT_EQ(Combo("GasSelComboBox")->currentText(), QStringLiteral("レギュラー"));
    EXPECT_EQ(Combo("PatternComboBox")->currentText(), QStringLiteral("通勤"));
    EXPECT_EQ(Combo("MainteComboBox")->currentText(), QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換"));
    EXPECT_EQ(Combo("ShopComboBox")->currentText(), QString());
    EXPECT_EQ(Combo("GasSelComboBox")->itemText(0), QStringLiteral("レギュラー"));
    EXPECT_EQ(Find<QStatusBar>("StatusBar")->currentMessage(), QStringLiteral("燃費ﾃﾞｰﾀ - 新規登録"));
    EXPECT_EQ(Button("OkButton")->text(), QStringLiteral("登録(&R)"));
    EXPECT_FALSE(Button("OkButton")->toolTip().isEmpty());
    EXPECT_FALSE(Button("NextButton")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Edit("DateTimePicker"));
    // The unit price is computed from the amount: blue and out of the Tab order.
    EXPECT_EQ(Edit("TankaMemo")->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(Edit("TankaMemo")->palette().color(QPalette::Text), QColor(0, 0, 255));

    // The odometer follows from the last refuelling's reading; economy and unit price as typed.
    TypeAndLeave(Edit("RunMemo"), QStringLiteral("1234.76"));
    EXPECT_EQ(Edit("RunMemo")->text(), QStringLiteral("1,234.8"));
    EXPECT_EQ(Edit("TotalRunMemo")->text(), QStringLiteral("12,004.8"));
    TypeAndLeave(Edit("GasMemo"), QStringLiteral("40"));
    EXPECT_EQ(Edit("MivraMemo")->text(), QStringLiteral("30.87"));
    TypeAndLeave(Edit("CostMemo"), QStringLiteral("5000"));
    EXPECT_EQ(Edit("CostMemo")->text(), QStringLiteral("5,000"));
    EXPECT_EQ(Edit("TankaMemo")->text(), QStringLiteral("119"));

    Button("OkButton")->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    const FuelRecord stored = dialog->TakeRecord();
    EXPECT_EQ(stored.Run(), QStringLiteral("1234.8"));
    EXPECT_EQ(stored.TotalRun(), QStringLiteral("12004.8"));
    EXPECT_EQ(stored.Cost(), QStringLiteral("5000"));
    EXPECT_EQ(stored.Time(), QStringLiteral("  :  "));
    EXPECT_EQ(settings.LastTankaStr, QStringLiteral("119"));
    EXPECT_TRUE(MessageBox::Log().isEmpty());
}

TEST_F(EntryDialogTest, NextNewRecordStartsWithTheDateOfTheLastOne) {
    dialog->SetLastDate(QStringLiteral("2004/06/05"));
    Open(TMivraInputForm::NewMode, 4);
    TypeAndLeave(Edit("DateTimePicker"), QStringLiteral("20040601"));
    EXPECT_EQ(Edit("YoubiEdit")->text(), QStringLiteral("火"));
    Button("OkButton")->click();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->TakeRecord().Day(), QStringLiteral("2004/06/01"));

    Open(TMivraInputForm::NewMode, 5);
    EXPECT_EQ(Edit("DateTimePicker")->text(), QStringLiteral("2004/06/01"));
}

TEST_F(EntryDialogTest, KindOfAnExistingRecordChangesOnlyAfterYes) {
    Open(TMivraInputForm::EditMode, 2);
    auto* mainte = Find<QRadioButton>("MainteRadioButton");
    MessageBox::PresetAnswers({PromptAnswer::No});
    mainte->click();
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, QStringLiteral("ﾃﾞｰﾀ種別変更確認"));
    EXPECT_EQ(MessageBox::Log()[0].text, QStringLiteral("ﾃﾞｰﾀ種別を変更しますか？"));
    EXPECT_EQ(MessageBox::Log()[0].icon, PromptIcon::Warning);
    EXPECT_TRUE(Find<QRadioButton>("MivraRadioButton")->isChecked());
    EXPECT_TRUE(Edit("RunMemo")->isEnabled());

    MessageBox::PresetAnswers({PromptAnswer::Yes});
    mainte->click();
    EXPECT_TRUE(mainte->isChecked());
    EXPECT_FALSE(Edit("RunMemo")->isEnabled());
    EXPECT_FALSE(Combo("GasSelComboBox")->isEnabled());
    EXPECT_TRUE(Edit("TotalRunMemo")->isEnabled());
    EXPECT_EQ(Find<QStatusBar>("StatusBar")->currentMessage(), QStringLiteral("ﾒﾝﾃﾅﾝｽﾃﾞｰﾀ - 修正"));
    // The unit price keeps its value: only a new record is set to 0.
    EXPECT_EQ(Edit("TankaMemo")->text(), QStringLiteral("100"));

    Button("OkButton")->click();
    const FuelRecord stored = dialog->TakeRecord();
    EXPECT_EQ(stored.kind, KindMainte);
    EXPECT_TRUE(stored.Run().isEmpty());
    EXPECT_TRUE(stored.Economy().isEmpty());
    EXPECT_TRUE(stored.GasSel().isEmpty());
    EXPECT_EQ(stored.TotalRun(), QStringLiteral("10350.0"));
}

TEST_F(EntryDialogTest, NewMaintenanceRecordSetsTheUnitPriceToZeroOnce) {
    settings.LastTankaStr = QStringLiteral("130");
    Open(TMivraInputForm::NewMode, 4);
    Find<QRadioButton>("MainteRadioButton")->click();
    EXPECT_TRUE(MessageBox::Log().isEmpty());
    EXPECT_EQ(Edit("TankaMemo")->text(), QStringLiteral("0"));
    Find<QRadioButton>("MivraRadioButton")->click();
    EXPECT_EQ(Edit("TankaMemo")->text(), QStringLiteral("0"));
    Edit("TankaMemo")->setText(QStringLiteral("140"));
    Find<QRadioButton>("MainteRadioButton")->click();
    EXPECT_EQ(Edit("TankaMemo")->text(), QStringLiteral("140"));

    // A maintenance-only record does not become the remembered unit price.
    Button("OkButton")->click();
    EXPECT_EQ(settings.LastTankaStr, QStringLiteral("130"));
}

TEST_F(EntryDialogTest, BadDateAndTimeAreRefusedAndTakeTheFocusBack) {
    Open(TMivraInputForm::NewMode, 4);
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    TypeAndLeave(Edit("DateTimePicker"), QStringLiteral("20040230"));
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, QStringLiteral("入力ｴﾗｰ"));
    EXPECT_EQ(MessageBox::Log()[0].text, QStringLiteral("日付を正しく入力してください。"));
    EXPECT_EQ(MessageBox::Log()[0].icon, PromptIcon::Error);
    EXPECT_EQ(QApplication::focusWidget(), Edit("DateTimePicker"));
    EXPECT_EQ(Edit("YoubiEdit")->text(), QStringLiteral("？"));

    // Home empties the field; a date typed without leading zeros is written out in full.
    Type(Edit("DateTimePicker"), QStringLiteral("20040229"));
    Leave();
    EXPECT_EQ(Edit("DateTimePicker")->text(), QStringLiteral("2004/02/29"));

    MessageBox::ClearLog();
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    TypeAndLeave(Edit("TimeMaskEdit"), QStringLiteral("2500"));
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].text, QStringLiteral("時刻を正しく入力してください。"));
    EXPECT_EQ(QApplication::focusWidget(), Edit("TimeMaskEdit"));

    TypeAndLeave(Edit("TimeMaskEdit"), QStringLiteral("2400"));
    EXPECT_EQ(Edit("TimeMaskEdit")->displayText(), QStringLiteral("24:00"));

    // A wrong time still in the field when OK is pressed keeps the dialog open.
    MessageBox::ClearLog();
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    Type(Edit("TimeMaskEdit"), QStringLiteral("1060"));
    Button("OkButton")->click();
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].text, QStringLiteral("時刻を正しく入力してください。"));
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(EntryDialogTest, TimeFieldShowsHoursInTwoPlacesWhileEntered) {
    Open(TMivraInputForm::EditMode, 1);
    auto* time = Edit("TimeMaskEdit");
    time->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(time->displayText(), QStringLiteral(" 9:05"));
    Leave();
    EXPECT_EQ(time->displayText(), QStringLiteral("09:05"));
    // Nothing changed, so Cancel closes without asking.
    Button("CancelButton")->click();
    EXPECT_TRUE(MessageBox::Log().isEmpty());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(EntryDialogTest, CancelWithChangesAsksToSave) {
    Open(TMivraInputForm::EditMode, 1);
    Type(Find<QPlainTextEdit>("MemoMemo"), QStringLiteral("ﾒﾓ"));

    MessageBox::PresetAnswers({PromptAnswer::Cancel});
    Button("CancelButton")->click();
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, QStringLiteral("保存確認 - 個別"));
    EXPECT_EQ(MessageBox::Log()[0].text, QStringLiteral("入力ﾃﾞｰﾀが変更されています。保存しますか？"));
    EXPECT_EQ(MessageBox::Log()[0].buttons, PromptButtons::YesNoCancel);
    EXPECT_TRUE(dialog->isVisible());

    MessageBox::PresetAnswers({PromptAnswer::Yes});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->TakeRecord().Memo(), QStringLiteral("ﾒﾓ"));

    Open(TMivraInputForm::EditMode, 1);
    Type(Find<QPlainTextEdit>("MemoMemo"), QStringLiteral("x"));
    MessageBox::PresetAnswers({PromptAnswer::No});
    Button("CancelButton")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(EntryDialogTest, NextAsksAboutChangesAndStoresOnYes) {
    QList<int> selected;
    int changes = 0;
    dialog->selectListRow = [&](int row) { selected.append(row); };
    dialog->recordsChanged = [&] { ++changes; };
    Open(TMivraInputForm::EditMode, 1);
    auto* next = Button("NextButton");
    EXPECT_TRUE(next->isVisible());

    TypeAndLeave(Edit("CostMemo"), QStringLiteral("3600"));
    EXPECT_EQ(Edit("TankaMemo")->text(), QStringLiteral("114"));
    MessageBox::PresetAnswers({PromptAnswer::Cancel});
    next->click();
    EXPECT_EQ(dialog->RecordIndex(), 1);
    EXPECT_TRUE(selected.isEmpty());

    MessageBox::PresetAnswers({PromptAnswer::No});
    next->click();
    EXPECT_EQ(dialog->RecordIndex(), 2);
    EXPECT_EQ(selected, QList<int>({2}));
    EXPECT_EQ(book.table().At(1).Cost().trimmed(), QStringLiteral("3,000"));
    EXPECT_EQ(Edit("TotalRunMemo")->text(), QStringLiteral("10,350.0"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("燃費ﾃﾞｰﾀ入力 - 私の愛車 (No.2)"));

    // Unchanged: no question.
    Button("PrevButton")->click();
    EXPECT_EQ(MessageBox::Log().size(), 2);
    EXPECT_EQ(dialog->RecordIndex(), 1);

    TypeAndLeave(Edit("CostMemo"), QStringLiteral("3600"));
    MessageBox::PresetAnswers({PromptAnswer::Yes});
    next->click();
    EXPECT_EQ(dialog->RecordIndex(), 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(book.table().At(1).Cost().trimmed(), QStringLiteral("3,600"));
    EXPECT_EQ(book.table().At(1).Tanka().trimmed(), QStringLiteral("114"));

    // At the last record there is nowhere to go.
    next->click();
    next->click();
    EXPECT_EQ(dialog->RecordIndex(), 3);
}

TEST_F(EntryDialogTest, ViewModeOkChangesNothingAndNeverAsks) {
    Open(TMivraInputForm::ViewMode, 2);
    EXPECT_EQ(Button("OkButton")->text(), QStringLiteral("確 認"));
    EXPECT_EQ(QApplication::focusWidget(), Button("CancelButton"));
    EXPECT_FALSE(Button("RecalcButton")->isEnabled());
    TypeAndLeave(Edit("CostMemo"), QStringLiteral("9999"));
    Button("OkButton")->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(MessageBox::Log().isEmpty());
    EXPECT_EQ(book.table().At(2).Cost().trimmed(), QStringLiteral("3,000"));
}

TEST_F(EntryDialogTest, DeleteModeConfirmsWithoutQuestions) {
    Open(TMivraInputForm::DeleteMode, 3);
    EXPECT_EQ(Button("OkButton")->text(), QStringLiteral("削除(&D)"));
    EXPECT_FALSE(Button("PrevButton")->isVisible());
    EXPECT_EQ(Find<QStatusBar>("StatusBar")->currentMessage(), QStringLiteral("燃費ﾃﾞｰﾀ - 削除"));
    Button("OkButton")->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(MessageBox::Log().isEmpty());
}

TEST_F(EntryDialogTest, CtrlHeldAtOkAsksForTheNextNewRecord) {
    Open(TMivraInputForm::NewMode, 4);
    QTest::mouseClick(Button("OkButton"), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog->CtrlHeldAtOk());

    Open(TMivraInputForm::NewMode, 5);
    QTest::mouseClick(Button("OkButton"), Qt::LeftButton);
    EXPECT_FALSE(dialog->CtrlHeldAtOk());
}

TEST_F(EntryDialogTest, MaintenanceJobsAreAddedAndTotalled) {
    Open(TMivraInputForm::NewMode, 4);
    auto* group = Find<QGroupBox>("MainteListGroupBox");
    EXPECT_EQ(group->title(), QStringLiteral("メンテ一覧   合計金額：0円 （0行）"));
    TypeAndLeave(Combo("MainteComboBox"), QStringLiteral("ﾀｲﾔ交換,前#"));
    EXPECT_EQ(Combo("MainteComboBox")->currentText(), QStringLiteral("ﾀｲﾔ交換.前"));
    TypeAndLeave(Edit("MainteTankaMemo"), QStringLiteral("1200"));
    Button("MainteAddButton")->click();
    EXPECT_EQ(Combo("MainteComboBox")->currentText(), QString());
    EXPECT_EQ(Edit("MainteTankaMemo")->text(), QStringLiteral("0"));
    Combo("MainteComboBox")->setEditText(QStringLiteral("ﾜｲﾊﾟｰ交換"));
    Edit("MainteTankaMemo")->setText(QStringLiteral("800"));
    Button("MainteAddButton")->click();
    EXPECT_EQ(Find<QPlainTextEdit>("MainteListMemo")->toPlainText(),
              QStringLiteral("ﾀｲﾔ交換.前:1,200:\nﾜｲﾊﾟｰ交換:800:"));
    EXPECT_EQ(group->title(), QStringLiteral("メンテ一覧   合計金額：2,000円 （2行）"));

    Type(Find<QPlainTextEdit>("MemoMemo"), QStringLiteral("a,b"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    KeyText(QApplication::focusWidget(), QStringLiteral("c#"));
    EXPECT_EQ(Find<QGroupBox>("MemoGroupBox")->title(), QStringLiteral("メモ （2行）"));
    Leave();
    Button("OkButton")->click();
    const FuelRecord stored = dialog->TakeRecord();
    EXPECT_EQ(stored.Mainte(), QStringLiteral("ﾀｲﾔ交換.前:1,200:\r\nﾜｲﾊﾟｰ交換:800:"));
    EXPECT_EQ(stored.Memo(), QStringLiteral("a.b\r\nc"));
}

TEST_F(EntryDialogTest, EnterMovesOnAndShiftEnterBack) {
    Open(TMivraInputForm::EditMode, 1);
    QTest::keyClick(Edit("DateTimePicker"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Edit("TimeMaskEdit"));
    QTest::keyClick(Edit("TimeMaskEdit"), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), Edit("DateTimePicker"));
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(EntryDialogTest, DerivedFieldsLockedWithCalcPass) {
    settings.CalcPass = true;
    settings.TankaCalc = 2;
    Open(TMivraInputForm::NewMode, 4);
    EXPECT_FALSE(Edit("CostMemo")->isEnabled());
    EXPECT_FALSE(Edit("TotalRunMemo")->isEnabled());
    EXPECT_TRUE(Edit("TankaMemo")->isEnabled());
    TypeAndLeave(Edit("GasMemo"), QStringLiteral("40"));
    TypeAndLeave(Edit("TankaMemo"), QStringLiteral("120"));
    EXPECT_EQ(Edit("CostMemo")->text(), QStringLiteral("5,040"));
    // A change of fuel type recomputes the amount with the diesel tax.
    Combo("GasSelComboBox")->setEditText(QStringLiteral("軽油"));
    EXPECT_EQ(Edit("CostMemo")->text(), QStringLiteral("4,976"));
}

TEST_F(EntryDialogTest, PanelHeightAndPositionAreRemembered) {
    dialog.reset();
    store.SetValue(QStringLiteral("Position"), QStringLiteral("MainteHeight"), QStringLiteral("120"));
    dialog = std::make_unique<TMivraInputForm>(book);
    Open(TMivraInputForm::NewMode, 4);
    EXPECT_EQ(Find<QGroupBox>("MainteListGroupBox")->height(), 120);
    dialog->move(40, 30);
    dialog->hide();
    dialog.reset();
    EXPECT_EQ(store.Value(QStringLiteral("Position"), QStringLiteral("MainteHeight")), QStringLiteral("120"));
    EXPECT_EQ(store.Value(QStringLiteral("Position"), QStringLiteral("Left.TMivraInputForm")),
              QStringLiteral("40"));
}

}  // namespace
}  // namespace tovrel
