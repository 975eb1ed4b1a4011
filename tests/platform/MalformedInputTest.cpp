// Random bytes and cut-off files fed to the INI reader and the language-file reader: no
// crash, and every answer is either a value that was in the input or the default.

#include "platform/IniFile.h"
#include "platform/NativePath.h"
#include "platform/SuiteServices.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace k2k {
namespace {

using test::RecordingMessageBoxes;
using test::TempDir;
using test::WriteFile;

// Mostly the characters that give INI files their shape, some of any byte.
std::string RandomText(std::mt19937& random, std::size_t length) {
    static constexpr std::string_view kShape = "[]=;\"\r\n \t\x80\xE9"
                                               "abAB12";
    std::uniform_int_distribution<int> pick(0, 255);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        const int r = pick(random);
        text +=
            r < 200 ? kShape[static_cast<std::size_t>(r) % kShape.size()] : static_cast<char>(r);
    }
    return text;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

TEST(MalformedInputTest, IniDocumentsFromRandomBytesStayConsistent) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        const std::string text = RandomText(random, random() % 400);
        IniDocument ini = IniDocument::Parse(text);
        // Writing and reading again is stable.
        const std::string written = ini.ToText();
        ASSERT_EQ(IniDocument::Parse(written).ToText(), written);
        // Whatever is listed can be read, and a stored value reads back.
        for (const auto& section : ini.Sections())
            for (const auto& key : ini.Keys(section))
                ASSERT_TRUE(ini.Get(section, key).has_value()) << section << '/' << key;
        ini.Set("Kalde2K", "LibDir", "LIB");
        ASSERT_EQ(ini.Get("KALDE2K", "libdir"), "LIB") << written;
        ini.Set("Kalde2K", "LibDir", std::nullopt);
    }
}

TEST(MalformedInputTest, ACutOffIniFileGivesValuesOrNothing) {
    const std::string full = "; suite\r\n[DEVLIBS]\r\n1=TTL.PART\r\n2 = CMOS.PART\r\n"
                             "[Kalde2K]\r\nLibDir=C:\\Kalde 2000\\LIB\r\n";
    for (std::size_t length = 0; length <= full.size(); ++length) {
        const IniDocument ini = IniDocument::Parse(full.substr(0, length));
        for (const auto& [section, key, value] :
             {std::tuple{"DEVLIBS", "1", "TTL.PART"}, std::tuple{"DEVLIBS", "2", "CMOS.PART"},
              std::tuple{"Kalde2K", "LibDir", "C:\\Kalde 2000\\LIB"}}) {
            const auto got = ini.Get(section, key);
            if (got) {
                EXPECT_TRUE(StartsWith(value, *got)) << length << ": " << *got;
            }
        }
    }
}

TEST(MalformedInputTest, LanguageFilesFromRandomOrCutOffBytes) {
    TempDir dir;
    RecordingMessageBoxes boxes;
    SuiteServices services{dir / "suite.ini", boxes};
    std::mt19937 random(7);

    // Two folders taken in turn, so that every round reads its file afresh.
    for (int round = 0; round < 200; ++round) {
        const std::string folder = round % 2 ? "A" : "B";
        WriteFile(dir / folder / "TEXTS.LNG", RandomText(random, random() % 300));
        services.SetLanguagePath(SuitePath(dir / folder));
        for (const char* id : {"a", "1", "12", "A", "", "ab"}) {
            const std::string text = services.GetText("default", id);
            ASSERT_FALSE(text.empty());
            ASSERT_EQ(text.find('\n'), std::string::npos);
        }
    }

    const std::string full = "; texts\r\n5051=Namensfeld leer\r\n99788= nicht benutzt\r\n";
    for (std::size_t length = 0; length <= full.size(); ++length) {
        const std::string folder = length % 2 ? "A" : "B";
        WriteFile(dir / folder / "TEXTS.LNG", full.substr(0, length));
        services.SetLanguagePath(SuitePath(dir / folder));
        const std::string name = services.GetText("Name Field Empty", "5051");
        EXPECT_TRUE(name == "Name Field Empty" || StartsWith("Namensfeld leer", name)) << name;
        const std::string used = services.GetText(" is not used", "99788");
        EXPECT_TRUE(used == " is not used" || StartsWith(" nicht benutzt", used)) << used;
    }
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
} // namespace k2k
