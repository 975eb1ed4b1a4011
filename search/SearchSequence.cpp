#include "search/SearchSequence.h"

#include "platform/Text.h"
#include "search/LibraryCatalogue.h"

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
        // Each catalogue entry found takes the next place at the top, by exchange. Only
        // the entries below the places taken are looked at, so an entry the catalogue
        // names twice is placed once.
        std::size_t next = 0;
        for (const std::string& entry : catalogue.Entries(kind)) {
            const std::string key = MatchKey(entry);
            for (std::size_t i = next; i < list.size(); ++i) {
                if (MatchKey(list[i].text) != key)
                    continue;
                std::swap(list[next], list[i]);
                list[next] = {entry, true};
                ++next;
                break;
            }
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
