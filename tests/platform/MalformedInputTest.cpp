// Random bytes and cut-off files fed to the INI reader and the language-file reader: no
// crash, and every answer is a value of the input (or a prefix of it) or the default.

#include "formats/IniFile.h"
#include "platform/SuiteServices.h"
#include "support/TestSupport.h"
#include "system/NativePath.h"

#include <gtest/gtest.h>

#include <random>

namespace k2k {
namespace {

// Mostly the characters that give these files their shape, some of any byte.
std::string RandomText(std::mt19937& random) {
    static constexpr std::string_view kShape = "[]=;\"\r\n \t\x80\xE9"
                                               "ab12";
    std::string text(random() % 400, ' ');
    for (char& c : text) {
        const unsigned r = random() % 256;
        c = r < 200 ? kShape[r % kShape.size()] : static_cast<char>(r);
    }
    return text;
}

bool IsPrefixOf(std::string_view prefix, std::string_view text) {
    return text.substr(0, prefix.size()) == prefix;
}

TEST(MalformedInputTest, IniDocuments) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        IniDocument ini = IniDocument::Parse(RandomText(random));
        const std::string written = ini.ToText();
        ASSERT_EQ(IniDocument::Parse(written).ToText(), written);
        for (const auto& section : ini.Sections())
            for (const auto& key : ini.Keys(section))
                ASSERT_TRUE(ini.Get(section, key).has_value()) << written;
        ini.Set("Kalde2K", "LibDir", "LIB");
        ASSERT_EQ(ini.Get("KALDE2K", "libdir"), "LIB") << written;
    }

    const std::string full = "[DEVLIBS]\r\n1=TTL.PART\r\n[Kalde2K]\r\nLibDir=C:\\K2K\\LIB\r\n";
    for (std::size_t length = 0; length <= full.size(); ++length) {
        const IniDocument ini = IniDocument::Parse(full.substr(0, length));
        const auto part = ini.Get("DEVLIBS", "1");
        const auto lib = ini.Get("Kalde2K", "LibDir");
        EXPECT_TRUE(!part || IsPrefixOf(*part, "TTL.PART")) << length;
        EXPECT_TRUE(!lib || IsPrefixOf(*lib, "C:\\K2K\\LIB")) << length;
    }
}

TEST(MalformedInputTest, LanguageFiles) {
    test::TempDir dir;
    test::RecordingMessageBoxes boxes;
    SuiteServices services{dir / "suite.ini", boxes};
    // Two folders taken in turn, so that every round reads its file afresh.
    auto load = [&](int round, std::string_view content) {
        const std::string folder = round % 2 ? "A" : "B";
        test::WriteFile(dir / folder / "TEXTS.LNG", content);
        services.SetLanguagePath(SuitePath(dir / folder).Value());
    };
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        load(round, RandomText(random));
        for (const char* id : {"a", "1", "12", "", "ab"}) {
            const std::string text = services.GetText("default", id);
            ASSERT_FALSE(text.empty());
            ASSERT_EQ(text.find('\n'), std::string::npos);
        }
    }

    const std::string full = "; texts\r\n5051=Namensfeld leer\r\n";
    for (std::size_t length = 0; length <= full.size(); ++length) {
        load(static_cast<int>(length), full.substr(0, length));
        const std::string text = services.GetText("Name Field Empty", "5051");
        EXPECT_TRUE(text == "Name Field Empty" || IsPrefixOf(text, "Namensfeld leer")) << text;
    }
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
} // namespace k2k
