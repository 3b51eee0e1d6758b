#include "Quillet.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

namespace
{
// Runs one generation; *wasNull tells whether the engine returned null.
std::string generate (Quillet& engine, const juce::String& idea1, const juce::String& idea2 = {},
                      const juce::String& idea3 = {}, bool* wasNull = nullptr)
{
    char* text = engine.GenerateLyrics (idea1, idea2, idea3);

    if (wasNull != nullptr)
        *wasNull = text == nullptr;

    std::string result = text != nullptr ? text : "";
    std::free (text);
    return result;
}

void setRule (WordMap& map, std::initializer_list<int> wordsPerLine)
{
    int line = 0;

    for (const int words : wordsPerLine)
        map.SetWordCountInLine (line++, words);

    map.SetLineCount (line);
}

// The lyric as lines of words, cut at blanks, without the line ends.
std::vector<std::vector<std::string>> linesOf (const std::string& text)
{
    std::vector<std::vector<std::string>> lines;
    juce::StringArray rows;
    rows.addLines (juce::String (text).trimEnd());

    for (auto row : rows)
    {
        row = row.dropLastCharacters (1);
        std::vector<std::string> words;

        for (const auto& word : juce::StringArray::fromTokens (row, " ", ""))
            words.push_back (word.toStdString());

        lines.push_back (words);
    }

    return lines;
}

std::string lower (const std::string& word)
{
    return juce::String (word).toLowerCase().toStdString();
}
} // namespace

TEST (Generation, OneWordPoolFillsEveryPositionAndCapitalisesLineStarts)
{
    Quillet engine;
    engine.m_wordMap.SetLineCount (2);
    EXPECT_EQ (generate (engine, "love"), "Love love love love,\nLove love love love.\n");
    EXPECT_EQ (engine.m_wordMap.m_lineCount, 2);
    EXPECT_EQ (engine.m_wordMap.m_totalWordCount, 8);
    EXPECT_EQ (engine.m_wordMap.GetWordAtXY (1, 0)->m_text, "Love");
    EXPECT_EQ (engine.m_wordMap.GetWordAtXY (1, 3)->m_text, "love");

    // Idea texts are read in any of the three boxes.
    Quillet third;
    setRule (third.m_wordMap, {1, 2});
    EXPECT_EQ (generate (third, {}, {}, "  hope "), "Hope,\nHope hope.\n");

    // Only a-z are capitalised; other first characters stay as written.
    Quillet other;
    setRule (other.m_wordMap, {1});
    EXPECT_EQ (generate (other, juce::String (juce::CharPointer_UTF8 ("\xc3\xa9t\xc3\xa9"))), "\xc3\xa9t\xc3\xa9.\n");
    EXPECT_EQ (generate (other, "'twas"), "'twas.\n");
}

TEST (Generation, NoUsableWordGivesNullAndLeavesTheMapAlone)
{
    Quillet engine;
    engine.SetString ("keep this lyric");
    bool wasNull = false;

    generate (engine, " , ;\n\t..", "?[]\r\n", "\"\")", &wasNull);
    EXPECT_TRUE (wasNull);
    generate (engine, "a b c i x", "q", {}, &wasNull);
    EXPECT_TRUE (wasNull);
    generate (engine, {}, {}, {}, &wasNull);
    EXPECT_TRUE (wasNull);

    EXPECT_EQ (engine.m_wordMap.m_lineCount, 1);
    EXPECT_EQ (engine.m_wordMap.GetWordAtXY (0, 2)->m_text, "lyric");
}

TEST (Generation, LinesEndWithCommaAndTheLastWithFullStop)
{
    Quillet engine;
    engine.SetSeedSource ([] { return 11u; });
    setRule (engine.m_wordMap, {3, 1, 5, 2, 4});
    const std::string text = generate (engine, "sun moon star river stone cloud rain wind fire tree");

    juce::StringArray rows;
    rows.addLines (juce::String (text));
    ASSERT_EQ (rows.size(), 6); // five lines and the empty rest after the last line feed
    EXPECT_TRUE (rows[5].isEmpty());

    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE (rows[i].endsWith (i == 4 ? "." : ",")) << rows[i];

    const int expectedWords[] = {3, 1, 5, 2, 4};

    for (int i = 0; i < 5; ++i)
        EXPECT_EQ (engine.m_wordMap.GetWordCountInLine (i), expectedWords[i]);

    Quillet empty;
    empty.m_wordMap.SetLineCount (0);
    bool wasNull = true;
    EXPECT_EQ (generate (empty, "words here", {}, {}, &wasNull), "");
    EXPECT_FALSE (wasNull);
    EXPECT_EQ (empty.m_wordMap.m_lineCount, 0);
}

TEST (Generation, SameSecondSameLyricAndTheClockSeedsByDefault)
{
    const juce::String ideas = "sun moon star river stone cloud rain wind fire tree day way say blue sky";

    Quillet first, second;
    first.SetSeedSource ([] { return 1234u; });
    second.SetSeedSource ([] { return 1234u; });
    EXPECT_EQ (generate (first, ideas), generate (second, ideas));

    // Different seeds give different lyrics for most seeds of a varied pool.
    std::set<std::string> lyrics;

    for (std::uint32_t seed = 0; seed < 20; ++seed)
    {
        Quillet engine;
        engine.SetSeedSource ([seed] { return seed; });
        lyrics.insert (generate (engine, ideas));
    }

    EXPECT_GT (lyrics.size(), 15u);

    const auto before = (std::uint32_t)std::time (nullptr);
    const auto seconds = Quillet::SecondsSinceEpoch();
    EXPECT_GE (seconds, before);
    EXPECT_LE (seconds, before + 2);
}

TEST (Generation, EvenLinesRhymeAndOddLinesDoNot)
{
    for (std::uint32_t seed = 0; seed < 300; ++seed)
    {
        Quillet engine;
        engine.SetSeedSource ([seed] { return seed; });
        const auto lines = linesOf (generate (engine, "day way say blue sky"));
        ASSERT_EQ (lines.size(), 4u);

        const std::set<std::string> rhymes = {"day", "way", "say"};
        const std::set<std::string> plain = {"blue", "sky"};
        const auto end1 = lower (lines[1].back()), end3 = lower (lines[3].back());

        EXPECT_TRUE (rhymes.count (end1)) << "seed " << seed;
        EXPECT_TRUE (rhymes.count (end3)) << "seed " << seed;
        EXPECT_NE (end1, end3) << "seed " << seed;
        EXPECT_TRUE (plain.count (lower (lines[0].back()))) << "seed " << seed;
        EXPECT_TRUE (plain.count (lower (lines[2].back()))) << "seed " << seed;

        for (const auto& line : lines)
            EXPECT_EQ (std::set<std::string> (line.begin(), line.end()).size(), line.size()) << "repeat, seed " << seed;
    }

    // Without any shared suffix there is no rhyme test: odd lines end in any word.
    Quillet noRhyme;
    noRhyme.SetSeedSource ([] { return 5u; });
    EXPECT_EQ (linesOf (generate (noRhyme, "sky blue tree")).size(), 4u);
}

TEST (Generation, AOnlyStartsALineAndINeverEndsOne)
{
    int aAtStart = 0, iInside = 0;

    for (std::uint32_t seed = 0; seed < 400; ++seed)
    {
        Quillet engine;
        engine.SetSeedSource ([seed] { return seed; });
        setRule (engine.m_wordMap, {4, 3, 2, 1, 5});

        for (const auto& line : linesOf (generate (engine, "A I sun moon sky river stone cloud")))
        {
            for (size_t pos = 0; pos < line.size(); ++pos)
            {
                if (line[pos] == "A")
                {
                    EXPECT_EQ (pos, 0u) << "seed " << seed;
                    ++aAtStart;
                }

                if (line[pos] == "I")
                {
                    EXPECT_NE (pos, line.size() - 1) << "seed " << seed;
                    ++iInside;
                }
            }
        }
    }

    EXPECT_GT (aAtStart, 0);
    EXPECT_GT (iInside, 0);
}

TEST (Generation, RepeatsWithinALineOnlyWhenItIsLongerThanThePool)
{
    for (std::uint32_t seed = 0; seed < 100; ++seed)
    {
        Quillet fits;
        fits.SetSeedSource ([seed] { return seed; });
        setRule (fits.m_wordMap, {3, 3});
        // Three words ignoring case: every line holds all three, never one twice.
        for (const auto& line : linesOf (generate (fits, "sun MOON Sky")))
        {
            std::set<std::string> distinct;

            for (const auto& word : line)
                distinct.insert (lower (word));

            EXPECT_EQ (distinct.size(), 3u) << "seed " << seed;
        }

        Quillet longer;
        longer.SetSeedSource ([seed] { return seed; });
        setRule (longer.m_wordMap, {5});
        const auto line = linesOf (generate (longer, "sun moon sky"))[0];
        EXPECT_EQ (line.size(), 5u);
    }
}

TEST (Generation, LockedWordsStayOnTheirSlotsAndStayLocked)
{
    Quillet engine;
    engine.SetSeedSource ([] { return 3u; });
    const juce::String ideas = "day way say blue sky sun moon star river stone";
    generate (engine, ideas);

    auto& map = engine.m_wordMap;
    map.GetWordAtXY (0, 0)->m_locked = 1;
    map.GetWordAtXY (1, 2)->m_locked = 1;
    map.GetWordAtXY (3, 3)->m_locked = 1;
    const juce::String first = map.GetWordAtXY (0, 0)->m_text;
    const juce::String middle = map.GetWordAtXY (1, 2)->m_text;
    const juce::String last = map.GetWordAtXY (3, 3)->m_text;

    for (std::uint32_t seed = 0; seed < 50; ++seed)
    {
        engine.SetSeedSource ([seed] { return seed; });
        generate (engine, ideas);
        // The slot takes the first pool word with its text ignoring case: a capitalised line start
        // locked earlier in the lyric may lend its case to the same word locked later.
        EXPECT_TRUE (map.GetWordAtXY (0, 0)->m_text.equalsIgnoreCase (first)) << first;
        EXPECT_TRUE (map.GetWordAtXY (1, 2)->m_text.equalsIgnoreCase (middle)) << middle;
        EXPECT_TRUE (map.GetWordAtXY (3, 3)->m_text.equalsIgnoreCase (last)) << last;
        EXPECT_EQ (map.GetWordAtXY (0, 0)->m_locked, 1);
        EXPECT_EQ (map.GetWordAtXY (1, 2)->m_locked, 1);
        EXPECT_EQ (map.GetWordAtXY (0, 1)->m_locked, 0);
    }

    // A locked word that is in no idea text still comes back: the locked words join the pool.
    Quillet kept;
    setRule (kept.m_wordMap, {2});
    kept.SetString ("Wanderer home");
    kept.m_wordMap.GetWordAtXY (0, 0)->m_locked = 1;

    for (std::uint32_t seed = 0; seed < 20; ++seed)
    {
        kept.SetSeedSource ([seed] { return seed; });
        generate (kept, "sky blue");
        EXPECT_EQ (kept.m_wordMap.GetWordAtXY (0, 0)->m_text, "Wanderer");
    }
}

TEST (Generation, LockedSlotsTakeTheFirstPoolWordWithTheirText)
{
    Quillet engine;
    setRule (engine.m_wordMap, {3});
    engine.SetString ("sky Night night");
    engine.m_wordMap.GetWordAtXY (0, 1)->m_locked = 1;
    engine.m_wordMap.GetWordAtXY (0, 2)->m_locked = 1;

    for (std::uint32_t seed = 0; seed < 20; ++seed)
    {
        engine.SetSeedSource ([seed] { return seed; });
        const auto line = linesOf (generate (engine, "sun moon"))[0];
        EXPECT_EQ (line[1], "Night");
        EXPECT_EQ (line[2], "Night");
    }

    // A locked single letter is no pool word: its slot gets a drawn word, which is then locked.
    Quillet letter;
    setRule (letter.m_wordMap, {2});
    letter.SetString ("x sun");
    letter.m_wordMap.GetWordAtXY (0, 0)->m_locked = 1;
    letter.SetSeedSource ([] { return 9u; });
    generate (letter, "moon star");
    EXPECT_NE (letter.m_wordMap.GetWordAtXY (0, 0)->m_text, "x");
    EXPECT_FALSE (letter.m_wordMap.GetWordAtXY (0, 0)->m_text.isEmpty());
    EXPECT_EQ (letter.m_wordMap.GetWordAtXY (0, 0)->m_locked, 1);

    // A locked "a" finds the pool word "A", ignoring case.
    Quillet article;
    setRule (article.m_wordMap, {2});
    article.SetString ("moon a");
    article.m_wordMap.GetWordAtXY (0, 1)->m_locked = 1;
    article.SetSeedSource ([] { return 1u; });
    EXPECT_EQ (linesOf (generate (article, "sun A"))[0][1], "A");
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
        engine.SetSeedSource ([seed] { return seed; });

        const auto line = linesOf (generate (engine, "and/or"))[0];
        ASSERT_EQ (line.size(), 3u);
        ASSERT_EQ (line[2], "sun");
        const int splits =
            (int)std::count_if (line.begin(), line.end(), [] (const std::string& w) { return lower (w) == "and/or"; });

        // Each and/or is two words in the map; "sun" moves on by as many slots, away from its lock.
        auto& map = engine.m_wordMap;
        EXPECT_EQ (map.GetWordCountInLine (0), 3 + splits);
        EXPECT_EQ (map.GetWordAtXY (0, 2 + splits)->m_text, "sun");
        EXPECT_EQ (map.GetWordAtXY (0, 2)->m_locked, 1);

        if (splits > 0)
        {
            EXPECT_EQ (map.GetWordAtXY (0, 2 + splits)->m_locked, 0);
            ++shifted;
        }
    }

    EXPECT_GT (shifted, 0);
}

TEST (Generation, LongLockedWordsAndLongLyricsAreKeptWhole)
{
    // 1000 locked slots of 40-byte words: far more than 4,999 bytes of locked words.
    const std::string longWord (39, 'q');
    Quillet engine;
    juce::String lyric;

    for (int line = 0; line < 50; ++line)
    {
        for (int w = 0; w < 20; ++w)
            lyric << juce::String (longWord) << (char)('a' + w % 26) << line << " ";

        lyric << "\n";
    }

    engine.SetString (lyric);
    ASSERT_EQ (engine.m_wordMap.m_totalWordCount, 1000);
    engine.m_wordMap.SetAllWordLocksToThisValue (1);
    engine.SetSeedSource ([] { return 77u; });

    const std::string text = generate (engine, "sky");
    const auto lines = linesOf (text);
    ASSERT_EQ (lines.size(), 50u);
    EXPECT_GT (text.size(), 31999u);

    for (int line = 0; line < 50; ++line)
    {
        ASSERT_EQ (lines[(size_t)line].size(), 20u);

        for (int w = 0; w < 20; ++w)
        {
            // Each slot gets its own locked word back; the first of a line capitalised.
            std::string expected = longWord + (char)('a' + w % 26) + std::to_string (line);

            if (w == 0)
                expected[0] = 'Q';

            EXPECT_EQ (lines[(size_t)line][(size_t)w], expected);
            EXPECT_EQ (engine.m_wordMap.GetWordAtXY (line, w)->m_text.toStdString(), expected);
            EXPECT_EQ (engine.m_wordMap.GetWordAtXY (line, w)->m_locked, 1);
        }
    }

    EXPECT_EQ (lines[49][19], longWord + "t49");
    EXPECT_EQ (text.substr (text.size() - 2), ".\n");

    // Drawn words make a long lyric too: 50 lines of 20 words of 200 bytes, about 200,000 bytes.
    Quillet drawn;
    setRule (drawn.m_wordMap,
             {20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20,
              20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20});
    juce::String ideas;

    for (int i = 0; i < 30; ++i)
        ideas << juce::String::repeatedString ("z", 199) << (char)('a' + i % 26) << (i / 26) << " ";

    const std::string big = generate (drawn, ideas);
    const auto bigLines = linesOf (big);
    ASSERT_EQ (bigLines.size(), 50u);

    for (const auto& line : bigLines)
    {
        ASSERT_EQ (line.size(), 20u);

        for (const auto& word : line)
            EXPECT_EQ (word.size(), 201u);
    }

    EXPECT_EQ (drawn.m_wordMap.m_totalWordCount, 1000);
}

TEST (Generation, TextAndRulesBeyondTheGridAreHeldToIt)
{
    juce::String text;

    for (int line = 0; line < 200; ++line)
    {
        for (int w = 0; w < 40; ++w)
            text << "word" << line << "n" << w << " ";

        text << "\n";
    }

    Quillet engine;
    engine.SetSeedSource ([] { return 4u; });

    for (int line = 0; line < 200; ++line)
        engine.m_wordMap.SetWordCountInLine (line, 40);

    engine.m_wordMap.SetLineCount (200);
    engine.SetString (text);
    engine.m_wordMap.SetAllWordLocksToThisValue (1);
    engine.m_wordMap.m_lineCount = 70; // written past the grid by hand: generation still stops at 50 lines

    const auto lines = linesOf (generate (engine, text));
    ASSERT_EQ (lines.size(), 50u);

    for (const auto& line : lines)
        EXPECT_EQ (line.size(), 20u);

    EXPECT_EQ (engine.m_wordMap.m_lineCount, 50);
    EXPECT_EQ (engine.m_wordMap.m_totalWordCount, 1000);
    EXPECT_EQ (engine.m_wordMap.GetWordAtXY (49, 19)->m_text, "word49n19");
}
