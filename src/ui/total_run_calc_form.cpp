#include "ui/total_run_calc_form.h"

#include "session/logbook.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/help.h"
#include "ui/widgets/message_box.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tovrel {

TTotalRunCalcForm::TTotalRunCalcForm(Logbook& book, QWidget* parent)
    : FormDialog(book.store(), QStringLiteral("TTotalRunCalcForm"), HelpOdometerRecalc, parent),
      m_book(book) {
    auto* layout = new QVBoxLayout(this);
    m_cautionLabel = new QLabel;
    m_cautionLabel->setObjectName(QStringLiteral("CautionLabel"));
    layout->addWidget(m_cautionLabel);

    auto* group = new QGroupBox(QStringLiteral("走行距離計算方法"));
    group->setObjectName(QStringLiteral("SelectRadioGroup"));
    SetHint(group, QStringLiteral("走行距離計算方法を選択します。"));
    auto* groupLayout = new QVBoxLayout(group);
    m_forwardRadio = new QRadioButton(QStringLiteral("範囲選択開始ﾃﾞｰﾀの走行距離を基準に計算（加算）"));
    m_forwardRadio->setObjectName(QStringLiteral("ForwardRadioButton"));
    m_backwardRadio = new QRadioButton(QStringLiteral("範囲選択終了ﾃﾞｰﾀの走行距離を基準に計算（減算）"));
    m_backwardRadio->setObjectName(QStringLiteral("BackwardRadioButton"));
    auto* choice = new QButtonGroup(this);
    choice->addButton(m_forwardRadio, 0);
    choice->addButton(m_backwardRadio, 1);
    m_backwardRadio->setChecked(true);
    groupLayout->addWidget(m_forwardRadio);
    groupLayout->addWidget(m_backwardRadio);
    layout->addWidget(group);

    m_overWriteCheck = new QCheckBox(QStringLiteral("走行距離計算ﾃﾞｰﾀは、必ず上書きする"));
    m_overWriteCheck->setObjectName(QStringLiteral("OverWriteCheckBox"));
    SetHint(m_overWriteCheck,
            QStringLiteral("すでに走行距離がｾｯﾄされていても、再計算走行距離ﾃﾞｰﾀを上書きします。"));
    m_mainteWriteCheck = new QCheckBox(QStringLiteral("ﾒﾝﾃﾅﾝｽﾃﾞｰﾀの走行距離も、再計算する"));
    m_mainteWriteCheck->setObjectName(QStringLiteral("MainteWriteCheckBox"));
    SetHint(m_mainteWriteCheck, QStringLiteral("ﾒﾝﾃﾅﾝｽﾃﾞｰﾀの走行距離も、走行距離計算します。"));
    layout->addWidget(m_overWriteCheck);
    layout->addWidget(m_mainteWriteCheck);

    auto* buttons = new QHBoxLayout;
    m_okButton = new QPushButton(QStringLiteral("再計算"));
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"));
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto* help = new QPushButton(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    help->setObjectName(QStringLiteral("HelpButton"));
    for (QPushButton* b : {m_okButton, cancel, help})
        b->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    layout->addLayout(buttons);
    connect(m_okButton, &QPushButton::clicked, this, &TTotalRunCalcForm::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &FormDialog::ShowHelpTopic);
    FinishControls();
}

int TTotalRunCalcForm::Exec(int first, int last) {
    m_first = first;
    m_last = last;
    setWindowTitle(QStringLiteral("走行距離計算 - ") + m_book.CarName());
    m_cautionLabel->setText(OdometerCaution(m_book.table(), first, last));
    return exec();
}

OdometerOptions TTotalRunCalcForm::Options() const {
    OdometerOptions o;
    o.forward = m_forwardRadio->isChecked();
    o.overwrite = m_overWriteCheck->isChecked();
    o.maintenance = m_mainteWriteCheck->isChecked();
    return o;
}

void TTotalRunCalcForm::showEvent(QShowEvent* event) {
    FormDialog::showEvent(event);
    m_okButton->setFocus();
}

void TTotalRunCalcForm::accept() {
    RangeRefusal refusal;
    if (!RecalcOdometer(m_book.table(), m_first, m_last, Options(), &refusal)) {
        MessageBox::ShowWarning(refusal.caption, refusal.text);
        return;
    }
    FormDialog::accept();
}

}  // namespace tovrel
