// The main list: one row per record slot, 17 columns, with the colour marks of the list.
#pragma once

#include <QAbstractTableModel>

namespace tovrel {

class Logbook;

class MainListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit MainListModel(Logbook& book, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Slot of a model row and back (row r of the list shows record r).
    static int SlotOfRow(int row) { return row + 1; }
    static int RowOfSlot(int slot) { return slot - 1; }

    // Colours and the average changed (the texts are as they were): repaint every cell.
    void RefreshAll();

private:
    void OnRecordsChanged(int firstSlot, int lastSlot);
    void OnTableReset();

    Logbook& m_book;
    int m_rows = 0;
};

}  // namespace tovrel
