#pragma once
// One map of the project database: objects under stable indexes from 1, in the order they
// were added. A deleted object keeps its slot (and its name), so indexes never move and a
// walk can report the slot. Scratch objects live under indexes below 0; they are reached
// only by their index, never by a walk or a name search. A name index makes a search by
// name one hash lookup.
//
// A map may hold a million objects, so each costs little beyond its texts: a slot of a
// few numbers, the texts in the map's text store (system/TextStore.h), and one entry
// in an open-addressing table of the lowest index of each name.

#include "system/LargeAllocator.h"
#include "system/TextStore.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace k2k {

// Indexes, scratch ones included, stay within this range so that they fit an object
// handle of the kernel.
inline constexpr int kMaxProjectIndex = (1 << 23) - 1;

// The flags of the symbol map's objects, which tell its kinds apart.
inline constexpr int kSymbolFlags = 1;
inline constexpr int kPackageFlags = 2;
inline constexpr int kPadstackFlags = 6;

// One object, as a view. A map copies the texts and symbols of the object it is given,
// and hands out views of its own copies: they stay valid until the map changes, and each
// text is followed by a NUL byte, so its data() serves as a C string.
struct ProjectObject {
    std::string_view name;
    std::string_view info;    // parts and symbol-map objects
    std::string_view drawing; // symbol-map objects
    int flags = 0;            // symbol-map objects: kSymbolFlags, kPackageFlags, kPadstackFlags
    bool deleted = false;
    int part = 0;                 // components: the part they use, 0 none
    std::span<const int> symbols; // components: the symbol-map objects they use
};

// An object passes the masks (A, B) when (flags & B) == A; (0, 0) passes everything.
constexpr bool PassesMasks(int flags, int maskA, int maskB) noexcept {
    return (flags & maskB) == maskA;
}

class ObjectMap final {
public:
    ObjectMap() = default;
    ObjectMap(ObjectMap&&) noexcept = default;
    ObjectMap& operator=(ObjectMap&&) noexcept = default;
    ObjectMap(const ObjectMap&) = delete;
    ObjectMap& operator=(const ObjectMap&) = delete;

    // The highest index in use (deleted slots included); scratch objects do not count.
    int Count() const noexcept { return static_cast<int>(m_slots.size()); }

    // The object under index, deleted or not (scratch indexes included); none if none.
    std::optional<ProjectObject> Find(int index) const noexcept;
    // The same, but none for a deleted slot.
    std::optional<ProjectObject> Live(int index) const noexcept;

    // Room for this many slots, so that reading a project does not grow the table step by
    // step. Room not filled costs address space only.
    void Reserve(std::size_t count);

    // Adds under the next index and answers it.
    int Append(const ProjectObject& object);
    // Puts an object under any index in range: below 0 a scratch object (replacing one
    // there), above the count a new slot (the slots between become deleted ones), else it
    // replaces the slot. False when index is 0 or out of range.
    bool Put(int index, const ProjectObject& object);
    // A positive index becomes a deleted slot; a scratch object is removed. False when
    // there is no live object under index.
    bool Remove(int index);
    bool Rename(int index, std::string_view name);

    // Filling a new map from rows in ascending index order, as a file gives them. Take
    // keeps each row where it comes, so that the rows and their highest index are known
    // before any memory goes to the indexes between them; Spread then moves every row to
    // its index (the ones between become deleted slots) and indexes the names. Take
    // answers false, keeping nothing, when the index is out of range or not above the last
    // one. Until Spread the map is only counted, never read.
    bool Take(int index, const ProjectObject& object);
    int TakenRows() const noexcept { return static_cast<int>(m_slots.size()); }
    int TakenHighest() const noexcept { return m_takenHighest; }
    void Spread();

    // The walk: from cursor (below 1 is the start) to the end, the next object that passes
    // the masks, or the negative index of a deleted slot met on the way; 0 at the end. The
    // cursor moves past the answered slot.
    int SearchMask(int& cursor, int maskA, int maskB) const;
    // The same, limited to the objects named name (exact comparison).
    int SearchName(int& cursor, std::string_view name, int maskA, int maskB) const;
    // The first live object named name that passes the masks, other than except (scratch
    // objects are not looked at); 0 when none.
    int FindLive(std::string_view name, int maskA, int maskB, int except = 0) const;

    // The scratch objects' indexes, ascending.
    std::vector<int> ScratchIndexes() const;

private:
    // What a slot holds besides its texts, which lie in m_texts one after another (name,
    // info, drawing, each followed by a NUL); text is nullptr when all three are empty.
    struct Slot {
        const char* text = nullptr;
        std::uint32_t nameSize = 0;
        std::uint32_t infoSize = 0;
        std::uint32_t drawingSize = 0;
        std::int32_t flags = 0;
        std::int32_t part = 0;
        std::uint32_t symbolsAt = 0; // in m_symbolLists
        std::uint32_t symbolsSize = 0;
        bool deleted = false;
    };
    struct ScratchObject {
        std::string name;
        std::string info;
        std::string drawing;
        int flags = 0;
        int part = 0;
        std::vector<int> symbols;
    };
    // An entry of the name table: the lowest index of a name and the hash of the name;
    // first 0 is a free entry.
    struct NameEntry {
        std::uint32_t hash = 0;
        int first = 0;
    };

    Slot MakeSlot(const ProjectObject& object);
    ProjectObject ViewOf(const Slot& slot) const noexcept;
    std::string_view NameOf(int index) const noexcept;

    // A walk's answer at a slot: its negative index when deleted (the cursor moves past
    // it), its index when it passes the masks, 0 to go on.
    int Visit(int index, int& cursor, int maskA, int maskB) const;

    // The name table: linear probing over a power-of-two table at most half full.
    std::size_t NameEntryOf(std::string_view name, std::uint32_t hash) const noexcept;
    int FirstNamed(std::string_view name) const noexcept;
    void MakeRoomForNames(std::size_t names);
    void EraseNameEntry(std::size_t at) noexcept;
    void IndexName(int index);
    void UnindexName(int index);
    void IndexAllNames();

    int& NextSameName(int index) { return m_nextSameName[static_cast<std::size_t>(index - 1)]; }
    int NextSameName(int index) const {
        return m_nextSameName[static_cast<std::size_t>(index - 1)];
    }

    std::vector<Slot, LargeAllocator<Slot>> m_slots; // index i at [i - 1]
    TextStore m_texts;
    std::vector<int> m_symbolLists;
    std::map<int, ScratchObject> m_scratch;
    // The objects of one name form a chain in ascending index order: the first is in the
    // name table, each points to the next (0 ends it). Most chains have one link.
    std::vector<NameEntry, LargeAllocator<NameEntry>> m_nameTable;
    std::size_t m_namesUsed = 0;
    std::vector<int, LargeAllocator<int>> m_nextSameName; // of index i at [i - 1]
    // While taking rows: where the rows stop following on from each other, as (row
    // position, index) pairs, and the last index taken.
    std::vector<std::pair<int, int>> m_takenJumps;
    int m_takenHighest = 0;
};

} // namespace k2k
