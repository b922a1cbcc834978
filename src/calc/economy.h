// The summary figures of the current car and the per-record rules for economy, distance, unit
// price and amount paid.
#pragma once

#include <QString>

namespace tovrel {

class RecordTable;
struct Settings;

QString DistanceUnitName(int runTani);    // "km" / "Mil"
QString VolumeUnitName(int gasTani);      // "L" / "Gal"
QString VolumeUnitLongName(int gasTani);  // "ﾘｯﾄﾙ" / "ｶﾞﾛﾝ"

struct EconomyStatus {
    double averageEconomy = 0;
    double distancePerDay = 0;
    QString averageText;   // status panel 1
    QString distanceText;  // status panel 2
};

// Average economy over the counted refuellings and the lifetime distance per day, with both
// status texts. An invalid date of an odometer reading is reported and counts as day 0.
EconomyStatus RecalcStatus(const RecordTable& table, int runTani, int gasTani);

// The colour mark of an economy figure in the list and the entry dialog: red below the average
// (MivraRed) or else below the target (MokuhyoRed); blue whenever the record is left out of the average.
enum class EconomyMark { None, Red, Blue };
EconomyMark MarkEconomy(double economy, double averageEconomy, double targetEconomy, bool noneHeikin,
                        const Settings& settings);

// Economy of one refuelling: distance / fuel, 0 without fuel.
double ComputeEconomy(double run, double gas);

// The nearest earlier refuelling with an odometer reading, searching back from the slot before
// recordIndex; 0 when there is none.
int FindOdometerReference(const RecordTable& table, int recordIndex);

// Whether the fuel type is one of the comma-separated diesel names.
bool IsDiesel(const QString& gasSel, const QString& keiyuName);

// Decimals of the unit price: 1 with TankaTen, else 0.
int TankaDecimals(const Settings& settings);

// Unit price from the amount paid (TankaCalc 1), rounded in the HasuuSyori mode.
double UnitPriceFromCost(double gas, double cost, bool diesel, const Settings& settings);
// Amount paid from the unit price (TankaCalc 2), rounded to a whole amount in the HasuuSyori mode.
double CostFromUnitPrice(double gas, double price, bool diesel, const Settings& settings);

}  // namespace tovrel
