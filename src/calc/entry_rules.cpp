#include "calc/entry_rules.h"

#include "base/text_utils.h"
#include "calc/economy.h"
#include "data/mainte_line.h"
#include "data/record_table.h"
#include "settings/settings.h"

namespace tovrel {

namespace {

QString Fixed(double value, int decimals) {
    return FormatFixed(0, decimals, value);
}

QString Grouped(double value, int decimals) {
    return GroupDigits(Fixed(value, decimals));
}

QStringList SplitLines(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return plain.split(QLatin1Char('\n'));
}

QString JoinLines(const QStringList& lines) {
    return lines.join(QLatin1Char('\n'));
}

bool IsBlankLine(QString line) {
    line.remove(QLatin1Char('#'));
    line.remove(QLatin1Char(' '));
    line.remove(QChar(0x3000));
    line.remove(QLatin1Char('\r'));
    return line.isEmpty();
}

QString WithoutSeparators(const QString& text) {
    QString s = text;
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    s.remove(QLatin1Char('#'));
    return s;
}

}  // namespace

QString NormalNumberText(const QString& text, int decimals) {
    return Grouped(ParseNumber(text, decimals, 0), decimals);
}

QString EditingNumberText(const QString& text) {
    QString s = text;
    s.remove(QLatin1Char(','));
    return s;
}

double ApplyEconomyStep(EntryFigures& figures) {
    const double gas = ParseNumber(figures.gas, GasDecimals, 0);
    const double run = ParseNumber(figures.run, RunDecimals, 0);
    const double economy = ComputeEconomy(run, gas);
    figures.gas = Fixed(gas, GasDecimals);
    figures.run = Grouped(run, RunDecimals);
    figures.economy = Fixed(economy, EconomyDecimals);
    return economy;
}

bool ApplyPriceComputation(EntryFigures& figures, const Settings& settings) {
    if (figures.kind != KindFuel) return false;
    const double gas = ParseNumber(figures.gas, GasDecimals, 0);
    const bool diesel = IsDiesel(figures.gasSel, settings.KeiyuName);
    const int tankaDecimals = TankaDecimals(settings);
    if (settings.TankaCalc == 1) {
        const double cost = ParseNumber(figures.cost, CostDecimals, 0);
        figures.tanka = Grouped(UnitPriceFromCost(gas, cost, diesel, settings), tankaDecimals);
        return true;
    }
    if (settings.TankaCalc == 2) {
        const double price = ParseNumber(figures.tanka, tankaDecimals, 0);
        figures.cost = Grouped(CostFromUnitPrice(gas, price, diesel, settings), CostDecimals);
        return true;
    }
    return false;
}

bool ApplyDistanceComputation(EntryFigures& figures, const RecordTable& table, int recordIndex,
                              int runCalcSelect) {
    if (figures.kind != KindFuel || (runCalcSelect != 1 && runCalcSelect != 2)) return false;
    const int reference = FindOdometerReference(table, recordIndex);
    if (reference == 0) return false;
    const double odometer = ParseNumber(table.At(reference).TotalRun(), RunDecimals, 0);
    if (runCalcSelect == 1) {
        const double run = ParseNumber(figures.run, RunDecimals, 0);
        figures.totalRun = Grouped(odometer + run, RunDecimals);
    } else {
        const double totalRun = ParseNumber(figures.totalRun, RunDecimals, 0);
        figures.run = Grouped(totalRun - odometer, RunDecimals);
    }
    ApplyEconomyStep(figures);
    return true;
}

QString TimeTextOnEnter(const QString& text) {
    return FormatHourMinutes(ParseHourMinutes(text), 2, false);
}

bool TimeTextOnLeave(const QString& text, QString* normal) {
    QString digits = text;
    digits.remove(QLatin1Char(':'));
    if (digits.trimmed().isEmpty()) {
        *normal = BlankTime;
        return true;
    }
    *normal = NormalizeTime(text);
    return !normal->isEmpty();
}

bool DateTextOnLeave(const QString& text, QString* normal, QString* weekday) {
    int year = 0;
    int month = 0;
    int day = 0;
    *normal = NormalizeDate(text, &year, &month, &day);
    *weekday = normal->isEmpty() ? QStringLiteral("？") : WeekdayText(year, month, day);
    return !normal->isEmpty();
}

QString CleanJobName(const QString& name) {
    return WithoutSeparators(name).trimmed();
}

QString CleanMemoText(const QString& text) {
    return WithoutSeparators(text);
}

QString AddMainteLine(const QString& list, const QString& name, const QString& cost) {
    QStringList lines = list.isEmpty() ? QStringList() : SplitLines(list);
    const QString job = CleanJobName(name);
    if (!job.isEmpty()) {
        lines.append(job + QLatin1Char(':') + NormalNumberText(cost, CostDecimals).trimmed() +
                     QLatin1Char(':'));
    }
    return RemoveBlankLines(JoinLines(lines));
}

QString RemoveBlankLines(const QString& list) {
    QStringList kept;
    for (const QString& line : SplitLines(list)) {
        if (!IsBlankLine(line)) kept.append(line);
    }
    return JoinLines(kept);
}

int CountLines(const QString& text) {
    if (text.isEmpty()) return 0;
    QStringList lines = SplitLines(text);
    if (lines.last().isEmpty()) lines.removeLast();
    return int(lines.size());
}

double MainteTotal(const QString& list) {
    double total = 0;
    QString rest = ToRecordLines(list);
    while (!rest.isEmpty()) total += ParseNumber(StripGrouping(SplitMainteLine(rest).cost), 0, 0);
    return total;
}

QString MainteCaption(const QString& list) {
    return QStringLiteral("メンテ一覧   合計金額：%1円 （%2行）")
        .arg(Grouped(MainteTotal(list), 0))
        .arg(CountLines(list));
}

QString MemoCaption(const QString& memo) {
    return QStringLiteral("メモ （%1行）").arg(CountLines(memo));
}

QString ToRecordLines(const QString& text) {
    QString s = JoinLines(SplitLines(text));
    s.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    while (s.endsWith(QStringLiteral("\r\n")))
        s.chop(2);
    return s;
}

QString FromRecordLines(const QString& text) {
    return JoinLines(SplitLines(text));
}

QStringList ListNames(const NameList& list) {
    return QStringList(list.begin() + 1, list.end());
}

QStringList MainteNames(const MainteSettings& mainte) {
    QStringList names;
    for (int k = 1; k <= kMainteCount; ++k)
        names.append(mainte[k].name);
    return names;
}

QStringList ComboItems(const QStringList& names) {
    QStringList items;
    for (const QString& name : names) {
        const QString item = StripDefaultMark(name);
        if (!item.isEmpty()) items.append(item);
    }
    return items;
}

QString DefaultItem(const QStringList& names) {
    for (const QString& name : names) {
        if (name.startsWith(QLatin1Char('*'))) return StripDefaultMark(name);
    }
    return QString();
}

bool EntryRecordsDiffer(const FuelRecord& a, const FuelRecord& b) {
    if (a.kind != b.kind || a.noneHeikin != b.noneHeikin || a.memoGraph != b.memoGraph) return true;
    for (int col = ColDay; col < ColumnCount; ++col) {
        const bool same = IsNumericColumn(col) ? StripGrouping(a.text[col]) == StripGrouping(b.text[col])
                                               : a.text[col] == b.text[col];
        if (!same) return true;
    }
    return false;
}

FuelRecord RecordForStorage(const FuelRecord& record) {
    FuelRecord stored = record;
    for (int col : {ColRun, ColGas, ColTotalRun, ColCost, ColTanka})
        stored.text[col] = StripGrouping(stored.text[col]);
    if (stored.kind != KindFuel) {
        for (int col : {ColRun, ColEconomy, ColGasSel, ColStand, ColPattern})
            stored.text[col].clear();
    }
    return stored;
}

}  // namespace tovrel
