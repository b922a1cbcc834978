// The import preview: how a fuel log file was read, what each column becomes, the first records as
// they will be stored and the rows skipped or rejected; "取り込み" adds them to the current car's log.
#pragma once

#include "calc/import_records.h"
#include "ui/widgets/form_dialog.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace tovrel {

class Logbook;

class TImportForm : public FormDialog {
    Q_OBJECT

public:
    explicit TImportForm(Logbook& book, QWidget* parent = nullptr);

    // Shows the preview of the file modally; Accepted when its records were added to the log.
    int Exec(const QString& path, const ImportFile& file);
    // Fills the preview for the file, as Exec does before it shows the dialog.
    void Load(const QString& path, const ImportFile& file);

    const ImportPlan& Plan() const { return m_plan; }
    // Sets a column's field as its combo box in the columns table does.
    void SetColumnField(int column, ImportField field);

    void accept() override;

private:
    void ChoicesChanged();
    void ColumnChanged();
    void Replan();
    void ShowPlan();
    void ShowColumns();
    void ShowPreview();

    Logbook& m_book;
    ImportFile m_file;
    ImportChoices m_choices;
    ImportPlan m_plan;
    bool m_filling = false;
    QLabel* m_fileLabel = nullptr;
    QLabel* m_readLabel = nullptr;
    QLabel* m_noticeLabel = nullptr;
    QLabel* m_countLabel = nullptr;
    QComboBox* m_formatCombo = nullptr;
    QComboBox* m_dateCombo = nullptr;
    QComboBox* m_distanceCombo = nullptr;
    QComboBox* m_volumeCombo = nullptr;
    QTableWidget* m_columnsTable = nullptr;
    QTableWidget* m_previewTable = nullptr;
    QListWidget* m_rejectedList = nullptr;
    QPushButton* m_okButton = nullptr;
};

// "取り込み(&I)..." of the File menu: asks for the file, reads it and shows the preview. A file
// that cannot be read is reported and nothing changes. True when records were added.
bool ImportLogFile(QWidget* parent, Logbook& book);

}  // namespace tovrel
