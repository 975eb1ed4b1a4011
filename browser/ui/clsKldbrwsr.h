#pragma once
// clsKldbrwsr, the one class the host sees. The host creates it, sets SeverPath, calls
// Load to show the browser, hands commands in with NotifyMe and hears back through
// NotifyServer (commands for the host or the suite's other applications) and
// LoadDropData (the objects the user drags out of the browser).
//
// The class holds the reference to the main window, which the factory makes on the first
// Load (and anew after the window has unloaded). A start that fails leaves no window, and
// Load answers false. The window relays its events NotifyClass and UploadDropData; after
// "SHUTDOWN" the class lets the window go.

#include "browser/ui/BrowserMainWindow.h"
#include "services/BwrSearchResult.h"

#include <QList>
#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <QString>

namespace k2k {

class clsKldbrwsr final : public QObject {
    Q_OBJECT
public:
    // factory: empty for the stand-in window.
    explicit clsKldbrwsr(BrowserEnvironment environment, BrowserWindowFactory factory = {},
                         QObject* parent = nullptr);
    // Class termination: a window still loaded is unloaded.
    ~clsKldbrwsr() override;

    // Copies the list into the received drop list; the browser does nothing more with it.
    void SetDropData(const QList<BWR_SEARCHRESULT>& m_DropData);
    // Shows the window (starting it the first time) and brings it to the front. iMode 0
    // shows it normal, 1 minimised, any other value in the state it had. False when the
    // window could not be started.
    bool Load(short iMode);
    QString SeverPath() const { return m_serverPath; }
    void SetSeverPath(const QString& sPath) { m_serverPath = sPath; }
    // Hands a command to the window; an empty command does nothing. Aname is not used.
    void NotifyMe(const QString& Aname = {}, const QString& sCommand = {});

    const QList<BWR_SEARCHRESULT>& ReceivedDropList() const noexcept { return m_receivedDropList; }
    // The loaded window, or nullptr.
    BrowserMainWindow* Window() const { return m_window.data(); }

signals:
    void NotifyServer(const QString& Aname, const QString& sCommand);
    void LoadDropData(const QList<BWR_SEARCHRESULT>& m_DropResults);

private:
    void RelayUploadDropData();
    void WindowUnloaded();

    BrowserEnvironment m_environment;
    BrowserWindowFactory m_factory;
    QString m_serverPath;
    QList<BWR_SEARCHRESULT> m_receivedDropList;
    QPointer<BrowserMainWindow> m_window;
    bool m_started = false;
};

} // namespace k2k

Q_DECLARE_METATYPE(k2k::BWR_SEARCHRESULT)
