// Category totals window: modes, per-mode placement and colours, range edits, red economy, rules, CSV.
#include "ui/category_totals_form.h"

#include "base/cp932.h"
#include "session/logbook.h"
#include "settings/settings_store.h"
#include "test_support.h"
#include "output/list_sources.h"
#include "ui/preview_form.h"
#include "ui/range_bar.h"
#include "ui/widgets/file_dialog.h"
#include "ui/widgets/list_grid.h"
#include "ui/widgets/text_grid_model.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include <memory>

namespace tovrel {
namespace {

FuelRecord Refuel(const QString& day, const QString& gasSel, const QString& economy,
                  const QString& mainte = {}) {
    FuelRecord r = test::Refuel(day, u"400", u"40", economy, u"4000", u"100");
    r.text[ColGasSel] = gasSel;
    r.text[ColMainte] = mainte;
    return r;
}

class CategoryTotalsFormTest : public ::testing::Test, protected test::LogbookSession {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartAndSelect(1));
        test::SetRecords(
            book.table(),
            {Refuel(QStringLiteral("2024/05/03"), QStringLiteral("レギュラー"), QStringLiteral("8")),
             Refuel(QStringLiteral("2024/06/10"), QStringLiteral("ハイオク"), QStringLiteral("12"),
                    QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換:3000:")),
             Refuel(QStringLiteral("2024/07/20"), QStringLiteral("ハイオク"), QStringLiteral("13"))});
        form = std::make_unique<TMivraSyukeiForm>(book, &mainWindow);
        form->rangeBar()->SetTexts(QStringLiteral("2024/01"), QStringLiteral("2024/12"));
    }

    void TearDown() override {
        form.reset();
        FileDialog::ClearLog();
    }

    void Show(int mode) {
        form->SetMode(mode);
        form->show();
    }
    QString Start() const { return form->rangeBar()->StartText(); }
    QString End() const { return form->rangeBar()->EndText(); }
    QVariant Role(int gridRow, int column, int role) const {
        return form->model()->index(TextGridModel::ModelRow(gridRow), column).data(role);
    }
    bool Red(int gridRow, int column) const {
        return Role(gridRow, column, Qt::ForegroundRole).value<QColor>() == QColor(Qt::red);
    }
    bool Ruled(int gridRow) const {
        if (gridRow == 0)
            return form->model()->headerData(0, Qt::Horizontal, ListGrid::BottomRuleRole).toBool();
        for (int c = 0; c < form->model()->columnCount(); ++c)
            if (Role(gridRow, c, ListGrid::BottomRuleRole).toBool()) return true;
        return false;
    }
    int RowOf(const QString& name) const {
        const TextGrid& grid = form->totals().grid;
        for (int row = 1; row < grid.RowCount(); ++row)
            if (grid.Cell(row, 0).trimmed() == name) return row;
        return -1;
    }

    QWidget mainWindow;
    std::unique_ptr<TMivraSyukeiForm> form;
};

TEST_F(CategoryTotalsFormTest, EachModeHasItsShapeCaptionPlacementAndColours) {
    mainWindow.show();
    Show(CategoryPattern);
    EXPECT_FALSE(mainWindow.isEnabled());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ﾊﾟﾀｰﾝ別集計 - 私の愛車"));
    EXPECT_EQ(form->model()->columnCount(), 10);
    EXPECT_EQ(form->model()->rowCount(), 10 + 2);
    EXPECT_EQ(form->focusWidget(), form->grid());
    EXPECT_EQ(form->minimumWidth(), form->maximumWidth());
    const int patternWidth = form->grid()->width();
    form->grid()->SetColumnColors({0, 0x00FF00});
    form->move(70, 60);
    form->close();
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_EQ(store.Value(QStringLiteral("Position"), QStringLiteral("Left.TMivraSyukeiForm2")),
              QStringLiteral("70"));
    EXPECT_EQ(store.Value(QStringLiteral("SGridColor"), QStringLiteral("01.TotalStringGrid2")),
              QString::number(0x00FF00));
    EXPECT_FALSE(store.Contains(QStringLiteral("Position"), QStringLiteral("Left.TMivraSyukeiForm")));

    // Another mode has its own shape, colours and place; cell-colour mode is switched off.
    form->grid()->SetCellColorMode(true);
    Show(CategoryMainte);
    EXPECT_FALSE(mainWindow.isEnabled());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ﾒﾝﾃﾅﾝｽ別集計 - 私の愛車"));
    EXPECT_EQ(form->model()->columnCount(), 6);
    EXPECT_EQ(form->model()->rowCount(), 50 + 2);
    EXPECT_EQ(form->grid()->ColumnColor(1), 0u);
    EXPECT_FALSE(form->grid()->CellColorMode());
    EXPECT_LT(form->grid()->width(), patternWidth);
    form->move(300, 200);
    form->close();
    EXPECT_EQ(store.Value(QStringLiteral("Position"), QStringLiteral("Left.TMivraSyukeiForm3")),
              QStringLiteral("300"));
    EXPECT_EQ(store.Value(QStringLiteral("Position"), QStringLiteral("Left.TMivraSyukeiForm2")),
              QStringLiteral("70"));

    Show(CategoryPattern);
    EXPECT_EQ(form->grid()->ColumnColor(1), 0x00FF00u);
    EXPECT_EQ(form->grid()->width(), patternWidth);
    form->close();
}

TEST_F(CategoryTotalsFormTest, RangeEditsWithoutAMonthLimit) {
    Show(CategoryFuel);
    form->rangeBar()->SetTexts(QStringLiteral("2000/01"), QStringLiteral("2024/12"));
    form->findChild<QToolButton*>(QStringLiteral("TotalSpeedButton"))->click();
    EXPECT_EQ(End(), QStringLiteral("2024/12"));
    form->rangeBar()->SetTexts(QStringLiteral("2024/05"), QStringLiteral("2024/02"));
    form->findChild<QAction*>(QStringLiteral("TotalItem"))->trigger();
    EXPECT_EQ(End(), QStringLiteral("2025/04"));
    form->findChild<QToolButton*>(QStringLiteral("PrevSpeedButton"))->click();
    EXPECT_EQ(Start(), QStringLiteral("2023/05"));
    EXPECT_EQ(End(), QStringLiteral("2024/04"));
    form->findChild<QAction*>(QStringLiteral("AllItem"))->trigger();
    EXPECT_EQ(Start(), QStringLiteral("2024/05"));
    EXPECT_EQ(End(), QStringLiteral("2024/07"));
    EXPECT_EQ(form->StatusText(), QStringLiteral("有効ﾃﾞｰﾀ : 2024/05/03～2024/07/20"));

    book.table().SetRecordCount(0);
    form->rangeBar()->SetTexts(QStringLiteral("2010/01"), QStringLiteral("2010/02"));
    form->findChild<QToolButton*>(QStringLiteral("AllSpeedButton"))->click();
    EXPECT_EQ(Start(), QStringLiteral("2010/01"));
    EXPECT_EQ(form->StatusText(), QStringLiteral("有効ﾃﾞｰﾀ : 2024/05/03～2024/07/20"));
    form->close();
}

TEST_F(CategoryTotalsFormTest, EconomyMarksAndRulesFollowTheMode) {
    Show(CategoryFuel);
    const int regular = RowOf(QStringLiteral("レギュラー"));
    const int premium = RowOf(QStringLiteral("ハイオク"));
    const int total = form->totals().TotalRow();
    ASSERT_GT(regular, 0);
    ASSERT_GT(premium, 0);
    // Total average 10: regular's single economy (8) is below it, its average (10) and premium are not.
    EXPECT_TRUE(Red(regular, CategoryLowestEconomy));
    EXPECT_TRUE(Red(regular, CategoryHighestEconomy));
    EXPECT_FALSE(Red(regular, CategoryAverageEconomy));
    for (int column = CategoryLowestEconomy; column <= CategoryHighestEconomy; ++column)
        EXPECT_FALSE(Red(premium, column)) << column;
    EXPECT_TRUE(Red(total, CategoryLowestEconomy));
    EXPECT_FALSE(Red(total, CategoryHighestEconomy));
    EXPECT_FALSE(Red(regular, CategoryRun));
    EXPECT_FALSE(Red(regular, CategoryTanka));
    settings.MivraRed = false;
    EXPECT_FALSE(Red(regular, CategoryLowestEconomy));
    settings.MokuhyoRed = true;
    book.book().carInfo.MokuhyoMivra = QStringLiteral("12.5");
    EXPECT_TRUE(Red(premium, CategoryLowestEconomy));
    EXPECT_FALSE(Red(premium, CategoryHighestEconomy));

    for (int row = 0; row <= total; ++row)
        EXPECT_EQ(Ruled(row), row % 5 == 0 || row == form->totals().OtherRow()) << row;
    EXPECT_EQ(form->grid()->RightRuleColumns(), (QSet<int>{3, 6}));
    form->close();

    Show(CategoryMainte);
    const int oil = RowOf(QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換"));
    ASSERT_GT(oil, 0);
    for (int column = 1; column < 6; ++column)
        EXPECT_FALSE(Red(oil, column)) << column;
    EXPECT_TRUE(Ruled(form->totals().OtherRow()));
    EXPECT_EQ(form->grid()->RightRuleColumns(), (QSet<int>{4}));
    form->close();
}

TEST_F(CategoryTotalsFormTest, CsvItemsUseTheFormsOfTheMode) {
    Show(CategoryStand);
    emit form->rangeBar()->FileMenu()->aboutToShow();
    EXPECT_EQ(form->rangeBar()->FileOutItem(1)->text(),
              book.book().printForms[10].title + QStringLiteral("(&1)..."));

    const QString path = folder.file(QStringLiteral("stand.csv"));
    FileDialog::PresetAnswers({path, QString()});
    form->findChild<QAction*>(QStringLiteral("MivraSyukeiFileOut2Item"))->trigger();
    const QStringList lines = Cp932Decode(test::ReadBytes(path)).split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], book.book().printForms[11].title);
    EXPECT_EQ(lines[1], QStringLiteral("2024/01～2024/12"));
    // Every record has a blank station.
    EXPECT_EQ(lines.filter(QStringLiteral("上記以外,3,")).size(), 1)
        << lines.join(QLatin1Char('|')).toStdString();

    form->findChild<QAction*>(QStringLiteral("MivraSyukeiFileOut1Item"))->trigger();
    EXPECT_EQ(FileDialog::PendingAnswers(), 0);
    EXPECT_EQ(FileDialog::Log().back().fileName, book.book().printForms[10].name + QStringLiteral(".csv"));
    form->close();
}

TEST_F(CategoryTotalsFormTest, PrintItemsUseTheFormsOfTheMode) {
    Show(2);
    TPreviewForm preview(store);
    form->rangeBar()->PrintItem(2)->trigger();
    ASSERT_TRUE(preview.isVisible());
    EXPECT_EQ(preview.layout().texts.title, book.book().printForms[13].title);
    EXPECT_EQ(preview.layout().texts.dateRange, QStringLiteral("2024/01～2024/12"));
    // Only the rows with a name; the total row last and darker.
    EXPECT_EQ(preview.layout().rows.size(), RowsWithFirstCell(form->totals().grid).size());
    EXPECT_EQ(preview.layout().rows.last().shade, ReportShade::Silver);
    preview.close();

    form->findChild<QToolButton*>(QStringLiteral("PrintSpeedButton"))->click();
    EXPECT_EQ(preview.layout().texts.title, book.book().printForms[12].title);
}

}  // namespace
}  // namespace tovrel
