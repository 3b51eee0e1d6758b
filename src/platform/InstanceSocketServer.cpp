#include "InstanceSocketServer.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quillet
{
InstanceSocketServer::InstanceSocketServer (int socketToListenOn, CommandLineCallback callback)
    : listeningSocket (socketToListenOn)
    , onCommandLine (std::move (callback))
    , self (std::make_shared<InstanceSocketServer*> (this))
{
    JUCE_ASSERT_MESSAGE_THREAD
    watch (listeningSocket);
}

InstanceSocketServer::~InstanceSocketServer()
{
    self.reset();
    stopTimer();

    while (!clients.empty())
        closeClient (clients.begin()->first);

    juce::LinuxEventLoop::unregisterFdCallback (listeningSocket);
    close (listeningSocket);
}

void InstanceSocketServer::watch (int fd)
{
    std::weak_ptr<InstanceSocketServer*> weakSelf (self);
    const int listener = listeningSocket;

    juce::LinuxEventLoop::registerFdCallback (
        fd,
        [weakSelf, listener] (int readyFd)
        {
            if (auto server = weakSelf.lock())
            {
                if (readyFd == listener)
                    (*server)->acceptClients();
                else
                    (*server)->readFromClient (readyFd);
            }
        },
        POLLIN);
}

void InstanceSocketServer::acceptClients()
{
    for (;;)
    {
        const int fd = accept4 (listeningSocket, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);

        if (fd < 0)
        {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;

            return; // EAGAIN: none left; anything else: try again on the next wake-up
        }

        // Only this user's own launches may hand anything over.
        struct ucred peer = {};
        socklen_t peerSize = sizeof (peer);
        const bool sameUser = getsockopt (fd, SOL_SOCKET, SO_PEERCRED, &peer, &peerSize) == 0 && peer.uid == getuid();

        if (!sameUser || clients.size() >= maxPendingClients)
        {
            close (fd);
            continue;
        }

        clients[fd].deadline = juce::Time::getMillisecondCounter() + (juce::uint32)clientDeadlineMs;
        watch (fd);

        if (!isTimerRunning())
            startTimer (clientDeadlineMs / 4);
    }
}

void InstanceSocketServer::readFromClient (int fd)
{
    const auto found = clients.find (fd);
    if (found == clients.end())
        return;

    auto& reader = found->second.reader;
    char buffer[8192];

    // Read what is there now, no more than one message's worth, never waiting.
    for (size_t total = 0; total <= InstanceMessageReader::headerBytes + InstanceMessageReader::maxPayloadBytes;)
    {
        const auto got = recv (fd, buffer, sizeof (buffer), MSG_DONTWAIT);

        if (got < 0 && errno == EINTR)
            continue;

        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;

        if (got <= 0)
            break; // closed by the client, or failed: whatever came is all there is

        total += (size_t)got;

        if (reader.append (buffer, (size_t)got) != InstanceMessageReader::State::incomplete)
            break;
    }

    if (reader.getState() != InstanceMessageReader::State::complete)
    {
        closeClient (fd);
        return;
    }

    const auto commandLine = reader.getCommandLine();
    const unsigned char ack = InstanceMessageReader::ackByte;
    (void)!send (fd, &ack, 1, MSG_DONTWAIT | MSG_NOSIGNAL);
    closeClient (fd);

    // Last, through a copy: the callback may open dialogs that run the event
    // loop again, or delete this server.
    auto callback = onCommandLine;
    if (callback)
        callback (commandLine);
}

void InstanceSocketServer::closeClient (int fd)
{
    juce::LinuxEventLoop::unregisterFdCallback (fd);
    close (fd);
    clients.erase (fd);

    if (clients.empty())
        stopTimer();
}

void InstanceSocketServer::timerCallback()
{
    const auto now = juce::Time::getMillisecondCounter();

    for (auto it = clients.begin(); it != clients.end();)
    {
        const int fd = it->first;
        const bool expired = (juce::int32) (now - it->second.deadline) >= 0;
        ++it;

        if (expired)
            closeClient (fd);
    }
}
} // namespace quillet
