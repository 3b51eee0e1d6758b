#include "StringToLineAnalyser.h"
#include "CharacterSets.h"

namespace
{
bool isWordCharacter (juce::juce_wchar c)
{
    return !juce::CharacterFunctions::isWhitespace (c) && !wordmap_charispunctuation ((wchar_t)c) && c != '\n' &&
           c != '\r';
}

juce::String removePunctuation (const juce::String& text)
{
    juce::String result;
    result.preallocateBytes (text.getNumBytesAsUTF8());

    for (auto p = text.getCharPointer(); !p.isEmpty();)
    {
        const auto c = p.getAndAdvance();

        if (!wordmap_charispunctuation ((wchar_t)c))
            result << juce::String::charToString (c);
    }

    return result;
}

void appendWordsOfLine (const juce::String& line, juce::StringArray& words)
{
    auto wordStart = line.getCharPointer();
    int wordLength = 0;

    for (auto p = line.getCharPointer();; ++p)
    {
        const auto c = *p;

        if (c != 0 && isWordCharacter (c))
        {
            if (wordLength++ == 0)
                wordStart = p;

            continue;
        }

        if (wordLength > 0)
            words.add (juce::String (wordStart, (size_t)wordLength));

        wordLength = 0;

        if (c == 0)
            break;
    }
}
} // namespace

StringToLineAnalyser::~StringToLineAnalyser()
{
    m_lines.clear();
    mp_lineWords.reset();
}

void StringToLineAnalyser::SetText (juce::String text, bool stripPunctuation)
{
    text = text.replace ("\r\n", "\n").replace ("\r", "\n");

    if (stripPunctuation)
        text = text.replace ("\t", " ");

    text = text.trim();

    if (stripPunctuation)
        text = removePunctuation (text).trim();

    // Every line feed ends a line; the rest after the last one is the last line.
    m_lines.clear();
    auto lineStart = text.getCharPointer();

    for (auto p = lineStart;; ++p)
    {
        const auto c = *p;

        if (c == '\n' || c == 0)
        {
            m_lines.add (juce::String (lineStart, p));

            if (c == 0)
                break;

            lineStart = p + 1;
        }
    }

    mp_lineWords.reset (new juce::StringArray[(size_t)m_lines.size() + 1]);

    for (int i = 0; i < m_lines.size(); ++i)
        appendWordsOfLine (m_lines[i], mp_lineWords[(size_t)i]);
}

juce::String StringToLineAnalyser::GetLineStringForLineIndex (int lineIndex) const
{
    return m_lines[lineIndex];
}

juce::String StringToLineAnalyser::GetWordStringForLineIndexWordIndex (int lineIndex, int wordIndex) const
{
    if (mp_lineWords == nullptr || lineIndex < 0 || lineIndex > m_lines.size())
        return {};

    return mp_lineWords[(size_t)lineIndex][wordIndex];
}
