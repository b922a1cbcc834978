#include "settings/settings.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSet>
#include <QStringList>
#include <ostream>

// Readable failure messages.
namespace tovrel {
namespace {

using test::RecordingPrompter;

const QString kSetting = QStringLiteral("Setting");
const QString kSystem = QStringLiteral("System");

class SettingsTest : public ::testing::Test {
protected:
    Settings Load(int car = 0, bool firstLoad = false) {
        Settings settings;
        LoadInto(settings, car, firstLoad);
        return settings;
    }
    void LoadInto(Settings& settings, int car = 0, bool firstLoad = false) {
        SettingsLoadContext context;
        context.currentCar = car;
        context.firstLoadInRun = firstLoad;
        context.showStartupPicture = [this](const Settings&) { ++pictureShown; };
        LoadSettings(store, settings, context);
    }
    void Set(const QString& name, const QString& value) { store.SetValue(kSetting, name, value); }

    MapSettingsStore store;
    RecordingPrompter prompter;
    int pictureShown = 0;
};

TEST_F(SettingsTest, EmptyStoreGivesDefaults) {
    const Settings s = Load();
    EXPECT_TRUE(s.Loaded);
    EXPECT_TRUE(prompter.prompts.isEmpty());
    EXPECT_EQ(s.ZeiRitsu, QStringLiteral("5.0"));
    EXPECT_EQ(s.KeiyuName, QStringLiteral("軽油"));
    EXPECT_EQ(s.LastTankaStr, QStringLiteral("0"));  // falls back to LastTanka
    EXPECT_EQ(s.MivraNoColor, 0x80000008u);
    EXPECT_EQ(s.FontName, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(s.FontSize, 9);
    EXPECT_EQ(s.RunMaxScale, PerCarAll(2000));
    EXPECT_EQ(s.RunCalcSelect, PerCarAll(1));
    EXPECT_EQ(s.WarningText[4], QStringLiteral("まだまだ"));
    EXPECT_EQ(s.WarningColor[4], 0x80000008u);
    EXPECT_TRUE(s.WarningCheck[2]);
    EXPECT_FALSE(s.WarningCheck[3]);
    EXPECT_EQ(s.PageLeftMargin, QStringLiteral("25.0"));
    EXPECT_EQ(s.DateFontName, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(s.Capacity, 1000);
    EXPECT_EQ(s.FixedColumns, 1);
    EXPECT_TRUE(s.DataPath.isEmpty());
    EXPECT_EQ(s.DataFolder, DefaultDataFolder());
    EXPECT_TRUE(QDir(s.DataFolder).exists());
}

TEST_F(SettingsTest, DerivedValuesAndCorrections) {
    Set(QStringLiteral("FontSize"), QStringLiteral("1"));
    Set(QStringLiteral("DataMaxSel"), QStringLiteral("1"));
    Set(QStringLiteral("DayFix"), QStringLiteral("1"));
    Set(QStringLiteral("LastTankaStr"), QStringLiteral("145.5"));
    Set(QStringLiteral("LastTanka"), QStringLiteral("130"));
    Settings s = Load();
    EXPECT_EQ(s.FontSize, 9);
    EXPECT_EQ(s.Capacity, 2000);
    EXPECT_EQ(s.FixedColumns, 3);
    EXPECT_EQ(s.LastTankaStr, QStringLiteral("145.5"));

    Set(QStringLiteral("FontSize"), QStringLiteral("2"));
    Set(QStringLiteral("DataMaxSel"), QStringLiteral("0"));
    Set(QStringLiteral("LastTankaStr"), QString());
    s = Load();
    EXPECT_EQ(s.FontSize, 2);
    EXPECT_EQ(s.Capacity, 1000);
    EXPECT_EQ(s.LastTankaStr, QStringLiteral("130"));
}

TEST_F(SettingsTest, ValueReadingRules) {
    Set(QStringLiteral("MivraNoColor"), QStringLiteral("0xFF"));
    Set(QStringLiteral("MainteNoColor"), QStringLiteral("2147483656"));
    Set(QStringLiteral("SelectColor"), QStringLiteral("-2147483640"));  // signed form of 0x80000008
    Set(QStringLiteral("SortColor"), QStringLiteral("4294967296"));     // does not fit: default
    Set(QStringLiteral("TankaTen"), QStringLiteral("2"));
    Set(QStringLiteral("TimeInput"), QStringLiteral("yes"));
    Set(QStringLiteral("TankaCalc"), QStringLiteral("0X2"));
    Set(QStringLiteral("HasuuSyori"), QStringLiteral("1.5"));
    Set(QStringLiteral("JpgWaitTime"), QStringLiteral("99999999999"));
    Set(QStringLiteral("ZeiRitsu"), QString());
    const Settings s = Load();
    EXPECT_EQ(s.MivraNoColor, 255u);
    EXPECT_EQ(s.MainteNoColor, 0x80000008u);
    EXPECT_EQ(s.SelectColor, 0x80000008u);
    EXPECT_EQ(s.SortColor, 0xFFFFE0u);
    EXPECT_TRUE(s.TankaTen);
    EXPECT_TRUE(s.TimeInput);
    EXPECT_EQ(s.TankaCalc, 2);
    EXPECT_EQ(s.HasuuSyori, 1);
    EXPECT_EQ(s.JpgWaitTime, 5);
    EXPECT_EQ(s.ZeiRitsu, QString());  // a stored empty text is a value
}

TEST_F(SettingsTest, ReloadFallsBackToBuiltInDefaults) {
    Set(QStringLiteral("FontName"), QStringLiteral("IPAGothic"));
    Set(QStringLiteral("RunTani03"), QStringLiteral("1"));
    Settings s = Load(3);
    ASSERT_EQ(s.FontName, QStringLiteral("IPAGothic"));
    store.Clear();
    LoadInto(s, 3);
    EXPECT_EQ(s.FontName, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(s.RunTani[3], 0);
}

TEST_F(SettingsTest, PerCarValuesInheritTheBaseValue) {
    Set(QStringLiteral("RunTani"), QStringLiteral("1"));
    Set(QStringLiteral("RunTani05"), QStringLiteral("0"));
    Set(QStringLiteral("MivraMaxScale10"), QStringLiteral("25"));
    const Settings s = Load(5);
    EXPECT_EQ(s.RunTani[0], 1);
    EXPECT_EQ(s.RunTani[3], 1);
    EXPECT_EQ(s.RunTani[5], 0);
    EXPECT_EQ(s.MivraMaxScale[10], 25);
    EXPECT_EQ(s.MivraMaxScale[9], 15);

    MapSettingsStore saved;
    SaveSettings(saved, s, 5);
    EXPECT_FALSE(saved.Contains(kSetting, QStringLiteral("RunTani")));
    EXPECT_EQ(saved.Value(kSetting, QStringLiteral("RunTani03")), QStringLiteral("1"));
    EXPECT_EQ(saved.Value(kSetting, QStringLiteral("RunTani05")), QStringLiteral("0"));
    EXPECT_EQ(saved.Value(kSetting, QStringLiteral("MivraMaxScale10")), QStringLiteral("25"));
}

TEST_F(SettingsTest, RunCalcSelectKeepsOnlyTheCurrentCar) {
    Set(QStringLiteral("RunCalcSelect"), QStringLiteral("2"));
    Set(QStringLiteral("RunCalcSelect03"), QStringLiteral("0"));
    Set(QStringLiteral("RunCalcSelect04"), QStringLiteral("1"));
    Settings s = Load(3);
    EXPECT_EQ(s.RunCalcSelect[0], 2);
    EXPECT_EQ(s.RunCalcSelect[3], 0);
    EXPECT_EQ(s.RunCalcSelect[4], 2);  // not read for another car

    s.RunCalcSelect[3] = 1;
    MapSettingsStore saved;
    SaveSettings(saved, s, 3);
    EXPECT_EQ(saved.Value(kSetting, QStringLiteral("RunCalcSelect")), QStringLiteral("1"));
    EXPECT_EQ(saved.Value(kSetting, QStringLiteral("RunCalcSelect03")), QStringLiteral("1"));
    for (int car : {1, 2, 4, 10})
        EXPECT_FALSE(
            saved.Contains(kSetting, QStringLiteral("RunCalcSelect%1").arg(car, 2, 10, QLatin1Char('0'))));

    // A car without its own value starts from the last current car's value.
    s = Load(4);
    EXPECT_EQ(s.RunCalcSelect[4], 1);
    store = saved;
    s = Load(7);
    EXPECT_EQ(s.RunCalcSelect[7], 1);

    MapSettingsStore noCar;
    s.RunCalcSelect[0] = 0;
    SaveSettings(noCar, s, 0);
    EXPECT_EQ(noCar.Value(kSetting, QStringLiteral("RunCalcSelect")), QStringLiteral("0"));
    for (int car = 1; car <= kCarCount; ++car)
        EXPECT_FALSE(
            noCar.Contains(kSetting, QStringLiteral("RunCalcSelect%1").arg(car, 2, 10, QLatin1Char('0'))));
}

TEST_F(SettingsTest, VersionUpgradeQuestion) {
    const QString expectedText = QStringLiteral(
        "[環境設定]の[ﾒﾝﾃﾅﾝｽ設定]が増えました。[ﾒﾝﾃﾅﾝｽ設定]の更新を行いますか？\n\n"
        "更新すると[環境設定]に登録されている[ﾒﾝﾃﾅﾝｽ名称]が初期値に戻りますが、\n"
        "ｴﾝｼﾞﾝｵｲﾙ交換等の ﾒﾝﾃﾅﾝｽ周期(日数、走行距離)の初期値が自動登録されます。\n\n"
        "[ﾒﾝﾃﾅﾝｽ名称]を初期値から変更されていない場合には、更新をお勧めします。");
    struct Case {
        const char* stored;
        bool asked;
        const char* after;
    };
    const Case cases[] = {{"1.2", true, "2.0.B"}, {"1.0", true, "2.0.B"},    {"1.3", false, "2.0.B"},
                          {"", false, "2.0.B"},   {"2.0.A", false, "2.0.B"}, {"2.0.B", false, "2.0.B"},
                          {"3.0", false, "3.0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        store.Clear();
        prompter.prompts.clear();
        store.SetValue(kSystem, QStringLiteral("Version"), QString::fromLatin1(c.stored));
        const Settings s = Load();
        ASSERT_EQ(prompter.prompts.size(), c.asked ? 1 : 0);
        if (c.asked) {
            EXPECT_EQ(prompter.prompts[0].caption, QStringLiteral("Tovrel - ﾒﾝﾃﾅﾝｽ設定更新確認"));
            EXPECT_EQ(prompter.prompts[0].text, expectedText);
            EXPECT_EQ(prompter.prompts[0].icon, PromptIcon::Question);
            EXPECT_EQ(prompter.prompts[0].buttons, PromptButtons::YesNo);
        }
        EXPECT_EQ(s.Version, QString::fromLatin1(c.stored));
        EXPECT_EQ(store.Value(kSystem, QStringLiteral("Version")), QString::fromLatin1(c.after));
        EXPECT_FALSE(s.MainteResetPending);
    }

    store.Clear();
    store.SetValue(kSystem, QStringLiteral("Version"), QStringLiteral("1.2"));
    prompter.answer = PromptAnswer::Yes;
    Settings s = Load();
    EXPECT_TRUE(s.MainteResetPending);
    LoadInto(s);  // the reload on the next car switch neither asks again nor drops the pending reset
    EXPECT_EQ(prompter.prompts.size(), 1);
    EXPECT_TRUE(s.MainteResetPending);
}

TEST_F(SettingsTest, SearchDaySaveOffClearsTheDates) {
    Set(QStringLiteral("SaveSchStartDay"), QStringLiteral("2004/01/01"));
    Set(QStringLiteral("SaveSchEndDay"), QStringLiteral("2004/12/31"));
    Set(QStringLiteral("SaveSchMemo"), QStringLiteral("オイル"));
    Settings s = Load();
    EXPECT_EQ(s.SaveSchStartDay, QStringLiteral("2004/01/01"));
    EXPECT_EQ(s.SaveSchEndDay, QStringLiteral("2004/12/31"));

    Set(QStringLiteral("SearchDaySave"), QStringLiteral("0"));
    s = Load();
    EXPECT_TRUE(s.SaveSchStartDay.isEmpty());
    EXPECT_TRUE(s.SaveSchEndDay.isEmpty());
    EXPECT_EQ(s.SaveSchMemo, QStringLiteral("オイル"));
}

TEST_F(SettingsTest, DataFolderChecks) {
    test::TempFolder folder;
    QString withoutSlash = folder.path();
    withoutSlash.chop(1);

    Set(QStringLiteral("DataPath"), withoutSlash);
    Settings s = Load();
    EXPECT_TRUE(prompter.prompts.isEmpty());
    EXPECT_EQ(s.DataPath, folder.path());
    EXPECT_EQ(s.DataFolder, folder.path());

    QString defaultFolder = DefaultDataFolder();
    defaultFolder.chop(1);
    Set(QStringLiteral("DataPath"), defaultFolder);
    s = Load();
    EXPECT_TRUE(prompter.prompts.isEmpty());
    EXPECT_TRUE(s.DataPath.isEmpty());
    EXPECT_EQ(s.DataFolder, DefaultDataFolder());

    const QString missing = folder.file(QStringLiteral("gone"));
    Set(QStringLiteral("DataPath"), missing);
    s = Load();
    ASSERT_EQ(prompter.prompts.size(), 1);
    EXPECT_EQ(prompter.prompts[0].caption, QStringLiteral("設定エラー"));
    EXPECT_EQ(prompter.prompts[0].text, QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ格納ﾌｫﾙﾀﾞ \"") + missing +
                                            QStringLiteral("/\" が見つかりません。\n"
                                                           "ﾃﾞｰﾀﾌｧｲﾙ格納ﾌｫﾙﾀﾞを ｶﾚﾝﾄに変更します。"));
    EXPECT_EQ(prompter.prompts[0].icon, PromptIcon::Warning);
    EXPECT_EQ(prompter.prompts[0].buttons, PromptButtons::Ok);
    EXPECT_TRUE(s.DataPath.isEmpty());
    EXPECT_EQ(s.DataFolder, DefaultDataFolder());

    SaveSettings(store, s, 0);
    EXPECT_EQ(store.Value(kSetting, QStringLiteral("DataPath"), QStringLiteral("unset")), QString());
}

TEST_F(SettingsTest, StartupPictureOnlyOnFirstLoadWithAnExistingFile) {
    test::TempFolder folder;
    const QString picture =
        test::WriteBytes(folder.path(), QStringLiteral("start.jpg"), QByteArray("\xFF\xD8"));
    Load(0, true);
    EXPECT_EQ(pictureShown, 0);

    Set(QStringLiteral("JpgFileName"), folder.file(QStringLiteral("missing.jpg")));
    Load(0, true);
    EXPECT_EQ(pictureShown, 0);

    Set(QStringLiteral("JpgFileName"), picture);
    Load(0, false);
    EXPECT_EQ(pictureShown, 0);
    Load(0, true);
    EXPECT_EQ(pictureShown, 1);
}

TEST_F(SettingsTest, SaveDoesNothingBeforeLoading) {
    Settings s;
    SaveSettings(store, s, 1);
    EXPECT_TRUE(store.Values().isEmpty());
}

// The names SaveSettings writes: every Setting and System value but Version, MainteSortSel and
// the legacy LastTanka; per-car values only numbered.
QSet<QString> ExpectedSavedKeys(int currentCar) {
    const QString setting = QStringLiteral(
        "LastTankaStr TankaCalc ZeiRitsu HasuuSyori TankaZeikomi TankaTen KeiyuZei KeiyuName RunCalcSelect "
        "CalcPass MainteAddGasCost NoneDataHeikin NoneHeikinTotal IMEAutoMode TimeInput WeatherInput "
        "AutoSave "
        "DataMaxSel DataPath MainteSelect SaveInitialDir MivraRed MokuhyoRed DayFix CostZeroDisp "
        "MivraNoColor "
        "MainteNoColor SelectColor SortColor FontName FontSize FontStyle MivraCellSize MainGraphSel "
        "KikanGraphSel JpgFileName JpgDispWait JpgWaitTime GraphType MivraGraphMark HeikinGraphMark "
        "MokhyoGraphMark MivraGraphColor HeikinGraphColor MokhyoGraphColor YearDispFormat AllGraph "
        "DispNumber "
        "AllGraphKikan DispNumberKikan MivraScaleFix HeikiDisp MokuhyoDisp View3D GraphZoom NoneHeikinDisp "
        "ChipHelpDisp MivraMemoDisp GraphReverse Warning1Text Warning2Text Warning3Text Warning4Text "
        "Warning1Color Warning2Color Warning3Color Warning4Color Warning1Check Warning2Check Warning3Check "
        "Warning2Level Warning3Level SaveSchMivraCheck SaveSchMainteCheck SaveSchNoneHeikinCheck GasSelShift "
        "StandShift SaveSchStartDay SaveSchEndDay SaveSchWeather SaveSchGasSel SaveSchStand SaveSchPattern "
        "SaveSchMainte SaveSchShop SaveSchMemo SearchDaySave MivraMarginLeft MivraMarginTop MivraMarginRight "
        "MivraMarginBottom MivraResolution");
    const QString perCar = QStringLiteral(
        "MivraMinScale MivraMaxScale RunMinScale RunMaxScale TankaMinScale TankaMaxScale GasMinScale "
        "GasMaxScale RunTani GasTani WarningStart");
    const QString system = QStringLiteral(
        "PrintForm PrintName PrintDate PrintPage PrintVertical PrintMultiGyo PageTopMargin PageBottomMargin "
        "PageLeftMargin PageRightMargin TitlePosition NamePosition MonthPosition PagePosition DatePosition "
        "TitleFontName NameFontName MonthFontName ListFontName PageFontName DateFontName TitleFontSize "
        "NameFontSize MonthFontSize ListFontSize PageFontSize DateFontSize TitleFontStyle NameFontStyle "
        "MonthFontStyle ListFontStyle PageFontStyle DateFontStyle BackupGenerations");
    QSet<QString> keys;
    for (const QString& name : setting.split(QLatin1Char(' ')))
        keys.insert(QStringLiteral("Setting/") + name);
    for (const QString& name : perCar.split(QLatin1Char(' ')))
        for (int car = 1; car <= kCarCount; ++car)
            keys.insert(QStringLiteral("Setting/%1%2").arg(name).arg(car, 2, 10, QLatin1Char('0')));
    keys.insert(QStringLiteral("Setting/RunCalcSelect%1").arg(currentCar, 2, 10, QLatin1Char('0')));
    for (const QString& name : system.split(QLatin1Char(' ')))
        keys.insert(QStringLiteral("System/") + name);
    return keys;
}

TEST_F(SettingsTest, SaveWritesEveryValueUnderItsName) {
    const Settings s = Load(2);
    MapSettingsStore saved;
    SaveSettings(saved, s, 2);
    const QStringList written = saved.Values().keys();
    EXPECT_EQ(QSet<QString>(written.begin(), written.end()), ExpectedSavedKeys(2));
    EXPECT_EQ(saved.Value(kSetting, QStringLiteral("MivraNoColor")), QStringLiteral("2147483656"));
    EXPECT_EQ(saved.Value(kSetting, QStringLiteral("TimeInput")), QStringLiteral("1"));
    EXPECT_EQ(saved.Value(kSetting, QStringLiteral("KeiyuName")), QStringLiteral("軽油"));
}

TEST_F(SettingsTest, EveryValueSurvivesSaveAndLoad) {
    const Settings defaults = Load(4);
    MapSettingsStore original;
    SaveSettings(original, defaults, 4);
    const int count = original.Values().size();

    // Numbers and texts get values of their own; 0/1 values (booleans among them) flip in every pass
    // and, pass by pass, by one bit of their position, so no two names can share a member unseen.
    for (int pass = -1; (1 << qMax(pass, 0)) < count; ++pass) {
        SCOPED_TRACE(pass);
        store.Clear();
        int n = 0;
        for (auto it = original.Values().cbegin(); it != original.Values().cend(); ++it, ++n) {
            const QString section = it.key().section(QLatin1Char('/'), 0, 0);
            const QString name = it.key().section(QLatin1Char('/'), 1);
            bool isNumber = false;
            const qint64 value = it.value().toLongLong(&isNumber);
            const bool flip = pass < 0 || ((n >> pass) & 1);
            QString next;
            if (name == QStringLiteral("DataPath") || name == QStringLiteral("SearchDaySave"))
                next = it.value();  // a changed folder would have to exist; 0 clears the search dates
            else if (isNumber && (value == 0 || value == 1))
                next = QString::number(flip ? 1 - value : value);
            else if (isNumber)
                next = QString::number(value + 1 + n);
            else
                next = it.value() + QStringLiteral("ｱ%1").arg(n);
            store.SetValue(section, name, next);
        }
        store.SetValue(kSetting, QStringLiteral("RunCalcSelect"), QStringLiteral("2"));
        store.SetValue(kSetting, QStringLiteral("RunCalcSelect04"), QStringLiteral("2"));

        const Settings loaded = Load(4);
        EXPECT_TRUE(loaded.WarningText[3].startsWith(QStringLiteral("もうそろそろｱ")));
        EXPECT_NE(loaded.MivraNoColor, defaults.MivraNoColor);
        EXPECT_NE(loaded.GasMaxScale[7], defaults.GasMaxScale[7]);
        EXPECT_EQ(loaded.RunCalcSelect[4], 2);

        MapSettingsStore saved;
        SaveSettings(saved, loaded, 4);
        EXPECT_EQ(saved.Values().size(), count);
        for (auto it = saved.Values().cbegin(); it != saved.Values().cend(); ++it) {
            SCOPED_TRACE(it.key().toStdString());
            const QString section = it.key().section(QLatin1Char('/'), 0, 0);
            EXPECT_EQ(it.value(), store.Value(section, it.key().section(QLatin1Char('/'), 1)));
        }
    }
}

}  // namespace
}  // namespace tovrel
