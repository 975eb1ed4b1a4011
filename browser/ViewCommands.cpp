#include "browser/ViewCommands.h"

#include "browser/ResultCommands.h"
#include "common/Messages.h"
#include "common/ObjectKinds.h"
#include "search/InfoText.h"
#include "search/ResultList.h"
#include "services/AppMessages.h"
#include "system/Text.h"

namespace k2k {

namespace {

// The labels of the info text's fields in the side panel, by kind.
constexpr std::string_view kSymbolLabels[] = {"Description", "Symbol Type", "Simulation Function",
                                              "Simulation References"};
constexpr std::string_view kPackageLabels[] = {"Description", "Package Type", "JEDEC Name"};
constexpr std::string_view kPadstackLabels[] = {"Description", "Padstack Type", "Padstack Shape"};

} // namespace

std::optional<ViewTarget> ViewTargetOf(ResultTool tool, const ResultList& results,
                                       int focusedResult, bool moreThanOneSelected,
                                       std::string_view caption) {
    LibraryKind views = LibraryKind::Symbol;
    switch (tool) {
    case ResultTool::ViewSymbolGroup:
        return ViewTarget{LibraryKind::Symbol, std::string(Trim(caption))};
    case ResultTool::ViewSymbol:
        views = LibraryKind::Symbol;
        break;
    case ResultTool::ViewPackage:
        views = LibraryKind::Package;
        break;
    case ResultTool::ViewPadstack:
        views = LibraryKind::Padstack;
        break;
    default:
        return std::nullopt;
    }
    // A list views its own kind, and the Part list a part's symbol or package.
    const LibraryKind list = results.Kind();
    const bool ofPart = list == LibraryKind::Part && views != LibraryKind::Padstack;
    if (list != views && !ofPart)
        return std::nullopt;
    if (results.Count() == 0 || moreThanOneSelected || focusedResult < 1 ||
        focusedResult > results.Count())
        return std::nullopt;
    if (std::string_view PartResult::*field = ViewedField(list, tool))
        return ViewTarget{views, FirstName(results.Part(focusedResult).*field)};
    return ViewTarget{views, FirstName(results.Name(focusedResult))};
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
    // The extra fields after them (keywords, datasheet, reference), where the object has them.
    const ObjectKindFacts& facts = FactsOf(kind);
    const auto extras = facts.optionalColumns.last(facts.extraColumns);
    for (std::size_t i = 0; i < extras.size(); ++i)
        if (const std::string_view value = InfoField(info, static_cast<int>(labels.size() + i) + 1);
            !value.empty())
            fields.emplace_back(std::string(extras[i]), std::string(value));
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
