#include "Quillet.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{
// One generation with the given seed; "<null>" when the engine returns null.
std::string generate (Quillet& engine, std::uint32_t seed, const juce::String& idea1, const juce::String& idea3 = {})
{
    engine.SetSeedSource ([seed] { return seed; });
    char* text = engine.GenerateLyrics (idea1, {}, idea3);
    std::string result = text != nullptr ? text : "<null>";
    std::free (text);
    return result;
}

void setRule (WordMap& map, std::vector<int> wordsPerLine)
{
    for (size_t line = 0; line < wordsPerLine.size(); ++line)
        map.SetWordCountInLine ((int)line, wordsPerLine[line]);

    map.SetLineCount ((int)wordsPerLine.size());
}

// A lyric (or any text) as lines of words cut at blanks, without the "," or "." that ends each lyric line.
std::vector<juce::StringArray> linesOf (const juce::String& text)
{
    std::vector<juce::StringArray> lines;

    for (const auto& row : juce::StringArray::fromLines (text.trimEnd()))
        lines.push_back (juce::StringArray::fromTokens (row.trimCharactersAtEnd (",."), " ", ""));

    return lines;
}

int distinctWordsIgnoringCase (juce::StringArray line)
{
    line.removeDuplicates (true);
    return line.size();
}
} // namespace

TEST (Generation, ExactLyricsOfOneWordPoolsAndNullWithoutUsableWords)
{
    // Rule, idea text (in the third box), lyric. Only a to z are capitalised; an empty rule gives an empty lyric;
    // separators only, single letters other than A and I, or nothing give null and leave the map alone.
    const std::tuple<std::vector<int>, const char*, const char*> cases[] = {
        {{4, 4}, "love", "Love love love love,\nLove love love love.\n"},
        {{1, 2}, "  hope ", "Hope,\nHope hope.\n"},
        {{1}, "\xc3\xa9t\xc3\xa9", "\xc3\xa9t\xc3\xa9.\n"},
        {{1}, "'twas", "'twas.\n"},
        {{}, "words here", ""},
        {{2}, " , ;\n\t..?[]\r\n\"\")", nullptr},
        {{2}, "a b c i x q", nullptr},
        {{2}, "", nullptr},
    };

    for (const auto& [rule, idea, expected] : cases)
    {
        Quillet engine;
        engine.SetString ("keep this");
        setRule (engine.m_wordMap, rule);
        EXPECT_EQ (generate (engine, 1, {}, juce::String::fromUTF8 (idea)), expected != nullptr ? expected : "<null>");
        EXPECT_EQ (engine.m_wordMap.m_text, expected != nullptr ? juce::String::fromUTF8 (expected) : "keep this");
    }
}

TEST (Generation, RhymesAAndIAndRepeatsFollowTheirRulesForEverySeed)
{
    const juce::StringArray rhymes ("day", "way", "say");
    int aAtStart = 0, iInside = 0;

    for (std::uint32_t seed = 0; seed < 300; ++seed)
    {
        Quillet engine;
        setRule (engine.m_wordMap, {4, 3, 2, 1, 5, 4});
        const auto lines = linesOf (generate (engine, seed, "A I day way say blue sky"));
        ASSERT_EQ (lines.size(), 6u);

        for (size_t i = 0; i < lines.size(); ++i)
        {
            // Odd lines end in a rhyme of line 1's last word but not in that word; even lines end in no rhyme.
            const auto& line = lines[i];
            const auto end = line.strings.getLast();
            EXPECT_EQ (rhymes.contains (end, true), i % 2 == 1) << seed;
            EXPECT_TRUE (i < 3 || i % 2 == 0 || !end.equalsIgnoreCase (lines[1].strings.getLast())) << seed;
            EXPECT_EQ (distinctWordsIgnoringCase (line), line.size()) << seed; // no line is longer than the pool
            EXPECT_TRUE (end != "I" && line.indexOf ("A", false, 1) < 0) << seed;
            aAtStart += line[0] == "A" ? 1 : 0;
            iInside += line.contains ("I") ? 1 : 0;
        }

        // A line longer than its pool repeats words; one that fits holds every word once, whatever its case.
        Quillet fits;
        setRule (fits.m_wordMap, {3, 5});
        const auto fitted = linesOf (generate (fits, seed, "sun MOON Sky"));
        ASSERT_EQ (fitted.size(), 2u);
        EXPECT_EQ (distinctWordsIgnoringCase (fitted[0]), 3);
        EXPECT_EQ (fitted[1].size(), 5);
    }

    EXPECT_GT (aAtStart, 0);
    EXPECT_GT (iInside, 0);
}

TEST (Generation, LockedSlotsKeepTheFirstPoolWordWithTheirTextAndStayLocked)
{
    // Locked words (marked *) join the pool first, so a word in no idea text comes back, and a slot takes the first
    // pool word with its text ignoring case. A locked single letter is no pool word: its slot gets a drawn word (?).
    const char* cases[][3] = {
        {"*Sun moon star river\nstone sky *day way\nblue tree rain cloud\nfire heart art *say",
         "day way say blue sky sun moon star river stone", "Sun ? ? ?\n? ? day ?\n? ? ? ?\n? ? ? say"},
        {"*Wanderer home", "sky blue", "Wanderer ?"},
        {"sky *Night *night", "sun moon", "? Night Night"},
        {"moon *a", "sun A", "? A"},
        {"*x sun", "moon star", "? ?"},
    };

    for (const auto& [lyric, ideas, expected] : cases)
    {
        const auto marked = linesOf (lyric), wanted = linesOf (expected);

        for (std::uint32_t seed = 0; seed < 20; ++seed)
        {
            Quillet engine;
            engine.SetString (lyric); // "*" is punctuation to the word map

            for (size_t line = 0; line < marked.size(); ++line)
                for (int pos = 0; pos < marked[line].size(); ++pos)
                    engine.m_wordMap.GetWordAtXY ((int)line, pos)->m_locked = marked[line][pos].startsWithChar ('*');

            const auto lines = linesOf (generate (engine, seed, ideas));
            ASSERT_EQ (lines.size(), wanted.size());

            for (size_t line = 0; line < lines.size(); ++line)
            {
                ASSERT_EQ (lines[line].size(), wanted[line].size());

                for (int pos = 0; pos < lines[line].size(); ++pos)
                {
                    const auto& word = lines[line][pos];
                    EXPECT_TRUE (wanted[line][pos] == "?" ? !word.equalsIgnoreCase ("x") : word == wanted[line][pos])
                        << word;
                    EXPECT_EQ (engine.m_wordMap.GetWordAtXY ((int)line, pos)->m_locked,
                               marked[line][pos].startsWithChar ('*') ? 1 : 0);
                }
            }
        }
    }
}

TEST (Generation, APoolWordWithPunctuationShiftsTheLaterWordsInTheMap)
{
    int shifted = 0;

    for (std::uint32_t seed = 0; seed < 60; ++seed)
    {
        Quillet engine;
        setRule (engine.m_wordMap, {3});
        engine.SetString ("one two sun");
        engine.m_wordMap.GetWordAtXY (0, 2)->m_locked = 1;
        const auto line = linesOf (generate (engine, seed, "and/or"))[0];
        ASSERT_EQ (line.size(), 3);
        ASSERT_EQ (line[2], "sun");
        const int splits =
            (int)std::count_if (line.begin(), line.end(), [] (auto& w) { return w.equalsIgnoreCase ("and/or"); });

        // Each and/or is two words in the map; "sun" moves on by as many slots, away from its lock.
        auto& map = engine.m_wordMap;
        EXPECT_EQ (map.GetWordCountInLine (0), 3 + splits);
        EXPECT_EQ (map.GetWordAtXY (0, 2 + splits)->m_text, "sun");
        EXPECT_EQ (map.GetWordAtXY (0, 2)->m_locked, 1);
        EXPECT_EQ (map.GetWordAtXY (0, 2 + splits)->m_locked, splits == 0 ? 1 : 0);
        shifted += splits > 0 ? 1 : 0;
    }

    EXPECT_GT (shifted, 0);
}

TEST (Generation, GridLimitsHoldAndLongWordsAndLyricsAreKeptWhole)
{
    // A rule and a lyric of 200 lines of 40 locked words of 40 bytes: only 50 lines of 20 fit, and each slot gets its
    // own word back (the first of a line capitalised), though the locked words and the lyric are over 40,000 bytes.
    Quillet engine;
    juce::String text;

    for (int line = 0; line < 200; ++line)
    {
        for (int w = 0; w < 40; ++w)
            text << juce::String::repeatedString ("q", 36) << "w" << line << "n" << w << " ";

        text << "\n";
    }

    setRule (engine.m_wordMap, std::vector<int> (200, 40));
    engine.m_wordMap.GetWordAtXY (49, 19)->m_locked = 1;
    engine.SetString (text);
    EXPECT_EQ (engine.m_wordMap.m_totalWordCount, 1000);
    EXPECT_EQ (engine.m_wordMap.GetWordAtXY (49, 19)->m_locked, 1);
    engine.m_wordMap.SetAllWordLocksToThisValue (1);
    engine.m_wordMap.m_lineCount = 70; // written past the grid by hand: generation still stops at 50 lines

    const auto lines = linesOf (generate (engine, 4, "sky"));
    ASSERT_EQ (lines.size(), 50u);
    EXPECT_EQ (engine.m_wordMap.m_lineCount, 50);

    for (int line = 0; line < 50; ++line)
    {
        ASSERT_EQ (lines[(size_t)line].size(), 20);

        for (int w = 0; w < 20; ++w)
            EXPECT_EQ (lines[(size_t)line][w], (w == 0 ? "Q" : "q") + juce::String::repeatedString ("q", 35) + "w" +
                                                   juce::String (line) + "n" + juce::String (w));
    }

    // Drawn words make a long lyric too: 50 lines of 20 words of 201 bytes, too long to be capitalised.
    Quillet drawn;
    setRule (drawn.m_wordMap, std::vector<int> (50, 20));
    juce::String ideas;

    for (int i = 0; i < 30; ++i)
        ideas << juce::String::repeatedString ("z", 199) << (char)('a' + i % 26) << (i / 26) << " ";

    for (const auto& line : linesOf (generate (drawn, 1, ideas)))
        for (const auto& word : line)
            EXPECT_TRUE (word.length() == 201 && word[0] == 'z') << word.length();

    EXPECT_EQ (drawn.m_wordMap.m_totalWordCount, 1000);
}
