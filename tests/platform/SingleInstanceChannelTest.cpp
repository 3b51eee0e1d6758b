#include "PlatformTestHelpers.h"
#include "SingleInstanceChannel.h"
#include "XdgPaths.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace quillet::testing;
using Role = quillet::SingleInstanceChannel::Role;

namespace
{
/** One run of the probe program with the test's socket and record; an empty command line is left out. */
struct Probe : juce::ChildProcess
{
    Probe (const TemporaryFolder& temp, const juce::String& commandLine)
    {
        start (juce::StringArray (QUILLET_INSTANCE_PROBE, temp["socket"].getFullPathName(),
                                  temp["record"].getFullPathName(), commandLine),
               0);
    }

    ~Probe()
    {
        if (isRunning())
            kill();
        waitForProcessToFinish (5000);
    }

    /** Its exit status, once it ended within timeoutMs; -1 if it did not. */
    int exitStatus (int timeoutMs) { return waitForProcessToFinish (timeoutMs) ? (int)getExitCode() : -1; }
};

class SingleInstanceChannelTest : public ::testing::Test
{
protected:
    /** Starts a probe with no command line and waits until it listens. */
    std::unique_ptr<Probe> startRunningProbe()
    {
        temp["record.ready"].deleteFile();
        auto probe = std::make_unique<Probe> (temp, "");
        EXPECT_TRUE (waitUntil ([this] { return temp["record.ready"].exists(); }, 5000)) << "it never listened";
        return probe;
    }

    /** A later launch run to its end: its exit status (10 when it handed over), -1 if it hung. */
    int handOver (const juce::String& commandLine) { return Probe (temp, commandLine).exitStatus (5000); }

    /** The record of command lines, each ended by a line feed, once it is as long as `expected` (or after 3 s). */
    std::string record (const std::string& expected) const
    {
        waitUntil ([&] { return temp["record"].getSize() >= (juce::int64)expected.size(); }, 3000);
        return temp["record"].loadFileAsString().toStdString();
    }

    /** A raw connection to the running probe, for sending it anything at all. */
    int connectRaw() const
    {
        const int fd = ::socket (AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::strcpy (address.sun_path, temp["socket"].getFullPathName().toRawUTF8());
        EXPECT_EQ (0, connect (fd, reinterpret_cast<sockaddr*> (&address), sizeof (address)));
        return fd;
    }

    /** True when the server closes the connection within timeoutMs without an answer byte (a close with bytes of ours
        still unread shows as a reset). Closes it in any case. */
    static bool closedWithoutAnswer (int fd, int timeoutMs)
    {
        pollfd entry = {fd, POLLIN, 0};
        char byte;
        const auto got = poll (&entry, 1, timeoutMs) == 1 ? recv (fd, &byte, 1, 0) : 1;
        const bool refused = got == 0 || (got < 0 && errno == ECONNRESET);
        close (fd);
        return refused;
    }

    TemporaryFolder temp;
};
} // namespace

TEST_F (SingleInstanceChannelTest, LaterLaunchesHandOverTheirCommandLineAndExitAtOnce)
{
    const auto first = startRunningProbe();
    const std::string path = "/home/writer/Songs/night drive \xc3\xbc \"$(x)\".quillet";

    const auto started = juce::Time::getMillisecondCounter();
    EXPECT_EQ (10, handOver (juce::String::fromUTF8 (path.c_str())));
    EXPECT_LT (juce::Time::getMillisecondCounter() - started, 1000u);
    EXPECT_EQ (10, handOver ("")); // arrives as an empty string
    EXPECT_EQ (path + "\n\n", record (path + "\n\n"));
    EXPECT_TRUE (first->isRunning());

    // An orderly end removes the socket file.
    EXPECT_EQ (10, handOver ("--quit"));
    EXPECT_EQ (11, first->exitStatus (5000));
    EXPECT_FALSE (temp["socket"].exists());
}

TEST_F (SingleInstanceChannelTest, LaunchAfterTheFirstWasKilledBecomesTheRunningProgram)
{
    startRunningProbe();                   // killed as it goes out of scope
    ASSERT_TRUE (temp["socket"].exists()); // the killed program could not clean up

    const auto next = startRunningProbe();
    EXPECT_EQ (10, handOver ("/after/the/crash"));
    EXPECT_EQ ("/after/the/crash\n", record ("/after/the/crash\n"));
}

TEST_F (SingleInstanceChannelTest, MalformedAndSilentClientsAreIgnoredAndDoNotBlock)
{
    const auto first = startRunningProbe();

    // Held open through the hand-over below: neither may hold it up.
    const int silent = connectRaw(), halfHeader = connectRaw();
    ASSERT_EQ (2, send (halfHeader, "QL", 2, MSG_NOSIGNAL));

    using namespace std::string_literals;
    const std::string malformed[] = {
        "GET / HTTP/1.0\r\n\r\n"s,                // not ours at all
        "QLI1\0\1\0\1"s + std::string (100, 'a'), // declares more than 64 KiB
        "QLI1\0\0\0\2\xc3\x28"s,                  // not UTF-8
        "QLI1\0\0\0\3/a\0"s,                      // a NUL byte
        "QLI1\0\0\0\2/a/trailing"s,               // bytes past the message
        "QLI1\0\0\0\x10/short"s,                  // closed before the end
    };
    for (const auto& bytes : malformed)
    {
        const int fd = connectRaw();
        ASSERT_EQ ((ssize_t)bytes.size(), send (fd, bytes.data(), bytes.size(), MSG_NOSIGNAL));
        shutdown (fd, SHUT_WR);
        EXPECT_TRUE (closedWithoutAnswer (fd, 3000)) << "no clean refusal of " << bytes.size() << " bytes";
    }

    EXPECT_EQ (10, handOver ("/still/working"));
    EXPECT_EQ ("/still/working\n", record ("/still/working\n"));

    // The silent and the slow client are dropped once their time is up.
    EXPECT_TRUE (closedWithoutAnswer (silent, 5000));
    EXPECT_TRUE (closedWithoutAnswer (halfHeader, 5000));
    EXPECT_TRUE (first->isRunning());
}

TEST (SingleInstanceChannelAlone, UnusableSocketPathsLeaveTheProgramAloneAndTheDefaultPathIsPrivate)
{
    TemporaryFolder temp;
    // A missing folder, a name longer than a socket address can hold (107 bytes), no path at all.
    for (const auto& path :
         {temp["no/such/folder/socket"].getFullPathName(),
          temp.folder.getChildFile (juce::String::repeatedString ("n", 120)).getFullPathName(), juce::String()})
    {
        quillet::SingleInstanceChannel channel (path);
        EXPECT_EQ (Role::alone, channel.handOverOrListen ("/a", nullptr)) << path;
        EXPECT_FALSE (channel.isListening());
    }

    // By default the socket lives in the private runtime folder; the override is taken only as an absolute path.
    ASSERT_TRUE (quillet::makePrivateFolder (temp["run"]));
    const ScopedEnvironmentVariable xdg ("XDG_RUNTIME_DIR", temp["run"].getFullPathName().toRawUTF8());
    const ScopedEnvironmentVariable relative ("QUILLET_INSTANCE_SOCKET", "x.sock");
    EXPECT_EQ (temp["run/quillet-instance.socket"].getFullPathName(),
               quillet::SingleInstanceChannel::getDefaultSocketPath());
    const ScopedEnvironmentVariable absolute ("QUILLET_INSTANCE_SOCKET", "/tmp/elsewhere.sock");
    EXPECT_EQ (juce::String ("/tmp/elsewhere.sock"), quillet::SingleInstanceChannel::getDefaultSocketPath());
}
