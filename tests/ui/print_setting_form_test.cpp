// Common print settings dialog: loading, enabling, margins, fonts with the working copy, the position
// checks, and storing only on 確 定.
#include "ui/print_setting_form.h"

#include "settings/settings.h"
#include "settings/settings_store.h"
#include "ui/widgets/message_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

namespace tovrel {
namespace {

class PrintSettingFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        MessageBox::ClearLog();
        dialog = std::make_unique<TPrintSettingForm>(settings, store);
    }
    void TearDown() override {
        dialog.reset();
        MessageBox::PresetAnswers({});
        MessageBox::ClearLog();
    }

    template <typename T>
    T* Child(const char* name) const {
        T* child = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    void Show() {
        dialog->show();
        QApplication::processEvents();
    }
    // Enters and leaves a margin field with the given text typed.
    QString Margin(const char* name, const QString& typed) {
        auto* memo = Child<QLineEdit>(name);
        memo->setFocus();
        QApplication::processEvents();
        memo->setText(typed);
        Child<QComboBox>("PrintFormComboBox")->setFocus();
        QApplication::processEvents();
        return memo->text();
    }

    Settings settings;
    MapSettingsStore store;
    std::unique_ptr<TPrintSettingForm> dialog;
};

TEST_F(PrintSettingFormTest, ShowsTheSettingsAndEnablesByTheirChecks) {
    settings.PrintForm = 1;
    settings.PrintName = false;
    settings.PageTopMargin = QStringLiteral("20.0");
    settings.DatePosition = 0;
    settings.TitleFontSize = 14;
    settings.TitleFontStyle = 1;
    Show();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("印刷その他の共通設定"));
    EXPECT_EQ(Child<QComboBox>("PrintFormComboBox")->currentText(),
              QStringLiteral("ｼﾝﾌﾟﾙな罫線のみのﾌｫｰﾑで印刷"));
    EXPECT_EQ(Child<QLineEdit>("TopMarginMemo")->text(), QStringLiteral("20.0"));
    EXPECT_EQ(Child<QComboBox>("DatePositionComboBox")->currentText(), QStringLiteral("左寄せ"));
    auto* title = Child<QLineEdit>("TitleFontEdit");
    EXPECT_EQ(title->text(), QStringLiteral("ＭＳ ゴシック  14ﾎﾟｲﾝﾄ"));
    EXPECT_TRUE(title->font().bold());

    EXPECT_FALSE(Child<QComboBox>("NamePositionComboBox")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>("NameFontButton")->isEnabled());
    EXPECT_TRUE(Child<QComboBox>("MonthPositionComboBox")->isEnabled());
    Child<QCheckBox>("PrintPageCheckBox")->setChecked(false);
    EXPECT_FALSE(Child<QComboBox>("PagePositionComboBox")->isEnabled());
    EXPECT_FALSE(Child<QLineEdit>("PageFontEdit")->isEnabled());
    Child<QCheckBox>("PrintNameCheckBox")->setChecked(true);
    EXPECT_TRUE(Child<QLineEdit>("NameFontEdit")->isEnabled());
}

TEST_F(PrintSettingFormTest, MarginsAreRoundedToWholeMillimetresWhenLeft) {
    Show();
    EXPECT_EQ(Margin("TopMarginMemo", QStringLiteral("12.6")), QStringLiteral("13"));
    EXPECT_EQ(Margin("BottomMarginMemo", QStringLiteral("12.5")), QStringLiteral("13"));
    EXPECT_EQ(Margin("LeftMarginMemo", QStringLiteral("１２３４")), QStringLiteral("1,234"));
    EXPECT_EQ(Margin("RightMarginMemo", QStringLiteral("幅")), QStringLiteral("10"));
    // Entering takes the grouping off again.
    auto* left = Child<QLineEdit>("LeftMarginMemo");
    left->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(left->text(), QStringLiteral("1234"));

    Child<QPushButton>("OkButton")->click();
    EXPECT_EQ(settings.PageTopMargin, QStringLiteral("13"));
    EXPECT_EQ(settings.PageLeftMargin, QStringLiteral("1,234"));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(PrintSettingFormTest, FontButtonsChangeOnlyTheWorkingCopyUntilConfirmed) {
    dialog->chooseFont = [](QWidget*, QString& name, int& size, int& style) {
        name = QStringLiteral("IPAMincho");
        size = 11;
        style = 2;
        return true;
    };
    Show();
    dialog->FontButtonClick(TPrintSettingForm::ListFont);
    EXPECT_EQ(Child<QLineEdit>("ListFontEdit")->text(), QStringLiteral("IPAMincho  11ﾎﾟｲﾝﾄ"));
    Child<QPushButton>("CancelButton")->click();
    EXPECT_EQ(settings.ListFontName, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(settings.ListFontSize, 9);

    Show();
    EXPECT_EQ(Child<QLineEdit>("ListFontEdit")->text(), QStringLiteral("ＭＳ ゴシック  9ﾎﾟｲﾝﾄ"));
    dialog->FontButtonClick(TPrintSettingForm::DateFont);
    dialog->chooseFont = [](QWidget*, QString&, int&, int&) { return false; };
    dialog->FontButtonClick(TPrintSettingForm::TitleFont);
    dialog->OkButtonClick();
    EXPECT_EQ(settings.DateFontName, QStringLiteral("IPAMincho"));
    EXPECT_EQ(settings.DateFontSize, 11);
    EXPECT_EQ(settings.DateFontStyle, 2);
    EXPECT_EQ(settings.TitleFontName, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(settings.ListFontSize, 9);
}

TEST_F(PrintSettingFormTest, PositionsOnTheSameLineMustDiffer) {
    Show();
    auto* page = Child<QComboBox>("PagePositionComboBox");
    auto* date = Child<QComboBox>("DatePositionComboBox");
    auto* name = Child<QComboBox>("NamePositionComboBox");
    auto* month = Child<QComboBox>("MonthPositionComboBox");
    page->setCurrentIndex(2);
    date->setCurrentIndex(2);
    name->setCurrentIndex(1);
    month->setCurrentIndex(1);

    MessageBox::PresetAnswers({PromptAnswer::Ok, PromptAnswer::Ok});
    dialog->OkButtonClick();
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, QStringLiteral("設定エラー"));
    EXPECT_EQ(MessageBox::Log()[0].icon, PromptIcon::Warning);
    // Both fail: the car name message is the one shown.
    EXPECT_EQ(MessageBox::Log()[0].text,
              QStringLiteral("[愛車名]と[一覧表日付]の印刷位置を同じ設定にする事はできません。"));
    Child<QCheckBox>("PrintNameCheckBox")->setChecked(false);
    dialog->OkButtonClick();
    EXPECT_EQ(MessageBox::Log()[1].text,
              QStringLiteral("[ﾍﾟｰｼﾞ数]と[印刷日付]の印刷位置を同じ設定にする事はできません。"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(settings.PagePosition, 1);

    // With the print date off its position box is disabled and no longer counts.
    Child<QCheckBox>("PrintDateCheckBox")->setChecked(false);
    dialog->OkButtonClick();
    EXPECT_EQ(MessageBox::Log().size(), 2);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(settings.PagePosition, 2);
    EXPECT_FALSE(settings.PrintDate);
    EXPECT_FALSE(settings.PrintName);
    EXPECT_EQ(settings.NamePosition, 1);
}

}  // namespace
}  // namespace tovrel
