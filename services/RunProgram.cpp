#include "services/RunProgram.h"

#include "services/PoolMessage.h"
#include "services/UserFeedback.h"

#include <cerrno>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QThread>
#include <signal.h>

namespace {

constexpr int ConnectTimeoutMs = 1000;
constexpr int WriteTimeoutMs = 5000;
constexpr int PollIntervalMs = 100;

// True once the process with that id has ended: it is gone, or it is a
// zombie that nobody has reaped yet.
bool HasEnded(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        // "<pid> (<name>) <state> ...": the name may hold blanks and brackets.
        const QByteArray text = stat.readAll();
        const qsizetype close = text.lastIndexOf(')');
        return close >= 0 && close + 2 < text.size() && text[close + 2] == 'Z';
    }
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Why the file at a path cannot be started, as an errno value; 0 when it
// looks startable.
int StartProblem(const QFileInfo& file)
{
    if (!file.exists())
        return ENOENT;
    if (file.isDir())
        return EISDIR;
    if (!file.isFile() || !file.isExecutable())
        return EACCES;
    return 0;
}

} // namespace

std::unique_ptr<QLocalSocket> FindRunningInstance(const QString& baseName)
{
    auto connection = std::make_unique<QLocalSocket>();
    connection->connectToServer(PoolSocketName(baseName));
    if (!connection->waitForConnected(ConnectTimeoutMs))
        return nullptr;
    return connection;
}

bool SendPoolMessage(const QString& text, QLocalSocket& connection, quint32 code)
{
    const QByteArray message = EncodePoolMessage(code, text.toUtf8());
    if (connection.write(message) != message.size())
        return false;
    while (connection.bytesToWrite() > 0)
        if (!connection.waitForBytesWritten(WriteTimeoutMs))
            return false;
    return true;
}

int StartProcess(const QString& path, const QStringList& arguments, int readyTimeoutMs, qint64* pid)
{
    const QFileInfo file(path);
    if (const int problem = StartProblem(file); problem != 0)
        return problem;
    // The absolute path, so that a bare file name is never looked up in PATH.
    qint64 started = 0;
    if (!QProcess::startDetached(file.absoluteFilePath(), arguments, QString(), &started))
        return ENOEXEC;
    if (pid != nullptr)
        *pid = started;

    // Wait until the program is ready for input, that is, listens on its
    // socket; give up early when it has already ended.
    const QString baseName = ProgramBaseName(path);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < readyTimeoutMs && !HasEnded(started)) {
        if (FindRunningInstance(baseName))
            break;
        QThread::msleep(PollIntervalMs);
    }
    return 0;
}

void RunProgram(const QString& path, const QString& arguments, QWidget* parent, int readyTimeoutMs)
{
    const QFileInfo file(path);
    if (file.exists() && !(file.isFile() && file.isExecutable())) {
        Feedback().Message(parent, path + QStringLiteral("\r\nProgram not executable..."));
        return;
    }
    if (!file.exists()) {
        Feedback().Message(parent, path + QStringLiteral("\r\nnot found..."));
        return;
    }
    if (const auto running = FindRunningInstance(ProgramBaseName(path))) {
        SendPoolMessage(arguments, *running, PoolArgumentsCode);
        running->disconnectFromServer();
        return;
    }
    StartProcess(path, arguments.isEmpty() ? QStringList() : QStringList{arguments},
                 readyTimeoutMs);
}
