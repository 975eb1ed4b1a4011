#include "services/FontChoice.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

const FontChoice kPrevious{"Tahoma", 10, 77};

FontEnvironment Environment(int languageId, std::vector<std::string> installed = {}) {
    FontEnvironment environment;
    environment.languageId = languageId;
    environment.isInstalled = [installed](std::string_view face) {
        for (const auto& name : installed)
            if (name == face)
                return true;
        return false;
    };
    environment.codePageBits = 1u;
    return environment;
}

TEST(ChooseFontTest, EastAsianLanguagesGetTheirFaceAtNinePoints) {
    const FontChoice traditional = ChooseFont(Environment(0x0404), kPrevious);
    EXPECT_NE(traditional.name, kPrevious.name) << "a face of the language's own";
    EXPECT_EQ(traditional.size, 9);
    EXPECT_EQ(traditional.charset, 136);

    const FontChoice simplified = ChooseFont(Environment(0x0804), kPrevious);
    EXPECT_NE(simplified.name, traditional.name);
    EXPECT_EQ(simplified.charset, 134);

    const FontChoice otherChinese = ChooseFont(Environment(0x0C04), kPrevious);
    EXPECT_EQ(otherChinese.name, "Tahoma");
    EXPECT_EQ(otherChinese.size, 9);
    EXPECT_EQ(otherChinese.charset, 77) << "the character set is left as it was";

    EXPECT_EQ(ChooseFont(Environment(0x0411), kPrevious).charset, 128);
    EXPECT_NE(ChooseFont(Environment(0x0412), kPrevious).name, kPrevious.name);

    const FontChoice korean3 = ChooseFont(Environment(3 * 1024 + 18), kPrevious);
    EXPECT_EQ(korean3.name, "Tahoma");
    EXPECT_EQ(korean3.size, 9);
    EXPECT_EQ(korean3.charset, 129);
}

TEST(ChooseFontTest, OtherLanguagesTakeTheFirstInstalledFaceAndTheLocaleCharset) {
    FontEnvironment russian = Environment(0x0419, {"System", "Arial"});
    russian.codePageBits = 1u << 2;
    const FontChoice choice = ChooseFont(russian, kPrevious);
    EXPECT_EQ(choice.name, "Arial");
    EXPECT_EQ(choice.size, 8);
    EXPECT_EQ(choice.charset, 204);
    // The lowest code page of a signature decides: Central Europe before Japanese.
    EXPECT_EQ(CharsetFromCodePageBits(1u << 1 | 1u << 17), 238);
    EXPECT_EQ(CharsetFromCodePageBits(1u << 17), 128);

    FontEnvironment bare = Environment(0x0407);
    bare.iconTitleFace = "DejaVu Sans";
    bare.defaultGuiFace = "Sans";
    EXPECT_EQ(ChooseFont(bare, kPrevious).name, "DejaVu Sans");
    bare.iconTitleFace.reset();
    EXPECT_EQ(ChooseFont(bare, kPrevious).name, "Sans");
    bare.codePageBits.reset();
    EXPECT_EQ(ChooseFont(bare, kPrevious).charset, 0) << "no font signature";
}

} // namespace
} // namespace k2k
