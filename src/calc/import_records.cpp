#include "calc/import_records.h"

#include "base/text_utils.h"
#include "calc/combined_fill.h"
#include "calc/economy.h"
#include "calc/entry_rules.h"
#include "data/record_table.h"
#include "settings/settings.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>

namespace tovrel {

namespace {

constexpr int kFieldCount = static_cast<int>(ImportField::Count);

// One accepted row, its figures in the car's units.
struct Pending {
    int line = 0;
    quint8 kind = KindFuel;
    QString day;
    QString time;
    std::optional<double> odometer;
    std::optional<double> trip;
    std::optional<double> gas;
    std::optional<double> cost;
    std::optional<double> tanka;
    bool partial = false;
    bool missed = false;
    QString weather;
    QString station;
    QString fuelType;
    QString pattern;
    QString shop;
    QString notes;
    QStringList mainte;  // "item:cost:memo"
};

// What tells two entries of one day apart: the odometer where both have one (the partial fills
// of a combined fill have lost theirs), else the kind with the fuel or the amount.
struct EntryKey {
    quint8 kind = KindFuel;
    double odometer = 0;
    double gas = 0;
    double cost = 0;

    bool Same(const EntryKey& o) const {
        if (odometer != 0 && o.odometer != 0) return odometer == o.odometer;
        if (kind != o.kind) return false;
        return kind == KindFuel ? gas == o.gas : cost == o.cost;
    }
};

EntryKey KeyOfRecord(const FuelRecord& r) {
    return {r.kind, ParseNumber(r.TotalRun(), RunDecimals, 0), ParseNumber(r.Gas(), GasDecimals, 0),
            ParseNumber(r.Cost(), CostDecimals, 0)};
}

EntryKey KeyOfPending(const Pending& p) {
    return {p.kind, RoundHalfAway(p.odometer.value_or(0), RunDecimals),
            RoundHalfAway(p.gas.value_or(0), GasDecimals), RoundHalfAway(p.cost.value_or(0), CostDecimals)};
}

// A figure as the entry dialog reads it: rounded half away from zero to the field's decimals.
QString Number(double value, int decimals) {
    return FormatFixed(0, decimals, value);
}

QString Quoted(const QString& text) {
    return QStringLiteral("（") + text.trimmed() + QStringLiteral("）");
}

QString FieldReason(ImportField field, const QString& what, const QString& cell) {
    return QStringLiteral("「") + ImportFieldCaption(field) + QStringLiteral("」が") + what + Quoted(cell);
}

// A maintenance job line as the entry dialog's "ﾒﾝﾃ追加" writes it, with the job's memo after it.
QString MainteLine(const QString& item, std::optional<double> cost, const QString& memo) {
    QString name = item;
    name.replace(QLatin1Char(':'), QStringLiteral("："));
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    QString line = AddMainteLine(QString(), name, cost ? FormatFixed(0, 6, *cost) : QString());
    if (line.isEmpty()) return line;
    QString rest = CleanMemoText(memo).trimmed();
    rest.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line + rest;
}

class Planner {
public:
    Planner(const ImportFile& file, const ImportChoices& choices, const RecordTable& log,
            const ImportCar& car)
        : m_file(file),
          m_choices(choices),
          m_log(log),
          m_car(car),
          m_unitFromCost(car.settings),
          m_costFromUnit(car.settings) {
        m_unitFromCost.TankaCalc = 1;
        m_costFromUnit.TankaCalc = 2;
        m_carDistance = CarDistanceUnit(car.runTani);
        m_carVolume = CarVolumeUnit(car.gasTani);
    }

    ImportPlan Run();

private:
    QString Cell(const ImportRow& row, ImportField field) const {
        const int c = m_col[static_cast<int>(field)];
        return c < 0 ? QString() : row.Cell(c).trimmed();
    }
    bool Has(ImportField field) const { return m_col[static_cast<int>(field)] >= 0; }
    bool MapHeadings();
    void SettleDates(int first, int end);
    DistanceUnit FileDistance(ImportField field) const;
    VolumeUnit FileVolume(ImportField field, VolumeUnit rowUnit) const;
    bool ReadNumber(const ImportRow& row, ImportField field, std::optional<double>* value,
                    QString* reason) const;
    bool IsContinuation(const ImportRow& row) const;
    void AppendContinuation(const ImportRow& row, Pending& previous) const;
    std::optional<Pending> ReadRow(const ImportRow& row, const DateCell& date, QString* reason,
                                   bool* notARecord) const;
    bool IsDuplicate(const Pending& p, QHash<QString, QVector<EntryKey>>& seen) const;
    FuelRecord BuildRecord(const Pending& p, const RecordTable& work, int slot, bool* badOdometer) const;
    void CombinePartialFills(RecordTable& work, const QVector<int>& slotPending,
                             const QVector<Pending>& accepted);

    const ImportFile& m_file;
    const ImportChoices& m_choices;
    const RecordTable& m_log;
    const ImportCar& m_car;
    Settings m_unitFromCost;
    Settings m_costFromUnit;
    DistanceUnit m_carDistance;
    VolumeUnit m_carVolume;
    ImportPlan m_plan;
    ImportTableSpan m_span;
    std::array<int, kFieldCount> m_col{};
    QVector<DateCell> m_dates;
};

bool Planner::MapHeadings() {
    ImportTableSpan& span = m_span;
    const bool located = LocateImportTable(m_file.rows, m_choices.format, &span);
    if (!located) {
        // The first row is offered as the heading row, so that its columns can be mapped by hand.
        span.header = 0;
        while (span.header + 1 < m_file.rows.size() && m_file.rows[span.header].IsBlank())
            ++span.header;
        span.end = int(m_file.rows.size());
        span.format = m_choices.format == kAutoFormat ? QStringLiteral("generic") : m_choices.format;
    }
    const ImportRow& header = m_file.rows[span.header];
    m_plan.format = span.format;
    m_plan.section = span.section;
    m_plan.headerLine = header.line;
    m_plan.headings = header.cells;
    m_plan.columns = m_choices.columns.size() == header.cells.size() ? m_choices.columns
                                                                     : MapColumns(header.cells, span.format);
    for (int i = span.header + 1; i < span.end; ++i) {
        if (m_file.rows[i].IsBlank()) continue;
        for (qsizetype c = 0; c < header.cells.size(); ++c)
            m_plan.samples.append(m_file.rows[i].Cell(int(c)).trimmed());
        break;
    }
    m_col.fill(-1);
    for (qsizetype c = 0; c < m_plan.columns.size(); ++c) {
        const ImportField f = m_plan.columns[c].field;
        if (f != ImportField::Ignore && m_col[static_cast<int>(f)] < 0) m_col[static_cast<int>(f)] = int(c);
    }
    if (!Has(ImportField::Date)) {
        m_plan.error = QStringLiteral(
            "日付の列が見つからないため、取り込めません。見出し行に「日付」「Date」などの列名が必要です"
            "（列の取り込み先を指定することもできます）。");
        return false;
    }
    if (!Has(ImportField::Quantity) && !Has(ImportField::Cost) && !Has(ImportField::MainteItem) &&
        !Has(ImportField::Kind)) {
        m_plan.error = QStringLiteral(
            "給油量・金額・メンテナンスのどの列も見つからないため、取り込めません。列の取り込み先を指定してく"
            "ださい。");
        return false;
    }
    m_plan.distance = FileDistance(Has(ImportField::Odometer) ? ImportField::Odometer : ImportField::Trip);
    m_plan.volume = Has(ImportField::VolumeUnitCell) && m_choices.volume == VolumeUnit::Auto
                        ? VolumeUnit::Auto
                        : FileVolume(ImportField::Quantity, VolumeUnit::Auto);
    return true;
}

void Planner::SettleDates(int first, int end) {
    m_dates.resize(end - first);
    bool yearLast = false;
    bool dotted = false;
    for (int i = first; i < end; ++i) {
        const DateCell cell = ParseDateCell(Cell(m_file.rows[i], ImportField::Date));
        m_dates[i - first] = cell;
        yearLast = yearLast || cell.form == DateCell::YearLast;
        dotted = dotted || cell.form == DateCell::DotDmy;
    }
    if (m_choices.dates != DateOrder::Unknown) {
        m_plan.dateOrder = m_choices.dates;
        m_plan.dateOrderChosen = true;
        return;
    }
    if (!yearLast) {
        m_plan.dateOrder = dotted ? DateOrder::Dmy : DateOrder::Ymd;
        return;
    }
    m_plan.dateOrder = SettleDateOrder(m_dates, &m_plan.dateConflict);
    m_plan.needsDateOrder = m_plan.dateOrder == DateOrder::Unknown;
}

DistanceUnit Planner::FileDistance(ImportField field) const {
    if (m_choices.distance != DistanceUnit::Auto) return m_choices.distance;
    const int c = m_col[static_cast<int>(field)];
    if (c >= 0 && m_plan.columns[c].distance != DistanceUnit::Auto) return m_plan.columns[c].distance;
    return m_carDistance;
}

VolumeUnit Planner::FileVolume(ImportField field, VolumeUnit rowUnit) const {
    if (m_choices.volume != VolumeUnit::Auto) return m_choices.volume;
    if (rowUnit != VolumeUnit::Auto) return rowUnit;
    const int c = m_col[static_cast<int>(field)];
    if (c >= 0 && m_plan.columns[c].volume != VolumeUnit::Auto) return m_plan.columns[c].volume;
    if (field == ImportField::UnitPrice) return FileVolume(ImportField::Quantity, rowUnit);
    return m_carVolume;
}

bool Planner::ReadNumber(const ImportRow& row, ImportField field, std::optional<double>* value,
                         QString* reason) const {
    value->reset();
    const QString cell = Cell(row, field);
    if (cell.isEmpty()) return true;
    double v = 0;
    if (!ParseImportNumber(cell, m_plan.decimalMark, &v)) {
        *reason = FieldReason(field, QStringLiteral("数値ではありません"), cell);
        return false;
    }
    if (v < 0) {
        *reason = FieldReason(field, QStringLiteral("負の値です"), cell);
        return false;
    }
    *value = v;
    return true;
}

// This program's list writes the further maintenance jobs and memo lines of a record on lines of
// their own, every other cell empty.
bool Planner::IsContinuation(const ImportRow& row) const {
    if (m_plan.format != QStringLiteral("tovrel") || !Cell(row, ImportField::Date).isEmpty()) return false;
    for (qsizetype c = 0; c < m_plan.columns.size(); ++c) {
        const ImportField f = m_plan.columns[c].field;
        if (f == ImportField::MainteItem || f == ImportField::MainteCost || f == ImportField::MainteMemo ||
            f == ImportField::Notes || f == ImportField::Ignore)
            continue;
        if (!row.Cell(int(c)).trimmed().isEmpty()) return false;
    }
    return true;
}

void Planner::AppendContinuation(const ImportRow& row, Pending& previous) const {
    std::optional<double> cost;
    QString unused;
    ReadNumber(row, ImportField::MainteCost, &cost, &unused);
    const QString line =
        MainteLine(Cell(row, ImportField::MainteItem), cost, Cell(row, ImportField::MainteMemo));
    if (!line.isEmpty()) previous.mainte.append(line);
    const QString memo = row.Cell(m_col[static_cast<int>(ImportField::Notes)]);
    if (Has(ImportField::Notes) && !memo.trimmed().isEmpty())
        previous.notes += (previous.notes.isEmpty() ? QString() : QStringLiteral("\n")) + memo.trimmed();
}

std::optional<Pending> Planner::ReadRow(const ImportRow& row, const DateCell& date, QString* reason,
                                        bool* notARecord) const {
    *notARecord = false;
    Pending p;
    p.line = row.line;
    const QString dateText = Cell(row, ImportField::Date);
    if (dateText.isEmpty()) {
        *reason = QStringLiteral("日付がありません");
        return std::nullopt;
    }
    QString why;
    p.day = DateOfCell(date, m_plan.dateOrder, &why);
    if (p.day.isEmpty()) {
        *reason = why + Quoted(dateText);
        return std::nullopt;
    }
    p.time = date.time;
    if (Has(ImportField::Time) && !Cell(row, ImportField::Time).isEmpty()) {
        if (!ParseTimeText(Cell(row, ImportField::Time), &p.time)) p.time = QStringLiteral("?");
    }
    if (p.time == QStringLiteral("?")) {
        *reason = QStringLiteral("時刻が読めません") +
                  Quoted(Has(ImportField::Time) ? Cell(row, ImportField::Time) : dateText);
        return std::nullopt;
    }

    std::optional<double> mainteCost;
    for (const auto& [field, value] :
         {std::pair{ImportField::Odometer, &p.odometer}, std::pair{ImportField::Trip, &p.trip},
          std::pair{ImportField::Quantity, &p.gas}, std::pair{ImportField::Cost, &p.cost},
          std::pair{ImportField::UnitPrice, &p.tanka}, std::pair{ImportField::MainteCost, &mainteCost}}) {
        if (!ReadNumber(row, field, value, reason)) return std::nullopt;
    }
    const QString unitText = Cell(row, ImportField::VolumeUnitCell);
    const VolumeUnit rowUnit = VolumeUnitOfText(unitText);
    if (!unitText.isEmpty() && rowUnit == VolumeUnit::Auto) {
        *reason = FieldReason(ImportField::VolumeUnitCell, QStringLiteral("読めません"), unitText);
        return std::nullopt;
    }
    const double distanceFactor =
        KilometresPer(FileDistance(ImportField::Odometer)) / KilometresPer(m_carDistance);
    const double tripFactor = KilometresPer(FileDistance(ImportField::Trip)) / KilometresPer(m_carDistance);
    const double volumeFactor =
        LitresPer(FileVolume(ImportField::Quantity, rowUnit)) / LitresPer(m_carVolume);
    const double priceFactor =
        LitresPer(m_carVolume) / LitresPer(FileVolume(ImportField::UnitPrice, rowUnit));
    if (p.odometer) *p.odometer *= distanceFactor;
    if (p.trip) *p.trip *= tripFactor;
    if (p.gas) *p.gas *= volumeFactor;
    if (p.tanka) *p.tanka *= priceFactor;

    bool full = true;
    bool partial = false;
    for (const auto& [field, flag] :
         {std::pair{ImportField::Full, &full}, std::pair{ImportField::Partial, &partial},
          std::pair{ImportField::Missed, &p.missed}}) {
        if (!Has(field)) continue;
        const QString text = Cell(row, field);
        if (!ParseImportFlag(text, flag)) {
            *reason = FieldReason(field, QStringLiteral("はい・いいえとして読めません"), text);
            return std::nullopt;
        }
    }
    p.partial = partial || !full;

    const QString kindText = Cell(row, ImportField::Kind);
    RowKind kind = RowKindOfText(kindText);
    const QString item = Cell(row, ImportField::MainteItem);
    if (kind == RowKind::Other) {
        *notARecord = true;
        *reason = QStringLiteral("給油でも整備でもない行です") + Quoted(kindText);
        return std::nullopt;
    }
    if (kind == RowKind::Unknown) {
        if (p.gas.value_or(0) > 0)
            kind = RowKind::Fuel;
        else if (!item.isEmpty() || p.cost || mainteCost)
            kind = RowKind::Mainte;
        else {
            *reason = QStringLiteral("給油量も整備の内容もありません");
            return std::nullopt;
        }
    }
    if (kind == RowKind::Fuel && p.gas.value_or(0) <= 0) {
        *reason = QStringLiteral("給油の行に給油量がありません");
        return std::nullopt;
    }

    p.weather = Cell(row, ImportField::Weather);
    p.pattern = Cell(row, ImportField::Pattern);
    p.notes = Cell(row, ImportField::Notes);
    p.shop = Cell(row, ImportField::Shop);
    if (kind == RowKind::Fuel) {
        p.kind = KindFuel;
        p.station = Cell(row, ImportField::Station);
        p.fuelType = Cell(row, ImportField::FuelType);
        if (!item.isEmpty())
            p.mainte.append(MainteLine(item, mainteCost, Cell(row, ImportField::MainteMemo)));
        return p;
    }
    // A service or expense row: its item is named by the maintenance column or by its type, its
    // price is the total unless only a price per unit is given.
    p.kind = KindMainte;
    p.trip.reset();
    if (!p.cost && p.tanka) p.cost = *p.tanka / priceFactor * (p.gas ? *p.gas / volumeFactor : 1.0);
    p.gas.reset();
    p.tanka.reset();
    if (!mainteCost) mainteCost = p.cost;
    QString memo = Cell(row, ImportField::MainteMemo);
    if (memo.isEmpty()) memo = Cell(row, ImportField::FuelType);
    const QString name = item.isEmpty() ? kindText : item;
    if (!name.isEmpty()) p.mainte.append(MainteLine(name, mainteCost, memo));
    if (p.shop.isEmpty()) p.shop = Cell(row, ImportField::Station);
    p.partial = false;
    return p;
}

bool Planner::IsDuplicate(const Pending& p, QHash<QString, QVector<EntryKey>>& seen) const {
    const EntryKey key = KeyOfPending(p);
    QVector<EntryKey>& sameDay = seen[p.day];
    for (const EntryKey& other : sameDay) {
        if (key.Same(other)) return true;
    }
    sameDay.append(key);
    return false;
}

FuelRecord Planner::BuildRecord(const Pending& p, const RecordTable& work, int slot,
                                bool* badOdometer) const {
    EntryFigures f;
    f.kind = p.kind;
    const int tankaDecimals = TankaDecimals(m_car.settings);
    if (p.odometer) f.totalRun = Number(*p.odometer, RunDecimals);
    if (p.cost) f.cost = Number(*p.cost, CostDecimals);
    *badOdometer = false;
    if (p.kind == KindFuel) {
        if (p.trip) f.run = Number(*p.trip, RunDecimals);
        f.gas = Number(p.gas.value_or(0), GasDecimals);
        if (p.tanka) f.tanka = Number(*p.tanka, tankaDecimals);
        f.gasSel = CleanJobName(p.fuelType);
        if (!p.trip && p.odometer)
            ApplyDistanceComputation(f, work, slot, 2);
        else if (p.trip && !p.odometer)
            ApplyDistanceComputation(f, work, slot, 1);
        // An odometer below the previous reading gives no distance rather than a negative one.
        if (ParseNumber(f.run, RunDecimals, 0) < 0) {
            f.run.clear();
            *badOdometer = true;
        }
        ApplyEconomyStep(f);
        if (p.cost && !p.tanka)
            ApplyPriceComputation(f, m_unitFromCost);
        else if (p.tanka && !p.cost)
            ApplyPriceComputation(f, m_costFromUnit);
    }
    FuelRecord r;
    r.kind = p.kind;
    QString day;
    QString weekday;
    DateTextOnLeave(p.day, &day, &weekday);
    r.text[ColDay] = day;
    r.text[ColYobi] = weekday;
    r.text[ColTime] = p.time;
    r.text[ColWeather] = CleanJobName(p.weather);
    r.text[ColRun] = f.run;
    r.text[ColTotalRun] = f.totalRun;
    r.text[ColGas] = f.gas;
    r.text[ColEconomy] = f.economy;
    r.text[ColCost] = f.cost;
    r.text[ColTanka] = f.tanka;
    r.text[ColGasSel] = f.gasSel;
    r.text[ColStand] = CleanJobName(p.station);
    r.text[ColPattern] = CleanJobName(p.pattern);
    r.text[ColMainte] = ToRecordLines(p.mainte.join(QLatin1Char('\n')));
    r.text[ColShop] = CleanJobName(p.shop);
    r.text[ColMemo] = ToRecordLines(CleanMemoText(p.notes).trimmed());
    return RecordForStorage(r);
}

// Partial fills are counted at the next full fill, over the partial fills together, through the
// combined-fill rule. A fill-up after a missed one, the fills of its tank, fills left partial at
// the end and fills without a distance are left out of the average.
void Planner::CombinePartialFills(RecordTable& work, const QVector<int>& slotPending,
                                  const QVector<Pending>& accepted) {
    QVector<int> group;
    bool groupMissed = false;
    const auto exclude = [&](const QVector<int>& members) {
        for (int s : members)
            work.SetNoneHeikin(s, 1);
    };
    for (int slot = 1; slot <= work.RecordCount(); ++slot) {
        if (work.Kind(slot) != KindFuel) continue;
        const int index = slotPending[slot];
        if (index < 0) {
            exclude(group);
            group.clear();
            groupMissed = false;
            continue;
        }
        const Pending& p = accepted[index];
        group.append(slot);
        groupMissed = groupMissed || p.missed;
        if (p.partial) continue;
        if (group.size() > 1) {
            const CombinedFill fill(work, group.first(), slot, 0, false);
            if (!fill.Refusal()) fill.Apply(work, nullptr);
        }
        if (groupMissed) exclude(group);
        group.clear();
        groupMissed = false;
    }
    exclude(group);
    for (int slot = 1; slot <= work.RecordCount(); ++slot) {
        if (slotPending[slot] >= 0 && work.Kind(slot) == KindFuel &&
            ParseNumber(work.Text(slot, ColRun), 1, 0) == 0)
            work.SetNoneHeikin(slot, 1);
    }
}

ImportPlan Planner::Run() {
    m_plan.encoding = m_file.encoding;
    m_plan.separator = m_file.separator;
    if (!MapHeadings()) return m_plan;

    const int first = m_span.header + 1;
    const int end = m_span.end;

    QStringList numbers;
    for (int i = first; i < end; ++i) {
        for (ImportField f : {ImportField::Odometer, ImportField::Trip, ImportField::Quantity,
                              ImportField::Cost, ImportField::UnitPrice, ImportField::MainteCost}) {
            const QString cell = Cell(m_file.rows[i], f);
            if (!cell.isEmpty()) numbers.append(cell);
        }
    }
    m_plan.decimalMark = DetectDecimalMark(numbers, m_file.separator);
    SettleDates(first, end);
    if (m_plan.needsDateOrder) return m_plan;

    // Rows in file order; a duplicate or a rejected row takes its continuation lines with it.
    QVector<Pending> accepted;
    QHash<QString, QVector<EntryKey>> seen;
    for (int i = 1; i <= m_log.RecordCount(); ++i) {
        const FuelRecord& r = m_log.At(i);
        if (!r.IsEmpty()) seen[r.Day()].append(KeyOfRecord(r));
    }
    enum class Last { None, Accepted, Dropped } last = Last::None;
    // A rejected row may have been a fill-up: the distance of the next one, read from the
    // odometer, would then span two fills.
    bool gap = false;
    for (int i = first; i < end; ++i) {
        const ImportRow& row = m_file.rows[i];
        if (row.IsBlank()) continue;
        if (IsContinuation(row)) {
            if (last == Last::Accepted) AppendContinuation(row, accepted.last());
            continue;
        }
        QString reason;
        bool notARecord = false;
        std::optional<Pending> p = ReadRow(row, m_dates[i - first], &reason, &notARecord);
        if (!p) {
            m_plan.rejected.append({row.line, reason});
            last = Last::Dropped;
            gap = gap || !notARecord;
        } else if (IsDuplicate(*p, seen)) {
            ++m_plan.duplicates;
            last = Last::Dropped;
        } else {
            if (gap && p->kind == KindFuel) {
                if (!p->trip && !p->missed) {
                    p->missed = true;
                    m_plan.warnings.append(
                        {p->line,
                         QStringLiteral("前の行を取り込めなかったため、平均燃費の計算から外しています")});
                }
                gap = false;
            }
            accepted.append(*p);
            last = Last::Accepted;
        }
    }

    // The new records take their places among the log's in date order, so that each is computed
    // from the records before it, as if it had been entered there.
    QVector<int> order(accepted.size());
    std::iota(order.begin(), order.end(), 0);
    QStringList keys;
    keys.reserve(accepted.size());
    for (const Pending& p : accepted)
        keys.append(p.day + p.time);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });
    const int n = m_log.RecordCount();
    const int k = int(accepted.size());
    RecordTable work(std::max(1, n + k));
    work.SetCostZeroDisp(m_log.CostZeroDisp());
    work.BeginUpdate();
    work.SetRecordCount(n + k);
    QVector<int> slotPending(n + k + 1, -1);
    for (int slot = 1, i = 1, j = 0; slot <= n + k; ++slot) {
        const bool takeNew = j < k && (i > n || keys[order[j]] < m_log.At(i).Day() + m_log.At(i).Time());
        if (!takeNew) {
            work.SetRecord(slot, m_log.At(i++));
            continue;
        }
        const int index = order[j++];
        bool badOdometer = false;
        work.SetRecord(slot, BuildRecord(accepted[index], work, slot, &badOdometer));
        slotPending[slot] = index;
        if (badOdometer) {
            m_plan.warnings.append(
                {accepted[index].line,
                 QStringLiteral("走行距離が前の給油より小さいため、給油距離を計算していません")});
        }
    }
    CombinePartialFills(work, slotPending, accepted);
    work.EndUpdate();

    QVector<std::pair<int, int>> byLine;  // line, slot
    for (int slot = 1; slot <= n + k; ++slot) {
        if (slotPending[slot] >= 0) byLine.append({accepted[slotPending[slot]].line, slot});
    }
    std::stable_sort(byLine.begin(), byLine.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [line, slot] : byLine) {
        FuelRecord r = work.GetRecord(slot);
        // The table holds the cells as the list shows them; records keep plain numbers.
        for (int col : {ColRun, ColTotalRun, ColGas, ColEconomy, ColCost, ColTanka})
            r.text[col] = StripGrouping(r.text[col]);
        m_plan.records.append(r);
        m_plan.lines.append(line);
    }
    std::stable_sort(m_plan.warnings.begin(), m_plan.warnings.end(),
                     [](const ImportRejected& a, const ImportRejected& b) { return a.line < b.line; });
    return m_plan;
}

}  // namespace

ImportPlan PlanImport(const ImportFile& file, const ImportChoices& choices, const RecordTable& log,
                      const ImportCar& car) {
    return Planner(file, choices, log, car).Run();
}

QStringList ImportSummaryLines(const ImportPlan& plan) {
    QStringList lines;
    lines << QStringLiteral("文字コード: ") + ImportEncodingName(plan.encoding)
          << QStringLiteral("区切り文字: ") + SeparatorName(plan.separator);
    if (!plan.error.isEmpty()) {
        lines << plan.error;
        return lines;
    }
    lines << QStringLiteral("形式: ") + ImportFormatCaption(plan.format);
    QString table = QStringLiteral("見出し行: %1行目").arg(plan.headerLine);
    if (!plan.section.isEmpty()) table += QStringLiteral("（## ") + plan.section + QStringLiteral("）");
    lines << table << QStringLiteral("小数点: ") + DecimalMarkName(plan.decimalMark);
    if (plan.needsDateOrder) {
        lines << (plan.dateConflict
                      ? QStringLiteral(
                            "日付の並び: "
                            "未定（日が先の日付と月が先の日付が混ざっています。並びを指定してください）")
                      : QStringLiteral("日付の並び: "
                                       "未定（12日までの日付しかなく、日/月/年か月/日/"
                                       "年か決められません。並びを指定してください）"));
        return lines;
    }
    lines << QStringLiteral("日付の並び: ") + DateOrderCaption(plan.dateOrder) +
                 (plan.dateOrderChosen ? QStringLiteral("（指定）") : QString());
    lines << QStringLiteral("取り込み: %1件").arg(plan.records.size())
          << QStringLiteral("重複のためスキップ: %1件").arg(plan.duplicates);
    lines << QStringLiteral("取り込めない行: %1件").arg(plan.rejected.size());
    for (const ImportRejected& r : plan.rejected)
        lines << QStringLiteral("%1行目: ").arg(r.line) + r.reason;
    for (const ImportRejected& r : plan.warnings)
        lines << QStringLiteral("%1行目（取り込み）: ").arg(r.line) + r.reason;
    return lines;
}

QString ImportCapacityRefusal(const RecordTable& log, const ImportPlan& plan) {
    const int count = log.FullCount();
    const int adding = int(plan.records.size());
    if (count + adding <= log.Capacity()) return QString();
    return QStringLiteral(
               "取り込むと%1件になり、登録できる%2件を超えます。\n（登録済み%3件＋取り込み%4件）\n"
               "ﾃﾞｰﾀは取り込んでいません。")
        .arg(count + adding)
        .arg(log.Capacity())
        .arg(count)
        .arg(adding);
}

bool ApplyImport(RecordTable& log, const ImportPlan& plan, QString* refusal) {
    const QString refused = ImportCapacityRefusal(log, plan);
    if (!refused.isEmpty()) {
        if (refusal) *refusal = refused;
        return false;
    }
    if (plan.records.isEmpty()) return true;
    const int n = log.RecordCount();
    log.BeginUpdate();
    log.SetRecordCount(n + int(plan.records.size()));
    for (qsizetype i = 0; i < plan.records.size(); ++i)
        log.SetRecord(n + 1 + int(i), plan.records[i]);
    log.SortRecords();
    log.EndUpdate();
    return true;
}

}  // namespace tovrel
