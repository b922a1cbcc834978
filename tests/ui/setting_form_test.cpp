// Settings dialog: showing and enabling, the checks of OK through the controls, moved maintenance
// items, the data folder change, the print tab, the warning names, the font, keyboard, and the openers.
#include "ui/setting_form.h"

#include "base/profile_ini.h"
#include "input_events.h"
#include "session/logbook.h"
#include "test_support.h"
#include "ui/entry_dialog.h"
#include "ui/fixed_font_dialog.h"
#include "ui/main_window.h"
#include "ui/warning_text_form.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/message_box.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace tovrel {
namespace {

using namespace test;

// Runs the step once the widget is the active modal window (it runs inside a nested event loop).
void WhenModal(QWidget* (*find)(), const std::function<void(QWidget*)>& step) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, find, step] {
        QWidget* modal = find();
        if (!modal || !modal->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        step(modal);
    });
    timer->start();
}

QWidget* ActiveModal() {
    return QApplication::activeModalWidget();
}

class SettingFormTest : public ::testing::Test, protected LogbookSession {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        MessageBox::Install();
        MessageBox::ClearLog();
        WriteCars({S(u"*私の愛車"), S(u"セカンドカー")});
        WriteLog(1, {S(u"001=0,2004/05/01,土,08:30,晴れ,300.0,10300.0,30.00,10.00,3000,100,レギュラー,"
                       u"スタンドＡ,通勤,,,,0,0,")});
        ASSERT_TRUE(StartAndSelect(1));
        // The built-in lists and maintenance items, with the two cars.
        CarBook& cars = book.book();
        cars.lists = DefaultItemLists();
        cars.lists.Car[2] = S(u"セカンドカー");
        cars.mainte = DefaultMainteSettings();
        QString error;
        ASSERT_TRUE(cars.SaveItemLists(settings, &error)) << error.toStdString();
        form = std::make_unique<TSettingForm>(book);
        form->shiftHeld = [] { return false; };
    }

    void TearDown() override {
        form.reset();
        EXPECT_EQ(MessageBox::PendingAnswers(), 0);
        MessageBox::PresetAnswers({});
        TSettingForm::PresetColorAnswers({});
        TFixedFontDialog::PresetAnswers({});
        MessageBox::ClearLog();
    }

    void Show() {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    template <typename T = QWidget>
    T* Child(const char* name) {
        T* child = form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QLineEdit* Edit(const char* name) { return Child<QLineEdit>(name); }
    QCheckBox* Box(const char* name) { return Child<QCheckBox>(name); }
    SettingGrid* Grid(const char* name) { return Child<SettingGrid>(name); }
    QTabWidget* Tabs() { return form->findChild<QTabWidget*>(); }

    // OK with one message box expected: it is answered and logged.
    void RefusedOk() {
        MessageBox::PresetAnswers({PromptAnswer::Ok});
        form->OKButtonClick();
        EXPECT_EQ(MessageBox::PendingAnswers(), 0);
    }

    QString LastMessage() const {
        return MessageBox::Log().isEmpty() ? QString() : MessageBox::Log().last().text;
    }

    std::unique_ptr<TSettingForm> form;
};

TEST_F(SettingFormTest, ShowsTheSettingsWithTheirEnablingRules) {
    Show();
    EXPECT_EQ(form->windowTitle(), S(u"環境設定"));
    EXPECT_EQ(Grid("SettingStringGrid")->Cell(1, 1), S(u"*晴れ"));
    EXPECT_EQ(Grid("SettingStringGrid")->Cell(1, 6), S(u"*私の愛車"));
    EXPECT_EQ(Grid("MainteStringGrid")->Cell(5, 1), S(u"ﾀｲﾔ空気圧調整"));
    EXPECT_EQ(Child<QGroupBox>("MainteGroupBox")->title(), S(u"[No.1] ﾒﾝﾃﾅﾝｽ詳細設定"));
    EXPECT_EQ(Edit("MainteEdit")->text(), S(u"*ｴﾝｼﾞﾝｵｲﾙ交換"));
    EXPECT_EQ(Edit("RunMemo")->text(), S("5,000"));
    EXPECT_EQ(Child<QLabel>("KmLabel")->text(), S("km"));
    Child<QComboBox>("RunTaniComboBox")->setCurrentIndex(1);
    EXPECT_EQ(Child<QLabel>("KmLabel")->text(), S("Mil"));
    EXPECT_EQ(Child<QLabel>("Warning2Panel")->text(), S(u"もうすぐ"));
    EXPECT_EQ(Edit("Warning2Memo")->text(), S("90"));

    EXPECT_FALSE(Edit("DispNumberMemo")->isEnabled());
    Box("AllGraphCheckBox")->setChecked(false);
    EXPECT_TRUE(Edit("DispNumberMemo")->isEnabled());
    EXPECT_FALSE(Edit("GasMaxMemo")->isEnabled());
    Box("MivraRunScaleFixCheckBox")->setChecked(true);
    EXPECT_TRUE(Edit("GasMaxMemo")->isEnabled());
    EXPECT_FALSE(Edit("JPGDispWaitTimeMemo")->isEnabled());
    Box("JPGDispWaitTimeCheckBox")->setChecked(true);
    EXPECT_TRUE(Edit("JPGDispWaitTimeMemo")->isEnabled());
    EXPECT_TRUE(Box("MivraRedCheckBox")->isChecked());
    Box("MokuhyoRedCheckBox")->setChecked(true);
    EXPECT_FALSE(Box("MivraRedCheckBox")->isChecked());
    Box("RunCheckBox")->setChecked(false);
    EXPECT_FALSE(Edit("RunMemo")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>("PrintSettingButton")->isEnabled());

    // Cancel keeps nothing.
    form->reject();
    EXPECT_EQ(settings.RunTani[1], 0);
    EXPECT_TRUE(settings.MivraRed);
}

TEST_F(SettingFormTest, OkChecksInOrderWithMessageTabAndFocus) {
    Show();
    Box("AllGraphCheckBox")->setChecked(false);
    Edit("DispNumberMemo")->setText(S("1"));
    form->SelectMainteRow(3);
    Edit("RunMemo")->setText(S("0"));
    Tabs()->setCurrentIndex(0);

    RefusedOk();
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, S(u"設定エラー"));
    EXPECT_EQ(MessageBox::Log()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(LastMessage(), S(u"ﾒｲﾝ一覧のｸﾞﾗﾌ表示するﾃﾞｰﾀ件数を正しく設定してください。"));
    EXPECT_EQ(form->CurrentTab(), SettingTab::Graph);
    EXPECT_EQ(QApplication::focusWidget(), Edit("DispNumberMemo"));
    EXPECT_TRUE(form->isVisible());

    Edit("DispNumberMemo")->setText(S("5"));
    form->SelectMainteRow(1);
    RefusedOk();
    EXPECT_EQ(LastMessage(), S(u"[3:ﾐｯｼｮﾝｵｲﾙ交換]の走行距離を正しく設定してください。"));
    EXPECT_EQ(form->CurrentTab(), SettingTab::Mainte);
    EXPECT_EQ(form->ShownMainteItem(), 3);
    EXPECT_EQ(Grid("MainteStringGrid")->CurrentRow(), 3);
    EXPECT_EQ(QApplication::focusWidget(), Edit("RunMemo"));
    EXPECT_EQ(settings.DispNumber, 10);  // nothing stored yet

    Edit("RunMemo")->setText(S("45000"));
    Edit("Warning2Memo")->setText(S("100"));
    RefusedOk();
    EXPECT_EQ(QApplication::focusWidget(), Edit("Warning2Memo"));
    Edit("Warning2Memo")->setText(S("1"));
    Edit("Warning3Memo")->setText(S("99"));
    form->OKButtonClick();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(settings.DispNumber, 5);
    EXPECT_EQ(settings.Warning2Level, 1);
    EXPECT_EQ(book.book().mainte[3].distanceInterval, 45000);
}

TEST_F(SettingFormTest, FieldRulesOnEnterAndLeave) {
    Show();
    Tabs()->setCurrentIndex(1);
    Edit("RunMemo")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Edit("RunMemo")->text(), S("5000"));
    Edit("RunMemo")->setText(S("123456"));
    Edit("MainteEdit")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Edit("RunMemo")->text(), S("123,456"));
    Edit("MainteEdit")->setText(S(u" ｵｲﾙ,交換#1 "));
    Edit("MainteMemoEdit")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Edit("MainteEdit")->text(), S(u"ｵｲﾙ.交換1"));
    form->SelectMainteRow(2);
    EXPECT_EQ(Grid("MainteStringGrid")->Cell(1, 1), S(u"ｵｲﾙ.交換1"));
    EXPECT_EQ(form->MainteWorkingCopy()[1].setting.distanceInterval, 123456);

    Tabs()->setCurrentIndex(5);
    Edit("ZeiRitsuMemo")->setFocus(Qt::TabFocusReason);
    Edit("ZeiRitsuMemo")->setText(S("8"));
    Edit("KeiyuZeiMemo")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Edit("ZeiRitsuMemo")->text(), S("8.0"));
    Edit("KeiyuZeiMemo")->setText(S("1234.5"));
    Edit("DataPathEdit")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Edit("KeiyuZeiMemo")->text(), S("1,234.50"));
    Edit("DataPathEdit")->setText(DefaultDataFolder());
    Edit("KeiyuNameEdit")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Edit("DataPathEdit")->text(), QString());
}

TEST_F(SettingFormTest, MovedMaintenanceItemReachesEveryCarsInformation) {
    const auto carInfo = [](const QString& flags) {
        return Sjis(S("[MyCarInfo]\r\nMainteCheck=") + flags + S("\r\n"));
    };
    WriteBytes(folder.path(), S("CarInfo01.dat"), carInfo(S("0,0,0,1,0,")));
    WriteBytes(folder.path(), S("CarInfo02.dat"), carInfo(S("0,0,0,0,1,")));
    Show();
    SettingGrid* grid = Grid("MainteStringGrid");
    form->SelectMainteRow(5);
    Edit("DayMemo")->setText(S("45"));
    form->GridCommandClick(grid, RowCommand::MoveUp);
    EXPECT_EQ(grid->Cell(4, 1), S(u"ﾀｲﾔ空気圧調整"));
    EXPECT_EQ(form->ShownMainteItem(), 4);
    EXPECT_EQ(Edit("DayMemo")->text(), S("45"));
    EXPECT_EQ(form->MainteWorkingCopy()[4].formerNumber, 5);
    form->GridCommandClick(grid, RowCommand::Insert);
    EXPECT_EQ(grid->Cell(4, 1), QString());
    EXPECT_FALSE(Box("DayCheckBox")->isChecked());
    form->GridCommandClick(grid, RowCommand::Delete);
    EXPECT_EQ(grid->Cell(4, 1), S(u"ﾀｲﾔ空気圧調整"));

    form->OKButtonClick();
    EXPECT_EQ(form->result(), QDialog::Accepted) << LastMessage().toStdString();
    const auto flags = [&](const char* file) {
        return ProfileIni(folder.file(QLatin1String(file))).Read(S("MyCarInfo"), S("MainteCheck"));
    };
    EXPECT_TRUE(flags("CarInfo01.dat").startsWith(S("0,0,0,0,1,0,")));
    EXPECT_TRUE(flags("CarInfo02.dat").startsWith(S("0,0,0,1,0,0,")));
    EXPECT_EQ(book.book().mainte[4].dayInterval, 45);
}

TEST_F(SettingFormTest, NamesGridMovesOneColumnAndKeepsCarNumbers) {
    Show();
    SettingGrid* grid = Grid("SettingStringGrid");
    grid->SetCurrent(2, 1);
    form->GridCommandClick(grid, RowCommand::Insert);
    EXPECT_EQ(grid->Cell(2, 1), QString());
    EXPECT_EQ(grid->Cell(3, 1), S(u"曇り"));
    EXPECT_EQ(grid->Cell(2, 2), S(u"ハイオク"));  // other columns stay
    grid->SetCurrent(2, 6);
    form->GridCommandClick(grid, RowCommand::MoveUp);
    EXPECT_EQ(grid->Cell(1, 6), S(u"*私の愛車"));
    EXPECT_EQ(grid->Cell(2, 6), S(u"セカンドカー"));

    grid->SetCell(3, 6, S(u" 三台目,号 "));
    MessageBox::PresetAnswers({});
    form->OKButtonClick();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(book.book().lists.Car[3], S(u"三台目.号"));
    EXPECT_EQ(book.book().lists.Weather[2], QString());
}

TEST_F(SettingFormTest, DataFolderChangeSavesFirstAndNeverWritesIntoTheNewFolder) {
    TempFolder other;
    WriteBytes(other.path(), S("Setting.dat"), Sjis(S("[Car]\r\n01=*") + S(u"新車") + S("\r\n")));
    WriteLogFile(other.path(), 1, {S(u"001=0,2010/01/01,金,,,100.0,100.0,10.00,10.00,,,,,,,,,0,0,")});
    const QByteArray newLog = ReadBytes(other.file(LogFileName(1)));
    AppendRecord(book.table(), Refuel(u"2004/06/01", u"400", u"40"));
    Show();
    Edit("DataPathEdit")->setText(other.file(S("missing")));
    RefusedOk();
    EXPECT_EQ(LastMessage(),
              S(u"ﾃﾞｰﾀﾌｧｲﾙ格納ﾌｫﾙﾀﾞ \"") + other.file(S("missing/")) + S(u"\" が見つかりません。"));
    EXPECT_EQ(Edit("DataPathEdit")->text(), other.file(S("missing")));

    Edit("DataPathEdit")->setText(other.path());
    MessageBox::PresetAnswers({PromptAnswer::Yes});
    form->OKButtonClick();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(MessageBox::Log().last().caption, S(u"保存確認 - 全体"));
    EXPECT_TRUE(ReadBytes(LogPath(1)).contains(Sjis(S("2004/06/01"))));
    EXPECT_EQ(ReadBytes(other.file(LogFileName(1))), newLog);
    EXPECT_EQ(book.book().dataFolder, other.path());
    EXPECT_EQ(book.book().lists.Car[1], S(u"*新車"));
    EXPECT_EQ(book.table().RecordCount(), 0);
}

TEST_F(SettingFormTest, PrintTabRegistersAtOnceAndResets) {
    form->SetTab(SettingTab::Print);
    form->SetPrintForm(4);
    Show();
    EXPECT_EQ(form->CurrentTab(), SettingTab::Print);
    EXPECT_EQ(Child<QGroupBox>("PrintGroupBox")->title(), S(u"印刷ﾌｫｰﾑ設定 [4]"));
    EXPECT_EQ(Edit("PrintFormEdit")->text(), S(u"期間集計一覧1"));
    EXPECT_EQ(Child<QComboBox>("PrintSelectComboBox")->itemText(3), S(u"[4]期間集計一覧1"));
    SettingGrid* grid = Grid("PrintSettingStringGrid");
    Edit("PrintFormEdit")->setText(S(u"月別,集計"));
    grid->SetCell(1, 4, S(u"年,月"));
    grid->SetCell(2, 6, S("123"));
    grid->SetCell(3, 2, QString());
    form->PrintGridDblClick(1, 3);
    form->PrintGridDblClick(1, 5);
    grid->SetCurrent(5, 2);
    form->GridCommandClick(grid, RowCommand::MoveUp);
    EXPECT_EQ(grid->Cell(4, 2), S("05N"));
    Child<QPushButton>("PrintSettingSaveButton")->click();

    const QByteArray bytes = ReadBytes(folder.file(S("PrintSet.dat")));
    EXPECT_TRUE(bytes.contains(Sjis(S(u"04=月別.集計,期間集計一覧1,期間集計一覧,02,0,\r\n"))));
    EXPECT_TRUE(bytes.contains(Sjis(S(u"04_01=年月      ,01D,  ,年.月, 中 , 7,\r\n"))));
    EXPECT_TRUE(bytes.contains(Sjis(S(u"04_02=給油回数  ,02N,○,給油,  右,99,\r\n"))));
    EXPECT_TRUE(bytes.contains(Sjis(S(u"04_04=燃費      ,05N,○, 燃費,  右, 5,\r\n"))));
    EXPECT_EQ(Child<QComboBox>("PrintSelectComboBox")->itemText(3), S(u"[4]月別.集計"));
    EXPECT_EQ(grid->Cell(3, 1), S("          "));

    // Registered forms stay when the dialog is cancelled; a reset reaches the file only when saved.
    form->reject();
    EXPECT_EQ(book.book().printForms[4].name, S(u"月別.集計"));
    Show();
    Child<QComboBox>("PrintSelectComboBox")->setCurrentIndex(3);
    Child<QPushButton>("PrintSettingInitButton")->click();
    EXPECT_EQ(Edit("PrintFormEdit")->text(), S(u"期間集計一覧1"));
    EXPECT_EQ(book.book().printForms[4].name, S(u"期間集計一覧1"));
    EXPECT_EQ(ReadBytes(folder.file(S("PrintSet.dat"))), bytes);
}

TEST_F(SettingFormTest, WarningNamesAndColoursAreWorkingCopies) {
    Show();
    WhenModal(ActiveModal, [](QWidget* editor) {
        auto* edit = editor->findChild<QLineEdit*>(S("WarningText2Edit"));
        edit->setText(S(u"近い"));
        static_cast<QDialog*>(editor)->reject();
    });
    form->WarningTextItemClick();
    EXPECT_EQ(Child<QLabel>("Warning2Panel")->text(), S(u"近い"));
    TSettingForm::PresetColorAnswers({QColor(0, 128, 255), QColor(1, 2, 3)});
    Click(Child<QLabel>("Warning2Panel"), Qt::LeftButton, {}, QPoint(3, 3));
    Click(Child<QLabel>("MivraGraphColorPanel"), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(settings.WarningText[2], S(u"もうすぐ"));
    form->reject();
    Show();
    EXPECT_EQ(Child<QLabel>("Warning2Panel")->text(), S(u"もうすぐ"));

    WhenModal(ActiveModal, [](QWidget* editor) {
        editor->findChild<QLineEdit*>(S("WarningText4Edit"))->setText(S(u"余裕"));
        static_cast<QDialog*>(editor)->accept();
    });
    form->WarningTextItemClick();
    TSettingForm::PresetColorAnswers({QColor(0, 128, 255)});
    Click(Child<QLabel>("Warning4Panel"), Qt::LeftButton, {}, QPoint(3, 3));
    form->OKButtonClick();
    EXPECT_EQ(settings.WarningText[4], S(u"余裕"));
    EXPECT_EQ(settings.WarningColor[4], 0xFF8000u);
    EXPECT_EQ(store.Value(S("Setting"), S("Warning4Text")), S(u"余裕"));
}

TEST_F(SettingFormTest, FontIsAppliedAndSavedAtOnce) {
    int applied = 0;
    form->fontChanged = [&] { ++applied; };
    Show();
    TFixedFontDialog::PresetAnswers({std::nullopt, QFont(S("DejaVu Sans Mono"), 12)});
    form->FontButtonClick();
    EXPECT_EQ(applied, 0);
    form->FontButtonClick();
    EXPECT_EQ(applied, 1);
    form->reject();
    EXPECT_EQ(settings.FontName, S("DejaVu Sans Mono"));
    EXPECT_EQ(store.Value(S("Setting"), S("FontName")), S("DejaVu Sans Mono"));
    EXPECT_EQ(store.Value(S("Setting"), S("FontSize")), S("12"));
}

TEST(FixedFontDialog, OffersFontsWhoseHalfWidthLettersShareOneWidth) {
    RegisterFontSubstitutes();
    const QStringList& families = TFixedFontDialog::FixedPitchFamilies();
    EXPECT_TRUE(families.contains(S("IPAGothic"))) << families.join(S(", ")).toStdString();
    EXPECT_TRUE(families.contains(S("DejaVu Sans Mono")));
    EXPECT_FALSE(families.contains(S("DejaVu Sans")));
    EXPECT_FALSE(families.contains(S("IPAPGothic")));

    // Keeping the family the stored name stands for keeps the stored name.
    QString name = S(u"ＭＳ ゴシック");
    int size = 9;
    int style = 0;
    TFixedFontDialog::PresetAnswers({QFont(S("IPAGothic"), 11)});
    ASSERT_TRUE(TFixedFontDialog::Choose(nullptr, name, size, style));
    EXPECT_EQ(name, S(u"ＭＳ ゴシック"));
    EXPECT_EQ(size, 11);
}

TEST_F(SettingFormTest, TabLeavesTheGridsAtTheirEnds) {
    Show();
    SettingGrid* names = Grid("SettingStringGrid");
    names->setFocus();
    names->SetCurrent(1, 1);
    QTest::keyClick(names, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), Child<QPushButton>("CancelButton"));
    names->setFocus();
    names->SetCurrent(3, 2);
    QTest::keyClick(names, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), Child<QPushButton>("OKButton"));
    EXPECT_EQ(form->CurrentTab(), SettingTab::Item);
    names->setFocus();
    names->SetCurrent(10, 6);
    QTest::keyClick(names, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Child<QPushButton>("OKButton"));

    Tabs()->setCurrentIndex(1);
    SettingGrid* mainte = Grid("MainteStringGrid");
    mainte->setFocus();
    mainte->SetCurrent(50, 1);
    QTest::keyClick(mainte, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Edit("MainteEdit"));
    EXPECT_EQ(Edit("MainteEdit")->text(), QString());  // item 50 is empty

    // Enter moves on from a field, not inside the grids.
    Edit("MainteEdit")->setFocus();
    QTest::keyClick(Edit("MainteEdit"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Box("RunCheckBox"));
}

TEST_F(SettingFormTest, AnyTextInEveryFieldIsTakenWithoutACrash) {
    Show();
    Box("AllGraphCheckBox")->setChecked(false);
    Box("MivraRunScaleFixCheckBox")->setChecked(true);
    Box("JPGDispWaitTimeCheckBox")->setChecked(true);
    const QStringList texts = {S("-"),      S("1e999"),      S(u"９９"), S("99999999999999999999"),
                               S(",,,#\t"), S(u"漢字,#\\\"")};
    for (const QString& text : texts) {
        for (QLineEdit* edit : form->findChildren<QLineEdit*>()) {
            if (!edit->isReadOnly() && edit->isEnabled() && edit->objectName() != S("DataPathEdit"))
                edit->setText(text);
        }
        Grid("SettingStringGrid")->SetCell(4, 3, text);
        MessageBox::ClearLog();
        MessageBox::PresetAnswers({PromptAnswer::Ok});
        form->OKButtonClick();
        if (form->isVisible()) {
            EXPECT_EQ(MessageBox::Log().value(0).caption, S(u"設定エラー"));
        }
        MessageBox::PresetAnswers({});
        form->show();
    }
}

class SettingOpenerTest : public ::testing::Test, protected LogbookSession {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        MessageBox::Install();
        WriteCars({S(u"*私の愛車")});
        window = std::make_unique<TMivraMainForm>(settings, store);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // The start-up check follows the list's first paint; its wait window must have come and gone.
        ASSERT_TRUE(QTest::qWaitFor([this] { return window->StartupChecked(); }));
    }
    void TearDown() override { window.reset(); }

    std::unique_ptr<TMivraMainForm> window;
};

TEST_F(SettingOpenerTest, OtherWindowsOpenItOnTheirTabAndForm) {
    SettingTab shownTab = SettingTab::Current;
    QString shownForm;
    WhenModal(ActiveModal, [&](QWidget* dialog) {
        auto* form = static_cast<TSettingForm*>(dialog);
        shownTab = form->CurrentTab();
        shownForm = form->findChild<QLineEdit*>(S("PrintFormEdit"))->text();
        form->reject();
    });
    EXPECT_FALSE(OpenSettingsDialog(SettingTab::Print, 6));
    EXPECT_EQ(shownTab, SettingTab::Print);
    EXPECT_EQ(shownForm, S(u"ﾒﾝﾃﾅﾝｽ期限集計一覧1"));

    QAction* item = window->FindAction(S("SettingItem"));
    ASSERT_TRUE(item->isEnabled());
    WhenModal(ActiveModal, [&](QWidget* dialog) {
        auto* form = static_cast<TSettingForm*>(dialog);
        shownTab = form->CurrentTab();
        form->findChild<SettingGrid*>(S("SettingStringGrid"))->SetCell(2, 6, S(u"*週末車"));
        form->OKButtonClick();
    });
    item->trigger();
    EXPECT_EQ(shownTab, SettingTab::Print);  // the tab shown last
    EXPECT_EQ(window->FindAction(S("Car2Item"))->text(), S(u"&2:週末車"));
    EXPECT_EQ(window->book().book().currentCar, 2);
    EXPECT_EQ(window->windowTitle(), S(u"Tovrel - 週末車"));
}

TEST_F(SettingOpenerTest, EntryDialogNamesButtonRefillsItsListsAndKeepsTheCar) {
    TMivraInputForm* entry = window->entryDialog();
    entry->SetMode(TMivraInputForm::NewMode);
    entry->SetRecordIndex(1);
    entry->LoadRecord(FuelRecord());
    entry->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(entry));
    bool pathEnabled = true;
    WhenModal(ActiveModal, [&](QWidget* dialog) {
        auto* form = static_cast<TSettingForm*>(dialog);
        EXPECT_EQ(form->CurrentTab(), SettingTab::Item);
        pathEnabled = form->findChild<QLineEdit*>(S("DataPathEdit"))->isEnabled();
        auto* grid = form->findChild<SettingGrid*>(S("SettingStringGrid"));
        grid->SetCell(5, 1, S(u"霧"));
        grid->SetCell(2, 6, S(u"*週末車"));
        form->OKButtonClick();
    });
    entry->findChild<QPushButton*>(S("NameSetButton"))->click();
    EXPECT_FALSE(pathEnabled);
    auto* weather = entry->findChild<QComboBox*>(S("WeatherComboBox"));
    EXPECT_GE(weather->findText(S(u"霧")), 0);
    // The record being typed belongs to car 1: the car stays until the entry dialog is done.
    EXPECT_EQ(window->book().book().currentCar, 1);
    EXPECT_EQ(window->FindAction(S("Car2Item"))->text(), S(u"&2:週末車"));
    entry->reject();
}

TEST_F(SettingOpenerTest, ANewDataFolderBringsItsOwnCarsIntoTheWindow) {
    TempFolder other;
    WriteBytes(other.path(), S("Setting.dat"), Sjis(S("[Car]\r\n01=") + S(u"新車") + S("\r\n")));
    WriteLogFile(other.path(), 1, {S(u"001=0,2010/01/01,金,,,100.0,100.0,10.00,10.00,,,,,,,,,0,0,")});
    WhenModal(ActiveModal, [&](QWidget* dialog) {
        auto* form = static_cast<TSettingForm*>(dialog);
        form->findChild<QLineEdit*>(S("DataPathEdit"))->setText(other.path());
        form->OKButtonClick();
    });
    EXPECT_TRUE(window->OpenSettings(SettingTab::CalcElse));
    EXPECT_EQ(window->windowTitle(), S(u"Tovrel - 新車"));
    EXPECT_EQ(window->book().table().RecordCount(), 1);
    EXPECT_EQ(window->FindAction(S("Car1Item"))->text(), S(u"&1:新車"));

    // A folder without a registered car: no car, an empty list.
    TempFolder none;
    WriteBytes(none.path(), S("Setting.dat"), Sjis(S("[Car]\r\n")));
    WhenModal(ActiveModal, [&](QWidget* dialog) {
        auto* form = static_cast<TSettingForm*>(dialog);
        form->findChild<QLineEdit*>(S("DataPathEdit"))->setText(none.path());
        form->OKButtonClick();
    });
    EXPECT_TRUE(window->OpenSettings());
    EXPECT_EQ(window->windowTitle(), S("Tovrel"));
    EXPECT_EQ(window->book().book().currentCar, 0);
    EXPECT_EQ(window->book().table().RecordCount(), 0);
    EXPECT_FALSE(window->FindAction(S("Car1Item"))->isChecked());
}

}  // namespace
}  // namespace tovrel
