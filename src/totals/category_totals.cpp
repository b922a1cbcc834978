#include "totals/category_totals.h"

#include "base/text_utils.h"
#include "data/mainte_line.h"
#include "data/record_table.h"
#include "settings/settings.h"
#include "totals/totals_format.h"

#include <QHash>

#include <algorithm>

namespace tovrel {

namespace {

using Row = std::array<double, kCategoryColumnCount>;

struct Work {
    Row sum{};
    double countedRun = 0;
    double countedGas = 0;
    bool economySet = false;
    double lowestEconomy = 0;
    double highestEconomy = 0;

    void TakeEconomy(double economy) {
        if (economy == 0) return;
        if (!economySet) {
            economySet = true;
            lowestEconomy = highestEconomy = economy;
            return;
        }
        lowestEconomy = std::min(lowestEconomy, economy);
        highestEconomy = std::max(highestEconomy, economy);
    }
};

// What one record or maintenance line adds under a category.
struct Addition {
    double count = 1;
    double run = 0;
    double gas = 0;
    double economy = 0;
    double cost = 0;
    double tanka = 0;
};

QString ShareCell(double value) {
    return ValueCell(value, 1, 5) + QLatin1Char('%');
}

QStringList ListNames(int mode, const Settings& settings, const ItemLists& lists,
                      const MainteSettings& mainte) {
    QStringList names;
    auto appendList = [&names](const NameList& list) {
        for (int k = 1; k <= kListSlots; ++k)
            names.append(list[k]);
    };
    switch (mode) {
        case CategoryFuel:
            appendList(lists.GasSel);
            break;
        case CategoryStand:
            appendList(lists.Stand);
            break;
        case CategoryPattern:
            appendList(lists.Pattern);
            break;
        default:
            if (settings.MainteAddGasCost) names.append(QStringLiteral("燃料代金"));
            for (int k = 1; k <= kMainteCount; ++k)
                names.append(mainte[k].name);
            break;
    }
    return names;
}

}  // namespace

QString CategoryCaption(int mode) {
    switch (mode) {
        case CategoryFuel:
            return QStringLiteral("燃料種別集計");
        case CategoryStand:
            return QStringLiteral("ｽﾀﾝﾄﾞ別集計");
        case CategoryPattern:
            return QStringLiteral("ﾊﾟﾀｰﾝ別集計");
        case CategoryMainte:
            return QStringLiteral("ﾒﾝﾃﾅﾝｽ別集計");
        default:
            return QString();
    }
}

QStringList CategoryHeaders(int mode) {
    if (mode == CategoryMainte) {
        return {QStringLiteral(" メンテナンス "), QStringLiteral("回数"),   QStringLiteral(" 支払金額 "),
                QStringLiteral(" 平均単価 "),     QStringLiteral(" 割合 "), QStringLiteral(" 最終日付 ")};
    }
    const QString first = mode == CategoryStand     ? QStringLiteral(" スタンド ")
                          : mode == CategoryPattern ? QStringLiteral(" パターン ")
                                                    : QStringLiteral(" 燃料種別 ");
    return {first,
            QStringLiteral("給油"),
            QStringLiteral(" 走行距離 "),
            QStringLiteral(" 消費燃料"),
            QStringLiteral(" 最低"),
            QStringLiteral(" 平均"),
            QStringLiteral(" 最高"),
            QStringLiteral(" 給油金額 "),
            QStringLiteral(" 単価"),
            QStringLiteral(" 割合 ")};
}

int CategoryListRows(int mode, const Settings& settings) {
    if (mode != CategoryMainte) return kListSlots;
    return kMainteCount + (settings.MainteAddGasCost ? 1 : 0);
}

CategoryTotals ComputeCategoryTotals(const RecordTable& table, const Settings& settings,
                                     const ItemLists& lists, const MainteSettings& mainte, int mode,
                                     const QString& startText, const QString& endText, int shift,
                                     const std::function<void()>& step) {
    if (mode < CategoryFuel || mode > CategoryMainte) mode = CategoryFuel;
    const bool mainteMode = mode == CategoryMainte;

    CategoryTotals out;
    out.mode = mode;
    out.range = NormalizeMonthRange(startText, endText, shift, 0);
    const int m = out.range.Months();
    const QStringList names = ListNames(mode, settings, lists, mainte);
    const int n = static_cast<int>(names.size());
    out.listRows = n;
    out.columnCount = mainteMode ? kMainteCategoryColumnCount : kCategoryColumnCount;
    const int otherRow = n + 1;
    const int totalRow = n + 2;
    const int rowCount = n + 3;

    // The first list entry of a name wins; blank entries never match.
    QHash<QString, int> rowOfName;
    for (int k = 0; k < n; ++k) {
        const QString key = StripDefaultMark(names[k]).trimmed();
        if (!key.isEmpty() && !rowOfName.contains(key)) rowOfName.insert(key, k + 1);
    }

    QVector<QStringList>& grid = out.grid.rows;
    grid.resize(rowCount);
    grid[0] = CategoryHeaders(mode);
    const QStringList blankRow(out.columnCount, QString());
    for (int row = 1; row < rowCount; ++row)
        grid[row] = blankRow;
    for (int k = 0; k < n; ++k)
        grid[k + 1][0] = StripDefaultMark(names[k]);
    grid[otherRow][0] = QStringLiteral("上記以外  ");
    grid[totalRow][0] = QStringLiteral("  合  計  ");

    QVector<Work> work(rowCount);
    bool anyAdded = false;
    QString firstDay;
    QString lastDay;

    auto add = [&](const QString& category, const FuelRecord& record, const Addition& a) {
        const QString key = category.trimmed();
        const int row = key.isEmpty() ? otherRow : rowOfName.value(key, otherRow);
        if (!anyAdded) {
            anyAdded = true;
            firstDay = record.Day();
        }
        lastDay = record.Day();
        for (int target : {row, totalRow}) {
            Work& w = work[target];
            w.TakeEconomy(a.economy);
            if (mainteMode) {
                w.sum[MainteCategoryJobs] += a.count;
                w.sum[MainteCategoryCost] += a.cost;
            } else {
                w.sum[CategoryFuelCount] += a.count;
                w.sum[CategoryRun] += a.run;
                w.sum[CategoryGas] += a.gas;
                w.sum[CategoryCost] += a.cost;
                w.sum[CategoryTanka] += a.tanka;
            }
            if (record.noneHeikin == 0) {
                w.countedRun += a.run;
                w.countedGas += a.gas;
            }
        }
        if (mainteMode) grid[row][MainteCategoryLastDay] = record.Day();
    };

    const bool shifted =
        (mode == CategoryFuel && settings.GasSelShift) || (mode == CategoryStand && settings.StandShift);
    const int categoryColumn = mode == CategoryFuel    ? ColGasSel
                               : mode == CategoryStand ? ColStand
                                                       : ColPattern;
    // The category field of the nearest earlier refuelling; blank before the first one.
    QString previousCategory;

    const int count = table.RecordCount();
    for (int i = 1; i <= count; ++i) {
        if (step) step();
        const FuelRecord& r = table.At(i);
        const int row = MonthRowOfDay(out.range, r.Day());
        const bool inRange = row >= 1 && row <= m;
        if (!mainteMode) {
            if (r.kind != KindFuel) continue;
            if (inRange) {
                Addition a;
                a.run = RecordNumber(r.Run());
                a.gas = RecordNumber(r.Gas());
                a.economy = RecordNumber(r.Economy());
                a.cost = RecordNumber(r.Cost());
                a.tanka = RecordNumber(r.Tanka());
                add(shifted ? previousCategory : r.text[categoryColumn], r, a);
            }
            previousCategory = r.text[categoryColumn];
            continue;
        }
        if (!inRange) continue;
        if (settings.MainteAddGasCost && r.kind == KindFuel) {
            Addition a;
            a.cost = RecordNumber(r.Cost());
            add(QStringLiteral("燃料代金"), r, a);
        }
        QString rest = r.Mainte();
        while (!rest.isEmpty()) {
            const MainteLine line = SplitMainteLine(rest);
            if (line.item.trimmed().isEmpty()) continue;
            Addition a;
            a.cost = RecordNumber(line.cost);
            add(line.item, r, a);
        }
    }

    out.values = QVector<Row>(rowCount, Row{});
    const Work& total = work[totalRow];
    for (int row = 1; row < rowCount; ++row) {
        const Work& w = work[row];
        Row& v = out.values[row];
        v = w.sum;
        if (mainteMode) {
            v[MainteCategoryMeanCost] = Ratio(w.sum[MainteCategoryCost], w.sum[MainteCategoryJobs]);
            v[MainteCategoryShare] = Ratio(w.sum[MainteCategoryCost] * 100, total.sum[MainteCategoryCost]);
        } else {
            v[CategoryLowestEconomy] = w.lowestEconomy;
            v[CategoryAverageEconomy] = Ratio(w.countedRun, w.countedGas);
            v[CategoryHighestEconomy] = w.highestEconomy;
            v[CategoryTanka] = Ratio(w.sum[CategoryTanka], w.sum[CategoryFuelCount]);
            v[CategoryShare] = Ratio(w.sum[CategoryCost] * 100, total.sum[CategoryCost]);
        }
        if (v[1] == 0 && row != totalRow) continue;
        QStringList& cells = grid[row];
        if (mainteMode) {
            cells[MainteCategoryJobs] = ValueCell(v[MainteCategoryJobs], 0, 4);
            cells[MainteCategoryCost] = ValueCell(v[MainteCategoryCost], 0, 10);
            cells[MainteCategoryMeanCost] = ValueCell(v[MainteCategoryMeanCost], 0, 10);
            cells[MainteCategoryShare] = ShareCell(v[MainteCategoryShare]);
        } else {
            cells[CategoryFuelCount] = ValueCell(v[CategoryFuelCount], 0, 4);
            cells[CategoryRun] = ValueCell(v[CategoryRun], 1, 10);
            cells[CategoryGas] = ValueCell(v[CategoryGas], 2, 9);
            cells[CategoryLowestEconomy] = ValueCell(v[CategoryLowestEconomy], 2, 5);
            cells[CategoryAverageEconomy] = ValueCell(v[CategoryAverageEconomy], 2, 5);
            cells[CategoryHighestEconomy] = ValueCell(v[CategoryHighestEconomy], 2, 5);
            cells[CategoryCost] = ValueCell(v[CategoryCost], 0, 10);
            cells[CategoryTanka] = ValueCell(v[CategoryTanka], 1, 5);
            cells[CategoryShare] = ShareCell(v[CategoryShare]);
        }
    }
    if (!mainteMode) out.averageEconomy = out.values[totalRow][CategoryAverageEconomy];

    out.status = anyAdded ? QStringLiteral("有効ﾃﾞｰﾀ : ") + firstDay + QStringLiteral("～") + lastDay
                          : QStringLiteral("有効ﾃﾞｰﾀ : なし");
    return out;
}

}  // namespace tovrel
