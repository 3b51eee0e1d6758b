#include "Quillet.h"
#include "CharacterSets.h"
#include "LyricGeneration.h"
#include "RhymeStems.h"
#include "bw_List.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace
{
// A byte-indexed copy of seps: idea texts can be megabytes long.
struct SeparatorTable
{
    SeparatorTable()
    {
        for (size_t i = 0; i < sepsCount; ++i)
            isSeparator[(unsigned char)seps[i]] = true;
    }

    bool isSeparator[256] = {};
};

const SeparatorTable& separatorTable()
{
    static const SeparatorTable table;
    return table;
}

bool isUsableToken (const char* token, size_t length)
{
    if (length == 0)
        return false;

    // Single letters make poor lyric words; only the words "A" and "I" are kept.
    return length > 1 || token[0] == 'A' || token[0] == 'I';
}

char* copyToMallocedText (const std::string& text)
{
    auto* copy = static_cast<char*> (std::malloc (text.size() + 1));

    if (copy != nullptr)
        std::memcpy (copy, text.c_str(), text.size() + 1);

    return copy;
}
} // namespace

Quillet::Quillet()
    : m_seedSource (&Quillet::SecondsSinceEpoch)
{
}

Quillet::~Quillet() = default;

void Quillet::SetString (const juce::String& text)
{
    m_wordMap.SetFromString (text);
}

void Quillet::SetPlainWalkBudget (int budget)
{
    m_plainWalkBudget = budget < 0 ? LyricGeneration::automaticBudget : budget;
}

void Quillet::SetSeedSource (SeedSource source)
{
    m_seedSource = source ? std::move (source) : SeedSource (&Quillet::SecondsSinceEpoch);
}

std::uint32_t Quillet::SecondsSinceEpoch()
{
    return (std::uint32_t)std::time (nullptr);
}

void Quillet::AppendWordsFromString (const juce::String& text, bw_List& list, int& poolCount, tag_Stem* stems,
                                     int stemCount)
{
    // The separators are all ASCII, so cutting the UTF-8 bytes gives the same tokens as cutting the
    // characters, and multi-byte characters stay whole.
    const char* bytes = text.toRawUTF8();
    const size_t size = std::strlen (bytes);
    size_t tokenStart = 0;
    const bool initialStems = IsInitialStemArray (stems, stemCount);
    const auto& separators = separatorTable();

    for (size_t i = 0; i <= size; ++i)
    {
        if (i < size && !separators.isSeparator[(unsigned char)bytes[i]])
            continue;

        const char* token = bytes + tokenStart;
        const size_t length = i - tokenStart;
        tokenStart = i + 1;

        if (!isUsableToken (token, length))
            continue;

        auto* item = static_cast<tag_bw_listitem*> (std::calloc (1, sizeof (tag_bw_listitem)));
        auto* wordText = static_cast<char*> (std::malloc (length + 1));

        if (item == nullptr || wordText == nullptr)
        {
            std::free (item);
            std::free (wordText);
            return;
        }

        std::memcpy (wordText, token, length);
        wordText[length] = 0;
        item->wordText = wordText;

        auto* stem = initialStems ? FindStemInInitialArray (token, length, stems)
                                  : FindStemForWord (token, length, stems, stemCount);

        if (stem != nullptr)
        {
            item->stemRecord = stem;
            item->stemText = stem->stemText;
        }

        list.AddItemToEnd (item);
        ++poolCount;
    }
}

char* Quillet::GenerateLyrics (const juce::String& idea1, const juce::String& idea2, const juce::String& idea3)
{
    int stemCount = 0;
    tag_Stem* stems = GetInitialStemArray (stemCount);

    if (stems == nullptr)
        return nullptr;

    const int lineCount = juce::jlimit (0, WordMap::maxLines, (int)m_wordMap.m_lineCount);

    // The locked words join the pool first, so a locked slot finds its word early.
    std::string lockedWords;

    for (int line = 0; line < lineCount; ++line)
        for (int pos = 0; pos < m_wordMap.GetWordCountInLine (line); ++pos)
            if (const auto& slot = m_wordMap.m_words[line][pos]; slot.m_locked == 1)
                lockedWords.append (slot.m_text.toRawUTF8()).append (" ");

    bw_List list (MyEmptyItem);
    int poolCount = 0;
    AppendWordsFromString (juce::String::fromUTF8 (lockedWords.data(), (int)lockedWords.size()), list, poolCount, stems,
                           stemCount);
    const int lockedPoolCount = poolCount;
    AppendWordsFromString (idea1, list, poolCount, stems, stemCount);
    AppendWordsFromString (idea2, list, poolCount, stems, stemCount);
    AppendWordsFromString (idea3, list, poolCount, stems, stemCount);

    if (poolCount == 0)
    {
        list.EmptyList();
        std::free (stems);
        return nullptr;
    }

    std::vector<tag_bw_listitem*> pool;
    pool.reserve ((size_t)poolCount);

    for (auto* item = list.mp_head; item != nullptr; item = item->nextItem)
        pool.push_back (item);

    RunStemPass (pool.data(), poolCount, stems, stemCount);
    std::vector<int> withSuffix; // the pool index may want them; collected now to spare another walk
    const int rhymeCount = RunRhymeCountPass (pool.data(), poolCount, &withSuffix);
    jassert (rhymeCount == (int)withSuffix.size()); // the generation counts the rhymes from the list
    juce::ignoreUnused (rhymeCount);

    std::string output =
        LyricGeneration (m_wordMap, pool, lockedPoolCount, std::move (withSuffix), m_seedSource(), m_plainWalkBudget)
            .run();

    pool.clear();
    list.EmptyList();
    std::free (stems);

    m_wordMap.SetFromString (juce::String::fromUTF8 (output.data(), (int)output.size()));
    return copyToMallocedText (output);
}
