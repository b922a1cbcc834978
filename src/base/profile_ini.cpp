#include "base/profile_ini.h"

#include "base/cp932.h"
#include "base/file_io.h"

#include <QDir>

namespace tovrel {

namespace {
QString IndexKey(const QString& section, const QString& key) {
    return section + QLatin1Char('\n') + key;
}

// Lines as bytes: CR LF, LF or a lone CR ends a line, a trailing line end adds no line. Neither
// byte is ever part of a double-byte character, so splitting before decoding is safe.
QList<QByteArray> SplitByteLines(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && bytes.at(end) != '\n' && bytes.at(end) != '\r')
            ++end;
        lines.append(bytes.mid(start, end - start));
        if (end + 1 < n && bytes.at(end) == '\r' && bytes.at(end + 1) == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

// A line break inside a name or value would start a new line of the file.
QString OneLine(QString text) {
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}
}  // namespace

ProfileIni::ProfileIni(const QString& path) : m_path(path) {
    QByteArray bytes;
    if (!FileEntryExists(path)) return;
    if (!ReadFileBytes(path, &bytes, &m_readError)) {
        if (m_readError.isEmpty()) m_readError = path;
        return;
    }
    m_existed = true;
    QList<QByteArray> raws;
    QStringList texts;
    if (StartsWithByteOrderMark(bytes)) {
        // Another encoding: every line is written back in CP932, so nothing may be lost by that.
        bool whole = true;
        texts = SplitTextLines(DecodeDataText(bytes, &whole));
        raws = QList<QByteArray>(texts.size());
        if (!whole) {
            m_readError = QStringLiteral("ファイル「") + QDir::toNativeSeparators(path) +
                          QStringLiteral("」には CP932 で書き戻せない文字があるため、上書きしません。");
        }
    } else {
        raws = SplitByteLines(bytes);
        texts.reserve(raws.size());
        for (const QByteArray& raw : raws)
            texts.append(Cp932Decode(raw));
    }
    QString section;
    m_lines.reserve(texts.size());
    for (qsizetype i = 0; i < texts.size(); ++i) {
        Line line;
        line.raw = raws[i];
        line.text = texts[i];
        const QString& text = line.text;
        const QString t = text.trimmed();
        if (t.startsWith(QLatin1Char('['))) {
            const qsizetype close = t.indexOf(QLatin1Char(']'));
            section = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed().toLower();
            line.section = section;
        } else {
            line.section = section;
            const qsizetype eq = text.indexOf(QLatin1Char('='));
            if (eq > 0 && !t.startsWith(QLatin1Char(';'))) {
                line.key = text.left(eq).trimmed().toLower();
                line.value = text.mid(eq + 1).trimmed();
            }
        }
        m_lines.append(line);
    }
    Reindex();
}

void ProfileIni::Reindex() {
    m_index.clear();
    m_sectionEnd.clear();
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line& l = m_lines[i];
        if (CountsForSectionEnd(l)) m_sectionEnd[l.section] = i + 1;
        if (!l.key.isEmpty()) {
            const QString k = IndexKey(l.section, l.key);
            if (!m_index.contains(k)) m_index.insert(k, i);  // the first of duplicate keys wins
        }
    }
}

qsizetype ProfileIni::Find(const QString& section, const QString& key) const {
    return m_index.value(IndexKey(section.trimmed().toLower(), key.trimmed().toLower()), -1);
}

QString ProfileIni::Read(const QString& section, const QString& key, const QString& defaultValue) const {
    const qsizetype i = Find(section, key);
    return i < 0 ? defaultValue : m_lines[i].value;
}

bool ProfileIni::Contains(const QString& section, const QString& key) const {
    return Find(section, key) >= 0;
}

void ProfileIni::Write(const QString& anySection, const QString& anyKey, const QString& anyValue) {
    const QString section = OneLine(anySection).trimmed();
    const QString key = OneLine(anyKey).trimmed();
    const QString value = OneLine(anyValue);
    const QString s = section.toLower();
    const QString k = key.toLower();
    const QString text = key + QLatin1Char('=') + value;
    const qsizetype i = Find(section, key);
    if (i >= 0) {
        if (m_lines[i].text == text) return;
        m_lines[i].text = text;
        m_lines[i].raw.clear();
        m_lines[i].value = value.trimmed();
        m_dirty = true;
        return;
    }
    Line line{text, QByteArray(), s, k, value.trimmed()};
    const auto end = m_sectionEnd.constFind(s);
    if (end == m_sectionEnd.constEnd()) {
        m_lines.append(
            Line{QLatin1Char('[') + section + QLatin1Char(']'), QByteArray(), s, QString(), QString()});
        m_sectionEnd.insert(s, m_lines.size());
        m_lines.append(line);
        m_sectionEnd[s] = m_lines.size();
        m_index.insert(IndexKey(s, k), m_lines.size() - 1);
    } else if (end.value() == m_lines.size()) {
        m_lines.append(line);
        m_sectionEnd[s] = m_lines.size();
        m_index.insert(IndexKey(s, k), m_lines.size() - 1);
    } else {
        // Saving the item lists inserts hundreds of keys: the index is moved, not rebuilt.
        const qsizetype at = end.value();
        m_lines.insert(at, line);
        ShiftIndex(at, 1);
        m_sectionEnd[s] = at + 1;
        m_index.insert(IndexKey(s, k), at);
    }
    m_dirty = true;
}

void ProfileIni::Delete(const QString& section, const QString& key) {
    const qsizetype i = Find(section, key);
    if (i < 0) return;
    const QString s = m_lines[i].section;
    const QString k = m_lines[i].key;
    m_lines.remove(i);
    m_index.remove(IndexKey(s, k));
    ShiftIndex(i, -1);
    // A later line with the same key now answers for it.
    for (qsizetype j = i; j < m_lines.size(); ++j) {
        if (m_lines[j].section == s && m_lines[j].key == k) {
            m_index.insert(IndexKey(s, k), j);
            break;
        }
    }
    qsizetype last = -1;
    for (qsizetype j = 0; j < m_lines.size(); ++j) {
        if (m_lines[j].section == s && CountsForSectionEnd(m_lines[j])) last = j;
    }
    if (last < 0)
        m_sectionEnd.remove(s);
    else
        m_sectionEnd[s] = last + 1;
    m_dirty = true;
}

void ProfileIni::ShiftIndex(qsizetype from, qsizetype delta) {
    for (auto it = m_index.begin(); it != m_index.end(); ++it) {
        if (it.value() >= from) it.value() += delta;
    }
    for (auto it = m_sectionEnd.begin(); it != m_sectionEnd.end(); ++it) {
        if (it.value() > from) it.value() += delta;
    }
}

bool ProfileIni::CountsForSectionEnd(const Line& l) {
    const bool header = l.key.isEmpty() && l.text.trimmed().startsWith(QLatin1Char('['));
    // Blank lines close a section visually but new keys go before them.
    if (!header && l.key.isEmpty() && l.text.trimmed().isEmpty()) return false;
    return !l.section.isEmpty() || header;
}

QByteArray ProfileIni::Bytes() const {
    QByteArray out;
    for (const Line& l : m_lines) {
        out += l.raw.isEmpty() ? Cp932Encode(l.text) : l.raw;
        out += "\r\n";
    }
    return out;
}

bool ProfileIni::Flush(QString* error) {
    if (!m_dirty && m_existed) return true;
    // Writing now would replace content that was never read.
    if (!m_readError.isEmpty()) {
        if (error) *error = m_readError;
        return false;
    }
    if (!WriteFileAtomically(m_path, Bytes(), error)) return false;
    m_dirty = false;
    m_existed = true;
    return true;
}

}  // namespace tovrel
