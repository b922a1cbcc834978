#include "ui/help_form.h"

#include "ui/widgets/app_setup.h"
#include "ui/widgets/help.h"
#include "ui/widgets/icons.h"
#include "ui/window_placement.h"

#include <QAction>
#include <QHBoxLayout>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovrel {

namespace {

const QString kWindowName = QStringLiteral("THelpForm");

}  // namespace

THelpForm::THelpForm(SettingsStore* store, QWidget* parent) : QWidget(parent, Qt::Window), m_store(store) {
    setObjectName(kWindowName);
    setWindowIcon(ProgramIcon());
    // An open help window never keeps the program running after the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_browser = new QTextBrowser;
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(false);

    const auto button = [this](const QString& name, const QString& text, QStyle::StandardPixmap icon,
                               const QString& hint) {
        auto* b = new QToolButton;
        b->setObjectName(name);
        b->setText(text);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        SetHint(b, hint);
        return b;
    };
    QToolButton* contents = button(QStringLiteral("ContentsButton"), QStringLiteral("目次(&C)"),
                                   QStyle::SP_DirHomeIcon, QStringLiteral("目次を表示します。"));
    m_backButton = button(QStringLiteral("BackButton"), QStringLiteral("戻る(&B)"), QStyle::SP_ArrowBack,
                          QStringLiteral("前に表示したﾍﾟｰｼﾞに戻ります。"));
    m_forwardButton = button(QStringLiteral("ForwardButton"), QStringLiteral("進む(&F)"),
                             QStyle::SP_ArrowForward, QStringLiteral("戻る前のﾍﾟｰｼﾞに進みます。"));
    QToolButton* menus =
        button(QStringLiteral("MenuIndexButton"), QStringLiteral("ﾒﾆｭｰ一覧(&M)"),
               QStyle::SP_FileDialogListView, QStringLiteral("ﾒﾆｭｰｺﾏﾝﾄﾞの一覧を表示します。"));
    QToolButton* closeButton = button(QStringLiteral("CloseButton"), QStringLiteral("閉じる"),
                                      QStyle::SP_DialogCloseButton, QStringLiteral("ﾍﾙﾌﾟを閉じます。"));
    m_backButton->setEnabled(false);
    m_forwardButton->setEnabled(false);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    bar->setSpacing(2);
    for (QToolButton* b : {contents, m_backButton, m_forwardButton, menus})
        bar->addWidget(b);
    bar->addStretch(1);
    bar->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);

    connect(contents, &QToolButton::clicked, this, [this] { ShowPage(HelpPageUrl(HelpContents)); });
    connect(m_backButton, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forwardButton, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(menus, &QToolButton::clicked, this,
            [this] { ShowPage(HelpPageUrl(HelpContents).resolved(QUrl(QStringLiteral("menus.html")))); });
    connect(closeButton, &QToolButton::clicked, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_backButton, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forwardButton, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &THelpForm::UpdateCaption);

    const auto key = [this](const QKeySequence& sequence, auto slot) {
        auto* action = new QAction(this);
        action->setShortcut(sequence);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    key(QKeySequence(QKeySequence::Back), [this] { m_browser->backward(); });
    key(QKeySequence(QKeySequence::Forward), [this] { m_browser->forward(); });
    key(QKeySequence(Qt::ALT | Qt::Key_Home), [this] { ShowPage(HelpPageUrl(HelpContents)); });
    key(QKeySequence(Qt::Key_Escape), [this] { close(); });
    key(QKeySequence(Qt::Key_F1), [this] { ShowPage(HelpPageUrl(HelpContents)); });

    resize(760, 600);
    if (m_store) RestoreWindowPlacement(this, *m_store, kWindowName, true);
}

THelpForm::~THelpForm() {
    SavePlacement();
}

void THelpForm::ShowPage(const QUrl& url) {
    // The same page again still goes to its anchor; the history keeps one entry for it.
    if (m_browser->source() == url)
        m_browser->reload();
    else
        m_browser->setSource(url);
}

void THelpForm::closeEvent(QCloseEvent* event) {
    SavePlacement();
    QWidget::closeEvent(event);
}

void THelpForm::UpdateCaption() {
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("ﾍﾙﾌﾟ") : QStringLiteral("ﾍﾙﾌﾟ - ") + title);
}

void THelpForm::SavePlacement() {
    if (m_store && isVisible()) SaveWindowPlacement(this, *m_store, kWindowName, true);
}

}  // namespace tovrel
