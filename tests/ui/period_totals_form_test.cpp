// Period totals window: range edits and buttons, red economy and rules, showing and closing, CSV.
#include "ui/period_totals_form.h"

#include "base/cp932.h"
#include "session/logbook.h"
#include "settings/settings_store.h"
#include "test_support.h"
#include "ui/preview_form.h"
#include "ui/range_bar.h"
#include "ui/widgets/file_dialog.h"
#include "ui/widgets/list_grid.h"
#include "ui/widgets/text_grid_model.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include <memory>

namespace tovrel {
namespace {

FuelRecord Refuel(const QString& day, const QString& run, const QString& gas, const QString& economy) {
    return test::Refuel(day, run, gas, economy, u"4000", u"130");
}

class PeriodTotalsFormTest : public ::testing::Test, protected test::LogbookSession {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartAndSelect(1));
        form = std::make_unique<TTotalForm>(book, &mainWindow);
    }

    void TearDown() override {
        form.reset();
        FileDialog::ClearLog();
    }

    // Three months of 2024 with economies 10, 14 and 9 (average 11).
    void ThreeMonths() {
        test::SetRecords(book.table(), {Refuel(QStringLiteral("2024/05/03"), QStringLiteral("400"),
                                               QStringLiteral("40"), QStringLiteral("10")),
                                        Refuel(QStringLiteral("2024/06/10"), QStringLiteral("560"),
                                               QStringLiteral("40"), QStringLiteral("14")),
                                        Refuel(QStringLiteral("2024/07/20"), QStringLiteral("360"),
                                               QStringLiteral("40"), QStringLiteral("9"))});
    }

    void SetRange(const QString& start, const QString& end) { form->rangeBar()->SetTexts(start, end); }
    QString Start() const { return form->rangeBar()->StartText(); }
    QString End() const { return form->rangeBar()->EndText(); }
    void Click(const char* name) const {
        auto* button = form->findChild<QToolButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    void Trigger(const char* name) const {
        auto* action = form->findChild<QAction*>(QLatin1String(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    QVariant Role(int gridRow, int column, int role) const {
        return form->model()->index(TextGridModel::ModelRow(gridRow), column).data(role);
    }
    bool Red(int gridRow, int column) const {
        return Role(gridRow, column, Qt::ForegroundRole).value<QColor>() == QColor(Qt::red);
    }
    bool Ruled(int gridRow) const {
        for (int c = 0; c < form->model()->columnCount(); ++c)
            if (Role(gridRow, c, ListGrid::BottomRuleRole).toBool()) return true;
        return false;
    }

    QWidget mainWindow;
    std::unique_ptr<TTotalForm> form;
};

TEST_F(PeriodTotalsFormTest, RangeEditsAreNormalisedByEveryOpener) {
    const QDate today = QDate::currentDate();
    EXPECT_EQ(End(), QStringLiteral("%1/%2")
                         .arg(today.year(), 4, 10, QLatin1Char('0'))
                         .arg(today.month(), 2, 10, QLatin1Char('0')));
    EXPECT_EQ(form->totals().months, 12);

    SetRange(QStringLiteral("2024/05"), QStringLiteral("2024/02"));
    Click("TotalSpeedButton");
    EXPECT_EQ(Start(), QStringLiteral("2024/05"));
    EXPECT_EQ(End(), QStringLiteral("2025/04"));

    SetRange(QStringLiteral("2000/13"), QStringLiteral("2024/12"));
    Trigger("TotalItem");
    EXPECT_EQ(Start(), QStringLiteral("2000/12"));
    EXPECT_EQ(End(), QStringLiteral("2020/11"));
    EXPECT_EQ(form->model()->rowCount(), 240 + 6);

    // Unreadable digits: year 0, month 1, rewritten whole.
    SetRange(QString(), QStringLiteral("2024/1"));
    EXPECT_EQ(Start(), QStringLiteral("    /  "));
    form->Compute(0);
    EXPECT_EQ(Start(), QStringLiteral("0000/01"));
    EXPECT_EQ(End(), QStringLiteral("0019/12"));

    SetRange(QStringLiteral("2020/01"), QStringLiteral("2024/12"));
    Click("PrevSpeedButton");
    EXPECT_EQ(Start(), QStringLiteral("2019/01"));
    EXPECT_EQ(End(), QStringLiteral("2019/12"));
    SetRange(QStringLiteral("2023/04"), QStringLiteral("2024/03"));
    Trigger("NextItem");
    EXPECT_EQ(Start(), QStringLiteral("2024/04"));
    EXPECT_EQ(End(), QStringLiteral("2025/03"));
    Trigger("PrevItem");
    EXPECT_EQ(Start(), QStringLiteral("2023/04"));
    Click("NextSpeedButton");
    EXPECT_EQ(Start(), QStringLiteral("2024/04"));

    // The whole log: nothing at all with an empty table, the first and last month otherwise.
    SetRange(QStringLiteral("2010/01"), QStringLiteral("2010/03"));
    const int rows = form->model()->rowCount();
    Click("AllSpeedButton");
    EXPECT_EQ(Start(), QStringLiteral("2010/01"));
    EXPECT_EQ(End(), QStringLiteral("2010/03"));
    EXPECT_EQ(form->model()->rowCount(), rows);
    ThreeMonths();
    Trigger("AllItem");
    EXPECT_EQ(Start(), QStringLiteral("2024/05"));
    EXPECT_EQ(End(), QStringLiteral("2024/07"));
    EXPECT_EQ(form->model()->rowCount(), 3 + 6);
    EXPECT_EQ(form->StatusText(), QStringLiteral("有効ﾃﾞｰﾀ : 2024/05/03～2024/07/20"));
}

TEST_F(PeriodTotalsFormTest, EconomyMarksAndRules) {
    ThreeMonths();
    SetRange(QStringLiteral("2024/01"), QStringLiteral("2024/12"));
    form->Compute(0);
    const int m = 12;
    ASSERT_EQ(form->model()->index(TextGridModel::ModelRow(m + 1), PeriodEconomy).data().toString().trimmed(),
              QStringLiteral("11.00"));

    // Below the average: May (10) and July (9), the worst month and the lowest record.
    EXPECT_TRUE(Red(5, PeriodEconomy));
    EXPECT_FALSE(Red(6, PeriodEconomy));
    EXPECT_TRUE(Red(7, PeriodEconomy));
    EXPECT_FALSE(Red(m + 3, PeriodEconomy));
    EXPECT_TRUE(Red(m + 4, PeriodEconomy));
    EXPECT_FALSE(Red(m + 5, PeriodEconomy));
    EXPECT_TRUE(Red(m + 6, PeriodEconomy));
    EXPECT_FALSE(Red(5, PeriodRun));
    EXPECT_FALSE(Red(m + 1, PeriodEconomy));
    EXPECT_FALSE(Red(m + 2, PeriodEconomy));

    // The target marks instead when the average mark is off.
    settings.MivraRed = false;
    EXPECT_FALSE(Red(5, PeriodEconomy));
    settings.MokuhyoRed = true;
    book.book().carInfo.MokuhyoMivra = QStringLiteral("15");
    EXPECT_TRUE(Red(6, PeriodEconomy));
    EXPECT_TRUE(Red(m + 5, PeriodEconomy));
    EXPECT_FALSE(Red(m + 1, PeriodEconomy));

    // Rules under June, December, the last month, the total and the worst month.
    for (int row = 1; row <= m + 6; ++row) {
        const bool expected = row == 6 || row == 12 || row == m + 2 || row == m + 4;
        EXPECT_EQ(Ruled(row), expected) << row;
    }
    SetRange(QStringLiteral("2024/02"), QStringLiteral("2024/04"));
    form->Compute(0);
    EXPECT_TRUE(Ruled(3));
    EXPECT_FALSE(Ruled(2));
    EXPECT_EQ(form->grid()->RightRuleColumns(), (QSet<int>{6, 8, 10}));
}

TEST_F(PeriodTotalsFormTest, ShowingDisablesTheMainWindowAndClosingStoresTheChoices) {
    ThreeMonths();
    book.book().lists.Car[1] = QStringLiteral("*通勤号 ");
    SetRange(QStringLiteral("2024/07"), QStringLiteral("2024/05"));
    mainWindow.show();
    form->show();
    EXPECT_FALSE(mainWindow.isEnabled());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("期間集計 - 通勤号"));
    EXPECT_EQ(form->model()->headerData(PeriodCostPerDistance, Qt::Horizontal).toString(),
              QStringLiteral("費用/km"));
    EXPECT_EQ(Start(), QStringLiteral("2024/07"));
    EXPECT_EQ(End(), QStringLiteral("2025/06"));
    EXPECT_EQ(form->focusWidget(), form->grid());

    // Width fixed to the columns; the height shows 8 rows at least and all rows at most.
    EXPECT_EQ(form->minimumWidth(), form->maximumWidth());
    form->resize(form->width(), 5000);
    QApplication::processEvents();
    EXPECT_LE(form->grid()->height(), form->grid()->FitToColumns(form->model()->rowCount()).height());
    form->resize(form->width(), 10);
    QApplication::processEvents();
    EXPECT_GE(form->grid()->height(), form->grid()->FitToColumns(7).height());

    auto* graphSel = form->findChild<QComboBox*>(QStringLiteral("GraphSelComboBox"));
    ASSERT_NE(graphSel, nullptr);
    EXPECT_FALSE(graphSel->isEnabled());
    graphSel->setCurrentIndex(3);
    form->grid()->SetColumnColors({0, 0, 0xFF00FF});
    form->close();
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_EQ(settings.KikanGraphSel, 3);
    EXPECT_EQ(store.Value(QStringLiteral("SGridColor"), QStringLiteral("02.TotalStringGrid")),
              QString::number(0xFF00FF));

    // Shown again: the edits keep the range, colours reload, cell-colour mode is off.
    form->grid()->SetCellColorMode(true);
    form->show();
    EXPECT_FALSE(mainWindow.isEnabled());
    EXPECT_EQ(Start(), QStringLiteral("2024/07"));
    EXPECT_FALSE(form->grid()->CellColorMode());
    EXPECT_EQ(form->grid()->ColumnColor(2), 0xFF00FFu);
    form->move(40, 30);
    form->close();

    // Placement is written when the window goes at program end.
    form.reset();
    EXPECT_EQ(store.Value(QStringLiteral("Position"), QStringLiteral("Left.TTotalForm")),
              QStringLiteral("40"));
    EXPECT_TRUE(store.Contains(QStringLiteral("Position"), QStringLiteral("Height.TTotalForm")));
}

TEST_F(PeriodTotalsFormTest, FileMenuNamesTheFormsAndCsvItemWritesTheList) {
    ThreeMonths();
    SetRange(QStringLiteral("2024/05"), QStringLiteral("2024/07"));
    form->show();
    QMenu* fileMenu = form->rangeBar()->FileMenu();
    emit fileMenu->aboutToShow();
    EXPECT_EQ(form->rangeBar()->FileOutItem(2)->text(),
              book.book().printForms[5].title + QStringLiteral("(&2)..."));
    EXPECT_EQ(form->rangeBar()->PrintItem(1)->text(),
              book.book().printForms[4].title + QStringLiteral("(&1)..."));
    EXPECT_TRUE(form->rangeBar()->PrintItem(1)->isEnabled());

    const QString path = folder.file(QStringLiteral("totals.csv"));
    FileDialog::PresetAnswers({path});
    Trigger("TotalFileOut2Item");
    EXPECT_EQ(FileDialog::PendingAnswers(), 0);
    ASSERT_EQ(FileDialog::Log().size(), 1);
    EXPECT_EQ(FileDialog::Log()[0].fileName, book.book().printForms[5].name + QStringLiteral(".csv"));
    const QStringList lines = Cp932Decode(test::ReadBytes(path)).split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], book.book().printForms[5].title);
    EXPECT_EQ(lines[1], QStringLiteral("2024/05～2024/07"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("2024/05,"))) << lines[3].toStdString();
    form->close();
}

TEST_F(PeriodTotalsFormTest, PrintButtonAndItemsPrintTheTotalsWithTheirRange) {
    ThreeMonths();
    SetRange(QStringLiteral("2024/05"), QStringLiteral("2024/07"));
    form->show();
    TPreviewForm preview(store);
    Click("PrintSpeedButton");
    ASSERT_TRUE(preview.isVisible());
    EXPECT_EQ(preview.layout().texts.title, book.book().printForms[4].title);
    EXPECT_EQ(preview.layout().texts.dateRange, QStringLiteral("2024/05～2024/07"));
    // Three months and the six summary rows, the first summary row darker.
    ASSERT_EQ(preview.layout().rows.size(), 9);
    EXPECT_EQ(preview.layout().rows[3].shade, ReportShade::Silver);
    EXPECT_FALSE(form->isEnabled());
    EXPECT_FALSE(mainWindow.isEnabled());
    preview.close();
    EXPECT_TRUE(form->isEnabled());
    EXPECT_FALSE(mainWindow.isEnabled());

    Trigger("TotalPrint2Item");
    EXPECT_EQ(preview.layout().texts.title, book.book().printForms[5].title);
}

}  // namespace
}  // namespace tovrel
