#pragma once

#include <cstddef>

// The engine's two character sets. They differ on purpose: the word map splits lyric text at
// wordmap_charispunctuation (and white space), while the word pool splits idea text at seps only.

// True for the 17 characters that end a word in the word map.
bool wordmap_charispunctuation (wchar_t c);

// The separators of idea text, zero-terminated: blank , tab LF CR " ; ? ) . ] [
extern const char seps[];

// Number of characters in seps (without the terminating zero).
constexpr std::size_t sepsCount = 12;
