#include "ui/day_search_form.h"

#include "ui/search_form.h"
#include "ui/widgets/help.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovrel {

TDaySearchForm::TDaySearchForm(SettingsStore& store, QWidget* parent)
    : FormDialog(store, QStringLiteral("TDaySearchForm"), HelpDateJump, parent) {
    setWindowTitle(QStringLiteral("指定日へｼﾞｬﾝﾌﾟ"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("指定日付"));
    m_picker = NewDatePicker(QStringLiteral("DateTimePicker"));
    m_picker->setDate(QDate::currentDate());
    label->setBuddy(m_picker);
    row->addWidget(label);
    row->addWidget(m_picker, 1);
    layout->addLayout(row);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"));
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FinishControls();
}

void TDaySearchForm::SetDay(const QDate& day) {
    m_picker->setDate(day);
}

QString TDaySearchForm::DayText() const {
    return DatePickerText(m_picker);
}

void TDaySearchForm::showEvent(QShowEvent* event) {
    FormDialog::showEvent(event);
    m_picker->setFocus();
}

}  // namespace tovrel
