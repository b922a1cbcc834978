#include "ui/widgets/list_grid.h"

#include "ui/widgets/app_setup.h"
#include "ui/widgets/colors.h"
#include "ui/widgets/list_grid_cells.h"

#include <QApplication>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QWheelEvent>

#include <array>
#include <functional>
#include <limits>

namespace tovrel {

namespace {

QList<QColor>& ColorAnswers() {
    static QList<QColor> answers;
    return answers;
}

}  // namespace

// Overlay that shows the fixed columns over the left edge of the grid; it shares the grid's model
// and selection model and follows its vertical scrolling.
class FrozenGridView : public QTableView {
public:
    explicit FrozenGridView(ListGrid* grid) : QTableView(grid), m_grid(grid) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QTableView::paintEvent(event);
        m_grid->PaintRules(this);
    }

    void mousePressEvent(QMouseEvent* event) override {
        m_grid->setFocus(Qt::MouseFocusReason);
        if (event->button() == Qt::RightButton) {
            m_grid->SelectCellOnRightClick(this, event->position().toPoint());
            event->accept();
            return;
        }
        QTableView::mousePressEvent(event);
    }

    void wheelEvent(QWheelEvent* event) override { m_grid->WheelScroll(event); }

private:
    ListGrid* m_grid;
};

ListGrid::ListGrid(QWidget* parent) : QTableView(parent) {
    m_header = new GridHeader(this, this);
    setHorizontalHeader(m_header);
    m_frozen = new FrozenGridView(this);
    m_frozenHeader = new GridHeader(this, m_frozen);
    m_frozen->setHorizontalHeader(m_frozenHeader);

    SetUpView(this, m_header);
    SetUpView(m_frozen, m_frozenHeader);
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->setFrameShape(QFrame::NoFrame);
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->viewport()->installEventFilter(this);
    viewport()->stackUnder(m_frozen);

    connect(m_header, &QHeaderView::sectionResized, this, &ListGrid::OnSectionResized);
    connect(m_frozenHeader, &QHeaderView::sectionResized, this, &ListGrid::OnFrozenSectionResized);
    m_header->onReleased = [this] { OnHeaderReleased(); };
    m_frozenHeader->onReleased = [this] { OnHeaderReleased(); };
    m_header->onDoubleClicked = [this](int column) { emit headerDoubleClicked(column); };
    m_frozenHeader->onDoubleClicked = [this](int column) { emit headerDoubleClicked(column); };
    auto cellClicked = [this](const QModelIndex& index) {
        if (index.isValid()) emit cellDoubleClicked(index.row(), index.column());
    };
    connect(this, &QAbstractItemView::doubleClicked, this, cellClicked);
    connect(m_frozen, &QAbstractItemView::doubleClicked, this, cellClicked);

    // The grid's scroll bar leads; the overlay follows it and only reports scrolling of its own.
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, this, [this](int value) {
        m_syncingScroll = true;
        m_frozen->verticalScrollBar()->setValue(value);
        m_syncingScroll = false;
    });
    connect(m_frozen->verticalScrollBar(), &QAbstractSlider::valueChanged, this, [this](int value) {
        if (!m_syncingScroll) verticalScrollBar()->setValue(value);
    });
    connect(m_frozen->verticalScrollBar(), &QAbstractSlider::rangeChanged, this, [this] {
        m_syncingScroll = true;
        m_frozen->verticalScrollBar()->setValue(verticalScrollBar()->value());
        m_syncingScroll = false;
    });

    SetCellColorMode(false);
    ApplyFont(font());
    m_frozen->show();
}

ListGrid::~ListGrid() {
    // The child views and scroll bars outlive this part of the object while Qt tears them down;
    // their signals must not reach it any more.
    m_frozen->viewport()->removeEventFilter(this);
    const QList<QObject*> senders = {this,     verticalScrollBar(), m_frozen->verticalScrollBar(),
                                     m_header, m_frozenHeader,      m_frozen};
    for (QObject* sender : senders)
        disconnect(sender, nullptr, this, nullptr);
    for (const auto& connection : std::as_const(m_modelConnections))
        disconnect(connection);
    m_header->onReleased = nullptr;
    m_frozenHeader->onReleased = nullptr;
    m_header->onDoubleClicked = nullptr;
    m_frozenHeader->onDoubleClicked = nullptr;
}

void ListGrid::SetUpView(QTableView* view, GridHeader* header) {
    view->setItemDelegate(new GridDelegate(this, view));
    view->verticalHeader()->hide();
    view->verticalHeader()->setMinimumSectionSize(1);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    header->setFont(view->font());
    view->setShowGrid(true);
    view->setGridStyle(Qt::SolidLine);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::ContiguousSelection);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
}

void ListGrid::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    m_model = model;
    m_frozen->setModel(model);
    m_frozen->setSelectionModel(selectionModel());
    ConnectModel();
    UpdateFrozenColumns();
    ResetAllColumnWidths();
}

void ListGrid::setSelectionModel(QItemSelectionModel* selectionModel) {
    QTableView::setSelectionModel(selectionModel);
    // During setModel the overlay still shows the old model; setModel shares the new one after.
    if (m_frozen && selectionModel && m_frozen->model() == selectionModel->model()) {
        m_frozen->setSelectionModel(selectionModel);
    }
}

void ListGrid::ConnectModel() {
    for (const auto& connection : std::as_const(m_modelConnections))
        disconnect(connection);
    m_modelConnections.clear();
    if (!m_model) return;
    // Qt's header drops its section sizes on a reset; the user's widths survive it.
    m_modelConnections << connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this,
                                  [this] { m_savedWidths = ColumnWidths(); });
    m_modelConnections << connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        UpdateFrozenColumns();
        MeasureNumbers(0, m_model->rowCount() - 1, 0, m_model->columnCount() - 1, true);
        SetColumnWidths(m_savedWidths);
    });
    m_modelConnections << connect(
        m_model, &QAbstractItemModel::dataChanged, this,
        [this](const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) {
            // New colours leave every number as wide as it was.
            if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole)) return;
            const bool allRows = topLeft.row() == 0 && bottomRight.row() == m_model->rowCount() - 1;
            MeasureNumbers(topLeft.row(), bottomRight.row(), topLeft.column(), bottomRight.column(), allRows);
            CheckColumnWidths();
        });
    m_modelConnections << connect(m_model, &QAbstractItemModel::rowsInserted, this,
                                  [this](const QModelIndex&, int first, int last) {
                                      MeasureNumbers(first, last, 0, m_model->columnCount() - 1, false);
                                      CheckColumnWidths();
                                  });
    auto columnsChanged = [this] {
        UpdateFrozenColumns();
        MeasureNumbers(0, m_model->rowCount() - 1, 0, m_model->columnCount() - 1, true);
        CheckColumnWidths();
    };
    m_modelConnections << connect(m_model, &QAbstractItemModel::columnsInserted, this, columnsChanged);
    m_modelConnections << connect(m_model, &QAbstractItemModel::columnsRemoved, this, columnsChanged);
}

void ListGrid::SetFixedColumns(int count) {
    m_fixedColumns = qMax(1, count);
    UpdateFrozenColumns();
    viewport()->update();
    m_header->viewport()->update();
}

void ListGrid::UpdateFrozenColumns() {
    const int columns = m_model ? m_model->columnCount() : 0;
    m_syncingWidths = true;
    for (int column = 0; column < columns; ++column) {
        const bool frozen = column < m_fixedColumns;
        m_frozen->setColumnHidden(column, !frozen);
        if (frozen) m_frozen->setColumnWidth(column, columnWidth(column));
    }
    m_syncingWidths = false;
    UpdateFrozenGeometry();
    m_frozen->viewport()->update();
}

int ListGrid::FixedWidth() const {
    const int columns = m_model ? qMin(m_fixedColumns, m_model->columnCount()) : 0;
    int width = 0;
    for (int column = 0; column < columns; ++column)
        width += columnWidth(column);
    return width;
}

void ListGrid::UpdateFrozenGeometry() {
    if (!m_frozen) return;
    const QRect port = viewport()->geometry();
    const int top = frameWidth();
    m_frozen->setGeometry(port.left(), top, qMin(FixedWidth(), port.width()), port.bottom() + 1 - top);
}

void ListGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) m_widestSign = -1;
    QTableView::changeEvent(event);
}

void ListGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    UpdateFrozenGeometry();
}

void ListGrid::updateGeometries() {
    QTableView::updateGeometries();
    UpdateFrozenGeometry();
}

void ListGrid::OnSectionResized(int column, int /*oldSize*/, int newSize) {
    if (column < m_fixedColumns && !m_syncingWidths) {
        m_syncingWidths = true;
        m_frozen->setColumnWidth(column, newSize);
        m_syncingWidths = false;
    }
    UpdateFrozenGeometry();
    // While a heading border is being dragged the width follows the mouse; the rules apply on release.
    if (!m_header->IsPressed() && !m_frozenHeader->IsPressed()) CheckColumnWidths();
}

void ListGrid::OnFrozenSectionResized(int column, int /*oldSize*/, int newSize) {
    if (m_syncingWidths || column >= m_fixedColumns) return;
    m_syncingWidths = true;
    setColumnWidth(column, newSize);
    m_syncingWidths = false;
}

void ListGrid::OnHeaderReleased() {
    CheckColumnWidths();
}

void ListGrid::CheckColumnWidths() {
    if (m_checkingWidths || !m_model) return;
    m_checkingWidths = true;
    const int columns = m_model->columnCount();
    for (int column = 0; column < columns; ++column) {
        const int width = columnWidth(column);
        if (width == HiddenWidth) continue;
        if (m_keptColumns.contains(column)) {
            const int standard = DefaultWidth(column);
            if (standard > 0 && width != standard) setColumnWidth(column, standard);
        } else {
            const int minimum = qMax(m_minimumFreeWidth, NumberWidth(column));
            if (width < minimum) setColumnWidth(column, minimum);
        }
    }
    m_checkingWidths = false;
}

void ListGrid::ApplyRowHeight() {
    const int section = m_rowHeight + 1;  // the row's section also holds its grid line
    for (QTableView* view : {static_cast<QTableView*>(this), static_cast<QTableView*>(m_frozen)}) {
        view->verticalHeader()->setDefaultSectionSize(section);
        view->horizontalHeader()->setFixedHeight(section);
    }
    UpdateFrozenGeometry();
}

void ListGrid::ApplyFont(const QFont& font) {
    setFont(font);
    m_frozen->setFont(font);
    m_header->setFont(font);
    m_frozenHeader->setFont(font);
    m_rowHeight = QFontMetrics(font).height() + 2;
    ApplyRowHeight();
    if (m_model) MeasureNumbers(0, m_model->rowCount() - 1, 0, m_model->columnCount() - 1, true);
    if (!m_chars.isEmpty()) {
        RecomputeDefaults();
        ResetAllColumnWidths();
    }
    viewport()->update();
}

void ListGrid::RecomputeDefaults() {
    const int space = QFontMetrics(font()).horizontalAdvance(QLatin1Char(' '));
    m_defaultWidths.resize(m_chars.size());
    for (int i = 0; i < m_chars.size(); ++i)
        m_defaultWidths[i] = space * m_chars[i] + 4;
}

void ListGrid::SizeColumns(const QVector<int>& chars) {
    m_chars = chars;
    RecomputeDefaults();
    ResetAllColumnWidths();
}

int ListGrid::DefaultWidth(int column) const {
    const int standard = column >= 0 && column < m_defaultWidths.size() ? m_defaultWidths[column] : 0;
    return qMax(standard, NumberWidth(column));
}

int ListGrid::NumberWidth(int column) const {
    return column >= 0 && column < m_numberWidths.size() ? m_numberWidths[column] : 0;
}

namespace {
bool IsNumberCell(const QString& text) {
    bool digit = false;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9') {
            digit = true;
        } else if (u != u' ' && u != u',' && u != u'.' && u != u'-' && u != u'+' && u != u'%' && u != u'/' &&
                   u != u':') {
            return false;
        }
    }
    return digit;
}
}  // namespace

void ListGrid::MeasureNumbers(int firstRow, int lastRow, int firstColumn, int lastColumn, bool fresh) {
    if (!m_model) return;
    const int columns = m_model->columnCount();
    if (m_numberWidths.size() != columns) m_numberWidths.resize(columns);
    firstColumn = qMax(0, firstColumn);
    lastColumn = qMin(columns - 1, lastColumn);
    firstRow = qMax(0, firstRow);
    lastRow = qMin(m_model->rowCount() - 1, lastRow);
    const QFontMetrics metrics(font());
    // Texts this short fit any column measured so far without asking the font.
    if (m_widestSign < 0) {
        for (QChar c : QStringLiteral(" 0123456789,.-+%/:"))
            m_widestSign = qMax(m_widestSign, metrics.horizontalAdvance(c));
    }
    const int widestSign = m_widestSign;
    for (int column = firstColumn; column <= lastColumn; ++column) {
        int widest = fresh ? 0 : m_numberWidths[column];
        for (int row = firstRow; row <= lastRow; ++row) {
            const QModelIndex index = m_model->index(row, column);
            const QString text = index.data(Qt::DisplayRole).toString();
            if (text.isEmpty() || static_cast<int>(text.size()) * widestSign + 4 <= widest) continue;
            if (!IsNumberCell(text)) continue;
            // Right-aligned cells are drawn trimmed, the others as they stand.
            const auto alignment = index.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
            const QStringView drawn =
                alignment & (Qt::AlignRight | Qt::AlignTrailing) ? QStringView(text).trimmed() : QStringView(text);
            if (static_cast<int>(drawn.size()) * widestSign + 4 <= widest) continue;
            widest = qMax(widest, metrics.horizontalAdvance(drawn.toString()) + 4);
        }
        m_numberWidths[column] = widest;
    }
}

QSize ListGrid::FitToColumns(int rows) const {
    const int frame = 2 * frameWidth();
    const int columns = m_model ? m_model->columnCount() : 0;
    int width = frame;
    for (int column = 0; column < columns; ++column)
        width += columnWidth(column);
    // Room for each scroll bar the grid may show, so that sizes fitted for different row counts agree.
    const int scrollExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    if (verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) width += scrollExtent;
    const int section = m_rowHeight + 1;
    int height = frame + section * (qMax(0, rows) + 1);
    if (horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) height += scrollExtent;
    return {width, height};
}

void ListGrid::SetKeptColumns(const QSet<int>& columns) {
    m_keptColumns = columns;
    CheckColumnWidths();
}

void ListGrid::SetMinimumFreeWidth(int width) {
    m_minimumFreeWidth = width;
    CheckColumnWidths();
}

void ListGrid::SetWidth(int column, int width) {
    if (width > 0 && columnWidth(column) != width) setColumnWidth(column, width);
}

void ListGrid::SetColumnHidden(int column, bool hidden) {
    if (hidden) {
        SetWidth(column, HiddenWidth);
    } else if (IsColumnHiddenByWidth(column)) {
        const int standard = DefaultWidth(column);
        SetWidth(column, standard > HiddenWidth ? standard : qMax(m_minimumFreeWidth, 2));
        CheckColumnWidths();
    }
}

bool ListGrid::IsColumnHiddenByWidth(int column) const {
    return columnWidth(column) == HiddenWidth;
}

void ListGrid::ResetColumnWidth(int column) {
    SetWidth(column, DefaultWidth(column));
    CheckColumnWidths();
}

void ListGrid::ResetAllColumnWidths() {
    if (!m_model) return;
    m_checkingWidths = true;
    const int columns = m_model->columnCount();
    for (int column = 0; column < columns; ++column) {
        if (!IsColumnHiddenByWidth(column)) SetWidth(column, DefaultWidth(column));
    }
    m_checkingWidths = false;
    CheckColumnWidths();
}

QVector<int> ListGrid::ColumnWidths() const {
    QVector<int> widths;
    const int columns = m_model ? m_model->columnCount() : 0;
    widths.reserve(columns);
    for (int column = 0; column < columns; ++column)
        widths << columnWidth(column);
    return widths;
}

void ListGrid::SetColumnWidths(const QVector<int>& widths) {
    if (!m_model) return;
    m_checkingWidths = true;
    const int columns = qMin(int(widths.size()), m_model->columnCount());
    for (int column = 0; column < columns; ++column) {
        SetWidth(column, widths[column] >= 1 ? widths[column] : DefaultWidth(column));
    }
    m_checkingWidths = false;
    CheckColumnWidths();
}

void ListGrid::AutoFitColumn(int column) {
    if (!m_model || column < 0 || column >= m_model->columnCount()) return;
    const QFontMetrics metrics(font());
    int widest = metrics.horizontalAdvance(FirstLine(m_model->headerData(column, Qt::Horizontal).toString()));
    const int rows = m_model->rowCount();
    for (int row = 0; row < rows; ++row) {
        const QString line = FirstLine(m_model->index(row, column).data().toString());
        if (!line.isEmpty()) widest = qMax(widest, metrics.horizontalAdvance(line));
    }
    SetWidth(column, widest + 4);
    CheckColumnWidths();
}

quint32 ListGrid::ColumnColor(int column) const {
    return column >= 0 && column < m_columnColors.size() ? m_columnColors[column] : 0;
}

void ListGrid::SetColumnColors(const QVector<quint32>& colors) {
    m_columnColors = colors;
    viewport()->update();
    m_frozen->viewport()->update();
}

void ListGrid::SetSelectColor(quint32 value) {
    m_selectColor = value;
    viewport()->update();
    m_frozen->viewport()->update();
}

void ListGrid::SetRightRuleColumns(const QSet<int>& columns) {
    m_rightRuleColumns = columns;
    viewport()->update();
    m_frozen->viewport()->update();
    m_header->viewport()->update();
    m_frozenHeader->viewport()->update();
}

QColor ListGrid::FixedColor() const {
    return palette().color(QPalette::Button);
}
QColor ListGrid::BaseColor() const {
    return palette().color(QPalette::Base);
}

QColor ListGrid::GridLineColor() const {
    QStyleOptionViewItem option;
    option.initFrom(this);
    return QColor::fromRgba(QRgb(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
}

void ListGrid::SetCellColorMode(bool on) {
    m_cellColorMode = on;
    const auto behavior = on ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows;
    setSelectionBehavior(behavior);
    m_frozen->setSelectionBehavior(behavior);
    QItemSelectionModel* selection = selectionModel();
    if (!selection || !m_model) return;
    const QModelIndex current = currentIndex();
    if (on) {
        // Whole rows would make every column a target of the colour and width items.
        if (current.isValid()) selection->select(current, QItemSelectionModel::ClearAndSelect);
    } else {
        const GridSpan rows = SelectedRowRange();
        if (!rows.IsEmpty()) {
            selection->select(QItemSelection(m_model->index(rows.first, 0), m_model->index(rows.last, 0)),
                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
    }
}

GridSpan ListGrid::SelectedColumnRange() const {
    const QItemSelectionModel* selection = selectionModel();
    if (!selection || !m_model || m_model->columnCount() == 0) return {};
    int left = std::numeric_limits<int>::max();
    int right = -1;
    for (const QItemSelectionRange& range : selection->selection()) {
        left = qMin(left, range.left());
        right = qMax(right, range.right());
    }
    if (right < 0) {
        const QModelIndex current = currentIndex();
        if (!current.isValid()) return {};
        left = right = current.column();
    }
    return {qMax(left, 0), qMin(right, m_model->columnCount() - 1)};
}

GridSpan ListGrid::SelectedRowRange() const {
    const QItemSelectionModel* selection = selectionModel();
    if (!selection || !m_model || m_model->rowCount() == 0) return {};
    int top = std::numeric_limits<int>::max();
    int bottom = -1;
    for (const QItemSelectionRange& range : selection->selection()) {
        top = qMin(top, range.top());
        bottom = qMax(bottom, range.bottom());
    }
    if (bottom < 0) {
        const QModelIndex current = currentIndex();
        if (!current.isValid()) return {};
        top = bottom = current.row();
    }
    return {qMax(top, 0), qMin(bottom, m_model->rowCount() - 1)};
}

GridSpan ListGrid::ColoredColumnSpan() const {
    GridSpan span = SelectedColumnRange();
    if (!span.IsEmpty()) span.first = qMax(span.first, m_fixedColumns);
    return span;
}

void ListGrid::SetColorOfSpan(const GridSpan& span, quint32 value, bool* changed) {
    if (span.IsEmpty()) return;
    const int columns = qMax(span.last + 1, m_model ? m_model->columnCount() : 0);
    if (m_columnColors.size() < columns) m_columnColors.resize(columns, 0);
    for (int column = span.first; column <= span.last; ++column) {
        if (m_columnColors[column] != value) {
            m_columnColors[column] = value;
            *changed = true;
        }
    }
    if (*changed) {
        viewport()->update();
        emit columnColorsChanged();
    }
}

bool ListGrid::ChooseColorForSelectedColumns(QWidget* parent) {
    const GridSpan span = ColoredColumnSpan();
    if (span.IsEmpty()) return false;
    QColor initial = OptionalColor(ColumnColor(span.first));
    if (!initial.isValid()) initial = BaseColor();
    QColor chosen;
    if (!ColorAnswers().isEmpty()) {
        chosen = ColorAnswers().takeFirst();
    } else {
        chosen = QColorDialog::getColor(initial, parent);
    }
    if (!chosen.isValid()) return false;
    quint32 value = ValueFromColor(chosen);
    // 0 is stored as "no colour": black is kept as the nearest colour that is not 0.
    if (value == 0) value = 0x000001;
    bool changed = false;
    SetColorOfSpan(span, value, &changed);
    return changed;
}

bool ListGrid::ClearColorOfSelectedColumns() {
    bool changed = false;
    SetColorOfSpan(ColoredColumnSpan(), 0, &changed);
    return changed;
}

void ListGrid::HideSelectedColumns() {
    const GridSpan span = ColoredColumnSpan();
    for (int column = span.first; column <= span.last; ++column)
        SetWidth(column, HiddenWidth);
}

void ListGrid::ResetWidthOfSelectedColumns() {
    const GridSpan span = ColoredColumnSpan();
    if (span.IsEmpty()) return;
    m_checkingWidths = true;
    for (int column = span.first; column <= span.last; ++column)
        SetWidth(column, DefaultWidth(column));
    m_checkingWidths = false;
    CheckColumnWidths();
}

void ListGrid::PresetColorAnswers(const QList<QColor>& answers) {
    ColorAnswers() = answers;
}
int ListGrid::PendingColorAnswers() {
    return int(ColorAnswers().size());
}

int ListGrid::TopRow() const {
    return verticalScrollBar()->value();
}

void ListGrid::SetTopRow(int row) {
    // The scroll range follows the model only after the delayed layout has run.
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(row);
}

int ListGrid::VisibleRows() const {
    const int section = m_rowHeight + 1;
    return section > 0 ? viewport()->height() / section : 0;
}

void ListGrid::SelectCellOnRightClick(QTableView* view, const QPoint& viewportPos) {
    QItemSelectionModel* selection = selectionModel();
    const QModelIndex index = view->indexAt(viewportPos);
    if (!selection || !index.isValid() || selection->isSelected(index)) return;
    const auto rows = m_cellColorMode ? QItemSelectionModel::NoUpdate : QItemSelectionModel::Rows;
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | rows);
}

void ListGrid::WheelScroll(QWheelEvent* event) {
    event->accept();
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        if (event->angleDelta().x() != 0) QTableView::wheelEvent(event);
        return;
    }
    m_wheelRemainder += delta;
    const int notches = m_wheelRemainder / 120;
    m_wheelRemainder -= notches * 120;
    if (notches == 0 || !m_model) return;
    int lines = QApplication::wheelScrollLines();
    if (lines <= 0) lines = 3;
    executeDelayedItemsLayout();
    const int lastTop = qMax(0, m_model->rowCount() - VisibleRows());
    const int top = qBound(0, TopRow() - notches * lines, lastTop);
    SetTopRow(top);
}

void ListGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        SelectCellOnRightClick(this, event->position().toPoint());
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void ListGrid::wheelEvent(QWheelEvent* event) {
    WheelScroll(event);
}

void ListGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid()) return;
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (IsFixedColumn(index.column())) {
        // Fixed cells are always in view: scroll only vertically.
        horizontalScrollBar()->setValue(sideways);
        return;
    }
    const int hiddenBehind = FixedWidth() - visualRect(index).left();
    if (hiddenBehind > 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hiddenBehind);
}

void ListGrid::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    PaintRules(this);
}

bool ListGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_frozen->viewport() && event->type() == QEvent::ContextMenu) {
        // The window's pop-up menu belongs to the grid, also over the fixed columns.
        auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        QContextMenuEvent forwarded(menuEvent->reason(), viewport()->mapFromGlobal(menuEvent->globalPos()),
                                    menuEvent->globalPos(), menuEvent->modifiers());
        QCoreApplication::sendEvent(viewport(), &forwarded);
        event->setAccepted(forwarded.isAccepted());
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

QTableView* ListGrid::FrozenView() const {
    return m_frozen;
}

}  // namespace tovrel
