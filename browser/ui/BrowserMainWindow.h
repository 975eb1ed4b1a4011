#pragma once
// The browser's main window as the host class and the command exchange see it: the window
// start, the close request that only hides, the unload that ends with "SHUTDOWN", the
// events NotifyClass and UploadDropData, and the window's part of the received commands.
//
// BrowserMainWindow owns what the component's windows share (the BrowserComponent), the
// CommandExchange, the help context and the message boxes. A concrete main window adds its
// controls: it builds them in its constructor (their Tags set for LocaliseForm), sets them
// up in SetUpWindow, and answers the commands' questions that concern them (viewers,
// library lists, search sequence). After each of its searches it calls AfterSearch, which
// carries out the commands kept while the search ran. What the engine and the start-up tell
// the person goes through the window's one StatusFeedback (status bar, splash, hourglass,
// busy flag, rows found, Stop in place of Find Now); a concrete window hands it its message
// panel, its result lists and its search buttons.
//
// clsKldbrwsr creates the window through a BrowserWindowFactory, so the host class does not
// know which window it drives; PlainBrowserWindow is a stand-in with no tabs.

#include "browser/BrowserComponent.h"
#include "browser/CommandExchange.h"
#include "browser/ui/StatusFeedback.h"
#include "platform/UserSettings.h"
#include "platform/ui/QtMessageBoxes.h"
#include "services/BwrSearchResult.h"
#include "services/FontChoice.h"
#include "services/HelpTopic.h"
#include "services/WindowPlacement.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <utility>

class QCloseEvent;
class QMoveEvent;
class QResizeEvent;
class QScreen;
class QShowEvent;

namespace k2k {

class Kernel;
class frmSplash;

// What the suite gives the component: its kernel and where its directory settings are.
struct BrowserEnvironment {
    Kernel* kernel = nullptr;
    std::filesystem::path directorySettings; // native path
    // The run time's previous-instance flag: another instance of the host is running.
    std::function<bool()> anotherInstanceRunning;
    // Where the browser's message boxes go; nullptr: real message boxes over the window.
    MessageBoxes* boxes = nullptr;
};

// The errors that stop the window start; Load answers false for them.
inline constexpr int kErrNoDatabase = 100;
inline constexpr int kErrAnotherInstance = 9999;
// The start ran FormUpdate, which failed and shut the browser down.
inline constexpr int kErrStartUpFailed = -1;

// The component's file name without extension, which names its help file.
inline constexpr const char* kComponentName = "K2Kbrwsr";

class BrowserMainWindow : public QMainWindow, public BrowserWindowActions {
    Q_OBJECT
public:
    explicit BrowserMainWindow(const BrowserEnvironment& environment, QWidget* parent = nullptr);
    ~BrowserMainWindow() override;

    // The window start, with the server path the host class holds. 0 when the window is
    // ready to be shown; otherwise kErrNoDatabase, kErrAnotherInstance or kErrStartUpFailed.
    int Start(const std::string& serverPath);

    void AP_ExeCmd(const std::string& command) { m_exchange.AP_ExeCmd(command); }
    // Unloads the window whatever the exit flag says.
    void ShutDown();
    bool IsUnloaded() const noexcept { return m_unloaded; }
    // The check that follows the first showing, which may put the frame where the start
    // meant it, is over: from now on the window stays where it is put.
    bool FrameSettled() const noexcept { return m_frameSettled; }

    // The objects being dragged out; OLESetDropData raises UploadDropData for them.
    BwrSearchResults& UploadDropList() noexcept { return m_uploadDropList; }
    void OLESetDropData() { emit UploadDropData(); }

    BrowserComponent& Component() noexcept { return m_component; }
    CommandExchange& Exchange() noexcept { return m_exchange; }
    HelpContext& Help() noexcept { return m_help; }
    MessageBoxes& Boxes() noexcept { return m_usedBoxes; }
    StatusFeedback& Feedback() noexcept { return m_feedback; }
    const StatusFeedback& Feedback() const noexcept { return m_feedback; }
    // Carries out the commands kept while a search ran; the window calls it after each.
    void AfterSearch() { m_exchange.RunDeferredCommands(); }
    const std::array<double, 4>& ClipboardFormats() const noexcept { return m_clipboardFormats; }
    // The window's state as the status record gives it: 0 normal, 1 minimised, 2 maximised.
    int StatusWindowState() const;
    void PublishStatus(bool busy);
    QFont WindowFont() const;

    // --- the received commands' part that every main window does alike
    void SetWindowState(WindowState state) override;
    void SetCaption(const std::string& caption) override;
    void SetHourglass(bool on) override;
    bool FormUpdate() override;
    void Relocalise() override;
    void Unload() override;
    // The window was kept maximised by the person: the first showing maximises it. Answers
    // true once.
    bool TakeStartMaximised() noexcept { return std::exchange(m_startMaximised, false); }
    // Keeps the window's normal place and maximised state for the next start.
    void KeepWindowPlace();

    // A modal question or dialog is open (the browser's own or the host's): commands that
    // reload or unload wait, and a timer carries them out once nothing modal is open.
    bool WaitingForAnswer() override;

signals:
    void NotifyClass(const QString& Aname, const QString& sCommand);
    void UploadDropData();
    // The window has unloaded ("SHUTDOWN" has been raised).
    void Unloaded();

protected:
    // Step 18 of the start: tool captions, colour table, option grids, result columns, tabs.
    virtual void SetUpWindow() = 0;
    // Before the unload closes the other windows: the option-grid histories are saved.
    virtual void SaveGridLayout() {}
    // The inner size the first start gives the window: room to work. By default the size
    // it has after set-up.
    virtual QSize RoomForWork() const { return size(); }
    // When the window closes or hides: the window keeps how the person laid it out.
    virtual void KeepPaneLayout() {}
    // The three viewer objects are released.
    virtual void ReleaseViewers() {}

    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int RunStart(const std::string& serverPath);
    void PlaceWindow();
    int MainWidthPixels(const QScreen& screen) const;
    // After set-up: the kept place clamped to the screens, or the first start's centred room.
    void PlaceForWork();
    // Once the window system has framed the window: the whole frame on a screen.
    void KeepFrameOnScreen();
    FrameExtra FrameExtraOf() const;
    QPoint FramePosition() const;
    void NoteNormalPlace();
    void RunUnload();

    BrowserEnvironment m_environment;
    Kernel& m_kernel;
    QtMessageBoxes m_boxes;
    MessageBoxes& m_usedBoxes;
    StatusFeedback m_feedback; // before the component, which talks to it
    BrowserComponent m_component;
    CommandExchange m_exchange;
    HelpContext m_help;
    FontChoice m_font;
    std::unique_ptr<frmSplash> m_splash;
    BwrSearchResults m_uploadDropList;
    std::array<double, 4> m_clipboardFormats{};
    std::string m_applicationTitle;
    int m_hourglassDepth = 0;
    bool m_unloaded = false;
    UserSettings m_placeSettings;
    WindowPlace m_normalPlace; // the last place neither maximised nor minimised
    QPoint m_intendedFrame;    // where the start meant the frame's corner to be
    bool m_startMaximised = false;
    bool m_placedForWork = false;
    bool m_frameChecked = false;
    bool m_frameSettled = false;
    QTimer m_afterAnswer; // runs the commands kept while a question was open
};

// Makes a main window, created but not started.
using BrowserWindowFactory =
    std::function<std::unique_ptr<BrowserMainWindow>(const BrowserEnvironment&)>;

} // namespace k2k
