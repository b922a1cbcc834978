#include "output/csv_export.h"

#include "base/file_io.h"
#include "base/text_utils.h"
#include "data/fuel_record.h"
#include "data/mainte_line.h"
#include "data/record_table.h"

namespace tovrel {

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

// One output column: the source grid column and how its value is taken.
struct CsvColumn {
    int gridColumn = -1;
    bool time = false;
    enum Split { None, MainteItem, MainteCost, MainteMemo, MemoLine } split = None;
};

QVector<CsvColumn> MarkedColumns(const PrintForm& form, bool mainList) {
    QVector<CsvColumn> columns;
    for (int row = 1; row <= PrintRowCount; ++row) {
        const PrintColumn& c = form.rows[row];
        if (!IsPrintedColumn(c)) continue;
        CsvColumn col;
        const QString id = c.id.trimmed();
        col.gridColumn = ParseInt(id.left(2), 0) - 1;
        col.time = id.mid(2, 1) == QStringLiteral("T");
        if (mainList) {
            if (id == QStringLiteral("15a"))
                col.split = CsvColumn::MainteItem;
            else if (id == QStringLiteral("15b"))
                col.split = CsvColumn::MainteCost;
            else if (id == QStringLiteral("15c"))
                col.split = CsvColumn::MainteMemo;
            else if (id == QStringLiteral("17a"))
                col.split = CsvColumn::MemoLine;
        }
        columns.append(col);
    }
    return columns;
}

// Values are never quoted, so they cannot keep the separator or a line break.
QString CleanValue(QString value) {
    value.remove(QLatin1Char(','));
    value.replace(kLineBreak, QStringLiteral(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

QString CellValue(const CsvColumn& col, const QString& cell) {
    if (!col.time) return CleanValue(cell.trimmed());
    return CleanValue(cell == QStringLiteral("  :  ") ? QString() : cell);
}

void AppendMainListLines(QStringList& lines, const QVector<CsvColumn>& columns, const ListSource& source,
                         bool printMultiGyo) {
    bool mainteShown = false;
    bool memoShown = false;
    for (const CsvColumn& col : columns) {
        mainteShown |= col.split == CsvColumn::MainteItem || col.split == CsvColumn::MainteCost ||
                       col.split == CsvColumn::MainteMemo;
        memoShown |= col.split == CsvColumn::MemoLine;
    }
    for (int row : source.rows) {
        QString pendingMainte = source.grid.Cell(row, ColMainte);
        QString pendingMemo = source.grid.Cell(row, ColMemo);
        bool firstLine = true;
        do {
            const MainteLine mainte = SplitMainteLine(pendingMainte);
            const QString memo = NextLine(pendingMemo);
            QStringList values;
            values.reserve(columns.size());
            for (const CsvColumn& col : columns) {
                switch (col.split) {
                    case CsvColumn::MainteItem:
                        values.append(CleanValue(mainte.item.trimmed()));
                        break;
                    case CsvColumn::MainteCost:
                        values.append(CleanValue(mainte.cost.trimmed()));
                        break;
                    case CsvColumn::MainteMemo:
                        values.append(CleanValue(mainte.memo.trimmed()));
                        break;
                    case CsvColumn::MemoLine:
                        values.append(CleanValue(memo.trimmed()));
                        break;
                    case CsvColumn::None:
                        values.append(firstLine ? CellValue(col, source.grid.Cell(row, col.gridColumn))
                                                : QString());
                        break;
                }
            }
            lines.append(values.join(QLatin1Char(',')));
            if (!printMultiGyo) {
                pendingMainte.clear();
                pendingMemo.clear();
            }
            if (!mainteShown) pendingMainte.clear();
            if (!memoShown) pendingMemo.clear();
            firstLine = false;
        } while (!pendingMainte.isEmpty() || !pendingMemo.isEmpty());
    }
}

}  // namespace

QString ListSource::PeriodText() const {
    if (periodStart.isEmpty() && periodEnd.isEmpty()) return QString();
    return periodStart + QChar(0xFF5E) + periodEnd;
}

ListSource MainListSource(const RecordTable& table) {
    ListSource source;
    const int count = table.RecordCount();
    source.grid.rows.reserve(count + 1);
    QStringList headings;
    for (const QString& h : ColumnHeadings())
        headings.append(h);
    source.grid.rows.append(headings);
    source.rows.reserve(count);
    for (int r = 1; r <= count; ++r) {
        QStringList cells;
        cells.reserve(ColumnCount);
        cells.append(FormatInt(r, 4, QStringLiteral(" ")));
        for (int col = ColDay; col < ColumnCount; ++col)
            cells.append(table.Text(r, col));
        source.grid.rows.append(cells);
        source.rows.append(r);
    }
    if (count >= 1) {
        source.periodStart = table.Text(1, ColDay);
        source.periodEnd = table.Text(count, ColDay);
    }
    return source;
}

QVector<int> RowsWithFirstCell(const TextGrid& grid) {
    QVector<int> rows;
    for (int r = 1; r < grid.RowCount(); ++r) {
        if (!grid.Cell(r, 0).trimmed().isEmpty()) rows.append(r);
    }
    return rows;
}

QStringList BuildCsvLines(const PrintForm& form, const ListSource& source, bool printMultiGyo) {
    const int listId = form.ListIdNumber();
    if (listId < 1 || listId > PrintListCount) return {};
    const bool mainList = listId == 1;
    QStringList lines;
    lines.append(form.title);
    const QString period = source.PeriodText();
    if (!period.isEmpty()) lines.append(period);
    QStringList headings;
    for (int row = 1; row <= PrintRowCount; ++row) {
        if (IsPrintedColumn(form.rows[row])) headings.append(CleanValue(form.rows[row].heading.trimmed()));
    }
    lines.append(headings.join(QLatin1Char(',')));
    const QVector<CsvColumn> columns = MarkedColumns(form, mainList);
    if (mainList) {
        AppendMainListLines(lines, columns, source, printMultiGyo);
        return lines;
    }
    for (int row : source.rows) {
        QStringList values;
        values.reserve(columns.size());
        for (const CsvColumn& col : columns)
            values.append(CellValue(col, source.grid.Cell(row, col.gridColumn)));
        lines.append(values.join(QLatin1Char(',')));
    }
    return lines;
}

bool WriteCsvFile(const QString& path, const QStringList& lines, QString* error) {
    return WriteFileAtomically(path, EncodeCp932Lines(lines), error);
}

}  // namespace tovrel
