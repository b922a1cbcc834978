#include "ui/warning_text_form.h"

#include "ui/widgets/app_setup.h"
#include "ui/widgets/colors.h"
#include "ui/widgets/help.h"
#include "ui/window_placement.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace tovrel {

namespace {

const std::array<QString, 5> kDefaultNames = {QString(), QStringLiteral("すぎちゃった"),
                                              QStringLiteral("もうすぐ"), QStringLiteral("もうそろそろ"),
                                              QStringLiteral("まだまだ")};

}  // namespace

TWarningTextForm::TWarningTextForm(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName(QStringLiteral("TWarningTextForm"));
    setWindowTitle(QStringLiteral("期限警告名編集"));
    InstallHelpKey(this, HelpWarningNames);
    setModal(true);

    auto* layout = new QGridLayout(this);
    for (int level = 1; level <= 4; ++level) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QStringLiteral("WarningText%1Edit").arg(level));
        layout->addWidget(edit, level - 1, 0);
        m_edits[level] = edit;
    }
    auto* note = new QLabel(QStringLiteral("漢字で６文字以内"));
    note->setObjectName(QStringLiteral("NoteLabel"));
    layout->addWidget(note, 4, 0);
    auto* defaults = new QPushButton(QStringLiteral("初期値に戻す"));
    defaults->setObjectName(QStringLiteral("DefButton"));
    defaults->setAutoDefault(false);
    SetHint(defaults, QStringLiteral("期限警告名を初期値に戻します。"));
    connect(defaults, &QPushButton::clicked, this, &TWarningTextForm::DefButtonClick);
    layout->addWidget(defaults, 5, 0, Qt::AlignRight);

    const int editWidth = m_edits[1]->fontMetrics().horizontalAdvance(QStringLiteral("漢字漢字漢字")) + 16;
    for (int level = 1; level <= 4; ++level)
        m_edits[level]->setMinimumWidth(editWidth);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TWarningTextForm::SetNames(const std::array<QString, 5>& names, const std::array<quint32, 5>& colors) {
    for (int level = 1; level <= 4; ++level) {
        QLineEdit* edit = m_edits[level];
        edit->setText(names[level]);
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Text, ColorFromValue(colors[level], palette));
        edit->setPalette(palette);
    }
}

std::array<QString, 5> TWarningTextForm::Names() const {
    std::array<QString, 5> names;
    for (int level = 1; level <= 4; ++level)
        names[level] = m_edits[level]->text();
    return names;
}

void TWarningTextForm::DefButtonClick() {
    for (int level = 1; level <= 4; ++level)
        m_edits[level]->setText(kDefaultNames[level]);
}

void TWarningTextForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    CenterOnScreen(this);
}

}  // namespace tovrel
