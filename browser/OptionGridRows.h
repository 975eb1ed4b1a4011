#pragma once
// The rows of the four search-option grids: row n holds the kind's criterion n, in the order
// the searches read them back (search/SearchCriteria.h), with its caption (text id and
// default) and the kind of its value cell. The window that builds the grids and "k2klib
// search", which builds the same values from its options, both take the rows from here, and
// so do the defaults of a fresh grid.

#include "formats/LibraryFile.h"
#include "search/SearchCriteria.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

class LibraryCatalogue;

enum class GridCell {
    HistoryBox,  // free text with an editable list of earlier entries
    LibraryList, // drop-down list of the kind's libraries
    PickButton,  // a button opens a pick dialog that writes its choice into the cell
};

struct OptionGridRow {
    int row = 0;
    SearchCriterion criterion = SearchCriterion::Name;
    const char* captionId = ""; // text id of the caption in column 0
    const char* caption = "";   // its English default
    GridCell cell = GridCell::HistoryBox;
    int historyBox = 0; // 1 to the grid's box count for a history box, else 0
};

// The caption row 0.
inline constexpr const char* kOptionsCaptionId = "11194"; // "Options", column 0
inline constexpr const char* kValuesCaptionId = "18115";  // "Values", column 1

// The criterion rows of a kind's grid, row 1 first.
std::span<const OptionGridRow> OptionGridRows(LibraryKind kind) noexcept;
// The grid's row count with the caption row (17, 9, 6, 5).
int OptionGridRowCount(LibraryKind kind) noexcept;
// The number of history boxes of a kind's grid (7, 2, 3, 1).
int HistoryBoxCount(LibraryKind kind) noexcept;

// The text id of a row's caption by its English words, as the grids other than the
// Padstack grid show it ("Library": "99825"); nullptr for words no row is captioned with.
const char* RowCaptionId(std::string_view caption) noexcept;

// The values of a fresh grid, row 1 first: all empty but the library, "[ALL LIBRARIES]".
std::vector<std::string> FreshGridValues(LibraryKind kind);
// Writes value into the criterion's row of values (a kind's grid values, row 1 first);
// false, leaving values as they were, when the kind has no such criterion.
bool SetGridValue(std::vector<std::string>& values, LibraryKind kind, SearchCriterion criterion,
                  std::string value);

// The entries of a kind's library list: "[ALL LIBRARIES]", "[PROJECT LIBRARY]", then the
// kind's libraries in catalogue order.
std::vector<std::string> LibraryListEntries(const LibraryCatalogue& catalogue, LibraryKind kind);

} // namespace k2k
