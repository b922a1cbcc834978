#include "ui/widgets/text_grid_model.h"

namespace tovrel {

TextGridModel::TextGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void TextGridModel::SetGrid(const TextGrid& grid, int columnCount) {
    const bool shapeChanged = grid.RowCount() != m_grid.RowCount() || columnCount != m_columns;
    if (shapeChanged) beginResetModel();
    m_grid = grid;
    m_columns = columnCount;
    if (shapeChanged) {
        endResetModel();
    } else {
        RefreshAll();
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, std::max(0, m_columns - 1));
    }
}

void TextGridModel::RefreshAll() {
    if (rowCount() > 0 && m_columns > 0) Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, m_columns - 1));
}

int TextGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, m_grid.RowCount() - 1);
}

int TextGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_columns; }

QVariant TextGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return QVariant();
    const int row = GridRow(index.row());
    if (cellRole) {
        const QVariant v = cellRole(row, index.column(), role);
        if (v.isValid()) return v;
    }
    if (role == Qt::DisplayRole) return m_grid.Cell(row, index.column());
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignTop));
    return QVariant();
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return QAbstractTableModel::headerData(section, orientation, role);
    if (headerRole) {
        const QVariant v = headerRole(section, role);
        if (v.isValid()) return v;
    }
    if (role == Qt::DisplayRole) return m_grid.Cell(0, section);
    return QVariant();
}

}  // namespace tovrel
