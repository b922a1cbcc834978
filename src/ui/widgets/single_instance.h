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
    explicit SingleInstanceGuard(const QString& name = DefaultName(), QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // "TMivraMainForm-" + the user name.
    static QString DefaultName();

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
    QLocalServer* m_server = nullptr;
};

}  // namespace tovrel
