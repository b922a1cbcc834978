// The program's own pictures: toolbar icons, the program icon and the default car picture.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

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

// Drawn on a 24 x 24 grid. The drawings are rendered once, when the program is built
// (tovrel_icon_render), in these sizes; the program carries the pixels and draws nothing at start.
QIcon ToolIcon(ToolIconId id);
inline constexpr int kToolIconSizes[] = {16, 20, 24, 32, 40, 48};
inline constexpr int kToolIconCount = int(ToolIconId::Exit) + 1;
// The drawing of a toolbar icon at size x size pixels (premultiplied ARGB32).
QImage RenderToolIcon(ToolIconId id, int size);
// A fuel pump whose display is a gauge: the PNG files of dist/icons, which the installation also
// puts into the icon theme.
QIcon ProgramIcon();
// 32 x 32 logical pixels at the application's device pixel ratio: a car seen from the side.
QPixmap DefaultCarPicture();

}  // namespace tovrel
