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

int len (const char* text)
{
    return (int)std::strlen (text);
}

// An exact-size heap copy without a terminating zero, so that the sanitizer build catches any read behind it.
std::vector<unsigned char> exactBytes (const char* text, size_t n)
{
    return std::vector<unsigned char> (text, text + n);
}
} // namespace

TEST (Utf8Search, FindsPatternInAnyCaseAndTheEarliestMatch)
{
    const char* text = "<history ID=\"1\" Data=\"x\" data=\"y\">";

    EXPECT_EQ (bw_utf8_strnstri_bytes (u (text), len (text), u ("data=\""), 6), u (text) + 16);
    EXPECT_EQ (bw_utf8_strnstri_bytes (u (text), len (text), u ("id=\""), 4), u (text) + 9);
    EXPECT_EQ (bw_utf8_strnstri_bytes (u (text), len (text), u ("HISTORY"), 7), u (text) + 1);
    EXPECT_EQ (bw_utf8_strnstri_bytes (u (text), len (text), u ("rule"), 4), nullptr);
}

TEST (Utf8Search, WholePatternMustFitInTheRegion)
{
    const char* text = "abcXYZ";

    EXPECT_EQ (bw_utf8_strnstri_bytes (u (text), 6, u ("xyz"), 3), u (text) + 3); // match at the very end
    EXPECT_EQ (bw_utf8_strnstri_bytes (u (text), 5, u ("xyz"), 3), nullptr);      // region ends inside the match
    EXPECT_EQ (bw_utf8_strnstri_bytes (u (text), 2, u ("abc"), 3), nullptr);      // pattern longer than the region
    EXPECT_EQ (bw_utf8_strnstri_bytes (u (text), 0, u ("a"), 1), nullptr);

    const auto exact = exactBytes ("ab\xF0", 3); // ends in a lead byte that announces three more
    EXPECT_EQ (bw_utf8_strnstri_bytes (exact.data(), 3, u ("\xF0"), 1), exact.data() + 2);
    EXPECT_EQ (bw_utf8_strnstri_bytes (exact.data(), 3, u ("zz"), 2), nullptr);
}

TEST (Utf8Search, ContinuationBytesAreNeverComparedAsLeads)
{
    // "é" is C3 A9: a byte-wise search would find "\xA9x" at offset 1.
    const char* text = "\xC3\xA9x";
    EXPECT_EQ (bw_utf8_strnstri_bytes (u (text), 3, u ("\xA9x"), 2), nullptr);
    EXPECT_EQ (bw_utf8_strnstri_bytes (u (text), 3, u ("x"), 1), u (text) + 2);

    // Only first bytes are compared, so characters with the same lead byte match each other.
    EXPECT_EQ (bw_utf8_strnstri_bytes (u (text), 3, u ("\xC3\xA8"), 1), u (text));
}

TEST (Utf8Search, StrayAndTruncatedBytesDoNotSwallowFollowingText)
{
    // E2 announces two continuation bytes that are not there: it counts as one byte, and "ab" is still found.
    const char* text = "\xE2"
                       "ab";
    EXPECT_EQ (bw_utf8_strnstri_bytes (u (text), 3, u ("AB"), 2), u (text) + 1);
}

TEST (Utf8Compare, FoldsAsciiAndReturnsSignedDifferences)
{
    EXPECT_EQ (bw_utf8_strncmpi_bytes (u ("abc"), u ("xyz"), 0), 0);
    EXPECT_EQ (bw_utf8_strncmpi_bytes (u ("HeLLo"), u ("hello"), 5), 0);
    EXPECT_EQ (bw_utf8_strncmpi_bytes (u ("abC"), u ("ABd"), 3), 'C' - 'D');
    EXPECT_EQ (bw_utf8_strncmpi_bytes (u ("ab"), u ("AB"), 10), 0); // both end together
    EXPECT_EQ (bw_utf8_strncmpi_bytes (u ("ab"), u ("abc"), 10), -'C');
    // Bytes from 0x80 are compared as negative values: 'A' - (signed char) 0xC3 = 65 - (-61).
    EXPECT_EQ (bw_utf8_strncmpi_bytes (u ("a"), u ("\xC3\xA9"), 1), 126);
    // Only the first byte of a character counts.
    EXPECT_EQ (bw_utf8_strncmpi_bytes (u ("\xC3\xA9z"), u ("\xC3\xA8Z"), 2), 0);
}

TEST (Utf8Compare, ExactCompareStepsByTheFirstTextAndStopsAtZero)
{
    EXPECT_EQ (bw_utf8_strncmpi_chars (u ("abc"), u ("abd"), 3), 'd' - 'c');
    EXPECT_EQ (bw_utf8_strncmpi_chars (u ("abc"), u ("ABC"), 3), 'A' - 'a');
    EXPECT_EQ (bw_utf8_strncmpi_chars (u ("ab"), u ("ab"), 10), 0);
    EXPECT_EQ (bw_utf8_strncmpi_chars (u ("abc"), u ("abd"), 2), 0);

    // The second text holds only the lead byte: it must not be stepped over its zero.
    EXPECT_EQ (bw_utf8_strncmpi_chars (u ("\xC3\xA9X"), u ("\xC3"), 2), -'X');
}

TEST (Utf8Chars, StrchrSkipsContinuationBytes)
{
    const char* text = "\xC3\xA9z\xE2\x82\xACz";

    EXPECT_EQ (bw_utf8_strchr (u (text), 0xA9), nullptr);
    EXPECT_EQ (bw_utf8_strchr (u (text), 0x82), nullptr);
    EXPECT_EQ (bw_utf8_strchr (u (text), 'z'), u (text) + 2);
    EXPECT_EQ (bw_utf8_strchr (u (text), 0xE2), u (text) + 3);
    EXPECT_EQ (bw_utf8_strchr (u (text), 0), nullptr);

    EXPECT_EQ (bw_utf8_strrchr (u (text), 'z'), u (text) + 6);
    EXPECT_EQ (bw_utf8_strrchr (u (text), 0xAC), nullptr);
    EXPECT_EQ (bw_utf8_strrchr (u (text), 0), u (text) + 7);
}

TEST (Utf8Chars, ScansNeverStepOverTheTerminatingZero)
{
    // Lead bytes right before the zero, with more text behind it in the same buffer.
    const char buffer[] = "\xF0\0\x80\x80X\0";
    EXPECT_EQ (bw_utf8_strchr (u (buffer), 'X'), nullptr);
    EXPECT_EQ (bw_utf8_strlen_chars (u (buffer)), 1);
    EXPECT_EQ (bw_utf8_strrchr (u (buffer), 0), u (buffer) + 1);

    const char buffer2[] = "ab\xC3\0cd";
    EXPECT_EQ (bw_utf8_strlen_chars (u (buffer2)), 3);
    EXPECT_EQ (bw_utf8_strchr (u (buffer2), 'c'), nullptr);
    EXPECT_EQ (bw_utf8_bytesinptr (u (buffer2) + 2), 1);
}

TEST (Utf8Chars, CountsAndLengthsFollowTheLeadByteTable)
{
    EXPECT_EQ (bw_utf8_strlen_chars (u ("")), 0);
    EXPECT_EQ (bw_utf8_strlen_chars (u ("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80")), 4);
    EXPECT_EQ (bw_utf8_strlen_chars (u ("\x80\xBF")), 2); // stray continuation bytes count one each

    EXPECT_EQ (bw_utf8_bytesinptr (u ("a")), 1);
    EXPECT_EQ (bw_utf8_bytesinptr (u ("\xC3\xA9")), 2);
    EXPECT_EQ (bw_utf8_bytesinptr (u ("\xE2\x82\xAC")), 3);
    EXPECT_EQ (bw_utf8_bytesinptr (u ("\xF0\x9F\x98\x80")), 4);
    EXPECT_EQ (bw_utf8_bytesinptr (u ("\xF8\x80\x80\x80\x80")), 5);
    EXPECT_EQ (bw_utf8_bytesinptr (u ("\xFC\x80\x80\x80\x80\x80")), 6);
    EXPECT_EQ (bw_utf8_bytesinptr (u ("\xA9")), 1);

    int n = 0;
    bw_utf8_getcharandlenbytes (u ("\xE2\x82\xAC"), n);
    EXPECT_EQ (n, 3);

    EXPECT_EQ (bw_utf8_bytesinchar (0x7F), 1);
    EXPECT_EQ (bw_utf8_bytesinchar (0x80), 2);
    EXPECT_EQ (bw_utf8_bytesinchar (0x7FF), 2);
    EXPECT_EQ (bw_utf8_bytesinchar (0x800), 3);
    EXPECT_EQ (bw_utf8_bytesinchar (0x10000), 4);
    EXPECT_EQ (bw_utf8_bytesinchar (0x200000), 5);
    EXPECT_EQ (bw_utf8_bytesinchar (0x4000000), 6);
}

TEST (Utf8Chars, WritesCodePointsUpToU10FFFF)
{
    unsigned char out[8] = {};

    EXPECT_EQ (bw_utf8_write_from_utf32 (out, 0xE9), out + 2);
    EXPECT_EQ (std::memcmp (out, "\xC3\xA9", 2), 0);
    EXPECT_EQ (bw_utf8_write_from_utf32 (out, 0x20AC), out + 3);
    EXPECT_EQ (std::memcmp (out, "\xE2\x82\xAC", 3), 0);
    EXPECT_EQ (bw_utf8_write_from_utf32 (out, 0x1F600), out + 4);
    EXPECT_EQ (std::memcmp (out, "\xF0\x9F\x98\x80", 4), 0);
    EXPECT_EQ (bw_utf8_write_from_utf32 (out, 0x10FFFF), out + 4);
    EXPECT_EQ (std::memcmp (out, "\xF4\x8F\xBF\xBF", 4), 0);

    out[0] = 'q';
    EXPECT_EQ (bw_utf8_write_from_utf32 (out, 0x110000), out);
    EXPECT_EQ (out[0], 'q');
}

TEST (Utf16, ConvertsCharactersBeyondTheBmpAsPairs)
{
    int n = -1;
    auto* units = bw_utf16_from_utf8 (u ("a\xC3\xA9\xF0\x9F\x98\x80"), 100, n);
    ASSERT_NE (units, nullptr);
    ASSERT_EQ (n, 4);
    EXPECT_EQ (units[0], 0x61);
    EXPECT_EQ (units[1], 0xE9);
    EXPECT_EQ (units[2], 0xD83D);
    EXPECT_EQ (units[3], 0xDE00);
    EXPECT_EQ (units[4], 0);

    int bytes = 0;
    auto* back = bw_utf8_from_utf16 (units, n, bytes);
    ASSERT_NE (back, nullptr);
    EXPECT_EQ (bytes, 7);
    EXPECT_STREQ (reinterpret_cast<char*> (back), "a\xC3\xA9\xF0\x9F\x98\x80");
    std::free (back);
    std::free (units);

    // A limit that falls inside a pair leaves the whole pair out.
    units = bw_utf16_from_utf8 (u ("a\xC3\xA9\xF0\x9F\x98\x80"), 3, n);
    ASSERT_NE (units, nullptr);
    EXPECT_EQ (n, 2);
    EXPECT_EQ (units[2], 0);
    std::free (units);
}

TEST (Utf16, InvalidInputGivesNull)
{
    int n = -1;
    EXPECT_EQ (bw_utf16_from_utf8 (u ("\xC3("), 10, n), nullptr); // truncated sequence
    EXPECT_EQ (n, 0);
    EXPECT_EQ (bw_utf16_from_utf8 (u ("\xC0\x80"), 10, n), nullptr);     // overlong zero
    EXPECT_EQ (bw_utf16_from_utf8 (u ("\xED\xA0\x80"), 10, n), nullptr); // encoded surrogate
    EXPECT_EQ (bw_utf16_from_utf8 (u ("abc"), 0, n), nullptr);

    const BwUTF16Unit loneSurrogate[] = {'a', 0xD83D, 'b'};
    int bytes = -1;
    EXPECT_EQ (bw_utf8_from_utf16 (loneSurrogate, 3, bytes), nullptr);
    EXPECT_EQ (bytes, 0);
}

TEST (Utf16, PlatformStringStandIn)
{
    auto empty = bw_utf8_CreateCFStringFromBytePointerLen (u (""), 0);
    ASSERT_NE (empty, nullptr);
    int bytes = -1;
    EXPECT_EQ (bw_utf8_from_CFString (empty.get(), bytes), nullptr); // empty text gives null
    EXPECT_EQ (bytes, 0);

    // Only the given byte count is taken.
    auto s = bw_utf8_CreateCFStringFromBytePointerLen (u ("\xE2\x82\xAC!tail"), 4);
    ASSERT_NE (s, nullptr);
    EXPECT_EQ (s->m_units, std::u16string (u"\u20AC!"));
    auto* text = bw_utf8_from_CFString (s.get(), bytes);
    ASSERT_NE (text, nullptr);
    EXPECT_EQ (bytes, 4);
    EXPECT_STREQ (reinterpret_cast<char*> (text), "\xE2\x82\xAC!");
    std::free (text);

    EXPECT_EQ (bw_utf8_CreateCFStringFromBytePointerLen (u ("\xE2\x82\xAC"), 2), nullptr); // cut sequence
}

TEST (BwStringTest, TranslateCharToCharChangesFirstBytesOnly)
{
    BwString s ("a\nb\xC3\x8A\n");
    s.TranslateCharToChar ('\n', ' ');
    EXPECT_STREQ (s.c_str(), "a b\xC3\x8A ");

    s.TranslateCharToChar (0x8A, 'x'); // a continuation byte is no character of its own
    EXPECT_STREQ (s.c_str(), "a b\xC3\x8A ");

    s.TranslateCharToChar (0xC3, 0xC3);
    EXPECT_STREQ (s.c_str(), "a b\xC3\x8A ");

    const unsigned char withZero[] = {'a', 0, 'b'};
    BwString z (withZero, 3);
    EXPECT_EQ (z.GetLength(), 3);
    EXPECT_EQ (z.Get()[3], 0);
    EXPECT_TRUE (BwString().IsEmpty());
    EXPECT_EQ (BwString().Get()[0], 0);
}
