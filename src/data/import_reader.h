// Reading a fuel log written by another program or a spreadsheet: the encoding, the separator and
// the records of a delimited text file, before anything is known about its columns.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <QVector>

namespace tovrel {

enum class ImportEncoding { Utf8, Utf8Bom, Utf16Le, Utf16Be, Cp932 };

// "UTF-8", "UTF-8（BOM付き）", "UTF-16LE", "UTF-16BE", "Shift_JIS（CP932）".
QString ImportEncodingName(ImportEncoding encoding);

// One record of the file: its cells and the line it starts on (from 1).
struct ImportRow {
    int line = 0;
    QStringList cells;

    bool IsBlank() const;
    QString Cell(int column) const {
        return column >= 0 && column < cells.size() ? cells[column] : QString();
    }
};

struct ImportFile {
    ImportEncoding encoding = ImportEncoding::Utf8;
    QChar separator = QLatin1Char(',');
    QVector<ImportRow> rows;
};

// A byte-order mark decides the encoding; without one, text that is valid UTF-8 is UTF-8 and any
// other text CP932. False with the message for an empty file and for one that is not text.
bool DecodeImportText(const QByteArray& bytes, QString* text, ImportEncoding* encoding, QString* error);

// Of comma, semicolon and tab, the one that splits the first lines most consistently.
QChar DetectSeparator(const QString& text);
// "カンマ", "セミコロン", "タブ".
QString SeparatorName(QChar separator);

// The records of the text (RFC 4180): a quoted cell may hold separators, doubled quotes and line
// breaks (kept as "\n"); CR LF, LF and CR end a record. Empty lines are left out.
QVector<ImportRow> SplitRecords(const QString& text, QChar separator);

// Decodes the bytes, finds the separator and splits the records.
bool ReadImportFile(const QByteArray& bytes, ImportFile* file, QString* error);

}  // namespace tovrel
