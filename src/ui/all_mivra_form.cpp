#include "ui/all_mivra_form.h"

#include "base/text_utils.h"
#include "calc/economy.h"
#include "session/logbook.h"
#include "settings/settings.h"
#include "ui/widgets/colors.h"
#include "ui/widgets/help.h"
#include "ui/widgets/message_box.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovrel {

TAllMivraForm::TAllMivraForm(Logbook& book, QWidget* parent)
    : FormDialog(book.store(), QStringLiteral("TAllMivraForm"), HelpCombinedFill, parent), m_book(book) {
    auto* layout = new QVBoxLayout(this);
    m_cautionLabel = new QLabel;
    m_cautionLabel->setObjectName(QStringLiteral("CautionLabel"));
    layout->addWidget(m_cautionLabel);

    auto* fields = new QGridLayout;
    m_runMemo = NewField(QStringLiteral("RunMemo"), true);
    m_totalRunMemo = NewField(QStringLiteral("TotalRunMemo"), true);
    m_gasMemo = NewField(QStringLiteral("GasMemo"), false);
    m_mivraMemo = NewField(QStringLiteral("MivraMemo"), false);
    m_costMemo = NewField(QStringLiteral("CostMemo"), false);
    m_kmLabel = new QLabel;
    m_kmLabel->setObjectName(QStringLiteral("KmLabel"));
    m_totalKmLabel = new QLabel;
    m_totalKmLabel->setObjectName(QStringLiteral("TotalKmLabel"));
    m_lLabel = new QLabel;
    m_lLabel->setObjectName(QStringLiteral("LLabel"));
    m_kmLLabel = new QLabel;
    m_kmLLabel->setObjectName(QStringLiteral("KmLLabel"));
    const struct {
        const char16_t* caption;
        QLineEdit* field;
        QLabel* unit;
    } rows[] = {{u"給油距離", m_runMemo, m_kmLabel},
                {u"走行距離", m_totalRunMemo, m_totalKmLabel},
                {u"給油量", m_gasMemo, m_lLabel},
                {u"燃  費", m_mivraMemo, m_kmLLabel},
                {u"給油金額", m_costMemo, nullptr}};
    int row = 0;
    for (const auto& r : rows) {
        auto* label = new QLabel(QString::fromUtf16(r.caption));
        label->setBuddy(r.field);
        fields->addWidget(label, row, 0);
        fields->addWidget(r.field, row, 1);
        if (r.unit) fields->addWidget(r.unit, row, 2);
        ++row;
    }
    fields->setColumnStretch(3, 1);
    layout->addLayout(fields);

    // A label rather than a group title: the title's width is measured short for the closing bracket.
    layout->addWidget(new QLabel(QStringLiteral("【注意事項】")));
    auto* notes = new QFrame;
    notes->setFrameShape(QFrame::StyledPanel);
    auto* notesLayout = new QVBoxLayout(notes);
    for (const QString& text :
         {QStringLiteral(
              "まとめ燃費計算は、一度の給油で満ﾀﾝする事ができず、「複数回の給油で満ﾀﾝにした時の燃費を"
              "求める時」に使用します。"),
          QStringLiteral(
              "まとめ燃費計算を実行すると、選択している燃費ﾃﾞｰﾀの[燃費]は全て同一となり、[燃費距離]も"
              "[給油量]に比例して再計算されるので、機能を十分理解した上で使用してください。")}) {
        auto* label = new QLabel(text);
        label->setWordWrap(true);
        notesLayout->addWidget(label);
    }
    notes->setMaximumWidth(420);
    layout->addWidget(notes);

    auto* buttons = new QHBoxLayout;
    m_okButton = new QPushButton(QStringLiteral("計 算"));
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_cancelButton = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"));
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto* help = new QPushButton(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    help->setObjectName(QStringLiteral("HelpButton"));
    for (QPushButton* b : {m_okButton, m_cancelButton, help})
        b->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(help);
    layout->addLayout(buttons);
    connect(m_okButton, &QPushButton::clicked, this, &TAllMivraForm::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &FormDialog::ShowHelpTopic);
    FinishControls();
}

TAllMivraForm::~TAllMivraForm() = default;

QLineEdit* TAllMivraForm::NewField(const QString& name, bool editable) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight);
    edit->setReadOnly(!editable);
    if (!editable) edit->setFocusPolicy(Qt::NoFocus);
    edit->setFixedWidth(120);
    return edit;
}

QLineEdit* TAllMivraForm::Edit(FillField field) const {
    return field == FillField::Run ? m_runMemo : m_totalRunMemo;
}

void TAllMivraForm::Open(int first, int last) {
    const Settings& s = m_book.settings();
    m_entered = nullptr;
    setWindowTitle(QStringLiteral("まとめ燃費計算 - ") + m_book.CarName());
    const QString distance = m_book.DistanceUnit();
    const QString volume = VolumeUnitLongName(m_book.CarValue(s.GasTani));
    m_kmLabel->setText(distance);
    m_totalKmLabel->setText(distance);
    m_lLabel->setText(volume);
    m_kmLLabel->setText(distance + QLatin1Char('/') + volume);
    m_fill = std::make_unique<CombinedFill>(m_book.table(), first, last, m_book.CarValue(s.RunCalcSelect),
                                            s.CalcPass);
    m_cautionLabel->setText(ReplaceAll(m_fill->Caution(), QStringLiteral("\r\n"), QStringLiteral("\n")));
    WriteFields();
    const auto refusal = m_fill->Refusal();
    m_okButton->setEnabled(!refusal);
    m_runMemo->setEnabled(m_fill->Editable(FillField::Run));
    m_totalRunMemo->setEnabled(m_fill->Editable(FillField::TotalRun));
    if (refusal) MessageBox::ShowWarning(refusal->caption, refusal->text);
}

int TAllMivraForm::Exec(int first, int last) {
    Open(first, last);
    return exec();
}

void TAllMivraForm::showEvent(QShowEvent* event) {
    FormDialog::showEvent(event);
    if (!m_fill || m_fill->Refusal()) {
        m_cancelButton->setFocus();
        return;
    }
    QLineEdit* first = Edit(m_fill->FirstField());
    if (!first->isEnabled()) first = m_runMemo->isEnabled() ? m_runMemo : m_totalRunMemo;
    first->setFocus();
}

void TAllMivraForm::WriteFields() {
    m_runMemo->setText(m_fill->RunText());
    m_totalRunMemo->setText(m_fill->TotalRunText());
    m_gasMemo->setText(m_fill->GasText());
    m_mivraMemo->setText(m_fill->EconomyText());
    m_costMemo->setText(m_fill->CostText());
    const bool red = MarkEconomy(m_fill->Economy(), m_book.AverageEconomy(), m_book.TargetEconomy(), false,
                                 m_book.settings()) == EconomyMark::Red;
    SetTextColor(m_mivraMemo, red ? ColorFromValue(RedColorValue) : QColor());
}

bool TAllMivraForm::eventFilter(QObject* watched, QEvent* event) {
    if (m_fill && (watched == m_runMemo || watched == m_totalRunMemo)) {
        auto* edit = static_cast<QLineEdit*>(watched);
        const FillField field = edit == m_runMemo ? FillField::Run : FillField::TotalRun;
        if (event->type() == QEvent::FocusIn && m_entered != edit) {
            m_entered = edit;
            edit->setText(m_fill->Enter(field));
            edit->selectAll();
        } else if (event->type() == QEvent::FocusOut && m_entered == edit) {
            // A message box or another window coming forward does not leave the field.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) LeaveEnteredField();
        }
    }
    return FormDialog::eventFilter(watched, event);
}

void TAllMivraForm::LeaveEnteredField() {
    if (!m_entered) return;
    QLineEdit* edit = m_entered;
    m_entered = nullptr;
    m_fill->Leave(edit == m_runMemo ? FillField::Run : FillField::TotalRun, edit->text());
    WriteFields();
}

void TAllMivraForm::accept() {
    if (!m_fill) return;
    LeaveEnteredField();
    RangeRefusal refusal;
    if (!m_fill->Apply(m_book.table(), &refusal)) {
        MessageBox::ShowWarning(refusal.caption, refusal.text);
        return;
    }
    FormDialog::accept();
}

}  // namespace tovrel
