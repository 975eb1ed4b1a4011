#pragma once
// Info texts of library objects: the fields of a part, symbol, package or padstack joined
// by the byte 0x80. A part's info text starts with its package name and one blank.
// Splitting gives views into the text (no copies), so a search can test millions of
// objects and copy only the ones it keeps; composing is what the library builder writes.
//
// After the fields every reader of the suite knows (a part's 10, a symbol's 4, a
// package's or padstack's 3) an info text may carry what designers find parts by:
// keywords and footprint filters (comma-separated lists), a datasheet link and a
// reference prefix. A reader that knows only the first fields ignores them, since the last
// field it knows ends at the next separator.

#include "formats/LibraryFile.h"

#include <array>
#include <string>
#include <string_view>

namespace k2k {

// Field n (from 1) of an info text; a field beyond the last separator is empty.
std::string_view InfoField(std::string_view info, int n) noexcept;

inline constexpr int kPartInfoFields = 10;    // the fields every reader knows
inline constexpr int kPartExtraFields = 4;    // keywords, datasheet, reference, filters
inline constexpr int kSymbolExtraFields = 3;  // keywords, datasheet, reference
inline constexpr int kPackageExtraFields = 1; // keywords

struct PartInfo {
    std::string_view package;
    std::string_view description;          // field 1
    std::string_view externalIndexCode;    // 2
    std::string_view simulationRef;        // 3, the KDSpice simulation reference
    std::string_view manufacturer;         // 4
    std::string_view partType;             // 5, a comma-separated list
    std::string_view technology;           // 6
    std::string_view packageType;          // 7
    std::string_view simulationFunction;   // 8, a comma-separated list
    std::string_view simulationReferences; // 9, items "element\model\variant", comma-separated
    std::string_view symbols;              // 10, a comma-separated list
    std::string_view keywords;             // 11, a comma-separated list
    std::string_view datasheet;            // 12, a link (URL or file)
    std::string_view referencePrefix;      // 13, "U", "R", ...
    std::string_view footprintFilters;     // 14, patterns of package names, comma-separated
    std::string_view firstSymbol;          // the first item of symbols
};

struct SymbolInfo {
    std::string_view description;          // 1
    std::string_view symbolType;           // 2, a comma-separated list
    std::string_view simulationFunction;   // 3, a comma-separated list
    std::string_view simulationReferences; // 4
    std::string_view keywords;             // 5, a comma-separated list
    std::string_view datasheet;            // 6
    std::string_view referencePrefix;      // 7
};

// Packages and padstacks share the layout: description (padstacks: a text no criterion
// compares), type (a comma-separated list), and the JEDEC name or the padstack shape.
struct PackageInfo {
    std::string_view description; // 1
    std::string_view type;        // 2
    std::string_view lastField;   // 3
    std::string_view keywords;    // 4, a comma-separated list (packages)
};

// Whether every byte of the info text above 0x7F is a field separator: its fields are then
// plain ASCII, the same in Windows-1252 and in UTF-8.
bool FieldsArePlainAscii(std::string_view info) noexcept;

PartInfo SplitPartInfo(std::string_view info) noexcept;
SymbolInfo SplitSymbolInfo(std::string_view info) noexcept;
PackageInfo SplitPackageInfo(std::string_view info) noexcept;

// The package, one blank, then the ten fields in the order of PartInfo, then the extra
// fields up to the last one that is not empty (none when all are empty).
std::string ComposePartInfo(std::string_view package,
                            const std::array<std::string_view, kPartInfoFields>& fields,
                            const std::array<std::string_view, kPartExtraFields>& extras = {});
// The fields joined by the separator, in their order (symbols 4, packages and padstacks 3),
// then the extra fields up to the last one that is not empty.
std::string ComposeInfo(std::initializer_list<std::string_view> fields,
                        std::initializer_list<std::string_view> extras = {});

} // namespace k2k
