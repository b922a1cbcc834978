#include "calc/economy.h"

#include "base/text_utils.h"
#include "data/record_table.h"
#include "settings/settings.h"

namespace tovrel {

QString DistanceUnitName(int runTani) {
    return runTani == 1 ? QStringLiteral("Mil") : QStringLiteral("km");
}

QString VolumeUnitName(int gasTani) {
    return gasTani == 1 ? QStringLiteral("Gal") : QStringLiteral("L");
}

QString VolumeUnitLongName(int gasTani) {
    return gasTani == 1 ? QStringLiteral("ｶﾞﾛﾝ") : QStringLiteral("ﾘｯﾄﾙ");
}

EconomyStatus RecalcStatus(const RecordTable& table, int runTani, int gasTani) {
    EconomyStatus status;
    double distanceSum = 0;
    double fuelSum = 0;
    const int n = table.RecordCount();
    for (int i = 1; i <= n; ++i) {
        const FuelRecord& r = table.At(i);
        if (r.kind != KindFuel || r.noneHeikin != 0) continue;
        distanceSum += ParseNumber(r.Run(), 2, 0);
        fuelSum += ParseNumber(r.Gas(), 2, 0);
    }
    // The first and the last record with an odometer reading.
    const auto odometer = [&table](int i) { return ParseNumber(table.At(i).TotalRun(), 1, 0); };
    int first = 1;
    while (first <= n && odometer(first) == 0)
        ++first;
    int last = n;
    while (last > first && odometer(last) == 0)
        --last;
    const double firstOdometer = first <= n ? odometer(first) : 0;
    const double lastOdometer = first <= n ? odometer(last) : 0;
    const QString& firstDate = table.At(first).Day();
    const QString& lastDate = table.At(last).Day();
    if (fuelSum != 0) status.averageEconomy = distanceSum / fuelSum;
    if (lastOdometer - firstOdometer > 0) {
        // One after the other, so that two bad dates are always reported in the same order.
        const int lastDay = ParseDateStrict(lastDate);
        const int firstDay = ParseDateStrict(firstDate);
        const int days = lastDay - firstDay;
        if (days >= 1) status.distancePerDay = (lastOdometer - firstOdometer) / days;
    }
    const QString unit = DistanceUnitName(runTani);
    status.averageText = QStringLiteral("平均燃費 : ") + FormatFixed(0, 2, status.averageEconomy) + unit +
                         QLatin1Char('/') + VolumeUnitName(gasTani);
    status.distanceText = QStringLiteral("平均走行距離（生涯平均）：") +
                          FormatGrouped(status.distancePerDay * 30, 0) + unit + QStringLiteral("/月（") +
                          FormatGrouped(status.distancePerDay, 1) + unit + QStringLiteral("/日）");
    return status;
}

EconomyMark MarkEconomy(double economy, double averageEconomy, double targetEconomy, bool noneHeikin,
                        const Settings& settings) {
    if (noneHeikin) return EconomyMark::Blue;
    if (settings.MivraRed && economy < averageEconomy) return EconomyMark::Red;
    if (settings.MokuhyoRed && targetEconomy > economy) return EconomyMark::Red;
    return EconomyMark::None;
}

double ComputeEconomy(double run, double gas) {
    return gas != 0 ? run / gas : 0;
}

int FindOdometerReference(const RecordTable& table, int recordIndex) {
    for (int i = std::min(recordIndex - 1, table.RecordCount()); i >= 1; --i) {
        const FuelRecord& r = table.At(i);
        if (r.kind == KindFuel && ParseNumber(r.TotalRun(), 1, 0) != 0) return i;
    }
    return 0;
}

bool IsDiesel(const QString& gasSel, const QString& keiyuName) {
    const QString fuel = gasSel.trimmed();
    for (int k = 1;; ++k) {
        const QString name = CommaItem(keiyuName, k).trimmed();
        if (name.isEmpty()) return false;
        if (name == fuel) return true;
    }
}

int TankaDecimals(const Settings& settings) {
    return settings.TankaTen ? 1 : 0;
}

namespace {
double TaxRate(const Settings& s) {
    return s.TankaZeikomi ? 0.0 : ParseNumber(s.ZeiRitsu, 1, 0);
}
double DieselTax(const Settings& s) {
    return ParseNumber(s.KeiyuZei, 2, 0);
}
}  // namespace

double UnitPriceFromCost(double gas, double cost, bool diesel, const Settings& settings) {
    const double rate = TaxRate(settings);
    const double dieselTax = DieselTax(settings);
    if (diesel) cost -= gas * dieselTax;
    double price = (gas != 0 && rate + 100 != 0) ? cost * 100 / gas / (rate + 100) : 0;
    if (diesel) price += dieselTax;
    return RoundFraction(settings.HasuuSyori, TankaDecimals(settings), price);
}

double CostFromUnitPrice(double gas, double price, bool diesel, const Settings& settings) {
    const double rate = TaxRate(settings);
    const double dieselTax = DieselTax(settings);
    if (diesel) price -= dieselTax;
    double cost = gas * price * (rate + 100) / 100;
    if (diesel) cost = gas * dieselTax + cost;
    return RoundFraction(settings.HasuuSyori, 0, cost);
}

}  // namespace tovrel
