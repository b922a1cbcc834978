#include "data/mainte_line.h"

namespace tovrel {

QString NextLine(QString& text) {
    static const QString lineBreak = QStringLiteral("\r\n");
    const qsizetype br = text.indexOf(lineBreak);
    if (br < 0) {
        QString line;
        line.swap(text);
        return line;
    }
    QString line = text.left(br);
    text.remove(0, br + lineBreak.size());
    return line;
}

MainteLine SplitMainteLine(QString& text) {
    MainteLine parts;
    if (text.isEmpty()) return parts;
    const QString line = NextLine(text);
    const qsizetype first = line.indexOf(QLatin1Char(':'));
    if (first < 0) {
        parts.item = line;
        return parts;
    }
    parts.item = line.left(first);
    const qsizetype second = line.indexOf(QLatin1Char(':'), first + 1);
    if (second < 0) {
        parts.cost = line.mid(first + 1);
    } else {
        parts.cost = line.mid(first + 1, second - first - 1);
        parts.memo = line.mid(second + 1);
    }
    return parts;
}

}  // namespace tovrel
