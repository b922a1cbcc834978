// graph and pdf: the commands of tovrel-cli that draw, through the window's chart and the report
// renderer, offscreen.
#include "app/cli.h"
#include "base/file_io.h"
#include "graph/trend_graph.h"
#include "session/logbook.h"
#include "totals/month_range.h"
#include "totals/period_totals.h"
#include "ui/graph_chart_view.h"
#include "ui/report_renderer.h"

#include <QBuffer>
#include <QImage>

namespace tovrel {

namespace {

using namespace cli;

int PdfCommand(Logbook& book, const Options& o) {
    if (o.positional.size() != 2) return Usage(QStringLiteral("pdf needs one form number (1..15)"));
    const auto form = ParseCount(o.positional[1], 1, 15);
    if (!form) return Usage(QStringLiteral("bad form number: ") + o.positional[1]);
    if (o.output.isEmpty()) return Usage(QStringLiteral("pdf needs -o FILE.pdf"));
    const int listId = book.book().printForms[*form].ListIdNumber();
    ListSource source;
    if (listId >= 1 && listId <= 7) source = ListSourceOf(book, listId, o);
    const ReportJob job(book, *form, source, o.today);
    QString error;
    if (!WriteReportPdf(o.output, job, QPageSize(QPageSize::A4), job.FormOrientation(), &error))
        return FileError(QStringLiteral("tovrel-cli: ") + error);
    return kExitOk;
}

int GraphCommand(Logbook& book, const Options& o) {
    if (o.positional.size() != 2) return Usage(QStringLiteral("graph needs one kind (0..6)"));
    const auto kind = ParseCount(o.positional[1], 0, kGraphKindCount - 1);
    if (!kind) return Usage(QStringLiteral("bad graph kind (0..6): ") + o.positional[1]);
    if (o.output.isEmpty() && !o.points) return Usage(QStringLiteral("graph needs -o FILE.png or --points"));
    const GraphKindInfo& info = GraphKindOf(*kind);
    const Settings& s = book.settings();
    TrendData data;
    if (info.recordKind) {
        if (book.table().RecordCount() <= 0) return Usage(QStringLiteral("ｸﾞﾗﾌ表示するﾃﾞｰﾀがありません。"));
        data = CollectRecordTrend(*kind, book.table(), s.NoneHeikinDisp, book.TargetEconomy());
    } else {
        const MonthRange defaults = DefaultMonthRange(o.today);
        const PeriodTotals totals =
            ComputePeriodTotals(book.table(), s, o.from.isEmpty() ? defaults.StartText() : o.from,
                                o.to.isEmpty() ? defaults.EndText() : o.to, 0, book.DistanceUnit());
        data = CollectPeriodTrend(*kind, totals, book.TargetEconomy());
    }
    // Without --count or --all the settings decide, as when the window first opens.
    TrendChoices choices;
    choices.allPoints = o.all || (o.count == 0 && (info.recordKind ? s.AllGraph : s.AllGraphKikan));
    choices.perPage =
        o.count > 0 ? o.count
                    : PointsPerPage(QString::number(info.recordKind ? s.DispNumber : s.DispNumberKikan));
    choices.reverse = o.reverse || s.GraphReverse;
    const TrendGraph graph = BuildTrendGraph(data, s, book.book().currentCar, book.CarName(), choices);
    if (o.page > graph.PageCount()) {
        return Usage(
            QStringLiteral("page %1 is beyond the last page (%2)").arg(o.page).arg(graph.PageCount()));
    }

    QVector<MemoCallout> callouts;
    const GraphStyle style = GraphStyle::FromSettings(s, *kind == 0 && s.MivraMemoDisp);
    const QImage image = RenderGraphImage(data, graph, style, o.page,
                                          o.size.isValid() ? o.size : kDefaultChartSize, &callouts);
    if (!o.output.isEmpty()) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        QString error;
        if (!WriteFileAtomically(o.output, buffer.data(), &error)) return FileError(error);
    }
    if (o.points) {
        for (const QString& line : TrendPageLines(graph, o.page, callouts))
            PrintLine(stdout, line);
    }
    return kExitOk;
}

}  // namespace

int RunDrawCommand(Logbook& book, const Options& o) {
    return o.positional.first() == QStringLiteral("pdf") ? PdfCommand(book, o) : GraphCommand(book, o);
}

}  // namespace tovrel
