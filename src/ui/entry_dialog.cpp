#include "ui/entry_dialog.h"

#include "calc/economy.h"
#include "data/logbook.h"
#include "data/text_utils.h"
#include "settings/window_state.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/colors.h"
#include "ui/widgets/input_method.h"
#include "ui/widgets/message_box.h"
#include "ui/window_placement.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace tovrel {

namespace {

const QString WindowName = QStringLiteral("TMivraInputForm");
const QString InputErrorCaption = QStringLiteral("入力ｴﾗｰ");

constexpr quint32 Red = 0x0000FF;
constexpr quint32 Blue = 0xFF0000;

// A null colour gives the widget its inherited palette back.
void SetTextColor(QWidget* widget, const QColor& color) {
    if (!color.isValid()) {
        widget->setPalette(QPalette());
        return;
    }
    QPalette palette = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Text, color);
    widget->setPalette(palette);
}

void SetTextIfChanged(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
}

int CharWidth(const QWidget* widget, int chars) {
    return widget->fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars + 12;
}

QLineEdit* NumberEdit(const QString& name, int chars, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setFixedWidth(CharWidth(edit, chars));
    return edit;
}

QComboBox* ItemCombo(const QString& name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumContentsLength(12);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

QLabel* Label(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    if (buddy) label->setBuddy(buddy);
    return label;
}

void RefillCombo(QComboBox* combo, const QStringList& names) {
    const QString typed = combo->currentText();
    combo->clear();
    combo->addItems(ComboItems(names));
    combo->setCurrentIndex(-1);
    combo->setEditText(typed);
}

}  // namespace

TMivraInputForm::TMivraInputForm(Logbook& book, QWidget* parent) : QDialog(parent), m_book(book) {
    setObjectName(WindowName);
    setWindowTitle(QStringLiteral("燃費ﾃﾞｰﾀ入力"));
    setModal(true);
    m_lastDate = DateToText(QDate::currentDate());
    m_mainteHeight = std::max(50, LoadMainteHeight(m_book.store()));
    BuildControls();
    InstallFilters();
    RestoreWindowPlacement(this, m_book.store(), WindowName, false);
}

TMivraInputForm::~TMivraInputForm() {
    SaveMainteHeight(m_book.store(), m_mainteHeight);
    SaveWindowPlacement(this, m_book.store(), WindowName, false);
}

void TMivraInputForm::BuildControls() {
    auto* content = new QWidget(this);

    // Date, weekday, time, weather and the kind of the record.
    m_dateEdit = new QLineEdit(content);
    m_dateEdit->setObjectName(QStringLiteral("DateTimePicker"));
    m_dateEdit->setInputMask(QStringLiteral("0000/00/00"));
    m_dateEdit->setFixedWidth(CharWidth(m_dateEdit, 10));
    SetHint(m_dateEdit, QStringLiteral("日付を入力します。"));
    m_youbiEdit = new QLineEdit(content);
    m_youbiEdit->setObjectName(QStringLiteral("YoubiEdit"));
    m_youbiEdit->setReadOnly(true);
    m_youbiEdit->setFocusPolicy(Qt::NoFocus);
    m_youbiEdit->setAlignment(Qt::AlignCenter);
    m_youbiEdit->setFixedWidth(m_youbiEdit->fontMetrics().horizontalAdvance(QStringLiteral("日")) + 14);
    m_timeEdit = new QLineEdit(content);
    m_timeEdit->setObjectName(QStringLiteral("TimeMaskEdit"));
    // Optional digits, so that a blank field and " 9:05" keep their places.
    m_timeEdit->setInputMask(QStringLiteral("00:00"));
    m_timeEdit->setFixedWidth(CharWidth(m_timeEdit, 5));
    m_timeLabel = Label(QStringLiteral("時刻"), m_timeEdit, content);
    m_weatherCombo = ItemCombo(QStringLiteral("WeatherComboBox"), content);
    m_weatherCombo->setMinimumContentsLength(8);
    m_weatherLabel = Label(QStringLiteral("天気"), m_weatherCombo, content);
    m_fuelRadio = new QRadioButton(QStringLiteral("燃費ﾃﾞｰﾀ"), content);
    m_fuelRadio->setObjectName(QStringLiteral("MivraRadioButton"));
    SetHint(m_fuelRadio, QStringLiteral("燃費ﾃﾞｰﾀを入力した時、ﾁｪｯｸします。（ﾒﾝﾃﾅﾝｽﾃﾞｰﾀの入力も可能）"));
    m_mainteRadio = new QRadioButton(QStringLiteral("ﾒﾝﾃﾅﾝｽﾃﾞｰﾀ"), content);
    m_mainteRadio->setObjectName(QStringLiteral("MainteRadioButton"));
    SetHint(m_mainteRadio, QStringLiteral("ﾒﾝﾃﾅﾝｽﾃﾞｰﾀだけを入力した時、ﾁｪｯｸします。"));

    auto* topRow = new QHBoxLayout;
    topRow->addWidget(Label(QStringLiteral("日付"), m_dateEdit, content));
    topRow->addWidget(m_dateEdit);
    topRow->addWidget(m_youbiEdit);
    topRow->addSpacing(10);
    topRow->addWidget(m_timeLabel);
    topRow->addWidget(m_timeEdit);
    topRow->addSpacing(10);
    topRow->addWidget(m_weatherLabel);
    topRow->addWidget(m_weatherCombo);
    topRow->addStretch(1);
    topRow->addWidget(m_fuelRadio);
    topRow->addWidget(m_mainteRadio);

    // The fuel figures.
    m_dataGroup = new QGroupBox(QStringLiteral("給油ﾃﾞｰﾀ"), content);
    m_runMemo = NumberEdit(QStringLiteral("RunMemo"), 10, m_dataGroup);
    m_totalRunMemo = NumberEdit(QStringLiteral("TotalRunMemo"), 10, m_dataGroup);
    m_gasMemo = NumberEdit(QStringLiteral("GasMemo"), 10, m_dataGroup);
    m_mivraMemo = NumberEdit(QStringLiteral("MivraMemo"), 10, m_dataGroup);
    m_mivraMemo->setReadOnly(true);
    m_mivraMemo->setFocusPolicy(Qt::NoFocus);
    m_costMemo = NumberEdit(QStringLiteral("CostMemo"), 10, m_dataGroup);
    m_tankaMemo = NumberEdit(QStringLiteral("TankaMemo"), 10, m_dataGroup);
    m_runUnit = new QLabel(m_dataGroup);
    m_totalRunUnit = new QLabel(m_dataGroup);
    m_gasUnit = new QLabel(m_dataGroup);
    m_mivraUnit = new QLabel(m_dataGroup);
    m_noneHeikinCheck = new QCheckBox(QStringLiteral("燃 費"), m_dataGroup);
    m_noneHeikinCheck->setObjectName(QStringLiteral("NoneHeikinCheckBox"));
    SetHint(m_noneHeikinCheck, QStringLiteral("ﾁｪｯｸを外すと、平均燃費計算から外されます。"));
    m_gasSelCombo = ItemCombo(QStringLiteral("GasSelComboBox"), m_dataGroup);
    m_standCombo = ItemCombo(QStringLiteral("StandComboBox"), m_dataGroup);
    m_patternCombo = ItemCombo(QStringLiteral("PatternComboBox"), m_dataGroup);
    m_shopCombo = ItemCombo(QStringLiteral("ShopComboBox"), m_dataGroup);
    // The widest unit caption sets the unit column, so that switching units never moves the fields.
    const int unitWidth = m_mivraUnit->fontMetrics().horizontalAdvance(QStringLiteral("Mil/ｶﾞﾛﾝ")) + 4;
    for (QLabel* unit : {m_runUnit, m_totalRunUnit, m_gasUnit, m_mivraUnit})
        unit->setMinimumWidth(unitWidth);

    auto* grid = new QGridLayout(m_dataGroup);
    grid->setHorizontalSpacing(6);
    grid->addWidget(Label(QStringLiteral("給油距離"), m_runMemo, m_dataGroup), 0, 0);
    grid->addWidget(m_runMemo, 0, 1);
    grid->addWidget(m_runUnit, 0, 2);
    grid->addWidget(Label(QStringLiteral("走行距離"), m_totalRunMemo, m_dataGroup), 1, 0);
    grid->addWidget(m_totalRunMemo, 1, 1);
    grid->addWidget(m_totalRunUnit, 1, 2);
    grid->addWidget(Label(QStringLiteral("給油量"), m_gasMemo, m_dataGroup), 2, 0);
    grid->addWidget(m_gasMemo, 2, 1);
    grid->addWidget(m_gasUnit, 2, 2);
    grid->addWidget(m_noneHeikinCheck, 3, 0);
    grid->addWidget(m_mivraMemo, 3, 1);
    grid->addWidget(m_mivraUnit, 3, 2);
    grid->addWidget(Label(QStringLiteral("支払金額"), m_costMemo, m_dataGroup), 4, 0);
    grid->addWidget(m_costMemo, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("円"), m_dataGroup), 4, 2);
    grid->addWidget(Label(QStringLiteral("単  価"), m_tankaMemo, m_dataGroup), 5, 0);
    grid->addWidget(m_tankaMemo, 5, 1);
    grid->addWidget(new QLabel(QStringLiteral("円"), m_dataGroup), 5, 2);
    grid->setColumnMinimumWidth(3, 12);
    grid->addWidget(Label(QStringLiteral("燃料種別"), m_gasSelCombo, m_dataGroup), 0, 4);
    grid->addWidget(m_gasSelCombo, 0, 5);
    grid->addWidget(Label(QStringLiteral("スタンド"), m_standCombo, m_dataGroup), 1, 4);
    grid->addWidget(m_standCombo, 1, 5);
    grid->addWidget(Label(QStringLiteral("パターン"), m_patternCombo, m_dataGroup), 2, 4);
    grid->addWidget(m_patternCombo, 2, 5);
    grid->addWidget(Label(QStringLiteral("ショップ"), m_shopCombo, m_dataGroup), 4, 4);
    grid->addWidget(m_shopCombo, 4, 5);

    // A maintenance job: name, cost and the button that adds it to the list.
    m_mainteCombo = ItemCombo(QStringLiteral("MainteComboBox"), m_dataGroup);
    m_mainteCombo->setMinimumContentsLength(14);
    m_mainteTankaMemo = NumberEdit(QStringLiteral("MainteTankaMemo"), 8, m_dataGroup);
    m_mainteAddButton = new QPushButton(QStringLiteral("ﾒﾝﾃ追加"), m_dataGroup);
    m_mainteAddButton->setObjectName(QStringLiteral("MainteAddButton"));
    m_mainteAddButton->setAutoDefault(false);
    SetHint(m_mainteAddButton,
            QStringLiteral("ﾒﾝﾃﾅﾝｽとﾒﾝﾃ単価を入力して、ｸﾘｯｸすると\r\nﾒﾝﾃ一覧にﾃﾞｰﾀが追加されます。"));
    auto* mainteRow = new QHBoxLayout;
    mainteRow->addWidget(Label(QStringLiteral("ﾒﾝﾃﾅﾝｽ"), m_mainteCombo, m_dataGroup));
    mainteRow->addWidget(m_mainteCombo, 1);
    mainteRow->addSpacing(8);
    mainteRow->addWidget(Label(QStringLiteral("ﾒﾝﾃ単価"), m_mainteTankaMemo, m_dataGroup));
    mainteRow->addWidget(m_mainteTankaMemo);
    mainteRow->addWidget(new QLabel(QStringLiteral("円"), m_dataGroup));
    mainteRow->addSpacing(8);
    mainteRow->addWidget(m_mainteAddButton);
    grid->addLayout(mainteRow, 6, 0, 1, 6);

    // The maintenance list and the memo share the height that is left.
    m_splitter = new QSplitter(Qt::Vertical, content);
    m_splitter->setObjectName(QStringLiteral("MainteSplitter"));
    m_splitter->setChildrenCollapsible(false);
    m_mainteGroup = new QGroupBox(QStringLiteral("ﾒﾝﾃ一覧 (9行)"), m_splitter);
    m_mainteGroup->setObjectName(QStringLiteral("MainteListGroupBox"));
    m_mainteGroup->setMinimumHeight(50);
    m_mainteListMemo = new QPlainTextEdit(m_mainteGroup);
    m_mainteListMemo->setObjectName(QStringLiteral("MainteListMemo"));
    m_mainteListMemo->setTabChangesFocus(true);
    m_mainteListMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_mainteListMemo->setMinimumHeight(10);
    auto* mainteLayout = new QVBoxLayout(m_mainteGroup);
    mainteLayout->setContentsMargins(6, 2, 6, 6);
    mainteLayout->addWidget(m_mainteListMemo);
    m_memoGroup = new QGroupBox(QStringLiteral("メモ (9行)"), m_splitter);
    m_memoGroup->setObjectName(QStringLiteral("MemoGroupBox"));
    m_memoGroup->setMinimumHeight(50);
    m_memoMemo = new QPlainTextEdit(m_memoGroup);
    m_memoMemo->setObjectName(QStringLiteral("MemoMemo"));
    m_memoMemo->setTabChangesFocus(true);
    m_memoMemo->setMinimumHeight(10);
    m_memoGraphCheck = new QCheckBox(QStringLiteral("メモの１行目をグラフにコメント表示する"), m_memoGroup);
    m_memoGraphCheck->setObjectName(QStringLiteral("MemoGraphCheckBox"));
    auto* memoLayout = new QVBoxLayout(m_memoGroup);
    memoLayout->setContentsMargins(6, 2, 6, 6);
    memoLayout->addWidget(m_memoMemo, 1);
    memoLayout->addWidget(m_memoGraphCheck);
    m_splitter->addWidget(m_mainteGroup);
    m_splitter->addWidget(m_memoGroup);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    connect(m_splitter, &QSplitter::splitterMoved, this,
            [this] { m_mainteHeight = m_splitter->sizes().value(0); });

    // Buttons.
    auto makeButton = [content](const QString& text, const QString& name) {
        auto* button = new QPushButton(text, content);
        button->setObjectName(name);
        button->setAutoDefault(false);
        return button;
    };
    m_prevButton = makeButton(QStringLiteral("<<"), QStringLiteral("PrevButton"));
    m_nextButton = makeButton(QStringLiteral(">>"), QStringLiteral("NextButton"));
    for (QPushButton* button : {m_prevButton, m_nextButton})
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("<<")) + 24);
    SetHint(m_prevButton, QStringLiteral("前ﾃﾞｰﾀへ"));
    SetHint(m_nextButton, QStringLiteral("次ﾃﾞｰﾀへ"));
    m_nameButton = makeButton(QStringLiteral("名称設定..."), QStringLiteral("NameSetButton"));
    SetHint(m_nameButton, QStringLiteral("各種の名称を設定します。"));
    m_recalcButton = makeButton(QStringLiteral("再計算(&C)"), QStringLiteral("RecalcButton"));
    SetHint(m_recalcButton, QStringLiteral("単価と距離を再計算します。"));
    m_okButton = makeButton(QStringLiteral("登録(&R)"), QStringLiteral("OkButton"));
    m_cancelButton = makeButton(QStringLiteral("ｷｬﾝｾﾙ"), QStringLiteral("CancelButton"));
    const int buttonWidth = m_okButton->fontMetrics().horizontalAdvance(QStringLiteral("削除(&D)")) + 28;
    for (QPushButton* button : {m_okButton, m_cancelButton})
        button->setMinimumWidth(buttonWidth);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_prevButton);
    buttonRow->addWidget(m_nextButton);
    buttonRow->addSpacing(12);
    buttonRow->addWidget(m_nameButton);
    buttonRow->addWidget(m_recalcButton);
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_okButton);
    buttonRow->addWidget(m_cancelButton);

    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->addLayout(topRow);
    contentLayout->addWidget(m_dataGroup);
    contentLayout->addWidget(m_splitter, 1);
    contentLayout->addLayout(buttonRow);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(content, 1);
    outer->addWidget(m_statusBar);

    const QList<QWidget*> tabOrder = {m_dateEdit,        m_timeEdit,        m_weatherCombo,   m_fuelRadio,
                                      m_mainteRadio,     m_runMemo,         m_totalRunMemo,   m_gasMemo,
                                      m_noneHeikinCheck, m_costMemo,        m_tankaMemo,      m_gasSelCombo,
                                      m_standCombo,      m_patternCombo,    m_shopCombo,      m_mainteCombo,
                                      m_mainteTankaMemo, m_mainteAddButton, m_mainteListMemo, m_memoMemo,
                                      m_memoGraphCheck,  m_prevButton,      m_nextButton,     m_nameButton,
                                      m_recalcButton,    m_okButton,        m_cancelButton};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    // Live reactions.
    connect(m_dateEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        QString normal;
        QString weekday;
        DateTextOnLeave(text, &normal, &weekday);
        m_youbiEdit->setText(weekday);
    });
    connect(m_youbiEdit, &QLineEdit::textChanged, this, [this](const QString& weekday) {
        const bool sunday = weekday == QStringLiteral("日");
        const bool saturday = weekday == QStringLiteral("土");
        SetTextColor(m_youbiEdit, sunday ? ColorFromValue(Red) : saturday ? ColorFromValue(Blue) : QColor());
    });
    connect(m_mivraMemo, &QLineEdit::textChanged, this, &TMivraInputForm::UpdateEconomyColor);
    connect(m_noneHeikinCheck, &QCheckBox::toggled, this, &TMivraInputForm::UpdateEconomyColor);
    connect(m_gasSelCombo, &QComboBox::currentTextChanged, this, &TMivraInputForm::RunPriceComputation);
    connect(m_mainteListMemo, &QPlainTextEdit::textChanged, this,
            [this] { m_mainteGroup->setTitle(MainteCaption(m_mainteListMemo->toPlainText())); });
    connect(m_memoMemo, &QPlainTextEdit::textChanged, this,
            [this] { m_memoGroup->setTitle(MemoCaption(m_memoMemo->toPlainText())); });
    connect(m_fuelRadio, &QRadioButton::clicked, this, [this] { KindClicked(KindFuel); });
    connect(m_mainteRadio, &QRadioButton::clicked, this, [this] { KindClicked(KindMainte); });
    connect(m_mainteAddButton, &QPushButton::clicked, this, &TMivraInputForm::MainteAddClicked);
    connect(m_recalcButton, &QPushButton::clicked, this, &TMivraInputForm::RecalcClicked);
    connect(m_nameButton, &QPushButton::clicked, this, &TMivraInputForm::NameSettingsClicked);
    connect(m_prevButton, &QPushButton::clicked, this, [this] { StepRecord(-1); });
    connect(m_nextButton, &QPushButton::clicked, this, [this] { StepRecord(1); });
    connect(m_okButton, &QPushButton::clicked, this, &TMivraInputForm::OkClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &TMivraInputForm::reject);

    // The width fits the data group; the height may grow up to the desktop's.
    m_fuelRadio->setChecked(true);
    m_runUnit->setText(QStringLiteral("km"));
    m_gasUnit->setText(QStringLiteral("ﾘｯﾄﾙ"));
    m_mivraUnit->setText(QStringLiteral("km/ﾘｯﾄﾙ"));
    layout()->activate();
    setFixedWidth(sizeHint().width());
    setMaximumHeight(VirtualScreenSize().height());
    // Room for about four memo lines; the user makes it taller by resizing the dialog.
    const int memoHeight = m_memoGroup->minimumSizeHint().height() + 4 * fontMetrics().lineSpacing();
    resize(width(), sizeHint().height() - m_splitter->sizeHint().height() + m_mainteHeight + memoHeight +
                        m_splitter->handleWidth());
    m_splitter->setSizes({m_mainteHeight, memoHeight});
}

void TMivraInputForm::InstallFilters() {
    // Not the combo box lists: they are windows of their own and take Enter themselves.
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->window() == this) child->installEventFilter(this);
    }
}

bool TMivraInputForm::IsField(const QObject* widget) const {
    return widget == m_dateEdit || widget == m_timeEdit || widget == m_mainteCombo || widget == m_memoMemo ||
           IsSingleLineNumber(widget);
}

bool TMivraInputForm::IsSingleLineNumber(const QObject* widget) const {
    return widget == m_runMemo || widget == m_totalRunMemo || widget == m_gasMemo || widget == m_costMemo ||
           widget == m_tankaMemo || widget == m_mainteTankaMemo;
}

void TMivraInputForm::SetMode(Mode mode) {
    m_mode = mode;
}

void TMivraInputForm::SetRecordIndex(int index) {
    m_recordIndex = index;
}

void TMivraInputForm::LoadRecord(const FuelRecord& record) {
    const bool live = m_live;
    m_live = false;
    WriteRecord(record);
    m_live = live;
}

FuelRecord TMivraInputForm::TakeRecord() const {
    return ReadRecord();
}

void TMivraInputForm::WriteRecord(const FuelRecord& record) {
    m_kind = record.kind == KindFuel ? KindFuel : KindMainte;
    SetKindRadios();
    m_dateEdit->setText(record.Day());
    m_timeEdit->setText(record.Time());
    m_weatherCombo->setEditText(record.text[ColWeather]);
    m_runMemo->setText(record.Run());
    m_totalRunMemo->setText(record.TotalRun());
    m_gasMemo->setText(record.Gas());
    m_mivraMemo->setText(record.Economy());
    m_costMemo->setText(record.Cost());
    m_tankaMemo->setText(record.Tanka());
    m_gasSelCombo->setEditText(record.GasSel());
    m_standCombo->setEditText(record.Stand());
    m_patternCombo->setEditText(record.Pattern());
    m_mainteListMemo->setPlainText(FromRecordLines(record.Mainte()));
    m_shopCombo->setEditText(record.Shop());
    m_memoMemo->setPlainText(FromRecordLines(record.Memo()));
    m_noneHeikinCheck->setChecked(record.noneHeikin == 0);
    m_memoGraphCheck->setChecked(record.memoGraph != 0);
    m_mainteCombo->setEditText(QString());
    m_mainteTankaMemo->setText(QStringLiteral("0"));
}

FuelRecord TMivraInputForm::ReadRecord() const {
    FuelRecord r;
    r.kind = m_kind;
    r.text[ColDay] = m_dateEdit->displayText();
    r.text[ColYobi] = m_youbiEdit->text();
    r.text[ColTime] = m_timeEdit->displayText();
    r.text[ColWeather] = m_weatherCombo->currentText();
    r.text[ColRun] = m_runMemo->text();
    r.text[ColTotalRun] = m_totalRunMemo->text();
    r.text[ColGas] = m_gasMemo->text();
    r.text[ColEconomy] = m_mivraMemo->text();
    r.text[ColCost] = m_costMemo->text();
    r.text[ColTanka] = m_tankaMemo->text();
    r.text[ColGasSel] = m_gasSelCombo->currentText();
    r.text[ColStand] = m_standCombo->currentText();
    r.text[ColPattern] = m_patternCombo->currentText();
    r.text[ColMainte] = ToRecordLines(m_mainteListMemo->toPlainText());
    r.text[ColShop] = m_shopCombo->currentText();
    r.text[ColMemo] = ToRecordLines(m_memoMemo->toPlainText());
    r.noneHeikin = m_noneHeikinCheck->isChecked() ? 0 : 1;
    r.memoGraph = m_memoGraphCheck->isChecked() ? 1 : 0;
    return r;
}

EntryFigures TMivraInputForm::ReadFigures() const {
    EntryFigures f;
    f.kind = m_kind;
    f.run = m_runMemo->text();
    f.totalRun = m_totalRunMemo->text();
    f.gas = m_gasMemo->text();
    f.economy = m_mivraMemo->text();
    f.cost = m_costMemo->text();
    f.tanka = m_tankaMemo->text();
    f.gasSel = m_gasSelCombo->currentText();
    return f;
}

void TMivraInputForm::WriteFigures(const EntryFigures& f) {
    SetTextIfChanged(m_runMemo, f.run);
    SetTextIfChanged(m_totalRunMemo, f.totalRun);
    SetTextIfChanged(m_gasMemo, f.gas);
    SetTextIfChanged(m_mivraMemo, f.economy);
    SetTextIfChanged(m_costMemo, f.cost);
    SetTextIfChanged(m_tankaMemo, f.tanka);
}

// ---- Showing ----

void TMivraInputForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) PrepareShow();
}

void TMivraInputForm::PrepareShow() {
    m_live = false;
    m_entered = nullptr;
    m_pendingCheck = nullptr;
    m_ctrlAtOk = false;
    const Settings& settings = m_book.settings();

    setWindowTitle(QStringLiteral("燃費ﾃﾞｰﾀ入力 - ") + m_book.CarName() +
                   QStringLiteral(" (No.%1)").arg(m_recordIndex));
    if (m_mode == NewMode) m_kind = KindFuel;
    SetKindRadios();
    const QString distance = m_book.DistanceUnit();
    const QString volume = VolumeUnitLongName(m_book.CarValue(settings.GasTani));
    m_runUnit->setText(distance);
    m_totalRunUnit->setText(distance);
    m_gasUnit->setText(volume);
    m_mivraUnit->setText(distance + QLatin1Char('/') + volume);
    RefillCombos();

    // Without the time, the weather moves into its place (the row closes up).
    m_timeLabel->setVisible(settings.TimeInput);
    m_timeEdit->setVisible(settings.TimeInput);
    m_weatherLabel->setVisible(settings.WeatherInput);
    m_weatherCombo->setVisible(settings.WeatherInput);

    if (m_mode == NewMode) {
        m_dateEdit->setText(m_lastDate);
        m_tankaMemo->setText(settings.LastTankaStr);
        const ItemLists& lists = m_book.book().lists;
        m_weatherCombo->setEditText(DefaultItem(ListNames(lists.Weather)));
        m_gasSelCombo->setEditText(DefaultItem(ListNames(lists.GasSel)));
        m_standCombo->setEditText(DefaultItem(ListNames(lists.Stand)));
        m_patternCombo->setEditText(DefaultItem(ListNames(lists.Pattern)));
        m_mainteCombo->setEditText(DefaultItem(MainteNames(m_book.book().mainte)));
        m_shopCombo->setEditText(DefaultItem(ListNames(lists.Shop)));
        m_tankaZeroed = false;
    }
    ApplyModeControls();
    ApplyKindEnabling();

    CheckDate();
    RunEconomyStep();
    m_totalRunMemo->setText(NormalNumberText(m_totalRunMemo->text(), RunDecimals));
    m_costMemo->setText(NormalNumberText(m_costMemo->text(), CostDecimals));
    m_tankaMemo->setText(NormalNumberText(m_tankaMemo->text(), TankaDecimalCount()));
    m_mainteGroup->setTitle(MainteCaption(m_mainteListMemo->toPlainText()));
    m_memoGroup->setTitle(MemoCaption(m_memoMemo->toPlainText()));
    m_memoMemo->moveCursor(QTextCursor::Start);
    m_mainteListMemo->moveCursor(QTextCursor::Start);
    UpdateEconomyColor();
    m_live = true;
    m_snapshot = ReadRecord();
    ShowStatus();
    FocusFirstControl();
}

void TMivraInputForm::RefillCombos() {
    const bool live = m_live;
    m_live = false;
    const ItemLists& lists = m_book.book().lists;
    RefillCombo(m_weatherCombo, ListNames(lists.Weather));
    RefillCombo(m_gasSelCombo, ListNames(lists.GasSel));
    RefillCombo(m_standCombo, ListNames(lists.Stand));
    RefillCombo(m_patternCombo, ListNames(lists.Pattern));
    RefillCombo(m_mainteCombo, MainteNames(m_book.book().mainte));
    RefillCombo(m_shopCombo, ListNames(lists.Shop));
    m_live = live;
}

void TMivraInputForm::ApplyModeControls() {
    static const QString Captions[] = {QStringLiteral("登録(&R)"), QStringLiteral("登録(&R)"),
                                       QStringLiteral("削除(&D)"), QStringLiteral("確 認")};
    m_okButton->setText(Captions[m_mode]);
    SetHint(m_okButton,
            m_mode == NewMode
                ? QStringLiteral("Ctrlキーを押しながらクリックすると、連続新規ﾃﾞｰﾀ入力ができます。")
                : QString());
    const bool browsing = m_mode == EditMode || m_mode == ViewMode;
    m_prevButton->setVisible(browsing);
    m_nextButton->setVisible(browsing);
    const bool editing = m_mode == EditMode || m_mode == NewMode;
    m_nameButton->setEnabled(editing && openNameSettings != nullptr);
    m_recalcButton->setEnabled(editing);
}

void TMivraInputForm::ApplyKindEnabling() {
    const QList<QWidget*> kindFields = {m_runMemo,      m_totalRunMemo,    m_gasMemo,       m_mivraMemo,
                                        m_costMemo,     m_tankaMemo,       m_gasSelCombo,   m_standCombo,
                                        m_patternCombo, m_noneHeikinCheck, m_memoGraphCheck};
    for (QWidget* field : kindFields)
        field->setEnabled(true);
    for (QLineEdit* field : {m_runMemo, m_totalRunMemo, m_tankaMemo, m_costMemo}) {
        SetTextColor(field, QColor());
        field->setFocusPolicy(Qt::StrongFocus);
    }
    if (m_mode == DeleteMode || m_mode == ViewMode) return;

    if (m_kind == KindFuel) {
        QList<QLineEdit*> derived;
        if (RunCalcSelect() == 1) derived.append(m_totalRunMemo);
        if (RunCalcSelect() == 2) derived.append(m_runMemo);
        if (m_book.settings().TankaCalc == 1) derived.append(m_tankaMemo);
        if (m_book.settings().TankaCalc == 2) derived.append(m_costMemo);
        for (QLineEdit* field : derived) {
            SetTextColor(field, ColorFromValue(Blue));
            field->setFocusPolicy(Qt::ClickFocus);
            if (m_book.settings().CalcPass) field->setEnabled(false);
        }
    } else {
        const QList<QWidget*> fuelOnly = {m_runMemo,    m_gasMemo,      m_mivraMemo,       m_gasSelCombo,
                                          m_standCombo, m_patternCombo, m_noneHeikinCheck, m_memoGraphCheck};
        for (QWidget* field : fuelOnly)
            field->setEnabled(false);
    }
}

void TMivraInputForm::SetKindRadios() {
    m_fuelRadio->setChecked(m_kind == KindFuel);
    m_mainteRadio->setChecked(m_kind != KindFuel);
}

void TMivraInputForm::ShowStatus() {
    static const QString ModeWords[] = {QStringLiteral("修正"), QStringLiteral("新規登録"),
                                        QStringLiteral("削除"), QStringLiteral("表示")};
    const QString kindWord = m_kind == KindFuel ? QStringLiteral("燃費ﾃﾞｰﾀ") : QStringLiteral("ﾒﾝﾃﾅﾝｽﾃﾞｰﾀ");
    m_statusBar->showMessage(kindWord + QStringLiteral(" - ") + ModeWords[m_mode]);
}

void TMivraInputForm::FocusFirstControl() {
    FocusField(m_mode == EditMode || m_mode == NewMode ? static_cast<QWidget*>(m_dateEdit) : m_cancelButton);
}

// ---- Fields ----

bool TMivraInputForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            if (IsField(watched) && m_entered != watched) EnterField(static_cast<QWidget*>(watched));
            break;
        case QEvent::FocusOut: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // Another window coming forward (a message box, a combo list) does not leave the field.
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
            if (watched == m_entered) {
                m_entered = nullptr;
                LeaveField(static_cast<QWidget*>(watched));
            }
            break;
        }
        case QEvent::KeyPress: {
            if (watched != QApplication::focusWidget()) break;
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            if (enter) {
                if (watched == m_mainteListMemo || watched == m_memoMemo) break;
                if (qobject_cast<QPushButton*>(watched)) break;  // a focused button takes Enter as a click
                if (key->modifiers().testFlag(Qt::ControlModifier) && IsSingleLineNumber(watched))
                    return true;
                focusNextPrevChild(!key->modifiers().testFlag(Qt::ShiftModifier));
                return true;
            }
            if (key->key() == Qt::Key_Home && key->modifiers() == Qt::NoModifier &&
                (watched == m_dateEdit || watched == m_timeEdit)) {
                static_cast<QLineEdit*>(watched)->clear();
                return true;
            }
            break;
        }
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

void TMivraInputForm::EnterField(QWidget* field) {
    m_entered = field;
    if (field == m_timeEdit) {
        m_entryText = m_timeEdit->displayText();
        m_timeEdit->setText(TimeTextOnEnter(m_entryText));
        m_timeEdit->setCursorPosition(0);
    } else if (IsSingleLineNumber(field)) {
        auto* edit = static_cast<QLineEdit*>(field);
        m_entryText = edit->text();
        edit->setText(EditingNumberText(m_entryText));
        // After a click the press would move the caret and drop a selection made now.
        QTimer::singleShot(0, edit, [edit] {
            if (edit->hasFocus()) edit->selectAll();
        });
    } else if (field == m_memoMemo) {
        if (m_book.settings().IMEAutoMode) SetImeOpen(m_memoMemo, true);
    } else if (field == m_dateEdit) {
        m_entryText = m_dateEdit->displayText();
    }
}

void TMivraInputForm::LeaveField(QWidget* field) {
    if (field == m_dateEdit) {
        if (!CheckDate()) ScheduleReport(m_dateEdit);
    } else if (field == m_timeEdit) {
        if (!CheckTime()) ScheduleReport(m_timeEdit);
    } else if (field == m_runMemo || field == m_totalRunMemo) {
        LeaveNumber(static_cast<QLineEdit*>(field), RunDecimals);
    } else if (field == m_tankaMemo) {
        LeaveNumber(m_tankaMemo, TankaDecimalCount());
    } else if (field == m_mainteTankaMemo) {
        LeaveNumber(m_mainteTankaMemo, CostDecimals);
    } else if (field == m_gasMemo) {
        RunEconomyStep();
        if (m_gasMemo->text() != m_entryText) RunPriceComputation();
    } else if (field == m_costMemo) {
        m_costMemo->setText(NormalNumberText(m_costMemo->text(), CostDecimals));
        if (m_costMemo->text() != m_entryText && m_book.settings().TankaCalc == 1) RunPriceComputation();
    } else if (field == m_mainteCombo) {
        m_mainteCombo->setEditText(CleanJobName(m_mainteCombo->currentText()));
    } else if (field == m_memoMemo) {
        const QString text = m_memoMemo->toPlainText();
        const QString clean = CleanMemoText(text);
        if (clean != text) m_memoMemo->setPlainText(clean);
        if (m_book.settings().IMEAutoMode) SetImeOpen(m_memoMemo, false);
    }
}

void TMivraInputForm::LeaveNumber(QLineEdit* edit, int decimals) {
    const QString normal = NormalNumberText(edit->text(), decimals);
    edit->setText(normal);
    if (edit == m_runMemo) RunEconomyStep();
    if (ParseNumber(normal, decimals, 0) == 0 || normal == m_entryText) return;
    if ((edit == m_runMemo && RunCalcSelect() == 1) || (edit == m_totalRunMemo && RunCalcSelect() == 2))
        RunDistanceComputation();
    if (edit == m_tankaMemo && m_book.settings().TankaCalc == 2) RunPriceComputation();
}

QWidget* TMivraInputForm::FlushEnteredField() {
    QWidget* field = m_entered;
    if (field) {
        m_entered = nullptr;
        LeaveField(field);
    }
    m_pendingCheck = nullptr;
    return field;
}

void TMivraInputForm::ReenterField(QWidget* field) {
    if (field && IsField(field) && field->hasFocus() && m_entered == nullptr) EnterField(field);
}

void TMivraInputForm::FocusField(QWidget* field) {
    field->setFocus(Qt::OtherFocusReason);
    // Focus given to a hidden or inactive window arrives later, as window activation.
    if (IsField(field) && m_entered != field && (field->hasFocus() || !isActiveWindow())) EnterField(field);
}

bool TMivraInputForm::CheckDate() {
    QString normal;
    QString weekday;
    if (!DateTextOnLeave(m_dateEdit->displayText(), &normal, &weekday)) return false;
    SetTextIfChanged(m_dateEdit, normal);
    return true;
}

bool TMivraInputForm::CheckTime() {
    QString normal;
    if (!TimeTextOnLeave(m_timeEdit->displayText(), &normal)) return false;
    if (m_timeEdit->displayText() != normal) m_timeEdit->setText(normal);
    return true;
}

void TMivraInputForm::ReportBadField(QWidget* field) {
    MessageBox::ShowError(InputErrorCaption, field == m_dateEdit
                                                 ? QStringLiteral("日付を正しく入力してください。")
                                                 : QStringLiteral("時刻を正しく入力してください。"));
    FocusField(field);
}

// The message waits for the focus change to finish, so that a click that left the field is not
// cut in half by a modal box.
void TMivraInputForm::ScheduleReport(QWidget* field) {
    m_pendingCheck = field;
    QTimer::singleShot(0, this, &TMivraInputForm::ReportPendingCheck);
}

void TMivraInputForm::ReportPendingCheck() {
    QWidget* field = m_pendingCheck;
    m_pendingCheck = nullptr;
    if (!field || !isVisible()) return;
    const bool valid = field == m_dateEdit ? CheckDate() : CheckTime();
    if (!valid) ReportBadField(field);
}

// ---- Computations ----

int TMivraInputForm::TankaDecimalCount() const {
    return TankaDecimals(m_book.settings());
}

int TMivraInputForm::RunCalcSelect() const {
    return m_book.CarValue(m_book.settings().RunCalcSelect);
}

void TMivraInputForm::RunEconomyStep() {
    EntryFigures f = ReadFigures();
    ApplyEconomyStep(f);
    WriteFigures(f);
}

void TMivraInputForm::RunPriceComputation() {
    if (!m_live) return;
    EntryFigures f = ReadFigures();
    if (ApplyPriceComputation(f, m_book.settings())) WriteFigures(f);
}

void TMivraInputForm::RunDistanceComputation() {
    if (!m_live) return;
    EntryFigures f = ReadFigures();
    if (ApplyDistanceComputation(f, m_book.table(), m_recordIndex, RunCalcSelect())) WriteFigures(f);
}

void TMivraInputForm::UpdateEconomyColor() {
    const double economy = ParseNumber(m_mivraMemo->text(), EconomyDecimals, 0);
    const EconomyMark mark = MarkEconomy(economy, m_book.AverageEconomy(), m_book.TargetEconomy(),
                                         !m_noneHeikinCheck->isChecked(), m_book.settings());
    SetTextColor(m_mivraMemo, mark == EconomyMark::Red    ? ColorFromValue(Red)
                              : mark == EconomyMark::Blue ? ColorFromValue(Blue)
                                                          : QColor());
}

// ---- Buttons ----

void TMivraInputForm::KindClicked(quint8 kind) {
    if (kind == m_kind) return;
    bool change = m_mode == NewMode;
    if (m_mode == EditMode) {
        change =
            MessageBox::Ask(QStringLiteral("ﾃﾞｰﾀ種別変更確認"), QStringLiteral("ﾃﾞｰﾀ種別を変更しますか？"),
                            PromptIcon::Warning, PromptButtons::YesNo) == PromptAnswer::Yes;
    }
    if (change)
        SwitchKind(kind);
    else
        SetKindRadios();
    ShowStatus();
}

void TMivraInputForm::SwitchKind(quint8 kind) {
    m_kind = kind;
    if (m_mode == NewMode && kind == KindMainte && !m_tankaZeroed) {
        m_tankaMemo->setText(FormatFixed(0, TankaDecimalCount(), 0));
        m_tankaZeroed = true;
    }
    SetKindRadios();
    ApplyKindEnabling();
}

void TMivraInputForm::MainteAddClicked() {
    m_mainteListMemo->setPlainText(AddMainteLine(m_mainteListMemo->toPlainText(),
                                                 m_mainteCombo->currentText(), m_mainteTankaMemo->text()));
    m_mainteListMemo->moveCursor(QTextCursor::End);
    m_mainteCombo->setEditText(QString());
    m_mainteTankaMemo->setText(QStringLiteral("0"));
}

void TMivraInputForm::RecalcClicked() {
    QWidget* field = FlushEnteredField();
    RunPriceComputation();
    RunDistanceComputation();
    ReenterField(field);
}

void TMivraInputForm::NameSettingsClicked() {
    if (openNameSettings && openNameSettings()) RefillCombos();
}

void TMivraInputForm::OkClicked() {
    if (m_mode == ViewMode) {
        m_pendingCheck = nullptr;
        done(QDialog::Rejected);
        return;
    }
    m_ctrlAtOk = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
    if (PerformOk()) accept();
}

bool TMivraInputForm::PerformOk() {
    FlushEnteredField();
    // A date or time typed with the focus still in the field (OK by its access key) is checked too.
    if (m_mode == EditMode || m_mode == NewMode) {
        if (!CheckDate()) {
            ReportBadField(m_dateEdit);
            return false;
        }
        if (m_book.settings().TimeInput && !CheckTime()) {
            ReportBadField(m_timeEdit);
            return false;
        }
    }
    m_live = false;
    RunEconomyStep();
    const FuelRecord stored = RecordForStorage(ReadRecord());
    SetTextIfChanged(m_runMemo, stored.Run());
    SetTextIfChanged(m_totalRunMemo, stored.TotalRun());
    SetTextIfChanged(m_gasMemo, stored.Gas());
    SetTextIfChanged(m_mivraMemo, stored.Economy());
    SetTextIfChanged(m_costMemo, stored.Cost());
    SetTextIfChanged(m_tankaMemo, stored.Tanka());
    m_gasSelCombo->setEditText(stored.GasSel());
    m_standCombo->setEditText(stored.Stand());
    m_patternCombo->setEditText(stored.Pattern());
    m_snapshot = ReadRecord();
    if (m_mode == NewMode) {
        m_lastDate = stored.Day();
        if (m_kind == KindFuel) m_book.settings().LastTankaStr = stored.Tanka();
    }
    return true;
}

PromptAnswer TMivraInputForm::AskToSave() {
    if (!EntryRecordsDiffer(ReadRecord(), m_snapshot)) return PromptAnswer::No;
    return MessageBox::AskYesNoCancel(QStringLiteral("保存確認 - 個別"),
                                      QStringLiteral("入力ﾃﾞｰﾀが変更されています。保存しますか？"));
}

void TMivraInputForm::reject() {
    if (m_mode == EditMode || m_mode == NewMode) {
        QWidget* field = FlushEnteredField();
        const PromptAnswer answer = AskToSave();
        if (answer == PromptAnswer::Cancel) {
            ReenterField(field);
            return;
        }
        if (answer == PromptAnswer::Yes) {
            m_ctrlAtOk = false;
            if (PerformOk()) accept();
            return;
        }
    }
    m_pendingCheck = nullptr;
    QDialog::reject();
}

void TMivraInputForm::StepRecord(int delta) {
    RecordTable& table = m_book.table();
    if (m_mode == EditMode) {
        QWidget* field = FlushEnteredField();
        const PromptAnswer answer = AskToSave();
        if (answer == PromptAnswer::Cancel) {
            ReenterField(field);
            return;
        }
        if (answer == PromptAnswer::Yes) {
            if (!PerformOk()) return;
            if (m_recordIndex >= 1 && m_recordIndex <= table.RecordCount()) {
                const FuelRecord before = table.GetRecord(m_recordIndex);
                const FuelRecord record = ReadRecord();
                table.SetRecord(m_recordIndex, record);
                m_book.RecalcStatus();
                if (before.Day() + before.Time() != record.Day() + record.Time()) table.SortRecords();
                if (recordsChanged) recordsChanged();
            }
            m_live = true;
        }
    }
    const int target = m_recordIndex + delta;
    if (target < 1 || target > table.RecordCount()) {
        ReenterField(QApplication::focusWidget());
        return;
    }
    m_recordIndex = target;
    if (selectListRow) selectListRow(target);
    LoadRecord(table.GetRecord(target));
    PrepareShow();
}

}  // namespace tovrel
