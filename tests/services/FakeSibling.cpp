// A stand-in for one of the suite's other programs, for the launching tests.
// It listens on the socket of the name it was started by and appends to the
// file named by VELLOX_FAKE_SIBLING_LOG:
//   "started <pid>", then "argument <text>" for each argument it was given;
//   "message <code> <length> <text>" for each message it receives.
// It ends by itself after a minute, so that a test that fails to stop it
// leaves nothing running for long.
#include "services/PoolServer.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

namespace {

constexpr int LifetimeMs = 60000;

void Log(const QByteArray& line)
{
    QFile log(qEnvironmentVariable("VELLOX_FAKE_SIBLING_LOG"));
    if (log.open(QIODevice::Append))
        log.write(line + '\n');
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Log("started " + QByteArray::number(QCoreApplication::applicationPid()));
    for (const QString& argument : QCoreApplication::arguments().mid(1))
        Log("argument " + argument.toUtf8());

    TPoolServer server;
    QObject::connect(&server, &TPoolServer::MessageReceived,
                     [](quint32 code, const QByteArray& text) {
                         Log("message " + QByteArray::number(code) + " " +
                             QByteArray::number(text.size()) + " " + text);
                     });
    if (!server.Listen()) {
        Log("not listening");
        return 1;
    }
    QTimer::singleShot(LifetimeMs, &app, &QCoreApplication::quit);
    return app.exec();
}
