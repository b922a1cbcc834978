// Print preview of the trend chart: margins in percent of the page and a resolution, kept in the
// settings; prints to a printer, or to a PDF file, which is always offered.
#pragma once

#include "graph/trend_graph.h"
#include "ui/graph_chart_view.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QPainter;
class QPrinter;
class QPrintPreviewWidget;
class QSpinBox;

namespace tovrel {

class TGraphPrintDialog : public QDialog {
    Q_OBJECT

public:
    TGraphPrintDialog(QWidget* parent, const TrendData& data, const TrendGraph& graph,
                      const GraphStyle& style, int page, QSize screenSize,
                      const ChartPrintSettings& settings);
    ~TGraphPrintDialog() override;

    ChartPrintSettings PrintSettings() const;
    // "PDF" or a printer name.
    QString PrinterName() const;
    QPrinter* printer() const { return m_printer.get(); }
    QPrintPreviewWidget* preview() const { return m_preview; }

    // Prints on the chosen printer, or asks for a PDF file name and writes the file. False when
    // nothing was printed (cancelled or failed; a failure is reported).
    bool PrintButtonClick();
    // The chart on one page of the given device.
    void PaintPage(QPainter* painter) const;

    static QString PdfPrinterName() { return QStringLiteral("PDF"); }

private:
    void PrinterChanged();
    void PageSetupClick();
    bool WritePdf();

    TrendData m_data;
    TrendGraph m_graph;
    GraphStyle m_style;
    int m_page;
    QSize m_screenSize;
    std::unique_ptr<QPrinter> m_printer;
    QComboBox* m_printers;
    QSpinBox* m_left;
    QSpinBox* m_top;
    QSpinBox* m_right;
    QSpinBox* m_bottom;
    QSpinBox* m_resolution;
    QPrintPreviewWidget* m_preview;
};

}  // namespace tovrel
