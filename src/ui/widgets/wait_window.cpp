#include "ui/widgets/wait_window.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace tovrel {

namespace {

constexpr int EventIntervalMs = 30;
constexpr Qt::WindowFlags WaitFlags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// Owned by the owner window it was last shown over (or by nobody), hence the guarded pointer.
QPointer<WaitWindow> g_waitWindow;

}  // namespace

WaitWindow::WaitWindow(QWidget* parent)
    : QWidget(parent, WaitFlags), m_message(new QLabel(this)), m_progress(new QProgressBar(this)) {
    setObjectName(QStringLiteral("WaitForm"));
    m_message->setAlignment(Qt::AlignCenter);
    m_progress->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addWidget(m_progress);
    setFixedSize(320, 90);
}

QString WaitWindow::Message() const {
    return m_message->text();
}

int WaitWindow::Progress() const {
    return m_progress->value();
}

int WaitWindow::Steps() const {
    return m_progress->maximum();
}

void WaitWindow::Start(QWidget* owner, const QString& text, int steps) {
    QWidget* ownerWindow = owner ? owner->window() : nullptr;
    if (parentWidget() != ownerWindow) setParent(ownerWindow, WaitFlags);
    setWindowTitle(text);
    m_message->setText(text + QStringLiteral("です。しばらくお待ちください。"));
    // A range of 0..0 would turn the bar into a busy indicator.
    m_progress->setRange(0, qMax(steps, 1));
    m_progress->setValue(0);

    QRect area;
    if (ownerWindow) {
        area = ownerWindow->frameGeometry();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) move(area.center() - rect().center());
    show();
    // The frame is known only once shown: centre the frame, not the client area.
    if (area.isValid()) move(pos() + area.center() - frameGeometry().center());
    raise();
    ProcessPendingEvents();
}

void WaitWindow::Step() {
    if (m_progress->value() < m_progress->maximum()) m_progress->setValue(m_progress->value() + 1);
    if (m_sinceEvents.hasExpired(EventIntervalMs)) ProcessPendingEvents();
}

void WaitWindow::ProcessPendingEvents() {
    // Repaints only: a click queued now is handled after the computation, not in the middle of it.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sinceEvents.start();
}

void ShowWaitMessage(QWidget* owner, const QString& text, int steps) {
    if (!g_waitWindow) g_waitWindow = new WaitWindow(owner ? owner->window() : nullptr);
    g_waitWindow->Start(owner, text, steps);
}

void StepWait() {
    if (g_waitWindow && g_waitWindow->isVisible()) g_waitWindow->Step();
}

void CloseWait() {
    if (g_waitWindow) g_waitWindow->hide();
}

WaitWindow* CurrentWaitWindow() {
    return g_waitWindow;
}

}  // namespace tovrel
