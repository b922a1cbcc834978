#include "bench_data.h"

#include "base/file_io.h"
#include "base/text_utils.h"
#include "data/log_file.h"

#include <QDate>

namespace tovrel::bench {

void FillLog(RecordTable& table, int n) {
    static const QString stands[] = {QStringLiteral("スタンドＡ"), QStringLiteral("ｾﾙﾌ駅前"),
                                     QStringLiteral("高速ＳＡ")};
    static const QString patterns[] = {QStringLiteral("通勤"), QStringLiteral("街乗り"),
                                       QStringLiteral("ドライブ")};
    table.BeginUpdate();
    table.SetRecordCount(n);
    QDate day(2005, 1, 1);
    double odometer = 10000;
    for (int i = 1; i <= n; ++i) {
        day = day.addDays(1 + i % 4);
        FuelRecord r;
        r.text[ColDay] = DateToText(day);
        r.text[ColYobi] = WeekdayText(day.year(), day.month(), day.day());
        r.text[ColTime] = i % 5 ? QStringLiteral("08:30") : QString();
        r.text[ColWeather] = QStringLiteral("晴れ");
        if (i % 9 == 0) {
            r.kind = KindMainte;
            odometer += 50;
            r.text[ColTotalRun] = QString::number(odometer, 'f', 1);
            r.text[ColCost] = QStringLiteral("5400");
            r.text[ColMainte] = QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換:4,000:\r\nｵｲﾙｴﾚﾒﾝﾄ交換:1,400:純正品");
            r.text[ColShop] = QStringLiteral("ショップＡ");
        } else {
            const double run = 300 + (i * 37) % 200;
            const double gas = 25 + (i * 13) % 15;
            odometer += run;
            r.text[ColRun] = QString::number(run, 'f', 1);
            r.text[ColTotalRun] = QString::number(odometer, 'f', 1);
            r.text[ColGas] = QString::number(gas, 'f', 2);
            r.text[ColEconomy] = QString::number(run / gas, 'f', 2);
            r.text[ColCost] = QString::number(static_cast<int>(gas * 140));
            r.text[ColTanka] = QStringLiteral("140");
            r.text[ColGasSel] = QStringLiteral("レギュラー");
            r.text[ColStand] = stands[i % 3];
            r.text[ColPattern] = patterns[i % 3];
            if (i % 7 == 0) r.text[ColMemo] = QStringLiteral("渋滞多し\r\n窓開け走行");
            r.noneHeikin = i % 20 == 0;
        }
        table.SetRecord(i, r);
    }
    table.EndUpdate();
}

bool WriteTenCars(const QString& folder) {
    QStringList setting = {QStringLiteral("[Car]")};
    bool ok = true;
    for (int car = 1; car <= 10; ++car) {
        setting.append(QStringLiteral("%1=%2車%3")
                           .arg(car, 2, 10, QLatin1Char('0'))
                           .arg(car == 1 ? QStringLiteral("*") : QString())
                           .arg(car));
        RecordTable table(2000);
        FillLog(table, 2000);
        ok = SaveLogFile(folder + QStringLiteral("Mivra%1.dat").arg(car, 2, 10, QLatin1Char('0')), table, nullptr) && ok;
    }
    return WriteFileAtomically(folder + QStringLiteral("Setting.dat"), EncodeCp932Lines(setting), nullptr) && ok;
}

}  // namespace tovrel::bench
