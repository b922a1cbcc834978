#include "base/cp932.h"

#include <QStringDecoder>
#include <QStringView>

#include <array>
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

}  // namespace

QString Cp932Decode(const QByteArray& bytes) {
    if (bytes.isEmpty()) return QString();
    // Plain ASCII is the common case in the data files' structure; skip iconv for it.
    bool ascii = true;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) return QString::fromLatin1(bytes);

    Converter& conv = Decoder();
    if (!conv.valid()) return QString::fromLatin1(bytes);
    QByteArray utf8;
    utf8.reserve(bytes.size() * 3 / 2 + 8);
    QByteArray input = bytes;
    char* in = input.data();
    size_t inLeft = static_cast<size_t>(input.size());
    while (inLeft > 0) {
        conv.Convert(in, inLeft, utf8);
        if (inLeft == 0) break;
        // An undecodable byte: mark it and go on with the next one.
        utf8.append("\xEF\xBF\xBD");
        ++in;
        --inLeft;
    }
    return QString::fromUtf8(utf8);
}

QByteArray Cp932Encode(const QString& text) {
    if (text.isEmpty()) return QByteArray();
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) return text.toLatin1();

    Converter& conv = Encoder();
    QByteArray out;
    out.reserve(text.size() * 2);
    if (!conv.valid()) {
        for (QChar c : text)
            out.append(c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '?');
        return out;
    }
    QByteArray utf8 = text.toUtf8();
    char* in = utf8.data();
    size_t inLeft = static_cast<size_t>(utf8.size());
    while (inLeft > 0) {
        conv.Convert(in, inLeft, out);
        if (inLeft == 0) break;
        // Skip one whole UTF-8 character and write "?" in its place.
        out.append('?');
        size_t skip = 1;
        const unsigned char lead = static_cast<unsigned char>(*in);
        if (lead >= 0xF0)
            skip = 4;
        else if (lead >= 0xE0)
            skip = 3;
        else if (lead >= 0xC0)
            skip = 2;
        if (skip > inLeft) skip = inLeft;
        in += skip;
        inLeft -= skip;
    }
    return out;
}

bool Cp932CanEncode(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() >= 0x80) return Cp932Encode(text).count('?') == text.count(QLatin1Char('?'));
    }
    return true;
}

bool StartsWithByteOrderMark(const QByteArray& bytes) {
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xEF\xBB\xBF");
}

QString DecodeDataText(const QByteArray& bytes, bool* whole) {
    QString text;
    bool fromMark = true;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes.at(0) == '\xFF';
        const QByteArray body = bytes.mid(2);
        // An odd last byte is half a character: it reads as a replacement character.
        QStringDecoder decoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        text = decoder.decode(body);
        if (body.size() % 2 != 0 || decoder.hasError()) text += QChar(QChar::ReplacementCharacter);
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.mid(3));
    } else {
        fromMark = false;
        text = Cp932Decode(bytes);
    }
    if (whole) {
        *whole = !text.contains(QChar(QChar::ReplacementCharacter)) && (!fromMark || Cp932CanEncode(text));
    }
    return text;
}

int Cp932CharBytes(char32_t ch) {
    if (ch < 0x80) return 1;
    if (ch >= 0xFF61 && ch <= 0xFF9F) return 1;  // half-width katakana
    if (ch > 0xFFFF) return 1;                   // outside the BMP: written as "?"
    // Whether a BMP character encodes to two bytes is asked of iconv once and remembered.
    thread_local std::array<unsigned char, 0x10000> cache{};
    unsigned char& known = cache[ch];
    if (known == 0) {
        const QString one(QChar(static_cast<char16_t>(ch)));
        const QByteArray bytes = Cp932Encode(one);
        known = (bytes.size() == 2 && IsLeadByte(static_cast<unsigned char>(bytes[0]))) ? 2 : 1;
    }
    return known;
}

int Cp932Length(const QString& text) {
    int n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
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
