// The entry dialog's controls and their connections.
#include "ui/entry_dialog.h"

#include "ui/widgets/app_setup.h"
#include "ui/widgets/colors.h"
#include "ui/widgets/input_method.h"
#include "ui/window_placement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace tovrel {

namespace {

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

}  // namespace

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
        SetTextColor(m_youbiEdit, sunday     ? ColorFromValue(RedColorValue)
                                  : saturday ? ColorFromValue(BlueColorValue)
                                             : QColor());
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

bool TMivraInputForm::IsField(const QObject* widget) const {
    return widget == m_dateEdit || widget == m_timeEdit || widget == m_mainteCombo || widget == m_memoMemo ||
           IsSingleLineNumber(widget);
}

bool TMivraInputForm::IsSingleLineNumber(const QObject* widget) const {
    return widget == m_runMemo || widget == m_totalRunMemo || widget == m_gasMemo || widget == m_costMemo ||
           widget == m_tankaMemo || widget == m_mainteTankaMemo;
}

}  // namespace tovrel
