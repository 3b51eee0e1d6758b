#include "InstanceMessageReader.h"

#include <gtest/gtest.h>

#include <string>

using quillet::InstanceMessageReader;
using State = InstanceMessageReader::State;
using namespace std::string_literals;

namespace
{
// A frame built by hand, so the tests do not lean on the encoder for the layout.
std::string frame (const std::string& payload, const char* magic = "QLI1")
{
    const auto size = payload.size();
    return std::string (magic, 4) + (char)(size >> 24) + (char)(size >> 16) + (char)(size >> 8) + (char)size + payload;
}

std::string encode (const std::string& text)
{
    const auto block = quillet::encodeInstanceMessage (juce::String (juce::CharPointer_UTF8 (text.c_str())));
    return std::string (static_cast<const char*> (block.getData()), block.getSize());
}

// The state once all bytes arrived at once, and the command line then.
std::pair<State, std::string> readAll (const std::string& bytes)
{
    InstanceMessageReader reader;
    const auto state = reader.append (bytes.data(), bytes.size());
    return {state, reader.getCommandLine().toStdString()};
}
} // namespace

TEST (InstanceMessageReader, EncoderAndReaderAgreeOnTheFramingInAnyPieces)
{
    const std::string text = "/home/s/Lieder \xc3\xbc \xe6\x97\xa5\xf0\x9f\x8e\xb5.quillet";
    const auto bytes = frame (text);
    EXPECT_EQ (bytes, encode (text));
    EXPECT_EQ (frame (""), encode (""));

    InstanceMessageReader byteByByte;
    for (size_t i = 0; i + 1 < bytes.size(); ++i)
    {
        ASSERT_EQ (State::incomplete, byteByByte.append (bytes.data() + i, 1)) << "at byte " << i;
        EXPECT_EQ (juce::String(), byteByByte.getCommandLine());
    }
    EXPECT_EQ (State::complete, byteByByte.append (bytes.data() + bytes.size() - 1, 1));
    EXPECT_EQ (text, byteByByte.getCommandLine().toStdString());
    EXPECT_EQ (State::invalid, byteByByte.append ("x", 1)); // nothing may follow
    EXPECT_EQ (juce::String(), byteByByte.getCommandLine());

    for (const auto& payload : {""s, std::string (InstanceMessageReader::maxPayloadBytes, 'a')})
        EXPECT_EQ (std::make_pair (State::complete, payload), readAll (frame (payload)));
}

TEST (InstanceMessageReader, RefusesMalformedMessagesAsSoonAsTheyShow)
{
    const std::string tooLong = frame (std::string (InstanceMessageReader::maxPayloadBytes + 1, 'a'));
    const std::string malformed[] = {
        "X",
        frame ("/a", "QLI2"),
        tooLong.substr (0, 8), // refused from the header alone, before any payload
        "QLI1\xff\xff\xff\xff",
        frame ("/a") + "x",
        frame ("/a\0b"s),
        frame ("\xc3\x28"),         // continuation byte missing
        frame ("\xc0\xaf"),         // overlong '/'
        frame ("\xe0\x80\xaf"),     // overlong '/' in three bytes
        frame ("\xed\xa0\x80"),     // a UTF-16 surrogate
        frame ("\xf4\x90\x80\x80"), // above U+10FFFF
        frame ("\xff"),             // never valid
        frame ("/ok/\xe6\x97"),     // cut in the middle of a character
    };

    for (const auto& bytes : malformed)
        EXPECT_EQ (State::invalid, readAll (bytes).first) << "message of " << bytes.size() << " bytes";
}
