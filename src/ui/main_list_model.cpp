#include "ui/main_list_model.h"

#include "base/text_utils.h"
#include "calc/economy.h"
#include "session/logbook.h"
#include "ui/widgets/colors.h"

#include <QColor>

namespace tovrel {

namespace {
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
}  // namespace

MainListModel::MainListModel(Logbook& book, QObject* parent)
    : QAbstractTableModel(parent), m_book(book), m_rows(book.table().Capacity()) {
    connect(&book.table(), &RecordTable::recordsChanged, this, &MainListModel::OnRecordsChanged);
    connect(&book.table(), &RecordTable::tableReset, this, &MainListModel::OnTableReset);
}

int MainListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int MainListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant MainListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return QVariant();
    const int slot = SlotOfRow(index.row());
    const int col = index.column();
    const RecordTable& table = m_book.table();
    switch (role) {
        case Qt::DisplayRole:
            if (col == ColNo) return FormatInt(slot, 4, QString());
            // Multi-line texts are drawn on one line by the grid; the hint shows them whole.
            return table.Text(slot, col);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment((IsNumericColumn(col) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop));
        case Qt::ToolTipRole:
            if ((col == ColMainte || col == ColMemo) && slot <= table.RecordCount() && !table.Text(slot, col).isEmpty()) {
                return table.Text(slot, col);
            }
            return QVariant();
        case Qt::ForegroundRole: {
            const Settings& s = m_book.settings();
            if (col == ColNo) {
                if (slot > table.RecordCount()) return QVariant();
                return ColorFromValue(table.Kind(slot) == KindMainte ? s.MainteNoColor : s.MivraNoColor);
            }
            if (col == ColYobi) {
                const QString& yobi = table.Text(slot, col);
                if (yobi == QStringLiteral("日")) return kRed;
                if (yobi == QStringLiteral("土")) return kBlue;
                return QVariant();
            }
            if (col == ColEconomy) {
                const double value = ParseNumber(table.Text(slot, col), 2, 0);
                switch (MarkEconomy(value, m_book.AverageEconomy(), m_book.TargetEconomy(),
                                    table.NoneHeikin(slot) != 0, s)) {
                    case EconomyMark::Red: return kRed;
                    case EconomyMark::Blue: return kBlue;
                    case EconomyMark::None: break;
                }
            }
            return QVariant();
        }
        default:
            return QVariant();
    }
}

QVariant MainListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::DisplayRole) return ColumnHeadings()[section].trimmed();
    return QVariant();
}

void MainListModel::RefreshAll() {
    if (m_rows > 0) Q_EMIT dataChanged(index(0, 0), index(m_rows - 1, ColumnCount - 1), {Qt::ForegroundRole});
}

void MainListModel::OnRecordsChanged(int firstSlot, int lastSlot) {
    const int first = std::max(0, RowOfSlot(firstSlot));
    const int last = std::min(m_rows - 1, RowOfSlot(lastSlot));
    if (first <= last) Q_EMIT dataChanged(index(first, 0), index(last, ColumnCount - 1));
}

void MainListModel::OnTableReset() {
    const int capacity = m_book.table().Capacity();
    if (capacity != m_rows) {
        beginResetModel();
        m_rows = capacity;
        endResetModel();
        return;
    }
    if (m_rows > 0) Q_EMIT dataChanged(index(0, 0), index(m_rows - 1, ColumnCount - 1));
}

}  // namespace tovrel
