// INI files of the car book read and written key by key, as profile strings: CP932 text, section
// and key names compared without regard to case, values trimmed, other lines kept.
#pragma once

#include <QHash>
#include <QString>
#include <QVector>

namespace tovrel {

class ProfileIni {
public:
    // Opens the file; a missing or unreadable file gives an empty one. Nothing is written until Flush,
    // and a file that exists but could not be read (or not in full) is never overwritten. A file with
    // a byte-order mark is read as UTF-16 or UTF-8 and written back in CP932.
    explicit ProfileIni(const QString& path);

    const QString& path() const { return m_path; }
    bool exists() const { return m_existed; }
    // Why the file must not be written over: it is there but could not be read, or not in full.
    // Empty when there is no such reason.
    const QString& Problem() const { return m_readError; }

    QString Read(const QString& section, const QString& key, const QString& defaultValue = QString()) const;
    // The same value without a copy, for a reader that takes it apart; empty when the key is
    // missing. Valid until the next Write or Delete.
    QStringView ReadView(const QString& section, const QString& key) const;
    bool Contains(const QString& section, const QString& key) const;
    void Write(const QString& section, const QString& key, const QString& value);
    void Delete(const QString& section, const QString& key);

    // Writes the whole file atomically when something changed; untouched lines keep their bytes.
    // On failure returns false with the error.
    bool Flush(QString* error = nullptr);

    QByteArray Bytes() const;

private:
    struct Line {
        // A line as read is a part of m_text: line readIndex of the file, whose bytes in m_raw are
        // written back while it is untouched. A line written since holds its own text and has
        // readIndex -1.
        QString text;
        qsizetype readIndex = -1;
        qsizetype textFrom = 0;
        qsizetype textSize = 0;
        QString key;              // lower-case key, empty for lines that hold none
        qsizetype valueFrom = 0;  // the trimmed value in the line's text
        qsizetype valueSize = 0;
        qsizetype section = -1;  // in m_sections
    };
    struct Section {
        QString name;                    // lower case; empty for the lines before the first header
        qsizetype end = -1;              // index after its last line that counts, -1 when none does
        QHash<QString, qsizetype> keys;  // lower-case key -> line; the first of duplicate keys wins
    };

    // Reads the line of m_text at that place.
    void AddReadLine(qsizetype& section, qsizetype textFrom, qsizetype textSize);
    QStringView TextOf(const Line& l) const;
    QStringView ValueOf(const Line& l) const { return TextOf(l).sliced(l.valueFrom, l.valueSize); }
    // Sets the value of a line to what follows its key: its text from `from` on, trimmed.
    void SetValue(Line& l, qsizetype from) const;
    void Reindex();
    // The section of that name, -1 when there is none.
    qsizetype FindSection(const QString& name) const;
    // The section of that lower-case name, added when missing.
    qsizetype SectionOf(const QString& lowerName);
    qsizetype Find(const QString& section, const QString& key) const;
    // Moves the line numbers at and after `from` by delta (a line was inserted or removed there).
    void ShiftIndex(qsizetype from, qsizetype delta);
    // Whether a key added to the line's section goes after it (not after blank lines).
    bool CountsForSectionEnd(const Line& l) const;

    QString m_path;
    bool m_existed = false;
    bool m_dirty = false;
    QString m_readError;  // set when the file exists but could not be read in full
    QByteArray m_raw;     // the file as read, when it is CP932; empty for other encodings
    // The file as read, decoded at once. Never changed: the lines as read, and keys, refer to it.
    QString m_text;
    QVector<Line> m_lines;
    QVector<Section> m_sections;  // few per file: found by a scan
};

}  // namespace tovrel
