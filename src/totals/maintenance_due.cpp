#include "totals/maintenance_due.h"

#include "base/cp932.h"
#include "base/file_io.h"
#include "base/profile_ini.h"
#include "base/text_utils.h"
#include "calc/economy.h"
#include "data/fuel_record.h"
#include "data/log_file.h"
#include "data/mainte_line.h"
#include "data/record_table.h"
#include "settings/settings.h"

#include <QHash>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tovrel {

namespace {

constexpr double kRatioCap = 9.999;
constexpr int kReadingsForAverage = 11;  // the newest reading and the 10 before it
constexpr int kLevelNameChars = 12;

// Day numbers of date texts; each text is converted (and an invalid one reported) once.
class DateReader {
public:
    qint64 Day(const QString& text) {
        const auto it = m_days.constFind(text);
        if (it != m_days.constEnd()) return *it;
        const int day = ParseDateStrict(text);
        m_days.insert(text, day);
        return day;
    }

private:
    QHash<QString, int> m_days;
};

qint64 RoundToInteger(double value) {
    const double r = RoundHalfAway(value, 0);
    if (!std::isfinite(r)) return 0;
    constexpr double limit = 9.0e15;  // beyond any odometer; keeps the conversion defined
    if (r > limit) return static_cast<qint64>(limit);
    if (r < -limit) return static_cast<qint64>(-limit);
    return static_cast<qint64>(r);
}

QString NumberCell(qint64 value, int width) {
    return PadLeft(GroupDigits(QString::number(value)), width);
}

QString RatioCell(double ratio) {
    return PadLeft(FormatFixed(0, 1, ratio * 100), 5) + QLatin1Char('%');
}

QString DateCell(double dayNumber) {
    return DateToText(DateFromDayNumber(dayNumber));
}

double CapRatio(double ratio) {
    return ratio >= 9.9999 ? kRatioCap : ratio;
}

QString ItemName(const MainteSetting& setting) {
    return StripDefaultMark(setting.name.trimmed()).trimmed();
}

bool IsDateSet(const QString& date) {
    const QString trimmed = date.trimmed();
    return !trimmed.isEmpty() && trimmed != QStringLiteral("    /  /  ").trimmed();
}

QString StatusLine(const DueTable& table, const Settings& settings) {
    const QString& unit = table.unitName;
    QString s = QStringLiteral("最終走行距離：") + GroupDigits(QString::number(table.latestOdometer)) + unit;
    for (int level = 1; level <= 3; ++level) {
        s += QStringLiteral("  ") + settings.WarningText[level] + QStringLiteral("：") +
             QString::number(table.levelCounts[level]) + QStringLiteral("件");
    }
    s += QStringLiteral("  平均走行距離（最近10回の平均）：") + FormatGrouped(table.averagePerDay * 30, 0) +
         unit + QStringLiteral("/月（") + FormatGrouped(table.averagePerDay, 1) + unit +
         QStringLiteral("/日）");
    return s;
}

double AveragePerDay(const QVector<const FuelRecord*>& records, DateReader& dates) {
    int found = 0;
    double newestOdometer = 0;
    double oldestOdometer = 0;
    QString newestDate;
    QString oldestDate;
    for (qsizetype i = records.size() - 1; i >= 0 && found < kReadingsForAverage; --i) {
        const double odometer = ParseNumber(records[i]->TotalRun(), 2, 0);
        if (odometer == 0) continue;
        if (found == 0) {
            newestOdometer = odometer;
            newestDate = records[i]->Day();
        }
        oldestOdometer = odometer;
        oldestDate = records[i]->Day();
        ++found;
    }
    const double distance = newestOdometer - oldestOdometer;
    if (distance <= 0) return 0;
    const qint64 days = dates.Day(newestDate) - dates.Day(oldestDate);
    return days >= 1 ? distance / static_cast<double>(days) : 0;
}

struct DueInput {
    const MainteSettings& mainte;
    const CarInfo& carInfo;
    const Settings& settings;
    int runTani = 0;
    QDate today;
    bool withAverage = false;
};

void ComputeRow(DueRow& row, const MainteSetting& setting, const DueTable& table, qint64 todayDay,
                const std::function<qint64()>& latestDay, DateReader& dates, const Settings& settings) {
    auto& cells = row.cells;
    const double average = table.averagePerDay;
    double dayRatio = 0;
    double distanceRatio = 0;
    if (!row.lastDate.isEmpty()) {
        cells[DueColLastDate] = row.lastDate;
        if (setting.dayCheck && setting.dayInterval > 0) {
            const qint64 interval = setting.dayInterval;
            const qint64 dueDay = dates.Day(row.lastDate) + interval;
            const qint64 remaining = dueDay - todayDay;
            cells[DueColDueDate] = DateCell(static_cast<double>(dueDay));
            cells[DueColRemainingDays] = NumberCell(remaining, 6);
            dayRatio = CapRatio(static_cast<double>(interval - remaining) / static_cast<double>(interval));
            cells[DueColDayRatio] = RatioCell(dayRatio);
        }
        if (setting.distanceCheck && setting.distanceInterval > 0 && average > 0) {
            cells[DueColPredictedDate] =
                DateCell(static_cast<double>(dates.Day(row.lastDate)) + setting.distanceInterval / average);
        }
    }
    if (row.lastOdometer != 0) {
        cells[DueColLastOdometer] = NumberCell(row.lastOdometer, 8);
        if (setting.distanceCheck && setting.distanceInterval > 0) {
            const qint64 interval = setting.distanceInterval;
            const qint64 dueOdometer = row.lastOdometer + interval;
            const qint64 remaining = dueOdometer - table.latestOdometer;
            cells[DueColDueOdometer] = NumberCell(dueOdometer, 8);
            cells[DueColRemainingDistance] = NumberCell(remaining, 7);
            distanceRatio =
                CapRatio(static_cast<double>(interval - remaining) / static_cast<double>(interval));
            cells[DueColDistanceRatio] = RatioCell(distanceRatio);
            // Predicted from the latest reading while the interval is not yet used up.
            if (distanceRatio < 1 && average > 0) {
                cells[DueColPredictedDate] =
                    DateCell(static_cast<double>(latestDay()) + static_cast<double>(remaining) / average);
            }
        }
    }
    row.dayRatio = dayRatio;
    row.distanceRatio = distanceRatio;
    row.dueRatio = distanceRatio > dayRatio ? distanceRatio : dayRatio;
    if (row.dueRatio == 0) return;

    row.byDistance = distanceRatio > dayRatio;
    if (row.byDistance) {
        cells[DueColCriterion] = QStringLiteral("距離");
        row.pattern = QStringLiteral("%s期限の走行距離が、%s（残り：") +
                      cells[DueColRemainingDistance].trimmed() + table.unitName +
                      QStringLiteral("：%s）です。");
    } else {
        cells[DueColCriterion] = QStringLiteral("日数");
        row.pattern = QStringLiteral("%s期限の日数が、%s（残り：") + cells[DueColRemainingDays].trimmed() +
                      QStringLiteral("日：%s）です。");
    }
    cells[DueColDueRatio] = RatioCell(row.dueRatio);
    row.level = DueLevel(row.dueRatio, settings);
    const QString& levelName = settings.WarningText[row.level];
    if (!levelName.isEmpty()) {
        const int blanks = (kLevelNameChars - Cp932Length(levelName)) / 2;
        cells[DueColLevelName] = blanks > 0 ? QString(blanks, QLatin1Char(' ')) + levelName : levelName;
    }
}

DueTable ComputeCore(const QVector<const FuelRecord*>& records, const DueInput& in,
                     const std::function<void()>& step) {
    DueTable table;
    table.unitName = DistanceUnitName(in.runTani);
    DateReader dates;

    QHash<QString, int> firstRowOfName;
    for (int k = 1; k <= kMainteCount; ++k) {
        const MainteSetting& s = in.mainte[k];
        DueRow& row = table.rows[k];
        row.startupWarning = s.warning != 0;
        const QString name = ItemName(s);
        if (name.isEmpty()) continue;
        row.cells[DueColName] = name;
        if (s.dayCheck) row.cells[DueColDayInterval] = NumberCell(s.dayInterval, 8);
        if (s.distanceCheck) row.cells[DueColDistanceInterval] = NumberCell(s.distanceInterval, 8);
        row.cells[DueColMemo] = s.memo;
        if (!firstRowOfName.contains(name)) firstRowOfName.insert(name, k);
    }

    if (in.withAverage) table.averagePerDay = AveragePerDay(records, dates);

    if (IsDateSet(in.carInfo.NousyaDate)) {
        const QString date = in.carInfo.NousyaDate.trimmed();
        const qint64 odometer = RoundToInteger(ParseNumber(in.carInfo.NousyaRun, 2, 0));
        for (int k = 1; k <= kMainteCount; ++k) {
            if (!in.carInfo.MainteCheck[k]) continue;
            table.rows[k].lastDate = date;
            table.rows[k].lastOdometer = odometer;
        }
    }

    for (const FuelRecord* r : records) {
        const double odometer = ParseNumber(r->TotalRun(), 2, 0);
        QString mainte = r->Mainte();
        while (!mainte.isEmpty()) {
            const QString item = SplitMainteLine(mainte).item.trimmed();
            if (item.isEmpty()) continue;
            const auto it = firstRowOfName.constFind(item);
            if (it == firstRowOfName.constEnd()) continue;
            table.rows[*it].lastDate = r->Day();
            table.rows[*it].lastOdometer = RoundToInteger(odometer);
        }
        if (odometer != 0) {
            table.latestOdometer = RoundToInteger(odometer);
            table.latestDate = r->Day();
        }
    }

    const qint64 todayDay = DayNumber(in.today);
    const std::function<qint64()> latestDay = [&] { return dates.Day(table.latestDate); };
    for (int k = 1; k <= kMainteCount; ++k) {
        if (step) step();
        DueRow& row = table.rows[k];
        if (row.Name().isEmpty()) continue;
        ComputeRow(row, in.mainte[k], table, todayDay, latestDay, dates, in.settings);
    }
    return table;
}

}  // namespace

const std::array<QString, kDueColumnCount>& DueColumnHeadings() {
    static const std::array<QString, kDueColumnCount> headings = {
        QStringLiteral(" メンテナンス "), QStringLiteral("設定日数"),
        QStringLiteral(" 最終日付 "),     QStringLiteral(" 期限日付 "),
        QStringLiteral("残日数"),         QStringLiteral("日数率"),
        QStringLiteral("設定距離"),       QStringLiteral("最終距離"),
        QStringLiteral("期限距離"),       QStringLiteral(" 残距離"),
        QStringLiteral("距離率"),         QStringLiteral(" 予想日付 "),
        QStringLiteral("区分"),           QStringLiteral("期限率"),
        QStringLiteral("  期限警告  "),   QStringLiteral("      メ    モ      "),
    };
    return headings;
}

int DueLevel(double ratio, const Settings& settings) {
    const double q = RoundHalfAway(ratio * 1000, 0);
    if (q > 1000) return 1;
    if (q > settings.Warning2Level * 10.0) return 2;
    if (q > settings.Warning3Level * 10.0) return 3;
    return 4;
}

QString FillSentence(const QString& pattern, const QStringList& values) {
    QString out;
    qsizetype from = 0;
    qsizetype next = 0;
    for (;;) {
        const qsizetype at = pattern.indexOf(QStringLiteral("%s"), from);
        if (at < 0) break;
        out += pattern.mid(from, at - from);
        if (next < values.size()) out += values[next];
        ++next;
        from = at + 2;
    }
    return out + pattern.mid(from);
}

DueTable ComputeDue(const RecordTable& table, const MainteSettings& mainte, const CarInfo& carInfo,
                    const Settings& settings, int runTani, const QDate& today,
                    const std::function<void()>& step) {
    QVector<const FuelRecord*> records;
    records.reserve(table.RecordCount());
    for (int i = 1; i <= table.RecordCount(); ++i)
        records.append(&table.At(i));
    DueTable due = ComputeCore(records, DueInput{mainte, carInfo, settings, runTani, today, true}, step);
    for (int k = 1; k <= kMainteCount; ++k) {
        const int level = due.rows[k].level;
        if (level >= 1 && level <= 3) ++due.levelCounts[level];
    }
    due.status = StatusLine(due, settings);
    return due;
}

MainteSettings MainteSettingsForCar(const CarBook& book, const Settings& settings, int car) {
    if (!settings.MainteSelect || car == book.currentCar) return book.mainte;
    const QString carPath = book.CarFileName(QStringLiteral("Mainte"), car);
    if (FileEntryExists(carPath)) return ReadMainteSettings(ProfileIni(carPath));
    return book.sharedMainte.value_or(book.mainte);
}

DueTable ComputeDueForCar(const CarBook& book, const Settings& settings, int car, const QDate& today,
                          const std::function<void()>& step, const LoadedLog* log) {
    const bool current = car == book.currentCar;
    const CarInfo carInfo = current ? book.carInfo : book.ReadCarInfo(car);
    const MainteSettings mainte = MainteSettingsForCar(book, settings, car);
    QVector<FuelRecord> read;
    QVector<const FuelRecord*> records;
    if (log) {
        records.reserve(log->count);
        for (int i = 1; i <= log->count && i < log->records.size(); ++i)
            records.append(&log->records.at(i));
    } else {
        read = ReadLogDueRecords(book.CarFileName(QStringLiteral("Mivra"), car), settings.Capacity);
        records.reserve(read.size());
        for (const FuelRecord& r : std::as_const(read))
            records.append(&r);
    }
    const int runTani = (car >= 1 && car <= kCarCount) ? settings.RunTani[car] : settings.RunTani[0];
    DueTable due = ComputeCore(records, DueInput{mainte, carInfo, settings, runTani, today, false}, step);
    for (int k = 1; k <= kMainteCount; ++k) {
        const DueRow& row = due.rows[k];
        if (row.startupWarning && row.level >= 1 && row.level <= 3 && settings.WarningCheck[row.level])
            ++due.levelCounts[row.level];
    }
    due.status = StatusLine(due, settings);
    return due;
}

int SortColumn(int choice) {
    static constexpr std::array<int, 7> columns = {
        DueColName,          DueColRemainingDays, DueColDayRatio, DueColRemainingDistance,
        DueColDistanceRatio, DueColPredictedDate, DueColDueRatio};
    return choice >= 0 && choice < 7 ? columns[choice] : DueColName;
}

int SortChoiceForColumn(int column) {
    switch (column) {
        case DueColName:
            return 0;
        case DueColRemainingDays:
            return 1;
        case DueColDayRatio:
            return 2;
        case DueColRemainingDistance:
            return 3;
        case DueColDistanceRatio:
            return 4;
        case DueColPredictedDate:
            return 5;
        case DueColDueRatio:
        case DueColLevelName:
            return 6;
        default:
            return -1;
    }
}

namespace {

// Where a row goes: named rows with a value in the key column first, ordered by that value (remaining
// days, distance and predicted date ascending, ratios descending) and then by setting order; named
// rows without a value next in setting order; unnamed rows last. The value is read from the whole
// cell, so the order is that of the values shown.
struct SortKey {
    int group = 2;
    qint64 value = 0;
    int row = 0;

    bool operator<(const SortKey& other) const {
        if (group != other.group) return group < other.group;
        if (value != other.value) return value < other.value;
        return group == 2 ? row > other.row : row < other.row;
    }
};

SortKey KeyOfRow(const DueRow& row, int row1Based, int column) {
    SortKey key;
    key.row = row1Based;
    if (row.Name().isEmpty()) return key;
    QString text = StripGrouping(row.cells[column]);
    key.group = text.isEmpty() ? 1 : 0;
    if (text.isEmpty()) return key;
    switch (column) {
        case DueColRemainingDays:
            key.value = RoundToInteger(ParseNumber(text, 2, 0));
            break;
        case DueColRemainingDistance:
            key.value = RoundToInteger(ParseNumber(text, 2, 0) * 10);
            break;
        case DueColPredictedDate:
            key.value = DayNumber(TextToDate(text));
            break;
        default:  // the ratios
            if (text.endsWith(QLatin1Char('%'))) text.chop(1);
            key.value = -RoundToInteger(ParseNumber(text, 2, 0) * 10);
            break;
    }
    return key;
}

// The columns of names and words; every other column holds a number or a date.
bool IsDueTextColumn(int column) {
    return column == DueColName || column == DueColCriterion || column == DueColLevelName ||
           column == DueColMemo;
}

}  // namespace

std::array<int, kMainteCount> SortOrder(const DueTable& table, int choice) {
    std::array<int, kMainteCount> order{};
    for (int k = 1; k <= kMainteCount; ++k)
        order[k - 1] = k;
    if (choice < 1 || choice > 6) return order;
    const int column = SortColumn(choice);
    std::array<SortKey, kMainteCount + 1> keys;
    for (int k = 1; k <= kMainteCount; ++k)
        keys[k] = KeyOfRow(table.rows[k], k, column);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });
    return order;
}

TextGrid ApplySort(const DueTable& table, int choice) {
    TextGrid grid;
    grid.rows.reserve(kMainteCount + 1);
    QStringList headings;
    for (const QString& h : DueColumnHeadings())
        headings.append(h);
    grid.rows.append(headings);
    for (int k : SortOrder(table, choice)) {
        QStringList cells;
        for (int c = 0; c < kDueColumnCount; ++c)
            cells.append(IsDueTextColumn(c) ? Cp932Left(table.rows[k].cells[c], kDueColumnChars[c])
                                            : table.rows[k].cells[c]);
        grid.rows.append(cells);
    }
    return grid;
}

}  // namespace tovrel
