#include "data/mainte_line.h"

#include <gtest/gtest.h>

namespace tovrel {
namespace {

TEST(MainteLine, TakesTheFirstLineAndSplitsIt) {
    QString text = QStringLiteral("ﾀｲﾔ交換:40,000:ｽﾀｯﾄﾞﾚｽ\r\nﾜｲﾊﾟｰ交換:1,500:");
    const MainteLine first = SplitMainteLine(text);
    EXPECT_EQ(first.item, QStringLiteral("ﾀｲﾔ交換"));
    EXPECT_EQ(first.cost, QStringLiteral("40,000"));
    EXPECT_EQ(first.memo, QStringLiteral("ｽﾀｯﾄﾞﾚｽ"));
    EXPECT_EQ(text, QStringLiteral("ﾜｲﾊﾟｰ交換:1,500:"));

    const MainteLine second = SplitMainteLine(text);
    EXPECT_EQ(second.item, QStringLiteral("ﾜｲﾊﾟｰ交換"));
    EXPECT_EQ(second.cost, QStringLiteral("1,500"));
    EXPECT_TRUE(second.memo.isEmpty());
    EXPECT_TRUE(text.isEmpty());
}

TEST(MainteLine, ColonsDecideTheParts) {
    QString noColon = QStringLiteral("洗車");
    MainteLine parts = SplitMainteLine(noColon);
    EXPECT_EQ(parts.item, QStringLiteral("洗車"));
    EXPECT_TRUE(parts.cost.isEmpty());
    EXPECT_TRUE(parts.memo.isEmpty());

    QString oneColon = QStringLiteral("点検:2,000");
    parts = SplitMainteLine(oneColon);
    EXPECT_EQ(parts.item, QStringLiteral("点検"));
    EXPECT_EQ(parts.cost, QStringLiteral("2,000"));
    EXPECT_TRUE(parts.memo.isEmpty());

    QString moreColons = QStringLiteral("ｵｲﾙ::10:30 交換");
    parts = SplitMainteLine(moreColons);
    EXPECT_EQ(parts.item, QStringLiteral("ｵｲﾙ"));
    EXPECT_TRUE(parts.cost.isEmpty());
    EXPECT_EQ(parts.memo, QStringLiteral("10:30 交換"));
}

TEST(MainteLine, EmptyTextGivesEmptyParts) {
    QString text;
    const MainteLine parts = SplitMainteLine(text);
    EXPECT_TRUE(parts.item.isEmpty() && parts.cost.isEmpty() && parts.memo.isEmpty());
    EXPECT_TRUE(text.isEmpty());
}

TEST(NextLine, OnlyCrLfBreaksLines) {
    QString text = QStringLiteral("\r\na\nb\r\n\r\nc");
    EXPECT_EQ(NextLine(text), QString());
    EXPECT_EQ(NextLine(text), QStringLiteral("a\nb"));
    EXPECT_EQ(NextLine(text), QString());
    EXPECT_EQ(text, QStringLiteral("c"));
    EXPECT_EQ(NextLine(text), QStringLiteral("c"));
    EXPECT_TRUE(text.isEmpty());
}

}  // namespace
}  // namespace tovrel
