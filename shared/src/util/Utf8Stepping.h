#pragma once

// Bounded stepping and comparing over UTF-8 bytes, shared by the helpers of this folder. Not part of the library's
// interface.

namespace bw_utf8_detail
{
// The byte length of the character at p: what its lead byte announces, if all of those continuation bytes are
// there within `available` bytes; otherwise 1. A zero byte is never a continuation byte, so a scan that steps by
// this length never jumps over a terminating zero.
int charLength (const unsigned char* p, int available);

// Compares up to n characters by their first bytes, ASCII letters folded to upper case, as signed values. Bytes
// beyond aAvailable / bAvailable read as zero, so neither side is read outside its bounds.
int compareFolded (const unsigned char* a, int aAvailable, const unsigned char* b, int bAvailable, int n);

// Decodes one well-formed UTF-8 sequence (no overlong forms, surrogates or values above U+10FFFF) and returns its
// byte count, or 0 if the bytes are not one.
int decodeStrict (const unsigned char* p, int available, unsigned long& codePoint);
} // namespace bw_utf8_detail
