// The month range edits, buttons and menus that the totals windows share, and their size rules.
#pragma once

#include <QObject>
#include <QString>

#include <array>

class QAction;
class QComboBox;
class QLineEdit;
class QMainWindow;
class QMenu;
class QToolBar;
class QToolButton;

namespace tovrel {

class ListGrid;

class RangeBar : public QObject {
    Q_OBJECT

public:
    // Builds the tool bar and the "ﾌｧｲﾙ(&F)", "検索(&S)" and "表示(&V)" menus of the window. The list
    // items are named itemStem + "Print1Item", itemStem + "FileOut1Item", ...; withGraph adds the
    // graph button, the graph kind box and "ｸﾞﾗﾌ表示(&G)...".
    RangeBar(QMainWindow* window, const QString& itemStem, bool withGraph);

    QLineEdit* StartEdit() const { return m_startEdit; }
    QLineEdit* EndEdit() const { return m_endEdit; }
    QString StartText() const;
    QString EndText() const;
    void SetTexts(const QString& startText, const QString& endText);

    // Null without the graph.
    QComboBox* GraphSel() const { return m_graphSel; }
    QAction* PrintItem(int tag) const { return m_printItems[tag - 1]; }
    QAction* FileOutItem(int tag) const { return m_fileOutItems[tag - 1]; }
    QMenu* FileMenu() const { return m_fileMenu; }
    QToolBar* ToolBar() const { return m_toolBar; }

    // Captions of the two print items and the two CSV items: name + "(&" + tag + ")...".
    void SetListCaptions(const QString& title1, const QString& title2);

signals:
    // -1 "<<"/"前年(&P)", +1 ">>"/"次年(N)", 0 "再集計"/"期間集計(&C)".
    void computeRequested(int shift);
    void wholeLogRequested();
    void fileOutRequested(int tag);
    void fileMenuAboutToShow();

private:
    QToolButton* AddButton(const QString& name, const QString& hint);
    void AddGap();

    QMainWindow* m_window;
    QToolBar* m_toolBar;
    QLineEdit* m_startEdit;
    QLineEdit* m_endEdit;
    QComboBox* m_graphSel = nullptr;
    QMenu* m_fileMenu;
    std::array<QAction*, 2> m_printItems{};
    std::array<QAction*, 2> m_fileOutItems{};
};

// Width fixed to what the grid's columns need; height from what shows minRows grid rows (the heading
// included) up to what shows allRows, never taller than the desktop work area. A window taller than
// the new limit shrinks.
void FitWindowToGrid(QMainWindow* window, ListGrid* grid, int minRows, int allRows);

}  // namespace tovrel
