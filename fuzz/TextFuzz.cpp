// The 8-bit text helpers: Windows-1252 <-> UTF-8 both ways round, upper case, trimming,
// splitting and numbers.

#include "FuzzSupport.h"

#include "system/Text.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    using namespace k2k::fuzz;
    const std::string_view bytes = BytesOf(data, size);

    // Every Windows-1252 text has a UTF-8 form that converts back to it, byte for byte.
    const std::string utf8 = Cp1252ToUtf8(bytes);
    const std::optional<std::string> back = Utf8ToCp1252(utf8);
    K2K_FUZZ_CHECK(back.has_value() && *back == bytes);
    std::string appended = "K2K";
    AppendCp1252AsUtf8(appended, bytes);
    K2K_FUZZ_CHECK(appended == "K2K" + utf8);

    // The bytes as UTF-8: what converts, converts back to the same bytes (so nothing but
    // the one shortest form of a character is taken); what does not, says where.
    std::size_t badOffset = static_cast<std::size_t>(-1);
    const std::optional<std::string> cp1252 = Utf8ToCp1252(bytes, &badOffset);
    if (cp1252)
        K2K_FUZZ_CHECK(Cp1252ToUtf8(*cp1252) == bytes);
    else
        K2K_FUZZ_CHECK(badOffset < bytes.size());

    const std::string upper = UpperCase(bytes);
    K2K_FUZZ_CHECK(upper.size() == bytes.size());
    K2K_FUZZ_CHECK(UpperCase(upper) == upper);
    K2K_FUZZ_CHECK(EqualsNoCase(bytes, upper));
    std::string inPlace(bytes);
    UpperCaseInPlace(inPlace);
    K2K_FUZZ_CHECK(inPlace == upper);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        K2K_FUZZ_CHECK(static_cast<std::uint8_t>(UpperChar(bytes[i])) ==
                       UpperTable()[static_cast<std::uint8_t>(bytes[i])]);

    const std::string_view trimmed = Trim(bytes);
    K2K_FUZZ_CHECK(trimmed.empty() || (trimmed.front() != ' ' && trimmed.back() != ' '));
    K2K_FUZZ_CHECK(bytes.find(trimmed) != std::string_view::npos);

    if (!bytes.empty()) {
        std::string joined;
        for (const std::string_view piece : SplitAt(bytes.substr(1), bytes[0]))
            joined.append(piece).push_back(bytes[0]);
        joined.pop_back();
        K2K_FUZZ_CHECK(joined == bytes.substr(1));
    }

    (void)LeadingNumber(bytes);
    if (size >= sizeof(std::int32_t)) {
        // Whole numbers written as decimal text read back as themselves.
        std::int32_t whole = 0;
        std::memcpy(&whole, data, sizeof whole);
        K2K_FUZZ_CHECK(LeadingNumber(DecimalText(whole)) == static_cast<double>(whole));
    }
    return 0;
}
