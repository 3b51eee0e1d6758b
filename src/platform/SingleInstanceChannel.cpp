#include "SingleInstanceChannel.h"
#include "XdgPaths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace quillet
{
namespace
{
enum class SendResult
{
    delivered,
    noListener, // no socket file, or nobody listens on it
    busy,       // the listener's queue is full: worth another try
    noAnswer    // someone took the connection but never confirmed the message
};

bool makeAddress (const juce::String& path, sockaddr_un& address)
{
    std::memset (&address, 0, sizeof (address));
    address.sun_family = AF_UNIX;

    const auto numBytes = path.getNumBytesAsUTF8();
    if (numBytes == 0 || numBytes >= sizeof (address.sun_path))
        return false;

    std::memcpy (address.sun_path, path.toRawUTF8(), numBytes);
    return true;
}

int millisecondsUntil (juce::uint32 deadline)
{
    return std::max (0, (int)(juce::int32) (deadline - juce::Time::getMillisecondCounter()));
}

bool waitFor (int fd, short events, juce::uint32 deadline)
{
    for (;;)
    {
        pollfd entry = {fd, events, 0};
        const int ready = poll (&entry, 1, millisecondsUntil (deadline));

        if (ready > 0)
            return true;

        if (ready == 0 || errno != EINTR)
            return false;
    }
}

SendResult exchange (int fd, const juce::MemoryBlock& message, juce::uint32 deadline)
{
    // A socket left where ours should be by another user is not spoken to.
    struct ucred peer = {};
    socklen_t peerSize = sizeof (peer);
    if (getsockopt (fd, SOL_SOCKET, SO_PEERCRED, &peer, &peerSize) != 0 || peer.uid != getuid())
        return SendResult::noAnswer;

    const auto* bytes = static_cast<const char*> (message.getData());
    for (size_t sent = 0; sent < message.getSize();)
    {
        const auto result = send (fd, bytes + sent, message.getSize() - sent, MSG_NOSIGNAL);

        if (result > 0)
            sent += (size_t)result;
        else if (result < 0 && errno == EINTR)
            continue;
        else if (result < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && waitFor (fd, POLLOUT, deadline))
            continue;
        else
            return SendResult::noAnswer;
    }

    for (;;)
    {
        if (!waitFor (fd, POLLIN, deadline))
            return SendResult::noAnswer;

        unsigned char answer = 0;
        const auto got = recv (fd, &answer, 1, 0);

        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;

        return got == 1 && answer == InstanceMessageReader::ackByte ? SendResult::delivered : SendResult::noAnswer;
    }
}

SendResult sendToRunningProgram (const sockaddr_un& address, const juce::MemoryBlock& message, juce::uint32 deadline)
{
    const int fd = socket (AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return SendResult::noAnswer;

    int connected;
    do
        connected = connect (fd, reinterpret_cast<const sockaddr*> (&address), sizeof (address));
    while (connected != 0 && errno == EINTR);

    SendResult result;
    if (connected == 0)
        result = exchange (fd, message, deadline);
    else if (errno == EAGAIN || errno == EINPROGRESS)
        result = SendResult::busy;
    else if (errno == ECONNREFUSED || errno == ENOENT)
        result = SendResult::noListener;
    else
        result = SendResult::noAnswer;

    close (fd);
    return result;
}

juce::uint64 getInode (const juce::String& path)
{
    struct stat info;
    return lstat (path.toRawUTF8(), &info) == 0 && S_ISSOCK (info.st_mode) ? (juce::uint64)info.st_ino : 0;
}
} // namespace

SingleInstanceChannel::SingleInstanceChannel (const juce::String& path)
    : socketPath (path)
{
}

SingleInstanceChannel::~SingleInstanceChannel()
{
    if (server != nullptr)
    {
        server.reset();

        // Removed while the lock is still held, so no new program's socket can
        // be taken for ours.
        if (socketInode != 0 && getInode (socketPath) == socketInode)
            unlink (socketPath.toRawUTF8());
    }

    if (lockFd >= 0)
        close (lockFd);
}

juce::String SingleInstanceChannel::getDefaultSocketPath()
{
    if (const char* fromEnvironment = getenv ("QUILLET_INSTANCE_SOCKET");
        fromEnvironment != nullptr && fromEnvironment[0] == '/')
        return juce::String (juce::CharPointer_UTF8 (fromEnvironment));

    const auto folder = getPrivateRuntimeFolder();
    return folder == juce::File() ? juce::String() : folder.getChildFile ("quillet-instance.socket").getFullPathName();
}

SingleInstanceChannel::Role SingleInstanceChannel::handOverOrListen (const juce::String& commandLine,
                                                                     CommandLineCallback onCommandLine)
{
    jassert (server == nullptr && lockFd < 0); // call once

    sockaddr_un address;
    if (!makeAddress (socketPath, address))
        return Role::alone;

    // No document path comes near this size; a longer line cannot be one.
    const auto message = encodeInstanceMessage (
        commandLine.getNumBytesAsUTF8() <= InstanceMessageReader::maxPayloadBytes ? commandLine : juce::String());

    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32)handOverTimeoutMs;

    for (;;)
    {
        const auto sent = sendToRunningProgram (address, message, deadline);

        if (sent == SendResult::delivered)
            return Role::handedOver;

        if (sent == SendResult::noAnswer)
            return Role::alone;

        if (sent == SendResult::noListener)
        {
            const auto lock = takeLock();

            if (lock == LockResult::taken)
                return listen (std::move (onCommandLine)) ? Role::running : Role::alone;

            if (lock == LockResult::failed)
                return Role::alone;

            // Held by another: a program that is starting and will listen soon.
        }

        if (millisecondsUntil (deadline) == 0)
            return Role::alone;

        juce::Thread::sleep (10);
    }
}

SingleInstanceChannel::LockResult SingleInstanceChannel::takeLock()
{
    const auto lockPath = socketPath + ".lock";
    const int fd = open (lockPath.toRawUTF8(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return LockResult::failed;

    int locked;
    do
        locked = flock (fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);

    if (locked != 0)
    {
        const bool heldByAnother = errno == EWOULDBLOCK;
        close (fd);
        return heldByAnother ? LockResult::heldByAnother : LockResult::failed;
    }

    lockFd = fd;
    return LockResult::taken;
}

bool SingleInstanceChannel::listen (CommandLineCallback onCommandLine)
{
    sockaddr_un address;
    makeAddress (socketPath, address);

    // Holding the lock means no program listens here: whatever file is left
    // is a dead one's.
    unlink (socketPath.toRawUTF8());

    const int fd = socket (AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const bool listening = fd >= 0 && bind (fd, reinterpret_cast<const sockaddr*> (&address), sizeof (address)) == 0 &&
                           chmod (socketPath.toRawUTF8(), 0600) == 0 && ::listen (fd, 16) == 0;

    if (!listening)
    {
        if (fd >= 0)
            close (fd);

        close (lockFd);
        lockFd = -1;
        return false;
    }

    socketInode = getInode (socketPath);
    server = std::make_unique<InstanceSocketServer> (fd, std::move (onCommandLine));
    return true;
}
} // namespace quillet
