// The start-up maintenance warnings of every registered car: coloured lines and a status line.
#pragma once

#include "data/car_book.h"
#include "data/log_file.h"

#include <QDate>
#include <QString>
#include <QVector>

#include <array>
#include <functional>

namespace tovrel {

struct DueTable;
struct Settings;

inline constexpr quint32 kWindowTextColor = 0x80000008;

struct WarningLine {
    QString text;
    quint32 color = kWindowTextColor;
};

struct StartupWarnings {
    QVector<WarningLine> lines;
    QString status;
    std::array<int, 4> counts{};  // [1..3], summed over all cars
};

// Checks every car 1..10 whose name is set, in order; step is called 50 times per such car.
// currentLog: the log of the book's current car as it was read, so that it is not read again.
StartupWarnings CollectStartupWarnings(const CarBook& book, const Settings& settings, const QDate& today,
                                       const std::function<void()>& step = {},
                                       const LoadedLog* currentLog = nullptr);

// Adds the warnings of one car's due table (car name as shown in its heading) and refreshes the
// status line from the running counts.
void AddCarWarnings(StartupWarnings& warnings, const DueTable& due, const QString& carName, int warningStart,
                    const Settings& settings);

// The number of cars CollectStartupWarnings checks (50 progress steps each).
int NamedCarCount(const CarBook& book);

// When nothing was reported, adds the line "ﾒﾝﾃﾅﾝｽ期限警告はありません。" and returns false: the window
// then does not pop up. Returns true when there are warnings to show.
bool FinishStartupWarnings(StartupWarnings& warnings);

}  // namespace tovrel
