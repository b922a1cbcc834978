// tovrel-cli: the program's exports, reports and checks without windows.
#pragma once

#include <QStringList>

namespace tovrel {

// Runs one command line (without the program name). Exit codes: 0 success, 1 a file could not be
// read or written, 2 usage error.
int RunCli(const QStringList& arguments);

// Whether the command draws (graph): it then needs a QApplication, on the offscreen platform.
bool CliNeedsWidgets(const QStringList& arguments);

}  // namespace tovrel
