#pragma once
// The columns of a kind's result list: "Name", then one column for each display option of
// the kind that is shown, in entry order, headed by the option's name. Display option i
// stands for the kind's i-th optional column (common/ObjectKinds.h); an option beyond the
// kind's columns heads a column that stays empty. The result view and Save List read the
// texts of a row here, so both show the same columns.

#include "formats/LibraryFile.h"
#include "options/DisplayOptions.h"

#include <string>
#include <string_view>
#include <vector>

namespace k2k {

class ResultList;
class SuiteServices;

inline constexpr std::string_view kNameColumnCaption = "Name";

class ResultColumns final {
public:
    ResultColumns() = default;
    ResultColumns(const DisplayOptions& options, LibraryKind kind);

    // Columns after "Name".
    int OptionalCount() const noexcept { return static_cast<int>(m_columns.size()); }
    // Column c of the list (0 "Name").
    int Count() const noexcept { return OptionalCount() + 1; }
    std::string_view Caption(int column) const;

    // The text of result i in column c (0: the object's name). values is scratch space a
    // caller may keep between calls.
    std::string_view Text(const ResultList& results, int i, int column,
                          std::vector<std::string_view>& values) const;
    // The texts of result i in the optional columns, in column order, into texts.
    void OptionalTexts(const ResultList& results, int i, std::vector<std::string_view>& texts,
                       std::vector<std::string_view>& values) const;

private:
    std::vector<DisplayColumn> m_columns;
};

// The heading a list shows for a column caption, in the suite's language: the columns the
// lists know ("Name", "Library", "Keywords", ...) are looked up by their texts' ids, with the
// English caption as the fallback; the stored option names stay as they are, and a caption
// of a person's own is shown as it stands.
std::string LocalColumnCaption(const SuiteServices& services, std::string_view caption);

} // namespace k2k
