#pragma once
// The four object kinds and what belongs to each, in one table: Part, Symbol, Package and
// Padstack, in the order of the tabs, the option grids, the result lists, the colour
// counters and every per-kind table. A rule that needs a kind's library list section, its
// library files' pattern, its result row tag, its display-options section, its count text,
// its saved-list name or its tab's caption reads it here, so no kind's facts are written twice.

#include "formats/LibraryFile.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace k2k {

inline constexpr int kObjectKinds = 4;

inline constexpr std::array<LibraryKind, kObjectKinds> kAllKinds = {
    LibraryKind::Part, LibraryKind::Symbol, LibraryKind::Package, LibraryKind::Padstack};

// A numbered text and its English default.
struct NumberedText {
    int id; // 0: the text is fixed, not looked up
    std::string_view text;
};

struct ObjectKindFacts {
    LibraryKind kind;
    std::string_view name;  // "part": the kind as the command line names it
    std::string_view title; // "Part": the kind in captions and listings
    std::string_view
        catalogueSection; // "DEVLIBS": the kind's libraries in the suite's initialisation file
    std::string_view libraryPattern; // "*.PART": the kind's library files
    std::string_view rowTag;         // "PART|3|": a result row's key is the tag and its number
    std::string_view optionsSection; // "Browser Part Options": the kind's display options
    NumberedText foundText;          // " Part(s) found " after a search's count
    NumberedText tabFoundText;       // the same after the count that a tab switch shows
    NumberedText saveListTitle;      // title of the Save List dialog
    std::string_view saveListFile;   // "Partlst.txt": the name Save List proposes
    // The result list's optional columns after "Name", in their fixed order (library first),
    // as English names for headings where no display option names them.
    std::span<const std::string_view> optionalColumns;
    NumberedText tabCaption; // "Part": the kind's tab in the windows that have one per kind
    // How many of the last optional columns show the info text's extra fields (keywords,
    // datasheet, reference), which display options written before them do not name.
    std::size_t extraColumns = 0;
};

namespace kinds_detail {
inline constexpr std::string_view kPartColumns[] = {"Library",
                                                    "Description",
                                                    "Symbols",
                                                    "Package",
                                                    "Package Type",
                                                    "Manufacturer",
                                                    "Technology",
                                                    "Part Type",
                                                    "External Index Code",
                                                    "Simulation Function",
                                                    "Simulation Reference",
                                                    "Simulation References",
                                                    "Keywords",
                                                    "Datasheet",
                                                    "Reference"};
inline constexpr std::string_view kSymbolColumns[] = {
    "Library",  "Description", "Symbol Type", "Simulation Function", "Simulation References",
    "Keywords", "Datasheet",   "Reference"};
inline constexpr std::string_view kPackageColumns[] = {"Library", "Description", "Package Type",
                                                       "JEDEC Name", "Keywords"};
inline constexpr std::string_view kPadstackColumns[] = {"Library", "Padstack Type",
                                                        "Padstack Shape"};
} // namespace kinds_detail

inline constexpr std::array<ObjectKindFacts, kObjectKinds> kObjectKindFacts = {{
    {LibraryKind::Part,
     "part",
     "Part",
     "DEVLIBS",
     "*.PART",
     "PART|3|",
     "Browser Part Options",
     {3323, " Part(s) found "},
     {3323, " Part(s) found "},
     {5019, "Save Part Search List"},
     "Partlst.txt",
     kinds_detail::kPartColumns,
     {99547, "Part"},
     3},
    {LibraryKind::Symbol,
     "symbol",
     "Symbol",
     "SCHLIBS",
     "*.SYMBOL",
     "SYM|3|",
     "Browser Symbol Options",
     {3355, " Symbol(s) found "},
     {3355, " Symbol(s) found "},
     {5020, "Save Symbol Search List"},
     "Symblst.txt",
     kinds_detail::kSymbolColumns,
     {991150, "Symbol"},
     3},
    {LibraryKind::Package,
     "package",
     "Package",
     "LAYLIBS",
     "*.PACKAGE",
     "PKG|3|",
     "Browser Package Options",
     {3340, " Package(s) found "},
     {3340, " Package(s) found "},
     {5021, "Save Package Search List"},
     "Pkglst.txt",
     kinds_detail::kPackageColumns,
     {99816, "Package"},
     1},
    // A padstack search counts with a fixed text; the tab switch looks its text up.
    {LibraryKind::Padstack,
     "padstack",
     "Padstack",
     "PADLIBS",
     "*.PADSTACK",
     "PAD|3|",
     "Browser Padstack Options",
     {0, " Padstack(s) found "},
     {5018, " Padstack(s) found "},
     {5022, "Save Padstack Search List"},
     "Padlst.txt",
     kinds_detail::kPadstackColumns,
     {991448, "Padstack"},
     0},
}};

constexpr const ObjectKindFacts& FactsOf(LibraryKind kind) noexcept {
    return kObjectKindFacts[static_cast<std::size_t>(kind)];
}

} // namespace k2k
