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
// (platform/Drawing.h; it may span lines) must read without a problem and be of the
// library's kind; it is stored as its canonical text.

#include "platform/LibraryFile.h"

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

// Reads and checks a source. False, with error "FILE:LINE: problem", on an unknown
// column, a row with too many fields, a character outside Windows-1252, an empty name,
// a part package name holding a blank, a name given twice, or a drawing with a problem
// (LINE is that of its statement).
bool ReadLibrarySource(const std::filesystem::path& csv, LibraryKind kind,
                       std::vector<LibraryObject>& objects, std::string& error);

} // namespace k2k
