#include "base/prompter.h"

#include <cstdio>

namespace tovrel {

namespace {
Prompter* g_prompter = nullptr;
}

PromptAnswer StderrPrompter::Prompt(const QString& caption, const QString& text, PromptIcon,
                                    PromptButtons buttons) {
    QString line = caption.isEmpty() ? text : caption + QStringLiteral(": ") + text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.remove(QLatin1Char('\r'));
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::No;
}

Prompter& CurrentPrompter() {
    static StderrPrompter fallback;
    return g_prompter ? *g_prompter : fallback;
}

void SetCurrentPrompter(Prompter* prompter) {
    g_prompter = prompter;
}

void ShowError(const QString& caption, const QString& text) {
    CurrentPrompter().Prompt(caption, text, PromptIcon::Error, PromptButtons::Ok);
}

void ShowWarning(const QString& caption, const QString& text) {
    CurrentPrompter().Prompt(caption, text, PromptIcon::Warning, PromptButtons::Ok);
}

}  // namespace tovrel
