#include "ui/fixed_font_dialog.h"

#include "ui/widgets/font_text.h"
#include "ui/widgets/help.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace tovrel {

namespace {

QList<std::optional<QFont>>& Answers() {
    static QList<std::optional<QFont>> answers;
    return answers;
}

const int kSizes[] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

}  // namespace

bool TFixedFontDialog::IsHalfWidthFixed(const QString& family) {
    if (QFontDatabase::isFixedPitch(family)) return true;
    QFont font(family);
    font.setPixelSize(24);
    font.setStyleStrategy(QFont::NoFontMerging);
    // Another family standing in for this one says nothing about it.
    if (QFontInfo(font).family().compare(family, Qt::CaseInsensitive) != 0) return false;
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(QLatin1Char('0'));
    if (width <= 0) return false;
    for (const QChar c : QStringLiteral("iIlW.mM1 _w")) {
        if (std::abs(metrics.horizontalAdvance(c) - width) > 0.01) return false;
    }
    return true;
}

const QStringList& TFixedFontDialog::FixedPitchFamilies() {
    static const QStringList families = [] {
        QStringList list;
        for (const QString& family : QFontDatabase::families()) {
            if (QFontDatabase::isPrivateFamily(family)) continue;
            if (IsHalfWidthFixed(family)) list << family;
        }
        list.sort(Qt::CaseInsensitive);
        return list;
    }();
    return families;
}

TFixedFontDialog::TFixedFontDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FontDialog"));
    setWindowTitle(QStringLiteral("フォント"));
    InstallHelpKey(this, HelpListFont);
    m_families = new QListWidget;
    m_families->setObjectName(QStringLiteral("FamilyList"));
    m_families->addItems(FixedPitchFamilies());
    m_style = new QComboBox;
    m_style->setObjectName(QStringLiteral("StyleComboBox"));
    m_style->addItems({QStringLiteral("標準"), QStringLiteral("斜体"), QStringLiteral("太字"),
                       QStringLiteral("太字 斜体")});
    m_size = new QComboBox;
    m_size->setObjectName(QStringLiteral("SizeComboBox"));
    m_size->setEditable(true);
    m_size->setInsertPolicy(QComboBox::NoInsert);
    for (int size : kSizes)
        m_size->addItem(QString::number(size));
    m_size->lineEdit()->setValidator(new QIntValidator(2, 200, m_size));
    m_strikeOut = new QCheckBox(QStringLiteral("取り消し線"));
    m_underline = new QCheckBox(QStringLiteral("下線"));
    m_sample = new QLabel(QStringLiteral("AaBbYyZz 0123 あぁアァ亜宇"));
    m_sample->setObjectName(QStringLiteral("SampleLabel"));
    m_sample->setFrameShape(QFrame::StyledPanel);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumHeight(60);
    auto* note =
        new QLabel(QStringLiteral("一覧表の桁がそろう、半角文字の幅が一定のﾌｫﾝﾄだけを表示しています。"));
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(m_families->count() > 0);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("ﾌｫﾝﾄ名")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("ｽﾀｲﾙ")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("ｻｲｽﾞ")), 0, 2);
    grid->addWidget(m_families, 1, 0, 3, 1);
    grid->addWidget(m_style, 1, 1);
    grid->addWidget(m_size, 1, 2);
    grid->addWidget(m_strikeOut, 2, 1, 1, 2);
    grid->addWidget(m_underline, 3, 1, 1, 2, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addWidget(m_sample);
    layout->addWidget(buttons);

    connect(m_families, &QListWidget::currentRowChanged, this, &TFixedFontDialog::UpdateSample);
    connect(m_style, &QComboBox::currentIndexChanged, this, &TFixedFontDialog::UpdateSample);
    connect(m_size, &QComboBox::currentTextChanged, this, &TFixedFontDialog::UpdateSample);
    connect(m_strikeOut, &QCheckBox::toggled, this, &TFixedFontDialog::UpdateSample);
    connect(m_underline, &QCheckBox::toggled, this, &TFixedFontDialog::UpdateSample);
    resize(460, 380);
}

void TFixedFontDialog::SetSelectedFont(const QFont& font) {
    const QString family = QFontInfo(font).family();
    QList<QListWidgetItem*> found = m_families->findItems(family, Qt::MatchFixedString);
    if (found.isEmpty()) found = m_families->findItems(font.family(), Qt::MatchFixedString);
    if (!found.isEmpty())
        m_families->setCurrentItem(found.first());
    else if (m_families->count() > 0)
        m_families->setCurrentRow(0);
    m_style->setCurrentIndex((font.italic() ? 1 : 0) + (font.bold() ? 2 : 0));
    m_size->setCurrentText(QString::number(font.pointSize() > 0 ? font.pointSize() : 9));
    m_strikeOut->setChecked(font.strikeOut());
    m_underline->setChecked(font.underline());
    UpdateSample();
}

QFont TFixedFontDialog::SelectedFont() const {
    const QListWidgetItem* item = m_families->currentItem();
    QFont font(item ? item->text() : QString());
    const int size = m_size->currentText().toInt();
    font.setPointSize(size >= 2 ? size : 9);
    font.setItalic(m_style->currentIndex() & 1);
    font.setBold(m_style->currentIndex() & 2);
    font.setStrikeOut(m_strikeOut->isChecked());
    font.setUnderline(m_underline->isChecked());
    return font;
}

void TFixedFontDialog::UpdateSample() {
    m_sample->setFont(SelectedFont());
}

bool TFixedFontDialog::Choose(QWidget* parent, QString& name, int& size, int& style) {
    const QFont initial = ListFont(name, size, style);
    QFont chosen;
    if (!Answers().isEmpty()) {
        const std::optional<QFont> answer = Answers().takeFirst();
        if (!answer) return false;
        chosen = *answer;
    } else {
        TFixedFontDialog dialog(parent);
        dialog.SetSelectedFont(initial);
        if (dialog.exec() != QDialog::Accepted) return false;
        chosen = dialog.SelectedFont();
    }
    if (chosen.family().compare(QFontInfo(initial).family(), Qt::CaseInsensitive) != 0)
        name = chosen.family();
    if (chosen.pointSize() > 0) size = chosen.pointSize();
    style = FontStyleBits(chosen);
    return true;
}

void TFixedFontDialog::PresetAnswers(const QList<std::optional<QFont>>& answers) {
    Answers() = answers;
}

int TFixedFontDialog::PendingAnswers() {
    return int(Answers().size());
}

}  // namespace tovrel
