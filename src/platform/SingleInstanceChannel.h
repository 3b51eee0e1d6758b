#pragma once

#include "InstanceSocketServer.h"

#include <juce_core/juce_core.h>

#include <memory>

namespace quillet
{
/** Keeps the program to one running instance per user on Linux, where the
    framework's own hand-over does nothing.

    The running program listens on a Unix domain socket in a folder only the
    user can reach (see getDefaultSocketPath). A later launch connects, sends
    its command line (see InstanceMessageReader for the framing), waits for the
    one-byte answer and exits; the running program gets the command line
    through its callback on the message thread. An empty command line is
    handed over too and arrives as an empty string.

    Who runs is settled by an exclusive lock on "<socket path>.lock", held for
    the running program's whole life and dropped by the system when it ends in
    any way, even by SIGKILL. A socket file left behind by a program that died
    therefore refuses connections while its lock is free, and the next launch
    takes the lock, removes the stale file and listens in its place. Two
    launches at the same moment cannot both become the running program.
*/
class SingleInstanceChannel
{
public:
    using CommandLineCallback = InstanceSocketServer::CommandLineCallback;

    enum class Role
    {
        handedOver, ///< a running program took the command line: this launch should exit
        running,    ///< this process is now the running program and hears of later launches
        alone       ///< no usable channel, or the running program did not answer: run without one
    };

    /** How long a launch tries to reach a running program that is still
        starting or busy before it gives up and runs alone. */
    static constexpr int handOverTimeoutMs = 2000;

    explicit SingleInstanceChannel (const juce::String& socketPath = getDefaultSocketPath());

    /** Stops listening and removes the socket file if it is still this one's. */
    ~SingleInstanceChannel();

    /** Hands the command line to the running program or, when there is none,
        makes this process the running one, calling onCommandLine for each
        later launch. Call once, on the message thread. A command line longer
        than InstanceMessageReader::maxPayloadBytes is handed over as empty. */
    Role handOverOrListen (const juce::String& commandLine, CommandLineCallback onCommandLine);

    bool isListening() const noexcept { return server != nullptr; }
    const juce::String& getSocketPath() const noexcept { return socketPath; }

    /** $QUILLET_INSTANCE_SOCKET when it is an absolute path (for tests),
        otherwise "quillet-instance.socket" in getPrivateRuntimeFolder();
        empty when there is no private folder. */
    static juce::String getDefaultSocketPath();

private:
    enum class LockResult
    {
        taken,
        heldByAnother,
        failed
    };

    LockResult takeLock();
    bool listen (CommandLineCallback onCommandLine);

    juce::String socketPath;
    int lockFd = -1;
    juce::uint64 socketInode = 0;
    std::unique_ptr<InstanceSocketServer> server;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SingleInstanceChannel)
};
} // namespace quillet
