// List grid: width rules, fixed columns, selection modes, right click, wheel, colours, drawing.
#include "ui/widgets/list_grid.h"

#include "ui/widgets/app_setup.h"
#include "ui/widgets/font_text.h"

#include "input_events.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QToolTip>

namespace tovrel {
namespace {

using namespace test;

const QVector<int> MainListChars = {4, 10, 2, 5, 4, 8, 9, 6, 6, 9, 6, 10, 10, 10, 12, 10, 20};

class ListGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        QApplication::setWheelScrollLines(3);
        model.setRowCount(200);
        model.setColumnCount(17);
        for (int column = 0; column < 17; ++column) {
            model.setHeaderData(column, Qt::Horizontal, QStringLiteral("H%1").arg(column));
        }
        for (int row = 0; row < 200; ++row) {
            model.setItem(row, 0, new QStandardItem(QStringLiteral("%1").arg(row + 1, 4)));
        }
        grid.setModel(&model);
        grid.ApplyFont(ListFont(QStringLiteral("ＭＳ ゴシック"), 9, 0));
        grid.SizeColumns(MainListChars);
        grid.SetKeptColumns({0, 1, 2, 3, 4});
        grid.SetMinimumFreeWidth(grid.DefaultWidth(4) / 2);
        grid.resize(500, 300);
        grid.show();
        QApplication::processEvents();
    }

    // Drags the right border of a column by dx in the given view's heading.
    static void DragBorder(QTableView* view, int column, int dx) {
        QHeaderView* header = view->horizontalHeader();
        const QPoint start(header->sectionViewportPosition(column) + header->sectionSize(column) - 1,
                           header->height() / 2);
        QWidget* port = header->viewport();
        SendMouse(port, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, start);
        SendMouse(port, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, start + QPoint(dx / 2, 0));
        SendMouse(port, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, start + QPoint(dx, 0));
        SendMouse(port, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, start + QPoint(dx, 0));
    }

    QPoint CellCenter(int row, int column) const {
        return grid.visualRect(model.index(row, column)).center();
    }

    void Wheel(int notches) {
        const QPoint pos = grid.viewport()->rect().center();
        QWheelEvent event(pos, grid.viewport()->mapToGlobal(pos), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.viewport(), &event);
        EXPECT_TRUE(event.isAccepted());
    }

    QStandardItemModel model;
    ListGrid grid;
};

TEST_F(ListGridTest, DefaultWidthsFollowTheFont) {
    const int space = QFontMetrics(grid.font()).horizontalAdvance(QLatin1Char(' '));
    ASSERT_EQ(grid.DefaultWidths().size(), 17);
    EXPECT_EQ(grid.DefaultWidth(16), space * 20 + 4);
    EXPECT_EQ(grid.columnWidth(1), space * 10 + 4);
    EXPECT_EQ(grid.RowHeight(), QFontMetrics(grid.font()).height() + 2);

    // A larger font gives new defaults; a hidden column stays hidden.
    grid.SetColumnHidden(9, true);
    grid.ApplyFont(ListFont(QStringLiteral("ＭＳ ゴシック"), 14, 0));
    const int wider = QFontMetrics(grid.font()).horizontalAdvance(QLatin1Char(' '));
    EXPECT_GT(wider, space);
    EXPECT_EQ(grid.columnWidth(16), wider * 20 + 4);
    EXPECT_EQ(grid.columnWidth(9), 1);

    int sum = 0;
    for (int width : grid.ColumnWidths())
        sum += width;
    const int bar = grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid);
    const int frame = 2 * grid.frameWidth();
    const int section = grid.RowHeight() + 1;  // and the heading row
    EXPECT_EQ(grid.FitToColumns(21), QSize(frame + sum + bar, frame + 22 * section + bar));
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(grid.FitToColumns(8), QSize(frame + sum, frame + 9 * section));
    grid.resize(grid.FitToColumns(8));
    QApplication::processEvents();
    EXPECT_EQ(grid.VisibleRows(), 8);
}

TEST_F(ListGridTest, KeptColumnSnapsBackAfterDragAndFreeColumnKeepsMinimum) {
    const int standard = grid.DefaultWidth(2);
    DragBorder(&grid, 2, 30);
    EXPECT_EQ(grid.columnWidth(2), standard);

    DragBorder(&grid, 6, 25);
    EXPECT_EQ(grid.columnWidth(6), grid.DefaultWidth(6) + 25);

    // Column 9 dragged down to a few pixels comes back to half the default width of column 4.
    DragBorder(&grid, 9, -(grid.columnWidth(9) - 3));
    EXPECT_EQ(grid.columnWidth(9), grid.DefaultWidth(4) / 2);

    // Programmatic widths obey the same rules; an unreadable (0) entry takes the default.
    QVector<int> widths = grid.ColumnWidths();
    widths[1] = 300;
    widths[10] = 2;
    widths[11] = 0;
    widths[12] = 77;
    grid.SetColumnWidths(widths);
    EXPECT_EQ(grid.columnWidth(1), grid.DefaultWidth(1));
    EXPECT_EQ(grid.columnWidth(10), grid.DefaultWidth(4) / 2);
    EXPECT_EQ(grid.columnWidth(11), grid.DefaultWidth(11));
    EXPECT_EQ(grid.columnWidth(12), 77);
}

TEST_F(ListGridTest, HiddenColumnsStayAtOnePixel) {
    grid.SetColumnHidden(3, true);  // kept
    QVector<int> widths = grid.ColumnWidths();
    widths[13] = 1;  // free, as stored
    grid.SetColumnWidths(widths);
    grid.CheckColumnWidths();
    grid.SetMinimumFreeWidth(40);
    EXPECT_EQ(grid.columnWidth(3), 1);
    EXPECT_EQ(grid.columnWidth(13), 1);
    EXPECT_TRUE(grid.IsColumnHiddenByWidth(13));

    // A kept column dragged to 1 px counts as hidden and stays so.
    DragBorder(&grid, 4, -(grid.columnWidth(4) + 10));
    EXPECT_EQ(grid.columnWidth(4), 1);

    grid.SetColumnHidden(3, false);
    EXPECT_EQ(grid.columnWidth(3), grid.DefaultWidth(3));
    grid.ResetColumnWidth(13);
    EXPECT_EQ(grid.columnWidth(13), grid.DefaultWidth(13));

    // Selected columns hidden and restored from the menu items; fixed columns are left alone.
    grid.SetCellColorMode(true);
    grid.selectionModel()->select(QItemSelection(model.index(5, 0), model.index(5, 7)),
                                  QItemSelectionModel::ClearAndSelect);
    grid.HideSelectedColumns();
    EXPECT_GT(grid.columnWidth(0), 1);
    for (int column = 1; column <= 7; ++column)
        EXPECT_EQ(grid.columnWidth(column), 1) << column;
    grid.ResetWidthOfSelectedColumns();
    for (int column = 1; column <= 7; ++column) {
        const bool kept = column <= 4;
        EXPECT_EQ(grid.columnWidth(column),
                  kept ? grid.DefaultWidth(column) : qMax(grid.DefaultWidth(column), 40))
            << column;
    }
}

TEST_F(ListGridTest, FixedColumnsFollowTheCountAndStayLeft) {
    QTableView* frozen = grid.FrozenView();
    EXPECT_EQ(grid.FixedColumns(), 1);
    EXPECT_FALSE(frozen->isColumnHidden(0));
    EXPECT_TRUE(frozen->isColumnHidden(1));
    EXPECT_EQ(frozen->width(), grid.columnWidth(0));

    grid.SetFixedColumns(3);
    for (int column = 0; column < 17; ++column)
        EXPECT_EQ(frozen->isColumnHidden(column), column >= 3) << column;
    const int fixedWidth = grid.columnWidth(0) + grid.columnWidth(1) + grid.columnWidth(2);
    EXPECT_EQ(frozen->width(), fixedWidth);
    EXPECT_EQ(frozen->x(), grid.viewport()->x());

    // Scrolling sideways moves the grid under the overlay, which stays put and in step vertically.
    grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
    grid.SetTopRow(50);
    EXPECT_EQ(frozen->x(), grid.viewport()->x());
    EXPECT_EQ(frozen->verticalScrollBar()->value(), 50);
    EXPECT_EQ(frozen->rowAt(0), 50);

    // Moving to a column that lies under the overlay brings it out to the overlay's edge.
    grid.scrollTo(model.index(60, 5));
    EXPECT_EQ(grid.visualRect(model.index(60, 5)).left(), fixedWidth);

    grid.SetFixedColumns(1);
    EXPECT_TRUE(frozen->isColumnHidden(1));
    EXPECT_EQ(frozen->width(), grid.columnWidth(0));
    grid.SetFixedColumns(0);
    EXPECT_EQ(grid.FixedColumns(), 1);
}

TEST_F(ListGridTest, SelectionRangesInRowAndCellMode) {
    grid.selectionModel()->clear();
    EXPECT_TRUE(grid.SelectedColumnRange().IsEmpty());
    grid.selectionModel()->setCurrentIndex(model.index(4, 6), QItemSelectionModel::NoUpdate);
    EXPECT_EQ(grid.SelectedColumnRange(), (GridSpan{6, 6}));
    EXPECT_EQ(grid.SelectedRowRange(), (GridSpan{4, 4}));

    // Row mode: a click selects the whole row, so every column is in range.
    Click(grid.viewport(), Qt::LeftButton, {}, CellCenter(3, 6));
    EXPECT_EQ(grid.SelectedColumnRange(), (GridSpan{0, 16}));
    EXPECT_EQ(grid.SelectedRowRange(), (GridSpan{3, 3}));
    Click(grid.viewport(), Qt::LeftButton, Qt::ShiftModifier, CellCenter(7, 6));
    EXPECT_EQ(grid.SelectedRowRange(), (GridSpan{3, 7}));

    // Cell mode: cell ranges, and whole columns from the heading.
    grid.SetCellColorMode(true);
    EXPECT_EQ(grid.SelectedColumnRange(), (GridSpan{6, 6}));
    Click(grid.viewport(), Qt::LeftButton, {}, CellCenter(2, 5));
    Click(grid.viewport(), Qt::LeftButton, Qt::ShiftModifier, CellCenter(4, 8));
    EXPECT_EQ(grid.SelectedColumnRange(), (GridSpan{5, 8}));
    EXPECT_EQ(grid.SelectedRowRange(), (GridSpan{2, 4}));
    QHeaderView* header = grid.horizontalHeader();
    Click(header->viewport(), Qt::LeftButton, {},
          QPoint(header->sectionViewportPosition(7) + 5, header->height() / 2));
    EXPECT_EQ(grid.SelectedColumnRange(), (GridSpan{7, 7}));
    EXPECT_EQ(grid.SelectedRowRange(), (GridSpan{0, 199}));

    // Back to rows: the selected rows become whole rows again.
    grid.selectionModel()->select(QItemSelection(model.index(10, 5), model.index(12, 6)),
                                  QItemSelectionModel::ClearAndSelect);
    grid.SetCellColorMode(false);
    EXPECT_EQ(grid.SelectedColumnRange(), (GridSpan{0, 16}));
    EXPECT_EQ(grid.SelectedRowRange(), (GridSpan{10, 12}));
    EXPECT_EQ(grid.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(grid.FrozenView()->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST_F(ListGridTest, RightClickKeepsOrReplacesTheSelection) {
    Click(grid.viewport(), Qt::LeftButton, {}, CellCenter(3, 6));
    Click(grid.viewport(), Qt::LeftButton, Qt::ShiftModifier, CellCenter(6, 6));
    Click(grid.viewport(), Qt::RightButton, {}, CellCenter(5, 9));
    EXPECT_EQ(grid.SelectedRowRange(), (GridSpan{3, 6}));

    Click(grid.viewport(), Qt::RightButton, {}, CellCenter(9, 9));
    EXPECT_EQ(grid.SelectedRowRange(), (GridSpan{9, 9}));
    EXPECT_EQ(grid.SelectedColumnRange(), (GridSpan{0, 16}));
    EXPECT_EQ(grid.currentIndex(), model.index(9, 9));

    // Over the fixed columns too.
    QTableView* frozen = grid.FrozenView();
    Click(frozen->viewport(), Qt::RightButton, {}, frozen->visualRect(model.index(2, 0)).center());
    EXPECT_EQ(grid.SelectedRowRange(), (GridSpan{2, 2}));

    // Cell mode: only the clicked cell, and a click inside a cell range keeps it.
    grid.SetCellColorMode(true);
    grid.selectionModel()->select(QItemSelection(model.index(1, 5), model.index(3, 8)),
                                  QItemSelectionModel::ClearAndSelect);
    Click(grid.viewport(), Qt::RightButton, {}, CellCenter(2, 7));
    EXPECT_EQ(grid.SelectedColumnRange(), (GridSpan{5, 8}));
    Click(grid.viewport(), Qt::RightButton, {}, CellCenter(2, 10));
    EXPECT_EQ(grid.SelectedColumnRange(), (GridSpan{10, 10}));
    EXPECT_EQ(grid.SelectedRowRange(), (GridSpan{2, 2}));
}

TEST_F(ListGridTest, MenusDoubleClicksAndHintsReachTheWindow) {
    int menus = 0;
    grid.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&grid, &QWidget::customContextMenuRequested, [&] { ++menus; });
    QWidget* fixedPort = grid.FrozenView()->viewport();
    QContextMenuEvent overFixed(QContextMenuEvent::Mouse, QPoint(5, 5), fixedPort->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(fixedPort, &overFixed);
    EXPECT_EQ(menus, 1);

    QList<QPair<int, int>> cells;
    QObject::connect(&grid, &ListGrid::cellDoubleClicked, [&](int row, int column) {
        cells.append({row, column});
    });
    DoubleClick(grid.viewport(), CellCenter(4, 7));
    DoubleClick(fixedPort, grid.FrozenView()->visualRect(model.index(2, 0)).center());
    EXPECT_EQ(cells, (QList<QPair<int, int>>{{4, 7}, {2, 0}}));

    model.setItem(3, 16, new QStandardItem(QStringLiteral("memo")));
    model.item(3, 16)->setToolTip(QStringLiteral("一行目\r\n二行目"));
    const QPoint pos = CellCenter(3, 16);
    QHelpEvent hint(QEvent::ToolTip, pos, grid.viewport()->mapToGlobal(pos));
    QApplication::sendEvent(grid.viewport(), &hint);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("一行目\n二行目"));
    const QPoint plain = CellCenter(4, 16);
    QHelpEvent none(QEvent::ToolTip, plain, grid.viewport()->mapToGlobal(plain));
    QApplication::sendEvent(grid.viewport(), &none);
    QElapsedTimer waited;  // the hint fades out
    waited.start();
    while (QToolTip::isVisible() && waited.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(ListGridTest, WheelScrollsByLinesWithinLimits) {
    const int lastTop = 200 - grid.VisibleRows();
    ASSERT_GT(grid.VisibleRows(), 5);
    Wheel(1);
    EXPECT_EQ(grid.TopRow(), 0);
    Wheel(-1);
    EXPECT_EQ(grid.TopRow(), 3);
    Wheel(-2);
    EXPECT_EQ(grid.TopRow(), 9);
    Wheel(1);
    EXPECT_EQ(grid.TopRow(), 6);
    Wheel(-100);
    EXPECT_EQ(grid.TopRow(), lastTop);
    Wheel(100);
    EXPECT_EQ(grid.TopRow(), 0);

    QApplication::setWheelScrollLines(0);
    Wheel(-1);
    EXPECT_EQ(grid.TopRow(), 3);
    QApplication::setWheelScrollLines(5);
    Wheel(-1);
    EXPECT_EQ(grid.TopRow(), 8);
}

TEST_F(ListGridTest, AutoFitMeasuresFirstLinesAndTheHeading) {
    const QFontMetrics metrics(grid.font());
    model.setItem(
        0, 14,
        new QStandardItem(QStringLiteral("オイル交換:3000\r\n非常に長いメンテナンスの二行目の説明文です")));
    model.setItem(1, 14,
                  new QStandardItem(QStringLiteral("  点検:0  \nもっともっと長い別の二行目の説明文の続き")));
    model.setItem(2, 14, new QStandardItem(QStringLiteral("ﾀｲﾔ")));
    grid.AutoFitColumn(14);
    const int widest = qMax(metrics.horizontalAdvance(QStringLiteral("オイル交換:3000")),
                            metrics.horizontalAdvance(QStringLiteral("点検:0")));
    EXPECT_EQ(grid.columnWidth(14), widest + 4);

    // An empty column fits its heading; a kept column returns to its default width.
    model.setHeaderData(15, Qt::Horizontal, QStringLiteral("ショップ名"));
    grid.AutoFitColumn(15);
    EXPECT_EQ(grid.columnWidth(15), metrics.horizontalAdvance(QStringLiteral("ショップ名")) + 4);
    model.setItem(5, 1, new QStandardItem(QStringLiteral("2024/01/01 とても長い日付の説明")));
    grid.AutoFitColumn(1);
    EXPECT_EQ(grid.columnWidth(1), grid.DefaultWidth(1));

    QList<int> doubleClicked;
    QObject::connect(&grid, &ListGrid::headerDoubleClicked, [&](int column) { doubleClicked << column; });
    QHeaderView* header = grid.horizontalHeader();
    DoubleClick(header->viewport(), QPoint(header->sectionViewportPosition(6) + 5, header->height() / 2));
    // On a border too: the column under the mouse.
    DoubleClick(header->viewport(), QPoint(header->sectionViewportPosition(8) + 1, header->height() / 2));
    EXPECT_EQ(doubleClicked, (QList<int>{6, 8}));
}

TEST_F(ListGridTest, ColoursOfSelectedColumns) {
    int changes = 0;
    QObject::connect(&grid, &ListGrid::columnColorsChanged, [&] { ++changes; });
    grid.SetFixedColumns(3);
    grid.SetCellColorMode(true);
    grid.selectionModel()->select(QItemSelection(model.index(4, 1), model.index(8, 6)),
                                  QItemSelectionModel::ClearAndSelect);

    ListGrid::PresetColorAnswers({QColor(255, 0, 0)});
    EXPECT_TRUE(grid.ChooseColorForSelectedColumns(nullptr));
    EXPECT_EQ(ListGrid::PendingColorAnswers(), 0);
    QVector<quint32> expected(17, 0);
    for (int column = 3; column <= 6; ++column)
        expected[column] = 0x0000FF;  // fixed 1-2 untouched
    EXPECT_EQ(grid.ColumnColors(), expected);
    EXPECT_EQ(changes, 1);

    ListGrid::PresetColorAnswers({QColor()});  // cancelled
    EXPECT_FALSE(grid.ChooseColorForSelectedColumns(nullptr));
    EXPECT_EQ(grid.ColumnColors(), expected);

    // Black must not turn into "no colour".
    ListGrid::PresetColorAnswers({QColor(0, 0, 0)});
    EXPECT_TRUE(grid.ChooseColorForSelectedColumns(nullptr));
    EXPECT_NE(grid.ColumnColor(4), 0u);

    grid.selectionModel()->select(QItemSelection(model.index(0, 4), model.index(0, 5)),
                                  QItemSelectionModel::ClearAndSelect);
    EXPECT_TRUE(grid.ClearColorOfSelectedColumns());
    EXPECT_EQ(grid.ColumnColor(4), 0u);
    EXPECT_EQ(grid.ColumnColor(5), 0u);
    EXPECT_NE(grid.ColumnColor(6), 0u);
    EXPECT_FALSE(grid.ClearColorOfSelectedColumns());
}

TEST_F(ListGridTest, DrawsColoursRulesAndTheFixedOverlay) {
    grid.SetFixedColumns(3);
    grid.SetSelectColor(0xC0C0C0);
    QVector<quint32> colors(17, 0);
    colors[7] = 0x80FFFF;   // light yellow
    colors[12] = 0xFFE0C0;  // light blue
    grid.SetColumnColors(colors);
    grid.SetRightRuleColumns({6, 8, 10});
    for (int row = 0; row < 200; ++row) {
        model.setItem(
            row, 1,
            new QStandardItem(QStringLiteral("2024/%1/15").arg(row % 12 + 1, 2, 10, QLatin1Char('0'))));
        model.setItem(row, 2, new QStandardItem(row % 7 == 0 ? QStringLiteral("日") : QStringLiteral("月")));
        if (row % 7 == 0) model.item(row, 2)->setForeground(QColor(Qt::red));
        auto* economy = new QStandardItem(QStringLiteral("  12.34"));
        economy->setTextAlignment(Qt::AlignRight);
        model.setItem(row, 8, economy);
        model.setItem(row, 12, new QStandardItem(QStringLiteral("スタンド%1").arg(row)));
        if (row % 5 == 4) model.item(row, 0)->setData(true, ListGrid::BottomRuleRole);
    }
    QFont underline;
    underline.setUnderline(true);
    model.item(3, 8)->setFont(underline);
    model.setHeaderData(8, Qt::Horizontal, QColor(Qt::red), Qt::ForegroundRole);
    model.setHeaderData(8, Qt::Horizontal, QStringLiteral("燃費"));
    model.setHeaderData(0, Qt::Horizontal, true, ListGrid::BottomRuleRole);
    grid.selectRow(6);
    grid.resize(520, 360);
    grid.horizontalScrollBar()->setValue(120);
    QApplication::processEvents();

    const QImage image = grid.grab().toImage();
    image.save(QDir::tempPath() + QStringLiteral("/list_grid_test.png"));

    // Fixed cells stay at the left in the fixed colour although the grid is scrolled sideways.
    const QPoint fixedCell = grid.FrozenView()->geometry().topLeft() +
                             grid.FrozenView()->visualRect(model.index(1, 0)).center() +
                             QPoint(0, grid.horizontalHeader()->height());
    EXPECT_EQ(image.pixelColor(fixedCell + QPoint(8, 0)), grid.FixedColor());

    // A coloured column: background (away from the text) in its colour, not on the selected row.
    const QRect yellow = grid.visualRect(model.index(1, 7)).translated(grid.viewport()->pos());
    EXPECT_EQ(image.pixelColor(yellow.right() - 2, yellow.center().y()), QColor(0xFF, 0xFF, 0x80));
    const QRect selected = grid.visualRect(model.index(6, 7)).translated(grid.viewport()->pos());
    EXPECT_EQ(image.pixelColor(selected.right() - 2, selected.center().y()), QColor(0xC0, 0xC0, 0xC0));

    // Row rule under row 4 and the column rule right of column 8, both black.
    const QRect ruled = grid.visualRect(model.index(4, 9)).translated(grid.viewport()->pos());
    EXPECT_EQ(image.pixelColor(ruled.center().x(), ruled.bottom() + 1), QColor(Qt::black));
    const QRect edge = grid.visualRect(model.index(2, 8)).translated(grid.viewport()->pos());
    EXPECT_EQ(image.pixelColor(edge.right() + 1, edge.center().y()), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(ruled.center().x(), grid.viewport()->y() - 1), QColor(Qt::black));

    // At the end of the list the overlay's rows still line up with the grid's.
    grid.SetCellColorMode(true);
    grid.selectionModel()->select(QItemSelection(model.index(195, 6), model.index(197, 9)),
                                  QItemSelectionModel::ClearAndSelect);
    grid.SetColumnHidden(10, true);
    grid.SetTopRow(200);
    QApplication::processEvents();
    EXPECT_EQ(grid.TopRow(), 200 - grid.VisibleRows());
    EXPECT_EQ(grid.FrozenView()->rowAt(0), grid.rowAt(0));
    EXPECT_EQ(grid.FrozenView()->rowViewportPosition(199), grid.rowViewportPosition(199));
    grid.grab().save(QDir::tempPath() + QStringLiteral("/list_grid_test_end.png"));
}

TEST_F(ListGridTest, NumbersAreNeverShownCut) {
    const QFontMetrics metrics(grid.font());
    auto* wide = new QStandardItem(QStringLiteral("   1,234,567.8"));
    wide->setTextAlignment(Qt::AlignRight);
    model.setItem(5, 6, wide);
    model.setItem(7, 2, new QStandardItem(QStringLiteral("-119,990")));  // a kept column, drawn as it stands
    model.setItem(8, 16, new QStandardItem(QStringLiteral("メモは数字ではないので列を広げない長いメモ")));
    const int run = metrics.horizontalAdvance(QStringLiteral("1,234,567.8")) + 4;
    const int remaining = metrics.horizontalAdvance(QStringLiteral("-119,990")) + 4;
    EXPECT_EQ(grid.NumberWidth(6), run);
    EXPECT_EQ(grid.columnWidth(6), run);
    EXPECT_EQ(grid.columnWidth(2), remaining);
    EXPECT_EQ(grid.DefaultWidth(2), remaining);
    EXPECT_EQ(grid.columnWidth(16), grid.DefaultWidths()[16]);

    // Dragged narrower, the column comes back to its widest number; hidden, it stays hidden.
    grid.setColumnWidth(6, 10);
    EXPECT_EQ(grid.columnWidth(6), run);
    grid.SetColumnHidden(6, true);
    model.setItem(9, 6, new QStandardItem(QStringLiteral("98,765,432,109")));
    EXPECT_EQ(grid.columnWidth(6), ListGrid::HiddenWidth);
    grid.SetColumnHidden(6, false);
    EXPECT_EQ(grid.columnWidth(6), metrics.horizontalAdvance(QStringLiteral("98,765,432,109")) + 4);

    // The numbers are gone: the kept column returns to its standard width.
    model.setItem(7, 2, new QStandardItem(QString()));
    model.dataChanged(model.index(0, 0), model.index(model.rowCount() - 1, 16));
    EXPECT_EQ(grid.columnWidth(2), grid.DefaultWidths()[2]);
}

TEST_F(ListGridTest, StaysFastWithTwoThousandRows) {
    model.setRowCount(2000);
    for (int row = 0; row < 2000; ++row) {
        for (int column = 0; column < 17; column += 4) {
            model.setItem(row, column, new QStandardItem(QStringLiteral("%1-%2").arg(row).arg(column)));
        }
        model.setItem(row, 6, new QStandardItem(QStringLiteral("%1.5").arg(row * 1000)));
    }
    QElapsedTimer timer;
    timer.start();
    // Every cell changed, as after loading a car: the numbers are measured again.
    for (int i = 0; i < 20; ++i)
        model.dataChanged(model.index(0, 0), model.index(1999, 16));
    for (int i = 0; i < 20; ++i) {
        grid.SetTopRow(i * 90);
        grid.repaint();
    }
    grid.AutoFitColumn(16);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(grid.TopRow(), 19 * 90);
}

}  // namespace
}  // namespace tovrel
