// Time of one GenerateLyrics call for pools of growing size, for the common and the worst shapes of pool.
#include "Quillet.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace
{
// English-like words: syllables of common letter groups with common endings, so that suffix groups
// of every size occur, and a skewed (roughly Zipf) frequency like real text.
std::vector<std::string> makeVocabulary (int size)
{
    const char* onsets[] = {"b", "c", "d", "f", "g",  "h",  "l",  "m",  "n",  "p",
                            "r", "s", "t", "w", "br", "st", "tr", "sh", "ch", "gl"};
    const char* vowels[] = {"a", "e", "i", "o", "u", "ea", "ai", "ou", "oo", "ie"};
    const char* endings[] = {"",   "",     "",    "s",   "ed",   "ing", "er",  "ight", "ay",  "ow", "ent", "ance",
                             "ly", "ness", "ful", "ade", "ings", "ers", "ies", "al",   "ous", "y",  "ch",  "out"};
    std::mt19937 random (99);
    std::vector<std::string> words;

    for (int i = 0; i < size; ++i)
    {
        std::string word;
        const int syllables = 1 + (int)(random() % 3);

        for (int s = 0; s < syllables; ++s)
            word += std::string (onsets[random() % std::size (onsets)]) + vowels[random() % std::size (vowels)];

        word += endings[random() % std::size (endings)];
        words.push_back (word);
    }

    return words;
}

juce::String englishLikeText (int wordCount)
{
    static const std::vector<std::string> vocabulary = makeVocabulary (30000);
    std::mt19937 random ((unsigned)wordCount);
    std::string text;
    text.reserve ((size_t)wordCount * 8);

    for (int i = 0; i < wordCount; ++i)
    {
        // Skewed choice: small indices (common words) far more often than large ones.
        const double u = std::uniform_real_distribution<double> (0.0, 1.0) (random);
        const auto index = (size_t)(std::pow (u, 3.0) * (double)vocabulary.size());
        text += vocabulary[std::min (index, vocabulary.size() - 1)];
        text += (i % 11 == 10) ? ".\n" : (i % 7 == 6 ? ", " : " ");
    }

    return juce::String::fromUTF8 (text.data(), (int)text.size());
}

// Words without any suffix of the table (none of them ends in a, o, u or k), and just two that rhyme.
juce::String twoRhymingWordsText (int wordCount)
{
    const char* stems[] = {"bo", "ka", "mu", "tro", "spa", "klu", "dro", "fa", "nu", "zo"};
    const char* ends[] = {"ra", "ko", "lu", "ma", "no", "pu", "ta", "vo", "ku", "sa"};
    std::string text;

    for (int i = 0; i < wordCount - 2; ++i)
        text += std::string (stems[i % 10]) + ends[(i / 10) % 10] + std::to_string (i / 100 % 97) + "k ";

    text += "night light";
    return juce::String (text);
}

const juce::String& cachedText (const std::string& kind, int wordCount)
{
    static std::map<std::pair<std::string, int>, juce::String> cache;
    auto& text = cache[{kind, wordCount}];

    if (text.isEmpty())
    {
        if (kind == "english")
            text = englishLikeText (wordCount);
        else if (kind == "repeated")
            text = juce::String::repeatedString ("love ", wordCount);
        else
            text = twoRhymingWordsText (wordCount);
    }

    return text;
}

void setLargestRule (WordMap& map)
{
    map.SetLineCount (WordMap::maxLines);

    for (int line = 0; line < WordMap::maxLines; ++line)
        map.SetWordCountInLine (line, WordMap::maxWordsInLine);
}

void runGenerations (benchmark::State& state, const std::string& kind, bool largestRule)
{
    const juce::String& ideas = cachedText (kind, (int)state.range (0));
    Quillet engine;

    if (largestRule)
        setLargestRule (engine.m_wordMap);

    std::uint32_t seed = 1;
    engine.SetSeedSource ([&seed] { return seed; });

    for (auto _ : state)
    {
        ++seed;
        char* text = engine.GenerateLyrics (ideas, {}, {});
        benchmark::DoNotOptimize (text);
        std::free (text);
    }

    state.SetItemsProcessed (state.iterations() * state.range (0));
}

void BM_EnglishLike_Rule4444 (benchmark::State& state)
{
    runGenerations (state, "english", false);
}

void BM_EnglishLike_Rule50x20 (benchmark::State& state)
{
    runGenerations (state, "english", true);
}

void BM_OneWordRepeated_Rule50x20 (benchmark::State& state)
{
    runGenerations (state, "repeated", true);
}

void BM_OnlyTwoWordsRhyme_Rule50x20 (benchmark::State& state)
{
    runGenerations (state, "two-rhyming", true);
}
} // namespace

BENCHMARK (BM_EnglishLike_Rule4444)->Arg (10000)->Arg (100000)->Arg (1000000)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_EnglishLike_Rule50x20)->Arg (10000)->Arg (100000)->Arg (1000000)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_OneWordRepeated_Rule50x20)->Arg (10000)->Arg (100000)->Arg (1000000)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_OnlyTwoWordsRhyme_Rule50x20)->Arg (10000)->Arg (100000)->Arg (1000000)->Unit (benchmark::kMillisecond);
