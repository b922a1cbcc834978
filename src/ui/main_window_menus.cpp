// The main window's toolbar, menu bar and list pop-up menus.
#include "ui/main_window.h"

#include "ui/widgets/app_setup.h"
#include "ui/widgets/font_text.h"
#include "ui/widgets/help.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/list_grid.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QToolButton>

namespace tovrel {

namespace {

// Resize sub-items of "表を標準ｾﾙ幅に戻す", in Tag order 1..16.
const char16_t* const kResizeCaptions[] = {u"&1 日付",     u"&2 曜日",         u"&3 時刻",     u"&4 天気",
                                           u"&5 給油距離", u"&6 走行距離",     u"&7 給油量",   u"&8 燃費",
                                           u"&9 支払金額", u"&A 単価",         u"&B 燃料種別", u"&C スタンド",
                                           u"&D パターン", u"&E メンテナンス", u"&F ショップ", u"&G メモ"};

}  // namespace

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
    // Records are added to the full list only, so not while a search result is shown.
    m_editActions << AddAction(m_fileMenu, QStringLiteral("ImportItem"), QStringLiteral("取り込み(&I)..."),
                               &TMivraMainForm::ImportItemClick);
    QMenu* print = m_fileMenu->addMenu(QStringLiteral("印刷(&P)"));
    QMenu* csv = m_fileMenu->addMenu(QStringLiteral("CSVﾌｧｲﾙ出力(&O)"));
    for (int n = 1; n <= 3; ++n) {
        m_printItems[n] = AddAction(print, QStringLiteral("MainPrint%1Item").arg(n), QString(), nullptr);
        connect(m_printItems[n], &QAction::triggered, this, [this, n] { MainPrintItemClick(n); });
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
    AddAction(search, QStringLiteral("JumpItem"), QStringLiteral("指定日ｼﾞｬﾝﾌﾟ(&J)..."),
              &TMivraMainForm::JumpItemClick);
    AddAction(search, QStringLiteral("SearchItem"), QStringLiteral("検索(&S)..."),
              &TMivraMainForm::SearchItemClick, QKeySequence(Qt::Key_F3));
    m_showAllActions << AddAction(search, QStringLiteral("AllItem"), QStringLiteral("検索解除(&A)"),
                                  &TMivraMainForm::AllItemClick);

    // View
    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    AddAction(view, QStringLiteral("TotalItem"), QStringLiteral("期間集計(&K)..."),
              &TMivraMainForm::TotalItemClick);
    AddAction(view, QStringLiteral("GraphItem"), QStringLiteral("ｸﾞﾗﾌ表示(&G)..."),
              &TMivraMainForm::GraphItemClick);
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
    AddAction(options, QStringLiteral("CarInfoItem"), QStringLiteral("愛車情報(&J)..."),
              &TMivraMainForm::CarInfoItemClick);
    QAction* settingItem =
        AddAction(options, QStringLiteral("SettingItem"), QStringLiteral("環境設定(&E)..."), nullptr);
    connect(settingItem, &QAction::triggered, this, [this] { OpenSettings(); });
    options->addSeparator();
    m_editActions << AddAction(options, QStringLiteral("AllMivraItem"),
                               QStringLiteral("まとめ燃費計算(&M)..."), &TMivraMainForm::AllMivraItemClick);
    m_editActions << AddAction(options, QStringLiteral("TotalRunCalcItem"),
                               QStringLiteral("走行距離計算(&C)..."), &TMivraMainForm::TotalRunCalcItemClick);
    options->addSeparator();
    AddAction(options, QStringLiteral("MainteInitItem"), QStringLiteral("ﾒﾝﾃﾅﾝｽ設定の初期化(&I)..."),
              &TMivraMainForm::MainteInitItemClick);

    // Help
    QMenu* help = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    AddAction(help, QStringLiteral("HelpItem"), QStringLiteral("ﾍﾙﾌﾟ(&H)..."), &TMivraMainForm::ShowHelp);
    help->addSeparator();
    AddAction(help, QStringLiteral("AboutItem"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)..."),
              &TMivraMainForm::AboutItemClick);
    InstallHelpKey(this, HelpMainList);

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
    QAction* popSearch =
        popupItem(QStringLiteral("PopSearchItem"), QStringLiteral("検索(&S)..."), QKeySequence());
    // Shown in the menu only: the menu bar's item already answers F3.
    popSearch->setShortcut(QKeySequence(Qt::Key_F3));
    popSearch->setShortcutContext(Qt::WidgetShortcut);
    connect(popSearch, &QAction::triggered, this, &TMivraMainForm::SearchItemClick);
    QAction* popAll = popupItem(QStringLiteral("PopAllItem"), QStringLiteral("検索解除(&A)"), QKeySequence());
    connect(popAll, &QAction::triggered, this, &TMivraMainForm::AllItemClick);
    m_showAllActions << popAll;
    m_listPopup->addSeparator();
    QAction* popAllMivra =
        popupItem(QStringLiteral("PopAllMivraItem"), QStringLiteral("まとめ燃費計算(&M)..."), QKeySequence());
    connect(popAllMivra, &QAction::triggered, this, &TMivraMainForm::AllMivraItemClick);
    QAction* popTotalRunCalc = popupItem(QStringLiteral("PopTotalRunCalcItem"),
                                         QStringLiteral("走行距離計算(&C)..."), QKeySequence());
    connect(popTotalRunCalc, &QAction::triggered, this, &TMivraMainForm::TotalRunCalcItemClick);
    m_editActions << popAllMivra << popTotalRunCalc;
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

}  // namespace tovrel
