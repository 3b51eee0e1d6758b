#include "StringToLineAnalyser.h"
#include "CharacterSets.h"

#include <string>

namespace
{
bool isWordCharacter (juce::juce_wchar c)
{
    // ASCII white space is the same in every locale; asking the C library's
    // classification for each of millions of characters is what makes big
    // imports slow, so it is asked only beyond ASCII.
    if (c < 0x80)
        return c != ' ' && (c < '\t' || c > '\r') && !wordmap_charispunctuation ((wchar_t)c);

    return !juce::CharacterFunctions::isWhitespace (c);
}

// The characters that SetText changes or removes are all ASCII, and no byte of a multi-byte UTF-8 sequence is
// ASCII, so the text's bytes are handled one by one. Each step is a single pass that writes into a preallocated
// buffer: an imported text file can be megabytes long, and a character-by-character String append or a
// String::replace per line break takes time in the square of the length.
juce::String stringFromBytes (const std::string& bytes)
{
    return juce::String (juce::CharPointer_UTF8 (bytes.data()), juce::CharPointer_UTF8 (bytes.data() + bytes.size()));
}

// Every CR LF pair and every lone CR becomes one LF; with tabsToBlanks every tab becomes a blank.
juce::String withUnifiedLineBreaks (const juce::String& text, bool tabsToBlanks)
{
    const char* bytes = text.toRawUTF8();
    const size_t size = text.getNumBytesAsUTF8();
    std::string result;
    result.reserve (size);

    for (size_t i = 0; i < size; ++i)
    {
        char c = bytes[i];

        if (c == '\r')
        {
            if (i + 1 < size && bytes[i + 1] == '\n')
                ++i;

            c = '\n';
        }
        else if (c == '\t' && tabsToBlanks)
        {
            c = ' ';
        }

        result += c;
    }

    return stringFromBytes (result);
}

juce::String withoutPunctuation (const juce::String& text)
{
    const char* bytes = text.toRawUTF8();
    const size_t size = text.getNumBytesAsUTF8();
    std::string result;
    result.reserve (size);

    for (size_t i = 0; i < size; ++i)
        if ((unsigned char)bytes[i] >= 0x80 || !wordmap_charispunctuation ((wchar_t)bytes[i]))
            result += bytes[i];

    return stringFromBytes (result);
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
    text = withUnifiedLineBreaks (text, stripPunctuation).trim();

    if (stripPunctuation)
        text = withoutPunctuation (text).trim();

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
