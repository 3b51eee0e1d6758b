#include "InstanceMessageReader.h"

#include <cstring>

namespace quillet
{
namespace
{
// Strict UTF-8 (RFC 3629): no overlong forms, no surrogates, nothing above
// U+10FFFF, no NUL byte (a String cannot carry one).
bool isStrictUtf8WithoutNul (const unsigned char* bytes, size_t size)
{
    for (size_t i = 0; i < size;)
    {
        const auto lead = bytes[i];

        if (lead == 0)
            return false;

        if (lead < 0x80)
        {
            ++i;
            continue;
        }

        size_t length;
        unsigned char low = 0x80, high = 0xbf; // allowed range of the second byte

        if (lead >= 0xc2 && lead <= 0xdf)
            length = 2;
        else if (lead >= 0xe0 && lead <= 0xef)
        {
            length = 3;
            low = lead == 0xe0 ? 0xa0 : 0x80;
            high = lead == 0xed ? 0x9f : 0xbf;
        }
        else if (lead >= 0xf0 && lead <= 0xf4)
        {
            length = 4;
            low = lead == 0xf0 ? 0x90 : 0x80;
            high = lead == 0xf4 ? 0x8f : 0xbf;
        }
        else
            return false;

        if (size - i < length || bytes[i + 1] < low || bytes[i + 1] > high)
            return false;

        for (size_t k = 2; k < length; ++k)
            if ((bytes[i + k] & 0xc0) != 0x80)
                return false;

        i += length;
    }

    return true;
}
} // namespace

juce::MemoryBlock encodeInstanceMessage (const juce::String& commandLine)
{
    const auto payloadSize = commandLine.getNumBytesAsUTF8();
    jassert (payloadSize <= InstanceMessageReader::maxPayloadBytes);

    juce::MemoryBlock message (InstanceMessageReader::magic, sizeof (InstanceMessageReader::magic));
    const unsigned char length[4] = {(unsigned char)(payloadSize >> 24), (unsigned char)(payloadSize >> 16),
                                     (unsigned char)(payloadSize >> 8), (unsigned char)payloadSize};
    message.append (length, sizeof (length));
    message.append (commandLine.toRawUTF8(), payloadSize);
    return message;
}

InstanceMessageReader::State InstanceMessageReader::append (const void* data, size_t numBytes)
{
    if (state != State::incomplete)
    {
        if (numBytes > 0)
            state = State::invalid;

        return state;
    }

    // Never hold more than one message's worth, whatever a client sends.
    const auto room = headerBytes + maxPayloadBytes + 1 - received.getSize();
    received.append (data, std::min (numBytes, room));
    state = check();
    return state;
}

size_t InstanceMessageReader::getDeclaredPayloadSize() const
{
    const auto* bytes = static_cast<const unsigned char*> (received.getData()) + sizeof (magic);
    return ((size_t)bytes[0] << 24) | ((size_t)bytes[1] << 16) | ((size_t)bytes[2] << 8) | (size_t)bytes[3];
}

InstanceMessageReader::State InstanceMessageReader::check()
{
    const auto size = received.getSize();
    const auto* bytes = static_cast<const char*> (received.getData());

    if (size == 0)
        return State::incomplete;

    if (std::memcmp (bytes, magic, std::min (size, sizeof (magic))) != 0)
        return State::invalid;

    if (size < headerBytes)
        return State::incomplete;

    const auto payloadSize = getDeclaredPayloadSize();
    if (payloadSize > maxPayloadBytes || size > headerBytes + payloadSize)
        return State::invalid;

    if (size < headerBytes + payloadSize)
        return State::incomplete;

    if (!isStrictUtf8WithoutNul (reinterpret_cast<const unsigned char*> (bytes) + headerBytes, payloadSize))
        return State::invalid;

    return State::complete;
}

juce::String InstanceMessageReader::getCommandLine() const
{
    if (state != State::complete)
        return {};

    return juce::String::fromUTF8 (static_cast<const char*> (received.getData()) + headerBytes,
                                   (int)(received.getSize() - headerBytes));
}
} // namespace quillet
