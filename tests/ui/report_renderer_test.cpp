// The report as PDF: what pdftotext reads back, the page count the layout predicts, fonts and files
// that do not work.
#include "ui/report_renderer.h"

#include "data/record_table.h"
#include "output/list_sources.h"
#include "test_support.h"
#include "totals/period_totals.h"
#include "ui/widgets/app_setup.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace tovrel {
namespace {

const QDate kToday(2004, 5, 12);

// pdftotext -layout of the file, with ～ as the program writes it; empty when the tool is missing.
QString PdfText(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(20000) || process.exitCode() != 0) return QString();
    return QString::fromUtf8(process.readAllStandardOutput()).replace(QChar(0x301C), QChar(0xFF5E));
}

// Width in points of the first word of the PDF that equals the text; -1 when there is none.
double WordWidth(const QString& path, const QString& word) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!process.waitForFinished(20000) || process.exitCode() != 0) return -1;
    static const QRegularExpression box(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)</word>"));
    auto it = box.globalMatch(QString::fromUtf8(process.readAllStandardOutput()));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(3) == word) return m.captured(2).toDouble() - m.captured(1).toDouble();
    }
    return -1;
}

class ReportPdfTest : public ::testing::Test, protected test::LogbookSession {
protected:
    void SetUp() override {
        RegisterFontSubstitutes();
        WriteCars({QStringLiteral("*私の車")});
        ASSERT_TRUE(StartAndSelect(1));
    }

    void AddRecords(int count) {
        QVector<FuelRecord> records;
        for (int k = 0; k < count; ++k) {
            FuelRecord r = test::Refuel(QStringLiteral("2004/%1/%2")
                                            .arg(1 + k / 28, 2, 10, QLatin1Char('0'))
                                            .arg(1 + k % 28, 2, 10, QLatin1Char('0')),
                                        u"412.3", u"30.12", u"13.69", u"3,615", u"120");
            r.text[ColYobi] = QStringLiteral("土");
            r.text[ColGasSel] = QStringLiteral("レギュラー");
            records.append(r);
        }
        test::SetRecords(book.table(), records);
    }

    ReportJob Job(int form) const { return ReportJob(book, form, MainListSource(book.table()), kToday); }

    bool Write(const ReportJob& job, const QString& path, QString* error,
               QPageLayout::Orientation orientation = QPageLayout::Portrait) const {
        return WriteReportPdf(path, job, QPageSize(QPageSize::A4), orientation, error);
    }
};

TEST_F(ReportPdfTest, MainListReadsBackWithHeaderRowsAndFooterOnEveryPage) {
    AddRecords(120);
    const ReportJob job = Job(1);
    const ReportLayout layout = job.Layout(QSizeF(210, 297));
    ASSERT_EQ(layout.error, ReportError::None);
    ASSERT_GT(layout.PageCount(), 1);
    const QString path = folder.file(QStringLiteral("list.pdf"));
    QString error;
    ASSERT_TRUE(Write(job, path, &error)) << error.toStdString();
    const QString text = PdfText(path);
    if (text.isEmpty()) GTEST_SKIP() << "pdftotext is not available";

    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), layout.PageCount());
    for (int p = 0; p < pages.size(); ++p) {
        const QString& page = pages[p];
        EXPECT_TRUE(page.contains(QStringLiteral("燃費・メンテナンス一覧1"))) << p;
        EXPECT_TRUE(page.contains(QStringLiteral("私の車"))) << p;
        EXPECT_TRUE(page.contains(QStringLiteral("2004/01/01～2004/05/08"))) << p;
        EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("No\\.\\s+日 付\\s+曜")))) << p;
        EXPECT_TRUE(page.contains(QStringLiteral("Page %1").arg(p + 1))) << p;
        EXPECT_TRUE(page.contains(QStringLiteral("Date 2004/05/12"))) << p;
        EXPECT_FALSE(page.contains(QStringLiteral("スタンド"))) << "a column that does not fit A4 portrait";
    }
    EXPECT_TRUE(
        pages[0].contains(QRegularExpression(QStringLiteral("1\\s+2004/01/01\\s+土\\s+.*412\\.3.*3,615"))));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("2004/05/08")));
    const int lastPageRows = layout.PageRowCount(layout.PageCount() - 1);
    EXPECT_EQ(pages.last().count(QStringLiteral("レギュラー")), lastPageRows);
}

TEST_F(ReportPdfTest, LandscapeFormPrintsMoreColumnsAndANumberTooWideIsSqueezedWhole) {
    AddRecords(3);
    FuelRecord r = book.table().GetRecord(2);
    r.text[ColCost] = QStringLiteral("1,234,567");
    r.text[ColMainte] = QStringLiteral("ｵｲﾙ交換:3,000:5W-30\r\n洗車:800:");
    book.table().SetRecord(2, r);
    PrintForm& form = book.book().printForms[2];
    form.rows[10].width = QStringLiteral(" 4");  // 金額, narrower than its value
    const QString path = folder.file(QStringLiteral("wide.pdf"));
    QString error;
    ASSERT_TRUE(Write(Job(2), path, &error, QPageLayout::Landscape)) << error.toStdString();
    const QString text = PdfText(path);
    if (text.isEmpty()) GTEST_SKIP() << "pdftotext is not available";
    // Four cells of 4.5 points: the whole number is drawn narrower rather than cut.
    const double width = WordWidth(path, QStringLiteral("1,234,567"));
    EXPECT_GT(width, 10);
    EXPECT_LT(width, 4 * 4.5 * 1.05);
    EXPECT_TRUE(text.contains(QStringLiteral("スタンド")));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("ｵｲﾙ交換\\s+3,000"))));
    EXPECT_FALSE(text.contains(QStringLiteral("5W-30"))) << "the maintenance memo does not fit";
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\n\\s+洗車\\s+800"))));
}

TEST_F(ReportPdfTest, TotalsListsShowTheirRange) {
    AddRecords(40);
    const PeriodTotals totals = ComputePeriodTotals(book.table(), settings, QStringLiteral("2004/01"),
                                                    QStringLiteral("2004/03"), 0, book.DistanceUnit());
    const ReportJob job(book, 4, PeriodTotalsSource(totals), kToday);
    const QString path = folder.file(QStringLiteral("totals.pdf"));
    QString error;
    ASSERT_TRUE(Write(job, path, &error)) << error.toStdString();
    const QString text = PdfText(path);
    if (text.isEmpty()) GTEST_SKIP() << "pdftotext is not available";
    EXPECT_TRUE(text.contains(QStringLiteral("期間集計一覧1")));
    EXPECT_TRUE(text.contains(QStringLiteral("2004/01～2004/03")));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("2004/01\\s+28"))));
    EXPECT_TRUE(text.contains(QStringLiteral("総合計")));
}

TEST_F(ReportPdfTest, NothingIsWrittenForAnEmptyListOrAnUnwritablePath) {
    QString error;
    const QString empty = folder.file(QStringLiteral("empty.pdf"));
    EXPECT_FALSE(Write(Job(1), empty, &error));
    EXPECT_EQ(error, ReportErrorText(ReportError::Empty));
    EXPECT_FALSE(QFile::exists(empty));

    AddRecords(2);
    error.clear();
    const QString unwritable = folder.file(QStringLiteral("no/such/folder/list.pdf"));
    EXPECT_FALSE(Write(Job(1), unwritable, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("list.pdf"))) << error.toStdString();

    // A form that fits nothing gives its reason and no file.
    book.book().printForms[1].rows[1].width = QStringLiteral("99");
    settings.PageLeftMargin = QStringLiteral("90");
    EXPECT_FALSE(Write(Job(1), empty, &error));
    EXPECT_EQ(error, ReportErrorText(ReportError::FirstColumnTooWide));
    EXPECT_FALSE(QFile::exists(empty));
}

TEST_F(ReportPdfTest, FontsThatDoNotExistStillPrint) {
    AddRecords(5);
    settings.ListFontName = QStringLiteral("存在しないフォント");
    settings.TitleFontName = QString();
    settings.TitleFontSize = 0;
    settings.PageFontSize = -3;
    const QString path = folder.file(QStringLiteral("fonts.pdf"));
    QString error;
    ASSERT_TRUE(Write(Job(1), path, &error)) << error.toStdString();
    const QString text = PdfText(path);
    if (text.isEmpty()) GTEST_SKIP() << "pdftotext is not available";
    EXPECT_TRUE(text.contains(QStringLiteral("2004/01/05")));
}

}  // namespace
}  // namespace tovrel
