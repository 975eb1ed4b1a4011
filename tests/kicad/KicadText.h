#pragma once
// A text of the open-source EDA tool's formats read as an import reads a file of it: parsed
// into a document, then read by the reader of its format; and imported objects as a search
// reads them back from their library file.

#include "formats/LibraryFile.h"
#include "kicad/SExpression.h"
#include "support/TestSupport.h"
#include "system/Result.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// The objects as a library file of the kind holds them: written, then read back.
inline std::vector<LibraryObject> ThroughLibraryFile(LibraryKind kind,
                                                     const std::vector<LibraryObject>& objects) {
    TempDir dir;
    const auto file = dir / "IMPORTED.LIB";
    const Status written = WriteLibrary(file, kind, objects);
    EXPECT_TRUE(written) << written.Message();
    auto read = ReadLibrary(file);
    EXPECT_TRUE(read) << read.Message();
    return read ? std::move(read->objects) : std::vector<LibraryObject>{};
}

} // namespace k2k::test
