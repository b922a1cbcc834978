// The version of both programs: the about box, --version and the installed package show it.
#pragma once

#include <QString>

namespace tovrel {

// CMakeLists.txt reads the package version from this line.
#define TOVREL_VERSION_TEXT "2.0.B"

inline QString ProgramVersion() {
    return QStringLiteral(TOVREL_VERSION_TEXT);
}

}  // namespace tovrel
