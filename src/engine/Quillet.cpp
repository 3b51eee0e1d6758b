#include "Quillet.h"
#include "CharacterSets.h"
#include "RhymeStems.h"
#include "bw_List.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

namespace
{
unsigned char foldAscii (unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? (unsigned char)(c + ('a' - 'A')) : c;
}

bool equalIgnoringAsciiCase (const char* a, const char* b)
{
    for (;; ++a, ++b)
    {
        if (foldAscii ((unsigned char)*a) != foldAscii ((unsigned char)*b))
            return false;

        if (*a == 0)
            return true;
    }
}

bool isSeparator (char c)
{
    return std::memchr (seps, c, sepsCount) != nullptr;
}

bool isUsableToken (const char* token, size_t length)
{
    if (length == 0)
        return false;

    // Single letters make poor lyric words; only the words "A" and "I" are kept.
    return length > 1 || token[0] == 'A' || token[0] == 'I';
}

void appendCapitalised (std::string& out, const char* word)
{
    const size_t length = std::strlen (word);
    const auto first = (unsigned char)word[0];

    if (length > 0 && length <= 199 && first >= 'a' && first <= 'z')
    {
        out += (char)(first - 'a' + 'A');
        out.append (word + 1, length - 1);
    }
    else
    {
        out.append (word, length);
    }
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
    const size_t size = text.getNumBytesAsUTF8();
    size_t tokenStart = 0;

    for (size_t i = 0; i <= size; ++i)
    {
        if (i < size && !isSeparator (bytes[i]))
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

        if (auto* stem = FindStemForWord (token, length, stems, stemCount))
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
    const int rhymeCount = RunRhymeCountPass (pool.data(), poolCount);

    std::mt19937 random (m_seedSource());
    const int n = poolCount;
    std::string output;
    const tag_bw_listitem* reference = nullptr;

    for (int line = 0; line < lineCount; ++line)
    {
        const bool odd = (line % 2) == 1;
        const int words = m_wordMap.GetWordCountInLine (line);
        std::vector<int> chosen ((size_t)words, 0);

        for (int pos = words - 1; pos >= 0; --pos)
        {
            const auto& slot = m_wordMap.m_words[line][pos];
            int pick = -1;

            if (slot.m_locked == 1)
            {
                const char* lockedText = slot.m_text.toRawUTF8();

                for (int i = 0; i < n && pick < 0; ++i)
                    if (equalIgnoringAsciiCase (pool[(size_t)i]->wordText, lockedText))
                        pick = i;
            }

            if (pick < 0)
            {
                auto passes = [&] (int c)
                {
                    const auto* item = pool[(size_t)c];
                    const char* w = item->wordText;
                    const bool last = pos == words - 1;

                    if (last && odd)
                    {
                        if (rhymeCount > 0)
                        {
                            if (item->stemText == nullptr)
                                return false;

                            if (reference != nullptr && reference->stemText != nullptr &&
                                (equalIgnoringAsciiCase (w, reference->wordText) ||
                                 !equalIgnoringAsciiCase (item->stemText, reference->stemText)))
                                return false;
                        }
                    }
                    else if (last)
                    {
                        if (item->stemText != nullptr)
                            return false;
                    }
                    else if (words <= n)
                    {
                        for (int p = pos + 1; p < words; ++p)
                        {
                            const int other = chosen[(size_t)p];

                            if (other == c || equalIgnoringAsciiCase (w, pool[(size_t)other]->wordText))
                                return false;
                        }
                    }

                    if (pos != 0 && std::strcmp (w, "A") == 0)
                        return false;

                    if (last && std::strcmp (w, "I") == 0)
                        return false;

                    return true;
                };

                const int start = (int)(random() % (std::uint32_t)n);
                pick = start;

                for (int moves = 1, index = (start + 1) % n; moves < n; ++moves, index = (index + 1) % n)
                {
                    if (passes (index))
                    {
                        pick = index;
                        break;
                    }
                }
            }

            chosen[(size_t)pos] = pick;
        }

        for (int pos = 0; pos < words; ++pos)
        {
            const char* w = pool[(size_t)chosen[(size_t)pos]]->wordText;

            if (pos == 0)
                appendCapitalised (output, w);
            else
                output.append (" ").append (w);
        }

        output += (line == lineCount - 1) ? ".\n" : ",\n";

        if (line == 1 && words > 0)
            reference = pool[(size_t)chosen[(size_t)words - 1]];
    }

    // Keep the reference out of the released pool's reach before the pool goes.
    reference = nullptr;
    pool.clear();
    list.EmptyList();
    std::free (stems);

    m_wordMap.SetFromString (juce::String::fromUTF8 (output.data(), (int)output.size()));
    return copyToMallocedText (output);
}
