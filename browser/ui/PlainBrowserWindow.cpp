#include "browser/ui/PlainBrowserWindow.h"

#include "platform/ui/SuiteText.h"
#include "search/LibraryCatalogue.h"
#include "search/SearchEngine.h"

#include <QPlainTextEdit>

namespace k2k {

PlainBrowserWindow::PlainBrowserWindow(const BrowserEnvironment& environment, QWidget* parent)
    : BrowserMainWindow(environment, parent), m_log(new QPlainTextEdit(this)) {
    m_log->setObjectName(QStringLiteral("txtLog"));
    m_log->setReadOnly(true);
    setCentralWidget(m_log);
}

std::unique_ptr<BrowserMainWindow> PlainBrowserWindow::Make(const BrowserEnvironment& environment) {
    return std::make_unique<PlainBrowserWindow>(environment);
}

void PlainBrowserWindow::Log(const QString& line) {
    m_asked << line;
    m_log->appendPlainText(line);
}

void PlainBrowserWindow::SetWindowState(WindowState state) {
    Log(QStringLiteral("window state %1").arg(static_cast<int>(state)));
    BrowserMainWindow::SetWindowState(state);
}

void PlainBrowserWindow::RefreshViewers() {
    Log(QStringLiteral("refresh the symbol and package viewers"));
}

void PlainBrowserWindow::RefillLibraryLists() {
    const LibraryCatalogue& catalogue = Component().Catalogue();
    Log(QStringLiteral("library lists: %1 part, %2 symbol, %3 package, %4 padstack libraries")
            .arg(catalogue.Count(LibraryKind::Part))
            .arg(catalogue.Count(LibraryKind::Symbol))
            .arg(catalogue.Count(LibraryKind::Package))
            .arg(catalogue.Count(LibraryKind::Padstack)));
}

void PlainBrowserWindow::RunSearchSequence() {
    Log(QStringLiteral("run the search sequence"));
}

void PlainBrowserWindow::Relocalise() {
    Log(QStringLiteral("localise with the language path %1")
            .arg(FromSuiteText(Component().Services().LanguagePath())));
    BrowserMainWindow::Relocalise();
}

bool PlainBrowserWindow::FormUpdate() {
    Log(QStringLiteral("form update"));
    return BrowserMainWindow::FormUpdate();
}

void PlainBrowserWindow::SetUpWindow() {
    Log(QStringLiteral("set up the window"));
    RefillLibraryLists();
    Feedback().ShowStatus(EnterSearchOptionsText(Component().Services()));
}

void PlainBrowserWindow::SaveGridLayout() {
    Log(QStringLiteral("save the grid layout"));
}

} // namespace k2k
