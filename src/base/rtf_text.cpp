#include "base/rtf_text.h"

#include "base/cp932.h"

#include <QByteArrayView>

#include <algorithm>
#include <vector>

namespace tovrel {

namespace {

// Destinations that hold no document text, each between spaces.
const char kSkippedDestinations[] =
    " author buptim colorschememapping colortbl comment company creatim datastore doccomm "
    " filetbl fldinst fonttbl footer footerf footerl footerr footnote generator header headerf "
    " headerl headerr info keywords latentstyles listoverridetable listtable listtext "
    " nonshppict object objdata operator pgdsctbl pict pntext pntxta pntxtb printim revtbl "
    " revtim rsidtbl shppict stylesheet subject template themedata title userprops xmlnstbl ";

struct SpecialWord {
    const char* word;
    char16_t text;
};

// Control words that stand for a character. Dashes, bullets and wide spaces become characters that
// code page 932 can store.
const SpecialWord kSpecialWords[] = {
    {"par", u'\n'},        {"line", u'\n'},       {"sect", u'\n'},          {"page", u'\n'},
    {"row", u'\n'},        {"nestrow", u'\n'},    {"tab", u'\t'},           {"cell", u'\t'},
    {"nestcell", u'\t'},   {"emdash", u'\u2015'}, {"endash", u'-'},         {"bullet", u'\u30FB'},
    {"lquote", u'\u2018'}, {"rquote", u'\u2019'}, {"ldblquote", u'\u201C'}, {"rdblquote", u'\u201D'},
    {"emspace", u' '},     {"enspace", u' '},     {"qmspace", u' '},
};

constexpr qint64 kParamLimit = 1'000'000'000;

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class RtfReader {
public:
    explicit RtfReader(const QByteArray& rtf) : m_data(rtf) {}

    QString Read() {
        const qsizetype n = m_data.size();
        qsizetype i = 0;
        while (i < n) {
            const char c = m_data[i];
            if (c == '{') {
                m_stack.push_back(m_group);
                m_skipChars = 0;
                ++i;
            } else if (c == '}') {
                m_skipChars = 0;
                ++i;
                if (m_stack.empty()) continue;  // a stray closing brace
                m_group = m_stack.back();
                m_stack.pop_back();
                if (m_stack.empty()) break;  // the document ends with its outer group
            } else if (c == '\\') {
                i = Control(i + 1);
            } else {
                ++i;
                // Line ends in the file are only there to keep its lines short.
                if (c != '\r' && c != '\n' && c != '\0') Byte(static_cast<char>(c));
            }
        }
        if (!m_bytes.isEmpty()) {
            QString tail = Cp932Decode(m_bytes);
            // A file cut after the first byte of a double-byte character.
            if (tail.endsWith(QChar(QChar::ReplacementCharacter)) && IsLeadByte(m_bytes.back())) tail.chop(1);
            m_text += tail;
        }
        if (m_text.endsWith(QLatin1Char('\n'))) m_text.chop(1);
        return m_text;
    }

private:
    struct Group {
        bool skip = false;
        qint64 uc = 1;  // fallback characters that follow each \uN
    };

    bool Writing() const { return !m_stack.empty() && !m_group.skip; }

    // One character of the document: a byte of code page 932 text, kept until a whole run is decoded.
    void Byte(char b) {
        if (m_skipChars > 0) {
            --m_skipChars;
            return;
        }
        if (Writing()) m_bytes.append(b);
    }

    void Unit(char16_t unit) {
        if (!Writing()) return;
        Flush();
        m_text.append(QChar(unit));
    }

    void Flush() {
        if (m_bytes.isEmpty()) return;
        m_text += Cp932Decode(m_bytes);
        m_bytes.clear();
    }

    // Reads the control word or symbol after a backslash at i; returns the position after it.
    qsizetype Control(qsizetype i) {
        const qsizetype n = m_data.size();
        if (i >= n) return n;
        const char c = m_data[i];
        if (IsLetter(c)) {
            qsizetype end = i;
            while (end < n && IsLetter(m_data[end]))
                ++end;
            const QByteArrayView word(m_data.constData() + i, end - i);
            qsizetype p = end;
            bool negative = false;
            if (p + 1 < n && m_data[p] == '-' && IsDigit(m_data[p + 1])) {
                negative = true;
                ++p;
            }
            bool hasParam = false;
            qint64 param = 0;
            while (p < n && IsDigit(m_data[p])) {
                hasParam = true;
                param = std::min(kParamLimit, param * 10 + (m_data[p] - '0'));
                ++p;
            }
            if (p >= n) return n;  // cut off: the word may not be whole
            if (m_data[p] == ' ') ++p;
            return Word(word, hasParam, negative ? -param : param, p);
        }
        switch (c) {
            case '\'': {
                if (i + 2 >= n) return n;  // cut off
                if (HexValue(m_data[i + 1]) >= 0 && HexValue(m_data[i + 2]) >= 0) {
                    Byte(static_cast<char>(HexValue(m_data[i + 1]) * 16 + HexValue(m_data[i + 2])));
                    return i + 3;
                }
                return i + 1;  // a damaged escape: what follows is read as text
            }
            case '\\':
            case '{':
            case '}':
                Byte(c);
                return i + 1;
            case '*':
                m_group.skip = true;
                return i + 1;
            case '\r':
            case '\n':
                Symbol(u'\n');
                return i + 1;
            case '~':
                Symbol(u' ');
                return i + 1;
            case '_':
                Symbol(u'-');
                return i + 1;
            default:  // optional hyphen, index marks and symbols that print nothing
                Symbol(0);
                return i + 1;
        }
    }

    // A control that stands for one character (0: for none); it is a fallback character itself
    // when one is due to be skipped.
    void Symbol(char16_t unit) {
        if (m_skipChars > 0) {
            --m_skipChars;
            return;
        }
        if (unit != 0) Unit(unit);
    }

    qsizetype Word(QByteArrayView word, bool hasParam, qint64 param, qsizetype pos) {
        if (word == "bin") {
            if (m_skipChars > 0) --m_skipChars;
            return std::min(m_data.size(), pos + std::max<qint64>(0, param));
        }
        if (m_skipChars > 0) {
            --m_skipChars;
            return pos;
        }
        if (word == "u") {
            const qint64 value = param < 0 ? param + 65536 : param;
            if (value >= 0 && value <= 0xFFFF) Unit(static_cast<char16_t>(value));
            m_skipChars = m_group.uc;
            return pos;
        }
        if (word == "uc") {
            m_group.uc = hasParam ? std::max<qint64>(0, param) : 1;
            return pos;
        }
        if (QByteArrayView(kSkippedDestinations).contains(' ' + word.toByteArray() + ' ')) {
            m_group.skip = true;
            return pos;
        }
        for (const SpecialWord& special : kSpecialWords) {
            if (word == special.word) {
                Unit(special.text);
                return pos;
            }
        }
        return pos;
    }

    const QByteArray& m_data;
    std::vector<Group> m_stack;  // the states of the enclosing groups
    Group m_group;
    qint64 m_skipChars = 0;
    QByteArray m_bytes;
    QString m_text;
};

}  // namespace

QString RtfPlainText(const QByteArray& rtf) {
    return RtfReader(rtf).Read();
}

}  // namespace tovrel
