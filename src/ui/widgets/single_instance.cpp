#include "ui/widgets/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace tovrel {

namespace {

constexpr int ConnectTimeoutMs = 1000;
const char ActivateRequest[] = "activate\n";

}  // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& name, QObject* parent)
    : QObject(parent), m_name(name) {}

SingleInstanceGuard::~SingleInstanceGuard() {
    if (m_server) m_server->close();
}

QString SingleInstanceGuard::DefaultName() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
    user.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    return QStringLiteral("TMivraMainForm-") + user;
}

bool SingleInstanceGuard::TryBecomePrimary() {
    if (m_server) return true;

    // Two copies started together would otherwise both find no server and both listen.
    QLockFile lock(QDir(QDir::tempPath()).filePath(m_name + QStringLiteral(".lock")));
    lock.tryLock(ConnectTimeoutMs * 3);

    if (AskPrimaryToActivate()) return false;

    // Nobody answered: a socket file left behind by a crashed copy is stale.
    QLocalServer::removeServer(m_name);
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_name)) {
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
    socket.connectToServer(m_name);
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
