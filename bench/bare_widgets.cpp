// The start-up that the machine allows for a window like Tovrel's: a main window with a menu bar, a
// toolbar and a 17 x 2,000 table of short texts, nothing else. Like Tovrel's, its captions and cells
// are Japanese (so a Japanese font is loaded as Tovrel needs one); with --latin they are ASCII only.
// Linked with first_paint_probe.cpp.
#include <QAbstractTableModel>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolBar>

#include <cstring>

namespace {

bool latin = false;

QString Text(const char16_t* japanese, const char* ascii) {
    return latin ? QString::fromLatin1(ascii) : QString::fromUtf16(japanese);
}

class Table : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 2000; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 17; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole) return {};
        static const QString words[] = {Text(u"晴れ", "fine"), Text(u"レギュラー", "regular"),
                                        Text(u"スタンドＡ", "station A"), Text(u"通勤", "commute")};
        if (index.column() >= 11 && index.column() <= 14) return words[index.column() - 11];
        return QString::number(index.row() * 17 + index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
        return Text(u"項目", "item") + QString::number(section);
    }
};

}  // namespace

int main(int argc, char** argv) {
    latin = argc > 1 && std::strcmp(argv[1], "--latin") == 0;
    QApplication app(argc, argv);
    QMainWindow window;
    const QString menus[] = {Text(u"ﾌｧｲﾙ(&F)", "&File"), Text(u"編集(&E)", "&Edit"),   Text(u"検索(&S)", "&Search"),
                             Text(u"表示(&V)", "&View"),   Text(u"車切替(&C)", "&Car"), Text(u"ｵﾌﾟｼｮﾝ(&O)", "&Options"),
                             Text(u"ﾍﾙﾌﾟ(&H)", "&Help")};
    for (const QString& name : menus) {
        QMenu* menu = window.menuBar()->addMenu(name);
        for (int i = 1; i <= 6; ++i)
            menu->addAction(name + QString::number(i));
    }
    QToolBar* toolbar = window.addToolBar(QStringLiteral("Tools"));
    const QStyle::StandardPixmap icons[] = {QStyle::SP_FileIcon,          QStyle::SP_TrashIcon,
                                            QStyle::SP_DialogSaveButton,  QStyle::SP_FileDialogContentsView,
                                            QStyle::SP_DialogResetButton, QStyle::SP_FileDialogDetailedView,
                                            QStyle::SP_ComputerIcon,      QStyle::SP_MessageBoxWarning,
                                            QStyle::SP_DriveFDIcon,       QStyle::SP_DriveHDIcon,
                                            QStyle::SP_DesktopIcon,       QStyle::SP_DialogCloseButton};
    for (QStyle::StandardPixmap icon : icons)
        toolbar->addAction(window.style()->standardIcon(icon), QStringLiteral("tool"));
    auto* view = new QTableView;
    view->setModel(new Table);
    window.setCentralWidget(view);
    window.statusBar()->showMessage(Text(u"登録件数 : 2000件", "2000"));
    window.resize(760, 480);
    window.show();
    return app.exec();
}
