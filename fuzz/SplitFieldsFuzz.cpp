// The comma-field split of command texts, status records and comma files: as many fields
// as it answers, each with its value, and a text without quotes split at every comma.

#include "FuzzSupport.h"

#include "common/SplitFields.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    using namespace k2k::fuzz;
    const std::string_view text = BytesOf(data, size);
    std::vector<std::string> fields;
    std::vector<double> values;
    const int count = SplitFields(text, fields, values);

    K2K_FUZZ_CHECK(count >= 1);
    K2K_FUZZ_CHECK(fields.size() == static_cast<std::size_t>(count) + 1);
    K2K_FUZZ_CHECK(values.size() == fields.size());
    K2K_FUZZ_CHECK(fields[0].empty() && values[0] == count);
    std::size_t kept = 0;
    for (int i = 1; i <= count; ++i) {
        const double value = ValueOf(fields[i]);
        K2K_FUZZ_CHECK(values[i] == value || (std::isnan(values[i]) && std::isnan(value)));
        (void)RoundedValueOf(fields[i]);
        kept += fields[i].size();
    }
    // Fields never hold more than the text: only quotes and the commas between fields go.
    K2K_FUZZ_CHECK(kept + static_cast<std::size_t>(count) - 1 <= text.size());

    if (text.find('"') == std::string_view::npos) {
        std::string joined;
        for (int i = 1; i <= count; ++i)
            joined.append(fields[i]).push_back(',');
        joined.pop_back();
        K2K_FUZZ_CHECK(joined == text);
    }
    return 0;
}
