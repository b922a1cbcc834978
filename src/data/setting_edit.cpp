#include "data/setting_edit.h"

#include "base/file_io.h"
#include "base/profile_ini.h"
#include "base/text_utils.h"

#include <QFileInfo>

namespace tovrel {

namespace {

const QString kCarInfoSection = QStringLiteral("MyCarInfo");
const QString kMainteCheckKey = QStringLiteral("MainteCheck");

int CarIndex(int car) {
    return (car >= 1 && car <= kCarCount) ? car : 0;
}

SettingsCheck Fail(const QString& message, SettingTab tab, const QString& focus, int mainteRow = 0) {
    SettingsCheck check;
    check.ok = false;
    check.message = message;
    check.tab = tab;
    check.focus = focus;
    check.mainteRow = mainteRow;
    return check;
}

// The three scale tests: minimum below 0, maximum below 0, minimum not below maximum.
QString FailingScaleField(const QString& minText, const QString& maxText, const QString& minName,
                          const QString& maxName) {
    const int min = ParseInt(minText, -1);
    const int max = ParseInt(maxText, -1);
    if (min < 0) return minName;
    if (max < 0) return maxName;
    if (min >= max) return minName;
    return QString();
}

}  // namespace

MainteDraft MakeMainteDraft(const MainteSettings& settings) {
    MainteDraft draft;
    for (int k = 1; k <= kMainteCount; ++k) {
        draft[k].setting = settings[k];
        draft[k].formerNumber = k;
    }
    return draft;
}

MainteDraftItem BlankMainteItem() {
    return MainteDraftItem{};
}

NameList& NameColumn(ItemLists& lists, int column) {
    switch (column) {
        case 1:
            return lists.Weather;
        case 2:
            return lists.GasSel;
        case 3:
            return lists.Stand;
        case 4:
            return lists.Pattern;
        case 5:
            return lists.Shop;
        default:
            return lists.Car;
    }
}

const NameList& NameColumn(const ItemLists& lists, int column) {
    return NameColumn(const_cast<ItemLists&>(lists), column);
}

SettingsDraft MakeSettingsDraft(const Settings& s, const CarBook& book) {
    const int car = CarIndex(book.currentCar);
    SettingsDraft d;
    d.names = book.lists;
    d.mainte = MakeMainteDraft(book.mainte);

    d.WarningText = s.WarningText;
    d.WarningColor = s.WarningColor;
    d.WarningCheck = s.WarningCheck;
    d.Warning2Level = QString::number(s.Warning2Level);
    d.Warning3Level = QString::number(s.Warning3Level);
    d.WarningStart = s.WarningStart[car];
    d.MainteSelect = s.MainteSelect;

    d.GraphType = s.GraphType;
    d.YearDispFormat = s.YearDispFormat;
    d.AllGraph = s.AllGraph;
    d.DispNumber = QString::number(s.DispNumber);
    d.AllGraphKikan = s.AllGraphKikan;
    d.DispNumberKikan = QString::number(s.DispNumberKikan);
    d.MivraScaleFix = s.MivraScaleFix;
    d.MivraMinScale = QString::number(s.MivraMinScale[car]);
    d.MivraMaxScale = QString::number(s.MivraMaxScale[car]);
    d.RunMinScale = QString::number(s.RunMinScale[car]);
    d.RunMaxScale = QString::number(s.RunMaxScale[car]);
    d.TankaMinScale = QString::number(s.TankaMinScale[car]);
    d.TankaMaxScale = QString::number(s.TankaMaxScale[car]);
    d.GasMinScale = QString::number(s.GasMinScale[car]);
    d.GasMaxScale = QString::number(s.GasMaxScale[car]);
    d.View3D = s.View3D;
    d.GraphZoom = s.GraphZoom;
    d.HeikiDisp = s.HeikiDisp;
    d.MokuhyoDisp = s.MokuhyoDisp;
    d.NoneHeikinDisp = s.NoneHeikinDisp;
    d.ChipHelpDisp = s.ChipHelpDisp;
    d.MivraGraphColor = s.MivraGraphColor;
    d.HeikinGraphColor = s.HeikinGraphColor;
    d.MokhyoGraphColor = s.MokhyoGraphColor;
    d.MivraGraphMark = s.MivraGraphMark;
    d.HeikinGraphMark = s.HeikinGraphMark;
    d.MokhyoGraphMark = s.MokhyoGraphMark;

    d.MivraNoColor = s.MivraNoColor;
    d.MainteNoColor = s.MainteNoColor;
    d.SelectColor = s.SelectColor;
    d.SortColor = s.SortColor;
    d.DayFix = s.DayFix;
    d.MivraRed = s.MivraRed;
    d.MokuhyoRed = s.MokuhyoRed;
    d.DataMaxSel = s.DataMaxSel;
    d.CostZeroDisp = s.CostZeroDisp;
    d.JpgFileName = s.JpgFileName;
    d.JpgDispWait = s.JpgDispWait;
    d.JpgWaitTime = QString::number(s.JpgWaitTime);
    d.TimeInput = s.TimeInput;
    d.WeatherInput = s.WeatherInput;
    d.RunTani = s.RunTani[car];
    d.GasTani = s.GasTani[car];

    d.TankaCalc = s.TankaCalc;
    d.ZeiRitsu = s.ZeiRitsu;
    d.HasuuSyori = s.HasuuSyori;
    d.TankaZeikomi = s.TankaZeikomi;
    d.TankaTen = s.TankaTen;
    d.KeiyuZei = s.KeiyuZei;
    d.KeiyuName = s.KeiyuName;
    d.RunCalcSelect = s.RunCalcSelect[car];
    d.DataPath = s.DataPath;
    d.CalcPass = s.CalcPass;
    d.IMEAutoMode = s.IMEAutoMode;
    d.AutoSave = s.AutoSave;
    d.SearchDaySave = s.SearchDaySave;
    d.MainteAddGasCost = s.MainteAddGasCost;
    d.NoneDataHeikin = s.NoneDataHeikin;
    d.NoneHeikinTotal = s.NoneHeikinTotal;
    return d;
}

QString MainteNameOnLeave(const QString& text) {
    QString s = text;
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    s.remove(QLatin1Char('#'));
    return s.trimmed();
}

QString MainteMemoOnLeave(const QString& text) {
    QString s = text;
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    return s.trimmed();
}

int IntervalFromText(const QString& text) {
    return ParseInt(StripGrouping(text), 0);
}

QString IntervalText(int value) {
    return GroupDigits(QString::number(value));
}

QString DecimalOnLeave(const QString& text, int decimals) {
    return FormatGrouped(ParseNumber(StripGrouping(text), decimals, 0), decimals);
}

QString NameCellOnStore(const QString& text) {
    QString s = text;
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    return s.trimmed();
}

SettingsCheck CheckSettingsDraft(const SettingsDraft& d) {
    if (!d.AllGraph && ParseInt(d.DispNumber, -1) < 2) {
        return Fail(QStringLiteral("ﾒｲﾝ一覧のｸﾞﾗﾌ表示するﾃﾞｰﾀ件数を正しく設定してください。"),
                    SettingTab::Graph, QStringLiteral("DispNumberMemo"));
    }
    if (!d.AllGraphKikan && ParseInt(d.DispNumberKikan, -1) < 2) {
        return Fail(QStringLiteral("期間集計のｸﾞﾗﾌ表示するﾃﾞｰﾀ件数を正しく設定してください。"),
                    SettingTab::Graph, QStringLiteral("DispNumberKikanMemo"));
    }
    if (d.MivraScaleFix) {
        QString field = FailingScaleField(d.MivraMinScale, d.MivraMaxScale, QStringLiteral("MivraMinMemo"),
                                          QStringLiteral("MivraMaxMemo"));
        if (!field.isEmpty()) {
            return Fail(QStringLiteral("燃費（Y軸）ｽｹｰﾙの最小・最大ｽｹｰﾙを正しく設定してください。"),
                        SettingTab::Graph, field);
        }
        field = FailingScaleField(d.RunMinScale, d.RunMaxScale, QStringLiteral("RunMinMemo"),
                                  QStringLiteral("RunMaxMemo"));
        if (!field.isEmpty()) {
            return Fail(QStringLiteral("走行距離（Y軸）ｽｹｰﾙの最小・最大ｽｹｰﾙを正しく設定してください。"),
                        SettingTab::Graph, field);
        }
    }
    for (int k = 1; k <= kMainteCount; ++k) {
        const MainteSetting& m = d.mainte[k].setting;
        QString fieldName, focus;
        if (m.distanceCheck && m.distanceInterval < 1) {
            fieldName = QStringLiteral("走行距離");
            focus = QStringLiteral("RunMemo");
        }
        if (m.dayCheck && m.dayInterval < 1) {
            fieldName = QStringLiteral("経過日付");
            focus = QStringLiteral("DayMemo");
        }
        if (fieldName.isEmpty()) continue;
        return Fail(QStringLiteral("[") + QString::number(k) + QLatin1Char(':') + m.name.trimmed() +
                        QStringLiteral("]の") + fieldName + QStringLiteral("を正しく設定してください。"),
                    SettingTab::Mainte, focus, k);
    }
    const QString levelMessage = QStringLiteral("ﾒﾝﾃﾅﾝｽ期限を判断するﾊﾟｰｾﾝﾄを正しく設定してください。");
    const auto outOfRange = [](const QString& text) {
        const int v = ParseInt(text, -1);
        return v < 1 || v > 99;
    };
    if (outOfRange(d.Warning2Level))
        return Fail(levelMessage, SettingTab::Mainte, QStringLiteral("Warning2Memo"));
    if (outOfRange(d.Warning3Level))
        return Fail(levelMessage, SettingTab::Mainte, QStringLiteral("Warning3Memo"));
    if (!d.DataPath.isEmpty()) {
        QString folder = d.DataPath;
        if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
        const QFileInfo info(folder);
        if (!info.isDir()) {
            return Fail(DataFolderMissingText(folder), SettingTab::Current, QStringLiteral("DataPathEdit"));
        }
        // The car book is written there at once; a folder that takes no files would lose it.
        if (!info.isWritable()) {
            return Fail(
                QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ格納ﾌｫﾙﾀﾞ \"") + folder + QStringLiteral("\" に書き込めません。"),
                SettingTab::Current, QStringLiteral("DataPathEdit"));
        }
    }
    return SettingsCheck();
}

void StoreDraftSettings(const SettingsDraft& d, Settings& s, int car) {
    const int c = CarIndex(car);
    for (int level = 1; level <= 4; ++level) {
        s.WarningText[level] = d.WarningText[level];
        s.WarningColor[level] = d.WarningColor[level];
    }
    for (int level = 1; level <= 3; ++level)
        s.WarningCheck[level] = d.WarningCheck[level];
    s.Warning2Level = ParseInt(d.Warning2Level, 90);
    s.Warning3Level = ParseInt(d.Warning3Level, 80);
    s.WarningStart[c] = d.WarningStart;
    s.MainteSelect = d.MainteSelect;

    s.GraphType = d.GraphType;
    s.YearDispFormat = d.YearDispFormat;
    s.AllGraph = d.AllGraph;
    s.DispNumber = ParseInt(d.DispNumber, 20);
    s.AllGraphKikan = d.AllGraphKikan;
    s.DispNumberKikan = ParseInt(d.DispNumberKikan, 20);
    s.MivraScaleFix = d.MivraScaleFix;
    s.MivraMinScale[c] = ParseInt(d.MivraMinScale, 0);
    s.MivraMaxScale[c] = ParseInt(d.MivraMaxScale, 15);
    s.RunMinScale[c] = ParseInt(d.RunMinScale, 0);
    s.RunMaxScale[c] = ParseInt(d.RunMaxScale, 2000);
    s.TankaMinScale[c] = ParseInt(d.TankaMinScale, 0);
    s.TankaMaxScale[c] = ParseInt(d.TankaMaxScale, 200);
    s.GasMinScale[c] = ParseInt(d.GasMinScale, 0);
    s.GasMaxScale[c] = ParseInt(d.GasMaxScale, 200);
    s.View3D = d.View3D;
    s.GraphZoom = d.GraphZoom;
    s.HeikiDisp = d.HeikiDisp;
    s.MokuhyoDisp = d.MokuhyoDisp;
    s.NoneHeikinDisp = d.NoneHeikinDisp;
    s.ChipHelpDisp = d.ChipHelpDisp;
    s.MivraGraphColor = d.MivraGraphColor;
    s.HeikinGraphColor = d.HeikinGraphColor;
    s.MokhyoGraphColor = d.MokhyoGraphColor;
    s.MivraGraphMark = d.MivraGraphMark;
    s.HeikinGraphMark = d.HeikinGraphMark;
    s.MokhyoGraphMark = d.MokhyoGraphMark;

    s.MivraNoColor = d.MivraNoColor;
    s.MainteNoColor = d.MainteNoColor;
    s.SelectColor = d.SelectColor;
    s.SortColor = d.SortColor;
    s.DayFix = d.DayFix;
    s.MivraRed = d.MivraRed;
    s.MokuhyoRed = d.MokuhyoRed;
    s.DataMaxSel = d.DataMaxSel;
    s.CostZeroDisp = d.CostZeroDisp;
    s.JpgFileName = d.JpgFileName;
    s.JpgDispWait = d.JpgDispWait;
    s.JpgWaitTime = ParseInt(d.JpgWaitTime, 0);
    s.TimeInput = d.TimeInput;
    s.WeatherInput = d.WeatherInput;
    s.RunTani[c] = d.RunTani;
    s.GasTani[c] = d.GasTani;

    s.TankaCalc = d.TankaCalc;
    s.ZeiRitsu = d.ZeiRitsu;
    s.HasuuSyori = d.HasuuSyori;
    s.TankaZeikomi = d.TankaZeikomi;
    s.TankaTen = d.TankaTen;
    s.KeiyuZei = d.KeiyuZei;
    s.KeiyuName = d.KeiyuName;
    s.RunCalcSelect[c] = d.RunCalcSelect;
    s.CalcPass = d.CalcPass;
    s.IMEAutoMode = d.IMEAutoMode;
    s.AutoSave = d.AutoSave;
    s.SearchDaySave = d.SearchDaySave;
    s.MainteAddGasCost = d.MainteAddGasCost;
    s.NoneDataHeikin = d.NoneDataHeikin;
    s.NoneHeikinTotal = d.NoneHeikinTotal;
    s.FixedColumns = s.DayFix ? 3 : 1;
}

bool CarNamesDiffer(const SettingsDraft& draft, const CarBook& book) {
    for (int k = 1; k <= kListSlots; ++k) {
        if (NameCellOnStore(draft.names.Car[k]) != book.lists.Car[k]) return true;
    }
    return false;
}

bool StoreDraftLists(const SettingsDraft& draft, CarBook& book, const std::function<void()>& step) {
    const bool carsChanged = CarNamesDiffer(draft, book);
    for (int row = 1; row <= kListSlots; ++row) {
        for (int column = 1; column <= kNameColumns; ++column)
            NameColumn(book.lists, column)[row] = NameCellOnStore(NameColumn(draft.names, column)[row]);
        if (step) step();
    }
    for (int k = 1; k <= kMainteCount; ++k)
        book.mainte[k] = draft.mainte[k].setting;
    return carsChanged;
}

MainteOrder FormerNumbers(const MainteDraft& draft) {
    MainteOrder former{};
    for (int k = 1; k <= kMainteCount; ++k)
        former[k] = draft[k].formerNumber;
    return former;
}

bool IsReordered(const MainteOrder& former) {
    for (int k = 1; k <= kMainteCount; ++k) {
        if (former[k] != k) return true;
    }
    return false;
}

MainteFlags ReorderMainteFlags(const MainteFlags& flags, const MainteOrder& former) {
    MainteFlags out{};
    for (int k = 1; k <= kMainteCount; ++k) {
        const int from = former[k];
        out[k] = (from >= 1 && from <= kMainteCount) ? flags[from] : quint8(0);
    }
    return out;
}

QVector<int> CarsWithMainteChecks(const CarBook& book, bool mainteSelect) {
    QVector<int> cars;
    const auto consider = [&](int car) {
        if (QFileInfo::exists(book.CarFileName(QStringLiteral("CarInfo"), car))) cars.append(car);
    };
    if (mainteSelect) {
        if (book.currentCar >= 1 && book.currentCar <= kListSlots) consider(book.currentCar);
    } else {
        for (int car = 1; car <= kListSlots; ++car)
            consider(car);
    }
    return cars;
}

bool RenumberMainteChecks(const CarBook& book, int car, const MainteOrder& former, QString* error) {
    ProfileIni ini(book.CarFileName(QStringLiteral("CarInfo"), car));
    if (!ini.exists()) {
        // Gone since it was counted, or unreadable: nothing to renumber, nothing to overwrite.
        if (!QFileInfo::exists(ini.path())) return true;
        QByteArray bytes;
        ReadFileBytes(ini.path(), &bytes, error);
        return false;
    }
    const MainteFlags flags = DecodeMainteCheck(ini.Read(kCarInfoSection, kMainteCheckKey));
    ini.Write(kCarInfoSection, kMainteCheckKey, EncodeMainteCheck(ReorderMainteFlags(flags, former)));
    return ini.Flush(error);
}

}  // namespace tovrel
