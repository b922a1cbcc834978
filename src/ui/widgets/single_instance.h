// Keeps one copy of the program per user: a second copy asks the first to come forward and ends.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace tovrel {

class SingleInstanceGuard : public QObject {
    Q_OBJECT
public:
    // The socket and its lock file are named `name` inside `folder`; an empty folder leaves the
    // program without the guard (it still starts).
    explicit SingleInstanceGuard(const QString& name = DefaultName(), const QString& folder = PrivateFolder(),
                                 QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // "TMivraMainForm".
    static QString DefaultName();
    // The user's private runtime folder ($XDG_RUNTIME_DIR, which only the user may enter), so that
    // another user cannot take the name first. Empty when there is no such folder that is safe.
    static QString PrivateFolder();
    // Where the socket is listened for.
    QString ServerName() const;

    // True when this copy is now the primary one. False when another copy answered; it has been
    // asked to come forward.
    bool TryBecomePrimary();

signals:
    // Another copy was started: the main window raises and restores itself.
    void activationRequested();

private:
    bool AskPrimaryToActivate();
    void AcceptConnections();
    void ReadRequest(QLocalSocket* socket);

    QString m_name;
    QString m_folder;
    QLocalServer* m_server = nullptr;
};

}  // namespace tovrel
