// The import preview dialog and "取り込み(&I)..." of the main window's File menu.
#include "ui/import_form.h"

#include "base/text_utils.h"
#include "data/record_table.h"
#include "session/logbook.h"
#include "test_support.h"
#include "ui/main_window.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/file_dialog.h"
#include "ui/widgets/message_box.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <memory>

namespace tovrel {
namespace {

using namespace test;

template <typename T>
T* Child(QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

ImportFile Fixture(const QString& name) {
    ImportFile file;
    QString error;
    EXPECT_TRUE(ReadImportFile(FixtureBytes(QStringLiteral("import/") + name), &file, &error));
    return file;
}

class ImportFormTest : public ::testing::Test, protected LogbookSession {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        MessageBox::Install();
        MessageBox::ClearLog();
        FileDialog::ClearLog();
        WriteCars({S(u"*私の愛車")});
        WriteLog(1, {S(u"001=0,2024/01/01,月,,,,19500.0,30.00,,4500,,,,,,,,0,0,")});
        ASSERT_TRUE(StartAndSelect(1));
    }
    void TearDown() override {
        EXPECT_EQ(MessageBox::PendingAnswers(), 0);
        MessageBox::ClearLog();
    }

    QString Text(const char* label) { return Child<QLabel>(form.get(), label)->text(); }
    QPushButton* Ok() { return Child<QPushButton>(form.get(), "OKButton"); }

    std::unique_ptr<TImportForm> form = std::make_unique<TImportForm>(book);
};

TEST_F(ImportFormTest, ShowsHowTheFileWasReadAndAsksTheDateOrder) {
    form->Load(S(u"/tmp/ambiguous_dates.csv"), Fixture(S(u"ambiguous_dates.csv")));
    EXPECT_EQ(Text("FileLabel"), S(u"ﾌｧｲﾙ: ambiguous_dates.csv"));
    EXPECT_TRUE(Text("ReadLabel").contains(S(u"区切り文字: カンマ")));
    EXPECT_TRUE(Text("NoticeLabel").contains(S(u"「日付の並び」を選んでください")));
    EXPECT_FALSE(Ok()->isEnabled());
    auto* columns = Child<QTableWidget>(form.get(), "ColumnsTable");
    ASSERT_EQ(columns->rowCount(), 4);
    EXPECT_EQ(qobject_cast<QComboBox*>(columns->cellWidget(2, 1))->currentText(), S(u"給油量"));
    EXPECT_EQ(columns->item(0, 2)->text(), S(u"01/02/2024"));

    Child<QComboBox>(form.get(), "DateOrderComboBox")->setCurrentIndex(2);  // 日/月/年
    EXPECT_TRUE(Ok()->isEnabled());
    EXPECT_TRUE(Text("ReadLabel").contains(S(u"日付の並び: 日/月/年")));
    EXPECT_EQ(Text("CountLabel"), S(u"取り込み 3件　　重複のためスキップ 0件　　取り込めない行 0件"));
    auto* preview = Child<QTableWidget>(form.get(), "PreviewTable");
    ASSERT_EQ(preview->rowCount(), 3);
    EXPECT_EQ(preview->item(0, ColDay)->text(), S(u"2024/02/01"));
    EXPECT_EQ(preview->item(0, ColRun)->text(), S(u"500.0"));  // from the log's 19500.0
    EXPECT_EQ(preview->item(0, 0)->text(), S(u"2"));

    Ok()->click();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(book.table().RecordCount(), 4);
    EXPECT_EQ(book.status().averageText, S(u"平均燃費 : 10.64km/L"));
    EXPECT_TRUE(book.HasUnsavedChanges());
}

TEST_F(ImportFormTest, AColumnMappedByHandAndTheRejectedRowsListed) {
    form->Load(S(u"cp932_japanese.csv"), Fixture(S(u"cp932_japanese.csv")));
    auto* rejected = Child<QListWidget>(form.get(), "RejectedListBox");
    ASSERT_EQ(rejected->count(), 1);
    EXPECT_EQ(rejected->item(0)->text(), S(u"7行目: 「給油距離」が数値ではありません（abc）"));
    EXPECT_EQ(form->Plan().records.size(), 5);

    // Leaving the trip distances out makes every fill one of unknown distance.
    form->SetColumnField(1, ImportField::Ignore);
    EXPECT_EQ(form->Plan().records.size(), 6);
    EXPECT_EQ(rejected->count(), 0);
    auto* preview = Child<QTableWidget>(form.get(), "PreviewTable");
    EXPECT_EQ(preview->item(0, ColumnCount)->text(), S(u"除外"));
}

TEST_F(ImportFormTest, CapacityRefusalChangesNothing) {
    settings.DataMaxSel = 0;
    QVector<FuelRecord> records;
    for (int i = 0; i < 999; ++i)
        records << Record(KindFuel, DateToText(QDate(2000, 1, 1).addDays(i)), u"", u"", u"30.00");
    SetRecords(book.table(), records);
    book.table().TakeSnapshot();
    form->Load(S(u"road_trip.csv"), Fixture(S(u"road_trip.csv")));
    EXPECT_TRUE(Text("NoticeLabel").contains(S(u"1003件")));
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    Ok()->click();
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, S(u"登録数ｵｰﾊﾞｰ"));
    EXPECT_TRUE(MessageBox::Log()[0].text.contains(S(u"登録済み999件＋取り込み4件")));
    EXPECT_EQ(book.table().RecordCount(), 999);
    EXPECT_FALSE(book.HasUnsavedChanges());
}

// The File menu's item: a file that is not text is reported, a good one opens the preview.
class ImportMenuTest : public ::testing::Test, protected LogbookSession {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        MessageBox::Install();
        MessageBox::ClearLog();
        FileDialog::ClearLog();
        WriteCars({S(u"*私の愛車")});
        window = std::make_unique<TMivraMainForm>(settings, store);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // The start-up check follows the list's first paint; its wait window must have come and gone.
        ASSERT_TRUE(QTest::qWaitFor([this] { return window->StartupChecked(); }));
    }
    void TearDown() override {
        window.reset();
        EXPECT_EQ(MessageBox::PendingAnswers(), 0);
        EXPECT_EQ(FileDialog::PendingAnswers(), 0);
    }
    std::unique_ptr<TMivraMainForm> window;
};

TEST_F(ImportMenuTest, BinaryFileIsReportedAndNothingChanges) {
    const QString path =
        WriteBytes(folder.path(), S(u"picture.csv"), QByteArray("\x89PNG\r\n\x1A\n\0\0\0", 11));
    FileDialog::PresetAnswers({path});
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    window->FindAction(QStringLiteral("ImportItem"))->trigger();
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, S(u"取り込みｴﾗｰ"));
    EXPECT_TRUE(MessageBox::Log()[0].text.contains(S(u"テキストファイルではない")));
    EXPECT_EQ(window->book().table().RecordCount(), 0);
}

TEST_F(ImportMenuTest, PreviewAddsTheRecordsToTheList) {
    FileDialog::PresetAnswers({FixturePath(S(u"import/utf16_tab.csv"))});
    auto* timer = new QTimer(window.get());
    QObject::connect(timer, &QTimer::timeout, window.get(), [timer] {
        auto* form = qobject_cast<TImportForm*>(QApplication::activeModalWidget());
        if (!form || !form->isVisible()) return;
        timer->stop();
        form->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    timer->start(5);
    window->FindAction(QStringLiteral("ImportItem"))->trigger();
    EXPECT_EQ(window->book().table().RecordCount(), 2);
    EXPECT_EQ(window->StatusText(0), S(u"登録件数 : 2件"));
    EXPECT_EQ(window->book().table().Text(2, ColStand), S(u"スタンドＢ"));
}

}  // namespace
}  // namespace tovrel
