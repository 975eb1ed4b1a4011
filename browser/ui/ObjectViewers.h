#pragma once
// ObjectViewers, the main window's three object viewers (symbol, package, padstack), at
// most one open per kind. Viewing an object releases the kind's open viewer; the object is
// fetched through a LibraryLookup (which remembers the open library) and a new viewer shows
// it, opened centred over the window, or message 6 says that no library holds it. Each
// viewer's notifications reach the one notice slot: "SHUTDOWN" releases it, the rest goes
// on to the application named (browser/ViewCommands.h).

#include "common/ObjectKinds.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class QWidget;

namespace k2k {

class AppMessages;
class BrowserComponent;
class LibraryLookup;
class ObjectViewer;
struct ViewTarget;

class ObjectViewers final : public QObject {
    Q_OBJECT
public:
    // The viewers belong to owner; place puts a newly made one over it.
    ObjectViewers(QWidget& owner, BrowserComponent& component, AppMessages& messages,
                  std::function<void(QWidget&)> place);
    ~ObjectViewers() override;

    void View(const ViewTarget& target);
    // The open viewer of the kind; nullptr when none is open (and for Part).
    ObjectViewer* Viewer(LibraryKind kind) const;
    // The open symbol and package viewers show their objects again.
    void Refresh();
    void ReleaseAll();

private:
    ObjectViewer* Make(LibraryKind kind);
    void Release(LibraryKind kind);
    void NotifyServer(const QString& Aname, const QString& sCommand);
    LibraryLookup& Lookup();

    QWidget& m_owner;
    BrowserComponent& m_component;
    AppMessages& m_messages;
    std::function<void(QWidget&)> m_place;
    std::unique_ptr<LibraryLookup> m_lookup;                    // made on first use
    std::array<QPointer<ObjectViewer>, kObjectKinds> m_viewers; // by kind
};

} // namespace k2k
