#pragma once
// What a result view shows of a result: a key that leads back to it ("PART|3|" and the
// result's number), the object's name, a status image, and the optional columns of its
// kind in their fixed order (display option i of a kind switches its i-th optional
// column); and the line a saved list holds for it.

#include "formats/LibraryFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

class ResultList;

inline constexpr const char* kUsedInProjectImage = "STAT_USEDIN_PROJECT";
inline constexpr const char* kLocalLibraryImage = "STAT_LOCAL_LIB";

std::string RowKey(LibraryKind kind, int number);
// The result number of a row key (its third piece at "|"), 0 when there is none or it
// is not a number from 1 to the largest int.
int ResultNumberOfKey(std::string_view key);
std::string_view StatusImage(std::int32_t status) noexcept;

// The values of result i's optional columns, in the order of its kind's optionalColumns
// (common/ObjectKinds.h), into values.
void OptionalValues(const ResultList& results, int i, std::vector<std::string_view>& values);
// The same for a result given by its library and info text.
void OptionalValues(LibraryKind kind, std::string_view library, std::string_view info,
                    std::vector<std::string_view>& values);

// A line of a saved list: the row number, ")", two blanks, the row text, every further
// column after a TAB, and CR LF.
void AppendSavedListLine(std::string& out, int rowNumber, std::string_view text,
                         const std::vector<std::string_view>& columns);

} // namespace k2k
