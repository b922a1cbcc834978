#include "ui/report_renderer.h"

#include "base/file_io.h"
#include "session/logbook.h"
#include "settings/settings.h"
#include "ui/widgets/font_text.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace tovrel {

namespace {

constexpr double kMmPerInch = 25.4;
// Labels are measured at printer resolution without hinting, so every device gets the same layout.
constexpr int kMeasureDpi = 1200;
constexpr double kRuleWidthMm = 0.15;

const QColor kSilver(192, 192, 192);
const QColor kLightGrey(224, 224, 224);

QFont ReportFont(const QString& name, int size, int style) {
    QFont font = ListFont(name, size, style);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

const QImage& MeasureDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dotsPerMeter = qRound(kMeasureDpi / (kMmPerInch / 1000.0));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

QSizeF Measure(const QFont& font, const QString& text) {
    const QFontMetricsF metrics(font, &MeasureDevice());
    return QSizeF(metrics.horizontalAdvance(text), metrics.height()) * (kMmPerInch / kMeasureDpi);
}

// Millimetres on the paper to device coordinates.
class PaperScale {
public:
    explicit PaperScale(const QPaintDevice& device)
        : m_x(device.logicalDpiX() / kMmPerInch), m_y(device.logicalDpiY() / kMmPerInch) {}

    QPointF Point(double x, double y) const { return QPointF(x * m_x, y * m_y); }
    QRectF Rect(double x, double y, double w, double h) const {
        return QRectF(x * m_x, y * m_y, w * m_x, h * m_y);
    }
    double Width(double mm) const { return mm * m_x; }

private:
    double m_x, m_y;
};

Qt::Alignment AlignmentOf(ReportAlign align) {
    switch (align) {
        case ReportAlign::Center:
            return Qt::AlignHCenter;
        case ReportAlign::Right:
            return Qt::AlignRight;
        case ReportAlign::Left:
            break;
    }
    return Qt::AlignLeft;
}

const QColor& ShadeColor(ReportShade shade) {
    static const QColor white(Qt::white);
    switch (shade) {
        case ReportShade::Silver:
            return kSilver;
        case ReportShade::LightGrey:
            return kLightGrey;
        case ReportShade::White:
            break;
    }
    return white;
}

// A page header or footer label: sized to its text.
void DrawFreeLabel(QPainter& painter, const PaperScale& scale, double x, double y, const QString& text) {
    if (text.isEmpty()) return;
    const QRectF box = scale.Rect(x, y, 1, 1);
    painter.drawText(QRectF(box.topLeft(), QSizeF(1e6, box.height())),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, text);
}

// A column label; a number too wide for it is squeezed, never cut.
void DrawCell(QPainter& painter, const QFontMetricsF& metrics, const QRectF& box, ReportAlign align,
              bool keepDigits, const QString& text) {
    if (text.isEmpty()) return;
    const int flags = int(AlignmentOf(align) | Qt::AlignTop) | Qt::TextSingleLine;
    if (keepDigits) {
        const double width = metrics.horizontalAdvance(text);
        if (width > box.width() && width > 0) {
            painter.save();
            painter.translate(box.left(), box.top());
            painter.scale(box.width() / width, 1.0);
            painter.drawText(QRectF(0, 0, width, box.height()),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
            painter.restore();
            return;
        }
    }
    painter.drawText(box, flags, text);
}

// One table band: fill, frame lines and the rules between columns.
void DrawBand(QPainter& painter, const PaperScale& scale, const ReportLayout& layout, double y, double height,
              const QColor& fill, bool bottomRule) {
    const double x = layout.left;
    const double w = layout.bandWidth;
    painter.fillRect(scale.Rect(x, y, w, height), fill);
    painter.drawLine(scale.Point(x, y), scale.Point(x + w, y));
    if (bottomRule) painter.drawLine(scale.Point(x, y + height), scale.Point(x + w, y + height));
    if (layout.sideRules) {
        painter.drawLine(scale.Point(x, y), scale.Point(x, y + height));
        painter.drawLine(scale.Point(x + w, y), scale.Point(x + w, y + height));
    }
    if (layout.innerRules) {
        for (qsizetype k = 1; k < layout.columns.size(); ++k) {
            const double rx = x + layout.columns[k].ruleX;
            painter.drawLine(scale.Point(rx, y), scale.Point(rx, y + height));
        }
    }
}

void PaintPage(QPainter& painter, const PaperScale& scale, const ReportLayout& layout,
               const ReportFonts& fonts, int page) {
    const ReportTexts& texts = layout.texts;
    const double x = layout.left;

    painter.setFont(fonts.title);
    DrawFreeLabel(painter, scale, x + layout.titlePos.x(), layout.HeaderTop() + layout.titlePos.y(),
                  texts.title);
    if (layout.showName) {
        painter.setFont(fonts.name);
        DrawFreeLabel(painter, scale, x + layout.namePos.x(), layout.HeaderTop() + layout.namePos.y(),
                      texts.carName);
    }
    painter.setFont(fonts.month);
    DrawFreeLabel(painter, scale, x + layout.monthPos.x(), layout.HeaderTop() + layout.monthPos.y(),
                  texts.dateRange);

    painter.setFont(fonts.list);
    const QFontMetricsF metrics(fonts.list, painter.device());
    const double labelHeight = layout.detailHeight - layout.labelTop;
    double y = layout.ColumnHeaderTop();
    DrawBand(painter, scale, layout, y, layout.columnHeaderHeight,
             layout.greyHeader ? kSilver : QColor(Qt::white), false);
    for (const ReportColumn& column : layout.columns) {
        DrawCell(painter, metrics,
                 scale.Rect(x + column.left, y + layout.labelTop, column.width, labelHeight),
                 ReportAlign::Left, false, column.heading);
    }

    y = layout.DetailTop();
    const int first = layout.pageStarts[page];
    const int count = layout.PageRowCount(page);
    for (int i = first; i < first + count; ++i) {
        const ReportRow& row = layout.rows[i];
        DrawBand(painter, scale, layout, y, layout.detailHeight, ShadeColor(row.shade), row.bottomRule);
        for (qsizetype k = 0; k < layout.columns.size() && k < row.values.size(); ++k) {
            const ReportColumn& column = layout.columns[k];
            DrawCell(painter, metrics,
                     scale.Rect(x + column.left, y + layout.labelTop, column.width, labelHeight),
                     column.align, column.keepDigits, row.values[k]);
        }
        y += layout.detailHeight;
    }
    if (page == layout.PageCount() - 1) {
        // The summary band: a rule that closes the table.
        painter.drawLine(scale.Point(x, y), scale.Point(x + layout.bandWidth, y));
    }

    const double footer = layout.FooterTop();
    if (layout.showPage) {
        painter.setFont(fonts.page);
        DrawFreeLabel(painter, scale, x + layout.pagePos.x(), footer + layout.pagePos.y(),
                      PageNumberText(page + 1));
    }
    if (layout.showDate) {
        painter.setFont(fonts.date);
        DrawFreeLabel(painter, scale, x + layout.datePos.x(), footer + layout.datePos.y(), texts.printDate);
    }
}

}  // namespace

ReportFonts ReportFontsFrom(const Settings& s) {
    ReportFonts fonts;
    fonts.title = ReportFont(s.TitleFontName, s.TitleFontSize, s.TitleFontStyle);
    fonts.name = ReportFont(s.NameFontName, s.NameFontSize, s.NameFontStyle);
    fonts.month = ReportFont(s.MonthFontName, s.MonthFontSize, s.MonthFontStyle);
    fonts.list = ReportFont(s.ListFontName, s.ListFontSize, s.ListFontStyle);
    fonts.page = ReportFont(s.PageFontName, s.PageFontSize, s.PageFontStyle);
    fonts.date = ReportFont(s.DateFontName, s.DateFontSize, s.DateFontStyle);
    return fonts;
}

ReportMetrics MeasureReport(const ReportFonts& fonts, const ReportTexts& texts) {
    ReportMetrics metrics;
    metrics.title = Measure(fonts.title, texts.title);
    metrics.name = Measure(fonts.name, texts.carName);
    metrics.month = Measure(fonts.month, texts.dateRange);
    metrics.cell = Measure(fonts.list, QString::fromUtf16(kCellMeasureText));
    metrics.page = Measure(fonts.page, QString::fromUtf16(kPageMeasureText));
    metrics.date = Measure(fonts.date, texts.printDate);
    return metrics;
}

ReportJob::ReportJob(const Logbook& book, int formNumber, ListSource source, const QDate& today)
    : m_book(book),
      m_formNumber(qBound(1, formNumber, PrintFormCount)),
      m_source(std::move(source)),
      m_today(today) {}

const PrintForm& ReportJob::Form() const {
    return m_book.book().printForms[m_formNumber];
}

QPageLayout::Orientation ReportJob::FormOrientation() const {
    return Form().orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait;
}

QString ReportJob::CarName() const {
    return m_book.CarName();
}

ReportFonts ReportJob::Fonts() const {
    return ReportFontsFrom(m_book.settings());
}

ReportLayout ReportJob::Layout(const QSizeF& paperMm) const {
    const ReportTexts texts = MakeReportTexts(Form(), m_source, CarName(), m_today);
    return LayoutReport(Form(), m_source, m_book.settings(), texts, MeasureReport(Fonts(), texts), paperMm);
}

QSizeF PaperMillimetres(const QPageLayout& pageLayout) {
    return pageLayout.fullRect(QPageLayout::Millimeter).size();
}

QPageLayout ReportPageLayout(const QPageSize& paper, QPageLayout::Orientation orientation) {
    QPageLayout layout(paper, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

void PaintReport(QPainter& painter, QPagedPaintDevice& device, const ReportLayout& layout,
                 const ReportFonts& fonts) {
    const PaperScale scale(device);
    painter.setPen(QPen(Qt::black, scale.Width(kRuleWidthMm), Qt::SolidLine, Qt::FlatCap));
    for (int page = 0; page < layout.PageCount(); ++page) {
        if (page > 0) device.newPage();
        PaintPage(painter, scale, layout, fonts, page);
    }
}

bool WriteReportPdf(const QString& path, const ReportJob& job, const QPageSize& paper,
                    QPageLayout::Orientation orientation, QString* error) {
    const QPageLayout pageLayout = ReportPageLayout(paper, orientation);
    const ReportLayout layout = job.Layout(PaperMillimetres(pageLayout));
    if (layout.error != ReportError::None) {
        if (error) *error = ReportErrorText(layout.error);
        return false;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(pageLayout);
        writer.setResolution(kMeasureDpi);
        writer.setTitle(layout.texts.jobTitle);
        writer.setCreator(QStringLiteral("Tovrel"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            if (error) *error = QStringLiteral("PDFﾌｧｲﾙを作成できません。");
            return false;
        }
        PaintReport(painter, writer, layout, job.Fonts());
        painter.end();
    }
    return WriteFileAtomically(path, buffer.data(), error);
}

}  // namespace tovrel
