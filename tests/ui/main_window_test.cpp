// Main list window: start-up car, new/edit/delete flows, saving and closing, car switching, list colours and
// widths, CSV.
#include "ui/main_window.h"

#include "input_events.h"
#include "session/data_folder_guard.h"
#include "session/logbook.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "test_support.h"
#include "ui/entry_dialog.h"
#include "ui/main_list_model.h"
#include "ui/mivra_graph_form.h"
#include "ui/preview_form.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/file_dialog.h"
#include "ui/widgets/list_grid.h"
#include "ui/widgets/message_box.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QLockFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

namespace tovrel {
namespace {

using namespace test;

// Five records: Sat, Sun, Sun (left out of the average), Sat, and a maintenance-only Thursday.
// Average economy (300 + 360 + 270) / 90 = 10.33; odometer 10300 → 11200 in 19 days.
QStringList FiveRecords() {
    const QString tail = QStringLiteral(",3000,100,レギュラー,スタンドＡ,通勤,,,,");
    return {
        QStringLiteral("001=0,2004/05/01,土,08:30,晴れ,300.0,10300.0,30.00,10.00") + tail +
            QStringLiteral("0,0,"),
        QStringLiteral("002=0,2004/05/02,日,09:00,晴れ,360.0,10660.0,30.00,12.00") + tail +
            QStringLiteral("0,0,"),
        QStringLiteral("003=0,2004/05/09,日,10:00,雨,240.0,10900.0,30.00,8.00") + tail +
            QStringLiteral("1,0,"),
        QStringLiteral("004=0,2004/05/15,土,11:00,晴れ,270.0,11170.0,30.00,9.00") + tail +
            QStringLiteral("0,0,"),
        QStringLiteral(
            "005=1,2004/05/20,木,12:00,晴れ,,11200.0,,,5500,,,,,ｴﾝｼﾞﾝｵｲﾙ交換:4000:#ﾜｲﾊﾟｰ交換:1500:,"
            "ショップＡ,オイルは純正品#次回は秋,0,0,"),
    };
}

// Answers the entry dialog each time it shows. It runs modally inside the flow under test, so the
// answers are queued before the flow starts; a showing with no answer left is a failure and is closed.
class EntryDriver : public QObject {
public:
    using Step = std::function<void(TMivraInputForm&)>;

    explicit EntryDriver(TMivraInputForm* dialog) : m_dialog(dialog) {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &EntryDriver::Tick);
        m_timer.start();
    }

    void Queue(const Step& step) { m_steps.append(step); }
    int Shown() const { return m_shown; }
    bool Idle() const { return m_steps.isEmpty() && !m_dialog->isVisible(); }

private:
    void Tick() {
        if (m_busy || !m_dialog->isVisible() || QApplication::activeModalWidget() != m_dialog) return;
        if (!m_dialog->isActiveWindow() && ++m_waits < 200) {
            m_dialog->activateWindow();
            return;
        }
        m_waits = 0;
        m_busy = true;
        ++m_shown;
        if (m_steps.isEmpty()) {
            ADD_FAILURE() << "the entry dialog opened without an answer queued";
            m_dialog->done(QDialog::Rejected);
        } else {
            m_steps.takeFirst()(*m_dialog);
        }
        m_busy = false;
    }

    TMivraInputForm* m_dialog;
    QTimer m_timer;
    QList<Step> m_steps;
    int m_shown = 0;
    int m_waits = 0;
    bool m_busy = false;
};

QLineEdit* Edit(TMivraInputForm& dialog, const char* name) {
    return dialog.findChild<QLineEdit*>(QLatin1String(name));
}

QPushButton* Button(TMivraInputForm& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(QLatin1String(name));
}

// Replaces the field's text by typing and leaves it with Tab.
void TypeInto(TMivraInputForm& dialog, const char* name, const QString& text) {
    QLineEdit* edit = Edit(dialog, name);
    ASSERT_NE(edit, nullptr) << name;
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, edit->inputMask().isEmpty() ? Qt::Key_Delete : Qt::Key_Home);
    KeyText(QApplication::focusWidget(), text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

class MainWindowTest : public ::testing::Test, protected test::LogbookSession {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        MessageBox::Install();
        MessageBox::ClearLog();
        FileDialog::ClearLog();
    }

    void TearDown() override {
        driver.reset();
        window.reset();
        EXPECT_EQ(MessageBox::PendingAnswers(), 0);
        while (MessageBox::PendingAnswers() > 0)
            MessageBox::Ask(QString(), QString(), PromptIcon::Information, PromptButtons::Ok);
        EXPECT_EQ(FileDialog::PendingAnswers(), 0);
        FileDialog::PresetAnswers({});
        ListGrid::PresetColorAnswers({});
        MessageBox::ClearLog();
        FileDialog::ClearLog();
    }

    void SetSetting(const char* name, const QString& value) {
        store.SetValue(QStringLiteral("Setting"), QLatin1String(name), value);
    }

    // One car with the five records, the usual start.
    void OpenFive() {
        WriteCars({QStringLiteral("*私の愛車")});
        WriteLog(1, FiveRecords());
        Open();
    }

    void Open() {
        window = std::make_unique<TMivraMainForm>(settings, store);
        window->keyboardModifiers = [this] { return modifiers; };
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // The start-up check follows the list's first paint; its wait window must have come and gone.
        ASSERT_TRUE(QTest::qWaitFor([this] { return window->StartupChecked(); }));
        // The wait window of the first showing took the activation with it when it closed.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == window.get(); }));
        window->grid()->setFocus();
        driver = std::make_unique<EntryDriver>(window->entryDialog());
    }

    RecordTable& Table() { return window->book().table(); }
    ListGrid* Grid() { return window->grid(); }
    QAbstractItemModel* Model() { return window->grid()->model(); }
    QAction* Action(const char* name) {
        QAction* action = window->FindAction(QLatin1String(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    QToolButton* ToolButton(const char* name) { return window->findChild<QToolButton*>(QLatin1String(name)); }

    void SelectSlots(int first, int last) {
        Grid()->selectionModel()->select(QItemSelection(Model()->index(MainListModel::RowOfSlot(first), 0),
                                                        Model()->index(MainListModel::RowOfSlot(last), 0)),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    void KeyOnList(Qt::Key key) {
        Grid()->setFocus();
        QTest::keyClick(Grid(), key);
    }

    // Waits until every queued answer is used and the dialog is closed, then a little longer so
    // that a dialog reopened by the continuous-entry timer would be seen.
    void WaitForDialogs() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return driver->Idle(); }, 5000));
        QTest::qWait(50);
        EXPECT_TRUE(driver->Idle());
    }

    QStringList Days() {
        QStringList days;
        for (int slot = 1; slot <= Table().RecordCount(); ++slot)
            days << Table().At(slot).Day();
        return days;
    }

    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    std::unique_ptr<TMivraMainForm> window;
    std::unique_ptr<EntryDriver> driver;
};

// ---- Start-up ----

TEST_F(MainWindowTest, StartUpSelectsTheStarredCarAndShowsItsFigures) {
    WriteCars(
        {QStringLiteral("私の愛車"), QStringLiteral("*セカンドカー"), QString(), QStringLiteral("週末車")});
    WriteLog(2, FiveRecords());
    Open();

    EXPECT_EQ(window->book().book().currentCar, 2);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tovrel - セカンドカー"));
    EXPECT_TRUE(Action("Car2Item")->isChecked());
    EXPECT_TRUE(window->findChild<QAction*>(QStringLiteral("CarSel2Item"))->isChecked());
    EXPECT_FALSE(Action("Car1Item")->isChecked());
    EXPECT_EQ(Action("Car1Item")->text(), QStringLiteral("&1:私の愛車"));
    EXPECT_EQ(Action("Car2Item")->text(), QStringLiteral("&2:セカンドカー"));
    EXPECT_EQ(Action("Car3Item")->text(), QStringLiteral("- 未登録 -"));
    EXPECT_FALSE(Action("Car3Item")->isEnabled());
    EXPECT_EQ(Action("Car4Item")->text(), QStringLiteral("&4:週末車"));

    EXPECT_EQ(window->StatusText(0), QStringLiteral("登録件数 : 5件"));
    EXPECT_EQ(window->StatusText(1), QStringLiteral("平均燃費 : 10.33km/L"));
    EXPECT_EQ(window->StatusText(2), QStringLiteral("平均走行距離（生涯平均）：1,421km/月（47.4km/日）"));
    EXPECT_EQ(window->statusBar()->toolTip(), QStringLiteral("最大1000件まで登録できます。"));
    // The cursor is on the last record.
    EXPECT_EQ(Grid()->SelectedRowRange(), (GridSpan{4, 4}));
    EXPECT_TRUE(MessageBox::Log().isEmpty());
}

// The user sees the list first: the start-up check and the program icon (which decodes every size)
// come after its first paint.
TEST_F(MainWindowTest, TheListIsPaintedBeforeTheStartUpCheckAndTheIcon) {
    WriteCars({QStringLiteral("*私の愛車")});
    WriteLog(1, FiveRecords());
    QApplication::setWindowIcon(QIcon());
    window = std::make_unique<TMivraMainForm>(settings, store);
    struct FirstPaint : QObject {
        TMivraMainForm* window = nullptr;
        bool painted = false;
        bool checkedBefore = false;
        bool iconBefore = false;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint && !painted) {
                painted = true;
                checkedBefore = window->StartupChecked();
                iconBefore = !QApplication::windowIcon().isNull();
            }
            return false;
        }
    } watch;
    watch.window = window.get();
    window->grid()->viewport()->installEventFilter(&watch);
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->StartupChecked(); }));
    window->grid()->viewport()->removeEventFilter(&watch);
    EXPECT_TRUE(watch.painted);
    EXPECT_FALSE(watch.checkedBefore);
    EXPECT_FALSE(watch.iconBefore);
    EXPECT_FALSE(QApplication::windowIcon().isNull());
}

TEST_F(MainWindowTest, AFolderHeldByAnotherProgramOpensReadOnly) {
    WriteCars({QStringLiteral("*私の愛車")});
    WriteLog(1, FiveRecords());
    test::WriteBytes(folder.path(), QStringLiteral("PrintSet.dat"),
                     test::FixtureBytes(QStringLiteral("printset_default/PrintSet.dat")));
    QLockFile other(folder.file(QString::fromLatin1(kLockFileName)));
    ASSERT_TRUE(other.tryLock(0));
    DataFolderGuard guard(settings, true);
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    Open();

    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, QStringLiteral("データフォルダ使用中"));
    EXPECT_TRUE(MessageBox::Log()[0].text.contains(QStringLiteral("読み取り専用で開きます")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tovrel - 私の愛車 （読み取り専用）"));
    EXPECT_FALSE(Action("SaveItem")->isEnabled());
    EXPECT_FALSE(ToolButton("SaveSpeedButton")->isEnabled());
    EXPECT_EQ(Table().RecordCount(), 5);
    driver.reset();
    window.reset();
}

// ---- New records ----

TEST_F(MainWindowTest, NewRecordAtCapacityIsRefused) {
    OpenFive();
    Table().SetRecordCount(1000);
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    ToolButton("NewSpeedButton")->click();

    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, QStringLiteral("登録数ｵｰﾊﾞｰ"));
    EXPECT_EQ(MessageBox::Log()[0].text, QStringLiteral("1000件以上は登録できません。"));
    EXPECT_EQ(MessageBox::Log()[0].icon, PromptIcon::Error);
    EXPECT_EQ(Table().RecordCount(), 1000);
    EXPECT_EQ(driver->Shown(), 0);
}

TEST_F(MainWindowTest, NewRecordIsStoredCountedAndSortedIntoDateOrder) {
    OpenFive();
    driver->Queue([](TMivraInputForm& d) {
        EXPECT_EQ(d.CurrentMode(), TMivraInputForm::NewMode);
        EXPECT_EQ(d.RecordIndex(), 6);
        TypeInto(d, "DateTimePicker", QStringLiteral("20040503"));
        TypeInto(d, "RunMemo", QStringLiteral("330"));
        TypeInto(d, "GasMemo", QStringLiteral("30"));
        Button(d, "OkButton")->click();
    });
    Action("NewItem")->trigger();
    WaitForDialogs();

    // Dated before the last record: moved into place.
    EXPECT_EQ(Days(), QStringList({QStringLiteral("2004/05/01"), QStringLiteral("2004/05/02"),
                                   QStringLiteral("2004/05/03"), QStringLiteral("2004/05/09"),
                                   QStringLiteral("2004/05/15"), QStringLiteral("2004/05/20")}));
    EXPECT_EQ(Table().At(3).Economy().trimmed(), QStringLiteral("11.00"));
    EXPECT_EQ(window->StatusText(0), QStringLiteral("登録件数 : 6件"));
    EXPECT_EQ(window->StatusText(1), QStringLiteral("平均燃費 : 10.50km/L"));

    // Dated after it: stays last.
    driver->Queue([](TMivraInputForm& d) {
        EXPECT_EQ(d.RecordIndex(), 7);
        TypeInto(d, "DateTimePicker", QStringLiteral("20040601"));
        Button(d, "OkButton")->click();
    });
    ToolButton("NewSpeedButton")->click();
    WaitForDialogs();
    ASSERT_EQ(Table().RecordCount(), 7);
    EXPECT_EQ(Table().At(7).Day(), QStringLiteral("2004/06/01"));
    EXPECT_EQ(Table().At(6).Day(), QStringLiteral("2004/05/20"));

    // Cancel adds nothing.
    driver->Queue([](TMivraInputForm& d) { Button(d, "CancelButton")->click(); });
    ToolButton("NewSpeedButton")->click();
    WaitForDialogs();
    EXPECT_EQ(Table().RecordCount(), 7);
    EXPECT_EQ(driver->Shown(), 3);
}

TEST_F(MainWindowTest, CtrlAtOkOpensTheNextNewRecordAtOnce) {
    OpenFive();
    driver->Queue([](TMivraInputForm& d) {
        TypeInto(d, "DateTimePicker", QStringLiteral("20040601"));
        QTest::mouseClick(Button(d, "OkButton"), Qt::LeftButton, Qt::ControlModifier);
    });
    driver->Queue([](TMivraInputForm& d) {
        EXPECT_EQ(d.CurrentMode(), TMivraInputForm::NewMode);
        EXPECT_EQ(d.RecordIndex(), 7);
        EXPECT_EQ(Edit(d, "DateTimePicker")->text(), QStringLiteral("2004/06/01"));
        TypeInto(d, "DateTimePicker", QStringLiteral("20040602"));
        QTest::mouseClick(Button(d, "OkButton"), Qt::LeftButton);
    });
    KeyOnList(Qt::Key_Insert);
    WaitForDialogs();

    EXPECT_EQ(driver->Shown(), 2);
    ASSERT_EQ(Table().RecordCount(), 7);
    EXPECT_EQ(Table().At(6).Day(), QStringLiteral("2004/06/01"));
    EXPECT_EQ(Table().At(7).Day(), QStringLiteral("2004/06/02"));
    EXPECT_EQ(window->StatusText(0), QStringLiteral("登録件数 : 7件"));
}

// ---- Editing ----

TEST_F(MainWindowTest, EnterEditsTheSelectedRecordAndResortsAChangedDate) {
    OpenFive();
    SelectSlots(2, 2);
    driver->Queue([](TMivraInputForm& d) {
        EXPECT_EQ(d.CurrentMode(), TMivraInputForm::EditMode);
        EXPECT_EQ(d.RecordIndex(), 2);
        EXPECT_EQ(Edit(d, "DateTimePicker")->text(), QStringLiteral("2004/05/02"));
        TypeInto(d, "DateTimePicker", QStringLiteral("20040510"));
        Button(d, "OkButton")->click();
    });
    KeyOnList(Qt::Key_Return);
    WaitForDialogs();

    EXPECT_EQ(driver->Shown(), 1);
    ASSERT_EQ(Table().RecordCount(), 5);
    EXPECT_EQ(Days(), QStringList({QStringLiteral("2004/05/01"), QStringLiteral("2004/05/09"),
                                   QStringLiteral("2004/05/10"), QStringLiteral("2004/05/15"),
                                   QStringLiteral("2004/05/20")}));
    EXPECT_EQ(Table().At(3).Run().trimmed(), QStringLiteral("360.0"));
    EXPECT_EQ(Table().At(3).text[ColYobi], QStringLiteral("月"));
}

TEST_F(MainWindowTest, EditStoresTheRecordTheDialogMovedTo) {
    OpenFive();
    SelectSlots(2, 2);
    const FuelRecord second = Table().At(2);
    driver->Queue([](TMivraInputForm& d) {
        Button(d, "NextButton")->click();
        EXPECT_EQ(d.RecordIndex(), 3);
        EXPECT_EQ(Edit(d, "DateTimePicker")->text(), QStringLiteral("2004/05/09"));
        TypeInto(d, "RunMemo", QStringLiteral("250"));
        Button(d, "OkButton")->click();
    });
    window->EditItemClick();
    WaitForDialogs();
    EXPECT_TRUE(Table().At(2) == second);
    EXPECT_EQ(Table().At(3).Run().trimmed(), QStringLiteral("250.0"));
    EXPECT_EQ(Table().At(3).Day(), QStringLiteral("2004/05/09"));
    EXPECT_EQ(Grid()->SelectedRowRange(), (GridSpan{2, 2}));
}

TEST_F(MainWindowTest, KeypadEnterEditsLikeEnter) {
    OpenFive();
    SelectSlots(4, 4);
    driver->Queue([](TMivraInputForm& d) {
        EXPECT_EQ(d.CurrentMode(), TMivraInputForm::EditMode);
        EXPECT_EQ(d.RecordIndex(), 4);
        Button(d, "CancelButton")->click();
    });
    Grid()->setFocus();
    QTest::keyClick(Grid(), Qt::Key_Enter, Qt::KeypadModifier);
    WaitForDialogs();
    EXPECT_EQ(driver->Shown(), 1);
}

TEST_F(MainWindowTest, EditOnAnEmptyTableStartsANewRecord) {
    WriteCars({QStringLiteral("*私の愛車")});
    Open();
    ASSERT_EQ(Table().RecordCount(), 0);

    // Delete has nothing to act on.
    KeyOnList(Qt::Key_Delete);
    EXPECT_EQ(driver->Shown(), 0);
    EXPECT_TRUE(MessageBox::Log().isEmpty());

    driver->Queue([](TMivraInputForm& d) {
        EXPECT_EQ(d.CurrentMode(), TMivraInputForm::NewMode);
        EXPECT_EQ(d.RecordIndex(), 1);
        TypeInto(d, "DateTimePicker", QStringLiteral("20040601"));
        Button(d, "OkButton")->click();
    });
    KeyOnList(Qt::Key_Return);
    WaitForDialogs();
    EXPECT_EQ(Table().RecordCount(), 1);
    EXPECT_EQ(Table().At(1).Day(), QStringLiteral("2004/06/01"));
    EXPECT_EQ(window->StatusText(0), QStringLiteral("登録件数 : 1件"));
}

TEST_F(MainWindowTest, WithEditingOffTheListOnlyShowsRecords) {
    OpenFive();
    window->SetListEditable(false);
    EXPECT_FALSE(Action("EditItem")->isEnabled());
    EXPECT_FALSE(ToolButton("NewSpeedButton")->isEnabled());
    EXPECT_FALSE(ToolButton("DeleteSpeedButton")->isEnabled());
    EXPECT_TRUE(Action("AllItem")->isEnabled());

    SelectSlots(2, 2);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Insert, Qt::Key_Delete})
        KeyOnList(key);
    QTest::qWait(30);
    EXPECT_EQ(driver->Shown(), 0);
    EXPECT_EQ(Table().RecordCount(), 5);

    // A double click opens the record read-only: OK and Cancel both leave it as it was.
    const FuelRecord before = Table().At(2);
    driver->Queue([](TMivraInputForm& d) {
        EXPECT_EQ(d.CurrentMode(), TMivraInputForm::ViewMode);
        EXPECT_EQ(d.RecordIndex(), 2);
        TypeInto(d, "RunMemo", QStringLiteral("999"));
        Button(d, "OkButton")->click();
    });
    const QModelIndex cell = Model()->index(1, ColRun);
    Grid()->scrollTo(cell);
    const QPoint pos = Grid()->visualRect(cell).center();
    DoubleClick(Grid()->viewport(), pos);
    WaitForDialogs();
    driver->Queue([](TMivraInputForm& d) {
        TypeInto(d, "RunMemo", QStringLiteral("888"));
        Button(d, "CancelButton")->click();
    });
    window->EditItemClick();
    WaitForDialogs();
    EXPECT_EQ(driver->Shown(), 2);
    EXPECT_TRUE(Table().At(2) == before);
    EXPECT_FALSE(window->book().HasUnsavedChanges());

    // Beyond the records nothing starts while editing is off.
    SelectSlots(8, 8);
    window->EditItemClick();
    QTest::qWait(30);
    EXPECT_EQ(driver->Shown(), 2);
    EXPECT_TRUE(MessageBox::Log().isEmpty());
}

// ---- Deleting ----

TEST_F(MainWindowTest, DeletingOneRecordGoesThroughTheDialog) {
    OpenFive();
    SelectSlots(3, 3);
    driver->Queue([](TMivraInputForm& d) {
        EXPECT_EQ(d.CurrentMode(), TMivraInputForm::DeleteMode);
        EXPECT_EQ(d.RecordIndex(), 3);
        EXPECT_EQ(Edit(d, "DateTimePicker")->text(), QStringLiteral("2004/05/09"));
        Button(d, "CancelButton")->click();
    });
    KeyOnList(Qt::Key_Delete);
    WaitForDialogs();
    EXPECT_EQ(Table().RecordCount(), 5);

    driver->Queue([](TMivraInputForm& d) { Button(d, "OkButton")->click(); });
    SelectSlots(3, 3);
    ToolButton("DeleteSpeedButton")->click();
    WaitForDialogs();
    EXPECT_EQ(Days(), QStringList({QStringLiteral("2004/05/01"), QStringLiteral("2004/05/02"),
                                   QStringLiteral("2004/05/15"), QStringLiteral("2004/05/20")}));
    EXPECT_TRUE(Table().At(5).IsEmpty());
    EXPECT_EQ(window->StatusText(0), QStringLiteral("登録件数 : 4件"));
    EXPECT_TRUE(MessageBox::Log().isEmpty());
}

TEST_F(MainWindowTest, DeletingARangeAsksForTheDatesOfTheRecordsItReaches) {
    OpenFive();
    SelectSlots(3, 7);
    MessageBox::PresetAnswers({PromptAnswer::No});
    window->DeleteSpeedButtonClick();
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, QStringLiteral("削除確認"));
    EXPECT_EQ(MessageBox::Log()[0].text, QStringLiteral("2004/05/09 ～ 2004/05/20 のﾃﾞｰﾀを削除しますか？"));
    EXPECT_EQ(MessageBox::Log()[0].icon, PromptIcon::Question);
    EXPECT_EQ(MessageBox::Log()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(Table().RecordCount(), 5);

    MessageBox::PresetAnswers({PromptAnswer::Yes});
    window->DeleteSpeedButtonClick();
    EXPECT_EQ(Days(), QStringList({QStringLiteral("2004/05/01"), QStringLiteral("2004/05/02")}));
    for (int slot = 3; slot <= 5; ++slot)
        EXPECT_TRUE(Table().At(slot).IsEmpty()) << slot;
    EXPECT_EQ(window->StatusText(0), QStringLiteral("登録件数 : 2件"));
    EXPECT_EQ(window->StatusText(1), QStringLiteral("平均燃費 : 11.00km/L"));
    EXPECT_EQ(driver->Shown(), 0);
}

TEST_F(MainWindowTest, SelectAllTakesEveryRow) {
    OpenFive();
    Grid()->setFocus();
    QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Grid()->SelectedRowRange(), (GridSpan{0, 999}));

    MessageBox::PresetAnswers({PromptAnswer::No});
    window->DeleteSpeedButtonClick();
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].text, QStringLiteral("2004/05/01 ～ 2004/05/20 のﾃﾞｰﾀを削除しますか？"));
    EXPECT_EQ(Table().RecordCount(), 5);
}

// ---- Saving, closing and switching cars ----

TEST_F(MainWindowTest, CtrlSSavesAndThenClosingAsksNothing) {
    OpenFive();
    Table().SetText(1, ColMemo, QStringLiteral("満タン"));
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(test::ReadBytes(LogPath(1)).contains(Sjis(QStringLiteral(",満タン,0,0,"))));

    Table().SetText(2, ColMemo, QStringLiteral("洗車"));
    window->SaveItemClick();
    EXPECT_TRUE(test::ReadBytes(LogPath(1)).contains(Sjis(QStringLiteral(",洗車,0,0,"))));

    EXPECT_TRUE(window->close());
    EXPECT_TRUE(MessageBox::Log().isEmpty());
}

TEST_F(MainWindowTest, ClosingWithChangesAsksAndCancelKeepsTheWindowOpen) {
    OpenFive();
    const QByteArray original = test::ReadBytes(LogPath(1));
    Table().SetText(1, ColMemo, QStringLiteral("満タン"));

    MessageBox::PresetAnswers({PromptAnswer::Cancel});
    EXPECT_FALSE(window->close());
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, QStringLiteral("保存確認 - 全体"));
    EXPECT_EQ(MessageBox::Log()[0].text,
              QStringLiteral("「私の愛車」のﾃﾞｰﾀが変更されています。保存しますか？"));
    EXPECT_EQ(MessageBox::Log()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(MessageBox::Log()[0].buttons, PromptButtons::YesNoCancel);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Table().At(1).Memo(), QStringLiteral("満タン"));
    EXPECT_EQ(test::ReadBytes(LogPath(1)), original);

    MessageBox::PresetAnswers({PromptAnswer::Yes});
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(test::ReadBytes(LogPath(1)).contains(Sjis(QStringLiteral(",満タン,0,0,"))));
}

TEST_F(MainWindowTest, ClosingAndAnsweringNoDropsTheChanges) {
    OpenFive();
    const QByteArray original = test::ReadBytes(LogPath(1));
    Table().SetText(1, ColMemo, QStringLiteral("満タン"));
    MessageBox::PresetAnswers({PromptAnswer::No});
    EXPECT_TRUE(window->close());
    EXPECT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(test::ReadBytes(LogPath(1)), original);
}

TEST_F(MainWindowTest, AutoSaveSavesWithoutAskingUnlessShiftIsHeld) {
    SetSetting("AutoSave", QStringLiteral("1"));
    OpenFive();
    const QByteArray original = test::ReadBytes(LogPath(1));
    Table().SetText(1, ColMemo, QStringLiteral("満タン"));

    modifiers = Qt::ShiftModifier;
    MessageBox::PresetAnswers({PromptAnswer::Cancel});
    EXPECT_FALSE(window->close());
    EXPECT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(test::ReadBytes(LogPath(1)), original);

    modifiers = Qt::NoModifier;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(MessageBox::Log().size(), 1);
    EXPECT_TRUE(test::ReadBytes(LogPath(1)).contains(Sjis(QStringLiteral(",満タン,0,0,"))));
}

TEST_F(MainWindowTest, SwitchingCarsAsksToSaveAndCancelKeepsTheCar) {
    WriteCars({QStringLiteral("*私の愛車"), QStringLiteral("セカンドカー")});
    WriteLog(1, FiveRecords());
    WriteLog(2, {FiveRecords()[0]});
    Open();
    Table().SetText(1, ColMemo, QStringLiteral("満タン"));

    MessageBox::PresetAnswers({PromptAnswer::Cancel});
    Action("Car2Item")->trigger();
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, QStringLiteral("保存確認 - 全体"));
    EXPECT_EQ(MessageBox::Log()[0].text,
              QStringLiteral("「私の愛車」のﾃﾞｰﾀが変更されています。保存しますか？"));
    EXPECT_EQ(window->book().book().currentCar, 1);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tovrel - 私の愛車"));
    EXPECT_TRUE(Action("Car1Item")->isChecked());
    EXPECT_FALSE(Action("Car2Item")->isChecked());
    EXPECT_EQ(Table().At(1).Memo(), QStringLiteral("満タン"));

    // From the picture's pop-up this time; Yes saves before the switch.
    MessageBox::PresetAnswers({PromptAnswer::Yes});
    window->findChild<QAction*>(QStringLiteral("CarSel2Item"))->trigger();
    EXPECT_EQ(MessageBox::Log().size(), 2);
    EXPECT_TRUE(test::ReadBytes(LogPath(1)).contains(Sjis(QStringLiteral(",満タン,0,0,"))));
    EXPECT_EQ(window->book().book().currentCar, 2);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tovrel - セカンドカー"));
    EXPECT_TRUE(Action("Car2Item")->isChecked());
    EXPECT_TRUE(window->findChild<QAction*>(QStringLiteral("CarSel2Item"))->isChecked());
    EXPECT_EQ(window->StatusText(0), QStringLiteral("登録件数 : 1件"));

    // Nothing changed: no question.
    Action("Car1Item")->trigger();
    EXPECT_EQ(MessageBox::Log().size(), 2);
    EXPECT_EQ(window->book().book().currentCar, 1);
    EXPECT_EQ(Table().At(1).Memo(), QStringLiteral("満タン"));
}

// ---- The list ----

TEST_F(MainWindowTest, ListColoursMarkWeekendsEconomyAndMaintenanceRecords) {
    SetSetting("MivraNoColor", QString::number(0x800000));   // blue 128
    SetSetting("MainteNoColor", QString::number(0x008000));  // green 128
    OpenFive();
    QAbstractItemModelTester tester(Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    const auto color = [this](int row, int col) { return Model()->index(row, col).data(Qt::ForegroundRole); };
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);

    EXPECT_EQ(Model()->index(0, ColNo).data().toString(), QStringLiteral("   1"));
    EXPECT_EQ(color(0, ColNo), QVariant(QColor(0, 0, 128)));
    EXPECT_EQ(color(4, ColNo), QVariant(QColor(0, 128, 0)));
    EXPECT_FALSE(color(5, ColNo).isValid());

    EXPECT_EQ(color(0, ColYobi), QVariant(blue));  // 土
    EXPECT_EQ(color(1, ColYobi), QVariant(red));   // 日
    EXPECT_FALSE(color(4, ColYobi).isValid());     // 木

    // Average 10.33: 10.00 and 9.00 are below it; 8.00 is left out of the average, so blue.
    EXPECT_EQ(color(0, ColEconomy), QVariant(red));
    EXPECT_FALSE(color(1, ColEconomy).isValid());
    EXPECT_EQ(color(2, ColEconomy), QVariant(blue));
    EXPECT_EQ(color(3, ColEconomy), QVariant(red));

    // Without the average mark, the target economy marks what falls short of it.
    settings.MivraRed = false;
    settings.MokuhyoRed = true;
    window->book().book().carInfo.MokuhyoMivra = QStringLiteral("11");
    EXPECT_EQ(color(0, ColEconomy), QVariant(red));
    EXPECT_FALSE(color(1, ColEconomy).isValid());
    EXPECT_EQ(color(2, ColEconomy), QVariant(blue));
    settings.MivraRed = true;
    settings.MokuhyoRed = false;

    // A new average moves the marks: without record 2 it is 570 / 60 = 9.50.
    Table().SetNoneHeikin(2, 1);
    window->RecalcStatus();
    EXPECT_FALSE(color(0, ColEconomy).isValid());
    EXPECT_EQ(color(1, ColEconomy), QVariant(blue));
    EXPECT_EQ(color(3, ColEconomy), QVariant(red));

    for (int col = ColRun; col <= ColTanka; ++col) {
        EXPECT_TRUE(Model()->index(0, col).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                    Qt::AlignRight)
            << col;
    }
    for (int col : {int(ColDay), int(ColGasSel), int(ColMemo)}) {
        EXPECT_TRUE(Model()->index(0, col).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignLeft)
            << col;
    }

    // Hints give the whole maintenance and memo texts.
    EXPECT_EQ(Model()->index(4, ColMainte).data(Qt::ToolTipRole).toString(),
              QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換:4,000:\r\nﾜｲﾊﾟｰ交換:1,500:"));
    EXPECT_EQ(Model()->index(4, ColMemo).data(Qt::ToolTipRole).toString(),
              QStringLiteral("オイルは純正品\r\n次回は秋"));
    EXPECT_FALSE(Model()->index(0, ColMemo).data(Qt::ToolTipRole).isValid());
    EXPECT_FALSE(Model()->index(4, ColShop).data(Qt::ToolTipRole).isValid());
}

TEST_F(MainWindowTest, HeadingDoubleClickFitsTheColumnToFirstLines) {
    OpenFive();
    const QFontMetrics metrics(Grid()->font());
    const int expected = std::max(metrics.horizontalAdvance(QStringLiteral("メンテナンス")),
                                  metrics.horizontalAdvance(QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換:4,000:"))) +
                         4;
    Q_EMIT Grid()->headerDoubleClicked(ColMainte);
    EXPECT_EQ(Grid()->columnWidth(ColMainte), expected)
        << "both lines measure "
        << metrics.horizontalAdvance(QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換:4,000:  ﾜｲﾊﾟｰ交換:1,500:")) + 4;
    QTest::qWait(30);
    EXPECT_EQ(driver->Shown(), 0);
}

TEST_F(MainWindowTest, StoredWidthsApplyExceptToKeptColumns) {
    SetSetting("MivraCellSize", QStringLiteral("10,1,200,60,3,90,abc,3,,1"));
    OpenFive();
    const QVector<int> d = Grid()->DefaultWidths();
    ASSERT_EQ(d.size(), int(ColumnCount));
    QVector<int> expected = d;
    expected[ColDay] = 1;
    expected[ColRun] = 90;
    // Narrower than half the weather column, and never narrower than its widest number.
    expected[ColGas] = std::max(d[ColWeather] / 2, Grid()->NumberWidth(ColGas));
    EXPECT_GT(Grid()->NumberWidth(ColGas), 3);
    expected[ColCost] = 1;
    EXPECT_EQ(Grid()->ColumnWidths(), expected);
}

TEST_F(MainWindowTest, LongNumbersGetColumnsWideEnoughForEveryDigit) {
    WriteCars({QStringLiteral("*私の愛車")});
    WriteLog(1, {QStringLiteral("001=0,2004/05/01,土,,,,1234567.8,,,12345678,,,,,,,,0,0,")});
    Open();
    ASSERT_EQ(Table().Text(1, ColTotalRun), QStringLiteral("1,234,567.8"));
    const QFontMetrics metrics(Grid()->font());
    EXPECT_GE(Grid()->columnWidth(ColTotalRun), metrics.horizontalAdvance(QStringLiteral("1,234,567.8")) + 4);
    EXPECT_GE(Grid()->columnWidth(ColCost), metrics.horizontalAdvance(QStringLiteral("12,345,678")) + 4);
    EXPECT_GT(Grid()->columnWidth(ColTotalRun), Grid()->DefaultWidths()[ColTotalRun]);

    // A larger number typed later widens the column again; the standard width of the menu keeps it.
    Table().SetText(1, ColRun, QStringLiteral("987654321"));
    EXPECT_GE(Grid()->columnWidth(ColRun), metrics.horizontalAdvance(QStringLiteral("987,654,321")) + 4);
    Grid()->ResetAllColumnWidths();
    EXPECT_GE(Grid()->columnWidth(ColTotalRun), metrics.horizontalAdvance(QStringLiteral("1,234,567.8")) + 4);
}

TEST_F(MainWindowTest, TimeAndWeatherColumnsAreHiddenWhenNotEntered) {
    SetSetting("TimeInput", QStringLiteral("0"));
    SetSetting("WeatherInput", QStringLiteral("0"));
    SetSetting("MivraCellSize", QStringLiteral("40,85,20,50,40"));
    OpenFive();
    EXPECT_EQ(Grid()->columnWidth(ColTime), 1);
    EXPECT_EQ(Grid()->columnWidth(ColWeather), 1);
    EXPECT_EQ(Grid()->columnWidth(ColYobi), Grid()->DefaultWidth(ColYobi));
}

TEST_F(MainWindowTest, CellColourModeItemsAndWhatClosingStores) {
    store.SetValue(QStringLiteral("SGridColor"), QStringLiteral("11.MivraStringGrid"), QStringLiteral("255"));
    OpenFive();
    EXPECT_EQ(Grid()->ColumnColor(11), 255u);

    QAction* mode = window->findChild<QAction*>(QStringLiteral("CellColorModeItem"));
    QAction* setColor = window->findChild<QAction*>(QStringLiteral("CellColorSetItem"));
    QAction* undo = window->findChild<QAction*>(QStringLiteral("ColorUndoItem"));
    QAction* hide = window->findChild<QAction*>(QStringLiteral("CellHideItem"));
    QAction* width = window->findChild<QAction*>(QStringLiteral("CellWidthItem"));
    ASSERT_TRUE(mode && setColor && undo && hide && width);
    EXPECT_FALSE(mode->isChecked());
    EXPECT_FALSE(setColor->isVisible());

    mode->trigger();
    EXPECT_TRUE(mode->isChecked());
    for (QAction* a : {setColor, undo, hide, width})
        EXPECT_TRUE(a->isVisible()) << a->objectName().toStdString();
    EXPECT_TRUE(Grid()->CellColorMode());

    const auto selectCells = [this](int left, int right) {
        Grid()->selectionModel()->select(QItemSelection(Model()->index(0, left), Model()->index(1, right)),
                                         QItemSelectionModel::ClearAndSelect);
    };
    selectCells(ColRun, ColTotalRun);
    ListGrid::PresetColorAnswers({QColor(255, 255, 0)});
    setColor->trigger();
    EXPECT_EQ(Grid()->ColumnColor(ColRun), 0x00FFFFu);
    EXPECT_EQ(Grid()->ColumnColor(ColTotalRun), 0x00FFFFu);
    EXPECT_EQ(Grid()->ColumnColor(ColGas), 0u);

    selectCells(ColGasSel, ColGasSel);
    undo->trigger();
    EXPECT_EQ(Grid()->ColumnColor(ColGasSel), 0u);

    selectCells(ColStand, ColPattern);
    hide->trigger();
    EXPECT_EQ(Grid()->columnWidth(ColStand), 1);
    EXPECT_EQ(Grid()->columnWidth(ColPattern), 1);
    selectCells(ColPattern, ColPattern);
    width->trigger();
    EXPECT_EQ(Grid()->columnWidth(ColPattern), Grid()->DefaultWidth(ColPattern));

    mode->trigger();
    EXPECT_FALSE(setColor->isVisible());
    EXPECT_FALSE(Grid()->CellColorMode());

    Grid()->setColumnWidth(ColShop, 150);  // as if dragged
    QStringList widths;
    for (int col = 0; col < ColumnCount; ++col)
        widths << QString::number(col == ColStand ? 1 : col == ColShop ? 150 : Grid()->DefaultWidth(col));

    EXPECT_TRUE(window->close());
    EXPECT_EQ(store.Value(QStringLiteral("Setting"), QStringLiteral("MivraCellSize")),
              widths.join(QLatin1Char(',')));
    const auto stored = [this](int col) {
        return store.Value(QStringLiteral("SGridColor"),
                           QStringLiteral("%1.MivraStringGrid").arg(col, 2, 10, QLatin1Char('0')));
    };
    EXPECT_EQ(stored(0), QStringLiteral("0"));
    EXPECT_EQ(stored(ColRun), QString::number(0x00FFFF));
    EXPECT_EQ(stored(ColTotalRun), QString::number(0x00FFFF));
    EXPECT_EQ(stored(ColGasSel), QStringLiteral("0"));
    EXPECT_EQ(stored(ColMemo), QStringLiteral("0"));
    EXPECT_FALSE(store.Contains(QStringLiteral("SGridColor"), QStringLiteral("17.MivraStringGrid")));
}

// ---- CSV ----

TEST_F(MainWindowTest, CsvFromTheFileMenuWritesTheFileAndRemembersItsFolder) {
    WriteBytes(folder.path(), QStringLiteral("Setting.dat"),
               test::FixtureBytes(QStringLiteral("cli/csv1_file/data/Setting.dat")));
    WriteBytes(folder.path(), QStringLiteral("Mivra01.dat"),
               test::FixtureBytes(QStringLiteral("cli/csv1_file/data/Mivra01.dat")));
    Open();
    test::TempFolder out;

    FileDialog::PresetAnswers({out.file(QStringLiteral("main.csv"))});
    Action("MainFileOut1Item")->trigger();
    ASSERT_EQ(FileDialog::Log().size(), 1);
    EXPECT_EQ(QDir(FileDialog::Log()[0].dir), QDir(folder.path()));
    EXPECT_TRUE(FileDialog::Log()[0].fileName.endsWith(QStringLiteral(".csv")));
    EXPECT_EQ(test::ReadBytes(out.file(QStringLiteral("main.csv"))),
              test::FixtureBytes(QStringLiteral("cli/csv1_file/expected/out/main.csv")));
    const QString savedDir = store.Value(QStringLiteral("Setting"), QStringLiteral("SaveInitialDir"));
    EXPECT_EQ(QDir(savedDir), QDir(out.path()));

    // The next export starts in that folder; Cancel writes nothing.
    FileDialog::PresetAnswers({QString()});
    window->MainOutFileItemClick(2);
    ASSERT_EQ(FileDialog::Log().size(), 2);
    EXPECT_EQ(QDir(FileDialog::Log()[1].dir), QDir(out.path()));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList({QStringLiteral("main.csv")}));
    EXPECT_TRUE(MessageBox::Log().isEmpty());
}

// ---- Printing ----

TEST_F(MainWindowTest, PrintButtonAndItemsShowTheListInThePreview) {
    OpenFive();
    TPreviewForm* preview = window->previewForm();
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->isVisible());
    EXPECT_EQ(Action("MainPrint3Item")->text(),
              window->book().book().printForms[3].name + QStringLiteral("(&3)..."));
    ASSERT_TRUE(Action("MainPrint3Item")->isEnabled());

    Action("MainPrint3Item")->trigger();
    ASSERT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->layout().texts.title, QStringLiteral("燃費・メンテナンス一覧3"));
    EXPECT_EQ(preview->layout().texts.dateRange, QStringLiteral("2004/05/01～2004/05/20"));
    // The maintenance-only record has two jobs, but A4 portrait leaves the maintenance columns out.
    EXPECT_EQ(preview->layout().rows.size(), 5);
    EXPECT_FALSE(window->isEnabled());
    preview->close();
    EXPECT_TRUE(window->isEnabled());

    ToolButton("PrintSpeedButton")->click();
    EXPECT_EQ(preview->layout().texts.title, QStringLiteral("燃費・メンテナンス一覧1"));
    preview->close();
    EXPECT_TRUE(MessageBox::Log().isEmpty());
}

// The graph window and the preview reach the settings dialog through the main window.
TEST_F(MainWindowTest, GraphWindowAndPreviewCanOpenTheSettingsDialog) {
    OpenFive();
    EXPECT_TRUE(
        window->graphForm()->findChild<QToolButton*>(QStringLiteral("SettingSpeedButton"))->isEnabled());
    EXPECT_TRUE(window->previewForm()
                    ->findChild<QToolButton*>(QStringLiteral("PrintEnvSetSpeedButton"))
                    ->isEnabled());
}

}  // namespace
}  // namespace tovrel
