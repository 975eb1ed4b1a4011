#include "options/GeneralOptions.h"

#include "common/BrowserUserSettings.h"
#include "options/DisplayOptions.h"
#include "platform/UserSettings.h"
#include "system/Text.h"

#include <utility>

namespace k2k {

namespace {

constexpr const char* kFitColumnWidthsCaption = "Fit Column Widths";
constexpr const char* kFitColumnWidthsKey = "OptionsFitColumnWidths";

} // namespace

std::vector<GeneralRow> GeneralRowsOf(const GeneralOptions& options) {
    return {{kFitColumnWidthsCaption, DecimalText(options.fitColumnWidths)}};
}

GeneralOptions GeneralOptionsFrom(std::span<const GeneralRow> rows) {
    GeneralOptions options;
    if (!rows.empty())
        options.fitColumnWidths = OptionValueOf(rows[0].value);
    return options;
}

GeneralOptions LoadGeneralOptions(const UserSettings& settings) {
    const GeneralOptions defaults;
    const std::string stored =
        settings.GetUserSetting(kUserSettingsApplication, kUserSettingsSection, kFitColumnWidthsKey,
                                DecimalText(defaults.fitColumnWidths));
    return GeneralOptionsFrom(std::vector<GeneralRow>{{kFitColumnWidthsCaption, stored}});
}

bool SaveGeneralOptions(const GeneralOptions& options, UserSettings& settings) {
    const std::pair<std::string, std::string> values[] = {
        {kFitColumnWidthsKey, DecimalText(options.fitColumnWidths)}};
    return settings.SaveUserSettings(kUserSettingsApplication, kUserSettingsSection, values);
}

} // namespace k2k
