#include "ui/warning_form.h"

#include "session/logbook.h"
#include "settings/settings.h"
#include "ui/widgets/colors.h"
#include "ui/widgets/font_text.h"
#include "ui/widgets/help.h"
#include "ui/window_placement.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QShowEvent>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace tovrel {

namespace {

const QString kWindowName = QStringLiteral("TWarningForm");

}  // namespace

TWarningForm::TWarningForm(Logbook& book, QWidget* mainWindow)
    // No parent: a window parented to the main window would be disabled along with it.
    : QMainWindow(nullptr), m_book(book), m_mainWindow(mainWindow) {
    setObjectName(kWindowName);
    setWindowTitle(QStringLiteral("ﾒﾝﾃﾅﾝｽ期限警告"));
    InstallHelpKey(this, HelpWarnings);

    m_text = new QTextEdit;
    m_text->setObjectName(QStringLiteral("WarningRichEdit"));
    m_text->setReadOnly(true);
    // A read-only edit keeps its caret and keyboard selection, so that Ctrl+C and Ctrl+A work.
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setLineWrapMode(QTextEdit::NoWrap);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_text->setAcceptRichText(false);
    m_text->installEventFilter(this);
    setCentralWidget(m_text);

    statusBar()->setObjectName(QStringLiteral("WarningStatusBar"));
    m_status = new QLabel;
    statusBar()->addWidget(m_status, 1);

    auto* popup = new QMenu(this);
    QAction* copy = popup->addAction(QStringLiteral("選択範囲をｺﾋﾟｰ(&C)"));
    copy->setObjectName(QStringLiteral("CopyItem"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copy, &QAction::triggered, m_text, &QTextEdit::copy);
    QAction* all = popup->addAction(QStringLiteral("全てを選択(&S)"));
    all->setObjectName(QStringLiteral("AllSelectItem"));
    all->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    connect(all, &QAction::triggered, m_text, &QTextEdit::selectAll);
    // The edit handles both keys itself while it has the focus; these reach it from anywhere else.
    for (QAction* a : {copy, all}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    m_text->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_text, &QWidget::customContextMenuRequested, this, [this, popup, copy](const QPoint& pos) {
        copy->setEnabled(m_text->textCursor().hasSelection());
        popup->popup(m_text->viewport()->mapToGlobal(pos));
    });

    resize(560, 320);
    RestoreWindowPlacement(this, m_book.store(), kWindowName, true);
}

TWarningForm::~TWarningForm() {
    SaveWindowPlacement(this, m_book.store(), kWindowName, true);
}

void TWarningForm::AppendLine(const QString& text, quint32 color) {
    QTextCursor cursor(m_text->document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(ColorFromValue(color));
    if (m_lineCount > 0) cursor.insertBlock(QTextBlockFormat(), format);
    cursor.setBlockCharFormat(format);
    cursor.insertText(text, format);
    m_text->setTextCursor(cursor);
    ++m_lineCount;
}

void TWarningForm::SetWarnings(const StartupWarnings& warnings) {
    m_text->clear();
    m_lineCount = 0;
    for (const WarningLine& line : warnings.lines)
        AppendLine(line.text, line.color);
    m_text->moveCursor(QTextCursor::Start);
    m_status->setText(warnings.status);
}

QStringList TWarningForm::Lines() const {
    QStringList lines;
    QTextBlock block = m_text->document()->firstBlock();
    for (int i = 0; i < m_lineCount && block.isValid(); ++i, block = block.next())
        lines.append(block.text());
    return lines;
}

QColor TWarningForm::LineColor(int line) const {
    const QTextBlock block = m_text->document()->findBlockByNumber(line);
    if (!block.isValid()) return {};
    return block.charFormat().foreground().color();
}

QString TWarningForm::StatusText() const {
    return m_status->text();
}

void TWarningForm::ApplyFont() {
    const Settings& s = m_book.settings();
    // The lines carry only their colours, so the edit's font reaches all of the text; the
    // selection stays as it is.
    m_text->setFont(ListFont(s.FontName, s.FontSize, s.FontStyle));
}

void TWarningForm::showEvent(QShowEvent* event) {
    if (m_mainWindow) m_mainWindow->setEnabled(false);
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    ApplyFont();
    m_text->setFocus(Qt::OtherFocusReason);
}

void TWarningForm::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted() && m_mainWindow) {
        m_mainWindow->setEnabled(true);
        m_mainWindow->activateWindow();
    }
}

bool TWarningForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_text && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tovrel
