#include "Quillet.h"
#include "ReferenceGenerator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace
{
// Words chosen to meet every test of the walk: shared and lone suffixes, case variants, "A" and "I",
// single letters that never enter the pool, words with characters the word map splits at.
const char* const vocabulary[] = {
    "day",         "way",      "say",     "Day",     "DAY",    "night", "light", "Night", "sight", "places",
    "faces",       "place",    "space",   "love",    "dove",   "glove", "feed",  "seed",  "need",  "fed",
    "red",         "bed",      "sky",     "blue",    "tree",   "sun",   "moon",  "stone", "river", "cloud",
    "rain",        "lights",   "nights",  "singing", "ring",   "thing", "at",    "cat",   "hat",   "A",
    "I",           "a",        "i",       "x",       "and/or", "love!", "(hope", "time:", "don't", "well-known",
    "caf\xc3\xa9", "\xc3\xa9", "beaches", "church",  "out",    "shout", "about", "flow",  "glow",  "pride",
    "side",        "fire",     "desire",  "heart",   "art"};

const char* const separators[] = {" ", " ", " ", ", ", "\n", ". ", "\t", "  ", ";", "?", "\r\n", "\"", "[", "]", ")"};

juce::String randomText (std::mt19937& random, int words, int vocabularySize)
{
    std::string text;

    for (int i = 0; i < words; ++i)
    {
        text += vocabulary[random() % (unsigned)vocabularySize];
        text += separators[random() % std::size (separators)];
    }

    return juce::String::fromUTF8 (text.data(), (int)text.size());
}

// A pool dominated by one or two words, so that walks run long and the fallback is reached.
juce::String skewedText (std::mt19937& random, int words)
{
    const char* common[] = {vocabulary[random() % std::size (vocabulary)],
                            vocabulary[random() % std::size (vocabulary)]};
    std::string text;

    for (int i = 0; i < words; ++i)
    {
        const bool rare = random() % 50 == 0;
        text += rare ? vocabulary[random() % std::size (vocabulary)] : common[random() % 2];
        text += " ";
    }

    return juce::String::fromUTF8 (text.data(), (int)text.size());
}

void randomShape (std::mt19937& random, WordMap& map)
{
    const bool large = random() % 10 == 0;
    const int lines = large ? 40 + (int)(random() % 11) : (int)(random() % 9);
    map.SetLineCount (lines);

    for (int line = 0; line < lines; ++line)
        map.SetWordCountInLine (line, large ? 15 + (int)(random() % 6) : (int)(random() % 9));
}

void randomLocks (std::mt19937& random, WordMap& map)
{
    if (random() % 3 == 0)
        return;

    for (int line = 0; line < map.m_lineCount; ++line)
    {
        for (int pos = 0; pos < map.GetWordCountInLine (line); ++pos)
        {
            if (random() % 6 != 0)
                continue;

            auto* slot = map.GetWordAtXY (line, pos);
            slot->m_locked = 1;

            // Some locked slots hold text that is not a pool word of its own.
            if (random() % 4 == 0)
                slot->m_text = vocabulary[random() % std::size (vocabulary)];
        }
    }
}
} // namespace

// The engine's fast stem lookup, rhyme passes and indexed walk must pick exactly the words that the
// step-by-step algorithm picks for the same seed, whichever way each walk is answered.
TEST (GenerationEquivalence, FastAndStepByStepGiveTheSameLyrics)
{
    std::mt19937 random (777);
    int cases = 0, nonEmpty = 0;

    for (int round = 0; round < 1500; ++round)
    {
        WordMap shape;
        randomShape (random, shape);

        juce::String ideas[3];
        const int kind = (int)(random() % 10);

        for (auto& idea : ideas)
        {
            if (kind == 0)
                idea = skewedText (random, 50 + (int)(random() % 400));
            else if (random() % 4 != 0)
                idea = randomText (random, (int)(random() % 40), 4 + (int)(random() % (std::size (vocabulary) - 4)));
        }

        // Lay a first lyric in, so that locked slots hold words a generation made, then lock some.
        {
            Quillet first;
            first.m_wordMap = shape;
            first.SetSeedSource ([&] { return (std::uint32_t)random(); });
            std::free (first.GenerateLyrics (ideas[0], ideas[1], ideas[2]));
            shape = first.m_wordMap;
        }

        randomLocks (random, shape);
        const auto seed = (std::uint32_t)random();

        WordMap referenceMap = shape;
        const auto expected = generateLyricsStepByStep (referenceMap, ideas[0], ideas[1], ideas[2], seed);

        for (const int budget : {-1, 0, 2, 40})
        {
            Quillet engine;
            engine.m_wordMap = shape;
            engine.SetSeedSource ([seed] { return seed; });
            engine.SetPlainWalkBudget (budget);

            char* text = engine.GenerateLyrics (ideas[0], ideas[1], ideas[2]);
            ASSERT_EQ (text != nullptr, expected.has_value()) << "round " << round;

            if (text != nullptr)
            {
                ASSERT_EQ (std::string (text), *expected) << "round " << round << " budget " << budget;
                EXPECT_EQ (engine.m_wordMap.m_text, referenceMap.m_text);
                nonEmpty += expected->empty() ? 0 : 1;
            }

            std::free (text);
            ++cases;
        }
    }

    EXPECT_EQ (cases, 6000);
    EXPECT_GT (nonEmpty, 3000);
}
