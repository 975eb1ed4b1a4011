// The rows of the result views. The bytes are both a row key to read back and the results
// themselves: the first byte picks the kind and the status, the rest are lines of
// "library TAB name TAB info" (info texts as the libraries hold them). Every row's key
// leads back to its result, and every optional column is a piece of its info text.

#include "FuzzSupport.h"

#include "common/ObjectKinds.h"
#include "search/ResultList.h"
#include "search/ResultRows.h"
#include "system/Text.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    using namespace k2k::fuzz;
    const std::string_view bytes = BytesOf(data, size);
    (void)ResultNumberOfKey(bytes);
    if (size < 1 + sizeof(std::int32_t))
        return 0;

    const auto kind = static_cast<LibraryKind>(data[0] % 4);
    const std::int32_t status = data[0] >> 2;
    std::int32_t number = 0;
    std::memcpy(&number, data + 1, sizeof number);
    if (number > 0)
        K2K_FUZZ_CHECK(ResultNumberOfKey(RowKey(kind, number)) == number);

    ResultList results(kind);
    for (const std::string_view line : SplitAt(bytes.substr(1), '\n')) {
        const std::vector<std::string_view> parts = SplitAt(line, '\t');
        results.Append(parts[0], parts.size() > 1 ? parts[1] : std::string_view(),
                       parts.size() > 2 ? parts[2] : std::string_view(), status, 0);
    }
    std::vector<std::string_view> values;
    for (int result = 1; result <= results.Count(); ++result) {
        K2K_FUZZ_CHECK(ResultNumberOfKey(RowKey(kind, result)) == result);
        OptionalValues(results, result, values);
        K2K_FUZZ_CHECK(values.size() == FactsOf(kind).optionalColumns.size());
        for (std::string_view column : values)
            K2K_FUZZ_CHECK(column.size() <= results.Info(result).size() ||
                           column == results.Library(result));
        std::string line;
        AppendSavedListLine(line, result, results.Name(result), values);
        K2K_FUZZ_CHECK(line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0);
    }
    return 0;
}
