// One entry of the logbook: a refuelling and/or maintenance event, held as the texts the list shows.
#pragma once

#include <QString>

#include <array>

namespace tovrel {

// Columns of the main list; a record's texts are columns 1..16.
enum Column : int {
    ColNo = 0,
    ColDay = 1,
    ColYobi,
    ColTime,
    ColWeather,
    ColRun,
    ColTotalRun,
    ColGas,
    ColEconomy,
    ColCost,
    ColTanka,
    ColGasSel,
    ColStand,
    ColPattern,
    ColMainte,
    ColShop,
    ColMemo,
    ColumnCount
};

enum RecordKind : quint8 { KindFuel = 0, KindMainte = 1 };

struct FuelRecord {
    quint8 kind = KindFuel;
    std::array<QString, ColumnCount> text;  // index 0 unused
    quint8 noneHeikin = 0;
    quint8 memoGraph = 0;

    const QString& Day() const { return text[ColDay]; }
    const QString& Time() const { return text[ColTime]; }
    const QString& Run() const { return text[ColRun]; }
    const QString& TotalRun() const { return text[ColTotalRun]; }
    const QString& Gas() const { return text[ColGas]; }
    const QString& Economy() const { return text[ColEconomy]; }
    const QString& Cost() const { return text[ColCost]; }
    const QString& Tanka() const { return text[ColTanka]; }
    const QString& GasSel() const { return text[ColGasSel]; }
    const QString& Stand() const { return text[ColStand]; }
    const QString& Pattern() const { return text[ColPattern]; }
    const QString& Mainte() const { return text[ColMainte]; }
    const QString& Shop() const { return text[ColShop]; }
    const QString& Memo() const { return text[ColMemo]; }

    bool IsEmpty() const { return text[ColDay].isEmpty(); }
    bool operator==(const FuelRecord& other) const = default;
};

// Display width in characters of each list column (column 0 is the row number).
inline constexpr std::array<int, ColumnCount> kColumnChars = {4, 10, 2,  5,  4,  8,  9,  6, 6,
                                                              9, 6,  10, 10, 10, 12, 10, 20};

inline bool IsNumericColumn(int col) {
    return col >= ColRun && col <= ColTanka;
}

// Headings of the main list (row 0).
const std::array<QString, ColumnCount>& ColumnHeadings();

}  // namespace tovrel
