// The suite's text splitter: the first byte is the separator, the rest the text. The
// pieces joined at the separator give the text back, and each piece's number is the
// leading number of its text.

#include "FuzzSupport.h"

#include "platform/Text.h"
#include "platform/Tokenizer.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    using namespace k2k::fuzz;
    if (size == 0)
        return 0;
    const char separator = static_cast<char>(data[0]);
    const std::string_view text = BytesOf(data + 1, size - 1);

    Tokenizer tokenizer(text, separator);
    K2K_FUZZ_CHECK(tokenizer.Count() >= 1);
    std::string joined;
    for (int i = 1; i <= tokenizer.Count(); ++i) {
        const std::string_view piece = tokenizer.Piece(i);
        K2K_FUZZ_CHECK(piece.find(separator) == std::string_view::npos);
        joined.append(piece).push_back(separator);
        const double number = tokenizer.Number(i);
        const double expected = LeadingNumber(piece);
        K2K_FUZZ_CHECK(number == expected || (std::isnan(number) && std::isnan(expected)));
    }
    joined.pop_back();
    K2K_FUZZ_CHECK(joined == text);
    K2K_FUZZ_CHECK(tokenizer.Piece(0).empty() && tokenizer.Piece(tokenizer.Count() + 1).empty());
    K2K_FUZZ_CHECK(tokenizer.Piece(-1).empty() && tokenizer.Number(0) == 0);

    // A second split replaces the first.
    tokenizer.Split(text.substr(0, text.size() / 2), separator);
    K2K_FUZZ_CHECK(tokenizer.Count() ==
                   Tokenizer(text.substr(0, text.size() / 2), separator).Count());
    return 0;
}
