#pragma once
// Info texts of library objects: the fields of a part, symbol, package or padstack joined
// by the byte 0x80. A part's info text starts with its package name and one blank.
// Splitting gives views into the text (no copies), so a search can test millions of
// objects and copy only the ones it keeps; composing is what the library builder writes.

#include "formats/LibraryFile.h"

#include <array>
#include <string>
#include <string_view>

namespace k2k {

// Field n (from 1) of an info text; a field beyond the last separator is empty.
std::string_view InfoField(std::string_view info, int n) noexcept;

inline constexpr int kPartInfoFields = 10;

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
    std::string_view firstSymbol;          // the first item of symbols
};

struct SymbolInfo {
    std::string_view description;          // 1
    std::string_view symbolType;           // 2, a comma-separated list
    std::string_view simulationFunction;   // 3, a comma-separated list
    std::string_view simulationReferences; // 4
};

// Packages and padstacks share the layout: description (padstacks: a text no criterion
// compares), type (a comma-separated list), and the JEDEC name or the padstack shape.
struct PackageInfo {
    std::string_view description; // 1
    std::string_view type;        // 2
    std::string_view lastField;   // 3
};

// Whether every byte of the info text above 0x7F is a field separator: its fields are then
// plain ASCII, the same in Windows-1252 and in UTF-8.
bool FieldsArePlainAscii(std::string_view info) noexcept;

PartInfo SplitPartInfo(std::string_view info) noexcept;
SymbolInfo SplitSymbolInfo(std::string_view info) noexcept;
PackageInfo SplitPackageInfo(std::string_view info) noexcept;

// The package, one blank, then the ten fields in the order of PartInfo.
std::string ComposePartInfo(std::string_view package,
                            const std::array<std::string_view, kPartInfoFields>& fields);
// The fields joined by the separator, in their order (symbols 4, packages and padstacks 3).
std::string ComposeInfo(std::initializer_list<std::string_view> fields);

} // namespace k2k
