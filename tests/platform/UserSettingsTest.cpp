#include "platform/UserSettings.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace k2k {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Sets or clears an environment variable for one test and puts the old value back.
class ScopedEnv final {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(UserSettingsTest, SavedValuesComeBackExactly) {
    TempDir dir;
    UserSettings settings(dir / "settings");
    for (const std::string value :
         {"74LS00", "", "  lead and trail  ", "\"quoted\"", "a=b;c", "\"", "[x]", "caf\xE9 \x80"}) {
        ASSERT_TRUE(settings.SaveUserSetting("Kalde2000", "K2KBRWSR", "Hist", value));
        EXPECT_EQ(settings.GetUserSetting("Kalde2000", "K2KBRWSR", "Hist", "default"), value);
    }
    // Another object on the same folder sees the same store.
    EXPECT_EQ(UserSettings(dir / "settings").GetUserSetting("Kalde2000", "k2kbrwsr", "HIST", ""),
              "caf\xE9 \x80");
}

TEST(UserSettingsTest, MissingValuesGiveTheDefault) {
    TempDir dir;
    UserSettings settings(dir.Path());
    EXPECT_EQ(settings.GetUserSetting("Kalde2000", "K2KBRWSR", "Part1", " keep "), " keep ");
    ASSERT_TRUE(settings.SaveUserSetting("Kalde2000", "K2KBRWSR", "Part1", "x"));
    EXPECT_EQ(settings.GetUserSetting("Kalde2000", "Other", "Part1", "d"), "d");
    EXPECT_EQ(settings.GetUserSetting("OtherApp", "K2KBRWSR", "Part1", "d"), "d");
}

TEST(UserSettingsTest, OneIniFilePerApplication) {
    TempDir dir;
    UserSettings settings(dir.Path());
    ASSERT_TRUE(settings.SaveUserSetting("Kalde2000", "K2KBRWSR", "Sym1", "GATE*"));
    EXPECT_EQ(settings.FileOf("Kalde2000"), dir / "Kalde2000.ini");
    EXPECT_EQ(ReadFile(dir / "Kalde2000.ini"), "[K2KBRWSR]\r\nSym1=GATE*\r\n");
    // An application name never leaves the folder.
    EXPECT_EQ(settings.FileOf("../evil").parent_path(), dir.Path());
    EXPECT_EQ(settings.FileOf("..").parent_path(), dir.Path());
}

TEST(UserSettingsTest, SavingFailsCleanly) {
    TempDir dir;
    WriteFile(dir / "plain-file", "x");
    UserSettings blocked(dir / "plain-file"); // a file where the folder should be
    EXPECT_FALSE(blocked.SaveUserSetting("Kalde2000", "K2KBRWSR", "k", "v"));

    UserSettings settings(dir.Path());
    EXPECT_FALSE(settings.SaveUserSetting("Kalde2000", "K2KBRWSR", "k", "two\nlines"));
    EXPECT_EQ(settings.GetUserSetting("Kalde2000", "K2KBRWSR", "k", "none"), "none");
}

TEST(UserSettingsTest, DefaultFolderFollowsTheEnvironment) {
    {
        ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(UserSettings::DefaultFolder(), "/cfg/Kalde2000-settings");
        EXPECT_EQ(UserSettings().Folder(), "/cfg/Kalde2000-settings");
    }
    ScopedEnv home("HOME", "/home/designer");
    ScopedEnv unset("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(UserSettings::DefaultFolder(), "/home/designer/.config/Kalde2000-settings");
    ScopedEnv relative("XDG_CONFIG_HOME", "relative/cfg"); // not absolute: ignored
    EXPECT_EQ(UserSettings::DefaultFolder(), "/home/designer/.config/Kalde2000-settings");
}

} // namespace
} // namespace k2k
