#include "browser/OptionGridRows.h"

#include "search/LibraryCatalogue.h"
#include "search/SearchEngine.h"

#include <algorithm>
#include <array>

namespace k2k {

namespace {

using C = SearchCriterion;

// How a criterion's row looks in any grid: its caption and its value cell. History boxes
// are numbered in the order of the rows.
struct RowLook {
    const char* captionId;
    const char* caption;
    GridCell cell;
};

constexpr std::array<RowLook, kSearchCriteria> kLooks = {{
    {"4818", "Name", GridCell::HistoryBox},
    {"99825", "Library", GridCell::LibraryList},
    {"99542", "Description", GridCell::HistoryBox},
    {"991150", "Symbol", GridCell::HistoryBox},
    {"10190", "Package", GridCell::HistoryBox},
    {"3976", "Package Type", GridCell::PickButton},
    {"5011", "Manufacturer", GridCell::PickButton},
    {"4377", "Technology", GridCell::PickButton},
    {"34366", "Type", GridCell::PickButton},
    {"5012", "Externel Index Code", GridCell::HistoryBox},
    {"5013", "Simulation Function", GridCell::PickButton},
    {"5014", "KDSpice Simulation Ref", GridCell::HistoryBox},
    {"5015", "KDSpice ElementCode", GridCell::PickButton},
    {"5016", "KDSpice Model Code / SubCircuit", GridCell::PickButton},
    {"5017", "KDSpice Variant", GridCell::PickButton},
    {"4946", "JEDEC Name", GridCell::HistoryBox},
    {"991207", "Shape", GridCell::PickButton},
    {"992200", "Keywords", GridCell::HistoryBox}, // this system's own text, as the suite has none
}};

// The captions that differ by kind: packages and padstacks have a type of their own, and
// the padstack grid's library caption another text id.
RowLook LookOf(LibraryKind kind, SearchCriterion criterion) {
    RowLook look = kLooks[static_cast<std::size_t>(criterion)];
    if (criterion == C::Type && (kind == LibraryKind::Package || kind == LibraryKind::Padstack))
        look.captionId = "16305";
    if (criterion == C::Library && kind == LibraryKind::Padstack)
        look.captionId = "3961";
    return look;
}

std::vector<OptionGridRow> MakeRows(LibraryKind kind) {
    std::vector<OptionGridRow> rows;
    int boxes = 0;
    for (const SearchCriterion criterion : CriteriaOf(kind)) {
        const RowLook look = LookOf(kind, criterion);
        const bool box = look.cell == GridCell::HistoryBox;
        rows.push_back({static_cast<int>(rows.size()) + 1, criterion, look.captionId, look.caption,
                        look.cell, box ? ++boxes : 0});
    }
    return rows;
}

} // namespace

std::span<const OptionGridRow> OptionGridRows(LibraryKind kind) noexcept {
    static const std::array<std::vector<OptionGridRow>, 4> rows{
        MakeRows(LibraryKind::Part), MakeRows(LibraryKind::Symbol), MakeRows(LibraryKind::Package),
        MakeRows(LibraryKind::Padstack)};
    return rows[static_cast<std::size_t>(kind)];
}

int OptionGridRowCount(LibraryKind kind) noexcept {
    return static_cast<int>(OptionGridRows(kind).size()) + 1;
}

int HistoryBoxCount(LibraryKind kind) noexcept {
    const auto rows = OptionGridRows(kind);
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const OptionGridRow& row) {
        return row.cell == GridCell::HistoryBox;
    }));
}

std::vector<std::string> FreshGridValues(LibraryKind kind) {
    std::vector<std::string> values(OptionGridRows(kind).size());
    values[static_cast<std::size_t>(CriterionRow(kind, SearchCriterion::Library) - 1)] =
        kAllLibraries;
    return values;
}

bool SetGridValue(std::vector<std::string>& values, LibraryKind kind, SearchCriterion criterion,
                  std::string value) {
    const int row = CriterionRow(kind, criterion);
    if (row == 0)
        return false;
    if (values.size() < static_cast<std::size_t>(row))
        values.resize(static_cast<std::size_t>(row));
    values[static_cast<std::size_t>(row - 1)] = std::move(value);
    return true;
}

std::vector<std::string> LibraryListEntries(const LibraryCatalogue& catalogue, LibraryKind kind) {
    std::vector<std::string> entries{kAllLibraries, kProjectLibrary};
    const auto& libraries = catalogue.Entries(kind);
    entries.insert(entries.end(), libraries.begin(), libraries.end());
    return entries;
}

const char* RowCaptionId(std::string_view caption) noexcept {
    for (const RowLook& look : kLooks)
        if (caption == look.caption)
            return look.captionId;
    return nullptr;
}

} // namespace k2k
