#include "platform/UserSettings.h"

#include "system/ReadLimits.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace k2k {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(UserSettingsTest, SavedValuesComeBackExactly) {
    TempDir dir;
    UserSettings settings(dir / "settings");
    EXPECT_EQ(settings.GetUserSetting("Kalde2000", "K2KBRWSR", "Hist", " none "), " none ");
    for (const std::string value :
         {"74LS00", "", "  lead and trail  ", "\"quoted\"", "a=b;c", "\"", "caf\xE9 \x80"}) {
        ASSERT_TRUE(settings.SaveUserSetting("Kalde2000", "K2KBRWSR", "Hist", value));
        EXPECT_EQ(settings.GetUserSetting("Kalde2000", "k2kbrwsr", "HIST", "default"), value);
    }
    EXPECT_EQ(settings.GetUserSetting("Kalde2000", "Other", "Hist", "d"), "d");
    EXPECT_EQ(settings.GetUserSetting("OtherApp", "K2KBRWSR", "Hist", "d"), "d");
    EXPECT_EQ(ReadFile(dir / "settings" / "Kalde2000.ini"), "[K2KBRWSR]\r\nHist=caf\xE9 \x80\r\n");
    // A private settings file stays private when it is saved again.
    ::chmod(settings.FileOf("Kalde2000").c_str(), 0600);
    ASSERT_TRUE(settings.SaveUserSetting("Kalde2000", "K2KBRWSR", "Hist", "74LS00"));
    struct stat status {};
    EXPECT_EQ(::stat(settings.FileOf("Kalde2000").c_str(), &status) == 0 ? status.st_mode & 0777
                                                                         : 0,
              0600u);
    EXPECT_EQ(settings.FileOf("../x").parent_path(), dir / "settings");
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

// The settings are an INI file read through the process's cache of INI files.
TEST(UserSettingsTest, ASettingsFileThatIsNoTextFileReadsAsEmptyAndStays) {
    using Kind = test::NotATextFile::Kind;
    TempDir dir;
    UserSettings settings(dir.Path());
    for (const Kind kind : test::NotATextFile::kKinds) {
        SCOPED_TRACE(test::NotATextFile::Name(kind));
        const test::NotATextFile file(dir / "Kalde2000.ini", kind, kIniFileLimit);
        const auto before = std::filesystem::symlink_status(dir / "Kalde2000.ini").type();
        EXPECT_EQ(settings.GetUserSetting("Kalde2000", "K2KBRWSR", "k", "none"), "none");
        EXPECT_FALSE(settings.SaveUserSetting("Kalde2000", "K2KBRWSR", "k", "v"));
        EXPECT_EQ(std::filesystem::symlink_status(dir / "Kalde2000.ini").type(), before);
    }
}

// A save of many keys is one rewrite that stores all of them, or none when one value cannot
// be stored.
TEST(UserSettingsTest, ManyKeysAreSavedTogetherOrNotAtAll) {
    TempDir dir;
    UserSettings settings(dir.Path());
    const std::vector<std::pair<std::string, std::string>> values{
        {"A", "1"}, {"B", " blank "}, {"C", ""}};
    ASSERT_TRUE(settings.SaveUserSettings("Kalde2000", "K2KBRWSR", values));
    for (const auto& [key, value] : values)
        EXPECT_EQ(settings.GetUserSetting("Kalde2000", "K2KBRWSR", key, "none"), value);

    const std::vector<std::pair<std::string, std::string>> broken{{"A", "2"}, {"D", "x\ny"}};
    EXPECT_FALSE(settings.SaveUserSettings("Kalde2000", "K2KBRWSR", broken));
    EXPECT_EQ(settings.GetUserSetting("Kalde2000", "K2KBRWSR", "A", "none"), "1");
    EXPECT_EQ(settings.GetUserSetting("Kalde2000", "K2KBRWSR", "D", "none"), "none");
}

} // namespace
} // namespace k2k
