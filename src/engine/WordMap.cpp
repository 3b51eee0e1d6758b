#include "WordMap.h"
#include "StringToLineAnalyser.h"

namespace
{
int clampLine (int lineIndex)
{
    return juce::jlimit (0, WordMap::maxLines - 1, lineIndex);
}

int clampWord (int wordIndex)
{
    return juce::jlimit (0, WordMap::maxWordsInLine - 1, wordIndex);
}
} // namespace

void WordMap::SetFromString (const juce::String& text)
{
    m_text = text;

    StringToLineAnalyser analyser;
    analyser.SetText (text, false);

    m_lineCount = 0;
    m_totalWordCount = 0;

    for (auto& line : m_words)
        for (auto& slot : line)
            slot.m_text.clear();

    for (int i = 0; i < analyser.m_lines.size() && m_lineCount < maxLines; ++i)
    {
        const auto& words = analyser.mp_lineWords[(size_t)i];

        if (words.isEmpty())
            continue;

        // Words beyond the grid's width are dropped, so the stored count is what was laid in.
        const int count = juce::jmin (words.size(), maxWordsInLine);
        const int line = m_lineCount;
        m_wordCountInLine[line] = count;

        for (int w = 0; w < count; ++w)
        {
            auto& slot = m_words[line][w];
            slot.m_text = words[w];
            slot.m_length = slot.m_text.length();
            ++m_totalWordCount;
        }

        ++m_lineCount;
    }
}

WordState* WordMap::GetWordAtXY (int lineIndex, int wordIndex)
{
    return &m_words[clampLine (lineIndex)][clampWord (wordIndex)];
}

int WordMap::GetWordCountInLine (int lineIndex) const
{
    if (lineIndex > m_lineCount || lineIndex < 0 || lineIndex >= maxLines)
        return 0;

    const int stored = juce::jlimit (0, maxWordsInLine, (int)m_wordCountInLine[lineIndex]);
    return stored == 0 ? juce::jlimit (0, maxWordsInLine, (int)m_defaultWordCount) : stored;
}

void WordMap::SetWordCountInLine (int lineIndex, int count)
{
    if (lineIndex < 0 || lineIndex >= maxLines)
        return;

    m_wordCountInLine[lineIndex] = juce::jlimit (0, maxWordsInLine, count);
}

void WordMap::SetLineCount (int count)
{
    m_lineCount = juce::jlimit (0, maxLines, count);
}

void WordMap::SetAllWordLocksToThisValue (int value)
{
    const int lines = juce::jlimit (0, maxLines, (int)m_lineCount);

    for (int line = 0; line < lines; ++line)
    {
        const int words = juce::jlimit (0, maxWordsInLine, (int)m_wordCountInLine[line]);

        for (int w = 0; w < words; ++w)
            m_words[line][w].m_locked = value;
    }
}
