#include "ui/setting_form.h"

#include "base/text_utils.h"
#include "data/print_forms.h"
#include "session/logbook.h"
#include "settings/settings.h"
#include "ui/fixed_font_dialog.h"
#include "ui/print_setting_form.h"
#include "ui/warning_text_form.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/colors.h"
#include "ui/widgets/file_dialog.h"
#include "ui/widgets/font_text.h"
#include "ui/widgets/help.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/wait_window.h"
#include "ui/window_placement.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tovrel {

namespace {

std::function<bool(SettingTab, int)>& Opener() {
    static std::function<bool(SettingTab, int)> opener;
    return opener;
}

QList<QColor>& ColorAnswers() {
    static QList<QColor> answers;
    return answers;
}

const QString kPictureFilter = QStringLiteral("画像(JPG)ﾌｧｲﾙ|*.jpg;*.jpeg|全てのﾌｧｲﾙ|*.*");

QCheckBox* Check(const QString& name, const QString& caption, const QString& hint = QString()) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    if (!hint.isEmpty()) SetHint(box, hint);
    return box;
}

// The one-line number and text fields ("memos").
QLineEdit* Field(const QString& name, int chars, const QString& hint = QString()) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    if (chars > 0) edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars + 12);
    if (!hint.isEmpty()) SetHint(edit, hint);
    return edit;
}

QComboBox* Combo(const QString& name, const QStringList& items, const QString& hint = QString()) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(items);
    if (!hint.isEmpty()) SetHint(combo, hint);
    return combo;
}

QPushButton* Button(const QString& name, const QString& caption, const QString& hint = QString()) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    if (!hint.isEmpty()) SetHint(button, hint);
    return button;
}

void SetIndex(QComboBox* combo, int index) {
    combo->setCurrentIndex(std::clamp(index, 0, combo->count() - 1));
}

}  // namespace

class ColorPanel : public QLabel {
public:
    enum Mode { Background, Text };

    ColorPanel(const QString& name, const QString& caption, Mode mode) : m_mode(mode) {
        setObjectName(name);
        setText(caption);
        setFrameShape(QFrame::Panel);
        setFrameShadow(QFrame::Sunken);
        setAlignment(Qt::AlignCenter);
        setAutoFillBackground(true);
        setMinimumHeight(fontMetrics().height() + 8);
        setCursor(Qt::PointingHandCursor);
    }

    quint32 Value() const { return m_value; }
    void SetValue(quint32 value) {
        m_value = value;
        QPalette p = palette();
        if (m_mode == Background) {
            p.setColor(QPalette::Window, ColorFromValue(value));
        } else {
            p.setColor(QPalette::Window, QGuiApplication::palette().color(QPalette::Base));
            p.setColor(QPalette::WindowText, ColorFromValue(value));
        }
        setPalette(p);
    }

    std::function<void()> clicked;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && clicked) {
            clicked();
            return;
        }
        QLabel::mousePressEvent(event);
    }

private:
    Mode m_mode;
    quint32 m_value = 0;
};

bool OpenSettingsDialog(SettingTab tab, int printForm) {
    return Opener() ? Opener()(tab, printForm) : false;
}

void SetSettingsDialogOpener(std::function<bool(SettingTab, int)> opener) {
    Opener() = std::move(opener);
}

TSettingForm::TSettingForm(Logbook& book, QWidget* parent) : QDialog(parent), m_book(book) {
    setObjectName(QStringLiteral("TSettingForm"));
    setWindowTitle(QStringLiteral("環境設定"));
    setModal(true);
    shiftHeld = [] { return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier); };

    m_okButton = Button(QStringLiteral("OKButton"), QStringLiteral("登  録"));
    m_cancelButton = Button(QStringLiteral("CancelButton"), QStringLiteral("ｷｬﾝｾﾙ"));
    connect(m_okButton, &QPushButton::clicked, this, &TSettingForm::OKButtonClick);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("SettingPageControl"));
    const std::pair<const char16_t*, const char16_t*> pages[] = {
        {u"ItemTabSheet", u"名称設定"},  {u"MainteTabSheet", u"ﾒﾝﾃﾅﾝｽ設定"},
        {u"GraphTabSheet", u"ｸﾞﾗﾌ設定"}, {u"PrintTabSheet", u"印刷設定"},
        {u"DispTabSheet", u"表示設定"},  {u"CalcElseTabSheet", u"計算・その他の設定"}};
    std::array<QWidget*, 6> sheets{};
    for (int i = 0; i < 6; ++i) {
        sheets[i] = new QWidget;
        sheets[i]->setObjectName(QString::fromUtf16(pages[i].first));
        m_tabs->addTab(sheets[i], QString::fromUtf16(pages[i].second));
    }
    BuildItemTab(sheets[0]);
    BuildMainteTab(sheets[1]);
    BuildGraphTab(sheets[2]);
    BuildPrintTab(sheets[3]);
    BuildDispTab(sheets[4]);
    BuildCalcElseTab(sheets[5]);
    InstallHelpKey(this, [this] { return HelpSettingNames + 10 * m_tabs->currentIndex(); });
    BuildGridMenus();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);

    m_nameGrid->tabPrev = m_cancelButton;
    m_nameGrid->tabNext = m_okButton;
    m_printGrid->tabPrev = m_cancelButton;
    m_printGrid->tabNext = m_okButton;
    m_mainteGrid->tabPrev = m_cancelButton;
    m_mainteGrid->tabNext = m_mainteEdit;

    for (QLineEdit* edit : findChildren<QLineEdit*>())
        edit->installEventFilter(this);
    m_tabs->setCurrentIndex(0);
    SetPrintForm(1);
}

TSettingForm::~TSettingForm() = default;

// ---- Tabs

void TSettingForm::BuildItemTab(QWidget* page) {
    m_nameGrid =
        new SettingGrid(kListSlots,
                        {QStringLiteral("No"), QStringLiteral(" 天気 "), QStringLiteral("  燃料種別  "),
                         QStringLiteral("  スタンド  "), QStringLiteral("  パターン  "),
                         QStringLiteral("  ショップ  "), QStringLiteral("     車        名     ")},
                        true);
    m_nameGrid->setObjectName(QStringLiteral("SettingStringGrid"));
    SetHint(m_nameGrid, QStringLiteral("各種名称を設定します。"));
    m_nameGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_nameGrid->horizontalHeader()->setMinimumSectionSize(
        m_nameGrid->fontMetrics().horizontalAdvance(QStringLiteral("ｽｽｽｽｽｽｽｽｽｽｽｽ")));
    m_nameGrid->horizontalHeader()->setStretchLastSection(true);
    auto* help =
        new QLabel(QStringLiteral("ヒント：先頭に「*」を入れると、その名称がデフォルト値となります。"));
    help->setObjectName(QStringLiteral("HelpLabel"));
    auto* group = new QGroupBox(QStringLiteral("【複数台の愛車を管理する方法】"));
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(QStringLiteral("HelpMemo"));
    memo->setReadOnly(true);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setPlainText(
        QStringLiteral("(1) [名称設定]の[車名]に、複数台の愛車名を登録する。\n"
                       "(2) メインウィンドウの[車切替(C)]メニューから、愛車を切り替える。\n"
                       "    または、左上の[車のアイコン]をクリックして、愛車を切り替える。"));
    memo->setFixedHeight(memo->fontMetrics().lineSpacing() * 3 + 14);
    (new QVBoxLayout(group))->addWidget(memo);
    // All ten rows, no empty space below them.
    m_nameGrid->setFixedHeight(m_nameGrid->verticalHeader()->defaultSectionSize() * kListSlots +
                               m_nameGrid->horizontalHeader()->sizeHint().height() +
                               2 * m_nameGrid->frameWidth());
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_nameGrid);
    layout->addWidget(help);
    layout->addWidget(group);
    layout->addStretch(1);
}

void TSettingForm::BuildMainteTab(QWidget* page) {
    m_mainteGrid =
        new SettingGrid(kMainteCount, {QStringLiteral("No"), QStringLiteral(" メンテナンス ")}, false);
    m_mainteGrid->setObjectName(QStringLiteral("MainteStringGrid"));
    SetHint(m_mainteGrid, QStringLiteral("編集するﾒﾝﾃﾅﾝｽを選択します。"));
    m_mainteGrid->horizontalHeader()->setStretchLastSection(true);
    m_mainteGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_mainteGrid->setMinimumWidth(m_mainteGrid->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 30);
    connect(m_mainteGrid, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { SelectMainteRow(row + 1); });

    m_mainteGroup = new QGroupBox;
    m_mainteGroup->setObjectName(QStringLiteral("MainteGroupBox"));
    m_mainteEdit = Field(QStringLiteral("MainteEdit"), 0);
    m_runCheck = Check(QStringLiteral("RunCheckBox"), QStringLiteral("走行距離でﾁｪｯｸ"));
    m_runMemo = Field(QStringLiteral("RunMemo"), 9);
    m_runMemo->setAlignment(Qt::AlignRight);
    m_kmLabel = new QLabel;
    m_kmLabel->setObjectName(QStringLiteral("KmLabel"));
    m_dayCheck = Check(QStringLiteral("DayCheckBox"), QStringLiteral("経過日数でﾁｪｯｸ"));
    m_dayMemo = Field(QStringLiteral("DayMemo"), 9);
    m_dayMemo->setAlignment(Qt::AlignRight);
    m_warningCheck =
        Check(QStringLiteral("WarningCheckBox"), QStringLiteral("ﾒﾝﾃ時期がきたら起動時に警告を行う"));
    m_mainteMemoEdit = Field(QStringLiteral("MainteMemoEdit"), 0);
    auto* detail = new QGridLayout(m_mainteGroup);
    detail->addWidget(new QLabel(QStringLiteral("ﾒﾝﾃﾅﾝｽ名称")), 0, 0);
    detail->addWidget(m_mainteEdit, 0, 1, 1, 3);
    detail->addWidget(m_runCheck, 1, 0);
    detail->addWidget(m_runMemo, 1, 1);
    detail->addWidget(m_kmLabel, 1, 2);
    detail->addWidget(m_dayCheck, 2, 0);
    detail->addWidget(m_dayMemo, 2, 1);
    detail->addWidget(new QLabel(QStringLiteral("日")), 2, 2);
    detail->addWidget(m_warningCheck, 3, 0, 1, 4);
    detail->addWidget(new QLabel(QStringLiteral("ﾒﾝﾃﾅﾝｽﾒﾓ")), 4, 0);
    detail->addWidget(m_mainteMemoEdit, 4, 1, 1, 3);
    detail->setColumnStretch(3, 1);
    connect(m_runCheck, &QCheckBox::toggled, m_runMemo, &QWidget::setEnabled);
    connect(m_dayCheck, &QCheckBox::toggled, m_dayMemo, &QWidget::setEnabled);

    auto* warningGroup = new QGroupBox(QStringLiteral("期限警告設定"));
    warningGroup->setObjectName(QStringLiteral("WarningGroupBox"));
    m_warningPanelMenu = new QMenu(this);
    QAction* editNames = m_warningPanelMenu->addAction(QStringLiteral("期限警告名編集..."));
    editNames->setObjectName(QStringLiteral("WarningTextItem"));
    connect(editNames, &QAction::triggered, this, &TSettingForm::WarningTextItemClick);
    auto* warnings = new QGridLayout(warningGroup);
    static const char16_t* const levelLabels[] = {u"100%を超過", u"%を超過", u"%を超過"};
    for (int level = 1; level <= 4; ++level) {
        auto* panel =
            new ColorPanel(QStringLiteral("Warning%1Panel").arg(level), QString(), ColorPanel::Text);
        panel->setMinimumWidth(panel->fontMetrics().horizontalAdvance(QStringLiteral("漢字漢字漢字")) + 16);
        panel->clicked = [this, panel] { ChooseColor(panel); };
        panel->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(panel, &QWidget::customContextMenuRequested, this,
                [this, panel](const QPoint& pos) { m_warningPanelMenu->popup(panel->mapToGlobal(pos)); });
        SetHint(panel, QStringLiteral("ｸﾘｯｸで文字色を、右ｸﾘｯｸで期限警告名を設定します。"));
        m_warningPanels[level] = panel;
        warnings->addWidget(panel, level - 1, 0);
        if (level == 4) break;
        m_warningCheckBoxes[level] = Check(QStringLiteral("Warning%1CheckBox").arg(level), QString());
        warnings->addWidget(m_warningCheckBoxes[level], level - 1, 1);
        if (level == 2) {
            m_warning2Memo = Field(QStringLiteral("Warning2Memo"), 3);
            warnings->addWidget(m_warning2Memo, level - 1, 2);
        } else if (level == 3) {
            m_warning3Memo = Field(QStringLiteral("Warning3Memo"), 3);
            warnings->addWidget(m_warning3Memo, level - 1, 2);
        }
        warnings->addWidget(new QLabel(QString::fromUtf16(levelLabels[level - 1])), level - 1,
                            level == 1 ? 2 : 3, 1, level == 1 ? 2 : 1);
    }
    warnings->setColumnStretch(4, 1);

    auto* common = new QGroupBox(QStringLiteral("ﾒﾝﾃﾅﾝｽ共通設定"));
    common->setObjectName(QStringLiteral("kyoutuuGroupBox"));
    m_warningStart = Combo(QStringLiteral("WarningStartComboBox"),
                           {QStringLiteral("警告を行わない"), QStringLiteral("簡易警告(1行)を行う"),
                            QStringLiteral("詳細警告(2行)を行う")});
    m_mainteSelect = Check(QStringLiteral("MainteSelectCheckBox"), QStringLiteral("車別にﾒﾝﾃﾅﾝｽ設定を持つ"));
    auto* commonLayout = new QGridLayout(common);
    commonLayout->addWidget(new QLabel(QStringLiteral("起動時の警告")), 0, 0);
    commonLayout->addWidget(m_warningStart, 0, 1);
    commonLayout->addWidget(m_mainteSelect, 1, 0, 1, 2);
    commonLayout->setColumnStretch(2, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(m_mainteGroup);
    right->addWidget(warningGroup);
    right->addWidget(common);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(m_mainteGrid);
    layout->addLayout(right, 1);
}

void TSettingForm::BuildGraphTab(QWidget* page) {
    const auto radios = [](const QString& name, const QString& caption, const QStringList& items,
                           std::array<QRadioButton*, 2>& buttons) {
        auto* group = new QGroupBox(caption);
        group->setObjectName(name);
        auto* l = new QVBoxLayout(group);
        auto* exclusive = new QButtonGroup(group);
        for (int i = 0; i < 2; ++i) {
            buttons[i] = new QRadioButton(items[i]);
            buttons[i]->setObjectName(name + QString::number(i));
            exclusive->addButton(buttons[i], i);
            l->addWidget(buttons[i]);
        }
        return group;
    };
    QGroupBox* graphType = radios(QStringLiteral("GraphTypeRadioGroup"), QStringLiteral("表示形式"),
                                  {QStringLiteral("折れ線グラフ"), QStringLiteral("棒グラフ")}, m_graphType);
    QGroupBox* yearFormat =
        radios(QStringLiteral("YearDispFormatRadioGroup"), QStringLiteral("日付（X軸）の表示形式"),
               {QStringLiteral("YYYY/MM/DD"), QStringLiteral("YY/MM/DD")}, m_yearDispFormat);

    auto* displayMode = new QGroupBox(QStringLiteral("表示件数"));
    displayMode->setObjectName(QStringLiteral("DisplayModeGroupBox"));
    m_allGraph = Check(QStringLiteral("AllGraphCheckBox"), QStringLiteral("全てを表示：メイン"));
    m_dispNumber = Field(QStringLiteral("DispNumberMemo"), 5);
    m_allGraphKikan = Check(QStringLiteral("AllGraphKikanCheckBox"), QStringLiteral("全てを表示：期間"));
    m_dispNumberKikan = Field(QStringLiteral("DispNumberKikanMemo"), 5);
    auto* modeLayout = new QGridLayout(displayMode);
    modeLayout->addWidget(m_allGraph, 0, 0);
    modeLayout->addWidget(m_dispNumber, 0, 1);
    modeLayout->addWidget(new QLabel(QStringLiteral("件")), 0, 2);
    modeLayout->addWidget(m_allGraphKikan, 1, 0);
    modeLayout->addWidget(m_dispNumberKikan, 1, 1);
    modeLayout->addWidget(new QLabel(QStringLiteral("件")), 1, 2);
    modeLayout->setColumnStretch(3, 1);
    connect(m_allGraph, &QCheckBox::toggled, this, [this](bool on) { m_dispNumber->setEnabled(!on); });
    connect(m_allGraphKikan, &QCheckBox::toggled, this,
            [this](bool on) { m_dispNumberKikan->setEnabled(!on); });

    auto* scale = new QGroupBox(QStringLiteral("燃費等の（Y軸）ｽｹｰﾙ設定"));
    scale->setObjectName(QStringLiteral("MivraRunScaleGroupBox"));
    m_scaleFix = Check(QStringLiteral("MivraRunScaleFixCheckBox"), QStringLiteral("表示範囲を固定とする"));
    auto* scaleLayout = new QGridLayout(scale);
    scaleLayout->addWidget(m_scaleFix, 0, 0, 1, 4);
    scaleLayout->addWidget(new QLabel(QStringLiteral("最小")), 1, 1);
    scaleLayout->addWidget(new QLabel(QStringLiteral("最大")), 1, 3);
    static const char16_t* const scaleRows[] = {u"燃費", u"走行距離", u"単価", u"給油量"};
    static const char* const scaleNames[] = {"Mivra", "Run", "Tanka", "Gas"};
    for (int i = 0; i < 4; ++i) {
        m_scaleMemos[2 * i] = Field(QLatin1String(scaleNames[i]) + QStringLiteral("MinMemo"), 6);
        m_scaleMemos[2 * i + 1] = Field(QLatin1String(scaleNames[i]) + QStringLiteral("MaxMemo"), 6);
        scaleLayout->addWidget(new QLabel(QString::fromUtf16(scaleRows[i])), i + 2, 0);
        scaleLayout->addWidget(m_scaleMemos[2 * i], i + 2, 1);
        scaleLayout->addWidget(new QLabel(QStringLiteral("～")), i + 2, 2);
        scaleLayout->addWidget(m_scaleMemos[2 * i + 1], i + 2, 3);
    }
    scaleLayout->setColumnStretch(4, 1);
    connect(m_scaleFix, &QCheckBox::toggled, this, [this](bool on) {
        for (QLineEdit* memo : m_scaleMemos)
            memo->setEnabled(on);
    });

    auto* options = new QGroupBox(QStringLiteral("表示ｵﾌﾟｼｮﾝ"));
    options->setObjectName(QStringLiteral("GraphETCGroupBox"));
    m_view3D = Check(QStringLiteral("View3DCheckBox"), QStringLiteral("3D表示"));
    m_graphZoom = Check(QStringLiteral("GraphZoomCheckBox"), QStringLiteral("ズーム機能を使用する"));
    m_heikinDisp = Check(QStringLiteral("HeikinDispCheckBox"), QStringLiteral("平均燃費の表示"));
    m_mokuhyoDisp = Check(QStringLiteral("MokuhyoDispCheckBox"), QStringLiteral("目標燃費の表示"));
    m_noneHeikinDisp =
        Check(QStringLiteral("NoneHeikinDispCheckBox"), QStringLiteral("平均計算対象外ﾃﾞｰﾀを表示しない"));
    m_chipHelpDisp = Check(QStringLiteral("ChipHelpDispCheckBox"), QStringLiteral("ﾁｯﾌﾟﾍﾙﾌﾟを表示する"));
    auto* optionLayout = new QVBoxLayout(options);
    for (QCheckBox* box :
         {m_view3D, m_graphZoom, m_heikinDisp, m_mokuhyoDisp, m_noneHeikinDisp, m_chipHelpDisp})
        optionLayout->addWidget(box);

    auto* colors = new QGroupBox(QStringLiteral("各ｸﾞﾗﾌ表示"));
    colors->setObjectName(QStringLiteral("ColorGroupBox"));
    m_mivraGraphColor =
        new ColorPanel(QStringLiteral("MivraGraphColorPanel"), QString(), ColorPanel::Background);
    m_heikinGraphColor =
        new ColorPanel(QStringLiteral("HeikinGraphColorPanel"), QString(), ColorPanel::Background);
    m_mokuhyoGraphColor =
        new ColorPanel(QStringLiteral("MokuhyoGraphColorPanel"), QString(), ColorPanel::Background);
    m_mivraGraphMark = Check(QStringLiteral("MivraGraphMarkCheckBox"), QStringLiteral("推移の値表示"));
    m_heikinGraphMark = Check(QStringLiteral("HeikinGraphMarkCheckBox"), QStringLiteral("平均の値表示"));
    m_mokuhyoGraphMark = Check(QStringLiteral("MokuhyoGraphMarkCheckBox"), QStringLiteral("目標の値表示"));
    auto* colorLayout = new QGridLayout(colors);
    const std::pair<ColorPanel*, QCheckBox*> rows[] = {{m_mivraGraphColor, m_mivraGraphMark},
                                                       {m_heikinGraphColor, m_heikinGraphMark},
                                                       {m_mokuhyoGraphColor, m_mokuhyoGraphMark}};
    for (int i = 0; i < 3; ++i) {
        ColorPanel* panel = rows[i].first;
        panel->setFixedWidth(40);
        panel->clicked = [this, panel] { ChooseColor(panel); };
        SetHint(panel, QStringLiteral("ｸﾘｯｸで表示色を設定します。"));
        colorLayout->addWidget(panel, i, 0);
        colorLayout->addWidget(rows[i].second, i, 1);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(graphType);
    left->addWidget(yearFormat);
    left->addWidget(displayMode);
    left->addStretch(1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(scale);
    middle->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(options);
    right->addWidget(colors);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(middle);
    layout->addLayout(right);
}

void TSettingForm::BuildPrintTab(QWidget* page) {
    m_printSelect =
        Combo(QStringLiteral("PrintSelectComboBox"), {}, QStringLiteral("設定する印刷ﾌｫｰﾑを選択します。"));
    connect(m_printSelect, &QComboBox::currentIndexChanged, this, &TSettingForm::PrintSelectComboBoxChange);
    m_printGroup = new QGroupBox;
    m_printGroup->setObjectName(QStringLiteral("PrintGroupBox"));
    m_printFormEdit = Field(QStringLiteral("PrintFormEdit"), 0, QStringLiteral("印刷ﾌｫｰﾑ名を設定します。"));
    m_printTitleEdit =
        Field(QStringLiteral("PrintTitleEdit"), 0, QStringLiteral("印刷される一覧表のﾀｲﾄﾙを設定します。"));
    m_printSelectEdit =
        Field(QStringLiteral("PrintSelectEdit"), 0, QStringLiteral("印刷される一覧表の種類です。(参照のみ)"));
    m_printSelectEdit->setReadOnly(true);
    for (QLineEdit* edit : {m_printFormEdit, m_printTitleEdit, m_printSelectEdit})
        edit->setMinimumWidth(
            edit->fontMetrics().horizontalAdvance(QStringLiteral("メンテナンス期限集計一覧99")));
    m_selectIdEdit = Field(QStringLiteral("SelectIDEdit"), 0);
    m_selectIdEdit->setVisible(false);
    m_printMuki = Combo(QStringLiteral("PrintMukiComboBox"),
                        {QStringLiteral("縦(標準設定)"), QStringLiteral("横(幅の広いﾌｫｰﾑ用)")},
                        QStringLiteral("印刷する用紙の向きを設定します。"));
    auto* header = new QGridLayout(m_printGroup);
    header->addWidget(new QLabel(QStringLiteral("印刷ﾌｫｰﾑ")), 0, 0);
    header->addWidget(m_printFormEdit, 0, 1);
    header->addWidget(new QLabel(QStringLiteral("印刷ﾀｲﾄﾙ")), 1, 0);
    header->addWidget(m_printTitleEdit, 1, 1);
    header->addWidget(new QLabel(QStringLiteral("印刷種類")), 2, 0);
    header->addWidget(m_printSelectEdit, 2, 1);
    header->addWidget(new QLabel(QStringLiteral("印刷向き")), 3, 0);
    header->addWidget(m_printMuki, 3, 1);
    header->addWidget(m_selectIdEdit, 4, 1);

    m_printGrid = new SettingGrid(
        PrintRowCount,
        {QStringLiteral("No"), QStringLiteral("  項  目  "), QStringLiteral("ID "), QStringLiteral("印"),
         QStringLiteral(" 印刷項目名 "), QStringLiteral("位置"), QStringLiteral("幅")},
        true);
    m_printGrid->setObjectName(QStringLiteral("PrintSettingStringGrid"));
    SetHint(m_printGrid, QStringLiteral("印刷項目について設定します。"));
    // A double click toggles the mark and the alignment; it edits the other cells.
    m_printGrid->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                                 QAbstractItemView::SelectedClicked);
    m_printGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_printGrid->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    for (int row = 0; row < PrintRowCount; ++row)
        m_printGrid->item(row, 5)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(m_printGrid, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { PrintGridDblClick(row + 1, column + 1); });
    connect(m_printGrid, &QTableWidget::cellPressed, this,
            [this](int row, int) { m_printMenuRow = row + 1; });

    QPushButton* save = Button(QStringLiteral("PrintSettingSaveButton"), QStringLiteral("このﾌｫｰﾑを登録"),
                               QStringLiteral("表示されている印刷ﾌｫｰﾑを保存します。"));
    QPushButton* init = Button(QStringLiteral("PrintSettingInitButton"), QStringLiteral("← 初期値に戻す"),
                               QStringLiteral("印刷項目設定を初期値に戻します。"));
    QPushButton* common = Button(QStringLiteral("PrintSettingButton"), QStringLiteral("その他の共通設定..."),
                                 QStringLiteral("印刷に関するその他の共通設定を行います。"));
    connect(common, &QPushButton::clicked, this,
            [this] { TPrintSettingForm::Edit(this, m_book.settings(), m_book.store()); });
    connect(save, &QPushButton::clicked, this, &TSettingForm::PrintSettingSaveButtonClick);
    connect(init, &QPushButton::clicked, this, &TSettingForm::PrintSettingInitButtonClick);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("印刷ﾌｫｰﾑ")));
    top->addWidget(m_printSelect, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(m_printGroup);
    left->addStretch(1);
    left->addWidget(save);
    left->addWidget(init);
    left->addWidget(common);
    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(new QLabel(QStringLiteral("印刷項目設定")));
    gridColumn->addWidget(m_printGrid, 1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(gridColumn, 1);
}

void TSettingForm::BuildDispTab(QWidget* page) {
    auto* list = new QGroupBox(QStringLiteral(" 一覧表の表示設定"));
    list->setObjectName(QStringLiteral("NoColorGroupBox"));
    m_mivraNoColor =
        new ColorPanel(QStringLiteral("MivraNoColorPanel"), QStringLiteral("燃費ﾃﾞｰﾀ No."), ColorPanel::Text);
    m_mainteNoColor = new ColorPanel(QStringLiteral("MainteNoColorPanel"), QStringLiteral("ﾒﾝﾃﾅﾝｽﾃﾞｰﾀ No."),
                                     ColorPanel::Text);
    m_selectColor =
        new ColorPanel(QStringLiteral("SelectColorPanel"), QStringLiteral("選択行"), ColorPanel::Background);
    m_sortColor =
        new ColorPanel(QStringLiteral("SortColorPanel"), QStringLiteral("ｿｰﾄ列"), ColorPanel::Background);
    for (ColorPanel* panel : {m_mivraNoColor, m_mainteNoColor, m_selectColor, m_sortColor}) {
        panel->clicked = [this, panel] { ChooseColor(panel); };
        SetHint(panel, QStringLiteral("ｸﾘｯｸで表示色を設定します。"));
    }
    m_dayFix = Check(QStringLiteral("DayFixCheckBox"), QStringLiteral("日付を固定表示する"));
    QPushButton* font = Button(QStringLiteral("FontButton"), QStringLiteral("ﾌｫﾝﾄ"),
                               QStringLiteral("一覧表のﾌｫﾝﾄを設定します。"));
    connect(font, &QPushButton::clicked, this, &TSettingForm::FontButtonClick);
    m_fontText = Field(QStringLiteral("FontEdit"), 0);
    m_fontText->setReadOnly(true);
    m_fontText->setFocusPolicy(Qt::NoFocus);
    m_mivraRed = Check(QStringLiteral("MivraRedCheckBox"), QStringLiteral("平均以下"));
    m_mokuhyoRed = Check(QStringLiteral("MokuhyoRedCheckBox"), QStringLiteral("目標以下"));
    connect(m_mivraRed, &QCheckBox::toggled, this, [this](bool on) {
        if (on) m_mokuhyoRed->setChecked(false);
    });
    connect(m_mokuhyoRed, &QCheckBox::toggled, this, [this](bool on) {
        if (on) m_mivraRed->setChecked(false);
    });
    m_dataMaxSel =
        Combo(QStringLiteral("DataMaxSelComboBox"), {QStringLiteral("1,000件"), QStringLiteral("2,000件")},
              QStringLiteral("次回の起動時から有効になります。"));
    m_costZeroDisp = Check(QStringLiteral("CostZeroDispCheckBox"), QStringLiteral("支払金額の0を表示する"));
    auto* listLayout = new QGridLayout(list);
    listLayout->addWidget(m_mivraNoColor, 0, 0);
    listLayout->addWidget(m_mainteNoColor, 0, 1);
    listLayout->addWidget(m_selectColor, 1, 0);
    listLayout->addWidget(m_sortColor, 1, 1);
    listLayout->addWidget(font, 2, 0);
    listLayout->addWidget(m_fontText, 2, 1);
    listLayout->addWidget(m_dayFix, 3, 0, 1, 2);
    auto* redRow = new QHBoxLayout;
    redRow->addWidget(new QLabel(QStringLiteral("燃費の赤表示：")));
    redRow->addWidget(m_mivraRed);
    redRow->addWidget(m_mokuhyoRed);
    redRow->addStretch(1);
    listLayout->addLayout(redRow, 4, 0, 1, 2);
    auto* maxRow = new QHBoxLayout;
    maxRow->addWidget(new QLabel(QStringLiteral("最大ﾃﾞｰﾀ件数")));
    maxRow->addWidget(m_dataMaxSel);
    maxRow->addStretch(1);
    listLayout->addLayout(maxRow, 5, 0, 1, 2);
    listLayout->addWidget(m_costZeroDisp, 6, 0, 1, 2);

    auto* jpg = new QGroupBox(QStringLiteral("起動時表示画像設定"));
    jpg->setObjectName(QStringLiteral("OpenJPGGroupBox"));
    m_jpgFileName = Field(QStringLiteral("OpenJPGFileNameEdit"), 0);
    QPushButton* browse = Button(QStringLiteral("OpenJPGButton"), QStringLiteral("参照"));
    connect(browse, &QPushButton::clicked, this, &TSettingForm::OpenJPGButtonClick);
    m_jpgDispWait =
        Check(QStringLiteral("JPGDispWaitTimeCheckBox"), QStringLiteral("指定時間だけ表示させる"));
    m_jpgWaitTime = Field(QStringLiteral("JPGDispWaitTimeMemo"), 3);
    connect(m_jpgDispWait, &QCheckBox::toggled, m_jpgWaitTime, &QWidget::setEnabled);
    auto* jpgLayout = new QGridLayout(jpg);
    jpgLayout->addWidget(m_jpgFileName, 0, 0, 1, 3);
    jpgLayout->addWidget(browse, 0, 3);
    jpgLayout->addWidget(m_jpgDispWait, 1, 0);
    jpgLayout->addWidget(m_jpgWaitTime, 1, 1);
    jpgLayout->addWidget(new QLabel(QStringLiteral("秒")), 1, 2);
    jpgLayout->setColumnStretch(2, 1);

    auto* input = new QGroupBox(QStringLiteral("入力設定"));
    input->setObjectName(QStringLiteral("InputSettingGroupBox"));
    m_timeInput = Check(QStringLiteral("TimeInputCheckBox"), QStringLiteral("[時刻]の入力"));
    m_weatherInput = Check(QStringLiteral("WeatherInputCheckBox"), QStringLiteral("[天気]の入力"));
    auto* inputLayout = new QHBoxLayout(input);
    inputLayout->addWidget(m_timeInput);
    inputLayout->addWidget(m_weatherInput);
    inputLayout->addStretch(1);

    auto* units = new QGroupBox(QStringLiteral("表示単位"));
    units->setObjectName(QStringLiteral("TaniGroupBox"));
    m_runTani = Combo(QStringLiteral("RunTaniComboBox"), {QStringLiteral("km"), QStringLiteral("Mil")});
    m_gasTani = Combo(QStringLiteral("GasTaniComboBox"), {QStringLiteral("L"), QStringLiteral("Gal")});
    connect(m_runTani, &QComboBox::currentTextChanged, this,
            [this](const QString& unit) { m_kmLabel->setText(unit); });
    auto* unitLayout = new QHBoxLayout(units);
    unitLayout->addWidget(new QLabel(QStringLiteral("距離")));
    unitLayout->addWidget(m_runTani);
    unitLayout->addWidget(new QLabel(QStringLiteral("燃料")));
    unitLayout->addWidget(m_gasTani);
    unitLayout->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(list);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(jpg);
    right->addWidget(input);
    right->addWidget(units);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
}

void TSettingForm::BuildCalcElseTab(QWidget* page) {
    auto* tanka = new QGroupBox(QStringLiteral("燃料単価・距離自動計算"));
    tanka->setObjectName(QStringLiteral("TankaCalcGroupBox"));
    m_tankaCalc = Combo(QStringLiteral("TankaCalcComboBox"),
                        {QStringLiteral("金額の自動計算しない"), QStringLiteral("支払金額から単価を計算"),
                         QStringLiteral("単価から支払金額を計算")});
    m_zeiRitsu = Field(QStringLiteral("ZeiRitsuMemo"), 6, QStringLiteral("消費税率を設定します。"));
    m_zeiRitsu->setAlignment(Qt::AlignRight);
    m_hasuuSyori =
        Combo(QStringLiteral("HasuuSyoriComboBox"),
              {QStringLiteral("切り捨て"), QStringLiteral("四捨五入"), QStringLiteral("切り上げ")});
    m_tankaZeikomi =
        Check(QStringLiteral("TankaZeikomiCheckBox"), QStringLiteral("単価の表示を税込み計算・表示とする"));
    m_tankaTen =
        Check(QStringLiteral("TankaTenCheckBox"), QStringLiteral("単価に小数を１桁使用する（例：99.9円）"));
    m_keiyuZei =
        Field(QStringLiteral("KeiyuZeiMemo"), 6, QStringLiteral("１ﾘｯﾄﾙ当たりの軽油税を設定します。"));
    m_keiyuZei->setAlignment(Qt::AlignRight);
    m_keiyuName = Field(QStringLiteral("KeiyuNameEdit"), 0,
                        QStringLiteral("軽油税の対象となる燃料種別を「,」で区切って設定します。"));
    m_runCalcSelect =
        Combo(QStringLiteral("RunCalcSelectComboBox"),
              {QStringLiteral("距離の自動計算しない"), QStringLiteral("給油距離から走行距離を計算"),
               QStringLiteral("走行距離から給油距離を計算")});
    auto* tankaLayout = new QGridLayout(tanka);
    tankaLayout->addWidget(new QLabel(QStringLiteral("金額計算")), 0, 0);
    tankaLayout->addWidget(m_tankaCalc, 0, 1, 1, 3);
    tankaLayout->addWidget(new QLabel(QStringLiteral("消費税率")), 1, 0);
    tankaLayout->addWidget(m_zeiRitsu, 1, 1);
    tankaLayout->addWidget(new QLabel(QStringLiteral("%")), 1, 2);
    tankaLayout->addWidget(new QLabel(QStringLiteral("端数処理")), 2, 0);
    tankaLayout->addWidget(m_hasuuSyori, 2, 1, 1, 2);
    tankaLayout->addWidget(m_tankaZeikomi, 3, 0, 1, 4);
    tankaLayout->addWidget(m_tankaTen, 4, 0, 1, 4);
    tankaLayout->addWidget(new QLabel(QStringLiteral("軽油税")), 5, 0);
    tankaLayout->addWidget(m_keiyuZei, 5, 1);
    tankaLayout->addWidget(new QLabel(QStringLiteral("円/L")), 5, 2);
    tankaLayout->addWidget(new QLabel(QStringLiteral("軽油名称")), 6, 0);
    tankaLayout->addWidget(m_keiyuName, 6, 1, 1, 3);
    tankaLayout->addWidget(new QLabel(QStringLiteral("距離計算")), 7, 0);
    tankaLayout->addWidget(m_runCalcSelect, 7, 1, 1, 3);
    tankaLayout->setColumnStretch(3, 1);

    auto* path = new QGroupBox(QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ格納ﾌｫﾙﾀﾞ"));
    path->setObjectName(QStringLiteral("DataPathGroupBox"));
    m_dataPath =
        Field(QStringLiteral("DataPathEdit"), 0, QStringLiteral("空欄の場合は標準のﾌｫﾙﾀﾞを使用します。"));
    m_pathButton = Button(QStringLiteral("PathButton"), QStringLiteral("参照"));
    connect(m_pathButton, &QPushButton::clicked, this, &TSettingForm::PathButtonClick);
    auto* pathLayout = new QHBoxLayout(path);
    pathLayout->addWidget(m_dataPath, 1);
    pathLayout->addWidget(m_pathButton);

    auto* other = new QGroupBox(QStringLiteral("その他設定"));
    other->setObjectName(QStringLiteral("ElseGroupBox"));
    m_calcPass =
        Check(QStringLiteral("CalcPassCheckBox"), QStringLiteral("自動計算される入力項目の入力を禁止"));
    m_imeAutoMode = Check(QStringLiteral("IMEAutoModeCheckBox"),
                          QStringLiteral("ﾒﾓ入力時に日本語入力を自動で切り替える"));
    m_autoSave = Check(QStringLiteral("AutoSaveCheckBox"), QStringLiteral("終了時・車切替時に自動保存する"));
    m_searchDaySave =
        Check(QStringLiteral("SearchDaySaveCheckBox"), QStringLiteral("検索条件の日付を記憶する"));
    auto* otherLayout = new QVBoxLayout(other);
    for (QCheckBox* box : {m_calcPass, m_imeAutoMode, m_autoSave, m_searchDaySave})
        otherLayout->addWidget(box);

    auto* otherCalc = new QGroupBox(QStringLiteral("その他の計算設定"));
    otherCalc->setObjectName(QStringLiteral("ElseCalcGroupBox"));
    m_mainteAddGasCost =
        Check(QStringLiteral("MainteAddGasCostCheckBox"), QStringLiteral("ﾒﾝﾃﾅﾝｽ別集計に給油金額を含める"));
    m_noneDataHeikin = Check(QStringLiteral("NoneDataHeikinCheckBox"),
                             QStringLiteral("期間集計の平均にﾃﾞｰﾀの無い月を含める"));
    m_noneHeikinTotal = Check(QStringLiteral("NoneHeikinTotalCheckBox"),
                              QStringLiteral("生涯燃費に平均計算対象外ﾃﾞｰﾀを含めない"));
    auto* otherCalcLayout = new QVBoxLayout(otherCalc);
    for (QCheckBox* box : {m_mainteAddGasCost, m_noneDataHeikin, m_noneHeikinTotal})
        otherCalcLayout->addWidget(box);

    auto* left = new QVBoxLayout;
    left->addWidget(tanka);
    left->addWidget(path);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(other);
    right->addWidget(otherCalc);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
}

// ---- Opening and showing

bool TSettingForm::Open(SettingTab tab, int printForm) {
    SetTab(tab);
    if (printForm >= 1 && printForm <= PrintFormCount) SetPrintForm(printForm);
    return exec() == QDialog::Accepted;
}

void TSettingForm::SetTab(SettingTab tab) {
    if (tab != SettingTab::Current) m_tabs->setCurrentIndex(int(tab));
}

SettingTab TSettingForm::CurrentTab() const {
    return SettingTab(m_tabs->currentIndex());
}

void TSettingForm::SetPrintForm(int n) {
    if (n >= 1 && n <= PrintFormCount) m_printForm = n;
}

void TSettingForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    FormShow();
    CenterOnScreen(this);
}

void TSettingForm::FormShow() {
    const SettingsDraft draft = MakeSettingsDraft(m_book.settings(), m_book.book());
    m_mainte = draft.mainte;
    m_warningNames = draft.WarningText;
    m_shownItem = -1;
    WriteControls(draft);
    ApplyEnabling();
    SelectMainteRow(1);
    FillPrintSelect();
    ShowPrintForm(m_printForm);
    m_kmLabel->setText(m_runTani->currentText());
    const Settings& s = m_book.settings();
    ShowFontText(m_fontText, s.FontName, s.FontSize, s.FontStyle);
}

void TSettingForm::WriteControls(const SettingsDraft& d) {
    for (int row = 1; row <= kListSlots; ++row) {
        for (int column = 1; column <= kNameColumns; ++column)
            m_nameGrid->SetCell(row, column, NameColumn(d.names, column)[row]);
    }
    m_nameGrid->SetCurrent(1, 1);
    WriteMainteGrid();

    ShowWarningPanels();
    for (int level = 1; level <= 3; ++level)
        m_warningCheckBoxes[level]->setChecked(d.WarningCheck[level]);
    m_warning2Memo->setText(d.Warning2Level);
    m_warning3Memo->setText(d.Warning3Level);
    SetIndex(m_warningStart, d.WarningStart);
    m_mainteSelect->setChecked(d.MainteSelect);

    m_graphType[d.GraphType == 1 ? 1 : 0]->setChecked(true);
    m_yearDispFormat[d.YearDispFormat == 1 ? 1 : 0]->setChecked(true);
    m_allGraph->setChecked(d.AllGraph);
    m_dispNumber->setText(d.DispNumber);
    m_allGraphKikan->setChecked(d.AllGraphKikan);
    m_dispNumberKikan->setText(d.DispNumberKikan);
    m_scaleFix->setChecked(d.MivraScaleFix);
    const QString scales[] = {d.MivraMinScale, d.MivraMaxScale, d.RunMinScale, d.RunMaxScale,
                              d.TankaMinScale, d.TankaMaxScale, d.GasMinScale, d.GasMaxScale};
    for (int i = 0; i < 8; ++i)
        m_scaleMemos[i]->setText(scales[i]);
    m_view3D->setChecked(d.View3D);
    m_graphZoom->setChecked(d.GraphZoom);
    m_heikinDisp->setChecked(d.HeikiDisp);
    m_mokuhyoDisp->setChecked(d.MokuhyoDisp);
    m_noneHeikinDisp->setChecked(d.NoneHeikinDisp);
    m_chipHelpDisp->setChecked(d.ChipHelpDisp);
    m_mivraGraphColor->SetValue(d.MivraGraphColor);
    m_heikinGraphColor->SetValue(d.HeikinGraphColor);
    m_mokuhyoGraphColor->SetValue(d.MokhyoGraphColor);
    m_mivraGraphMark->setChecked(d.MivraGraphMark);
    m_heikinGraphMark->setChecked(d.HeikinGraphMark);
    m_mokuhyoGraphMark->setChecked(d.MokhyoGraphMark);

    m_mivraNoColor->SetValue(d.MivraNoColor);
    m_mainteNoColor->SetValue(d.MainteNoColor);
    m_selectColor->SetValue(d.SelectColor);
    m_sortColor->SetValue(d.SortColor);
    m_dayFix->setChecked(d.DayFix);
    // Both may be stored on; showing them must not switch one off.
    {
        const QSignalBlocker a(m_mivraRed);
        const QSignalBlocker b(m_mokuhyoRed);
        m_mivraRed->setChecked(d.MivraRed);
        m_mokuhyoRed->setChecked(d.MokuhyoRed);
    }
    m_dataMaxSel->setCurrentIndex(d.DataMaxSel != 0 ? 1 : 0);
    m_costZeroDisp->setChecked(d.CostZeroDisp);
    m_jpgFileName->setText(d.JpgFileName);
    m_jpgDispWait->setChecked(d.JpgDispWait);
    m_jpgWaitTime->setText(d.JpgWaitTime);
    m_timeInput->setChecked(d.TimeInput);
    m_weatherInput->setChecked(d.WeatherInput);
    SetIndex(m_runTani, d.RunTani);
    SetIndex(m_gasTani, d.GasTani);

    SetIndex(m_tankaCalc, d.TankaCalc);
    m_zeiRitsu->setText(d.ZeiRitsu);
    SetIndex(m_hasuuSyori, d.HasuuSyori);
    m_tankaZeikomi->setChecked(d.TankaZeikomi);
    m_tankaTen->setChecked(d.TankaTen);
    m_keiyuZei->setText(d.KeiyuZei);
    m_keiyuName->setText(d.KeiyuName);
    SetIndex(m_runCalcSelect, d.RunCalcSelect);
    m_dataPath->setText(d.DataPath);
    m_calcPass->setChecked(d.CalcPass);
    m_imeAutoMode->setChecked(d.IMEAutoMode);
    m_autoSave->setChecked(d.AutoSave);
    m_searchDaySave->setChecked(d.SearchDaySave);
    m_mainteAddGasCost->setChecked(d.MainteAddGasCost);
    m_noneDataHeikin->setChecked(d.NoneDataHeikin);
    m_noneHeikinTotal->setChecked(d.NoneHeikinTotal);

    m_warningColors = d.WarningColor;
    ShowWarningPanels();
}

void TSettingForm::ApplyEnabling() {
    m_runMemo->setEnabled(m_runCheck->isChecked());
    m_dayMemo->setEnabled(m_dayCheck->isChecked());
    m_dispNumber->setEnabled(!m_allGraph->isChecked());
    m_dispNumberKikan->setEnabled(!m_allGraphKikan->isChecked());
    for (QLineEdit* memo : m_scaleMemos)
        memo->setEnabled(m_scaleFix->isChecked());
    m_jpgWaitTime->setEnabled(m_jpgDispWait->isChecked());
    m_dataPath->setEnabled(!m_carLocked);
    m_pathButton->setEnabled(!m_carLocked);
}

SettingsDraft TSettingForm::ReadControls() {
    SettingsDraft d;
    for (int row = 1; row <= kListSlots; ++row) {
        for (int column = 1; column <= kNameColumns; ++column)
            NameColumn(d.names, column)[row] = m_nameGrid->Cell(row, column);
    }
    d.mainte = m_mainte;

    d.WarningText = m_warningNames;
    d.WarningColor = m_warningColors;
    for (int level = 1; level <= 3; ++level)
        d.WarningCheck[level] = m_warningCheckBoxes[level]->isChecked();
    d.Warning2Level = m_warning2Memo->text();
    d.Warning3Level = m_warning3Memo->text();
    d.WarningStart = m_warningStart->currentIndex();
    d.MainteSelect = m_mainteSelect->isChecked();

    d.GraphType = m_graphType[1]->isChecked() ? 1 : 0;
    d.YearDispFormat = m_yearDispFormat[1]->isChecked() ? 1 : 0;
    d.AllGraph = m_allGraph->isChecked();
    d.DispNumber = m_dispNumber->text();
    d.AllGraphKikan = m_allGraphKikan->isChecked();
    d.DispNumberKikan = m_dispNumberKikan->text();
    d.MivraScaleFix = m_scaleFix->isChecked();
    d.MivraMinScale = m_scaleMemos[0]->text();
    d.MivraMaxScale = m_scaleMemos[1]->text();
    d.RunMinScale = m_scaleMemos[2]->text();
    d.RunMaxScale = m_scaleMemos[3]->text();
    d.TankaMinScale = m_scaleMemos[4]->text();
    d.TankaMaxScale = m_scaleMemos[5]->text();
    d.GasMinScale = m_scaleMemos[6]->text();
    d.GasMaxScale = m_scaleMemos[7]->text();
    d.View3D = m_view3D->isChecked();
    d.GraphZoom = m_graphZoom->isChecked();
    d.HeikiDisp = m_heikinDisp->isChecked();
    d.MokuhyoDisp = m_mokuhyoDisp->isChecked();
    d.NoneHeikinDisp = m_noneHeikinDisp->isChecked();
    d.ChipHelpDisp = m_chipHelpDisp->isChecked();
    d.MivraGraphColor = m_mivraGraphColor->Value();
    d.HeikinGraphColor = m_heikinGraphColor->Value();
    d.MokhyoGraphColor = m_mokuhyoGraphColor->Value();
    d.MivraGraphMark = m_mivraGraphMark->isChecked();
    d.HeikinGraphMark = m_heikinGraphMark->isChecked();
    d.MokhyoGraphMark = m_mokuhyoGraphMark->isChecked();

    d.MivraNoColor = m_mivraNoColor->Value();
    d.MainteNoColor = m_mainteNoColor->Value();
    d.SelectColor = m_selectColor->Value();
    d.SortColor = m_sortColor->Value();
    d.DayFix = m_dayFix->isChecked();
    d.MivraRed = m_mivraRed->isChecked();
    d.MokuhyoRed = m_mokuhyoRed->isChecked();
    d.DataMaxSel = m_dataMaxSel->currentIndex();
    d.CostZeroDisp = m_costZeroDisp->isChecked();
    d.JpgFileName = m_jpgFileName->text();
    d.JpgDispWait = m_jpgDispWait->isChecked();
    d.JpgWaitTime = m_jpgWaitTime->text();
    d.TimeInput = m_timeInput->isChecked();
    d.WeatherInput = m_weatherInput->isChecked();
    d.RunTani = m_runTani->currentIndex();
    d.GasTani = m_gasTani->currentIndex();

    d.TankaCalc = m_tankaCalc->currentIndex();
    d.ZeiRitsu = m_zeiRitsu->text();
    d.HasuuSyori = m_hasuuSyori->currentIndex();
    d.TankaZeikomi = m_tankaZeikomi->isChecked();
    d.TankaTen = m_tankaTen->isChecked();
    d.KeiyuZei = m_keiyuZei->text();
    d.KeiyuName = m_keiyuName->text();
    d.RunCalcSelect = m_runCalcSelect->currentIndex();
    d.DataPath = m_dataPath->text();
    d.CalcPass = m_calcPass->isChecked();
    d.IMEAutoMode = m_imeAutoMode->isChecked();
    d.AutoSave = m_autoSave->isChecked();
    d.SearchDaySave = m_searchDaySave->isChecked();
    d.MainteAddGasCost = m_mainteAddGasCost->isChecked();
    d.NoneDataHeikin = m_noneDataHeikin->isChecked();
    d.NoneHeikinTotal = m_noneHeikinTotal->isChecked();
    return d;
}

// ---- OK

void TSettingForm::OKButtonClick() {
    // A field typed into and not left yet gets its leave rule, as leaving it would.
    if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget()); field && isAncestorOf(field))
        LeaveField(field);
    StoreShownMainte();
    const SettingsDraft draft = ReadControls();
    const SettingsCheck check = CheckSettingsDraft(draft);
    if (!check.ok) {
        ShowFailure(check);
        return;
    }
    // The car's records are dropped when the car menus are rebuilt: offer to save them first, in
    // the folder they came from. Cancel keeps the dialog open with nothing stored.
    if (!m_carLocked && SettingsApplyReloadsCar(m_book, draft) &&
        !m_book.ConfirmSave(shiftHeld && shiftHeld()))
        return;

    ShowWaitMessage(this, QStringLiteral("登録中"), SettingsApplySteps(m_book));
    const SettingsApplyResult result = ApplySettingsDraft(m_book, draft, StepWait);
    if (settingsApplied) settingsApplied(result);
    CloseWait();
    if (!result.errors.isEmpty()) MessageBox::ShowError(QStringLiteral("Tovrel"), result.errors);
    if (!result.folderNotice.isEmpty())
        MessageBox::ShowWarning(QStringLiteral("データフォルダ使用中"), result.folderNotice);
    accept();
}

void TSettingForm::ShowFailure(const SettingsCheck& check) {
    MessageBox::ShowWarning(QStringLiteral("設定エラー"), check.message);
    SetTab(check.tab);
    if (check.mainteRow >= 1) SelectMainteRow(check.mainteRow);
    if (auto* control = findChild<QWidget*>(check.focus)) control->setFocus(Qt::OtherFocusReason);
}

// ---- Other controls

void TSettingForm::ShowWarningPanels() {
    for (int level = 1; level <= 4; ++level) {
        m_warningPanels[level]->setText(m_warningNames[level]);
        m_warningPanels[level]->SetValue(m_warningColors[level]);
    }
}

void TSettingForm::PresetColorAnswers(const QList<QColor>& answers) {
    ColorAnswers() = answers;
}

int TSettingForm::PendingColorAnswers() {
    return int(ColorAnswers().size());
}

void TSettingForm::ChooseColor(ColorPanel* panel) {
    const QColor chosen = !ColorAnswers().isEmpty()
                              ? ColorAnswers().takeFirst()
                              : QColorDialog::getColor(ColorFromValue(panel->Value()), this);
    if (!chosen.isValid()) return;
    panel->SetValue(ValueFromColor(chosen));
    for (int level = 1; level <= 4; ++level) {
        if (panel == m_warningPanels[level]) m_warningColors[level] = panel->Value();
    }
}

void TSettingForm::WarningTextItemClick() {
    auto* editor = m_warningTextForm;
    if (!editor) editor = m_warningTextForm = new TWarningTextForm(this);
    // The editor shows the colours as stored; the names are this dialog's working copies.
    editor->SetNames(m_warningNames, m_book.settings().WarningColor);
    editor->exec();
    const std::array<QString, 5> names = editor->Names();
    for (int level = 1; level <= 4; ++level)
        m_warningNames[level] = names[level];
    ShowWarningPanels();
}

void TSettingForm::FontButtonClick() {
    Settings& s = m_book.settings();
    QString name = s.FontName;
    int size = s.FontSize;
    int style = s.FontStyle;
    if (!TFixedFontDialog::Choose(this, name, size, style)) return;
    // The font takes effect and is saved at once, whatever becomes of the rest of the dialog.
    s.FontName = name;
    s.FontSize = size;
    s.FontStyle = style;
    SaveSettings(m_book.store(), s, m_book.book().currentCar);
    ShowFontText(m_fontText, name, size, style);
    if (fontChanged) fontChanged();
}

void TSettingForm::PathButtonClick() {
    const QString typed = m_dataPath->text().trimmed();
    const QString start = typed.isEmpty() ? DefaultDataFolder() : typed;
    const QString folder = FileDialog::GetExistingDirectory(
        this, QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ格納ﾌｫﾙﾀﾞを選択してください。"), start);
    if (folder.isEmpty()) return;
    m_dataPath->setText(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
    m_dataPath->setFocus(Qt::OtherFocusReason);
}

void TSettingForm::OpenJPGButtonClick() {
    const QString current = m_jpgFileName->text();
    const QString dir = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    const QString file = FileDialog::GetOpenFileName(this, QStringLiteral("開く"), dir, kPictureFilter);
    if (!file.isEmpty()) m_jpgFileName->setText(file);
}

// ---- Keyboard and fields

void TSettingForm::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        // In a grid Enter ends the cell's editing and stays there.
        for (QWidget* w = focus; w; w = w->parentWidget()) {
            if (qobject_cast<SettingGrid*>(w)) return;
        }
        focusNextPrevChild(!event->modifiers().testFlag(Qt::ShiftModifier));
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TSettingForm::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field && !field->isReadOnly()) {
        if (event->type() == QEvent::FocusIn) {
            EnterField(field);
        } else if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // A message box or a pop-up coming forward does not leave the field.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) LeaveField(field);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSettingForm::EnterField(QWidget* widget) {
    auto* edit = static_cast<QLineEdit*>(widget);
    if (edit == m_runMemo || edit == m_dayMemo || edit == m_zeiRitsu || edit == m_keiyuZei)
        edit->setText(StripGrouping(edit->text()));
    // After a click the press would move the caret and drop a selection made now.
    QTimer::singleShot(0, edit, [edit] {
        if (edit->hasFocus()) edit->selectAll();
    });
}

void TSettingForm::LeaveField(QWidget* widget) {
    auto* edit = static_cast<QLineEdit*>(widget);
    QString text = edit->text();
    if (edit == m_mainteEdit) {
        text = MainteNameOnLeave(text);
    } else if (edit == m_mainteMemoEdit) {
        text = MainteMemoOnLeave(text);
    } else if (edit == m_runMemo || edit == m_dayMemo) {
        text = GroupDigits(StripGrouping(text));
    } else if (edit == m_zeiRitsu) {
        text = DecimalOnLeave(text, 1);
    } else if (edit == m_keiyuZei) {
        text = DecimalOnLeave(text, 2);
    } else if (edit == m_dataPath) {
        text = NormalizeDataPath(text);
    } else {
        return;
    }
    if (text != edit->text()) edit->setText(text);
}

}  // namespace tovrel
