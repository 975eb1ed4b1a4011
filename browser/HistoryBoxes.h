#pragma once
// The history boxes of the search-option grids: the free-text value cells whose lists hold
// the values searched for before. Three rules live here, without a window:
// - completion: while the user types into a box, the text grows to the first entry that
//   begins with it, and the added part is selected so that typing goes on over it; the key
//   that deletes (Backspace, Delete) lets the next change through uncompleted;
// - remembering: before a search each box's trimmed text joins the end of its list (the
//   newest place) unless it is empty; a value the list already holds moves there, and a
//   full list drops its oldest entry for a new one, so a value used every day is kept;
// - keeping: the lists of every kind and box live from one run to the next in the per-user
//   settings store, at most kHistoryBoxEntries per box.
// The window's grids (browser/ui/OptionGrid) hold the lists in their combo boxes and call
// these with the box's text and entries.

#include "common/BrowserUserSettings.h"
#include "formats/LibraryFile.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace k2k {

class IniDocument;
class UserSettings;

// Entries a box holds. A full box drops its oldest entry for a new one, so the values
// searched for last are the ones kept across runs.
inline constexpr int kHistoryBoxEntries = 25;

// Where the lists are kept: application, section, and the window's fixed key prefix.
inline constexpr const char* kHistoryApplication = kUserSettingsApplication;
inline constexpr const char* kHistorySection = kUserSettingsSection;
inline constexpr const char* kHistoryKeyPrefix = "frmK32_LibBrowser";

// The key of one entry: prefix, "EgridCbo", kind number, ",", box, ",", index from 0.
std::string HistoryKey(LibraryKind kind, int box, int index);

// The entries kept for box (from 1) of a kind's grid, in their order; the list ends at the
// first missing or blank entry. From store, the settings of kHistoryApplication read once
// for every box, or from one reading of settings.
std::vector<std::string> HistoryBoxEntries(const IniDocument& store, LibraryKind kind, int box);
std::vector<std::string> LoadHistoryBox(const UserSettings& settings, LibraryKind kind, int box);

// The lists of many boxes kept in one rewrite of the store: the window keeps every box of
// every grid when it unloads, and a rewrite each would read and write the store as often.
class HistoryBoxesToKeep final {
public:
    // Adds the newest (last) kHistoryBoxEntries entries of a box that the store can hold
    // (an entry with a line break is left out).
    void Add(LibraryKind kind, int box, std::span<const std::string> entries);
    // False when the store could not be written; then none is kept.
    bool Save(UserSettings& settings) const;

private:
    std::vector<std::pair<std::string, std::string>> m_values;
};

// One box kept alone, as above.
bool SaveHistoryBox(UserSettings& settings, LibraryKind kind, int box,
                    std::span<const std::string> entries);

// What a search does to a box's list: take out the entry that equals the value (reused) or
// else the oldest entries (dropOldest), then add the value at the end.
struct HistoryUpdate {
    std::string value;                 // the box's text, trimmed
    std::optional<std::size_t> reused; // the index of the entry equal to it, exactly
    std::size_t dropOldest = 0;        // for a new value: entries taken from the front
};

// The update for a box whose text is boxText; nullopt when the text is empty or already
// the newest entry, so nothing changes.
std::optional<HistoryUpdate> RememberValue(std::string_view boxText,
                                           std::span<const std::string> entries);

// How many of the oldest entries a box drops for a new value: none while it has room,
// else enough that kHistoryBoxEntries are left with the new one.
std::size_t EntriesToDrop(std::size_t entryCount) noexcept;

// Key codes of the deleting keys, as the grid reports them.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyDelete = 46;

// A completed box text: the caret stays where it was and the rest is selected.
struct HistoryCompletion {
    std::string text;
    std::size_t selStart = 0;
    std::size_t selLength = 0;
};

// The window's completion of typed texts. One per window: a deleting key in any of its
// boxes lets the next change of any box through.
class HistoryCompleter final {
public:
    // A key pressed in a box, before it changes the text.
    void KeyDown(int keyCode) noexcept;
    // The box's text changed to text with the caret at caret: the completed text, or
    // nullopt when the text stays (empty, no entry begins with it, or a deleting key came
    // just before).
    std::optional<HistoryCompletion>
    Complete(std::string_view text, std::span<const std::string> entries, std::size_t caret);
    bool Suppressed() const noexcept { return m_suppress; }

private:
    bool m_suppress = false;
};

} // namespace k2k
