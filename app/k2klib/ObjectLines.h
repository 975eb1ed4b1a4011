#pragma once
// Objects as lines of text: the name and the fields of the info text as the kind splits
// them, tab-separated, in UTF-8. The header line names the columns as the CSV sources do.

#include "formats/LibraryFile.h"

#include <ostream>
#include <string_view>

namespace k2k::cli {

void WriteObjectHeader(std::ostream& out, LibraryKind kind);
void WriteObjectLine(std::ostream& out, LibraryKind kind, std::string_view name,
                     std::string_view info);

} // namespace k2k::cli
