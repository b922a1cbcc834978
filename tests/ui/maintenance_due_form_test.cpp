// Maintenance due window: level colours and underlines, sort choice in step, CSV, main window state.
#include "ui/maintenance_due_form.h"

#include "base/cp932.h"
#include "session/logbook.h"
#include "settings/settings_store.h"
#include "test_support.h"
#include "ui/preview_form.h"
#include "ui/setting_form.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/colors.h"
#include "ui/widgets/file_dialog.h"
#include "ui/widgets/list_grid.h"
#include "ui/widgets/text_grid_model.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace tovrel {
namespace {

FuelRecord Fill(const QString& day, const QString& totalRun, const QString& mainte) {
    FuelRecord r = test::Record(KindFuel, day, u"300", totalRun, u"30");
    r.text[ColMainte] = mainte;
    return r;
}

class MainteFormTest : public ::testing::Test, protected test::LogbookSession {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        ASSERT_TRUE(StartAndSelect(1));
        MainteSettings& mainte = book.book().mainte;
        mainte.fill(MainteSetting{});
        // Today 2024/06/08: A is past due, B at 83.3 %, C at 95 %, D far off, E past due by distance only.
        mainte[1] = test::MainteItem(QStringLiteral("A"), 0, 100);
        mainte[2] = test::MainteItem(QStringLiteral("B"), 0, 180);
        mainte[3] = test::MainteItem(QStringLiteral("C"), 0, 100);
        mainte[4] = test::MainteItem(QStringLiteral("D"), 0, 365);
        mainte[5] = test::MainteItem(QStringLiteral("E"), 5000, 365);
        test::SetRecords(
            book.table(),
            {Fill(QStringLiteral("2024/01/10"), QStringLiteral("40000"),
                  QStringLiteral("A:1000:\r\nB:2000:\r\nE:3000:")),
             Fill(QStringLiteral("2024/03/05"), QStringLiteral("43000"), QStringLiteral("C:500:")),
             Fill(QStringLiteral("2024/05/01"), QStringLiteral("45200"), QStringLiteral("D:100:"))});
        mainWindow.show();
        form = std::make_unique<TMainteForm>(book, &mainWindow);
        form->today = [] { return QDate(2024, 6, 8); };
    }

    void Show() {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    QVariant Role(int gridRow, int column, int role) const {
        TextGridModel* model = form->model();
        return model->data(model->index(TextGridModel::ModelRow(gridRow), column), role);
    }
    QColor Foreground(int gridRow, int column) const {
        return Role(gridRow, column, Qt::ForegroundRole).value<QColor>();
    }
    bool Underlined(int gridRow, int column) const {
        const QVariant font = Role(gridRow, column, Qt::FontRole);
        return font.isValid() && font.value<QFont>().underline();
    }
    QColor Level(int level) const {
        return ColorFromValue(settings.WarningColor[level], form->grid()->palette());
    }

    QWidget mainWindow;
    std::unique_ptr<TMainteForm> form;
};

TEST_F(MainteFormTest, RowsTakeTheirLevelColourAndTheDecidingRatioIsUnderlined) {
    Show();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ﾒﾝﾃﾅﾝｽ期限集計 - ") + book.CarName());
    ASSERT_EQ(form->model()->Grid().Cell(1, DueColName), QStringLiteral("A"));
    EXPECT_EQ(form->model()->Grid().Cell(2, DueColDayRatio), QStringLiteral(" 83.3%"));

    // Whole rows by their level name, also the fixed item name.
    for (int column : {0, 3, 12, 14}) {
        EXPECT_EQ(Foreground(1, column), Level(1)) << column;
        EXPECT_EQ(Foreground(2, column), Level(3)) << column;
        EXPECT_EQ(Foreground(3, column), Level(2)) << column;
        EXPECT_EQ(Foreground(4, column), Level(4)) << column;
    }
    // E: the row is level 1 by distance; its day columns follow the day ratio, its distance columns
    // the distance ratio.
    EXPECT_EQ(Foreground(5, DueColName), Level(1));
    EXPECT_EQ(Foreground(5, DueColDueDate), Level(4));
    EXPECT_EQ(Foreground(5, DueColDayRatio), Level(4));
    EXPECT_EQ(Foreground(5, DueColDueOdometer), Level(1));
    EXPECT_EQ(Foreground(5, DueColPredictedDate), Level(1));
    EXPECT_EQ(Foreground(5, DueColCriterion), Level(1));
    // Unnamed rows keep the level-4 colour.
    EXPECT_EQ(Foreground(6, DueColName), Level(4));

    EXPECT_TRUE(Underlined(1, DueColDayRatio));
    EXPECT_FALSE(Underlined(1, DueColDistanceRatio));
    EXPECT_TRUE(Underlined(5, DueColDistanceRatio));
    EXPECT_FALSE(Underlined(5, DueColDayRatio));
    EXPECT_FALSE(Underlined(5, DueColDueRatio));

    EXPECT_TRUE(Role(5, 3, ListGrid::BottomRuleRole).toBool());
    EXPECT_FALSE(Role(4, 3, ListGrid::BottomRuleRole).toBool());
    EXPECT_EQ(form->grid()->RightRuleColumns(), (QSet<int>{0, 5, 11, 14}));

    // The legend shows the level names in their colours; the status line is the computation's.
    auto* panel = form->findChild<QLabel*>(QStringLiteral("Warning2Panel"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->text(), QStringLiteral("もうすぐ"));
    EXPECT_EQ(panel->palette().color(panel->foregroundRole()), ColorFromValue(0x800080));
    // What is drawn: the strokes of the three coloured names take their level's hue (edges of strokes
    // are blended with the background, so the hue is compared, not the exact colour).
    for (int level = 1; level <= 3; ++level) {
        auto* legend = form->findChild<QLabel*>(QStringLiteral("Warning%1Panel").arg(level));
        ASSERT_NE(legend, nullptr);
        const QImage image = legend->grab().toImage();
        const int hue = Level(level).hsvHue();
        int coloured = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                const int apart = std::abs(c.hsvHue() - hue);
                if (c.hsvSaturation() > 80 && std::min(apart, 360 - apart) < 20) ++coloured;
            }
        }
        EXPECT_GT(coloured, 5) << "level " << level;
    }
    EXPECT_EQ(form->StatusText(), form->Table().status);
    EXPECT_TRUE(form->StatusText().contains(QStringLiteral("すぎちゃった：2件")));
}

TEST_F(MainteFormTest, ComboMenuAndHeadingChooseTheSameSort) {
    Show();
    auto* combo = form->findChild<QComboBox*>(QStringLiteral("SortSelectComboBox"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 7);
    EXPECT_FALSE(Role(1, DueColRemainingDays, Qt::BackgroundRole).isValid());

    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(form->SortChoice(), 1);
    EXPECT_TRUE(form->findChild<QAction*>(QStringLiteral("DaySortItem"))->isChecked());
    EXPECT_EQ(form->model()->Grid().Cell(1, DueColName), QStringLiteral("A"));  // fewest days left
    EXPECT_EQ(Role(1, DueColRemainingDays, Qt::BackgroundRole).value<QColor>(),
              ColorFromValue(settings.SortColor));
    EXPECT_EQ(
        form->model()->headerData(DueColRemainingDays, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(),
        QColor(255, 0, 0));
    EXPECT_FALSE(form->model()->headerData(DueColName, Qt::Horizontal, Qt::ForegroundRole).isValid());

    QAction* kigen = form->findChild<QAction*>(QStringLiteral("KigenSortItem"));
    kigen->trigger();
    EXPECT_EQ(combo->currentIndex(), 6);
    EXPECT_TRUE(kigen->isChecked());
    EXPECT_EQ(form->model()->Grid().Cell(1, DueColName), QStringLiteral("A"));  // 150 %
    EXPECT_EQ(form->model()->Grid().Cell(2, DueColName), QStringLiteral("E"));  // 104 %
    EXPECT_EQ(form->model()->Grid().Cell(3, DueColName), QStringLiteral("C"));  // 95 %

    QHeaderView* header = form->grid()->horizontalHeader();
    const auto doubleClick = [header](int column) {
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, 4);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    };
    doubleClick(DueColRemainingDistance);
    EXPECT_EQ(form->SortChoice(), 3);
    EXPECT_EQ(combo->currentIndex(), 3);
    EXPECT_TRUE(form->findChild<QAction*>(QStringLiteral("RunSortItem"))->isChecked());
    doubleClick(DueColLastDate);  // sorts nothing
    EXPECT_EQ(form->SortChoice(), 3);

    form->close();
    form.reset();
    EXPECT_EQ(store.Value(QStringLiteral("Setting"), QStringLiteral("MainteSortSel")), QStringLiteral("3"));
    EXPECT_TRUE(store.Contains(QStringLiteral("Position"), QStringLiteral("Width.TMainteForm")));
}

TEST_F(MainteFormTest, CsvItemWritesTheNamedRowsInTheOrderShown) {
    Show();
    form->SelectSort(6);
    const QString path = folder.file(QStringLiteral("due.csv"));
    FileDialog::PresetAnswers({path});
    QAction* item = form->findChild<QAction*>(QStringLiteral("MainteFileOut1Item"));
    ASSERT_NE(item, nullptr);
    item->trigger();
    EXPECT_EQ(FileDialog::PendingAnswers(), 0);
    const QStringList lines =
        Cp932Decode(test::ReadBytes(path)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2 + 5);
    EXPECT_EQ(lines[0], book.book().printForms[6].title);
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("A,")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("E,")));

    // Captions come from the maintenance print forms.
    EXPECT_EQ(item->text(), book.book().printForms[6].title + QStringLiteral("(&1)..."));
    EXPECT_TRUE(form->findChild<QAction*>(QStringLiteral("MaintePrint1Item"))->isEnabled());
}

TEST_F(MainteFormTest, MainWindowIsDisabledWhileShown) {
    settings.SortColor = 0x00FF00;
    store.SetValue(QStringLiteral("SGridColor"), QStringLiteral("03.MainteStringGrid"),
                   QStringLiteral("255"));
    Show();
    EXPECT_FALSE(mainWindow.isEnabled());
    EXPECT_EQ(form->grid()->ColumnColor(3), 255u);
    form->grid()->SetColumnColors(QVector<quint32>(16, 0x123456));
    form->close();
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_EQ(store.Value(QStringLiteral("SGridColor"), QStringLiteral("15.MainteStringGrid")),
              QString::number(0x123456));
    // A second showing starts again from the stored colours and out of cell-colour mode.
    Show();
    EXPECT_FALSE(mainWindow.isEnabled());
    EXPECT_FALSE(form->grid()->CellColorMode());
    form->close();
}

TEST_F(MainteFormTest, SettingsButtonOpensTheMaintenancePageAndRecomputesAfterOk) {
    Show();
    QVector<SettingTab> opened;
    bool accept = false;
    SetSettingsDialogOpener([&](SettingTab tab, int) {
        opened.append(tab);
        book.book().mainte[1] = MainteSetting{};  // item A no longer exists
        return accept;
    });
    form->findChild<QToolButton*>(QStringLiteral("SettingSpeedButton"))->click();
    // Cancel leaves the table as it was.
    EXPECT_EQ(form->model()->Grid().Cell(1, DueColName), QStringLiteral("A"));
    accept = true;
    form->findChild<QAction*>(QStringLiteral("SettingItem"))->trigger();
    SetSettingsDialogOpener({});
    EXPECT_EQ(opened, (QVector<SettingTab>{SettingTab::Mainte, SettingTab::Mainte}));
    EXPECT_TRUE(form->model()->Grid().Cell(1, DueColName).isEmpty());
    form->close();
}

TEST_F(MainteFormTest, LongNumbersAreShownWholeAndTheWindowMayShowEveryColumn) {
    book.book().mainte[6] = test::MainteItem(QStringLiteral("F"), 10, 0);
    test::SetRecords(book.table(),
                     {Fill(QStringLiteral("2024/01/10"), QStringLiteral("1"), QStringLiteral("F::")),
                      Fill(QStringLiteral("2024/05/01"), QStringLiteral("1234567"), QString())});
    Show();
    const TextGrid& g = form->model()->Grid();
    ASSERT_EQ(g.Cell(6, DueColName), QStringLiteral("F"));
    EXPECT_EQ(g.Cell(6, DueColRemainingDistance), QStringLiteral("-1,234,556"));
    const QFontMetrics metrics(form->grid()->font());
    int total = 0;
    for (int column = 0; column < kDueColumnCount; ++column) {
        total += form->grid()->columnWidth(column);
        for (int row = 1; row <= kMainteCount; ++row) {
            const QString cell = g.Cell(row, column);
            if (column == DueColName || column == DueColMemo || cell.trimmed().isEmpty()) continue;
            EXPECT_GE(form->grid()->columnWidth(column), metrics.horizontalAdvance(cell) + 4)
                << cell.toStdString() << " in column " << column;
        }
    }
    EXPECT_GE(form->maximumWidth(),
              std::min(total, QGuiApplication::primaryScreen()->availableVirtualGeometry().width()));
}

TEST_F(MainteFormTest, SizeStaysWithinAllColumnsAndRows) {
    const QSize full = form->maximumSize();
    EXPECT_GE(form->minimumWidth(), 200);
    EXPECT_LT(form->minimumHeight(), full.height());
    form->resize(5000, 5000);
    EXPECT_LE(form->width(), full.width());
    EXPECT_LE(form->height(), full.height());
}

TEST_F(MainteFormTest, PrintItemsPrintTheNamedRowsInTheOrderShown) {
    Show();
    TPreviewForm preview(store);
    form->findChild<QAction*>(QStringLiteral("MaintePrint2Item"))->trigger();
    ASSERT_TRUE(preview.isVisible());
    EXPECT_EQ(preview.layout().texts.title, book.book().printForms[7].title);
    EXPECT_TRUE(preview.layout().texts.dateRange.isEmpty());
    ASSERT_EQ(preview.layout().rows.size(), 5);
    EXPECT_EQ(preview.layout().rows[0].values[0], QStringLiteral("A"));
    EXPECT_FALSE(form->isEnabled());
    preview.close();
    EXPECT_TRUE(form->isEnabled());
}

}  // namespace
}  // namespace tovrel
