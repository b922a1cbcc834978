#include "ui/widgets/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace tovrel {

namespace {

constexpr int ConnectTimeoutMs = 1000;
const char ActivateRequest[] = "activate\n";

}  // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& name, const QString& folder, QObject* parent)
    : QObject(parent), m_name(name), m_folder(folder) {}

SingleInstanceGuard::~SingleInstanceGuard() {
    if (m_server) m_server->close();
}

QString SingleInstanceGuard::DefaultName() {
    return QStringLiteral("TMivraMainForm");
}

QString SingleInstanceGuard::PrivateFolder() {
#ifdef Q_OS_WIN
    // Pipe names are not files; the user's name keeps two users' copies apart.
    return QStringLiteral("-") + qEnvironmentVariable("USERNAME");
#else
    // Qt gives it only when it belongs to the user and no one else may enter it.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
#endif
}

QString SingleInstanceGuard::ServerName() const {
#ifdef Q_OS_WIN
    return m_name + m_folder;
#else
    return m_folder.isEmpty() ? QString() : QDir(m_folder).filePath(m_name);
#endif
}

bool SingleInstanceGuard::TryBecomePrimary() {
    if (m_server) return true;
    const QString serverName = ServerName();
    if (serverName.isEmpty()) {
        // Better two copies than none: a shared folder could be taken by another user first.
        qWarning("single instance guard: no private runtime folder");
        return true;
    }

    // Two copies started together would otherwise both find no server and both listen.
#ifdef Q_OS_WIN
    QLockFile lock(QDir(QDir::tempPath()).filePath(serverName + QStringLiteral(".lock")));
#else
    QLockFile lock(serverName + QStringLiteral(".lock"));
#endif
    lock.tryLock(ConnectTimeoutMs * 3);

    if (AskPrimaryToActivate()) return false;

    // Nobody answered: a socket file left behind by a crashed copy is stale.
    QLocalServer::removeServer(serverName);
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(serverName)) {
        // Without the guard the program still runs; only the second-copy check is lost.
        qWarning("single instance guard: %s", qPrintable(server->errorString()));
        delete server;
        return true;
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstanceGuard::AcceptConnections);
    return true;
}

bool SingleInstanceGuard::AskPrimaryToActivate() {
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(ConnectTimeoutMs)) return false;
    socket.write(ActivateRequest);
    socket.waitForBytesWritten(ConnectTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(ConnectTimeoutMs);
    return true;
}

void SingleInstanceGuard::AcceptConnections() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The other copy may have written and gone before the connection was taken.
        ReadRequest(socket);
        if (socket->state() == QLocalSocket::UnconnectedState) socket->deleteLater();
    }
}

void SingleInstanceGuard::ReadRequest(QLocalSocket* socket) {
    if (!socket->canReadLine()) return;
    const QByteArray line = socket->readLine();
    if (line == ActivateRequest) emit activationRequested();
    socket->disconnectFromServer();
}

}  // namespace tovrel
