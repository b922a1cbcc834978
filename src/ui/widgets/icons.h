// The program's own pictures: toolbar icons, the program icon and the default car picture.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tovrel {

enum class ToolIconId {
    NewRecord,
    Delete,
    Save,
    Search,
    ShowAll,
    PeriodTotals,
    Graph,
    MaintenanceDue,
    Print,
    CarInfo,
    Settings,
    Exit,
};

// Drawn on a 24 x 24 grid, rendered at every size a button asks for.
QIcon ToolIcon(ToolIconId id);
// A fuel pump whose display is a gauge: the PNG files of dist/icons, which the installation also
// puts into the icon theme.
QIcon ProgramIcon();
// 32 x 32 logical pixels at the application's device pixel ratio: a car seen from the side.
QPixmap DefaultCarPicture();

}  // namespace tovrel
