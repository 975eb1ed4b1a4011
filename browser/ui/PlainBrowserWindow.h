#pragma once
// A stand-in main window until the browser's real window is assembled: no tabs, a status
// bar, and a log of everything the host class and the commands asked of it. It runs the
// real window start and unload of BrowserMainWindow, so the host program and the tests
// drive the component's whole lifecycle through it.

#include "browser/ui/BrowserMainWindow.h"

#include <QStringList>

class QPlainTextEdit;

namespace k2k {

class PlainBrowserWindow final : public BrowserMainWindow {
    Q_OBJECT
public:
    explicit PlainBrowserWindow(const BrowserEnvironment& environment, QWidget* parent = nullptr);

    static std::unique_ptr<BrowserMainWindow> Make(const BrowserEnvironment& environment);

    // What it was asked, oldest first.
    const QStringList& Asked() const noexcept { return m_asked; }

    void SetWindowState(WindowState state) override;
    void RefreshViewers() override;
    void RefillLibraryLists() override;
    void RunSearchSequence() override;
    void Relocalise() override;
    bool FormUpdate() override;

protected:
    void SetUpWindow() override;
    void SaveGridLayout() override;

private:
    void Log(const QString& line);

    QPlainTextEdit* m_log;
    QStringList m_asked;
};

} // namespace k2k
