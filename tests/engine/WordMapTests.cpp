#include "WordMap.h"

#include <gtest/gtest.h>

namespace
{
// The words of every line within the line count, joined by blanks, each line followed by a line feed.
std::string wordsOf (WordMap& map)
{
    juce::String text;

    for (int line = 0; line < map.m_lineCount; ++line)
    {
        for (int w = 0; w < map.GetWordCountInLine (line); ++w)
            text << (w > 0 ? " " : "") << map.GetWordAtXY (line, w)->m_text;

        text << "\n";
    }

    return text.toStdString();
}
} // namespace

TEST (WordMap, CountsDefaultToFourAndEverythingIsHeldToTheGrid)
{
    WordMap map;
    EXPECT_EQ (wordsOf (map), "   \n   \n   \n   \n"); // four lines of four empty slots
    EXPECT_EQ (map.GetWordCountInLine (4), 4);         // the line at the count still reports the default
    EXPECT_EQ (map.GetWordCountInLine (5), 0);

    const std::pair<int, int> storedAndReported[] = {{40, 20}, {-7, 4}, {0, 4}, {6, 6}};

    for (const auto& [stored, reported] : storedAndReported)
    {
        map.SetWordCountInLine (1, stored);
        EXPECT_EQ (map.GetWordCountInLine (1), reported) << stored;
    }

    for (const int outside : {-1, 50, 1000000})
    {
        map.SetWordCountInLine (outside, 3); // ignored
        EXPECT_EQ (map.GetWordCountInLine (outside), 0);
    }

    map.SetLineCount (500);
    EXPECT_EQ (map.m_lineCount, WordMap::maxLines);
    map.SetLineCount (-3);
    EXPECT_EQ (map.m_lineCount, 0);
    EXPECT_EQ (map.GetWordAtXY (-5, -5), map.GetWordAtXY (0, 0)); // slots are clamped to the grid's edge
    EXPECT_EQ (map.GetWordAtXY (0, 25), map.GetWordAtXY (0, 19));
    EXPECT_EQ (map.GetWordAtXY (80, 3), map.GetWordAtXY (49, 3));
}

TEST (WordMap, TextGoesIntoTheSlotsAndLocksStayWithTheSlots)
{
    WordMap map;
    map.SetWordCountInLine (5, 6);
    map.SetFromString ("one two three,\n\nfour five.");
    EXPECT_EQ (map.m_text, "one two three,\n\nfour five.");
    EXPECT_EQ (wordsOf (map), "one two three\nfour five\n"); // lines without words take no row
    EXPECT_EQ (map.m_totalWordCount, 5);
    EXPECT_EQ (map.GetWordAtXY (0, 2)->m_length, 5);
    map.SetLineCount (6);
    EXPECT_EQ (map.GetWordCountInLine (5), 6); // a stored count beyond the text is kept

    map.GetWordAtXY (0, 1)->m_locked = 1;
    map.GetWordAtXY (1, 0)->m_start = 42;
    map.SetFromString ("alpha beta gamma\ndelta epsilon");
    EXPECT_EQ (wordsOf (map), "alpha beta gamma\ndelta epsilon\n");
    EXPECT_TRUE (map.GetWordAtXY (0, 0)->m_locked == 0 && map.GetWordAtXY (0, 1)->m_locked == 1);
    EXPECT_EQ (map.GetWordAtXY (1, 0)->m_start, 42);

    map.SetFromString ("solo"); // slots beyond a line's new count are emptied whatever they held; the lock stays
    EXPECT_TRUE (map.m_lineCount == 1 && map.GetWordAtXY (0, 1)->m_text.isEmpty() &&
                 map.GetWordAtXY (1, 0)->m_text.isEmpty());
    EXPECT_EQ (map.GetWordAtXY (0, 1)->m_locked, 1);

    map.SetFromString (" ,.;\n\n ");
    EXPECT_EQ (map.m_lineCount + map.m_totalWordCount, 0);
}

TEST (WordMap, SetAllLocksCoversTheStoredCountsOnly)
{
    WordMap map; // no stored counts yet: nothing is locked
    map.SetAllWordLocksToThisValue (1);
    EXPECT_EQ (map.GetWordAtXY (0, 0)->m_locked, 0);

    map.SetLineCount (3);
    map.SetWordCountInLine (0, 2);
    map.SetWordCountInLine (1, 5);
    map.GetWordAtXY (2, 0)->m_locked = 1; // line 2 has no stored count: left alone
    map.SetAllWordLocksToThisValue (1);
    EXPECT_EQ (map.GetWordAtXY (0, 1)->m_locked + map.GetWordAtXY (1, 4)->m_locked, 2);
    EXPECT_EQ (map.GetWordAtXY (0, 2)->m_locked + map.GetWordAtXY (3, 0)->m_locked, 0);
    map.SetAllWordLocksToThisValue (0);
    EXPECT_TRUE (map.GetWordAtXY (1, 4)->m_locked == 0 && map.GetWordAtXY (2, 0)->m_locked == 1);

    map.m_lineCount = 70; // written straight into the member, it is still held to the grid
    for (int line = 0; line < WordMap::maxLines; ++line)
        map.SetWordCountInLine (line, 20);
    map.SetAllWordLocksToThisValue (1);
    EXPECT_EQ (map.GetWordAtXY (49, 19)->m_locked, 1);
    EXPECT_EQ (map.GetWordCountInLine (60), 0);
}
