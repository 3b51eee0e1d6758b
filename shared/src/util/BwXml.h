#pragma once

// The few scanning operations the document reader needs and the escaping the writer needs, over UTF-8 bytes. There
// is no parser: every search is a case-insensitive substring search. Nothing here reads outside the region given.

#include "bw_utf8.h"

// A region of XML-like bytes. Owns nothing.
class BwXml
{
public:
    BwXml (const unsigned char* data, int len)
        : mp_data (data)
        , m_len (len)
    {
    }
    virtual ~BwXml() = default;

    const unsigned char* mp_data;
    int m_len;
};

// Finds the next element whose name starts with `name` (any letter case) and copies it, from its "<" through its
// closing tag's ">", into `block`. Returns the offset of the "<" from data, or -1: `block` is left alone when there
// is no such element, and emptied when the element is never closed.
int BwXml_FindBlockGivenName (const unsigned char* data, int len, const char* name, BwString& block);

// Looks for `pattern` (such as: data=") in the element's start tag only. Returns the value's first byte and stores its
// length (0 for an empty value), or returns null and leaves valueLen alone.
const unsigned char* BwXml_GetAttribute (const unsigned char* data, int len, const char* pattern, int patternLen,
                                         int* valueLen);

// The five XML-special characters to entities and back. Anything else passes through unchanged.
BwString BwXml_Data_TranslateToEscaped (const unsigned char* text);
inline BwString BwXml_Data_TranslateToEscaped (const char* text)
{
    return BwXml_Data_TranslateToEscaped (reinterpret_cast<const unsigned char*> (text));
}
BwString BwXml_Data_TranslateToUnescaped (const unsigned char* data, int len);

// Like BwXml_GetAttribute, but over the whole region; an empty value gives null.
const unsigned char* BwXml_GetValueInBlock (const unsigned char* data, int len, const char* pattern, int patternLen,
                                            int* valueLen);

// The bytes from the first `startText` through the next `endText` behind it, or null.
const unsigned char* BwXml_FindSection (const unsigned char* data, int len, const char* startText, const char* endText,
                                        int* sectionLen);

// The value of `attributeName` within the first element named `elementName`, or null (also for an empty value).
const unsigned char* BwXml_GetValueInSection (const unsigned char* data, int len, const char* elementName,
                                              const char* attributeName, int* valueLen);
