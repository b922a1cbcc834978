#include "data/print_forms.h"

#include "base/cp932.h"
#include "base/file_io.h"
#include "base/profile_ini.h"
#include "base/text_utils.h"

#include <QHash>
#include <QStringBuilder>

#include <algorithm>
#include <span>

namespace tovrel {

namespace {

const QString kTitleSection = QStringLiteral("PrintTitle");
const QString kSettingSection = QStringLiteral("PrintSetting");
const QString kMark = QStringLiteral("○");

struct DefaultRow {
    const char16_t* item;
    const char16_t* id;
    const char16_t* heading;
    const char16_t* align;
    const char16_t* width;
};

constexpr DefaultRow kList01[] = {
    {u"No.", u"01N", u"No.", u"  右", u" 4"},
    {u"日付", u"02D", u"  日  付  ", u"左  ", u"10"},
    {u"曜日", u"03S", u"曜", u"左  ", u" 2"},
    {u"時刻", u"04T", u"時 刻", u"左  ", u" 5"},
    {u"天気", u"05S", u"天気", u"左  ", u" 4"},
    {u"給油距離", u"06N", u"給油距離", u"  右", u" 8"},
    {u"走行距離", u"07N", u" 走行距離", u"  右", u" 9"},
    {u"給油", u"08N", u"給 油", u"  右", u" 5"},
    {u"燃費", u"09N", u" 燃費", u"  右", u" 5"},
    {u"金額", u"10N", u"    金 額 ", u"  右", u"10"},
    {u"単価", u"11N", u"  単価", u"  右", u" 6"},
    {u"燃料種別", u"12S", u"燃料種別  ", u"左  ", u"10"},
    {u"ｽﾀﾝﾄﾞ", u"13S", u"スタンド  ", u"左  ", u"10"},
    {u"ﾊﾟﾀｰﾝ", u"14S", u"パターン  ", u"左  ", u"10"},
    {u"ﾒﾝﾃﾅﾝｽ", u"15a", u"メンテナンス", u"左  ", u"14"},
    {u"ﾒﾝﾃ単価", u"15b", u"  単価 ", u"  右", u" 7"},
    {u"ﾒﾝﾃﾒﾓ", u"15c", u"メンテメモ", u"左  ", u"20"},
    {u"ｼｮｯﾌﾟ", u"16S", u"ショップ", u"左  ", u"10"},
    {u"メモ", u"17a", u"  メ  モ", u"左  ", u"20"},
};
constexpr DefaultRow kList02[] = {
    {u"年月", u"01D", u" 年 月 ", u"左  ", u" 7"},       {u"給油回数", u"02N", u"給油", u"  右", u" 4"},
    {u"走行距離", u"03N", u" 走行距離", u"  右", u" 9"}, {u"消費燃料", u"04N", u" 消費燃料", u"  右", u" 9"},
    {u"燃費", u"05N", u" 燃費", u"  右", u" 5"},         {u"給油金額", u"06N", u" 給油金額 ", u"  右", u"10"},
    {u"単価", u"07N", u"  単価", u"  右", u" 6"},        {u"ﾒﾝﾃ回数", u"08N", u" ﾒﾝﾃ", u"  右", u" 4"},
    {u"ﾒﾝﾃ金額", u"09N", u" 支払金額 ", u"  右", u"10"}, {u"合計金額", u"10N", u" 合計金額 ", u"  右", u"10"},
    {u"費用/km", u"11N", u"費用/km", u"  右", u" 7"},    {u"生涯燃費", u"12N", u"生涯燃費", u"  右", u" 8"},
};
constexpr DefaultRow kList03[] = {
    {u"ﾒﾝﾃﾅﾝｽ", u"01S", u"メンテナンス", u"左  ", u"14"},
    {u"設定日数", u"02N", u"設定日数", u"  右", u" 8"},
    {u"最終日付", u"03D", u" 最終日付 ", u"左  ", u"10"},
    {u"期限日付", u"04D", u" 期限日付 ", u"左  ", u"10"},
    {u"残日数", u"05N", u"残日数", u"  右", u" 6"},
    {u"日数率", u"06N", u"日数率", u"  右", u" 6"},
    {u"設定距離", u"07N", u"設定距離", u"  右", u" 8"},
    {u"最終距離", u"08N", u"最終距離", u"  右", u" 8"},
    {u"期限距離", u"09N", u"期限距離", u"  右", u" 8"},
    {u"残距離", u"10N", u" 残距離", u"  右", u" 7"},
    {u"距離率", u"11N", u"距離率", u"  右", u" 6"},
    {u"予想日付", u"12D", u" 予想日付 ", u"左  ", u"10"},
    {u"区分", u"13S", u"区分", u"左  ", u" 4"},
    {u"期限率", u"14N", u"期限率", u"  右", u" 6"},
    {u"期限警告", u"15S", u"  期限警告  ", u" 中 ", u"12"},
    {u"メモ", u"16S", u"  メ  モ", u"左  ", u"20"},
};
// The fuel type, station and pattern lists differ only in their first row.
constexpr DefaultRow kCategoryList[] = {
    {u"", u"01S", u"", u"左  ", u"10"},
    {u"給油回数", u"02N", u"給油", u"  右", u" 4"},
    {u"走行距離", u"03N", u" 走行距離", u"  右", u" 9"},
    {u"消費燃料", u"04N", u" 消費燃料", u"  右", u" 9"},
    {u"最低燃費", u"05N", u" 最低", u"  右", u" 5"},
    {u"平均燃費", u"06N", u" 燃費", u"  右", u" 5"},
    {u"最高燃費", u"07N", u" 最高", u"  右", u" 5"},
    {u"給油金額", u"08N", u" 給油金額 ", u"  右", u"10"},
    {u"単価", u"09N", u" 単価", u"  右", u" 5"},
    {u"割合", u"10N", u" 割合 ", u"  右", u" 6"},
};
constexpr DefaultRow kFuelFirstRow = {u"燃料種別", u"01S", u" 燃料種別 ", u"左  ", u"10"};
constexpr DefaultRow kStandFirstRow = {u"スタンド", u"01S", u" スタンド ", u"左  ", u"10"};
constexpr DefaultRow kPatternFirstRow = {u"パターン", u"01S", u" パターン ", u"左  ", u"10"};
constexpr DefaultRow kList07[] = {
    {u"ﾒﾝﾃﾅﾝｽ", u"01S", u"メンテナンス", u"左  ", u"14"},
    {u"ﾒﾝﾃ回数", u"02N", u"回数", u"  右", u" 4"},
    {u"支払金額", u"03N", u" 支払金額 ", u"  右", u"10"},
    {u"平均単価", u"04N", u" 平均単価 ", u"  右", u"10"},
    {u"割合", u"05N", u" 割合 ", u"  右", u" 6"},
    {u"最終日付", u"06D", u" 最終日付 ", u"左  ", u"10"},
};

struct PrintList {
    const char16_t* name;
    const char16_t* title;
    const char16_t* kind;
    std::span<const DefaultRow> rows;
    const DefaultRow* firstRow = nullptr;  // replaces rows[0] when set
};

constexpr PrintList kLists[PrintListCount] = {
    {u"燃費・ﾒﾝﾃﾅﾝｽ一覧", u"燃費・メンテナンス一覧", u"燃費・ﾒﾝﾃﾅﾝｽ一覧", kList01},
    {u"期間集計一覧", u"期間集計一覧", u"期間集計一覧", kList02},
    {u"ﾒﾝﾃﾅﾝｽ期限集計一覧", u"メンテナンス期限集計一覧", u"ﾒﾝﾃﾅﾝｽ期限集計", kList03},
    {u"燃料種別集計一覧", u"燃料種別集計一覧", u"燃料種別集計", kCategoryList, &kFuelFirstRow},
    {u"ｽﾀﾝﾄﾞ別集計一覧", u"スタンド別集計一覧", u"ｽﾀﾝﾄﾞ別集計", kCategoryList, &kStandFirstRow},
    {u"ﾊﾟﾀｰﾝ別集計一覧", u"パターン別集計一覧", u"ﾊﾟﾀｰﾝ別集計", kCategoryList, &kPatternFirstRow},
    {u"ﾒﾝﾃﾅﾝｽ別集計一覧", u"メンテナンス別集計一覧", u"ﾒﾝﾃﾅﾝｽ別集計", kList07},
};

// First form number of each list; the list after the last one starts at 16.
constexpr int kFirstForm[PrintListCount + 1] = {1, 4, 6, 8, 10, 12, 14, 16};

const PrintList* ListOf(int listId) {
    return listId >= 1 && listId <= PrintListCount ? &kLists[listId - 1] : nullptr;
}

QString Text(const char16_t* s) {
    return QString::fromUtf16(s);
}

QString PadItem(const QString& item) {
    return Cp932Length(item) < PrintItemBytes ? AlignLeft(item, PrintItemBytes) : item;
}

// A field of PrintSet.dat cannot hold its separator or a line break.
QString FileField(const QString& text) {
    QString s = text;
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    s.remove(QLatin1Char('\r'));
    s.remove(QLatin1Char('\n'));
    return s;
}

QString JoinFields(std::initializer_list<QString> fields) {
    QString value;
    for (const QString& f : fields)
        value += FileField(f) + QLatin1Char(',');
    return value;
}

QString RowKey(int n, int row) {
    return TwoDigits(n) % QLatin1Char('_') % TwoDigits(row);
}

void WriteForm(ProfileIni& ini, const PrintForm& form, int n) {
    ini.Write(kTitleSection, TwoDigits(n),
              JoinFields({form.name, form.title, form.kind, form.listId, QString::number(form.orientation)}));
    for (int row = 1; row <= PrintRowCount; ++row) {
        const PrintColumn& c = form.rows[row];
        ini.Write(kSettingSection, RowKey(n, row),
                  JoinFields({c.item, c.id, c.mark, c.heading, c.align, c.width}));
    }
}

PrintColumn ColumnFromValue(QStringView value) {
    std::array<QString, 6> items;
    CommaItems(value, items);
    PrintColumn c;
    // Profile values come back trimmed: restore the padding an empty row begins with.
    c.item = PadItem(items[0]);
    c.id = std::move(items[1]);
    if (c.id == QStringLiteral("00S")) c.id = QStringLiteral("01S");
    c.mark = std::move(items[2]);
    c.heading = std::move(items[3]);
    c.align = std::move(items[4]);
    c.width = std::move(items[5]);
    return c;
}

// The forms of a list start out with the same rows, and unused rows are all alike: each distinct
// row of a file is read once per load. Keyed by the row texts in the ini.
using ReadColumns = QHash<QStringView, PrintColumn>;

void ReadForm(const ProfileIni& ini, PrintForm& form, int n, ReadColumns& columns) {
    std::array<QString, 5> header;
    CommaItems(ini.ReadView(kTitleSection, TwoDigits(n)), header);
    form.name = std::move(header[0]);
    form.title = std::move(header[1]);
    form.kind = std::move(header[2]);
    form.listId = std::move(header[3]);
    form.orientation = ParseInt(header[4], 0);
    for (int row = 1; row <= PrintRowCount; ++row) {
        const QStringView value = ini.ReadView(kSettingSection, RowKey(n, row));
        auto known = columns.constFind(value);
        if (known == columns.constEnd()) known = columns.insert(value, ColumnFromValue(value));
        form.rows[row] = known.value();
    }
}

}  // namespace

int PrintForm::ListIdNumber() const {
    return ParseInt(listId, 0);
}

QString PrintListName(int listId) {
    const PrintList* list = ListOf(listId);
    return list ? Text(list->name) : QString();
}

QString PrintListTitle(int listId) {
    const PrintList* list = ListOf(listId);
    return list ? Text(list->title) : QString();
}

QString PrintListKind(int listId) {
    const PrintList* list = ListOf(listId);
    return list ? Text(list->kind) : QString();
}

QString FormItemCaption(const QString& text, int number) {
    return text + QStringLiteral("(&") + QString::number(number) + QStringLiteral(")...");
}

int FormListId(int formNumber) {
    for (int id = 1; id <= PrintListCount; ++id) {
        if (formNumber >= kFirstForm[id - 1] && formNumber < kFirstForm[id]) return id;
    }
    return 0;
}

int FormSuffix(int formNumber) {
    const int id = FormListId(formNumber);
    return id == 0 ? 0 : formNumber - kFirstForm[id - 1] + 1;
}

PrintColumn DefaultPrintColumn(int listId, int row) {
    PrintColumn c;
    c.item = PadItem(QString());
    const PrintList* list = ListOf(listId);
    if (!list || row < 1 || row > static_cast<int>(list->rows.size())) return c;
    const DefaultRow& d = (row == 1 && list->firstRow) ? *list->firstRow : list->rows[row - 1];
    c.item = PadItem(Text(d.item));
    c.id = Text(d.id);
    c.mark = kMark;
    c.heading = Text(d.heading);
    c.align = Text(d.align);
    c.width = Text(d.width);
    return c;
}

void ResetPrintForm(PrintForms& forms, int n) {
    const int id = FormListId(n);
    if (id == 0) return;
    const QString suffix = QString::number(FormSuffix(n));
    PrintForm& form = forms[n];
    form.name = PrintListName(id) + suffix;
    form.title = PrintListTitle(id) + suffix;
    form.kind = PrintListKind(id);
    form.listId = TwoDigits(id);
    form.orientation = 0;
    for (int row = 1; row <= PrintRowCount; ++row)
        form.rows[row] = DefaultPrintColumn(id, row);
}

void ResetAllPrintForms(PrintForms& forms) {
    for (int n = 1; n <= PrintFormCount; ++n)
        ResetPrintForm(forms, n);
}

bool LoadPrintForms(const QString& path, PrintForms& forms, QString* error) {
    if (!FileEntryExists(path)) {
        ResetAllPrintForms(forms);
        return SavePrintForms(path, forms, error);
    }
    // A file that is there but cannot be read is kept, not overwritten with the defaults.
    const ProfileIni ini(path);
    if (!ini.exists()) {
        ResetAllPrintForms(forms);
        if (error) *error = ini.Problem();
        return false;
    }
    ReadColumns columns;
    for (int n = 1; n <= PrintFormCount; ++n)
        ReadForm(ini, forms[n], n, columns);
    if (error) *error = ini.Problem();
    return ini.Problem().isEmpty();
}

bool SavePrintForms(const QString& path, const PrintForms& forms, QString* error) {
    ProfileIni ini(path);
    for (int n = 1; n <= PrintFormCount; ++n)
        WriteForm(ini, forms[n], n);
    return ini.Flush(error);
}

bool SavePrintForm(const QString& path, const PrintForms& forms, int n, QString* error) {
    if (n < 1 || n > PrintFormCount) return true;
    ProfileIni ini(path);
    WriteForm(ini, forms[n], n);
    return ini.Flush(error);
}

PrintColumn NormalizePrintColumn(const std::array<QString, 6>& cells) {
    std::array<QString, 6> c = cells;
    for (QString& cell : c)
        cell.replace(QLatin1Char(','), QLatin1Char('.'));
    PrintColumn out;
    out.item = PadItem(QString());
    if (c[1].trimmed().isEmpty()) return out;
    out.item = PadItem(c[0]);
    out.id = c[1];
    out.mark = c[2].contains(kMark) ? kMark : QStringLiteral("  ");
    out.heading = c[3];
    if (c[4].contains(QStringLiteral("中")))
        out.align = QStringLiteral(" 中 ");
    else if (c[4].contains(QStringLiteral("右")))
        out.align = QStringLiteral("  右");
    else
        out.align = QStringLiteral("左  ");
    // The field holds two digits: a width beyond them becomes the widest it can hold rather than
    // losing its leading digit.
    out.width = FormatInt(std::clamp(ParseInt(c[5], 1), 1, 99), 2, QStringLiteral(" "));
    return out;
}

PrintForm PrintFormFromTab(const QString& name, const QString& title, const QString& kind,
                           const QString& listId, int orientation, const PrintGridCells& cells) {
    PrintForm form;
    form.name = name;
    form.name.replace(QLatin1Char(','), QLatin1Char('.'));
    form.title = title;
    form.title.replace(QLatin1Char(','), QLatin1Char('.'));
    form.kind = kind;
    form.listId = listId;
    form.orientation = orientation;
    for (int row = 1; row <= PrintRowCount; ++row)
        form.rows[row] = NormalizePrintColumn(cells[row]);
    return form;
}

QString ToggledPrintMark(const QString& mark) {
    return mark.contains(kMark) ? QStringLiteral("  ") : kMark;
}

QString NextPrintAlign(const QString& align) {
    if (align.contains(QStringLiteral("中"))) return QStringLiteral("  右");
    if (align.contains(QStringLiteral("右"))) return QStringLiteral("左  ");
    return QStringLiteral(" 中 ");
}

bool IsPrintedColumn(const PrintColumn& column) {
    return column.mark.trimmed() == kMark;
}

}  // namespace tovrel
