#pragma once
// One map of the project database: objects under stable indexes from 1, in the order they
// were added. A deleted object keeps its slot (and its name), so indexes never move and a
// walk can report the slot. Scratch objects live under indexes below 0; they are reached
// only by their index, never by a walk or a name search. A name index makes a search by
// name one hash lookup.

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace k2k {

// Indexes, scratch ones included, stay within this range so that they fit an object
// handle of the kernel.
inline constexpr int kMaxProjectIndex = (1 << 23) - 1;

struct ProjectObject {
    std::string name;
    std::string info;    // parts and symbol-map objects
    std::string drawing; // symbol-map objects
    int flags = 0;       // symbol-map objects: kSymbolFlags, kPackageFlags, kPadstackFlags
    bool deleted = false;
    int part = 0;             // components: the part they use, 0 none
    std::vector<int> symbols; // components: the symbol-map objects they use
};

// An object passes the masks (A, B) when (flags & B) == A; (0, 0) passes everything.
constexpr bool PassesMasks(int flags, int maskA, int maskB) noexcept {
    return (flags & maskB) == maskA;
}

class ObjectMap final {
public:
    // The highest index in use (deleted slots included); scratch objects do not count.
    int Count() const noexcept { return static_cast<int>(m_slots.size()); }

    // The object under index, deleted or not (scratch indexes included); nullptr if none.
    const ProjectObject* Find(int index) const noexcept;
    // The same, but nullptr for a deleted slot.
    const ProjectObject* Live(int index) const noexcept;

    // Room for this many slots and names, so that reading a project does not grow the
    // tables step by step.
    void Reserve(std::size_t count);

    // Adds under the next index and answers it.
    int Append(ProjectObject object);
    // Puts an object under any index in range: below 0 a scratch object (replacing one
    // there), above the count a new slot (the slots between become deleted ones), else it
    // replaces the slot. False when index is 0 or out of range.
    bool Put(int index, ProjectObject object);
    // A positive index becomes a deleted slot; a scratch object is removed. False when
    // there is no live object under index.
    bool Remove(int index);
    bool Rename(int index, const std::string& name);

    // The walk: from cursor (below 1 is the start) to the end, the next object that passes
    // the masks, or the negative index of a deleted slot met on the way; 0 at the end. The
    // cursor moves past the answered slot.
    int SearchMask(int& cursor, int maskA, int maskB) const;
    // The same, limited to the objects named name (exact comparison).
    int SearchName(int& cursor, const std::string& name, int maskA, int maskB) const;
    // The first live object named name that passes the masks, other than except (scratch
    // objects are not looked at); 0 when none.
    int FindLive(const std::string& name, int maskA, int maskB, int except = 0) const;

    const std::vector<ProjectObject>& Slots() const noexcept { return m_slots; }
    const std::map<int, ProjectObject>& Scratch() const noexcept { return m_scratch; }

private:
    // A walk's answer at a slot: its negative index when deleted (the cursor moves past
    // it), its index when it passes the masks, 0 to go on.
    int Visit(int index, int& cursor, int maskA, int maskB) const;
    void IndexName(const std::string& name, int index);
    void UnindexName(const std::string& name, int index);

    int& NextSameName(int index) { return m_nextSameName[static_cast<std::size_t>(index - 1)]; }
    int NextSameName(int index) const {
        return m_nextSameName[static_cast<std::size_t>(index - 1)];
    }

    std::vector<ProjectObject> m_slots; // index i at [i - 1]
    std::map<int, ProjectObject> m_scratch;
    // The objects of one name form a chain in ascending index order: the first is in
    // m_firstByName, each points to the next (0 ends it). Most chains have one link.
    std::unordered_map<std::string, int> m_firstByName;
    std::vector<int> m_nextSameName; // of index i at [i - 1]
};

} // namespace k2k
