#include "CharacterSets.h"
#include "Quillet.h"
#include "RhymeStems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>

namespace
{
bool sameIgnoringCase (const std::string& a, const std::string& b)
{
    auto fold = [] (char c) { return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal (a.begin(), a.end(), b.begin(), [&] (char x, char y) { return fold (x) == fold (y); });
}

struct PoolWord
{
    std::string text;
    int stem = -1; // index of its suffix in GStems, or -1
};

// Lyric generation step by step, literally as described: every pool word tried against every suffix in table
// order, each rhyme pass walking the whole pool per suffix, and each random walk testing one candidate at a time
// in cyclic order. Slow but easy to check; the engine's faster paths must give the same bytes for the same seed.
// Returns the lyric, or nothing when the pool is empty; wordMap gets the lyric laid in, as the engine's map does.
std::optional<std::string> generateLyricsStepByStep (WordMap& wordMap, const juce::String& idea1,
                                                     const juce::String& idea2, const juce::String& idea3,
                                                     std::uint32_t seed)
{
    // The pool: the locked words, then the idea texts, cut at seps, without single letters other than A and I; each
    // word with the first suffix of the table that it ends with.
    juce::String lockedWords;

    for (int line = 0; line < wordMap.m_lineCount; ++line)
        for (int pos = 0; pos < wordMap.GetWordCountInLine (line); ++pos)
            if (wordMap.GetWordAtXY (line, pos)->m_locked == 1)
                lockedWords << wordMap.GetWordAtXY (line, pos)->m_text << " ";

    std::vector<PoolWord> pool;

    for (const auto& text : {lockedWords, idea1, idea2, idea3})
    {
        for (const auto& token : juce::StringArray::fromTokens (text, juce::String (seps), ""))
        {
            PoolWord word{token.toStdString()};
            const auto& w = word.text;

            if (w.empty() || (w.size() == 1 && w != "A" && w != "I"))
                continue;

            for (int s = 0; GStems[s] != nullptr && word.stem < 0; ++s)
                if (w.size() >= std::strlen (GStems[s]) &&
                    sameIgnoringCase (w.substr (w.size() - std::strlen (GStems[s])), GStems[s]))
                    word.stem = s;

            pool.push_back (word);
        }
    }

    if (pool.empty())
        return std::nullopt;

    // Stem pass, suffix by suffix over the whole pool; then the rhyme-count pass drops the suffixes that no two
    // different words share.
    std::vector<const std::string*> firstWord (GStemsCount, nullptr);
    std::vector<bool> hasSecondWord (GStemsCount, false);

    for (int s = 0; s < GStemsCount; ++s)
        for (const auto& word : pool)
            if (word.stem == s && firstWord[(size_t)s] == nullptr)
                firstWord[(size_t)s] = &word.text;
            else if (word.stem == s && !sameIgnoringCase (word.text, *firstWord[(size_t)s]))
                hasSecondWord[(size_t)s] = true;

    int rhymeCount = 0;

    for (auto& word : pool)
        if (word.stem >= 0 && !hasSecondWord[(size_t)word.stem])
            word.stem = -1;
        else
            rhymeCount += word.stem >= 0 ? 1 : 0;

    const int n = (int)pool.size();
    std::mt19937 random (seed);
    std::string output;
    int reference = -1; // the last word of line 1

    for (int line = 0; line < wordMap.m_lineCount; ++line)
    {
        const int words = wordMap.GetWordCountInLine (line);
        std::vector<int> chosen ((size_t)words, -1);

        for (int pos = words - 1; pos >= 0; --pos)
        {
            const bool last = pos == words - 1;
            auto passes = [&] (const PoolWord& w)
            {
                const auto* rhyme =
                    reference >= 0 && pool[(size_t)reference].stem >= 0 ? &pool[(size_t)reference] : nullptr;

                if ((pos != 0 && w.text == "A") || (last && w.text == "I"))
                    return false;
                if (last && line % 2 == 1) // odd lines rhyme with line 1: the same suffix, another word
                    return rhymeCount == 0 ||
                           (w.stem >= 0 &&
                            (rhyme == nullptr || (w.stem == rhyme->stem && !sameIgnoringCase (w.text, rhyme->text))));
                if (last)
                    return w.stem < 0;

                for (int other = pos + 1; other < words && words <= n; ++other)
                    if (sameIgnoringCase (w.text, pool[(size_t)chosen[(size_t)other]].text))
                        return false;

                return true;
            };

            // A locked slot takes the first pool word with its text; any other a random start s and then the first
            // word after it, cyclically, that passes, or s itself when none does.
            const WordState* slot = wordMap.GetWordAtXY (line, pos);
            int pick = -1;

            for (int i = 0; slot->m_locked == 1 && pick < 0 && i < n; ++i)
                if (sameIgnoringCase (pool[(size_t)i].text, slot->m_text.toStdString()))
                    pick = i;

            if (pick < 0)
            {
                const int s = (int)(random() % (std::uint32_t)n);
                pick = s;

                for (int k = 1; k < n; ++k)
                    if (passes (pool[(size_t)((s + k) % n)]))
                    {
                        pick = (s + k) % n;
                        break;
                    }
            }

            chosen[(size_t)pos] = pick;
        }

        for (int pos = 0; pos < words; ++pos)
        {
            std::string word = pool[(size_t)chosen[(size_t)pos]].text;

            if (pos == 0 && word[0] >= 'a' && word[0] <= 'z' && word.size() <= 199)
                word[0] = (char)(word[0] - 'a' + 'A');

            output += (pos == 0 ? "" : " ") + word;
        }

        output += (line == wordMap.m_lineCount - 1) ? ".\n" : ",\n";

        if (line == 1 && words > 0)
            reference = chosen[(size_t)words - 1];
    }

    wordMap.SetFromString (juce::String::fromUTF8 (output.data(), (int)output.size()));
    return output;
}

// Words that meet every test of the walk: shared and lone suffixes, case variants, "A" and "I", single letters
// that never enter the pool, words with characters the word map splits at.
const char* const vocabulary[] = {
    "day",         "way",      "say",     "Day",     "DAY",    "night", "light", "Night", "sight", "places",
    "faces",       "place",    "space",   "love",    "dove",   "glove", "feed",  "seed",  "need",  "fed",
    "red",         "bed",      "sky",     "blue",    "tree",   "sun",   "moon",  "stone", "river", "cloud",
    "rain",        "lights",   "nights",  "singing", "ring",   "thing", "at",    "cat",   "hat",   "A",
    "I",           "a",        "i",       "x",       "and/or", "love!", "(hope", "time:", "don't", "well-known",
    "caf\xc3\xa9", "\xc3\xa9", "beaches", "church",  "out",    "shout", "about", "flow",  "glow",  "pride",
    "side",        "fire",     "desire",  "heart",   "art"};
const char* const separators[] = {" ", " ", " ", ", ", "\n", ". ", "\t", "  ", ";", "?", "\r\n", "\"", "[", "]", ")"};

// Random words and separators; or, skewed, a pool dominated by two words, so that walks run long and the pool
// index answers them.
juce::String randomText (std::mt19937& random, bool skewed)
{
    const auto some = [&random] (size_t n) { return (size_t)random() % n; };
    const size_t vocabularySize = 4 + some (std::size (vocabulary) - 4);
    const char* common[] = {vocabulary[some (std::size (vocabulary))], vocabulary[some (std::size (vocabulary))]};
    std::string text;

    for (size_t i = skewed ? 50 + some (400) : some (40); i > 0; --i)
    {
        if (skewed)
            text.append (some (50) == 0 ? vocabulary[some (std::size (vocabulary))] : common[some (2)]).append (" ");
        else
            text.append (vocabulary[some (vocabularySize)]).append (separators[some (std::size (separators))]);
    }

    return juce::String::fromUTF8 (text.data(), (int)text.size());
}
} // namespace

// The engine's fast stem lookup, rhyme passes and indexed walk must pick exactly the words that the step-by-step
// algorithm picks for the same seed, whichever way each walk is answered.
TEST (GenerationEquivalence, FastAndStepByStepGiveTheSameLyrics)
{
    std::mt19937 random (777);
    const auto below = [&random] (int n) { return (int)(random() % (unsigned)n); };
    int nonEmpty = 0;

    for (int round = 0; round < 1500; ++round)
    {
        WordMap shape; // now and then one near the grid's size
        const bool large = below (10) == 0, skewed = below (10) == 0;
        shape.SetLineCount (large ? 40 + below (11) : below (9));

        for (int line = 0; line < shape.m_lineCount; ++line)
            shape.SetWordCountInLine (line, large ? 15 + below (6) : below (9));

        juce::String ideas[3];

        for (auto& idea : ideas)
            if (skewed || below (4) != 0)
                idea = randomText (random, skewed);

        // Lay a first lyric in, so that locked slots hold words a generation made; then lock some slots, a few of them
        // with text of their own.
        Quillet first;
        first.m_wordMap = shape;
        first.SetSeedSource ([&] { return (std::uint32_t)random(); });
        std::free (first.GenerateLyrics (ideas[0], ideas[1], ideas[2]));
        shape = first.m_wordMap;

        for (int line = 0, locking = below (3); locking != 0 && line < shape.m_lineCount; ++line)
            for (int pos = 0; pos < shape.GetWordCountInLine (line); ++pos)
                if (below (6) == 0)
                {
                    shape.GetWordAtXY (line, pos)->m_locked = 1;
                    if (below (4) == 0)
                        shape.GetWordAtXY (line, pos)->m_text = vocabulary[below ((int)std::size (vocabulary))];
                }

        const auto seed = (std::uint32_t)random();
        WordMap referenceMap = shape;
        const auto expected = generateLyricsStepByStep (referenceMap, ideas[0], ideas[1], ideas[2], seed);
        nonEmpty += expected.has_value() && !expected->empty() ? 1 : 0;

        for (const int budget : {-1, 0, 2, 40})
        {
            Quillet engine;
            engine.m_wordMap = shape;
            engine.SetSeedSource ([seed] { return seed; });
            engine.SetPlainWalkBudget (budget);
            char* text = engine.GenerateLyrics (ideas[0], ideas[1], ideas[2]);
            const auto found = text != nullptr ? std::optional<std::string> (text) : std::nullopt;
            std::free (text);

            ASSERT_EQ (found, expected) << "round " << round << " budget " << budget;
            EXPECT_EQ (engine.m_wordMap.m_text, found.has_value() ? referenceMap.m_text : shape.m_text);
        }
    }

    EXPECT_GT (nonEmpty, 750);
}
