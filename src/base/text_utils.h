// Conversions between the texts the user sees and numbers and dates, and the text utilities of
// the file formats. Stateless.
#pragma once

#include <QDate>
#include <QString>

namespace tovrel {

// Numbers and texts.
QString FormatInt(qint64 value, int width, const QString& pad);
// Zero-padded to two digits: car numbers in names, months, days, INI keys.
QString TwoDigits(int value);
int ParseInt(const QString& text, int defaultValue);
QString FormatFixed(int width, int decimals, double value);
double ParseNumber(const QString& text, int decimals, double defaultValue);
double RoundFraction(int mode, int decimals, double value);
// Rounds half away from zero to the given decimals, as formatting with that many decimals does.
double RoundHalfAway(double value, int decimals);
QString CommaItem(const QString& text, int n);
QString StripDefaultMark(const QString& text);
QString ReplaceAll(const QString& text, const QString& find, const QString& replacement);
QString StripGrouping(const QString& text);
QString GroupDigits(const QString& text);
// A fixed-point number with thousands separators (the "%.0n" / "%.1n" conversions).
QString FormatGrouped(double value, int decimals);
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
