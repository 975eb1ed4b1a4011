#include "browser/HistoryBoxes.h"

#include "platform/UserSettings.h"
#include "system/Text.h"

#include <algorithm>

namespace k2k {

namespace {
constexpr std::size_t kMaxEntries = kHistoryBoxEntries;
} // namespace

std::string HistoryKey(LibraryKind kind, int box, int index) {
    return std::string(kHistoryKeyPrefix) + "EgridCbo" + DecimalText(static_cast<int>(kind)) + "," +
           DecimalText(box) + "," + DecimalText(index);
}

std::vector<std::string> HistoryBoxEntries(const IniDocument& store, LibraryKind kind, int box) {
    std::vector<std::string> entries;
    for (int index = 0; index < kHistoryBoxEntries; ++index) {
        std::string value =
            store.Get(kHistorySection, HistoryKey(kind, box, index)).value_or(std::string());
        if (Trim(value).empty())
            break;
        entries.push_back(std::move(value));
    }
    return entries;
}

std::vector<std::string> LoadHistoryBox(const UserSettings& settings, LibraryKind kind, int box) {
    return HistoryBoxEntries(*settings.Read(kHistoryApplication), kind, box);
}

void HistoryBoxesToKeep::Add(LibraryKind kind, int box, std::span<const std::string> entries) {
    // A value with a line break cannot be stored; it is left out rather than costing the
    // other boxes their lists.
    std::vector<std::string_view> kept;
    for (const std::string& entry : entries)
        if (entry.find_first_of("\r\n") == std::string::npos)
            kept.push_back(entry);
    const std::size_t first = kept.size() - std::min(kept.size(), kMaxEntries);
    for (std::size_t index = first; index < kept.size(); ++index)
        m_values.emplace_back(HistoryKey(kind, box, static_cast<int>(index - first)),
                              std::string(kept[index]));
}

bool HistoryBoxesToKeep::Save(UserSettings& settings) const {
    return m_values.empty() ||
           settings.SaveUserSettings(kHistoryApplication, kHistorySection, m_values);
}

bool SaveHistoryBox(UserSettings& settings, LibraryKind kind, int box,
                    std::span<const std::string> entries) {
    HistoryBoxesToKeep keep;
    keep.Add(kind, box, entries);
    return keep.Save(settings);
}

std::size_t EntriesToDrop(std::size_t entryCount) noexcept {
    return entryCount < kMaxEntries ? 0 : entryCount - kMaxEntries + 1;
}

std::optional<HistoryUpdate> RememberValue(std::string_view boxText,
                                           std::span<const std::string> entries) {
    const std::string_view value = Trim(boxText);
    if (value.empty() || (!entries.empty() && entries.back() == value))
        return std::nullopt;
    HistoryUpdate update{std::string(value), std::nullopt, 0};
    const auto found = std::find(entries.begin(), entries.end(), value);
    if (found != entries.end())
        update.reused = static_cast<std::size_t>(found - entries.begin());
    else
        update.dropOldest = EntriesToDrop(entries.size());
    return update;
}

void HistoryCompleter::KeyDown(int keyCode) noexcept {
    if (keyCode == kKeyBackspace || keyCode == kKeyDelete)
        m_suppress = true;
}

std::optional<HistoryCompletion> HistoryCompleter::Complete(std::string_view text,
                                                            std::span<const std::string> entries,
                                                            std::size_t caret) {
    if (text.empty() || m_suppress) {
        m_suppress = false;
        return std::nullopt;
    }
    // The first entry that begins with the text, letter case counting.
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const std::string& e) {
        return std::string_view(e).starts_with(text);
    });
    if (found == entries.end())
        return std::nullopt;
    const std::size_t start = std::min(caret, found->size());
    return HistoryCompletion{*found, start, found->size() - start};
}

} // namespace k2k
