#pragma once

#include "WordMap.h"

#include <cstdint>
#include <optional>
#include <string>

// A plain, step-by-step rendering of lyric generation: every pool word tried against every suffix in
// table order, each rhyme pass walking the whole pool per suffix, and the random walk testing candidates
// one at a time in cyclic order. Slow, but easy to check line by line against the description of the
// algorithm; the engine's faster paths must give the same bytes for the same seed.
//
// Returns the lyric text, or nothing when the pool is empty. wordMap gets the new lyric laid in, as the
// engine does with its own map.
std::optional<std::string> generateLyricsStepByStep (WordMap& wordMap, const juce::String& idea1,
                                                     const juce::String& idea2, const juce::String& idea3,
                                                     std::uint32_t seed);
