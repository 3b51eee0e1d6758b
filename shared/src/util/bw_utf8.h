#pragma once

// Byte-level helpers for zero-terminated UTF-8 text. They step through text by UTF-8 sequences but compare by the
// first byte of each sequence only, which is exact for the ASCII the document format uses.
//
// No helper reads past a terminating zero byte or outside a region it was given: a sequence whose announced
// continuation bytes are not all there (a truncated sequence, or a stray byte 0x80 to 0xFF) counts as one byte.
//
// Buffers returned here are allocated with calloc and released by the caller with free().

#include "BwString.h"
#include "BwCFString.h"

#include <memory>

// Continuation bytes announced by each lead byte, and the lead-byte marks by sequence length.
extern const char trailingBytesForUTF8[256];
extern const unsigned char firstByteMark[7];

using BwUTF16Unit = unsigned short;

int bw_utf8_bytesinptr (const unsigned char* p);
int bw_utf8_bytesinchar (unsigned long codePoint);
void bw_utf8_getcharandlenbytes (const unsigned char* p, int& lenBytes);

const unsigned char* bw_utf8_strchr (const unsigned char* text, unsigned int value);
const unsigned char* bw_utf8_strrchr (const unsigned char* text, unsigned int value);
int bw_utf8_strlen_chars (const unsigned char* text);

int bw_utf8_strncmpi_bytes (const unsigned char* a, const unsigned char* b, int n);
int bw_utf8_strncmpi_chars (const unsigned char* a, const unsigned char* b, int n);
const unsigned char* bw_utf8_strnstri_bytes (const unsigned char* region, int regionBytes, const unsigned char* pattern,
                                             int patternBytes);

int bw_utf8_atoi (const unsigned char* text);
long bw_utf8_atol (const unsigned char* text);
double bw_utf8_atof (const unsigned char* text);

// Writes one code point up to U+10FFFF as 1 to 4 bytes and returns the position behind them; larger values write
// nothing and return dest unchanged. dest needs room for 4 bytes.
unsigned char* bw_utf8_write_from_utf32 (unsigned char* dest, unsigned long codePoint);

// A new platform string object made from the bytes as UTF-8, or null when they are not valid UTF-8.
std::unique_ptr<BwCFString> bw_utf8_CreateCFStringFromBytePointerLen (const unsigned char* bytes, int numBytes);

// New zero-terminated UTF-8 buffer with the string's text and its byte length; null (length 0) if empty or out of
// memory.
unsigned char* bw_utf8_from_CFString (const BwCFString* string, int& lenBytes);

// New zero-terminated UTF-8 buffer from `numUnits` UTF-16 units; null (length 0) if they are not well-formed UTF-16,
// empty, or out of memory.
unsigned char* bw_utf8_from_utf16 (const BwUTF16Unit* units, int numUnits, int& lenBytes);

// New zero-terminated UTF-16 buffer with at most maxUnits units of the text (a surrogate pair is never split);
// null and count 0 on failure (invalid UTF-8, maxUnits below 1, out of memory).
BwUTF16Unit* bw_utf16_from_utf8 (const unsigned char* text, int maxUnits, int& numUnits);
