// Conversions between the texts the user sees and numbers and dates, and the text utilities of
// the file formats. Stateless.
#pragma once

#include <QDate>
#include <QString>

#include <span>

namespace tovrel {

// Numbers and texts.
QString FormatInt(qint64 value, int width, const QString& pad);
// Zero-padded to two digits: car numbers in names, months, days, INI keys.
QString TwoDigits(int value);
int ParseInt(QStringView text, int defaultValue);
QString FormatFixed(int width, int decimals, double value);
// Reads a number as the user may type it: blanks at either end, full-width characters, grouping and
// an exponent allowed. False for any other text; else *value is the number rounded half away from
// zero to the decimals. ParseNumber and IsNumberText are this reading.
bool ReadNumber(QStringView text, int decimals, double* value);
double ParseNumber(QStringView text, int decimals, double defaultValue);
// Whether ParseNumber reads the text as a number rather than falling back to its default.
bool IsNumberText(QStringView text);
// Whether the text is a number in plain decimal form (sign, digits, decimal point; no exponent),
// grouping and full-width digits allowed: GroupDigits shows such a text with its value.
bool IsPlainDecimal(const QString& text);
double RoundFraction(int mode, int decimals, double value);
// Rounds half away from zero to the given decimals, as formatting with that many decimals does.
double RoundHalfAway(double value, int decimals);
QString CommaItem(const QString& text, int n);
// Items 1..items.size() of the text in one pass, as CommaItem gives them.
void CommaItems(QStringView text, std::span<QString> items);
QString StripDefaultMark(const QString& text);
QString ReplaceAll(const QString& text, const QString& find, const QString& replacement);
QString StripGrouping(const QString& text);
// Whether StripGrouping(ToHalfWidth(text)) is the text itself: no blank at either end, no "," and
// nothing with a half-width form.
bool IsPlainHalfWidth(QStringView text);
// With a width, the result is padded on the left as PadLeft pads (the numbers of the lists).
QString GroupDigits(QStringView text, int width = 0);
// A fixed-point number with thousands separators (the "%.0n" / "%.1n" conversions).
QString FormatGrouped(double value, int decimals);
// Pads on the left to the width in code page 932 bytes; a longer text is kept whole, never cut.
QString PadLeft(const QString& text, int width);
// Padding and cutting count code page 932 bytes, the character cells of the lists.
QString AlignRight(const QString& text, int width);
QString AlignLeft(const QString& text, int width);
QString ToHalfWidth(const QString& text);

// Dates and times. Date values are day numbers with day 0 = 1899-12-30.
int DayNumber(const QDate& date);
QDate DateFromDayNumber(double dayNumber);
QString DateToText(const QDate& date);
// Invalid for a text that names no real date (callers treat that as day number 0).
QDate TextToDate(const QString& text);
// Reports an invalid date through the current prompter and gives 0.
int ParseDateStrict(const QString& text);
int ParseHourMinutes(const QString& text);
QString FormatHourMinutes(int minutes, int width, bool showZero);
QString NormalizeDate(const QString& text, int* year = nullptr, int* month = nullptr, int* day = nullptr);
QString NormalizeTime(const QString& text);
QString WeekdayText(int year, int month, int day);

}  // namespace tovrel
