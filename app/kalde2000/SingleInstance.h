#pragma once
// One host per user and display session: the first start holds a lock file in the user's
// runtime folder ($XDG_RUNTIME_DIR, or the temporary folder) and listens on a local socket
// beside it. A later start finds the lock taken, asks the first one through the socket to
// bring its windows forward, and ends, saying so. A lock left by a crashed start is stale
// (its process is gone) and taken over.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>

namespace k2k {

class SingleInstance final : public QObject {
    Q_OBJECT
public:
    SingleInstance();

    // True when no other host holds the lock; this one holds it from now on.
    bool TakeLock();
    // As the first: runs comeForward whenever a later start asks.
    void Listen(std::function<void()> comeForward);
    // As a later start: true when the first answered that it came forward.
    bool AskFirstToComeForward() const;
    QString LockPath() const { return m_folder + QStringLiteral("/kalde2000.lock"); }

private:
    QString SocketPath() const { return m_folder + QStringLiteral("/kalde2000.socket"); }

    QString m_folder;
    QLockFile m_lock;
    QLocalServer m_server;
    std::function<void()> m_comeForward;
};

} // namespace k2k
