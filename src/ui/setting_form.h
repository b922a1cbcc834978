// The settings dialog: names, maintenance items, graph, print forms, display and calculation options.
#pragma once

#include "data/setting_edit.h"
#include "session/settings_apply.h"

#include <QColor>
#include <QDialog>
#include <QList>
#include <QTableWidget>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tovrel {

class Logbook;
class TWarningTextForm;

// Opens the settings dialog of the running program on the tab (Current: the tab shown last); on
// the print tab printForm 1..15 chooses the form shown. True when it ended with OK and everything
// was stored; the caller then rebuilds what it shows. The main window registers the dialog, so
// any window can call this: OpenSettingsDialog(SettingTab::Graph), OpenSettingsDialog(SettingTab::Print, 4).
bool OpenSettingsDialog(SettingTab tab = SettingTab::Current, int printForm = 0);
void SetSettingsDialogOpener(std::function<bool(SettingTab, int)> opener);

// A grid of the dialog: row numbers in the vertical heading, cells addressed from (1, 1) as the
// dialog's texts count them, and the dialog's Tab rules at its first and last cell.
class SettingGrid : public QTableWidget {
    Q_OBJECT

public:
    SettingGrid(int rows, const QStringList& headings, bool editable, QWidget* parent = nullptr);

    QString Cell(int row, int column) const;
    void SetCell(int row, int column, const QString& text);
    // 0 when there is none.
    int CurrentRow() const { return currentRow() + 1; }
    int CurrentColumn() const { return currentColumn() + 1; }
    void SetCurrent(int row, int column);
    int Rows() const { return rowCount(); }

    // Shift+Tab in the first cell focuses tabPrev; Tab in the last cell or Ctrl+Tab focuses tabNext.
    QWidget* tabPrev = nullptr;
    QWidget* tabNext = nullptr;

    // Cut, copy, paste or undo on the cell being edited; without an editor, on the current cell.
    void EditCommand(int command);
    enum { CutCommand, CopyCommand, PasteCommand, UndoCommand };

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class SettingGridDelegate;
    bool AtFirstCell() const;
    bool AtLastCell() const;

    bool m_ctrlTab = false;
};

// A clickable colour swatch: its background or its text shows the colour value.
class ColorPanel;

class TSettingForm : public QDialog {
    Q_OBJECT

public:
    TSettingForm(Logbook& book, QWidget* parent = nullptr);
    ~TSettingForm() override;

    // Chooses the tab (and the print form on the print tab), shows the dialog modally; true on OK.
    bool Open(SettingTab tab = SettingTab::Current, int printForm = 0);
    void SetTab(SettingTab tab);
    SettingTab CurrentTab() const;
    void SetPrintForm(int n);
    int PrintFormShown() const { return m_printForm; }
    // While locked (opened from the entry dialog) the data folder cannot be changed and changed car
    // names do not reload the car, so OK asks no save question.
    void SetCarLocked(bool locked) { m_carLocked = locked; }
    // The warning-name editor the program created at start-up; without one the dialog makes its own.
    void SetWarningTextForm(TWarningTextForm* form) { m_warningTextForm = form; }

    // A new list font was chosen and saved; every list window applies it.
    std::function<void()> fontChanged;
    // After OK stored everything and before the dialog closes: the main window rebuilds its car
    // menus and list columns as the result says.
    std::function<void(const SettingsApplyResult&)> settingsApplied;
    // Whether Shift is held at the save prompt; tests replace it.
    std::function<bool()> shiftHeld;

    // The controls' working copies as OK would store them.
    SettingsDraft ReadControls();
    int ShownMainteItem() const { return m_shownItem; }
    const MainteDraft& MainteWorkingCopy() const { return m_mainte; }
    const std::array<QString, 5>& WarningNames() const { return m_warningNames; }

    void OKButtonClick();
    void FontButtonClick();
    void PathButtonClick();
    void OpenJPGButtonClick();
    void WarningTextItemClick();
    void SelectMainteRow(int row);
    void PrintSelectComboBoxChange(int index);
    void PrintSettingSaveButtonClick();
    void PrintSettingInitButtonClick();
    void PrintGridDblClick(int row, int column);

    void GridCommandClick(SettingGrid* grid, RowCommand command);

    // While answers are queued, the colour dialog is not shown: each call takes the next answer
    // (an invalid colour meaning cancelled).
    static void PresetColorAnswers(const QList<QColor>& answers);
    static int PendingColorAnswers();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildItemTab(QWidget* page);
    void BuildMainteTab(QWidget* page);
    void BuildGraphTab(QWidget* page);
    void BuildPrintTab(QWidget* page);
    void BuildDispTab(QWidget* page);
    void BuildCalcElseTab(QWidget* page);
    void BuildGridMenus();

    void FormShow();
    void WriteControls(const SettingsDraft& draft);
    void ApplyEnabling();
    void StoreShownMainte();
    void ShowMainte(int item);
    void WriteMainteGrid();
    void ShowWarningPanels();
    void ChooseColor(ColorPanel* panel);
    void ShowGridMenu(SettingGrid* grid, const QPoint& pos);
    void ShowFailure(const SettingsCheck& check);

    void FillPrintSelect();
    void ShowPrintForm(int n);
    PrintGridCells ReadPrintGrid() const;

    void EnterField(QWidget* field);
    void LeaveField(QWidget* field);

    Logbook& m_book;
    QTabWidget* m_tabs = nullptr;
    TWarningTextForm* m_warningTextForm = nullptr;

    // Working copies.
    MainteDraft m_mainte;
    int m_shownItem = -1;
    bool m_carLocked = false;
    std::array<QString, 5> m_warningNames;
    std::array<quint32, 5> m_warningColors{};

    // Names tab.
    SettingGrid* m_nameGrid = nullptr;
    // Maintenance tab.
    SettingGrid* m_mainteGrid = nullptr;
    QGroupBox* m_mainteGroup = nullptr;
    QLineEdit* m_mainteEdit = nullptr;
    QCheckBox* m_runCheck = nullptr;
    QLineEdit* m_runMemo = nullptr;
    QLabel* m_kmLabel = nullptr;
    QCheckBox* m_dayCheck = nullptr;
    QLineEdit* m_dayMemo = nullptr;
    QCheckBox* m_warningCheck = nullptr;
    QLineEdit* m_mainteMemoEdit = nullptr;
    std::array<ColorPanel*, 5> m_warningPanels{};     // [1..4]
    std::array<QCheckBox*, 4> m_warningCheckBoxes{};  // [1..3]
    QLineEdit* m_warning2Memo = nullptr;
    QLineEdit* m_warning3Memo = nullptr;
    QComboBox* m_warningStart = nullptr;
    QCheckBox* m_mainteSelect = nullptr;
    QMenu* m_warningPanelMenu = nullptr;
    // Graph tab.
    std::array<QRadioButton*, 2> m_graphType{};
    std::array<QRadioButton*, 2> m_yearDispFormat{};
    QCheckBox* m_allGraph = nullptr;
    QLineEdit* m_dispNumber = nullptr;
    QCheckBox* m_allGraphKikan = nullptr;
    QLineEdit* m_dispNumberKikan = nullptr;
    QCheckBox* m_scaleFix = nullptr;
    std::array<QLineEdit*, 8> m_scaleMemos{};  // economy, distance, unit price, fuel: min, max
    QCheckBox* m_view3D = nullptr;
    QCheckBox* m_graphZoom = nullptr;
    QCheckBox* m_heikinDisp = nullptr;
    QCheckBox* m_mokuhyoDisp = nullptr;
    QCheckBox* m_noneHeikinDisp = nullptr;
    QCheckBox* m_chipHelpDisp = nullptr;
    ColorPanel* m_mivraGraphColor = nullptr;
    ColorPanel* m_heikinGraphColor = nullptr;
    ColorPanel* m_mokuhyoGraphColor = nullptr;
    QCheckBox* m_mivraGraphMark = nullptr;
    QCheckBox* m_heikinGraphMark = nullptr;
    QCheckBox* m_mokuhyoGraphMark = nullptr;
    // Print tab.
    int m_printForm = 1;
    QComboBox* m_printSelect = nullptr;
    QGroupBox* m_printGroup = nullptr;
    QLineEdit* m_printFormEdit = nullptr;
    QLineEdit* m_printTitleEdit = nullptr;
    QLineEdit* m_printSelectEdit = nullptr;
    QLineEdit* m_selectIdEdit = nullptr;
    QComboBox* m_printMuki = nullptr;
    SettingGrid* m_printGrid = nullptr;
    QMenu* m_printFlagMenu = nullptr;
    QMenu* m_printPositionMenu = nullptr;
    QMenu* m_printSettingMenu = nullptr;
    int m_printMenuRow = 0;
    // Display tab.
    ColorPanel* m_mivraNoColor = nullptr;
    ColorPanel* m_mainteNoColor = nullptr;
    ColorPanel* m_selectColor = nullptr;
    ColorPanel* m_sortColor = nullptr;
    QCheckBox* m_dayFix = nullptr;
    QCheckBox* m_mivraRed = nullptr;
    QCheckBox* m_mokuhyoRed = nullptr;
    QComboBox* m_dataMaxSel = nullptr;
    QCheckBox* m_costZeroDisp = nullptr;
    QLineEdit* m_fontText = nullptr;
    QLineEdit* m_jpgFileName = nullptr;
    QCheckBox* m_jpgDispWait = nullptr;
    QLineEdit* m_jpgWaitTime = nullptr;
    QCheckBox* m_timeInput = nullptr;
    QCheckBox* m_weatherInput = nullptr;
    QComboBox* m_runTani = nullptr;
    QComboBox* m_gasTani = nullptr;
    // Calculation tab.
    QComboBox* m_tankaCalc = nullptr;
    QLineEdit* m_zeiRitsu = nullptr;
    QComboBox* m_hasuuSyori = nullptr;
    QCheckBox* m_tankaZeikomi = nullptr;
    QCheckBox* m_tankaTen = nullptr;
    QLineEdit* m_keiyuZei = nullptr;
    QLineEdit* m_keiyuName = nullptr;
    QComboBox* m_runCalcSelect = nullptr;
    QLineEdit* m_dataPath = nullptr;
    QPushButton* m_pathButton = nullptr;
    QCheckBox* m_calcPass = nullptr;
    QCheckBox* m_imeAutoMode = nullptr;
    QCheckBox* m_autoSave = nullptr;
    QCheckBox* m_searchDaySave = nullptr;
    QCheckBox* m_mainteAddGasCost = nullptr;
    QCheckBox* m_noneDataHeikin = nullptr;
    QCheckBox* m_noneHeikinTotal = nullptr;

    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;

    // Grid pop-up menus and the grid they were opened on.
    QMenu* m_gridMenu = nullptr;
    QList<QAction*> m_moveItems;       // up, down, insert, delete
    QList<QAction*> m_clipboardItems;  // cut, copy, paste, undo
    SettingGrid* m_menuGrid = nullptr;
};

}  // namespace tovrel
