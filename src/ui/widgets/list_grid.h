// The owner-drawn list grid under every list window: fixed leading columns, kept and free column
// widths, per-column colours, row or cell-range selection.
#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QTableView>
#include <QVector>

namespace tovrel {

class FrozenGridView;
class GridHeader;

// An inclusive range of rows or columns; empty when first > last.
struct GridSpan {
    int first = 0;
    int last = -1;
    bool IsEmpty() const { return first > last; }
    int Count() const { return IsEmpty() ? 0 : last - first + 1; }
    bool operator==(const GridSpan&) const = default;
};

class ListGrid : public QTableView {
    Q_OBJECT

public:
    // bool on any cell of a row (or in the heading's header data): a black rule along the bottom of
    // every cell of that row.
    static constexpr int BottomRuleRole = Qt::UserRole + 1000;
    // A column of this width is hidden.
    static constexpr int HiddenWidth = 1;

    explicit ListGrid(QWidget* parent = nullptr);
    ~ListGrid() override;

    void setModel(QAbstractItemModel* model) override;
    void setSelectionModel(QItemSelectionModel* selectionModel) override;
    // Keeps the cell clear of the fixed columns; fixed cells scroll only vertically.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    // Columns 0..n-1 (n >= 1) are drawn as fixed cells and stay at the left when scrolling sideways.
    void SetFixedColumns(int count);
    int FixedColumns() const { return m_fixedColumns; }
    bool IsFixedColumn(int column) const { return column >= 0 && column < m_fixedColumns; }

    // Font, row height (font height + 2, plus the grid line) and, when character counts are known,
    // the default widths; every column that is not hidden goes to its new default width.
    void ApplyFont(const QFont& font);
    // Default width of column i = width of a space x chars[i] + 4; columns that are not hidden take it.
    void SizeColumns(const QVector<int>& chars);
    const QVector<int>& DefaultWidths() const { return m_defaultWidths; }
    // The default width, or the width of the column's widest number when that is wider.
    int DefaultWidth(int column) const;
    // A column that is not hidden is never narrower than its widest number: a cell of digits and
    // the signs around them (",", ".", "-", "+", "%", "/", ":"), plus the 4 pixels of the cell's
    // margins. Cutting a number at either end would show a wrong number.
    int NumberWidth(int column) const;
    // Cell height without the grid line.
    int RowHeight() const { return m_rowHeight; }
    // The size that shows every column and `rows` data rows below the heading, with room for each
    // scroll bar whose policy is not ScrollBarAlwaysOff.
    QSize FitToColumns(int rows) const;

    // Kept columns return to their default width whenever widths are checked, unless hidden.
    void SetKeptColumns(const QSet<int>& columns);
    const QSet<int>& KeptColumns() const { return m_keptColumns; }
    // A free column that is not hidden is never narrower than this.
    void SetMinimumFreeWidth(int width);
    int MinimumFreeWidth() const { return m_minimumFreeWidth; }
    void SetColumnHidden(int column, bool hidden);
    bool IsColumnHiddenByWidth(int column) const;
    void ResetColumnWidth(int column);
    void ResetAllColumnWidths();
    QVector<int> ColumnWidths() const;
    // Entries below 1 take the default width; the width rules apply afterwards.
    void SetColumnWidths(const QVector<int>& widths);
    // Width = widest first line (up to the first line break, trimmed) of the heading and of every
    // row, in the grid font, + 4.
    void AutoFitColumn(int column);
    // Applies the kept and minimum width rules now.
    void CheckColumnWidths();

    // Stored colour values (0x00BBGGRR, system colours allowed); 0 = the grid's base colour.
    void SetColumnColors(const QVector<quint32>& colors);
    const QVector<quint32>& ColumnColors() const { return m_columnColors; }
    quint32 ColumnColor(int column) const;
    void SetSelectColor(quint32 value);
    quint32 SelectColor() const { return m_selectColor; }
    // Black rules along the right edge of every cell of these columns.
    void SetRightRuleColumns(const QSet<int>& columns);
    const QSet<int>& RightRuleColumns() const { return m_rightRuleColumns; }

    // Off: whole rows are selected. On: cell ranges (and whole columns from the heading).
    void SetCellColorMode(bool on);
    bool CellColorMode() const { return m_cellColorMode; }
    // Bounds of the selection (the current cell when nothing is selected), clamped to the model.
    GridSpan SelectedColumnRange() const;
    GridSpan SelectedRowRange() const;

    // The selected columns that are not fixed (fixed cells cannot be coloured or hidden).
    // Opens the colour dialog on the leftmost selected column's colour; on OK those columns take
    // the chosen colour. True when a colour changed.
    bool ChooseColorForSelectedColumns(QWidget* parent);
    bool ClearColorOfSelectedColumns();
    void HideSelectedColumns();
    void ResetWidthOfSelectedColumns();
    // While answers are queued the colour dialog is not shown: each call takes the next answer
    // (an invalid colour meaning cancelled).
    static void PresetColorAnswers(const QList<QColor>& answers);
    static int PendingColorAnswers();

    int TopRow() const;
    void SetTopRow(int row);
    // Data rows wholly visible.
    int VisibleRows() const;
    // Right button: a cell outside the selection becomes the selection (its row in row mode).
    void SelectCellOnRightClick(QTableView* view, const QPoint& viewportPos);
    // Scrolls by the system's wheel lines per notch, keeping the last page full.
    void WheelScroll(QWheelEvent* event);

    // The overlay that shows the fixed columns (for tests and for mapping positions).
    QTableView* FrozenView() const;
    QColor FixedColor() const;
    QColor BaseColor() const;
    QColor GridLineColor() const;

signals:
    void headerDoubleClicked(int column);
    void cellDoubleClicked(int row, int column);
    void columnColorsChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void updateGeometries() override;

private:
    friend class FrozenGridView;

    void SetUpView(QTableView* view, GridHeader* header);
    void ConnectModel();
    void UpdateFrozenColumns();
    void UpdateFrozenGeometry();
    void OnSectionResized(int column, int oldSize, int newSize);
    void OnFrozenSectionResized(int column, int oldSize, int newSize);
    void OnHeaderReleased();
    void ApplyRowHeight();
    void RecomputeDefaults();
    // Measures the numbers of the rows and columns given; `fresh` forgets what the columns held before.
    void MeasureNumbers(int firstRow, int lastRow, int firstColumn, int lastColumn, bool fresh);
    void SetWidth(int column, int width);
    int FixedWidth() const;
    GridSpan ColoredColumnSpan() const;
    void SetColorOfSpan(const GridSpan& span, quint32 value, bool* changed);
    // Draws the row and column rules over the grid lines of a view.
    void PaintRules(QTableView* view) const;

    FrozenGridView* m_frozen = nullptr;
    GridHeader* m_header = nullptr;
    GridHeader* m_frozenHeader = nullptr;
    QPointer<QAbstractItemModel> m_model;
    QList<QMetaObject::Connection> m_modelConnections;
    QVector<int> m_savedWidths;

    int m_fixedColumns = 1;
    int m_rowHeight = 0;
    QVector<int> m_chars;
    QVector<int> m_defaultWidths;
    QVector<int> m_numberWidths;
    // The widest of the digits and signs of a number in the grid's font; -1 after a change of font.
    int m_widestSign = -1;
    QSet<int> m_keptColumns;
    int m_minimumFreeWidth = 0;
    QSet<int> m_rightRuleColumns;
    QVector<quint32> m_columnColors;
    quint32 m_selectColor = 0xC0C0C0;
    bool m_cellColorMode = false;
    bool m_syncingWidths = false;
    bool m_checkingWidths = false;
    bool m_syncingScroll = false;
    int m_wheelRemainder = 0;
};

}  // namespace tovrel
