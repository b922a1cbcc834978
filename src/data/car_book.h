// The files of the car books in the data folder: item lists, maintenance item settings, car
// information, print forms, and the file names of each car.
#pragma once

#include "data/print_forms.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <functional>
#include <optional>

namespace tovrel {

struct Settings;

inline constexpr int kMainteCount = 50;
inline constexpr int kListSlots = 10;

using NameList = std::array<QString, kListSlots + 1>;  // [1..10]

struct ItemLists {
    NameList Weather;
    NameList GasSel;
    NameList Stand;
    NameList Pattern;
    NameList Shop;
    NameList Car;  // slot k is car number k
};

struct MainteSetting {
    QString name;
    quint8 distanceCheck = 0;
    int distanceInterval = 0;
    quint8 dayCheck = 0;
    int dayInterval = 0;
    quint8 warning = 0;
    QString memo;

    bool operator==(const MainteSetting&) const = default;
};

using MainteSettings = std::array<MainteSetting, kMainteCount + 1>;  // [1..50]

using MainteFlags = std::array<quint8, kMainteCount + 1>;  // [1..50]

// The "MainteCheck" value of the car information: the 50 flags, each followed by ",".
MainteFlags DecodeMainteCheck(const QString& value);
QString EncodeMainteCheck(const MainteFlags& flags);

struct CarInfo {
    QString MyCarName;
    QString Maker;
    QString Number;
    QString TourokuDate = QStringLiteral("    /  /  ");
    QString NousyaDate = QStringLiteral("    /  /  ");
    QString NousyaRun = QStringLiteral("0");
    MainteFlags MainteCheck{};
    QString MokuhyoMivra;
    QString MyCarJpg;
};

// The built-in defaults.
ItemLists DefaultItemLists();
const MainteSettings& DefaultMainteSettings();

// The names of every file the program keeps in a data folder (the car books of cars 1..10, Setting.dat,
// PrintSet.dat).
QStringList DataFileNames();

// Reading and writing the maintenance item settings of one INI file (Setting.dat or MainteNN.dat).
class ProfileIni;
MainteSettings ReadMainteSettings(const ProfileIni& ini);
void WriteMainteSettings(ProfileIni& ini, const MainteSettings& settings);
QString MainteSettingValue(const MainteSetting& setting);

// Start-up car choice and the captions of the ten car menu items.
struct CarMenuItem {
    QString caption;
    bool enabled = false;
    bool checked = false;
};
struct CarMenuPlan {
    std::array<CarMenuItem, kListSlots + 1> items;  // [1..10]
    QVector<int> selectSequence;                    // the cars selected, in order; the last one is current
};
CarMenuPlan PlanCarMenus(const NameList& cars, int currentCar);

class CarBook {
public:
    QString dataFolder;  // ends in "/"
    int currentCar = 0;
    ItemLists lists;
    MainteSettings mainte;
    // The maintenance settings of Setting.dat as this book last read or wrote them (LoadItemLists,
    // SaveItemLists, the only places that read or write them), for the cars without their own file.
    std::optional<MainteSettings> sharedMainte;
    CarInfo carInfo;
    PrintForms printForms;

    // Data folder + stem + NN + ".dat"; with car 0 the data folder and the stem alone.
    QString CarFileName(const QString& stem) const { return CarFileName(stem, currentCar); }
    QString CarFileName(const QString& stem, int car) const;
    QString SharedFileName(const QString& stem) const;

    // The car list entry without its default mark, trimmed.
    QString CarName(int car) const;
    QString CarName() const { return CarName(currentCar); }

    // Item lists, maintenance settings (shared or per car) and print forms; performs a pending reset
    // of the maintenance settings. Write errors are returned but the lists stay loaded.
    bool LoadItemLists(Settings& settings, QString* error);
    // Only the current car's maintenance settings, after a LoadItemLists of this data folder: its own
    // file when MainteSelect and the file is there, otherwise those of Setting.dat as last read.
    bool LoadCarMainteSettings(const Settings& settings, QString* error);
    // Setting.dat, the car's Mainte file when MainteSelect, and PrintSet.dat. The step callback is
    // called four times, for a progress bar.
    bool SaveItemLists(const Settings& settings, QString* error, const std::function<void()>& step = {});
    bool ResetMainteSettings(const Settings& settings, QString* error);

    // A file that is there but cannot be read (or not in full) gives the defaults and the error; it is
    // then never written over (SaveCarInfo fails).
    bool LoadCarInfo(QString* error = nullptr);
    // The car information of any car, as LoadCarInfo reads it, leaving the book as it is.
    CarInfo ReadCarInfo(int car, QString* error = nullptr) const;
    bool SaveCarInfo(QString* error);
};

}  // namespace tovrel
