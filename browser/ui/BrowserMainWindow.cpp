#include "browser/ui/BrowserMainWindow.h"

#include "browser/ui/WindowFont.h"
#include "browser/ui/frmSplash.h"
#include "common/Messages.h"
#include "common/SplitFields.h"
#include "platform/Kernel.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/LocaliseForm.h"
#include "platform/ui/SuiteText.h"
#include "system/Text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include <vector>

namespace k2k {

namespace {

// The window's size at start, in twips.
constexpr int kStartHeightTwips = 4100;
constexpr int kStartWidthTwips = 7300;

// How long the window system may take to frame a window before its place is checked.
constexpr int kFrameCheckDelayMs = 300;

ScreenRect RectOf(const QRect& rect) {
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

std::string KernelString(const Kernel& kernel, const char* name) {
    return kernel.E_GetString(name).value_or(std::string());
}

} // namespace

BrowserMainWindow::BrowserMainWindow(const BrowserEnvironment& environment, QWidget* parent)
    : QMainWindow(parent), m_environment(environment), m_kernel(*environment.kernel), m_boxes(this),
      m_usedBoxes(environment.boxes ? *environment.boxes : m_boxes),
      m_feedback(
          *this, [this](bool on) { SetHourglass(on); }, [this](bool busy) { PublishStatus(busy); }),
      m_component(m_kernel, environment.directorySettings, m_usedBoxes, m_feedback),
      m_exchange(m_component, *this,
                 [this](const std::string& aname, const std::string& command) {
                     emit NotifyClass(FromSuiteText(aname), FromSuiteText(command));
                 }),
      m_help(m_kernel, m_usedBoxes) {
    setObjectName(QStringLiteral("frmK32_LibBrowser"));
    setWindowTitle(QStringLiteral("Library Browser"));
    SetTag(*this, "4811");
    statusBar()->setObjectName(QStringLiteral("staMessage"));
    new HelpKey(*this, [this] { m_help.ShowHelpTopic(static_cast<long>(winId())); });
    m_afterAnswer.setInterval(50);
    connect(&m_afterAnswer, &QTimer::timeout, this, [this] {
        if (QApplication::activeModalWidget() != nullptr || m_component.IsSearching())
            return;
        m_afterAnswer.stop();
        m_exchange.RunDeferredCommands();
    });
}

bool BrowserMainWindow::WaitingForAnswer() {
    if (QApplication::activeModalWidget() == nullptr)
        return false;
    m_afterAnswer.start();
    return true;
}

BrowserMainWindow::~BrowserMainWindow() {
    while (m_hourglassDepth > 0)
        SetHourglass(false);
}

int BrowserMainWindow::Start(const std::string& serverPath) {
    SetHourglass(true);
    const int error = RunStart(serverPath);
    SetHourglass(false);
    if (error != 0)
        return error;
    m_exchange.RunPendingSearchSequence();
    m_help.SetHelpTopic(0, 0, 0, 0, false);
    return 0;
}

int BrowserMainWindow::RunStart(const std::string& serverPath) {
    SuiteServices& services = m_component.Services();
    m_applicationTitle = ApplicationTitle(services);
    if (m_kernel.DB_DataBase() == 0)
        return kErrNoDatabase;

    const char* formats[] = {"OLEPARTLIBFORMAT", "OLESYMLIBFORMAT", "OLEPKGLIBFORMAT",
                             "OLEPADLIBFORMAT"};
    for (std::size_t i = 0; i < m_clipboardFormats.size(); ++i)
        m_clipboardFormats[i] = ValueOf(KernelString(m_kernel, formats[i]));

    PlaceWindow();
    if (m_environment.anotherInstanceRunning && m_environment.anotherInstanceRunning())
        return kErrAnotherInstance;

    BrowserState& state = m_component.State();
    state.exitAllowed = false;
    services.SetIniFile(KernelString(m_kernel, "IniFile"));
    state.serverPath = std::string(Trim(serverPath));
    services.SetLanguagePath(KernelString(m_kernel, "LANGUAGEPATH"));
    m_help.SetHelpFile(state.serverPath, kComponentName);
    PublishStatus(true);

    m_font = ChooseWindowFont(m_font);
    LocaliseForm(*this, services, WindowFont());
    if (!FormUpdate())
        return kErrStartUpFailed;
    SetUpWindow();
    PlaceForWork();
    PublishStatus(false);
    return 0;
}

// The main application's window width (MainWidth, twips) in pixels of the screen; 0 when
// it is not set.
int BrowserMainWindow::MainWidthPixels(const QScreen& screen) const {
    const double mainWidth = ValueOf(KernelString(m_kernel, "MAINWIDTH"));
    return mainWidth > 0 ? static_cast<int>(mainWidth * screen.logicalDotsPerInchX() / 1440.0) : 0;
}

void BrowserMainWindow::PlaceWindow() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const double twipsPerPixelX = 1440.0 / screen->logicalDotsPerInchX();
    const double twipsPerPixelY = 1440.0 / screen->logicalDotsPerInchY();
    // A main window wider than half the screen is not stood beside.
    int mainWidth = MainWidthPixels(*screen);
    if (mainWidth > area.width() / 2)
        mainWidth = 0;
    const int left = area.left() + mainWidth;
    // The size is the inner size; the place is the frame's, so the title bar is on the screen.
    resize(static_cast<int>(kStartWidthTwips / twipsPerPixelX),
           static_cast<int>(kStartHeightTwips / twipsPerPixelY));
    move(left, area.top());
}

void BrowserMainWindow::PlaceForWork() {
    // The prescribed start size stays the smallest the window gets.
    const QSize minimum = size();
    setMinimumSize(minimum);
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    std::vector<ScreenRect> screens{RectOf(primary->availableGeometry())};
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary)
            screens.push_back(RectOf(screen->availableGeometry()));
    const FrameExtra frame = FrameExtraOf();
    WindowPlace place;
    if (const std::optional<WindowPlace> kept = LoadWindowPlace(m_placeSettings)) {
        place = ClampToScreens(*kept, screens, frame, minimum.width(), minimum.height());
        // The frame is only guessed until the window is shown: the check after the showing
        // clamps the kept corner with the real one.
        m_intendedFrame = {kept->left, kept->top};
    } else {
        const QSize room = RoomForWork();
        place = FirstStartPlace(screens.front(), room.width(), room.height(), frame,
                                minimum.width(), minimum.height(), MainWidthPixels(*primary));
    }
    resize(place.width, place.height);
    move(place.left, place.top);
    if (m_intendedFrame.isNull())
        m_intendedFrame = {place.left, place.top};
    m_startMaximised = place.maximised;
    m_placedForWork = true;
    NoteNormalPlace();
}

// The window system knows the frame best: the widget's own idea of it can lag behind.
QPoint BrowserMainWindow::FramePosition() const {
    const QWindow* window = windowHandle();
    return window && isVisible() ? window->framePosition() : pos();
}

FrameExtra BrowserMainWindow::FrameExtraOf() const {
    if (const QWindow* window = windowHandle(); window && isVisible()) {
        const QMargins margins = window->frameMargins();
        if (!margins.isNull())
            return {margins.left() + margins.right(), margins.top() + margins.bottom()};
    }
    // Not framed yet: a title bar and thin borders, as most window managers draw them.
    const int border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    return {2 * border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border};
}

void BrowserMainWindow::KeepFrameOnScreen() {
    m_frameSettled = true;
    const QWindow* window = windowHandle();
    if (!window || !isVisible() ||
        (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        return;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Some window managers put the client area, not the frame, where the window was moved
    // before it was shown: now that the frame is known, the frame goes where it was meant.
    const QMargins margins = window->frameMargins();
    const FrameExtra frame{margins.left() + margins.right(), margins.top() + margins.bottom()};
    const ScreenRect area = RectOf(screen->availableGeometry());
    const WindowPlace meant{m_intendedFrame.x(), m_intendedFrame.y(), width(), height(), false};
    const WindowPlace clamped =
        ClampToScreens(meant, {&area, 1}, frame, minimumWidth(), minimumHeight());
    const QRect client(clamped.left + margins.left(), clamped.top + margins.top(), clamped.width,
                       clamped.height);
    if (client != geometry())
        setGeometry(client);
}

void BrowserMainWindow::NoteNormalPlace() {
    if (!m_placedForWork ||
        (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        return;
    const QPoint corner = FramePosition();
    m_normalPlace = {corner.x(), corner.y(), width(), height(), false};
}

void BrowserMainWindow::KeepWindowPlace() {
    if (!m_placedForWork)
        return;
    WindowPlace place = m_normalPlace;
    place.maximised = (windowState() & Qt::WindowMaximized) != 0;
    SaveWindowPlace(m_placeSettings, place);
}

void BrowserMainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    NoteNormalPlace();
}

void BrowserMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    NoteNormalPlace();
}

void BrowserMainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_frameChecked || !m_placedForWork)
        return;
    m_frameChecked = true;
    QTimer::singleShot(kFrameCheckDelayMs, this, &BrowserMainWindow::KeepFrameOnScreen);
}

bool BrowserMainWindow::FormUpdate() {
    if (!m_splash) {
        m_splash = std::make_unique<frmSplash>(m_component.Services(), WindowFont(), this);
        m_splash->SetHelpHandler([this] { m_help.ShowHelpTopic(); });
    }
    m_splash->ShowAsSplash(true);
    m_feedback.SetSplash(m_splash.get());
    const FormUpdateResult result = m_component.FormUpdate(m_feedback);
    m_feedback.SetSplash(nullptr);
    m_splash.reset();
    if (!result.Ok()) {
        while (m_hourglassDepth > 0)
            SetHourglass(false);
        ShutDown();
        return false;
    }
    SetCaption(MainWindowCaption(m_component.Dirs().libDir));
    return true;
}

void BrowserMainWindow::SetWindowState(WindowState state) {
    Qt::WindowStates states = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == WindowState::Minimised)
        states |= Qt::WindowMinimized;
    else if (state == WindowState::Maximised)
        states |= Qt::WindowMaximized;
    setWindowState(states);
}

int BrowserMainWindow::StatusWindowState() const {
    if (windowState() & Qt::WindowMinimized)
        return static_cast<int>(WindowState::Minimised);
    if (windowState() & Qt::WindowMaximized)
        return static_cast<int>(WindowState::Maximised);
    return static_cast<int>(WindowState::Normal);
}

void BrowserMainWindow::PublishStatus(bool busy) {
    m_exchange.Messages().PublishStatus(true, busy ? -1 : 0,
                                        ToSuiteText(windowTitle()).value_or(m_applicationTitle),
                                        StatusWindowState());
}

QFont BrowserMainWindow::WindowFont() const {
    return ToQFont(m_font);
}

void BrowserMainWindow::SetCaption(const std::string& caption) {
    setWindowTitle(FromSuiteText(caption));
}

void BrowserMainWindow::SetHourglass(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_hourglassDepth;
    } else if (m_hourglassDepth > 0) {
        QApplication::restoreOverrideCursor();
        --m_hourglassDepth;
    }
}

void BrowserMainWindow::Relocalise() {
    m_font = ChooseWindowFont(m_font);
    LocaliseForm(*this, m_component.Services(), WindowFont());
}

void BrowserMainWindow::Unload() {
    close();
}

void BrowserMainWindow::ShutDown() {
    m_component.State().exitAllowed = true;
    close();
}

void BrowserMainWindow::closeEvent(QCloseEvent* event) {
    if (m_unloaded) {
        event->accept();
        return;
    }
    PublishStatus(false);
    m_help.CloseHelp();
    KeepWindowPlace();
    KeepPaneLayout();
    if (!m_component.State().exitAllowed) {
        event->ignore();
        hide();
        ReleaseViewers();
        return;
    }
    event->accept();
    RunUnload();
}

void BrowserMainWindow::RunUnload() {
    m_unloaded = true;
    SaveGridLayout();
    // The other windows of the browser go first, the last made first. They belong to
    // the window (or to the windows that made them), which deletes them.
    m_feedback.SetSplash(nullptr);
    m_splash.reset();
    QList<QDialog*> windows = findChildren<QDialog*>(Qt::FindDirectChildrenOnly);
    while (!windows.isEmpty()) {
        QApplication::processEvents();
        windows.takeLast()->close();
    }
    ReleaseViewers();
    emit NotifyClass(FromSuiteText(kBrowserApp), QStringLiteral("SHUTDOWN"));
    emit Unloaded();
}

} // namespace k2k
