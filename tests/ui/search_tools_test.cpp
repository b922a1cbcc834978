// Search, date jump and the two range tools from the main window: the dialogs, the read-only
// search view and what leaves it.
#include "input_events.h"
#include "base/text_utils.h"
#include "data/log_file.h"
#include "session/logbook.h"
#include "test_support.h"
#include "ui/all_mivra_form.h"
#include "ui/day_search_form.h"
#include "ui/main_list_model.h"
#include "ui/main_window.h"
#include "ui/search_form.h"
#include "ui/total_run_calc_form.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/help.h"
#include "ui/widgets/list_grid.h"
#include "ui/widgets/message_box.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

namespace tovrel {
namespace {

using namespace test;

// Six records: four refuellings at three stations, two maintenance-only records.
QStringList SixRecords() {
    return {
        S(u"001=0,2004/05/"
          u"01,土,08:30,晴れ,300.0,10300.0,30.00,10.00,3000,100,レギュラー,スタンドＡ,通勤,,,,0,0,"),
        S(u"002=0,2004/05/"
          u"02,日,09:00,晴れ,360.0,10660.0,30.00,12.00,3000,100,レギュラー,スタンドＢ,通勤,,,,0,0,"),
        S(u"003=1,2004/05/05,水,10:00,雨,,,,,5500,,,,,ｴﾝｼﾞﾝｵｲﾙ交換:4000:,ショップＡ,純正品,0,0,"),
        S(u"004=0,2004/05/09,日,10:00,雨,240.0,,20.00,12.00,2000,100,ハイオク,スタンドＡ,遠出,,,高速,0,0,"),
        S(u"005=0,2004/05/"
          u"15,土,11:00,晴れ,270.0,11170.0,30.00,9.00,3000,100,レギュラー,スタンドＣ,通勤,,,,0,0,"),
        S(u"006=1,2004/05/20,木,12:00,晴れ,,,,,1500,,,,,ﾜｲﾊﾟｰ交換:1500:,ショップＡ,,0,0,"),
    };
}

// Runs the step once the dialog is the active modal window (the flows under test call exec()).
void WhenShown(QDialog* dialog, std::function<void()> step) {
    auto* timer = new QTimer(dialog);
    auto waits = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, dialog, [=] {
        if (!dialog->isVisible() || QApplication::activeModalWidget() != dialog) return;
        if (!dialog->isActiveWindow() && ++*waits < 200) {
            dialog->activateWindow();
            return;
        }
        timer->stop();
        timer->deleteLater();
        step();
    });
    timer->start(5);
}

template <typename T>
T* Child(QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

class SearchToolsTest : public ::testing::Test, protected LogbookSession {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        MessageBox::Install();
        MessageBox::ClearLog();
        WriteCars({S(u"*私の愛車"), S(u"セカンドカー")});
        WriteLog(1, SixRecords());
        WriteLog(2, {SixRecords()[0]});
        window = std::make_unique<TMivraMainForm>(settings, store);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // The start-up check follows the list's first paint; its wait window must have come and gone.
        ASSERT_TRUE(QTest::qWaitFor([this] { return window->StartupChecked(); }));
        window->activateWindow();
        original = ReadBytes(LogPath(1));
    }

    void TearDown() override {
        window.reset();
        EXPECT_EQ(MessageBox::PendingAnswers(), 0);
        MessageBox::ClearLog();
    }

    RecordTable& Table() { return window->book().table(); }
    QAction* Action(const char* name) { return window->FindAction(QLatin1String(name)); }
    QToolButton* ToolButton(const char* name) { return window->findChild<QToolButton*>(QLatin1String(name)); }
    QAbstractItemModel* Model() { return window->grid()->model(); }

    void SelectSlots(int first, int last) {
        window->grid()->selectionModel()->select(
            QItemSelection(Model()->index(MainListModel::RowOfSlot(first), 0),
                           Model()->index(MainListModel::RowOfSlot(last), 0)),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    // Searches for the station text through the toolbar's search button.
    void SearchStation(const QString& stand) {
        WhenShown(window->searchForm(), [this, stand] {
            TSearchForm* form = window->searchForm();
            Child<QComboBox>(form, "StandComboBox")->setEditText(stand);
            Child<QPushButton>(form, "OKButton")->click();
        });
        ToolButton("SearchSpeedButton")->click();
    }

    QStringList Days() {
        QStringList days;
        for (int slot = 1; slot <= Table().RecordCount(); ++slot)
            days << Table().At(slot).Day();
        return days;
    }

    std::unique_ptr<TMivraMainForm> window;
    QByteArray original;
};

TEST_F(SearchToolsTest, SearchShowsAReadOnlyResultAndShowAllRestoresTheList) {
    SelectSlots(2, 3);
    const int top = window->grid()->TopRow();
    SearchStation(S(u"スタンドＡ"));
    EXPECT_EQ(Days(), (QStringList{S(u"2004/05/01"), S(u"2004/05/09")}));
    EXPECT_EQ(window->StatusText(0), S(u"検索結果 : 2/6件"));
    EXPECT_EQ(window->StatusText(1), S(u"平均燃費 : 10.80km/L"));
    for (const char* name : {"NewItem", "EditItem", "DeleteItem", "AllMivraItem", "TotalRunCalcItem",
                             "PopAllMivraItem", "PopTotalRunCalcItem", "GasSelSyukeiItem", "StandSyukeiItem"})
        EXPECT_FALSE(Action(name)->isEnabled()) << name;
    EXPECT_TRUE(Action("AllItem")->isEnabled());
    EXPECT_TRUE(ToolButton("AllSpeedButton")->isEnabled());
    EXPECT_TRUE(Action("SearchItem")->isEnabled());
    EXPECT_EQ(settings.SaveSchStand, S(u"スタンドＡ"));
    EXPECT_EQ(store.Value(QStringLiteral("Setting"), QStringLiteral("SaveSchStand")), S(u"スタンドＡ"));

    ToolButton("AllSpeedButton")->click();
    EXPECT_EQ(Table().RecordCount(), 6);
    EXPECT_EQ(window->StatusText(0), S(u"登録件数 : 6件"));
    EXPECT_EQ(window->StatusText(1), S(u"平均燃費 : 10.64km/L"));
    EXPECT_EQ(window->grid()->SelectedRowRange(), (GridSpan{1, 2}));
    EXPECT_EQ(window->grid()->TopRow(), top);
    EXPECT_TRUE(Action("NewItem")->isEnabled());
    EXPECT_TRUE(Action("AllMivraItem")->isEnabled());
    EXPECT_FALSE(Action("AllItem")->isEnabled());
    EXPECT_FALSE(ToolButton("AllSpeedButton")->isEnabled());
    EXPECT_EQ(ReadBytes(LogPath(1)), original);
}

TEST_F(SearchToolsTest, TheDialogShowsTheStoredConditionsAndClearsThem) {
    settings.SaveSchGasSel = S(u"レギュ");
    settings.SaveSchStartDay = S(u"2004/02/30");  // no such day: the default is shown
    settings.SaveSchNoneHeikinCheck = true;
    window->book().book().lists.Stand[2] = S(u"*スタンドＺ");
    TSearchForm* form = window->searchForm();
    form->today = QDate(2004, 6, 1);
    WhenShown(form, [form] {
        EXPECT_EQ(form->windowTitle(), S(u"検索条件設定 - 私の愛車"));
        EXPECT_EQ(QApplication::focusWidget(), Child<QPushButton>(form, "OKButton"));
        EXPECT_EQ(Child<QComboBox>(form, "GasSelComboBox")->currentText(), S(u"レギュ"));
        QComboBox* stand = Child<QComboBox>(form, "StandComboBox");
        EXPECT_EQ(stand->findText(S(u"スタンドＺ")), stand->count() - 1);
        EXPECT_EQ(Child<QDateEdit>(form, "StartDateTimePicker")->text(), S(u"1990/01/01"));
        EXPECT_EQ(Child<QDateEdit>(form, "EndDateTimePicker")->text(), S(u"2004/06/01"));
        EXPECT_TRUE(Child<QCheckBox>(form, "NoneHeikinCheckBox")->isChecked());
        EXPECT_FALSE(Child<QCheckBox>(form, "GasSelShiftCheckBox")->isChecked());
        Child<QPushButton>(form, "ClearButton")->click();
        EXPECT_EQ(Child<QComboBox>(form, "GasSelComboBox")->currentText(), QString());
        EXPECT_FALSE(Child<QCheckBox>(form, "NoneHeikinCheckBox")->isChecked());
        EXPECT_TRUE(Child<QCheckBox>(form, "GasSelShiftCheckBox")->isChecked());
        EXPECT_TRUE(Child<QCheckBox>(form, "StandShiftCheckBox")->isChecked());
        // Enter moves on to the next control instead of starting the search.
        Child<QLineEdit>(form, "MemoEdit")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_TRUE(form->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    Action("SearchItem")->trigger();
    // Cancel searches nothing but keeps the conditions.
    EXPECT_FALSE(Table().IsSearchActive());
    EXPECT_TRUE(settings.GasSelShift);
    EXPECT_EQ(settings.SaveSchGasSel, QString());
    EXPECT_EQ(settings.SaveSchStartDay, S(u"1990/01/01"));
    EXPECT_EQ(settings.SaveSchEndDay, S(u"2004/06/01"));
}

TEST_F(SearchToolsTest, ShiftedStationsAreShownAndNeverSaved) {
    settings.StandShift = true;
    SearchStation(S(u"スタンドＡ"));
    // Each fill shows the station of the fill before it: 05/02 and 05/15 had been at Ａ before.
    EXPECT_EQ(Days(), (QStringList{S(u"2004/05/02"), S(u"2004/05/15")}));
    EXPECT_EQ(Table().At(1).Stand(), S(u"スタンドＡ"));

    // A second search runs over the full list, not over this result.
    settings.StandShift = false;
    SearchStation(S(u"スタンドＢ"));
    EXPECT_EQ(Days(), (QStringList{S(u"2004/05/02")}));
    EXPECT_EQ(window->StatusText(0), S(u"検索結果 : 1/6件"));

    Action("SaveItem")->trigger();
    EXPECT_FALSE(Table().IsSearchActive());
    EXPECT_TRUE(Action("EditItem")->isEnabled());
    EXPECT_EQ(window->StatusText(0), S(u"登録件数 : 6件"));
    RecordTable saved;
    QString error;
    ASSERT_TRUE(LoadLogFile(LogPath(1), saved, &error));
    ASSERT_EQ(saved.RecordCount(), 6);
    for (int slot = 1; slot <= 6; ++slot)
        EXPECT_EQ(saved.At(slot), Table().At(slot)) << slot;
    EXPECT_EQ(saved.At(1).Stand(), S(u"スタンドＡ"));
}

TEST_F(SearchToolsTest, ClosingAndSwitchingCarsLeaveTheResultWithoutWriting) {
    Table().SetText(4, ColMemo, S(u"変更"));
    SearchStation(S(u"スタンドＢ"));
    MessageBox::PresetAnswers({PromptAnswer::Cancel});
    EXPECT_FALSE(window->close());
    EXPECT_EQ(MessageBox::Log().size(), 1);
    // The full list is back, editable, with the change.
    EXPECT_EQ(Table().RecordCount(), 6);
    EXPECT_EQ(Table().At(4).Memo(), S(u"変更"));
    EXPECT_TRUE(Action("EditItem")->isEnabled());
    EXPECT_EQ(ReadBytes(LogPath(1)), original);

    Table().SetText(4, ColMemo, S(u"高速"));
    SearchStation(S(u"スタンドＢ"));
    Action("Car2Item")->trigger();
    EXPECT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(window->StatusText(0), S(u"登録件数 : 1件"));
    EXPECT_TRUE(Action("EditItem")->isEnabled());
    EXPECT_EQ(ReadBytes(LogPath(1)), original);
}

TEST_F(SearchToolsTest, JumpSelectsTheRecordOfTheDayInWhatTheListShows) {
    TDaySearchForm* form = window->daySearchForm();
    EXPECT_EQ(form->DayText(), DateToText(QDate::currentDate()));
    WhenShown(form, [form] {
        EXPECT_EQ(form->windowTitle(), S(u"指定日へｼﾞｬﾝﾌﾟ"));
        form->SetDay(QDate(2004, 5, 10));
        Child<QPushButton>(form, "OKButton")->click();
    });
    Action("JumpItem")->trigger();
    EXPECT_EQ(window->grid()->SelectedRowRange(), (GridSpan{3, 3}));
    EXPECT_EQ(window->grid()->TopRow(), 3);

    SearchStation(S(u"スタンドＡ"));
    WhenShown(form, [form] {
        EXPECT_EQ(form->DayText(), S(u"2004/05/10"));  // the last date chosen
        Child<QPushButton>(form, "OKButton")->click();
    });
    Action("JumpItem")->trigger();
    EXPECT_EQ(window->grid()->SelectedRowRange(), (GridSpan{1, 1}));
}

TEST_F(SearchToolsTest, RangeToolsNeedTwoRecordsSelected) {
    SelectSlots(6, 9);
    MessageBox::PresetAnswers({PromptAnswer::Ok, PromptAnswer::Ok});
    Action("AllMivraItem")->trigger();
    Action("PopTotalRunCalcItem")->trigger();
    ASSERT_EQ(MessageBox::Log().size(), 2);
    EXPECT_EQ(MessageBox::Log()[0].caption, S(u"範囲選択ｴﾗｰ"));
    EXPECT_EQ(MessageBox::Log()[0].text,
              S(u"まとめ燃費計算するには、複数のﾃﾞｰﾀが選択される必要があります。"));
    EXPECT_EQ(MessageBox::Log()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(MessageBox::Log()[1].text, S(u"走行距離計算するには、複数のﾃﾞｰﾀが選択される必要があります。"));
}

TEST_F(SearchToolsTest, CombinedFillWritesTheEconomyAndSharedDistances) {
    SelectSlots(1, 4);
    TAllMivraForm* form = window->allMivraForm();
    WhenShown(form, [this, form] {
        EXPECT_EQ(form->windowTitle(), S(u"まとめ燃費計算 - 私の愛車"));
        EXPECT_EQ(Child<QLabel>(form, "CautionLabel")->text(),
                  S(u"2004/05/01 ～ 2004/05/09 までの 3 回の給油ﾃﾞｰﾀを\nまとめた燃費として計算します。"));
        EXPECT_EQ(Child<QLabel>(form, "KmLLabel")->text(), S(u"km/ﾘｯﾄﾙ"));
        EXPECT_EQ(Child<QLineEdit>(form, "GasMemo")->text(), S(u"80.00"));
        EXPECT_EQ(Child<QLineEdit>(form, "MivraMemo")->text(), S(u"11.25"));
        EXPECT_EQ(Child<QLineEdit>(form, "CostMemo")->text(), S(u"8,000"));
        // The focus is in the distance, shown without grouping while edited.
        QLineEdit* run = Child<QLineEdit>(form, "RunMemo");
        EXPECT_EQ(QApplication::focusWidget(), run);
        EXPECT_EQ(run->text(), S(u"900.0"));
        run->setText(S(u"800"));
        QTest::keyClick(run, Qt::Key_Return);
        // Linked from the reading before the range: none, so the odometer stays as it was.
        EXPECT_EQ(run->text(), S(u"800.0"));
        EXPECT_EQ(Child<QLineEdit>(form, "MivraMemo")->text(), S(u"10.00"));
        // 10.00 is below the average of 10.64: red.
        EXPECT_EQ(Child<QLineEdit>(form, "MivraMemo")->palette().color(QPalette::Text), QColor(Qt::red));
        Child<QPushButton>(form, "HelpButton")->click();
        EXPECT_EQ(HelpSource(), HelpPageUrl(HelpCombinedFill));
        CloseHelp();
        Child<QPushButton>(form, "OKButton")->click();
    });
    window->AllMivraItemClick();
    EXPECT_TRUE(MessageBox::Log().isEmpty());
    EXPECT_EQ(StripGrouping(Table().At(1).Run()), S(u"300.0"));
    EXPECT_EQ(StripGrouping(Table().At(2).Run()), S(u"300.0"));
    EXPECT_EQ(StripGrouping(Table().At(4).Run()), S(u"200.0"));
    EXPECT_EQ(Table().At(1).TotalRun(), QString());
    EXPECT_EQ(Table().At(4).Economy().trimmed(), S(u"10.00"));
    EXPECT_EQ(Table().At(3).Mainte(), S(u"ｴﾝｼﾞﾝｵｲﾙ交換:4,000:"));
    EXPECT_EQ(window->StatusText(1), S(u"平均燃費 : 9.73km/L"));
    EXPECT_TRUE(window->book().HasUnsavedChanges());
}

TEST_F(SearchToolsTest, CombinedFillOfOneRefuellingCannotBeComputed) {
    SelectSlots(5, 6);
    TAllMivraForm* form = window->allMivraForm();
    WhenShown(form, [form] {
        EXPECT_FALSE(Child<QPushButton>(form, "OKButton")->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), Child<QPushButton>(form, "CancelButton"));
        Child<QPushButton>(form, "CancelButton")->click();
    });
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    window->AllMivraItemClick();
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].text, S(u"複数の燃費ﾃﾞｰﾀが選択されていません。"));
    EXPECT_FALSE(window->book().HasUnsavedChanges());
}

TEST_F(SearchToolsTest, OdometerRefusalKeepsTheDialogOpenAndTheChoicesStay) {
    SelectSlots(3, 4);  // the last refuelling of the range has no reading
    TTotalRunCalcForm* form = window->totalRunCalcForm();
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    WhenShown(form, [form] {
        EXPECT_EQ(form->windowTitle(), S(u"走行距離計算 - 私の愛車"));
        EXPECT_EQ(Child<QLabel>(form, "CautionLabel")->text(),
                  S(u"2004/05/05 ～ 2004/05/09 までの走行距離を再計算します。"));
        EXPECT_TRUE(Child<QRadioButton>(form, "BackwardRadioButton")->isChecked());
        EXPECT_EQ(QApplication::focusWidget(), Child<QPushButton>(form, "OKButton"));
        Child<QPushButton>(form, "OKButton")->click();
        EXPECT_TRUE(form->isVisible());
        Child<QRadioButton>(form, "ForwardRadioButton")->click();
        Child<QCheckBox>(form, "MainteWriteCheckBox")->click();
        Child<QPushButton>(form, "CancelButton")->click();
    });
    window->TotalRunCalcItemClick();
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, S(u"走行距離ｴﾗｰ"));
    EXPECT_FALSE(window->book().HasUnsavedChanges());

    SelectSlots(1, 5);
    WhenShown(form, [form] {
        EXPECT_TRUE(Child<QRadioButton>(form, "ForwardRadioButton")->isChecked());
        EXPECT_TRUE(Child<QCheckBox>(form, "MainteWriteCheckBox")->isChecked());
        Child<QPushButton>(form, "OKButton")->click();
    });
    window->TotalRunCalcItemClick();
    EXPECT_EQ(StripGrouping(Table().At(4).TotalRun()), S(u"10900.0"));
    EXPECT_EQ(StripGrouping(Table().At(3).TotalRun()), S(u"10762.9"));  // 3 of 7 days from 10660 to 10900
    EXPECT_EQ(StripGrouping(Table().At(5).TotalRun()), S(u"11170.0"));
}

}  // namespace
}  // namespace tovrel
