#pragma once

#include <memory>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class QLocalSocket;
class QWidget;

// How long StartProcess waits at most for a started program to open its
// socket; the main window does not respond meanwhile.
inline constexpr int DefaultReadyTimeoutMs = 5000;

// Starts another of the suite's programs, or hands the argument text to a
// copy of it that is already running:
//   1. a path where something exists that is not an executable file shows
//      "<path>\r\nProgram not executable..." and goes no further;
//   2. a path where nothing exists shows "<path>\r\nnot found..." and goes no
//      further;
//   3. a running copy (FindRunningInstance with the base name of the path)
//      receives the text with PoolArgumentsCode and is not brought forward;
//   4. otherwise the program is started with the text as its one argument
//      (no argument when the text is empty), never through a shell.
// Other failures end silently. Messages go through Feedback().Message.
void RunProgram(const QString& path, const QString& arguments, QWidget* parent = nullptr,
                int readyTimeoutMs = DefaultReadyTimeoutMs);

// Starts a program detached from this one, with an argument list and this
// program's environment and current folder, and waits until it listens on its
// socket (PoolSocketName of the path's base name), until it has ended, or
// for readyTimeoutMs at most. Returns 0, or an errno value when the program
// cannot be started. The process id goes to *pid when asked for.
int StartProcess(const QString& path, const QStringList& arguments,
                 int readyTimeoutMs = DefaultReadyTimeoutMs, qint64* pid = nullptr);

// A connection to the running copy of the program with the given base name;
// nothing when no copy listens.
std::unique_ptr<QLocalSocket> FindRunningInstance(const QString& baseName);

// Sends one message (code, then the text as UTF-8 after its length) over a
// connection and waits until it has been written. False when it could not be.
bool SendPoolMessage(const QString& text, QLocalSocket& connection, quint32 code);
