#pragma once

#include "WordMap.h"

#include <cstdint>
#include <functional>

class bw_List;
struct tag_Stem;

// The lyric engine of one document: holds the lyric as a word map and makes new lyrics from idea texts.
class Quillet
{
public:
    // Gives the seed of one generation. The program seeds from the clock in whole seconds.
    using SeedSource = std::function<std::uint32_t()>;

    Quillet();
    virtual ~Quillet();

    // Lays a lyric text into m_wordMap.
    void SetString (const juce::String& text);

    // Makes a new lyric of m_wordMap's shape from the three idea texts and the locked words, lays it into
    // m_wordMap and returns it as zero-terminated UTF-8 text that the caller releases with free().
    // Returns null, leaving m_wordMap unchanged, when there is no usable word at all.
    // The locked words and the lyric are held in growing buffers: no length is cut or refused.
    // Randomness: a std::mt19937 seeded once per call from the seed source; one draw per position that
    // no locked word fills, reduced modulo the pool size.
    char* GenerateLyrics (const juce::String& idea1, const juce::String& idea2, const juce::String& idea3);

    // Splits text at seps and appends its usable words to the pool list, each with its rhyme stem;
    // poolCount rises by one per word appended.
    void AppendWordsFromString (const juce::String& text, bw_List& list, int& poolCount, tag_Stem* stems,
                                int stemCount);

    // Replaces the seed source (tests fix the seed with it). The default reads the clock.
    void SetSeedSource (SeedSource source);

    // The seed the program uses: the current time in whole seconds.
    static std::uint32_t SecondsSinceEpoch();

    // How many candidates the random walk tests one by one in a generation before it answers through a
    // pool index instead (same picks, found faster). Negative: in proportion to the pool, the default;
    // 0: always through the index. Tests use it to check that both ways agree.
    void SetPlainWalkBudget (int budget);

    WordMap m_wordMap;

private:
    SeedSource m_seedSource;
    int m_plainWalkBudget = -1;
};
