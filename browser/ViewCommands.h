#pragma once
// Viewing an object from the result lists. The view tools name what they view
// (ViewTargetOf); the window fetches it through LibraryLookup, releases the kind's open
// viewer, and either reports message 6 (ViewOrReport answers nullopt) or opens a new viewer
// on what was fetched and hands it the notification text of ViewerNotification. The
// viewers' own notifications come back through HandleViewerNotice: "SHUTDOWN" releases the
// viewer named, anything else but "SHELL" and "ALL" goes on to the application it names.

#include "browser/ResultCommands.h"
#include "formats/LibraryFile.h"
#include "search/LibraryLookup.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace k2k {

class AppMessages;
class ResultList;
class SuiteServices;

// What a view tool views: the kind of viewer and the object's name.
struct ViewTarget {
    LibraryKind kind = LibraryKind::Symbol;
    std::string name;

    bool operator==(const ViewTarget&) const = default;
};

// The object a view tool chosen on a result list views; nullopt when the tool is not a
// view tool or may not run. Tools that act on one row run only when the list has rows and
// not more than one row was selected; they view the first name before "," of the focused
// result's field (a part's symbols or package, otherwise the row's text). The symbol-groups
// tool views its caption, trimmed.
std::optional<ViewTarget> ViewTargetOf(ResultTool tool, const ResultList& results,
                                       int focusedResult, bool moreThanOneSelected,
                                       std::string_view caption = {});

// The application name of the kind's viewer: "K2KSMBVIEWER", "K2KPACKAGEVIEWER",
// "K2KPSTACKVIEWER".
std::string_view ViewerAppOf(LibraryKind kind) noexcept;
// The text a newly opened viewer is given: its application name, "LIB" and the library;
// the padstack viewer's ends with ",".
std::string ViewerNotification(LibraryKind kind, std::string_view library);

// Fetches what the target's viewer shows; when no library holds it, shows message 6 ("Can't
// find Symbol/Package: " and the name) and answers nullopt.
std::optional<ViewedObject> ViewOrReport(LibraryLookup& lookup, SuiteServices& services,
                                         const ViewTarget& target);

// The side panel's fields of an object's info text: label and value, in field order.
std::vector<std::pair<std::string, std::string>> ViewerInfoFields(LibraryKind kind,
                                                                  std::string_view info);

// Carries out a viewer's notification (Aname, sCommand): answers the kind whose viewer is to
// be released for "SHUTDOWN" from a viewer; forwards anything but "SHELL" and "ALL" with
// SendToApp; nullopt when no viewer is to be released.
std::optional<LibraryKind> HandleViewerNotice(AppMessages& messages, const std::string& aname,
                                              const std::string& command);

} // namespace k2k
