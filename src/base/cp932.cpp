#include "base/cp932.h"

#include <QStringDecoder>
#include <QStringView>

#include <array>
#include <atomic>
#include <cerrno>
#include <iconv.h>

namespace tovrel {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(m_handle);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns the bytes written and advances in/inLeft. Stops at
    // the first sequence that cannot be converted (errno EILSEQ or EINVAL).
    size_t Convert(char*& in, size_t& inLeft, QByteArray& out) {
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        size_t total = 0;
        while (inLeft > 0) {
            const size_t room = inLeft * 4 + 16;
            const qsizetype start = out.size();
            out.resize(start + static_cast<qsizetype>(room));
            char* outPtr = out.data() + start;
            size_t outLeft = room;
            const size_t rc = iconv(m_handle, &in, &inLeft, &outPtr, &outLeft);
            const size_t written = room - outLeft;
            out.resize(start + static_cast<qsizetype>(written));
            total += written;
            if (rc != static_cast<size_t>(-1)) break;
            if (errno != E2BIG) break;
        }
        return total;
    }

private:
    iconv_t m_handle;
};

Converter& Decoder() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

Converter& Encoder() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// iconv's answer for a few bytes: the characters it gives, how many bytes it took before it stopped
// and, when it stopped early, why (EINVAL: the bytes end inside a character).
QString IconvDecode(const char* bytes, size_t size, size_t* used, int* stopReason) {
    Converter& conv = Decoder();
    QByteArray utf8;
    char* in = const_cast<char*>(bytes);
    size_t inLeft = size;
    errno = 0;
    if (conv.valid()) conv.Convert(in, inLeft, utf8);
    *stopReason = inLeft == 0 ? 0 : errno;
    *used = size - inLeft;
    return QString::fromUtf8(utf8);
}

// What iconv makes of each byte and byte pair, asked once per byte value and pair and remembered:
// a file of two thousand records holds a few dozen different characters.
constexpr char32_t kUnknown = 0;
constexpr char32_t kLead = 0x110000;     // the first byte of a pair
constexpr char32_t kNoChar = 0x110001;   // no character on its own, and no lead byte
constexpr char16_t kPairUnknown = 0;
constexpr char16_t kNoPair = 0xFFFF;

// Shared by all threads: two threads learning the same entry store the same value. Zero-filled
// static tables rather than thread-local ones, which every start would clear page by page.
constinit std::array<std::atomic<char32_t>, 256> g_singleBytes{};
constinit std::array<std::atomic<char16_t>, 0x10000> g_bytePairs{};

template <typename T>
T Load(const std::atomic<T>& entry) {
    return entry.load(std::memory_order_relaxed);
}

Q_NEVER_INLINE char32_t LearnSingleByte(unsigned char b) {
    const char byte = static_cast<char>(b);
    size_t used = 0;
    int stopReason = 0;
    const QString one = IconvDecode(&byte, 1, &used, &stopReason);
    char32_t entry = kNoChar;
    if (used == 1 && one.size() == 1)
        entry = one[0].unicode() + 1;  // + 1: byte 0 is a character too
    else if (used == 0 && stopReason == EINVAL)
        entry = kLead;
    g_singleBytes[b].store(entry, std::memory_order_relaxed);
    return entry;
}

Q_NEVER_INLINE char16_t LearnBytePair(unsigned char lead, unsigned char trail) {
    const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    size_t used = 0;
    int stopReason = 0;
    const QString one = IconvDecode(pair, 2, &used, &stopReason);
    const char16_t entry =
        used == 2 && one.size() == 1 && one[0].unicode() != kNoPair ? one[0].unicode() : kNoPair;
    g_bytePairs[(lead << 8) | trail].store(entry, std::memory_order_relaxed);
    return entry;
}

// The character of a byte, kLead or kNoChar.
inline char32_t SingleByte(unsigned char b) {
    char32_t entry = Load(g_singleBytes[b]);
    if (Q_UNLIKELY(entry == kUnknown)) entry = LearnSingleByte(b);
    return entry == kLead || entry == kNoChar ? entry : entry - 1;
}

// The character of a lead and a trail byte, kNoPair when they are none.
inline char16_t BytePair(unsigned char lead, unsigned char trail) {
    const char16_t entry = Load(g_bytePairs[(lead << 8) | trail]);
    return Q_LIKELY(entry != kPairUnknown) ? entry : LearnBytePair(lead, trail);
}

constinit std::array<std::atomic<quint16>, 0x10000> g_units{};

Q_NEVER_INLINE quint16 LearnUnit(char16_t c) {
    Converter& conv = Encoder();
    QByteArray out;
    QByteArray utf8 = QString(QChar(c)).toUtf8();
    char* in = utf8.data();
    size_t inLeft = static_cast<size_t>(utf8.size());
    if (conv.valid()) conv.Convert(in, inLeft, out);
    const auto byte = [&out](int i) { return static_cast<unsigned char>(out[i]); };
    quint16 entry = '?';
    if (inLeft == 0 && out.size() == 1)
        entry = byte(0);
    else if (inLeft == 0 && out.size() == 2)
        entry = static_cast<quint16>((byte(0) << 8) | byte(1));
    g_units[c].store(entry, std::memory_order_relaxed);
    return entry;
}

// The code page 932 bytes of one UTF-16 unit (not a surrogate): one byte below 0x100, a lead and a
// trail byte from 0x8140 on, and "?" when code page 932 has no code for it.
inline quint16 EncodeUnit(char16_t c) {
    if (c < 0x80) return c;
    const quint16 entry = Load(g_units[c]);
    return Q_LIKELY(entry != 0) ? entry : LearnUnit(c);
}

}  // namespace

// Byte by byte as iconv reads the stream: a byte it cannot read becomes U+FFFD and reading goes on
// with the next byte.
QString Cp932Decode(const QByteArray& bytes, bool* whole) {
    if (whole) *whole = true;
    if (bytes.isEmpty()) return QString();
    QString text(bytes.size(), Qt::Uninitialized);
    text.truncate(Cp932DecodeTo(bytes, reinterpret_cast<char16_t*>(text.data()), whole));
    return text;
}

qsizetype Cp932DecodeTo(QByteArrayView bytes, char16_t* out, bool* whole) {
    bool replaced = false;
    char16_t* const begin = out;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        while (i < n && p[i] < 0x80)
            *out++ = p[i++];
        if (i == n) break;
        const unsigned char b = p[i];
        const char32_t single = SingleByte(b);
        if (single == kLead && i + 1 < n) {
            const char16_t pair = BytePair(b, p[i + 1]);
            if (pair != kNoPair) {
                *out++ = pair;
                i += 2;
                continue;
            }
        }
        const bool unreadable = single == kLead || single == kNoChar;
        replaced = replaced || unreadable;
        *out++ = unreadable ? char16_t(QChar::ReplacementCharacter) : static_cast<char16_t>(single);
        ++i;
    }
    if (whole) *whole = !replaced;
    return out - begin;
}

char* Cp932Write(char* o, QStringView text) {
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (c < 0x80) {
            *o++ = static_cast<char>(c);
            continue;
        }
        if (QChar::isSurrogate(c)) {
            // Code page 932 has nothing outside the BMP: one "?" for the pair, or for a lone half.
            if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(p[i + 1])) ++i;
            *o++ = '?';
            continue;
        }
        const quint16 code = EncodeUnit(c);
        if (code >= 0x100) *o++ = static_cast<char>(code >> 8);
        *o++ = static_cast<char>(code & 0xFF);
    }
    return o;
}

void Cp932Append(QByteArray& out, QStringView text) {
    const qsizetype start = out.size();
    out.resize(start + text.size() * 2);
    char* const begin = out.data();
    out.resize(Cp932Write(begin + start, text) - begin);
}

QByteArray Cp932Encode(const QString& text) {
    QByteArray out;
    Cp932Append(out, text);
    return out;
}

bool Cp932CanEncode(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() >= 0x80 && (c.isSurrogate() || EncodeUnit(c.unicode()) == '?')) return false;
    }
    return true;
}

bool StartsWithByteOrderMark(const QByteArray& bytes) {
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xEF\xBB\xBF");
}

QString DecodeDataText(const QByteArray& bytes, bool* whole) {
    if (!StartsWithByteOrderMark(bytes)) return Cp932Decode(bytes, whole);
    QString text;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes.at(0) == '\xFF';
        const QByteArray body = bytes.mid(2);
        // An odd last byte is half a character: it reads as a replacement character.
        QStringDecoder decoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        text = decoder.decode(body);
        if (body.size() % 2 != 0 || decoder.hasError()) text += QChar(QChar::ReplacementCharacter);
    } else {
        text = QString::fromUtf8(bytes.mid(3));
    }
    if (whole) *whole = !text.contains(QChar(QChar::ReplacementCharacter)) && Cp932CanEncode(text);
    return text;
}

int Cp932CharBytes(char32_t ch) {
    if (ch < 0x80) return 1;
    if (ch >= 0xFF61 && ch <= 0xFF9F) return 1;  // half-width katakana
    if (ch > 0xFFFF) return 1;                   // outside the BMP: written as "?"
    if (QChar::isSurrogate(ch)) return 1;
    const quint16 code = EncodeUnit(static_cast<char16_t>(ch));
    return code >= 0x100 && IsLeadByte(static_cast<unsigned char>(code >> 8)) ? 2 : 1;
}

int Cp932Length(QStringView text) {
    int n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {  // most of every text; no look-up
            ++n;
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            n += 1;
            continue;
        }
        n += Cp932CharBytes(c.unicode());
    }
    return n;
}

namespace {
// Width in bytes and length in UTF-16 units of the character starting at i.
std::pair<int, int> CharAt(const QString& text, qsizetype i) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) return {1, 2};
    return {Cp932CharBytes(c.unicode()), 1};
}
}  // namespace

QString Cp932Left(const QString& text, int bytes) {
    if (bytes <= 0) return QString();
    int used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const auto [w, len] = CharAt(text, i);
        if (used + w > bytes) break;
        used += w;
        i += len;
    }
    return text.left(i);
}

QString Cp932Right(const QString& text, int bytes) {
    if (bytes <= 0) return QString();
    const int total = Cp932Length(text);
    if (total <= bytes) return text;
    // Drop characters from the front until the rest fits.
    int drop = total - bytes;
    qsizetype i = 0;
    while (i < text.size() && drop > 0) {
        const auto [w, len] = CharAt(text, i);
        drop -= w;
        i += len;
    }
    return text.mid(i);
}

}  // namespace tovrel
