#include "browser/ui/clsKldbrwsr.h"

#include "browser/ui/PlainBrowserWindow.h"
#include "platform/Kernel.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/SuiteText.h"

#include <QApplication>

namespace k2k {

clsKldbrwsr::clsKldbrwsr(BrowserEnvironment environment, BrowserWindowFactory factory,
                         QObject* parent)
    : QObject(parent), m_environment(std::move(environment)),
      m_factory(factory ? std::move(factory) : BrowserWindowFactory(&PlainBrowserWindow::Make)) {
}

clsKldbrwsr::~clsKldbrwsr() {
    BrowserMainWindow* window = m_window.data();
    if (!window)
        return;
    if (m_started && !window->IsUnloaded())
        window->ShutDown();
    delete window; // also when the unload has asked for a later delete
}

void clsKldbrwsr::SetDropData(const QList<BWR_SEARCHRESULT>& m_DropData) {
    const Hourglass hourglass;
    m_receivedDropList = m_DropData;
}

bool clsKldbrwsr::Load(short iMode) {
    if (!m_window) {
        std::unique_ptr<BrowserMainWindow> window = m_factory(m_environment);
        if (!window)
            return false;
        m_window = window.release();
        m_started = false;
        connect(m_window, &BrowserMainWindow::NotifyClass, this, &clsKldbrwsr::NotifyServer);
        connect(m_window, &BrowserMainWindow::UploadDropData, this,
                &clsKldbrwsr::RelayUploadDropData);
        connect(m_window, &BrowserMainWindow::Unloaded, this, &clsKldbrwsr::WindowUnloaded);
    }
    if (!m_started) {
        // Errors of the start are not passed on: the window is not shown and Load answers
        // false.
        const int error = m_window->Start(ToSuiteText(m_serverPath).value_or(std::string()));
        if (error != 0) {
            if (m_window)
                m_window->deleteLater();
            m_window.clear();
            return false;
        }
        m_started = true;
    }
    m_window->show();
    if (!m_window || m_window->IsUnloaded() || !m_window->isVisible())
        return false;
    // The first showing restores a window the person left maximised.
    const bool keptMaximised = m_window->TakeStartMaximised();
    if (iMode == 0)
        m_window->SetWindowState(keptMaximised ? WindowState::Maximised : WindowState::Normal);
    else if (iMode == 1)
        m_window->SetWindowState(WindowState::Minimised);
    else if (keptMaximised)
        m_window->SetWindowState(WindowState::Maximised);
    m_window->raise();
    m_window->activateWindow();
    if (m_window->Component().GetKernel().E_GetString("ChkPathBrwsr").value_or("") == "1")
        m_window->AP_ExeCmd("K2KBRWSR,UP");
    return true;
}

void clsKldbrwsr::NotifyMe(const QString& /*Aname*/, const QString& sCommand) {
    if (sCommand.isEmpty() || !m_window)
        return;
    // A command the suite's encoding cannot hold names nothing the browser knows.
    if (const std::optional<std::string> command = ToSuiteText(sCommand))
        m_window->AP_ExeCmd(*command);
}

void clsKldbrwsr::RelayUploadDropData() {
    if (!m_window)
        return;
    QList<BWR_SEARCHRESULT> list;
    for (const BWR_SEARCHRESULT& result : m_window->UploadDropList())
        list.append(result);
    emit LoadDropData(list);
}

void clsKldbrwsr::WindowUnloaded() {
    if (m_window)
        m_window->deleteLater();
    m_window.clear();
    m_started = false;
}

} // namespace k2k
