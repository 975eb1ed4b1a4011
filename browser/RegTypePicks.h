#pragma once
// The pick buttons of the option grids that choose a registered type: which table's tree
// the registered-types dialog offers for a grid's criterion, under which title.

#include "browser/OptionGridRows.h"

#include <optional>

namespace k2k {

struct RegTypePick {
    int table = 0;       // the registered-type table (RegTypeTables.h), 1 to 8
    const char* titleId; // the dialog's title for this pick
    const char* title;   // and its default
};

// nullopt for a criterion that no registered-types dialog picks.
std::optional<RegTypePick> RegTypePickOf(LibraryKind kind, SearchCriterion criterion) noexcept;
// The same by the grid's row; nullopt for a row without such a pick.
std::optional<RegTypePick> RegTypePickAt(LibraryKind kind, int row) noexcept;

} // namespace k2k
