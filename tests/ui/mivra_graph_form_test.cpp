// Trend graph window and chart: openers, paging controls, view choices kept and written back, zoom,
// call-outs, print preview to PDF, and a rendered picture.
#include "ui/mivra_graph_form.h"

#include "input_events.h"
#include "session/logbook.h"
#include "settings/settings_store.h"
#include "test_support.h"
#include "ui/graph_chart_view.h"
#include "ui/graph_print_dialog.h"
#include "ui/main_window.h"
#include "ui/period_totals_form.h"
#include "ui/range_bar.h"
#include "ui/widgets/file_dialog.h"
#include "ui/widgets/message_box.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>
#include <functional>
#include <memory>

namespace tovrel {
namespace {

using namespace test;

// n refuellings from 2023/11/01 every 5 days, economy 10.00 + i/10; the third one with a memo.
QVector<FuelRecord> Refuellings(int n) {
    QVector<FuelRecord> records;
    for (int i = 1; i <= n; ++i) {
        FuelRecord r = Refuel(QDate(2023, 11, 1).addDays(i * 5).toString(QStringLiteral("yyyy/MM/dd")),
                              u"400", u"40", QString::number(10 + i / 10.0, 'f', 2), u"6000", u"150");
        if (i == 3) {
            r.text[ColMemo] = QStringLiteral("ﾀｲﾔ交換\r\n冬用");
            r.memoGraph = 1;
        }
        records.append(r);
    }
    return records;
}

// Counts pixels that are not white.
int InkPixels(const QImage& image) {
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white)) ++ink;
    return ink;
}

// Whether some pixel is close to the colour (lines are drawn smoothed).
bool HasColor(const QImage& image, const QColor& color) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - color.red()) + std::abs(c.green() - color.green()) +
                    std::abs(c.blue() - color.blue()) <
                40)
                return true;
        }
    }
    return false;
}

// Runs step on the dialog of type T once it is the active modal window (it is opened inside the flow
// under test); closes nothing itself.
template <typename T>
void WhenModal(const std::function<void(T*)>& step, int tries = 500) {
    QTimer::singleShot(10, [step, tries] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            step(dialog);
            return;
        }
        if (tries > 0)
            WhenModal<T>(step, tries - 1);
        else
            ADD_FAILURE() << "the dialog did not open";
    });
}

class GraphFormTest : public ::testing::Test, protected LogbookSession {
protected:
    void SetUp() override {
        WriteCars({QStringLiteral("*ﾃｽﾄ車")});
        ASSERT_TRUE(StartAndSelect(1));
        settings.AllGraph = false;
        settings.DispNumber = 10;
        form = std::make_unique<TMivraGraphForm>(book);
        form->chartView()->animateZoom = false;
    }
    void TearDown() override {
        form.reset();
        MessageBox::ClearLog();
        FileDialog::ClearLog();
    }

    // Shows the window modally; inside runs while it is shown, then the window closes.
    void Open(int kind, const PeriodTotals* totals, const std::function<void()>& inside) {
        QTimer::singleShot(0, form.get(), [&] {
            inside();
            form->reject();
        });
        form->ShowGraph(&opener, kind, totals);
    }
    template <typename T>
    T* Find(const char* name) const {
        T* w = form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString PageMemo() const { return Find<QLineEdit>("PageMemo")->text(); }
    bool Enabled(const char* name) const { return Find<QWidget>(name)->isEnabled(); }

    QWidget opener;
    std::unique_ptr<TMivraGraphForm> form;
};

TEST_F(GraphFormTest, PagingButtonsFollowThePage) {
    SetRecords(book.table(), Refuellings(25));
    Open(0, nullptr, [&] {
        EXPECT_EQ(form->windowTitle(), QStringLiteral("燃費推移ｸﾞﾗﾌ - ﾃｽﾄ車"));
        EXPECT_EQ(PageMemo(), QStringLiteral("1/3"));
        EXPECT_FALSE(Enabled("TopSpeedButton"));
        EXPECT_FALSE(Enabled("PrevSpeedButton"));
        EXPECT_TRUE(Enabled("NextSpeedButton"));
        Find<QToolButton>("NextSpeedButton")->click();
        EXPECT_EQ(PageMemo(), QStringLiteral("2/3"));
        EXPECT_TRUE(Enabled("TopSpeedButton"));
        Find<QToolButton>("LastSpeedButton")->click();
        EXPECT_EQ(PageMemo(), QStringLiteral("3/3"));
        EXPECT_FALSE(Enabled("NextSpeedButton"));
        EXPECT_FALSE(Enabled("LastSpeedButton"));
        Find<QToolButton>("PrevSpeedButton")->click();
        EXPECT_EQ(PageMemo(), QStringLiteral("2/3"));
        Find<QToolButton>("TopSpeedButton")->click();
        EXPECT_EQ(PageMemo(), QStringLiteral("1/3"));
        EXPECT_TRUE(Find<QCheckBox>("MivraMemoDispCheckBox")->isVisible());

        // All points: one page, paging and count off.
        Find<QCheckBox>("AllGraphCheckBox")->click();
        EXPECT_EQ(PageMemo(), QStringLiteral("全て"));
        EXPECT_FALSE(Enabled("PrevSpeedButton"));
        EXPECT_FALSE(Enabled("NextSpeedButton"));
        EXPECT_FALSE(Enabled("DispNumberMemo"));
        EXPECT_EQ(form->graph().PointCount(), 25);
    });
}

TEST_F(GraphFormTest, CountFieldFallsBackToTen) {
    SetRecords(book.table(), Refuellings(25));
    Open(0, nullptr, [&] {
        auto* count = Find<QLineEdit>("DispNumberMemo");
        for (const char* bad : {"0", "abc", "", "-4"}) {
            count->setText(QLatin1String(bad));
            form->DispNumberMemoExit();
            EXPECT_EQ(count->text(), QStringLiteral("10")) << bad;
        }
        count->setText(QStringLiteral("5"));
        QTest::keyClick(count, Qt::Key_Return);
        EXPECT_EQ(PageMemo(), QStringLiteral("1/5"));
    });
}

TEST_F(GraphFormTest, ChoicesLiveForTheRunAndChecksGoBackToTheSettings) {
    SetRecords(book.table(), Refuellings(12));
    Open(3, nullptr, [&] {
        EXPECT_EQ(form->windowTitle(), QStringLiteral("単価推移ｸﾞﾗﾌ - ﾃｽﾄ車"));
        EXPECT_FALSE(Find<QCheckBox>("MivraMemoDispCheckBox")->isVisible());
        Find<QLineEdit>("DispNumberMemo")->setText(QStringLiteral("4"));
        Find<QToolButton>("ReDrawSpeedButton")->click();
        EXPECT_EQ(PageMemo(), QStringLiteral("1/3"));
        Find<QCheckBox>("GraphReverseCheckBox")->click();
        EXPECT_EQ(form->graph().points.first().item, 11);
        Find<QCheckBox>("MivraMemoDispCheckBox")->setChecked(false);
    });
    EXPECT_TRUE(settings.GraphReverse);
    EXPECT_FALSE(settings.MivraMemoDisp);
    EXPECT_EQ(settings.DispNumber, 10);  // the settings only seed the choices
    EXPECT_TRUE(store.Contains(QStringLiteral("Position"), QStringLiteral("Top.TMivraGraphForm3")));

    // The record kinds share the choice; the period kinds have their own.
    Open(0, nullptr, [&] {
        EXPECT_EQ(Find<QLineEdit>("DispNumberMemo")->text(), QStringLiteral("4"));
        EXPECT_TRUE(Find<QCheckBox>("GraphReverseCheckBox")->isChecked());
        EXPECT_EQ(form->graph().points.first().item, 11);
    });
    const PeriodTotals totals = ComputePeriodTotals(book.table(), settings, QStringLiteral("2023/11"),
                                                    QStringLiteral("2024/01"), 0, QStringLiteral("km"));
    Open(2, &totals, [&] {
        EXPECT_TRUE(Find<QCheckBox>("AllGraphCheckBox")->isChecked());
        EXPECT_EQ(PageMemo(), QStringLiteral("全て"));
        EXPECT_EQ(form->graph().PointCount(), 2);  // 2023/11 and 2023/12; 2024/01 has no record
        EXPECT_EQ(form->windowTitle(), QStringLiteral("走行距離推移ｸﾞﾗﾌ - ﾃｽﾄ車"));
    });
}

TEST_F(GraphFormTest, SettingsButtonWaitsForTheSettingsDialog) {
    SetRecords(book.table(), Refuellings(25));
    bool asked = false;
    Open(0, nullptr, [&] {
        EXPECT_FALSE(Enabled("SettingSpeedButton"));
        form->SetGraphSettingsOpener([&](QWidget*) {
            asked = true;
            settings.GraphType = 1;
            settings.AllGraph = true;
            return true;
        });
        Find<QLineEdit>("DispNumberMemo")->setText(QStringLiteral("5"));
        Find<QToolButton>("ReDrawSpeedButton")->click();
        Find<QToolButton>("SettingSpeedButton")->click();
        EXPECT_TRUE(form->chartView()->graphChart()->Style().bar);
        // The choices of this run stay.
        EXPECT_EQ(PageMemo(), QStringLiteral("1/5"));
    });
    EXPECT_TRUE(asked);
}

TEST_F(GraphFormTest, DragZoomsInAndBackOut) {
    SetRecords(book.table(), Refuellings(25));
    Open(0, nullptr, [&] {
        GraphChartView* view = form->chartView();
        GraphChart* chart = view->graphChart();
        const QPoint a = view->mapFromScene(chart->mapToScene(chart->plotArea().topLeft() + QPointF(20, 20)));
        const QPoint b = a + QPoint(120, 80);
        QWidget* port = view->viewport();
        SendMouse(port, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, a);
        SendMouse(port, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, b);
        SendMouse(port, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, b);
        EXPECT_TRUE(chart->IsZoomed());
        SendMouse(port, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, b);
        SendMouse(port, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, a);
        EXPECT_FALSE(chart->IsZoomed());
    });
    settings.GraphZoom = false;
    Open(0, nullptr, [&] {
        GraphChartView* view = form->chartView();
        const QPoint a(100, 100);
        SendMouse(view->viewport(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, a);
        SendMouse(view->viewport(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton,
                  a + QPoint(99, 99));
        EXPECT_FALSE(view->graphChart()->IsZoomed());
    });
}

TEST_F(GraphFormTest, MemoCalloutsOnTheEconomyGraph) {
    SetRecords(book.table(), Refuellings(25));
    Open(0, nullptr, [&] {
        GraphChart* chart = form->chartView()->graphChart();
        EXPECT_EQ(chart->Callouts(), (QVector<MemoCallout>{{3, QStringLiteral("ﾀｲﾔ交換")}}));
        Find<QToolButton>("NextSpeedButton")->click();
        EXPECT_TRUE(chart->Callouts().isEmpty());
        Find<QToolButton>("TopSpeedButton")->click();
        Find<QCheckBox>("MivraMemoDispCheckBox")->click();
        EXPECT_TRUE(chart->Callouts().isEmpty());
    });
}

TEST_F(GraphFormTest, PrintPreviewWritesPdfAndKeepsMarginsAndResolution) {
    SetRecords(book.table(), Refuellings(25));
    const QString pdf = folder.file(QStringLiteral("graph.pdf"));
    Open(0, nullptr, [&] {
        WhenModal<TGraphPrintDialog>([&](TGraphPrintDialog* preview) {
            EXPECT_EQ(preview->findChild<QSpinBox*>(QStringLiteral("MarginTopSpin"))->value(), 5);
            preview->findChild<QSpinBox*>(QStringLiteral("MarginLeftSpin"))->setValue(10);
            // Typed digit by digit: each value redraws the preview while the next key waits.
            auto* resolution = preview->findChild<QSpinBox*>(QStringLiteral("ResolutionSpin"));
            resolution->selectAll();
            QTest::keyClicks(resolution, QStringLiteral("-20"));
            QApplication::processEvents();
            auto* printers = preview->findChild<QComboBox*>(QStringLiteral("PrinterComboBox"));
            printers->setCurrentIndex(printers->findText(TGraphPrintDialog::PdfPrinterName()));
            FileDialog::PresetAnswers({pdf});
            EXPECT_TRUE(preview->PrintButtonClick());
            preview->reject();
        });
        Find<QToolButton>("PrintSpeedButton")->click();
    });
    EXPECT_TRUE(ReadBytes(pdf).startsWith("%PDF"));
    EXPECT_EQ(settings.MivraMarginLeft, 10);
    EXPECT_EQ(settings.MivraMarginTop, 5);
    EXPECT_EQ(settings.MivraResolution, -20);
}

TEST_F(GraphFormTest, PeriodTotalsWindowOpensTheChosenKind) {
    SetRecords(book.table(), Refuellings(25));
    TTotalForm totalForm(book, &opener);
    auto* button = totalForm.findChild<QToolButton*>(QStringLiteral("GraphSpeedButton"));
    EXPECT_FALSE(button->isEnabled());
    totalForm.SetGraphForm(form.get());
    EXPECT_TRUE(button->isEnabled());
    totalForm.rangeBar()->SetTexts(QStringLiteral("2023/10"), QStringLiteral("2024/03"));
    totalForm.Compute(0);
    totalForm.rangeBar()->GraphSel()->setCurrentIndex(3);
    int kind = -1;
    int points = 0;
    QTimer::singleShot(0, form.get(), [&] {
        kind = form->Kind();
        points = form->graph().PointCount();
        EXPECT_EQ(form->graph().points.first().label, QStringLiteral("2023/11"));
        form->reject();
    });
    button->click();
    EXPECT_EQ(kind, 5);
    EXPECT_EQ(points, 5);
}

TEST_F(GraphFormTest, MainWindowRefusesAnEmptyLogAndOpensTheChosenKind) {
    TMivraMainForm main(settings, store);
    main.book().table().SetRecordCount(0);
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    main.FindAction(QStringLiteral("GraphItem"))->trigger();
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].caption, QStringLiteral("ｸﾞﾗﾌ表示ｴﾗｰ"));
    EXPECT_EQ(MessageBox::Log()[0].text, QStringLiteral("ｸﾞﾗﾌ表示するﾃﾞｰﾀがありません。"));

    SetRecords(main.book().table(), Refuellings(3));
    main.findChild<QComboBox*>(QStringLiteral("GraphSelComboBox"))->setCurrentIndex(1);
    int kind = -1;
    QTimer::singleShot(0, main.graphForm(), [&] {
        kind = main.graphForm()->Kind();
        main.graphForm()->reject();
    });
    main.findChild<QToolButton*>(QStringLiteral("GraphSpeedButton"))->click();
    EXPECT_EQ(kind, 3);
}

class GraphPictureTest : public ::testing::Test {
protected:
    TrendGraph Graph(bool bar, bool all) {
        SetRecords(table, Refuellings(25));
        data = CollectRecordTrend(0, table, false, 12);
        settings.GraphType = bar ? 1 : 0;
        return BuildTrendGraph(data, settings, 1, QStringLiteral("ﾃｽﾄ車"), {all, 10, false});
    }
    RecordTable table{1000};
    Settings settings;
    TrendData data;
};

TEST_F(GraphPictureTest, RenderedPageIsNotBlank) {
    for (const bool bar : {false, true}) {
        const TrendGraph graph = Graph(bar, false);
        QVector<MemoCallout> callouts;
        const QImage image = RenderGraphImage(data, graph, GraphStyle::FromSettings(settings, true), 1,
                                              QSize(600, 400), &callouts);
        EXPECT_EQ(image.size(), QSize(600, 400));
        // Axes, labels, title, the data in red and the average in blue.
        EXPECT_GT(InkPixels(image), 600 * 400 / 50) << bar;
        EXPECT_TRUE(HasColor(image, QColor(255, 0, 0))) << bar;
        EXPECT_TRUE(HasColor(image, QColor(0, 0, 255))) << bar;
        EXPECT_EQ(callouts.size(), 1);
    }
    // Bars fill more than a line does.
    const int line = InkPixels(RenderGraphImage(data, Graph(false, true), {}, 1, QSize(600, 400)));
    const int bars =
        InkPixels(RenderGraphImage(data, Graph(true, true), GraphStyle{true}, 1, QSize(600, 400)));
    EXPECT_GT(bars, line);
}

TEST_F(GraphPictureTest, DepthAddsColourBehindTheData) {
    const TrendGraph graph = Graph(true, false);
    GraphStyle flat = GraphStyle::FromSettings(settings, false);
    GraphStyle deep = flat;
    deep.view3D = true;
    const QImage a = RenderGraphImage(data, graph, flat, 1, QSize(600, 400));
    const QImage b = RenderGraphImage(data, graph, deep, 1, QSize(600, 400));
    EXPECT_GT(InkPixels(b), InkPixels(a));
    EXPECT_TRUE(HasColor(b, QColor(255, 0, 0).darker(150)));
}

}  // namespace
}  // namespace tovrel
