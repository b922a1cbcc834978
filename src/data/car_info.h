// The rules of the car information fields and the car memo file.
#pragma once

#include "data/car_book.h"

#include <QByteArray>
#include <QString>

namespace tovrel {

inline constexpr int NousyaRunDecimals = 1;
inline constexpr int MokuhyoDecimals = 2;

// A number field on entry: the thousands separators removed.
QString CarNumberOnEnter(const QString& text);
// A number field on leaving: read rounded to its decimals (unreadable text reads as 0), written back
// with that many decimals and thousands separators.
QString CarNumberOnLeave(const QString& text, int decimals);

// A date mask on leaving: a blank mask or a real date. The text itself is kept as typed.
bool CarDateAcceptable(const QString& text);

// The car information as the dialog shows it: both numbers in their leave forms.
CarInfo CarInfoForShowing(const CarInfo& stored);
// The shown values as they are stored: the delivery odometer without separators, the target economy
// as shown.
CarInfo CarInfoForStorage(const CarInfo& shown);

// The memo text of a car memo file ("\n" between lines): plain code page 932 text, or the text of a
// rich-text document when its first line holds "{\rtf".
QString CarMemoText(const QByteArray& bytes);
// The memo as plain text: each line followed by CR LF, nothing for an empty memo.
QByteArray CarMemoBytes(const QString& text);

enum class CarMemoState {
    Loaded,      // read, or missing (an empty memo)
    Unreadable,  // the file exists but could not be read
    NotText,     // it holds bytes that are not code page 932 text; storing the memo would lose them
};

// Reads the car's memo file. Anything but Loaded comes with the message to show.
CarMemoState LoadCarMemo(const QString& path, QString* text, QString* message);
bool SaveCarMemo(const QString& path, const QString& text, QString* error);

}  // namespace tovrel
