#include "ui/graph_print_dialog.h"

#include "base/file_io.h"
#include "ui/widgets/file_dialog.h"
#include "ui/widgets/help.h"
#include "ui/widgets/message_box.h"

#include <QBuffer>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tovrel {

TGraphPrintDialog::TGraphPrintDialog(QWidget* parent, const TrendData& data, const TrendGraph& graph,
                                     const GraphStyle& style, int page, QSize screenSize,
                                     const ChartPrintSettings& settings)
    : QDialog(parent),
      m_data(data),
      m_graph(graph),
      m_style(style),
      m_page(page),
      m_screenSize(screenSize),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("GraphPrintDialog"));
    setWindowTitle(QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ"));
    InstallHelpKey(this, HelpGraphPrint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    // Charts are wide: landscape unless the user chooses otherwise.
    m_printer->setPageSize(QPageSize(QPageSize::A4));
    m_printer->setPageOrientation(QPageLayout::Landscape);
    m_printer->setFullPage(true);
    // Zoom steps are for the screen only.
    m_style.zoom = false;

    const ChartPrintSettings s = ClampPrintSettings(settings);
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("ﾌﾟﾘﾝﾀ")));
    m_printers = new QComboBox;
    m_printers->setObjectName(QStringLiteral("PrinterComboBox"));
    m_printers->addItems(QPrinterInfo::availablePrinterNames());
    m_printers->addItem(PdfPrinterName());
    const QString defaultPrinter = QPrinterInfo::defaultPrinterName();
    m_printers->setCurrentIndex(defaultPrinter.isEmpty() ? m_printers->count() - 1
                                                         : std::max(0, m_printers->findText(defaultPrinter)));
    bar->addWidget(m_printers);
    auto* setup = new QPushButton(QStringLiteral("用紙設定(&S)..."));
    setup->setAutoDefault(false);
    bar->addWidget(setup);
    bar->addSpacing(12);
    const auto spin = [&](const QString& caption, const QString& name, int low, int high, int value) {
        auto* label = new QLabel(caption);
        auto* box = new QSpinBox;
        box->setObjectName(name);
        box->setRange(low, high);
        box->setValue(value);
        label->setBuddy(box);
        bar->addWidget(label);
        bar->addWidget(box);
        connect(box, &QSpinBox::valueChanged, this, [this] { m_preview->updatePreview(); });
        return box;
    };
    bar->addWidget(new QLabel(QStringLiteral("余白(%) :")));
    m_left = spin(QStringLiteral("左(&L)"), QStringLiteral("MarginLeftSpin"), 0, 45, s.left);
    m_top = spin(QStringLiteral("上(&T)"), QStringLiteral("MarginTopSpin"), 0, 45, s.top);
    m_right = spin(QStringLiteral("右(&R)"), QStringLiteral("MarginRightSpin"), 0, 45, s.right);
    m_bottom = spin(QStringLiteral("下(&B)"), QStringLiteral("MarginBottomSpin"), 0, 45, s.bottom);
    bar->addSpacing(12);
    m_resolution =
        spin(QStringLiteral("解像度(&D)"), QStringLiteral("ResolutionSpin"), -100, 100, s.resolution);
    m_resolution->setToolTip(QStringLiteral("大きくすると線と文字が細かくなります。"));
    bar->addStretch(1);
    auto* print = new QPushButton(QStringLiteral("印刷(&P)..."));
    print->setObjectName(QStringLiteral("PrintButton"));
    auto* close = new QPushButton(QStringLiteral("閉じる(&C)"));
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setAutoDefault(false);
    bar->addWidget(print);
    bar->addWidget(close);

    m_preview = new QPrintPreviewWidget(m_printer.get());
    m_preview->setObjectName(QStringLiteral("PreviewWidget"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_preview, 1);
    resize(900, 640);

    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        QPainter painter(printer);
        PaintPage(&painter);
    });
    connect(m_printers, &QComboBox::currentIndexChanged, this, &TGraphPrintDialog::PrinterChanged);
    connect(setup, &QPushButton::clicked, this, &TGraphPrintDialog::PageSetupClick);
    connect(print, &QPushButton::clicked, this, [this] {
        if (PrintButtonClick()) accept();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    PrinterChanged();
    m_preview->fitInView();
}

TGraphPrintDialog::~TGraphPrintDialog() = default;

ChartPrintSettings TGraphPrintDialog::PrintSettings() const {
    return {m_left->value(), m_top->value(), m_right->value(), m_bottom->value(), m_resolution->value()};
}

QString TGraphPrintDialog::PrinterName() const {
    return m_printers->currentText();
}

void TGraphPrintDialog::PrinterChanged() {
    if (PrinterName() == PdfPrinterName()) {
        m_printer->setOutputFormat(QPrinter::PdfFormat);
    } else {
        m_printer->setOutputFormat(QPrinter::NativeFormat);
        m_printer->setPrinterName(PrinterName());
    }
    m_printer->setFullPage(true);
    m_preview->updatePreview();
}

void TGraphPrintDialog::PageSetupClick() {
    QPageSetupDialog dialog(m_printer.get(), this);
    if (dialog.exec() == QDialog::Accepted) m_preview->updatePreview();
}

void TGraphPrintDialog::PaintPage(QPainter* painter) const {
    const QPaintDevice* device = painter->device();
    const QRectF target = ChartPrintRect(QSizeF(device->width(), device->height()), PrintSettings());
    const QSize layout = ChartPrintLayoutSize(m_screenSize, target.size(), m_resolution->value());
    RenderGraph(painter, target, m_data, m_graph, m_style, m_page, layout);
}

bool TGraphPrintDialog::PrintButtonClick() {
    if (PrinterName() == PdfPrinterName()) return WritePdf();
    QPainter painter;
    if (!painter.begin(m_printer.get())) {
        MessageBox::ShowError(QStringLiteral("ﾌﾟﾘﾝﾀｴﾗｰ"), QStringLiteral("ﾌﾟﾘﾝﾀが使用できません。"));
        return false;
    }
    PaintPage(&painter);
    return painter.end();
}

// Through a buffer, so that the file is replaced whole or not at all.
bool TGraphPrintDialog::WritePdf() {
    QString name = m_graph.title;
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    const QString path =
        FileDialog::GetSaveFileName(this, QStringLiteral("PDFﾌｧｲﾙに印刷"), QString(),
                                    name + QStringLiteral(".pdf"), QStringLiteral("PDFﾌｧｲﾙ (*.pdf)|*.pdf"));
    if (path.isEmpty()) return false;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        QPageLayout layout = m_printer->pageLayout();
        layout.setMargins(QMarginsF());
        layout.setMinimumMargins(QMarginsF());
        writer.setPageLayout(layout);
        writer.setCreator(QStringLiteral("Tovrel"));
        writer.setTitle(m_graph.title);
        QPainter painter(&writer);
        PaintPage(&painter);
    }
    QString error;
    if (!WriteFileAtomically(path, buffer.data(), &error)) {
        MessageBox::ShowError(QStringLiteral("ﾌﾟﾘﾝﾀｴﾗｰ"), error);
        return false;
    }
    return true;
}

}  // namespace tovrel
