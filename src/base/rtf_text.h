// The text of a rich-text (RTF) document without its markup, as the older car memos were stored.
#pragma once

#include <QByteArray>
#include <QString>

namespace tovrel {

// The document's text with "\n" between paragraphs: groups, control words, "\'hh" bytes (code
// page 932), "\uN" with its fallback skipped, and the destinations that hold no text (font and
// colour tables, pictures, "\*" groups) left out. The final paragraph mark adds no line break.
// A damaged or cut-off document gives the text read up to the damage; reading never fails.
QString RtfPlainText(const QByteArray& rtf);

}  // namespace tovrel
