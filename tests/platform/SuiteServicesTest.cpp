#include "platform/SuiteServices.h"

#include "platform/NativePath.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::ReadFile;
using test::RecordingMessageBoxes;
using test::TempDir;
using test::WriteFile;

class SuiteServicesTest : public ::testing::Test {
protected:
    TempDir dir;
    RecordingMessageBoxes boxes;
    SuiteServices services{dir / "suite.ini", boxes};

    std::string LanguageFolder(std::string_view name, std::string_view texts) {
        WriteFile(dir / name / "TEXTS.LNG", texts);
        return SuitePath(dir / name);
    }
};

TEST_F(SuiteServicesTest, TextsComeFromTheLanguageFileOrTheDefault) {
    EXPECT_EQ(services.GetText("Name Field Empty", "5051"), "Name Field Empty");

    services.SetLanguagePath(LanguageFolder("DE", "; German texts\r\n"
                                                  "5051=Namensfeld leer\r\n"
                                                  " 99788 = wird in keinem Bauteil benutzt\n"
                                                  "4811=\r\n"
                                                  "3341=Bibliothek: \n"
                                                  "3341=second line loses\n"
                                                  "no equals sign\n"
                                                  "99607=Kalde 2000 \x96 ")); // en dash, cp1252
    EXPECT_EQ(services.GetText("Name Field Empty", "5051"), "Namensfeld leer");
    // Blanks that join a text to a name are part of the text.
    EXPECT_EQ(services.GetText("", "99788"), " wird in keinem Bauteil benutzt");
    EXPECT_EQ(services.GetText("", "3341"), "Bibliothek: ");
    EXPECT_EQ(services.GetText("", "99607"), "Kalde 2000 \x96 ");
    // An empty translation and an unknown identifier both fall back.
    EXPECT_EQ(services.GetText("Library Browser", "4811"), "Library Browser");
    EXPECT_EQ(services.GetText("Unknown Error", "991362"), "Unknown Error");
    EXPECT_EQ(services.GetText("x", "; German texts"), "x");
}

TEST_F(SuiteServicesTest, ChangingTheLanguagePathReloadsTheTexts) {
    const std::string german = LanguageFolder("DE", "5051=Namensfeld leer\n");
    const std::string french = LanguageFolder("FR", "5051=Champ de nom vide\n");
    services.SetLanguagePath(german);
    services.SetLanguagePath(french);
    EXPECT_EQ(services.GetText("", "5051"), "Champ de nom vide");
    EXPECT_EQ(services.LanguagePath(), french);

    services.SetLanguagePath(SuitePath(dir / "missing"));
    EXPECT_EQ(services.GetText("Name Field Empty", "5051"), "Name Field Empty");
    services.SetLanguagePath(german);
    EXPECT_EQ(services.GetText("", "5051"), "Namensfeld leer");
    services.SetLanguagePath("");
    EXPECT_EQ(services.GetText("Name Field Empty", "5051"), "Name Field Empty");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SuiteServicesTest, ProfileFunctionsWorkOnTheCurrentInitialisationFile) {
    EXPECT_EQ(services.GetIniString("DEVLIBS", "1", "none"), "none");
    EXPECT_FALSE(services.WriteIniString("DEVLIBS", "1", "TTL.PART"));

    WriteFile(dir / "first.ini", "[DEVLIBS]\r\n1=TTL.PART\r\n");
    WriteFile(dir / "second.ini", "[DEVLIBS]\r\n1=CMOS.PART\r\n");
    services.SetIniFile(SuitePath(dir / "first.ini"));
    EXPECT_EQ(services.GetIniString("devlibs", "1", ""), "TTL.PART");
    ASSERT_TRUE(services.WriteIniString("DEVLIBS", "2", "ANALOG.PART"));
    ASSERT_TRUE(services.WriteIniString("DEVLIBS", "1", std::nullopt));
    EXPECT_EQ(ReadFile(dir / "first.ini"), "[DEVLIBS]\r\n2=ANALOG.PART\r\n");

    services.SetIniFile(SuitePath(dir / "second.ini"));
    EXPECT_EQ(services.GetIniString("DEVLIBS", "1", ""), "CMOS.PART");
}

TEST_F(SuiteServicesTest, RelativeFoldersAreResolvedAgainstTheSettingsFile) {
    WriteFile(dir / "suite.ini", "[Kalde2K]\r\n"
                                 "LibDir=LIB\r\n"
                                 "JobDir=C:\\Projects\\JOB\r\n"
                                 "SysDir=\\opt\\k2k\\SYS\r\n"
                                 "KDSwrk=\r\n"
                                 "[Browser Part Options]\r\n"
                                 "Column=LIB\r\n");
    EXPECT_EQ(services.GetDirSetting("KALDE2K", "LibDir", "\\Kalde 2000\\LIB"),
              dir.SuitePath() + "\\LIB");
    EXPECT_EQ(services.GetDirSetting("Kalde2K", "JobDir", ""), "C:\\Projects\\JOB");
    EXPECT_EQ(services.GetDirSetting("Kalde2K", "SysDir", ""), "\\opt\\k2k\\SYS");
    EXPECT_EQ(services.GetDirSetting("Kalde2K", "KDSwrk", "C:\\Kalde 2000\\KDS_WRK"), "");
    EXPECT_EQ(services.GetDirSetting("Kalde2K", "PRV3JobDir", "\\CADJOB"), "\\CADJOB");
    // Only folder settings are paths.
    EXPECT_EQ(services.GetDirSetting("Browser Part Options", "Column", ""), "LIB");
}

TEST_F(SuiteServicesTest, TheSettingsFolderIsFixedWhenTheServicesAreMade) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    SuiteServices relative{"suite.ini", boxes};
    std::filesystem::current_path(previous);

    ASSERT_TRUE(relative.SetDirSetting("Kalde2K", "LibDir", "LIB"));
    EXPECT_EQ(ReadFile(dir / "suite.ini"), "[Kalde2K]\r\nLibDir=LIB\r\n");
    EXPECT_EQ(relative.GetDirSetting("Kalde2K", "LibDir", ""), dir.SuitePath() + "\\LIB");
}

TEST_F(SuiteServicesTest, SettingAFolderStoresItAsGiven) {
    ASSERT_TRUE(services.SetDirSetting("Kalde2K", "LibDir", "D:\\Libraries"));
    EXPECT_EQ(services.GetDirSetting("Kalde2K", "LibDir", ""), "D:\\Libraries");
    SuiteServices unwritable{dir / "no" / "such" / "suite.ini", boxes};
    EXPECT_FALSE(unwritable.SetDirSetting("Kalde2K", "LibDir", "D:\\Libraries"));
}

TEST_F(SuiteServicesTest, AskYesNoAsksAQuestion) {
    boxes.answers = {MsgAnswer::Yes, MsgAnswer::No};
    EXPECT_TRUE(services.AskYesNo("Delete TTL.PART?", "Library Browser"));
    EXPECT_FALSE(services.AskYesNo("Delete CMOS.PART?", "Library Browser"));
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, "Delete TTL.PART?");
    EXPECT_EQ(boxes.shown[0].title, "Library Browser");
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::YesNo);
}

} // namespace
} // namespace k2k
