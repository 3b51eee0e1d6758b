#pragma once

#include <juce_core/juce_core.h>
#include <memory>

// Cuts a text into lines and each line into words. Users read m_lines and mp_lineWords directly;
// a fresh analyser is made for every text.
class StringToLineAnalyser
{
public:
    StringToLineAnalyser() = default;
    virtual ~StringToLineAnalyser();

    // Analyses text into m_lines and mp_lineWords. stripPunctuation removes the punctuation characters
    // (and turns tabs into blanks) before the text is cut, so "and/or" becomes the one word "andor".
    void SetText (juce::String text, bool stripPunctuation);

    // The text of a line; empty for an index outside the lines.
    juce::String GetLineStringForLineIndex (int lineIndex) const;

    // A word of a line; empty for a word index outside the line. lineIndex may equal the number of
    // lines (the spare empty entry); other indices outside the lines also give an empty string.
    juce::String GetWordStringForLineIndexWordIndex (int lineIndex, int wordIndex) const;

    juce::StringArray m_lines;

    // One entry per line plus one spare, always empty, entry at the end.
    std::unique_ptr<juce::StringArray[]> mp_lineWords;

private:
    JUCE_DECLARE_NON_COPYABLE (StringToLineAnalyser)
};
