#include "ui/main_window.h"

#include "data/text_utils.h"
#include "output/csv_export.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "settings/window_state.h"
#include "totals/startup_warnings.h"
#include "ui/about_dialog.h"
#include "ui/category_totals_form.h"
#include "ui/csv_export_flow.h"
#include "ui/entry_dialog.h"
#include "ui/main_list_model.h"
#include "ui/maintenance_due_form.h"
#include "ui/period_totals_form.h"
#include "ui/startup_picture_window.h"
#include "ui/warning_form.h"
#include "ui/warning_text_form.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/colors.h"
#include "ui/widgets/file_dialog.h"
#include "ui/widgets/font_text.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/list_grid.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/wait_window.h"
#include "ui/window_placement.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovrel {

namespace {

const QString kWindowName = QStringLiteral("TMivraMainForm");
const QString kGridName = QStringLiteral("MivraStringGrid");
const QString kPictureFilter = QStringLiteral("画像(JPG)ﾌｧｲﾙ|*.jpg;*.jpeg|全てのﾌｧｲﾙ|*.*");

// Resize sub-items of "表を標準ｾﾙ幅に戻す", in Tag order 1..16.
const char16_t* const kResizeCaptions[] = {u"&1 日付",     u"&2 曜日",         u"&3 時刻",     u"&4 天気",
                                           u"&5 給油距離", u"&6 走行距離",     u"&7 給油量",   u"&8 燃費",
                                           u"&9 支払金額", u"&A 単価",         u"&B 燃料種別", u"&C スタンド",
                                           u"&D パターン", u"&E メンテナンス", u"&F ショップ", u"&G メモ"};

}  // namespace

TMivraMainForm::TMivraMainForm(Settings& settings, SettingsStore& store, QWidget* parent)
    : QMainWindow(parent), m_book(settings, store) {
    keyboardModifiers = [] { return QGuiApplication::queryKeyboardModifiers(); };
    FormCreate();
}

TMivraMainForm::~TMivraMainForm() {
    FormDestroy();
    m_syukeiForm.reset();
    m_totalForm.reset();
    m_mainteForm.reset();
    m_warningForm.reset();
}

void TMivraMainForm::FormCreate() {
    setObjectName(kWindowName);
    setWindowIcon(ProgramIcon());
    setMinimumSize(200, 200);

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
    m_grid->setModel(m_model);
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
    m_mainteForm = std::make_unique<TMainteForm>(m_book, this);
    m_warningForm = std::make_unique<TWarningForm>(m_book, this);
    m_warningTextForm = new TWarningTextForm(this);

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
    connect(m_grid, &ListGrid::headerDoubleClicked, this,
            [this](int column) { m_grid->AutoFitColumn(column); });
    connect(m_grid, &ListGrid::cellDoubleClicked, this, [this](int, int) { MivraStringGridDblClick(); });

    m_grid->SetColumnColors(LoadGridColors(m_book.store(), kGridName, ColumnCount - 1));
    ApplyListFont();
    ApplyStoredWidths();
    m_entry->SetLastDate(DateToText(QDate::currentDate()));
    m_graphSel->setCurrentIndex(m_book.settings().MainGraphSel == 1 ? 1 : 0);
    SetListEditable(true);
    if (!started && !error.isEmpty()) ShowFileError(error);
    BuildCarMenus();
    UpdateCaption();
    UpdateStatusPanels();

    if (m_startupPicture && !(m_book.settings().JpgDispWait && m_book.settings().JpgWaitTime >= 1)) {
        m_startupPicture->close();
    }
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

void TMivraMainForm::BuildToolbar(QWidget* panel) {
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 3, 8, 3);
    row->setSpacing(0);

    m_carPicture = new QLabel;
    m_carPicture->setFixedSize(32, 32);
    m_carPicture->setAlignment(Qt::AlignCenter);
    m_carPicture->setAutoFillBackground(true);
    QPalette white = m_carPicture->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_carPicture->setPalette(white);
    m_carPicture->setFrameShape(QFrame::Box);
    m_carPicture->installEventFilter(this);
    SetHint(m_carPicture,
            QStringLiteral(
                "左ｸﾘｯｸで、車を切り替える事ができます。\r\n右ｸﾘｯｸで、お好きな画像を指定する事ができます。"));
    row->addWidget(m_carPicture);
    row->addSpacing(8);

    const auto button = [&](const QString& name, ToolIconId icon, const QString& hint) {
        auto* b = new QToolButton;
        b->setObjectName(name);
        b->setAutoRaise(true);
        b->setFixedSize(25, 25);
        b->setIconSize(QSize(19, 19));
        b->setIcon(ToolIcon(icon));
        b->setFocusPolicy(Qt::NoFocus);
        SetHint(b, hint);
        row->addWidget(b);
        return b;
    };
    button(QStringLiteral("NewSpeedButton"), ToolIconId::NewRecord, QStringLiteral("新規ﾃﾞｰﾀ"));
    button(QStringLiteral("DeleteSpeedButton"), ToolIconId::Delete, QStringLiteral("ﾃﾞｰﾀ削除"));
    button(QStringLiteral("SaveSpeedButton"), ToolIconId::Save, QStringLiteral("保存"));
    row->addSpacing(6);
    button(QStringLiteral("SearchSpeedButton"), ToolIconId::Search, QStringLiteral("検索"));
    button(QStringLiteral("AllSpeedButton"), ToolIconId::ShowAll, QStringLiteral("検索解除"));
    row->addSpacing(6);
    button(QStringLiteral("TotalSpeedButton"), ToolIconId::PeriodTotals, QStringLiteral("期間集計"));
    button(QStringLiteral("GraphSpeedButton"), ToolIconId::Graph, QStringLiteral("ｸﾞﾗﾌ表示"));
    auto* graphLabel = new QLabel(QStringLiteral("ｸﾞﾗﾌ種類"));
    row->addSpacing(4);
    row->addWidget(graphLabel);
    row->addSpacing(4);
    m_graphSel = new QComboBox;
    m_graphSel->setObjectName(QStringLiteral("GraphSelComboBox"));
    m_graphSel->addItems({QStringLiteral("燃費推移"), QStringLiteral("単価推移")});
    m_graphSel->setFocusPolicy(Qt::NoFocus);
    SetHint(m_graphSel, QStringLiteral("表示するｸﾞﾗﾌの種類を選択します。"));
    row->addWidget(m_graphSel);
    row->addSpacing(6);
    button(QStringLiteral("MainteSpeedButton"), ToolIconId::MaintenanceDue, QStringLiteral("ﾒﾝﾃﾅﾝｽ期限集計"));
    button(QStringLiteral("PrintSpeedButton"), ToolIconId::Print, QStringLiteral("印刷"));
    row->addSpacing(6);
    button(QStringLiteral("CarInfoSpeedButton"), ToolIconId::CarInfo, QStringLiteral("愛車情報"));
    button(QStringLiteral("SettingSpeedButton"), ToolIconId::Settings, QStringLiteral("環境設定"));
    row->addSpacing(6);
    button(QStringLiteral("ExitSpeedButton"), ToolIconId::Exit, QStringLiteral("終了"));
    row->addStretch(1);
}

QAction* TMivraMainForm::AddAction(QMenu* menu, const QString& name, const QString& caption,
                                   void (TMivraMainForm::*slot)(), const QKeySequence& shortcut) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    if (slot) connect(action, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
    if (menu) menu->addAction(action);
    return action;
}

QAction* TMivraMainForm::FindAction(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void TMivraMainForm::BuildMenus() {
    // File
    m_fileMenu = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    AddAction(m_fileMenu, QStringLiteral("SaveItem"), QStringLiteral("保存(&S)"),
              &TMivraMainForm::SaveItemClick, QKeySequence(Qt::CTRL | Qt::Key_S));
    QMenu* print = m_fileMenu->addMenu(QStringLiteral("印刷(&P)"));
    QMenu* csv = m_fileMenu->addMenu(QStringLiteral("CSVﾌｧｲﾙ出力(&O)"));
    for (int n = 1; n <= 3; ++n) {
        m_printItems[n] = AddAction(print, QStringLiteral("MainPrint%1Item").arg(n), QString(), nullptr);
        m_notYetActions.append(m_printItems[n]);
        m_csvItems[n] = AddAction(csv, QStringLiteral("MainFileOut%1Item").arg(n), QString(), nullptr);
        connect(m_csvItems[n], &QAction::triggered, this, [this, n] { MainOutFileItemClick(n); });
    }
    m_fileMenu->addSeparator();
    AddAction(m_fileMenu, QStringLiteral("ExitItem"), QStringLiteral("終了(&X)"),
              &TMivraMainForm::ExitItemClick);
    connect(m_fileMenu, &QMenu::aboutToShow, this, &TMivraMainForm::FileMenuClick);
    FileMenuClick();

    // Edit
    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    m_editActions << AddAction(edit, QStringLiteral("NewItem"), QStringLiteral("新規(&N)..."),
                               &TMivraMainForm::NewSpeedButtonClick);
    m_editActions << AddAction(edit, QStringLiteral("EditItem"), QStringLiteral("修正(&E)..."),
                               &TMivraMainForm::EditItemClick);
    m_editActions << AddAction(edit, QStringLiteral("DeleteItem"), QStringLiteral("削除(&D)..."),
                               &TMivraMainForm::DeleteSpeedButtonClick);
    edit->addSeparator();
    AddAction(edit, QStringLiteral("AllSelectItem"), QStringLiteral("全て選択(&S)"),
              &TMivraMainForm::AllSelectItemClick, QKeySequence(Qt::CTRL | Qt::Key_A));

    // Search
    QMenu* search = menuBar()->addMenu(QStringLiteral("検索(&S)"));
    m_notYetActions << AddAction(search, QStringLiteral("JumpItem"), QStringLiteral("指定日ｼﾞｬﾝﾌﾟ(&J)..."),
                                 nullptr);
    m_notYetActions << AddAction(search, QStringLiteral("SearchItem"), QStringLiteral("検索(&S)..."), nullptr,
                                 QKeySequence(Qt::Key_F3));
    m_showAllActions << AddAction(search, QStringLiteral("AllItem"), QStringLiteral("検索解除(&A)"),
                                  &TMivraMainForm::AllItemClick);

    // View
    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    AddAction(view, QStringLiteral("TotalItem"), QStringLiteral("期間集計(&K)..."),
              &TMivraMainForm::TotalItemClick);
    m_notYetActions << AddAction(view, QStringLiteral("GraphItem"), QStringLiteral("ｸﾞﾗﾌ表示(&G)..."),
                                 nullptr);
    AddAction(view, QStringLiteral("MainteKigenSyukeiItem"), QStringLiteral("ﾒﾝﾃﾅﾝｽ期限集計(&W)..."),
              &TMivraMainForm::MainteKigenSyukeiClick);
    AddAction(view, QStringLiteral("WarningItem"), QStringLiteral("起動時のﾒﾝﾃﾅﾝｽ期限警告(&B)..."),
              &TMivraMainForm::WarningItemClick);
    view->addSeparator();
    const struct {
        const char16_t* name;
        const char16_t* caption;
    } syukei[] = {{u"GasSelSyukeiItem", u"燃料種別集計(&N)..."},
                  {u"StandSyukeiItem", u"ｽﾀﾝﾄﾞ別集計(&S)..."},
                  {u"PatternSyukeiItem", u"ﾊﾟﾀｰﾝ別集計(&P)..."},
                  {u"MainteSyukeiItem", u"ﾒﾝﾃﾅﾝｽ別集計(&M)..."}};
    for (int mode = 0; mode < 4; ++mode) {
        QAction* a = AddAction(view, QString::fromUtf16(syukei[mode].name),
                               QString::fromUtf16(syukei[mode].caption), nullptr);
        connect(a, &QAction::triggered, this, [this, mode] { SyukeiItemClick(mode); });
        // Shifted fuel types and stations are not offered for a search result.
        if (mode < 2) m_editActions << a;
    }
    QAction* recalc = AddAction(view, QStringLiteral("ReCalcItem"), QStringLiteral("再計算(&C)"), nullptr);
    recalc->setVisible(false);
    view->addSeparator();
    QMenu* resize = view->addMenu(QStringLiteral("表を標準ｾﾙ幅に戻す(&R)"));
    AddAction(resize, QStringLiteral("ResizeItem"), QStringLiteral("&0 全て"),
              &TMivraMainForm::ResizeItemClick);
    resize->addSeparator();
    for (int tag = 1; tag <= 16; ++tag) {
        QAction* a = AddAction(resize, QStringLiteral("Resize%1Item").arg(tag),
                               QString::fromUtf16(kResizeCaptions[tag - 1]), nullptr);
        connect(a, &QAction::triggered, this, [this, tag] { ResizeOneItemClick(tag); });
    }

    // Cars
    QMenu* cars = menuBar()->addMenu(QStringLiteral("車切替(&C)"));
    m_carGroup = new QActionGroup(this);
    m_carGroup->setExclusive(true);
    for (int k = 1; k <= kListSlots; ++k) {
        m_carItems[k] = AddAction(cars, QStringLiteral("Car%1Item").arg(k), QString(), nullptr);
        m_carItems[k]->setCheckable(true);
        m_carGroup->addAction(m_carItems[k]);
        connect(m_carItems[k], &QAction::triggered, this, [this, k] { CarItemClick(k); });
    }

    // Options
    QMenu* options = menuBar()->addMenu(QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"));
    m_notYetActions << AddAction(options, QStringLiteral("CarInfoItem"), QStringLiteral("愛車情報(&J)..."),
                                 nullptr);
    m_notYetActions << AddAction(options, QStringLiteral("SettingItem"), QStringLiteral("環境設定(&E)..."),
                                 nullptr);
    options->addSeparator();
    m_notYetActions << AddAction(options, QStringLiteral("AllMivraItem"),
                                 QStringLiteral("まとめ燃費計算(&M)..."), nullptr);
    m_notYetActions << AddAction(options, QStringLiteral("TotalRunCalcItem"),
                                 QStringLiteral("走行距離計算(&C)..."), nullptr);
    options->addSeparator();
    AddAction(options, QStringLiteral("MainteInitItem"), QStringLiteral("ﾒﾝﾃﾅﾝｽ設定の初期化(&I)..."),
              &TMivraMainForm::MainteInitItemClick);

    // Help
    QMenu* help = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    AddAction(help, QStringLiteral("HelpItem"), QStringLiteral("ﾍﾙﾌﾟ(&H)..."), &TMivraMainForm::ShowHelp);
    help->addSeparator();
    AddAction(help, QStringLiteral("AboutItem"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)..."),
              &TMivraMainForm::AboutItemClick);
    auto* helpKey = new QAction(this);
    helpKey->setShortcut(QKeySequence(Qt::Key_F1));
    connect(helpKey, &QAction::triggered, this, &TMivraMainForm::ShowHelp);
    addAction(helpKey);

    // Toolbar buttons do what their menu items do.
    const auto wire = [this](const QString& button, const QString& action) {
        auto* b = findChild<QToolButton*>(button);
        QAction* a = FindAction(action);
        if (!b || !a) return;
        connect(b, &QToolButton::clicked, a, &QAction::trigger);
        const auto follow = [b, a] { b->setEnabled(a->isEnabled()); };
        connect(a, &QAction::changed, b, follow);
        follow();
    };
    wire(QStringLiteral("NewSpeedButton"), QStringLiteral("NewItem"));
    wire(QStringLiteral("DeleteSpeedButton"), QStringLiteral("DeleteItem"));
    wire(QStringLiteral("SaveSpeedButton"), QStringLiteral("SaveItem"));
    wire(QStringLiteral("SearchSpeedButton"), QStringLiteral("SearchItem"));
    wire(QStringLiteral("AllSpeedButton"), QStringLiteral("AllItem"));
    wire(QStringLiteral("TotalSpeedButton"), QStringLiteral("TotalItem"));
    wire(QStringLiteral("GraphSpeedButton"), QStringLiteral("GraphItem"));
    wire(QStringLiteral("MainteSpeedButton"), QStringLiteral("MainteKigenSyukeiItem"));
    wire(QStringLiteral("PrintSpeedButton"), QStringLiteral("MainPrint1Item"));
    wire(QStringLiteral("CarInfoSpeedButton"), QStringLiteral("CarInfoItem"));
    wire(QStringLiteral("SettingSpeedButton"), QStringLiteral("SettingItem"));
    wire(QStringLiteral("ExitSpeedButton"), QStringLiteral("ExitItem"));
    // The graph window is not built yet; its kind choice goes with it.
    m_graphSel->setEnabled(false);
}

void TMivraMainForm::BuildPopupMenus() {
    m_listPopup = new QMenu(this);
    const auto popupItem = [this](const QString& name, const QString& caption, const QKeySequence& key) {
        auto* a = new QAction(caption, this);
        a->setObjectName(name);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            m_grid->addAction(a);
        }
        m_listPopup->addAction(a);
        return a;
    };
    QAction* newItem =
        popupItem(QStringLiteral("PopNewItem"), QStringLiteral("新規(&N)..."), QKeySequence(Qt::Key_Insert));
    connect(newItem, &QAction::triggered, this, &TMivraMainForm::NewSpeedButtonClick);
    QAction* editItem =
        popupItem(QStringLiteral("PopEditItem"), QStringLiteral("修正(&E)..."), QKeySequence());
    connect(editItem, &QAction::triggered, this, &TMivraMainForm::EditItemClick);
    QAction* deleteItem = popupItem(QStringLiteral("PopDeleteItem"), QStringLiteral("削除(&D)..."),
                                    QKeySequence(Qt::Key_Delete));
    connect(deleteItem, &QAction::triggered, this, &TMivraMainForm::DeleteSpeedButtonClick);
    m_editActions << newItem << editItem << deleteItem;
    m_listPopup->addSeparator();
    m_notYetActions << popupItem(QStringLiteral("PopSearchItem"), QStringLiteral("検索(&S)..."),
                                 QKeySequence());
    QAction* popAll = popupItem(QStringLiteral("PopAllItem"), QStringLiteral("検索解除(&A)"), QKeySequence());
    connect(popAll, &QAction::triggered, this, &TMivraMainForm::AllItemClick);
    m_showAllActions << popAll;
    m_listPopup->addSeparator();
    m_notYetActions << popupItem(QStringLiteral("PopAllMivraItem"), QStringLiteral("まとめ燃費計算(&M)..."),
                                 QKeySequence());
    m_notYetActions << popupItem(QStringLiteral("PopTotalRunCalcItem"), QStringLiteral("走行距離計算(&C)..."),
                                 QKeySequence());
    m_listPopup->addSeparator();
    m_cellColorMode = popupItem(QStringLiteral("CellColorModeItem"),
                                QStringLiteral("ｾﾙの背景色/表示設定ﾓｰﾄﾞ"), QKeySequence());
    m_cellColorMode->setCheckable(true);
    connect(m_cellColorMode, &QAction::triggered, this, &TMivraMainForm::ToggleCellColorMode);
    QAction* color =
        popupItem(QStringLiteral("CellColorSetItem"), QStringLiteral("ｾﾙの背景色設定..."), QKeySequence());
    connect(color, &QAction::triggered, this, [this] { m_grid->ChooseColorForSelectedColumns(this); });
    QAction* undo =
        popupItem(QStringLiteral("ColorUndoItem"), QStringLiteral("標準背景色に戻す"), QKeySequence());
    connect(undo, &QAction::triggered, this, [this] { m_grid->ClearColorOfSelectedColumns(); });
    QAction* hide =
        popupItem(QStringLiteral("CellHideItem"), QStringLiteral("ｾﾙを非表示とする"), QKeySequence());
    connect(hide, &QAction::triggered, this, [this] { m_grid->HideSelectedColumns(); });
    QAction* width =
        popupItem(QStringLiteral("CellWidthItem"), QStringLiteral("標準ｾﾙ幅に戻す"), QKeySequence());
    connect(width, &QAction::triggered, this, [this] { m_grid->ResetWidthOfSelectedColumns(); });
    m_cellColorItems = {color, undo, hide, width};
    for (QAction* a : m_cellColorItems)
        a->setVisible(false);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { m_listPopup->popup(m_grid->viewport()->mapToGlobal(pos)); });

    m_carPopup = new QMenu(this);
    m_carPopupGroup = new QActionGroup(this);
    m_carPopupGroup->setExclusive(true);
    for (int k = 1; k <= kListSlots; ++k) {
        m_carPopupItems[k] = new QAction(this);
        m_carPopupItems[k]->setObjectName(QStringLiteral("CarSel%1Item").arg(k));
        m_carPopupItems[k]->setCheckable(true);
        m_carPopupGroup->addAction(m_carPopupItems[k]);
        m_carPopup->addAction(m_carPopupItems[k]);
        connect(m_carPopupItems[k], &QAction::triggered, this, [this, k] { CarItemClick(k); });
    }

    m_jpgPopup = new QMenu(this);
    QAction* choose = m_jpgPopup->addAction(QStringLiteral("表示画像指定..."));
    connect(choose, &QAction::triggered, this, &TMivraMainForm::ChooseCarPicture);
    QAction* clear = m_jpgPopup->addAction(QStringLiteral("表示画像解除..."));
    connect(clear, &QAction::triggered, this, &TMivraMainForm::ClearCarPicture);
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

void TMivraMainForm::BuildCarMenus() {
    const CarMenuPlan plan = m_book.PlanCarMenus();
    for (int k = 1; k <= kListSlots; ++k) {
        for (QAction* a : {m_carItems[k], m_carPopupItems[k]}) {
            a->setText(plan.items[k].caption);
            a->setEnabled(plan.items[k].enabled);
        }
    }
    for (int car : plan.selectSequence)
        SelectCarAndShow(car);
    const int current = m_book.book().currentCar;
    if (current >= 1 && current <= kListSlots) {
        m_carItems[current]->setChecked(true);
        m_carPopupItems[current]->setChecked(true);
    }
}

void TMivraMainForm::SelectCarAndShow(int car) {
    QString error;
    if (!m_book.SelectCar(car, &error)) ShowFileError(error);
    UpdateCaption();
    ShowCarPicture();
    UpdateStatusPanels();
    m_model->RefreshAll();
    ShowLastRecord();
}

void TMivraMainForm::CarItemClick(int car) {
    const int current = m_book.book().currentCar;
    if (car == current) {
        // Reloading the current car would drop its unsaved changes without a word.
        if (current >= 1) {
            m_carItems[current]->setChecked(true);
            m_carPopupItems[current]->setChecked(true);
        }
        return;
    }
    if (!m_book.ConfirmSave(ShiftHeld())) {
        if (current >= 1) {
            m_carItems[current]->setChecked(true);
            m_carPopupItems[current]->setChecked(true);
        }
        RecalcStatus();
        return;
    }
    m_carItems[car]->setChecked(true);
    m_carPopupItems[car]->setChecked(true);
    SelectCarAndShow(car);
}

void TMivraMainForm::UpdateCaption() {
    const QString name = m_book.CarName();
    setWindowTitle(m_book.book().currentCar > 0 ? QStringLiteral("Tovrel - ") + name
                                                : QStringLiteral("Tovrel"));
}

void TMivraMainForm::ShowCarPicture() {
    m_carPicture->clear();
    const QString file = m_book.book().carInfo.MyCarJpg;
    QImage image;
    if (!file.isEmpty() && QFileInfo::exists(file)) image = QImageReader(file).read();
    QPixmap pixmap = image.isNull() ? DefaultCarPicture() : QPixmap::fromImage(image);
    const QSize box(30, 30);
    m_carPicture->setPixmap(
        pixmap.scaled(box * pixmap.devicePixelRatio(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TMivraMainForm::ChooseCarPicture() {
    const QString current = m_book.book().carInfo.MyCarJpg;
    const QString dir = current.isEmpty() ? m_book.book().dataFolder : QFileInfo(current).absolutePath();
    const QString file = FileDialog::GetOpenFileName(this, QStringLiteral("開く"), dir, kPictureFilter);
    if (file.isEmpty()) return;
    m_book.book().carInfo.MyCarJpg = file;
    QString error;
    if (!m_book.book().SaveCarInfo(&error)) ShowFileError(error);
    ShowCarPicture();
}

void TMivraMainForm::ClearCarPicture() {
    if (!MessageBox::AskYesNo(QStringLiteral("表示画像設定解除"),
                              QStringLiteral("現在指定されている表示画像の設定を解除しますか？"))) {
        return;
    }
    m_book.book().carInfo.MyCarJpg.clear();
    QString error;
    if (!m_book.book().SaveCarInfo(&error)) ShowFileError(error);
    ShowCarPicture();
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
    m_entry->SetMode(TMivraInputForm::NewMode);
    m_entry->SetRecordIndex(count + 1);
    m_entry->LoadRecord(FuelRecord());
    if (m_entry->exec() != QDialog::Accepted) return;
    const bool continuous = m_entry->CtrlHeldAtOk();
    const FuelRecord record = m_entry->TakeRecord();
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
    m_entry->SetMode(editable ? TMivraInputForm::EditMode : TMivraInputForm::ViewMode);
    const int r = SelectionTop();
    if (r < 1 || r > table.RecordCount()) {
        if (editable) NewSpeedButtonClick();
        return;
    }
    const FuelRecord kept = table.GetRecord(r);
    m_entry->SetRecordIndex(r);
    m_entry->LoadRecord(kept);
    if (m_entry->exec() != QDialog::Accepted || !editable) return;
    const int d = m_entry->RecordIndex();
    table.SetRecord(d, m_entry->TakeRecord());
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
        m_entry->SetMode(TMivraInputForm::DeleteMode);
        m_entry->SetRecordIndex(t);
        m_entry->LoadRecord(table.GetRecord(t));
        if (m_entry->exec() != QDialog::Accepted) return;
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
    MessageBox::ShowInformation(QStringLiteral("ﾍﾙﾌﾟ"), QStringLiteral("ﾍﾙﾌﾟﾌｧｲﾙがｲﾝｽﾄｰﾙされていません。"));
}

void TMivraMainForm::AboutItemClick() {
    m_about->exec();
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
    ShowWaitMessage(this, QStringLiteral("集計中"), 50 * NamedCarCount(m_book.book()));
    m_warnings = CollectStartupWarnings(m_book.book(), m_book.settings(), QDate::currentDate(), StepWait);
    CloseWait();
    m_warningTimer->start();
}

void TMivraMainForm::WarningTimerTimer() {
    m_warningTimer->stop();
    const bool show = FinishStartupWarnings(m_warnings);
    m_warningForm->SetWarnings(m_warnings);
    if (!show) return;
    m_warningForm->show();
    QApplication::beep();
}

void TMivraMainForm::TotalItemClick() {
    m_totalForm->show();
    m_totalForm->raise();
    m_totalForm->activateWindow();
}

void TMivraMainForm::SyukeiItemClick(int mode) {
    m_syukeiForm->SetMode(mode);
    m_syukeiForm->show();
    m_syukeiForm->raise();
    m_syukeiForm->activateWindow();
}

void TMivraMainForm::WarningItemClick() {
    m_warningForm->show();
    m_warningForm->raise();
    m_warningForm->activateWindow();
}

void TMivraMainForm::AllItemClick() {
    m_book.table().RestoreFullTable();
    SetListEditable(true);
    RecalcStatus();
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
    m_mainteForm->show();
    m_mainteForm->raise();
    m_mainteForm->activateWindow();
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
    Settings& s = m_book.settings();
    QStringList widths;
    for (int w : m_grid->ColumnWidths())
        widths.append(QString::number(w));
    s.MivraCellSize = widths.join(QLatin1Char(','));
    SaveSettings(m_book.store(), s, m_book.book().currentCar);
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
