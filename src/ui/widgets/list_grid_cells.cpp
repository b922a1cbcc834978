#include "ui/widgets/list_grid_cells.h"

#include "ui/widgets/app_setup.h"
#include "ui/widgets/colors.h"
#include "ui/widgets/list_grid.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <array>

namespace tovrel {

namespace {

QColor ColorOf(const QVariant& value) {
    if (!value.isValid()) return {};
    if (value.typeId() == QMetaType::QColor) return value.value<QColor>();
    if (value.canConvert<QBrush>()) {
        const QBrush brush = value.value<QBrush>();
        if (brush.style() != Qt::NoBrush) return brush.color();
    }
    return {};
}

// Cell texts may hold CR LF (memo, maintenance); the list shows them on one line.
QString SingleLine(QString text) {
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    }
    return text;
}

void DrawFixedEdge(QPainter* painter, const QRect& cell) {
    painter->setPen(ColorFromValue(HighlightColor3D));
    painter->drawLine(cell.left(), cell.top(), cell.left(), cell.bottom());
    painter->drawLine(cell.left(), cell.top(), cell.right(), cell.top());
}

}  // namespace

QString FirstLine(const QString& text) {
    const qsizetype cut = text.indexOf(QLatin1Char('\n'));
    QString line = cut < 0 ? text : text.left(cut);
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    return line.trimmed();
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    std::array<QModelRoleData, 5> roles{{QModelRoleData(Qt::DisplayRole), QModelRoleData(Qt::ForegroundRole),
                                         QModelRoleData(Qt::FontRole), QModelRoleData(Qt::TextAlignmentRole),
                                         QModelRoleData(Qt::BackgroundRole)}};
    index.multiData(roles);
    const QRect cell = option.rect;
    const int column = index.column();
    const bool fixed = m_grid->IsFixedColumn(column);

    QColor background;
    if (fixed) {
        background = m_grid->FixedColor();
    } else if (option.state & (QStyle::State_Selected | QStyle::State_HasFocus)) {
        background = ColorFromValue(m_grid->SelectColor(), m_grid->palette());
    } else {
        background = ColorOf(roles[4].data());
        if (!background.isValid()) {
            const quint32 value = m_grid->ColumnColor(column);
            background = value != 0 ? ColorFromValue(value, m_grid->palette()) : m_grid->BaseColor();
        }
    }
    painter->fillRect(cell, background);
    if (fixed) DrawFixedEdge(painter, cell);

    QString text = SingleLine(roles[0].data().toString());
    if (text.isEmpty()) return;
    QColor foreground = ColorOf(roles[1].data());
    if (!foreground.isValid()) foreground = ColorFromValue(WindowTextColor, m_grid->palette());
    QFont font = option.font;
    const QVariant fontValue = roles[2].data();
    if (fontValue.isValid()) font = fontValue.value<QFont>().resolve(option.font);
    const QFontMetrics metrics = fontValue.isValid() ? QFontMetrics(font) : option.fontMetrics;
    const auto alignment = Qt::Alignment(roles[3].data().toInt());

    int x;
    if (alignment & (Qt::AlignRight | Qt::AlignTrailing)) {
        text = text.trimmed();
        x = cell.x() + cell.width() - metrics.horizontalAdvance(text) - 2;
    } else {
        x = cell.x() + 2;
    }
    painter->save();
    painter->setClipRect(cell);
    painter->setFont(font);
    painter->setPen(foreground);
    painter->drawText(QPoint(x, cell.top() + 2 + metrics.ascent()), text);
    painter->restore();
}

bool GridDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                             const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip) return QStyledItemDelegate::helpEvent(event, view, option, index);
    QString tip = index.isValid() ? index.data(Qt::ToolTipRole).toString() : QString();
    tip.remove(QLatin1Char('\r'));
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    // Leaving the cell hides the hint, so the next cell's hint replaces it.
    QToolTip::showText(event->globalPos(), tip, view->viewport(), view->visualRect(index), HintDurationMs);
    return true;
}

GridHeader::GridHeader(ListGrid* grid, QWidget* parent) : QHeaderView(Qt::Horizontal, parent), m_grid(grid) {
    setMinimumSectionSize(ListGrid::HiddenWidth);
    setHighlightSections(false);
    setSectionsClickable(true);
    setSectionsMovable(false);
    setStretchLastSection(false);
    setSectionResizeMode(QHeaderView::Interactive);
}

QSize GridHeader::sizeHint() const {
    if (minimumHeight() > 0 && minimumHeight() == maximumHeight()) return QSize(length(), minimumHeight());
    return QHeaderView::sizeHint();
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid() || !model()) return;
    painter->save();
    painter->fillRect(rect, m_grid->FixedColor());
    painter->setPen(m_grid->GridLineColor());
    painter->drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
    painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    const QRect cell = rect.adjusted(0, 0, -1, -1);
    if (cell.width() > 0 && cell.height() > 0) DrawFixedEdge(painter, cell);

    const QString text =
        model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString().trimmed();
    if (!text.isEmpty() && cell.width() > 0) {
        QFont font = m_grid->font();
        const QVariant fontValue = model()->headerData(logicalIndex, orientation(), Qt::FontRole);
        if (fontValue.isValid()) font = fontValue.value<QFont>().resolve(font);
        QColor foreground = ColorOf(model()->headerData(logicalIndex, orientation(), Qt::ForegroundRole));
        if (!foreground.isValid()) foreground = ColorFromValue(WindowTextColor, m_grid->palette());
        const QFontMetrics metrics(font);
        const int x = cell.left() + 2 + qMax(0, (cell.width() - metrics.horizontalAdvance(text) - 4) / 2);
        painter->setClipRect(cell);
        painter->setFont(font);
        painter->setPen(foreground);
        painter->drawText(QPoint(x, cell.top() + 2 + metrics.ascent()), text);
        painter->setClipping(false);
    }

    painter->setPen(Qt::black);
    if (m_grid->RightRuleColumns().contains(logicalIndex)) {
        painter->drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
    }
    if (HasBottomRule()) {
        painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    }
    painter->restore();
}

void GridHeader::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_pressed = true;
    QHeaderView::mousePressEvent(event);
}

void GridHeader::mouseReleaseEvent(QMouseEvent* event) {
    QHeaderView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        if (onReleased) onReleased();
    }
}

void GridHeader::mouseDoubleClickEvent(QMouseEvent* event) {
    const int column = logicalIndexAt(event->position().toPoint());
    if (column >= 0 && onDoubleClicked) onDoubleClicked(column);
    event->accept();
}

bool GridHeader::HasBottomRule() const {
    const int sections = model()->columnCount(rootIndex());
    for (int section = 0; section < sections; ++section) {
        if (model()->headerData(section, orientation(), ListGrid::BottomRuleRole).toBool()) return true;
    }
    return false;
}

void ListGrid::PaintRules(QTableView* view) const {
    if (!m_model) return;
    const int rows = m_model->rowCount();
    const int columns = m_model->columnCount();
    if (rows == 0 || columns == 0) return;
    QPainter painter(view->viewport());
    painter.setPen(Qt::black);
    const int portHeight = view->viewport()->height();
    const int portWidth = view->viewport()->width();
    const int right =
        qMin(portWidth, view->horizontalHeader()->length() - view->horizontalHeader()->offset());
    const int bottom = qMin(portHeight, view->verticalHeader()->length() - view->verticalHeader()->offset());

    const int firstRow = view->rowAt(0);
    int lastRow = view->rowAt(portHeight - 1);
    if (lastRow < 0) lastRow = rows - 1;
    if (firstRow >= 0 && right > 0) {
        for (int row = firstRow; row <= lastRow; ++row) {
            bool rule = false;
            for (int column = 0; column < columns && !rule; ++column) {
                rule = m_model->index(row, column).data(BottomRuleRole).toBool();
            }
            if (!rule) continue;
            const int y = view->rowViewportPosition(row) + view->rowHeight(row) - 1;
            painter.drawLine(0, y, right - 1, y);
        }
    }
    if (bottom <= 0) return;
    for (const int column : m_rightRuleColumns) {
        if (column < 0 || column >= columns || view->isColumnHidden(column)) continue;
        const int x = view->columnViewportPosition(column) + view->columnWidth(column) - 1;
        if (x >= 0 && x < portWidth) painter.drawLine(x, 0, x, bottom - 1);
    }
}

}  // namespace tovrel
