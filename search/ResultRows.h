#pragma once
// The rows of the result views, made from the result lists: each row has a key that
// leads back to its result ("PART|3|" and the result's number), the object's name as its
// text, a status image, and the optional columns of its kind that the display options
// enable, in the kind's fixed order. Display option i of a kind switches its i-th optional
// column. A view is filled with the results it does not show yet.

#include "platform/LibraryFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

class ResultList;

inline constexpr const char* kUsedInProjectImage = "STAT_USEDIN_PROJECT";
inline constexpr const char* kLocalLibraryImage = "STAT_LOCAL_LIB";
inline constexpr const char* kProjectLibraryName = "Project Library";

struct ResultRow {
    std::string key;
    std::string text;
    std::string image;                 // empty: none
    std::vector<std::string> subItems; // the enabled optional columns
    int colour = 0;
};

std::string RowKey(LibraryKind kind, int number);
// The result number of a row key (its third piece at "|"), 0 when there is none or it
// is not a number from 1 to the largest int.
int ResultNumberOfKey(std::string_view key);
std::string_view StatusImage(std::int32_t status) noexcept;

// The values of result i's optional columns, in the order of its kind's optionalColumns
// (common/ObjectKinds.h), into values.
void OptionalValues(const ResultList& results, int i, std::vector<std::string_view>& values);

// Results from number from on that have no library are the open project's own: their
// library becomes "Project Library" in the list itself.
void LabelProjectResults(ResultList& results, int from);

// Rows for the results after the first shownRows; a result without a library gets
// "Project Library" in the list itself. enabled[i] switches optional column i. Each row
// has the colour of the search that found it.
std::vector<ResultRow> RowsToAdd(ResultList& results, int shownRows,
                                 const std::vector<bool>& enabled);

// A line of a saved list: the row number, ")", two blanks, the row text, every further
// column after a TAB, and CR LF.
std::string SavedListLine(int rowNumber, const ResultRow& row);
void AppendSavedListLine(std::string& out, int rowNumber, std::string_view text,
                         const std::vector<std::string_view>& columns);

} // namespace k2k
