// Tests of the byte-level UTF-8 helpers: case-insensitive search and its bounds, stepping by characters, and the
// conversions behind the clipboard.
#include <bw_utf8.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
const unsigned char* u (const char* text)
{
    return reinterpret_cast<const unsigned char*> (text);
}

// The offset of the first match in the first regionBytes bytes, or -1.
int find (const char* region, int regionBytes, const char* pattern)
{
    const auto* found = bw_utf8_strnstri_bytes (u (region), regionBytes, u (pattern), (int)std::strlen (pattern));
    return found == nullptr ? -1 : (int)(found - u (region));
}
} // namespace

TEST (Utf8, SearchFindsTheEarliestMatchWhollyInsideTheRegion)
{
    const char* tag = "<history ID=\"1\" Data=\"x\" data=\"y\">";
    EXPECT_EQ (find (tag, 34, "data=\""), 16);
    EXPECT_EQ (find (tag, 34, "HISTORY"), 1);
    EXPECT_EQ (find (tag, 34, "rule"), -1);
    EXPECT_EQ (find ("abcXYZ", 6, "xyz"), 3);       // match at the very end
    EXPECT_EQ (find ("abcXYZ", 5, "xyz"), -1);      // region ends inside the match
    EXPECT_EQ (find ("abcXYZ", 2, "abc"), -1);      // pattern longer than the region
    EXPECT_EQ (find ("\xC3\xA9x", 3, "\xA9x"), -1); // continuation bytes are never compared as leads
    EXPECT_EQ (find ("\xC3\xA9x", 3, "x"), 2);
    EXPECT_EQ (find ("\xE2rule", 5, "RULE"), 1); // a lead without its continuation bytes counts as one byte

    // Exact-size heap copy without a terminating zero, ending in a lead byte that announces three more: the
    // sanitizer build catches any read behind it.
    const std::vector<unsigned char> exact{'a', 'b', 0xF0};
    EXPECT_EQ (bw_utf8_strnstri_bytes (exact.data(), 3, u ("\xF0"), 1), exact.data() + 2);
    EXPECT_EQ (bw_utf8_strnstri_bytes (exact.data(), 3, u ("zz"), 2), nullptr);
}

TEST (Utf8, ComparesFoldAsciiAndReturnSignedDifferences)
{
    EXPECT_EQ (bw_utf8_strncmpi_bytes (u ("HeLLo"), u ("hello"), 5), 0);
    EXPECT_EQ (bw_utf8_strncmpi_bytes (u ("abC"), u ("ABd"), 3), 'C' - 'D');
    EXPECT_EQ (bw_utf8_strncmpi_bytes (u ("ab"), u ("abc"), 10), -'C');
    EXPECT_EQ (bw_utf8_strncmpi_bytes (u ("a"), u ("\xC3\xA9"), 1), 'A' + 61);   // (signed char) 0xC3 is -61
    EXPECT_EQ (bw_utf8_strncmpi_bytes (u ("\xC3\xA9z"), u ("\xC3\xA8Z"), 2), 0); // first bytes only

    // The exact compare does not fold, and steps both texts by the first one's characters.
    EXPECT_EQ (bw_utf8_strncmpi_chars (u ("abc"), u ("ABC"), 3), 'A' - 'a');
    EXPECT_EQ (bw_utf8_strncmpi_chars (u ("abc"), u ("abd"), 2), 0);
    EXPECT_EQ (bw_utf8_strncmpi_chars (u ("\xC3\xA9X"), u ("\xC3"), 2), -'X'); // b is not stepped over its zero
}

TEST (Utf8, StrchrAndCountsStepByCharactersAndStopAtTheTerminatingZero)
{
    const char* text = "\xC3\xA9z\xE2\x82\xACz";
    EXPECT_EQ (bw_utf8_strchr (u (text), 0xA9), nullptr); // continuation bytes are skipped
    EXPECT_EQ (bw_utf8_strchr (u (text), 0x82), nullptr);
    EXPECT_EQ (bw_utf8_strchr (u (text), 'z'), u (text) + 2);
    EXPECT_EQ (bw_utf8_strchr (u (text), 0xE2), u (text) + 3);
    EXPECT_EQ (bw_utf8_strrchr (u (text), 'z'), u (text) + 6);
    EXPECT_EQ (bw_utf8_strrchr (u (text), 0), u (text) + 7);
    EXPECT_EQ (bw_utf8_strlen_chars (u ("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80")), 4);
    EXPECT_EQ (bw_utf8_strlen_chars (u ("\x80\xBF")), 2); // stray continuation bytes count one each

    // Truncated sequences right before the zero, with more text behind it in the same buffer.
    const char cutFour[] = "\xF0\0\x80\x80X";
    EXPECT_EQ (bw_utf8_strchr (u (cutFour), 'X'), nullptr);
    EXPECT_EQ (bw_utf8_strlen_chars (u (cutFour)), 1);
    EXPECT_EQ (bw_utf8_strrchr (u (cutFour), 0), u (cutFour) + 1);
    const char cutTwo[] = "ab\xC3\0cd";
    EXPECT_EQ (bw_utf8_strlen_chars (u (cutTwo)), 3);
    EXPECT_EQ (bw_utf8_strchr (u (cutTwo), 'c'), nullptr);
}

TEST (Utf8, WritesCodePointsUpToU10FFFF)
{
    for (const char* expected : {"q", "\xDF\xBF", "\xE2\x82\xAC", "\xF4\x8F\xBF\xBF"})
    {
        const int numBytes = (int)std::strlen (expected);
        const unsigned long codePoint = juce::CharPointer_UTF8 (expected).getAndAdvance();
        unsigned char out[8] = {};
        EXPECT_EQ (bw_utf8_write_from_utf32 (out, codePoint), out + numBytes);
        EXPECT_STREQ (reinterpret_cast<char*> (out), expected);
        EXPECT_EQ (bw_utf8_bytesinchar (codePoint), numBytes);
    }

    unsigned char out[4] = {'q'};
    EXPECT_EQ (bw_utf8_write_from_utf32 (out, 0x110000), out);
    EXPECT_EQ (out[0], 'q');
}

TEST (Utf8, Utf16ConversionsKeepPairsWholeAndRefuseInvalidText)
{
    const char* text = "a\xC3\xA9\xF0\x9F\x98\x80";
    int n = -1, bytes = -1;
    auto* units = bw_utf16_from_utf8 (u (text), 100, n);
    ASSERT_NE (units, nullptr);
    EXPECT_EQ (std::vector<BwUTF16Unit> (units, units + n + 1),
               (std::vector<BwUTF16Unit>{'a', 0xE9, 0xD83D, 0xDE00, 0}));
    auto* back = bw_utf8_from_utf16 (units, n, bytes);
    EXPECT_EQ (bytes, 7);
    EXPECT_STREQ (reinterpret_cast<char*> (back), text);
    std::free (back);
    std::free (units);

    units = bw_utf16_from_utf8 (u (text), 3, n); // a limit inside the pair leaves the whole pair out
    EXPECT_EQ (n, 2);
    std::free (units);

    for (const char* invalid : {"\xC3(", "\xC0\x80", "\xED\xA0\x80"}) // truncated, overlong, encoded surrogate
        EXPECT_EQ (bw_utf16_from_utf8 (u (invalid), 10, n), nullptr) << invalid;
    const BwUTF16Unit loneSurrogate[] = {'a', 0xD83D, 'b'};
    EXPECT_EQ (bw_utf8_from_utf16 (loneSurrogate, 3, bytes), nullptr);
}

TEST (Utf8, TranslateCharToCharChangesFirstBytesOnly)
{
    BwString s ("a\nb\xC3\x8A\n");
    s.TranslateCharToChar ('\n', ' ');
    s.TranslateCharToChar (0x8A, 'x'); // a continuation byte is no character of its own
    EXPECT_STREQ (s.c_str(), "a b\xC3\x8A ");
}
