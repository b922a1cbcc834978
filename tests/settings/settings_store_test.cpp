#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStandardPaths>

namespace tovrel {
namespace {

const QString kSetting = QStringLiteral("Setting");

TEST(ReadStoreIntTest, DecimalAndHexadecimal) {
    MapSettingsStore store;
    struct Case {
        const char* text;
        qint64 expected;
    };
    const Case cases[] = {{"12", 12},    {"-5", -5},
                          {" 7 ", 7},    {"0xFF", 255},
                          {"0XfF", 255}, {"0x80000008", 0x80000008LL},
                          {"0x", -1},    {"0xG1", -1},
                          {"x10", -1},   {"1.5", -1},
                          {"", -1},      {"abc", -1},
                          {"0x-1", -1},  {"0x11111111111111111", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        store.SetValue(kSetting, QStringLiteral("V"), QString::fromLatin1(c.text));
        EXPECT_EQ(ReadStoreInt(store, kSetting, QStringLiteral("V"), -1), c.expected);
    }
    EXPECT_EQ(ReadStoreInt(store, kSetting, QStringLiteral("Missing"), 42), 42);
    EXPECT_EQ(ReadStoreInt(store, QStringLiteral("System"), QStringLiteral("V"), 42), 42);
}

TEST(QSettingsStoreTest, WritesTheUsersConfigFile) {
    {
        QSettingsStore store;
        store.SetValue(kSetting, QStringLiteral("MivraCellSize"), QStringLiteral("36,84,20"));
        store.SetValue(kSetting, QStringLiteral("FontName"), QStringLiteral("ＭＳ ゴシック"));
        store.SetValue(QStringLiteral("Position"), QStringLiteral("Top.TMivraMainForm"),
                       QStringLiteral("0x10"));
        store.Sync();
    }
    const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/Quendra/Mivra.conf");
    ASSERT_TRUE(qEnvironmentVariable("XDG_CONFIG_HOME").size() > 0);
    EXPECT_TRUE(file.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    EXPECT_TRUE(QFile::exists(file));

    const QSettingsStore store;
    EXPECT_EQ(store.Value(kSetting, QStringLiteral("MivraCellSize")), QStringLiteral("36,84,20"));
    EXPECT_EQ(store.Value(kSetting, QStringLiteral("FontName")), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(ReadStoreInt(store, QStringLiteral("Position"), QStringLiteral("Top.TMivraMainForm"), 0), 16);
    EXPECT_FALSE(store.Contains(kSetting, QStringLiteral("Top.TMivraMainForm")));
    EXPECT_EQ(store.Value(kSetting, QStringLiteral("Missing"), QStringLiteral("d")), QStringLiteral("d"));
}

}  // namespace
}  // namespace tovrel
