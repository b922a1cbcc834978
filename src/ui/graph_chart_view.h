// The trend chart: one page of a trend graph drawn with Qt Charts, with value labels, memo call-outs,
// a depth look and drag zoom. The window, its print preview and tovrel-cli all draw through it.
#pragma once

#include "graph/trend_graph.h"

#include <QChart>
#include <QChartView>
#include <QColor>
#include <QImage>
#include <QPointer>

class QBarSeries;
class QBarSet;
class QCategoryAxis;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QRubberBand;
class QTimer;
class QValueAxis;

namespace tovrel {

class GraphDepth;
class GraphOverlay;

struct GraphStyle {
    bool bar = false;  // GraphType 1
    bool view3D = false;
    bool zoom = true;
    bool dataMarks = false;
    bool averageMarks = true;
    bool targetMarks = true;
    bool memo = false;  // call-outs (economy graph of records only)
    QColor dataColor = Qt::red;
    QColor averageColor = Qt::blue;
    QColor targetColor = Qt::darkGreen;

    static GraphStyle FromSettings(const Settings& settings, bool memo);
};

// The size of the chart in the window at the window's default size (tovrel-cli's default picture).
inline constexpr QSize kDefaultChartSize(800, 460);

class GraphChart : public QChart {
    Q_OBJECT

public:
    GraphChart();

    // Draws page 1 of the graph.
    void SetGraph(const TrendData& data, const TrendGraph& graph, const GraphStyle& style);
    void SetMemoShown(bool on);
    void ShowPage(int page);
    int Page() const { return m_page; }
    int PageCount() const { return m_graph.PageCount(); }
    const TrendGraph& Graph() const { return m_graph; }
    const GraphStyle& Style() const { return m_style; }

    // Position in chart coordinates of the graph's point x (1..n) at value.
    QPointF PointPosition(int x, double value) const;
    // How far the depth look reaches back (up and right), 0 without it.
    double DepthPixels() const;
    // The call-outs of the page as the chart lays it out now.
    QVector<MemoCallout> Callouts() const;

    // Zoom to the rectangle (chart coordinates), or back to the whole page; animated in 5 steps.
    void ZoomTo(const QRectF& rect, bool animate);
    void ResetZoom(bool animate);
    bool IsZoomed() const { return m_zoomed; }

    // The value axis step, the category labels and the foot follow the layout.
    void UpdateLayoutDependents();

signals:
    void pageChanged(int page);

protected:
    void resizeEvent(QGraphicsSceneResizeEvent* event) override;

private:
    friend class GraphOverlay;
    friend class GraphDepth;

    void BuildPage();
    void SetAxisRanges(double xMin, double xMax, double yMin, double yMax, bool animate);
    void UpdateCategoryLabels();
    void UpdateValueTicks();
    void PlaceFoot();
    double LocalX(int x) const { return x - m_firstX; }

    TrendData m_data;
    TrendGraph m_graph;
    GraphStyle m_style;
    int m_page = 1;
    int m_firstX = 1;
    int m_lastX = 0;
    bool m_zoomed = false;
    QVector<int> m_labelKey;  // stride and shown range of the category labels

    QValueAxis* m_axisY;
    QCategoryAxis* m_axisX;
    QLineSeries* m_dummySeries;
    QLineSeries* m_heikinSeries;
    QLineSeries* m_mokuhyoSeries;
    QLineSeries* m_lineSeries;
    QBarSeries* m_barSeries;
    QBarSet* m_barSet = nullptr;
    QGraphicsSimpleTextItem* m_foot;
    GraphOverlay* m_overlay;
    GraphDepth* m_depth;

    QTimer* m_zoomTimer;
    int m_zoomStep = 0;
    QRectF m_zoomFrom;  // x: x range, y: y range as (left=min x, right=max x, top=min y, bottom=max y)
    QRectF m_zoomTo;
};

// The chart in the trend graph window: drag from upper left to lower right zooms in, the reverse
// zooms out.
class GraphChartView : public QChartView {
    Q_OBJECT

public:
    explicit GraphChartView(QWidget* parent = nullptr);
    GraphChart* graphChart() const { return m_chart; }
    // Zoom steps animate on screen; tests turn it off.
    bool animateZoom = true;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    GraphChart* m_chart;
    QRubberBand* m_band = nullptr;
    QPoint m_origin;
    bool m_dragging = false;
};

// The page drawn offscreen at the given size: the same chart the window shows.
QImage RenderGraphImage(const TrendData& data, const TrendGraph& graph, const GraphStyle& style, int page,
                        QSize size, QVector<MemoCallout>* callouts = nullptr);

// Draws the page into target (device coordinates of painter) from a chart laid out at layoutSize;
// gives the call-outs drawn.
QVector<MemoCallout> RenderGraph(QPainter* painter, const QRectF& target, const TrendData& data,
                                 const TrendGraph& graph, const GraphStyle& style, int page,
                                 QSize layoutSize);

}  // namespace tovrel
