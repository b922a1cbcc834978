#include "ui/widgets/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace tovrel {

namespace {

QList<PromptAnswer>& Queue() {
    static QList<PromptAnswer> queue;
    return queue;
}

QList<PromptRecord>& MutableLog() {
    static QList<PromptRecord> log;
    return log;
}

MessageBox& Instance() {
    static MessageBox instance;
    return instance;
}

QMessageBox::Icon BoxIcon(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Error:
            return QMessageBox::Critical;
        case PromptIcon::Warning:
            return QMessageBox::Warning;
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

PromptAnswer MessageBox::Prompt(const QString& caption, const QString& text, PromptIcon icon,
                                PromptButtons buttons) {
    if (!Queue().isEmpty()) {
        MutableLog().append({caption, text, icon, buttons});
        return Queue().takeFirst();
    }

    QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::NoButton, QApplication::activeWindow());
    switch (buttons) {
        case PromptButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Ok);
            break;
        case PromptButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
            break;
        case PromptButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
    }
    box.exec();

    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        case QMessageBox::Cancel:
            return PromptAnswer::Cancel;
        default:
            break;
    }
    // Closed without a button: the escape answer.
    switch (buttons) {
        case PromptButtons::Ok:
            return PromptAnswer::Ok;
        case PromptButtons::YesNo:
            return PromptAnswer::No;
        case PromptButtons::YesNoCancel:
            return PromptAnswer::Cancel;
    }
    return PromptAnswer::Ok;
}

void MessageBox::Install() {
    SetCurrentPrompter(&Instance());
}

PromptAnswer MessageBox::Ask(const QString& caption, const QString& text, PromptIcon icon,
                             PromptButtons buttons) {
    return Instance().Prompt(caption, text, icon, buttons);
}

void MessageBox::ShowError(const QString& caption, const QString& text) {
    Ask(caption, text, PromptIcon::Error, PromptButtons::Ok);
}

void MessageBox::ShowWarning(const QString& caption, const QString& text) {
    Ask(caption, text, PromptIcon::Warning, PromptButtons::Ok);
}

void MessageBox::ShowInformation(const QString& caption, const QString& text) {
    Ask(caption, text, PromptIcon::Information, PromptButtons::Ok);
}

bool MessageBox::AskYesNo(const QString& caption, const QString& text) {
    return Ask(caption, text, PromptIcon::Question, PromptButtons::YesNo) == PromptAnswer::Yes;
}

PromptAnswer MessageBox::AskYesNoCancel(const QString& caption, const QString& text) {
    return Ask(caption, text, PromptIcon::Question, PromptButtons::YesNoCancel);
}

void MessageBox::PresetAnswers(const QList<PromptAnswer>& answers) {
    Queue().append(answers);
}

int MessageBox::PendingAnswers() {
    return int(Queue().size());
}

const QList<PromptRecord>& MessageBox::Log() {
    return MutableLog();
}

void MessageBox::ClearLog() {
    MutableLog().clear();
}

}  // namespace tovrel
