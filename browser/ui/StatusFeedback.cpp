#include "browser/ui/StatusFeedback.h"

#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "browser/ui/frmSplash.h"
#include "common/ObjectKinds.h"
#include "platform/ui/LocaliseForm.h"
#include "platform/ui/SuiteText.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QSizeGrip>
#include <QStatusBar>

namespace k2k {

namespace {

// The result lists take the rows found at most this often while a search runs.
constexpr qint64 kSyncIntervalMs = 100;

} // namespace

StatusFeedback::StatusFeedback(QMainWindow& window, std::function<void(bool)> hourglass,
                               std::function<void(bool)> publishBusy)
    : m_window(window), m_hourglass(std::move(hourglass)), m_publishBusy(std::move(publishBusy)) {
    m_sinceSync.start();
}

void StatusFeedback::AddMessagePanels() {
    QStatusBar* bar = m_window.statusBar();
    m_panel = new QLabel(&m_window);
    m_panel->setObjectName(QStringLiteral("MSG1"));
    bar->addWidget(m_panel, 1);
    for (const char* key : {"CAPS", "NUM"}) {
        auto* panel = new QLabel(QString::fromLatin1(key), &m_window);
        panel->setObjectName(QString::fromLatin1(key));
        panel->setEnabled(false);
        bar->addPermanentWidget(panel);
    }
    bar->setSizeGripEnabled(true);
    if (auto* grip = bar->findChild<QSizeGrip*>())
        SetAccessibleName(*grip, QStringLiteral("Window size"), "992270");
}

void StatusFeedback::SetSearchControls(SearchControls controls) {
    m_controls = std::move(controls);
}

void StatusFeedback::DropWindowControls() noexcept {
    m_panel = nullptr;
    m_controls = {};
}

void StatusFeedback::ShowStatusText(const QString& text) {
    if (m_panel)
        m_panel->setText(text);
    else
        m_window.statusBar()->showMessage(text);
}

QString StatusFeedback::StatusText() const {
    return m_panel ? m_panel->text() : m_window.statusBar()->currentMessage();
}

void StatusFeedback::ShowSearching(bool searching) {
    if (m_controls.findNow)
        m_controls.findNow->setVisible(!searching);
    if (m_controls.stop)
        m_controls.stop->setVisible(searching);
}

// A search reports its rows after each library; a large library would keep them from the
// lists until it is read, so the rows found so far are also shown before events run.
void StatusFeedback::LetPendingEventsRun() {
    if (!m_pumpGate.Due())
        return;
    if (m_searching && RowsDue())
        for (LibraryKind kind : kAllKinds)
            SyncRows(kind);
    QApplication::processEvents();
}

void StatusFeedback::ShowStatus(const std::string& text) {
    ShowStatusText(FromSuiteText(text));
    if (m_panel && m_repaintGate.Due())
        m_window.statusBar()->repaint();
}

void StatusFeedback::Beep() {
    QApplication::beep();
}

void StatusFeedback::SetHourglass(bool on) {
    m_hourglass(on);
}

void StatusFeedback::PublishBusy(bool busy) {
    m_publishBusy(busy);
}

void StatusFeedback::SetSearching(bool searching) {
    m_searching = searching;
    m_firstRowsDue = searching;
    ShowSearching(searching);
    if (searching)
        return;
    for (LibraryKind kind : kAllKinds) {
        SyncRows(kind);
        if (ResultListView* view = View(kind))
            view->FitColumns(m_controls.fitColumns && m_controls.fitColumns());
    }
}

void StatusFeedback::ResultsChanged(LibraryKind kind) {
    if (m_searching && !RowsDue())
        return;
    SyncRows(kind);
}

void StatusFeedback::ResultViewCleared(LibraryKind kind) {
    if (ResultListView* view = View(kind))
        view->Model().Reset();
}

bool StatusFeedback::RowsDue() const {
    return m_firstRowsDue || m_sinceSync.elapsed() >= kSyncIntervalMs;
}

void StatusFeedback::SyncRows(LibraryKind kind) {
    ResultListView* view = View(kind);
    if (!view)
        return;
    ResultListModel& model = view->Model();
    const int shown = model.rowCount();
    model.SyncNewRows();
    if (model.rowCount() > shown)
        m_firstRowsDue = false;
    m_sinceSync.restart();
}

void StatusFeedback::ShowProgress(const std::string& text) {
    if (m_splash)
        m_splash->ShowProgress(text);
}

} // namespace k2k
