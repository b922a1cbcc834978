// Rows of cell texts, exactly what a list window shows; CSV export and reports read the same grid.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace tovrel {

struct TextGrid {
    QVector<QStringList> rows;  // row 0 is the heading row

    int RowCount() const { return static_cast<int>(rows.size()); }
    QString Cell(int row, int col) const {
        if (row < 0 || row >= rows.size() || col < 0 || col >= rows[row].size()) return QString();
        return rows[row][col];
    }
};

}  // namespace tovrel
