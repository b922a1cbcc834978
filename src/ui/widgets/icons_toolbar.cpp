// The toolbar icons from the pixels rendered when the program was built (tool_icon_pixels.h, written
// by tovrel_icon_render from the drawings in icons.cpp).
#include "ui/widgets/icons.h"

#include "tool_icon_pixels.h"

namespace tovrel {

QIcon ToolIcon(ToolIconId id) {
    QIcon icon;
    const quint32* pixels = kToolIconPixels + int(id) * kToolIconPixelsEach;
    for (int size : kToolIconSizes) {
        const QImage image(reinterpret_cast<const uchar*>(pixels), size, size, size * 4,
                           QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(image));
        pixels += size * size;
    }
    return icon;
}

}  // namespace tovrel
