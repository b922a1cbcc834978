// The start-up warnings window: the maintenance warnings of every car, each line in its level's colour.
#pragma once

#include "totals/startup_warnings.h"

#include <QMainWindow>
#include <QStringList>

class QLabel;
class QTextEdit;

namespace tovrel {

class Logbook;

class TWarningForm : public QMainWindow {
    Q_OBJECT

public:
    // mainWindow is disabled while this window is shown and enabled again when it closes.
    TWarningForm(Logbook& book, QWidget* mainWindow);
    // Stores the placement.
    ~TWarningForm() override;

    // Replaces the text, one line per warning line in its colour, with the caret at the start.
    void SetWarnings(const StartupWarnings& warnings);
    QStringList Lines() const;
    QColor LineColor(int line) const;
    QString StatusText() const;
    QTextEdit* textEdit() const { return m_text; }

    // The list font of the settings for all of the text, keeping the selection.
    void ApplyFont();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AppendLine(const QString& text, quint32 color);

    Logbook& m_book;
    QWidget* m_mainWindow;
    QTextEdit* m_text;
    QLabel* m_status;
    int m_lineCount = 0;
};

}  // namespace tovrel
