#include "PlatformTestHelpers.h"
#include "SingleInstanceChannel.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using quillet::testing::TemporaryFolder;
using quillet::testing::waitForFile;

namespace
{
// A string literal's bytes, NUL bytes inside included.
template <size_t N> std::string raw (const char (&literal)[N])
{
    return std::string (literal, N - 1);
}

// The record holds each command line followed by a NUL byte.
std::string recorded (const std::string& commandLine)
{
    return commandLine + '\0';
}

/** One run of the probe program, killed and reaped at the end of its scope. */
class Probe
{
public:
    Probe (const juce::File& socket, const juce::File& record, std::optional<std::string> commandLine)
    {
        std::vector<std::string> args{QUILLET_INSTANCE_PROBE, socket.getFullPathName().toStdString(),
                                      record.getFullPathName().toStdString()};
        if (commandLine)
            args.push_back (*commandLine);

        std::vector<char*> argv;
        for (auto& arg : args)
            argv.push_back (arg.data());
        argv.push_back (nullptr);

        started = juce::Time::getMillisecondCounter();
        if (posix_spawn (&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
            pid = -1;
    }

    ~Probe()
    {
        if (isRunning())
        {
            kill (pid, SIGKILL);
            waitpid (pid, nullptr, 0);
        }
    }

    bool isRunning() const { return pid > 0 && !exitStatus.has_value(); }

    /** Waits at most timeoutMs for the probe to end; its exit status, or nullopt. */
    std::optional<int> waitForExit (int timeoutMs)
    {
        const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32)timeoutMs;

        while (isRunning())
        {
            int status = 0;
            if (waitpid (pid, &status, WNOHANG) == pid)
            {
                exitStatus = WIFEXITED (status) ? WEXITSTATUS (status) : 128 + WTERMSIG (status);
                finished = juce::Time::getMillisecondCounter();
                break;
            }

            if (juce::Time::getMillisecondCounter() >= deadline)
                break;

            juce::Thread::sleep (2);
        }

        return exitStatus;
    }

    void killHard()
    {
        kill (pid, SIGKILL);
        waitForExit (5000);
    }

    juce::uint32 getRunTimeMs() const { return finished - started; }

private:
    pid_t pid = -1;
    std::optional<int> exitStatus;
    juce::uint32 started = 0, finished = 0;
};

class SingleInstanceChannelTest : public ::testing::Test
{
protected:
    juce::File socket() const { return temp["instance.socket"]; }
    juce::File record() const { return temp["record"]; }
    juce::File ready() const { return temp["record.ready"]; }

    /** Starts a probe with no command line and waits until it listens. */
    std::unique_ptr<Probe> startRunningProbe()
    {
        ready().deleteFile();
        auto probe = std::make_unique<Probe> (socket(), record(), std::nullopt);
        EXPECT_TRUE (waitForFile (ready(), 5000)) << "the first launch never started listening";
        EXPECT_TRUE (probe->isRunning());
        return probe;
    }

    /** Waits for the record to hold the given NUL-ended command lines. */
    std::string waitForRecord (const std::string& expected, int timeoutMs = 3000) const
    {
        const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32)timeoutMs;
        std::string content;

        for (;;)
        {
            juce::MemoryBlock block;
            record().loadFileAsData (block);
            content.assign (static_cast<const char*> (block.getData()), block.getSize());

            if (content.size() >= expected.size() || juce::Time::getMillisecondCounter() >= deadline)
                return content;

            juce::Thread::sleep (5);
        }
    }

    /** A raw connection to the running probe, for sending it anything at all. */
    int connectRaw() const
    {
        const int fd = ::socket (AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        const auto path = socket().getFullPathName().toStdString();
        std::copy (path.begin(), path.end(), address.sun_path);
        EXPECT_EQ (0, connect (fd, reinterpret_cast<sockaddr*> (&address), sizeof (address)));
        return fd;
    }

    /** Waits for the server to close a raw connection; true when it did
        without sending an answer byte. A close with bytes of ours still
        unread shows as a reset. */
    static bool closedWithoutAnswer (int fd, int timeoutMs)
    {
        pollfd entry = {fd, POLLIN, 0};
        if (poll (&entry, 1, timeoutMs) != 1)
            return false;

        char byte;
        const auto got = recv (fd, &byte, 1, 0);
        return got == 0 || (got < 0 && errno == ECONNRESET);
    }

    TemporaryFolder temp;
};
} // namespace

TEST_F (SingleInstanceChannelTest, SecondLaunchHandsItsPathToTheFirstAndExitsAtOnce)
{
    const auto first = startRunningProbe();

    const std::string path = "/home/writer/Songs/night drive \xc3\xbc \"$(x)\".quillet";
    Probe second (socket(), record(), path);

    const auto status = second.waitForExit (5000);
    ASSERT_TRUE (status.has_value());
    EXPECT_EQ (0, *status);
    EXPECT_LT (second.getRunTimeMs(), 1000u);

    EXPECT_EQ (recorded (path), waitForRecord (recorded (path)));
    EXPECT_FALSE (first->waitForExit (0).has_value());
}

TEST_F (SingleInstanceChannelTest, EmptyCommandLineArrivesAsAnEmptyString)
{
    const auto first = startRunningProbe();

    Probe second (socket(), record(), std::nullopt);
    EXPECT_EQ (std::optional<int> (0), second.waitForExit (5000));
    EXPECT_EQ (recorded (""), waitForRecord (recorded ("")));
}

TEST_F (SingleInstanceChannelTest, LaunchAfterTheFirstWasKilledBecomesTheRunningProgram)
{
    {
        const auto first = startRunningProbe();
        first->killHard();
    }

    // The killed program could not clean up: its socket file is still there.
    ASSERT_TRUE (socket().exists());

    const auto next = startRunningProbe();
    ASSERT_TRUE (next->isRunning());

    Probe third (socket(), record(), std::string ("/after/the/crash"));
    EXPECT_EQ (std::optional<int> (0), third.waitForExit (5000));
    EXPECT_EQ (recorded ("/after/the/crash"), waitForRecord (recorded ("/after/the/crash")));
}

TEST_F (SingleInstanceChannelTest, MalformedAndSilentClientsAreIgnoredAndDoNotBlock)
{
    const auto first = startRunningProbe();

    // Held open through the hand-over below: neither may hold it up.
    const int silent = connectRaw();
    const int halfHeader = connectRaw();
    ASSERT_EQ (2, send (halfHeader, "QL", 2, MSG_NOSIGNAL));

    const std::string malformed[] = {
        raw ("GET / HTTP/1.0\r\n\r\n"),
        raw ("QLI1\x00\x01\x00\x01") + std::string (100, 'a'), // declares more than 64 KiB
        raw ("QLI1\x00\x00\x00\x02\xc3\x28"),                  // not UTF-8
        raw ("QLI1\x00\x00\x00\x03/a\x00"),                    // a NUL byte
        raw ("QLI1\x00\x00\x00\x02/a/trailing"),               // bytes past the message
        raw ("QLI1\x00\x00\x00\x10/short"),                    // closed before the end
    };

    for (auto& bytes : malformed)
    {
        const int fd = connectRaw();
        ASSERT_EQ ((ssize_t)bytes.size(), send (fd, bytes.data(), bytes.size(), MSG_NOSIGNAL));
        shutdown (fd, SHUT_WR);
        EXPECT_TRUE (closedWithoutAnswer (fd, 3000)) << "no clean refusal of " << bytes.size() << " bytes";
        close (fd);
    }

    Probe second (socket(), record(), std::string ("/still/working"));
    EXPECT_EQ (std::optional<int> (0), second.waitForExit (5000));
    EXPECT_LT (second.getRunTimeMs(), 1000u);
    EXPECT_EQ (recorded ("/still/working"), waitForRecord (recorded ("/still/working")));

    // The silent and the slow client are dropped once their time is up.
    EXPECT_TRUE (closedWithoutAnswer (silent, 5000));
    EXPECT_TRUE (closedWithoutAnswer (halfHeader, 5000));
    close (silent);
    close (halfHeader);
    EXPECT_TRUE (first->isRunning());
}

TEST_F (SingleInstanceChannelTest, TwoLaunchesAtOnceGiveExactlyOneRunningProgram)
{
    Probe a (socket(), record(), std::string ("/from/a"));
    Probe b (socket(), record(), std::string ("/from/b"));

    // One hands over and exits, the other stays and receives its path.
    const auto deadline = juce::Time::getMillisecondCounter() + 5000;
    while (a.waitForExit (0) == std::nullopt && b.waitForExit (0) == std::nullopt &&
           juce::Time::getMillisecondCounter() < deadline)
        juce::Thread::sleep (5);

    ASSERT_NE (a.isRunning(), b.isRunning()) << "both or neither ended";
    auto& gone = a.isRunning() ? b : a;
    EXPECT_EQ (std::optional<int> (0), gone.waitForExit (0));

    const auto expected = recorded (&gone == &a ? "/from/a" : "/from/b");
    EXPECT_EQ (expected, waitForRecord (expected));
}

TEST_F (SingleInstanceChannelTest, OrderlyEndRemovesTheSocketFile)
{
    auto first = startRunningProbe();

    Probe quitter (socket(), record(), std::string ("--quit"));
    EXPECT_EQ (std::optional<int> (0), quitter.waitForExit (5000));
    EXPECT_EQ (std::optional<int> (0), first->waitForExit (5000));
    EXPECT_FALSE (socket().exists());
}

TEST (SingleInstanceChannelAlone, UnusableSocketPathsLeaveTheProgramAlone)
{
    TemporaryFolder temp;

    quillet::SingleInstanceChannel missingFolder (temp["no/such/folder/instance.socket"].getFullPathName());
    EXPECT_EQ (quillet::SingleInstanceChannel::Role::alone, missingFolder.handOverOrListen ("/a", nullptr));
    EXPECT_FALSE (missingFolder.isListening());

    // A Unix socket address holds at most 107 bytes.
    const auto longName = temp.get().getChildFile (juce::String::repeatedString ("n", 120)).getFullPathName();
    quillet::SingleInstanceChannel tooLong (longName);
    EXPECT_EQ (quillet::SingleInstanceChannel::Role::alone, tooLong.handOverOrListen ("/a", nullptr));

    quillet::SingleInstanceChannel empty ((juce::String()));
    EXPECT_EQ (quillet::SingleInstanceChannel::Role::alone, empty.handOverOrListen ("/a", nullptr));
}

TEST (SingleInstanceChannelAlone, DefaultSocketLivesInThePrivateRuntimeFolderOrTheOverride)
{
    TemporaryFolder temp;
    const auto runtime = temp["run"];
    ASSERT_TRUE (runtime.createDirectory());
    ASSERT_EQ (0, chmod (runtime.getFullPathName().toRawUTF8(), 0700));

    const quillet::testing::ScopedEnvironmentVariable noOverride ("QUILLET_INSTANCE_SOCKET", std::nullopt);
    {
        const quillet::testing::ScopedEnvironmentVariable xdg ("XDG_RUNTIME_DIR",
                                                               runtime.getFullPathName().toStdString());
        EXPECT_EQ (runtime.getChildFile ("quillet-instance.socket").getFullPathName(),
                   quillet::SingleInstanceChannel::getDefaultSocketPath());

        const quillet::testing::ScopedEnvironmentVariable relative ("QUILLET_INSTANCE_SOCKET", std::string ("x.sock"));
        EXPECT_EQ (runtime.getChildFile ("quillet-instance.socket").getFullPathName(),
                   quillet::SingleInstanceChannel::getDefaultSocketPath());

        const quillet::testing::ScopedEnvironmentVariable absolute ("QUILLET_INSTANCE_SOCKET",
                                                                    std::string ("/tmp/elsewhere.sock"));
        EXPECT_EQ (juce::String ("/tmp/elsewhere.sock"), quillet::SingleInstanceChannel::getDefaultSocketPath());
    }
}
