#pragma once
// ResultListActions, the main window's side of its four result lists: what a list asks of
// the window (the busy check, the Part grid's library, the rows dragged out, its status
// texts) and the tools it hands on (its pop-up menu or a key). The edit and send tools
// drag the selected rows out (UploadDropData) and send their command text; the view tools
// open the object a view tool names (browser/ViewCommands.h) in the window's
// ObjectViewers; Find Alias and Used by Part search the Part list; Open Datasheet hands the
// focused object's datasheet link to the desktop's handler (QDesktopServices). The other
// tools are the list's own. No tool runs while the browser is busy.

#include "browser/ResultCommands.h"

#include <QString>

namespace k2k {

class ObjectViewers;
class ResultListView;
class frmK32_LibBrowser;

class ResultListActions final {
public:
    ResultListActions(frmK32_LibBrowser& window, ObjectViewers& viewers);

    // Hooks a result list of the window up.
    void Attach(ResultListView& view);
    // A tool chosen on the kind's list; caption is the chosen menu item's.
    void Run(LibraryKind kind, ResultTool tool, const QString& caption);

private:
    void FindAliases(LibraryKind kind, ResultTool tool);
    void OpenDatasheet(ResultListView& view);
    std::string PartGridLibrary();

    frmK32_LibBrowser& m_window;
    ObjectViewers& m_viewers;
};

} // namespace k2k
