#pragma once

#include "WordState.h"

// The lyric as a fixed grid of lines of word slots. Its shape (line count and words per line) is what
// the lyric rule sets; SetFromString lays a lyric text into it without touching the locks.
class WordMap
{
public:
    static constexpr int maxLines = 50;
    static constexpr int maxWordsInLine = 20;

    WordMap() = default;
    virtual ~WordMap() = default;

    // Lays text into the grid. Lines with words beyond the 50th and words beyond the 20th of a line
    // do not fit and are dropped; m_totalWordCount counts the words laid in.
    void SetFromString (const juce::String& text);

    // The slot (lineIndex, wordIndex); never null. Indices outside the grid are clamped into it.
    WordState* GetWordAtXY (int lineIndex, int wordIndex);

    // 0 when lineIndex is greater than m_lineCount or outside the grid; else the stored count of the
    // line, or m_defaultWordCount when that is 0.
    int GetWordCountInLine (int lineIndex) const;

    // Stores a line's word count (clamped to 0..20); a line index outside the grid is ignored.
    void SetWordCountInLine (int lineIndex, int count);

    // Stores the line count, clamped to 0..50.
    void SetLineCount (int count);

    // Writes value into the lock of every slot within m_lineCount lines and each line's stored count
    // (not the default count: a line whose stored count is 0 keeps its locks).
    void SetAllWordLocksToThisValue (int value);

    juce::int32 m_lineCount = 4;
    juce::int32 m_wordCountInLine[maxLines] = {};
    WordState m_words[maxLines][maxWordsInLine];
    juce::int32 m_totalWordCount = 0;
    juce::int32 m_defaultWordCount = 4;
    juce::String m_text;
};
