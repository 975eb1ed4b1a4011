// kalde2000: the host program. It opens a suite as the suite's main application does
// (kernel values, project), creates the browser's class, sets its server path to the
// suite folder (where the help file lies), loads it and shows what it says.
//
//   kalde2000 [--suite DIR] [--commands FILE|-] [--running APP]... [--screenshot FILE]
//   kalde2000 [--suite DIR] --bench-search KIND PATTERN
//
// The main application (Kalde2000) is this program and runs from the start; --running marks
// others (K2KSCHED, K2KLAYED, K2KEXPLR), as the check boxes of the window do.
// --commands hands each line to NotifyMe in turn and prints every NotifyServer as
// "Aname<TAB>sCommand" on standard output. Without a display the program runs offscreen:
// unless it runs commands, it searches each tab of the browser once (parts named "74*",
// every symbol, package and padstack), prints the counts, takes a picture of its windows,
// says where the picture is, and ends. --bench-search always runs offscreen: it measures a
// search of KIND (part, symbol, package, padstack) for the name PATTERN through the window's
// handlers (SearchBenchmark.h), prints the figures as one line and ends.
#include "HostWindow.h"
#include "SearchBenchmark.h"

#include "browser/ui/OptionGrid.h"
#include "browser/ui/clsKldbrwsr.h"
#include "browser/ui/frmK32_LibBrowser.h"
#include "common/ObjectKinds.h"
#include "platform/Kernel.h"
#include "platform/SuiteFolder.h"
#include "platform/SuiteServices.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/K2kGrid.h"
#include "platform/ui/SuiteText.h"
#include "system/NativePath.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QPainter>
#include <QPixmap>
#include <QTextStream>

#include <cstdio>
#include <iostream>
#include <optional>

namespace {

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

} // namespace

int main(int argc, char** argv) {
    const bool benchmark = AsksForBenchmark(argc, argv);
    const bool headless = benchmark || !HasDisplay();
    if (headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kalde2000"));
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Kalde 2000 host: loads the Library Browser on a suite folder."));
    parser.addHelpOption();
    const QCommandLineOption suiteOption(QStringLiteral("suite"),
                                         QStringLiteral("The suite folder."), QStringLiteral("DIR"),
                                         QStringLiteral(K2K_SAMPLE_SUITE));
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
    parser.addOptions({suiteOption, commandsOption, runningOption, screenshotOption, benchOption});
    parser.addPositionalArgument(QStringLiteral("PATTERN"),
                                 QStringLiteral("The name pattern of --bench-search."));
    parser.process(application);

    QTextStream out(stdout);
    QTextStream err(stderr);
    std::optional<k2k::LibraryKind> benchKind;
    if (benchmark) {
        benchKind = KindOfName(parser.value(benchOption));
        if (!benchKind || parser.positionalArguments().size() != 1) {
            err << "kalde2000: --bench-search KIND PATTERN: KIND is part, symbol, package or "
                   "padstack, and one PATTERN follows"
                << Qt::endl;
            return 1;
        }
    }
    const bool scripted = parser.isSet(commandsOption);
    QStringList commands;
    if (scripted) {
        QString error;
        commands = ReadCommands(parser.value(commandsOption), error);
        if (!error.isEmpty()) {
            err << "kalde2000: " << error << Qt::endl;
            return 1;
        }
    }

    k2k::Kernel kernel;
    k2k::HostWindow host(kernel);
    const auto log = [&host, &err, headless, scripted](const QString& line) {
        host.Log(line);
        if (headless || scripted)
            err << "kalde2000: " << line << Qt::endl;
    };
    k2k::LoggedMessageBoxes loggedBoxes(log);

    // The suite's main application opens the suite before it creates the browser.
    const std::filesystem::path suite = parser.value(suiteOption).toStdString();
    k2k::ConsoleMessageBoxes consoleBoxes;
    k2k::SuiteServices services(k2k::DirectorySettingsOf(suite), consoleBoxes);
    const k2k::SuiteOpening opening = k2k::OpenSuite(suite, kernel, services);
    if (!opening.ok) {
        err << "kalde2000: " << QString::fromStdString(opening.error) << Qt::endl;
        return 1;
    }
    for (const std::string& warning : opening.warnings)
        log(QString::fromStdString(warning));
    log(QStringLiteral("suite ") + QString::fromStdString(suite.string()) +
        QStringLiteral(", project ") + k2k::FromSuiteText(k2k::DisplayPath(opening.projectPath)));
    // The browser opens right of the main application's window.
    if (kernel.E_GetString("MAINWIDTH").value_or("0") == "0")
        kernel.E_SetString("MAINWIDTH", std::to_string(host.frameGeometry().width() * 1440 /
                                                       qMax(1, host.logicalDpiX())));
    for (const QString& app : parser.values(runningOption))
        host.SetRunning(app, true);

    k2k::HelpWindow help;
    help.Attach(kernel);

    QLockFile instanceLock(QDir::temp().filePath(QStringLiteral("kalde2000.lock")));
    const bool firstInstance = instanceLock.tryLock(0);
    k2k::BrowserEnvironment environment;
    environment.kernel = &kernel;
    environment.directorySettings = k2k::DirectorySettingsOf(suite);
    environment.anotherInstanceRunning = [firstInstance] { return !firstInstance; };
    // Nobody clicks a message box in a scripted or offscreen run.
    if (headless || scripted)
        environment.boxes = &loggedBoxes;

    k2k::clsKldbrwsr browser(environment, &k2k::frmK32_LibBrowser::Make);
    host.Attach(browser);
    if (scripted)
        host.onNotifyServer = [&out](const QString& aname, const QString& command) {
            out << aname << '\t' << command << Qt::endl;
        };
    const auto root = k2k::SuitePath(std::filesystem::absolute(suite));
    browser.SetSeverPath(k2k::FromSuiteText(root.value_or(std::string())));
    host.show();
    const bool loaded = browser.Load(0);
    log(loaded ? QStringLiteral("Load: true") : QStringLiteral("Load: false, no browser window"));

    for (const QString& command : commands) {
        if (host.BrowserShutDown())
            break;
        log(QStringLiteral("NotifyMe: ") + command);
        browser.NotifyMe({}, command);
        QApplication::processEvents();
    }

    if (benchmark) {
        auto* window = qobject_cast<k2k::frmK32_LibBrowser*>(browser.Window());
        if (!loaded || !window) {
            err << "kalde2000: the browser did not load" << Qt::endl;
            return 1;
        }
        const QString pattern = parser.positionalArguments().front();
        k2k::SearchBenchmark bench(*window, *benchKind, pattern);
        const k2k::SearchBenchmarkFigures figures = bench.Run();
        err << "kalde2000: sorted by \"" << figures.sortColumn << "\"; Find In List \""
            << k2k::SearchBenchmark::FindInListPattern(pattern) << "\" kept "
            << figures.findInListKept << " of " << figures.rows << " rows" << Qt::endl;
        out << k2k::SearchBenchmark::FormatLine(figures) << Qt::endl;
        return 0;
    }

    if (headless && !scripted && loaded)
        if (auto* window = qobject_cast<k2k::frmK32_LibBrowser*>(browser.Window()))
            RunSampleSearches(*window, out);

    const bool ending = headless || (scripted && host.BrowserShutDown()) || !loaded;
    if (parser.isSet(screenshotOption) || headless) {
        QApplication::processEvents();
        const QString picture = parser.isSet(screenshotOption)
                                    ? parser.value(screenshotOption)
                                    : QDir::temp().filePath(QStringLiteral("kalde2000.png"));
        if (WriteScreenshot(picture))
            err << "kalde2000: picture of the windows: " << QDir(picture).absolutePath()
                << Qt::endl;
        else
            err << "kalde2000: could not write the picture " << picture << Qt::endl;
    }
    if (ending) {
        if (headless)
            err << "kalde2000: no display, ran offscreen and ends" << Qt::endl;
        return loaded || host.BrowserShutDown() ? 0 : 1;
    }
    if (host.BrowserShutDown())
        return 0;
    return application.exec();
}
