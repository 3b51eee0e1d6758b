#include "LyricGeneration.h"
#include "AsciiCase.h"
#include "bw_List.h"

#include <cstring>

namespace
{
bool isExactly (const char* word, char letter)
{
    return word[0] == letter && word[1] == 0;
}

void appendCapitalised (std::string& out, const char* word)
{
    const size_t length = std::strlen (word);
    const auto first = (unsigned char)word[0];

    // toupper in the default locale changes a to z only; long words are left as written.
    if (length <= 199 && first >= 'a' && first <= 'z')
    {
        out += (char)(first - 'a' + 'A');
        out.append (word + 1, length - 1);
    }
    else
    {
        out.append (word, length);
    }
}

// Once the index exists, a few plain tests still come first: the pick is usually right there.
constexpr int plainTestsWithIndex = 8;
} // namespace

LyricGeneration::LyricGeneration (const WordMap& wordMap, const std::vector<tag_bw_listitem*>& pool,
                                  int lockedPoolCount, std::vector<int> withSuffix, std::uint32_t seed,
                                  int plainWalkBudget)
    : m_wordMap (wordMap)
    , m_pool (pool)
    , m_poolCount ((int)pool.size())
    , m_lockedPoolCount (lockedPoolCount)
    , m_withSuffix (std::move (withSuffix))
    , m_rhymeCount ((int)m_withSuffix.size())
    , m_random (seed)
    , m_plainTestsLeft (plainWalkBudget < 0 ? (long long)pool.size() / 8 + 4096 : plainWalkBudget)
{
}

std::string LyricGeneration::run()
{
    std::string output;
    const int lineCount = juce::jlimit (0, WordMap::maxLines, (int)m_wordMap.m_lineCount);

    for (int line = 0; line < lineCount; ++line)
    {
        const int words = m_wordMap.GetWordCountInLine (line);
        std::vector<int> chosen ((size_t)words, 0);

        for (int pos = words - 1; pos >= 0; --pos)
            chosen[(size_t)pos] = pick ({line, pos, words}, chosen);

        for (int pos = 0; pos < words; ++pos)
        {
            const char* word = m_pool[(size_t)chosen[(size_t)pos]]->wordText;

            if (pos == 0)
                appendCapitalised (output, word);
            else
                output.append (" ").append (word);
        }

        output += (line == lineCount - 1) ? ".\n" : ",\n";

        if (line == 1 && words > 0)
            m_reference = chosen[(size_t)words - 1];
    }

    return output;
}

int LyricGeneration::pick (const Position& at, const std::vector<int>& chosen)
{
    const auto& slot = m_wordMap.m_words[at.line][at.pos];

    if (slot.m_locked == 1)
        if (const int locked = findLockedWord (slot.m_text.toRawUTF8()); locked >= 0)
            return locked;

    const int start = (int)(m_random() % (std::uint32_t)m_poolCount);
    int candidate = (start + 1) % m_poolCount;
    int testsLeft = m_poolCount - 1;
    int plainTests = 0;

    while (testsLeft > 0)
    {
        if (m_index != nullptr ? plainTests >= plainTestsWithIndex : m_plainTestsLeft <= 0)
            return findWithIndex (candidate, start, at, chosen);

        if (passes (candidate, at, chosen))
            return candidate;

        ++plainTests;
        --m_plainTestsLeft;
        --testsLeft;
        candidate = (candidate + 1) % m_poolCount;
    }

    return start;
}

int LyricGeneration::findLockedWord (const char* text)
{
    // The locked words open the pool, so a usable locked word is found among them.
    for (int i = 0; i < m_lockedPoolCount; ++i)
        if (equalIgnoringAsciiCase (m_pool[(size_t)i]->wordText, text))
            return i;

    if (m_lockedPoolCount == m_poolCount)
        return -1;

    return index().firstIndexWithText (text);
}

bool LyricGeneration::passes (int candidate, const Position& at, const std::vector<int>& chosen) const
{
    const auto* item = m_pool[(size_t)candidate];
    const char* word = item->wordText;
    const bool last = at.pos == at.wordsInLine - 1;

    if (last && at.line % 2 == 1)
    {
        if (m_rhymeCount > 0)
        {
            if (item->stemText == nullptr)
                return false;

            if (m_reference >= 0)
            {
                const auto* reference = m_pool[(size_t)m_reference];

                if (reference->stemText != nullptr && (equalIgnoringAsciiCase (word, reference->wordText) ||
                                                       !equalIgnoringAsciiCase (item->stemText, reference->stemText)))
                    return false;
            }
        }
    }
    else if (last)
    {
        if (item->stemText != nullptr)
            return false;
    }
    else if (at.wordsInLine <= m_poolCount)
    {
        for (int p = at.pos + 1; p < at.wordsInLine; ++p)
        {
            const int other = chosen[(size_t)p];

            if (other == candidate || equalIgnoringAsciiCase (word, m_pool[(size_t)other]->wordText))
                return false;
        }
    }

    if (at.pos != 0 && isExactly (word, 'A'))
        return false;

    if (last && isExactly (word, 'I'))
        return false;

    return true;
}

int LyricGeneration::findWithIndex (int from, int start, const Position& at, const std::vector<int>& chosen)
{
    auto& poolIndex = index();
    const bool last = at.pos == at.wordsInLine - 1;
    std::vector<int> excluded;
    auto group = PoolIndex::Group::all;
    const tag_Stem* suffix = nullptr;

    // Single letters other than "A" and "I" never enter the pool, so the classes of "A" and "I" hold
    // exactly those two words and stand for the case-sensitive tests.
    auto exclude = [&] (const char* text) { excluded.push_back (poolIndex.classOfText (text)); };

    if (at.pos != 0)
        exclude ("A");

    if (last)
    {
        exclude ("I");

        if (at.line % 2 == 0)
        {
            group = PoolIndex::Group::noSuffix;
        }
        else if (m_rhymeCount > 0)
        {
            group = PoolIndex::Group::withSuffix;

            if (m_reference >= 0 && m_pool[(size_t)m_reference]->stemText != nullptr)
            {
                group = PoolIndex::Group::oneSuffix;
                suffix = m_pool[(size_t)m_reference]->stemRecord;
                excluded.push_back (poolIndex.classOf (m_reference));
            }
        }
    }
    else if (at.wordsInLine <= m_poolCount)
    {
        for (int p = at.pos + 1; p < at.wordsInLine; ++p)
            excluded.push_back (poolIndex.classOf (chosen[(size_t)p]));
    }

    const int found = poolIndex.findCandidate (group, suffix, from, start, excluded);
    return found < 0 ? start : found;
}

PoolIndex& LyricGeneration::index()
{
    if (m_index == nullptr)
        m_index = std::make_unique<PoolIndex> (m_pool.data(), m_poolCount, std::move (m_withSuffix));

    return *m_index;
}
