// The main list window: the current car's log, the hub that opens every other window.
#pragma once

#include "data/setting_edit.h"
#include "session/logbook.h"
#include "totals/startup_warnings.h"

#include <QItemSelection>
#include <QMainWindow>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QVector>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;

namespace tovrel {

class ListGrid;
class MainListModel;
class StartupPictureWindow;
class TCarInfoForm;
class TAboutBox;
class TAllMivraForm;
class TDaySearchForm;
class TSearchForm;
class TTotalRunCalcForm;
class TMainteForm;
class TMivraGraphForm;
class TMivraSyukeiForm;
class TTotalForm;
class TMivraInputForm;
class TPreviewForm;
class TSettingForm;
struct SettingsApplyResult;
class TWarningForm;
class TWarningTextForm;
struct Settings;
class SettingsStore;

class TMivraMainForm : public QMainWindow {
    Q_OBJECT

public:
    TMivraMainForm(Settings& settings, SettingsStore& store, QWidget* parent = nullptr);
    ~TMivraMainForm() override;

    Logbook& book() { return m_book; }
    ListGrid* grid() const { return m_grid; }
    // The other windows are made after the list's first paint, or by the first of these.
    TMivraInputForm* entryDialog() { CreateWindows(); return m_entry; }
    QString StatusText(int panel) const;
    QAction* FindAction(const QString& objectName) const;

    // Shift held at the save prompt (asks even with AutoSave); tests replace it.
    std::function<Qt::KeyboardModifiers()> keyboardModifiers;

    // Flows of the list.
    void NewSpeedButtonClick();
    void EditItemClick();
    void MivraStringGridDblClick();
    void DeleteSpeedButtonClick();
    void SaveItemClick();
    void ImportItemClick();
    void AllSelectItemClick();
    void ExitItemClick();
    void CarItemClick(int car);
    void ShowLastRecord();
    void SetListEditable(bool on);
    // Recomputes the average and both status texts and repaints the list.
    void RecalcStatus();
    void ToggleCellColorMode();
    void MainOutFileItemClick(int formNumber);
    // The print button (form 1) and the print items 1..3.
    void MainPrintItemClick(int formNumber);
    void MainteInitItemClick();
    void MainteKigenSyukeiClick();
    void WarningItemClick();
    void TotalItemClick();
    // The trend graph of the kind GraphSelComboBox names; an error box when the log is empty.
    void GraphItemClick();
    // Category totals by fuel type (0), station (1), pattern (2) or maintenance item (3).
    void SyukeiItemClick(int mode);
    // Leaves a search result: the full list again, editing on.
    void AllItemClick();
    // Car information, modal; the list repaints after OK (target economy marks).
    void CarInfoItemClick();
    // Search (F3), the date jump and the two range tools.
    void SearchItemClick();
    void JumpItemClick();
    void AllMivraItemClick();
    void TotalRunCalcItemClick();

    TSearchForm* searchForm() { CreateWindows(); return m_searchForm; }
    TDaySearchForm* daySearchForm() { CreateWindows(); return m_daySearchForm; }
    TAllMivraForm* allMivraForm() { CreateWindows(); return m_allMivraForm; }
    TTotalRunCalcForm* totalRunCalcForm() { CreateWindows(); return m_totalRunCalcForm; }
    // The settings dialog on the tab (and print form); after OK the list shows the new settings.
    // Other windows reach it through OpenSettingsDialog (ui/setting_form.h).
    bool OpenSettings(SettingTab tab = SettingTab::Current, int printForm = 0);
    TSettingForm* settingForm() { CreateWindows(); return m_settingForm; }

    TMainteForm* mainteForm() { CreateWindows(); return m_mainteForm.get(); }
    TWarningForm* warningForm() { CreateWindows(); return m_warningForm.get(); }
    TTotalForm* totalForm() { CreateWindows(); return m_totalForm.get(); }
    TMivraGraphForm* graphForm() { CreateWindows(); return m_graphForm.get(); }
    TMivraSyukeiForm* syukeiForm() { CreateWindows(); return m_syukeiForm.get(); }
    TPreviewForm* previewForm() { CreateWindows(); return m_previewForm.get(); }

    // The start-up warnings collected after the first showing.
    const StartupWarnings& Warnings() const { return m_warnings; }
    // Whether the start-up check has run (it waits for the list's first paint).
    bool StartupChecked() const { return m_startupChecked; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void CreateWindows();
    TAboutBox* aboutBox() { CreateWindows(); return m_about; }
    TCarInfoForm* carInfoForm() { CreateWindows(); return m_carInfoForm; }
    void FormShow();
    // The maintenance due state of every named car and the start-up warnings, with the wait window.
    void StartupCheck();
    void FormDestroy();
    void BuildToolbar(QWidget* panel);
    void BuildMenus();
    void BuildPopupMenus();
    QAction* AddAction(QMenu* menu, const QString& name, const QString& caption, void (TMivraMainForm::*slot)(),
                       const QKeySequence& shortcut = QKeySequence());
    void ApplyListFont();
    // A new list font: every list window lays its columns out again; hidden columns stay hidden.
    void ListFontChanged();
    void SettingsStored(const SettingsApplyResult& result);
    void StoreListWidths();
    void ApplyStoredWidths();
    // Captions of both car menus from the car list; with selectCars the cars of the plan are selected.
    void BuildCarMenus(bool selectCars = true);
    void SelectCarAndShow(int car);
    void ShowCarPicture();
    void ChooseCarPicture();
    void ClearCarPicture();
    void UpdateStatusPanels();
    void UpdateCaption();
    void FileMenuClick();
    void ResizeItemClick();
    void ResizeOneItemClick(int column);
    void ShowHelp();
    void AboutItemClick();
    void WarningTimerTimer();
    void ShowStartupPicture(const Settings& settings);
    void SelectRow(int slot);
    int SelectionTop() const;
    int SelectionBottom() const;
    bool ShiftHeld() const;
    void ShowFileError(const QString& error);
    void CreateSearchForms();
    // The list's top row and selection are kept aside while a search result is shown.
    void RememberFullListView();
    void SearchViewChanged(bool active);

    Logbook m_book;
    MainListModel* m_model = nullptr;
    ListGrid* m_grid = nullptr;
    TMivraInputForm* m_entry = nullptr;
    TAboutBox* m_about = nullptr;
    TCarInfoForm* m_carInfoForm = nullptr;
    TSearchForm* m_searchForm = nullptr;
    TDaySearchForm* m_daySearchForm = nullptr;
    TAllMivraForm* m_allMivraForm = nullptr;
    TTotalRunCalcForm* m_totalRunCalcForm = nullptr;
    struct ListView {
        int topRow = 0;
        QItemSelection selection;
        QPersistentModelIndex current;
    } m_fullListView;
    // The list windows have no parent (a child of a disabled window is disabled too).
    std::unique_ptr<TMivraSyukeiForm> m_syukeiForm;
    std::unique_ptr<TTotalForm> m_totalForm;
    std::unique_ptr<TMainteForm> m_mainteForm;
    std::unique_ptr<TWarningForm> m_warningForm;
    std::unique_ptr<TPreviewForm> m_previewForm;
    std::unique_ptr<TMivraGraphForm> m_graphForm;
    TWarningTextForm* m_warningTextForm = nullptr;
    TSettingForm* m_settingForm = nullptr;
    QLabel* m_carPicture = nullptr;
    QComboBox* m_graphSel = nullptr;
    std::array<QLabel*, 3> m_status{};
    QMenu* m_fileMenu = nullptr;
    QMenu* m_listPopup = nullptr;
    QMenu* m_carPopup = nullptr;
    QMenu* m_jpgPopup = nullptr;
    QAction* m_cellColorMode = nullptr;
    QVector<QAction*> m_cellColorItems;
    std::array<QAction*, 4> m_printItems{};
    std::array<QAction*, 4> m_csvItems{};
    std::array<QAction*, 11> m_carItems{};
    std::array<QAction*, 11> m_carPopupItems{};
    QActionGroup* m_carGroup = nullptr;
    QActionGroup* m_carPopupGroup = nullptr;
    QVector<QAction*> m_editActions;      // on while the list is editable
    QVector<QAction*> m_showAllActions;   // the opposite
    QVector<QAction*> m_notYetActions;    // windows that are not built yet: always off
    QTimer* m_newButtonPushTimer = nullptr;
    QTimer* m_warningTimer = nullptr;
    QTimer* m_jpgOpenTimer = nullptr;
    QPointer<StartupPictureWindow> m_startupPicture;
    StartupWarnings m_warnings;
    bool m_windowsCreated = false;
    bool m_shownOnce = false;
    QWidget* m_firstPaintWatch = nullptr;  // the list's viewport until its first paint
    bool m_startupChecked = false;
    bool m_destroyed = false;
};

}  // namespace tovrel
