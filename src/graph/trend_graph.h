// The trend graphs: the points collected from the log or the period totals, and how a page of them
// is laid out (labels, order, average and target lines, memo call-outs). Pure: no screen involved.
#pragma once

#include "settings/settings.h"

#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

namespace tovrel {

class RecordTable;
struct PeriodTotals;

inline constexpr int kGraphKindCount = 7;
inline constexpr int kDefaultPointsPerPage = 10;

struct GraphKindInfo {
    QString name;                   // "燃費推移", ... : the chart title and the window caption
    bool recordKind;                // kinds 0 and 3 read the records, the others the period totals grid
    int column;                     // record column or period totals column of the value
    bool targetLine;                // the target economy line may be shown
    PerCarInt Settings::*minScale;  // the fixed axis range of the kind
    PerCarInt Settings::*maxScale;
    int axisDecimals;  // left axis format "#,##0.0" (1) or "#,##0" (0)
    double axisStep;   // desired increment of the left axis
};

// Kinds outside 0..6 read as 0.
const GraphKindInfo& GraphKindOf(int kind);
// The kind the main window's graph choice opens (0 燃費推移, 1 単価推移).
int MainWindowGraphKind(int choice);
// The kind the period totals window's graph choice opens (燃費推移, 走行距離推移, 単価推移, 消費燃料推移,
// 生涯燃費).
int PeriodGraphKind(int choice);

struct TrendItem {
    int source = 0;  // record slot or totals grid row
    QString label;   // the record's Day or the trimmed month label
    double value = 0;
    QString memo;  // first line of the record's memo
    bool memoGraph = false;
};

struct TrendData {
    int kind = 0;
    QVector<TrendItem> items;  // the plotted list, oldest first
    double maximum = 0;        // the automatic axis range: whole numbers, maximum > minimum
    double minimum = 0;
    double average = 0;
    bool averageValid = true;  // false when the totals' average cell holds no number
    double target = 0;
};

// Refuelling records whose value is not 0; with noneHeikinDisp, economy records left out of the
// average are not plotted either.
TrendData CollectRecordTrend(int kind, const RecordTable& table, bool noneHeikinDisp, double target);
// Month rows with refuellings or maintenance; the average from the monthly-average row.
TrendData CollectPeriodTrend(int kind, const PeriodTotals& totals, double target);

// The count field: blank, not a number or below 1 gives 10.
int PointsPerPage(const QString& countText);

struct TrendChoices {
    bool allPoints = true;  // all points on one page
    int perPage = kDefaultPointsPerPage;
    bool reverse = false;  // newest first
};

struct TrendPoint {
    int x = 0;     // 1..n in screen order
    int item = 0;  // index into TrendData::items
    QString label;
    double value = 0;
};

struct TrendMark {
    int x = 0;
    double value = 0;
    bool operator==(const TrendMark&) const = default;
};

struct TrendGraph {
    int kind = 0;
    QString title;
    QString foot;
    double axisMin = 0;
    double axisMax = 1;
    int axisDecimals = 1;
    double axisStep = 0.1;
    int perPage = 0;             // 0: all points on one page
    QVector<TrendPoint> points;  // x = 1..n
    QVector<TrendMark> average;  // the average line: both ends of the graph and of each page
    QVector<TrendMark> target;   // the target line, at the same places
    QVector<TrendMark> dummy;    // the average at every point
    bool averageShown = false;
    bool targetShown = false;

    int PointCount() const { return static_cast<int>(points.size()); }
    int PageCount() const;
    // Points firstX..lastX are on the page; the page keeps the width of perPage points.
    int FirstX(int page) const;
    int LastX(int page) const;
    int PageWidth() const;
};

TrendGraph BuildTrendGraph(const TrendData& data, const Settings& settings, int car, const QString& carName,
                           const TrendChoices& choices);

// "全て" in all-points mode, else page "/" page count.
QString PageMemoText(const TrendGraph& graph, int page);

// "#,##0.##": the value labels of the series.
QString FormatChartValue(double value);
// "#,##0.0" or "#,##0": the left axis labels.
QString FormatAxisValue(double value, int decimals);
// The step of the left axis: the desired step, or the first of 2, 5, 10, 20, 50, ... times it whose
// labels do not crowd the given height.
double AxisIncrement(double minimum, double maximum, double desiredStep, double pixels, double labelPixels);

struct MemoCallout {
    int x = 0;
    QString text;
    bool operator==(const MemoCallout&) const = default;
};

// Call-outs of the economy graph for the points firstX..lastX, whose horizontal pixels are given in
// order. When two neighbours share a pixel the graph is crowded and only the newest record speaks.
QVector<MemoCallout> ChooseMemoCallouts(const TrendData& data, const TrendGraph& graph, int firstX,
                                        const QVector<int>& pixelX);

// What a page shows, one tab-separated line each: title, foot, axis, page, point, average, target, memo.
QStringList TrendPageLines(const TrendGraph& graph, int page, const QVector<MemoCallout>& callouts);

// Printing: the margins (percent of the page, MivraMargin...) and the resolution (MivraResolution).
struct ChartPrintSettings {
    int left = 3;
    int top = 5;
    int right = 3;
    int bottom = 3;
    int resolution = 0;  // -100..100; every 100 doubles the chart's drawing size before it is scaled
};

// Margins limited to 0..45 percent each and the resolution to -100..100.
ChartPrintSettings ClampPrintSettings(const ChartPrintSettings& settings);
// Where the chart goes on a page of the given size.
QRectF ChartPrintRect(const QSizeF& page, const ChartPrintSettings& settings);
// The size the chart is laid out at before it is scaled into target: the screen chart's width times
// 2^(resolution/100), in the target's proportions. Larger means finer lines and smaller text on paper.
QSize ChartPrintLayoutSize(QSize screen, const QSizeF& target, int resolution);

}  // namespace tovrel
