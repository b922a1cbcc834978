#include "ui/car_info_form.h"

#include "base/text_utils.h"
#include "session/logbook.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/field_rules.h"
#include "ui/widgets/help.h"
#include "ui/widgets/message_box.h"
#include "ui/window_placement.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <QVBoxLayout>

namespace tovrel {

namespace {

const QString kWindowName = QStringLiteral("TCarInfoForm");

// Presses this far right of an item's left edge are on its text.
constexpr int kTextOffset = 15;

// A check list whose items also toggle when their text is pressed, not only their box.
class CheckListBox : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    // Each press the user makes reaches the viewport once; a double click arrives as its second press.
    bool viewportEvent(QEvent* event) override {
        const bool handled = QListWidget::viewportEvent(event);
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
            ToggleOnText(static_cast<QMouseEvent*>(event));
        return handled;
    }

private:
    void ToggleOnText(const QMouseEvent* event) {
        if (event->button() != Qt::LeftButton) return;
        const QPoint pos = event->position().toPoint();
        QListWidgetItem* item = itemAt(pos);
        if (!item || !(item->flags() & Qt::ItemIsUserCheckable) || !(item->flags() & Qt::ItemIsEnabled))
            return;
        const QRect rect = visualItemRect(item);
        if (pos.x() - rect.left() < kTextOffset) return;
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.rect = rect;
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        // The box toggles by itself when the press is released.
        if (style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this).contains(pos))
            return;
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
};

QLineEdit* TextEdit(const QString& name, const QString& hint, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    SetHint(edit, hint);
    return edit;
}

QLineEdit* DateMaskEdit(const QString& name, const QString& hint, QWidget* parent) {
    QLineEdit* edit = TextEdit(name, hint, parent);
    // Optional digits: a blank mask is a valid value ("    /  /  ").
    edit->setInputMask(QStringLiteral("9999/99/99"));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00")) + 16);
    return edit;
}

QLineEdit* NumberMemo(const QString& name, const QString& hint, QWidget* parent) {
    QLineEdit* edit = TextEdit(name, hint, parent);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000,000,000.0")) + 16);
    return edit;
}

QLabel* Label(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

TCarInfoForm::TCarInfoForm(Logbook& book, QWidget* parent) : QDialog(parent), m_book(book) {
    setObjectName(kWindowName);
    setWindowTitle(QStringLiteral("愛車情報"));
    InstallHelpKey(this, HelpCarInfo);
    setModal(true);
    BuildControls();
    FillCheckList();
    m_fields =
        new FieldRules(this, {[this](const QObject* w) { return IsNumberField(w) || IsDateField(w); },
                              [this](const QObject* w) { return IsNumberField(w); },
                              [this](const QObject* w) { return IsDateField(w); },
                              [this](const QObject* w) { return w == m_carMemoRichEdit; },
                              [this](QWidget* w) { EnterField(w); }, [this](QWidget* w) { LeaveField(w); },
                              [this](bool forward) { focusNextPrevChild(forward); }});
    m_fields->WatchControls();
    resize(640, 460);
    RestoreWindowPlacement(this, m_book.store(), kWindowName, true);
}

TCarInfoForm::~TCarInfoForm() {
    SaveWindowPlacement(this, m_book.store(), kWindowName, true);
}

void TCarInfoForm::BuildControls() {
    m_myCarNameEdit =
        TextEdit(QStringLiteral("MyCarNameEdit"), QStringLiteral("愛車名やｸﾞﾚｰﾄﾞを入力します。"), this);
    m_makerEdit = TextEdit(QStringLiteral("MakerEdit"), QStringLiteral("愛車のﾒｰｶｰ名を入力します。"), this);
    m_numberEdit =
        TextEdit(QStringLiteral("NumberEdit"), QStringLiteral("愛車のﾅﾝﾊﾞｰﾌﾟﾚｰﾄを入力します。"), this);
    m_tourokuDateMaskEdit = DateMaskEdit(QStringLiteral("TourokuDateMaskEdit"),
                                         QStringLiteral("愛車の登録日付を入力します。"), this);
    m_nousyaDateMaskEdit =
        DateMaskEdit(QStringLiteral("NousyaDateMaskEdit"),
                     QStringLiteral("愛車の納車日付を入力します。\r\nﾒﾝﾃﾅﾝｽ開始日付となります。"), this);
    m_nousyaRunMemo = NumberMemo(
        QStringLiteral("NousyaRunMemo"),
        QStringLiteral("納車された時の愛車の走行距離を入力します。\r\nﾒﾝﾃﾅﾝｽ開始走行距離となります。"), this);
    m_runUnitLabel = new QLabel(this);
    m_runUnitLabel->setObjectName(QStringLiteral("RunUnitLabel"));
    m_mokuhyoMivraMemo = NumberMemo(
        QStringLiteral("MokuhyoMivraMemo"),
        QStringLiteral("この愛車の目標燃費を設定します。\r\n燃費ｸﾞﾗﾌに表示することができます。"), this);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->addWidget(Label(QStringLiteral("車名"), m_myCarNameEdit, this), 0, 0);
    fields->addWidget(m_myCarNameEdit, 0, 1, 1, 2);
    fields->addWidget(Label(QStringLiteral("ﾒｰｶｰ"), m_makerEdit, this), 1, 0);
    fields->addWidget(m_makerEdit, 1, 1, 1, 2);
    fields->addWidget(Label(QStringLiteral("ﾅﾝﾊﾞｰ"), m_numberEdit, this), 2, 0);
    fields->addWidget(m_numberEdit, 2, 1, 1, 2);
    fields->addWidget(Label(QStringLiteral("登録日"), m_tourokuDateMaskEdit, this), 3, 0);
    fields->addWidget(m_tourokuDateMaskEdit, 3, 1);
    fields->addWidget(Label(QStringLiteral("納車日"), m_nousyaDateMaskEdit, this), 4, 0);
    fields->addWidget(m_nousyaDateMaskEdit, 4, 1);
    fields->addWidget(Label(QStringLiteral("走行距離"), m_nousyaRunMemo, this), 5, 0);
    fields->addWidget(m_nousyaRunMemo, 5, 1);
    fields->addWidget(m_runUnitLabel, 5, 2);
    fields->addWidget(Label(QStringLiteral("目標燃費"), m_mokuhyoMivraMemo, this), 6, 0);
    fields->addWidget(m_mokuhyoMivraMemo, 6, 1);
    fields->setColumnStretch(2, 1);

    auto* checkGroup = new QGroupBox(QStringLiteral("納車時のﾒﾝﾃﾅﾝｽ"), this);
    m_mainteCheckListBox = new CheckListBox(checkGroup);
    m_mainteCheckListBox->setObjectName(QStringLiteral("MainteCheckListBox"));
    SetHint(m_mainteCheckListBox, QStringLiteral("納車された時に実施済みのﾒﾝﾃﾅﾝｽ項目をﾁｪｯｸします。\r\n"
                                                 "新車の場合は、ほとんどの項目をﾁｪｯｸしてください。"));
    auto* checkLayout = new QVBoxLayout(checkGroup);
    checkLayout->setContentsMargins(6, 2, 6, 6);
    checkLayout->addWidget(m_mainteCheckListBox);
    checkGroup->setMinimumWidth(
        checkGroup->fontMetrics().horizontalAdvance(QStringLiteral("ﾌﾞﾚｰｷﾊﾟｯﾄﾞ交換")) * 2);

    auto* memoGroup = new QGroupBox(QStringLiteral("愛車メモ"), this);
    m_carMemoRichEdit = new QPlainTextEdit(memoGroup);
    m_carMemoRichEdit->setObjectName(QStringLiteral("CarMemoRichEdit"));
    m_carMemoRichEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_carMemoRichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_carMemoRichEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_carMemoRichEdit->setTabChangesFocus(true);
    SetHint(m_carMemoRichEdit, QStringLiteral("愛車のﾒﾓを自由に入力してください。"));
    auto* memoLayout = new QVBoxLayout(memoGroup);
    memoLayout->setContentsMargins(6, 2, 6, 6);
    memoLayout->addWidget(m_carMemoRichEdit);

    m_okButton = new QPushButton(QStringLiteral("登録(&C)"), this);
    m_okButton->setObjectName(QStringLiteral("OkButton"));
    SetHint(m_okButton, QStringLiteral("愛車情報を登録します。"));
    m_cancelButton = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    const int buttonWidth = m_okButton->fontMetrics().horizontalAdvance(QStringLiteral("登録(&C)")) + 28;
    for (QPushButton* button : {m_okButton, m_cancelButton})
        button->setMinimumWidth(buttonWidth);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(memoGroup, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addWidget(checkGroup, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top, 1);
    outer->addLayout(buttons);

    const QList<QWidget*> tabOrder = {
        m_myCarNameEdit,      m_makerEdit,     m_numberEdit,       m_tourokuDateMaskEdit,
        m_nousyaDateMaskEdit, m_nousyaRunMemo, m_mokuhyoMivraMemo, m_mainteCheckListBox,
        m_carMemoRichEdit,    m_okButton,      m_cancelButton};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    connect(m_okButton, &QPushButton::clicked, this, &TCarInfoForm::OkButtonClick);
    connect(m_cancelButton, &QPushButton::clicked, this, &TCarInfoForm::reject);
}

// The 50 maintenance item names in slot order, checked from the car's flags.
void TCarInfoForm::FillCheckList() {
    const MainteSettings& mainte = m_book.book().mainte;
    const CarInfo& info = m_book.book().carInfo;
    if (m_mainteCheckListBox->count() != kMainteCount) {
        m_mainteCheckListBox->clear();
        for (int k = 1; k <= kMainteCount; ++k) {
            auto* item = new QListWidgetItem(m_mainteCheckListBox);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        }
    }
    for (int k = 1; k <= kMainteCount; ++k) {
        QListWidgetItem* item = m_mainteCheckListBox->item(k - 1);
        item->setText(StripDefaultMark(mainte[k].name));
        item->setCheckState(info.MainteCheck[k] ? Qt::Checked : Qt::Unchecked);
    }
}

void TCarInfoForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TCarInfoForm::FormShow() {
    m_fields->Forget();
    m_pendingDate = nullptr;
    setWindowTitle(QStringLiteral("愛車情報 - ") + m_book.CarName());
    m_runUnitLabel->setText(m_book.DistanceUnit());

    const CarInfo shown = CarInfoForShowing(m_book.book().carInfo);
    m_myCarNameEdit->setText(shown.MyCarName);
    m_makerEdit->setText(shown.Maker);
    m_numberEdit->setText(shown.Number);
    m_tourokuDateMaskEdit->setText(shown.TourokuDate);
    m_nousyaDateMaskEdit->setText(shown.NousyaDate);
    m_nousyaRunMemo->setText(shown.NousyaRun);
    m_mokuhyoMivraMemo->setText(shown.MokuhyoMivra);
    FillCheckList();
    m_mainteCheckListBox->setCurrentRow(0);

    QString memo;
    m_memoProblem.clear();
    const CarMemoState state =
        LoadCarMemo(m_book.book().CarFileName(QStringLiteral("CarMemo")), &memo, &m_memoProblem);
    m_memoLocked = state != CarMemoState::Loaded;
    m_carMemoRichEdit->setPlainText(memo);
    m_carMemoRichEdit->setReadOnly(m_memoLocked);
    if (m_memoLocked) QTimer::singleShot(0, this, &TCarInfoForm::ShowMemoProblem);

    m_myCarNameEdit->setFocus(Qt::OtherFocusReason);
}

void TCarInfoForm::ShowMemoProblem() {
    if (!m_memoProblem.isEmpty() && isVisible())
        MessageBox::ShowWarning(QStringLiteral("愛車ﾒﾓ読込ｴﾗｰ"), m_memoProblem);
}

// ---- Fields ----

bool TCarInfoForm::IsNumberField(const QObject* widget) const {
    return widget == m_nousyaRunMemo || widget == m_mokuhyoMivraMemo;
}

bool TCarInfoForm::IsDateField(const QObject* widget) const {
    return widget == m_tourokuDateMaskEdit || widget == m_nousyaDateMaskEdit;
}

int TCarInfoForm::DecimalsOf(const QObject* widget) const {
    return widget == m_nousyaRunMemo ? NousyaRunDecimals : MokuhyoDecimals;
}

void TCarInfoForm::EnterField(QWidget* field) {
    if (!IsNumberField(field)) return;
    auto* edit = static_cast<QLineEdit*>(field);
    edit->setText(CarNumberOnEnter(edit->text()));
    // After a click the press would move the caret and drop a selection made now.
    QTimer::singleShot(0, edit, [edit] {
        if (edit->hasFocus()) edit->selectAll();
    });
}

void TCarInfoForm::LeaveField(QWidget* field) {
    if (IsNumberField(field)) {
        auto* edit = static_cast<QLineEdit*>(field);
        edit->setText(CarNumberOnLeave(edit->text(), DecimalsOf(field)));
    } else if (IsDateField(field)) {
        auto* edit = static_cast<QLineEdit*>(field);
        // Leaving for Cancel throws the typing away anyway.
        if (!CarDateAcceptable(edit->displayText()) && QApplication::focusWidget() != m_cancelButton) {
            m_pendingDate = edit;
            QTimer::singleShot(0, this, &TCarInfoForm::ReportPendingDate);
        }
    }
}

void TCarInfoForm::FlushEnteredField() {
    QWidget* field = m_fields->LeaveEntered();
    m_pendingDate = nullptr;
    m_fields->Reenter(field);
}

// The message waits for the focus change to finish, so that the click that left the field is not
// cut in half by a modal box.
void TCarInfoForm::ReportPendingDate() {
    QLineEdit* field = m_pendingDate;
    m_pendingDate = nullptr;
    if (field && isVisible() && !CarDateAcceptable(field->displayText())) ReportBadDate(field);
}

void TCarInfoForm::ReportBadDate(QLineEdit* field) {
    MessageBox::ShowError(QStringLiteral("入力ｴﾗｰ"), QStringLiteral("日付を正しく入力してください。"));
    m_fields->Focus(field);
}

// ---- Buttons ----

CarInfo TCarInfoForm::ReadControls() const {
    CarInfo info = m_book.book().carInfo;
    info.MyCarName = m_myCarNameEdit->text();
    info.Maker = m_makerEdit->text();
    info.Number = m_numberEdit->text();
    info.TourokuDate = m_tourokuDateMaskEdit->displayText();
    info.NousyaDate = m_nousyaDateMaskEdit->displayText();
    info.NousyaRun = m_nousyaRunMemo->text();
    info.MokuhyoMivra = m_mokuhyoMivraMemo->text();
    for (int k = 1; k <= kMainteCount; ++k) {
        const QListWidgetItem* item = m_mainteCheckListBox->item(k - 1);
        info.MainteCheck[k] = item && item->checkState() == Qt::Checked ? 1 : 0;
    }
    return info;
}

void TCarInfoForm::OkButtonClick() {
    FlushEnteredField();
    // A date typed with the focus still in its field (OK by its access key) is checked as well: a
    // stored impossible date would break the maintenance due dates.
    for (QLineEdit* date : {m_tourokuDateMaskEdit, m_nousyaDateMaskEdit}) {
        if (!CarDateAcceptable(date->displayText())) {
            ReportBadDate(date);
            return;
        }
    }
    const CarInfo stored = CarInfoForStorage(ReadControls());
    m_nousyaRunMemo->setText(CarNumberOnLeave(stored.NousyaRun, NousyaRunDecimals));
    m_mokuhyoMivraMemo->setText(stored.MokuhyoMivra);

    CarBook& carBook = m_book.book();
    const CarInfo previous = carBook.carInfo;
    carBook.carInfo = stored;
    QString error;
    if (!carBook.SaveCarInfo(&error)) {
        carBook.carInfo = previous;
        MessageBox::ShowError(QStringLiteral("Tovrel"), error);
        return;
    }
    if (!m_memoLocked && !SaveCarMemo(carBook.CarFileName(QStringLiteral("CarMemo")),
                                      m_carMemoRichEdit->toPlainText(), &error)) {
        MessageBox::ShowError(QStringLiteral("Tovrel"), error);
        return;
    }
    accept();
}

void TCarInfoForm::reject() {
    m_pendingDate = nullptr;
    m_fields->Forget();
    QDialog::reject();
}

}  // namespace tovrel
