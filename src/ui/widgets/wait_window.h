// The program's one progress window, shown while long computations run.
#pragma once

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace tovrel {

class WaitWindow : public QWidget {
    Q_OBJECT
public:
    explicit WaitWindow(QWidget* parent = nullptr);

    QString Message() const;
    int Progress() const;
    int Steps() const;

private:
    friend void ShowWaitMessage(QWidget* owner, const QString& text, int steps);
    friend void StepWait();

    void Start(QWidget* owner, const QString& text, int steps);
    void Step();
    void ProcessPendingEvents();

    QLabel* m_message;
    QProgressBar* m_progress;
    QElapsedTimer m_sinceEvents;
};

// Centres the wait window over the owner (the screen when null), captions it with text, shows
// "<text>です。しばらくお待ちください。" and progress 0 of steps, and lets pending events run.
void ShowWaitMessage(QWidget* owner, const QString& text, int steps);
// One step further; pending events run at most every 30 ms so that thousands of steps stay cheap.
void StepWait();
void CloseWait();
// The wait window, or null before the first ShowWaitMessage.
WaitWindow* CurrentWaitWindow();

}  // namespace tovrel
