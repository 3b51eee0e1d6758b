#pragma once

#include <juce_core/juce_core.h>

#include <vector>

struct tag_bw_listitem;

// The written word endings that rhyme, lower-case ASCII, ended by a null entry. A word takes the
// first suffix of this order that it ends with; where one suffix ends another the longer comes first.
extern const char* const GStems[];

// Number of suffixes in GStems.
constexpr int GStemsCount = 101;

// One rhyme stem of a generation, built afresh each time.
struct tag_Stem
{
    const char* stemText;      // the suffix, pointing into GStems
    juce::int32 stemLength;    // its length in bytes
    const char* firstWord;     // first pool word (in pool order) with this suffix, or null
    juce::int32 hasSecondWord; // 1 when some pool word with this suffix differs from firstWord
};

// Sets stemCount to 101 and returns a zeroed array of 102 records, the first 101 holding the suffixes
// in table order. The caller releases it with free().
tag_Stem* GetInitialStemArray (int& stemCount);

// The first record, in array order, whose suffix ends word (ASCII case ignored), or null.
tag_Stem* FindStemForWord (const char* word, size_t wordLength, tag_Stem* stems, int stemCount);

// The same for records known to come from GetInitialStemArray, without checking them.
tag_Stem* FindStemInInitialArray (const char* word, size_t wordLength, tag_Stem* stems);

// True when stems are the unchanged records of GetInitialStemArray, in table order.
bool IsInitialStemArray (const tag_Stem* stems, int stemCount);

// Stem pass: gives each record its firstWord and hasSecondWord from the pool (array in pool order).
void RunStemPass (tag_bw_listitem* const* pool, int poolCount, tag_Stem* stems, int stemCount);

// Rhyme-count pass: pool words whose suffix has no second word lose it; returns the number of pool
// words that keep one. keptSuffix, if given, receives their pool indices in ascending order.
int RunRhymeCountPass (tag_bw_listitem* const* pool, int poolCount, std::vector<int>* keptSuffix = nullptr);
