#pragma once
// The search sequence as the user edits it: per object kind, the library files of the
// library directory that fit the kind's pattern, each with a selection mark. The selected
// entries, in list order, become the kind's catalogue list when the edit is accepted.
//
// Fill puts the catalogue's entries first, selected and in catalogue order, then the other
// library files of the folder, not selected, in the folder listing's order. A catalogue
// entry is matched to a file without regard to letter case or surrounding blanks and keeps
// its own spelling; one whose file is missing is passed over, so it leaves the sequence at
// the next Accept. The search-sequence dialog shows these lists and calls the edits; it
// holds no rule of its own.

#include "common/ObjectKinds.h"

#include <array>
#include <string>
#include <vector>

namespace k2k {

class LibraryCatalogue;
class SuiteServices;

struct SearchSequenceEntry {
    std::string text;      // the library file name (the catalogue's spelling when listed)
    bool selected = false; // the library is searched
};

class SearchSequence final {
public:
    // Fills the four lists from the library directory and the catalogue; the first entry
    // of each list is current.
    void Fill(const LibraryCatalogue& catalogue, const std::string& libraryDir);

    const std::vector<SearchSequenceEntry>& Entries(LibraryKind kind) const noexcept;
    // The current entry of the kind's list; -1 when the list is empty.
    int Current(LibraryKind kind) const noexcept;
    // A click on an entry makes it current; a position outside the list is ignored.
    void SetCurrent(LibraryKind kind, int index);
    // Up is possible for any current entry but the first, Down for any but the last.
    bool CanMoveUp(LibraryKind kind) const noexcept;
    bool CanMoveDown(LibraryKind kind) const noexcept;
    // Exchange the current entry with its neighbour, text and mark together; the moved entry
    // stays current. Nothing happens where the move is not possible.
    void MoveUp(LibraryKind kind);
    void MoveDown(LibraryKind kind);
    void SetSelected(LibraryKind kind, int index, bool selected);
    // Select All (true) and UnSelect All (false) on one kind's list.
    void SelectAll(LibraryKind kind, bool selected);

    // The kind whose list is shown. Changing it makes the first entry of the new list
    // current when the list is not empty.
    LibraryKind Kind() const noexcept { return m_kind; }
    void SelectKind(LibraryKind kind);

    // OK: each kind's catalogue list becomes its selected entries in list order, and the
    // catalogue is saved (a failed save has shown its message; the lists stay changed in
    // memory). The changed flag is set.
    void Accept(LibraryCatalogue& catalogue, SuiteServices& services);
    // Cancel: the changed flag is cleared; the catalogue is not touched.
    void Cancel() noexcept { m_changed = false; }
    // True after Accept, false after Cancel; the browser window reads it when the dialog
    // has closed.
    bool Changed() const noexcept { return m_changed; }

private:
    static std::size_t Index(LibraryKind kind) noexcept { return static_cast<std::size_t>(kind); }
    void Move(LibraryKind kind, int step);

    std::array<std::vector<SearchSequenceEntry>, kObjectKinds> m_lists;
    std::array<int, kObjectKinds> m_current{-1, -1, -1, -1};
    LibraryKind m_kind = LibraryKind::Part;
    bool m_changed = false;
};

} // namespace k2k
