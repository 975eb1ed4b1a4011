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
    }
    m_slots.push_back(std::move(object));
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

int ObjectMap::SearchMask(int& cursor, int maskA, int maskB) const {
    for (int index = std::max(cursor, 1); index <= Count(); ++index) {
        const ProjectObject& slot = m_slots[static_cast<std::size_t>(index - 1)];
        if (slot.deleted) {
            cursor = index + 1;
            return -index;
        }
        if (PassesMasks(slot.flags, maskA, maskB)) {
            cursor = index + 1;
            return index;
        }
    }
    cursor = Count() + 1;
    return 0;
}

int ObjectMap::SearchName(int& cursor, const std::string& name, int maskA, int maskB) const {
    const auto found = m_byName.find(name);
    if (found != m_byName.end()) {
        const std::vector<int>& indexes = found->second;
        for (auto at = std::lower_bound(indexes.begin(), indexes.end(), std::max(cursor, 1));
             at != indexes.end(); ++at) {
            const ProjectObject& slot = m_slots[static_cast<std::size_t>(*at - 1)];
            if (slot.deleted) {
                cursor = *at + 1;
                return -*at;
            }
            if (PassesMasks(slot.flags, maskA, maskB)) {
                cursor = *at + 1;
                return *at;
            }
        }
    }
    cursor = Count() + 1;
    return 0;
}

int ObjectMap::FindLive(const std::string& name, int maskA, int maskB, int except) const {
    const auto found = m_byName.find(name);
    if (found == m_byName.end())
        return 0;
    for (int index : found->second) {
        const ProjectObject& slot = m_slots[static_cast<std::size_t>(index - 1)];
        if (index != except && !slot.deleted && PassesMasks(slot.flags, maskA, maskB))
            return index;
    }
    return 0;
}

void ObjectMap::IndexName(const std::string& name, int index) {
    if (name.empty())
        return;
    std::vector<int>& indexes = m_byName[name];
    indexes.insert(std::upper_bound(indexes.begin(), indexes.end(), index), index);
}

void ObjectMap::UnindexName(const std::string& name, int index) {
    const auto found = m_byName.find(name);
    if (found == m_byName.end())
        return;
    std::vector<int>& indexes = found->second;
    indexes.erase(std::remove(indexes.begin(), indexes.end(), index), indexes.end());
    if (indexes.empty())
        m_byName.erase(found);
}

} // namespace k2k
