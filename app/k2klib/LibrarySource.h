#pragma once
// CSV sources of library objects, shared by "k2klib build" and "k2klib project".
// Columns by kind (missing columns are empty; any other column is an error):
//   part:     name, package, description, external_index_code, simulation_ref,
//             manufacturer, part_type, technology, package_type, simulation_function,
//             simulation_references, symbols
//   symbol:   name, description, symbol_type, simulation_function, simulation_references
//   package:  name, description, package_type, jedec_name
//   padstack: name, description, padstack_type, padstack_shape
// Texts are converted to Windows-1252 and joined into the kind's info text.

#include "platform/LibraryFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

std::optional<LibraryKind> LibraryKindFromName(std::string_view name); // "part", ...
std::vector<std::string> LibraryKindNames();                           // the four, in kind order
const std::vector<std::string_view>& LibrarySourceColumns(LibraryKind kind);

// Reads and checks a source. False, with error "FILE:LINE: problem", on an unknown
// column, a row with too many fields, a character outside Windows-1252, an empty name,
// a part package name holding a blank, or a name given twice.
bool ReadLibrarySource(const std::filesystem::path& csv, LibraryKind kind,
                       std::vector<LibraryObject>& objects, std::string& error);

} // namespace k2k
