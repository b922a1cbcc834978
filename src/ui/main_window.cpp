#include "ui/main_window.h"

#include "base/text_utils.h"
#include "output/csv_export.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "settings/window_state.h"
#include "totals/startup_warnings.h"
#include "ui/about_dialog.h"
#include "ui/car_info_form.h"
#include "ui/category_totals_form.h"
#include "ui/csv_export_flow.h"
#include "ui/entry_dialog.h"
#include "ui/import_form.h"
#include "ui/main_list_model.h"
#include "ui/maintenance_due_form.h"
#include "ui/mivra_graph_form.h"
#include "ui/period_totals_form.h"
#include "ui/preview_form.h"
#include "ui/setting_form.h"
#include "ui/startup_picture_window.h"
#include "ui/warning_form.h"
#include "ui/warning_text_form.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/colors.h"
#include "ui/widgets/font_text.h"
#include "ui/widgets/help.h"
#include "ui/widgets/list_grid.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/wait_window.h"
#include "ui/window_placement.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace tovrel {

namespace {

const QString kWindowName = QStringLiteral("TMivraMainForm");
const QString kGridName = QStringLiteral("MivraStringGrid");

}  // namespace

TMivraMainForm::TMivraMainForm(Settings& settings, SettingsStore& store, QWidget* parent)
    : QMainWindow(parent), m_book(settings, store) {
    keyboardModifiers = [] { return QGuiApplication::queryKeyboardModifiers(); };
    FormCreate();
}

TMivraMainForm::~TMivraMainForm() {
    SetSettingsDialogOpener({});
    CloseHelp();
    FormDestroy();
    m_graphForm.reset();
    m_syukeiForm.reset();
    m_totalForm.reset();
    m_mainteForm.reset();
    m_warningForm.reset();
    m_previewForm.reset();
    // The dialogs that are children still save their placement through m_book; QObject would
    // delete them only after the members are gone. The window's own layout stays to the end: the
    // window still handles the removal of each child.
    while (QWidget* child = findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        delete child;
}

void TMivraMainForm::FormCreate() {
    setObjectName(kWindowName);
    // The program icon is the application's, set after the first paint (StartupCheck).
    setMinimumSize(200, 200);
    SetHelpSettingsStore(&m_book.store());

    QString error;
    const bool started = m_book.Start([this](const Settings& s) { ShowStartupPicture(s); }, &error);

    // Layout: toolbar panel, list, status bar.
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->setSpacing(0);
    auto* bevel = new QFrame;
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setFixedHeight(2);
    layout->addWidget(bevel);
    auto* toolbar = new QWidget;
    toolbar->setFixedHeight(39);
    BuildToolbar(toolbar);
    layout->addWidget(toolbar);

    m_model = new MainListModel(m_book, this);
    m_grid = new ListGrid;
    m_grid->setObjectName(kGridName);
    m_grid->installEventFilter(this);
    auto* gridBox = new QHBoxLayout;
    gridBox->setContentsMargins(8, 0, 8, 0);
    gridBox->addWidget(m_grid);
    layout->addLayout(gridBox, 1);
    setCentralWidget(central);

    static const int panelWidths[] = {120, 150, 200};
    for (int i = 0; i < 3; ++i) {
        m_status[i] = new QLabel;
        m_status[i]->setMinimumWidth(panelWidths[i]);
        statusBar()->addWidget(m_status[i], i == 2 ? 1 : 0);
    }
    SetHint(statusBar(), m_book.table().CapacityHint());

    BuildMenus();
    BuildPopupMenus();

    m_newButtonPushTimer = new QTimer(this);
    m_newButtonPushTimer->setSingleShot(true);
    m_newButtonPushTimer->setInterval(10);
    connect(m_newButtonPushTimer, &QTimer::timeout, this, &TMivraMainForm::NewSpeedButtonClick);
    m_warningTimer = new QTimer(this);
    m_warningTimer->setSingleShot(true);
    m_warningTimer->setInterval(100);
    connect(m_warningTimer, &QTimer::timeout, this, &TMivraMainForm::WarningTimerTimer);

    resize(760, 480);
    RestoreWindowPlacement(this, m_book.store(), kWindowName, true);

    connect(&m_book.table(), &RecordTable::countChanged, this, [this] { UpdateStatusPanels(); });
    // However a result is left (show all, saving, the save prompt, loading a car), the list is
    // editable again and shows the full list where it was.
    connect(&m_book.table(), &RecordTable::searchViewChanged, this, &TMivraMainForm::SearchViewChanged);
    connect(m_grid, &ListGrid::headerDoubleClicked, this,
            [this](int column) { m_grid->AutoFitColumn(column); });
    connect(m_grid, &ListGrid::cellDoubleClicked, this, [this](int, int) { MivraStringGridDblClick(); });

    m_grid->SetColumnColors(LoadGridColors(m_book.store(), kGridName, ColumnCount - 1));
    ApplyListFont();
    // After the font: measuring the numbers of an empty list for it would be in vain.
    m_grid->setModel(m_model);
    ApplyStoredWidths();
    m_graphSel->setCurrentIndex(m_book.settings().MainGraphSel == 1 ? 1 : 0);
    SetListEditable(true);
    if (m_book.ReadOnly())
        MessageBox::ShowWarning(QStringLiteral("データフォルダ使用中"), m_book.ReadOnlyNotice());
    if (!started && !error.isEmpty()) ShowFileError(error);
    BuildCarMenus();
    UpdateCaption();
    UpdateStatusPanels();

    if (m_startupPicture && !(m_book.settings().JpgDispWait && m_book.settings().JpgWaitTime >= 1)) {
        m_startupPicture->close();
    }
}

// The other windows, made once each; after the list's first paint, so that the user sees the list
// first, or earlier on first use.
void TMivraMainForm::CreateWindows() {
    if (m_windowsCreated) return;
    m_windowsCreated = true;
    m_entry = new TMivraInputForm(m_book, this);
    m_entry->selectListRow = [this](int slot) { SelectRow(slot); };
    // The dialog has already recomputed the status after storing a record itself.
    m_entry->recordsChanged = [this] {
        UpdateStatusPanels();
        m_model->RefreshAll();
    };
    m_syukeiForm = std::make_unique<TMivraSyukeiForm>(m_book, this);
    m_about = new TAboutBox(this);
    m_totalForm = std::make_unique<TTotalForm>(m_book, this);
    m_graphForm = std::make_unique<TMivraGraphForm>(m_book);
    m_graphForm->SetGraphSettingsOpener([this](QWidget*) { return OpenSettings(SettingTab::Graph); });
    m_totalForm->SetGraphForm(m_graphForm.get());
    m_mainteForm = std::make_unique<TMainteForm>(m_book, this);
    m_warningForm = std::make_unique<TWarningForm>(m_book, this);
    m_warningTextForm = new TWarningTextForm(this);
    m_carInfoForm = new TCarInfoForm(m_book, this);
    CreateSearchForms();
    m_previewForm = std::make_unique<TPreviewForm>(m_book.store());
    m_previewForm->SetPrintSettingsOpener([this](QWidget*, int form) { OpenSettings(SettingTab::Print, form); });
    m_settingForm = new TSettingForm(m_book, this);
    m_settingForm->SetWarningTextForm(m_warningTextForm);
    m_settingForm->shiftHeld = [this] { return ShiftHeld(); };
    m_settingForm->fontChanged = [this] { ListFontChanged(); };
    m_settingForm->settingsApplied = [this](const SettingsApplyResult& result) { SettingsStored(result); };
    SetSettingsDialogOpener([this](SettingTab tab, int form) { return OpenSettings(tab, form); });
    m_entry->openNameSettings = [this] { return OpenSettings(SettingTab::Item); };

    m_entry->SetLastDate(DateToText(QDate::currentDate()));
}

void TMivraMainForm::ShowStartupPicture(const Settings& settings) {
    m_startupPicture = StartupPictureWindow::Open(settings.JpgFileName);
    if (!m_startupPicture) return;
    if (settings.JpgDispWait && settings.JpgWaitTime >= 1) {
        m_jpgOpenTimer = new QTimer(this);
        m_jpgOpenTimer->setSingleShot(true);
        connect(m_jpgOpenTimer, &QTimer::timeout, this, [this] {
            if (m_startupPicture) m_startupPicture->close();
        });
        m_jpgOpenTimer->start(settings.JpgWaitTime * 1000);
    }
}

void TMivraMainForm::ApplyListFont() {
    const Settings& s = m_book.settings();
    m_grid->ApplyFont(ListFont(s.FontName, s.FontSize, s.FontStyle));
    m_grid->SizeColumns(QVector<int>(kColumnChars.begin(), kColumnChars.end()));
    m_grid->SetKeptColumns({ColNo, ColDay, ColYobi, ColTime, ColWeather});
    m_grid->SetMinimumFreeWidth(m_grid->DefaultWidths().value(ColWeather) / 2);
    m_grid->SetFixedColumns(s.DayFix ? 3 : 1);
    m_grid->SetSelectColor(s.SelectColor);
}

void TMivraMainForm::ListFontChanged() {
    const QVector<int> before = m_grid->ColumnWidths();
    ApplyListFont();
    QVector<int> widths = m_grid->DefaultWidths();
    for (int col = 0; col < widths.size() && col < before.size(); ++col) {
        if (before[col] == 1) widths[col] = 1;
    }
    m_grid->SetColumnWidths(widths);
    syukeiForm()->ApplyListFont();
    totalForm()->ApplyListFont();
    mainteForm()->ApplyListFont();
    warningForm()->ApplyFont();
}

bool TMivraMainForm::OpenSettings(SettingTab tab, int printForm) {
    // The dialog saves the settings, column widths included.
    StoreListWidths();
    // Under an open entry dialog the car and its records stay: they hold the record being typed.
    settingForm()->SetCarLocked(entryDialog()->isVisible());
    // Over the window it was opened from: while a list window or the preview shows, this one is
    // disabled, and so would be a dialog that stays its child.
    QWidget* over = QApplication::activeWindow();
    if (!over || over == settingForm()) over = this;
    const Qt::WindowFlags flags = settingForm()->windowFlags();
    if (over != this) settingForm()->setParent(over, flags);
    const bool accepted = settingForm()->Open(tab, printForm);
    if (over != this) settingForm()->setParent(this, flags);
    if (!accepted) return false;
    RecalcStatus();
    return true;
}

void TMivraMainForm::SettingsStored(const SettingsApplyResult& result) {
    const Settings& s = m_book.settings();
    if (result.timeInputChanged || result.weatherInputChanged) {
        QVector<int> widths = m_grid->ColumnWidths();
        const QVector<int> defaults = m_grid->DefaultWidths();
        if (result.timeInputChanged) widths[ColTime] = s.TimeInput ? defaults.value(ColTime) : 1;
        if (result.weatherInputChanged) widths[ColWeather] = s.WeatherInput ? defaults.value(ColWeather) : 1;
        m_grid->SetColumnWidths(widths);
    }
    m_grid->SetFixedColumns(s.FixedColumns);
    m_grid->SetSelectColor(s.SelectColor);
    StepWait();
    if (result.carMenusChanged) BuildCarMenus(!entryDialog()->isVisible());
    StepWait();
}

void TMivraMainForm::StoreListWidths() {
    QStringList widths;
    for (int w : m_grid->ColumnWidths())
        widths.append(QString::number(w));
    m_book.settings().MivraCellSize = widths.join(QLatin1Char(','));
}

void TMivraMainForm::ApplyStoredWidths() {
    const Settings& s = m_book.settings();
    const QVector<int> defaults = m_grid->DefaultWidths();
    QVector<int> widths = defaults;
    for (int col = 0; col < ColumnCount; ++col) {
        const int stored = ParseInt(CommaItem(s.MivraCellSize, col + 1), -1);
        if (stored == 1)
            widths[col] = 1;
        else if (col > ColWeather && stored > 1)
            widths[col] = stored;
    }
    if (!s.TimeInput) widths[ColTime] = 1;
    if (!s.WeatherInput) widths[ColWeather] = 1;
    m_grid->SetColumnWidths(widths);
}

void TMivraMainForm::UpdateStatusPanels() {
    m_status[0]->setText(m_book.table().CountStatusText());
    m_status[1]->setText(m_book.status().averageText);
    m_status[2]->setText(m_book.status().distanceText);
}

QString TMivraMainForm::StatusText(int panel) const {
    return panel >= 0 && panel < 3 ? m_status[panel]->text() : QString();
}

void TMivraMainForm::RecalcStatus() {
    m_book.RecalcStatus();
    UpdateStatusPanels();
    m_model->RefreshAll();
}

void TMivraMainForm::SetListEditable(bool on) {
    for (QAction* a : m_editActions)
        a->setEnabled(on);
    for (QAction* a : m_showAllActions)
        a->setEnabled(!on);
    for (QAction* a : m_notYetActions)
        a->setEnabled(false);
}

int TMivraMainForm::SelectionTop() const {
    const GridSpan rows = m_grid->SelectedRowRange();
    const int row = rows.IsEmpty() ? std::max(0, m_grid->currentIndex().row()) : rows.first;
    return MainListModel::SlotOfRow(row);
}

int TMivraMainForm::SelectionBottom() const {
    const GridSpan rows = m_grid->SelectedRowRange();
    const int row = rows.IsEmpty() ? std::max(0, m_grid->currentIndex().row()) : rows.last;
    return MainListModel::SlotOfRow(row);
}

void TMivraMainForm::SelectRow(int slot) {
    const int row = MainListModel::RowOfSlot(std::clamp(slot, 1, m_book.table().Capacity()));
    m_grid->selectRow(row);
    m_grid->scrollTo(m_model->index(row, 1));
}

void TMivraMainForm::ShowLastRecord() {
    const RecordTable& table = m_book.table();
    const int count = table.RecordCount();
    if (count == 0) {
        m_grid->SetTopRow(0);
        m_grid->selectRow(0);
    } else {
        const int visible = m_grid->VisibleRows();
        const int top = std::clamp(count - visible + 2, 1, std::max(1, table.Capacity() - visible + 1));
        m_grid->SetTopRow(MainListModel::RowOfSlot(top));
        // A full table keeps the cursor on its last record too, so focusing the list does not jump to row 1.
        m_grid->selectRow(MainListModel::RowOfSlot(count));
    }
    m_grid->horizontalScrollBar()->setValue(0);
}

bool TMivraMainForm::ShiftHeld() const {
    return keyboardModifiers().testFlag(Qt::ShiftModifier);
}

void TMivraMainForm::ShowFileError(const QString& error) {
    MessageBox::ShowError(QStringLiteral("Tovrel"), error);
}

void TMivraMainForm::NewSpeedButtonClick() {
    RecordTable& table = m_book.table();
    const int count = table.RecordCount();
    if (count >= table.Capacity()) {
        MessageBox::ShowError(QStringLiteral("登録数ｵｰﾊﾞｰ"),
                              QString::number(table.Capacity()) + QStringLiteral("件以上は登録できません。"));
        return;
    }
    const FuelRecord reference = table.GetRecord(count);
    entryDialog()->SetMode(TMivraInputForm::NewMode);
    entryDialog()->SetRecordIndex(count + 1);
    entryDialog()->LoadRecord(FuelRecord());
    if (entryDialog()->exec() != QDialog::Accepted) return;
    const bool continuous = entryDialog()->CtrlHeldAtOk();
    const FuelRecord record = entryDialog()->TakeRecord();
    table.SetRecordCount(count + 1);
    table.SetRecord(count + 1, record);
    RecalcStatus();
    int slot = count + 1;
    if (RecordTable::KeyLess(table.At(slot), reference)) {
        const FuelRecord stored = table.At(slot);
        table.SortRecords();
        for (int i = 1; i <= table.RecordCount(); ++i) {
            if (table.At(i) == stored) {
                slot = i;
                break;
            }
        }
    }
    SelectRow(slot);
    if (continuous) m_newButtonPushTimer->start();
}

void TMivraMainForm::EditItemClick() {
    RecordTable& table = m_book.table();
    const bool editable = FindAction(QStringLiteral("EditItem"))->isEnabled();
    entryDialog()->SetMode(editable ? TMivraInputForm::EditMode : TMivraInputForm::ViewMode);
    const int r = SelectionTop();
    if (r < 1 || r > table.RecordCount()) {
        if (editable) NewSpeedButtonClick();
        return;
    }
    const FuelRecord kept = table.GetRecord(r);
    entryDialog()->SetRecordIndex(r);
    entryDialog()->LoadRecord(kept);
    if (entryDialog()->exec() != QDialog::Accepted || !editable) return;
    const int d = entryDialog()->RecordIndex();
    table.SetRecord(d, entryDialog()->TakeRecord());
    RecalcStatus();
    if (table.At(d).Day() + table.At(d).Time() != kept.Day() + kept.Time()) table.SortRecords();
}

void TMivraMainForm::MivraStringGridDblClick() {
    EditItemClick();
}

void TMivraMainForm::DeleteSpeedButtonClick() {
    RecordTable& table = m_book.table();
    const int t = SelectionTop();
    int b = SelectionBottom();
    if (t < 1 || t > table.RecordCount()) return;
    b = std::min(b, table.RecordCount());
    if (t == b) {
        entryDialog()->SetMode(TMivraInputForm::DeleteMode);
        entryDialog()->SetRecordIndex(t);
        entryDialog()->LoadRecord(table.GetRecord(t));
        if (entryDialog()->exec() != QDialog::Accepted) return;
    } else if (!MessageBox::AskYesNo(QStringLiteral("削除確認"),
                                     table.At(t).Day() + QStringLiteral(" ～ ") + table.At(b).Day() +
                                         QStringLiteral(" のﾃﾞｰﾀを削除しますか？"))) {
        return;
    }
    table.RemoveRange(t, b);
    RecalcStatus();
}

void TMivraMainForm::SaveItemClick() {
    QString error;
    if (!m_book.SaveLogFile(&error)) ShowFileError(error);
    RecalcStatus();
}

void TMivraMainForm::ImportItemClick() {
    if (!ImportLogFile(this, m_book)) return;
    RecalcStatus();
    ShowLastRecord();
}

void TMivraMainForm::AllSelectItemClick() {
    const QModelIndex current = m_grid->currentIndex();
    const int col = current.isValid() ? current.column() : 1;
    const QItemSelection all(m_model->index(0, col), m_model->index(m_model->rowCount() - 1, col));
    m_grid->selectionModel()->select(all, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TMivraMainForm::ExitItemClick() {
    m_book.settings().MainGraphSel = m_graphSel->currentIndex();
    close();
}

void TMivraMainForm::ToggleCellColorMode() {
    const bool on = m_cellColorMode->isChecked();
    for (QAction* a : m_cellColorItems)
        a->setVisible(on);
    m_grid->SetCellColorMode(on);
}

void TMivraMainForm::FileMenuClick() {
    const PrintForms& forms = m_book.book().printForms;
    for (int n = 1; n <= 3; ++n) {
        const QString caption = FormItemCaption(forms[n].name, n);
        m_printItems[n]->setText(caption);
        m_csvItems[n]->setText(caption);
    }
}

void TMivraMainForm::MainOutFileItemClick(int formNumber) {
    ExportCsv(this, m_book, formNumber, MainListSource(m_book.table()));
}

void TMivraMainForm::MainPrintItemClick(int formNumber) {
    StartPrintJob(this, m_book, formNumber, MainListSource(m_book.table()));
}

void TMivraMainForm::MainteInitItemClick() {
    if (!MessageBox::AskYesNo(QStringLiteral("ﾒﾝﾃﾅﾝｽ設定の初期化確認"),
                              QStringLiteral("[環境設定]の[ﾒﾝﾃﾅﾝｽ設定]を 全てﾃﾞﾌｫﾙﾄ値に初期化しますか？"))) {
        return;
    }
    QString error;
    if (!m_book.book().ResetMainteSettings(m_book.settings(), &error)) ShowFileError(error);
}

void TMivraMainForm::ResizeItemClick() {
    for (int col = 0; col < ColumnCount; ++col)
        m_grid->ResetColumnWidth(col);
}

void TMivraMainForm::ResizeOneItemClick(int column) {
    m_grid->ResetColumnWidth(column);
}

void TMivraMainForm::ShowHelp() {
    OpenHelp(HelpContents);
}

void TMivraMainForm::AboutItemClick() {
    aboutBox()->exec();
}

void TMivraMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        FormShow();
    }
}

void TMivraMainForm::FormShow() {
    // The list's height is known only now.
    ShowLastRecord();
    // The user sees the list first: the start-up check follows its first paint.
    m_firstPaintWatch = m_grid->viewport();
    m_firstPaintWatch->installEventFilter(this);
}

void TMivraMainForm::StartupCheck() {
    SetProgramWindowIcon();
    CreateWindows();
    ShowWaitMessage(this, QStringLiteral("集計中"), 50 * NamedCarCount(m_book.book()));
    m_warnings = m_book.CollectStartupWarnings(QDate::currentDate(), StepWait);
    CloseWait();
    m_startupChecked = true;
    m_warningTimer->start();
}

void TMivraMainForm::WarningTimerTimer() {
    m_warningTimer->stop();
    const bool show = FinishStartupWarnings(m_warnings);
    warningForm()->SetWarnings(m_warnings);
    if (!show) return;
    warningForm()->show();
    QApplication::beep();
}

void TMivraMainForm::TotalItemClick() {
    totalForm()->show();
    totalForm()->raise();
    totalForm()->activateWindow();
}

void TMivraMainForm::GraphItemClick() {
    if (m_book.table().RecordCount() <= 0) {
        MessageBox::ShowError(QStringLiteral("ｸﾞﾗﾌ表示ｴﾗｰ"),
                              QStringLiteral("ｸﾞﾗﾌ表示するﾃﾞｰﾀがありません。"));
        return;
    }
    graphForm()->ShowGraph(this, MainWindowGraphKind(m_graphSel->currentIndex()), nullptr);
}

void TMivraMainForm::SyukeiItemClick(int mode) {
    syukeiForm()->SetMode(mode);
    syukeiForm()->show();
    syukeiForm()->raise();
    syukeiForm()->activateWindow();
}

void TMivraMainForm::WarningItemClick() {
    warningForm()->show();
    warningForm()->raise();
    warningForm()->activateWindow();
}

void TMivraMainForm::AllItemClick() {
    m_book.ShowAll();
    SetListEditable(true);
    UpdateStatusPanels();
    m_model->RefreshAll();
}

void TMivraMainForm::MainteKigenSyukeiClick() {
    if (m_book.table().IsSearchActive()) {
        if (!MessageBox::AskYesNo(QStringLiteral("検索解除"),
                                  QStringLiteral("ﾒﾝﾃﾅﾝｽ期限集計を表示するためには、検索の解除が必要です。\n"
                                                 "今すぐ、検索の解除を行いますか。"))) {
            return;
        }
        AllItemClick();
    }
    mainteForm()->show();
    mainteForm()->raise();
    mainteForm()->activateWindow();
}

void TMivraMainForm::closeEvent(QCloseEvent* event) {
    if (!m_book.ConfirmSave(ShiftHeld())) {
        RecalcStatus();
        event->ignore();
        return;
    }
    event->accept();
    FormDestroy();
}

void TMivraMainForm::FormDestroy() {
    if (m_destroyed) return;
    m_destroyed = true;
    StoreListWidths();
    SaveSettings(m_book.store(), m_book.settings(), m_book.book().currentCar);
    SaveWindowPlacement(this, m_book.store(), kWindowName, true);
    SaveGridColors(m_book.store(), kGridName, m_grid->ColumnColors());
    m_book.store().Sync();
}

bool TMivraMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_carPicture) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() == Qt::LeftButton)
                m_carPopup->popup(e->globalPosition().toPoint());
            else if (e->button() == Qt::RightButton)
                m_jpgPopup->popup(e->globalPosition().toPoint());
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            ChooseCarPicture();
            return true;
        }
    } else if (watched == m_firstPaintWatch && event->type() == QEvent::Paint) {
        m_firstPaintWatch->removeEventFilter(this);
        m_firstPaintWatch = nullptr;
        // Queued behind this paint and its flush to the screen.
        QTimer::singleShot(0, this, &TMivraMainForm::StartupCheck);
    } else if (watched == m_grid && event->type() == QEvent::KeyPress) {
        auto* e = static_cast<QKeyEvent*>(event);
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
            (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (FindAction(QStringLiteral("EditItem"))->isEnabled()) EditItemClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tovrel
