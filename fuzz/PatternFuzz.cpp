// The pattern language: the first byte says how many of the following bytes are the
// pattern, the rest is the text. A compiled pattern keeps its text, matches an upper-cased
// text exactly as it matches the text upper-cased first, and a pattern without brackets
// matches exactly where a plain table of prefixes says it does.

#include "FuzzSupport.h"

#include "common/Pattern.h"
#include "system/Text.h"

#include <vector>

namespace {

// Whether pattern (*, ?, # and literals only) matches the whole text: reach[j] says
// whether the pattern so far can end after j characters of the text.
bool PlainMatch(std::string_view pattern, std::string_view text) {
    std::vector<char> reach(text.size() + 1, 0);
    reach[0] = 1;
    for (const char p : pattern) {
        std::vector<char> next(text.size() + 1, 0);
        for (std::size_t j = 0; j <= text.size(); ++j) {
            if (p == '*') {
                next[j] = reach[j] || (j > 0 && next[j - 1]);
                continue;
            }
            if (j == 0 || !reach[j - 1])
                continue;
            const char c = text[j - 1];
            next[j] = p == '?' || (p == '#' ? c >= '0' && c <= '9' : c == p);
        }
        reach.swap(next);
    }
    return reach[text.size()] != 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    using namespace k2k::fuzz;
    if (size == 0)
        return 0;
    const std::string_view rest = BytesOf(data + 1, size - 1);
    const std::string_view patternText = rest.substr(0, data[0]);
    const std::string_view text = rest.substr(patternText.size());

    const Result<Pattern> pattern = Pattern::Compile(patternText);
    const bool plain = patternText.find('[') == std::string_view::npos;
    K2K_FUZZ_CHECK(pattern.Ok() || (!plain && !pattern.Message().empty()));
    if (!pattern)
        return 0;
    K2K_FUZZ_CHECK(pattern->Text() == patternText);

    const bool matches = pattern->Matches(text);
    const std::string upper = UpperCase(text);
    const bool matchesUpper = pattern->MatchesUpperCased(text);
    K2K_FUZZ_CHECK(matchesUpper == pattern->Matches(upper));
    if (pattern->MatchesEverything())
        K2K_FUZZ_CHECK(matches && matchesUpper);
    if (plain) {
        K2K_FUZZ_CHECK(matches == PlainMatch(patternText, text));
        K2K_FUZZ_CHECK(matchesUpper == PlainMatch(patternText, upper));
    }
    return 0;
}
