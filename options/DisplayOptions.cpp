#include "options/DisplayOptions.h"

#include "common/ObjectKinds.h"
#include "formats/IniFile.h"
#include "platform/FileOps.h"
#include "platform/SuiteServices.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <cmath>
#include <limits>

namespace k2k {

namespace {

// A number rounded to a whole one, halves to even, held to [low, high].
long long RoundedWithin(double value, long long low, long long high) noexcept {
    const double rounded = std::nearbyint(value); // the default mode rounds halves to even
    if (!(rounded > static_cast<double>(low)))
        return low;
    if (!(rounded < static_cast<double>(high)))
        return high;
    return static_cast<long long>(rounded);
}

} // namespace

std::int32_t OptionValueOf(std::string_view text) noexcept {
    return static_cast<std::int32_t>(RoundedWithin(LeadingNumber(text),
                                                   std::numeric_limits<std::int32_t>::min(),
                                                   std::numeric_limits<std::int32_t>::max()));
}

DisplayOptions::DisplayOptions() {
    for (auto& table : m_tables)
        table.assign(1, DisplayOption{});
}

void LoadDisplayOptions(DisplayOptions& options, const SuiteServices& services) {
    const DirSettings settings = services.ReadDirSettings(); // one reading for every option
    for (LibraryKind kind : kAllKinds) {
        const std::string_view section = FactsOf(kind).optionsSection;
        const auto count = static_cast<int>(RoundedWithin(
            LeadingNumber(settings.Get(section, "Number", "1")), 0, kMaxDisplayOptions));
        auto& table = options.Table(kind);
        table.assign(static_cast<std::size_t>(count) + 1, DisplayOption{});
        for (int i = 1; i <= count; ++i) {
            const std::string stored = settings.Get(section, DecimalText(i), "Undefined,1");
            const auto fields = SplitAt(stored, ',');
            DisplayOption& option = table[static_cast<std::size_t>(i)];
            option.Name = std::string(fields[0]);
            option.Value = fields.size() > 1 ? OptionValueOf(fields[1]) : 0;
        }
    }
}

bool SaveDisplayOptions(const DisplayOptions& options, SuiteServices& services) {
    // Every setting in memory first, then one rewrite: a crash keeps the old options or
    // the new ones, never a mix.
    IniEdit edit = services.EditDirSettings();
    for (LibraryKind kind : kAllKinds) {
        const std::string_view section = FactsOf(kind).optionsSection;
        const auto& table = options.Table(kind);
        edit.Set(section, "Number", DecimalText(options.UpperBound(kind)));
        for (int i = 1; i <= options.UpperBound(kind); ++i) {
            const DisplayOption& option = table[static_cast<std::size_t>(i)];
            edit.Set(section, DecimalText(i), option.Name + "," + DecimalText(option.Value));
        }
    }
    int errorNumber = 0;
    if (edit.Commit(&errorNumber))
        return true;
    const auto file = SuitePath(services.DirectorySettingsFile());
    services.Boxes().Show(
        FileOps::WriteFailureMessage(services, file ? *file : std::string(), errorNumber));
    return false;
}

std::vector<DisplayColumn> EnabledColumns(const DisplayOptions& options, LibraryKind kind) {
    std::vector<DisplayColumn> columns;
    const auto& table = options.Table(kind);
    for (int i = 1; i <= options.UpperBound(kind); ++i) {
        const DisplayOption& option = table[static_cast<std::size_t>(i)];
        if (option.Value != 0)
            columns.push_back({i, option.Name});
    }
    return columns;
}

} // namespace k2k
