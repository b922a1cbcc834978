// What the two range tools share: the selected range of the main list and their refusals.
#pragma once

#include <QString>

namespace tovrel {

class RecordTable;

// A message the range tools refuse with: caption and text, warning icon.
struct RangeRefusal {
    QString caption;
    QString text;
};

inline const QString kRangeErrorCaption = QStringLiteral("範囲選択ｴﾗｰ");
inline const QString kTooFewRefuelsText = QStringLiteral("複数の燃費ﾃﾞｰﾀが選択されていません。");

// The selected rows top..bottom as the tools take them: the bottom limited to the record count.
// False (with *last untouched) when that leaves fewer than two records.
bool SelectedRange(int top, int bottom, int count, int* last);

// The main window's refusal for a selection of fewer than two records, by tool name
// ("まとめ燃費計算", "走行距離計算").
RangeRefusal TooFewSelected(const QString& toolName);

// Day of record first + " ～ " + Day of record last.
QString RangeDays(const RecordTable& table, int first, int last);

}  // namespace tovrel
