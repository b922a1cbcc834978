#include "base/profile_ini.h"

#include "base/cp932.h"
#include "base/file_io.h"

#include <QDir>
#include <QVarLengthArray>

namespace tovrel {

namespace {
char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

// Section and key names compare in lower case. Almost all of them are ASCII, lowered here in one
// allocation; the others go through QString::toLower.
QString LowerName(QStringView name) {
    name = name.trimmed();
    if (name.isEmpty()) return QString();
    QString lower(name.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(lower.data());
    for (const QChar ch : name) {
        const char16_t c = ch.unicode();
        if (c >= 0x80) return name.toString().toLower();
        *out++ = AsciiLower(c);
    }
    return lower;
}

bool IsTrimmedAscii(QStringView name, bool allowCapitals) {
    if (!name.isEmpty() && (name.front().isSpace() || name.back().isSpace())) return false;
    for (const QChar ch : name) {
        const char16_t c = ch.unicode();
        if (c >= 0x80 || (!allowCapitals && c >= u'A' && c <= u'Z')) return false;
    }
    return true;
}

// A name in lower case, without a copy when it is in lower case already.
QString LowerName(const QString& name) {
    return IsTrimmedAscii(name, false) ? name : LowerName(QStringView(name));
}

// Whether a trimmed ASCII name, in any case, is that lower-case name.
bool SameAsciiName(QStringView lowerName, QStringView name) {
    if (lowerName.size() != name.size()) return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (lowerName[i].unicode() != AsciiLower(name[i].unicode())) return false;
    }
    return true;
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
    if (!StartsWithByteOrderMark(bytes)) {
        m_raw = bytes;
        m_text = Cp932Decode(m_raw);
    } else {
        // Another encoding: every line is written back in CP932, so nothing may be lost by that.
        bool whole = true;
        m_text = DecodeDataText(bytes, &whole);
        if (!whole) {
            m_readError = QStringLiteral("ファイル「") + QDir::toNativeSeparators(path) +
                          QStringLiteral("」には CP932 で書き戻せない文字があるため、上書きしません。");
        }
    }
    qsizetype section = -1;
    ForEachLine(QStringView(m_text),
                [&](qsizetype from, qsizetype size) { AddReadLine(section, from, size); });
    Reindex();
}

void ProfileIni::AddReadLine(qsizetype& section, qsizetype textFrom, qsizetype textSize) {
    Line line;
    line.readIndex = m_lines.size();
    line.textFrom = textFrom;
    line.textSize = textSize;
    const QStringView text = TextOf(line);
    const QStringView t = text.trimmed();
    if (t.startsWith(QLatin1Char('['))) {
        const qsizetype close = t.indexOf(QLatin1Char(']'));
        section = SectionOf(LowerName(close < 0 ? t.mid(1) : t.mid(1, close - 1)));
    } else {
        if (section < 0) section = SectionOf(QString());
        const qsizetype eq = text.indexOf(QLatin1Char('='));
        if (eq > 0 && !t.startsWith(QLatin1Char(';'))) {
            // Most keys stand in lower case already: those refer to m_text rather than copy it.
            const QStringView key = text.left(eq).trimmed();
            line.key = IsTrimmedAscii(key, false) ? QString::fromRawData(key.constData(), key.size())
                                                  : LowerName(key);
            SetValue(line, eq + 1);
        }
    }
    line.section = section;
    m_lines.append(std::move(line));
}

QStringView ProfileIni::TextOf(const Line& l) const {
    return l.readIndex < 0 ? QStringView(l.text) : QStringView(m_text).sliced(l.textFrom, l.textSize);
}

void ProfileIni::SetValue(Line& l, qsizetype from) const {
    const QStringView text = TextOf(l);
    const QStringView value = text.sliced(from).trimmed();
    l.valueFrom = value.isEmpty() ? from : value.constData() - text.constData();
    l.valueSize = value.size();
}

void ProfileIni::Reindex() {
    QVarLengthArray<qsizetype, 16> keyCounts(m_sections.size(), 0);
    for (const Line& l : m_lines) {
        if (!l.key.isEmpty()) ++keyCounts[l.section];
    }
    for (qsizetype s = 0; s < m_sections.size(); ++s) {
        m_sections[s].keys.clear();
        m_sections[s].keys.reserve(keyCounts[s]);
        m_sections[s].end = -1;
    }
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (CountsForSectionEnd(m_lines[i])) m_sections[m_lines[i].section].end = i + 1;
    }
    // Backwards, so that the first of duplicate keys is inserted last and wins.
    for (qsizetype i = m_lines.size() - 1; i >= 0; --i) {
        const Line& l = m_lines[i];
        if (!l.key.isEmpty()) m_sections[l.section].keys.insert(l.key, i);
    }
}

qsizetype ProfileIni::FindSection(const QString& name) const {
    // The callers' section names are ASCII with capitals ("PrintSetting"): they are compared as
    // they are rather than copied in lower case.
    const bool ascii = IsTrimmedAscii(name, true);
    const QString lower = ascii ? QString() : LowerName(QStringView(name));
    for (qsizetype i = 0; i < m_sections.size(); ++i) {
        if (ascii ? SameAsciiName(m_sections[i].name, name) : m_sections[i].name == lower) return i;
    }
    return -1;
}

qsizetype ProfileIni::SectionOf(const QString& lowerName) {
    const qsizetype i = FindSection(lowerName);
    if (i >= 0) return i;
    m_sections.append(Section{lowerName, -1, {}});
    return m_sections.size() - 1;
}

qsizetype ProfileIni::Find(const QString& section, const QString& key) const {
    const qsizetype s = FindSection(section);
    return s < 0 ? -1 : m_sections[s].keys.value(LowerName(key), -1);
}

QString ProfileIni::Read(const QString& section, const QString& key, const QString& defaultValue) const {
    const qsizetype i = Find(section, key);
    return i < 0 ? defaultValue : ValueOf(m_lines[i]).toString();
}

QStringView ProfileIni::ReadView(const QString& section, const QString& key) const {
    const qsizetype i = Find(section, key);
    return i < 0 ? QStringView() : ValueOf(m_lines[i]);
}

bool ProfileIni::Contains(const QString& section, const QString& key) const {
    return Find(section, key) >= 0;
}

void ProfileIni::Write(const QString& anySection, const QString& anyKey, const QString& anyValue) {
    const QString section = OneLine(anySection).trimmed();
    const QString key = OneLine(anyKey).trimmed();
    const QString value = OneLine(anyValue);
    const QString k = LowerName(key);
    const QString text = key + QLatin1Char('=') + value;
    const qsizetype i = Find(section, key);
    if (i >= 0) {
        Line& l = m_lines[i];
        if (TextOf(l) == text) return;
        l.text = text;
        l.readIndex = -1;
        SetValue(l, key.size() + 1);
        m_dirty = true;
        return;
    }
    const qsizetype si = SectionOf(LowerName(section));
    Section& s = m_sections[si];
    Line line;
    line.text = text;
    line.key = k;
    line.section = si;
    SetValue(line, key.size() + 1);
    if (s.end < 0) {
        Line header;
        header.text = QLatin1Char('[') + section + QLatin1Char(']');
        header.section = si;
        m_lines.append(std::move(header));
        m_lines.append(std::move(line));
        s.end = m_lines.size();
        s.keys.insert(k, m_lines.size() - 1);
    } else if (s.end == m_lines.size()) {
        m_lines.append(std::move(line));
        s.end = m_lines.size();
        s.keys.insert(k, m_lines.size() - 1);
    } else {
        // Saving the item lists inserts hundreds of keys: the index is moved, not rebuilt.
        const qsizetype at = s.end;
        m_lines.insert(at, std::move(line));
        ShiftIndex(at, 1);
        s.end = at + 1;
        s.keys.insert(k, at);
    }
    m_dirty = true;
}

void ProfileIni::Delete(const QString& section, const QString& key) {
    const qsizetype i = Find(section, key);
    if (i < 0) return;
    const qsizetype si = m_lines[i].section;
    const QString k = m_lines[i].key;
    Section& s = m_sections[si];
    m_lines.remove(i);
    s.keys.remove(k);
    ShiftIndex(i, -1);
    // A later line with the same key now answers for it.
    for (qsizetype j = i; j < m_lines.size(); ++j) {
        if (m_lines[j].section == si && m_lines[j].key == k) {
            s.keys.insert(k, j);
            break;
        }
    }
    qsizetype last = -1;
    for (qsizetype j = 0; j < m_lines.size(); ++j) {
        if (m_lines[j].section == si && CountsForSectionEnd(m_lines[j])) last = j;
    }
    s.end = last < 0 ? -1 : last + 1;
    m_dirty = true;
}

void ProfileIni::ShiftIndex(qsizetype from, qsizetype delta) {
    for (Section& s : m_sections) {
        for (auto it = s.keys.begin(); it != s.keys.end(); ++it) {
            if (it.value() >= from) it.value() += delta;
        }
        if (s.end > from) s.end += delta;
    }
}

bool ProfileIni::CountsForSectionEnd(const Line& l) const {
    const QStringView t = TextOf(l).trimmed();
    const bool header = l.key.isEmpty() && t.startsWith(QLatin1Char('['));
    // Blank lines close a section visually but new keys go before them.
    if (!header && l.key.isEmpty() && t.isEmpty()) return false;
    return !m_sections[l.section].name.isEmpty() || header;
}

QByteArray ProfileIni::Bytes() const {
    QVector<QByteArrayView> raw;  // the lines of a CP932 file, as read
    ForEachLine(QByteArrayView(m_raw), [&](qsizetype from, qsizetype size) {
        raw.append(QByteArrayView(m_raw).sliced(from, size));
    });
    QByteArray out;
    out.reserve(m_raw.size() + m_lines.size() * 2);
    for (const Line& l : m_lines) {
        if (l.readIndex >= 0 && l.readIndex < raw.size())
            out += raw[l.readIndex];
        else
            Cp932Append(out, TextOf(l));
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
