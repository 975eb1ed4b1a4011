#include "browser/ui/ObjectViewers.h"

#include "browser/BrowserComponent.h"
#include "browser/ViewCommands.h"
#include "platform/ui/PackageViewer.h"
#include "platform/ui/PadstackViewer.h"
#include "platform/ui/SuiteText.h"
#include "platform/ui/SymbolViewer.h"
#include "search/LibraryLookup.h"

namespace k2k {

namespace {

std::size_t Index(LibraryKind kind) {
    return static_cast<std::size_t>(kind);
}

} // namespace

ObjectViewers::ObjectViewers(QWidget& owner, BrowserComponent& component, AppMessages& messages,
                             std::function<void(QWidget&)> place)
    : QObject(&owner), m_owner(owner), m_component(component), m_messages(messages),
      m_place(std::move(place)) {
}

ObjectViewers::~ObjectViewers() = default;

LibraryLookup& ObjectViewers::Lookup() {
    if (!m_lookup) {
        BrowserState& state = m_component.State();
        m_lookup = std::make_unique<LibraryLookup>(m_component.GetKernel(), m_component.Services(),
                                                   state.catalogue, state.directories.libDir);
    }
    return *m_lookup;
}

ObjectViewer* ObjectViewers::Make(LibraryKind kind) {
    switch (kind) {
    case LibraryKind::Package: {
        auto* viewer = new PackageViewer(&m_owner);
        viewer->SetPadstackSource(
            [this](const std::string& name) { return Lookup().PadstackDrawing(name); });
        return viewer;
    }
    case LibraryKind::Padstack:
        return new PadstackViewer(&m_owner);
    default:
        return new SymbolViewer(&m_owner);
    }
}

void ObjectViewers::View(const ViewTarget& target) {
    Release(target.kind);
    std::optional<ViewedObject> first = ViewOrReport(Lookup(), m_component.Services(), target);
    if (!first)
        return;
    // The viewer shows what was just fetched, and fetches it again when it is refreshed.
    const auto fetched = std::make_shared<std::optional<ViewedObject>>(std::move(first));
    ObjectViewer::Reader reader = [this, target, fetched]() -> std::optional<ViewerContent> {
        std::optional<ViewedObject> viewed;
        std::swap(viewed, *fetched);
        if (!viewed)
            viewed = Lookup().FetchForViewing(target.kind, target.name);
        if (!viewed)
            return std::nullopt;
        return ViewerContent{viewed->name, viewed->library,
                             ViewerInfoFields(target.kind, viewed->info), viewed->drawing};
    };
    // A part has no viewer of its own: the symbol viewer stands in.
    const LibraryKind kind = target.kind == LibraryKind::Part ? LibraryKind::Symbol : target.kind;
    ObjectViewer* viewer = Make(kind);
    m_viewers[Index(kind)] = viewer;
    connect(viewer, &ObjectViewer::NotifyServer, this, &ObjectViewers::NotifyServer);
    const std::string library = fetched->has_value() ? (*fetched)->library : std::string();
    viewer->Open(std::move(reader));
    m_place(*viewer);
    viewer->show();
    viewer->raise();
    viewer->NotifyMe(FromSuiteText(ViewerNotification(target.kind, library)));
}

ObjectViewer* ObjectViewers::Viewer(LibraryKind kind) const {
    return kind == LibraryKind::Part ? nullptr : m_viewers[Index(kind)].data();
}

void ObjectViewers::Refresh() {
    for (LibraryKind kind : {LibraryKind::Symbol, LibraryKind::Package})
        if (ObjectViewer* viewer = Viewer(kind))
            viewer->Refresh();
}

void ObjectViewers::Release(LibraryKind kind) {
    ObjectViewer* viewer = Viewer(kind);
    if (viewer == nullptr)
        return;
    m_viewers[Index(kind)] = nullptr;
    // Released from its own close as well, so it goes once its events are over.
    disconnect(viewer, nullptr, this, nullptr);
    viewer->hide();
    viewer->deleteLater();
}

void ObjectViewers::ReleaseAll() {
    for (LibraryKind kind : {LibraryKind::Symbol, LibraryKind::Package, LibraryKind::Padstack})
        Release(kind);
}

void ObjectViewers::NotifyServer(const QString& Aname, const QString& sCommand) {
    const auto released = HandleViewerNotice(m_messages, ToSuiteText(Aname).value_or(std::string()),
                                             ToSuiteText(sCommand).value_or(std::string()));
    if (released)
        Release(*released);
}

} // namespace k2k
