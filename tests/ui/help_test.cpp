// The bundled help: every page reachable and every link whole; the help window; F1 in every window.
#include "ui/widgets/help.h"

#include "session/logbook.h"
#include "test_support.h"
#include "ui/about_dialog.h"
#include "ui/all_mivra_form.h"
#include "ui/car_info_form.h"
#include "ui/category_totals_form.h"
#include "ui/day_search_form.h"
#include "ui/entry_dialog.h"
#include "ui/fixed_font_dialog.h"
#include "ui/import_form.h"
#include "ui/graph_print_dialog.h"
#include "ui/help_form.h"
#include "ui/main_window.h"
#include "ui/maintenance_due_form.h"
#include "ui/mivra_graph_form.h"
#include "ui/period_totals_form.h"
#include "ui/preview_form.h"
#include "ui/print_setting_form.h"
#include "ui/search_form.h"
#include "ui/setting_form.h"
#include "ui/total_run_calc_form.h"
#include "ui/warning_form.h"
#include "ui/warning_text_form.h"
#include "ui/widgets/app_setup.h"
#include "ui/widgets/message_box.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <functional>
#include <memory>

namespace tovrel {
namespace {

using namespace test;

const QString kRoot = QStringLiteral("qrc:/help/");

QString PageText(const QString& name) {
    QFile file(QStringLiteral(":/help/") + name);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

QStringList Hrefs(const QString& html) {
    QStringList hrefs;
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    for (auto it = href.globalMatch(html); it.hasNext();)
        hrefs << it.next().captured(1);
    return hrefs;
}

QStringList ResourcePages() {
    // The resources are registered by the first opening of the help, as in the program.
    if (!QFile::exists(QStringLiteral(":/help/index.html"))) {
        OpenHelp(HelpContents);
        CloseHelp();
    }
    return QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

TEST(HelpPagesTest, EveryPageIsBundledTitledAndReachableFromTheContentsWithoutADeadLink) {
    const QStringList pages = ResourcePages();
    ASSERT_TRUE(pages.contains(QStringLiteral("index.html")));

    // Every page of the source folder went into the resources.
    const QString sourceFolder = QStringLiteral(TOVREL_FIXTURES "/../../src/ui/help");
    const QStringList onDisk =
        QDir(sourceFolder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(onDisk.isEmpty()) << sourceFolder.toStdString();
    EXPECT_EQ(onDisk, pages);

    for (const QString& page : pages) {
        const QString html = PageText(page);
        const QRegularExpressionMatch title =
            QRegularExpression(QStringLiteral("<title>([^<]+)</title>")).match(html);
        EXPECT_TRUE(title.hasMatch() && !title.captured(1).trimmed().isEmpty()) << page.toStdString();
        for (const QString& href : Hrefs(html)) {
            const QUrl target = QUrl(kRoot + page).resolved(QUrl(href));
            const std::string where = (page + QStringLiteral(" → ") + href).toStdString();
            ASSERT_EQ(target.scheme(), QStringLiteral("qrc")) << where;
            const QString file = target.path().mid(QStringLiteral("/help/").size());
            ASSERT_TRUE(QFile::exists(QStringLiteral(":/help/") + file)) << where;
            if (target.hasFragment()) {
                EXPECT_TRUE(PageText(file).contains(QStringLiteral("name=\"%1\"").arg(target.fragment())))
                    << where;
            }
        }
    }

    // Every page can be found by following links from the contents.
    QSet<QString> reached{QStringLiteral("index.html")};
    QStringList queue{QStringLiteral("index.html")};
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        for (const QString& href : Hrefs(PageText(page))) {
            const QString file = QUrl(kRoot + page).resolved(QUrl(href)).path().mid(6);
            if (file.endsWith(QStringLiteral(".html")) && !reached.contains(file)) {
                reached.insert(file);
                queue << file;
            }
        }
    }
    for (const QString& page : pages)
        EXPECT_TRUE(reached.contains(page)) << page.toStdString() << " is not linked from the contents";

    // Every topic number names a page; an unknown number gives the contents.
    for (int context = 0; context <= 300; ++context) {
        const QUrl url = HelpPageUrl(context);
        EXPECT_TRUE(QFile::exists(QStringLiteral(":") + url.path())) << context;
    }
    EXPECT_EQ(HelpPageUrl(4711), QUrl(kRoot + QStringLiteral("index.html")));
    EXPECT_EQ(HelpPageUrl(HelpOdometerRecalc), QUrl(kRoot + QStringLiteral("odometer.html")));
    EXPECT_EQ(HelpPageUrl(HelpPreview), QUrl(kRoot + QStringLiteral("preview.html")));
}

class HelpWindowTest : public ::testing::Test, protected LogbookSession {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        MessageBox::Install();
        WriteCars({QStringLiteral("*私の愛車")});
        WriteLog(1, {LogLine(1, Record(0, "2024/05/01", "300.0", "10300.0", "30.00")),
                     LogLine(2, Record(0, "2024/05/09", "240.0", "10540.0", "20.00")),
                     LogLine(3, Record(0, "2024/05/20", "280.0", "10820.0", "25.00"))});
    }

    void TearDown() override { CloseHelp(); }

    // Shows the window and presses F1 where its focus is.
    static bool PressF1(QWidget* window) {
        window->show();
        window->activateWindow();
        if (!QTest::qWaitFor([window] { return QApplication::activeWindow() == window; })) return false;
        QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_F1);
        return true;
    }

    // The page the help window shows after F1 in the window (opened anew, so no earlier page counts).
    QString F1In(QWidget* window) {
        CloseHelp();
        if (!PressF1(window)) return QStringLiteral("window not active");
        QWidget* help = HelpWindow();
        if (!help || !help->isVisible()) return QStringLiteral("no help window");
        // Shown beside a modal dialog, the help must be one of its windows, or it could not be used.
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != help) {
            EXPECT_EQ(help->parentWidget(), modal);
        }
        return HelpSource().toString().mid(kRoot.size());
    }
};

TEST_F(HelpWindowTest, StartUpLeavesTheHelpAloneAndTheHelpMenuAndF1OpenContentsAndListPage) {
    auto window = std::make_unique<TMivraMainForm>(settings, store);
    window->show();
    EXPECT_EQ(HelpWindow(), nullptr);
    window->FindAction(QStringLiteral("HelpItem"))->trigger();
    EXPECT_EQ(HelpSource().toString(), kRoot + QStringLiteral("index.html"));
    EXPECT_EQ(F1In(window.get()), QStringLiteral("main_window.html"));
    // The main window takes the help window with it when it ends.
    window.reset();
    EXPECT_EQ(HelpWindow(), nullptr);
}

TEST_F(HelpWindowTest, LinksAreFollowedWithBackForwardAndContents) {
    OpenHelp(HelpContents);
    auto* help = qobject_cast<THelpForm*>(HelpWindow());
    ASSERT_NE(help, nullptr);
    QTextBrowser* browser = help->browser();
    auto* back = help->findChild<QToolButton*>(QStringLiteral("BackButton"));
    auto* forward = help->findChild<QToolButton*>(QStringLiteral("ForwardButton"));
    EXPECT_FALSE(back->isEnabled());
    EXPECT_EQ(help->windowTitle(), QStringLiteral("ﾍﾙﾌﾟ - 目次"));

    // Tab selects the contents' first link, Enter follows it.
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
    EXPECT_EQ(browser->source().toString(), kRoot + QStringLiteral("start.html"));
    EXPECT_EQ(help->windowTitle(), QStringLiteral("ﾍﾙﾌﾟ - はじめに"));
    ASSERT_TRUE(back->isEnabled());
    back->click();
    EXPECT_EQ(browser->source().toString(), kRoot + QStringLiteral("index.html"));
    ASSERT_TRUE(forward->isEnabled());
    forward->click();
    EXPECT_EQ(browser->source().toString(), kRoot + QStringLiteral("start.html"));

    help->findChild<QToolButton*>(QStringLiteral("MenuIndexButton"))->click();
    EXPECT_EQ(browser->source().toString(), kRoot + QStringLiteral("menus.html"));
    help->findChild<QToolButton*>(QStringLiteral("ContentsButton"))->click();
    EXPECT_EQ(browser->source().toString(), kRoot + QStringLiteral("index.html"));

    // A topic on a page further down shows that part of the page.
    browser->setSource(QUrl(kRoot + QStringLiteral("entry.html#price")));
    EXPECT_GT(browser->verticalScrollBar()->value(), 0);
}

TEST_F(HelpWindowTest, HelpOpenedFromAModalDialogStaysUsableAfterTheDialogCloses) {
    TSettingForm outer(book);
    TPrintSettingForm inner(settings, store, &outer);
    EXPECT_EQ(F1In(&outer), QStringLiteral("settings_names.html"));
    inner.setModal(true);
    ASSERT_TRUE(PressF1(&inner));
    EXPECT_EQ(HelpWindow()->parentWidget(), &inner);
    EXPECT_EQ(HelpSource().toString(), kRoot + QStringLiteral("print_settings.html"));

    // Each closing hands the help on to the modal dialog below, then lets it stand alone.
    inner.close();
    EXPECT_TRUE(QTest::qWaitFor([] {
        return HelpWindow()->parentWidget() != nullptr &&
               HelpWindow()->parentWidget()->objectName() == QStringLiteral("TSettingForm");
    }));
    EXPECT_TRUE(HelpWindow()->isVisible());
    outer.close();
    EXPECT_TRUE(QTest::qWaitFor([] { return HelpWindow()->parentWidget() == nullptr; }));
    EXPECT_TRUE(HelpWindow()->isVisible());
    EXPECT_EQ(HelpSource().toString(), kRoot + QStringLiteral("print_settings.html"));
}

TEST_F(HelpWindowTest, F1InEveryWindowOpensItsPage) {
    ASSERT_TRUE(StartAndSelect(1));
    const auto expect = [this](QWidget* window, const char* page) {
        EXPECT_EQ(F1In(window), QLatin1String(page)) << window->objectName().toStdString();
        window->close();
    };

    TMivraInputForm entry(book);
    expect(&entry, "entry.html");
    TCarInfoForm carInfo(book);
    expect(&carInfo, "car_info.html");
    TSearchForm search(book);
    expect(&search, "search.html");
    TDaySearchForm jump(store);
    expect(&jump, "jump.html");
    TTotalForm totals(book, nullptr);
    expect(&totals, "period_totals.html");
    TMivraSyukeiForm syukei(book, nullptr);
    expect(&syukei, "category_totals.html");
    TMainteForm due(book, nullptr);
    expect(&due, "maintenance_due.html");
    TWarningForm warnings(book, nullptr);
    expect(&warnings, "warnings.html");
    TWarningTextForm warningNames;
    expect(&warningNames, "warning_names.html");
    TMivraGraphForm graph(book);
    expect(&graph, "graph.html");
    TGraphPrintDialog graphPrint(nullptr, TrendData{}, TrendGraph{}, GraphStyle{}, 1, QSize(800, 460),
                                 ChartPrintSettings{});
    expect(&graphPrint, "graph_print.html");
    TPrintSettingForm printSettings(settings, store);
    expect(&printSettings, "print_settings.html");
    TPreviewForm preview(store);
    expect(&preview, "preview.html");
    TFixedFontDialog font;
    expect(&font, "font.html");
    TAboutBox about;
    expect(&about, "about.html");
    TImportForm import(book);
    expect(&import, "import.html");

    // The two range tools also have a help button.
    TTotalRunCalcForm odometer(book);
    expect(&odometer, "odometer.html");
    TAllMivraForm combined(book);
    expect(&combined, "combined_fill.html");
    odometer.show();
    odometer.findChild<QPushButton*>(QStringLiteral("HelpButton"))->click();
    EXPECT_EQ(HelpSource().toString(), kRoot + QStringLiteral("odometer.html"));
    odometer.close();

    // The settings dialog opens the page of the tab shown.
    TSettingForm settingForm(book);
    auto* tabs = settingForm.findChild<QTabWidget*>(QStringLiteral("SettingPageControl"));
    const char* const tabPages[] = {"settings_names.html", "settings_maintenance.html", "settings_graph.html",
                                    "settings_print.html", "settings_display.html",     "settings_calc.html"};
    for (int tab = 0; tab < 6; ++tab) {
        tabs->setCurrentIndex(tab);
        EXPECT_EQ(F1In(&settingForm), QLatin1String(tabPages[tab])) << tab;
    }
    settingForm.close();
}

}  // namespace
}  // namespace tovrel
