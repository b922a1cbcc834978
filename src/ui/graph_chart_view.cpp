#include "ui/graph_chart_view.h"

#include "ui/widgets/colors.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsSceneResizeEvent>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QSet>
#include <QTimer>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace tovrel {

namespace {

const QString kChartFont = QStringLiteral("ＭＳ Ｐゴシック");
constexpr qreal kBarWidth = 0.75;
constexpr int kZoomSteps = 5;
constexpr int kZoomStepMs = 30;
constexpr int kMargin = 2;
// Qt Charts wants distinct category labels; equal ones get invisible characters appended.
const QChar kZeroWidthSpace(0x200B);
// Series items sit at z 4 within the chart; the depth is drawn just below them, the labels above.
constexpr qreal kDepthZ = 3.5;
constexpr qreal kOverlayZ = 20;

QFont PixelFont(int pixels, bool bold = false) {
    QFont font(kChartFont);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont LabelFont() {
    return PixelFont(11);
}

// The chart facility's fixed minimum range, so a zoom cannot collapse an axis.
constexpr double kMinimumSpan = 1e-6;

}  // namespace

GraphStyle GraphStyle::FromSettings(const Settings& settings, bool memo) {
    GraphStyle style;
    style.bar = settings.GraphType == 1;
    style.view3D = settings.View3D;
    style.zoom = settings.GraphZoom;
    style.dataMarks = settings.MivraGraphMark;
    style.averageMarks = settings.HeikinGraphMark;
    style.targetMarks = settings.MokhyoGraphMark;
    style.memo = memo;
    style.dataColor = ColorFromValue(settings.MivraGraphColor);
    style.averageColor = ColorFromValue(settings.HeikinGraphColor);
    style.targetColor = ColorFromValue(settings.MokhyoGraphColor);
    return style;
}

// Value labels and memo call-outs, drawn over the series after each paint.
class GraphOverlay : public QGraphicsItem {
public:
    explicit GraphOverlay(GraphChart* chart) : QGraphicsItem(chart), m_chart(chart) { setZValue(kOverlayZ); }

    QRectF boundingRect() const override { return m_chart->rect(); }
    void Resized() { prepareGeometryChange(); }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        const TrendGraph& g = m_chart->m_graph;
        const GraphStyle& style = m_chart->m_style;
        const QRectF area = m_chart->plotArea();
        painter->save();
        painter->setFont(LabelFont());
        const auto inside = [&](const QPointF& p) {
            return p.x() >= area.left() - 1 && p.x() <= area.right() + 1;
        };
        // Above the top face when the data has depth.
        const double depth = m_chart->DepthPixels();
        if (style.dataMarks) {
            for (int x = m_chart->m_firstX; x <= m_chart->m_lastX; ++x) {
                const double value = g.points[x - 1].value;
                const QPointF p = m_chart->PointPosition(x, value);
                if (inside(p)) Mark(painter, area, p - QPointF(0, depth), FormatChartValue(value), false);
            }
        }
        const auto marks = [&](const QVector<TrendMark>& series, bool below) {
            for (const TrendMark& m : series) {
                if (m.x < m_chart->m_firstX || m.x > m_chart->m_lastX) continue;
                const QPointF p = m_chart->PointPosition(m.x, m.value);
                if (inside(p) && area.adjusted(0, -1, 0, 1).contains(QPointF(area.center().x(), p.y())))
                    Mark(painter, area, p, FormatChartValue(m.value), true, below);
            }
        };
        const bool average = g.averageShown && style.averageMarks && !g.average.isEmpty();
        const bool target = g.targetShown && style.targetMarks && !g.target.isEmpty();
        // Average and target labels close together: the lower line's labels go below it.
        bool averageBelow = false;
        bool targetBelow = false;
        if (average && target) {
            const double a = m_chart->PointPosition(1, g.average.first().value).y();
            const double t = m_chart->PointPosition(1, g.target.first().value).y();
            if (std::abs(a - t) < QFontMetricsF(painter->font()).height() + 8) {
                averageBelow = a >= t;
                targetBelow = !averageBelow;
            }
        }
        if (average) marks(g.average, averageBelow);
        if (target) marks(g.target, targetBelow);
        for (const MemoCallout& c : m_chart->Callouts()) {
            const QPointF p = m_chart->PointPosition(c.x, g.points[c.x - 1].value);
            if (inside(p)) Callout(painter, m_chart->rect(), p.toPoint(), c.text);
        }
        painter->restore();
    }

private:
    // A value label centred above the point; framed on white for the average and target lines.
    static void Mark(QPainter* painter, const QRectF& area, const QPointF& p, const QString& text,
                     bool framed, bool below = false) {
        const QFontMetricsF fm(painter->font());
        const double w = fm.horizontalAdvance(text) + 4;
        const double h = fm.height() + 1;
        QRectF box(p.x() - w / 2, below ? p.y() + 6 : p.y() - 6 - h, w, h);
        // Labels at the ends of the graph stay inside the plot.
        if (area.width() > w) box.moveLeft(std::clamp(box.left(), area.left(), area.right() - w));
        if (framed) {
            painter->setPen(QPen(Qt::gray, 1));
            painter->setBrush(Qt::white);
            painter->drawRect(box);
        }
        painter->setPen(Qt::black);
        painter->drawText(box, Qt::AlignCenter, text);
    }

    // A line down and to the right from the point, then the text in a white box; near the right
    // edge the same to the left, so that the text is not cut off.
    static void Callout(QPainter* painter, const QRectF& bounds, QPoint p, const QString& text) {
        const QFontMetrics fm(painter->font());
        const int width = fm.horizontalAdvance(text) + 10;
        const bool left = p.x() + width > bounds.right() && p.x() - width >= bounds.left();
        const int dir = left ? -1 : 1;
        painter->setPen(QPen(Qt::black, 1));
        painter->drawLine(p, p + QPoint(5 * dir, 15));
        painter->setBrush(Qt::white);
        const QRect box(QPoint(p.x(), p.y() + 13), QPoint(p.x() + width * dir, p.y() + fm.height() + 17));
        painter->drawRect(box.normalized());
        painter->drawText(QPoint(left ? p.x() - width + 5 : p.x() + 5, p.y() + 15 + fm.ascent()), text);
    }

    GraphChart* m_chart;
};

// The three-dimensional look: each bar gets a top and a side face, the line a band behind it.
class GraphDepth : public QGraphicsItem {
public:
    explicit GraphDepth(GraphChart* chart) : QGraphicsItem(chart), m_chart(chart) { setZValue(kDepthZ); }

    QRectF boundingRect() const override { return m_chart->rect(); }
    void Resized() { prepareGeometryChange(); }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        const GraphStyle& style = m_chart->m_style;
        const TrendGraph& g = m_chart->m_graph;
        const int first = m_chart->m_firstX;
        const int last = m_chart->m_lastX;
        if (!style.view3D || last < first) return;
        const QRectF area = m_chart->plotArea();
        const double unit = m_chart->PointPosition(first + 1, 0).x() - m_chart->PointPosition(first, 0).x();
        const double d = m_chart->DepthPixels();
        const QPointF back(d, -d);
        painter->save();
        painter->setClipRect(area.adjusted(0, -d, d, 0));
        painter->setRenderHint(QPainter::Antialiasing);
        const QColor top = style.dataColor.lighter(150);
        const QColor side = style.dataColor.darker(150);
        if (style.bar) {
            painter->setPen(Qt::NoPen);
            const double base = std::min(m_chart->PointPosition(first, 0).y(), area.bottom());
            for (int x = first; x <= last; ++x) {
                const double value = g.points[x - 1].value;
                const QPointF centre = m_chart->PointPosition(x, value);
                const QPointF left = m_chart->PointPosition(x, value) - QPointF(unit * kBarWidth / 2, 0);
                const QPointF right = centre + QPointF(unit * kBarWidth / 2, 0);
                const QPointF rightBase(right.x(), base);
                painter->setBrush(top);
                painter->drawPolygon(QPolygonF({left, right, right + back, left + back}));
                painter->setBrush(side);
                painter->drawPolygon(QPolygonF({right, right + back, rightBase + back, rightBase}));
            }
        } else {
            QPolygonF line;
            for (int x = first; x <= last; ++x)
                line.append(m_chart->PointPosition(x, g.points[x - 1].value));
            painter->setPen(Qt::NoPen);
            painter->setBrush(top);
            for (qsizetype i = 1; i < line.size(); ++i)
                painter->drawPolygon(QPolygonF({line[i - 1], line[i], line[i] + back, line[i - 1] + back}));
            painter->setPen(QPen(side, 1));
            painter->setBrush(Qt::NoBrush);
            painter->drawPolyline(line.translated(back));
        }
        painter->restore();
    }

private:
    GraphChart* m_chart;
};

GraphChart::GraphChart() {
    setBackgroundBrush(Qt::white);
    setBackgroundRoundness(0);
    setDropShadowEnabled(false);
    setPlotAreaBackgroundBrush(Qt::white);
    setPlotAreaBackgroundVisible(true);
    setAnimationOptions(QChart::NoAnimation);
    // The chart's own margins (2) are the only space around it.
    if (layout()) layout()->setContentsMargins(0, 0, 0, 0);
    legend()->hide();
    setTitleFont(PixelFont(13, true));
    setTitleBrush(Qt::black);
    // Axis labels with "," grouping: the chart formats numbers through this locale.
    QLocale grouping(QLocale::English, QLocale::UnitedStates);
    grouping.setNumberOptions(QLocale::DefaultNumberOptions);
    setLocale(grouping);
    setLocalizeNumbers(true);

    m_axisX = new QCategoryAxis;
    m_axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_axisX->setLabelsAngle(-90);
    m_axisX->setTruncateLabels(false);
    m_axisX->setLabelsFont(LabelFont());
    m_axisX->setLabelsColor(Qt::black);
    m_axisX->setMinorTickCount(0);
    m_axisX->setGridLineColor(QColor(0xd8, 0xd8, 0xd8));
    m_axisY = new QValueAxis;
    m_axisY->setLabelsFont(LabelFont());
    m_axisY->setLabelsColor(Qt::black);
    m_axisY->setTruncateLabels(false);
    m_axisY->setMinorTickCount(4);
    m_axisY->setMinorGridLineVisible(false);
    m_axisY->setTickType(QValueAxis::TicksDynamic);
    m_axisY->setTickAnchor(0);
    m_axisY->setGridLineColor(QColor(0xd8, 0xd8, 0xd8));
    addAxis(m_axisX, Qt::AlignBottom);
    addAxis(m_axisY, Qt::AlignLeft);

    const auto line = [this](const QString& name) {
        auto* series = new QLineSeries;
        series->setName(name);
        addSeries(series);
        series->attachAxis(m_axisX);
        series->attachAxis(m_axisY);
        return series;
    };
    // The data first, so that the average and target lines are never hidden behind a bar.
    m_barSeries = new QBarSeries;
    m_barSeries->setName(QStringLiteral("燃費推移バー"));
    m_barSeries->setBarWidth(kBarWidth);
    addSeries(m_barSeries);
    m_barSeries->attachAxis(m_axisX);
    m_barSeries->attachAxis(m_axisY);
    m_lineSeries = line(QStringLiteral("燃費推移折れ線"));
    m_dummySeries = line(QStringLiteral("平均燃費(Dummy)"));
    m_heikinSeries = line(QStringLiteral("平均燃費"));
    m_mokuhyoSeries = line(QStringLiteral("目標燃費"));

    m_foot = new QGraphicsSimpleTextItem(this);
    m_foot->setFont(PixelFont(12));
    const int footHeight = qCeil(QFontMetricsF(m_foot->font()).height());
    setMargins(QMargins(kMargin, kMargin, kMargin, kMargin + footHeight + 2));
    m_depth = new GraphDepth(this);
    m_overlay = new GraphOverlay(this);

    m_zoomTimer = new QTimer(this);
    m_zoomTimer->setInterval(kZoomStepMs);
    connect(m_zoomTimer, &QTimer::timeout, this, [this] {
        ++m_zoomStep;
        const double t = double(m_zoomStep) / kZoomSteps;
        const auto mix = [t](double a, double b) { return a + (b - a) * t; };
        m_axisX->setRange(mix(m_zoomFrom.left(), m_zoomTo.left()), mix(m_zoomFrom.right(), m_zoomTo.right()));
        m_axisY->setRange(mix(m_zoomFrom.top(), m_zoomTo.top()), mix(m_zoomFrom.bottom(), m_zoomTo.bottom()));
        if (m_zoomStep >= kZoomSteps) m_zoomTimer->stop();
    });
    connect(this, &QChart::plotAreaChanged, this, &GraphChart::UpdateLayoutDependents);
    connect(m_axisX, &QValueAxis::rangeChanged, this, &GraphChart::UpdateLayoutDependents);
    connect(m_axisY, &QValueAxis::rangeChanged, this, &GraphChart::UpdateLayoutDependents);
}

void GraphChart::SetGraph(const TrendData& data, const TrendGraph& graph, const GraphStyle& style) {
    m_data = data;
    m_graph = graph;
    m_style = style;
    const QString format = m_graph.axisDecimals > 0 ? QStringLiteral("%.1f") : QStringLiteral("%.0f");
    m_axisY->setLabelFormat(format);
    setTitle(m_graph.title);
    m_foot->setText(m_graph.foot);
    PlaceFoot();
    ShowPage(1);
}

void GraphChart::SetMemoShown(bool on) {
    m_style.memo = on;
    m_overlay->update();
}

void GraphChart::ShowPage(int page) {
    m_zoomTimer->stop();
    m_page = std::clamp(page, 1, m_graph.PageCount());
    m_firstX = m_graph.FirstX(m_page);
    m_lastX = m_graph.LastX(m_page);
    BuildPage();
    emit pageChanged(m_page);
}

void GraphChart::BuildPage() {
    QList<QPointF> data;
    QList<qreal> bars;
    for (int x = m_firstX; x <= m_lastX; ++x) {
        data.append(QPointF(LocalX(x), m_graph.points[x - 1].value));
        bars.append(m_graph.points[x - 1].value);
    }
    const auto onPage = [this](const QVector<TrendMark>& marks) {
        QList<QPointF> points;
        for (const TrendMark& m : marks)
            if (m.x >= m_firstX && m.x <= m_lastX) points.append(QPointF(LocalX(m.x), m.value));
        return points;
    };
    m_lineSeries->replace(data);
    m_heikinSeries->replace(onPage(m_graph.average));
    m_mokuhyoSeries->replace(onPage(m_graph.target));
    m_dummySeries->replace(onPage(m_graph.dummy));
    m_barSeries->clear();
    m_barSet = new QBarSet(QStringLiteral("燃費推移バー"));
    m_barSet->append(bars);
    m_barSet->setColor(m_style.dataColor);
    m_barSet->setBorderColor(m_style.dataColor.darker(120));
    m_barSeries->append(m_barSet);

    m_lineSeries->setPen(QPen(m_style.dataColor, 2));
    m_heikinSeries->setPen(QPen(m_style.averageColor, 2));
    m_mokuhyoSeries->setPen(QPen(m_style.targetColor, 2));
    m_dummySeries->setPen(QPen(m_style.averageColor, 1, Qt::DashDotLine));
    m_lineSeries->setVisible(!m_style.bar);
    m_barSeries->setVisible(m_style.bar);
    m_heikinSeries->setVisible(m_graph.averageShown);
    m_dummySeries->setVisible(m_graph.averageShown);
    m_mokuhyoSeries->setVisible(m_graph.targetShown);

    m_labelKey.clear();
    m_zoomed = false;
    SetAxisRanges(-0.5, m_graph.PageWidth() - 0.5, m_graph.axisMin, m_graph.axisMax, false);
    UpdateLayoutDependents();
}

double GraphChart::DepthPixels() const {
    if (!m_style.view3D) return 0;
    const double unit = PointPosition(m_firstX + 1, 0).x() - PointPosition(m_firstX, 0).x();
    return std::clamp(std::abs(unit) * 0.25, 3.0, 10.0);
}

QPointF GraphChart::PointPosition(int x, double value) const {
    return const_cast<GraphChart*>(this)->mapToPosition(QPointF(LocalX(x), value), m_lineSeries);
}

QVector<MemoCallout> GraphChart::Callouts() const {
    if (!m_style.memo || m_lastX < m_firstX) return {};
    QVector<int> pixels;
    for (int x = m_firstX; x <= m_lastX; ++x)
        pixels.append(qRound(PointPosition(x, m_graph.points[x - 1].value).x()));
    return ChooseMemoCallouts(m_data, m_graph, m_firstX, pixels);
}

void GraphChart::SetAxisRanges(double xMin, double xMax, double yMin, double yMax, bool animate) {
    xMax = std::max(xMax, xMin + kMinimumSpan);
    yMax = std::max(yMax, yMin + kMinimumSpan);
    m_zoomTimer->stop();
    if (!animate) {
        m_axisX->setRange(xMin, xMax);
        m_axisY->setRange(yMin, yMax);
        return;
    }
    m_zoomFrom = QRectF(QPointF(m_axisX->min(), m_axisY->min()), QPointF(m_axisX->max(), m_axisY->max()));
    m_zoomTo = QRectF(QPointF(xMin, yMin), QPointF(xMax, yMax));
    m_zoomStep = 0;
    m_zoomTimer->start();
}

void GraphChart::ZoomTo(const QRectF& rect, bool animate) {
    const QRectF r = rect.normalized().intersected(plotArea());
    if (r.width() < 1 || r.height() < 1) return;
    const QPointF a = mapToValue(r.topLeft(), m_lineSeries);
    const QPointF b = mapToValue(r.bottomRight(), m_lineSeries);
    m_zoomed = true;
    SetAxisRanges(a.x(), b.x(), b.y(), a.y(), animate);
}

void GraphChart::ResetZoom(bool animate) {
    m_zoomed = false;
    SetAxisRanges(-0.5, m_graph.PageWidth() - 0.5, m_graph.axisMin, m_graph.axisMax, animate);
}

void GraphChart::UpdateLayoutDependents() {
    UpdateValueTicks();
    UpdateCategoryLabels();
    m_overlay->update();
    m_depth->update();
}

void GraphChart::UpdateValueTicks() {
    const double labelPixels = QFontMetricsF(m_axisY->labelsFont()).height();
    const double step =
        AxisIncrement(m_axisY->min(), m_axisY->max(), m_graph.axisStep, plotArea().height(), labelPixels);
    if (m_axisY->tickInterval() != step) m_axisY->setTickInterval(step);
}

// Labels written at 90 degrees take a line height each; where the points stand closer than that,
// only every so many points is labelled, so the axis stays readable.
void GraphChart::UpdateCategoryLabels() {
    const double span = m_axisX->max() - m_axisX->min();
    const double width = plotArea().width();
    // Not laid out yet: the labels follow once the plot area is known.
    if (width <= 0) return;
    const double perPoint = span > 0 ? width / span : 1000;
    const double labelPixels = QFontMetricsF(m_axisX->labelsFont()).height();
    const int stride = std::max(1, int(std::ceil(labelPixels / perPoint - 1e-9)));
    // Only the points inside the axis range: Qt would pile the others up at the ends.
    const int low = std::max(m_firstX, m_firstX + int(std::ceil(m_axisX->min() - 1e-9)));
    const int high = std::min(m_lastX, m_firstX + int(std::floor(m_axisX->max() + 1e-9)));
    const QVector<int> key{stride, low, high};
    if (key == m_labelKey) return;
    m_labelKey = key;
    for (const QString& label : m_axisX->categoriesLabels())
        m_axisX->remove(label);
    m_axisX->setStartValue(LocalX(low) - 0.5);
    // Labels that carry the year are kept; the others keep clear of them.
    QVector<int> shown;
    QVector<int> years;
    for (int x = low; x <= high; ++x)
        if (!m_graph.points[x - 1].label.startsWith(QLatin1Char(' '))) years.append(x);
    qsizetype next = 0;
    for (int x = low; x <= high; ++x) {
        while (next < years.size() && years[next] < x - stride + 1)
            ++next;
        const bool year = next < years.size() && years[next] == x;
        const bool nearYear = next < years.size() && years[next] < x + stride;
        if (year || (stride == 1 || ((x - m_firstX) % stride == 0 && !nearYear))) shown.append(x);
    }
    QSet<QString> used;
    for (const int x : shown) {
        QString label = m_graph.points[x - 1].label;
        while (label.isEmpty() || used.contains(label))
            label += kZeroWidthSpace;
        used.insert(label);
        m_axisX->append(label, LocalX(x));
    }
}

void GraphChart::PlaceFoot() {
    const QRectF r = rect();
    const QRectF text = m_foot->boundingRect();
    m_foot->setPos(r.right() - kMargin - 4 - text.width(), r.bottom() - kMargin - text.height());
}

void GraphChart::resizeEvent(QGraphicsSceneResizeEvent* event) {
    QChart::resizeEvent(event);
    m_overlay->Resized();
    m_depth->Resized();
    PlaceFoot();
}

GraphChartView::GraphChartView(QWidget* parent)
    : QChartView(new GraphChart, parent), m_chart(static_cast<GraphChart*>(chart())) {
    setRenderHint(QPainter::Antialiasing);
    setBackgroundBrush(Qt::white);
    setRubberBand(QChartView::NoRubberBand);
    setFrameShape(QFrame::NoFrame);
}

void GraphChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_chart->Style().zoom) {
        QChartView::mousePressEvent(event);
        return;
    }
    m_origin = event->position().toPoint();
    m_dragging = true;
    if (!m_band) m_band = new QRubberBand(QRubberBand::Rectangle, viewport());
    m_band->setGeometry(QRect(m_origin, QSize()));
    m_band->show();
    event->accept();
}

void GraphChartView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) {
        QChartView::mouseMoveEvent(event);
        return;
    }
    m_band->setGeometry(QRect(m_origin, event->position().toPoint()).normalized());
    event->accept();
}

void GraphChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging || event->button() != Qt::LeftButton) {
        QChartView::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    m_band->hide();
    const QPoint end = event->position().toPoint();
    const QPoint delta = end - m_origin;
    const auto toChart = [this](QPoint p) { return m_chart->mapFromScene(mapToScene(p)); };
    if (delta.x() > 2 && delta.y() > 2)
        m_chart->ZoomTo(QRectF(toChart(m_origin), toChart(end)), animateZoom);
    else if (delta.x() < -2 && delta.y() < -2)
        m_chart->ResetZoom(animateZoom);
    event->accept();
}

void GraphChartView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    m_chart->UpdateLayoutDependents();
}

namespace {

// A chart in a scene of its own, laid out at the size before drawing.
void LayOut(GraphChart* chart, QSize size) {
    chart->setGeometry(QRectF(QPointF(0, 0), size));
    for (int i = 0; i < 3; ++i) {
        if (chart->layout()) chart->layout()->activate();
        QCoreApplication::sendPostedEvents(chart);
        chart->UpdateLayoutDependents();
    }
}

}  // namespace

QVector<MemoCallout> RenderGraph(QPainter* painter, const QRectF& target, const TrendData& data,
                                 const TrendGraph& graph, const GraphStyle& style, int page,
                                 QSize layoutSize) {
    QGraphicsScene scene;
    auto* chart = new GraphChart;
    scene.addItem(chart);
    chart->setGeometry(QRectF(QPointF(0, 0), layoutSize));
    chart->SetGraph(data, graph, style);
    chart->ShowPage(page);
    LayOut(chart, layoutSize);
    scene.setSceneRect(QRectF(QPointF(0, 0), layoutSize));
    scene.render(painter, target, QRectF(QPointF(0, 0), layoutSize));
    return chart->Callouts();
}

QImage RenderGraphImage(const TrendData& data, const TrendGraph& graph, const GraphStyle& style, int page,
                        QSize size, QVector<MemoCallout>* callouts) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QVector<MemoCallout> drawn =
        RenderGraph(&painter, QRectF(QPointF(0, 0), size), data, graph, style, page, size);
    if (callouts) *callouts = drawn;
    return image;
}

}  // namespace tovrel
