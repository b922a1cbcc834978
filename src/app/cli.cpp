#include "app/cli.h"

#include "base/backups.h"
#include "base/file_io.h"
#include "base/text_utils.h"
#include "base/version.h"
#include "calc/combined_fill.h"
#include "calc/entry_rules.h"
#include "calc/odometer_recalc.h"
#include "graph/trend_graph.h"
#include "output/csv_export.h"
#include "output/list_sources.h"
#include "session/data_folder_guard.h"
#include "session/import_log.h"
#include "session/logbook.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "totals/category_totals.h"
#include "totals/maintenance_due.h"
#include "totals/month_range.h"
#include "totals/period_totals.h"
#include "totals/startup_warnings.h"

#include <QDate>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace tovrel {

namespace cli {

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

std::optional<int> ParseCount(const QString& text, int low, int high) {
    const int v = ParseInt(text, low - 1);
    if (v < low || v > high) return std::nullopt;
    return v;
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
            return PeriodTotalsSource(
                ComputePeriodTotals(book.table(), settings, from, to, 0, book.DistanceUnit()));
        case 3:
            return DueTableSource(ApplySort(ComputeCurrentDue(book, o.today), settings.MainteSortSel));
        default:
            return CategoryTotalsSource(ComputeCategoryTotals(book.table(), settings, book.book().lists,
                                                              book.book().mainte, listId - 4, from, to, 0));
    }
}

}  // namespace cli

namespace {

using namespace cli;

const char* const kUsage =
    "usage: tovrel-cli [--data DIR] [--car N] [--today YYYY/MM/DD] COMMAND [ARGS]\n"
    "  status                 the three status-bar texts of the main window\n"
    "  save                   load the car's log data file and write it back\n"
    "  csv FORM [-o FILE] [--from YYYY/MM] [--to YYYY/MM]\n"
    "                         the CSV export of print form FORM (1..15)\n"
    "  warnings               the start-up warnings text, then its status line\n"
    "  search [--start YYYY/MM/DD] [--end YYYY/MM/DD] [--no-fuel] [--no-maintenance]\n"
    "         [--average-only] [--weather T] [--fuel-type T] [--station T] [--pattern T]\n"
    "         [--maintenance T] [--shop T] [--memo T] [--shift-fuel] [--shift-station]\n"
    "                         status panel 0 of the search result, then the result as csv 1\n"
    "  jump YYYY/MM/DD        the record number the date jump selects\n"
    "  combine FIRST LAST [--run DISTANCE] [--odometer DISTANCE]\n"
    "                         the combined-fill economy over records FIRST..LAST; prints the economy\n"
    "  odometer FIRST LAST [--forward] [--overwrite] [--maintenance]\n"
    "                         recalculates the odometer readings of records FIRST..LAST\n"
    "  pdf FORM -o FILE.pdf [--from YYYY/MM] [--to YYYY/MM]\n"
    "                         the printed report of print form FORM (1..15) as a PDF file (A4)\n"
    "  graph KIND -o FILE.png [--from YYYY/MM] [--to YYYY/MM] [--count N | --all] [--page P]\n"
    "        [--reverse] [--size WIDTHxHEIGHT]\n"
    "                         the trend graph KIND (0 economy, 3 unit price of the records; 1 economy,\n"
    "                         2 distance, 4 unit price, 5 fuel, 6 lifetime economy of the months)\n"
    "                         as the window draws page P (default 1) of it\n"
    "  graph KIND --points [same options]\n"
    "                         what that page shows: title, foot, axis, page, then point, average,\n"
    "                         target and memo lines, tab-separated\n"
    "  import FILE [--format auto|generic|tovrel|roadtrip|carcare] [--dates ymd|dmy|mdy] [--dry-run]\n"
    "                         adds the fuel log of FILE (CSV or tab-separated) to the car's log and\n"
    "                         writes it as save does; prints what was imported, skipped as duplicates\n"
    "                         and rejected (with line and reason); --dry-run writes nothing\n"
    "  backups [FILE]         the kept generations of the data files (of FILE only when given):\n"
    "                         file, generation (1 = newest), time replaced, size in bytes\n"
    "  restore FILE GENERATION\n"
    "                         puts that generation of FILE (e.g. Mivra01.dat) back; the file it\n"
    "                         replaces is kept as the newest generation\n"
    "  --help, --version      this text; the version\n"
    "Commands that write (save, combine, odometer, import, restore) exit 1 while another program\n"
    "holds the data folder.\n";

// Options that belong to one command; the same name may mean different things to two commands.
struct CommandOption {
    const char* command;
    const char* name;
    bool takesValue;
};

constexpr CommandOption kCommandOptions[] = {
    {"search", "--start", true},          {"search", "--end", true},
    {"search", "--no-fuel", false},       {"search", "--no-maintenance", false},
    {"search", "--average-only", false},  {"search", "--weather", true},
    {"search", "--fuel-type", true},      {"search", "--station", true},
    {"search", "--pattern", true},        {"search", "--maintenance", true},
    {"search", "--shop", true},           {"search", "--memo", true},
    {"search", "--shift-fuel", false},    {"search", "--shift-station", false},
    {"combine", "--run", true},           {"combine", "--odometer", true},
    {"odometer", "--forward", false},     {"odometer", "--overwrite", false},
    {"odometer", "--maintenance", false}, {"import", "--format", true},
    {"import", "--dates", true},          {"import", "--dry-run", false},
};

const CommandOption* FindCommandOption(const QString& command, const QString& name) {
    for (const CommandOption& option : kCommandOptions) {
        if (command == QLatin1String(option.command) && name == QLatin1String(option.name)) return &option;
    }
    return nullptr;
}

// The command: the first argument that is neither an option nor the value of a general option.
QString CommandOf(const QStringList& args) {
    static const QStringList valueOptions = {QStringLiteral("--data"),  QStringLiteral("--car"),
                                             QStringLiteral("--today"), QStringLiteral("-o"),
                                             QStringLiteral("--from"),  QStringLiteral("--to")};
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (valueOptions.contains(args[i]))
            ++i;
        else if (!args[i].startsWith(QLatin1Char('-')) || args[i].size() == 1)
            return args[i];
    }
    return QString();
}

bool ValidMonth(const QString& text) {
    return !NormalizeDate(text + QStringLiteral("/01")).isEmpty() && text.size() == 7;
}

// Parses the options wherever they stand; returns an error message or an empty text.
QString ParseOptions(const QStringList& args, Options& o) {
    const QString command = CommandOf(args);
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
        } else if (const CommandOption* option = FindCommandOption(command, a)) {
            if (!option->takesValue)
                o.flags.insert(a);
            else if (value(&v))
                o.values.insert(a, v);
            else
                return a + QStringLiteral(" needs a value");
        } else if (a == QStringLiteral("--points")) {
            o.points = true;
        } else if (a == QStringLiteral("--all")) {
            o.all = true;
        } else if (a == QStringLiteral("--reverse")) {
            o.reverse = true;
        } else if (a == QStringLiteral("--count")) {
            if (!value(&v)) return QStringLiteral("--count needs a number");
            const auto count = ParseCount(v, 1, 100000);
            if (!count) return QStringLiteral("bad count (a whole number from 1): ") + v;
            o.count = *count;
        } else if (a == QStringLiteral("--page")) {
            if (!value(&v)) return QStringLiteral("--page needs a number");
            const auto page = ParseCount(v, 1, 100000);
            if (!page) return QStringLiteral("bad page (a whole number from 1): ") + v;
            o.page = *page;
        } else if (a == QStringLiteral("--size")) {
            if (!value(&v)) return QStringLiteral("--size needs WIDTHxHEIGHT");
            const QRegularExpressionMatch m =
                QRegularExpression(QStringLiteral("^([0-9]{2,5})x([0-9]{2,5})$")).match(v);
            const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
            const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
            if (w < 100 || h < 100 || w > 10000 || h > 10000)
                return QStringLiteral("bad size (WIDTHxHEIGHT, 100 to 10000 each): ") + v;
            o.size = QSize(w, h);
        } else if (a.startsWith(QStringLiteral("--")) || (a.startsWith(QLatin1Char('-')) && a.size() > 1)) {
            return QStringLiteral("unknown option: ") + a;
        } else {
            o.positional.append(a);
        }
    }
    if (o.all && o.count > 0) return QStringLiteral("--count and --all exclude each other");
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

int WriteFormCsv(Logbook& book, int form, const Options& o) {
    const PrintForm& printForm = book.book().printForms[form];
    const int listId = printForm.ListIdNumber();
    if (listId < 1 || listId > 7) return kExitOk;  // such a form exports nothing
    const ListSource source = ListSourceOf(book, listId, o);
    return WriteLines(BuildCsvLines(printForm, source, book.settings().PrintMultiGyo), o.output);
}

int CsvCommand(Logbook& book, const Options& o) {
    if (o.positional.size() != 2) return Usage(QStringLiteral("csv needs one form number (1..15)"));
    const auto form = ParseCount(o.positional[1], 1, 15);
    if (!form) return Usage(QStringLiteral("bad form number: ") + o.positional[1]);
    return WriteFormCsv(book, *form, o);
}

// The conditions not given are those of "検索条件初期化", but without the shifts unless named.
int SearchCommand(Logbook& book, const Options& o) {
    SearchConditions c = ClearedSearchConditions();
    c.fuel = !o.flags.contains(QStringLiteral("--no-fuel"));
    c.mainte = !o.flags.contains(QStringLiteral("--no-maintenance"));
    c.averageOnly = o.flags.contains(QStringLiteral("--average-only"));
    c.shiftGasSel = o.flags.contains(QStringLiteral("--shift-fuel"));
    c.shiftStand = o.flags.contains(QStringLiteral("--shift-station"));
    for (const auto& [name, day] :
         {std::pair{QStringLiteral("--start"), &c.startDay}, std::pair{QStringLiteral("--end"), &c.endDay}}) {
        if (!o.values.contains(name)) continue;
        *day = NormalizeDate(o.values[name]);
        if (day->isEmpty())
            return Usage(QStringLiteral("bad date for ") + name + QStringLiteral(": ") + o.values[name]);
    }
    c.weather = o.values.value(QStringLiteral("--weather"));
    c.gasSel = o.values.value(QStringLiteral("--fuel-type"));
    c.stand = o.values.value(QStringLiteral("--station"));
    c.pattern = o.values.value(QStringLiteral("--pattern"));
    c.mainteText = o.values.value(QStringLiteral("--maintenance"));
    c.shop = o.values.value(QStringLiteral("--shop"));
    c.memo = o.values.value(QStringLiteral("--memo"));
    book.Search(c, o.today);
    PrintLine(stdout, book.table().CountStatusText());
    Options list = o;
    list.output.clear();
    return WriteFormCsv(book, 1, list);
}

int JumpCommand(Logbook& book, const Options& o) {
    if (o.positional.size() != 2) return Usage(QStringLiteral("jump needs one date"));
    const QString day = NormalizeDate(o.positional[1]);
    if (day.isEmpty()) return Usage(QStringLiteral("bad date: ") + o.positional[1]);
    PrintLine(stdout, QString::number(JumpTarget(book.table(), day)));
    return kExitOk;
}

// FIRST and LAST of a range tool as the main list's selection: LAST limited to the record count.
// Returns an exit code when they cannot be used, else fills first and last.
std::optional<int> RangeArguments(const Logbook& book, const Options& o, const QString& tool, int* first,
                                  int* last) {
    const QString command = o.positional.first();
    if (o.positional.size() != 3)
        return Usage(command + QStringLiteral(" needs FIRST and LAST record numbers"));
    for (int i : {1, 2}) {
        if (ParseInt(o.positional[i], 0) < 1)
            return Usage(QStringLiteral("bad record number: ") + o.positional[i]);
    }
    *first = ParseInt(o.positional[1], 0);
    if (!SelectedRange(*first, ParseInt(o.positional[2], 0), book.table().RecordCount(), last))
        return Usage(TooFewSelected(tool).text);
    return std::nullopt;
}

// Writes the log file as save does, when the records changed.
int SaveIfChanged(Logbook& book) {
    QString error;
    if (book.table().DiffersFromSnapshot() && !book.SaveLogFile(&error)) return FileError(error);
    return kExitOk;
}

int CombineCommand(Logbook& book, const Options& o) {
    int first = 0;
    int last = 0;
    if (const auto exit = RangeArguments(book, o, kCombinedFillToolName, &first, &last)) return *exit;
    const Settings& s = book.settings();
    CombinedFill fill(book.table(), first, last, book.CarValue(s.RunCalcSelect), s.CalcPass);
    if (const auto refusal = fill.Refusal()) return Usage(refusal->text);
    // Typed in the order of the dialog's fields.
    for (const auto& [name, field] : {std::pair{QStringLiteral("--run"), FillField::Run},
                                      std::pair{QStringLiteral("--odometer"), FillField::TotalRun}}) {
        if (!o.values.contains(name)) continue;
        const QString text = o.values[name];
        if (std::isnan(ParseNumber(text, RunDecimals, std::numeric_limits<double>::quiet_NaN())))
            return Usage(QStringLiteral("bad distance for ") + name + QStringLiteral(": ") + text);
        if (!fill.Editable(field))
            return Usage(name +
                         QStringLiteral(": the field is computed and cannot be typed into (CalcPass)"));
        fill.Type(field, text);
    }
    RangeRefusal refusal;
    if (!fill.Apply(book.table(), &refusal)) return Usage(refusal.text);
    if (const int exit = SaveIfChanged(book); exit != kExitOk) return exit;
    PrintLine(stdout, StripGrouping(fill.EconomyText()));
    return kExitOk;
}

int OdometerCommand(Logbook& book, const Options& o) {
    int first = 0;
    int last = 0;
    if (const auto exit = RangeArguments(book, o, kOdometerToolName, &first, &last)) return *exit;
    OdometerOptions options;
    options.forward = o.flags.contains(QStringLiteral("--forward"));
    options.overwrite = o.flags.contains(QStringLiteral("--overwrite"));
    options.maintenance = o.flags.contains(QStringLiteral("--maintenance"));
    RangeRefusal refusal;
    if (!RecalcOdometer(book.table(), first, last, options, &refusal)) return Usage(refusal.text);
    return SaveIfChanged(book);
}

int WarningsCommand(Logbook& book, const Options& o) {
    StartupWarnings warnings = book.CollectStartupWarnings(o.today);
    FinishStartupWarnings(warnings);
    for (const WarningLine& line : warnings.lines)
        PrintLine(stdout, line.text);
    PrintLine(stdout, warnings.status);
    return kExitOk;
}

// The page drawn offscreen through the window's chart: a PNG file, the page's points, or both.

// A data file name as the folder holds it, or a usage error.
std::optional<int> CheckDataFileName(const QString& file) {
    if (DataFileNames().contains(file)) return std::nullopt;
    return Usage(QStringLiteral("not a data file: ") + file +
                 QStringLiteral(" (MivraNN.dat, CarInfoNN.dat, CarMemoNN.dat, MainteNN.dat with NN 01..10, "
                                "Setting.dat, PrintSet.dat)"));
}

int BackupsCommand(Logbook& book, const Options& o) {
    if (o.positional.size() > 2) return Usage(QStringLiteral("backups takes at most one file name"));
    const QString file = o.positional.value(1);
    if (!file.isEmpty()) {
        if (const auto exit = CheckDataFileName(file)) return *exit;
    }
    const QVector<BackupGeneration> list = ListBackups(book.book().dataFolder, file);
    int shown = 0;
    for (const BackupGeneration& g : list) {
        // Only the program's own files: anything else in the folder is the user's.
        if (!DataFileNames().contains(g.file)) continue;
        PrintLine(stdout, QStringLiteral("%1\t%2\t%3\t%4")
                              .arg(g.file)
                              .arg(g.generation)
                              .arg(BackupTimeText(g.time))
                              .arg(g.size));
        ++shown;
    }
    if (shown == 0) PrintLine(stdout, QStringLiteral("バックアップはありません。"));
    return kExitOk;
}

int RestoreCommand(DataFolderGuard& guard, const Options& o) {
    if (o.positional.size() != 3) return Usage(QStringLiteral("restore needs FILE and GENERATION"));
    if (const auto exit = CheckDataFileName(o.positional[1])) return *exit;
    const auto generation = ParseCount(o.positional[2], 1, 100000);
    if (!generation)
        return Usage(QStringLiteral("bad generation (a whole number from 1): ") + o.positional[2]);
    QString message;
    QString error;
    if (!guard.Restore(o.positional[1], *generation, &message, &error))
        return FileError(QStringLiteral("tovrel-cli: ") +
                         QString(error).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    PrintLine(stdout, message);
    return kExitOk;
}

// The import of the preview dialog without the dialog: what the file becomes, then the log written
// as save writes it.
int ImportCommand(Logbook& book, const Options& o) {
    if (o.positional.size() != 2) return Usage(QStringLiteral("import needs one file"));
    ImportChoices choices;
    choices.format = o.values.value(QStringLiteral("--format"), kAutoFormat);
    if (choices.format != kAutoFormat && !IsImportFormat(choices.format)) {
        QStringList names;
        for (const ImportFormatInfo& f : ImportFormats())
            names << f.id;
        return Usage(QStringLiteral("unknown format: ") + choices.format + QStringLiteral(" (auto, ") +
                     names.join(QStringLiteral(", ")) + QStringLiteral(")"));
    }
    if (o.values.contains(QStringLiteral("--dates"))) {
        choices.dates = DateOrderOfOption(o.values[QStringLiteral("--dates")]);
        if (choices.dates == DateOrder::Unknown)
            return Usage(QStringLiteral("bad date order (ymd, dmy or mdy): ") +
                         o.values[QStringLiteral("--dates")]);
    }
    QByteArray bytes;
    QString error;
    if (!ReadFileBytes(o.positional[1], &bytes, &error))
        return FileError(QStringLiteral("tovrel-cli: ") + error);
    ImportFile file;
    if (!ReadImportFile(bytes, &file, &error))
        return FileError(QStringLiteral("tovrel-cli: ") + o.positional[1] + QStringLiteral(": ") + error);
    const ImportPlan plan = PlanLogImport(book, file, choices);
    const QStringList summary = ImportSummaryLines(plan);
    if (!plan.error.isEmpty()) {
        PrintLine(stderr, QStringLiteral("tovrel-cli: ") + plan.error);
        return kExitUsage;
    }
    if (plan.needsDateOrder) {
        PrintLine(stderr, QStringLiteral("tovrel-cli: ") + summary.last());
        PrintLine(stderr, QStringLiteral("tovrel-cli: give --dates dmy or --dates mdy"));
        return kExitUsage;
    }
    for (const QString& line : summary)
        PrintLine(stdout, line);
    if (const QString refusal = ImportCapacityRefusal(book.table(), plan); !refusal.isEmpty()) {
        PrintLine(stderr, QStringLiteral("tovrel-cli: ") +
                              QString(refusal).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        return kExitUsage;
    }
    if (o.flags.contains(QStringLiteral("--dry-run")) || plan.records.isEmpty()) return kExitOk;
    if (!CommitLogImport(book, plan, &error)) return Usage(error);
    if (!book.SaveLogFile(&error)) return FileError(error);
    return kExitOk;
}

}  // namespace

bool CliNeedsWidgets(const QStringList& arguments) {
    Options o;
    ParseOptions(arguments, o);
    return o.positional.value(0) == QStringLiteral("graph") || o.positional.value(0) == QStringLiteral("pdf");
}

int RunCli(const QStringList& arguments, cli::DrawCommand draw) {
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (arguments.contains(QStringLiteral("--version"))) {
        PrintLine(stdout, QStringLiteral("tovrel-cli ") + ProgramVersion());
        return kExitOk;
    }
    Options o;
    const QString optionError = ParseOptions(arguments, o);
    if (!optionError.isEmpty()) return Usage(optionError);
    if (o.positional.isEmpty()) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const QString command = o.positional.first();
    static const QStringList withArguments = {
        QStringLiteral("csv"),    QStringLiteral("pdf"),     QStringLiteral("graph"),
        QStringLiteral("jump"),   QStringLiteral("combine"), QStringLiteral("odometer"),
        QStringLiteral("import"), QStringLiteral("backups"), QStringLiteral("restore")};
    const bool known = command == QStringLiteral("status") || command == QStringLiteral("save") ||
                       command == QStringLiteral("warnings") || command == QStringLiteral("search") ||
                       withArguments.contains(command);
    if (!known) return Usage(QStringLiteral("unknown command: ") + command);
    if (!withArguments.contains(command) && o.positional.size() != 1) {
        return Usage(QStringLiteral("too many arguments for ") + command);
    }

    QSettingsStore store;
    Settings settings;
    // Commands that may write hold the data folder as the program does; the others only read it.
    static const QStringList writing = {QStringLiteral("save"), QStringLiteral("combine"),
                                        QStringLiteral("odometer"), QStringLiteral("import"),
                                        QStringLiteral("restore")};
    const bool writes = writing.contains(command) && !(command == QStringLiteral("import") &&
                                                       o.flags.contains(QStringLiteral("--dry-run")));
    DataFolderGuard guard(settings, writes);
    // The process ends with the command: a log of 2,000 records goes back with the process's memory
    // instead of text by text, which took a tenth of the run. Held by a static, so it is never
    // counted as a leak.
    static Logbook* const kept = new Logbook(settings, store);
    Logbook& book = *kept;
    if (!o.data.isEmpty()) book.SetDataFolderOverride(o.data);
    QString error;
    const bool started = book.Start({}, &error);
    if (book.ReadOnly()) {
        return FileError(QStringLiteral("tovrel-cli: ") + guard.HolderText() +
                         QStringLiteral("そのプログラムが終了してから、もう一度実行してください。"));
    }
    if (!started) return FileError(error);
    if (command == QStringLiteral("backups")) return BackupsCommand(book, o);
    if (command == QStringLiteral("restore")) return RestoreCommand(guard, o);

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
    if (command == QStringLiteral("search")) return SearchCommand(book, o);
    if (command == QStringLiteral("jump")) return JumpCommand(book, o);
    if (command == QStringLiteral("combine")) return CombineCommand(book, o);
    if (command == QStringLiteral("odometer")) return OdometerCommand(book, o);
    if (command == QStringLiteral("pdf") || command == QStringLiteral("graph")) {
        if (!draw) return Usage(command + QStringLiteral(" is drawn by tovrel-cli-draw"));
        return draw(book, o);
    }
    if (command == QStringLiteral("import")) return ImportCommand(book, o);
    return CsvCommand(book, o);
}

}  // namespace tovrel
