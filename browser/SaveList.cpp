#include "browser/SaveList.h"

#include "browser/ResultColumns.h"
#include "common/Messages.h"
#include "common/ObjectKinds.h"
#include "platform/FileOps.h"
#include "platform/MessageBoxes.h"
#include "search/ResultList.h"
#include "search/ResultRows.h"
#include "system/AtomicFile.h"
#include "system/NativePath.h"
#include "system/Text.h"

namespace k2k {

SaveListDialog SaveListDialogFor(const SuiteServices& services, LibraryKind kind) {
    const ObjectKindFacts& facts = FactsOf(kind);
    SaveListDialog dialog;
    dialog.title =
        LocalText(services, DecimalText(facts.saveListTitle.id), facts.saveListTitle.text);
    dialog.fileName = std::string(facts.saveListFile);
    return dialog;
}

std::string SavedListText(const ResultList& results, const ResultColumns& columns) {
    std::string text;
    std::vector<std::string_view> texts;
    std::vector<std::string_view> values;
    const RowOrder& rows = results.Rows();
    for (int row = 1; row <= rows.Count(); ++row) {
        const int i = rows.Result(row);
        columns.OptionalTexts(results, i, texts, values);
        AppendSavedListLine(text, row, results.Name(i), texts);
    }
    return text;
}

SaveListOutcome SaveList(const ResultList& results, const ResultColumns& columns,
                         const SaveFileChooser& choose, const SuiteServices& services,
                         MessageBoxes& boxes) {
    if (results.Empty())
        return SaveListOutcome::EmptyList;
    const std::filesystem::path chosen = choose(SaveListDialogFor(services, results.Kind()));
    if (Trim(chosen.string()).empty())
        return SaveListOutcome::Cancelled;
    const Status saved = WriteFileAtomically(chosen, SavedListText(results, columns));
    if (saved)
        return SaveListOutcome::Saved;
    // The message names the file as the suite would; a name it cannot hold is shown as it is.
    const auto suitePath = SuitePath(chosen);
    const std::string path = suitePath ? *suitePath : chosen.string();
    boxes.Show(FileOps::WriteFailureMessage(services, path, saved.Error().systemError));
    return SaveListOutcome::Failed;
}

} // namespace k2k
