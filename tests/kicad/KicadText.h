#pragma once
// A text of the open-source EDA tool's formats read as an import reads a file of it: parsed
// into a document, then read by the reader of its format.

#include "kicad/SExpression.h"
#include "system/Result.h"

#include <string>
#include <string_view>
#include <utility>

namespace k2k::test {

// What the reader (kicad::ReadSymbolLibrary, kicad::ReadFootprint) makes of the text, or the
// problem of the parse or of the read, both naming fileName.
template <typename Reader>
auto ReadKicadText(SDocument& document, std::string text, std::string_view fileName, Reader read)
    -> decltype(read(document, fileName)) {
    if (auto parsed = document.Parse(std::move(text), fileName); !parsed)
        return std::move(parsed).Error();
    return read(document, fileName);
}

} // namespace k2k::test
