#include "data/import_columns.h"

#include <QHash>

#include <array>

namespace tovrel {

namespace {

using F = ImportField;

struct Synonym {
    const char16_t* name;
    ImportField field;
    DistanceUnit distance = DistanceUnit::Auto;
    VolumeUnit volume = VolumeUnit::Auto;
};

// The one table of heading names. Names are written as people write them and compared in their
// normalised form.
constexpr Synonym kSynonyms[] = {
    {u"date", F::Date},
    {u"day", F::Date},
    {u"fuelup date", F::Date},
    {u"fill date", F::Date},
    {u"refuel date", F::Date},
    {u"date time", F::Date},
    {u"date and time", F::Date},
    {u"日付", F::Date},
    {u"給油日", F::Date},
    {u"年月日", F::Date},
    {u"日時", F::Date},
    {u"time", F::Time},
    {u"時刻", F::Time},
    {u"odometer", F::Odometer},
    {u"odo", F::Odometer},
    {u"odometer reading", F::Odometer},
    {u"mileage", F::Odometer},
    {u"走行距離", F::Odometer},
    {u"総走行距離", F::Odometer},
    {u"積算距離", F::Odometer},
    {u"オドメーター", F::Odometer},
    {u"オドメータ", F::Odometer},
    {u"trip distance", F::Trip},
    {u"trip", F::Trip},
    {u"trip meter", F::Trip},
    {u"distance", F::Trip},
    {u"miles", F::Trip, DistanceUnit::Mile},
    {u"kilometers", F::Trip, DistanceUnit::Km},
    {u"kilometres", F::Trip, DistanceUnit::Km},
    {u"km", F::Trip, DistanceUnit::Km},
    {u"給油距離", F::Trip},
    {u"区間距離", F::Trip},
    {u"距離", F::Trip},
    {u"quantity", F::Quantity},
    {u"fuel", F::Quantity},
    {u"volume", F::Quantity},
    {u"fill amount", F::Quantity},
    {u"fuel amount", F::Quantity},
    {u"fuel quantity", F::Quantity},
    {u"fuel volume", F::Quantity},
    {u"litres", F::Quantity, DistanceUnit::Auto, VolumeUnit::Litre},
    {u"liters", F::Quantity, DistanceUnit::Auto, VolumeUnit::Litre},
    {u"litre", F::Quantity, DistanceUnit::Auto, VolumeUnit::Litre},
    {u"liter", F::Quantity, DistanceUnit::Auto, VolumeUnit::Litre},
    {u"gallons", F::Quantity, DistanceUnit::Auto, VolumeUnit::UsGallon},
    {u"gallon", F::Quantity, DistanceUnit::Auto, VolumeUnit::UsGallon},
    {u"給油量", F::Quantity},
    {u"給油", F::Quantity},
    {u"数量", F::Quantity},
    {u"リットル", F::Quantity, DistanceUnit::Auto, VolumeUnit::Litre},
    {u"total cost", F::Cost},
    {u"cost", F::Cost},
    {u"total", F::Cost},
    {u"total price", F::Cost},
    {u"amount paid", F::Cost},
    {u"paid", F::Cost},
    {u"金額", F::Cost},
    {u"支払金額", F::Cost},
    {u"給油金額", F::Cost},
    {u"合計金額", F::Cost},
    {u"料金", F::Cost},
    {u"費用", F::Cost},
    {u"price per unit", F::UnitPrice},
    {u"unit price", F::UnitPrice},
    {u"price", F::UnitPrice},
    {u"price per litre", F::UnitPrice, DistanceUnit::Auto, VolumeUnit::Litre},
    {u"price per liter", F::UnitPrice, DistanceUnit::Auto, VolumeUnit::Litre},
    {u"price per gallon", F::UnitPrice, DistanceUnit::Auto, VolumeUnit::UsGallon},
    {u"単価", F::UnitPrice},
    {u"リッター単価", F::UnitPrice, DistanceUnit::Auto, VolumeUnit::Litre},
    {u"full", F::Full},
    {u"full tank", F::Full},
    {u"is full tank", F::Full},
    {u"filled to full", F::Full},
    {u"is filled to full", F::Full},
    {u"満タン", F::Full},
    {u"partial", F::Partial},
    {u"partial fill", F::Partial},
    {u"partial fillup", F::Partial},
    {u"partial fuelup", F::Partial},
    {u"not full", F::Partial},
    {u"部分給油", F::Partial},
    {u"継ぎ足し", F::Partial},
    {u"missed", F::Missed},
    {u"missed fillup", F::Missed},
    {u"missed fuelup", F::Missed},
    {u"給油漏れ", F::Missed},
    {u"記録漏れ", F::Missed},
    {u"type", F::Kind},
    {u"entry type", F::Kind},
    {u"record type", F::Kind},
    {u"category", F::Kind},
    {u"種別", F::Kind},
    {u"データ種別", F::Kind},
    {u"station", F::Station},
    {u"gas station", F::Station},
    {u"fuel station", F::Station},
    {u"filling station", F::Station},
    {u"brand", F::Station},
    {u"location", F::Station},
    {u"place", F::Station},
    {u"スタンド", F::Station},
    {u"給油所", F::Station},
    {u"ガソリンスタンド", F::Station},
    {u"fuel type", F::FuelType},
    {u"fuel grade", F::FuelType},
    {u"grade", F::FuelType},
    {u"octane", F::FuelType},
    {u"燃料種別", F::FuelType},
    {u"燃料", F::FuelType},
    {u"油種", F::FuelType},
    {u"weather", F::Weather},
    {u"天気", F::Weather},
    {u"pattern", F::Pattern},
    {u"driving pattern", F::Pattern},
    {u"パターン", F::Pattern},
    {u"走行パターン", F::Pattern},
    {u"description", F::MainteItem},
    {u"service", F::MainteItem},
    {u"item", F::MainteItem},
    {u"maintenance", F::MainteItem},
    {u"メンテナンス", F::MainteItem},
    {u"整備内容", F::MainteItem},
    {u"整備", F::MainteItem},
    {u"メンテ単価", F::MainteCost},
    {u"整備費用", F::MainteCost},
    {u"service cost", F::MainteCost},
    {u"メンテメモ", F::MainteMemo},
    {u"整備メモ", F::MainteMemo},
    {u"shop", F::Shop},
    {u"ショップ", F::Shop},
    {u"整備工場", F::Shop},
    {u"notes", F::Notes},
    {u"note", F::Notes},
    {u"memo", F::Notes},
    {u"comment", F::Notes},
    {u"comments", F::Notes},
    {u"remarks", F::Notes},
    {u"メモ", F::Notes},
    {u"備考", F::Notes},
    {u"quantity units", F::VolumeUnitCell},
    {u"quantity unit", F::VolumeUnitCell},
    {u"volume unit", F::VolumeUnitCell},
    {u"unit", F::VolumeUnitCell},
    {u"units", F::VolumeUnitCell},
    {u"単位", F::VolumeUnitCell},
    // Known and left out: the row number, the weekday and figures the program computes itself.
    {u"no", F::Ignore},
    {u"曜", F::Ignore},
    {u"曜日", F::Ignore},
    {u"燃費", F::Ignore},
    {u"economy", F::Ignore},
    {u"fuel economy", F::Ignore},
    {u"mpg", F::Ignore},
    {u"consumption", F::Ignore},
    {u"currency", F::Ignore},
    {u"latitude", F::Ignore},
    {u"longitude", F::Ignore},
};

// Road Trip's documented CSV column names.
constexpr Synonym kRoadTrip[] = {
    {u"date", F::Date},
    {u"odometer", F::Odometer},
    {u"trip meter", F::Trip},
    {u"fill amount", F::Quantity},
    {u"price per unit", F::UnitPrice},
    {u"total price", F::Cost},
    {u"type", F::Kind},
    {u"description", F::MainteItem},
};

// Car Care's export: Price is per unit for a fill-up and the total for a service entry, Reset
// restarts the economy (a missed fill-up), Location holds map coordinates.
constexpr Synonym kCarCare[] = {
    {u"odometer", F::Odometer},
    {u"entry type", F::Kind},
    {u"entry subtype", F::FuelType},
    {u"quantity", F::Quantity},
    {u"quantity units", F::VolumeUnitCell},
    {u"is full tank", F::Full},
    {u"reset", F::Missed},
    {u"currency", F::Ignore},
    {u"price", F::UnitPrice},
    {u"notes", F::Notes},
    {u"date", F::Date},
    {u"location", F::Ignore},
};

struct KnownName {
    ImportField field;
    DistanceUnit distance;
    VolumeUnit volume;
};

using NameTable = QHash<QString, KnownName>;

template <size_t N>
NameTable BuildTable(const Synonym (&synonyms)[N]) {
    NameTable table;
    for (const Synonym& s : synonyms)
        table.insert(NormalizeHeading(QString::fromUtf16(s.name)), {s.field, s.distance, s.volume});
    return table;
}

const NameTable& GenericTable() {
    static const NameTable table = BuildTable(kSynonyms);
    return table;
}

const NameTable* FormatTable(const QString& id) {
    static const NameTable roadTrip = BuildTable(kRoadTrip);
    static const NameTable carCare = BuildTable(kCarCare);
    if (id == QStringLiteral("roadtrip")) return &roadTrip;
    if (id == QStringLiteral("carcare")) return &carCare;
    return nullptr;
}

bool HasAll(const QStringList& normalized, std::initializer_list<const char16_t*> names) {
    for (const char16_t* name : names) {
        if (!normalized.contains(NormalizeHeading(QString::fromUtf16(name)))) return false;
    }
    return true;
}

int MappedFields(const QVector<ColumnMapping>& columns, bool* hasDate) {
    int n = 0;
    *hasDate = false;
    for (const ColumnMapping& c : columns) {
        if (c.field == ImportField::Ignore) continue;
        ++n;
        if (c.field == ImportField::Date) *hasDate = true;
    }
    return n;
}

bool IsSectionLine(const ImportRow& row) {
    return !row.cells.isEmpty() && row.cells[0].trimmed().startsWith(QStringLiteral("##"));
}

}  // namespace

QString ImportFieldCaption(ImportField field) {
    static const std::array<const char16_t*, static_cast<int>(ImportField::Count)> captions = {
        u"（取り込まない）",
        u"日付",
        u"時刻",
        u"走行距離",
        u"給油距離",
        u"給油量",
        u"金額",
        u"単価",
        u"満タン",
        u"部分給油",
        u"給油漏れ",
        u"種別（給油/整備）",
        u"スタンド",
        u"燃料種別",
        u"天気",
        u"パターン",
        u"メンテナンス",
        u"メンテ単価",
        u"メンテメモ",
        u"ショップ",
        u"メモ",
        u"給油量の単位"};
    const int i = static_cast<int>(field);
    return i >= 0 && i < static_cast<int>(captions.size()) ? QString::fromUtf16(captions[i]) : QString();
}

const QVector<ImportFormatInfo>& ImportFormats() {
    static const QVector<ImportFormatInfo> formats = {
        {QStringLiteral("generic"), QStringLiteral("汎用（見出しの名前で対応付け）")},
        {QStringLiteral("tovrel"), QStringLiteral("このソフトのCSV（一覧表）")},
        {QStringLiteral("roadtrip"), QStringLiteral("Road Trip CSV")},
        {QStringLiteral("carcare"), QStringLiteral("Car Care エクスポート")},
    };
    return formats;
}

bool IsImportFormat(const QString& id) {
    for (const ImportFormatInfo& f : ImportFormats()) {
        if (f.id == id) return true;
    }
    return false;
}

QString ImportFormatCaption(const QString& id) {
    for (const ImportFormatInfo& f : ImportFormats()) {
        if (f.id == id) return f.caption;
    }
    return id;
}

QString NormalizeHeading(const QString& heading, QString* unit) {
    QString s = heading.normalized(QString::NormalizationForm_KC).toLower();
    QString bracketed;
    for (const auto& [open, close] :
         {std::pair{QLatin1Char('('), QLatin1Char(')')}, std::pair{QLatin1Char('['), QLatin1Char(']')}}) {
        const qsizetype a = s.indexOf(open);
        const qsizetype b = a < 0 ? -1 : s.indexOf(close, a + 1);
        if (b > a) {
            bracketed = s.mid(a + 1, b - a - 1).trimmed();
            s.remove(a, b - a + 1);
            break;
        }
    }
    if (unit) *unit = bracketed;
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        if (c.isLetterOrNumber() || c == QChar(0x30FC)) out += c;
    }
    return out;
}

QString DetectImportFormat(const QStringList& headings) {
    QStringList n;
    for (const QString& h : headings)
        n.append(NormalizeHeading(h));
    if (HasAll(n, {u"日付", u"給油距離", u"走行距離"})) return QStringLiteral("tovrel");
    if (HasAll(n, {u"entry type", u"is full tank"})) return QStringLiteral("carcare");
    if (HasAll(n, {u"fill amount", u"price per unit"}) || HasAll(n, {u"fill amount", u"total price"}))
        return QStringLiteral("roadtrip");
    return QStringLiteral("generic");
}

QVector<ColumnMapping> MapColumns(const QStringList& headings, const QString& formatId) {
    const NameTable* own = FormatTable(formatId);
    QVector<ColumnMapping> columns(headings.size());
    std::array<bool, static_cast<int>(ImportField::Count)> taken{};
    for (qsizetype i = 0; i < headings.size(); ++i) {
        QString unit;
        const QString name = NormalizeHeading(headings[i], &unit);
        if (name.isEmpty()) continue;
        const KnownName* known = nullptr;
        if (own) {
            const auto it = own->constFind(name);
            if (it != own->constEnd()) known = &*it;
        }
        if (!known) {
            const auto it = GenericTable().constFind(name);
            if (it == GenericTable().constEnd()) continue;
            known = &*it;
        }
        ColumnMapping m{known->field, known->distance, known->volume};
        if (const DistanceUnit d = DistanceUnitOfText(unit); d != DistanceUnit::Auto) m.distance = d;
        if (const VolumeUnit v = VolumeUnitOfText(unit); v != VolumeUnit::Auto) m.volume = v;
        // The main list writes the job's cost under the same heading as the unit price.
        if (m.field == ImportField::UnitPrice && i > 0 && columns[i - 1].field == ImportField::MainteItem)
            m.field = ImportField::MainteCost;
        const int f = static_cast<int>(m.field);
        if (m.field != ImportField::Ignore) {
            if (taken[f]) continue;
            taken[f] = true;
        }
        columns[i] = m;
    }
    return columns;
}

bool LocateImportTable(const QVector<ImportRow>& rows, const QString& formatId, ImportTableSpan* span) {
    QVector<int> candidates;
    for (int i = 0; i < rows.size() && i < 12; ++i)
        candidates.append(i);
    for (int i = 0; i + 1 < rows.size(); ++i) {
        if (IsSectionLine(rows[i]) && !candidates.contains(i + 1)) candidates.append(i + 1);
    }
    int best = -1;
    int bestScore = 0;
    QString bestFormat;
    for (int i : candidates) {
        if (IsSectionLine(rows[i])) continue;
        const QString format = formatId == kAutoFormat ? DetectImportFormat(rows[i].cells) : formatId;
        bool hasDate = false;
        const int score = MappedFields(MapColumns(rows[i].cells, format), &hasDate);
        if (hasDate && score > bestScore) {
            best = i;
            bestScore = score;
            bestFormat = format;
        }
    }
    if (best < 0) return false;
    span->header = best;
    span->format = bestFormat;
    span->section.clear();
    for (int i = best - 1; i >= 0; --i) {
        if (IsSectionLine(rows[i])) {
            span->section = rows[i].cells[0].trimmed().mid(2).trimmed();
            break;
        }
    }
    span->end = best + 1;
    while (span->end < rows.size() && !IsSectionLine(rows[span->end]))
        ++span->end;
    return true;
}

}  // namespace tovrel
