// kalde2000: the host program. It opens a suite as the suite's main application does
// (kernel values, project), creates the browser's class, sets its server path to the
// suite folder (where the help file lies), loads it and shows what it says.
//
//   kalde2000 [--suite DIR] [--commands FILE|-] [--running APP]... [--screenshot FILE]
//   kalde2000 [--suite DIR] --bench-search KIND PATTERN
//   kalde2000 [--suite DIR] --bench-start
//
// Without --suite the program works on the person's own suite, made from the sample at the
// first start (platform/PersonalSuite), and says where it is. A second start with a display
// brings the running one's windows forward and ends (SingleInstance.h).
// The main application (Kalde2000) is this program and runs from the start; --running marks
// others (K2KSCHED, K2KLAYED, K2KEXPLR), as the check boxes of the window do.
// --commands hands each line to NotifyMe in turn and prints every NotifyServer as
// "Aname<TAB>sCommand" on standard output. Without a display the program runs offscreen:
// unless it runs commands, it searches each tab of the browser once (parts named "74*",
// every symbol, package and padstack), prints the counts, takes a picture of its windows,
// says where the picture is, and ends. --bench-search always runs offscreen: it measures a
// search of KIND (part, symbol, package, padstack) for the name PATTERN through the window's
// handlers (SearchBenchmark.h), prints the figures as one line and ends. --bench-start starts
// as a person's start does, on the display there is, and once the browser's window has been
// painted closes the windows, prints the figures as one line and ends (StartBenchmark.h).
#include "FontWarmUp.h"
#include "HostWindow.h"
#include "SearchBenchmark.h"
#include "SingleInstance.h"
#include "StartBenchmark.h"

#include "browser/ui/OptionGrid.h"
#include "browser/ui/clsKldbrwsr.h"
#include "browser/ui/frmK32_LibBrowser.h"
#include "common/ObjectKinds.h"
#include "platform/Kernel.h"
#include "platform/PersonalSuite.h"
#include "platform/SuiteFolder.h"
#include "platform/SuiteServices.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/K2kGrid.h"
#include "platform/ui/SuiteText.h"
#include "system/NativePath.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QTextStream>

#include <cstdio>
#include <filesystem>
#include <optional>

namespace {

// Qt's own warnings and notes ("This plugin does not support raise()", "XDG_RUNTIME_DIR not
// set") say nothing a person can act on, so they stay out of the terminal; with
// K2K_QT_MESSAGES=1 they reach standard error as Qt writes them. Critical and fatal
// messages always do. The program itself writes what it has to say, never through Qt.
QtMessageHandler qtDefaultHandler = nullptr;

void KeepQtNotesQuiet(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    static const bool shown = qEnvironmentVariableIntValue("K2K_QT_MESSAGES") != 0;
    if (shown || type == QtCriticalMsg || type == QtFatalMsg)
        qtDefaultHandler(type, context, text);
}

void BringWindowsForward() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        if (window->isMinimized())
            window->showNormal();
        window->raise();
        window->activateWindow();
    }
}

bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The visible windows of the program side by side in one picture, each under its caption.
bool WriteScreenshot(const QString& path) {
    constexpr int kCaptionHeight = 22;
    constexpr int kGap = 8;
    QList<QPair<QString, QPixmap>> shots;
    int width = 0;
    int height = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        shots.append({window->windowTitle(), window->grab()});
        width += shots.back().second.width() + kGap;
        height = qMax(height, shots.back().second.height() + kCaptionHeight);
    }
    if (shots.isEmpty())
        return false;
    QPixmap picture(width, height);
    picture.fill(Qt::darkGray);
    QPainter painter(&picture);
    painter.setPen(Qt::white);
    int x = 0;
    for (const auto& [caption, shot] : shots) {
        painter.drawText(QRect(x + 4, 0, shot.width() - 8, kCaptionHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, caption);
        painter.drawPixmap(x, kCaptionHeight, shot);
        x += shot.width() + kGap;
    }
    painter.end();
    return picture.save(path, "PNG");
}

// The offscreen demonstration: one search on each tab, as a user would type and press
// Find Now; the Part tab is current at the end, so the picture shows its results.
void RunSampleSearches(k2k::frmK32_LibBrowser& window, QTextStream& out) {
    // Large enough that the picture shows rows under the option grids.
    window.resize(qMax(window.width(), 900), qMax(window.height(), 600));
    for (const k2k::LibraryKind kind : {k2k::LibraryKind::Symbol, k2k::LibraryKind::Package,
                                        k2k::LibraryKind::Padstack, k2k::LibraryKind::Part}) {
        window.SelectTab(kind);
        const QString name =
            kind == k2k::LibraryKind::Part ? QStringLiteral("74*") : QStringLiteral("*");
        window.Grid(kind).Grid().SetCellText(1, 1, name);
        window.cmdFindNow_Click();
        out << k2k::FromSuiteText(k2k::FactsOf(kind).title) << " \"" << name
            << "\": " << window.StatusText().trimmed() << Qt::endl;
    }
}

QStringList ReadCommands(const QString& source, QString& error) {
    QFile file;
    if (source == QLatin1String("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly)) {
            error = QStringLiteral("cannot read standard input");
            return {};
        }
    } else {
        file.setFileName(source);
        if (!file.open(QIODevice::ReadOnly)) {
            error =
                QStringLiteral("cannot read ") + source + QStringLiteral(": ") + file.errorString();
            return {};
        }
    }
    QStringList lines;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd())
        lines << in.readLine();
    return lines;
}

// Whether the command line asks for the benchmark, read before the application exists (the
// benchmark runs offscreen whatever the display).
bool AsksForBenchmark(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]) == "--bench-search" ||
            QByteArray(argv[i]).startsWith("--bench-search="))
            return true;
    return false;
}

std::optional<k2k::LibraryKind> KindOfName(const QString& name) {
    for (const k2k::ObjectKindFacts& facts : k2k::kObjectKindFacts)
        if (name.compare(
                QLatin1String(facts.name.data(), static_cast<qsizetype>(facts.name.size())),
                Qt::CaseInsensitive) == 0)
            return facts.kind;
    return std::nullopt;
}

// What the command line asks for.
struct HostRequest {
    std::filesystem::path suite;
    bool headless = false; // no display, or the benchmark: the program runs offscreen
    bool scripted = false; // --commands
    QStringList commands;
    QStringList running;
    std::optional<QString> screenshot;
    std::optional<k2k::LibraryKind> benchKind; // --bench-search
    bool benchStart = false;                   // --bench-start
    QString benchPattern;
};

// The sample suite: installed beside the program (../share/kalde2000/suite), or in the
// build folder the program was built in.
std::filesystem::path SampleSuite() {
    const std::filesystem::path installed =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / ".." /
        "share" / "kalde2000" / "suite";
    if (std::filesystem::is_directory(installed))
        return installed.lexically_normal();
    return K2K_SAMPLE_SUITE;
}

// The person's own suite when none is named, made at the first start; says where it is.
std::optional<std::filesystem::path> ChoosePersonalSuite(QTextStream& err) {
    const std::filesystem::path sample = SampleSuite();
    const auto own = k2k::FindPersonalSuite(sample);
    if (!own) {
        err << "kalde2000: " << QString::fromStdString(own.Message()) << Qt::endl;
        return std::nullopt;
    }
    err << "kalde2000: your suite is " << QString::fromStdString(own->folder.string());
    if (own->madeNow)
        err << ", made now as a copy of the sample suite "
            << QString::fromStdString(sample.string());
    err << Qt::endl;
    return own->folder;
}

// The command line read and checked; nullopt once it has said on err what is wrong.
std::optional<HostRequest> ReadCommandLine(const QApplication& application, bool benchmark,
                                           bool headless, QTextStream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Kalde 2000 host: loads the Library Browser on a suite folder."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption suiteOption(
        QStringLiteral("suite"),
        QStringLiteral("The suite folder (default: your own, made from the sample at the first "
                       "start)."),
        QStringLiteral("DIR"));
    const QCommandLineOption commandsOption(
        QStringLiteral("commands"),
        QStringLiteral("Hand each line of FILE (- for standard input) to NotifyMe."),
        QStringLiteral("FILE"));
    const QCommandLineOption runningOption(
        QStringLiteral("running"),
        QStringLiteral("Mark an application (K2KSCHED, K2KLAYED, K2KEXPLR, ...) as running; "
                       "the main application (Kalde2000, this program) always is."),
        QStringLiteral("APP"));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"), QStringLiteral("Write a picture of the windows to FILE."),
        QStringLiteral("FILE"));
    const QCommandLineOption benchOption(
        QStringLiteral("bench-search"),
        QStringLiteral("Measure a search of KIND (part, symbol, package, padstack) for the name "
                       "PATTERN, print the figures and end."),
        QStringLiteral("KIND"));
    const QCommandLineOption benchStartOption(
        QStringLiteral("bench-start"),
        QStringLiteral("Measure the start until the browser's window is painted, close the "
                       "windows, print the figures and end."));
    parser.addOptions({suiteOption, commandsOption, runningOption, screenshotOption, benchOption,
                       benchStartOption});
    parser.addPositionalArgument(QStringLiteral("PATTERN"),
                                 QStringLiteral("The name pattern of --bench-search."));
    parser.process(application);

    HostRequest request;
    request.headless = headless;
    if (benchmark) {
        request.benchKind = KindOfName(parser.value(benchOption));
        if (!request.benchKind || parser.positionalArguments().size() != 1) {
            err << "kalde2000: --bench-search KIND PATTERN: KIND is part, symbol, package or "
                   "padstack, and one PATTERN follows"
                << Qt::endl;
            return std::nullopt;
        }
        request.benchPattern = parser.positionalArguments().front();
    }
    request.benchStart = parser.isSet(benchStartOption);
    request.scripted = parser.isSet(commandsOption);
    if (request.scripted) {
        QString error;
        request.commands = ReadCommands(parser.value(commandsOption), error);
        if (!error.isEmpty()) {
            err << "kalde2000: " << error << Qt::endl;
            return std::nullopt;
        }
    }
    if (parser.isSet(suiteOption))
        request.suite = parser.value(suiteOption).toStdString();
    else if (auto own = ChoosePersonalSuite(err))
        request.suite = *own;
    else
        return std::nullopt;
    request.running = parser.values(runningOption);
    if (parser.isSet(screenshotOption))
        request.screenshot = parser.value(screenshotOption);
    return request;
}

// The suite's main application as this program plays it, what every mode works on: the
// suite opened, the host's window, and the browser loaded beside it.
class HostSession final {
public:
    // firstInstance: no other host runs (SingleInstance); the browser's own check asks it.
    HostSession(const HostRequest& request, bool firstInstance, QTextStream& out, QTextStream& err)
        : m_request(request), m_firstInstance(firstInstance), m_out(out), m_err(err),
          m_services(k2k::DirectorySettingsOf(request.suite), m_consoleBoxes) {}

    // Opens the suite as its main application does before it creates the browser; false
    // once it has said on err why it cannot.
    bool OpenSuite();
    // Creates the browser's class, shows the host's window and loads the browser.
    void LoadBrowser();
    // Hands each command of --commands to NotifyMe, until the browser shuts down.
    void HandCommands();

    // Closes the host's window as a person does: the browser unloads and the program ends.
    void CloseHost() { m_host.close(); }

    bool Loaded() const noexcept { return m_loaded; }
    bool ShutDown() const noexcept { return m_host.BrowserShutDown(); }
    // The browser's main window; nullptr when none is loaded.
    k2k::frmK32_LibBrowser* Window() const {
        return m_browser ? qobject_cast<k2k::frmK32_LibBrowser*>(m_browser->Window()) : nullptr;
    }

private:
    // The host's log; in a scripted or offscreen run standard error too.
    void Log(const QString& line) {
        m_host.Log(line);
        if (m_request.headless || m_request.scripted)
            m_err << "kalde2000: " << line << Qt::endl;
    }

    const HostRequest& m_request;
    bool m_firstInstance;
    QTextStream& m_out;
    QTextStream& m_err;
    k2k::Kernel m_kernel;
    k2k::HostWindow m_host{m_kernel};
    k2k::LoggedMessageBoxes m_loggedBoxes{[this](const QString& line) { Log(line); }};
    k2k::ConsoleMessageBoxes m_consoleBoxes;
    k2k::SuiteServices m_services;
    k2k::HelpWindow m_help;
    std::optional<k2k::clsKldbrwsr> m_browser;
    bool m_loaded = false;
};

bool HostSession::OpenSuite() {
    const k2k::SuiteOpening opening = k2k::OpenSuite(m_request.suite, m_kernel, m_services);
    if (!opening.ok) {
        m_err << "kalde2000: " << QString::fromStdString(opening.error) << Qt::endl;
        return false;
    }
    for (const std::string& warning : opening.warnings)
        Log(QString::fromStdString(warning));
    Log(QStringLiteral("suite ") + QString::fromStdString(m_request.suite.string()) +
        QStringLiteral(", project ") + k2k::FromSuiteText(k2k::DisplayPath(opening.projectPath)));
    // The browser opens right of the main application's window.
    // The browser opens right of the main application's window: its width as it will be
    // shown (its contents may want more than its first size), in twips.
    if (m_kernel.E_GetString("MAINWIDTH").value_or("0") == "0") {
        const int width = qMax(m_host.frameGeometry().width(), m_host.minimumSizeHint().width());
        m_kernel.E_SetString("MAINWIDTH",
                             std::to_string(width * 1440 / qMax(1, m_host.logicalDpiX())));
    }
    for (const QString& app : m_request.running)
        m_host.SetRunning(app, true);
    m_help.Attach(m_kernel);
    return true;
}

void HostSession::LoadBrowser() {
    k2k::BrowserEnvironment environment;
    environment.kernel = &m_kernel;
    environment.directorySettings = k2k::DirectorySettingsOf(m_request.suite);
    environment.anotherInstanceRunning = [first = m_firstInstance] { return !first; };
    // Nobody clicks a message box in a scripted or offscreen run.
    if (m_request.headless || m_request.scripted)
        environment.boxes = &m_loggedBoxes;

    k2k::clsKldbrwsr& browser = m_browser.emplace(environment, &k2k::frmK32_LibBrowser::Make);
    m_host.Attach(browser);
    if (m_request.scripted)
        m_host.onNotifyServer = [this](const QString& aname, const QString& command) {
            m_out << aname << '\t' << command << Qt::endl;
        };
    const auto root = k2k::SuitePath(std::filesystem::absolute(m_request.suite));
    browser.SetSeverPath(k2k::FromSuiteText(root ? *root : std::string()));
    m_host.show();
    m_loaded = browser.Load(0);
    Log(m_loaded ? QStringLiteral("Load: true") : QStringLiteral("Load: false, no browser window"));
}

void HostSession::HandCommands() {
    for (const QString& command : m_request.commands) {
        if (ShutDown())
            break;
        Log(QStringLiteral("NotifyMe: ") + command);
        m_browser->NotifyMe({}, command);
        QApplication::processEvents();
    }
}

// Once the pending events have run: the picture of the windows, and where it is.
void WritePicture(const QString& path, QTextStream& err) {
    QApplication::processEvents();
    if (WriteScreenshot(path))
        err << "kalde2000: picture of the windows: " << QDir(path).absolutePath() << Qt::endl;
    else
        err << "kalde2000: could not write the picture " << path << Qt::endl;
}

// The benchmark mode: one search measured through the window's handlers, its figures on
// one line of standard output.
int RunBenchmark(const HostSession& session, const HostRequest& request, QTextStream& out,
                 QTextStream& err) {
    k2k::frmK32_LibBrowser* window = session.Window();
    if (!session.Loaded() || !window) {
        err << "kalde2000: the browser did not load" << Qt::endl;
        return 1;
    }
    k2k::SearchBenchmark bench(*window, *request.benchKind, request.benchPattern);
    const k2k::SearchBenchmarkFigures figures = bench.Run();
    err << "kalde2000: sorted by \"" << figures.sortColumn << "\"; Find In List \""
        << k2k::SearchBenchmark::FindInListPattern(request.benchPattern) << "\" kept "
        << figures.findInListKept << " of " << figures.rows << " rows" << Qt::endl;
    out << k2k::SearchBenchmark::FormatLine(figures) << Qt::endl;
    return 0;
}

// The start-up benchmark: the browser's window painted once, then closed as a person closes
// it; the figures on one line of standard output.
int RunStartBenchmark(HostSession& session, k2k::StartBenchmark& bench, QTextStream& out,
                      QTextStream& err) {
    constexpr int kPaintWaitMs = 10000;
    k2k::frmK32_LibBrowser* window = session.Window();
    if (!session.Loaded() || !window) {
        err << "kalde2000: the browser did not load" << Qt::endl;
        return 1;
    }
    if (!bench.WaitForFirstPaint(*window, kPaintWaitMs)) {
        err << "kalde2000: the browser's window was not painted within " << kPaintWaitMs << " ms"
            << Qt::endl;
        return 1;
    }
    session.CloseHost();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!session.ShutDown()) {
        err << "kalde2000: the browser did not shut down when the host's window closed" << Qt::endl;
        return 1;
    }
    out << k2k::StartBenchmark::FormatLine(bench.ShownMs(), bench.ElapsedMs()) << Qt::endl;
    return 0;
}

// Without a display: unless commands ran, one search on each tab with its count; then the
// picture, and the end.
int RunOffscreen(const HostSession& session, const HostRequest& request, QTextStream& out,
                 QTextStream& err) {
    if (!request.scripted && session.Loaded())
        if (k2k::frmK32_LibBrowser* window = session.Window())
            RunSampleSearches(*window, out);
    WritePicture(
        request.screenshot.value_or(QDir::temp().filePath(QStringLiteral("kalde2000.png"))), err);
    err << "kalde2000: no display, ran offscreen and ends" << Qt::endl;
    return session.Loaded() || session.ShutDown() ? 0 : 1;
}

// With a display: the picture when one is asked for, then the windows until the host's is
// closed. A browser that has shut down (a scripted "EX") or did not load ends the program.
int RunWithDisplay(QApplication& application, const HostSession& session,
                   const HostRequest& request, QTextStream& err) {
    if (request.screenshot)
        WritePicture(*request.screenshot, err);
    if (session.ShutDown())
        return 0;
    if (!session.Loaded())
        return 1;
    return application.exec();
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock; // the start-up benchmark's, from the very beginning
    clock.start();
    const bool benchmark = AsksForBenchmark(argc, argv);
    qtDefaultHandler = qInstallMessageHandler(KeepQtNotesQuiet);
    const bool headless = benchmark || !HasDisplay();
    if (headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    k2k::FontWarmUp fonts;
    QApplication application(argc, argv);
    fonts.Wait();
    QApplication::setApplicationName(QStringLiteral("kalde2000"));
    QApplication::setApplicationVersion(QStringLiteral(K2K_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);

    QTextStream out(stdout);
    QTextStream err(stderr);
    const std::optional<HostRequest> request =
        ReadCommandLine(application, benchmark, headless, err);
    if (!request)
        return 1;
    // A person who starts the browser again finds the one that runs, brought forward.
    k2k::SingleInstance instance;
    const bool firstInstance = instance.TakeLock();
    const bool interactive = !headless && !request->scripted;
    if (!firstInstance && interactive) {
        if (instance.AskFirstToComeForward()) {
            err << "kalde2000: the Library Browser is already running; its windows were brought "
                   "forward"
                << Qt::endl;
            return 0;
        }
        err << "kalde2000: another kalde2000 holds " << instance.LockPath()
            << " but does not answer; the browser will say it is running" << Qt::endl;
    }
    if (firstInstance && interactive)
        instance.Listen(BringWindowsForward);
    std::optional<k2k::StartBenchmark> startBench;
    if (request->benchStart)
        startBench.emplace(clock);
    HostSession session(*request, firstInstance, out, err);
    if (!session.OpenSuite())
        return 1;
    session.LoadBrowser();
    if (startBench)
        return RunStartBenchmark(session, *startBench, out, err);
    session.HandCommands();
    if (request->benchKind)
        return RunBenchmark(session, *request, out, err);
    if (headless)
        return RunOffscreen(session, *request, out, err);
    return RunWithDisplay(application, session, *request, err);
}
