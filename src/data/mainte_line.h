// The lines of the multi-line fields: taking one line off, and the item:cost:memo parts of a
// maintenance line.
#pragma once

#include <QString>

namespace tovrel {

struct MainteLine {
    QString item;
    QString cost;  // as written, grouping kept
    QString memo;
};

// Takes the first line (up to the first CR LF, or all of the text) off the text.
QString NextLine(QString& text);

// Takes the first line off the text and splits it at its first two colons; further colons stay in
// the memo. An empty text gives empty parts.
MainteLine SplitMainteLine(QString& text);

}  // namespace tovrel
