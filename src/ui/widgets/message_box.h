// The program's message boxes, with answers that tests can queue in advance.
#pragma once

#include "base/prompter.h"

#include <QList>
#include <QString>

namespace tovrel {

struct PromptRecord {
    QString caption;
    QString text;
    PromptIcon icon;
    PromptButtons buttons;
};

class MessageBox : public Prompter {
public:
    // Shows a modal QMessageBox over the active window, or answers from the preset queue.
    PromptAnswer Prompt(const QString& caption, const QString& text, PromptIcon icon,
                        PromptButtons buttons) override;

    // Routes the core's prompts (CurrentPrompter) through message boxes.
    static void Install();

    static PromptAnswer Ask(const QString& caption, const QString& text, PromptIcon icon,
                            PromptButtons buttons);
    static void ShowError(const QString& caption, const QString& text);
    static void ShowWarning(const QString& caption, const QString& text);
    static void ShowInformation(const QString& caption, const QString& text);
    // Question icon, Yes/No; true for Yes.
    static bool AskYesNo(const QString& caption, const QString& text);
    // Question icon, Yes/No/Cancel, as the save prompts ask.
    static PromptAnswer AskYesNoCancel(const QString& caption, const QString& text);

    // While answers are queued, boxes are not shown: each call is logged and takes the next answer.
    static void PresetAnswers(const QList<PromptAnswer>& answers);
    static int PendingAnswers();
    static const QList<PromptRecord>& Log();
    static void ClearLog();
};

}  // namespace tovrel
