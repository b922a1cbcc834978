// CP932 and the text and number helpers from any bytes: no crash, and the promises each one makes.
#include "base/cp932.h"
#include "base/text_utils.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace tovrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (fuzz::SetUp(), true);
    (void)ready;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    bool whole = false;
    DecodeDataText(bytes, &whole);
    const QString text = Cp932Decode(bytes);
    TOVREL_FUZZ_CHECK(!whole || !text.contains(QChar(QChar::ReplacementCharacter)) ||
                      StartsWithByteOrderMark(bytes));

    // Encoding settles after one round, and the byte measure is the encoded length.
    const QByteArray encoded = Cp932Encode(text);
    TOVREL_FUZZ_CHECK(Cp932Encode(Cp932Decode(encoded)) == encoded);
    TOVREL_FUZZ_CHECK(Cp932Length(text) == encoded.size());

    const int length = Cp932Length(text);
    for (int width : {0, 1, 2, 3, 7, length / 2, length, length + 3}) {
        const QString left = Cp932Left(text, width);
        const QString right = Cp932Right(text, width);
        TOVREL_FUZZ_CHECK(Cp932Length(left) <= width && text.startsWith(left));
        TOVREL_FUZZ_CHECK(Cp932Length(right) <= width && text.endsWith(right));
        TOVREL_FUZZ_CHECK(Cp932Length(AlignRight(text, width)) == width);
        TOVREL_FUZZ_CHECK(Cp932Length(AlignLeft(text, width)) == width);
        const QString padded = PadLeft(text, width);
        TOVREL_FUZZ_CHECK(padded.endsWith(text) && Cp932Length(padded) == std::max(width, length));
    }

    // Numbers: the helpers agree on what is a number, and grouping never changes one.
    const QString line = text.left(64);
    TOVREL_FUZZ_CHECK(ToHalfWidth(line).size() == line.size());
    TOVREL_FUZZ_CHECK(IsNumberText(line) == !std::isnan(ParseNumber(line, 2, NAN)));
    if (IsPlainDecimal(line)) {
        const QString plain = StripGrouping(ToHalfWidth(line));
        TOVREL_FUZZ_CHECK(ParseNumber(GroupDigits(plain), 2, 0) == ParseNumber(line, 2, 0));
    }
    ParseInt(line, 0);
    FormatFixed(8, 2, ParseNumber(line, 2, 0));
    FormatGrouped(ParseNumber(line, 2, 0), 1);
    CommaItem(line, static_cast<int>(size % 8));
    ReplaceAll(line, QStringLiteral(","), QStringLiteral("."));
    int year = 0, month = 0, day = 0;
    NormalizeDate(line, &year, &month, &day);
    NormalizeTime(line);
    WeekdayText(year, month, day);
    FormatHourMinutes(ParseHourMinutes(line), 2, size % 2 == 0);
    ParseDateStrict(line);
    TextToDate(line);
    return 0;
}
