#include "data/log_file.h"

#include "base/cp932.h"
#include "base/file_io.h"
#include "base/text_utils.h"
#include "data/record_table.h"

#include <QFileInfo>

namespace tovrel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Every line break form becomes "#", the line separator of the multi-line fields.
QString JoinLinesWithHash(QString text) {
    text.replace(kCrLf, QStringLiteral("#"));
    text.replace(QLatin1Char('\r'), QLatin1Char('#'));
    text.replace(QLatin1Char('\n'), QLatin1Char('#'));
    return text;
}

QString RegroupMainteCosts(const QString& mainte) {
    if (!mainte.contains(QLatin1Char(':'))) return mainte;
    QStringList lines = mainte.split(kCrLf);
    for (QString& line : lines) {
        const qsizetype first = line.indexOf(QLatin1Char(':'));
        if (first < 0) continue;
        const qsizetype second = line.indexOf(QLatin1Char(':'), first + 1);
        const QString cost = second < 0 ? line.mid(first + 1) : line.mid(first + 1, second - first - 1);
        const QString rest = second < 0 ? QString() : line.mid(second);
        line = line.left(first + 1) + GroupDigits(cost) + rest;
    }
    return lines.join(kCrLf);
}

QString EscapeValue(int position, const QString& value) {
    QString v = value;
    if (position >= ColRun && position <= ColTanka) {
        v = StripGrouping(v);
    } else if (position == ColMainte || position == ColMemo) {
        v = StripGrouping(v);
        v.remove(QLatin1Char('#'));
        v = JoinLinesWithHash(v);
    } else {
        // A line break in a one-line field would split the record line.
        v.remove(QLatin1Char('\r'));
        v.remove(QLatin1Char('\n'));
    }
    v.replace(QLatin1Char(','), QLatin1Char('.'));
    return v;
}

quint8 ParseFlag(const QString& field) {
    const int v = ParseInt(field, 0);
    return static_cast<quint8>(v < 0 || v > 255 ? 0 : v);
}

}  // namespace

FuelRecord ParseLogValue(const QString& value) {
    FuelRecord r;
    if (value.isEmpty()) return r;
    QString fields[19];
    qsizetype start = 0;
    for (int k = 0; k < 19 && start < value.size(); ++k) {
        const qsizetype comma = value.indexOf(QLatin1Char(','), start);
        if (comma < 0) {
            fields[k] = value.mid(start);
            break;
        }
        fields[k] = value.mid(start, comma - start);
        start = comma + 1;
    }
    r.kind = ParseFlag(fields[0]);
    for (int col = ColDay; col <= ColPattern; ++col)
        r.text[col] = fields[col];
    QString mainte = fields[ColMainte];
    if (r.kind == KindMainte && !mainte.isEmpty() && !mainte.contains(QLatin1Char(':')) &&
        !mainte.contains(QLatin1Char('#'))) {
        mainte = mainte + QLatin1Char(':') + fields[ColCost] + QLatin1Char(':');
    }
    mainte.replace(QLatin1Char('#'), kCrLf);
    r.text[ColMainte] = RegroupMainteCosts(mainte);
    r.text[ColShop] = fields[ColShop];
    r.text[ColMemo] = QString(fields[ColMemo]).replace(QLatin1Char('#'), kCrLf);
    r.noneHeikin = ParseFlag(fields[17]);
    r.memoGraph = ParseFlag(fields[18]);
    return r;
}

namespace {
QString ValueAfterEquals(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.mid(eq + 1);
}

// Count and record lines of a log file; the count is cut to the capacity.
QStringList RecordLines(const QByteArray& bytes, int capacity, int* count) {
    const QStringList lines = SplitTextLines(Cp932Decode(bytes));
    int n = 0;
    if (lines.size() >= 2 && lines[1].contains(QLatin1Char('='))) n = ParseInt(ValueAfterEquals(lines[1]), 0);
    *count = std::clamp(n, 0, capacity);
    return lines;
}
}  // namespace

void ReadLogData(const QByteArray& bytes, RecordTable& table) {
    table.BeginUpdate();
    // A search backup left over would later be restored over the loaded records.
    table.RestoreFullTable();
    table.SetRecordCount(0);
    int n = 0;
    const QStringList lines = RecordLines(bytes, table.Capacity(), &n);
    table.SetRecordCount(n);
    for (int i = 1; i <= n; ++i) {
        const qsizetype lineIndex = i + 1;
        const QString value = lineIndex < lines.size() ? ValueAfterEquals(lines[lineIndex]) : QString();
        table.SetRecord(i, ParseLogValue(value));
    }
    table.ClearSlots(n + 1, table.Capacity());
    table.EndUpdate();
}

QByteArray FormatLogData(const RecordTable& table) {
    const int n = table.RecordCount();
    QStringList lines;
    lines.reserve(n + 2);
    lines.append(QStringLiteral("[MivraData]"));
    lines.append(QStringLiteral("DataCount=") + QString::number(n));
    for (int i = 1; i <= n; ++i) {
        QString line = FormatInt(i, 3, QStringLiteral("0")) + QLatin1Char('=');
        const FuelRecord& r = table.At(i);
        if (!r.text[ColDay].isEmpty()) {
            line += QString::number(r.kind) + QLatin1Char(',');
            for (int col = ColDay; col < ColumnCount; ++col)
                line += EscapeValue(col, r.text[col]) + QLatin1Char(',');
            line += QString::number(r.noneHeikin & 0x7F) + QLatin1Char(',');
            line += QString::number(r.memoGraph & 0x7F) + QLatin1Char(',');
        }
        lines.append(line);
    }
    return EncodeCp932Lines(lines);
}

bool LoadLogFile(const QString& path, RecordTable& table, QString* error) {
    QByteArray bytes;
    bool ok = true;
    if (QFileInfo::exists(path)) ok = ReadFileBytes(path, &bytes, error);
    table.BeginUpdate();
    table.RestoreFullTable();
    if (ok) {
        ReadLogData(bytes, table);
    } else {
        table.SetRecordCount(0);
        table.ClearSlots(1, table.Capacity());
    }
    table.SortRecords();
    table.TakeSnapshot();
    table.EndUpdate();
    return ok;
}

bool SaveLogFile(const QString& path, RecordTable& table, QString* error) {
    table.RestoreFullTable();
    table.SortRecords();
    if (!WriteFileAtomically(path, FormatLogData(table), error)) return false;
    table.TakeSnapshot();
    return true;
}

QVector<FuelRecord> ReadLogRecords(const QString& path, int capacity) {
    QVector<FuelRecord> records;
    QByteArray bytes;
    if (!QFileInfo::exists(path) || !ReadFileBytes(path, &bytes, nullptr)) return records;
    int n = 0;
    const QStringList lines = RecordLines(bytes, capacity, &n);
    records.reserve(n);
    for (int i = 1; i <= n; ++i) {
        const qsizetype lineIndex = i + 1;
        records.append(
            ParseLogValue(lineIndex < lines.size() ? ValueAfterEquals(lines[lineIndex]) : QString()));
    }
    return records;
}

}  // namespace tovrel
