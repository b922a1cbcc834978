// The records of the current car: slots 1..capacity, the count, the saved snapshot and the
// search backup. Texts are stored in the form the list shows them.
#pragma once

#include "data/fuel_record.h"

#include <QObject>
#include <QVector>

#include <functional>

namespace tovrel {

// The cell text the list shows for a field value: a number grouped and right-aligned in its column's
// width, empty when zero (a zero cost shows 0 with costZeroDisp); any other text unchanged.
QString CellText(int col, const QString& value, bool costZeroDisp);
// The same for a number column (Run .. Tanka). readsAsNumber (when given) receives
// IsNumberText(value).
QString NumberCellText(int col, QStringView value, bool costZeroDisp, bool* readsAsNumber = nullptr);

class RecordTable : public QObject {
    Q_OBJECT

public:
    explicit RecordTable(int capacity = 1000, QObject* parent = nullptr);

    int Capacity() const { return m_capacity; }
    // Empties the table, the snapshot, the search backup, the records beyond the capacity and the
    // write block.
    void SetCapacity(int capacity);

    bool CostZeroDisp() const { return m_costZeroDisp; }
    void SetCostZeroDisp(bool on) { m_costZeroDisp = on; }

    int RecordCount() const { return m_count; }
    void SetRecordCount(int n);

    // Slot 0 always holds the empty record: it stands for "no earlier record".
    const FuelRecord& At(int slot) const;
    // Slots 0..n in one list (n at least the count; the slots above it are empty), shared with the
    // table rather than copied (until either changes).
    const QVector<FuelRecord>& SlotList() const { return m_slots; }
    FuelRecord GetRecord(int slot) const { return At(slot); }
    void SetRecord(int slot, const FuelRecord& record);
    // Replaces every slot with the list, taken over: its records 1..n (n at most the capacity; those
    // beyond are dropped) become slots 1..n and the count, its record 0 is emptied as slot 0, the
    // slots above are empty. Their texts are cell texts already (CellText with this table's
    // CostZeroDisp) and are stored as they are: no text goes through the number rules a second time.
    void SetCellRecords(QVector<FuelRecord>&& list, qsizetype n);
    void ClearSlots(int first, int last);

    quint8 Kind(int slot) const { return At(slot).kind; }
    const QString& Text(int slot, int col) const { return At(slot).text[col]; }
    quint8 NoneHeikin(int slot) const { return At(slot).noneHeikin; }
    quint8 MemoGraph(int slot) const { return At(slot).memoGraph; }
    void SetKind(int slot, quint8 kind);
    void SetText(int slot, int col, const QString& value);
    void SetNoneHeikin(int slot, quint8 flag);
    void SetMemoGraph(int slot, quint8 flag);

    // Records of the file beyond the capacity, in cell-text form: not shown, written back after the
    // others when the table is saved. SetOverflow takes them in that form.
    const QVector<FuelRecord>& Overflow() const { return m_overflow; }
    void SetOverflow(const QVector<FuelRecord>& records) { m_overflow = records; }

    // Why the table must not be saved over the file it came from (that file could not be read, or
    // not in full); empty when saving is fine.
    const QString& WriteBlock() const { return m_writeBlock; }
    void SetWriteBlock(const QString& reason) { m_writeBlock = reason; }

    // The cell text the list shows for a field value.
    QString CellText(int col, const QString& value) const { return tovrel::CellText(col, value, m_costZeroDisp); }

    // Orders slots 1..count by Day followed by Time; records with equal keys keep their order.
    void SortRecords();
    // Whether record a sorts before record b by Day + Time.
    static bool KeyLess(const FuelRecord& a, const FuelRecord& b);

    // Removes records first..last (1-based, within the count) and moves the later ones up.
    void RemoveRange(int first, int last);
    // Keeps the records 1..count that pass, in their order, and empties the slots behind them.
    // Returns the new count.
    int KeepRecords(const std::function<bool(const FuelRecord&)>& keep);

    // Saved snapshot.
    void TakeSnapshot();
    bool DiffersFromSnapshot() const;

    // Search backup: the full list is set aside while the table shows matches only.
    bool IsSearchActive() const { return m_searchActive; }
    int FullCount() const { return m_searchActive ? m_backupCount : m_count; }
    void SaveFullTable();
    // Puts the full list back; false when no search result was shown.
    bool RestoreFullTable();
    const QVector<FuelRecord>& SearchBackup() const { return m_backup; }

    // Status panel 0 and the status bar hint.
    QString CountStatusText() const;
    QString CapacityHint() const;

    // While updating, change notifications are held back and one reset is sent at the end.
    void BeginUpdate();
    void EndUpdate();

Q_SIGNALS:
    void recordsChanged(int firstSlot, int lastSlot);
    void countChanged(int count);
    void tableReset();
    // The table starts or stops showing a search result (sent after the records are in place).
    void searchViewChanged(bool active);

private:
    void NotifyRows(int first, int last);
    // The slot to change, the list grown to hold it.
    FuelRecord& Slot(int slot);

    int m_capacity = 1000;
    int m_count = 0;
    bool m_costZeroDisp = false;
    QVector<FuelRecord> m_slots;     // 0..n, n >= count; the slots above n are empty
    QVector<FuelRecord> m_snapshot;  // as m_slots when it was taken
    bool m_searchActive = false;
    int m_backupCount = 0;
    QVector<FuelRecord> m_backup;
    QVector<FuelRecord> m_overflow;
    QString m_writeBlock;
    int m_updating = 0;
    bool m_pendingReset = false;
};

}  // namespace tovrel
