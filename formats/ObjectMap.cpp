#include "formats/ObjectMap.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace k2k {

namespace {

std::uint32_t NameHash(std::string_view name) noexcept {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(name));
}

bool InRange(int index) noexcept {
    return index != 0 && index <= kMaxProjectIndex && index >= -kMaxProjectIndex;
}

} // namespace

ObjectMap::Slot ObjectMap::MakeSlot(const ProjectObject& object) {
    Slot slot;
    if (!object.name.empty() || !object.info.empty() || !object.drawing.empty())
        slot.text = m_texts.Add({object.name, object.info, object.drawing});
    slot.nameSize = static_cast<std::uint32_t>(object.name.size());
    slot.infoSize = static_cast<std::uint32_t>(object.info.size());
    slot.drawingSize = static_cast<std::uint32_t>(object.drawing.size());
    slot.flags = object.flags;
    slot.part = object.part;
    slot.deleted = object.deleted;
    if (!object.symbols.empty()) {
        slot.symbolsAt = static_cast<std::uint32_t>(m_symbolLists.size());
        slot.symbolsSize = static_cast<std::uint32_t>(object.symbols.size());
        const int* const own = m_symbolLists.data();
        const std::less<const int*> before;
        if (!before(object.symbols.data(), own) &&
            before(object.symbols.data(), own + m_symbolLists.size())) {
            // One of this map's own lists, which growing the lists would move.
            const std::vector<int> copy(object.symbols.begin(), object.symbols.end());
            m_symbolLists.insert(m_symbolLists.end(), copy.begin(), copy.end());
        } else {
            m_symbolLists.insert(m_symbolLists.end(), object.symbols.begin(), object.symbols.end());
        }
    }
    return slot;
}

ProjectObject ObjectMap::ViewOf(const Slot& slot) const noexcept {
    static constexpr char kEmpty[] = "";
    ProjectObject object;
    object.name = object.info = object.drawing = {kEmpty, 0};
    if (slot.text) {
        object.name = {slot.text, slot.nameSize};
        object.info = {slot.text + slot.nameSize + 1, slot.infoSize};
        object.drawing = {slot.text + slot.nameSize + slot.infoSize + 2, slot.drawingSize};
    }
    object.flags = slot.flags;
    object.deleted = slot.deleted;
    object.part = slot.part;
    if (slot.symbolsSize != 0)
        object.symbols = {m_symbolLists.data() + slot.symbolsAt, slot.symbolsSize};
    return object;
}

std::string_view ObjectMap::NameOf(int index) const noexcept {
    const Slot& slot = m_slots[static_cast<std::size_t>(index - 1)];
    return slot.text ? std::string_view(slot.text, slot.nameSize) : std::string_view();
}

std::optional<ProjectObject> ObjectMap::Find(int index) const noexcept {
    if (index > 0) {
        if (index > Count())
            return std::nullopt;
        return ViewOf(m_slots[static_cast<std::size_t>(index - 1)]);
    }
    const auto found = index < 0 ? m_scratch.find(index) : m_scratch.end();
    if (found == m_scratch.end())
        return std::nullopt;
    const ScratchObject& scratch = found->second;
    ProjectObject object;
    object.name = scratch.name;
    object.info = scratch.info;
    object.drawing = scratch.drawing;
    object.flags = scratch.flags;
    object.part = scratch.part;
    object.symbols = scratch.symbols;
    return object;
}

std::optional<ProjectObject> ObjectMap::Live(int index) const noexcept {
    if (index > 0 && index <= Count() && m_slots[static_cast<std::size_t>(index - 1)].deleted)
        return std::nullopt;
    return Find(index);
}

void ObjectMap::Reserve(std::size_t count) {
    m_slots.reserve(count);
    m_nextSameName.reserve(count);
}

int ObjectMap::Append(const ProjectObject& object) {
    const int index = Count() + 1;
    Put(index, object);
    return index;
}

bool ObjectMap::Put(int index, const ProjectObject& object) {
    if (!InRange(index))
        return false;
    if (index < 0) {
        m_scratch[index] = {std::string(object.name),
                            std::string(object.info),
                            std::string(object.drawing),
                            object.flags,
                            object.part,
                            {object.symbols.begin(), object.symbols.end()}};
        return true;
    }
    if (index <= Count()) {
        UnindexName(index);
        m_slots[static_cast<std::size_t>(index - 1)] = MakeSlot(object);
        IndexName(index);
        return true;
    }
    // Slots that were never filled count as deleted ones.
    Slot gap;
    gap.deleted = true;
    m_slots.resize(static_cast<std::size_t>(index - 1), gap);
    m_slots.push_back(MakeSlot(object));
    m_nextSameName.resize(m_slots.size(), 0);
    IndexName(index);
    return true;
}

bool ObjectMap::Remove(int index) {
    if (!Live(index))
        return false;
    if (index < 0)
        m_scratch.erase(index);
    else
        m_slots[static_cast<std::size_t>(index - 1)].deleted = true;
    return true;
}

bool ObjectMap::Rename(int index, std::string_view name) {
    const std::optional<ProjectObject> object = Live(index);
    if (!object)
        return false;
    if (index < 0) {
        m_scratch[index].name = name;
        return true;
    }
    UnindexName(index);
    Slot& slot = m_slots[static_cast<std::size_t>(index - 1)];
    // The old texts stay in the store; renames are few.
    slot.text = m_texts.Add({name, object->info, object->drawing});
    slot.nameSize = static_cast<std::uint32_t>(name.size());
    IndexName(index);
    return true;
}

bool ObjectMap::Take(int index, const ProjectObject& object) {
    if (index < 1 || index > kMaxProjectIndex || index <= m_takenHighest)
        return false;
    const int rows = TakenRows();
    if (index != m_takenHighest + 1)
        m_takenJumps.emplace_back(rows, index);
    m_slots.push_back(MakeSlot(object));
    m_takenHighest = index;
    return true;
}

void ObjectMap::Spread() {
    const std::size_t rows = m_slots.size();
    const std::size_t highest = static_cast<std::size_t>(m_takenHighest);
    if (highest > rows) {
        Slot gap;
        gap.deleted = true;
        m_slots.resize(highest, gap);
        // From the last run of rows that follow on from each other to the first, each run
        // moves up to its index and the room it leaves below becomes deleted slots.
        std::size_t runEnd = rows;
        for (auto jump = m_takenJumps.rbegin(); jump != m_takenJumps.rend(); ++jump) {
            const std::size_t runStart = static_cast<std::size_t>(jump->first);
            const std::size_t target = static_cast<std::size_t>(jump->second - 1);
            std::move_backward(m_slots.begin() + static_cast<std::ptrdiff_t>(runStart),
                               m_slots.begin() + static_cast<std::ptrdiff_t>(runEnd),
                               m_slots.begin() +
                                   static_cast<std::ptrdiff_t>(target + runEnd - runStart));
            const std::size_t below =
                jump + 1 != m_takenJumps.rend()
                    ? static_cast<std::size_t>((jump + 1)->second - 1) +
                          (runStart - static_cast<std::size_t>((jump + 1)->first))
                    : runStart;
            std::fill(m_slots.begin() + static_cast<std::ptrdiff_t>(below),
                      m_slots.begin() + static_cast<std::ptrdiff_t>(target), gap);
            runEnd = runStart;
        }
    }
    m_takenJumps = {};
    m_takenHighest = 0;
    m_nextSameName.assign(m_slots.size(), 0);
    IndexAllNames();
}

int ObjectMap::Visit(int index, int& cursor, int maskA, int maskB) const {
    const Slot& slot = m_slots[static_cast<std::size_t>(index - 1)];
    if (slot.deleted) {
        cursor = index + 1;
        return -index;
    }
    if (PassesMasks(slot.flags, maskA, maskB)) {
        cursor = index + 1;
        return index;
    }
    return 0;
}

int ObjectMap::SearchMask(int& cursor, int maskA, int maskB) const {
    for (int index = std::max(cursor, 1); index <= Count(); ++index)
        if (const int answer = Visit(index, cursor, maskA, maskB))
            return answer;
    cursor = Count() + 1;
    return 0;
}

int ObjectMap::SearchName(int& cursor, std::string_view name, int maskA, int maskB) const {
    for (int index = FirstNamed(name); index != 0; index = NextSameName(index)) {
        if (index < cursor)
            continue;
        if (const int answer = Visit(index, cursor, maskA, maskB))
            return answer;
    }
    cursor = Count() + 1;
    return 0;
}

int ObjectMap::FindLive(std::string_view name, int maskA, int maskB, int except) const {
    for (int index = FirstNamed(name); index != 0; index = NextSameName(index)) {
        const Slot& slot = m_slots[static_cast<std::size_t>(index - 1)];
        if (index != except && !slot.deleted && PassesMasks(slot.flags, maskA, maskB))
            return index;
    }
    return 0;
}

std::vector<int> ObjectMap::ScratchIndexes() const {
    std::vector<int> indexes;
    indexes.reserve(m_scratch.size());
    for (const auto& [index, object] : m_scratch)
        indexes.push_back(index);
    return indexes;
}

std::size_t ObjectMap::NameEntryOf(std::string_view name, std::uint32_t hash) const noexcept {
    const std::size_t mask = m_nameTable.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const NameEntry& entry = m_nameTable[at];
        if (entry.first == 0 || (entry.hash == hash && NameOf(entry.first) == name))
            return at;
    }
}

int ObjectMap::FirstNamed(std::string_view name) const noexcept {
    if (m_namesUsed == 0)
        return 0;
    return m_nameTable[NameEntryOf(name, NameHash(name))].first;
}

void ObjectMap::MakeRoomForNames(std::size_t names) {
    if (names * 2 <= m_nameTable.size())
        return;
    std::vector<NameEntry, LargeAllocator<NameEntry>> old;
    old.swap(m_nameTable);
    m_nameTable.assign(std::bit_ceil(std::max<std::size_t>(names * 2, 8)), NameEntry{});
    const std::size_t mask = m_nameTable.size() - 1;
    for (const NameEntry& entry : old) {
        if (entry.first == 0)
            continue;
        std::size_t at = entry.hash & mask;
        while (m_nameTable[at].first != 0)
            at = (at + 1) & mask;
        m_nameTable[at] = entry;
    }
}

void ObjectMap::EraseNameEntry(std::size_t at) noexcept {
    // Moves back the entries after it that would otherwise no longer be found.
    const std::size_t mask = m_nameTable.size() - 1;
    std::size_t hole = at;
    for (std::size_t next = (hole + 1) & mask; m_nameTable[next].first != 0;
         next = (next + 1) & mask) {
        const std::size_t home = m_nameTable[next].hash & mask;
        // The entry may fill the hole when its home does not lie after the hole.
        if (((next - home) & mask) >= ((next - hole) & mask)) {
            m_nameTable[hole] = m_nameTable[next];
            hole = next;
        }
    }
    m_nameTable[hole] = NameEntry{};
    --m_namesUsed;
}

void ObjectMap::IndexName(int index) {
    const std::string_view name = NameOf(index);
    if (name.empty())
        return;
    MakeRoomForNames(m_namesUsed + 1);
    const std::uint32_t hash = NameHash(name);
    NameEntry& entry = m_nameTable[NameEntryOf(name, hash)];
    if (entry.first == 0) {
        entry = {hash, index};
        ++m_namesUsed;
        return;
    }
    if (index < entry.first) {
        NextSameName(index) = entry.first;
        entry.first = index;
        return;
    }
    int before = entry.first;
    while (NextSameName(before) != 0 && NextSameName(before) < index)
        before = NextSameName(before);
    NextSameName(index) = NextSameName(before);
    NextSameName(before) = index;
}

void ObjectMap::UnindexName(int index) {
    const std::string_view name = NameOf(index);
    if (name.empty() || m_namesUsed == 0)
        return;
    const std::size_t at = NameEntryOf(name, NameHash(name));
    NameEntry& entry = m_nameTable[at];
    if (entry.first == 0)
        return;
    if (entry.first == index) {
        if (NextSameName(index) != 0)
            entry.first = NextSameName(index);
        else
            EraseNameEntry(at);
    } else {
        int before = entry.first;
        while (NextSameName(before) != 0 && NextSameName(before) != index)
            before = NextSameName(before);
        if (NextSameName(before) == index)
            NextSameName(before) = NextSameName(index);
    }
    NextSameName(index) = 0;
}

void ObjectMap::IndexAllNames() {
    m_nameTable = {};
    m_namesUsed = 0;
    std::size_t named = 0;
    for (const Slot& slot : m_slots)
        named += slot.nameSize != 0 ? 1 : 0;
    MakeRoomForNames(named);
    // From the last index to the first, each goes to the front of its name's chain.
    for (int index = Count(); index >= 1; --index) {
        const std::string_view name = NameOf(index);
        if (name.empty())
            continue;
        const std::uint32_t hash = NameHash(name);
        NameEntry& entry = m_nameTable[NameEntryOf(name, hash)];
        if (entry.first == 0)
            ++m_namesUsed;
        else
            NextSameName(index) = entry.first;
        entry = {hash, index};
    }
}

} // namespace k2k
