#include "ui/csv_export_flow.h"

#include "session/logbook.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "ui/widgets/file_dialog.h"
#include "ui/widgets/message_box.h"

#include <QDir>
#include <QFileInfo>

namespace tovrel {

bool ExportCsv(QWidget* parent, Logbook& book, int formNumber, const ListSource& source) {
    if (formNumber < 1 || formNumber > 15) return false;
    const PrintForm& form = book.book().printForms[formNumber];
    const int listId = form.ListIdNumber();
    if (listId < 1 || listId > 7) return false;
    Settings& settings = book.settings();
    QString dir = settings.SaveInitialDir;
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) dir = book.book().dataFolder;
    const QString path = FileDialog::GetSaveFileName(parent, QStringLiteral("名前を付けて保存"), dir,
                                                     form.name + QStringLiteral(".csv"),
                                                     QStringLiteral("CSVﾌｧｲﾙ|*.csv"));
    if (path.isEmpty()) return false;
    settings.SaveInitialDir = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    SaveSettings(book.store(), settings, book.book().currentCar);
    QString error;
    if (!WriteCsvFile(path, BuildCsvLines(form, source, settings.PrintMultiGyo), &error)) {
        MessageBox::ShowError(QStringLiteral("Tovrel"), error);
        return false;
    }
    return true;
}

}  // namespace tovrel
