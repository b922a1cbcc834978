#include "data/import_reader.h"

#include "base/cp932.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <map>

namespace tovrel {

namespace {

const QString kEmptyFile = QStringLiteral("ファイルが空です。取り込むﾃﾞｰﾀがありません。");
const QString kNotText = QStringLiteral(
    "テキストファイルではないため、取り込めません。CSVまたはタブ区切りのファイルを指定してください。");

bool StartsWith(const QByteArray& bytes, std::initializer_list<unsigned char> prefix) {
    if (bytes.size() < static_cast<qsizetype>(prefix.size())) return false;
    qsizetype i = 0;
    for (unsigned char b : prefix) {
        if (static_cast<unsigned char>(bytes[i++]) != b) return false;
    }
    return true;
}

// Text files hold no NUL bytes and few control characters; pictures and archives are full of them.
bool LooksBinary(const QByteArray& bytes) {
    const qsizetype n = std::min<qsizetype>(bytes.size(), 65536);
    qsizetype controls = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == 0) return true;
        if (b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f' && b != 0x1A) ++controls;
    }
    return controls * 100 > n;
}

QString DecodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes, bool* ok) {
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    *ok = !decoder.hasError();
    return text;
}

// Counts of the separator per record in the first lines, quotes respected.
std::vector<int> CountsPerRecord(const QString& text, QChar separator, int maxRecords) {
    std::vector<int> counts;
    int count = 0;
    bool quoted = false;
    bool any = false;
    const qsizetype n = std::min<qsizetype>(text.size(), 1 << 16);
    for (qsizetype i = 0; i < n && static_cast<int>(counts.size()) < maxRecords; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == QLatin1Char('\n') || c == QLatin1Char('\r'))) {
            if (any) counts.push_back(count);
            count = 0;
            any = false;
        } else {
            if (!quoted && c == separator) ++count;
            if (!c.isSpace()) any = true;
        }
    }
    if (any && static_cast<int>(counts.size()) < maxRecords) counts.push_back(count);
    return counts;
}

}  // namespace

QString ImportEncodingName(ImportEncoding encoding) {
    switch (encoding) {
        case ImportEncoding::Utf8:
            return QStringLiteral("UTF-8");
        case ImportEncoding::Utf8Bom:
            return QStringLiteral("UTF-8（BOM付き）");
        case ImportEncoding::Utf16Le:
            return QStringLiteral("UTF-16LE");
        case ImportEncoding::Utf16Be:
            return QStringLiteral("UTF-16BE");
        case ImportEncoding::Cp932:
            break;
    }
    return QStringLiteral("Shift_JIS（CP932）");
}

bool ImportRow::IsBlank() const {
    return std::all_of(cells.begin(), cells.end(), [](const QString& c) { return c.trimmed().isEmpty(); });
}

bool DecodeImportText(const QByteArray& bytes, QString* text, ImportEncoding* encoding, QString* error) {
    bool ok = true;
    if (StartsWith(bytes, {0xEF, 0xBB, 0xBF})) {
        *encoding = ImportEncoding::Utf8Bom;
        *text = DecodeWith(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3), &ok);
    } else if (StartsWith(bytes, {0xFF, 0xFE})) {
        *encoding = ImportEncoding::Utf16Le;
        *text = DecodeWith(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2), &ok);
    } else if (StartsWith(bytes, {0xFE, 0xFF})) {
        *encoding = ImportEncoding::Utf16Be;
        *text = DecodeWith(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2), &ok);
    } else {
        if (bytes.isEmpty()) {
            *error = kEmptyFile;
            return false;
        }
        if (LooksBinary(bytes)) {
            *error = kNotText;
            return false;
        }
        *text = DecodeWith(QStringConverter::Utf8, bytes, &ok);
        *encoding = ImportEncoding::Utf8;
        if (!ok) {
            *text = Cp932Decode(bytes);
            *encoding = ImportEncoding::Cp932;
            ok = true;
        }
    }
    if (!ok || text->contains(QChar(0))) {
        *error = kNotText;
        return false;
    }
    if (text->trimmed().isEmpty()) {
        *error = kEmptyFile;
        return false;
    }
    return true;
}

QChar DetectSeparator(const QString& text) {
    // The separator whose count is the same on most lines wins; more columns break a tie, then
    // the order below (a comma before a semicolon before a tab).
    const std::array<QChar, 3> candidates = {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')};
    QChar best = candidates[0];
    int bestLines = -1;
    int bestCount = -1;
    for (QChar separator : candidates) {
        const std::vector<int> counts = CountsPerRecord(text, separator, 50);
        std::map<int, int> frequency;
        for (int c : counts) {
            if (c > 0) ++frequency[c];
        }
        int lines = 0;
        int count = 0;
        for (const auto& [c, f] : frequency) {
            if (f > lines || (f == lines && c > count)) {
                lines = f;
                count = c;
            }
        }
        if (lines > bestLines || (lines == bestLines && count > bestCount)) {
            best = separator;
            bestLines = lines;
            bestCount = count;
        }
    }
    return best;
}

QString SeparatorName(QChar separator) {
    if (separator == QLatin1Char(';')) return QStringLiteral("セミコロン");
    if (separator == QLatin1Char('\t')) return QStringLiteral("タブ");
    return QStringLiteral("カンマ");
}

QVector<ImportRow> SplitRecords(const QString& text, QChar separator) {
    // Plain cells are cut out of the text in one piece; only quoted ones are built up.
    enum class State { Start, Plain, Quoted, AfterQuote };
    QVector<ImportRow> rows;
    ImportRow row;
    row.line = 1;
    QString quoted;
    State state = State::Start;
    bool rowHasQuote = false;
    qsizetype cellStart = 0;
    int line = 1;
    const auto endCell = [&](qsizetype end) {
        if (state == State::Start || state == State::Plain) {
            row.cells.append(text.mid(cellStart, end - cellStart));
        } else {
            row.cells.append(quoted);
            quoted.clear();
            rowHasQuote = true;
        }
        state = State::Start;
    };
    const auto endRecord = [&] {
        if (!(row.cells.size() == 1 && row.cells[0].trimmed().isEmpty() && !rowHasQuote)) rows.append(row);
        row = ImportRow();
        row.line = line;
        rowHasQuote = false;
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (state == State::Quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                    quoted += c;
                    ++i;
                } else {
                    state = State::AfterQuote;
                }
            } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) ++i;
                quoted += QLatin1Char('\n');
                ++line;
            } else {
                quoted += c;
            }
        } else if (c == separator) {
            endCell(i);
            cellStart = i + 1;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            endCell(i);
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) ++i;
            ++line;
            endRecord();
            cellStart = i + 1;
        } else if (state == State::Start) {
            // Blanks before the opening quote are not part of the cell.
            if (c == QLatin1Char('"')) {
                state = State::Quoted;
                quoted.clear();
            } else if (!c.isSpace()) {
                state = State::Plain;
            }
        } else if (state == State::AfterQuote) {
            quoted += c;
        }
    }
    if (state != State::Start || cellStart < n || !row.cells.isEmpty()) {
        endCell(n);
        endRecord();
    }
    return rows;
}

bool ReadImportFile(const QByteArray& bytes, ImportFile* file, QString* error) {
    QString text;
    if (!DecodeImportText(bytes, &text, &file->encoding, error)) return false;
    file->separator = DetectSeparator(text);
    file->rows = SplitRecords(text, file->separator);
    if (file->rows.isEmpty()) {
        *error = kEmptyFile;
        return false;
    }
    return true;
}

}  // namespace tovrel
