#include "search/SearchSequence.h"

#include "search/LibraryCatalogue.h"
#include "system/Text.h"

#include <set>
#include <unordered_map>
#include <utility>

namespace k2k {

namespace {

std::string MatchKey(std::string_view text) {
    return UpperCase(Trim(text));
}

} // namespace

void SearchSequence::Fill(const LibraryCatalogue& catalogue, const std::string& libraryDir) {
    for (LibraryKind kind : kAllKinds) {
        auto& list = m_lists[Index(kind)];
        list.clear();
        for (std::string& name : ListLibraryFiles(libraryDir, kind))
            list.push_back({std::move(name), false});
        // Each catalogue entry found takes the next place at the top, by exchange with the
        // first file of its name below the places taken, so an entry the catalogue names
        // twice is placed once. The files below those places are indexed by name.
        std::vector<std::string> keys;
        keys.reserve(list.size());
        std::unordered_map<std::string, std::set<std::size_t>> places;
        for (std::size_t i = 0; i < list.size(); ++i)
            places[keys.emplace_back(MatchKey(list[i].text))].insert(i);
        std::size_t next = 0;
        for (const std::string& entry : catalogue.Entries(kind)) {
            const auto found = places.find(MatchKey(entry));
            if (found == places.end() || found->second.empty())
                continue;
            const std::size_t i = *found->second.begin();
            found->second.erase(found->second.begin());
            if (i != next) {
                // The file at the next place moves down to where the entry's file was.
                std::set<std::size_t>& moved = places[keys[next]];
                moved.erase(next);
                moved.insert(i);
                std::swap(list[next], list[i]);
                std::swap(keys[next], keys[i]);
            }
            list[next] = {entry, true};
            ++next;
        }
        m_current[Index(kind)] = list.empty() ? -1 : 0;
    }
}

const std::vector<SearchSequenceEntry>& SearchSequence::Entries(LibraryKind kind) const noexcept {
    return m_lists[Index(kind)];
}

int SearchSequence::Current(LibraryKind kind) const noexcept {
    return m_current[Index(kind)];
}

void SearchSequence::SetCurrent(LibraryKind kind, int index) {
    if (index >= 0 && index < static_cast<int>(m_lists[Index(kind)].size()))
        m_current[Index(kind)] = index;
}

bool SearchSequence::CanMoveUp(LibraryKind kind) const noexcept {
    return Current(kind) > 0;
}

bool SearchSequence::CanMoveDown(LibraryKind kind) const noexcept {
    const int current = Current(kind);
    return current >= 0 && current + 1 < static_cast<int>(m_lists[Index(kind)].size());
}

void SearchSequence::MoveUp(LibraryKind kind) {
    if (CanMoveUp(kind))
        Move(kind, -1);
}

void SearchSequence::MoveDown(LibraryKind kind) {
    if (CanMoveDown(kind))
        Move(kind, 1);
}

void SearchSequence::Move(LibraryKind kind, int step) {
    auto& list = m_lists[Index(kind)];
    int& current = m_current[Index(kind)];
    std::swap(list[static_cast<std::size_t>(current)],
              list[static_cast<std::size_t>(current + step)]);
    current += step;
}

void SearchSequence::SetSelected(LibraryKind kind, int index, bool selected) {
    auto& list = m_lists[Index(kind)];
    if (index >= 0 && index < static_cast<int>(list.size()))
        list[static_cast<std::size_t>(index)].selected = selected;
}

void SearchSequence::SelectAll(LibraryKind kind, bool selected) {
    for (SearchSequenceEntry& entry : m_lists[Index(kind)])
        entry.selected = selected;
}

void SearchSequence::SelectKind(LibraryKind kind) {
    m_kind = kind;
    if (!m_lists[Index(kind)].empty())
        m_current[Index(kind)] = 0;
}

void SearchSequence::Accept(LibraryCatalogue& catalogue, SuiteServices& services) {
    for (LibraryKind kind : kAllKinds) {
        std::vector<std::string> entries;
        for (const SearchSequenceEntry& entry : m_lists[Index(kind)])
            if (entry.selected)
                entries.push_back(entry.text);
        catalogue.SetEntries(kind, std::move(entries));
    }
    catalogue.Save(services);
    m_changed = true;
}

} // namespace k2k
