#pragma once
// The host program's window: it plays the suite's main application. It creates the
// browser's class, sets its server path and loads it; hands typed commands to NotifyMe;
// lets the user mark each application of the suite as running, as the suite does (its
// status record and its main-window handle "MW_<name>"), so that the browser's commands to
// it are sent and its Send To tools enable; and lists every command the browser sends
// (NotifyServer, LoadDropData) with what the suite does with it. Objects dragged out of the
// browser can be dropped on it, as on the suite's editors: the drop asks for the drag's
// data, and the browser then raises LoadDropData. The main application is
// this program, so it is running from the start. When the browser says "SHUTDOWN" the
// program ends.

#include "browser/ui/clsKldbrwsr.h"
#include "platform/MessageBoxes.h"

#include <QMainWindow>
#include <QMap>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QTreeWidget;

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
    // Marks an application as running (its status record and main-window handle) or not
    // (neither); its check box, when it has one, follows.
    void SetRunning(const QString& app, bool running);
    bool IsRunning(const QString& app) const;
    void Attach(clsKldbrwsr& browser);

    // Each NotifyServer also goes here (the scripted mode prints it).
    std::function<void(const QString&, const QString&)> onNotifyServer;
    bool BrowserShutDown() const noexcept { return m_shutDown; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void Heard(const QString& aname, const QString& command);
    void HeardDropData(const QList<BWR_SEARCHRESULT>& results);
    void AddCommandRow(const QString& aname, const QString& command, const QString& reaction);
    // What the suite does with a command from the browser (empty: nothing to say).
    QString Reaction(const QString& aname, const QString& command);
    void SendTypedCommand();

    Kernel& m_kernel;
    clsKldbrwsr* m_browser = nullptr;
    QTreeWidget* m_commands;
    QPlainTextEdit* m_log;
    QLineEdit* m_command;
    QMap<QString, QCheckBox*> m_running;
    int m_lastDropCount = 0;
    bool m_shutDown = false;
};

} // namespace k2k
