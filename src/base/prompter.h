// Questions and messages raised by the core; the program answers them with message boxes, the
// command-line tool with "No" and a line on stderr, tests with preset answers.
#pragma once

#include <QString>

namespace tovrel {

enum class PromptIcon { Error, Warning, Question, Information };
enum class PromptButtons { Ok, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Yes, No, Cancel };

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual PromptAnswer Prompt(const QString& caption, const QString& text, PromptIcon icon,
                                PromptButtons buttons) = 0;
};

// Writes every message to stderr and answers questions "No" (Ok for plain messages).
class StderrPrompter : public Prompter {
public:
    PromptAnswer Prompt(const QString& caption, const QString& text, PromptIcon icon,
                        PromptButtons buttons) override;
};

// The prompter of the running process; a StderrPrompter until one is installed.
Prompter& CurrentPrompter();
void SetCurrentPrompter(Prompter* prompter);

// Shorthands for the common shapes.
void ShowError(const QString& caption, const QString& text);
void ShowWarning(const QString& caption, const QString& text);

}  // namespace tovrel
