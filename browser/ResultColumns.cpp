#include "browser/ResultColumns.h"

#include "browser/OptionGridRows.h"
#include "common/Messages.h"
#include "search/ResultList.h"
#include "search/ResultRows.h"
#include "system/Text.h"

#include <cstddef>

namespace k2k {

namespace {

// This system's own texts for the headings that no option grid's row has (those that one
// has are read as the row's caption is).
struct CaptionText {
    std::string_view caption;
    int id;
};

constexpr CaptionText kCaptionTexts[] = {
    {"Symbols", 992201},
    {"Part Type", 992202},
    {"Simulation References", 992203},
    {"Datasheet", 992204},
    {"Reference", 992205},
    {"Symbol Type", 992206},
    {"Padstack Type", 992207},
    {"Padstack Shape", 992208},
    {"Simulation Ref", 992209},
    {"Simulation Reference", 992209},
    {"External Index Code", 992210},
};

} // namespace

std::string LocalColumnCaption(const SuiteServices& services, std::string_view caption) {
    if (const char* id = RowCaptionId(caption))
        return LocalText(services, id, caption);
    for (const CaptionText& text : kCaptionTexts)
        if (text.caption == caption)
            return LocalText(services, DecimalText(text.id), caption);
    return std::string(caption);
}

ResultColumns::ResultColumns(const DisplayOptions& options, LibraryKind kind)
    : m_columns(EnabledColumns(options, kind)) {
}

std::string_view ResultColumns::Caption(int column) const {
    if (column == 0)
        return kNameColumnCaption;
    return m_columns.at(static_cast<std::size_t>(column - 1)).name;
}

std::string_view ResultColumns::Text(const ResultList& results, int i, int column,
                                     std::vector<std::string_view>& values) const {
    if (column == 0)
        return results.Name(i);
    const int entry = m_columns.at(static_cast<std::size_t>(column - 1)).entry;
    OptionalValues(results, i, values);
    if (entry < 1 || entry > static_cast<int>(values.size()))
        return {};
    return values[static_cast<std::size_t>(entry - 1)];
}

void ResultColumns::OptionalTexts(const ResultList& results, int i,
                                  std::vector<std::string_view>& texts,
                                  std::vector<std::string_view>& values) const {
    OptionalValues(results, i, values);
    texts.clear();
    for (const DisplayColumn& column : m_columns) {
        const bool present = column.entry >= 1 && column.entry <= static_cast<int>(values.size());
        texts.push_back(present ? values[static_cast<std::size_t>(column.entry - 1)]
                                : std::string_view());
    }
}

} // namespace k2k
