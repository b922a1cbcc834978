#include "ui/widgets/file_dialog.h"

#include <QDir>
#include <QFileDialog>

namespace tovrel {

namespace {

QStringList& Queue() {
    static QStringList queue;
    return queue;
}

QList<FileDialogRecord>& MutableLog() {
    static QList<FileDialogRecord> log;
    return log;
}

bool TakePreset(const FileDialogRecord& call, QString* answer) {
    if (Queue().isEmpty()) return false;
    MutableLog().append(call);
    *answer = Queue().takeFirst();
    return true;
}

}  // namespace

QString FileDialog::ConvertFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            patterns.append(trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (patterns.isEmpty()) patterns.append(QStringLiteral("*"));
        entries.append(parts[i].trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

QString FileDialog::GetSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& fileName, const QString& filter) {
    QString answer;
    if (TakePreset({caption, dir, fileName, filter}, &answer)) return answer;
    const QString start = dir.isEmpty() ? fileName : QDir(dir).filePath(fileName);
    return QFileDialog::getSaveFileName(parent, caption, start, ConvertFilter(filter));
}

QString FileDialog::GetOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter) {
    QString answer;
    if (TakePreset({caption, dir, QString(), filter}, &answer)) return answer;
    return QFileDialog::getOpenFileName(parent, caption, dir, ConvertFilter(filter));
}

QString FileDialog::GetExistingDirectory(QWidget* parent, const QString& caption, const QString& dir) {
    QString answer;
    if (TakePreset({caption, dir, QString(), QString()}, &answer)) return answer;
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}

void FileDialog::PresetAnswers(const QStringList& answers) {
    Queue().append(answers);
}

int FileDialog::PendingAnswers() {
    return int(Queue().size());
}

const QList<FileDialogRecord>& FileDialog::Log() {
    return MutableLog();
}

void FileDialog::ClearLog() {
    MutableLog().clear();
}

}  // namespace tovrel
