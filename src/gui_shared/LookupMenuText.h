#pragma once

#include <juce_core/juce_core.h>

/** The label of the search item for a highlighted text, the same in both kinds
    of editor: its first ten characters, with "..." when there is more. */
inline juce::String HighlightSearchLabel (const juce::String& highlight)
{
    return juce::translate ("Search highlight - (") + highlight.substring (0, 10) +
           (highlight.length() > 10 ? "..." : "") + ")";
}
