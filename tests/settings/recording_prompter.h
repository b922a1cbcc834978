// A prompter that records every prompt and answers questions with a preset answer.
#pragma once

#include "data/prompter.h"

#include <QString>
#include <QVector>

namespace tovrel::test {

class RecordingPrompter : public Prompter {
public:
    struct Entry {
        QString caption;
        QString text;
        PromptIcon icon;
        PromptButtons buttons;
    };

    RecordingPrompter() { SetCurrentPrompter(this); }
    ~RecordingPrompter() override { SetCurrentPrompter(nullptr); }

    PromptAnswer Prompt(const QString& caption, const QString& text, PromptIcon icon,
                        PromptButtons buttons) override {
        prompts.append({caption, text, icon, buttons});
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : answer;
    }

    QVector<Entry> prompts;
    PromptAnswer answer = PromptAnswer::No;
};

}  // namespace tovrel::test
