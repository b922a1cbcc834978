// The cells and the heading row of the list grid: how they are drawn.
#pragma once

#include <QHeaderView>
#include <QStyledItemDelegate>

#include <functional>

namespace tovrel {

class ListGrid;

// The first line of a cell text, trimmed: what the list measures a column by.
QString FirstLine(const QString& text);

class GridDelegate : public QStyledItemDelegate {
public:
    GridDelegate(const ListGrid* grid, QObject* parent) : QStyledItemDelegate(parent), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    const ListGrid* m_grid;
};

// The heading row: fixed cells with centred text, the model's header colour and the column rules.
class GridHeader : public QHeaderView {
public:
    GridHeader(ListGrid* grid, QWidget* parent);

    bool IsPressed() const { return m_pressed; }
    // Once the grid has fixed the heading's height to a row's, the hint is that height: Qt would
    // measure every heading again after each change of a column's width, only to be overruled.
    QSize sizeHint() const override;
    std::function<void()> onReleased;
    std::function<void(int)> onDoubleClicked;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

    void mousePressEvent(QMouseEvent* event) override;

    void mouseReleaseEvent(QMouseEvent* event) override;

    // The column under the mouse, also on a resize handle (no resize-to-contents of Qt's own).
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // As for data rows, the rule is asked of any cell of the heading row.
    bool HasBottomRule() const;

    ListGrid* m_grid;
    bool m_pressed = false;
};

}  // namespace tovrel
