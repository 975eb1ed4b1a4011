#include "options/OptionsDialogState.h"

#include "common/BrowserUserSettings.h"
#include "common/Messages.h"
#include "platform/FileOps.h"
#include "platform/SuiteServices.h"
#include "platform/UserSettings.h"
#include "system/NativePath.h"

namespace k2k {

namespace {

constexpr std::int32_t kSelectedValue = -1; // a selected item is stored as true is: -1

} // namespace

OptionsDialogState::OptionsDialogState(const DisplayOptions& tables, const GeneralOptions& general)
    : m_general(GeneralRowsOf(general)) {
    for (LibraryKind kind : kAllKinds) {
        const auto& table = tables.Table(kind);
        OptionItems& items = Items(kind);
        for (int i = 1; i <= tables.UpperBound(kind); ++i) {
            const DisplayOption& option = table[static_cast<std::size_t>(i)];
            items.push_back({option.Name, option.Value != 0});
        }
        // A table that names every column but the extra ones was written before the suite
        // had them: they are offered, unselected.
        const auto columns = FactsOf(kind).optionalColumns;
        if (items.size() >= columns.size() - FactsOf(kind).extraColumns)
            for (std::size_t i = items.size(); i < columns.size(); ++i)
                items.push_back({std::string(columns[i]), false});
    }
}

bool OptionsDialogState::DiffersFrom(const DisplayOptions& tables,
                                     const GeneralOptions& general) const {
    // The lists as an opening shows the tables: an offered column left unchosen is no change.
    return m_items != OptionsDialogState(tables, general).m_items ||
           GeneralOptionsFrom(m_general) != general;
}

DisplayOptions OptionsDialogState::Tables() const {
    DisplayOptions tables;
    for (LibraryKind kind : kAllKinds) {
        auto& table = tables.Table(kind);
        for (const OptionItem& item : Items(kind))
            table.push_back({item.selected ? kSelectedValue : 0, item.name});
    }
    return tables;
}

OptionsConfirmed ConfirmOptions(int mode, const OptionsDialogState& state, DisplayOptions& tables,
                                GeneralOptions& general, SuiteServices& services,
                                UserSettings& settings) {
    if (mode < kOptionsEditMode) {
        ShowError(services, kOptionsErrorCode);
        return OptionsConfirmed::Refused;
    }
    const bool changed = state.DiffersFrom(tables, general);
    tables = state.Tables();
    general = GeneralOptionsFrom(state.GeneralRows());
    SaveDisplayOptions(tables, services); // reports its own failure
    if (!SaveGeneralOptions(general, settings)) {
        const auto file = SuitePath(settings.FileOf(kUserSettingsApplication));
        services.Boxes().Show(
            FileOps::WriteFailureMessage(services, file ? *file : std::string(), 0));
    }
    return changed ? OptionsConfirmed::Changed : OptionsConfirmed::Unchanged;
}

} // namespace k2k
