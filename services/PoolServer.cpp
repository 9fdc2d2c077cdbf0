#include "services/PoolServer.h"

#include "services/PoolMessage.h"

#include <memory>
#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

// How long a copy that may already listen gets to accept a connection.
constexpr int ProbeTimeoutMs = 500;

QString OwnBaseName()
{
    const QStringList arguments = QCoreApplication::arguments();
    const QString path = arguments.isEmpty() || arguments.first().isEmpty()
                             ? QCoreApplication::applicationFilePath()
                             : arguments.first();
    return ProgramBaseName(path);
}

bool SomeoneListens(const QString& socketName)
{
    QLocalSocket probe;
    probe.connectToServer(socketName);
    const bool connected = probe.waitForConnected(ProbeTimeoutMs);
    probe.abort();
    return connected;
}

} // namespace

TPoolServer::TPoolServer(QObject* parent) : QObject(parent), Server_(new QLocalServer(this))
{
    Server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(Server_, &QLocalServer::newConnection, this, &TPoolServer::AcceptConnections);
}

TPoolServer::~TPoolServer()
{
    Close();
}

bool TPoolServer::Listen(const QString& baseName)
{
    Close();
    const QString name = PoolSocketName(baseName.isEmpty() ? OwnBaseName() : baseName);
    if (SomeoneListens(name))
        return false;
    // Nobody answers: whatever is at the path is a socket left behind.
    QLocalServer::removeServer(name);
    return Server_->listen(name);
}

void TPoolServer::Close()
{
    Server_->close();
}

bool TPoolServer::IsListening() const
{
    return Server_->isListening();
}

QString TPoolServer::SocketName() const
{
    return Server_->isListening() ? Server_->fullServerName() : QString();
}

void TPoolServer::AcceptConnections()
{
    while (QLocalSocket* connection = Server_->nextPendingConnection()) {
        auto reader = std::make_shared<TPoolMessageReader>();
        const auto readAll = [this, connection, reader] {
            reader->Append(connection->readAll());
            while (const auto message = reader->Next())
                emit MessageReceived(message->Code, message->Text);
            if (reader->Failed()) {
                // A length no sender of the suite writes: nothing more is
                // taken from this connection.
                QObject::disconnect(connection, nullptr, this, nullptr);
                connection->abort();
                connection->deleteLater();
            }
        };
        connect(connection, &QLocalSocket::readyRead, this, readAll);
        connect(connection, &QLocalSocket::disconnected, this, [connection, readAll] {
            readAll();
            connection->deleteLater();
        });
        // Bytes may have arrived before the connection was taken up.
        readAll();
    }
}
