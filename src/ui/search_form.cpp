#include "ui/search_form.h"

#include "base/text_utils.h"
#include "calc/entry_rules.h"
#include "session/logbook.h"
#include "settings/settings.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/help.h"
#include "ui/widgets/item_combo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovrel {

namespace {

const QString kWindowName = QStringLiteral("TSearchForm");

QComboBox* NewCombo(const QString& name) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(180);
    return combo;
}


}  // namespace

QDateEdit* NewDatePicker(const QString& name) {
    auto* picker = new QDateEdit;
    picker->setObjectName(name);
    picker->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    picker->setCalendarPopup(true);
    picker->setMinimumDate(QDate(1000, 1, 1));
    return picker;
}

QString DatePickerText(const QDateEdit* picker) {
    return DateToText(picker->date());
}

void SetDatePickerText(QDateEdit* picker, const QString& text) {
    const QString normal = NormalizeDate(text);
    if (!normal.isEmpty()) picker->setDate(TextToDate(normal));
}

TSearchForm::TSearchForm(Logbook& book, QWidget* parent)
    : FormDialog(book.store(), kWindowName, HelpSearchConditions, parent), m_book(book) {
    auto* layout = new QVBoxLayout(this);

    auto* kinds = new QGroupBox(QStringLiteral("検索対象"));
    auto* kindRow = new QHBoxLayout(kinds);
    m_mivraCheck = new QCheckBox(QStringLiteral("燃費ﾃﾞｰﾀ"));
    m_mivraCheck->setObjectName(QStringLiteral("MivraCheckBox"));
    m_mainteCheck = new QCheckBox(QStringLiteral("ﾒﾝﾃﾅﾝｽﾃﾞｰﾀ"));
    m_mainteCheck->setObjectName(QStringLiteral("MainteCheckBox"));
    m_noneHeikinCheck = new QCheckBox(QStringLiteral("平均燃費計算対象のみ"));
    m_noneHeikinCheck->setObjectName(QStringLiteral("NoneHeikinCheckBox"));
    kindRow->addWidget(m_mivraCheck);
    kindRow->addWidget(m_mainteCheck);
    kindRow->addWidget(m_noneHeikinCheck);
    kindRow->addStretch(1);
    layout->addWidget(kinds);

    auto* period = new QGroupBox(QStringLiteral("検索期間"));
    auto* periodRow = new QHBoxLayout(period);
    m_startDate = NewDatePicker(QStringLiteral("StartDateTimePicker"));
    m_endDate = NewDatePicker(QStringLiteral("EndDateTimePicker"));
    periodRow->addWidget(m_startDate);
    periodRow->addWidget(new QLabel(QStringLiteral("～")));
    periodRow->addWidget(m_endDate);
    periodRow->addStretch(1);
    layout->addWidget(period);

    auto* texts = new QGroupBox(QStringLiteral("検索文字列（含まれる文字列）"));
    auto* grid = new QGridLayout(texts);
    m_weatherCombo = NewCombo(QStringLiteral("WeatherComboBox"));
    m_gasSelCombo = NewCombo(QStringLiteral("GasSelComboBox"));
    m_standCombo = NewCombo(QStringLiteral("StandComboBox"));
    m_patternCombo = NewCombo(QStringLiteral("PatternComboBox"));
    m_mainteCombo = NewCombo(QStringLiteral("MainteComboBox"));
    m_shopCombo = NewCombo(QStringLiteral("ShopComboBox"));
    m_memoEdit = new QLineEdit;
    m_memoEdit->setObjectName(QStringLiteral("MemoEdit"));
    m_gasSelShiftCheck = new QCheckBox(QStringLiteral("燃料をｼﾌﾄする"));
    m_gasSelShiftCheck->setObjectName(QStringLiteral("GasSelShiftCheckBox"));
    m_standShiftCheck = new QCheckBox(QStringLiteral("ｽﾀﾝﾄﾞをｼﾌﾄする"));
    m_standShiftCheck->setObjectName(QStringLiteral("StandShiftCheckBox"));
    const struct {
        const char16_t* label;
        QWidget* field;
        QWidget* extra;
    } rows[] = {{u"天気", m_weatherCombo, nullptr},
                {u"燃料種別", m_gasSelCombo, m_gasSelShiftCheck},
                {u"スタンド", m_standCombo, m_standShiftCheck},
                {u"パターン", m_patternCombo, nullptr},
                {u"メンテナンス", m_mainteCombo, nullptr},
                {u"ショップ", m_shopCombo, nullptr},
                {u"メ  モ", m_memoEdit, nullptr}};
    int row = 0;
    for (const auto& r : rows) {
        auto* label = new QLabel(QString::fromUtf16(r.label));
        label->setBuddy(r.field);
        grid->addWidget(label, row, 0);
        grid->addWidget(r.field, row, 1);
        if (r.extra) grid->addWidget(r.extra, row, 2);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(texts);

    auto* buttons = new QHBoxLayout;
    auto* clear = new QPushButton(QStringLiteral("検索条件初期化"));
    clear->setObjectName(QStringLiteral("ClearButton"));
    clear->setAutoDefault(false);
    SetHint(clear, QStringLiteral("検索条件を初期化（クリア）します。"));
    m_okButton = new QPushButton(QStringLiteral("検索開始(&S)"));
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"));
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setAutoDefault(false);
    buttons->addWidget(clear);
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(clear, &QPushButton::clicked, this, &TSearchForm::ClearConditionsClicked);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FinishControls();
}

void TSearchForm::showEvent(QShowEvent* event) {
    setWindowTitle(QStringLiteral("検索条件設定 - ") + m_book.CarName());
    RefillCombos();
    SetConditions(StoredSearchConditions(m_book.settings()));
    FormDialog::showEvent(event);
    m_okButton->setFocus();
}

void TSearchForm::RefillCombos() {
    const ItemLists& lists = m_book.book().lists;
    RefillCombo(m_weatherCombo, ListNames(lists.Weather));
    RefillCombo(m_gasSelCombo, ListNames(lists.GasSel));
    RefillCombo(m_standCombo, ListNames(lists.Stand));
    RefillCombo(m_patternCombo, ListNames(lists.Pattern));
    RefillCombo(m_mainteCombo, MainteNames(m_book.book().mainte));
    RefillCombo(m_shopCombo, ListNames(lists.Shop));
}

SearchConditions TSearchForm::Conditions() const {
    SearchConditions c;
    c.fuel = m_mivraCheck->isChecked();
    c.mainte = m_mainteCheck->isChecked();
    c.averageOnly = m_noneHeikinCheck->isChecked();
    c.startDay = DatePickerText(m_startDate);
    c.endDay = DatePickerText(m_endDate);
    c.weather = m_weatherCombo->currentText();
    c.gasSel = m_gasSelCombo->currentText();
    c.stand = m_standCombo->currentText();
    c.pattern = m_patternCombo->currentText();
    c.mainteText = m_mainteCombo->currentText();
    c.shop = m_shopCombo->currentText();
    c.memo = m_memoEdit->text();
    c.shiftGasSel = m_gasSelShiftCheck->isChecked();
    c.shiftStand = m_standShiftCheck->isChecked();
    return c;
}

void TSearchForm::SetConditions(const SearchConditions& c) {
    m_mivraCheck->setChecked(c.fuel);
    m_mainteCheck->setChecked(c.mainte);
    m_noneHeikinCheck->setChecked(c.averageOnly);
    // A stored date that names no real day shows the default, as an empty one does.
    m_startDate->setDate(TextToDate(kSearchFirstDay));
    SetDatePickerText(m_startDate, c.startDay);
    m_endDate->setDate(today);
    SetDatePickerText(m_endDate, c.endDay);
    m_weatherCombo->setEditText(c.weather);
    m_gasSelCombo->setEditText(c.gasSel);
    m_standCombo->setEditText(c.stand);
    m_patternCombo->setEditText(c.pattern);
    m_mainteCombo->setEditText(c.mainteText);
    m_shopCombo->setEditText(c.shop);
    m_memoEdit->setText(c.memo);
    m_gasSelShiftCheck->setChecked(c.shiftGasSel);
    m_standShiftCheck->setChecked(c.shiftStand);
}

void TSearchForm::ClearConditionsClicked() {
    SetConditions(ClearedSearchConditions());
}

void TSearchForm::done(int result) {
    StoreSearchConditions(m_book.settings(), Conditions());
    SaveSettings(m_book.store(), m_book.settings(), m_book.book().currentCar);
    FormDialog::done(result);
}

}  // namespace tovrel
