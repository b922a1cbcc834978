// Car information dialog: showing, number and date fields, the check list, the memo, OK and Cancel,
// and its openers on the main window.
#include "ui/car_info_form.h"

#include "input_events.h"
#include "test_support.h"
#include "ui/main_list_model.h"
#include "ui/main_window.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/list_grid.h"
#include "ui/widgets/message_box.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <memory>

namespace tovrel {
namespace {

using namespace test;

QString Flags(std::initializer_list<int> checked) {
    QString flags;
    for (int k = 1; k <= kMainteCount; ++k)
        flags += (std::find(checked.begin(), checked.end(), k) != checked.end() ? QStringLiteral("1,")
                                                                                : QStringLiteral("0,"));
    return flags;
}

class CarInfoFormTest : public ::testing::Test, protected LogbookSession {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        MessageBox::ClearLog();
        ASSERT_TRUE(StartAndSelect(1));
        dialog = std::make_unique<TCarInfoForm>(book);
    }

    void TearDown() override {
        dialog.reset();
        EXPECT_EQ(MessageBox::PendingAnswers(), 0);
        while (MessageBox::PendingAnswers() > 0)
            MessageBox::Ask(QString(), QString(), PromptIcon::Information, PromptButtons::Ok);
        MessageBox::ClearLog();
    }

    void Open() {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        QApplication::processEvents();
    }

    template <typename T>
    T* Find(const char* name) const {
        T* widget = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
    QListWidget* CheckList() const { return Find<QListWidget>("MainteCheckListBox"); }
    QPlainTextEdit* Memo() const { return Find<QPlainTextEdit>("CarMemoRichEdit"); }

    // Focus into the field, replace its text by typing, and leave it with Tab.
    void TypeAndLeave(QLineEdit* edit, const QString& text) {
        edit->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        edit->selectAll();
        QTest::keyClick(edit, edit->inputMask().isEmpty() ? Qt::Key_Delete : Qt::Key_Home);
        KeyText(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QApplication::processEvents();
    }

    void ClickOk() {
        Find<QPushButton>("OkButton")->click();
        QApplication::processEvents();
    }

    QPoint ItemPoint(int row, int x) const {
        const QRect rect = CheckList()->visualItemRect(CheckList()->item(row));
        return QPoint(rect.left() + x, rect.center().y());
    }

    QString MemoPath() const { return folder.file(QStringLiteral("CarMemo01.dat")); }
    QString InfoPath() const { return folder.file(QStringLiteral("CarInfo01.dat")); }

    std::unique_ptr<TCarInfoForm> dialog;
};

TEST_F(CarInfoFormTest, ShowingFillsTheFieldsFromTheCarInformation) {
    CarInfo& info = book.book().carInfo;
    info.Maker = S(u"ﾒｰｶｰＡ");
    info.NousyaDate = QStringLiteral("2004/04/01");
    info.NousyaRun = QStringLiteral("12345.7");
    info.MokuhyoMivra = QStringLiteral("15");
    info.MainteCheck[1] = 1;
    info.MainteCheck[18] = 1;
    WriteBytes(folder.path(), QStringLiteral("CarMemo01.dat"),
               SjisLines({S(u"購入店：ショップＡ"), S(u"２行目")}));
    Open();

    EXPECT_EQ(dialog->windowTitle(), S(u"愛車情報 - 私の愛車"));
    // With no name of its own, the car list entry is shown as stored.
    EXPECT_EQ(Edit("MyCarNameEdit")->text(), S(u"*私の愛車"));
    EXPECT_EQ(Edit("MakerEdit")->text(), S(u"ﾒｰｶｰＡ"));
    EXPECT_EQ(Edit("TourokuDateMaskEdit")->displayText(), QStringLiteral("    /  /  "));
    EXPECT_EQ(Edit("NousyaDateMaskEdit")->displayText(), QStringLiteral("2004/04/01"));
    EXPECT_EQ(Edit("NousyaRunMemo")->text(), QStringLiteral("12,345.7"));
    EXPECT_EQ(Edit("MokuhyoMivraMemo")->text(), QStringLiteral("15.00"));
    EXPECT_EQ(Find<QLabel>("RunUnitLabel")->text(), QStringLiteral("km"));
    EXPECT_EQ(QApplication::focusWidget(), Edit("MyCarNameEdit"));

    ASSERT_EQ(CheckList()->count(), kMainteCount);
    EXPECT_EQ(CheckList()->item(0)->text(), S(u"ｴﾝｼﾞﾝｵｲﾙ交換"));
    EXPECT_EQ(CheckList()->item(17)->text(), S(u"車検"));
    EXPECT_EQ(CheckList()->item(15)->text(), QString());
    for (int row = 0; row < kMainteCount; ++row)
        EXPECT_EQ(CheckList()->item(row)->checkState() == Qt::Checked, row == 0 || row == 17) << row;
    EXPECT_EQ(Memo()->toPlainText(), S(u"購入店：ショップＡ\n２行目"));
    EXPECT_FALSE(Memo()->isReadOnly());
    EXPECT_TRUE(MessageBox::Log().isEmpty());

    // Each showing reads the names and values again.
    dialog->reject();
    book.book().mainte[1].name = S(u"*ｵｲﾙ");
    info.MainteCheck[1] = 0;
    QFile::remove(MemoPath());
    Open();
    EXPECT_EQ(CheckList()->item(0)->text(), S(u"ｵｲﾙ"));
    EXPECT_EQ(CheckList()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(Memo()->toPlainText(), QString());
}

TEST_F(CarInfoFormTest, OkStoresTheCarInformationAndMemoFiles) {
    const QSignalSpy accepted(dialog.get(), &QDialog::accepted);
    Open();
    TypeAndLeave(Edit("MyCarNameEdit"), S(u"ワゴン 2.0 GT"));
    TypeAndLeave(Edit("MakerEdit"), S(u"ﾒｰｶｰ"));
    TypeAndLeave(Edit("NumberEdit"), S(u"品川 300 あ 12-34"));
    TypeAndLeave(Edit("TourokuDateMaskEdit"), QStringLiteral("20040220"));
    TypeAndLeave(Edit("NousyaRunMemo"), QStringLiteral("12345.67"));
    EXPECT_EQ(Edit("NousyaRunMemo")->text(), QStringLiteral("12,345.7"));
    TypeAndLeave(Edit("MokuhyoMivraMemo"), QStringLiteral("15"));
    EXPECT_EQ(Edit("MokuhyoMivraMemo")->text(), QStringLiteral("15.00"));
    CheckList()->item(1)->setCheckState(Qt::Checked);
    CheckList()->item(49)->setCheckState(Qt::Checked);
    Memo()->setFocus();
    KeyText(Memo(), S(u"車検"));
    QTest::keyClick(Memo(), Qt::Key_Return);
    KeyText(Memo(), QStringLiteral("2006/04"));
    EXPECT_EQ(Memo()->toPlainText(), S(u"車検\n2006/04"));
    ClickOk();

    EXPECT_EQ(accepted.count(), 1);
    EXPECT_TRUE(MessageBox::Log().isEmpty());
    EXPECT_EQ(
        ReadBytes(InfoPath()),
        SjisLines({S(u"[MyCarInfo]"), S(u"MyCarName=ワゴン 2.0 GT"), S(u"Maker=ﾒｰｶｰ"),
                   S(u"Number=品川 300 あ 12-34"), S(u"TourokuDate=2004/02/20"), S(u"NousyaDate=    /  /  "),
                   S(u"NousyaRun=12345.7"), QStringLiteral("MainteCheck=") + Flags({2, 50}),
                   S(u"MokuhyoMivra=15.00"), S(u"MyCarJpg=")}));
    EXPECT_EQ(ReadBytes(MemoPath()), SjisLines({S(u"車検"), QStringLiteral("2006/04")}));
    EXPECT_EQ(book.book().carInfo.NousyaRun, QStringLiteral("12345.7"));
    EXPECT_EQ(book.TargetEconomy(), 15.0);

    // What was stored comes back the same, and storing it again changes no byte.
    const QByteArray info = ReadBytes(InfoPath());
    book.book().LoadCarInfo();
    Open();
    EXPECT_EQ(Edit("NousyaRunMemo")->text(), QStringLiteral("12,345.7"));
    EXPECT_EQ(Edit("TourokuDateMaskEdit")->displayText(), QStringLiteral("2004/02/20"));
    EXPECT_EQ(CheckList()->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(Memo()->toPlainText(), S(u"車検\n2006/04"));
    ClickOk();
    EXPECT_EQ(ReadBytes(InfoPath()), info);
    EXPECT_EQ(ReadBytes(MemoPath()), SjisLines({S(u"車検"), QStringLiteral("2006/04")}));
}

TEST_F(CarInfoFormTest, NumberFieldsEditWithoutSeparatorsAndTakeNoLineFeed) {
    book.book().carInfo.NousyaRun = QStringLiteral("1234567");
    Open();
    QLineEdit* run = Edit("NousyaRunMemo");
    EXPECT_EQ(run->text(), QStringLiteral("1,234,567.0"));
    run->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(run->text(), QStringLiteral("1234567.0"));
    EXPECT_EQ(run->selectedText(), QStringLiteral("1234567.0"));

    QTest::keyClick(run, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), run);
    EXPECT_EQ(run->text(), QStringLiteral("1234567.0"));
    // Enter and Shift+Enter move between the fields, leaving them as Tab does.
    QTest::keyClick(run, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Edit("MokuhyoMivraMemo"));
    EXPECT_EQ(run->text(), QStringLiteral("1,234,567.0"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), run);

    TypeAndLeave(Edit("MokuhyoMivraMemo"), S(u"ｶﾞｿﾘﾝ"));
    EXPECT_EQ(Edit("MokuhyoMivraMemo")->text(), QStringLiteral("0.00"));
    // OK with the focus still in a field (its access key): the field is left first.
    QLineEdit* target = Edit("MokuhyoMivraMemo");
    target->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    target->selectAll();
    KeyText(target, QStringLiteral("14.456"));
    ClickOk();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(book.book().carInfo.MokuhyoMivra, QStringLiteral("14.46"));
    EXPECT_EQ(book.book().carInfo.NousyaRun, QStringLiteral("1234567.0"));
}

TEST_F(CarInfoFormTest, ImpossibleDatesAreRefusedAndBlankOnesAccepted) {
    Open();
    QLineEdit* touroku = Edit("TourokuDateMaskEdit");
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    TypeAndLeave(touroku, QStringLiteral("20040230"));
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, S(u"入力ｴﾗｰ"));
    EXPECT_EQ(MessageBox::Log()[0].text, S(u"日付を正しく入力してください。"));
    EXPECT_EQ(MessageBox::Log()[0].icon, PromptIcon::Error);
    EXPECT_EQ(QApplication::focusWidget(), touroku);
    EXPECT_EQ(touroku->displayText(), QStringLiteral("2004/02/30"));

    // Home empties the mask; a blank date is fine.
    QTest::keyClick(touroku, Qt::Key_Home);
    EXPECT_EQ(touroku->displayText(), QStringLiteral("    /  /  "));
    QTest::keyClick(touroku, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(MessageBox::Log().size(), 1);

    // A valid date is kept as typed.
    TypeAndLeave(Edit("NousyaDateMaskEdit"), QStringLiteral("20040401"));
    EXPECT_EQ(MessageBox::Log().size(), 1);

    // OK refuses a bad date typed without leaving the field, and stores nothing.
    QLineEdit* nousya = Edit("NousyaDateMaskEdit");
    nousya->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QTest::keyClick(nousya, Qt::Key_Home);
    KeyText(nousya, QStringLiteral("20041331"));
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    ClickOk();
    EXPECT_EQ(MessageBox::Log().size(), 2);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), nousya);
    EXPECT_FALSE(QFile::exists(InfoPath()));

    // Leaving a bad date for Cancel asks nothing: the typing is thrown away.
    Find<QPushButton>("CancelButton")->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    Find<QPushButton>("CancelButton")->click();
    QApplication::processEvents();
    EXPECT_EQ(MessageBox::Log().size(), 2);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(QFile::exists(InfoPath()));
}

TEST_F(CarInfoFormTest, PressingAnItemsTextTogglesItsCheck) {
    Open();
    QWidget* viewport = CheckList()->viewport();
    QListWidgetItem* item = CheckList()->item(2);
    ASSERT_EQ(item->checkState(), Qt::Unchecked);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, ItemPoint(2, 60));
    EXPECT_EQ(item->checkState(), Qt::Checked);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, ItemPoint(2, 60));
    EXPECT_EQ(item->checkState(), Qt::Unchecked);
    // A double click is two presses.
    DoubleClick(viewport, ItemPoint(2, 60));
    EXPECT_EQ(item->checkState(), Qt::Unchecked);
    // The right button only selects.
    QTest::mouseClick(viewport, Qt::RightButton, {}, ItemPoint(2, 60));
    EXPECT_EQ(item->checkState(), Qt::Unchecked);

    // The box toggles once, as it always does.
    QStyleOptionViewItem option;
    option.initFrom(CheckList());
    option.rect = CheckList()->visualItemRect(CheckList()->item(4));
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    const QPoint box = CheckList()
                           ->style()
                           ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, CheckList())
                           .center();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, box);
    EXPECT_EQ(CheckList()->item(4)->checkState(), Qt::Checked);

    // The space bar toggles the current item.
    CheckList()->setFocus();
    CheckList()->setCurrentRow(6);
    QTest::keyClick(CheckList(), Qt::Key_Space);
    EXPECT_EQ(CheckList()->item(6)->checkState(), Qt::Checked);

    ClickOk();
    EXPECT_EQ(book.book().carInfo.MainteCheck[3], 0);
    EXPECT_EQ(book.book().carInfo.MainteCheck[5], 1);
    EXPECT_EQ(book.book().carInfo.MainteCheck[7], 1);
}

TEST_F(CarInfoFormTest, RichTextMemoShowsItsTextAndIsStoredAsPlainText) {
    WriteBytes(
        folder.path(), QStringLiteral("CarMemo01.dat"),
        "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033\\deflangfe1041{\\fonttbl{\\f0\\fmodern\\fprq1"
        "\\fcharset128 \\'82\\'6c\\'82\\'72 \\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}\r\n"
        "\\viewkind4\\uc1\\pard\\lang1041\\f0\\fs18 \\'8e\\'9f\\'89\\'f1\\'8e\\'d4\\'8c\\'9f 2006/04\\par\r\n"
        "{\\b \\'83\\'49\\'83\\'43\\'83\\'8b}:5W-30\\par\r\n}\r\n");
    Open();
    EXPECT_EQ(Memo()->toPlainText(), S(u"次回車検 2006/04\nオイル:5W-30"));
    EXPECT_FALSE(Memo()->isReadOnly());
    ClickOk();
    EXPECT_EQ(ReadBytes(MemoPath()), SjisLines({S(u"次回車検 2006/04"), S(u"オイル:5W-30")}));
}

TEST_F(CarInfoFormTest, AMemoThatIsNoTextIsShownButNeverWritten) {
    const QByteArray utf8 = S(u"車検は来年\r\n").toUtf8();
    WriteBytes(folder.path(), QStringLiteral("CarMemo01.dat"), utf8);
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    Open();
    EXPECT_TRUE(QTest::qWaitFor([] { return MessageBox::PendingAnswers() == 0; }, 1000));
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].icon, PromptIcon::Warning);
    EXPECT_TRUE(MessageBox::Log()[0].text.contains(QStringLiteral("CarMemo01.dat")));
    EXPECT_TRUE(Memo()->isReadOnly());
    EXPECT_TRUE(dialog->MemoLocked());

    TypeAndLeave(Edit("MakerEdit"), QStringLiteral("X"));
    ClickOk();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(ReadBytes(MemoPath()), utf8);
    EXPECT_EQ(book.book().carInfo.Maker, QStringLiteral("X"));
}

TEST_F(CarInfoFormTest, CancelAndEscapeKeepNothing) {
    book.book().carInfo.Maker = QStringLiteral("A");
    WriteBytes(folder.path(), QStringLiteral("CarMemo01.dat"), SjisLines({QStringLiteral("memo")}));
    Open();
    TypeAndLeave(Edit("MakerEdit"), QStringLiteral("B"));
    TypeAndLeave(Edit("MokuhyoMivraMemo"), QStringLiteral("20"));
    CheckList()->item(0)->setCheckState(Qt::Checked);
    Memo()->setPlainText(QStringLiteral("changed"));
    QTest::keyClick(Edit("MakerEdit"), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(book.book().carInfo.Maker, QStringLiteral("A"));
    EXPECT_EQ(book.book().carInfo.MainteCheck[1], 0);
    EXPECT_FALSE(QFile::exists(InfoPath()));
    EXPECT_EQ(ReadBytes(MemoPath()), SjisLines({QStringLiteral("memo")}));

    Open();
    EXPECT_EQ(Edit("MakerEdit")->text(), QStringLiteral("A"));
    EXPECT_EQ(Edit("MokuhyoMivraMemo")->text(), QStringLiteral("0.00"));
    EXPECT_EQ(Memo()->toPlainText(), QStringLiteral("memo"));
    Find<QPushButton>("CancelButton")->click();
}

TEST_F(CarInfoFormTest, AFailedWriteKeepsTheDialogOpenAndTheOldValues) {
    book.book().carInfo.Maker = QStringLiteral("A");
    QDir(folder.path()).mkdir(QStringLiteral("CarInfo01.dat"));  // cannot be replaced by a file
    Open();
    TypeAndLeave(Edit("MakerEdit"), QStringLiteral("B"));
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    ClickOk();
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].icon, PromptIcon::Error);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(book.book().carInfo.Maker, QStringLiteral("A"));
    EXPECT_FALSE(QFile::exists(MemoPath()));
    dialog->reject();
}

TEST_F(CarInfoFormTest, EveryFieldTakesAnyTextWithoutACrash) {
    const QStringList texts = {
        S(u"=[MyCarInfo]\r\n#,,;"),      S(u"ｱｲｳ漢字１２３，．－"),
        QString(300, QChar(0x8ECA)),     S(u"\U0001F697 émoji ½"),
        QStringLiteral("1e400"),         QStringLiteral("-0.05"),
        QStringLiteral("\\'82{\\rtf1}"), QString(QChar(0)) + QStringLiteral("\t"),
    };
    for (const QString& text : texts) {
        QString typed = text;
        typed.removeIf([](QChar c) { return c.unicode() < 0x20; });
        Open();
        for (const char* name : {"MyCarNameEdit", "MakerEdit", "NumberEdit", "TourokuDateMaskEdit",
                                 "NousyaDateMaskEdit", "NousyaRunMemo", "MokuhyoMivraMemo"}) {
            QLineEdit* edit = Edit(name);
            edit->setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
            edit->selectAll();
            KeyText(edit, typed);
            edit->insert(text);  // as pasted
            // A refused date would keep the focus; dates have their own test.
            if (!edit->inputMask().isEmpty()) QTest::keyClick(edit, Qt::Key_Home);
            QTest::keyClick(edit, Qt::Key_Tab);
            QApplication::processEvents();
        }
        Memo()->setPlainText(text);
        KeyText(Memo(), typed);
        ClickOk();
        EXPECT_FALSE(dialog->isVisible()) << text.toStdString();
        EXPECT_TRUE(MessageBox::Log().isEmpty());

        // The stored values read back as they were stored.
        const CarInfo stored = book.book().carInfo;
        book.book().LoadCarInfo();
        EXPECT_EQ(book.book().carInfo.NousyaRun, stored.NousyaRun) << text.toStdString();
        EXPECT_EQ(book.book().carInfo.MokuhyoMivra, stored.MokuhyoMivra) << text.toStdString();
        EXPECT_FALSE(stored.NousyaRun.contains(QLatin1Char(','))) << text.toStdString();
    }
}

// ---- On the main window ----

class CarInfoOpenerTest : public ::testing::Test, protected LogbookSession {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        MessageBox::Install();
        MessageBox::ClearLog();
    }
    void TearDown() override {
        window.reset();
        MessageBox::ClearLog();
    }

    void Open() {
        window = std::make_unique<TMivraMainForm>(settings, store);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // The start-up check follows the list's first paint; its wait window must have come and gone.
        ASSERT_TRUE(QTest::qWaitFor([this] { return window->StartupChecked(); }));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == window.get(); }));
    }

    // Runs the step on the car information dialog once it is the modal window, from inside its exec().
    void WhenShown(const std::function<void(TCarInfoForm&)>& step) {
        auto* timer = new QTimer(window.get());
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
            auto* form = qobject_cast<TCarInfoForm*>(QApplication::activeModalWidget());
            if (!form || !form->isVisible()) return;
            timer->stop();
            timer->deleteLater();
            step(*form);
        });
        timer->start();
    }

    std::unique_ptr<TMivraMainForm> window;
};

TEST_F(CarInfoOpenerTest, MenuItemAndButtonOpenTheDialogAndOkRepaintsTheList) {
    WriteCars({QStringLiteral("*私の愛車")});
    WriteLog(1, {LogLine(1, Refuel(u"2004/05/01", u"300.0", u"30.00", u"10.00")),
                 LogLine(2, Refuel(u"2004/05/08", u"360.0", u"30.00", u"12.00"))});
    store.SetValue(QStringLiteral("Setting"), QStringLiteral("MivraRed"), QStringLiteral("0"));
    store.SetValue(QStringLiteral("Setting"), QStringLiteral("MokuhyoRed"), QStringLiteral("1"));
    Open();
    QAction* item = window->FindAction(QStringLiteral("CarInfoItem"));
    auto* button = window->findChild<QToolButton*>(QStringLiteral("CarInfoSpeedButton"));
    ASSERT_NE(item, nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(item->isEnabled());
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(item->text(), S(u"愛車情報(&J)..."));

    QAbstractItemModel* model = window->grid()->model();
    const auto economyColor = [model](int row) {
        return model->index(row, ColEconomy).data(Qt::ForegroundRole);
    };
    EXPECT_FALSE(economyColor(0).isValid());
    QSignalSpy repaints(model, &QAbstractItemModel::dataChanged);

    WhenShown([](TCarInfoForm& form) {
        QLineEdit* target = form.findChild<QLineEdit*>(QStringLiteral("MokuhyoMivraMemo"));
        target->setText(QStringLiteral("11"));
        form.findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
    });
    item->trigger();
    EXPECT_FALSE(repaints.isEmpty());
    EXPECT_EQ(window->book().book().carInfo.MokuhyoMivra, QStringLiteral("11.00"));
    EXPECT_EQ(economyColor(0), QVariant(QColor(255, 0, 0)));
    EXPECT_FALSE(economyColor(1).isValid());

    // The button opens it too; Cancel repaints nothing.
    repaints.clear();
    bool shown = false;
    WhenShown([&shown](TCarInfoForm& form) {
        shown = true;
        form.findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    });
    button->click();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(repaints.isEmpty());
}

TEST_F(CarInfoOpenerTest, WithoutACarThereIsNothingToOpen) {
    WriteCars({QString()});
    Open();
    EXPECT_EQ(window->book().book().currentCar, 0);
    EXPECT_FALSE(window->FindAction(QStringLiteral("CarInfoItem"))->isEnabled());
    EXPECT_FALSE(window->findChild<QToolButton*>(QStringLiteral("CarInfoSpeedButton"))->isEnabled());
}

}  // namespace
}  // namespace tovrel
