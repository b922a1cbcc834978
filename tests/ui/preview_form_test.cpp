// Print preview: showing a job, paging and zoom, printers or none, paper set-up, the settings button,
// and the reasons a report is not shown.
#include "ui/preview_form.h"

#include "output/list_sources.h"
#include "test_support.h"
#include "ui/report_renderer.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/file_dialog.h"
#include "ui/widgets/message_box.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QToolButton>

#include <memory>

namespace tovrel {
namespace {

class PreviewFormTest : public ::testing::Test, protected test::LogbookSession {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        WriteCars({QStringLiteral("*私の車")});
        ASSERT_TRUE(StartAndSelect(1));
        preview = std::make_unique<TPreviewForm>(store);
        preview->hasPrinters = [] { return false; };
        MessageBox::ClearLog();
        FileDialog::ClearLog();
    }

    void TearDown() override {
        preview.reset();
        MessageBox::PresetAnswers({});
        FileDialog::PresetAnswers({});
        MessageBox::ClearLog();
        FileDialog::ClearLog();
    }

    void AddRecords(int count) {
        QVector<FuelRecord> records;
        for (int k = 0; k < count; ++k)
            records.append(test::Refuel(QStringLiteral("2004/03/%1").arg(1 + k % 28, 2, 10, QLatin1Char('0')),
                                        u"400", u"30", u"13.33", u"3,600", u"120"));
        test::SetRecords(book.table(), records);
    }

    bool Print(int form) { return StartPrintJob(&opener, book, form, MainListSource(book.table())); }

    template <typename T>
    T* Child(const char* name) const {
        return preview->findChild<T*>(QLatin1String(name));
    }
    void Click(const char* name) const { Child<QToolButton>(name)->click(); }
    bool Shown(const char* name) const { return Child<QWidget>(name)->isVisibleTo(preview.get()); }

    QWidget opener;
    std::unique_ptr<TPreviewForm> preview;
};

TEST_F(PreviewFormTest, ShowsTheReportPagedAndKeepsTheOpenerDisabledUntilClosed) {
    AddRecords(150);
    ASSERT_EQ(TPreviewForm::Current(), preview.get());
    ASSERT_TRUE(Print(1));
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("印刷 - ﾌﾟﾚﾋﾞｭｰ - 私の車"));
    EXPECT_FALSE(opener.isEnabled());
    EXPECT_EQ(preview->printer().pageLayout().orientation(), QPageLayout::Portrait);

    auto* zoom = Child<QComboBox>("ZoomComboBox");
    ASSERT_EQ(zoom->count(), 10);
    EXPECT_EQ(zoom->currentText(), QStringLiteral("ﾍﾟｰｼﾞ幅を基準に"));
    EXPECT_EQ(preview->previewWidget()->zoomMode(), QPrintPreviewWidget::FitToWidth);

    const int pages = preview->layout().PageCount();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(preview->PageCount(), pages);
    EXPECT_EQ(preview->PageNumberText(), QStringLiteral("1/%1").arg(pages));
    EXPECT_TRUE(Shown("PageNumberMemo") && Shown("PrevPageSpeedButton") && Shown("NextPageSpeedButton"));
    EXPECT_FALSE(Child<QToolButton>("PrevPageSpeedButton")->isEnabled());
    Click("NextPageSpeedButton");
    EXPECT_EQ(preview->PageNumberText(), QStringLiteral("2/%1").arg(pages));
    EXPECT_TRUE(Child<QToolButton>("PrevPageSpeedButton")->isEnabled());
    for (int p = 2; p < pages; ++p)
        Click("NextPageSpeedButton");
    EXPECT_FALSE(Child<QToolButton>("NextPageSpeedButton")->isEnabled());

    preview->ZoomComboBoxChange(3);
    EXPECT_EQ(preview->previewWidget()->zoomMode(), QPrintPreviewWidget::CustomZoom);
    EXPECT_DOUBLE_EQ(preview->previewWidget()->zoomFactor(), 1.0);
    preview->ZoomComboBoxChange(9);
    EXPECT_EQ(preview->previewWidget()->zoomMode(), QPrintPreviewWidget::FitInView);

    Click("CloseSpeedButton");
    EXPECT_FALSE(preview->isVisible());
    EXPECT_TRUE(opener.isEnabled());
}

TEST_F(PreviewFormTest, OnePageHidesThePageControlsAndTheFormSetsTheOrientation) {
    AddRecords(3);
    book.book().printForms[2].orientation = 1;
    ASSERT_TRUE(Print(2));
    EXPECT_EQ(preview->PageCount(), 1);
    EXPECT_FALSE(Shown("PageNumberMemo") || Shown("PrevPageSpeedButton") || Shown("NextPageSpeedButton"));
    EXPECT_EQ(preview->printer().pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_DOUBLE_EQ(preview->layout().paper.width(), 297);
}

TEST_F(PreviewFormTest, AReportWithoutPagesIsNotShown) {
    MessageBox::PresetAnswers({PromptAnswer::Ok, PromptAnswer::Ok});
    EXPECT_FALSE(Print(1));
    AddRecords(2);
    for (int row = 1; row <= PrintRowCount; ++row)
        book.book().printForms[3].rows[row].mark = QStringLiteral("  ");
    EXPECT_FALSE(Print(3));
    EXPECT_FALSE(preview->isVisible());
    EXPECT_TRUE(opener.isEnabled());
    ASSERT_EQ(MessageBox::Log().size(), 2);
    EXPECT_EQ(MessageBox::Log()[0].text, QStringLiteral("印刷するﾃﾞｰﾀがありません。"));
    EXPECT_EQ(MessageBox::Log()[1].caption, QStringLiteral("印刷ｴﾗｰ"));
    EXPECT_EQ(MessageBox::Log()[1].icon, PromptIcon::Error);
}

TEST_F(PreviewFormTest, WithoutPrintersPrintingOffersAPdfFile) {
    AddRecords(60);
    ASSERT_TRUE(Print(1));
    const QString path = folder.file(QStringLiteral("report.pdf"));

    MessageBox::PresetAnswers({PromptAnswer::No});
    Click("PrintSpeedButton");
    EXPECT_EQ(FileDialog::Log().size(), 0);

    MessageBox::PresetAnswers({PromptAnswer::Yes});
    FileDialog::PresetAnswers({path});
    Click("PrintSpeedButton");
    ASSERT_EQ(FileDialog::Log().size(), 1);
    EXPECT_EQ(FileDialog::Log()[0].fileName, QStringLiteral("燃費・ﾒﾝﾃﾅﾝｽ一覧1.pdf"));
    EXPECT_TRUE(test::ReadBytes(path).startsWith("%PDF"));
    EXPECT_EQ(MessageBox::Log()[1].caption, QStringLiteral("印刷"));
    EXPECT_EQ(MessageBox::Log()[1].buttons, PromptButtons::YesNo);

    MessageBox::PresetAnswers({PromptAnswer::Yes, PromptAnswer::Ok});
    FileDialog::PresetAnswers({folder.file(QStringLiteral("missing/report.pdf"))});
    Click("PrintSpeedButton");
    EXPECT_EQ(MessageBox::Log().last().icon, PromptIcon::Error);
    EXPECT_EQ(MessageBox::PendingAnswers(), 0);
}

TEST_F(PreviewFormTest, PrintingGoesToTheChosenPrinterAndAFailingOneIsReported) {
    AddRecords(10);
    ASSERT_TRUE(Print(1));
    preview->hasPrinters = [] { return true; };
    QString output = folder.file(QStringLiteral("printed.pdf"));
    preview->runPrintDialog = [&output](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(output);
        return true;
    };
    Click("PrintSpeedButton");
    EXPECT_TRUE(test::ReadBytes(output).startsWith("%PDF"));
    EXPECT_TRUE(MessageBox::Log().isEmpty());

    output = folder.file(QStringLiteral("no/such/folder/printed.pdf"));
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    Click("PrintSpeedButton");
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, QStringLiteral("ﾌﾟﾘﾝﾀｴﾗｰ"));
    EXPECT_EQ(MessageBox::Log()[0].text, QStringLiteral("ﾌﾟﾘﾝﾀが使用できません。"));
}

TEST_F(PreviewFormTest, PaperSetUpRegeneratesOrRefusesPaperThatHoldsNothing) {
    AddRecords(80);
    ASSERT_TRUE(Print(1));
    const int a4Pages = preview->PageCount();
    QPageSize chosen(QPageSize::A5);
    preview->runPageSetup = [&chosen](QPrinter& printer) {
        printer.setPageSize(chosen);
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    };
    Click("PrinterSetupSpeedButton");
    EXPECT_DOUBLE_EQ(preview->layout().paper.width(), 210);
    EXPECT_GT(preview->PageCount(), a4Pages);

    chosen = QPageSize(QSizeF(40, 40), QPageSize::Millimeter);
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    Click("PrinterSetupSpeedButton");
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, QStringLiteral("用紙ｴﾗｰ"));
    EXPECT_EQ(MessageBox::Log()[0].text, QStringLiteral("このｻｲｽﾞの用紙には、印刷できません。"));
    EXPECT_TRUE(preview->printer().pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::A5)));
}

TEST_F(PreviewFormTest, PrintSettingsButtonWaitsForTheSettingsDialog) {
    AddRecords(5);
    ASSERT_TRUE(Print(1));
    auto* button = Child<QToolButton>("PrintEnvSetSpeedButton");
    EXPECT_FALSE(button->isEnabled());
    int asked = 0;
    preview->SetPrintSettingsOpener([&](QWidget* parent, int form) {
        EXPECT_EQ(parent, preview.get());
        asked = form;
        settings.PrintPage = false;
    });
    EXPECT_TRUE(button->isEnabled());
    EXPECT_TRUE(preview->layout().showPage);
    button->click();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(preview->layout().showPage);
    EXPECT_FALSE(opener.isEnabled());
}

}  // namespace
}  // namespace tovrel
