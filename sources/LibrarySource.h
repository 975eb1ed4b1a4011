#pragma once
// CSV sources of library objects, shared by "k2klib build" and "k2klib project".
// Columns by kind (missing columns are empty; any other column is an error):
//   part:     name, package, description, external_index_code, simulation_ref,
//             manufacturer, part_type, technology, package_type, simulation_function,
//             simulation_references, symbols
//   symbol:   name, description, symbol_type, simulation_function, simulation_references,
//             drawing
//   package:  name, description, package_type, jedec_name, drawing
//   padstack: name, description, padstack_type, padstack_shape, drawing
// Texts are converted to Windows-1252 and joined into the kind's info text. A drawing
// (formats/Drawing.h; it may span lines) must read without a problem and be of the
// library's kind; it is stored as its canonical text.

#include "sources/SourceText.h"

#include "formats/LibraryFile.h"
#include "system/Result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

inline constexpr std::string_view kDrawingColumn = "drawing";

std::optional<LibraryKind> LibraryKindFromName(std::string_view name); // "part", ...
std::vector<std::string> LibraryKindNames();                           // the four, in kind order
std::string LibraryFileExtension(LibraryKind kind);                    // ".PART", ...
const std::vector<std::string_view>& LibrarySourceColumns(LibraryKind kind);

// What reading a source found, one line each: "FILE:LINE: kind "NAME": problem" for a row
// left out (a row may have several), "FILE:LINE: kind "NAME": column "C": replaced ..."
// for a replacement.
struct SourceFindings {
    std::vector<std::string> problems;
    std::vector<std::string> replacements;
    std::size_t rowsLeftOut = 0;
};

// Reads and checks a source. The one problem when the file cannot be read as a source at
// all: it cannot be read, its quoting is broken, or its header names an unknown column.
// Otherwise the objects of every good row; a row is left out, each of its problems listed
// in findings, when it has more fields than the header, a character
// Windows-1252 cannot hold (unless options replace it), a control character or, but in a
// drawing, the euro sign, a name or info text that no store takes (formats/StoredTexts.h:
// an empty name, one too long, an info text too long), a part package name holding a
// blank, the name of an earlier row (compared without regard to case), or a drawing with a
// problem (LINE is that of its statement). A problem naming a name of megabytes is shown
// cut short (ShortenedLine).
Result<std::vector<LibraryObject>> ReadLibrarySource(const std::filesystem::path& csv,
                                                     LibraryKind kind, const TextOptions& options,
                                                     SourceFindings& findings);

} // namespace k2k
