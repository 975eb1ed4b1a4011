// A suite as a person of this system keeps it: in a folder under a home whose name has a
// letter beyond ASCII, with files and folders whose names differ in case from what the
// suite's texts call them. It must read exactly as the sample does, and every path shown
// must be this system's path in UTF-8.

#include "platform/Kernel.h"
#include "platform/SuiteFolder.h"
#include "platform/SuiteServices.h"
#include "support/TestSupport.h"
#include "support/ToolRun.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::RunK2klib;
using test::WriteFile;

void Replace(std::string& text, std::string_view what, std::string_view with) {
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

void Rename(const fs::path& folder, std::string_view from, std::string_view to) {
    fs::rename(folder / from, folder / to);
}

class K2klibSuiteNamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const fs::path& root : {plain, renamed}) {
            fs::create_directories(root.parent_path());
            fs::copy(K2K_SAMPLE_SUITE, root, fs::copy_options::recursive);
            // German texts and a library that is missing, so that messages are shown.
            std::string ini = ReadFile(root / "kalde2000.ini");
            Replace(ini, "SYS\\LANG\\ENU", "SYS\\LANG\\DEU");
            Replace(ini, "6=CONNECT.PART\r\n", "6=CONNECT.PART\r\n7=GONE.PART\r\n");
            WriteFile(root / "kalde2000.ini", ini);
            fs::remove(root / "KDS_SBK" / "SUBCIR.IDX"); // each gets an index of its own
        }
        WriteFile(plain / "KDS_SBK" / "SUBCIR.IDX", kIndex);
        WriteFile(renamed / "KDS_SBK" / "subcir.idx", kIndex);

        // Every name the suite asks for, in another case.
        Rename(renamed, "suite.ini", "SUITE.INI");
        Rename(renamed, "kalde2000.ini", "Kalde2000.INI");
        Rename(renamed, "LIB", "lib");
        Rename(renamed / "lib", "TTL74.PART", "ttl74.part");
        Rename(renamed / "lib", "LOGIC.SYMBOL", "Logic.Symbol");
        Rename(renamed / "lib", "SMD.PADSTACK", "smd.padstack");
        Rename(renamed, "SYS", "Sys");
        Rename(renamed / "Sys", "elements.spc", "ELEMENTS.SPC");
        Rename(renamed / "Sys", "K2KBRWSR.ini", "k2kbrwsr.INI");
        Rename(renamed / "Sys", "LANG", "Lang");
        Rename(renamed / "Sys" / "Lang", "DEU", "deu");
        Rename(renamed / "Sys" / "Lang" / "deu", "TEXTS.LNG", "texts.lng");
        Rename(renamed, "KDS_SBK", "kds_sbk");
        Rename(renamed, "JOB", "Job");
        Rename(renamed / "Job", "DEMO.K2K", "demo.k2k");
    }

    // What k2klib says about a suite, its folder written as "<suite>".
    static std::string Run(std::vector<std::string> args, const fs::path& root) {
        const test::ToolRun run = RunK2klib(args);
        std::string text = "status " + std::to_string(run.status) + "\n" + run.out +
                           "\n-- standard error --\n" + run.err;
        Replace(text, root.string(), "<suite>");
        return text;
    }

    static constexpr const char* kIndex = "X,LM741,library,Op amp,OPAMP,5\r\n";

    test::TempDir dir;
    fs::path home = dir / "j\xC3\xBCrgen"; // "jürgen" in UTF-8
    fs::path plain = home / "suite";       // the sample's names
    fs::path renamed = home / "Renamed";   // every name in another case
};

// Every name is shown as the suite spells it, so both suites read alike.
TEST_F(K2klibSuiteNamesTest, NamesThatDifferOnlyInCaseReadAsTheSuitesOwn) {
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"catalogue", "--contents", "--suite"},
          {"catalogue", "--suite"},
          {"spice", "--suite"},
          {"search", "--kind", "part", "--name", "74*", "--suite"}}) {
        auto withSuite = [&command](const fs::path& root) {
            std::vector<std::string> args = command;
            args.push_back(root.string());
            return args;
        };
        const std::string expected = Run(withSuite(plain), plain);
        EXPECT_EQ(Run(withSuite(renamed), renamed), expected) << command.front();
    }
    const std::string catalogue = Run({"catalogue", "--suite", renamed.string()}, renamed);
    EXPECT_NE(catalogue.find("    1  TTL74.PART "), std::string::npos) << catalogue;
    EXPECT_EQ(catalogue.find("TTL74.PART                  missing"), std::string::npos);
    EXPECT_NE(catalogue.find("Open project: <suite>/JOB/DEMO.K2K"), std::string::npos);

    // The browser profile, asked for as the suite spells it.
    const fs::path profile = fs::path("SYS") / "K2KBRWSR.ini";
    const std::string shown = Run({"profile", (renamed / profile).string()}, renamed);
    EXPECT_EQ(shown, Run({"profile", (plain / profile).string()}, plain));
    EXPECT_NE(shown.find("status 0"), std::string::npos) << shown;
}

TEST_F(K2klibSuiteNamesTest, PathsAreShownAsThisSystemWritesThem) {
    const std::string root = plain.string();
    const std::string books = "B\xC3\xBC"
                              "cher.PART"; // "Bücher.PART"
    fs::copy_file(plain / "LIB" / "CUSTOM.PART", plain / "LIB" / books);
    const test::ToolRun run = RunK2klib({"catalogue", "--contents", "--suite", root});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("    -  " + books + " "), std::string::npos)
        << "a file name of this system is shown as it is";
    EXPECT_NE(run.out.find("Suite initialisation file: " + root + "/kalde2000.ini\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("Library directory: " + root + "/LIB\n"), std::string::npos);
    EXPECT_NE(run.out.find("== Part library 1: " + root + "/LIB/TTL74.PART\n"), std::string::npos);
    EXPECT_EQ(run.out.find("(not found)\n== Part library 2"), std::string::npos)
        << "the first library is found";
    EXPECT_NE(run.err.find("Bibliotheksdatei: " + root + "/LIB/GONE.PART nicht gefunden"),
              std::string::npos)
        << run.err;

    // The core keeps the suite's form in Windows-1252; what is shown is this system's.
    test::RecordingMessageBoxes boxes;
    SuiteServices services(DirectorySettingsOf(plain), boxes);
    Kernel kernel;
    const SuiteOpening opening = OpenSuite(plain, kernel, services);
    ASSERT_TRUE(opening.ok) << opening.error;
    EXPECT_TRUE(opening.warnings.empty()) << "the project opens";
    EXPECT_NE(services.IniFile().find("\\j\xFC"
                                      "rgen\\suite\\kalde2000.ini"),
              std::string::npos)
        << Cp1252ToUtf8(services.IniFile());
}

TEST_F(K2klibSuiteNamesTest, AFolderTheSuiteCannotNameIsRefusedWhereItComesIn) {
    const fs::path cyrillic = dir / "\xD1\x8E\xD1\x80\xD0\xB8\xD0\xB9"; // "юрий"
    fs::copy(K2K_SAMPLE_SUITE, cyrillic, fs::copy_options::recursive);
    const test::ToolRun run = RunK2klib({"catalogue", "--suite", cyrillic.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("holds \"\xD1\x8E\", which the suite's Windows-1252 names cannot hold"),
              std::string::npos)
        << run.err;
}

} // namespace
} // namespace k2k
