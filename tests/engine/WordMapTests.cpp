#include "WordMap.h"

#include <gtest/gtest.h>

namespace
{
juce::StringArray wordsOfLine (WordMap& map, int line)
{
    juce::StringArray words;

    for (int w = 0; w < map.GetWordCountInLine (line); ++w)
        words.add (map.GetWordAtXY (line, w)->m_text);

    return words;
}
} // namespace

TEST (WordMap, NewMapReportsFourLinesOfFourEmptyUnlockedWords)
{
    WordMap map;
    EXPECT_EQ (map.m_lineCount, 4);

    for (int line = 0; line < 4; ++line)
    {
        EXPECT_EQ (map.GetWordCountInLine (line), 4);

        for (int w = 0; w < 4; ++w)
        {
            EXPECT_TRUE (map.GetWordAtXY (line, w)->m_text.isEmpty());
            EXPECT_EQ (map.GetWordAtXY (line, w)->m_locked, 0);
        }
    }

    // Only lines beyond the line count report no words; the line at the count still reports its default.
    EXPECT_EQ (map.GetWordCountInLine (4), 4);
    EXPECT_EQ (map.GetWordCountInLine (5), 0);
}

TEST (WordMap, SetFromStringLaysInLinesWithWordsOnly)
{
    WordMap map;
    map.SetFromString ("The cat sat,\n\nOn the mat.");

    EXPECT_EQ (map.m_text, "The cat sat,\n\nOn the mat.");
    EXPECT_EQ (map.m_lineCount, 2);
    EXPECT_EQ (map.m_totalWordCount, 6);
    EXPECT_EQ (wordsOfLine (map, 0), juce::StringArray ({"The", "cat", "sat"}));
    EXPECT_EQ (wordsOfLine (map, 1), juce::StringArray ({"On", "the", "mat"}));
    EXPECT_EQ (map.GetWordAtXY (1, 2)->m_length, 3);

    map.SetFromString (" ,.;\n\n ");
    EXPECT_EQ (map.m_lineCount, 0);
    EXPECT_EQ (map.m_totalWordCount, 0);
}

TEST (WordMap, LocksBelongToSlotsAndSurviveNewText)
{
    WordMap map;
    map.SetFromString ("one two three\nfour five");
    map.GetWordAtXY (0, 1)->m_locked = 1;
    map.GetWordAtXY (1, 0)->m_start = 42;

    map.SetFromString ("alpha beta gamma\ndelta epsilon");
    EXPECT_EQ (map.GetWordAtXY (0, 1)->m_text, "beta");
    EXPECT_EQ (map.GetWordAtXY (0, 1)->m_locked, 1);
    EXPECT_EQ (map.GetWordAtXY (0, 0)->m_locked, 0);
    EXPECT_EQ (map.GetWordAtXY (1, 0)->m_start, 42);

    // Slots beyond a line's new count are emptied, whatever they held.
    map.SetFromString ("solo");
    EXPECT_TRUE (map.GetWordAtXY (0, 1)->m_text.isEmpty());
    EXPECT_EQ (map.GetWordAtXY (0, 1)->m_locked, 1);
    EXPECT_TRUE (map.GetWordAtXY (1, 0)->m_text.isEmpty());
}

TEST (WordMap, StoredCountsBeyondTheLineCountAreKept)
{
    WordMap map;
    map.SetWordCountInLine (5, 6);
    map.SetFromString ("a b\nc d\ne f\ng h");

    EXPECT_EQ (map.m_lineCount, 4);
    EXPECT_EQ (map.m_wordCountInLine[5], 6);
    map.SetLineCount (6);
    EXPECT_EQ (map.GetWordCountInLine (5), 6);

    // A stored count of 0 means the default of 4.
    map.SetWordCountInLine (2, 0);
    EXPECT_EQ (map.GetWordCountInLine (2), 4);
}

TEST (WordMap, SetAllLocksUsesTheStoredCounts)
{
    WordMap fresh;
    fresh.SetAllWordLocksToThisValue (1);

    for (int line = 0; line < 4; ++line)
        for (int w = 0; w < 4; ++w)
            EXPECT_EQ (fresh.GetWordAtXY (line, w)->m_locked, 0);

    WordMap map;
    map.SetLineCount (3);
    map.SetWordCountInLine (0, 2);
    map.SetWordCountInLine (1, 5);
    map.GetWordAtXY (2, 0)->m_locked = 1; // line 2 has no stored count: left alone
    map.SetAllWordLocksToThisValue (1);

    EXPECT_EQ (map.GetWordAtXY (0, 1)->m_locked, 1);
    EXPECT_EQ (map.GetWordAtXY (0, 2)->m_locked, 0);
    EXPECT_EQ (map.GetWordAtXY (1, 4)->m_locked, 1);
    EXPECT_EQ (map.GetWordAtXY (3, 0)->m_locked, 0);

    map.SetAllWordLocksToThisValue (0);
    EXPECT_EQ (map.GetWordAtXY (1, 4)->m_locked, 0);
    EXPECT_EQ (map.GetWordAtXY (2, 0)->m_locked, 1);
}

TEST (WordMap, TextBeyondTheGridIsDroppedAndCounted)
{
    // 200 lines of 40 words: only 50 lines of 20 words fit.
    juce::String text;

    for (int line = 0; line < 200; ++line)
    {
        for (int w = 0; w < 40; ++w)
            text << "w" << line << "x" << w << " ";

        text << "\n";
    }

    WordMap map;
    map.GetWordAtXY (49, 19)->m_locked = 1;
    map.SetFromString (text);

    EXPECT_EQ (map.m_lineCount, WordMap::maxLines);
    EXPECT_EQ (map.m_totalWordCount, WordMap::maxLines * WordMap::maxWordsInLine);

    for (int line = 0; line < WordMap::maxLines; ++line)
        EXPECT_EQ (map.GetWordCountInLine (line), WordMap::maxWordsInLine);

    EXPECT_EQ (map.GetWordAtXY (0, 0)->m_text, "w0x0");
    EXPECT_EQ (map.GetWordAtXY (49, 19)->m_text, "w49x19");
    EXPECT_EQ (map.GetWordAtXY (49, 19)->m_locked, 1);

    // One long line keeps its first 20 words.
    map.SetFromString ("a1 a2 a3 a4 a5 a6 a7 a8 a9 a10 a11 a12 a13 a14 a15 a16 a17 a18 a19 a20 a21 a22");
    EXPECT_EQ (map.m_lineCount, 1);
    EXPECT_EQ (map.m_totalWordCount, 20);
    EXPECT_EQ (map.GetWordAtXY (0, 19)->m_text, "a20");
}

TEST (WordMap, OutOfRangeIndicesAndCountsStayInsideTheGrid)
{
    WordMap map;
    map.SetFromString ("alpha beta");

    map.SetLineCount (500);
    EXPECT_EQ (map.m_lineCount, WordMap::maxLines);
    map.SetLineCount (-3);
    EXPECT_EQ (map.m_lineCount, 0);
    map.SetLineCount (4);

    map.SetWordCountInLine (1, 40);
    EXPECT_EQ (map.GetWordCountInLine (1), WordMap::maxWordsInLine);
    map.SetWordCountInLine (1, -7);
    EXPECT_EQ (map.GetWordCountInLine (1), 4);
    map.SetWordCountInLine (50, 3);
    map.SetWordCountInLine (-1, 3);
    map.SetWordCountInLine (1000000, 3);

    EXPECT_EQ (map.GetWordCountInLine (-1), 0);
    EXPECT_EQ (map.GetWordCountInLine (50), 0);

    // Out-of-range slots are clamped to the grid's edge, never past it.
    EXPECT_EQ (map.GetWordAtXY (-5, -5), map.GetWordAtXY (0, 0));
    EXPECT_EQ (map.GetWordAtXY (0, 25), map.GetWordAtXY (0, 19));
    EXPECT_EQ (map.GetWordAtXY (80, 3), map.GetWordAtXY (49, 3));

    // A line count written straight into the member is still held to the grid.
    map.m_lineCount = 70;
    for (int line = 0; line < WordMap::maxLines; ++line)
        map.SetWordCountInLine (line, 20);
    map.SetAllWordLocksToThisValue (1);
    EXPECT_EQ (map.GetWordAtXY (49, 19)->m_locked, 1);
    EXPECT_EQ (map.GetWordCountInLine (60), 0);
}
