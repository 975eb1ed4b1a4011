#include "platform/SuiteServices.h"

#include "support/TestSupport.h"
#include "system/NativePath.h"
#include "system/ReadLimits.h"

#include <gtest/gtest.h>

#include <chrono>

namespace k2k {
namespace {

using test::ReadFile;
using test::WriteFile;

class SuiteServicesTest : public test::ServicesTest {
protected:
    std::string LanguageFolder(std::string_view name, std::string_view texts) {
        WriteFile(dir / name / "TEXTS.LNG", texts);
        return SuitePath(dir / name).Value();
    }
};

TEST_F(SuiteServicesTest, TextsComeFromTheLanguageFileOrTheDefault) {
    EXPECT_EQ(services.GetText("Name Field Empty", "5051"), "Name Field Empty");
    services.SetLanguagePath(LanguageFolder("DE", "; 5051=comment\r\n"
                                                  "5051=Namensfeld leer\r\n"
                                                  " 99788 = nicht benutzt\n"
                                                  "4811=\r\n"
                                                  "3341=Bibliothek \x96 \n"
                                                  "3341=the second one loses\n"));
    EXPECT_EQ(services.GetText("Name Field Empty", "5051"), "Namensfeld leer");
    // Blanks that join a text to a name belong to the text.
    EXPECT_EQ(services.GetText("", "99788"), " nicht benutzt");
    EXPECT_EQ(services.GetText("", "3341"), "Bibliothek \x96 ");
    EXPECT_EQ(services.GetText("Library Browser", "4811"), "Library Browser");
    EXPECT_EQ(services.GetText("Unknown Error", "991362"), "Unknown Error");
}

TEST_F(SuiteServicesTest, ChangingTheLanguagePathReloadsTheTexts) {
    const std::string german = LanguageFolder("DE", "5051=Namensfeld leer\n");
    services.SetLanguagePath(german);
    services.SetLanguagePath(LanguageFolder("FR", "5051=Champ de nom vide\n"));
    EXPECT_EQ(services.GetText("", "5051"), "Champ de nom vide");
    services.SetLanguagePath(SuitePath(dir / "missing").Value());
    EXPECT_EQ(services.GetText("Name Field Empty", "5051"), "Name Field Empty");
    services.SetLanguagePath(german);
    EXPECT_EQ(services.GetText("", "5051"), "Namensfeld leer");
}

TEST_F(SuiteServicesTest, ALanguageFileThatIsNoTextFileIsSaidAndEnglishIsSpoken) {
    using Kind = test::NotATextFile::Kind;
    for (const Kind kind : test::NotATextFile::kKinds) {
        SCOPED_TRACE(test::NotATextFile::Name(kind));
        const test::NotATextFile file(dir / "DE" / "TEXTS.LNG", kind, kLanguageTextsLimit);
        boxes.shown.clear();
        services.SetLanguagePath(SuitePath(dir / "DE").Value());
        EXPECT_EQ(services.GetText("Name Field Empty", "5051"), "Name Field Empty");
        ASSERT_EQ(boxes.shown.size(), 1u);
        const std::string& text = boxes.shown[0].text;
        EXPECT_EQ(text.rfind("Can't read file: " + (dir / "DE" / "TEXTS.LNG").string(), 0), 0u)
            << text;
        EXPECT_EQ(text.find("larger than 16 MB") != std::string::npos, kind == Kind::Oversized);
        services.SetLanguagePath({});
    }
}

TEST_F(SuiteServicesTest, ProfileFunctionsWorkOnTheCurrentInitialisationFile) {
    EXPECT_FALSE(services.WriteIniString("DEVLIBS", "1", "TTL.PART")); // no file set
    WriteFile(dir / "first.ini", "[DEVLIBS]\r\n1=TTL.PART\r\n");
    WriteFile(dir / "second.ini", "[DEVLIBS]\r\n1=CMOS.PART\r\n");
    services.SetIniFile(SuitePath(dir / "first.ini").Value());
    EXPECT_EQ(services.GetIniString("devlibs", "1", ""), "TTL.PART");
    ASSERT_TRUE(services.WriteIniString("DEVLIBS", "1", std::nullopt));
    EXPECT_EQ(ReadFile(dir / "first.ini"), "[DEVLIBS]\r\n");
    services.SetIniFile(SuitePath(dir / "second.ini").Value());
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
    EXPECT_EQ(services.GetDirSetting("KALDE2K", "LibDir", ""), dir.SuitePath() + "\\LIB");
    EXPECT_EQ(services.GetDirSetting("Kalde2K", "JobDir", ""), "C:\\Projects\\JOB");
    EXPECT_EQ(services.GetDirSetting("Kalde2K", "SysDir", ""), "\\opt\\k2k\\SYS");
    EXPECT_EQ(services.GetDirSetting("Kalde2K", "KDSwrk", "C:\\Kalde 2000\\KDS_WRK"), "");
    EXPECT_EQ(services.GetDirSetting("Kalde2K", "PRV3JobDir", "\\CADJOB"), "\\CADJOB");
    EXPECT_EQ(services.GetDirSetting("Browser Part Options", "Column", ""), "LIB");

    // A settings file named relative to the current folder stays where it was.
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    SuiteServices relative{"suite.ini", boxes};
    std::filesystem::current_path(previous);
    ASSERT_TRUE(relative.SetDirSetting("Kalde2K", "LibDir", "D:\\Libraries"));
    EXPECT_EQ(services.GetDirSetting("Kalde2K", "LibDir", ""), "D:\\Libraries");
}

// The files are kept parsed between reads; a change made behind the services' back (the
// suite rewriting a file in place) is still seen at the next read.
TEST_F(SuiteServicesTest, SettingsChangedBehindTheirBackAreSeen) {
    auto settle = [](const std::filesystem::path& file, int minutes) {
        std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() -
                                                   std::chrono::minutes(minutes));
    };
    WriteFile(dir / "suite.ini", "[Kalde2K]\r\nLibDir=LIB\r\n");
    WriteFile(dir / "kalde2000.ini", "[DEVLIBS]\r\n1=A.PART\r\n");
    settle(dir / "suite.ini", 60);
    settle(dir / "kalde2000.ini", 60);
    services.SetIniFile(SuitePath(dir / "kalde2000.ini").Value());
    const DirSettings before = services.ReadDirSettings();
    EXPECT_EQ(services.GetDirSetting("Kalde2K", "LibDir", ""), dir.SuitePath() + "\\LIB");
    EXPECT_EQ(services.ReadIniDocument()->Get("DEVLIBS", "1"), "A.PART");

    WriteFile(dir / "suite.ini", "[Kalde2K]\r\nLibDir=JOB\r\n");
    WriteFile(dir / "kalde2000.ini", "[DEVLIBS]\r\n1=B.PART\r\n");
    settle(dir / "suite.ini", 30);
    settle(dir / "kalde2000.ini", 30);
    EXPECT_EQ(services.GetDirSetting("Kalde2K", "LibDir", ""), dir.SuitePath() + "\\JOB");
    EXPECT_EQ(services.GetIniString("DEVLIBS", "1", ""), "B.PART");
    EXPECT_EQ(before.Get("Kalde2K", "LibDir", ""), dir.SuitePath() + "\\LIB")
        << "a reading keeps what the file held then";
}

// This file system tells "Kalde2000.INI" from "kalde2000.ini"; the suite's does not, so a
// rewrite of the one goes to the other and never leaves a second file of another case.
TEST_F(SuiteServicesTest, ARewriteGoesToTheFileThatWasFound) {
    WriteFile(dir / "Kalde2000.INI", "[DEVLIBS]\r\n1=A.PART\r\n");
    services.SetIniFile(dir.SuitePath() + "\\kalde2000.ini");
    EXPECT_EQ(services.GetIniString("DEVLIBS", "1", ""), "A.PART");
    ASSERT_TRUE(services.WriteIniString("DEVLIBS", "2", "b.part"));
    EXPECT_EQ(ReadFile(dir / "Kalde2000.INI"), "[DEVLIBS]\r\n1=A.PART\r\n2=b.part\r\n");
    EXPECT_EQ(test::FilesIn(dir.Path()).size(), 1u) << "no second file of another case";
}

} // namespace
} // namespace k2k
