#include "data/fuel_record.h"

namespace tovrel {

const std::array<QString, ColumnCount>& ColumnHeadings() {
    static const std::array<QString, ColumnCount> headings = {
        QStringLiteral(" No."),     QStringLiteral("日  付"),   QStringLiteral("曜"),
        QStringLiteral("時刻"),     QStringLiteral("天気"),     QStringLiteral("給油距離"),
        QStringLiteral("走行距離"), QStringLiteral("給油"),     QStringLiteral("燃費"),
        QStringLiteral("金額"),     QStringLiteral("単価"),     QStringLiteral("燃料種別"),
        QStringLiteral("スタンド"), QStringLiteral("パターン"), QStringLiteral("メンテナンス"),
        QStringLiteral("ショップ"), QStringLiteral("メ  モ")};
    return headings;
}

}  // namespace tovrel
