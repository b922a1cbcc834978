// Start-up warnings window and the warning-name editor.
#include "ui/warning_form.h"

#include "session/logbook.h"
#include "settings/settings_store.h"
#include "test_support.h"
#include "ui/warning_text_form.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/colors.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <memory>

namespace tovrel {
namespace {

class WarningFormTest : public ::testing::Test, protected test::LogbookSession {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        mainWindow.show();
        form = std::make_unique<TWarningForm>(book, &mainWindow);
    }

    QWidget mainWindow;
    std::unique_ptr<TWarningForm> form;
};

TEST_F(WarningFormTest, EachLineKeepsItsColour) {
    StartupWarnings warnings;
    warnings.lines = {
        {QStringLiteral("【私の愛車】"), kWindowTextColor},
        {QStringLiteral("ｵｲﾙ交換期限の日数が、すぎちゃった（残り：-5日：105.0%）です。"), 255},
        {QStringLiteral("最終日付：2024/01/10"), 255},
        {QString(), 255},
        {QStringLiteral("ﾀｲﾔ交換期限の走行距離が、もうすぐ（残り：300km：94.0%）です。"), 0xFF0000},
    };
    warnings.status = QStringLiteral("すぎちゃった：1件  もうすぐ：1件  ");
    form->SetWarnings(warnings);

    QStringList expected;
    for (const WarningLine& line : warnings.lines)
        expected.append(line.text);
    EXPECT_EQ(form->Lines(), expected);
    EXPECT_EQ(form->LineColor(0), ColorFromValue(kWindowTextColor));
    EXPECT_EQ(form->LineColor(1), QColor(255, 0, 0));
    EXPECT_EQ(form->LineColor(3), QColor(255, 0, 0));
    EXPECT_EQ(form->LineColor(4), QColor(0, 0, 255));
    EXPECT_EQ(form->StatusText(), warnings.status);
    EXPECT_EQ(form->textEdit()->textCursor().position(), 0);
    EXPECT_TRUE(form->textEdit()->isReadOnly());
    EXPECT_EQ(form->textEdit()->lineWrapMode(), QTextEdit::NoWrap);

    // Filled again, nothing of the earlier text stays.
    StartupWarnings none;
    FinishStartupWarnings(none);
    form->SetWarnings(none);
    EXPECT_EQ(form->Lines(), QStringList{QStringLiteral("ﾒﾝﾃﾅﾝｽ期限警告はありません。")});
}

TEST_F(WarningFormTest, ShowingTakesTheListFontAndEscCloses) {
    settings.FontName = QStringLiteral("ＭＳ ゴシック");
    settings.FontSize = 14;
    settings.FontStyle = 1;
    StartupWarnings warnings;
    warnings.lines = {{QStringLiteral("一行目"), 255}, {QStringLiteral("二行目"), 255}};
    form->SetWarnings(warnings);
    QTextCursor selection = form->textEdit()->textCursor();
    selection.setPosition(1);
    selection.setPosition(3, QTextCursor::KeepAnchor);
    form->textEdit()->setTextCursor(selection);

    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_FALSE(mainWindow.isEnabled());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ﾒﾝﾃﾅﾝｽ期限警告"));
    EXPECT_EQ(form->textEdit()->font().pointSize(), 14);
    EXPECT_TRUE(form->textEdit()->font().bold());
    EXPECT_EQ(form->textEdit()->textCursor().selectedText(), QStringLiteral("行目"));
    EXPECT_EQ(form->LineColor(1), QColor(255, 0, 0));

    QTest::keyClick(form->textEdit(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(mainWindow.isEnabled());

    form->move(40, 30);
    form.reset();
    EXPECT_EQ(store.Value(QStringLiteral("Position"), QStringLiteral("Left.TWarningForm")),
              QStringLiteral("40"));
}

TEST(WarningTextFormTest, EditsShowTheNamesInTheirColoursAndDefaultsRestoreThem) {
    TWarningTextForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("期限警告名編集"));
    form.SetNames({QString(), QStringLiteral("過ぎた"), QStringLiteral("近い"), QStringLiteral("そろそろ"),
                   QStringLiteral("まだ")},
                  {0, 255, 0x800080, 0xFF0000, kWindowTextColor});
    auto* edit1 = form.findChild<QLineEdit*>(QStringLiteral("WarningText1Edit"));
    auto* edit4 = form.findChild<QLineEdit*>(QStringLiteral("WarningText4Edit"));
    ASSERT_NE(edit1, nullptr);
    ASSERT_NE(edit4, nullptr);
    EXPECT_EQ(edit1->text(), QStringLiteral("過ぎた"));
    EXPECT_EQ(edit1->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(edit4->palette().color(QPalette::Text), ColorFromValue(kWindowTextColor, edit4->palette()));

    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    edit4->setText(QStringLiteral("余裕"));
    auto* defaults = form.findChild<QPushButton*>(QStringLiteral("DefButton"));
    ASSERT_NE(defaults, nullptr);
    QTest::mouseClick(defaults, Qt::LeftButton);
    edit1->setText(QStringLiteral("超過"));
    QTest::keyClick(edit1, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    // Closed by Esc, the edits still count.
    const std::array<QString, 5> names = form.Names();
    EXPECT_EQ(names[1], QStringLiteral("超過"));
    EXPECT_EQ(names[2], QStringLiteral("もうすぐ"));
    EXPECT_EQ(names[3], QStringLiteral("もうそろそろ"));
    EXPECT_EQ(names[4], QStringLiteral("まだまだ"));
}

}  // namespace
}  // namespace tovrel
