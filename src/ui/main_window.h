// The main list window: the current car's log, the hub that opens every other window.
#pragma once

#include "data/logbook.h"
#include "totals/startup_warnings.h"

#include <QMainWindow>
#include <QPointer>
#include <QVector>

#include <array>
#include <functional>

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
class TAboutBox;
class TMivraInputForm;
struct Settings;
class SettingsStore;

class TMivraMainForm : public QMainWindow {
    Q_OBJECT

public:
    TMivraMainForm(Settings& settings, SettingsStore& store, QWidget* parent = nullptr);
    ~TMivraMainForm() override;

    Logbook& book() { return m_book; }
    ListGrid* grid() const { return m_grid; }
    TMivraInputForm* entryDialog() const { return m_entry; }
    QString StatusText(int panel) const;
    QAction* FindAction(const QString& objectName) const;

    // Keyboard state at the moments that matter (Ctrl at OK, Shift at the save prompt); tests replace it.
    std::function<Qt::KeyboardModifiers()> keyboardModifiers;

    // Flows of the list.
    void NewSpeedButtonClick();
    void EditItemClick();
    void MivraStringGridDblClick();
    void DeleteSpeedButtonClick();
    void SaveItemClick();
    void AllSelectItemClick();
    void ExitItemClick();
    void CarItemClick(int car);
    void ShowLastRecord();
    void SetListEditable(bool on);
    // Recomputes the average and both status texts and repaints the list.
    void RecalcStatus();
    void ToggleCellColorMode();
    void MainOutFileItemClick(int formNumber);
    void MainteInitItemClick();

    // The start-up warnings collected at the first showing.
    const StartupWarnings& Warnings() const { return m_warnings; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void BuildToolbar(QWidget* panel);
    void BuildMenus();
    void BuildPopupMenus();
    QAction* AddAction(QMenu* menu, const QString& name, const QString& caption, void (TMivraMainForm::*slot)(),
                       const QKeySequence& shortcut = QKeySequence());
    void ApplyListFont();
    void ApplyStoredWidths();
    void BuildCarMenus();
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
    bool CtrlHeld() const;
    bool ShiftHeld() const;
    void ShowFileError(const QString& error);

    Logbook m_book;
    MainListModel* m_model = nullptr;
    ListGrid* m_grid = nullptr;
    TMivraInputForm* m_entry = nullptr;
    TAboutBox* m_about = nullptr;
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
    bool m_shownOnce = false;
    bool m_destroyed = false;
};

}  // namespace tovrel
