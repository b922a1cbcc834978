#include "totals/period_totals.h"

#include "base/text_utils.h"
#include "data/mainte_line.h"
#include "data/record_table.h"
#include "settings/settings.h"
#include "totals/totals_format.h"

namespace tovrel {

namespace {

using Row = std::array<double, kPeriodColumnCount>;

// Decimals and field width of each value column; the average row shows the two counts with 1 decimal.
constexpr std::array<int, kPeriodColumnCount> kDecimals = {0, 0, 1, 2, 2, 0, 1, 0, 0, 0, 1, 2};
constexpr std::array<int, kPeriodColumnCount> kFieldWidths = {0, 4, 10, 9, 5, 10, 5, 4, 10, 10, 7, 8};

struct Extreme {
    bool set = false;
    double high = 0;
    double low = 0;
    int highAt = 0;  // month row or record number
    int lowAt = 0;

    void Take(double value, int at) {
        if (value == 0) return;
        if (!set) {
            set = true;
            high = low = value;
            highAt = lowAt = at;
            return;
        }
        if (value > high) {
            high = value;
            highAt = at;
        }
        if (value < low) {
            low = value;
            lowAt = at;
        }
    }
};

}  // namespace

QStringList PeriodHeaders(const QString& distanceUnit) {
    return {QStringLiteral(" 年 月 "),
            QStringLiteral("給油"),
            QStringLiteral(" 走行距離 "),
            QStringLiteral(" 消費燃料"),
            QStringLiteral(" 燃費"),
            QStringLiteral(" 給油金額 "),
            QStringLiteral(" 単価"),
            QStringLiteral(" ﾒﾝﾃ"),
            QStringLiteral(" 支払金額 "),
            QStringLiteral(" 合計金額 "),
            QStringLiteral("費用/") + distanceUnit,
            QStringLiteral("生涯燃費")};
}

PeriodTotals ComputePeriodTotals(const RecordTable& table, const Settings& settings, const QString& startText,
                                 const QString& endText, int shift, const QString& distanceUnit,
                                 const std::function<void()>& step) {
    PeriodTotals out;
    out.range = NormalizeMonthRange(startText, endText, shift, kPeriodMaxMonths);
    const int m = out.range.Months();
    out.months = m;
    const int averageRow = m + 1;
    const int totalRow = m + 2;
    const int rowCount = m + kPeriodSummaryRows + 1;

    QVector<Row> sums(rowCount, Row{});
    // Distance and fuel of the refuellings that count for the economy.
    QVector<std::array<double, 2>> counted(rowCount, std::array<double, 2>{});
    std::array<Extreme, kPeriodColumnCount> monthExtreme;
    std::array<Extreme, kPeriodColumnCount> recordExtreme;

    bool lifetimeStarted = false;
    double lifetimeRun = 0;
    double lifetimeGas = 0;
    bool anyInRange = false;
    QString firstDay;
    QString lastDay;

    auto add = [&](int record, int row, bool countsForEconomy, int firstColumn, const double* values, int n) {
        for (int k = 0; k < n; ++k) {
            const int c = firstColumn + k;
            const double v = values[k];
            sums[row][c] += v;
            sums[totalRow][c] += v;
            if (countsForEconomy && (c == PeriodRun || c == PeriodGas)) {
                counted[row][c - PeriodRun] += v;
                counted[totalRow][c - PeriodRun] += v;
            }
            recordExtreme[c].Take(v, record);
        }
    };

    const int count = table.RecordCount();
    for (int i = 1; i <= count; ++i) {
        if (step) step();
        const FuelRecord& r = table.At(i);
        const double run = RecordNumber(r.Run());
        const double gas = RecordNumber(r.Gas());

        // Lifetime economy runs over the whole log, from the first record with a distance on.
        if (r.noneHeikin == 0 || !settings.NoneHeikinTotal) {
            if (!lifetimeStarted && run != 0) lifetimeStarted = true;
            if (lifetimeStarted) {
                lifetimeRun += run;
                lifetimeGas += gas;
            }
        }

        const int row = MonthRowOfDay(out.range, r.Day());
        if (row < 1 || row > m) continue;

        sums[row][PeriodLifetimeEconomy] = Ratio(lifetimeRun, lifetimeGas);

        if (r.kind == KindFuel) {
            ++out.refuellings;
            const double values[] = {1, run, gas, RecordNumber(r.Economy()), RecordNumber(r.Cost()), RecordNumber(r.Tanka())};
            add(i, row, r.noneHeikin == 0, PeriodFuelCount, values, 6);
        }

        if (!anyInRange) {
            anyInRange = true;
            firstDay = r.Day();
        }
        lastDay = r.Day();

        if (!r.Mainte().isEmpty()) {
            QString rest = r.Mainte();
            double mainteCost = 0;
            bool hasMainte = false;
            while (!rest.isEmpty()) {
                const MainteLine line = SplitMainteLine(rest);
                if (line.item.isEmpty()) continue;
                mainteCost += RecordNumber(line.cost);
                hasMainte = true;
            }
            if (hasMainte) {
                ++out.maintenanceRecords;
                const double values[] = {1, mainteCost};
                add(i, row, r.noneHeikin == 0, PeriodMainteCount, values, 2);
            }
        }
    }

    out.monthHasRecords = QVector<bool>(m + 1, false);
    int countedMonths = 0;
    for (int row = 1; row <= m; ++row) {
        Row& s = sums[row];
        const bool hasRecords = s[PeriodFuelCount] != 0 || s[PeriodMainteCount] != 0;
        out.monthHasRecords[row] = hasRecords;
        if (settings.NoneDataHeikin || hasRecords) ++countedMonths;
        s[PeriodEconomy] = Ratio(counted[row][0], counted[row][1]);
        s[PeriodTanka] = Ratio(s[PeriodTanka], s[PeriodFuelCount]);
        s[PeriodCostPerDistance] = Ratio(s[PeriodCost] + s[PeriodMainteCost], s[PeriodRun]);
        for (int c = PeriodFuelCount; c < kPeriodColumnCount; ++c)
            monthExtreme[c].Take(s[c], row);
    }

    Row& average = sums[averageRow];
    const Row& total = sums[totalRow];
    for (int c = PeriodFuelCount; c < kPeriodColumnCount; ++c)
        average[c] = Ratio(total[c], countedMonths);
    average[PeriodEconomy] = Ratio(counted[totalRow][0], counted[totalRow][1]);
    average[PeriodTanka] = Ratio(total[PeriodTanka], total[PeriodFuelCount]);
    average[PeriodCostPerDistance] = Ratio(total[PeriodCost] + total[PeriodMainteCost], total[PeriodRun]);
    out.averageEconomy = average[PeriodEconomy];

    for (int c = PeriodFuelCount; c < kPeriodColumnCount; ++c) {
        sums[m + 3][c] = monthExtreme[c].set ? monthExtreme[c].high : 0;
        sums[m + 4][c] = monthExtreme[c].set ? monthExtreme[c].low : 0;
        sums[m + 5][c] = recordExtreme[c].set ? recordExtreme[c].high : 0;
        sums[m + 6][c] = recordExtreme[c].set ? recordExtreme[c].low : 0;
    }

    // Cells.
    QVector<QStringList>& grid = out.grid.rows;
    grid.resize(rowCount);
    grid[0] = PeriodHeaders(distanceUnit);
    const QStringList blankRow(kPeriodColumnCount, QString());
    for (int row = 1; row < rowCount; ++row)
        grid[row] = blankRow;
    for (int row = 1; row <= m; ++row)
        grid[row][PeriodLabel] = out.range.RowText(row);
    grid[m + 1][PeriodLabel] = QStringLiteral("月平均 ");
    grid[m + 2][PeriodLabel] = QStringLiteral("総合計 ");
    grid[m + 3][PeriodLabel] = QStringLiteral("最高月 ");
    grid[m + 4][PeriodLabel] = QStringLiteral("最低月 ");
    grid[m + 5][PeriodLabel] = QStringLiteral("最高時 ");
    grid[m + 6][PeriodLabel] = QStringLiteral("最低時 ");

    for (int row = 1; row < rowCount; ++row) {
        if (row <= m && !out.monthHasRecords[row]) continue;
        for (int c = PeriodFuelCount; c < kPeriodColumnCount; ++c) {
            if (c == PeriodTotalCost) continue;
            int decimals = kDecimals[c];
            if (row == averageRow && (c == PeriodFuelCount || c == PeriodMainteCount)) decimals = 1;
            grid[row][c] = ValueCell(sums[row][c], decimals, kFieldWidths[c]);
        }
        if (row <= totalRow) {
            sums[row][PeriodTotalCost] = sums[row][PeriodCost] + sums[row][PeriodMainteCost];
            grid[row][PeriodTotalCost] = ValueCell(sums[row][PeriodTotalCost], kDecimals[PeriodTotalCost],
                                                   kFieldWidths[PeriodTotalCost]);
        }
    }
    if (out.refuellings > 0) {
        const Extreme& month = monthExtreme[PeriodEconomy];
        if (month.set) {
            grid[m + 3][PeriodTotalCost] = grid[month.highAt][PeriodLabel];
            grid[m + 4][PeriodTotalCost] = grid[month.lowAt][PeriodLabel];
        }
        const Extreme& record = recordExtreme[PeriodEconomy];
        if (record.set) {
            grid[m + 5][PeriodTotalCost] = table.At(record.highAt).Day();
            grid[m + 6][PeriodTotalCost] = table.At(record.lowAt).Day();
        }
    }

    const QString noCount = QStringLiteral("----");
    const QString noLifetime = QStringLiteral("-----.--");
    const QString noCostPerDistance = QStringLiteral("-,---.-");
    grid[m + 2][PeriodEconomy] = QStringLiteral("--.--");
    grid[m + 2][PeriodTanka] = QStringLiteral("---.-");
    for (int row : {m + 5, m + 6}) {
        grid[row][PeriodFuelCount] = noCount;
        grid[row][PeriodMainteCount] = noCount;
    }
    for (int row : {m + 1, m + 2, m + 5, m + 6})
        grid[row][PeriodLifetimeEconomy] = noLifetime;
    for (int row : {m + 2, m + 5, m + 6})
        grid[row][PeriodCostPerDistance] = noCostPerDistance;

    out.status = anyInRange ? QStringLiteral("有効ﾃﾞｰﾀ : ") + firstDay + QStringLiteral("～") + lastDay
                            : QStringLiteral("有効ﾃﾞｰﾀ : なし");
    out.values = std::move(sums);
    return out;
}

}  // namespace tovrel
