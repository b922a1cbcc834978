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
    bool Contains(const QString& section, const QString& key) const;
    void Write(const QString& section, const QString& key, const QString& value);
    void Delete(const QString& section, const QString& key);

    // Writes the whole file atomically when something changed; untouched lines keep their bytes.
    // On failure returns false with the error.
    bool Flush(QString* error = nullptr);

    QByteArray Bytes() const;

private:
    struct Line {
        QString text;     // the line as it stands in the file
        QByteArray raw;   // its bytes as read, written back while the line is untouched
        QString section;  // lower-case section the line belongs to
        QString key;      // lower-case key, empty for lines that hold none
        QString value;    // trimmed value
    };

    qsizetype Find(const QString& section, const QString& key) const;
    void Reindex();
    // Moves the line numbers at and after `from` by delta (a line was inserted or removed there).
    void ShiftIndex(qsizetype from, qsizetype delta);
    // Whether a key added to the line's section goes after it (not after blank lines).
    static bool CountsForSectionEnd(const Line& l);

    QString m_path;
    bool m_existed = false;
    bool m_dirty = false;
    QString m_readError;  // set when the file exists but could not be read in full
    QVector<Line> m_lines;
    QHash<QString, qsizetype> m_index;       // "section\nkey" -> line
    QHash<QString, qsizetype> m_sectionEnd;  // section -> index after its last line
};

}  // namespace tovrel
