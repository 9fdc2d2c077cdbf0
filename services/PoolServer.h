#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;

// The receiving side of the suite's message pool: listens on the program's
// socket (PoolSocketName) and reports each message that arrives, so that
// another program's RunProgram reaches this running copy instead of starting
// a second one.
class TPoolServer : public QObject {
    Q_OBJECT

public:
    explicit TPoolServer(QObject* parent = nullptr);
    ~TPoolServer() override;
    TPoolServer(const TPoolServer&) = delete;
    TPoolServer& operator=(const TPoolServer&) = delete;

    // Listens on the socket of the given base name; with none, on that of this
    // program (the base name it was started by). False when a running copy
    // already listens there or the socket cannot be made. A socket left behind
    // by a copy that ended without closing it is replaced.
    bool Listen(const QString& baseName = QString());
    void Close();
    bool IsListening() const;
    // The full path of the socket listened on; empty when not listening.
    QString SocketName() const;

signals:
    // One message: its code and its 8-bit text (UTF-8).
    void MessageReceived(quint32 code, const QByteArray& text);

private:
    void AcceptConnections();

    QLocalServer* Server_;
};
