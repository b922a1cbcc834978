#include "app/cli.h"

#include "base/text_utils.h"
#include "output/csv_export.h"
#include "output/list_sources.h"
#include "session/logbook.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "totals/category_totals.h"
#include "totals/maintenance_due.h"
#include "totals/month_range.h"
#include "totals/period_totals.h"
#include "totals/startup_warnings.h"

#include <QDate>

#include <cstdio>
#include <optional>

namespace tovrel {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFile = 1;
constexpr int kExitUsage = 2;

const char* const kUsage =
    "usage: tovrel-cli [--data DIR] [--car N] [--today YYYY/MM/DD] COMMAND [ARGS]\n"
    "  status                 the three status-bar texts of the main window\n"
    "  save                   load the car's log data file and write it back\n"
    "  csv FORM [-o FILE] [--from YYYY/MM] [--to YYYY/MM]\n"
    "                         the CSV export of print form FORM (1..15)\n"
    "  warnings               the start-up warnings text, then its status line\n";

void PrintLine(FILE* stream, const QString& text) {
    std::fprintf(stream, "%s\n", text.toUtf8().constData());
}

int Usage(const QString& message) {
    PrintLine(stderr, QStringLiteral("tovrel-cli: ") + message);
    return kExitUsage;
}

int FileError(const QString& message) {
    PrintLine(stderr, message);
    return kExitFile;
}

struct Options {
    QString data;
    int car = 0;
    QDate today = QDate::currentDate();
    QString output;
    QString from;
    QString to;
    QStringList positional;
};

std::optional<int> ParseCount(const QString& text, int low, int high) {
    const int v = ParseInt(text, low - 1);
    if (v < low || v > high) return std::nullopt;
    return v;
}

bool ValidMonth(const QString& text) {
    return !NormalizeDate(text + QStringLiteral("/01")).isEmpty() && text.size() == 7;
}

// Parses the options wherever they stand; returns an error message or an empty text.
QString ParseOptions(const QStringList& args, Options& o) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto value = [&](QString* out) -> bool {
            if (i + 1 >= args.size()) return false;
            *out = args[++i];
            return true;
        };
        QString v;
        if (a == QStringLiteral("--data")) {
            if (!value(&o.data) || o.data.isEmpty()) return QStringLiteral("--data needs a folder");
        } else if (a == QStringLiteral("--car")) {
            if (!value(&v)) return QStringLiteral("--car needs a number");
            const auto car = ParseCount(v, 1, kCarCount);
            if (!car) return QStringLiteral("bad car number: ") + v;
            o.car = *car;
        } else if (a == QStringLiteral("--today")) {
            if (!value(&v)) return QStringLiteral("--today needs a date");
            const QString normal = NormalizeDate(v);
            if (normal.isEmpty()) return QStringLiteral("bad date: ") + v;
            o.today = TextToDate(normal);
        } else if (a == QStringLiteral("-o")) {
            if (!value(&o.output) || o.output.isEmpty()) return QStringLiteral("-o needs a file name");
        } else if (a == QStringLiteral("--from")) {
            if (!value(&o.from) || !ValidMonth(o.from))
                return QStringLiteral("bad month for --from: ") + o.from;
        } else if (a == QStringLiteral("--to")) {
            if (!value(&o.to) || !ValidMonth(o.to)) return QStringLiteral("bad month for --to: ") + o.to;
        } else if (a.startsWith(QStringLiteral("--")) || (a.startsWith(QLatin1Char('-')) && a.size() > 1)) {
            return QStringLiteral("unknown option: ") + a;
        } else {
            o.positional.append(a);
        }
    }
    return QString();
}

int WriteLines(const QStringList& lines, const QString& output) {
    if (output.isEmpty()) {
        for (const QString& line : lines)
            PrintLine(stdout, line);
        return kExitOk;
    }
    QString error;
    if (!WriteCsvFile(output, lines, &error)) return FileError(error);
    return kExitOk;
}

// The source of the list that print form FORM exports, computed as its window shows it.
ListSource ListSourceOf(Logbook& book, int listId, const Options& o) {
    const MonthRange defaults = DefaultMonthRange(o.today);
    const QString from = o.from.isEmpty() ? defaults.StartText() : o.from;
    const QString to = o.to.isEmpty() ? defaults.EndText() : o.to;
    const Settings& settings = book.settings();
    switch (listId) {
        case 1:
            return MainListSource(book.table());
        case 2:
            return PeriodTotalsSource(ComputePeriodTotals(book.table(), settings, from, to, 0, book.DistanceUnit()));
        case 3:
            return DueTableSource(ApplySort(ComputeCurrentDue(book, o.today), settings.MainteSortSel));
        default:
            return CategoryTotalsSource(ComputeCategoryTotals(book.table(), settings, book.book().lists,
                                                              book.book().mainte, listId - 4, from, to, 0));
    }
}

int CsvCommand(Logbook& book, const Options& o) {
    if (o.positional.size() != 2) return Usage(QStringLiteral("csv needs one form number (1..15)"));
    const auto form = ParseCount(o.positional[1], 1, 15);
    if (!form) return Usage(QStringLiteral("bad form number: ") + o.positional[1]);
    const PrintForm& printForm = book.book().printForms[*form];
    const int listId = printForm.ListIdNumber();
    if (listId < 1 || listId > 7) return kExitOk;  // such a form exports nothing
    const ListSource source = ListSourceOf(book, listId, o);
    return WriteLines(BuildCsvLines(printForm, source, book.settings().PrintMultiGyo), o.output);
}

int WarningsCommand(Logbook& book, const Options& o) {
    StartupWarnings warnings = CollectStartupWarnings(book.book(), book.settings(), o.today);
    FinishStartupWarnings(warnings);
    for (const WarningLine& line : warnings.lines) PrintLine(stdout, line.text);
    PrintLine(stdout, warnings.status);
    return kExitOk;
}

}  // namespace

int RunCli(const QStringList& arguments) {
    Options o;
    const QString optionError = ParseOptions(arguments, o);
    if (!optionError.isEmpty()) return Usage(optionError);
    if (o.positional.isEmpty()) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const QString command = o.positional.first();
    const bool known = command == QStringLiteral("status") || command == QStringLiteral("save") ||
                       command == QStringLiteral("csv") || command == QStringLiteral("warnings");
    if (!known) return Usage(QStringLiteral("unknown command: ") + command);
    if (command != QStringLiteral("csv") && o.positional.size() != 1) {
        return Usage(QStringLiteral("too many arguments for ") + command);
    }

    QSettingsStore store;
    Settings settings;
    Logbook book(settings, store);
    if (!o.data.isEmpty()) book.SetDataFolderOverride(o.data);
    QString error;
    if (!book.Start({}, &error)) return FileError(error);

    int car = o.car;
    if (car == 0) {
        car = book.StartupCar();
        if (car == 0) return Usage(QStringLiteral("no car is registered"));
    } else if (book.book().lists.Car[car].trimmed().isEmpty()) {
        return Usage(QStringLiteral("car ") + QString::number(car) + QStringLiteral(" has no name"));
    }
    if (!book.SelectCar(car, &error)) return FileError(error);
    if (!book.LoadNotice().isEmpty()) PrintLine(stderr, book.LoadNotice());

    if (command == QStringLiteral("status")) {
        PrintLine(stdout, book.table().CountStatusText());
        PrintLine(stdout, book.status().averageText);
        PrintLine(stdout, book.status().distanceText);
        return kExitOk;
    }
    if (command == QStringLiteral("save")) {
        if (!book.SaveLogFile(&error)) return FileError(error);
        return kExitOk;
    }
    if (command == QStringLiteral("warnings")) return WarningsCommand(book, o);
    return CsvCommand(book, o);
}

}  // namespace tovrel
