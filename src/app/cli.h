// tovrel-cli: the program's exports, reports and checks without windows. The commands that draw
// (graph, pdf) live in tovrel-cli-draw, which links the widgets; tovrel-cli hands them over to it, so
// that every other command starts as a plain Qt Core program.
#pragma once

#include "output/list_sources.h"

#include <QDate>
#include <QMap>
#include <QSet>
#include <QSize>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace tovrel {

class Logbook;

namespace cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFile = 1;
inline constexpr int kExitUsage = 2;

struct Options {
    QString data;
    int car = 0;
    QDate today = QDate::currentDate();
    QString output;
    QString from;
    QString to;
    QStringList positional;
    QMap<QString, QString> values;  // options of the command that take a value
    QSet<QString> flags;            // options of the command without a value
    // graph
    bool points = false;
    bool all = false;
    int count = 0;  // 0: not given
    int page = 1;
    bool reverse = false;
    QSize size;  // not given: the window's chart size
};

void PrintLine(FILE* stream, const QString& text);
// Print the message and return the exit code.
int Usage(const QString& message);
int FileError(const QString& message);
std::optional<int> ParseCount(const QString& text, int low, int high);
// The source of the list that print form FORM exports, computed as its window shows it.
ListSource ListSourceOf(Logbook& book, int listId, const Options& o);

// Runs graph or pdf on the loaded car.
using DrawCommand = int (*)(Logbook& book, const Options& o);

}  // namespace cli

// Runs one command line (without the program name). Exit codes: 0 success, 1 a file could not be
// read or written, 2 usage error. Without `draw`, graph and pdf are refused.
int RunCli(const QStringList& arguments, cli::DrawCommand draw = nullptr);

// Whether the command draws (graph, pdf): tovrel-cli-draw runs it, on the offscreen platform.
bool CliNeedsWidgets(const QStringList& arguments);

// graph and pdf of tovrel-cli-draw.
int RunDrawCommand(Logbook& book, const cli::Options& o);

}  // namespace tovrel
