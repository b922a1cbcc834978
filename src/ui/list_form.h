// What the totals windows share: a list grid over a text grid, the cell-colour pop-up menu, the
// list font, remembered placement and column colours, and the main window kept disabled while shown.
#pragma once

#include <QMainWindow>
#include <QVector>

class QAction;
class QLabel;
class QMenu;

namespace tovrel {

class ListGrid;
class Logbook;
class TextGridModel;

class TListForm : public QMainWindow {
    Q_OBJECT

public:
    // mainWindow is disabled while this window is shown and enabled again when it closes; it owns
    // this window and deletes it.
    TListForm(Logbook& book, QWidget* mainWindow, const QString& className);
    ~TListForm() override;

    ListGrid* grid() const { return m_grid; }
    TextGridModel* model() const { return m_model; }
    QString StatusText() const;

    // The list font of the settings and the column widths in characters; call again when the font
    // settings change.
    virtual void ApplyListFont();

protected:
    Logbook& book() { return m_book; }
    const Logbook& book() const { return m_book; }

    // Column widths in characters of the grid shown now.
    virtual QVector<int> ColumnChars() const = 0;
    // The names placement and colours are stored under (they may depend on a mode).
    virtual QString PlacementName() const { return m_className; }
    virtual QString GridName() const { return QStringLiteral("TotalStringGrid"); }

    void SetStatusText(const QString& text);
    // The grid's pop-up menu: "ｾﾙの背景色設定ﾓｰﾄﾞ", "ｾﾙの背景色設定...", "標準背景色に戻す".
    QMenu* gridMenu() const { return m_gridMenu; }
    void SetCellColorMode(bool on);

    // Placement and column colours; windows call these at the moments their descriptions name.
    void RestorePlacement();
    void SavePlacement();
    void LoadColumnColors();
    void SaveColumnColors();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Logbook& m_book;
    QWidget* m_mainWindow;
    QString m_className;
    ListGrid* m_grid;
    TextGridModel* m_model;
    QLabel* m_status;
    QMenu* m_gridMenu;
    QAction* m_cellColorMode;
    QVector<QAction*> m_colorItems;
};

}  // namespace tovrel
