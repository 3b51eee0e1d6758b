#include "InstanceMessageReader.h"

#include <gtest/gtest.h>

#include <string>

using quillet::InstanceMessageReader;
using State = InstanceMessageReader::State;

namespace
{
// A frame built by hand, so the tests do not lean on the encoder for the layout.
std::string frame (const std::string& payload, const char* magic = "QLI1")
{
    const auto size = payload.size();
    std::string bytes (magic, 4);
    bytes += (char)(size >> 24);
    bytes += (char)(size >> 16);
    bytes += (char)(size >> 8);
    bytes += (char)size;
    return bytes + payload;
}

State readAll (const std::string& bytes, InstanceMessageReader& reader)
{
    return reader.append (bytes.data(), bytes.size());
}

std::string toString (const juce::MemoryBlock& block)
{
    return std::string (static_cast<const char*> (block.getData()), block.getSize());
}
} // namespace

TEST (InstanceMessageReader, EncoderWritesMagicBigEndianLengthAndUtf8)
{
    const juce::String path (juce::CharPointer_UTF8 ("/home/s/Lieder \xc3\xbc.quillet"));
    EXPECT_EQ (frame ("/home/s/Lieder \xc3\xbc.quillet"), toString (quillet::encodeInstanceMessage (path)));
    EXPECT_EQ (std::string ("QLI1\0\0\0\0", 8), toString (quillet::encodeInstanceMessage ({})));
}

TEST (InstanceMessageReader, ReadsWholeMessagesFedInAnyPieces)
{
    const std::string text = "/tmp/a b/\xe6\x97\xa5\xe6\x9c\xac.quillet";
    const auto bytes = frame (text);

    InstanceMessageReader whole;
    EXPECT_EQ (State::complete, readAll (bytes, whole));
    EXPECT_EQ (juce::String (juce::CharPointer_UTF8 (text.c_str())), whole.getCommandLine());

    InstanceMessageReader byteByByte;
    for (size_t i = 0; i + 1 < bytes.size(); ++i)
    {
        ASSERT_EQ (State::incomplete, byteByByte.append (bytes.data() + i, 1)) << "at byte " << i;
        EXPECT_EQ (juce::String(), byteByByte.getCommandLine());
    }
    EXPECT_EQ (State::complete, byteByByte.append (bytes.data() + bytes.size() - 1, 1));
    EXPECT_EQ (whole.getCommandLine(), byteByByte.getCommandLine());

    InstanceMessageReader empty;
    EXPECT_EQ (State::complete, readAll (frame (""), empty));
    EXPECT_EQ (juce::String(), empty.getCommandLine());
}

TEST (InstanceMessageReader, RefusesBadHeadersAsSoonAsTheyShow)
{
    InstanceMessageReader wrongFirstByte;
    EXPECT_EQ (State::invalid, readAll ("X", wrongFirstByte));

    InstanceMessageReader wrongMagic;
    EXPECT_EQ (State::invalid, readAll (frame ("/a", "QLI2"), wrongMagic));

    // Declared one byte too long: refused from the header alone, before any payload.
    InstanceMessageReader tooLong;
    const auto header = frame (std::string (InstanceMessageReader::maxPayloadBytes + 1, 'a')).substr (0, 8);
    EXPECT_EQ (State::invalid, readAll (header, tooLong));

    InstanceMessageReader hugeLength;
    EXPECT_EQ (State::invalid, readAll (std::string ("QLI1\xff\xff\xff\xff", 8), hugeLength));
}

TEST (InstanceMessageReader, AcceptsTheLongestPayloadAndNothingBeyondIt)
{
    InstanceMessageReader longest;
    EXPECT_EQ (State::complete, readAll (frame (std::string (InstanceMessageReader::maxPayloadBytes, 'a')), longest));
    EXPECT_EQ ((int)InstanceMessageReader::maxPayloadBytes, longest.getCommandLine().length());

    InstanceMessageReader trailing;
    EXPECT_EQ (State::invalid, readAll (frame ("/a") + "x", trailing));

    InstanceMessageReader laterBytes;
    EXPECT_EQ (State::complete, readAll (frame ("/a"), laterBytes));
    EXPECT_EQ (State::invalid, laterBytes.append ("x", 1));
    EXPECT_EQ (juce::String(), laterBytes.getCommandLine());
}

TEST (InstanceMessageReader, RefusesPayloadsThatAreNotStrictUtf8)
{
    const char* const bad[] = {
        "\xc3\x28",         // continuation byte missing
        "\xc0\xaf",         // overlong '/'
        "\xe0\x80\xaf",     // overlong '/' in three bytes
        "\xed\xa0\x80",     // a UTF-16 surrogate
        "\xf4\x90\x80\x80", // above U+10FFFF
        "\xff",             // never valid
        "/ok/\xe6\x97",     // cut in the middle of a character
    };

    for (auto* payload : bad)
    {
        InstanceMessageReader reader;
        EXPECT_EQ (State::invalid, readAll (frame (payload), reader)) << "payload of " << std::strlen (payload);
    }

    InstanceMessageReader withNul;
    EXPECT_EQ (State::invalid, readAll (frame (std::string ("/a\0b", 4)), withNul));

    InstanceMessageReader fourBytes;
    EXPECT_EQ (State::complete, readAll (frame ("\xf0\x9f\x8e\xb5 \xf4\x8f\xbf\xbf"), fourBytes));
}
