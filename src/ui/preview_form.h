// The print preview window: the report of one print job with zoom, paging, printer set-up and
// printing; and the start of a print job from any list window.
#pragma once

#include "output/csv_export.h"
#include "output/report_layout.h"

#include <QPointer>
#include <QPrinter>
#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QPrintPreviewWidget;
class QToolButton;

namespace tovrel {

class Logbook;
class ReportJob;
class SettingsStore;

class TPreviewForm : public QWidget {
    Q_OBJECT

public:
    // The first one made is the run's preview window (see StartPrintJob).
    explicit TPreviewForm(SettingsStore& store);
    ~TPreviewForm() override;

    // Shows the job's report; the opener stays disabled until this window closes.
    void ShowReport(std::shared_ptr<const ReportJob> job, QWidget* opener);

    // "印刷設定" opens the settings dialog on its print tab with the given form chosen; the button
    // stays disabled until this is set. The report is generated again after the call returns.
    void SetPrintSettingsOpener(std::function<void(QWidget* parent, int formNumber)> opener);

    // Platform hooks; tests replace them. Whether the system has printers; the page set-up and print
    // dialogs (true when accepted).
    std::function<bool()> hasPrinters;
    std::function<bool(QPrinter&)> runPageSetup;
    std::function<bool(QPrinter&)> runPrintDialog;

    void ZoomComboBoxChange(int index);
    void PrevPageSpeedButtonClick();
    void NextPageSpeedButtonClick();
    void PrinterSetupSpeedButtonClick();
    void PrintEnvSetSpeedButtonClick();
    void PrintSpeedButtonClick();

    QPrinter& printer() { return m_printer; }
    QPrintPreviewWidget* previewWidget() const { return m_preview; }
    const ReportLayout& layout() const { return m_layout; }
    int PageCount() const;
    int CurrentPage() const;
    QString PageNumberText() const;

    // The run's preview window, or null.
    static TPreviewForm* Current();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void Regenerate();
    void PaintRequested(QPrinter* printer);
    void UpdatePageControls();
    void PrintToPdf();

    SettingsStore& m_store;
    QPrinter m_printer;
    QPrintPreviewWidget* m_preview;
    QComboBox* m_zoom;
    QToolButton* m_prevPage;
    QToolButton* m_nextPage;
    QLabel* m_pageNumber;
    QToolButton* m_printEnvSet;
    std::shared_ptr<const ReportJob> m_job;
    ReportLayout m_layout;
    QPointer<QWidget> m_opener;
    std::function<void(QWidget*, int)> m_printSettingsOpener;
    QString m_pdfFolder;
};

// Prints the list through print form formNumber: lays the report out and shows it in the run's
// preview window, the opener disabled meanwhile. A report with no pages is not shown: the reason is
// given in a message box. Returns true when the preview shows.
bool StartPrintJob(QWidget* opener, Logbook& book, int formNumber, ListSource source);

// A list window's two print items (tags 1 and 2) and its print button (tag 1), enabled and wired.
void ConnectPrintControls(QWidget* window, QAction* item1, QAction* item2, const QString& buttonName,
                          const std::function<void(int tag)>& print);

}  // namespace tovrel
