// The drawing text of a symbol, package or padstack. Whatever the bytes, the reader ends;
// every problem names a statement of the text; a drawing it reads formats to a text that
// reads back to the same drawing without a problem, and that text formats to itself.

#include "FuzzSupport.h"

#include "formats/Drawing.h"
#include "system/Text.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    using namespace k2k::fuzz;
    const std::string_view text = BytesOf(data, size);
    const ParsedDrawing parsed = ParseDrawing(text);
    const auto statements = 1 + CountLineEnds(text) +
                            static_cast<std::size_t>(std::count(text.begin(), text.end(), ';'));
    for (const DrawingProblem& problem : parsed.problems) {
        K2K_FUZZ_CHECK(problem.statement >= 0 &&
                       static_cast<std::size_t>(problem.statement) <= statements);
        K2K_FUZZ_CHECK(!problem.message.empty());
    }
    if (!parsed.drawing) {
        K2K_FUZZ_CHECK(!parsed.problems.empty()); // a text that is no drawing says why
        return 0;
    }
    const std::string canonical = FormatDrawing(*parsed.drawing);
    const ParsedDrawing again = ParseDrawing(canonical);
    K2K_FUZZ_CHECK(again.problems.empty());
    K2K_FUZZ_CHECK(again.drawing == parsed.drawing);
    K2K_FUZZ_CHECK(FormatDrawing(*again.drawing) == canonical);
    return 0;
}
