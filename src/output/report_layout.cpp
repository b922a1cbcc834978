#include "output/report_layout.h"

#include "base/cp932.h"
#include "base/text_utils.h"
#include "data/fuel_record.h"
#include "data/mainte_line.h"
#include "settings/settings.h"

#include <algorithm>
#include <cmath>

namespace tovrel {

namespace {

enum class Split { None, MainteItem, MainteCost, MainteMemo, MemoLine };

// A fitted column and where its value comes from.
struct ColumnSource {
    int gridColumn = -1;
    bool time = false;
    Split split = Split::None;
};

ReportAlign AlignOf(const QString& align) {
    if (align.contains(QStringLiteral("中"))) return ReportAlign::Center;
    if (align.contains(QStringLiteral("右"))) return ReportAlign::Right;
    return ReportAlign::Left;
}

Split SplitOf(const QString& id) {
    if (id == QStringLiteral("15a")) return Split::MainteItem;
    if (id == QStringLiteral("15b")) return Split::MainteCost;
    if (id == QStringLiteral("15c")) return Split::MainteMemo;
    if (id == QStringLiteral("17a")) return Split::MemoLine;
    return Split::None;
}

// Left, centre or right within the band.
double Place(int position, double bandWidth, double itemWidth) {
    switch (position) {
        case 1:
            return (bandWidth - itemWidth) / 2;
        case 2:
            return bandWidth - itemWidth;
        default:
            return kReportTableLeft;
    }
}

ReportShade ShadeOf(int style, int listId, int r, int p, int t) {
    if (style != 0) return ReportShade::White;
    if (listId == 2 && p > t - 6) {
        const int d = p - t + 6;
        return d % 2 == 1 ? ReportShade::Silver : ReportShade::LightGrey;
    }
    if (listId >= 4 && p >= t) return ReportShade::Silver;
    return r % 2 == 1 ? ReportShade::White : ReportShade::LightGrey;
}

// The detail rows, broken into pages of rowsPerPage rows.
void BuildRows(ReportLayout& layout, const QVector<ColumnSource>& sources, const ListSource& source,
               int listId, int style, bool multiLine) {
    const bool mainList = listId == 1;
    bool mainteShown = false;
    bool memoShown = false;
    for (const ColumnSource& c : sources) {
        mainteShown |=
            c.split == Split::MainteItem || c.split == Split::MainteCost || c.split == Split::MainteMemo;
        memoShown |= c.split == Split::MemoLine;
    }
    const int t = static_cast<int>(source.rows.size());
    const int perPage = layout.rowsPerPage;
    layout.rows.reserve(t + t / 4);
    layout.pageStarts = {0};
    QString pendingMainte, pendingMemo;
    int p = 0;
    int r = 0;  // rows printed on the page
    for (;;) {
        const bool continuation = mainList && (!pendingMainte.isEmpty() || !pendingMemo.isEmpty());
        if (!continuation) {
            if (++p > t) break;
            if (mainList) {
                pendingMainte = source.grid.Cell(source.rows[p - 1], ColMainte);
                pendingMemo = source.grid.Cell(source.rows[p - 1], ColMemo);
            }
        }
        const int gridRow = source.rows[p - 1];
        MainteLine mainte;
        QString memo;
        if (mainList) {
            mainte = SplitMainteLine(pendingMainte);
            memo = NextLine(pendingMemo);
        }
        // A continuation row repeats the record's other columns only as the page's second row.
        const bool showOthers = !continuation || r == 1;
        ReportRow row;
        row.values.reserve(sources.size());
        for (const ColumnSource& c : sources) {
            QString value;
            switch (c.split) {
                case Split::MainteItem:
                    value = mainte.item;
                    break;
                case Split::MainteCost:
                    value = mainte.cost;
                    break;
                case Split::MainteMemo:
                    value = mainte.memo;
                    break;
                case Split::MemoLine:
                    value = memo;
                    break;
                case Split::None:
                    if (showOthers) value = source.grid.Cell(gridRow, c.gridColumn);
                    break;
            }
            row.values.append(c.time ? value : value.trimmed());
        }
        if (mainList) {
            if (!multiLine) {
                pendingMainte.clear();
                pendingMemo.clear();
            }
            if (!mainteShown) pendingMainte.clear();
            if (!memoShown) pendingMemo.clear();
        }
        const bool more = p < t || !pendingMainte.isEmpty() || !pendingMemo.isEmpty();
        ++r;
        row.shade = ShadeOf(style, listId, r, p, t);
        // Every page but the last ends with a rule; the summary band closes the last one.
        row.bottomRule = r == perPage && more;
        layout.rows.append(std::move(row));
        if (r == perPage && more) {
            layout.pageStarts.append(static_cast<int>(layout.rows.size()));
            r = 0;
        }
    }
}

}  // namespace

ReportTexts MakeReportTexts(const PrintForm& form, const ListSource& source, const QString& carName,
                            const QDate& today) {
    ReportTexts texts;
    texts.jobTitle = form.name;
    texts.title = form.title;
    texts.carName = StripDefaultMark(carName.trimmed()).trimmed();
    texts.dateRange = source.PeriodText();
    texts.printDate = QStringLiteral("Date ") + DateToText(today);
    return texts;
}

QString PageNumberText(int page) {
    return QStringLiteral("Page ") + QString::number(page);
}

QString ReportErrorText(ReportError error) {
    switch (error) {
        case ReportError::None:
            return QString();
        case ReportError::NoList:
            return QStringLiteral("この印刷ﾌｫｰﾑには印刷する一覧表がありません。");
        case ReportError::Empty:
            return QStringLiteral("印刷するﾃﾞｰﾀがありません。");
        case ReportError::PageTooSmall:
            return QStringLiteral("用紙に対して余白またはﾌｫﾝﾄが大きすぎるため、印刷できません。");
        case ReportError::NoColumn:
            return QStringLiteral("印刷ﾌｫｰﾑに印刷する項目がありません。");
        case ReportError::FirstColumnTooWide:
            return QStringLiteral("印刷ﾌｫｰﾑの最初の項目が用紙の幅に収まりません。");
    }
    return QString();
}

int ReportLayout::PageRowCount(int page) const {
    if (page < 0 || page >= pageStarts.size()) return 0;
    const int end = page + 1 < pageStarts.size() ? pageStarts[page + 1] : static_cast<int>(rows.size());
    return end - pageStarts[page];
}

double ReportMargin(const QString& text) {
    // A negative margin would put the table off the paper.
    return std::max(0.0, ParseNumber(text, 1, kReportDefaultMargin));
}

ReportLayout LayoutReport(const PrintForm& form, const ListSource& source, const Settings& settings,
                          const ReportTexts& texts, const ReportMetrics& metrics, const QSizeF& paperMm) {
    ReportLayout layout;
    layout.texts = texts;
    layout.paper = paperMm;
    const int listId = form.ListIdNumber();
    if (listId < 1 || listId > PrintListCount) {
        layout.error = ReportError::NoList;
        return layout;
    }
    if (source.rows.isEmpty()) {
        layout.error = ReportError::Empty;
        return layout;
    }

    layout.top = ReportMargin(settings.PageTopMargin);
    layout.bottom = ReportMargin(settings.PageBottomMargin);
    layout.left = ReportMargin(settings.PageLeftMargin);
    layout.right = ReportMargin(settings.PageRightMargin);
    layout.bandWidth = paperMm.width() - layout.left - layout.right;

    const double nameTop = metrics.title.height() + 2 * kReportTitleTop;
    layout.headerHeight =
        nameTop + std::max(metrics.name.height(), metrics.month.height()) + kReportHeaderGap;
    layout.detailHeight = metrics.cell.height() + kReportLabelTop + kReportDetailGap;
    layout.columnHeaderHeight = layout.detailHeight;
    layout.summaryHeight = kReportSummaryHeight;
    layout.footerHeight =
        kReportFooterTop + std::max(metrics.page.height(), metrics.date.height()) + kReportFooterGap;
    const double rowSpace = paperMm.height() - layout.top - layout.bottom - layout.headerHeight -
                            layout.columnHeaderHeight - layout.summaryHeight - layout.footerHeight;
    layout.rowsPerPage = static_cast<int>(std::floor(rowSpace / layout.detailHeight));
    if (layout.bandWidth <= 0 || layout.rowsPerPage < 1) {
        layout.error = ReportError::PageTooSmall;
        return layout;
    }

    layout.greyHeader = settings.PrintForm == 0;
    layout.sideRules = settings.PrintForm != 0 || settings.PrintVertical;
    layout.innerRules = settings.PrintVertical;
    layout.showName = settings.PrintName;
    layout.showDate = settings.PrintDate;
    layout.showPage = settings.PrintPage;

    // Columns: each takes its width plus two cells; one that ends beyond the band is left out with
    // every later one.
    const double w = metrics.cell.width() / kCellMeasureCells;
    layout.cellWidth = w;
    const double tableLeft = kReportTableLeft;
    int cells = 1;
    double prevEnd = tableLeft;
    double tableEnd = tableLeft;
    bool anyMarked = false;
    QVector<ColumnSource> sources;
    for (int n = 1; n <= PrintRowCount; ++n) {
        const PrintColumn& c = form.rows[n];
        if (!IsPrintedColumn(c)) continue;
        anyMarked = true;
        const int width = std::max(0, ParseInt(c.width, 1));
        const double x0 = tableLeft + (cells - 1) * w;
        cells += width + 2;
        const double x1 = tableLeft + (cells - 1) * w;
        if (!(x1 < layout.bandWidth)) break;
        const QString id = c.id.trimmed();
        ReportColumn column;
        column.heading = Cp932Left(c.heading, width);
        column.align = AlignOf(c.align);
        column.left = prevEnd + w;
        column.width = x1 - w - column.left;
        column.ruleX = x0;
        const QString type = id.mid(2, 1);
        ColumnSource from;
        from.gridColumn = ParseInt(id.left(2), 0) - 1;
        from.time = type == QStringLiteral("T");
        from.split = listId == 1 ? SplitOf(id) : Split::None;
        column.keepDigits = type == QStringLiteral("N") || type == QStringLiteral("D") || from.time ||
                            from.split == Split::MainteCost;
        layout.columns.append(column);
        sources.append(from);
        prevEnd = x1;
        tableEnd = x1;
    }
    if (!anyMarked) {
        layout.error = ReportError::NoColumn;
        return layout;
    }
    if (layout.columns.isEmpty()) {
        layout.error = ReportError::FirstColumnTooWide;
        return layout;
    }
    const double spare = layout.bandWidth - tableEnd - 2 * tableLeft;
    if (spare > 0) {
        layout.right += spare;
        layout.bandWidth -= spare;
    }

    layout.titlePos =
        QPointF(Place(settings.TitlePosition, layout.bandWidth, metrics.title.width()), kReportTitleTop);
    layout.namePos = QPointF(Place(settings.NamePosition, layout.bandWidth, metrics.name.width()), nameTop);
    layout.monthPos =
        QPointF(Place(settings.MonthPosition, layout.bandWidth, metrics.month.width()), nameTop);
    layout.pagePos =
        QPointF(Place(settings.PagePosition, layout.bandWidth, metrics.page.width()), kReportFooterTop);
    layout.datePos =
        QPointF(Place(settings.DatePosition, layout.bandWidth, metrics.date.width()), kReportFooterTop);

    BuildRows(layout, sources, source, listId, settings.PrintForm, settings.PrintMultiGyo);
    return layout;
}

}  // namespace tovrel
