#include "data/car_book.h"

#include "base/profile_ini.h"
#include "settings/settings.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>

namespace tovrel {

void PrintTo(const MainteSetting& s, std::ostream* os) {
    *os << '[' << s.name.toStdString() << ',' << int(s.distanceCheck) << ',' << s.distanceInterval << ','
        << int(s.dayCheck) << ',' << s.dayInterval << ',' << int(s.warning) << ',' << s.memo.toStdString()
        << ']';
}

namespace {

using namespace test;

bool Exists(const TempFolder& dir, const QString& name) {
    return QFileInfo::exists(dir.file(name));
}

// The [Mainte] and [MainteSetting] lines of a settings file, for comparing per-car copies.
QStringList MainteLines(const QByteArray& bytes) {
    QStringList lines;
    bool inMainte = false;
    for (const QString& line : QString::fromLatin1(bytes).split(QStringLiteral("\r\n"))) {
        if (line.startsWith(QLatin1Char('[')))
            inMainte = line == QStringLiteral("[Mainte]") || line == QStringLiteral("[MainteSetting]");
        if (inMainte && !line.isEmpty()) lines.append(line);
    }
    return lines;
}

// A Setting.dat of a user who has edited the lists and a few maintenance items.
QByteArray EditedSettingDat() {
    return SjisLines({
        S(u"[Weather]"),
        S(u"01=*快晴"),
        S(u"02=霧"),
        S(u"[GasSel]"),
        S(u"01=*ハイオク"),
        S(u"03=軽油"),
        S(u"[Car]"),
        S(u"01=私の愛車"),
        S(u"02=*セカンドカー"),
        S(u"[Mainte]"),
        S(u"01=*ｵｲﾙ交換"),
        S(u"02=ﾌｨﾙﾀｰ"),
        S(u"03=点検"),
        S(u"[MainteSetting]"),
        S(u"01=1,3000,1,90,1,純正,5W-30,"),
        S(u"02=0,0,1,365"),
        S(u"03=x,2000,,60,1,,"),
    });
}

TEST(CarBookFileNames, PerCarAndSharedNames) {
    CarBook book;
    book.dataFolder = QStringLiteral("/data/");
    EXPECT_EQ(book.CarFileName(QStringLiteral("Mivra")), QStringLiteral("/data/Mivra"));
    book.currentCar = 3;
    EXPECT_EQ(book.CarFileName(QStringLiteral("Mivra")), QStringLiteral("/data/Mivra03.dat"));
    EXPECT_EQ(book.CarFileName(QStringLiteral("CarInfo"), 10), QStringLiteral("/data/CarInfo10.dat"));
    EXPECT_EQ(book.SharedFileName(QStringLiteral("Setting")), QStringLiteral("/data/Setting.dat"));
}

TEST(CarBookItemLists, ReadsSettingDatWithMissingKeysEmpty) {
    TempFolder dir;
    WriteBytes(dir.path(), QStringLiteral("Setting.dat"), EditedSettingDat());
    Settings settings;
    CarBook book;
    book.dataFolder = dir.path();
    QString error;
    ASSERT_TRUE(book.LoadItemLists(settings, &error)) << error.toStdString();

    EXPECT_EQ(book.lists.Weather[1], S(u"*快晴"));
    EXPECT_EQ(book.lists.Weather[2], S(u"霧"));
    EXPECT_EQ(book.lists.Weather[3], QString());
    EXPECT_EQ(book.lists.GasSel[2], QString());
    EXPECT_EQ(book.lists.GasSel[3], S(u"軽油"));
    EXPECT_EQ(book.lists.Stand[1], QString());  // a missing section is not filled with defaults
    EXPECT_EQ(book.lists.Car[2], S(u"*セカンドカー"));

    EXPECT_EQ(book.mainte[1], (MainteSetting{S(u"*ｵｲﾙ交換"), 1, 3000, 1, 90, 1, S(u"純正")}));
    EXPECT_EQ(book.mainte[2], (MainteSetting{S(u"ﾌｨﾙﾀｰ"), 0, 0, 1, 365, 0, QString()}));
    EXPECT_EQ(book.mainte[3], (MainteSetting{S(u"点検"), 0, 2000, 0, 60, 1, QString()}));
    EXPECT_EQ(book.mainte[4], MainteSetting{});
    EXPECT_EQ(book.mainte[50], MainteSetting{});

    // Nothing is reset or rewritten; the print forms file is created on its own.
    EXPECT_FALSE(settings.MainteResetPending);
    EXPECT_EQ(ReadBytes(dir.file(QStringLiteral("Setting.dat"))), EditedSettingDat());
    EXPECT_EQ(ReadBytes(dir.file(QStringLiteral("PrintSet.dat"))),
              FixtureBytes(QStringLiteral("printset_default/PrintSet.dat")));
}

TEST(CarBookItemLists, MissingSettingDatWritesTheDefaults) {
    TempFolder dir;
    Settings settings;
    CarBook book;
    book.dataFolder = dir.path();
    book.lists.Car[4] = S(u"前の車");
    book.mainte[5].memo = S(u"前のメモ");
    book.mainte[40] = MainteSetting{S(u"独自"), 1, 1, 1, 1, 1, S(u"x")};
    QString error;
    ASSERT_TRUE(book.LoadItemLists(settings, &error)) << error.toStdString();

    const ItemLists defaults = DefaultItemLists();
    EXPECT_EQ(book.lists.Weather, defaults.Weather);
    EXPECT_EQ(book.lists.GasSel, defaults.GasSel);
    EXPECT_EQ(book.lists.Stand, defaults.Stand);
    EXPECT_EQ(book.lists.Pattern, defaults.Pattern);
    EXPECT_EQ(book.lists.Shop, defaults.Shop);
    EXPECT_EQ(book.lists.Car[1], S(u"*私の愛車"));
    for (int k = 2; k <= kListSlots; ++k)
        EXPECT_EQ(book.lists.Car[k], QString()) << k;
    for (int k = 1; k <= kMainteCount; ++k)
        EXPECT_EQ(book.mainte[k], DefaultMainteSettings()[k]) << k;
    EXPECT_FALSE(settings.MainteResetPending);

    EXPECT_EQ(ReadBytes(dir.file(QStringLiteral("Setting.dat"))),
              FixtureBytes(QStringLiteral("carbook_defaults/Setting.dat")));
    EXPECT_EQ(ReadBytes(dir.file(QStringLiteral("PrintSet.dat"))),
              FixtureBytes(QStringLiteral("printset_default/PrintSet.dat")));
    EXPECT_FALSE(Exists(dir, QStringLiteral("Mainte01.dat")));
    EXPECT_FALSE(Exists(dir, QStringLiteral("Mainte")));
}

TEST(CarBookItemLists, PerCarMainteFileOverridesTheSharedSettings) {
    TempFolder dir;
    WriteBytes(dir.path(), QStringLiteral("Setting.dat"), EditedSettingDat());
    WriteBytes(
        dir.path(), QStringLiteral("Mainte02.dat"),
        SjisLines({S(u"[Mainte]"), S(u"01=車2のｵｲﾙ"), S(u"[MainteSetting]"), S(u"01=1,7000,0,0,0,,")}));
    Settings settings;
    settings.MainteSelect = true;
    CarBook book;
    book.dataFolder = dir.path();
    book.currentCar = 2;
    QString error;
    ASSERT_TRUE(book.LoadItemLists(settings, &error));
    EXPECT_EQ(book.mainte[1], (MainteSetting{S(u"車2のｵｲﾙ"), 1, 7000, 0, 0, 0, QString()}));
    EXPECT_EQ(book.mainte[2], MainteSetting{});  // the whole set comes from the car's file
    EXPECT_EQ(book.lists.Weather[1], S(u"*快晴"));

    // A car without its own file keeps the shared settings.
    book.currentCar = 3;
    ASSERT_TRUE(book.LoadItemLists(settings, &error));
    EXPECT_EQ(book.mainte[1].name, S(u"*ｵｲﾙ交換"));
    EXPECT_EQ(book.mainte[1].distanceInterval, 3000);
    EXPECT_FALSE(Exists(dir, QStringLiteral("Mainte03.dat")));

    // Without MainteSelect the car's file is ignored.
    settings.MainteSelect = false;
    book.currentCar = 2;
    ASSERT_TRUE(book.LoadItemLists(settings, &error));
    EXPECT_EQ(book.mainte[1].name, S(u"*ｵｲﾙ交換"));
}

TEST(CarBookItemLists, PendingResetWithPerCarSettingsWritesEveryCarsFile) {
    TempFolder dir;
    Settings settings;
    settings.MainteSelect = true;
    CarBook book;
    book.dataFolder = dir.path();
    book.currentCar = 4;
    QString error;
    ASSERT_TRUE(book.LoadItemLists(settings, &error)) << error.toStdString();

    EXPECT_EQ(book.currentCar, 4);
    const QStringList shared = MainteLines(ReadBytes(dir.file(QStringLiteral("Setting.dat"))));
    ASSERT_EQ(shared.size(), 2 + 2 * kMainteCount);
    for (int car = 1; car <= kListSlots; ++car) {
        const QString name = QStringLiteral("Mainte%1.dat").arg(car, 2, 10, QLatin1Char('0'));
        ASSERT_TRUE(Exists(dir, name)) << name.toStdString();
        EXPECT_EQ(MainteLines(ReadBytes(dir.file(name))), shared) << name.toStdString();
    }
    EXPECT_FALSE(Exists(dir, QStringLiteral("Mainte")));
    EXPECT_FALSE(Exists(dir, QStringLiteral("Mainte11.dat")));
    for (int k = 1; k <= kMainteCount; ++k)
        EXPECT_EQ(book.mainte[k], DefaultMainteSettings()[k]) << k;
}

TEST(CarBookItemLists, UpgradeResetRestoresNamesAndIntervalsAndKeepsTheLists) {
    TempFolder dir;
    WriteBytes(dir.path(), QStringLiteral("Setting.dat"), EditedSettingDat());
    WriteBytes(dir.path(), QStringLiteral("Mainte01.dat"), SjisLines({S(u"[Mainte]"), S(u"01=古い")}));
    Settings settings;
    settings.MainteResetPending = true;
    CarBook book;
    book.dataFolder = dir.path();
    book.currentCar = 1;
    QString error;
    ASSERT_TRUE(book.LoadItemLists(settings, &error)) << error.toStdString();

    EXPECT_FALSE(settings.MainteResetPending);
    for (int k = 1; k <= kMainteCount; ++k)
        EXPECT_EQ(book.mainte[k], DefaultMainteSettings()[k]) << k;
    EXPECT_EQ(book.lists.Weather[1], S(u"*快晴"));
    EXPECT_EQ(book.lists.Car[2], S(u"*セカンドカー"));

    const ProfileIni saved(dir.file(QStringLiteral("Setting.dat")));
    EXPECT_EQ(saved.Read(QStringLiteral("Mainte"), QStringLiteral("01")), S(u"*ｴﾝｼﾞﾝｵｲﾙ交換"));
    EXPECT_EQ(saved.Read(QStringLiteral("MainteSetting"), QStringLiteral("01")),
              QStringLiteral("1,5000,1,180,1,,"));
    EXPECT_EQ(saved.Read(QStringLiteral("MainteSetting"), QStringLiteral("03")),
              QStringLiteral("1,50000,1,1800,1,,"));
    EXPECT_EQ(saved.Read(QStringLiteral("Weather"), QStringLiteral("01")), S(u"*快晴"));
    // Shared settings only: the per-car file is left alone.
    EXPECT_EQ(ReadBytes(dir.file(QStringLiteral("Mainte01.dat"))),
              SjisLines({S(u"[Mainte]"), S(u"01=古い")}));
}

TEST(CarBookItemLists, SaveRewritesTheListKeysAndKeepsOtherLines) {
    TempFolder dir;
    WriteBytes(dir.path(), QStringLiteral("Setting.dat"),
               SjisLines({
                   S(u"; メモ"),
                   S(u"[Weather]"),
                   S(u"01=*晴れ"),
                   S(u"Extra=残す"),
                   S(u"02=曇り"),
                   S(u"11=十一"),
                   S(u"[Other]"),
                   S(u"Key=値"),
                   S(u"[Mainte]"),
                   S(u"01=古い名前"),
                   S(u"51=範囲外"),
               }));
    Settings settings;
    CarBook book;
    book.dataFolder = dir.path();
    book.currentCar = 1;
    QString error;
    ASSERT_TRUE(book.LoadItemLists(settings, &error));
    book.lists.Weather[2].clear();
    book.lists.Weather[5] = S(u"台風");
    book.lists.Car[1] = S(u"*新しい車");
    book.mainte[1] = MainteSetting{S(u"*ｵｲﾙ"), 1, 4000, 1, 120, 0, S(u"5W-30,全合成")};
    book.printForms[2].name = S(u"自分用");

    int steps = 0;
    ASSERT_TRUE(book.SaveItemLists(settings, &error, [&] { ++steps; })) << error.toStdString();
    EXPECT_EQ(steps, 4);

    const QByteArray bytes = ReadBytes(dir.file(QStringLiteral("Setting.dat")));
    const QString text = QString::fromLatin1(bytes);
    EXPECT_TRUE(bytes.startsWith(test::Sjis(S(u"; メモ\r\n[Weather]\r\n"))));
    EXPECT_TRUE(bytes.contains(test::Sjis(S(u"Extra=残す\r\n"))));
    EXPECT_TRUE(bytes.contains(test::Sjis(S(u"11=十一\r\n"))));
    EXPECT_TRUE(bytes.contains(test::Sjis(S(u"[Other]\r\nKey=値\r\n"))));
    EXPECT_TRUE(bytes.contains(test::Sjis(S(u"51=範囲外\r\n"))));
    EXPECT_EQ(text.count(QStringLiteral("\r\n01=")), 8);  // once in each of the eight sections
    EXPECT_TRUE(bytes.contains("\r\n02=\r\n"));

    const ProfileIni saved(dir.file(QStringLiteral("Setting.dat")));
    EXPECT_EQ(saved.Read(QStringLiteral("Weather"), QStringLiteral("05")), S(u"台風"));
    EXPECT_EQ(saved.Read(QStringLiteral("Car"), QStringLiteral("01")), S(u"*新しい車"));
    EXPECT_EQ(saved.Read(QStringLiteral("Mainte"), QStringLiteral("01")), S(u"*ｵｲﾙ"));
    // A comma in a memo would cut it on reading, so it is stored as a full stop.
    EXPECT_EQ(saved.Read(QStringLiteral("MainteSetting"), QStringLiteral("01")),
              S(u"1,4000,1,120,0,5W-30.全合成,"));

    CarBook reread;
    reread.dataFolder = dir.path();
    ASSERT_TRUE(reread.LoadItemLists(settings, &error));
    EXPECT_EQ(reread.lists.Weather, book.lists.Weather);
    EXPECT_EQ(reread.mainte[1].memo, S(u"5W-30.全合成"));
    EXPECT_EQ(reread.printForms[2].name, S(u"自分用"));
    EXPECT_FALSE(Exists(dir, QStringLiteral("Mainte01.dat")));
}

TEST(CarBookItemLists, SaveWithPerCarSettingsWritesTheCurrentCarsFile) {
    TempFolder dir;
    Settings settings;
    CarBook book;
    book.dataFolder = dir.path();
    QString error;
    ASSERT_TRUE(book.LoadItemLists(settings, &error));
    settings.MainteSelect = true;
    book.currentCar = 7;
    book.mainte[2].dayInterval = 200;
    ASSERT_TRUE(book.SaveItemLists(settings, &error));

    const ProfileIni car(dir.file(QStringLiteral("Mainte07.dat")));
    EXPECT_EQ(car.Read(QStringLiteral("MainteSetting"), QStringLiteral("02")),
              QStringLiteral("1,10000,1,200,1,,"));
    EXPECT_FALSE(car.Contains(QStringLiteral("Car"), QStringLiteral("01")));
    EXPECT_FALSE(Exists(dir, QStringLiteral("Mainte01.dat")));
}

TEST(CarBookItemLists, UnwritableSettingDatIsReported) {
    TempFolder dir;
    ASSERT_TRUE(QDir().mkpath(dir.file(QStringLiteral("Setting.dat"))));
    Settings settings;
    CarBook book;
    book.dataFolder = dir.path();
    book.lists = DefaultItemLists();
    QString error;
    EXPECT_FALSE(book.SaveItemLists(settings, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(dir.file(QStringLiteral("Setting.dat"))).isDir());
}

TEST(CarBookItemLists, UnreadableSettingDatIsReportedNotTakenAsEmpty) {
    TempFolder dir;
    ASSERT_TRUE(QDir().mkpath(dir.file(QStringLiteral("Setting.dat"))));
    Settings settings;
    CarBook book;
    book.dataFolder = dir.path();
    QString error;
    EXPECT_FALSE(book.LoadItemLists(settings, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Setting.dat"))) << error.toStdString();
    EXPECT_FALSE(settings.MainteResetPending);
}

TEST(CarBookItemLists, ResetMainteSettingsRestoresDefaultsAndSaves) {
    TempFolder dir;
    WriteBytes(dir.path(), QStringLiteral("Setting.dat"), EditedSettingDat());
    Settings settings;
    CarBook book;
    book.dataFolder = dir.path();
    QString error;
    ASSERT_TRUE(book.LoadItemLists(settings, &error));
    ASSERT_TRUE(book.ResetMainteSettings(settings, &error));
    for (int k = 1; k <= kMainteCount; ++k)
        EXPECT_EQ(book.mainte[k], DefaultMainteSettings()[k]) << k;

    CarBook reread;
    reread.dataFolder = dir.path();
    ASSERT_TRUE(reread.LoadItemLists(settings, &error));
    for (int k = 1; k <= kMainteCount; ++k)
        EXPECT_EQ(reread.mainte[k], DefaultMainteSettings()[k]) << k;
    EXPECT_EQ(reread.lists.GasSel[1], S(u"*ハイオク"));
}

TEST(CarBookCarInfo, MissingFileGivesDefaultsAndTheListName) {
    TempFolder dir;
    CarBook book;
    book.dataFolder = dir.path();
    book.lists.Car[1] = S(u"*私の愛車");
    book.currentCar = 1;
    book.carInfo.Maker = S(u"前の車のﾒｰｶｰ");
    book.carInfo.MainteCheck[3] = 1;
    book.LoadCarInfo();

    EXPECT_EQ(book.carInfo.MyCarName, S(u"*私の愛車"));
    EXPECT_EQ(book.carInfo.Maker, QString());
    EXPECT_EQ(book.carInfo.Number, QString());
    EXPECT_EQ(book.carInfo.TourokuDate, QStringLiteral("    /  /  "));
    EXPECT_EQ(book.carInfo.NousyaDate, QStringLiteral("    /  /  "));
    EXPECT_EQ(book.carInfo.NousyaRun, QStringLiteral("0"));
    EXPECT_EQ(book.carInfo.MokuhyoMivra, QString());
    EXPECT_EQ(book.carInfo.MyCarJpg, QString());
    for (int k = 0; k <= kMainteCount; ++k)
        EXPECT_EQ(book.carInfo.MainteCheck[k], 0) << k;
}

TEST(CarBookCarInfo, ReadsKeysAndMainteCheckFlags) {
    TempFolder dir;
    WriteBytes(dir.path(), QStringLiteral("CarInfo02.dat"),
               SjisLines({S(u"[MyCarInfo]"), S(u"MyCarName="), S(u"Maker=ﾒｰｶｰ"), S(u"NousyaDate=2004/04/01"),
                          S(u"NousyaRun=1200"), S(u"MainteCheck=1,0,1,"), S(u"MokuhyoMivra=14.5")}));
    CarBook book;
    book.dataFolder = dir.path();
    book.lists.Car[2] = S(u"*セカンドカー");
    book.currentCar = 2;
    book.LoadCarInfo();

    EXPECT_EQ(book.carInfo.MyCarName, S(u"*セカンドカー"));
    EXPECT_EQ(book.carInfo.Maker, S(u"ﾒｰｶｰ"));
    EXPECT_EQ(book.carInfo.TourokuDate, QStringLiteral("    /  /  "));
    EXPECT_EQ(book.carInfo.NousyaDate, QStringLiteral("2004/04/01"));
    EXPECT_EQ(book.carInfo.NousyaRun, QStringLiteral("1200"));
    EXPECT_EQ(book.carInfo.MokuhyoMivra, QStringLiteral("14.5"));
    EXPECT_EQ(book.carInfo.MainteCheck[1], 1);
    EXPECT_EQ(book.carInfo.MainteCheck[2], 0);
    EXPECT_EQ(book.carInfo.MainteCheck[3], 1);
    for (int k = 4; k <= kMainteCount; ++k)
        EXPECT_EQ(book.carInfo.MainteCheck[k], 0) << k;

    WriteBytes(dir.path(), QStringLiteral("CarInfo02.dat"),
               SjisLines({S(u"[MyCarInfo]"), S(u"MyCarName=GT"), S(u"MainteCheck=x,1")}));
    book.LoadCarInfo();
    EXPECT_EQ(book.carInfo.MyCarName, QStringLiteral("GT"));
    EXPECT_EQ(book.carInfo.MainteCheck[1], 0);
    EXPECT_EQ(book.carInfo.MainteCheck[2], 1);
}

TEST(CarBookCarInfo, SaveWritesNineKeysWithFiftyFlags) {
    TempFolder dir;
    WriteBytes(dir.path(), QStringLiteral("CarInfo03.dat"),
               SjisLines({S(u"[MyCarInfo]"), S(u"Maker=旧"), S(u"[Note]"), S(u"a=b")}));
    CarBook book;
    book.dataFolder = dir.path();
    book.currentCar = 3;
    book.carInfo.MyCarName = S(u"週末車");
    book.carInfo.Maker = S(u"ﾒｰｶｰ");
    book.carInfo.Number = S(u"品川 300 あ 12-34");
    book.carInfo.TourokuDate = QStringLiteral("2003/12/24");
    book.carInfo.MainteCheck[1] = 1;
    book.carInfo.MainteCheck[50] = 1;
    book.carInfo.MokuhyoMivra = QStringLiteral("15");
    QString error;
    ASSERT_TRUE(book.SaveCarInfo(&error)) << error.toStdString();

    QString flags = QStringLiteral("1,");
    for (int k = 2; k < kMainteCount; ++k)
        flags += QStringLiteral("0,");
    flags += QStringLiteral("1,");
    EXPECT_EQ(
        ReadBytes(dir.file(QStringLiteral("CarInfo03.dat"))),
        SjisLines({S(u"[MyCarInfo]"), S(u"Maker=ﾒｰｶｰ"), S(u"MyCarName=週末車"),
                   S(u"Number=品川 300 あ 12-34"), S(u"TourokuDate=2003/12/24"), S(u"NousyaDate=    /  /  "),
                   S(u"NousyaRun=0"), QStringLiteral("MainteCheck=") + flags, S(u"MokuhyoMivra=15"),
                   S(u"MyCarJpg="), S(u"[Note]"), S(u"a=b")}));

    CarBook reread;
    reread.dataFolder = dir.path();
    reread.currentCar = 3;
    reread.LoadCarInfo();
    EXPECT_EQ(reread.carInfo.MainteCheck, book.carInfo.MainteCheck);
    EXPECT_EQ(reread.carInfo.Number, book.carInfo.Number);
    EXPECT_EQ(reread.carInfo.TourokuDate, QStringLiteral("2003/12/24"));
}

NameList Cars(std::initializer_list<const char16_t*> names) {
    NameList cars;
    int k = 1;
    for (const char16_t* name : names)
        cars[k++] = S(name);
    return cars;
}

TEST(CarMenus, StartupLoadsTheFirstCarThenEveryMarkedCar) {
    const CarMenuPlan plan = PlanCarMenus(Cars({u"私の愛車", u"*セカンドカー"}), 0);
    EXPECT_EQ(plan.selectSequence, (QVector<int>{1, 2}));
    EXPECT_EQ(plan.items[1].caption, S(u"&1:私の愛車"));
    EXPECT_EQ(plan.items[2].caption, S(u"&2:セカンドカー"));
    EXPECT_FALSE(plan.items[1].checked);
    EXPECT_TRUE(plan.items[2].checked);
    EXPECT_TRUE(plan.items[1].enabled);
    EXPECT_EQ(plan.items[3].caption, S(u"- 未登録 -"));
    EXPECT_FALSE(plan.items[3].enabled);
}

TEST(CarMenus, EmptySlotsAreDisabledBetweenCars) {
    const CarMenuPlan plan = PlanCarMenus(Cars({u"*通勤車", u"", u"週末車"}), 0);
    EXPECT_EQ(plan.items[1].caption, S(u"&1:通勤車"));
    EXPECT_EQ(plan.items[2].caption, S(u"- 未登録 -"));
    EXPECT_FALSE(plan.items[2].enabled);
    EXPECT_EQ(plan.items[3].caption, S(u"&3:週末車"));
    EXPECT_TRUE(plan.items[3].enabled);
    EXPECT_EQ(plan.selectSequence, QVector<int>{1});
    EXPECT_TRUE(plan.items[1].checked);
    EXPECT_FALSE(plan.items[3].checked);
}

TEST(CarMenus, NoRegisteredCarSelectsNothing) {
    const CarMenuPlan plan = PlanCarMenus(Cars({u"  ", u""}), 0);
    EXPECT_TRUE(plan.selectSequence.isEmpty());
    for (int k = 1; k <= kListSlots; ++k) {
        EXPECT_EQ(plan.items[k].caption, S(u"- 未登録 -")) << k;
        EXPECT_FALSE(plan.items[k].enabled) << k;
        EXPECT_FALSE(plan.items[k].checked) << k;
    }
}

TEST(CarMenus, RebuildWithACarCurrentMovesToTheMarkedCar) {
    const NameList cars = Cars({u"私の愛車", u"セカンドカー", u" *週末車 "});
    const CarMenuPlan marked = PlanCarMenus(cars, 2);
    EXPECT_EQ(marked.selectSequence, QVector<int>{3});
    EXPECT_EQ(marked.items[3].caption, S(u"&3:週末車"));
    EXPECT_TRUE(marked.items[3].checked);
    EXPECT_FALSE(marked.items[2].checked);

    // Without a marked car the current one stays ticked and nothing is reloaded.
    const CarMenuPlan unmarked = PlanCarMenus(Cars({u"私の愛車", u"セカンドカー"}), 2);
    EXPECT_TRUE(unmarked.selectSequence.isEmpty());
    EXPECT_TRUE(unmarked.items[2].checked);
    EXPECT_FALSE(unmarked.items[1].checked);
}

}  // namespace
}  // namespace tovrel
