#pragma once
// One search-option grid of the browser window: a K2kGrid set up for an object kind with
// the criterion rows of browser/OptionGridRows.h (captions in the current language, history
// boxes, the library list, pick buttons), read back by row for the searches, and tied to
// the history rules of browser/HistoryBoxes.h: typing into a history box completes from its
// list, a search remembers the boxes' values, and the lists are kept across runs.
//
// The window holds four of them, one per tab. At its start every grid takes its Shape, so
// that each tab's height is known; a grid is built (SetUp, FillLibraryList,
// AttachHistoryBoxes, LoadHistory) when its tab is first shown or it is first asked for,
// since its editors cost more than the rest of the window. Find Now calls RememberValues and
// passes Values to the search; New Search calls Reset; unloading the window calls
// KeepHistory with loadOnly false for the grids that were built (the others' lists stay in
// the store as they are).
//
// The pick buttons open their dialogs and write the pick into their rows: the simulation
// picks the simulation-reference dialog (made on first use as a child of the grid's window,
// and kept), the registered-types picks the registered-types dialogs once the window gives
// the grid its RegTypePicker. Every click ends with a Refresh.

#include "formats/LibraryFile.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace k2k {

class BrowserComponent;
class HistoryBoxesToKeep;
class HistoryCompleter;
class IniDocument;
class K2kGrid;
class UserSettings;

class OptionGrid final : public QObject {
public:
    // completer: the window's one completer, shared by its four grids.
    OptionGrid(K2kGrid& grid, LibraryKind kind, BrowserComponent& browser,
               HistoryCompleter& completer, QObject* parent = nullptr);
    OptionGrid(const OptionGrid&) = delete;
    OptionGrid& operator=(const OptionGrid&) = delete;

    // The control's name: egrdPartSearchOptions and its three siblings.
    static QString ControlName(LibraryKind kind);

    LibraryKind Kind() const noexcept { return m_kind; }
    K2kGrid& Grid() noexcept { return m_grid; }

    // The rows with their captions, without editors or values: as high as the built grid
    // and read by a screen reader as it.
    void Shape();
    // Builds the rows (captions, library list, pick buttons) and empties every value.
    void SetUp();
    // "[ALL LIBRARIES]", "[PROJECT LIBRARY]", then the kind's libraries in catalogue order;
    // the first is chosen.
    void FillLibraryList();
    // Puts the kind's history boxes into their rows.
    void AttachHistoryBoxes();
    // New Search: the grid as at start, its history lists kept.
    void Reset();

    // The values of rows 1 and up, row 1 first, as the searches take them. nullopt when a
    // value holds a character that the suite's texts cannot hold.
    std::optional<std::vector<std::string>> Values() const;
    // Before a search: each history box's trimmed text joins its list unless it is empty or
    // already there.
    void RememberValues();

    // Each box's list as kept in the per-user settings store (or in store, the store's
    // settings read once for every grid).
    void LoadHistory(const UserSettings& settings);
    void LoadHistory(const IniDocument& store);
    bool SaveHistory(UserSettings& settings) const; // false when a value was refused
    // Adds each box's list to those kept in one rewrite of the store.
    void KeepHistory(HistoryBoxesToKeep& keep) const;

    // Opens the registered-types dialog of a table (RegTypeTables.h) with a title (8-bit
    // text) and answers the path picked there.
    using RegTypePicker = std::function<std::string(int table, const std::string& title)>;
    // From now on the grid's registered-types pick buttons are enabled and open the picker.
    void SetRegTypePicker(RegTypePicker picker);
    // Return or Enter in a history box runs it: the window's Find Now, as in any search form.
    void SetEnterHandler(std::function<void()> enter) { m_enter = std::move(enter); }

private:
    void EnableRegTypePicks();
    void PickRegisteredType(int row);
    QString Text(const char* defaultText, const char* id) const;
    QString ReaderName() const;
    QString PickName(int row) const;
    std::vector<std::string> Entries(int box) const;
    bool IsBoxOfKind(int box) const;
    void OnComboChange(int box);
    void OnComboKeyDown(int box, int keyCode);
    void CellButtonClick(int col, int row);
    // The simulation pick of a row (OptionGridSimulation.cpp).
    void PickSimulationReference(int row);

    K2kGrid& m_grid;
    LibraryKind m_kind;
    BrowserComponent& m_browser;
    HistoryCompleter& m_completer;
    RegTypePicker m_regTypePicker;
    std::function<void()> m_enter;
};

// Keeps the history lists of the window's grids: with loadOnly false they are saved first,
// in one rewrite of the store; then every list is loaded from one reading of it. False when
// the save was refused (then no list was saved).
bool KeepHistory(std::span<OptionGrid* const> grids, UserSettings& settings, bool loadOnly);

} // namespace k2k
