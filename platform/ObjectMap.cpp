#include "platform/ObjectMap.h"

#include <algorithm>

namespace k2k {

const ProjectObject* ObjectMap::Find(int index) const noexcept {
    if (index > 0)
        return index <= Count() ? &m_slots[static_cast<std::size_t>(index - 1)] : nullptr;
    if (index < 0) {
        const auto found = m_scratch.find(index);
        return found != m_scratch.end() ? &found->second : nullptr;
    }
    return nullptr;
}

const ProjectObject* ObjectMap::Live(int index) const noexcept {
    const ProjectObject* object = Find(index);
    return object && !object->deleted ? object : nullptr;
}

void ObjectMap::Reserve(std::size_t count) {
    m_slots.reserve(count);
    m_nextSameName.reserve(count);
    m_firstByName.reserve(count);
}

int ObjectMap::Append(ProjectObject object) {
    const int index = Count() + 1;
    Put(index, std::move(object));
    return index;
}

bool ObjectMap::Put(int index, ProjectObject object) {
    if (index == 0 || index > kMaxProjectIndex || index < -kMaxProjectIndex)
        return false;
    if (index < 0) {
        m_scratch[index] = std::move(object);
        return true;
    }
    if (index <= Count()) {
        ProjectObject& slot = m_slots[static_cast<std::size_t>(index - 1)];
        UnindexName(slot.name, index);
        slot = std::move(object);
        IndexName(slot.name, index);
        return true;
    }
    // Slots that were never filled count as deleted ones.
    while (Count() < index - 1) {
        m_slots.emplace_back();
        m_slots.back().deleted = true;
        m_nextSameName.push_back(0);
    }
    m_slots.push_back(std::move(object));
    m_nextSameName.push_back(0);
    IndexName(m_slots.back().name, index);
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

bool ObjectMap::Rename(int index, const std::string& name) {
    if (!Live(index))
        return false;
    if (index < 0) {
        m_scratch[index].name = name;
        return true;
    }
    ProjectObject& slot = m_slots[static_cast<std::size_t>(index - 1)];
    UnindexName(slot.name, index);
    slot.name = name;
    IndexName(slot.name, index);
    return true;
}

int ObjectMap::Visit(int index, int& cursor, int maskA, int maskB) const {
    const ProjectObject& slot = m_slots[static_cast<std::size_t>(index - 1)];
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

int ObjectMap::SearchName(int& cursor, const std::string& name, int maskA, int maskB) const {
    const auto found = m_firstByName.find(name);
    for (int index = found != m_firstByName.end() ? found->second : 0; index != 0;
         index = NextSameName(index)) {
        if (index < cursor)
            continue;
        if (const int answer = Visit(index, cursor, maskA, maskB))
            return answer;
    }
    cursor = Count() + 1;
    return 0;
}

int ObjectMap::FindLive(const std::string& name, int maskA, int maskB, int except) const {
    const auto found = m_firstByName.find(name);
    for (int index = found != m_firstByName.end() ? found->second : 0; index != 0;
         index = NextSameName(index)) {
        const ProjectObject& slot = m_slots[static_cast<std::size_t>(index - 1)];
        if (index != except && !slot.deleted && PassesMasks(slot.flags, maskA, maskB))
            return index;
    }
    return 0;
}

void ObjectMap::IndexName(const std::string& name, int index) {
    if (name.empty())
        return;
    const auto [first, added] = m_firstByName.try_emplace(name, index);
    if (added)
        return;
    if (index < first->second) {
        NextSameName(index) = first->second;
        first->second = index;
        return;
    }
    int before = first->second;
    while (NextSameName(before) != 0 && NextSameName(before) < index)
        before = NextSameName(before);
    NextSameName(index) = NextSameName(before);
    NextSameName(before) = index;
}

void ObjectMap::UnindexName(const std::string& name, int index) {
    const auto first = m_firstByName.find(name);
    if (first == m_firstByName.end())
        return;
    if (first->second == index) {
        if (NextSameName(index) != 0)
            first->second = NextSameName(index);
        else
            m_firstByName.erase(first);
    } else {
        int before = first->second;
        while (NextSameName(before) != 0 && NextSameName(before) != index)
            before = NextSameName(before);
        if (NextSameName(before) == index)
            NextSameName(before) = NextSameName(index);
    }
    NextSameName(index) = 0;
}

} // namespace k2k
