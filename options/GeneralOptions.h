#pragma once
// The general options: the settings of the options dialog's General tab, each a row of
// the tab's grid with a caption and a whole-number value, kept per user (application
// "Kalde2000", section "K2KBRWSR") under a key of its own. The dialog shows them with
// GeneralRowsOf and reads the grid back with GeneralOptionsFrom, so the grid's rows and
// the settings stay in one place. One instance per main window.
//
// "Fit Column Widths" (key "OptionsFitColumnWidths", default 1): not 0 lets a result
// list's first rows give its columns the widths of their contents; 0 leaves the list's
// own widths.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace k2k {

class UserSettings;

struct GeneralOptions {
    std::int32_t fitColumnWidths = 1;

    bool operator==(const GeneralOptions&) const = default;
};

// A row of the General tab's grid: the setting's caption and its value as typed.
struct GeneralRow {
    std::string name;
    std::string value;

    bool operator==(const GeneralRow&) const = default;
};

// The rows the grid shows, in their order.
std::vector<GeneralRow> GeneralRowsOf(const GeneralOptions& options);
// The settings the grid's rows hold: the first row's value as a whole number (rounded,
// halves to even, held to 32 bits; a text without a number is 0). Missing rows keep the
// defaults.
GeneralOptions GeneralOptionsFrom(std::span<const GeneralRow> rows);

// A missing or unreadable store gives the defaults.
GeneralOptions LoadGeneralOptions(const UserSettings& settings);
// All settings in one rewrite; false when the store refused them (nothing is written).
bool SaveGeneralOptions(const GeneralOptions& options, UserSettings& settings);

} // namespace k2k
