#include "data/log_file.h"

#include "base/cp932.h"
#include "base/file_io.h"
#include "base/text_utils.h"
#include "data/record_table.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <vector>

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

// Calls f(line) for each line of a text whose lines are apart by "\r\n", as QString::split(kCrLf)
// gives them; the lines of a maintenance text are a few characters, too short for a general search.
template <typename F>
void ForEachCrLfLine(QStringView text, F f) {
    const QChar* start = text.begin();
    for (const QChar* p = start; p < text.end(); ++p) {
        if (*p == QLatin1Char('\r') && p + 1 < text.end() && p[1] == QLatin1Char('\n')) {
            f(QStringView(start, p));
            start = ++p + 1;
        }
    }
    f(QStringView(start, text.end()));
}

// The cost of a maintenance line "item:cost:note": from its first ":" to the second or to the end.
// False for a line without ":".
bool MainteCost(QStringView line, qsizetype* begin, qsizetype* end) {
    const qsizetype first = line.indexOf(QLatin1Char(':'));
    if (first < 0) return false;
    const qsizetype second = line.indexOf(QLatin1Char(':'), first + 1);
    *begin = first + 1;
    *end = second < 0 ? line.size() : second;
    return true;
}

QString RegroupMainteCosts(const QString& mainte) {
    if (!mainte.contains(QLatin1Char(':'))) return mainte;
    QString out;
    out.reserve(mainte.size() + 8);
    bool firstLine = true;
    ForEachCrLfLine(mainte, [&](QStringView line) {
        if (!firstLine) out += kCrLf;
        firstLine = false;
        qsizetype begin = 0;
        qsizetype end = 0;
        if (!MainteCost(line, &begin, &end)) {
            out += line;
            return;
        }
        out += line.left(begin);
        out += GroupDigits(line.sliced(begin, end - begin));
        out += line.sliced(end);
    });
    return out;
}

// Writes the value of one position as the writer stores it (the escapes above) at o, never more
// characters than the value has, and returns where it ends.
QChar* WriteValue(QChar* o, int position, const QString& value) {
    if (IsNumericColumn(position)) {
        // StripGrouping.
        for (QChar c : QStringView(value).trimmed()) {
            if (c != QLatin1Char(',')) *o++ = c;
        }
        return o;
    }
    if (position == ColMainte || position == ColMemo) {
        QString v = StripGrouping(value);
        v.remove(QLatin1Char('#'));
        v = JoinLinesWithHash(v);
        return std::copy(v.cbegin(), v.cend(), o);
    }
    for (QChar c : value) {
        // A line break in a one-line field would split the record line.
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) continue;
        *o++ = c == QLatin1Char(',') ? QLatin1Char('.') : c;
    }
    return o;
}

// A flag or the kind (0..255) in decimal.
QChar* WriteSmallNumber(QChar* o, unsigned value) {
    if (value >= 100) *o++ = QLatin1Char(char('0' + value / 100));
    if (value >= 10) *o++ = QLatin1Char(char('0' + value / 10 % 10));
    *o++ = QLatin1Char(char('0' + value % 10));
    return o;
}

quint8 ParseFlag(QStringView field) {
    const int v = ParseInt(field, 0);
    return static_cast<quint8>(v < 0 || v > 255 ? 0 : v);
}

// The maintenance field with its lines apart and trimmed at both ends, as the writer trims it: a job
// that stands alone only after trimming must read as such now, not first at the next load.
QString MainteLines(QStringView field) {
    return field.toString().replace(QLatin1Char('#'), kCrLf).trimmed();
}

// Files of older versions hold a maintenance-only record's one job as its bare item name; it takes
// the record's cost.
bool IsOldSingleJob(quint8 kind, const QString& lines) {
    return kind == KindMainte && !lines.isEmpty() && !lines.contains(QLatin1Char(':')) &&
           !lines.contains(kCrLf);
}

// Whether the writer gives the field back with the same value: empty, or a whole number in range.
bool FlagReadsWhole(QStringView field, int highest) {
    if (field.size() == 1 && (field[0] == QLatin1Char('0') || field[0] == QLatin1Char('1'))) return true;
    if (field.trimmed().isEmpty()) return true;
    const int v = ParseInt(field, -1);
    return v >= 0 && v <= highest;
}

// Whether regrouping a maintenance cost keeps it: GroupDigits turns an integer part it cannot read
// into 0.
bool CostReadsWhole(QStringView cost) {
    const QString halfWidth = ToHalfWidth(cost.toString());
    const QStringView t = QStringView(halfWidth).trimmed();
    const qsizetype dot = t.indexOf(QLatin1Char('.'));
    const QStringView whole = dot < 0 ? t : t.left(dot);
    qsizetype i = whole.startsWith(QLatin1Char('-')) || whole.startsWith(QLatin1Char('+')) ? 1 : 0;
    if (i == whole.size()) return i == 0;
    for (; i < whole.size(); ++i) {
        if (whole[i].unicode() < '0' || whole[i].unicode() > '9') return false;
    }
    return true;
}

// The 19 fields of a record value; `rest` receives what follows the 19th. The fields are views into
// the value.
using Fields = QStringView[19];
void SplitFields(QStringView value, Fields& fields, QStringView* rest) {
    const char16_t* start = value.utf16();
    const char16_t* const end = start + value.size();
    for (int k = 0; k < 19 && start < end; ++k) {
        const char16_t* comma = start;
        while (comma < end && *comma != u',')
            ++comma;
        fields[k] = QStringView(start, comma);
        start = comma < end ? comma + 1 : end;
    }
    if (rest) *rest = QStringView(start, end);
}

// What reading a record value learns on the way that ValueProblem asks again.
struct ValueChecks {
    std::array<bool, ColumnCount> numberReads{};  // a number column: IsNumberText of its field
    QString mainte;                               // MainteLines of the maintenance field
};

// Why the writer would not give this record value back, or an empty text.
QString ValueProblem(const Fields& fields, QStringView rest, const ValueChecks& checks) {
    if (!rest.isEmpty()) return QStringLiteral("値が19個を超えています");
    if (!FlagReadsWhole(fields[0], 255) || !FlagReadsWhole(fields[17], 127) ||
        !FlagReadsWhole(fields[18], 127)) {
        return QStringLiteral("種別またはフラグが数値として読めません");
    }
    for (int col = ColRun; col <= ColTanka; ++col) {
        if (!checks.numberReads[col] && !fields[col].trimmed().isEmpty()) {
            return QStringLiteral("数値「") + fields[col].toString() + QStringLiteral("」が読めません");
        }
    }
    if (fields[ColMainte].isEmpty()) return QString();
    const QString& mainte = checks.mainte;
    if (IsOldSingleJob(ParseFlag(fields[0]), mainte) && !CostReadsWhole(fields[ColCost])) {
        return QStringLiteral("メンテナンスの費用「") + fields[ColCost].toString() +
               QStringLiteral("」が読めません");
    }
    QString problem;
    ForEachCrLfLine(mainte, [&](QStringView line) {
        qsizetype begin = 0;
        qsizetype end = 0;
        if (!problem.isEmpty() || !MainteCost(line, &begin, &end)) return;
        const QStringView cost = line.sliced(begin, end - begin);
        if (!CostReadsWhole(cost))
            problem = QStringLiteral("メンテナンスの費用「") + cost.toString() + QStringLiteral("」が読めません");
    });
    return problem;
}

QStringView ValueAfterEquals(QStringView line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QStringView() : line.mid(eq + 1);
}

bool IsBlank(QStringView line) {
    return std::all_of(line.begin(), line.end(), [](QChar c) { return c.isSpace(); });
}

// A line whose key is a record number: the count line is missing when the second line is one.
bool IsRecordLine(QStringView line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) return false;
    const QStringView key = line.left(eq).trimmed();
    if (key.isEmpty()) return false;
    for (QChar c : key) {
        if (c.unicode() < '0' || c.unicode() > '9') return false;
    }
    return true;
}

QString LinePrefix(qsizetype index) {
    return QString::number(index + 1) + QStringLiteral("行目：");
}

QString FileText(const QString& path) {
    return QStringLiteral("ファイル「") + QDir::toNativeSeparators(path) + QStringLiteral("」");
}

constexpr int kProblemsShown = 5;
const QString kNoSave = QStringLiteral("データを失わないよう、このファイルには保存しません。");

QString ProblemText(const QString& path, const QStringList& problems) {
    QString text = FileText(path) + QStringLiteral("には読み取れない内容があります。");
    for (qsizetype i = 0; i < problems.size() && i < kProblemsShown; ++i)
        text += QLatin1Char('\n') + problems[i];
    if (problems.size() > kProblemsShown) {
        text += QStringLiteral("\nほか ") + QString::number(problems.size() - kProblemsShown) +
                QStringLiteral(" 件");
    }
    return text + QLatin1Char('\n') + kNoSave;
}

}  // namespace

namespace {
struct ReadOptions {
    const RecordTable* shownIn = nullptr;  // the numbers become the cell texts this table shows
    bool findProblems = true;
    // Only Day, TotalRun and Mainte, what the maintenance check reads (without findProblems).
    bool dueTextsOnly = false;
    int capacity = -1;          // records beyond it are not read (-1: every record)
    // The list starts with a record for the table's slot 0, so that the table takes it over as it is.
    bool slotZero = false;
};

// The weekday, the weather, the fuel type, the station, the unit price and the like take a few values
// over a whole log: the last few fields of each column are kept with the texts read from them, and a
// record with an equal field shares that text rather than reading and allocating its own. A pool lives
// for one read: a text depends on nothing but its field and the read's options.
class TextPool {
public:
    struct Kept {
        QString field;
        QString text;
        bool readsAsNumber = false;
    };
    // The entry kept for an equal field (never empty) of the column, else a new one that read() fills.
    template <typename Read>
    const Kept& Find(int col, QStringView field, Read read) {
        Column& column = m_columns[col];
        for (const Kept& k : column.kept) {
            if (k.field.size() == field.size() && std::equal(field.begin(), field.end(), k.field.begin()))
                return k;
        }
        Kept& k = column.kept[column.next];
        column.next = (column.next + 1) % column.kept.size();
        read(k);
        // Most texts are their field: one string for both.
        k.field = k.text == field ? k.text : field.toString();
        return k;
    }

private:
    struct Column {
        std::array<Kept, 8> kept;
        std::size_t next = 0;  // the oldest, replaced by the next new field
    };
    std::array<Column, ColumnCount> m_columns;
};

bool RepeatsAcrossRecords(int col) {
    constexpr unsigned kRepeating = 1u << ColYobi | 1u << ColTime | 1u << ColWeather | 1u << ColTanka |
                                    1u << ColGasSel | 1u << ColStand | 1u << ColPattern | 1u << ColShop;
    return (kRepeating >> col & 1u) != 0;
}

// The text of a field as the record holds it; for a number column *readsAsNumber (when given) receives
// IsNumberText(field).
QString FieldText(int col, QStringView field, const ReadOptions& options, bool* readsAsNumber) {
    if (!IsNumericColumn(col)) return field.toString();
    if (options.shownIn) return NumberCellText(col, field, options.shownIn->CostZeroDisp(), readsAsNumber);
    if (readsAsNumber) *readsAsNumber = IsNumberText(field);
    return field.toString();
}

// Fills r, an empty record, from the fields. checks (when given) receives what ValueProblem asks.
void RecordFromFields(const Fields& fields, const ReadOptions& options, TextPool* pool, FuelRecord& r,
                      ValueChecks* checks) {
    const auto text = [&](int col) {
        const QStringView field = fields[col];
        bool* const reads = checks && IsNumericColumn(col) ? &checks->numberReads[col] : nullptr;
        if (!pool || !RepeatsAcrossRecords(col)) return FieldText(col, field, options, reads);
        if (field.isEmpty()) return IsNumericColumn(col) ? FieldText(col, field, options, reads) : QString();
        const TextPool::Kept& kept = pool->Find(col, field, [&](TextPool::Kept& k) {
            k.text = FieldText(col, field, options, &k.readsAsNumber);
        });
        if (reads) *reads = kept.readsAsNumber;
        return kept.text;
    };
    r.kind = ParseFlag(fields[0]);
    for (int col = ColDay; col <= ColPattern; ++col) {
        if (options.dueTextsOnly && col != ColDay && col != ColTotalRun) continue;
        r.text[col] = text(col);
    }
    if (checks) checks->mainte.clear();
    if (!fields[ColMainte].isEmpty()) {
        QString mainte = MainteLines(fields[ColMainte]);
        if (checks) checks->mainte = mainte;
        if (IsOldSingleJob(r.kind, mainte))
            mainte += QLatin1Char(':') + fields[ColCost].toString() + QLatin1Char(':');
        r.text[ColMainte] = RegroupMainteCosts(mainte);
    }
    if (options.dueTextsOnly) return;
    r.text[ColShop] = text(ColShop);
    QString memo = fields[ColMemo].toString();
    if (!memo.isEmpty()) memo.replace(QLatin1Char('#'), kCrLf);
    r.text[ColMemo] = std::move(memo);
    r.noneHeikin = ParseFlag(fields[17]);
    r.memoGraph = ParseFlag(fields[18]);
}
}  // namespace

FuelRecord ParseLogValue(const QString& value) {
    if (value.isEmpty()) return FuelRecord();
    Fields fields;
    SplitFields(value, fields, nullptr);
    FuelRecord r;
    RecordFromFields(fields, ReadOptions(), nullptr, r, nullptr);
    return r;
}

namespace {
// The lines of a log, one at a time. Code page 932 is decoded a line at a time into one buffer, so
// that a log is never held a second time, twice its size, as text; a file with a byte-order mark is
// decoded whole.
class LogLines {
public:
    explicit LogLines(const QByteArray& bytes) : m_bytes(bytes), m_marked(StartsWithByteOrderMark(bytes)) {
        const auto add = [this](qsizetype from, qsizetype size) { m_lines.append({from, size}); };
        if (m_marked) {
            m_text = DecodeDataText(bytes, &m_textWhole);
            ForEachLine(QStringView(m_text), add);
        } else {
            ForEachLine(QByteArrayView(bytes), add);
        }
        // Blank lines at the end hold nothing; they are no records.
        while (!m_lines.isEmpty() && IsBlank(Line(m_lines.size() - 1)))
            m_lines.removeLast();
    }

    qsizetype size() const { return m_lines.size(); }

    // Line i, valid until the next call. *whole (when given) tells whether it is written back as read.
    QStringView Line(qsizetype i, bool* whole = nullptr) {
        const auto [from, size] = m_lines[i];
        if (!m_marked) {
            if (static_cast<qsizetype>(m_buffer.size()) < size) m_buffer.resize(size);
            const QByteArrayView bytes = QByteArrayView(m_bytes).sliced(from, size);
            return QStringView(m_buffer.data(), Cp932DecodeTo(bytes, m_buffer.data(), whole));
        }
        const QStringView line = QStringView(m_text).sliced(from, size);
        if (whole) {
            *whole = m_textWhole ||
                     !(line.contains(QChar(QChar::ReplacementCharacter)) || !Cp932CanEncode(line.toString()));
        }
        return line;
    }

private:
    const QByteArray& m_bytes;
    const bool m_marked;
    QString m_text;  // a file with a byte-order mark, decoded
    bool m_textWhole = false;
    std::vector<char16_t> m_buffer;  // the last line decoded
    QList<std::pair<qsizetype, qsizetype>> m_lines;  // from, size in m_bytes or m_text
};

LogContent ParseLog(const QByteArray& bytes, const ReadOptions& options) {
    LogContent content;
    LogLines lines(bytes);
    if (lines.size() == 0) return content;
    // A table takes the list over as its slots, 0..capacity.
    TextPool pool;
    ValueChecks checks;
    const qsizetype tableSlots = options.shownIn ? options.shownIn->Capacity() + 1 : 0;
    content.records.reserve(std::max<qsizetype>(lines.size(), tableSlots));
    if (options.slotZero) content.records.emplace_back();
    const auto recordsRead = [&] { return content.records.size() - (options.slotZero ? 1 : 0); };

    if (lines.Line(0).trimmed().compare(QStringLiteral("[MivraData]"), Qt::CaseInsensitive) != 0) {
        content.problems.append(LinePrefix(0) + QStringLiteral("「[MivraData]」ではありません"));
    }
    qsizetype first = 2;
    int count = -1;
    const QStringView second = lines.size() < 2 ? QStringView() : lines.Line(1);
    if (lines.size() < 2 || IsRecordLine(second)) {
        first = 1;
    } else if (second.contains(QLatin1Char('='))) {
        count = ParseInt(ValueAfterEquals(second), -1);
    }
    for (qsizetype i = first; i < lines.size(); ++i) {
        if (options.capacity >= 0 && recordsRead() >= options.capacity) break;
        bool whole = true;
        const QStringView line = lines.Line(i, &whole);
        if (!whole) {
            content.problems.append(LinePrefix(i) +
                                    QStringLiteral("CP932 の文字として読み書きできない部分があります"));
        }
        if (IsBlank(line)) {
            content.records.append(FuelRecord());
            continue;
        }
        // The key before "=" is a few characters: no general search.
        const qsizetype eq = std::find(line.begin(), line.end(), QLatin1Char('=')) - line.begin();
        if (eq == line.size()) {
            content.problems.append(LinePrefix(i) + QStringLiteral("「=」がなく、記録として読めません"));
            content.records.append(FuelRecord());
            continue;
        }
        const QStringView value = line.mid(eq + 1);
        if (value.isEmpty()) {
            content.records.append(FuelRecord());
            continue;
        }
        Fields fields;
        QStringView rest;
        SplitFields(value, fields, &rest);
        content.records.emplace_back();
        RecordFromFields(fields, options, &pool, content.records.back(),
                         options.findProblems ? &checks : nullptr);
        if (options.findProblems) {
            const QString problem = ValueProblem(fields, rest, checks);
            if (!problem.isEmpty()) content.problems.append(LinePrefix(i) + problem);
        }
    }
    content.countAgrees = count == recordsRead() || (first == 1 && recordsRead() == 0);
    return content;
}

QVector<FuelRecord> ReadRecords(const QString& path, const ReadOptions& options) {
    QByteArray bytes;
    if (!FileEntryExists(path) || !ReadFileBytes(path, &bytes, nullptr)) return {};
    return ParseLog(bytes, options).records;
}
}  // namespace

LogContent ParseLogData(const QByteArray& bytes, const RecordTable* shownIn) {
    ReadOptions options;
    options.shownIn = shownIn;
    return ParseLog(bytes, options);
}

LogContent ReadLogData(const QByteArray& bytes, RecordTable& table) {
    ReadOptions options;
    options.shownIn = &table;
    options.slotZero = true;
    LogContent content = ParseLog(bytes, options);
    table.BeginUpdate();
    // A search backup left over would later be restored over the loaded records.
    table.RestoreFullTable();
    const qsizetype read = std::max<qsizetype>(content.records.size() - 1, 0);
    const qsizetype n = std::min<qsizetype>(read, table.Capacity());
    table.SetOverflow(content.records.mid(n + 1));
    table.SetCellRecords(std::move(content.records), n);
    content.records.clear();
    table.EndUpdate();
    return content;
}

QByteArray FormatLogData(const RecordTable& table) {
    const int n = table.RecordCount();
    const QVector<FuelRecord>& overflow = table.Overflow();
    const qsizetype total = n + overflow.size();
    QStringList lines;
    lines.reserve(total + 2);
    lines.append(QStringLiteral("[MivraData]"));
    lines.append(QStringLiteral("DataCount=") + QString::number(total));
    for (qsizetype i = 1; i <= total; ++i) {
        QString line = FormatInt(i, 3, QStringLiteral("0")) + QLatin1Char('=');
        const FuelRecord& r = i <= n ? table.At(static_cast<int>(i)) : overflow[i - n - 1];
        // Only a wholly empty record goes without values: a record without a date may still hold a
        // time, figures or a memo.
        if (!(r == FuelRecord())) {
            qsizetype room = 3 * 4;  // the kind and the flags with their ","
            for (int col = ColDay; col < ColumnCount; ++col)
                room += r.text[col].size() + 1;
            const qsizetype key = line.size();
            line.resize(key + room);
            QChar* const begin = line.data();
            QChar* o = WriteSmallNumber(begin + key, r.kind);
            *o++ = QLatin1Char(',');
            for (int col = ColDay; col < ColumnCount; ++col) {
                o = WriteValue(o, col, r.text[col]);
                *o++ = QLatin1Char(',');
            }
            o = WriteSmallNumber(o, r.noneHeikin & 0x7F);
            *o++ = QLatin1Char(',');
            o = WriteSmallNumber(o, r.memoGraph & 0x7F);
            *o++ = QLatin1Char(',');
            line.truncate(o - begin);
        }
        lines.append(line);
    }
    return EncodeCp932Lines(lines);
}

bool LoadLogFile(const QString& path, RecordTable& table, QString* error, QString* notice, LoadedLog* loaded) {
    if (notice) notice->clear();
    QByteArray bytes;
    QString readError;
    const bool exists = FileEntryExists(path);
    const bool read = !exists || ReadFileBytes(path, &bytes, &readError);
    table.BeginUpdate();
    table.RestoreFullTable();
    LogContent content;
    if (read) {
        content = ReadLogData(bytes, table);
    } else {
        table.SetRecordCount(0);
        table.ClearSlots(1, table.Capacity());
        table.SetOverflow({});
    }
    if (loaded) *loaded = LoadedLog{table.SlotList(), table.RecordCount()};
    table.SortRecords();
    table.TakeSnapshot();
    if (!read) {
        readError += QLatin1Char('\n') + kNoSave;
        table.SetWriteBlock(readError);
    } else if (!content.problems.isEmpty()) {
        readError = ProblemText(path, content.problems);
        table.SetWriteBlock(readError);
    } else {
        table.SetWriteBlock(QString());
    }
    table.EndUpdate();

    if (notice) {
        QStringList notes;
        const qsizetype total = table.RecordCount() + table.Overflow().size();
        if (!content.countAgrees) {
            notes.append(FileText(path) +
                         QStringLiteral("の件数の行（DataCount）が記録の行と合わないため、記録の行から ") +
                         QString::number(total) + QStringLiteral(" 件を読み込みました。"));
        }
        if (!table.Overflow().isEmpty()) {
            QString note = FileText(path) + QStringLiteral("には ") + QString::number(total) +
                           QStringLiteral(" 件の記録があり、登録できる最大 ") +
                           QString::number(table.Capacity()) +
                           QStringLiteral(" 件を超えています。最大件数までを表示し、残りの ") +
                           QString::number(table.Overflow().size()) +
                           QStringLiteral(" 件は表示しないまま、保存のときにそのまま書き戻します。");
            if (table.Capacity() < 2000) {
                note += QStringLiteral("環境設定で登録件数を「2,000件」にすると、次の起動から表示できます。");
            }
            notes.append(note);
        }
        *notice = notes.join(QLatin1Char('\n'));
    }
    if (!readError.isEmpty()) {
        if (error) *error = readError;
        return false;
    }
    if (error) error->clear();
    return true;
}

bool SaveLogFile(const QString& path, RecordTable& table, QString* error) {
    // The text names the file that could not be read and says that it is not saved over.
    if (!table.WriteBlock().isEmpty()) {
        if (error) *error = table.WriteBlock();
        return false;
    }
    table.RestoreFullTable();
    table.SortRecords();
    if (!WriteFileAtomically(path, FormatLogData(table), error)) return false;
    table.TakeSnapshot();
    return true;
}

QVector<FuelRecord> ReadLogRecords(const QString& path, int capacity) {
    ReadOptions options;
    options.findProblems = false;
    options.capacity = std::max(capacity, 0);
    return ReadRecords(path, options);
}

QVector<FuelRecord> ReadLogDueRecords(const QString& path, int capacity) {
    ReadOptions options;
    options.findProblems = false;
    options.dueTextsOnly = true;
    options.capacity = std::max(capacity, 0);
    return ReadRecords(path, options);
}

}  // namespace tovrel
