// Open, save and folder dialogs, with answers that tests can queue in advance.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace tovrel {

struct FileDialogRecord {
    QString caption;
    QString dir;
    QString fileName;
    QString filter;  // as the caller gave it
};

class FileDialog {
public:
    // Each returns the chosen path, or an empty text when cancelled. Filters are given in the
    // "description|*.a;*.b|..." form.
    static QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                   const QString& fileName, const QString& filter);
    static QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                   const QString& filter);
    static QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& dir);

    // "説明|*.a;*.b|説明2|*.*" → "説明 (*.a *.b);;説明2 (*)".
    static QString ConvertFilter(const QString& filter);

    // While answers are queued, no dialog is shown: each call is logged and takes the next answer
    // (an empty text meaning cancelled).
    static void PresetAnswers(const QStringList& answers);
    static int PendingAnswers();
    static const QList<FileDialogRecord>& Log();
    static void ClearLog();
};

}  // namespace tovrel
