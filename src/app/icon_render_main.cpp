// Renders the toolbar icons once, when the program is built: writes their pixels as a header that
// the program compiles in, so that nothing is drawn at start.
//   tovrel_icon_render FILE.h
#include "ui/widgets/icons.h"

#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: tovrel_icon_render FILE.h\n", stderr);
        return 2;
    }
    int each = 0;
    for (int size : tovrel::kToolIconSizes)
        each += size * size;
    QByteArray text =
        "// Written by tovrel_icon_render from the drawings of src/ui/widgets/icons.cpp: every toolbar icon\n"
        "// in every size of kToolIconSizes, in ToolIconId order, as premultiplied ARGB32 pixels.\n"
        "#pragma once\n\n#include <QtGlobal>\n\nnamespace tovrel {\n\n";
    text += "inline constexpr int kToolIconPixelsEach = " + QByteArray::number(each) + ";\n";
    text += "inline constexpr quint32 kToolIconPixels[] = {\n";
    for (int id = 0; id < tovrel::kToolIconCount; ++id) {
        for (int size : tovrel::kToolIconSizes) {
            const QImage image = tovrel::RenderToolIcon(tovrel::ToolIconId(id), size);
            for (int y = 0; y < size; ++y) {
                const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
                for (int x = 0; x < size; ++x)
                    text += "0x" + QByteArray::number(line[x], 16) + (x + 1 < size ? "," : ",\n");
            }
        }
    }
    text += "};\n\n}  // namespace tovrel\n";
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.flush()) {
        std::fprintf(stderr, "tovrel_icon_render: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
