#include "graph/trend_graph.h"

#include "base/text_utils.h"
#include "data/record_table.h"
#include "totals/period_totals.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tovrel {

namespace {

const GraphKindInfo kKinds[kGraphKindCount] = {
    {QStringLiteral("燃費推移"), true, ColEconomy, true, &Settings::MivraMinScale, &Settings::MivraMaxScale,
     1, 0.1},
    {QStringLiteral("燃費推移"), false, PeriodEconomy, true, &Settings::MivraMinScale,
     &Settings::MivraMaxScale, 1, 0.1},
    {QStringLiteral("走行距離推移"), false, PeriodRun, false, &Settings::RunMinScale, &Settings::RunMaxScale,
     0, 10},
    {QStringLiteral("単価推移"), true, ColTanka, false, &Settings::TankaMinScale, &Settings::TankaMaxScale, 1,
     0.1},
    {QStringLiteral("単価推移"), false, PeriodTanka, false, &Settings::TankaMinScale,
     &Settings::TankaMaxScale, 1, 0.1},
    {QStringLiteral("消費燃料推移"), false, PeriodGas, false, &Settings::GasMinScale, &Settings::GasMaxScale,
     1, 0.1},
    {QStringLiteral("生涯燃費推移"), false, PeriodLifetimeEconomy, true, &Settings::MivraMinScale,
     &Settings::MivraMaxScale, 1, 0.1},
};

QString FirstLine(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) return text.left(i);
    return text;
}

// Whole-number axis range around the plotted values, never empty.
void SetRange(TrendData& data) {
    if (!data.items.isEmpty()) {
        data.maximum = data.minimum = data.items.first().value;
        for (const TrendItem& item : data.items) {
            data.maximum = std::max(data.maximum, item.value);
            data.minimum = std::min(data.minimum, item.value);
        }
    }
    data.maximum = std::ceil(data.maximum);
    data.minimum = std::floor(data.minimum);
    if (data.maximum == data.minimum) data.maximum = data.minimum + 1;
}

}  // namespace

const GraphKindInfo& GraphKindOf(int kind) {
    return kKinds[kind >= 0 && kind < kGraphKindCount ? kind : 0];
}

int MainWindowGraphKind(int choice) {
    return choice == 1 ? 3 : 0;
}

int PeriodGraphKind(int choice) {
    static const int kinds[] = {1, 2, 4, 5, 6};
    return kinds[std::clamp(choice, 0, 4)];
}

TrendData CollectRecordTrend(int kind, const RecordTable& table, bool noneHeikinDisp, double target) {
    TrendData data;
    data.kind = GraphKindOf(kind).recordKind ? kind : 0;
    data.target = target;
    const int column = GraphKindOf(data.kind).column;
    const bool economy = data.kind == 0;
    double sum = 0;
    double run = 0;
    double gas = 0;
    for (int slot = 1; slot <= table.RecordCount(); ++slot) {
        const FuelRecord& r = table.At(slot);
        if (r.kind != KindFuel) continue;
        double value = ParseNumber(r.text[column], 2, 0);
        if (economy && noneHeikinDisp && r.noneHeikin == 1) value = 0;
        if (value == 0) continue;
        data.items.append({slot, r.Day(), value, FirstLine(r.Memo()), r.memoGraph == 1});
        sum += value;
        if (economy && r.noneHeikin == 0) {
            run += ParseNumber(r.Run(), 2, 0);
            gas += ParseNumber(r.Gas(), 2, 0);
        }
    }
    if (!data.items.isEmpty()) {
        if (economy) {
            if (gas != 0) data.average = run / gas;
        } else {
            data.average = sum / data.items.size();
        }
    }
    SetRange(data);
    return data;
}

TrendData CollectPeriodTrend(int kind, const PeriodTotals& totals, double target) {
    TrendData data;
    data.kind = GraphKindOf(kind).recordKind ? 1 : kind;
    data.target = target;
    const int column = GraphKindOf(data.kind).column;
    const TextGrid& grid = totals.grid;
    for (int row = 1; row <= totals.months; ++row) {
        const bool counted = ParseInt(StripGrouping(grid.Cell(row, PeriodFuelCount)), 0) != 0 ||
                             ParseInt(StripGrouping(grid.Cell(row, PeriodMainteCount)), 0) != 0;
        if (!counted) continue;
        data.items.append({row, grid.Cell(row, PeriodLabel).trimmed(),
                           ParseNumber(grid.Cell(row, column), 2, 0), QString(), false});
    }
    // The lifetime economy's average cell holds a placeholder, not a number: no average line then.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double average = ParseNumber(grid.Cell(totals.AverageRow(), column), 2, nan);
    data.averageValid = !std::isnan(average);
    data.average = data.averageValid ? average : 0;
    SetRange(data);
    return data;
}

int PointsPerPage(const QString& countText) {
    const int n = ParseInt(countText, kDefaultPointsPerPage);
    return n < 1 ? kDefaultPointsPerPage : n;
}

int TrendGraph::PageCount() const {
    if (perPage <= 0) return 1;
    return std::max(1, (PointCount() + perPage - 1) / perPage);
}

int TrendGraph::FirstX(int page) const {
    if (perPage <= 0) return 1;
    return (std::clamp(page, 1, PageCount()) - 1) * perPage + 1;
}

int TrendGraph::LastX(int page) const {
    if (perPage <= 0) return PointCount();
    return std::min(FirstX(page) + perPage - 1, PointCount());
}

int TrendGraph::PageWidth() const {
    return perPage > 0 ? perPage : std::max(1, PointCount());
}

TrendGraph BuildTrendGraph(const TrendData& data, const Settings& settings, int car, const QString& carName,
                           const TrendChoices& choices) {
    const GraphKindInfo& info = GraphKindOf(data.kind);
    TrendGraph g;
    g.kind = data.kind;
    g.title = info.name + QStringLiteral("グラフ（") + carName + QStringLiteral("）");
    g.axisDecimals = info.axisDecimals;
    g.axisStep = info.axisStep;
    if (settings.MivraScaleFix) {
        const int c = std::clamp(car, 0, kCarCount);
        g.axisMin = (settings.*info.minScale)[c];
        g.axisMax = (settings.*info.maxScale)[c];
        // A stored range upside down or empty would leave no axis to draw on.
        if (g.axisMax <= g.axisMin) g.axisMax = g.axisMin + 1;
    } else {
        g.axisMin = data.minimum;
        g.axisMax = data.maximum;
    }
    const int n = static_cast<int>(data.items.size());
    const int perPage = choices.allPoints ? 0 : std::max(1, choices.perPage);
    g.perPage = perPage;
    g.averageShown = settings.HeikiDisp && data.averageValid;
    g.targetShown = info.targetLine && settings.MokuhyoDisp;
    if (n == 0) return g;

    const int length = info.recordKind ? 10 : 7;
    const bool shortYear = settings.YearDispFormat == 1;
    g.average.append({1, data.average});
    g.target.append({1, data.target});
    QString previous;
    for (int i = 1; i <= n; ++i) {
        const int k = i - 1;
        const int item = choices.reverse ? n - i : i - 1;
        const QString& raw = data.items[item].label;
        QString label = raw;
        if (i > 1 && raw.left(4) == previous.left(4) && (perPage == 0 || k % perPage != 0))
            label = QStringLiteral("     ") + raw.mid(5, 5);
        label = shortYear ? label.mid(2, length - 2) : label.left(length);
        if (perPage > 0 && (k % perPage == 0 || k % perPage == perPage - 1)) {
            g.average.append({i, data.average});
            if (info.targetLine) g.target.append({i, data.target});
        }
        g.points.append({i, item, label, data.items[item].value});
        g.dummy.append({i, data.average});
        previous = raw;
    }
    g.average.append({n, data.average});
    g.target.append({n, data.target});
    g.foot = data.items.first().label + QStringLiteral("～") + data.items.last().label;
    if (info.recordKind) g.foot += QStringLiteral("  %1件").arg(n);
    return g;
}

QString PageMemoText(const TrendGraph& graph, int page) {
    if (graph.perPage <= 0) return QStringLiteral("全て");
    return QStringLiteral("%1/%2").arg(std::clamp(page, 1, graph.PageCount())).arg(graph.PageCount());
}

QString FormatChartValue(double value) {
    QString text = FormatGrouped(value, 2);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    }
    return text;
}

QString FormatAxisValue(double value, int decimals) {
    return FormatGrouped(value, decimals);
}

double AxisIncrement(double minimum, double maximum, double desiredStep, double pixels, double labelPixels) {
    if (desiredStep <= 0) return 1;
    const double range = maximum - minimum;
    if (range <= 0 || pixels <= 0 || labelPixels <= 0) return desiredStep;
    // A label and half its height of space before the next one.
    const double most = std::max(1.0, std::floor(pixels / (labelPixels * 1.5)));
    for (double decade = 1;; decade *= 10) {
        for (const int factor : {1, 2, 5}) {
            const double step = desiredStep * factor * decade;
            if (range / step <= most + 1e-9 || !std::isfinite(range / step)) return step;
        }
    }
}

QVector<MemoCallout> ChooseMemoCallouts(const TrendData& data, const TrendGraph& graph, int firstX,
                                        const QVector<int>& pixelX) {
    QVector<MemoCallout> callouts;
    const int n = graph.PointCount();
    if (data.kind != 0 || n == 0 || data.items.size() != n) return callouts;
    const int lastX = std::min(n, firstX + static_cast<int>(pixelX.size()) - 1);
    const auto comment = [&](int x) {
        const TrendItem& item = data.items[graph.points[x - 1].item];
        if (!item.memoGraph || item.memo.isEmpty()) return;
        callouts.append({x, item.memo});
    };
    bool crowded = false;
    for (qsizetype j = 1; j < pixelX.size() && n > 1; ++j)
        if (pixelX[j] == pixelX[j - 1]) crowded = true;
    if (!crowded) {
        for (int x = std::max(1, firstX); x <= lastX; ++x)
            comment(x);
        return callouts;
    }
    // Only the newest record: the last point, or the first one when the order is reversed.
    const int newestX = graph.points.first().item == n - 1 ? 1 : n;
    if (newestX >= firstX && newestX <= lastX) comment(newestX);
    return callouts;
}

QStringList TrendPageLines(const TrendGraph& graph, int page, const QVector<MemoCallout>& callouts) {
    const QChar tab = QLatin1Char('\t');
    QStringList lines;
    lines << QStringLiteral("title") + tab + graph.title;
    lines << QStringLiteral("foot") + tab + graph.foot;
    lines << QStringLiteral("axis") + tab + FormatAxisValue(graph.axisMin, graph.axisDecimals) + tab +
                 FormatAxisValue(graph.axisMax, graph.axisDecimals);
    lines << QStringLiteral("page") + tab + PageMemoText(graph, page);
    const int first = graph.FirstX(page);
    const int last = graph.LastX(page);
    for (int x = first; x <= last; ++x) {
        const TrendPoint& p = graph.points[x - 1];
        lines << QStringLiteral("point") + tab + QString::number(p.x) + tab + p.label + tab +
                     FormatChartValue(p.value);
    }
    const auto marks = [&](const QString& name, const QVector<TrendMark>& series) {
        for (const TrendMark& m : series)
            if (m.x >= first && m.x <= last)
                lines << name + tab + QString::number(m.x) + tab + FormatChartValue(m.value);
    };
    if (graph.averageShown) marks(QStringLiteral("average"), graph.average);
    if (graph.targetShown) marks(QStringLiteral("target"), graph.target);
    for (const MemoCallout& c : callouts)
        lines << QStringLiteral("memo") + tab + QString::number(c.x) + tab + c.text;
    return lines;
}

ChartPrintSettings ClampPrintSettings(const ChartPrintSettings& settings) {
    ChartPrintSettings s;
    s.left = std::clamp(settings.left, 0, 45);
    s.top = std::clamp(settings.top, 0, 45);
    s.right = std::clamp(settings.right, 0, 45);
    s.bottom = std::clamp(settings.bottom, 0, 45);
    s.resolution = std::clamp(settings.resolution, -100, 100);
    return s;
}

QRectF ChartPrintRect(const QSizeF& page, const ChartPrintSettings& settings) {
    const ChartPrintSettings s = ClampPrintSettings(settings);
    const double w = page.width();
    const double h = page.height();
    return QRectF(w * s.left / 100.0, h * s.top / 100.0, w * (100 - s.left - s.right) / 100.0,
                  h * (100 - s.top - s.bottom) / 100.0);
}

QSize ChartPrintLayoutSize(QSize screen, const QSizeF& target, int resolution) {
    const double factor = std::pow(2.0, std::clamp(resolution, -100, 100) / 100.0);
    const double width = std::max(100.0, std::max(1, screen.width()) * factor);
    const double ratio = target.width() > 0 ? target.height() / target.width() : 0.75;
    return QSize(qRound(width), std::max(50, qRound(width * ratio)));
}

}  // namespace tovrel
