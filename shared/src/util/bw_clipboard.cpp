#include "bw_clipboard.h"
#include "bw_utf8.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <climits>
#include <cstdlib>
#include <cstring>

namespace
{
constexpr int emptyText = -1;
constexpr int outOfMemory = -108;
constexpr int notOwner = -25135;
} // namespace

int bw_clipboard_copytexttoclipboard (const unsigned char* text)
{
    if (text == nullptr)
        return emptyText;

    const size_t numBytes = std::strlen (reinterpret_cast<const char*> (text));

    if (numBytes < 1 || numBytes > (size_t)INT_MAX || bw_utf8_strlen_chars (text) < 1)
        return emptyText;

    // Sized by the converted length: a UTF-16 text never has more units than the UTF-8 text has bytes, and
    // characters beyond U+FFFF take two units each.
    int numUnits = 0;
    auto* units = bw_utf16_from_utf8 (text, (int)numBytes, numUnits);

    if (units == nullptr)
        return outOfMemory;

    using Utf16Char = juce::CharPointer_UTF16::CharType;
    const juce::String clipText (juce::CharPointer_UTF16 (reinterpret_cast<const Utf16Char*> (units)),
                                 (size_t)numUnits);
    std::free (units);

    juce::SystemClipboard::copyTextToClipboard (clipText);

    // Reading back is a round trip to the X server: it sends the buffered request that makes this program the
    // clipboard's owner at once (otherwise it waits for the next event the message loop happens to get), and it
    // tells whether the clipboard now holds the text.
    return juce::SystemClipboard::getTextFromClipboard() == clipText ? 0 : notOwner;
}

unsigned char* bw_clipboard_gettextfromclipboard (int& lenBytes)
{
    lenBytes = 0;
    const juce::String text = juce::SystemClipboard::getTextFromClipboard();

    if (text.isEmpty())
        return nullptr;

    const juce::CharPointer_UTF16 units = text.toUTF16();
    const auto numUnits = (int)(units.findTerminatingNull().getAddress() - units.getAddress());
    return bw_utf8_from_utf16 (reinterpret_cast<const BwUTF16Unit*> (units.getAddress()), numUnits, lenBytes);
}
