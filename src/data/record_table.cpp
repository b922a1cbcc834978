#include "data/record_table.h"

#include "base/cp932.h"
#include "base/text_utils.h"

#include <algorithm>
#include <numeric>

namespace tovrel {

namespace {
const FuelRecord kEmptyRecord;

}  // namespace

RecordTable::RecordTable(int capacity, QObject* parent) : QObject(parent) {
    SetCapacity(capacity);
}

void RecordTable::SetCapacity(int capacity) {
    const bool searched = m_searchActive;
    m_capacity = std::max(1, capacity);
    m_count = 0;
    m_overflow.clear();
    m_writeBlock.clear();
    // Slots above the list are empty: a table of 2,000 mostly holds far fewer, and a load replaces the
    // list anyway.
    m_slots = QVector<FuelRecord>(1);
    // An empty table is its own snapshot: one list, shared until either changes.
    m_snapshot = m_slots;
    m_backup.clear();
    m_searchActive = false;
    m_backupCount = 0;
    NotifyRows(-1, -1);
    Q_EMIT countChanged(m_count);
    if (searched) Q_EMIT searchViewChanged(false);
}

void RecordTable::SetRecordCount(int n) {
    m_count = std::clamp(n, 0, m_capacity);
    if (m_slots.size() <= m_count) m_slots.resize(m_count + 1);
    if (m_updating == 0)
        Q_EMIT countChanged(m_count);
    else
        m_pendingReset = true;
}

const FuelRecord& RecordTable::At(int slot) const {
    if (slot < 1 || slot >= m_slots.size()) return kEmptyRecord;
    return m_slots[slot];
}

FuelRecord& RecordTable::Slot(int slot) {
    if (slot >= m_slots.size()) m_slots.resize(slot + 1);
    return m_slots[slot];
}

QString CellText(int col, const QString& value, bool costZeroDisp) {
    return IsNumericColumn(col) ? NumberCellText(col, value, costZeroDisp) : value;
}

QString NumberCellText(int col, QStringView value, bool costZeroDisp, bool* readsAsNumber) {
    // Full-width digits parse as numbers, so they must group as numbers too.
    QString converted;
    QStringView plain = value;
    const bool asWritten = IsPlainHalfWidth(value);
    if (!asWritten) {
        converted = StripGrouping(ToHalfWidth(value.toString()));
        plain = converted;
    }
    double number = 0;
    const bool isNumber = ReadNumber(plain, 2, &number);
    // A text that is plain already is read once, for both.
    if (readsAsNumber) *readsAsNumber = asWritten ? isNumber : IsNumberText(value);
    if (number == 0 && !(col == ColCost && costZeroDisp)) return QString();
    // A number written with an exponent ("1e5", upper case after ToHalfWidth) shows the value it
    // stands for.
    if (isNumber && std::find(plain.begin(), plain.end(), QLatin1Char('E')) != plain.end()) {
        QString digits = QString::number(number, 'f', 2);
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        if (digits.endsWith(QLatin1Char('.'))) digits.chop(1);
        return GroupDigits(digits, kColumnChars[col]);
    }
    // A value wider than the column is kept whole: the log file is written from these texts.
    return GroupDigits(plain, kColumnChars[col]);
}

void RecordTable::SetRecord(int slot, const FuelRecord& record) {
    if (slot < 1 || slot > m_capacity) return;
    FuelRecord& r = Slot(slot);
    r.kind = record.kind;
    for (int col = ColDay; col < ColumnCount; ++col)
        r.text[col] = CellText(col, record.text[col]);
    r.noneHeikin = record.noneHeikin;
    r.memoGraph = record.memoGraph;
    NotifyRows(slot, slot);
}

void RecordTable::SetCellRecords(QVector<FuelRecord>&& list, qsizetype n) {
    if (list.isEmpty()) list.resize(1);
    n = std::clamp<qsizetype>(n, 0, std::min<qsizetype>(list.size() - 1, m_capacity));
    // The list becomes the slots (the old one is mostly shared with the snapshot).
    list.resize(n + 1);
    list[0] = FuelRecord();
    m_slots = std::move(list);
    SetRecordCount(static_cast<int>(n));
    NotifyRows(-1, -1);
}

void RecordTable::ClearSlots(int first, int last) {
    first = std::max(first, 1);
    last = std::min(last, m_capacity);
    if (first > last) return;
    for (int i = first; i <= last && i < m_slots.size(); ++i)
        m_slots[i] = kEmptyRecord;
    NotifyRows(first, last);
}

void RecordTable::SetKind(int slot, quint8 kind) {
    if (slot < 1 || slot > m_capacity) return;
    Slot(slot).kind = kind;
    NotifyRows(slot, slot);
}

void RecordTable::SetText(int slot, int col, const QString& value) {
    if (slot < 1 || slot > m_capacity || col < ColDay || col >= ColumnCount) return;
    Slot(slot).text[col] = CellText(col, value);
    NotifyRows(slot, slot);
}

void RecordTable::SetNoneHeikin(int slot, quint8 flag) {
    if (slot < 1 || slot > m_capacity) return;
    Slot(slot).noneHeikin = flag;
    NotifyRows(slot, slot);
}

void RecordTable::SetMemoGraph(int slot, quint8 flag) {
    if (slot < 1 || slot > m_capacity) return;
    Slot(slot).memoGraph = flag;
    NotifyRows(slot, slot);
}

namespace {
// Whether the record's key (Day + Time) is all ASCII: its CP932 bytes are then its characters.
bool AsciiKey(const FuelRecord& r) {
    for (const QString* text : {&r.Day(), &r.Time()}) {
        for (QChar c : *text) {
            if (c.unicode() >= 0x80) return false;
        }
    }
    return true;
}

// Day + Time of a before that of b, for ASCII keys: as their characters go, without encoding them.
bool AsciiKeyLess(const FuelRecord& a, const FuelRecord& b) {
    if (a.Day().size() == b.Day().size()) {
        const int day = QStringView(a.Day()).compare(b.Day());
        return day != 0 ? day < 0 : QStringView(a.Time()).compare(b.Time()) < 0;
    }
    const auto at = [](const FuelRecord& r, qsizetype i) {
        return i < r.Day().size() ? r.Day()[i].unicode() : r.Time()[i - r.Day().size()].unicode();
    };
    const qsizetype na = a.Day().size() + a.Time().size();
    const qsizetype nb = b.Day().size() + b.Time().size();
    for (qsizetype i = 0; i < std::min(na, nb); ++i) {
        if (at(a, i) != at(b, i)) return at(a, i) < at(b, i);
    }
    return na < nb;
}
}  // namespace

bool RecordTable::KeyLess(const FuelRecord& a, const FuelRecord& b) {
    // Keys of digits, "/" and ":" (nearly all) are their own CP932 bytes: no need to encode them.
    if (AsciiKey(a) && AsciiKey(b)) return AsciiKeyLess(a, b);
    return Cp932Encode(a.Day() + a.Time()) < Cp932Encode(b.Day() + b.Time());
}

void RecordTable::SortRecords() {
    if (m_count < 2) return;
    // A log is mostly saved in order already.
    bool inOrder = true;
    for (int i = 2; i <= m_count && inOrder; ++i)
        inOrder = !KeyLess(m_slots.at(i), m_slots.at(i - 1));
    if (inOrder) return;
    // The keys side by side in one buffer: key i ends where key i + 1 starts.
    qsizetype room = 0;
    for (int i = 1; i <= m_count; ++i)
        room += 2 * (m_slots.at(i).Day().size() + m_slots.at(i).Time().size());
    QByteArray keys(room, Qt::Uninitialized);
    char* const begin = keys.data();
    char* o = begin;
    QVector<qsizetype> ends(m_count + 1);
    for (int i = 1; i <= m_count; ++i) {
        o = Cp932Write(o, m_slots.at(i).Day());
        o = Cp932Write(o, m_slots.at(i).Time());
        ends[i] = o - begin;
    }
    const auto key = [&](int i) { return QByteArrayView(keys).sliced(ends[i - 1], ends[i] - ends[i - 1]); };
    const auto less = [&](int a, int b) { return key(a) < key(b); };
    QVector<int> order(m_count);
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), less);
    QVector<FuelRecord> sorted;
    sorted.reserve(m_count);
    for (int idx : order)
        sorted.append(std::move(m_slots[idx]));
    for (int i = 1; i <= m_count; ++i)
        m_slots[i] = std::move(sorted[i - 1]);
    NotifyRows(1, m_count);
}

void RecordTable::RemoveRange(int first, int last) {
    first = std::max(first, 1);
    last = std::min(last, m_count);
    if (first > last) return;
    const int k = last - first + 1;
    for (int i = last + 1; i <= m_count; ++i)
        m_slots[i - k] = std::move(m_slots[i]);
    const int oldCount = m_count;
    for (int i = oldCount - k + 1; i <= oldCount; ++i)
        m_slots[i] = kEmptyRecord;
    SetRecordCount(oldCount - k);
    NotifyRows(first, oldCount);
}

int RecordTable::KeepRecords(const std::function<bool(const FuelRecord&)>& keep) {
    const int oldCount = m_count;
    int kept = 0;
    for (int i = 1; i <= oldCount; ++i) {
        if (!keep(m_slots[i])) continue;
        ++kept;
        // A record only ever moves up, over one that has been tested already.
        if (kept != i) m_slots[kept] = std::move(m_slots[i]);
    }
    m_slots.resize(kept + 1);
    SetRecordCount(kept);
    NotifyRows(1, std::max(oldCount, 1));
    return kept;
}

void RecordTable::TakeSnapshot() {
    m_snapshot = m_slots;
}

bool RecordTable::DiffersFromSnapshot() const {
    const qsizetype n = std::max(m_slots.size(), m_snapshot.size());
    for (qsizetype i = 1; i < n; ++i) {
        const FuelRecord& now = i < m_slots.size() ? m_slots[i] : kEmptyRecord;
        const FuelRecord& saved = i < m_snapshot.size() ? m_snapshot[i] : kEmptyRecord;
        if (!(now == saved)) return true;
    }
    return false;
}

void RecordTable::SaveFullTable() {
    if (m_searchActive) RestoreFullTable();
    m_searchActive = true;
    m_backupCount = m_count;
    m_backup = QVector<FuelRecord>(m_slots.begin(), m_slots.begin() + m_count + 1);
    Q_EMIT searchViewChanged(true);
}

bool RecordTable::RestoreFullTable() {
    if (!m_searchActive) return false;
    BeginUpdate();
    m_searchActive = false;
    const int n = m_backupCount;
    m_slots.resize(n + 1);
    for (int i = 1; i <= n && i < m_backup.size(); ++i)
        m_slots[i] = m_backup[i];
    m_backup.clear();
    m_backupCount = 0;
    SetRecordCount(n);
    EndUpdate();
    Q_EMIT searchViewChanged(false);
    return true;
}

QString RecordTable::CountStatusText() const {
    if (m_searchActive) {
        return QStringLiteral("検索結果 : ") + QString::number(m_count) + QLatin1Char('/') +
               QString::number(m_backupCount) + QStringLiteral("件");
    }
    return QStringLiteral("登録件数 : ") + QString::number(m_count) + QStringLiteral("件");
}

QString RecordTable::CapacityHint() const {
    return QStringLiteral("最大") + QString::number(m_capacity) + QStringLiteral("件まで登録できます。");
}

void RecordTable::BeginUpdate() {
    ++m_updating;
}

void RecordTable::EndUpdate() {
    if (m_updating == 0) return;
    if (--m_updating == 0 && m_pendingReset) {
        m_pendingReset = false;
        Q_EMIT tableReset();
        Q_EMIT countChanged(m_count);
    }
}

void RecordTable::NotifyRows(int first, int last) {
    if (m_updating > 0) {
        m_pendingReset = true;
        return;
    }
    if (first < 0)
        Q_EMIT tableReset();
    else
        Q_EMIT recordsChanged(first, last);
}

}  // namespace tovrel
