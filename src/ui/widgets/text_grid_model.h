// A list window's text grid as a table model: row 0 of the grid is the header, rows 1.. the data.
#pragma once

#include "base/text_grid.h"

#include <QAbstractTableModel>

#include <functional>

namespace tovrel {

class TextGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TextGridModel(QObject* parent = nullptr);

    // Replaces the grid; the row and column counts follow it.
    void SetGrid(const TextGrid& grid, int columnCount);
    const TextGrid& Grid() const { return m_grid; }

    // Grid row of a model row and back (model row 0 is grid row 1).
    static int GridRow(int modelRow) { return modelRow + 1; }
    static int ModelRow(int gridRow) { return gridRow - 1; }

    // Further roles of a cell (colours, fonts, rules) by grid row and column; an invalid QVariant
    // leaves the default.
    std::function<QVariant(int gridRow, int column, int role)> cellRole;
    // Further roles of a header cell.
    std::function<QVariant(int column, int role)> headerRole;

    // Repaints every cell (after a colour or sort change).
    void RefreshAll();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    TextGrid m_grid;
    int m_columns = 0;
};

}  // namespace tovrel
