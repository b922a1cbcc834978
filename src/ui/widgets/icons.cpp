#include "ui/widgets/icons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <functional>

// Outside the namespace, as the resource's initialiser is: the library is static.
static void InitProgramIconResource() {
    Q_INIT_RESOURCE(program_icon);
}

namespace tovrel {

namespace {

// One small palette for every picture.
const QColor Ink(0x2F, 0x3B, 0x4A);
const QColor Paper(0xFF, 0xFF, 0xFF);
const QColor Light(0xDD, 0xE5, 0xEC);
const QColor Glass(0xCF, 0xE6, 0xF7);
const QColor Blue(0x2E, 0x86, 0xDE);
const QColor Green(0x27, 0xAE, 0x60);
const QColor Red(0xE0, 0x44, 0x3A);
const QColor Amber(0xF5, 0xA6, 0x23);
const QColor Steel(0x9A, 0xA9, 0xB6);

using Drawing = std::function<void(QPainter&)>;

QPen Stroke(const QColor& color, qreal width = 2.0) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Renders a drawing made on a grid of `grid` units into size x size logical pixels; an image needs
// no screen, so the build renders the toolbar icons this way too.
QImage RenderImage(const Drawing& draw, int grid, int size, qreal dpr) {
    QImage image(QSize(size, size) * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(qreal(size) / grid, qreal(size) / grid);
    draw(painter);
    return image;
}

QPixmap Render(const Drawing& draw, int grid, int size, qreal dpr) {
    return QPixmap::fromImage(RenderImage(draw, grid, size, dpr));
}

// A round mark in the lower right corner, ringed in white so that it reads over any drawing.
void Badge(QPainter& p, const QColor& color, const QPointF& centre = QPointF(17.5, 17.5)) {
    p.setPen(Stroke(Paper, 1.5));
    p.setBrush(color);
    p.drawEllipse(centre, 5.5, 5.5);
}

void BadgePlus(QPainter& p) {
    Badge(p, Green);
    p.setPen(Stroke(Paper));
    p.drawLine(QPointF(17.5, 14.5), QPointF(17.5, 20.5));
    p.drawLine(QPointF(14.5, 17.5), QPointF(20.5, 17.5));
}

void BadgeCross(QPainter& p) {
    Badge(p, Red);
    p.setPen(Stroke(Paper));
    p.drawLine(QPointF(15.3, 15.3), QPointF(19.7, 19.7));
    p.drawLine(QPointF(19.7, 15.3), QPointF(15.3, 19.7));
}

void Document(QPainter& p) {
    QPainterPath sheet;
    sheet.moveTo(4, 2);
    sheet.lineTo(13, 2);
    sheet.lineTo(18, 7);
    sheet.lineTo(18, 21);
    sheet.lineTo(4, 21);
    sheet.closeSubpath();
    p.setPen(Stroke(Ink));
    p.setBrush(Paper);
    p.drawPath(sheet);
    p.drawPolyline(QPolygonF({QPointF(13, 2), QPointF(13, 7), QPointF(18, 7)}));
    p.setPen(Stroke(Steel));
    p.drawLine(QPointF(7.5, 11), QPointF(14, 11));
    p.drawLine(QPointF(7.5, 14.5), QPointF(11, 14.5));
}

void Magnifier(QPainter& p, const QPointF& centre, qreal radius, const QPointF& handleEnd) {
    const QLineF towardHandle(centre, handleEnd);
    p.setPen(Stroke(Ink, 3.0));
    p.drawLine(towardHandle.pointAt(radius / towardHandle.length()), handleEnd);
    p.setPen(Stroke(Ink));
    p.setBrush(Glass);
    p.drawEllipse(centre, radius, radius);
    p.setPen(Stroke(Paper, 1.5));
    p.drawArc(
        QRectF(centre.x() - radius + 2.2, centre.y() - radius + 2.2, (radius - 2.2) * 2, (radius - 2.2) * 2),
        100 * 16, 70 * 16);
}

void DrawNewRecord(QPainter& p) {
    Document(p);
    BadgePlus(p);
}

void DrawDelete(QPainter& p) {
    Document(p);
    BadgeCross(p);
}

void DrawSave(QPainter& p) {
    QPainterPath body;
    body.moveTo(3, 3);
    body.lineTo(18, 3);
    body.lineTo(21, 6);
    body.lineTo(21, 21);
    body.lineTo(3, 21);
    body.closeSubpath();
    p.setPen(Stroke(Ink));
    p.setBrush(Blue);
    p.drawPath(body);
    p.setBrush(Light);
    p.drawRect(QRectF(7, 3, 9, 6));
    p.setPen(Stroke(Ink, 1.5));
    p.drawLine(QPointF(13, 4.5), QPointF(13, 7.5));
    p.setPen(Stroke(Ink));
    p.setBrush(Paper);
    p.drawRect(QRectF(6, 13, 12, 8));
    p.setPen(Stroke(Steel, 1.5));
    p.drawLine(QPointF(8.5, 16), QPointF(15.5, 16));
    p.drawLine(QPointF(8.5, 18.5), QPointF(15.5, 18.5));
}

void DrawSearch(QPainter& p) {
    Magnifier(p, QPointF(10, 10), 6.5, QPointF(20.5, 20.5));
}

void DrawShowAll(QPainter& p) {
    Magnifier(p, QPointF(9, 9), 6.0, QPointF(15, 15));
    BadgeCross(p);
}

void DrawPeriodTotals(QPainter& p) {
    p.setPen(Stroke(Ink));
    p.setBrush(Paper);
    p.drawRect(QRectF(3, 5, 18, 16));
    p.setBrush(Blue);
    p.drawRect(QRectF(3, 5, 18, 4.5));
    p.drawLine(QPointF(8, 2.5), QPointF(8, 6.5));
    p.drawLine(QPointF(16, 2.5), QPointF(16, 6.5));
    // Days of the month, a run of them marked as the chosen period.
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 4; ++col) {
            const bool inPeriod = (row == 0 && col >= 1) || (row == 1 && col <= 1);
            p.setBrush(inPeriod ? Blue : Steel);
            p.drawRect(QRectF(5.5 + col * 3.5, 12 + row * 4, 2.5, 2.5));
        }
    }
}

void DrawGraph(QPainter& p) {
    p.setPen(Stroke(Ink));
    p.drawPolyline(QPolygonF({QPointF(3.5, 3), QPointF(3.5, 20.5), QPointF(21, 20.5)}));
    const QPolygonF line({QPointF(6.5, 16), QPointF(10.5, 10.5), QPointF(14.5, 13), QPointF(19, 6)});
    p.setPen(Stroke(Blue));
    p.drawPolyline(line);
    p.setPen(Stroke(Blue, 1.5));
    p.setBrush(Paper);
    for (const QPointF& point : line)
        p.drawEllipse(point, 1.8, 1.8);
}

void DrawMaintenanceDue(QPainter& p) {
    // Wrench: a round head with an open jaw, handle down to the left.
    const QPointF head(14.5, 7.5);
    p.setPen(Stroke(Ink, 4.0));
    p.drawLine(head, QPointF(4.5, 17.5));
    p.setPen(Stroke(Ink));
    p.setBrush(Steel);
    p.drawEllipse(head, 5.0, 5.0);
    p.save();
    p.translate(head);
    p.rotate(45);
    p.setPen(Qt::NoPen);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.drawRect(QRectF(-2.2, -7, 4.4, 7));
    p.restore();
    // Clock: when it is due.
    Badge(p, Amber);
    p.setPen(Stroke(Paper, 1.8));
    p.drawPolyline(QPolygonF({QPointF(17.5, 14.5), QPointF(17.5, 17.8), QPointF(20, 19)}));
}

void DrawPrint(QPainter& p) {
    p.setPen(Stroke(Ink));
    p.setBrush(Paper);
    p.drawRect(QRectF(7, 3, 10, 6));
    p.setBrush(Steel);
    p.drawRoundedRect(QRectF(3, 9, 18, 8.5), 1.5, 1.5);
    p.setBrush(Paper);
    p.drawRect(QRectF(7, 14, 10, 7));
    p.setPen(Stroke(Steel, 1.5));
    p.drawLine(QPointF(9.5, 17), QPointF(14.5, 17));
    p.setPen(Qt::NoPen);
    p.setBrush(Green);
    p.drawEllipse(QPointF(18, 11.8), 1.2, 1.2);
}

// A car seen from the side, drawn on a 24 x 24 grid.
void CarShape(QPainter& p, const QColor& body, qreal stroke = 2.0) {
    QPainterPath outline;
    outline.moveTo(2, 17);
    outline.lineTo(2, 13.5);
    outline.quadTo(2.5, 11.5, 5, 11.2);
    outline.lineTo(7, 11);
    outline.lineTo(9.5, 7);
    outline.lineTo(16, 7);
    outline.lineTo(19, 11);
    outline.quadTo(22, 11.5, 22, 14);
    outline.lineTo(22, 17);
    outline.closeSubpath();
    p.setPen(Stroke(Ink, stroke));
    p.setBrush(body);
    p.drawPath(outline);
    p.setPen(Stroke(Ink, stroke * 0.6));
    p.setBrush(Glass);
    p.drawPolygon(QPolygonF({QPointF(8.6, 11), QPointF(10.3, 8.4), QPointF(12.4, 8.4), QPointF(12.4, 11)}));
    p.drawPolygon(QPolygonF({QPointF(13.8, 11), QPointF(13.8, 8.4), QPointF(15.4, 8.4), QPointF(17.3, 11)}));
    p.setPen(Stroke(Ink, stroke));
    p.setBrush(Steel);
    p.drawEllipse(QPointF(6.5, 17), 2.6, 2.6);
    p.drawEllipse(QPointF(17.5, 17), 2.6, 2.6);
}

void DrawCarInfo(QPainter& p) {
    p.save();
    p.translate(0, 3);
    CarShape(p, Red);
    p.restore();
    Badge(p, Blue, QPointF(18.5, 5));
    p.setPen(Stroke(Paper, 1.8));
    p.drawLine(QPointF(18.5, 4.8), QPointF(18.5, 7.6));
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    p.drawEllipse(QPointF(18.5, 2.4), 1.1, 1.1);
}

void DrawSettings(QPainter& p) {
    const QPointF centre(12, 12);
    QPainterPath gear;
    gear.addEllipse(centre, 6.5, 6.5);
    for (int i = 0; i < 8; ++i) {
        QTransform t;
        t.translate(centre.x(), centre.y());
        t.rotate(i * 45.0);
        QPainterPath tooth;
        tooth.addRoundedRect(QRectF(-2, -9.5, 4, 5), 0.8, 0.8);
        gear = gear.united(t.map(tooth));
    }
    QPainterPath hole;
    hole.addEllipse(centre, 2.8, 2.8);
    gear = gear.subtracted(hole);
    p.setPen(Stroke(Ink, 1.8));
    p.setBrush(Steel);
    p.drawPath(gear);
}

void DrawExit(QPainter& p) {
    p.setPen(Stroke(Ink));
    p.setBrush(Light);
    p.drawRect(QRectF(4, 3, 10, 18));
    p.setPen(Stroke(Red, 2.5));
    p.drawLine(QPointF(9, 12), QPointF(20.5, 12));
    p.drawPolyline(QPolygonF({QPointF(16.5, 8), QPointF(20.5, 12), QPointF(16.5, 16)}));
}

// On a 32 x 32 grid, filling the picture panel.
void DrawDefaultCar(QPainter& p) {
    p.scale(32.0 / 24.0, 32.0 / 24.0);
    p.translate(0, 1);
    // 2 px strokes at this scale, as in the toolbar icons.
    CarShape(p, Red, 1.5);
}

Drawing ToolDrawing(ToolIconId id) {
    switch (id) {
        case ToolIconId::NewRecord:
            return DrawNewRecord;
        case ToolIconId::Delete:
            return DrawDelete;
        case ToolIconId::Save:
            return DrawSave;
        case ToolIconId::Search:
            return DrawSearch;
        case ToolIconId::ShowAll:
            return DrawShowAll;
        case ToolIconId::PeriodTotals:
            return DrawPeriodTotals;
        case ToolIconId::Graph:
            return DrawGraph;
        case ToolIconId::MaintenanceDue:
            return DrawMaintenanceDue;
        case ToolIconId::Print:
            return DrawPrint;
        case ToolIconId::CarInfo:
            return DrawCarInfo;
        case ToolIconId::Settings:
            return DrawSettings;
        case ToolIconId::Exit:
            return DrawExit;
    }
    return DrawNewRecord;
}

}  // namespace

QImage RenderToolIcon(ToolIconId id, int size) {
    return RenderImage(ToolDrawing(id), 24, size, 1.0);
}

QIcon ProgramIcon() {
    static const bool loaded = [] {
        InitProgramIconResource();
        return true;
    }();
    Q_UNUSED(loaded);
    // Files, not a drawing. QIcon decodes each file as it is added.
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tovrel-%1.png").arg(size), QSize(size, size));
    return icon;
}

QPixmap DefaultCarPicture() {
    const qreal dpr = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    return Render(DrawDefaultCar, 32, 32, dpr);
}

}  // namespace tovrel
