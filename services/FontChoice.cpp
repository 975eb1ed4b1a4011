#include "services/FontChoice.h"

#include <cmath>

namespace k2k {

namespace {

constexpr int kChinese = 4;
constexpr int kJapanese = 17;
constexpr int kKorean = 18;

// Faces as UTF-8 bytes of their code points.
constexpr const char* kTraditionalChineseFace = "\xE6\x96\xB0\xE7\xB4\xB0\xE6\x98\x8E\xE9\xAB\x94";
constexpr const char* kSimplifiedChineseFace = "\xE5\xAE\x8B\xE4\xBD\x93";
constexpr const char* kJapaneseFace =
    "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";
constexpr const char* kKoreanFace = "\xEA\xB5\xB4\xEB\xA6\xBC";

struct CodePageCharset {
    int bit;
    int charset;
};

// Code-page bits of a font signature and the character set each stands for.
constexpr CodePageCharset kCodePages[] = {
    {0, 0},    // 1252 Latin 1
    {1, 238},  // 1250 Central Europe
    {2, 204},  // 1251 Cyrillic
    {3, 161},  // 1253 Greek
    {4, 162},  // 1254 Turkish
    {5, 177},  // 1255 Hebrew
    {6, 178},  // 1256 Arabic
    {7, 186},  // 1257 Baltic
    {8, 163},  // 1258 Vietnamese
    {16, 222}, // 874 Thai
    {17, 128}, // 932 Japanese
    {18, 134}, // 936 Simplified Chinese
    {19, 129}, // 949 Korean
    {20, 136}, // 950 Traditional Chinese
    {21, 130}, // 1361 Korean Johab
};

} // namespace

int CharsetFromCodePageBits(std::uint32_t bits) noexcept {
    for (const CodePageCharset& page : kCodePages)
        if (bits & (1u << page.bit))
            return page.charset;
    return 0;
}

FontChoice ChooseFont(const FontEnvironment& environment, const FontChoice& previous) {
    const int languageId = environment.languageId & 0xFFFF;
    const int primary = languageId & 1023;
    // The sub-language, divided and rounded as the suite does (halves to even).
    const int sub = static_cast<int>(std::nearbyint(languageId / 1024.0));

    FontChoice choice = previous;
    switch (primary) {
    case kChinese:
        choice.size = 9;
        if (sub == 1) {
            choice.name = kTraditionalChineseFace;
            choice.charset = 136;
        } else if (sub == 2) {
            choice.name = kSimplifiedChineseFace;
            choice.charset = 134;
        }
        return choice;
    case kJapanese:
        return {kJapaneseFace, 9, 128};
    case kKorean:
        choice.size = 9;
        choice.charset = 129;
        if (sub == 1 || sub == 2)
            choice.name = kKoreanFace;
        return choice;
    default:
        break;
    }

    choice.size = 8;
    choice.name.clear();
    for (const char* face : {"MS Sans Serif", "Arial", "System"}) {
        if (environment.isInstalled && environment.isInstalled(face)) {
            choice.name = face;
            break;
        }
    }
    if (choice.name.empty())
        choice.name = environment.iconTitleFace
                          ? *environment.iconTitleFace
                          : environment.defaultGuiFace.value_or(previous.name);
    choice.charset =
        environment.codePageBits ? CharsetFromCodePageBits(*environment.codePageBits) : 0;
    return choice;
}

} // namespace k2k
