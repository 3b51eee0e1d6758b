#pragma once

#include <juce_core/juce_core.h>

// One word slot of the word map. A lock belongs to the slot, not to the word in it.
class WordState
{
public:
    juce::String m_text;      // the word, without separators
    juce::int32 m_locked = 0; // 1 when locked, else 0
    juce::int32 m_start = 0;  // character index at which the lyric editor last drew the word
    juce::int32 m_length = 0; // length of m_text in characters, written when text is laid in
};
