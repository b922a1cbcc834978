// Drawing the report: the fonts of the print settings, their measures, and the pages of a layout
// painted in millimetres onto a printer, the preview or a PDF file.
#pragma once

#include "output/report_layout.h"

#include <QDate>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>

class QPagedPaintDevice;
class QPainter;

namespace tovrel {

class Logbook;

struct ReportFonts {
    QFont title, name, month, list, page, date;
};

// The six fonts of the print settings, by their stored names (through the font substitutes).
ReportFonts ReportFontsFrom(const Settings& settings);

// The label sizes the layout needs, measured device-independently.
ReportMetrics MeasureReport(const ReportFonts& fonts, const ReportTexts& texts);

// One print job: the list as its window showed it and the form it prints through. The form, the
// settings and the car name are read again at every layout, so a changed setting shows at once.
class ReportJob {
public:
    ReportJob(const Logbook& book, int formNumber, ListSource source, const QDate& today);

    int FormNumber() const { return m_formNumber; }
    const PrintForm& Form() const;
    QPageLayout::Orientation FormOrientation() const;
    QString CarName() const;

    ReportLayout Layout(const QSizeF& paperMm) const;
    ReportFonts Fonts() const;

private:
    const Logbook& m_book;
    int m_formNumber;
    ListSource m_source;
    QDate m_today;
};

// The paper of a device's page layout in millimetres, as oriented.
QSizeF PaperMillimetres(const QPageLayout& pageLayout);
// Full-page layout (the report sets its own margins) of the paper in the orientation.
QPageLayout ReportPageLayout(const QPageSize& paper, QPageLayout::Orientation orientation);

// Paints every page on a painter already begun on the device (a new page between pages).
void PaintReport(QPainter& painter, QPagedPaintDevice& device, const ReportLayout& layout,
                 const ReportFonts& fonts);

// The job on the paper as a PDF file, written atomically. Fails with the error text when the report
// has no pages (an empty list, a form that fits nothing) or the file cannot be written.
bool WriteReportPdf(const QString& path, const ReportJob& job, const QPageSize& paper,
                    QPageLayout::Orientation orientation, QString* error);

}  // namespace tovrel
