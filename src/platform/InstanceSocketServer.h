#pragma once

#include "InstanceMessageReader.h"

#include <juce_events/juce_events.h>

#include <functional>
#include <map>
#include <memory>

namespace quillet
{
/** The running program's side of the single-instance hand-over: takes the
    connections of later launches on a listening Unix socket and reads one
    framed command line from each, all on the message thread through the
    event loop's descriptor callbacks, never blocking on a client.

    A client that does not send a whole valid message within clientDeadlineMs,
    or sends anything malformed, is dropped without a word; at most
    maxPendingClients are kept at once, more are closed on arrival.
*/
class InstanceSocketServer : private juce::Timer
{
public:
    using CommandLineCallback = std::function<void (const juce::String& commandLine)>;

    static constexpr int clientDeadlineMs = 1000;
    static constexpr size_t maxPendingClients = 16;

    /** Takes over a bound, listening, non-blocking socket and closes it when
        destroyed. Call on the message thread. */
    InstanceSocketServer (int listeningSocket, CommandLineCallback onCommandLine);
    ~InstanceSocketServer() override;

    size_t getNumPendingClients() const noexcept { return clients.size(); }

private:
    struct Client
    {
        InstanceMessageReader reader;
        juce::uint32 deadline = 0;
    };

    void acceptClients();
    void readFromClient (int fd);
    void closeClient (int fd);
    void timerCallback() override;

    void watch (int fd);

    int listeningSocket;
    CommandLineCallback onCommandLine;
    std::map<int, Client> clients;

    // The event loop may still call a descriptor's callback in the same round
    // in which it was removed, so callbacks reach the server only through this.
    std::shared_ptr<InstanceSocketServer*> self;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (InstanceSocketServer)
};
} // namespace quillet
