#include "ReferenceGenerator.h"
#include "CharacterSets.h"
#include "RhymeStems.h"

#include <cctype>
#include <cstring>
#include <random>
#include <vector>

namespace
{
struct Stem
{
    const char* text;
    int length;
    const char* firstWord = nullptr;
    int hasSecondWord = 0;
};

struct PoolWord
{
    std::string text;
    Stem* stem = nullptr;
    const char* suffix = nullptr;
};

bool sameIgnoringCase (const char* a, const char* b)
{
    while (*a != 0 && *b != 0)
    {
        const int x = (*a >= 'A' && *a <= 'Z') ? *a + 32 : *a;
        const int y = (*b >= 'A' && *b <= 'Z') ? *b + 32 : *b;

        if (x != y)
            return false;

        ++a;
        ++b;
    }

    return *a == *b;
}

void appendWords (const juce::String& text, std::vector<PoolWord>& pool, std::vector<Stem>& stems)
{
    juce::StringArray tokens;
    tokens.addTokens (text, juce::String (seps), "");

    for (const auto& token : tokens)
    {
        const std::string bytes = token.toStdString();

        if (bytes.empty())
            continue;

        if (bytes.size() == 1 && bytes != "A" && bytes != "I")
            continue;

        PoolWord word;
        word.text = bytes;

        for (auto& stem : stems)
        {
            if ((int)bytes.size() < stem.length)
                continue;

            if (sameIgnoringCase (bytes.c_str() + bytes.size() - (size_t)stem.length, stem.text))
            {
                word.stem = &stem;
                word.suffix = stem.text;
                break;
            }
        }

        pool.push_back (word);
    }
}
} // namespace

std::optional<std::string> generateLyricsStepByStep (WordMap& wordMap, const juce::String& idea1,
                                                     const juce::String& idea2, const juce::String& idea3,
                                                     std::uint32_t seed)
{
    std::vector<Stem> stems;

    for (int i = 0; GStems[i] != nullptr; ++i)
        stems.push_back ({GStems[i], (int)std::strlen (GStems[i])});

    juce::String lockedWords;

    for (int line = 0; line < wordMap.m_lineCount; ++line)
        for (int pos = 0; pos < wordMap.GetWordCountInLine (line); ++pos)
            if (wordMap.GetWordAtXY (line, pos)->m_locked == 1)
                lockedWords << wordMap.GetWordAtXY (line, pos)->m_text << " ";

    std::vector<PoolWord> pool;
    pool.reserve (1024);
    appendWords (lockedWords, pool, stems);
    appendWords (idea1, pool, stems);
    appendWords (idea2, pool, stems);
    appendWords (idea3, pool, stems);

    if (pool.empty())
        return std::nullopt;

    for (auto& stem : stems)
    {
        for (auto& word : pool)
        {
            if (word.suffix == nullptr || !sameIgnoringCase (word.suffix, stem.text))
                continue;

            if (stem.firstWord == nullptr)
                stem.firstWord = word.text.c_str();
            else if (!sameIgnoringCase (word.text.c_str(), stem.firstWord))
                stem.hasSecondWord = 1;
        }
    }

    int rhymeCount = 0;

    for (auto& word : pool)
    {
        if (word.suffix == nullptr)
            continue;

        if (word.stem->hasSecondWord == 0)
        {
            word.suffix = nullptr;
            word.stem = nullptr;
        }
        else
        {
            ++rhymeCount;
        }
    }

    const int n = (int)pool.size();
    std::mt19937 random (seed);
    std::string output;
    const PoolWord* referenceWord = nullptr;

    for (int line = 0; line < wordMap.m_lineCount; ++line)
    {
        const bool odd = line % 2 == 1;
        const int words = wordMap.GetWordCountInLine (line);
        std::vector<int> chosen ((size_t)words, -1);

        for (int pos = words - 1; pos >= 0; --pos)
        {
            const WordState* slot = wordMap.GetWordAtXY (line, pos);
            int pick = -1;

            if (slot->m_locked == 1)
            {
                for (int i = 0; i < n; ++i)
                {
                    if (sameIgnoringCase (pool[(size_t)i].text.c_str(), slot->m_text.toRawUTF8()))
                    {
                        pick = i;
                        break;
                    }
                }
            }

            if (pick < 0)
            {
                auto passes = [&] (int c)
                {
                    const PoolWord& candidate = pool[(size_t)c];
                    const char* w = candidate.text.c_str();

                    if (pos == words - 1 && odd)
                    {
                        if (rhymeCount > 0)
                        {
                            if (candidate.suffix == nullptr)
                                return false;

                            if (referenceWord != nullptr && referenceWord->suffix != nullptr)
                            {
                                if (sameIgnoringCase (w, referenceWord->text.c_str()))
                                    return false;

                                if (!sameIgnoringCase (candidate.suffix, referenceWord->suffix))
                                    return false;
                            }
                        }
                    }
                    else if (pos == words - 1)
                    {
                        if (candidate.suffix != nullptr)
                            return false;
                    }
                    else if (words <= n)
                    {
                        for (int other = pos + 1; other < words; ++other)
                        {
                            if (chosen[(size_t)other] == c)
                                return false;

                            if (sameIgnoringCase (w, pool[(size_t)chosen[(size_t)other]].text.c_str()))
                                return false;
                        }
                    }

                    if (pos != 0 && std::strcmp (w, "A") == 0)
                        return false;

                    if (pos == words - 1 && std::strcmp (w, "I") == 0)
                        return false;

                    return true;
                };

                const int s = (int)(random() % (std::uint32_t)n);
                int index = s;
                int moves = 0;

                for (;;)
                {
                    index = (index + 1) % n;
                    ++moves;

                    if (moves == n)
                    {
                        pick = s;
                        break;
                    }

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
            std::string word = pool[(size_t)chosen[(size_t)pos]].text;

            if (pos == 0 && (unsigned char)word[0] < 0x80 && word.size() <= 199)
                word[0] = (char)std::toupper ((unsigned char)word[0]);

            output += (pos == 0 ? "" : " ") + word;
        }

        output += (line == wordMap.m_lineCount - 1) ? ".\n" : ",\n";

        if (line == 1)
            referenceWord = &pool[(size_t)chosen[(size_t)words - 1]];
    }

    wordMap.SetFromString (juce::String::fromUTF8 (output.data(), (int)output.size()));
    return output;
}
