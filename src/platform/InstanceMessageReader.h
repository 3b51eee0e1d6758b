#pragma once

#include <juce_core/juce_core.h>

namespace quillet
{
/** The framing of a command line handed from a second launch to the running
    program: the four bytes "QLI1", the payload's length as four bytes, most
    significant first, then the payload, the command line in UTF-8 (at most
    maxPayloadBytes, no NUL byte). The receiver answers one byte, ackByte,
    once it has taken a whole, valid message.
*/
juce::MemoryBlock encodeInstanceMessage (const juce::String& commandLine);

/** Collects the bytes of one framed message as they arrive, checking each
    part as soon as it is there, so a bad header is refused before its
    payload is waited for.
*/
class InstanceMessageReader
{
public:
    static constexpr size_t maxPayloadBytes = 64 * 1024;
    static constexpr size_t headerBytes = 8;
    static constexpr char magic[4] = {'Q', 'L', 'I', '1'};
    static constexpr unsigned char ackByte = 0x06;

    enum class State
    {
        incomplete,
        complete,
        invalid
    };

    /** Adds received bytes. Bytes beyond a complete message make it invalid. */
    State append (const void* data, size_t numBytes);

    State getState() const noexcept { return state; }

    /** The command line, once the state is complete. */
    juce::String getCommandLine() const;

private:
    State check();
    size_t getDeclaredPayloadSize() const;

    juce::MemoryBlock received;
    State state = State::incomplete;

    JUCE_LEAK_DETECTOR (InstanceMessageReader)
};
} // namespace quillet
