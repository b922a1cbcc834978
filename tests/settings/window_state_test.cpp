#include "settings/window_state.h"

#include <gtest/gtest.h>

namespace tovrel {
namespace {

const QString kPosition = QStringLiteral("Position");
const QString kMain = QStringLiteral("TMivraMainForm");

TEST(WindowPositionTest, CentresWhenMissing) {
    MapSettingsStore store;
    EXPECT_EQ(LoadWindowPosition(store, kMain, QSize(400, 300), QSize(1025, 769)), QPoint(312, 234));
    // A window larger than the screen: halves truncate toward zero.
    EXPECT_EQ(LoadWindowPosition(store, kMain, QSize(1001, 901), QSize(800, 600)), QPoint(-100, -150));
}

TEST(WindowPositionTest, FallsBackPerAxisNearTheFarEdge) {
    MapSettingsStore store;
    const QSize window(400, 300);
    const QSize screen(1024, 768);
    SaveWindowPosition(store, kMain, QPoint(974, 718));
    EXPECT_EQ(store.Value(kPosition, QStringLiteral("Top.TMivraMainForm")), QStringLiteral("718"));
    EXPECT_EQ(store.Value(kPosition, QStringLiteral("Left.TMivraMainForm")), QStringLiteral("974"));
    EXPECT_EQ(LoadWindowPosition(store, kMain, window, screen), QPoint(974, 718));

    store.SetValue(kPosition, QStringLiteral("Top.TMivraMainForm"), QStringLiteral("719"));
    EXPECT_EQ(LoadWindowPosition(store, kMain, window, screen), QPoint(974, 234));
    store.SetValue(kPosition, QStringLiteral("Left.TMivraMainForm"), QStringLiteral("975"));
    store.SetValue(kPosition, QStringLiteral("Top.TMivraMainForm"), QStringLiteral("-20"));
    EXPECT_EQ(LoadWindowPosition(store, kMain, window, screen), QPoint(312, -20));
    store.SetValue(kPosition, QStringLiteral("Top.TMivraMainForm"), QStringLiteral("top"));
    EXPECT_EQ(LoadWindowPosition(store, kMain, window, screen).y(), 234);
}

TEST(WindowSizeTest, DefaultsToTheCurrentSize) {
    MapSettingsStore store;
    EXPECT_EQ(LoadWindowSize(store, kMain, QSize(640, 480)), QSize(640, 480));
    SaveWindowSize(store, kMain, QSize(800, 500));
    EXPECT_EQ(store.Value(kPosition, QStringLiteral("Width.TMivraMainForm")), QStringLiteral("800"));
    EXPECT_EQ(store.Value(kPosition, QStringLiteral("Height.TMivraMainForm")), QStringLiteral("500"));
    EXPECT_EQ(LoadWindowSize(store, kMain, QSize(640, 480)), QSize(800, 500));
}

TEST(GridColorsTest, NamedByTwoDigitIndexAndGrid) {
    MapSettingsStore store;
    QVector<quint32> colors(17, 0);
    colors[0] = 0xFFFFE0;
    colors[12] = 0x80000008;
    SaveGridColors(store, QStringLiteral("MivraStringGrid"), colors);
    const QString section = QStringLiteral("SGridColor");
    EXPECT_EQ(store.Values().size(), 17);
    EXPECT_EQ(store.Value(section, QStringLiteral("00.MivraStringGrid")), QStringLiteral("16777184"));
    EXPECT_EQ(store.Value(section, QStringLiteral("12.MivraStringGrid")), QStringLiteral("2147483656"));
    EXPECT_EQ(store.Value(section, QStringLiteral("16.MivraStringGrid")), QStringLiteral("0"));
    EXPECT_EQ(LoadGridColors(store, QStringLiteral("MivraStringGrid"), 16), colors);

    store.SetValue(section, QStringLiteral("01.TotalStringGrid"), QStringLiteral("0xFF"));
    const QVector<quint32> other = LoadGridColors(store, QStringLiteral("TotalStringGrid"), 2);
    EXPECT_EQ(other, (QVector<quint32>{0, 255, 0}));
}

TEST(MainteHeightTest, DefaultAndStored) {
    MapSettingsStore store;
    EXPECT_EQ(LoadMainteHeight(store), 78);
    SaveMainteHeight(store, 120);
    EXPECT_EQ(store.Value(kPosition, QStringLiteral("MainteHeight")), QStringLiteral("120"));
    EXPECT_EQ(LoadMainteHeight(store), 120);
}

}  // namespace
}  // namespace tovrel
