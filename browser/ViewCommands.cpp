#include "browser/ViewCommands.h"

#include "browser/ResultCommands.h"
#include "common/Messages.h"
#include "platform/Text.h"
#include "search/InfoText.h"
#include "search/ResultList.h"
#include "services/AppMessages.h"

namespace k2k {

namespace {

// The tools that view the focused row of a list: the list they belong to, what they view,
// and whether they take a part's package (or else its symbols); the other lists' tools
// take the row's text.
struct ViewTool {
    std::string_view name; // in upper case
    LibraryKind list;
    LibraryKind views;
};
constexpr ViewTool kViewTools[] = {
    {"ATB_PARTVIEWSYMBOL", LibraryKind::Part, LibraryKind::Symbol},
    {"ATB_PARTVIEWPACKAGE", LibraryKind::Part, LibraryKind::Package},
    {"ATB_SYMVIEWSYMBOL", LibraryKind::Symbol, LibraryKind::Symbol},
    {"ATB_PKGVIEWPACKAGE", LibraryKind::Package, LibraryKind::Package},
    {"ATB_PADVIEWPADSTACK", LibraryKind::Padstack, LibraryKind::Padstack},
};

// The labels of the info text's fields in the side panel, by kind.
constexpr std::string_view kSymbolLabels[] = {"Description", "Symbol Type", "Simulation Function",
                                              "Simulation References"};
constexpr std::string_view kPackageLabels[] = {"Description", "Package Type", "JEDEC Name"};
constexpr std::string_view kPadstackLabels[] = {"Description", "Padstack Type", "Padstack Shape"};

} // namespace

std::optional<ViewTarget> ViewTargetOf(std::string_view tool, const ResultList& results,
                                       int focusedResult, bool moreThanOneSelected,
                                       std::string_view caption) {
    const std::string upper = UpperCase(tool);
    if (upper == kSymbolGroupsTool)
        return ViewTarget{LibraryKind::Symbol, std::string(Trim(caption))};
    for (const ViewTool& view : kViewTools) {
        if (upper != view.name)
            continue;
        if (results.Kind() != view.list || results.Count() == 0 || moreThanOneSelected ||
            focusedResult < 1 || focusedResult > results.Count())
            return std::nullopt;
        if (view.list != LibraryKind::Part)
            return ViewTarget{view.views, FirstName(results.Name(focusedResult))};
        const PartResult part = results.Part(focusedResult);
        return ViewTarget{view.views, FirstName(view.views == LibraryKind::Package ? part.package
                                                                                   : part.symbols)};
    }
    return std::nullopt;
}

std::string_view ViewerAppOf(LibraryKind kind) noexcept {
    switch (kind) {
    case LibraryKind::Package:
        return kPackageViewerApp;
    case LibraryKind::Padstack:
        return kPadstackViewerApp;
    default:
        return kSymbolViewerApp;
    }
}

std::string ViewerNotification(LibraryKind kind, std::string_view library) {
    std::string text(ViewerAppOf(kind));
    text += ",LIB,";
    text += library;
    if (kind == LibraryKind::Padstack)
        text += ',';
    return text;
}

std::optional<ViewedObject> ViewOrReport(LibraryLookup& lookup, SuiteServices& services,
                                         const ViewTarget& target) {
    std::optional<ViewedObject> viewed = lookup.FetchForViewing(target.kind, target.name);
    if (!viewed)
        ShowError(services, 6, target.name);
    return viewed;
}

std::vector<std::pair<std::string, std::string>> ViewerInfoFields(LibraryKind kind,
                                                                  std::string_view info) {
    std::span<const std::string_view> labels = kSymbolLabels;
    if (kind == LibraryKind::Package)
        labels = kPackageLabels;
    else if (kind == LibraryKind::Padstack)
        labels = kPadstackLabels;
    std::vector<std::pair<std::string, std::string>> fields;
    for (std::size_t i = 0; i < labels.size(); ++i)
        fields.emplace_back(std::string(labels[i]),
                            std::string(InfoField(info, static_cast<int>(i) + 1)));
    return fields;
}

std::optional<LibraryKind> HandleViewerNotice(AppMessages& messages, const std::string& aname,
                                              const std::string& command) {
    switch (ClassifyViewerNotice(aname, command)) {
    case ViewerNoticeAction::ReleaseSymbolViewer:
        return LibraryKind::Symbol;
    case ViewerNoticeAction::ReleasePackageViewer:
        return LibraryKind::Package;
    case ViewerNoticeAction::ReleasePadstackViewer:
        return LibraryKind::Padstack;
    case ViewerNoticeAction::Forward:
        messages.SendToApp(aname, command);
        break;
    case ViewerNoticeAction::Ignore:
        break;
    }
    return std::nullopt;
}

} // namespace k2k
