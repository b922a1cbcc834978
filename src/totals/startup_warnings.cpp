#include "totals/startup_warnings.h"

#include "settings/settings.h"
#include "totals/maintenance_due.h"

namespace tovrel {

namespace {

QString DetailLine(const DueRow& row, const QString& unit) {
    const auto cell = [&row](int col) { return row.cells[col].trimmed(); };
    QString line;
    if (!cell(DueColRemainingDays).isEmpty()) {
        line = QStringLiteral("最終日付：") + cell(DueColLastDate) + QStringLiteral("  期限日付：") +
               cell(DueColDueDate) + QStringLiteral("（残り：") + cell(DueColRemainingDays) +
               QStringLiteral("日：") + cell(DueColDayRatio) + QStringLiteral("）");
    }
    if (!cell(DueColDueOdometer).isEmpty()) {
        if (!line.isEmpty()) line += QStringLiteral("、  ");
        line += QStringLiteral("最終距離：") + cell(DueColLastOdometer) + unit +
                QStringLiteral("  期限距離：") + cell(DueColDueOdometer) + unit + QStringLiteral("（残り：") +
                cell(DueColRemainingDistance) + unit + QStringLiteral("：") + cell(DueColDistanceRatio) +
                QStringLiteral("）  ");
    }
    return line;
}

}  // namespace

void AddCarWarnings(StartupWarnings& warnings, const DueTable& due, const QString& carName, int warningStart,
                    const Settings& settings) {
    bool headingWritten = false;
    for (int k = 1; k <= kMainteCount; ++k) {
        const DueRow& row = due.rows[k];
        if (row.level < 1 || !row.startupWarning) continue;
        if (row.level > 3 || !settings.WarningCheck[row.level]) continue;
        ++warnings.counts[row.level];
        if (warningStart == 0) continue;
        const QString& levelName = settings.WarningText[row.level];
        if (levelName.isEmpty()) continue;
        const quint32 color = settings.WarningColor[row.level];
        if (!headingWritten) {
            if (!warnings.lines.isEmpty()) warnings.lines.append(WarningLine{});
            warnings.lines.append(WarningLine{QStringLiteral("【") + carName + QStringLiteral("】")});
            headingWritten = true;
        }
        warnings.lines.append(WarningLine{
            FillSentence(row.pattern,
                         {row.Name().trimmed(), levelName.trimmed(), row.cells[DueColDueRatio].trimmed()}),
            color});
        if (warningStart == 2) {
            warnings.lines.append(WarningLine{DetailLine(row, due.unitName), color});
            warnings.lines.append(WarningLine{QString(), color});
        }
    }
    QString status;
    for (int level = 1; level <= 3; ++level) {
        if (!settings.WarningCheck[level]) continue;
        status += settings.WarningText[level] + QStringLiteral("：") +
                  QString::number(warnings.counts[level]) + QStringLiteral("件  ");
    }
    warnings.status = status;
}

int NamedCarCount(const CarBook& book) {
    int count = 0;
    for (int car = 1; car <= kListSlots; ++car) {
        if (!book.lists.Car[car].trimmed().isEmpty()) ++count;
    }
    return count;
}

StartupWarnings CollectStartupWarnings(const CarBook& book, const Settings& settings, const QDate& today,
                                       const std::function<void()>& step, const LoadedLog* currentLog) {
    StartupWarnings warnings;
    for (int car = 1; car <= kListSlots; ++car) {
        if (book.lists.Car[car].trimmed().isEmpty()) continue;
        const DueTable due =
            ComputeDueForCar(book, settings, car, today, step, car == book.currentCar ? currentLog : nullptr);
        AddCarWarnings(warnings, due, book.CarName(car), settings.WarningStart[car], settings);
    }
    return warnings;
}

bool FinishStartupWarnings(StartupWarnings& warnings) {
    if (!warnings.lines.isEmpty()) return true;
    warnings.lines.append(WarningLine{QStringLiteral("ﾒﾝﾃﾅﾝｽ期限警告はありません。")});
    return false;
}

}  // namespace tovrel
