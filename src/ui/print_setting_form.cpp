#include "ui/print_setting_form.h"

#include "base/text_utils.h"
#include "output/report_layout.h"
#include "settings/settings.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/font_text.h"
#include "ui/widgets/help.h"
#include "ui/widgets/message_box.h"
#include "ui/window_placement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tovrel {

namespace {

const QString kWindowName = QStringLiteral("TPrintSettingForm");
const QString kFontHint = QStringLiteral("設定されているﾌｫﾝﾄとｻｲｽﾞです。");

struct FontSetting {
    QString& name;
    int& size;
    int& style;
};

FontSetting SettingFont(Settings& s, int tag) {
    switch (tag) {
        case TPrintSettingForm::TitleFont:
            return {s.TitleFontName, s.TitleFontSize, s.TitleFontStyle};
        case TPrintSettingForm::NameFont:
            return {s.NameFontName, s.NameFontSize, s.NameFontStyle};
        case TPrintSettingForm::MonthFont:
            return {s.MonthFontName, s.MonthFontSize, s.MonthFontStyle};
        case TPrintSettingForm::ListFont:
            return {s.ListFontName, s.ListFontSize, s.ListFontStyle};
        case TPrintSettingForm::PageFont:
            return {s.PageFontName, s.PageFontSize, s.PageFontStyle};
        default:
            return {s.DateFontName, s.DateFontSize, s.DateFontStyle};
    }
}

// Whole millimetres, grouped, as the margin fields show them once left.
QString RoundedMargin(const QString& text) {
    return FormatGrouped(ParseNumber(text, 0, kReportDefaultMargin), 0);
}

}  // namespace

TPrintSettingForm::TPrintSettingForm(Settings& settings, SettingsStore& store, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_store(store) {
    setObjectName(kWindowName);
    setWindowTitle(QStringLiteral("印刷その他の共通設定"));
    InstallHelpKey(this, HelpPrintSettings);
    chooseFont = [](QWidget* owner, QString& name, int& size, int& style) {
        return ChooseFont(owner, name, size, style, false);
    };

    auto* layout = new QVBoxLayout(this);

    m_printForm = new QComboBox;
    m_printForm->setObjectName(QStringLiteral("PrintFormComboBox"));
    m_printForm->addItems(
        {QStringLiteral("中間色を使用したﾌｫｰﾑで印刷"), QStringLiteral("ｼﾝﾌﾟﾙな罫線のみのﾌｫｰﾑで印刷")});
    SetHint(m_printForm, QStringLiteral("印刷するﾌｫｰﾑの種類を選択してください。"));
    layout->addWidget(m_printForm);

    auto* top = new QHBoxLayout;
    auto* items = new QGroupBox(QStringLiteral("印刷項目"));
    auto* itemBox = new QVBoxLayout(items);
    const auto check = [&](const QString& name, const QString& caption, const QString& hint) {
        auto* c = new QCheckBox(caption);
        c->setObjectName(name);
        SetHint(c, hint);
        itemBox->addWidget(c);
        return c;
    };
    m_printName = check(QStringLiteral("PrintNameCheckBox"), QStringLiteral("愛車名を印刷する"),
                        QStringLiteral("愛車名がﾍｯﾀﾞに印刷されます。"));
    m_printDate = check(QStringLiteral("PrintDateCheckBox"), QStringLiteral("印刷日付を印刷する"),
                        QStringLiteral("印刷日付がﾌｯﾀに印刷されます。"));
    m_printPage = check(QStringLiteral("PrintPageCheckBox"), QStringLiteral("ﾍﾟｰｼﾞ数を印刷する"),
                        QStringLiteral("ﾍﾟｰｼﾞ数がﾌｯﾀに印刷されます。"));
    m_printVertical = check(QStringLiteral("PrintVerticalCheckBox"), QStringLiteral("縦罫線を印刷する"),
                            QStringLiteral("一覧表にﾃﾞｰﾀ間の縦罫線を印刷します。"));
    m_printMultiGyo =
        check(QStringLiteral("PrintMultiGyoCheckBox"), QStringLiteral("ﾒﾝﾃとﾒﾓの複数行印刷する"),
              QStringLiteral("ﾒﾝﾃﾅﾝｽやﾒﾓを複数行にわたって印刷します。"));
    for (QCheckBox* c : {m_printName, m_printDate, m_printPage})
        connect(c, &QCheckBox::toggled, this, &TPrintSettingForm::ApplyEnabling);
    top->addWidget(items);

    auto* margins = new QGroupBox(QStringLiteral("ﾏｰｼﾞﾝ "));
    auto* marginGrid = new QGridLayout(margins);
    m_topMargin =
        MarginMemo(QStringLiteral("TopMarginMemo"), QStringLiteral("上ﾏｰｼﾞﾝをﾐﾘの単位で設定します。"));
    m_bottomMargin =
        MarginMemo(QStringLiteral("BottomMarginMemo"), QStringLiteral("下ﾏｰｼﾞﾝをﾐﾘの単位で設定します。"));
    m_leftMargin =
        MarginMemo(QStringLiteral("LeftMarginMemo"), QStringLiteral("左ﾏｰｼﾞﾝをﾐﾘの単位で設定します。"));
    m_rightMargin =
        MarginMemo(QStringLiteral("RightMarginMemo"), QStringLiteral("右ﾏｰｼﾞﾝをﾐﾘの単位で設定します。"));
    const auto marginRow = [&](int row, const QString& caption, QLineEdit* memo) {
        marginGrid->addWidget(new QLabel(caption), row, 0);
        marginGrid->addWidget(memo, row, 1);
    };
    marginRow(0, QStringLiteral("上"), m_topMargin);
    marginRow(1, QStringLiteral("下"), m_bottomMargin);
    marginRow(2, QStringLiteral("左"), m_leftMargin);
    marginRow(3, QStringLiteral("右"), m_rightMargin);
    top->addWidget(margins);
    layout->addLayout(top);

    // One row per report label: its position (the list data has none) and its font.
    auto* placing = new QGroupBox(QStringLiteral("印刷位置とﾌｫﾝﾄ"));
    auto* grid = new QGridLayout(placing);
    m_titlePosition = PositionBox(QStringLiteral("TitlePositionComboBox"));
    m_namePosition = PositionBox(QStringLiteral("NamePositionComboBox"));
    m_monthPosition = PositionBox(QStringLiteral("MonthPositionComboBox"));
    m_pagePosition = PositionBox(QStringLiteral("PagePositionComboBox"));
    m_datePosition = PositionBox(QStringLiteral("DatePositionComboBox"));
    const struct {
        const char16_t* label;
        const char* stem;
        QComboBox* position;
    } rows[] = {{u"一覧表ﾀｲﾄﾙ", "Title", m_titlePosition}, {u"愛車名", "Name", m_namePosition},
                {u"一覧表日付", "Month", m_monthPosition}, {u"一覧表ﾃﾞｰﾀ", "List", nullptr},
                {u"ﾍﾟｰｼﾞ数", "Page", m_pagePosition},      {u"印刷日付", "Date", m_datePosition}};
    for (int tag = 1; tag <= 6; ++tag) {
        const auto& r = rows[tag - 1];
        const QString stem = QLatin1String(r.stem);
        grid->addWidget(new QLabel(QString::fromUtf16(r.label)), tag - 1, 0);
        if (r.position) grid->addWidget(r.position, tag - 1, 1);
        auto* edit = new QLineEdit;
        edit->setObjectName(stem + QStringLiteral("FontEdit"));
        edit->setReadOnly(true);
        edit->setMinimumWidth(240);
        SetHint(edit, kFontHint);
        grid->addWidget(edit, tag - 1, 2);
        auto* button = new QPushButton(QStringLiteral("ﾌｫﾝﾄ"));
        button->setObjectName(stem + QStringLiteral("FontButton"));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, tag] { FontButtonClick(tag); });
        grid->addWidget(button, tag - 1, 3);
        m_fontEdits[tag] = edit;
        m_fontButtons[tag] = button;
    }
    layout->addWidget(placing);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("確 定"));
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setAutoDefault(false);
    SetHint(
        ok,
        QStringLiteral(
            "このｳｨﾝﾄﾞｳの設定内容を確定します。\r\n【注意】環境設定の[登録]ﾎﾞﾀﾝで最終的に登録されます。"));
    connect(ok, &QPushButton::clicked, this, &TPrintSettingForm::OkButtonClick);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"));
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setAutoDefault(false);
    SetHint(cancel, QStringLiteral("ｷｬﾝｾﾙし、環境設定ｳｲﾝﾄﾞｳに戻ります。"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    // Enter moves on, as in every dialog of the program.
    for (QWidget* w : findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w))
            w->installEventFilter(this);
    }
    adjustSize();
    RestoreWindowPlacement(this, m_store, kWindowName, false);
}

TPrintSettingForm::~TPrintSettingForm() = default;

bool TPrintSettingForm::Edit(QWidget* parent, Settings& settings, SettingsStore& store) {
    TPrintSettingForm dialog(settings, store, parent);
    return dialog.exec() == QDialog::Accepted;
}

QLineEdit* TPrintSettingForm::MarginMemo(const QString& name, const QString& hint) {
    auto* memo = new QLineEdit;
    memo->setObjectName(name);
    memo->setAlignment(Qt::AlignRight);
    memo->setMaximumWidth(80);
    SetHint(memo, hint);
    return memo;
}

QComboBox* TPrintSettingForm::PositionBox(const QString& name) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->addItems({QStringLiteral("左寄せ"), QStringLiteral("中央"), QStringLiteral("右寄せ")});
    return box;
}

void TPrintSettingForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TPrintSettingForm::FormShow() {
    const Settings& s = m_settings;
    m_printForm->setCurrentIndex(qBound(0, s.PrintForm, 1));
    m_printName->setChecked(s.PrintName);
    m_printDate->setChecked(s.PrintDate);
    m_printPage->setChecked(s.PrintPage);
    m_printVertical->setChecked(s.PrintVertical);
    m_printMultiGyo->setChecked(s.PrintMultiGyo);
    m_topMargin->setText(s.PageTopMargin);
    m_bottomMargin->setText(s.PageBottomMargin);
    m_leftMargin->setText(s.PageLeftMargin);
    m_rightMargin->setText(s.PageRightMargin);
    m_titlePosition->setCurrentIndex(qBound(0, s.TitlePosition, 2));
    m_namePosition->setCurrentIndex(qBound(0, s.NamePosition, 2));
    m_monthPosition->setCurrentIndex(qBound(0, s.MonthPosition, 2));
    m_pagePosition->setCurrentIndex(qBound(0, s.PagePosition, 2));
    m_datePosition->setCurrentIndex(qBound(0, s.DatePosition, 2));
    for (int tag = 1; tag <= 6; ++tag) {
        const FontSetting font = SettingFont(m_settings, tag);
        m_fonts[tag] = {font.name, font.size, font.style};
        ShowFont(tag);
    }
    ApplyEnabling();
}

void TPrintSettingForm::ShowFont(int tag) {
    const WorkingFont& f = m_fonts[tag];
    QLineEdit* edit = m_fontEdits[tag];
    // The edit keeps its own size; only the face and style show the font.
    const int size = edit->font().pointSize();
    ShowFontText(edit, f.name, f.size, f.style);
    QFont font = edit->font();
    if (size > 0) font.setPointSize(size);
    edit->setFont(font);
}

void TPrintSettingForm::ApplyEnabling() {
    const bool name = m_printName->isChecked();
    const bool date = m_printDate->isChecked();
    const bool page = m_printPage->isChecked();
    m_namePosition->setEnabled(name);
    m_fontEdits[NameFont]->setEnabled(name);
    m_fontButtons[NameFont]->setEnabled(name);
    m_datePosition->setEnabled(date);
    m_fontEdits[DateFont]->setEnabled(date);
    m_fontButtons[DateFont]->setEnabled(date);
    m_pagePosition->setEnabled(page);
    m_fontEdits[PageFont]->setEnabled(page);
    m_fontButtons[PageFont]->setEnabled(page);
}

void TPrintSettingForm::FontButtonClick(int tag) {
    if (tag < 1 || tag > 6) return;
    WorkingFont chosen = m_fonts[tag];
    if (!chooseFont(this, chosen.name, chosen.size, chosen.style)) return;
    m_fonts[tag] = chosen;
    ShowFont(tag);
}

void TPrintSettingForm::OkButtonClick() {
    QString message;
    QComboBox* focus = nullptr;
    if (m_pagePosition->isEnabled() && m_datePosition->isEnabled() &&
        m_pagePosition->currentIndex() == m_datePosition->currentIndex()) {
        message = QStringLiteral("[ﾍﾟｰｼﾞ数]と[印刷日付]の印刷位置を同じ設定にする事はできません。");
        focus = m_pagePosition;
    }
    if (m_namePosition->isEnabled() && m_monthPosition->isEnabled() &&
        m_namePosition->currentIndex() == m_monthPosition->currentIndex()) {
        message = QStringLiteral("[愛車名]と[一覧表日付]の印刷位置を同じ設定にする事はできません。");
        focus = m_namePosition;
    }
    if (focus) {
        focus->setFocus();
        MessageBox::ShowWarning(QStringLiteral("設定エラー"), message);
        return;
    }

    Settings& s = m_settings;
    s.PrintForm = m_printForm->currentIndex();
    s.PrintName = m_printName->isChecked();
    s.PrintDate = m_printDate->isChecked();
    s.PrintPage = m_printPage->isChecked();
    s.PrintVertical = m_printVertical->isChecked();
    s.PrintMultiGyo = m_printMultiGyo->isChecked();
    // A field still being typed in has not been rounded yet.
    s.PageTopMargin = RoundedMargin(m_topMargin->text());
    s.PageBottomMargin = RoundedMargin(m_bottomMargin->text());
    s.PageLeftMargin = RoundedMargin(m_leftMargin->text());
    s.PageRightMargin = RoundedMargin(m_rightMargin->text());
    s.TitlePosition = m_titlePosition->currentIndex();
    s.NamePosition = m_namePosition->currentIndex();
    s.MonthPosition = m_monthPosition->currentIndex();
    s.PagePosition = m_pagePosition->currentIndex();
    s.DatePosition = m_datePosition->currentIndex();
    for (int tag = 1; tag <= 6; ++tag) {
        const FontSetting font = SettingFont(s, tag);
        font.name = m_fonts[tag].name;
        font.size = m_fonts[tag].size;
        font.style = m_fonts[tag].style;
    }
    accept();
}

void TPrintSettingForm::done(int result) {
    SaveWindowPlacement(this, m_store, kWindowName, false);
    QDialog::done(result);
}

bool TPrintSettingForm::eventFilter(QObject* watched, QEvent* event) {
    auto* memo = qobject_cast<QLineEdit*>(watched);
    const bool margin = memo && !memo->isReadOnly();
    if (margin && event->type() == QEvent::FocusIn) {
        memo->setText(StripGrouping(memo->text()));
        // After the click that brought the focus has placed the cursor.
        QTimer::singleShot(0, memo, &QLineEdit::selectAll);
    } else if (margin && event->type() == QEvent::FocusOut) {
        memo->setText(RoundedMargin(memo->text()));
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextPrevChild(!key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tovrel
