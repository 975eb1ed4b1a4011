#include "browser/ui/StatusFeedback.h"

#include "browser/ui/frmSplash.h"
#include "platform/ui/SuiteText.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace k2k {

StatusFeedback::StatusFeedback(QMainWindow& window, std::function<void(bool)> hourglass,
                               std::function<void(bool)> publishBusy)
    : m_window(window), m_hourglass(std::move(hourglass)), m_publishBusy(std::move(publishBusy)) {
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

void StatusFeedback::LetPendingEventsRun() {
    if (m_pumpGate.Due()) {
        if (m_display)
            m_display->BeforePendingEventsRun();
        QApplication::processEvents();
    }
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
    if (m_display)
        m_display->SetSearching(searching);
}

void StatusFeedback::ResultsChanged(LibraryKind kind) {
    if (m_display)
        m_display->ResultsChanged(kind);
}

void StatusFeedback::ResultViewCleared(LibraryKind kind) {
    if (m_display)
        m_display->ResultViewCleared(kind);
}

void StatusFeedback::ShowProgress(const std::string& text) {
    if (m_splash)
        m_splash->ShowProgress(text);
}

} // namespace k2k
