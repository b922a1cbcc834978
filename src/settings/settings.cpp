#include "settings/settings.h"

#include "base/prompter.h"
#include "base/text_utils.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringBuilder>
#include <limits>
#include <variant>

namespace tovrel {

namespace {

using namespace Qt::StringLiterals;

const QString kSetting = QStringLiteral("Setting");
const QString kSystem = QStringLiteral("System");
const QString kVersionName = QStringLiteral("Version");
const QString kCurrentVersion = QStringLiteral("2.0.B");

template <typename T>
using Field = T& (*)(Settings&);
using AnyField = std::variant<Field<bool>, Field<int>, Field<quint32>, Field<QString>, Field<PerCarInt>>;

enum KeyFlags {
    kPlain = 0,
    kLoadOnly = 1,        // read, but written elsewhere or not at all
    kCurrentCarOnly = 2,  // per-car value kept as base + the current car's number
};

struct Key {
    const QString& section;
    QString name;
    AnyField field;
    int flags = kPlain;
};

#define TOVREL_FIELD(member)     \
    +[](Settings & s) -> auto& { \
        return s.member;         \
    }
#define TOVREL_SETTING(member)                                  \
    Key {                                                       \
        kSetting, QStringLiteral(#member), TOVREL_FIELD(member) \
    }
#define TOVREL_SYSTEM(member)                                  \
    Key {                                                      \
        kSystem, QStringLiteral(#member), TOVREL_FIELD(member) \
    }

// Every stored value of the sections "Setting" and "System" but Version, in reading order.
const Key kKeys[] = {
    TOVREL_SETTING(LastTankaStr),
    Key{kSetting, u"LastTanka"_s, TOVREL_FIELD(LastTanka), kLoadOnly},
    TOVREL_SETTING(TankaCalc),
    TOVREL_SETTING(ZeiRitsu),
    TOVREL_SETTING(HasuuSyori),
    TOVREL_SETTING(TankaZeikomi),
    TOVREL_SETTING(TankaTen),
    TOVREL_SETTING(KeiyuZei),
    TOVREL_SETTING(KeiyuName),
    Key{kSetting, u"RunCalcSelect"_s, TOVREL_FIELD(RunCalcSelect), kCurrentCarOnly},
    TOVREL_SETTING(CalcPass),
    TOVREL_SETTING(MainteAddGasCost),
    TOVREL_SETTING(NoneDataHeikin),
    TOVREL_SETTING(NoneHeikinTotal),
    TOVREL_SETTING(IMEAutoMode),
    TOVREL_SETTING(TimeInput),
    TOVREL_SETTING(WeatherInput),
    TOVREL_SETTING(AutoSave),
    TOVREL_SETTING(DataMaxSel),
    TOVREL_SETTING(DataPath),
    TOVREL_SETTING(MainteSelect),
    TOVREL_SETTING(SaveInitialDir),

    TOVREL_SETTING(MivraRed),
    TOVREL_SETTING(MokuhyoRed),
    TOVREL_SETTING(DayFix),
    TOVREL_SETTING(CostZeroDisp),
    TOVREL_SETTING(MivraNoColor),
    TOVREL_SETTING(MainteNoColor),
    TOVREL_SETTING(SelectColor),
    TOVREL_SETTING(SortColor),
    TOVREL_SETTING(FontName),
    TOVREL_SETTING(FontSize),
    TOVREL_SETTING(FontStyle),
    TOVREL_SETTING(MivraCellSize),
    TOVREL_SETTING(MainGraphSel),
    TOVREL_SETTING(KikanGraphSel),
    TOVREL_SETTING(JpgFileName),
    TOVREL_SETTING(JpgDispWait),
    TOVREL_SETTING(JpgWaitTime),

    TOVREL_SETTING(GraphType),
    TOVREL_SETTING(MivraGraphMark),
    TOVREL_SETTING(HeikinGraphMark),
    TOVREL_SETTING(MokhyoGraphMark),
    TOVREL_SETTING(MivraGraphColor),
    TOVREL_SETTING(HeikinGraphColor),
    TOVREL_SETTING(MokhyoGraphColor),
    TOVREL_SETTING(YearDispFormat),
    TOVREL_SETTING(AllGraph),
    TOVREL_SETTING(DispNumber),
    TOVREL_SETTING(AllGraphKikan),
    TOVREL_SETTING(DispNumberKikan),
    TOVREL_SETTING(MivraScaleFix),
    TOVREL_SETTING(MivraMinScale),
    TOVREL_SETTING(MivraMaxScale),
    TOVREL_SETTING(RunMinScale),
    TOVREL_SETTING(RunMaxScale),
    TOVREL_SETTING(TankaMinScale),
    TOVREL_SETTING(TankaMaxScale),
    TOVREL_SETTING(GasMinScale),
    TOVREL_SETTING(GasMaxScale),
    TOVREL_SETTING(RunTani),
    TOVREL_SETTING(GasTani),
    TOVREL_SETTING(HeikiDisp),
    TOVREL_SETTING(MokuhyoDisp),
    TOVREL_SETTING(View3D),
    TOVREL_SETTING(GraphZoom),
    TOVREL_SETTING(NoneHeikinDisp),
    TOVREL_SETTING(ChipHelpDisp),
    TOVREL_SETTING(MivraMemoDisp),
    TOVREL_SETTING(GraphReverse),

    Key{kSetting, u"Warning1Text"_s, TOVREL_FIELD(WarningText[1])},
    Key{kSetting, u"Warning2Text"_s, TOVREL_FIELD(WarningText[2])},
    Key{kSetting, u"Warning3Text"_s, TOVREL_FIELD(WarningText[3])},
    Key{kSetting, u"Warning4Text"_s, TOVREL_FIELD(WarningText[4])},
    Key{kSetting, u"Warning1Color"_s, TOVREL_FIELD(WarningColor[1])},
    Key{kSetting, u"Warning2Color"_s, TOVREL_FIELD(WarningColor[2])},
    Key{kSetting, u"Warning3Color"_s, TOVREL_FIELD(WarningColor[3])},
    Key{kSetting, u"Warning4Color"_s, TOVREL_FIELD(WarningColor[4])},
    Key{kSetting, u"Warning1Check"_s, TOVREL_FIELD(WarningCheck[1])},
    Key{kSetting, u"Warning2Check"_s, TOVREL_FIELD(WarningCheck[2])},
    Key{kSetting, u"Warning3Check"_s, TOVREL_FIELD(WarningCheck[3])},
    TOVREL_SETTING(Warning2Level),
    TOVREL_SETTING(Warning3Level),
    TOVREL_SETTING(WarningStart),
    Key{kSetting, u"MainteSortSel"_s, TOVREL_FIELD(MainteSortSel), kLoadOnly},

    TOVREL_SETTING(SaveSchMivraCheck),
    TOVREL_SETTING(SaveSchMainteCheck),
    TOVREL_SETTING(SaveSchNoneHeikinCheck),
    TOVREL_SETTING(GasSelShift),
    TOVREL_SETTING(StandShift),
    TOVREL_SETTING(SaveSchStartDay),
    TOVREL_SETTING(SaveSchEndDay),
    TOVREL_SETTING(SaveSchWeather),
    TOVREL_SETTING(SaveSchGasSel),
    TOVREL_SETTING(SaveSchStand),
    TOVREL_SETTING(SaveSchPattern),
    TOVREL_SETTING(SaveSchMainte),
    TOVREL_SETTING(SaveSchShop),
    TOVREL_SETTING(SaveSchMemo),
    TOVREL_SETTING(SearchDaySave),

    TOVREL_SETTING(MivraMarginLeft),
    TOVREL_SETTING(MivraMarginTop),
    TOVREL_SETTING(MivraMarginRight),
    TOVREL_SETTING(MivraMarginBottom),
    TOVREL_SETTING(MivraResolution),

    TOVREL_SYSTEM(PrintForm),
    TOVREL_SYSTEM(PrintName),
    TOVREL_SYSTEM(PrintDate),
    TOVREL_SYSTEM(PrintPage),
    TOVREL_SYSTEM(PrintVertical),
    TOVREL_SYSTEM(PrintMultiGyo),
    TOVREL_SYSTEM(PageTopMargin),
    TOVREL_SYSTEM(PageBottomMargin),
    TOVREL_SYSTEM(PageLeftMargin),
    TOVREL_SYSTEM(PageRightMargin),
    TOVREL_SYSTEM(TitlePosition),
    TOVREL_SYSTEM(NamePosition),
    TOVREL_SYSTEM(MonthPosition),
    TOVREL_SYSTEM(PagePosition),
    TOVREL_SYSTEM(DatePosition),
    TOVREL_SYSTEM(TitleFontName),
    TOVREL_SYSTEM(NameFontName),
    TOVREL_SYSTEM(MonthFontName),
    TOVREL_SYSTEM(ListFontName),
    TOVREL_SYSTEM(PageFontName),
    TOVREL_SYSTEM(DateFontName),
    TOVREL_SYSTEM(TitleFontSize),
    TOVREL_SYSTEM(NameFontSize),
    TOVREL_SYSTEM(MonthFontSize),
    TOVREL_SYSTEM(ListFontSize),
    TOVREL_SYSTEM(PageFontSize),
    TOVREL_SYSTEM(DateFontSize),
    TOVREL_SYSTEM(TitleFontStyle),
    TOVREL_SYSTEM(NameFontStyle),
    TOVREL_SYSTEM(MonthFontStyle),
    TOVREL_SYSTEM(ListFontStyle),
    TOVREL_SYSTEM(PageFontStyle),
    TOVREL_SYSTEM(DateFontStyle),
    TOVREL_SYSTEM(BackupGenerations),
};

#undef TOVREL_SYSTEM
#undef TOVREL_SETTING
#undef TOVREL_FIELD

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
// Clang 14 does not deduce the arguments of an aggregate from braces by itself.
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

QString CarName(const QString& base, int car) {
    return base % TwoDigits(car);
}

bool IsCar(int car) {
    return car >= 1 && car <= kCarCount;
}

int ReadInt(const SettingsStore& store, const QString& section, const QString& name, int defaultValue) {
    const qint64 value = ReadStoreInt(store, section, name, defaultValue);
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return defaultValue;
    return static_cast<int>(value);
}

// Accepts the unsigned text and the signed 32-bit text of the same colour.
quint32 ReadColor(const SettingsStore& store, const QString& section, const QString& name,
                  quint32 defaultValue) {
    const qint64 value = ReadStoreInt(store, section, name, defaultValue);
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<quint32>::max())
        return defaultValue;
    return static_cast<quint32>(value);
}

void ReadKey(const SettingsStore& store, const Key& key, Settings& settings, Settings& defaults,
             int currentCar) {
    const QString& name = key.name;
    std::visit(Overloaded{
                   [&](Field<bool> f) {
                       f(settings) = ReadStoreInt(store, key.section, name, f(defaults) ? 1 : 0) != 0;
                   },
                   [&](Field<int> f) { f(settings) = ReadInt(store, key.section, name, f(defaults)); },
                   [&](Field<quint32> f) { f(settings) = ReadColor(store, key.section, name, f(defaults)); },
                   [&](Field<QString> f) { f(settings) = store.Value(key.section, name, f(defaults)); },
                   [&](Field<PerCarInt> f) {
                       PerCarInt& values = f(settings);
                       const int base = ReadInt(store, key.section, name, f(defaults)[0]);
                       values.fill(base);
                       QString carName;
                       for (int car = 1; car <= kCarCount; ++car) {
                           if ((key.flags & kCurrentCarOnly) && car != currentCar) continue;
                           // One string for the ten names: its number is changed in place.
                           if (carName.isEmpty())
                               carName = CarName(name, car);
                           else
                               carName.replace(name.size(), 2, TwoDigits(car));
                           values[car] = ReadInt(store, key.section, carName, base);
                       }
                   },
               },
               key.field);
}

void WriteKey(SettingsStore& store, const Key& key, Settings& settings, int currentCar) {
    const QString& name = key.name;
    std::visit(Overloaded{
                   [&](Field<bool> f) {
                       store.SetValue(key.section, name,
                                      f(settings) ? QStringLiteral("1") : QStringLiteral("0"));
                   },
                   [&](Field<int> f) { store.SetValue(key.section, name, QString::number(f(settings))); },
                   [&](Field<quint32> f) { store.SetValue(key.section, name, QString::number(f(settings))); },
                   [&](Field<QString> f) { store.SetValue(key.section, name, f(settings)); },
                   [&](Field<PerCarInt> f) {
                       const PerCarInt& values = f(settings);
                       if (key.flags & kCurrentCarOnly) {
                           // The base carries the last current car's value to cars that have none yet.
                           const int car = IsCar(currentCar) ? currentCar : 0;
                           store.SetValue(key.section, name, QString::number(values[car]));
                           if (car != 0)
                               store.SetValue(key.section, CarName(name, car), QString::number(values[car]));
                           return;
                       }
                       for (int car = 1; car <= kCarCount; ++car)
                           store.SetValue(key.section, CarName(name, car), QString::number(values[car]));
                   },
               },
               key.field);
}

QString WithoutTrailingSlashes(QString path) {
    while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QDir::separator())))
        path.chop(1);
    return path;
}

void UpgradeVersion(SettingsStore& store, Settings& settings) {
    settings.Version = store.Value(kSystem, kVersionName);
    if (!(settings.Version < kCurrentVersion)) return;
    if (!settings.Version.isEmpty() && settings.Version < QStringLiteral("1.3")) {
        const QString text = QStringLiteral(
            "[環境設定]の[ﾒﾝﾃﾅﾝｽ設定]が増えました。[ﾒﾝﾃﾅﾝｽ設定]の更新を行いますか？\n\n"
            "更新すると[環境設定]に登録されている[ﾒﾝﾃﾅﾝｽ名称]が初期値に戻りますが、\n"
            "ｴﾝｼﾞﾝｵｲﾙ交換等の ﾒﾝﾃﾅﾝｽ周期(日数、走行距離)の初期値が自動登録されます。\n\n"
            "[ﾒﾝﾃﾅﾝｽ名称]を初期値から変更されていない場合には、更新をお勧めします。");
        const PromptAnswer answer = CurrentPrompter().Prompt(
            QStringLiteral("Tovrel - ﾒﾝﾃﾅﾝｽ設定更新確認"), text, PromptIcon::Question, PromptButtons::YesNo);
        if (answer == PromptAnswer::Yes) settings.MainteResetPending = true;
    }
    store.SetValue(kSystem, kVersionName, kCurrentVersion);
}

void CheckDataFolder(Settings& settings) {
    QString dataPath = NormalizeDataPath(settings.DataPath);
    if (!dataPath.isEmpty() && !QFileInfo(dataPath).isDir()) {
        ShowWarning(
            QStringLiteral("設定エラー"),
            DataFolderMissingText(dataPath) + QStringLiteral("\nﾃﾞｰﾀﾌｧｲﾙ格納ﾌｫﾙﾀﾞを ｶﾚﾝﾄに変更します。"));
        dataPath.clear();
    }
    settings.DataPath = dataPath;
    settings.DataFolder = dataPath.isEmpty() ? DefaultDataFolder() : dataPath;
}

}  // namespace

QString NormalizeDataPath(const QString& text) {
    QString dataPath = text;
    if (dataPath.isEmpty()) return dataPath;
    if (!dataPath.endsWith(QLatin1Char('/')) && !dataPath.endsWith(QDir::separator()))
        dataPath += QLatin1Char('/');
    if (WithoutTrailingSlashes(dataPath) == WithoutTrailingSlashes(DefaultDataFolder())) return QString();
    // A lone separator names no folder of its own.
    if (dataPath == QStringLiteral("/") || dataPath == QString(QDir::separator())) return QString();
    return dataPath;
}

QString DataFolderMissingText(const QString& folder) {
    return QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ格納ﾌｫﾙﾀﾞ \"") + folder + QStringLiteral("\" が見つかりません。");
}

QString DefaultDataFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty()) folder = QDir::currentPath();
    QDir().mkpath(folder);
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder;
}

void LoadSettings(SettingsStore& store, Settings& settings, const SettingsLoadContext& context) {
    UpgradeVersion(store, settings);

    Settings defaults;
    for (const Key& key : kKeys)
        ReadKey(store, key, settings, defaults, context.currentCar);
    if (settings.LastTankaStr.isEmpty()) settings.LastTankaStr = QString::number(settings.LastTanka);

    if (!settings.SearchDaySave) {
        settings.SaveSchStartDay.clear();
        settings.SaveSchEndDay.clear();
    }
    settings.Capacity = settings.DataMaxSel == 0 ? 1000 : 2000;

    if (context.firstLoadInRun && context.showStartupPicture && !settings.JpgFileName.isEmpty() &&
        QFileInfo(settings.JpgFileName).isFile())
        context.showStartupPicture(settings);

    if (settings.FontSize < 2) settings.FontSize = 9;
    CheckDataFolder(settings);
    settings.FixedColumns = settings.DayFix ? 3 : 1;
    settings.Loaded = true;
}

void SaveSettings(SettingsStore& store, const Settings& settings, int currentCar) {
    if (!settings.Loaded) return;
    // The accessors of the key table take a mutable object.
    Settings source = settings;
    for (const Key& key : kKeys)
        if (!(key.flags & kLoadOnly)) WriteKey(store, key, source, currentCar);
    store.Sync();
}

}  // namespace tovrel
