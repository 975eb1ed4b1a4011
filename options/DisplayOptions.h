#pragma once
// The display options: per object kind, the optional columns of its result list, each
// shown or hidden. Entry i of a kind stands for the kind's i-th optional column in the
// fixed column order of the result lists, and its name heads that column. Loaded at start,
// edited in the options dialog, and kept in the suite's directory settings, one section
// per kind ("Browser Part Options", ...): "Number" holds the entry count (default "1"),
// keys "1" to "N" hold "name,value" (default "Undefined,1"). One instance per component.

#include "formats/LibraryFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

class SuiteServices;

struct DisplayOption {
    std::int32_t Value = 0; // 0: the column is hidden; any other value: shown
    std::string Name;       // the option's name and the heading of its column

    bool operator==(const DisplayOption&) const = default;
};

struct DisplayOptions {
    DisplayOptions();

    // Element 0 is never used; the entries are 1 to UpperBound(kind).
    std::vector<DisplayOption>& Table(LibraryKind kind) {
        return m_tables[static_cast<std::size_t>(kind)];
    }
    const std::vector<DisplayOption>& Table(LibraryKind kind) const {
        return m_tables[static_cast<std::size_t>(kind)];
    }
    int UpperBound(LibraryKind kind) const { return static_cast<int>(Table(kind).size()) - 1; }

private:
    std::array<std::vector<DisplayOption>, 4> m_tables;
};

// A stored count is read as a whole number; below 0 it counts as 0, and it is held to
// kMaxDisplayOptions, far more than any kind has columns, so a damaged count cannot make
// the browser read keys without end.
inline constexpr int kMaxDisplayOptions = 1000;

// The whole number a stored option value stands for: the number the text begins with,
// rounded (halves to even) and held to the 32-bit range; a text without a number is 0.
std::int32_t OptionValueOf(std::string_view text) noexcept;

// Reads the four tables. An entry's value is OptionValueOf its second field (0 without one).
void LoadDisplayOptions(DisplayOptions& options, const SuiteServices& services);

// Writes "Number" and the entries of each kind, in one rewrite of the settings file. When
// it fails (the file cannot be written, a name cannot be stored) the file stays as it
// was, the write-failure message for the settings file is shown once, and the answer is
// false.
bool SaveDisplayOptions(const DisplayOptions& options, SuiteServices& services);

// A shown column: its entry number (its place in the kind's fixed column order) and name.
struct DisplayColumn {
    int entry = 0;
    std::string name;

    bool operator==(const DisplayColumn&) const = default;
};

// The shown columns of a kind, in table order.
std::vector<DisplayColumn> EnabledColumns(const DisplayOptions& options, LibraryKind kind);

} // namespace k2k
