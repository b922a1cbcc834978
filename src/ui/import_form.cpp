#include "ui/import_form.h"

#include "base/file_io.h"
#include "calc/economy.h"
#include "session/import_log.h"
#include "session/logbook.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/file_dialog.h"
#include "ui/widgets/help.h"
#include "ui/widgets/message_box.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tovrel {

namespace {

const QString kErrorCaption = QStringLiteral("取り込みｴﾗｰ");
constexpr int kPreviewRows = 20;

QComboBox* Combo(const QString& name, const QStringList& items, const QString& hint) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(items);
    SetHint(combo, hint);
    return combo;
}

QString OneLine(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral(" / "));
    return s;
}

}  // namespace

TImportForm::TImportForm(Logbook& book, QWidget* parent)
    : FormDialog(book.store(), QStringLiteral("TImportForm"), HelpImport, parent), m_book(book) {
    auto* layout = new QVBoxLayout(this);
    m_fileLabel = new QLabel;
    m_fileLabel->setObjectName(QStringLiteral("FileLabel"));
    m_readLabel = new QLabel;
    m_readLabel->setObjectName(QStringLiteral("ReadLabel"));
    m_readLabel->setWordWrap(true);
    layout->addWidget(m_fileLabel);
    layout->addWidget(m_readLabel);

    auto* choices = new QGridLayout;
    QStringList formats = {QStringLiteral("自動判別")};
    for (const ImportFormatInfo& f : ImportFormats())
        formats << f.caption;
    m_formatCombo = Combo(QStringLiteral("FormatComboBox"), formats,
                          QStringLiteral("列の対応付けに使う形式を選択します。"));
    m_dateCombo = Combo(QStringLiteral("DateOrderComboBox"),
                        {QStringLiteral("日付の列から判定"), DateOrderCaption(DateOrder::Ymd),
                         DateOrderCaption(DateOrder::Dmy), DateOrderCaption(DateOrder::Mdy)},
                        QStringLiteral("日付の年・月・日の並びを選択します。"));
    m_distanceCombo = Combo(QStringLiteral("DistanceUnitComboBox"),
                            {QStringLiteral("見出しから（なければ車の単位）"),
                             DistanceUnitCaption(DistanceUnit::Km), DistanceUnitCaption(DistanceUnit::Mile)},
                            QStringLiteral("ﾌｧｲﾙの距離の単位を選択します。車の単位に換算されます。"));
    m_volumeCombo =
        Combo(QStringLiteral("VolumeUnitComboBox"),
              {QStringLiteral("見出しから（なければ車の単位）"), VolumeUnitCaption(VolumeUnit::Litre),
               VolumeUnitCaption(VolumeUnit::UsGallon), VolumeUnitCaption(VolumeUnit::ImpGallon)},
              QStringLiteral("ﾌｧｲﾙの給油量の単位を選択します。車の単位に換算されます。"));
    const std::pair<const char16_t*, QComboBox*> rows[] = {{u"形式", m_formatCombo},
                                                           {u"日付の並び", m_dateCombo},
                                                           {u"距離の単位", m_distanceCombo},
                                                           {u"給油量の単位", m_volumeCombo}};
    int r = 0;
    for (const auto& [caption, combo] : rows) {
        auto* label = new QLabel(QString::fromUtf16(caption));
        label->setBuddy(combo);
        choices->addWidget(label, r / 2, (r % 2) * 2);
        choices->addWidget(combo, r / 2, (r % 2) * 2 + 1);
        connect(combo, &QComboBox::currentIndexChanged, this, &TImportForm::ChoicesChanged);
        ++r;
    }
    choices->setColumnStretch(1, 1);
    choices->setColumnStretch(3, 1);
    layout->addLayout(choices);

    m_noticeLabel = new QLabel;
    m_noticeLabel->setObjectName(QStringLiteral("NoticeLabel"));
    m_noticeLabel->setWordWrap(true);
    QPalette red = m_noticeLabel->palette();
    red.setColor(QPalette::WindowText, QColor(0xFF, 0, 0));
    m_noticeLabel->setPalette(red);
    layout->addWidget(m_noticeLabel);

    auto* columnsGroup = new QGroupBox(QStringLiteral("列の取り込み先"));
    auto* columnsLayout = new QVBoxLayout(columnsGroup);
    m_columnsTable = new QTableWidget(0, 3);
    m_columnsTable->setObjectName(QStringLiteral("ColumnsTable"));
    m_columnsTable->setHorizontalHeaderLabels(
        {QStringLiteral("ﾌｧｲﾙの見出し"), QStringLiteral("取り込み先"), QStringLiteral("最初の行の値")});
    m_columnsTable->horizontalHeader()->setStretchLastSection(true);
    m_columnsTable->verticalHeader()->setVisible(false);
    m_columnsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    columnsLayout->addWidget(m_columnsTable);

    auto* previewGroup = new QGroupBox(QStringLiteral("登録される内容（最初の%1件）").arg(kPreviewRows));
    auto* previewLayout = new QVBoxLayout(previewGroup);
    m_previewTable = new QTableWidget(0, ColumnCount + 1);
    m_previewTable->setObjectName(QStringLiteral("PreviewTable"));
    QStringList headings = {QStringLiteral("行")};
    for (int col = ColDay; col < ColumnCount; ++col)
        headings << ColumnHeadings()[col].trimmed();
    headings << QStringLiteral("平均燃費");
    m_previewTable->setHorizontalHeaderLabels(headings);
    m_previewTable->verticalHeader()->setVisible(false);
    m_previewTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    previewLayout->addWidget(m_previewTable);

    auto* tables = new QHBoxLayout;
    tables->addWidget(columnsGroup, 3);
    tables->addWidget(previewGroup, 5);
    layout->addLayout(tables, 3);

    m_countLabel = new QLabel;
    m_countLabel->setObjectName(QStringLiteral("CountLabel"));
    layout->addWidget(m_countLabel);
    m_rejectedList = new QListWidget;
    m_rejectedList->setObjectName(QStringLiteral("RejectedListBox"));
    SetHint(m_rejectedList, QStringLiteral("取り込まない行と、その理由です。"));
    layout->addWidget(m_rejectedList, 1);

    auto* buttons = new QHBoxLayout;
    m_okButton = new QPushButton(QStringLiteral("取り込み(&I)"));
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"));
    cancel->setObjectName(QStringLiteral("CancelButton"));
    for (QPushButton* b : {m_okButton, cancel})
        b->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(m_okButton, &QPushButton::clicked, this, &TImportForm::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // The tables scroll: their many columns must not widen the dialog beyond the screen.
    for (QTableWidget* table : {m_columnsTable, m_previewTable})
        table->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    setMinimumSize(1000, 660);
    FinishControls();
}

int TImportForm::Exec(const QString& path, const ImportFile& file) {
    Load(path, file);
    return exec();
}

void TImportForm::Load(const QString& path, const ImportFile& file) {
    m_file = file;
    m_choices = ImportChoices();
    m_filling = true;
    for (QComboBox* combo : {m_formatCombo, m_dateCombo, m_distanceCombo, m_volumeCombo})
        combo->setCurrentIndex(0);
    m_filling = false;
    setWindowTitle(QStringLiteral("ﾃﾞｰﾀ取り込み - ") + m_book.CarName());
    m_fileLabel->setText(QStringLiteral("ﾌｧｲﾙ: ") + QFileInfo(path).fileName());
    Replan();
}

void TImportForm::SetColumnField(int column, ImportField field) {
    auto* combo = qobject_cast<QComboBox*>(m_columnsTable->cellWidget(column, 1));
    if (combo) combo->setCurrentIndex(static_cast<int>(field));
}

void TImportForm::ChoicesChanged() {
    if (m_filling) return;
    const int format = m_formatCombo->currentIndex();
    const QString id = format <= 0 ? kAutoFormat : ImportFormats().value(format - 1).id;
    if (id != m_choices.format) m_choices.columns.clear();  // the new format maps the headings afresh
    m_choices.format = id;
    m_choices.dates = static_cast<DateOrder>(std::max(0, m_dateCombo->currentIndex()));
    m_choices.distance = static_cast<DistanceUnit>(std::max(0, m_distanceCombo->currentIndex()));
    m_choices.volume = static_cast<VolumeUnit>(std::max(0, m_volumeCombo->currentIndex()));
    Replan();
}

void TImportForm::ColumnChanged() {
    if (m_filling) return;
    QVector<ColumnMapping> columns = m_plan.columns;
    columns.resize(m_plan.headings.size());
    for (int row = 0; row < columns.size(); ++row) {
        const auto* combo = qobject_cast<QComboBox*>(m_columnsTable->cellWidget(row, 1));
        if (combo) columns[row].field = static_cast<ImportField>(combo->currentIndex());
    }
    m_choices.columns = columns;
    Replan();
}

void TImportForm::Replan() {
    m_plan = PlanLogImport(m_book, m_file, m_choices);
    ShowPlan();
}

void TImportForm::ShowPlan() {
    QStringList read = {QStringLiteral("文字コード: ") + ImportEncodingName(m_plan.encoding),
                        QStringLiteral("区切り文字: ") + SeparatorName(m_plan.separator)};
    if (!m_plan.headings.isEmpty()) {
        QString header = QStringLiteral("見出し: %1行目").arg(m_plan.headerLine);
        if (!m_plan.section.isEmpty())
            header += QStringLiteral("（## ") + m_plan.section + QStringLiteral("）");
        read << header << QStringLiteral("小数点: ") + DecimalMarkName(m_plan.decimalMark)
             << QStringLiteral("日付の並び: ") + DateOrderCaption(m_plan.dateOrder)
             << QStringLiteral("形式: ") + ImportFormatCaption(m_plan.format);
    }
    m_readLabel->setText(read.join(QStringLiteral("　　")));

    QStringList notices;
    if (!m_plan.error.isEmpty()) notices << m_plan.error;
    if (m_plan.needsDateOrder) {
        notices << (m_plan.dateConflict
                        ? QStringLiteral(
                              "日が先の日付と月が先の日付が混ざっています。「日付の並び」を選んでください。")
                        : QStringLiteral("12日までの日付しかないため、日/月/年か月/日/年か決められません。"
                                         "「日付の並び」を選んでください。"));
    }
    const QString capacity = ImportCapacityRefusal(m_book.table(), m_plan);
    if (m_plan.CanImport() && !capacity.isEmpty())
        notices << QString(capacity).replace(QLatin1Char('\n'), QString());
    m_noticeLabel->setText(notices.join(QLatin1Char('\n')));
    m_noticeLabel->setVisible(!notices.isEmpty());

    ShowColumns();
    ShowPreview();

    if (m_plan.CanImport()) {
        m_countLabel->setText(
            QStringLiteral("取り込み %1件　　重複のためスキップ %2件　　取り込めない行 %3件")
                .arg(m_plan.records.size())
                .arg(m_plan.duplicates)
                .arg(m_plan.rejected.size()));
    } else {
        m_countLabel->setText(QString());
    }
    m_rejectedList->clear();
    for (const ImportRejected& r : m_plan.rejected)
        m_rejectedList->addItem(QStringLiteral("%1行目: ").arg(r.line) + r.reason);
    for (const ImportRejected& r : m_plan.warnings)
        m_rejectedList->addItem(QStringLiteral("%1行目（取り込み）: ").arg(r.line) + r.reason);
    m_okButton->setEnabled(m_plan.CanImport() && !m_plan.records.isEmpty());
}

void TImportForm::ShowColumns() {
    m_filling = true;
    QStringList fields;
    for (int f = 0; f < static_cast<int>(ImportField::Count); ++f)
        fields << ImportFieldCaption(static_cast<ImportField>(f));
    m_columnsTable->setRowCount(int(m_plan.headings.size()));
    for (int row = 0; row < m_plan.headings.size(); ++row) {
        m_columnsTable->setItem(row, 0, new QTableWidgetItem(m_plan.headings[row].trimmed()));
        auto* combo = qobject_cast<QComboBox*>(m_columnsTable->cellWidget(row, 1));
        if (!combo) {
            combo = new QComboBox;
            combo->setObjectName(QStringLiteral("ColumnComboBox%1").arg(row));
            combo->addItems(fields);
            combo->setFocusPolicy(Qt::StrongFocus);
            connect(combo, &QComboBox::currentIndexChanged, this, &TImportForm::ColumnChanged);
            m_columnsTable->setCellWidget(row, 1, combo);
        }
        combo->setCurrentIndex(static_cast<int>(m_plan.columns.value(row).field));
        m_columnsTable->setItem(row, 2, new QTableWidgetItem(OneLine(m_plan.samples.value(row))));
    }
    m_columnsTable->resizeColumnToContents(0);
    m_columnsTable->resizeColumnToContents(1);
    m_filling = false;
}

void TImportForm::ShowPreview() {
    const int rows = int(std::min<qsizetype>(m_plan.records.size(), kPreviewRows));
    m_previewTable->setRowCount(rows);
    const QColor maintenance(0xFF, 0, 0);
    for (int row = 0; row < rows; ++row) {
        const FuelRecord& r = m_plan.records[row];
        m_previewTable->setItem(row, 0, new QTableWidgetItem(QString::number(m_plan.lines[row])));
        for (int col = ColDay; col < ColumnCount; ++col) {
            auto* item = new QTableWidgetItem(OneLine(r.text[col]));
            if (IsNumericColumn(col)) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_previewTable->setItem(row, col, item);
        }
        if (r.kind != KindFuel) m_previewTable->item(row, 0)->setForeground(maintenance);
        m_previewTable->setItem(row, ColumnCount,
                                new QTableWidgetItem(r.kind != KindFuel ? QString()
                                                     : r.noneHeikin     ? QStringLiteral("除外")
                                                                        : QStringLiteral("計算")));
    }
    m_previewTable->resizeColumnsToContents();
}

void TImportForm::accept() {
    if (!m_plan.CanImport() || m_plan.records.isEmpty()) return;
    QString refusal;
    if (!CommitLogImport(m_book, m_plan, &refusal)) {
        MessageBox::ShowError(kImportCapacityCaption, refusal);
        return;
    }
    FormDialog::accept();
}

bool ImportLogFile(QWidget* parent, Logbook& book) {
    const QString path =
        FileDialog::GetOpenFileName(parent, QStringLiteral("取り込むﾌｧｲﾙ"), book.settings().SaveInitialDir,
                                    QStringLiteral("CSVﾌｧｲﾙ|*.csv;*.txt;*.tsv|全てのﾌｧｲﾙ|*.*"));
    if (path.isEmpty()) return false;
    QByteArray bytes;
    QString error;
    ImportFile file;
    if (!ReadFileBytes(path, &bytes, &error)) {
        MessageBox::ShowError(kErrorCaption, error);
        return false;
    }
    if (!ReadImportFile(bytes, &file, &error)) {
        MessageBox::ShowError(kErrorCaption, QFileInfo(path).fileName() + QStringLiteral("\n") + error);
        return false;
    }
    TImportForm form(book, parent);
    return form.Exec(path, file) == QDialog::Accepted;
}

}  // namespace tovrel
