#include "data/car_book.h"

#include "base/file_io.h"
#include "base/profile_ini.h"
#include "base/text_utils.h"
#include "settings/settings.h"

#include <QStringBuilder>

namespace tovrel {

namespace {

const QString kMainteSection = QStringLiteral("Mainte");
const QString kMainteSettingSection = QStringLiteral("MainteSetting");
const QString kCarInfoSection = QStringLiteral("MyCarInfo");
const QString kEmptyDate = QStringLiteral("    /  /  ");

struct ListSection {
    NameList ItemLists::*list;
    const char16_t* section;
};
const ListSection kListSections[] = {
    {&ItemLists::Weather, u"Weather"}, {&ItemLists::GasSel, u"GasSel"}, {&ItemLists::Stand, u"Stand"},
    {&ItemLists::Pattern, u"Pattern"}, {&ItemLists::Shop, u"Shop"},     {&ItemLists::Car, u"Car"},
};

QString Join(const QString& a, const QString& b) {
    return a.isEmpty() ? b : a + QLatin1Char('\n') + b;
}

}  // namespace

QStringList DataFileNames() {
    QStringList names{QStringLiteral("Setting.dat"), QStringLiteral("PrintSet.dat")};
    for (const char16_t* stem : {u"Mivra", u"CarInfo", u"CarMemo", u"Mainte"}) {
        for (int car = 1; car <= kListSlots; ++car)
            names.append(QStringView(stem) % TwoDigits(car) % QLatin1StringView(".dat"));
    }
    return names;
}

ItemLists DefaultItemLists() {
    ItemLists l;
    l.Weather[1] = QStringLiteral("*晴れ");
    l.Weather[2] = QStringLiteral("曇り");
    l.Weather[3] = QStringLiteral("雨");
    l.Weather[4] = QStringLiteral("雪");
    l.Weather[10] = QStringLiteral("ｿﾉ他");
    l.GasSel[1] = QStringLiteral("*レギュラー");
    l.GasSel[2] = QStringLiteral("ハイオク");
    l.GasSel[3] = QStringLiteral("軽油");
    l.GasSel[10] = QStringLiteral("その他");
    l.Stand[1] = QStringLiteral("*スタンドＡ");
    l.Stand[10] = QStringLiteral("その他");
    l.Pattern[1] = QStringLiteral("*通勤");
    l.Pattern[2] = QStringLiteral("街乗り");
    l.Pattern[3] = QStringLiteral("郊外走行");
    l.Pattern[4] = QStringLiteral("ドライブ");
    l.Pattern[5] = QStringLiteral("帰省");
    l.Pattern[6] = QStringLiteral("高速道路");
    l.Pattern[7] = QStringLiteral("ｽﾎﾟｰﾂ走行");
    l.Pattern[10] = QStringLiteral("その他");
    l.Shop[1] = QStringLiteral("ショップＡ");
    l.Shop[10] = QStringLiteral("その他");
    l.Car[1] = QStringLiteral("*私の愛車");
    return l;
}

const MainteSettings& DefaultMainteSettings() {
    static const MainteSettings defaults = [] {
        struct Row {
            int slot;
            const char16_t* name;
            quint8 distanceCheck;
            int distance;
            quint8 dayCheck;
            int days;
            quint8 warning;
        };
        const Row rows[] = {
            {1, u"*ｴﾝｼﾞﾝｵｲﾙ交換", 1, 5000, 1, 180, 1},  {2, u"ｵｲﾙｴﾚﾒﾝﾄ交換", 1, 10000, 1, 365, 1},
            {3, u"ﾐｯｼｮﾝｵｲﾙ交換", 1, 50000, 1, 1800, 1}, {4, u"ATﾌﾙｰﾄﾞ交換", 1, 30000, 1, 1100, 1},
            {5, u"ﾀｲﾔ空気圧調整", 0, 0, 1, 30, 1},      {6, u"ﾀｲﾔﾛｰﾃｰｼｮﾝ", 1, 5000, 1, 180, 1},
            {7, u"ﾀｲﾔ交換", 1, 30000, 1, 1100, 1},      {8, u"ﾌﾞﾚｰｷﾊﾟｯﾄﾞ交換", 1, 30000, 0, 0, 1},
            {9, u"ﾜｲﾊﾟｰ交換", 0, 0, 1, 180, 1},         {10, u"ｶﾞﾗｽｺｰﾃｨﾝｸﾞ", 0, 0, 1, 30, 1},
            {11, u"ﾊﾞｯﾃﾘｰ交換", 0, 0, 1, 1100, 1},      {12, u"ｴｱｰｸﾘｰﾅｰ交換", 1, 30000, 1, 1100, 1},
            {13, u"ﾌﾟﾗｸﾞ交換", 1, 30000, 1, 1100, 1},   {14, u"冷却水交換", 0, 0, 1, 730, 1},
            {17, u"12ヶ月点検", 0, 0, 1, 365, 1},       {18, u"車検", 0, 0, 1, 730, 1},
            {21, u"任意保険", 0, 0, 1, 365, 1},         {22, u"自賠責保険", 0, 0, 1, 730, 1},
            {25, u"自動車税", 0, 0, 1, 365, 1},         {26, u"自動車重量税", 0, 0, 1, 730, 1},
            {29, u"契約駐車場料金", 0, 0, 1, 30, 1},    {32, u"その他", 0, 0, 0, 0, 0},
        };
        MainteSettings m;
        for (const Row& r : rows) {
            m[r.slot] = MainteSetting{QString::fromUtf16(r.name),
                                      r.distanceCheck,
                                      r.distance,
                                      r.dayCheck,
                                      r.days,
                                      r.warning,
                                      QString()};
        }
        return m;
    }();
    return defaults;
}

MainteSettings ReadMainteSettings(const ProfileIni& ini) {
    MainteSettings m;
    for (int k = 1; k <= kMainteCount; ++k) {
        MainteSetting& s = m[k];
        const QString key = TwoDigits(k);
        s.name = ini.Read(kMainteSection, key);
        std::array<QString, 6> items;
        CommaItems(ini.Read(kMainteSettingSection, key), items);
        s.distanceCheck = static_cast<quint8>(ParseInt(items[0], 0) != 0);
        s.distanceInterval = ParseInt(items[1], 0);
        s.dayCheck = static_cast<quint8>(ParseInt(items[2], 0) != 0);
        s.dayInterval = ParseInt(items[3], 0);
        s.warning = static_cast<quint8>(ParseInt(items[4], 0) != 0);
        s.memo = std::move(items[5]);
    }
    return m;
}

QString MainteSettingValue(const MainteSetting& s) {
    QString memo = s.memo;
    memo.replace(QLatin1Char(','), QLatin1Char('.'));  // a comma would cut the memo on reading
    return QString::number(s.distanceCheck) + QLatin1Char(',') + QString::number(s.distanceInterval) +
           QLatin1Char(',') + QString::number(s.dayCheck) + QLatin1Char(',') +
           QString::number(s.dayInterval) + QLatin1Char(',') + QString::number(s.warning) + QLatin1Char(',') +
           memo + QLatin1Char(',');
}

void WriteMainteSettings(ProfileIni& ini, const MainteSettings& settings) {
    for (int k = 1; k <= kMainteCount; ++k) {
        ini.Write(kMainteSection, TwoDigits(k), settings[k].name);
        ini.Write(kMainteSettingSection, TwoDigits(k), MainteSettingValue(settings[k]));
    }
}

CarMenuPlan PlanCarMenus(const NameList& cars, int currentCar) {
    CarMenuPlan plan;
    bool carCurrent = currentCar > 0;
    for (int k = 1; k <= kListSlots; ++k) {
        CarMenuItem& item = plan.items[k];
        const QString name = cars[k].trimmed();
        if (name.isEmpty()) {
            item.caption = QStringLiteral("- 未登録 -");
            continue;
        }
        item.caption = QLatin1Char('&') + QString::number(k) + QLatin1Char(':') + StripDefaultMark(name);
        item.enabled = true;
        if (carCurrent && !name.startsWith(QLatin1Char('*'))) continue;
        plan.selectSequence.append(k);
        carCurrent = true;
    }
    const int checked = plan.selectSequence.isEmpty() ? currentCar : plan.selectSequence.last();
    if (checked >= 1 && checked <= kListSlots) plan.items[checked].checked = true;
    return plan;
}

QString CarBook::CarFileName(const QString& stem, int car) const {
    if (car <= 0) return dataFolder + stem;
    return dataFolder + stem + TwoDigits(car) + QStringLiteral(".dat");
}

QString CarBook::SharedFileName(const QString& stem) const {
    return dataFolder + stem + QStringLiteral(".dat");
}

QString CarBook::CarName(int car) const {
    if (car < 1 || car > kListSlots) return QString();
    return StripDefaultMark(lists.Car[car].trimmed()).trimmed();
}

bool CarBook::LoadItemLists(Settings& settings, QString* error) {
    QString errors;
    const QString settingPath = SharedFileName(QStringLiteral("Setting"));
    if (FileEntryExists(settingPath)) {
        const ProfileIni ini(settingPath);
        // An unreadable file is no missing file: its lists must not be replaced by the defaults.
        if (!ini.Problem().isEmpty()) errors = Join(errors, ini.Problem());
        for (const ListSection& ls : kListSections) {
            NameList& list = lists.*(ls.list);
            const QString section = QString::fromUtf16(ls.section);
            for (int k = 1; k <= kListSlots; ++k)
                list[k] = ini.Read(section, TwoDigits(k));
        }
        mainte = ReadMainteSettings(ini);
    } else {
        lists = DefaultItemLists();
        for (int k = 1; k <= kMainteCount; ++k)
            mainte[k].name = DefaultMainteSettings()[k].name;
        settings.MainteResetPending = true;
    }
    sharedMainte = mainte;
    QString carError;
    if (!LoadCarMainteSettings(settings, &carError)) errors = Join(errors, carError);
    QString printError;
    if (!LoadPrintForms(SharedFileName(QStringLiteral("PrintSet")), printForms, &printError)) {
        errors = Join(errors, printError);
    }
    if (settings.MainteResetPending) {
        settings.MainteResetPending = false;
        QString resetError;
        bool ok = true;
        if (settings.MainteSelect) {
            const int remembered = currentCar;
            for (int car = 1; car <= kListSlots; ++car) {
                currentCar = car;
                ok = ResetMainteSettings(settings, &resetError) && ok;
            }
            currentCar = remembered;
        } else {
            ok = ResetMainteSettings(settings, &resetError);
        }
        if (!ok) errors = Join(errors, resetError);
    }
    if (error) *error = errors;
    return errors.isEmpty();
}

bool CarBook::LoadCarMainteSettings(const Settings& settings, QString* error) {
    if (sharedMainte) mainte = *sharedMainte;
    QString problem;
    if (settings.MainteSelect && currentCar >= 1 && currentCar <= kListSlots) {
        const QString carPath = CarFileName(QStringLiteral("Mainte"));
        if (FileEntryExists(carPath)) {
            const ProfileIni carIni(carPath);
            if (carIni.exists()) mainte = ReadMainteSettings(carIni);
            problem = carIni.Problem();
        }
    }
    if (error) *error = problem;
    return problem.isEmpty();
}

bool CarBook::SaveItemLists(const Settings& settings, QString* error, const std::function<void()>& step) {
    const auto stepOnce = [&] {
        if (step) step();
    };
    ProfileIni ini(SharedFileName(QStringLiteral("Setting")));
    for (const ListSection& ls : kListSections) {
        for (int k = 1; k <= kListSlots; ++k)
            ini.Delete(QString::fromUtf16(ls.section), TwoDigits(k));
    }
    for (int k = 1; k <= kMainteCount; ++k)
        ini.Delete(kMainteSection, TwoDigits(k));
    stepOnce();
    for (const ListSection& ls : kListSections) {
        const NameList& list = lists.*(ls.list);
        for (int k = 1; k <= kListSlots; ++k)
            ini.Write(QString::fromUtf16(ls.section), TwoDigits(k), list[k]);
    }
    WriteMainteSettings(ini, mainte);
    stepOnce();
    QString errors;
    QString e;
    if (ini.Flush(&e))
        sharedMainte = mainte;
    else
        errors = Join(errors, e);
    if (settings.MainteSelect) {
        ProfileIni carIni(CarFileName(QStringLiteral("Mainte")));
        WriteMainteSettings(carIni, mainte);
        if (!carIni.Flush(&e)) errors = Join(errors, e);
    }
    stepOnce();
    if (!SavePrintForms(SharedFileName(QStringLiteral("PrintSet")), printForms, &e)) errors = Join(errors, e);
    stepOnce();
    if (error) *error = errors;
    return errors.isEmpty();
}

bool CarBook::ResetMainteSettings(const Settings& settings, QString* error) {
    const MainteSettings& defaults = DefaultMainteSettings();
    for (int k = 1; k <= kMainteCount; ++k) {
        mainte[k] = defaults[k];
        mainte[k].memo.clear();
    }
    return SaveItemLists(settings, error);
}

MainteFlags DecodeMainteCheck(const QString& value) {
    MainteFlags flags{};
    std::array<QString, kMainteCount> items;
    CommaItems(value, items);
    for (int k = 1; k <= kMainteCount; ++k)
        flags[k] = static_cast<quint8>(ParseInt(items[k - 1], 0) != 0);
    return flags;
}

QString EncodeMainteCheck(const MainteFlags& flags) {
    QString value;
    for (int k = 1; k <= kMainteCount; ++k)
        value += QString::number(flags[k]) + QLatin1Char(',');
    return value;
}

bool CarBook::LoadCarInfo(QString* error) {
    QString problem;
    carInfo = ReadCarInfo(currentCar, &problem);
    if (error) *error = problem;
    return problem.isEmpty();
}

CarInfo CarBook::ReadCarInfo(int car, QString* error) const {
    CarInfo info;
    const QString path = CarFileName(QStringLiteral("CarInfo"), car);
    QString mainteCheck;
    QString problem;
    if (FileEntryExists(path)) {
        const ProfileIni ini(path);
        problem = ini.Problem();
        info.MyCarName = ini.Read(kCarInfoSection, QStringLiteral("MyCarName"));
        info.Maker = ini.Read(kCarInfoSection, QStringLiteral("Maker"));
        info.Number = ini.Read(kCarInfoSection, QStringLiteral("Number"));
        info.TourokuDate = ini.Read(kCarInfoSection, QStringLiteral("TourokuDate"), kEmptyDate);
        info.NousyaDate = ini.Read(kCarInfoSection, QStringLiteral("NousyaDate"), kEmptyDate);
        info.NousyaRun = ini.Read(kCarInfoSection, QStringLiteral("NousyaRun"), QStringLiteral("0"));
        mainteCheck = ini.Read(kCarInfoSection, QStringLiteral("MainteCheck"));
        info.MokuhyoMivra = ini.Read(kCarInfoSection, QStringLiteral("MokuhyoMivra"));
        info.MyCarJpg = ini.Read(kCarInfoSection, QStringLiteral("MyCarJpg"));
    }
    if (info.MyCarName.isEmpty() && car >= 1 && car <= kListSlots) info.MyCarName = lists.Car[car];
    info.MainteCheck = DecodeMainteCheck(mainteCheck);
    if (error) *error = problem;
    return info;
}

bool CarBook::SaveCarInfo(QString* error) {
    const QString mainteCheck = EncodeMainteCheck(carInfo.MainteCheck);
    ProfileIni ini(CarFileName(QStringLiteral("CarInfo")));
    ini.Write(kCarInfoSection, QStringLiteral("MyCarName"), carInfo.MyCarName);
    ini.Write(kCarInfoSection, QStringLiteral("Maker"), carInfo.Maker);
    ini.Write(kCarInfoSection, QStringLiteral("Number"), carInfo.Number);
    ini.Write(kCarInfoSection, QStringLiteral("TourokuDate"), carInfo.TourokuDate);
    ini.Write(kCarInfoSection, QStringLiteral("NousyaDate"), carInfo.NousyaDate);
    ini.Write(kCarInfoSection, QStringLiteral("NousyaRun"), carInfo.NousyaRun);
    ini.Write(kCarInfoSection, QStringLiteral("MainteCheck"), mainteCheck);
    ini.Write(kCarInfoSection, QStringLiteral("MokuhyoMivra"), carInfo.MokuhyoMivra);
    ini.Write(kCarInfoSection, QStringLiteral("MyCarJpg"), carInfo.MyCarJpg);
    return ini.Flush(error);
}

}  // namespace tovrel
