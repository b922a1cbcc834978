#include "ui/preview_form.h"

#include "session/logbook.h"
#include "ui/report_renderer.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/file_dialog.h"
#include "ui/widgets/help.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/message_box.h"
#include "ui/window_placement.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovrel {

namespace {

const QString kWindowName = QStringLiteral("TPreviewForm");
const QString kCaption = QStringLiteral("印刷 - ﾌﾟﾚﾋﾞｭｰ");
const QString kPrinterError = QStringLiteral("ﾌﾟﾘﾝﾀが使用できません。");

constexpr int kPageWidthItem = 8;
constexpr int kWholePageItem = 9;
const char16_t* const kZoomItems[] = {
    u"500%",           u"200%", u"150%", u"100%", u"75%", u"50%", u"25%", u"10%", u"ﾍﾟｰｼﾞ幅を基準に",
    u"ﾍﾟｰｼﾞ全体を表示"};

QPointer<TPreviewForm> g_current;

// Why a report has no pages, as the user is told.
void ShowReportError(ReportError error) {
    const QString text = ReportErrorText(error);
    switch (error) {
        case ReportError::None:
            return;
        case ReportError::Empty:
            MessageBox::ShowWarning(QStringLiteral("印刷"), text);
            return;
        case ReportError::PageTooSmall:
        case ReportError::FirstColumnTooWide:
            MessageBox::ShowError(QStringLiteral("用紙ｴﾗｰ"), text);
            return;
        case ReportError::NoList:
        case ReportError::NoColumn:
            MessageBox::ShowError(QStringLiteral("印刷ｴﾗｰ"), text);
            return;
    }
}

bool PaperError(ReportError error) {
    return error == ReportError::PageTooSmall || error == ReportError::FirstColumnTooWide;
}

}  // namespace

TPreviewForm::TPreviewForm(SettingsStore& store)
    : QWidget(nullptr, Qt::Window), m_store(store), m_printer(QPrinter::HighResolution) {
    setObjectName(kWindowName);
    setWindowTitle(kCaption);
    InstallHelpKey(this, HelpPreview);
    if (!g_current) g_current = this;
    m_pdfFolder = QDir::homePath();

    hasPrinters = [] { return !QPrinterInfo::availablePrinterNames().isEmpty(); };
    runPageSetup = [this](QPrinter& printer) {
        return QPageSetupDialog(&printer, this).exec() == QDialog::Accepted;
    };
    runPrintDialog = [this](QPrinter& printer) {
        return QPrintDialog(&printer, this).exec() == QDialog::Accepted;
    };

    // The report sets its own margins from the paper's edge.
    m_printer.setFullPage(true);
    m_printer.setPageSize(QPageSize(QPageSize::A4));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 3, 6, 3);
    row->setSpacing(2);
    const auto button = [&](const QString& name, const QString& hint) {
        auto* b = new QToolButton;
        b->setObjectName(name);
        b->setAutoRaise(true);
        b->setMinimumSize(25, 25);
        b->setIconSize(QSize(19, 19));
        SetHint(b, hint);
        row->addWidget(b);
        return b;
    };

    m_zoom = new QComboBox;
    m_zoom->setObjectName(QStringLiteral("ZoomComboBox"));
    for (const char16_t* item : kZoomItems)
        m_zoom->addItem(QString::fromUtf16(item));
    SetHint(m_zoom, QStringLiteral("表示のｽﾞｰﾑ(拡大/縮小)を選択します。"));
    connect(m_zoom, &QComboBox::activated, this, &TPreviewForm::ZoomComboBoxChange);
    row->addWidget(m_zoom);
    row->addSpacing(8);

    m_prevPage = button(QStringLiteral("PrevPageSpeedButton"), QStringLiteral("前ﾍﾟｰｼﾞ"));
    m_prevPage->setText(QStringLiteral("<<"));
    connect(m_prevPage, &QToolButton::clicked, this, &TPreviewForm::PrevPageSpeedButtonClick);
    m_pageNumber = new QLabel;
    m_pageNumber->setObjectName(QStringLiteral("PageNumberMemo"));
    m_pageNumber->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pageNumber->setAlignment(Qt::AlignCenter);
    m_pageNumber->setMinimumWidth(64);
    SetHint(m_pageNumber, QStringLiteral("表示ﾍﾟｰｼﾞ数/全体ﾍﾟｰｼﾞ数"));
    row->addWidget(m_pageNumber);
    m_nextPage = button(QStringLiteral("NextPageSpeedButton"), QStringLiteral("次ﾍﾟｰｼﾞ"));
    m_nextPage->setText(QStringLiteral(">>"));
    connect(m_nextPage, &QToolButton::clicked, this, &TPreviewForm::NextPageSpeedButtonClick);
    row->addSpacing(8);

    m_printEnvSet = button(QStringLiteral("PrintEnvSetSpeedButton"), QStringLiteral("印刷設定"));
    m_printEnvSet->setIcon(ToolIcon(ToolIconId::Settings));
    // The settings dialog opens only once the program gives a way to it.
    m_printEnvSet->setEnabled(false);
    connect(m_printEnvSet, &QToolButton::clicked, this, &TPreviewForm::PrintEnvSetSpeedButtonClick);
    QToolButton* print = button(QStringLiteral("PrintSpeedButton"), QStringLiteral("印刷を開始します。"));
    print->setIcon(ToolIcon(ToolIconId::Print));
    connect(print, &QToolButton::clicked, this, &TPreviewForm::PrintSpeedButtonClick);
    QToolButton* setup = button(QStringLiteral("PrinterSetupSpeedButton"), QStringLiteral("ﾌﾟﾘﾝﾀ環境設定"));
    setup->setText(QStringLiteral("ﾌﾟﾘﾝﾀ設定..."));
    setup->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(setup, &QToolButton::clicked, this, &TPreviewForm::PrinterSetupSpeedButtonClick);
    row->addStretch(1);
    QToolButton* close = button(QStringLiteral("CloseSpeedButton"), QStringLiteral("閉じる"));
    close->setIcon(ToolIcon(ToolIconId::Exit));
    connect(close, &QToolButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    layout->addWidget(bar);

    m_preview = new QPrintPreviewWidget(&m_printer, this);
    m_preview->setObjectName(QStringLiteral("QRPreview"));
    SetHint(m_preview, QStringLiteral("実際に印刷されるﾌﾟﾚﾋﾞｭｰです。"));
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, &TPreviewForm::PaintRequested);
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &TPreviewForm::UpdatePageControls);
    layout->addWidget(m_preview, 1);

    resize(820, 900);
    RestoreWindowPlacement(this, m_store, kWindowName, true);
}

TPreviewForm::~TPreviewForm() {
    SaveWindowPlacement(this, m_store, kWindowName, true);
    if (m_opener) m_opener->setEnabled(true);
}

TPreviewForm* TPreviewForm::Current() {
    return g_current;
}

void TPreviewForm::SetPrintSettingsOpener(std::function<void(QWidget*, int)> opener) {
    m_printSettingsOpener = std::move(opener);
    m_printEnvSet->setEnabled(static_cast<bool>(m_printSettingsOpener));
}

void TPreviewForm::ShowReport(std::shared_ptr<const ReportJob> job, QWidget* opener) {
    m_job = std::move(job);
    m_opener = opener;
    m_printer.setPageOrientation(m_job->FormOrientation());
    m_printer.setDocName(m_job->Form().name);
    FormShow();
    show();
    raise();
    activateWindow();
    Regenerate();
    m_preview->setCurrentPage(1);
    UpdatePageControls();
}

void TPreviewForm::FormShow() {
    if (!m_job) return;
    setWindowTitle(kCaption + QStringLiteral(" - ") + m_job->CarName());
    if (m_opener) m_opener->setEnabled(false);
    // The list says page width, and so does the view.
    m_zoom->setCurrentIndex(kPageWidthItem);
    m_preview->fitToWidth();
    m_pageNumber->hide();
    m_prevPage->hide();
    m_nextPage->hide();
}

void TPreviewForm::Regenerate() {
    m_preview->updatePreview();
    UpdatePageControls();
}

void TPreviewForm::PaintRequested(QPrinter* printer) {
    if (!m_job) return;
    m_layout = m_job->Layout(PaperMillimetres(printer->pageLayout()));
    if (m_layout.error != ReportError::None) return;
    QPainter painter;
    if (!painter.begin(printer)) return;
    PaintReport(painter, *printer, m_layout, m_job->Fonts());
}

int TPreviewForm::PageCount() const {
    return m_preview->pageCount();
}

int TPreviewForm::CurrentPage() const {
    return m_preview->currentPage();
}

QString TPreviewForm::PageNumberText() const {
    return m_pageNumber->text();
}

void TPreviewForm::UpdatePageControls() {
    const int count = PageCount();
    const int page = CurrentPage();
    const bool several = count > 1;
    m_pageNumber->setVisible(several);
    m_prevPage->setVisible(several);
    m_nextPage->setVisible(several);
    m_pageNumber->setText(QString::number(page) + QLatin1Char('/') + QString::number(count));
    m_prevPage->setEnabled(page > 1);
    m_nextPage->setEnabled(page < count);
}

void TPreviewForm::ZoomComboBoxChange(int index) {
    if (index == kPageWidthItem) {
        m_preview->fitToWidth();
    } else if (index == kWholePageItem) {
        m_preview->fitInView();
    } else if (index >= 0 && index < kPageWidthItem) {
        const QString item = QString::fromUtf16(kZoomItems[index]);
        m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
        m_preview->setZoomFactor(item.left(item.indexOf(QLatin1Char('%'))).toDouble() / 100.0);
    }
}

void TPreviewForm::PrevPageSpeedButtonClick() {
    m_preview->setCurrentPage(CurrentPage() - 1);
    UpdatePageControls();
}

void TPreviewForm::NextPageSpeedButtonClick() {
    m_preview->setCurrentPage(CurrentPage() + 1);
    UpdatePageControls();
}

void TPreviewForm::PrinterSetupSpeedButtonClick() {
    if (!m_job) return;
    const QPageLayout before = m_printer.pageLayout();
    if (!runPageSetup(m_printer)) return;
    const QPageLayout after = m_printer.pageLayout();
    if (after.pageSize().isEquivalentTo(before.pageSize()) && after.orientation() == before.orientation())
        return;
    if (PaperError(m_job->Layout(PaperMillimetres(after)).error)) {
        MessageBox::ShowError(QStringLiteral("用紙ｴﾗｰ"),
                              QStringLiteral("このｻｲｽﾞの用紙には、印刷できません。"));
        m_printer.setPageLayout(before);
        return;
    }
    FormShow();
    Regenerate();
}

void TPreviewForm::PrintEnvSetSpeedButtonClick() {
    if (!m_job || !m_printSettingsOpener) return;
    m_printSettingsOpener(this, m_job->FormNumber());
    FormShow();
    Regenerate();
}

void TPreviewForm::PrintSpeedButtonClick() {
    if (!m_job) return;
    // Many desktops have no printer at all: the report can still be kept as a PDF file.
    if (!hasPrinters()) {
        PrintToPdf();
        return;
    }
    if (!runPrintDialog(m_printer)) return;
    const ReportLayout layout = m_job->Layout(PaperMillimetres(m_printer.pageLayout()));
    if (layout.error != ReportError::None) {
        ShowReportError(layout.error);
        return;
    }
    QPainter painter;
    bool printed = painter.begin(&m_printer);
    if (printed) {
        PaintReport(painter, m_printer, layout, m_job->Fonts());
        printed = painter.end() && m_printer.printerState() != QPrinter::Error;
    }
    if (!printed) MessageBox::ShowError(QStringLiteral("ﾌﾟﾘﾝﾀｴﾗｰ"), kPrinterError);
    // The dialog may have chosen another paper; the preview shows what was printed.
    Regenerate();
}

void TPreviewForm::PrintToPdf() {
    if (!MessageBox::AskYesNo(QStringLiteral("印刷"),
                              QStringLiteral("使用できるﾌﾟﾘﾝﾀがありません。\nPDFﾌｧｲﾙに保存しますか？"))) {
        return;
    }
    const QString path = FileDialog::GetSaveFileName(this, QStringLiteral("PDFﾌｧｲﾙに保存"), m_pdfFolder,
                                                     m_job->Form().name + QStringLiteral(".pdf"),
                                                     QStringLiteral("PDFﾌｧｲﾙ|*.pdf"));
    if (path.isEmpty()) return;
    m_pdfFolder = QFileInfo(path).absolutePath();
    QString error;
    const QPageLayout page = m_printer.pageLayout();
    if (!WriteReportPdf(path, *m_job, page.pageSize(), page.orientation(), &error))
        MessageBox::ShowError(QStringLiteral("Tovrel"), error);
}

void TPreviewForm::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    SaveWindowPlacement(this, m_store, kWindowName, true);
    if (m_opener) {
        m_opener->setEnabled(true);
        m_opener->activateWindow();
    }
    m_opener = nullptr;
    // The opener has given the job up; the preview was its last user.
    m_job.reset();
}

bool StartPrintJob(QWidget* opener, Logbook& book, int formNumber, ListSource source) {
    if (formNumber < 1 || formNumber > PrintFormCount) return false;
    TPreviewForm* preview = TPreviewForm::Current();
    if (!preview) {
        // Only a window tried without the main window gets here.
        preview = new TPreviewForm(book.store());
        preview->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!preview->printer().isValid()) {
        MessageBox::ShowError(QStringLiteral("ﾌﾟﾘﾝﾀｴﾗｰ"), kPrinterError);
        return false;
    }
    auto job = std::make_shared<const ReportJob>(book, formNumber, std::move(source), QDate::currentDate());
    QPageLayout page = preview->printer().pageLayout();
    page.setOrientation(job->FormOrientation());
    const ReportError error = job->Layout(PaperMillimetres(page)).error;
    if (error != ReportError::None) {
        ShowReportError(error);
        return false;
    }
    preview->ShowReport(std::move(job), opener);
    return true;
}

void ConnectPrintControls(QWidget* window, QAction* item1, QAction* item2, const QString& buttonName,
                          const std::function<void(int tag)>& print) {
    int tag = 0;
    for (QAction* item : {item1, item2}) {
        ++tag;
        item->setEnabled(true);
        QObject::connect(item, &QAction::triggered, window, [print, tag] { print(tag); });
    }
    if (auto* button = window->findChild<QToolButton*>(buttonName)) {
        button->setEnabled(true);
        QObject::connect(button, &QToolButton::clicked, window, [print] { print(1); });
    }
}

}  // namespace tovrel
