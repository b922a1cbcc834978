// The printed report of a list through its print form: what goes where on which page, in
// millimetres. Pure: the sizes of the labels are measured by the caller and passed in.
#pragma once

#include "output/csv_export.h"

#include <QDate>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVector>

namespace tovrel {

struct Settings;

// The measuring texts: the character cell of the list font and the widest page number.
inline constexpr char16_t kCellMeasureText[] = u"XXＸ";
inline constexpr int kCellMeasureCells = 4;
inline constexpr char16_t kPageMeasureText[] = u"Page 9";

// Fixed at design (millimetres): label tops and the gaps below them, the table's left edge and the
// closing band.
inline constexpr double kReportTitleTop = 1.0;
inline constexpr double kReportHeaderGap = 2.0;
inline constexpr double kReportLabelTop = 0.5;
inline constexpr double kReportDetailGap = 0.5;
inline constexpr double kReportFooterTop = 2.0;
inline constexpr double kReportFooterGap = 1.0;
inline constexpr double kReportTableLeft = 0.5;
inline constexpr double kReportSummaryHeight = 3.0;
// A margin text that is not a number.
inline constexpr double kReportDefaultMargin = 10.0;

// The texts of the page header and footer.
struct ReportTexts {
    QString jobTitle;  // the form name
    QString title;     // the form title
    QString carName;
    QString dateRange;  // empty for a list without a period
    QString printDate;  // "Date yyyy/mm/dd"
};

ReportTexts MakeReportTexts(const PrintForm& form, const ListSource& source, const QString& carName,
                            const QDate& today);
QString PageNumberText(int page);

// Label sizes in millimetres, measured in the report fonts: title, car name and date range with
// their texts, the list font's kCellMeasureText, the page font's kPageMeasureText and the date font's
// print-date text.
struct ReportMetrics {
    QSizeF title, name, month, cell, page, date;
};

enum class ReportAlign { Left, Center, Right };
enum class ReportShade { White, LightGrey, Silver };  // RGB 255, 224 and 192

enum class ReportError {
    None,
    NoList,             // the form's list ID is not 1..7
    Empty,              // the list has no rows
    PageTooSmall,       // margins leave no table width or no row
    NoColumn,           // no column row is marked
    FirstColumnTooWide  // not even the first marked column fits the width
};
QString ReportErrorText(ReportError error);

struct ReportColumn {
    QString heading;  // cut to the column's width in bytes
    ReportAlign align = ReportAlign::Left;
    double left = 0;  // label, from the band's left edge
    double width = 0;
    double ruleX = 0;         // the boundary on its left (the vertical rule of every column but the first)
    bool keepDigits = false;  // a number or date: squeezed rather than cut when it is too wide
};

struct ReportRow {
    QStringList values;  // one per column
    ReportShade shade = ReportShade::White;
    bool bottomRule = false;
};

struct ReportLayout {
    ReportError error = ReportError::None;
    ReportTexts texts;

    QSizeF paper;                                     // as oriented
    double top = 0, bottom = 0, left = 0, right = 0;  // margins; right grown to the table's edge
    double bandWidth = 0;

    double headerHeight = 0, columnHeaderHeight = 0, detailHeight = 0, summaryHeight = 0, footerHeight = 0;
    double cellWidth = 0;
    // Page header and footer labels, relative to their band.
    QPointF titlePos, namePos, monthPos, pagePos, datePos;
    bool showName = true, showDate = true, showPage = true;
    double labelTop = kReportLabelTop;  // of header and data labels within their band

    bool greyHeader = true;  // silver column header (PrintForm 0), else white
    bool sideRules = true;   // left and right frame lines of the table bands
    bool innerRules = true;  // vertical rules between columns

    QVector<ReportColumn> columns;  // the columns that fit, in form order
    int rowsPerPage = 0;
    QVector<ReportRow> rows;
    QVector<int> pageStarts;  // index of each page's first row

    int PageCount() const { return static_cast<int>(pageStarts.size()); }
    int PageRowCount(int page) const;  // page from 0
    // Top of the page header, column header, first detail row, summary and footer of a page.
    double HeaderTop() const { return top; }
    double ColumnHeaderTop() const { return top + headerHeight; }
    double DetailTop() const { return ColumnHeaderTop() + columnHeaderHeight; }
    double FooterTop() const { return paper.height() - bottom - footerHeight; }
};

// paperMm is the paper as oriented by the form.
ReportLayout LayoutReport(const PrintForm& form, const ListSource& source, const Settings& settings,
                          const ReportTexts& texts, const ReportMetrics& metrics, const QSizeF& paperMm);

// A margin setting as the report reads it: a number with one decimal, 10 when it is none.
double ReportMargin(const QString& text);

}  // namespace tovrel
