#include "RhymeStems.h"
#include "AsciiCase.h"
#include "bw_List.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

const char* const GStems[] = {
    "aces", "eces", "ices", "oces", "uces", "ances", "ences", "inces", "onces", "unces", "ants", "ents", "ints",
    "onts", "unts", "ades", "edes", "ides", "odes",  "udes",  "uids",  "uits",  "ings",  "eads", "eeds", "ads",
    "eds",  "ids",  "ods",  "uds",  "igs",  "als",   "els",   "ils",   "ols",   "uls",   "ens",  "ars",  "ers",
    "irs",  "ors",  "urs",  "ats",  "ets",  "ows",   "ays",   "ves",   "outs",  "ights", "ies",  "ches", "ace",
    "ece",  "ice",  "oce",  "uce",  "ance", "ence",  "ince",  "once",  "unce",  "ant",   "ent",  "int",  "ont",
    "unt",  "ade",  "ede",  "ide",  "ode",  "ude",   "uid",   "uit",   "ing",   "ead",   "eed",  "ad",   "ed",
    "id",   "od",   "ud",   "ig",   "al",   "el",    "il",    "ol",    "ul",    "en",    "ar",   "er",   "ir",
    "or",   "ur",   "at",   "et",   "ow",   "ay",    "ve",    "out",   "ight",  "ch",    nullptr};

static_assert (sizeof (GStems) / sizeof (GStems[0]) == GStemsCount + 1, "GStems holds 101 suffixes and a null");

namespace
{
bool endsWithIgnoringAsciiCase (const char* word, size_t wordLength, const char* suffix, size_t suffixLength)
{
    if (wordLength < suffixLength)
        return false;

    const char* tail = word + (wordLength - suffixLength);

    for (size_t i = 0; i < suffixLength; ++i)
        if (foldAscii ((unsigned char)tail[i]) != foldAscii ((unsigned char)suffix[i]))
            return false;

    return true;
}

// The suffixes spelled backwards in a small tree of lower-case letters: reading a word from its last
// byte walks down the tree, and every node passed that ends a suffix is a suffix the word ends with.
// The smallest table index among them is the first match in table order.
class SuffixIndex
{
public:
    SuffixIndex()
    {
        m_nodes.emplace_back();

        for (int i = 0; i < GStemsCount; ++i)
        {
            int node = 0;

            for (size_t k = std::strlen (GStems[i]); k-- > 0;)
            {
                const int letter = GStems[i][k] - 'a';

                if (m_nodes[(size_t)node].child[letter] == 0)
                {
                    m_nodes[(size_t)node].child[letter] = (std::uint16_t)m_nodes.size();
                    m_nodes.emplace_back();
                }

                node = m_nodes[(size_t)node].child[letter];
            }

            if (m_nodes[(size_t)node].suffix < 0)
                m_nodes[(size_t)node].suffix = (std::int16_t)i;
        }
    }

    // Table index of the first suffix that ends word, or -1.
    int find (const char* word, size_t length) const
    {
        int best = -1;
        int node = 0;

        for (size_t k = length; k-- > 0;)
        {
            const unsigned letter = (unsigned)(foldAscii ((unsigned char)word[k]) - 'a');

            if (letter >= 26)
                break;

            node = m_nodes[(size_t)node].child[letter];

            if (node == 0)
                break;

            const int suffix = m_nodes[(size_t)node].suffix;

            if (suffix >= 0 && (best < 0 || suffix < best))
                best = suffix;
        }

        return best;
    }

private:
    struct Node
    {
        std::uint16_t child[26] = {}; // 0: no such node (the root is never a child)
        std::int16_t suffix = -1;     // table index of the suffix ending here, if any
    };

    std::vector<Node> m_nodes;
};

const SuffixIndex& suffixIndex()
{
    static const SuffixIndex index;
    return index;
}

bool isInitialStemArray (const tag_Stem* stems, int stemCount)
{
    return stems != nullptr && stemCount == GStemsCount && stems[0].stemText == GStems[0] &&
           stems[GStemsCount - 1].stemText == GStems[GStemsCount - 1];
}
} // namespace

tag_Stem* GetInitialStemArray (int& stemCount)
{
    stemCount = GStemsCount;
    auto* stems = static_cast<tag_Stem*> (std::calloc ((size_t)GStemsCount + 1, sizeof (tag_Stem)));

    if (stems == nullptr)
        return nullptr;

    for (int i = 0; i < GStemsCount; ++i)
    {
        stems[i].stemText = GStems[i];
        stems[i].stemLength = (juce::int32)std::strlen (GStems[i]);
    }

    return stems;
}

tag_Stem* FindStemForWord (const char* word, size_t wordLength, tag_Stem* stems, int stemCount)
{
    if (stems == nullptr || stemCount <= 0)
        return nullptr;

    // The records from GetInitialStemArray are in table order: index them directly.
    if (isInitialStemArray (stems, stemCount))
        return FindStemInInitialArray (word, wordLength, stems);

    for (int i = 0; i < stemCount; ++i)
        if (stems[i].stemText != nullptr &&
            endsWithIgnoringAsciiCase (word, wordLength, stems[i].stemText, (size_t)stems[i].stemLength))
            return &stems[i];

    return nullptr;
}

tag_Stem* FindStemInInitialArray (const char* word, size_t wordLength, tag_Stem* stems)
{
    const int index = suffixIndex().find (word, wordLength);
    return index < 0 ? nullptr : &stems[index];
}

bool IsInitialStemArray (const tag_Stem* stems, int stemCount)
{
    return isInitialStemArray (stems, stemCount);
}

void RunStemPass (tag_bw_listitem* const* pool, int poolCount, tag_Stem* stems, int stemCount)
{
    juce::ignoreUnused (stems, stemCount);

    // One walk in pool order gives every record the same first word and second-word flag as walking the
    // pool once per record: a pool word's stemRecord is the record whose suffix it carries.
    for (int i = 0; i < poolCount; ++i)
    {
        auto* item = pool[i];
        auto* stem = item->stemRecord;

        if (item->stemText == nullptr || stem == nullptr)
            continue;

        if (stem->firstWord == nullptr)
            stem->firstWord = item->wordText;
        else if (stem->hasSecondWord == 0 && !equalIgnoringAsciiCase (item->wordText, stem->firstWord))
            stem->hasSecondWord = 1;
    }
}

int RunRhymeCountPass (tag_bw_listitem* const* pool, int poolCount, std::vector<int>* keptSuffix)
{
    int rhymeCount = 0;

    for (int i = 0; i < poolCount; ++i)
    {
        auto* item = pool[i];

        if (item->stemText == nullptr)
            continue;

        if (item->stemRecord == nullptr || item->stemRecord->hasSecondWord == 0)
        {
            item->stemText = nullptr;
            item->stemRecord = nullptr;
        }
        else
        {
            ++rhymeCount;

            if (keptSuffix != nullptr)
                keptSuffix->push_back (i);
        }
    }

    return rhymeCount;
}
