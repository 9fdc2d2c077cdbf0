#include "services/PoolMessage.h"
#include "services/PoolServer.h"
#include "services/RunProgram.h"
#include "support/ParamName.h"
#include "support/RecordingFeedback.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <signal.h>
#include <unistd.h>
#include <vector>

namespace {

// True while the process runs (a zombie has ended).
bool IsAlive(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close >= 0 && close + 2 < text.size() && text[close + 2] != 'Z';
}

// Ends the programs a test started, however the test ends.
class TStartedPrograms {
public:
    TStartedPrograms() = default;
    TStartedPrograms(const TStartedPrograms&) = delete;
    TStartedPrograms& operator=(const TStartedPrograms&) = delete;
    ~TStartedPrograms()
    {
        for (const qint64 pid : Pids_) {
            ::kill(static_cast<pid_t>(pid), SIGTERM);
            QElapsedTimer clock;
            clock.start();
            while (IsAlive(pid) && clock.elapsed() < 2000)
                QThread::msleep(20);
            if (IsAlive(pid))
                ::kill(static_cast<pid_t>(pid), SIGKILL);
        }
    }
    void Add(qint64 pid) { Pids_.push_back(pid); }

private:
    std::vector<qint64> Pids_;
};

QByteArrayList LogLines(const QString& path)
{
    QFile log(path);
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QByteArrayList lines = log.readAll().split('\n');
    lines.removeAll(QByteArray());
    return lines;
}

QByteArrayList LinesStartingWith(const QByteArrayList& lines, const QByteArray& start)
{
    QByteArrayList found;
    for (const QByteArray& line : lines)
        if (line.startsWith(start))
            found.append(line);
    return found;
}

// A suite folder of the test's own holding the fake sibling as
// <suite>/Pelorus/Pelorus, whose log goes to <suite>/log.
class FakeSiblingTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Suite.isValid());
        ASSERT_TRUE(QDir(Suite.path()).mkpath("Pelorus"));
        Program = Suite.filePath("Pelorus/Pelorus");
        ASSERT_TRUE(QFile::copy(FAKE_SIBLING_PROGRAM, Program));
        LogPath = Suite.filePath("log");
        qputenv("VELLOX_FAKE_SIBLING_LOG", LogPath.toLocal8Bit());
    }

    // The sibling's process id from its log; 0 before it has written it.
    qint64 SiblingPid() const
    {
        const auto started = LinesStartingWith(LogLines(LogPath), "started ");
        return started.isEmpty() ? 0 : started.first().mid(8).toLongLong();
    }

    QTemporaryDir Suite;
    QString Program;
    QString LogPath;
    TStartedPrograms Started;
    TRecordingFeedback Feedback;
};

TEST_F(FakeSiblingTest, NotRunningItIsStartedWithoutAShellAndWaitedFor)
{
    const QString marker = Suite.filePath("injected");
    const QString arguments = "; touch " + marker + " $(touch " + marker + ") 'R22 café'";
    QElapsedTimer clock;
    clock.start();
    RunProgram(Program, arguments);
    const qint64 elapsed = clock.elapsed();
    Started.Add(SiblingPid());

    EXPECT_LT(elapsed, DefaultReadyTimeoutMs - 1000) << "the wait ends when the socket appears";
    EXPECT_NE(FindRunningInstance("Pelorus"), nullptr) << "ready for input on return";
    const QByteArrayList lines = LogLines(LogPath);
    ASSERT_EQ(lines.size(), 2) << lines.join('|').toStdString();
    EXPECT_TRUE(lines[0].startsWith("started "));
    EXPECT_EQ(lines[1], "argument " + arguments.toUtf8());
    EXPECT_FALSE(QFile::exists(marker));
    EXPECT_TRUE(Feedback.Messages.isEmpty());
}

TEST_F(FakeSiblingTest, RunningItReceivesOneMessageWithCode3PerPress)
{
    qint64 pid = 0;
    ASSERT_EQ(StartProcess(Program, {}, DefaultReadyTimeoutMs, &pid), 0);
    Started.Add(pid);
    ASSERT_NE(FindRunningInstance("Pelorus"), nullptr);

    RunProgram(Program, QString());
    RunProgram(Program, QString());
    const auto messages = [&] { return LinesStartingWith(LogLines(LogPath), "message "); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages().size() >= 2; }, 5000));
    QTest::qWait(300); // time for a message too many to show up
    EXPECT_EQ(messages(), QByteArrayList({"message 3 0 ", "message 3 0 "}));

    RunProgram(Program, QStringLiteral("R22 -25 °C"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages().size() >= 3; }, 5000));
    EXPECT_EQ(messages().value(2), "message 3 11 " + QStringLiteral("R22 -25 °C").toUtf8());
    EXPECT_EQ(LinesStartingWith(LogLines(LogPath), "started ").size(), 1) << "no second copy";
    EXPECT_TRUE(Feedback.Messages.isEmpty());
}

struct TRefusedPath {
    std::string Name;
    std::string Message;
    friend void PrintTo(const TRefusedPath& c, std::ostream* out) { *out << c.Name; }
};

class RefusedPaths : public testing::TestWithParam<TRefusedPath> {};

// Each case prepares the path "<folder>/Pelorus" its own way.
TEST_P(RefusedPaths, ShowThePathAndWhyAndStartNothing)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("Pelorus");
    const std::string& name = GetParam().Name;
    if (name == "Folder")
        QDir(folder.path()).mkpath("Pelorus");
    else if (name == "PlainFile" || name == "ReadOnlyFile") {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\ntouch \"$0.ran\"\n");
        file.setPermissions(name == "PlainFile" ? QFile::ReadOwner | QFile::WriteOwner
                                                : QFile::ReadOwner);
    } else if (name == "BrokenLink")
        QFile::link(folder.filePath("gone"), path);

    TRecordingFeedback feedback;
    RunProgram(path, QString());
    EXPECT_EQ(feedback.Messages, QStringList(path + QString::fromStdString(GetParam().Message)));
    QTest::qWait(100);
    EXPECT_FALSE(QFile::exists(path + ".ran"));
}

INSTANTIATE_TEST_SUITE_P(RunProgram, RefusedPaths,
                         testing::Values(TRefusedPath{"Nothing", "\r\nnot found..."},
                                         TRefusedPath{"BrokenLink", "\r\nnot found..."},
                                         TRefusedPath{"Folder", "\r\nProgram not executable..."},
                                         TRefusedPath{"PlainFile", "\r\nProgram not executable..."},
                                         TRefusedPath{"ReadOnlyFile",
                                                      "\r\nProgram not executable..."}),
                         TParamName());

TEST(StartProcess, ReportsWhyAProgramCannotStart)
{
    QTemporaryDir folder;
    QFile plain(folder.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    QFile notAProgram(folder.filePath("notAProgram"));
    ASSERT_TRUE(notAProgram.open(QIODevice::WriteOnly));
    notAProgram.write("\x7F"
                      "ELF but nothing more");
    notAProgram.close();
    notAProgram.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(StartProcess(folder.filePath("absent"), {}), ENOENT);
    EXPECT_EQ(StartProcess(folder.path(), {}), EISDIR);
    EXPECT_EQ(StartProcess(folder.filePath("plain"), {}), EACCES);
    EXPECT_EQ(StartProcess(folder.filePath("notAProgram"), {}), ENOEXEC);
}

TEST(StartProcess, WaitIsBoundedAndEndsWithTheProgram)
{
    TStartedPrograms started;
    QElapsedTimer clock;
    clock.start();
    qint64 pid = 0;
    // Runs on but never listens: the wait ends at its limit.
    ASSERT_EQ(StartProcess("/bin/sleep", {"30"}, 400, &pid), 0);
    started.Add(pid);
    EXPECT_GE(clock.elapsed(), 400);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(IsAlive(pid));

    // Ends at once: the wait ends with it.
    clock.restart();
    ASSERT_EQ(StartProcess("/bin/true", {}, 10000), 0);
    EXPECT_LT(clock.elapsed(), 3000);
}

// The receiving side inside this test program.
class PoolTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Server.Listen("Tarnwick")); }

    // Waits until the spy holds count messages; returns them as code and text.
    std::vector<std::pair<quint32, QByteArray>> Received(QSignalSpy& spy, int count)
    {
        static_cast<void>(QTest::qWaitFor([&] { return spy.size() >= count; }, 5000));
        std::vector<std::pair<quint32, QByteArray>> result;
        for (const auto& arguments : spy)
            result.emplace_back(arguments[0].value<quint32>(), arguments[1].toByteArray());
        return result;
    }

    TPoolServer Server;
};

TEST_F(PoolTest, MessagesArriveWhole)
{
    EXPECT_EQ(Server.SocketName(), PoolSocketName("Tarnwick"));
    EXPECT_TRUE(Server.SocketName().startsWith(qEnvironmentVariable("XDG_RUNTIME_DIR") + "/"));
    EXPECT_TRUE(Server.SocketName().endsWith(QStringLiteral("-%1-Tarnwick").arg(::getuid())));

    QSignalSpy spy(&Server, &TPoolServer::MessageReceived);
    const QString long_(100000, QChar('x'));
    {
        const auto connection = FindRunningInstance("Tarnwick");
        ASSERT_NE(connection, nullptr);
        // Several messages over one connection, one of them larger than a
        // socket buffer.
        EXPECT_TRUE(SendPoolMessage(QString(), *connection, PoolArgumentsCode));
        EXPECT_TRUE(SendPoolMessage(QStringLiteral("R404A -20 °C"), *connection, 7));
        EXPECT_TRUE(SendPoolMessage(long_, *connection, 0xFFFFFFFFu));
    }
    const auto received = Received(spy, 3);
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[0], std::make_pair(PoolArgumentsCode, QByteArray()));
    EXPECT_EQ(received[1], std::make_pair(7u, QStringLiteral("R404A -20 °C").toUtf8()));
    EXPECT_EQ(received[2], std::make_pair(0xFFFFFFFFu, long_.toUtf8()));
}

TEST_F(PoolTest, AnOverlongBlockDropsTheConnection)
{
    QSignalSpy spy(&Server, &TPoolServer::MessageReceived);
    const auto connection = FindRunningInstance("Tarnwick");
    ASSERT_NE(connection, nullptr);
    QByteArray message = EncodePoolMessage(3, "x");
    message[4] = '\xFF';
    message[7] = '\x7F'; // a length of almost 2 GiB
    connection->write(message);
    connection->waitForBytesWritten(1000);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return connection->state() == QLocalSocket::UnconnectedState; }, 5000));
    EXPECT_EQ(spy.size(), 0);
}

TEST_F(PoolTest, OnlyOneCopyListensAndALeftOverSocketIsReplaced)
{
    TPoolServer second;
    EXPECT_FALSE(second.Listen("Tarnwick"));
    Server.Close();
    QFile leftOver(PoolSocketName("Tarnwick"));
    ASSERT_TRUE(leftOver.open(QIODevice::WriteOnly));
    leftOver.close();
    EXPECT_TRUE(second.Listen("Tarnwick"));
    EXPECT_NE(FindRunningInstance("Tarnwick"), nullptr);
}

TEST(PoolMessage, ReaderTakesMessagesByteByByte)
{
    const QByteArray stream = EncodePoolMessage(3, {}) +
                              EncodePoolMessage(9, QByteArray("ab\0c", 4)) +
                              EncodePoolMessage(PoolArgumentsCode, "end");
    TPoolMessageReader reader;
    std::vector<std::pair<quint32, QByteArray>> received;
    for (const char byte : stream) {
        reader.Append(QByteArray(1, byte));
        while (const auto message = reader.Next())
            received.emplace_back(message->Code, message->Text);
    }
    EXPECT_EQ(received, (std::vector<std::pair<quint32, QByteArray>>{
                            {3, {}}, {9, QByteArray("ab\0c", 4)}, {3, "end"}}));
    EXPECT_EQ(reader.Pending(), 0);
    EXPECT_EQ(stream.left(8), QByteArray("\x03\0\0\0\0\0\0\0", 8));
}

} // namespace
