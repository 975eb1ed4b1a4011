#pragma once
// The result lists of the searches, one per object kind, numbered from 1 in the order
// found. A search over a million descriptions may keep hundreds of thousands of them, so
// a list stores each result compactly: its name and info text copied once into an
// append-only text store, its library as an index into the list's library names (kept in
// the same store), its number and status, and the colour of the search that added it.
// The typed records PartResult, SymbolResult and PackageResult are views of one result
// with every field split out; they are made on demand and cost no allocation.
//
// The result views read the lists directly and never copy rows: every text a list hands
// out stays valid until Clear, however many results are appended or removed after it.
// The list owns the views' row order (RowOrder): a view sorts by a column through the
// list, appended results get the last rows, and removals, which take any number of
// results in one pass, keep the order in step.

#include "formats/LibraryFile.h"
#include "search/InfoText.h"
#include "search/RowOrder.h"
#include "system/LargeAllocator.h"
#include "system/MemoryBlock.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

// Status bits of a result.
inline constexpr std::int32_t kInProject = 2;     // the object is in the open project's map
inline constexpr std::int32_t kUsedInProject = 4; // a component of the project uses it

// A result as the views and the searches read it: the object's info record (PartInfo,
// SymbolInfo or PackageInfo: views into its info text) with its number, status, library
// and name.
template <class Info>
struct ObjectResult : Info {
    std::int32_t number = 0;
    std::int32_t status = 0;
    std::string_view library;
    std::string_view name;
};

using PartResult = ObjectResult<PartInfo>;
using SymbolResult = ObjectResult<SymbolInfo>;
using PackageResult = ObjectResult<PackageInfo>; // packages and padstacks

PartResult MakePartResult(std::string_view library, std::string_view name, std::string_view info);
SymbolResult MakeSymbolResult(std::string_view library, std::string_view name,
                              std::string_view info);
PackageResult MakePackageResult(std::string_view library, std::string_view name,
                                std::string_view info);

class ResultList final {
public:
    explicit ResultList(LibraryKind kind) : m_kind(kind) {}
    ResultList(const ResultList&) = delete;
    ResultList& operator=(const ResultList&) = delete;

    LibraryKind Kind() const noexcept { return m_kind; }
    int Count() const noexcept { return static_cast<int>(m_records.size()); }
    bool Empty() const noexcept { return m_records.empty(); }

    // Appends a result (number 0) drawn in colour (an entry of the window's result colour
    // table, 0 to 255) and answers its number.
    int Append(std::string_view library, std::string_view name, std::string_view info,
               std::int32_t status, int colour);
    // The same for texts copied ahead: the list takes over blocks of texts (until Clear),
    // and AppendTaken appends a result whose name and info text, one after the other,
    // lie in one of them.
    void TakeTexts(std::vector<SharedBlock>& blocks);
    int AppendTaken(std::string_view library, const char* text, std::uint32_t nameLength,
                    std::uint32_t infoLength, std::int32_t status, int colour);
    // Removes, in one pass, every result i for which remove(i) answers true; remove sees
    // the list as it was. The others keep their order and are numbered afresh from 1.
    // Answers how many went.
    template <class Predicate>
    int RemoveIf(const Predicate& remove) {
        std::vector<std::uint8_t> keep(m_records.size());
        for (int i = 1; i <= Count(); ++i)
            keep[static_cast<std::size_t>(i - 1)] = !remove(i);
        return Keep(keep);
    }
    // Removes the results of these numbers (any order; a number named twice goes once) and
    // answers how many went. A number that names no result throws std::out_of_range before
    // anything is removed.
    int Remove(const std::vector<int>& numbers);
    // Removes result i (from 1); the later ones move up one place.
    void Remove(int i) { Remove(std::vector<int>{i}); }
    void Clear();

    // Result i, from 1.
    std::string_view Name(int i) const;
    std::string_view Info(int i) const;
    std::string_view Library(int i) const;
    std::int32_t Status(int i) const { return At(i).status; }
    std::int32_t Number(int i) const { return At(i).number; }
    // The colour table entry of the search that added result i.
    int Colour(int i) const { return At(i).colour; }

    PartResult Part(int i) const;
    SymbolResult Symbol(int i) const;
    PackageResult Package(int i) const; // packages and padstacks

    // The rows of the views: row r shows result Rows().Result(r).
    const RowOrder& Rows() const noexcept { return m_rows; }
    // A text column of the views: the text of result i in that column.
    using ColumnText = std::function<std::string_view(const ResultList&, int)>;
    // Sorts the rows by a column (the column is read once per result). Texts compare as
    // plain text, byte after byte, with no change of case and no numbers read, as a
    // result view sorts a clicked column; rows with equal texts keep their order.
    void SortRows(const ColumnText& column, bool ascending);
    void SortRowsByName(bool ascending);
    void UnsortRows() noexcept { m_rows.Unsort(); }

private:
    struct Record {
        const char* text; // name, then info, in the text store
        std::uint32_t nameLength;
        std::uint32_t infoLength;
        std::uint32_t library; // index into m_libraries
        std::int32_t number;
        std::int32_t status;
        std::uint8_t colour;
    };
    static_assert(sizeof(Record) <= 32, "a million results: keep a record in 32 bytes");

    const Record& At(int i) const { return m_records.at(static_cast<std::size_t>(i - 1)); }
    std::uint32_t LibraryIndex(std::string_view library);
    const char* Store(std::string_view name, std::string_view info);
    // Keeps the results whose flag is set; answers how many went.
    int Keep(const std::vector<std::uint8_t>& keep);

    LibraryKind m_kind;
    std::vector<Record, LargeAllocator<Record>> m_records;
    std::vector<std::string_view> m_libraries; // texts in the text store
    RowOrder m_rows;
    // The text store: blocks that never move, so records point into them. Blocks double in
    // size, so a few results take little and many take few blocks.
    std::vector<MemoryBlock> m_blocks;
    std::size_t m_blockUsed = 0;
    std::vector<SharedBlock> m_taken; // blocks of texts copied ahead
};

} // namespace k2k
