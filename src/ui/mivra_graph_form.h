// The trend graph window: one value of the current car over time, page by page, as a bar or line chart.
#pragma once

#include "graph/trend_graph.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QLineEdit;
class QToolButton;

namespace tovrel {

class GraphChartView;
class Logbook;
struct PeriodTotals;

class TMivraGraphForm : public QDialog {
    Q_OBJECT

public:
    explicit TMivraGraphForm(Logbook& book);
    ~TMivraGraphForm() override;

    // Sets the graph kind and shows the window modally over the opener. The period kinds (1, 2, 4,
    // 5, 6) read the totals grid, which must outlive the showing.
    int ShowGraph(QWidget* opener, int kind, const PeriodTotals* totals);

    // The settings dialog opened on its graph tab, true when it was closed with OK. Until it is set
    // SettingSpeedButton stays disabled.
    void SetGraphSettingsOpener(std::function<bool(QWidget* parent)> open);

    void AllGraphCheckBoxClick();
    void DispNumberMemoExit();
    void ReDrawSpeedButtonClick();
    void TopSpeedButtonClick();
    void PrevSpeedButtonClick();
    void NextSpeedButtonClick();
    void LastSpeedButtonClick();
    void MivraChartPageChange();
    void MivraMemoDispCheckBoxClick();
    void SettingSpeedButtonClick();
    void PrintSpeedButtonClick();

    int Kind() const { return m_kind; }
    int PointsPerPageN() const { return m_perPage; }
    const TrendData& data() const { return m_data; }
    const TrendGraph& graph() const { return m_graph; }
    GraphChartView* chartView() const { return m_chart; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ViewChoice {
        bool all = true;
        QString count;
    };

    void FormCreate();
    void FormShow();
    void FormClose();
    void BuildControls();
    void CollectData();
    void Draw();
    void StoreChoices();
    ViewChoice& Choice();
    QString PlacementName() const;

    Logbook& m_book;
    int m_kind = 0;
    const PeriodTotals* m_totals = nullptr;
    std::array<ViewChoice, 2> m_choices;  // record kinds, period kinds: live as long as the program
    int m_perPage = kDefaultPointsPerPage;
    TrendData m_data;
    TrendGraph m_graph;
    std::function<bool(QWidget*)> m_openSettings;

    QCheckBox* m_allGraph;
    QLineEdit* m_dispNumber;
    QToolButton* m_reDraw;
    QToolButton* m_top;
    QToolButton* m_prev;
    QToolButton* m_next;
    QToolButton* m_last;
    QLineEdit* m_pageMemo;
    QToolButton* m_print;
    QToolButton* m_setting;
    QToolButton* m_close;
    QCheckBox* m_reverse;
    QCheckBox* m_memoDisp;
    GraphChartView* m_chart;
};

}  // namespace tovrel
