#pragma once
// What the options dialog (frmOptions) decides, without a window. The dialog has five
// tabs: one per object kind, whose list names the kind's display options with the shown
// ones selected, and "General", whose grid holds the general options. Opening the dialog
// takes a working copy of the tables into an OptionsDialogState; the window shows it,
// writes the lists' selections and the grid's rows back into it, and on OK hands it to
// ConfirmOptions, which compares it with the stored tables, stores it and answers whether
// anything changed (an offered column left unchosen is no change). Cancel drops the working copy.

#include "common/ObjectKinds.h"
#include "options/DisplayOptions.h"
#include "options/GeneralOptions.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

class SuiteServices;
class UserSettings;

inline constexpr int kOptionsTabs = 5;
inline constexpr int kGeneralTab = 4; // tabs 0 to 3 are the kinds, in their order
inline constexpr std::array<NumberedText, kOptionsTabs> kOptionsTabCaptions = {
    {{99547, "Part"},
     {991150, "Symbol"},
     {99816, "Package"},
     {991448, "Padstack"},
     {4838, "General"}}};
inline constexpr NumberedText kOptionsTitle{5039, "Library Browser Options..."};
// The caption above each kind's list (not localised).
inline constexpr std::string_view kSelectDisplaySettings = "Select Display Settings";
// The mode the menu opens the dialog in; OK refuses any mode below it.
inline constexpr int kOptionsEditMode = 1;
// The numbered message OK shows when it refuses ("Library Browser Options Error ").
inline constexpr int kOptionsErrorCode = 300;

// An entry of a kind's list: an option's name and whether it is selected (shown).
struct OptionItem {
    std::string name;
    bool selected = false;

    bool operator==(const OptionItem&) const = default;
};
using OptionItems = std::vector<OptionItem>;

class OptionsDialogState final {
public:
    // Every entry of each table in table order, selected when its value is not 0; a table
    // that names every column of the kind but the extra ones (written before the suite had
    // them) is followed by those, unselected. The General rows from the general options.
    OptionsDialogState(const DisplayOptions& tables, const GeneralOptions& general);

    OptionItems& Items(LibraryKind kind) { return m_items[static_cast<std::size_t>(kind)]; }
    const OptionItems& Items(LibraryKind kind) const {
        return m_items[static_cast<std::size_t>(kind)];
    }
    std::vector<GeneralRow>& GeneralRows() noexcept { return m_general; }
    const std::vector<GeneralRow>& GeneralRows() const noexcept { return m_general; }

    // True when a list differs from its table (another count, name or shown state; any
    // value but 0 counts as shown) or the General rows hold other settings.
    bool DiffersFrom(const DisplayOptions& tables, const GeneralOptions& general) const;
    // The tables the lists stand for: entry i + 1 is item i, its value -1 when selected
    // and 0 when not.
    DisplayOptions Tables() const;

private:
    std::array<OptionItems, kObjectKinds> m_items;
    std::vector<GeneralRow> m_general;
};

enum class OptionsConfirmed {
    Refused,   // the mode was below kOptionsEditMode: message 300, nothing stored
    Unchanged, // stored; nothing differed from the tables
    Changed,   // stored; the result lists need their columns again
};

// OK of the dialog. Below kOptionsEditMode it shows message 300 and changes nothing.
// Otherwise it compares the working copy with the tables, makes the tables and the
// general options those of the working copy, and stores both (display options in the
// directory settings, general options per user; a failed store is reported by a message
// box and the values in memory still change). Modes above kOptionsEditMode act as it.
OptionsConfirmed ConfirmOptions(int mode, const OptionsDialogState& state, DisplayOptions& tables,
                                GeneralOptions& general, SuiteServices& services,
                                UserSettings& settings);

} // namespace k2k
