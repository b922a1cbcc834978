#include "base/text_utils.h"

#include "base/cp932.h"
#include "base/prompter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tovrel {

namespace {

const QChar kSpace = QLatin1Char(' ');

// Whether the text is a real number as the user may type it: sign, digits, one decimal point,
// optional exponent. No "inf", no "nan", no hexadecimal.
bool IsRealNumber(const QString& s) {
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) ++i;
    int digits = 0;
    while (i < n && s[i].isDigit() && s[i].unicode() < 0x80)
        ++i, ++digits;
    if (i < n && s[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && s[i].unicode() < 0x80 && s[i].isDigit())
            ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (s[i] == QLatin1Char('E') || s[i] == QLatin1Char('e'))) {
        ++i;
        if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) ++i;
        int expDigits = 0;
        while (i < n && s[i].unicode() < 0x80 && s[i].isDigit())
            ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == n;
}

long double Pow10(int decimals) {
    static constexpr long double small[] = {1.0L, 10.0L, 100.0L, 1000.0L, 10000.0L};
    if (decimals >= 0 && decimals < 5) return small[decimals];
    long double f = 1.0L;
    for (int i = 0; i < decimals; ++i)
        f *= 10.0L;
    return f;
}

// QStringView::trimmed, inline: the texts of numbers mostly have nothing to trim.
inline QStringView Trimmed(QStringView text) {
    const QChar* begin = text.begin();
    const QChar* end = text.end();
    while (begin < end && begin->isSpace())
        ++begin;
    while (end > begin && end[-1].isSpace())
        --end;
    return QStringView(begin, end);
}

QString InsertThousands(const QString& digits) {
    QString out;
    const qsizetype n = digits.size();
    out.reserve(n + n / 3);
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += QLatin1Char(',');
        out += digits[i];
    }
    return out;
}

}  // namespace

namespace {
// HalfWidthChar beyond ASCII.
char16_t HalfWidthWide(char16_t c) {
    char16_t r = 0;
    if (c >= 0xFF10 && c <= 0xFF19) {
        r = c - 0xFF10 + u'0';
    } else if (c >= 0xFF21 && c <= 0xFF3A) {
        r = c - 0xFF21 + u'A';
    } else if (c >= 0xFF41 && c <= 0xFF5A) {
        r = c - 0xFF41 + u'A';
    } else {
        switch (c) {
            case 0x3000:
                r = u' ';
                break;
            case 0xFF0C:
                r = u',';
                break;
            case 0xFF0E:
                r = u'.';
                break;
            case 0xFF1A:
                r = u':';
                break;
            case 0xFF1B:
                r = u';';
                break;
            case 0xFF1F:
                r = u'?';
                break;
            case 0xFF01:
                r = u'!';
                break;
            case 0xFF3E:
                r = u'^';
                break;
            case 0xFF0F:
                r = u'/';
                break;
            case 0xFF5E:
            case 0x301C:
                r = u'~';
                break;
            case 0xFF5C:
                r = u'|';
                break;
            case 0x2018:
            case 0x2019:
            case 0x2032:
                r = u'\'';
                break;
            case 0x201C:
            case 0x201D:
            case 0x2033:
                r = u'"';
                break;
            case 0xFF08:
                r = u'(';
                break;
            case 0xFF09:
                r = u')';
                break;
            case 0xFF3B:
                r = u'[';
                break;
            case 0xFF3D:
                r = u']';
                break;
            case 0xFF5B:
                r = u'{';
                break;
            case 0xFF5D:
                r = u'}';
                break;
            case 0xFF0B:
                r = u'+';
                break;
            case 0xFF0D:
            case 0x2212:
                r = u'-';
                break;
            case 0xFF1D:
                r = u'=';
                break;
            case 0xFF1C:
                r = u'<';
                break;
            case 0xFF1E:
                r = u'>';
                break;
            case 0xFFE5:
                r = u'\\';
                break;
            case 0xFF04:
                r = u'$';
                break;
            case 0xFF05:
                r = u'%';
                break;
            case 0xFF03:
                r = u'#';
                break;
            case 0xFF06:
                r = u'&';
                break;
            case 0xFF0A:
                r = u'*';
                break;
            case 0xFF20:
                r = u'@';
                break;
            default:
                break;
        }
    }
    return r != 0 ? r : c;
}

// The half-width form of one UTF-16 unit (the unit itself when it has none).
inline char16_t HalfWidthChar(char16_t c) {
    if (c < 0x80) return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c;
    return HalfWidthWide(c);
}

// The value of the digit HalfWidthChar(c) gives, above 9 when it gives none.
inline unsigned HalfWidthDigit(char16_t c) {
    const unsigned digit = unsigned(c) - u'0';
    return digit <= 9 || c < 0x80 ? digit : unsigned(HalfWidthWide(c)) - u'0';
}
}  // namespace

QString ToHalfWidth(const QString& text) {
    const qsizetype n = text.size();
    const QChar* p = text.constData();
    qsizetype i = 0;
    while (i < n && HalfWidthChar(p[i].unicode()) == p[i].unicode())
        ++i;
    if (i == n) return text;
    QString out = text;
    QChar* o = out.data();
    for (; i < n; ++i)
        o[i] = QChar(HalfWidthChar(o[i].unicode()));
    return out;
}

QString FormatInt(qint64 value, int width, const QString& pad) {
    // The digits are written from the right into a buffer that holds any qint64 with its sign, so
    // that the result is the one allocation.
    char16_t digits[20];
    char16_t* const end = digits + std::size(digits);
    char16_t* first = end;
    quint64 magnitude = value < 0 ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value);
    do {
        *--first = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *--first = u'-';
    const qsizetype size = end - first;
    if (width < 0) width = 0;
    if (size >= width) return QString(reinterpret_cast<const QChar*>(end - width), width);
    QString s(width, pad.isEmpty() ? kSpace : pad.at(0));
    std::copy(first, end, reinterpret_cast<char16_t*>(s.data()) + (width - size));
    return s;
}

QString TwoDigits(int value) {
    // Keys, months and days ask for these hundred texts all the time: they are static data, which
    // a QString refers to without allocating.
    static constexpr auto kTexts = [] {
        std::array<char16_t, 200> texts{};
        for (int i = 0; i < 100; ++i) {
            texts[2 * i] = static_cast<char16_t>(u'0' + i / 10);
            texts[2 * i + 1] = static_cast<char16_t>(u'0' + i % 10);
        }
        return texts;
    }();
    if (value < 0 || value > 99) return FormatInt(value, 2, QStringLiteral("0"));
    return QString::fromRawData(reinterpret_cast<const QChar*>(kTexts.data() + 2 * value), 2);
}

int ParseInt(QStringView text, int defaultValue) {
    const QStringView s = Trimmed(text);
    if (s.isEmpty()) return defaultValue;
    qsizetype i = 0;
    const char16_t first = HalfWidthChar(s[0].unicode());
    if (first == u'+' || first == u'-') i = 1;
    if (i >= s.size()) return defaultValue;
    qint64 v = 0;
    for (qsizetype j = i; j < s.size(); ++j) {
        const char16_t c = HalfWidthChar(s[j].unicode());
        if (c < u'0' || c > u'9') return defaultValue;
        // Beyond the 32-bit range the digits still have to be digits, but the value is lost anyway.
        if (v <= std::numeric_limits<int>::max()) v = v * 10 + (c - u'0');
    }
    if (first == u'-') v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return defaultValue;
    return static_cast<int>(v);
}

double RoundHalfAway(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    if (decimals < 0) decimals = 0;
    const long double f = Pow10(decimals);
    const long double scaled = static_cast<long double>(value) * f;
    if (std::fabs(scaled) > 9.0e18L) return value;
    return static_cast<double>(roundl(scaled) / f);
}

QString FormatFixed(int width, int decimals, double value) {
    if (!std::isfinite(value)) return QString();
    if (decimals < 0) decimals = 0;
    double rounded = RoundHalfAway(value, decimals);
    if (rounded == 0.0) rounded = 0.0;  // no "-0.00"
    QString s = QString::number(rounded, 'f', decimals);
    if (width > 0 && s.size() < width) s = QString(width - s.size(), kSpace) + s;
    return s;
}

namespace {
// Plain decimal texts ("  1,234.5") are read without a general conversion: every number of every
// record goes through here when a log is read or lists are totalled. Gives false for anything it
// does not handle.
bool ReadPlainDecimal(QStringView text, int decimals, double* value) {
    if (decimals < 0 || decimals > 4) return false;
    const char16_t* begin = text.utf16();
    const char16_t* end = begin + text.size();
    while (begin < end && *begin == u' ')
        ++begin;
    while (end > begin && end[-1] == u' ')
        --end;
    bool negative = false;
    if (begin < end && (*begin == u'-' || *begin == u'+')) {
        negative = *begin == u'-';
        ++begin;
    }
    int digits = 0;
    int intDigits = -1;  // the digits before the decimal point, once it has been seen
    quint64 scaled = 0;  // wraps only beyond 19 digits, which are refused below
    for (; begin < end; ++begin) {
        const unsigned digit = unsigned(*begin) - u'0';
        if (digit <= 9) {
            scaled = scaled * 10 + digit;
            ++digits;
        } else if (*begin == u'.' && intDigits < 0) {
            intDigits = digits;
        } else if (*begin != u',') {
            return false;
        }
    }
    if (digits == 0 || digits > 15) return false;
    const int fractionDigits = intDigits < 0 ? 0 : digits - intDigits;
    if (fractionDigits > decimals) return false;
    for (int k = fractionDigits; k < decimals; ++k)
        scaled *= 10;
    // The same arithmetic as RoundHalfAway applies to the converted value.
    const double v = static_cast<double>(static_cast<long double>(scaled) / Pow10(decimals));
    *value = negative ? -v : v;
    return true;
}

// The general conversion, for the texts ReadPlainDecimal does not handle.
bool ReadConvertedNumber(QStringView text, int decimals, double* value) {
    const QString s = StripGrouping(ToHalfWidth(text.toString()));
    if (!IsRealNumber(s)) return false;
    bool ok = false;
    const double parsed = s.toDouble(&ok);
    if (!ok || !std::isfinite(parsed)) return false;
    *value = RoundHalfAway(parsed, decimals);
    return true;
}
}  // namespace

bool ReadNumber(QStringView text, int decimals, double* value) {
    if (text.isEmpty()) return false;
    return ReadPlainDecimal(text, decimals, value) || ReadConvertedNumber(text, decimals, value);
}

double ParseNumber(QStringView text, int decimals, double defaultValue) {
    double value = 0;
    return ReadNumber(text, decimals, &value) ? value : RoundHalfAway(defaultValue, decimals);
}

bool IsNumberText(QStringView text) {
    double value = 0;
    return ReadNumber(text, 2, &value);
}

bool IsPlainDecimal(const QString& text) {
    const QString s = StripGrouping(ToHalfWidth(text));
    return IsRealNumber(s) && !s.contains(QLatin1Char('E'));
}

double RoundFraction(int mode, int decimals, double value) {
    const long double factor = Pow10(decimals < 0 ? 0 : decimals);
    long double y = static_cast<long double>(value) * factor;
    // Products such as 40 x 118.125 land a hair beside a whole number in binary; settle them
    // first so that truncation and rounding up act on the decimal value.
    if (std::fabs(y) < 1.0e12L) y = roundl(y * 1.0e6L) / 1.0e6L;
    switch (mode) {
        case 0:
            y = truncl(y);
            break;
        case 1:
            y = y >= 0 ? truncl(y + 0.5L) : truncl(y - 0.5L);
            break;
        case 2:
            y = y >= 0 ? ceill(y) : -ceill(-y);
            break;
        default:
            break;
    }
    return static_cast<double>(y / factor);
}

namespace {
// The comma-separated item that starts at start, which then moves to the next one (past the text's
// end after the last item).
QStringView NextCommaItem(QStringView text, qsizetype& start) {
    const qsizetype from = start;
    const qsizetype end = text.indexOf(QLatin1Char(','), from);
    start = end < 0 ? text.size() + 1 : end + 1;
    return end < 0 ? text.sliced(from) : text.sliced(from, end - from);
}
}  // namespace

QString CommaItem(const QString& text, int n) {
    qsizetype start = 0;
    for (int k = 1; k < n; ++k) {
        NextCommaItem(text, start);
        if (start > text.size()) return QString();
    }
    return NextCommaItem(text, start).toString();
}

void CommaItems(QStringView text, std::span<QString> items) {
    qsizetype start = 0;
    for (QString& item : items)
        item = start > text.size() ? QString() : NextCommaItem(text, start).toString();
}

QString StripDefaultMark(const QString& text) {
    return text.startsWith(QLatin1Char('*')) ? text.mid(1) : text;
}

QString ReplaceAll(const QString& text, const QString& find, const QString& replacement) {
    if (find.isEmpty() || replacement.contains(find)) {
        QString copy = text;
        return find.isEmpty() ? copy : copy.replace(find, replacement);
    }
    QString s = text;
    qsizetype pos = s.indexOf(find);
    while (pos >= 0) {
        s.replace(pos, find.size(), replacement);
        pos = s.indexOf(find);
    }
    return s;
}

QString StripGrouping(const QString& text) {
    QString s = text.trimmed();
    s.remove(QLatin1Char(','));
    return s;
}

bool IsPlainHalfWidth(QStringView text) {
    if (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace())) return false;
    for (QChar c : text) {
        if (c == QLatin1Char(',') || HalfWidthChar(c.unicode()) != c.unicode()) return false;
    }
    return true;
}

QString GroupDigits(QStringView text, int width) {
    // The integer part runs to the first "." and loses the blanks at its ends (before or after the
    // half-width step is the same: it only turns a space into a space). One pass takes it apart.
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    while (p < end && QChar::isSpace(*p))
        ++p;
    bool sign = false;
    bool negative = false;
    if (p < end && (HalfWidthChar(*p) == u'-' || HalfWidthChar(*p) == u'+')) {
        sign = true;
        negative = HalfWidthChar(*p) == u'-';
        ++p;
    }
    const char16_t* const digitsBegin = p;
    while (p < end && HalfWidthDigit(*p) <= 9)
        ++p;
    const char16_t* const digitsEnd = p;
    while (p < end && QChar::isSpace(*p))
        ++p;
    const char16_t* dot = p;
    while (dot < end && *dot != u'.')
        ++dot;
    const QStringView fraction(dot, end);
    // An integer of any length keeps its digits (an odometer beyond 32 bits must not become 0). A sign
    // alone before the fraction ("-.5") stands for a zero integer part.
    const bool valid = p == dot && (digitsBegin < digitsEnd || (sign && fraction.size() > 1));
    if (!valid) return PadLeft(QStringLiteral("0").append(fraction), width);
    // Leading zeros go; a zero integer part stays as one "0".
    const char16_t* i = digitsBegin;
    while (i + 1 < digitsEnd && HalfWidthDigit(*i) == 0)
        ++i;
    const std::size_t digits = std::max<std::size_t>(digitsEnd - i, 1);
    const bool zero = i == digitsEnd || (digits == 1 && HalfWidthDigit(*i) == 0);
    // "-0.5" keeps its sign; only a zero without a fraction above zero loses it.
    if (negative && zero) {
        bool fractionZero = true;
        for (qsizetype j = 1; j < fraction.size() && fractionZero; ++j)
            fractionZero = fraction[j] == QLatin1Char('0') || !fraction[j].isDigit();
        negative = !fractionZero;
    }

    const qsizetype grouped = (negative ? 1 : 0) + qsizetype(digits + (digits - 1) / 3);
    const qsizetype padding = std::max<qsizetype>(0, width - grouped - Cp932Length(fraction));
    QString out(padding + grouped + fraction.size(), Qt::Uninitialized);
    char16_t* o = std::fill_n(reinterpret_cast<char16_t*>(out.data()), padding, u' ');
    if (negative) *o++ = u'-';
    if (i == digitsEnd) *o++ = u'0';
    std::size_t beforeComma = (digits - 1) % 3 + 1;
    for (; i < digitsEnd; ++i) {
        *o++ = char16_t(u'0' + HalfWidthDigit(*i));
        if (--beforeComma == 0 && i + 1 < digitsEnd) {
            *o++ = u',';
            beforeComma = 3;
        }
    }
    std::copy(dot, end, o);
    return out;
}

QString FormatGrouped(double value, int decimals) {
    QString s = FormatFixed(0, decimals, value);
    if (s.isEmpty()) return s;
    const bool negative = s.startsWith(QLatin1Char('-'));
    if (negative) s.remove(0, 1);
    const qsizetype dot = s.indexOf(QLatin1Char('.'));
    const QString intPart = dot < 0 ? s : s.left(dot);
    const QString fraction = dot < 0 ? QString() : s.mid(dot);
    return (negative ? QStringLiteral("-") : QString()) + InsertThousands(intPart) + fraction;
}

QString PadLeft(const QString& text, int width) {
    const int missing = width - Cp932Length(text);
    if (missing <= 0) return text;
    QString out(missing + text.size(), Qt::Uninitialized);
    std::fill_n(out.data(), missing, kSpace);
    std::copy(text.cbegin(), text.cend(), out.data() + missing);
    return out;
}

// A double-byte character that the cut would halve is left out and its byte padded, so the
// result always fills the width.
QString AlignRight(const QString& text, int width) {
    const QString cut = Cp932Length(text) > width ? Cp932Right(text, width) : text;
    return QString(std::max(0, width - Cp932Length(cut)), kSpace) + cut;
}

QString AlignLeft(const QString& text, int width) {
    const QString cut = Cp932Length(text) > width ? Cp932Left(text, width) : text;
    return cut + QString(std::max(0, width - Cp932Length(cut)), kSpace);
}

int DayNumber(const QDate& date) {
    static const qint64 base = QDate(1899, 12, 30).toJulianDay();
    if (!date.isValid()) return 0;
    return static_cast<int>(date.toJulianDay() - base);
}

QDate DateFromDayNumber(double dayNumber) {
    static const qint64 base = QDate(1899, 12, 30).toJulianDay();
    if (!std::isfinite(dayNumber) || std::fabs(dayNumber) > 3.0e6) return QDate();
    return QDate::fromJulianDay(base + static_cast<qint64>(std::floor(dayNumber)));
}

QString DateToText(const QDate& date) {
    if (!date.isValid()) return QString();
    return FormatInt(date.year(), 4, QStringLiteral("0")) + QLatin1Char('/') + TwoDigits(date.month()) +
           QLatin1Char('/') + TwoDigits(date.day());
}

QDate TextToDate(const QString& text) {
    const int year = ParseInt(text.mid(0, 4), 2000);
    const int month = ParseInt(text.mid(5, 2), 1);
    const int day = ParseInt(text.mid(8, 2), 1);
    return QDate(year, month, day);  // invalid for an impossible date
}

int ParseDateStrict(const QString& text) {
    const QString normal = NormalizeDate(text);
    if (!normal.isEmpty()) return DayNumber(TextToDate(normal));
    ShowError(QStringLiteral("日付ｴﾗｰ"),
              QStringLiteral("正しくない日付を検出しました。 <") + text + QLatin1Char('>'));
    return 0;
}

int ParseHourMinutes(const QString& text) {
    QString s = ToHalfWidth(text.trimmed());
    s.replace(QLatin1Char('.'), QLatin1Char(':'));
    const bool negative = s.contains(QLatin1Char('-'));
    s.remove(QLatin1Char('-'));
    int hours = 0;
    int minutes = 0;
    const qsizetype colon = s.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        hours = ParseInt(s.left(colon), 0);
        minutes = ParseInt(s.mid(colon + 1, 2), 0);
    } else if (s.size() < 3) {
        hours = ParseInt(s, 0);
    } else {
        minutes = ParseInt(s.right(2), 0);
        hours = ParseInt(s.left(s.size() - 2), 0);
    }
    const qint64 total = static_cast<qint64>(std::abs(hours)) * 60 + std::abs(minutes);
    const int clamped =
        total > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : static_cast<int>(total);
    return negative ? -clamped : clamped;
}

QString FormatHourMinutes(int minutes, int width, bool showZero) {
    if (minutes == 0 && !showZero) return QString();
    const qint64 magnitude = minutes < 0 ? -static_cast<qint64>(minutes) : minutes;
    QString hours = QString::number(magnitude / 60);
    if (hours.size() < width) hours = QString(width - hours.size(), kSpace) + hours;
    QString s = hours + QLatin1Char(':') + TwoDigits(magnitude % 60);
    if (minutes < 0) {
        const qsizetype space = s.lastIndexOf(kSpace);
        if (space >= 0)
            s[space] = QLatin1Char('-');
        else
            s.prepend(QLatin1Char('-'));
    }
    return s;
}

QString NormalizeDate(const QString& text, int* year, int* month, int* day) {
    const QString s = text.trimmed();
    const qsizetype first = s.indexOf(QLatin1Char('/'));
    const qsizetype second = first < 0 ? -1 : s.indexOf(QLatin1Char('/'), first + 1);
    int y = 0, m = 0, d = 0;
    if (first >= 0) y = ParseInt(s.left(first).left(4), 0);
    if (second >= 0) {
        m = ParseInt(s.mid(first + 1, second - first - 1).left(2), 0);
        d = ParseInt(s.mid(second + 1).left(2), 0);
    }
    if (year) *year = y;
    if (month) *month = m;
    if (day) *day = d;
    if (second < 0 || y < 1000 || !QDate::isValid(y, m, d)) return QString();
    return DateToText(QDate(y, m, d));
}

QString NormalizeTime(const QString& text) {
    if (text == QStringLiteral("  :  ")) return text;
    const QString s = text.trimmed();
    const qsizetype colon = s.indexOf(QLatin1Char(':'));
    if (colon < 0) return QString();
    const int hours = ParseInt(s.left(colon).left(2), 0);
    const int minutes = ParseInt(s.mid(colon + 1), 0);
    if (hours < 0 || minutes < 0 || hours > 24 || minutes >= 60) return QString();
    return TwoDigits(hours) + QLatin1Char(':') + TwoDigits(minutes);
}

QString WeekdayText(int year, int month, int day) {
    if (!QDate::isValid(year, month, day)) return QStringLiteral("？");
    static const QString names[] = {QStringLiteral("月"), QStringLiteral("火"), QStringLiteral("水"),
                                    QStringLiteral("木"), QStringLiteral("金"), QStringLiteral("土"),
                                    QStringLiteral("日")};
    return names[QDate(year, month, day).dayOfWeek() - 1];
}

}  // namespace tovrel
