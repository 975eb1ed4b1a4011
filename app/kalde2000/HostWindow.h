#pragma once
// The host program's window: it plays the suite's main application. It creates the
// browser's class, sets its server path and loads it; shows every NotifyServer and
// LoadDropData in its log; hands typed commands to NotifyMe; and lets the user mark the
// schematic and layout editors as running (their status values), so that the browser's
// commands to them are sent. When the browser says "SHUTDOWN" the program ends.

#include "host/ui/clsKldbrwsr.h"
#include "platform/MessageBoxes.h"

#include <QMainWindow>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace k2k {

class Kernel;

// The browser's message boxes when nobody is there to click them: each goes to the log,
// and a question is answered No.
class LoggedMessageBoxes final : public MessageBoxes {
public:
    explicit LoggedMessageBoxes(std::function<void(const QString&)> log) : m_log(std::move(log)) {}
    MsgAnswer Show(const MessageRequest& request) override;

private:
    std::function<void(const QString&)> m_log;
};

class HostWindow final : public QMainWindow {
    Q_OBJECT
public:
    HostWindow(Kernel& kernel, QWidget* parent = nullptr);

    void Log(const QString& line);
    // Marks an application as running (a status record) or not (none).
    void SetRunning(const QString& app, bool running);
    void Attach(clsKldbrwsr& browser);

    // Each NotifyServer also goes here (the scripted mode prints it).
    std::function<void(const QString&, const QString&)> onNotifyServer;
    bool BrowserShutDown() const noexcept { return m_shutDown; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Heard(const QString& aname, const QString& command);
    void SendTypedCommand();

    Kernel& m_kernel;
    clsKldbrwsr* m_browser = nullptr;
    QPlainTextEdit* m_log;
    QLineEdit* m_command;
    QCheckBox* m_schematic;
    QCheckBox* m_layout;
    bool m_shutDown = false;
};

} // namespace k2k
