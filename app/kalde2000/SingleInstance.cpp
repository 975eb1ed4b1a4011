#include "SingleInstance.h"

#include "system/UserFolders.h"

#include <QDir>
#include <QLocalSocket>

#include <unistd.h>

namespace k2k {

namespace {

constexpr int kAnswerWaitMs = 3000;
const QByteArray kComeForward = "come-forward\n";
const QByteArray kCameForward = "came-forward\n";

// Without a runtime folder the temporary one holds it, named for the user, since the
// temporary folder is shared.
QString InstanceFolder() {
    if (const auto runtime = UserRuntimeFolder())
        return QString::fromStdString(runtime->string());
    const QString folder = QDir::temp().filePath(QStringLiteral("kalde2000-%1").arg(getuid()));
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return folder;
}

} // namespace

SingleInstance::SingleInstance() : m_folder(InstanceFolder()), m_lock(LockPath()) {
}

bool SingleInstance::TakeLock() {
    return m_lock.tryLock(0);
}

void SingleInstance::Listen(std::function<void()> comeForward) {
    m_comeForward = std::move(comeForward);
    // The lock is ours, so a socket left there is a crashed host's.
    QLocalServer::removeServer(SocketPath());
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(SocketPath()))
        return;
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = m_server.nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, client, [this, client] {
                if (!client->canReadLine() || client->readLine() != kComeForward)
                    return;
                if (m_comeForward)
                    m_comeForward();
                client->write(kCameForward);
                client->flush();
                client->disconnectFromServer();
            });
        }
    });
}

bool SingleInstance::AskFirstToComeForward() const {
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(kAnswerWaitMs))
        return false;
    socket.write(kComeForward);
    if (!socket.waitForBytesWritten(kAnswerWaitMs))
        return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(kAnswerWaitMs))
            return false;
    return socket.readLine() == kCameForward;
}

} // namespace k2k
