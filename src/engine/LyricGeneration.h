#pragma once

#include "PoolIndex.h"
#include "WordMap.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

struct tag_bw_listitem;

// One generation's choice of words: fills every position of the word map's shape, line by line and
// from the last position of a line to its first, with the locked word or a random pick that passes the
// rhyme, repeat and "A"/"I" tests, and writes the lyric text.
//
// A pick starts at a random pool index s and takes the first pool word after s, cyclically, that passes
// the tests, or s itself when none does. The first candidates are tested one by one; when that gets long
// the rest of the walk is answered by a PoolIndex, which yields the very word the one-by-one walk would
// reach, so the lyric depends only on the seed, never on which of the two found it.
class LyricGeneration
{
public:
    // Candidate tests a generation may spend before it builds the pool index: automatic (in proportion to
    // the pool), or 0 to answer every walk through the index.
    static constexpr int automaticBudget = -1;

    // withSuffix: the pool indices of the words that kept a suffix in the rhyme-count pass, ascending;
    // their number is the rhyme count.
    LyricGeneration (const WordMap& wordMap, const std::vector<tag_bw_listitem*>& pool, int lockedPoolCount,
                     std::vector<int> withSuffix, std::uint32_t seed, int plainWalkBudget);

    // The lyric text: each line's words separated by blanks, its first word capitalised, ended by ","
    // and a line feed, the last line by "." and a line feed.
    std::string run();

private:
    struct Position
    {
        int line;
        int pos;
        int wordsInLine;
    };

    int pick (const Position& at, const std::vector<int>& chosen);
    int findLockedWord (const char* text);
    bool passes (int candidate, const Position& at, const std::vector<int>& chosen) const;
    int findWithIndex (int from, int start, const Position& at, const std::vector<int>& chosen);
    PoolIndex& index();

    const WordMap& m_wordMap;
    const std::vector<tag_bw_listitem*>& m_pool;
    const int m_poolCount;
    const int m_lockedPoolCount;
    std::vector<int> m_withSuffix;
    const int m_rhymeCount;
    std::mt19937 m_random;
    long long m_plainTestsLeft;
    int m_reference = -1; // pool index of the last word of line 1, once chosen
    std::unique_ptr<PoolIndex> m_index;
};
