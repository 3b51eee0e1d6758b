#include "BwXml.h"
#include "Utf8Stepping.h"

#include <cstring>

namespace
{
const unsigned char* asBytes (const char* text)
{
    return reinterpret_cast<const unsigned char*> (text);
}

int byteLength (const char* text)
{
    return (int)std::strlen (text);
}

// The first `byte` in [from, end), stopping at a zero byte as the format's text never holds one.
const unsigned char* findByte (const unsigned char* from, const unsigned char* end, unsigned char byte)
{
    for (auto* p = from; p < end && *p != 0; ++p)
        if (*p == byte)
            return p;

    return nullptr;
}

const unsigned char* findText (const unsigned char* from, const unsigned char* end, const BwString& text)
{
    return bw_utf8_strnstri_bytes (from, (int)(end - from), text.Get(), text.GetLength());
}

BwString buildText (const char* prefix, const char* name, const char* suffix)
{
    BwString text (prefix);
    text.Append (asBytes (name), byteLength (name));
    text.Append (asBytes (suffix), byteLength (suffix));
    return text;
}

// The texts built for a section lookup are limited to 99 bytes; cut at a character boundary.
BwString limitedTo99Bytes (const BwString& text)
{
    int length = text.GetLength();

    if (length <= 99)
        return text;

    length = 99;
    while (length > 0 && (text.Get()[length] & 0xC0) == 0x80)
        --length;

    return BwString (text.Get(), length);
}

struct Entity
{
    unsigned char character;
    const char* text;
};

// In the order the unescaper tries them.
const Entity entities[] = {{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\'', "&apos;"}};
} // namespace

int BwXml_FindBlockGivenName (const unsigned char* data, int len, const char* name, BwString& block)
{
    if (data == nullptr || name == nullptr || len < 0)
        return -1;

    const BwString opening = buildText ("<", name, "");
    const BwString closing = buildText ("</", name, ">");
    const unsigned char* end = data + len;

    auto* start = findText (data, end, opening);

    if (start == nullptr)
        return -1;

    // The closing tag is looked for right behind the name, not behind the start tag's ">".
    auto* close = findText (start + opening.GetLength(), end, closing);

    if (close == nullptr)
    {
        block.Clear();
        return -1;
    }

    block.Set (start, (int)(close + closing.GetLength() - start));
    return (int)(start - data);
}

const unsigned char* BwXml_GetAttribute (const unsigned char* data, int len, const char* pattern, int patternLen,
                                         int* valueLen)
{
    if (data == nullptr || pattern == nullptr || len < 2)
        return nullptr;

    const unsigned char* end = data + len;
    auto* tagEnd = findByte (data + 1, end, '>');

    if (tagEnd == nullptr)
        return nullptr;

    auto* found = bw_utf8_strnstri_bytes (data, (int)(tagEnd - data), asBytes (pattern), patternLen);

    if (found == nullptr)
        return nullptr;

    auto* value = found + patternLen;
    auto* quote = findByte (value, end, '"');

    if (quote == nullptr)
        return nullptr;

    if (valueLen != nullptr)
        *valueLen = (int)(quote - value);

    return value;
}

BwString BwXml_Data_TranslateToEscaped (const unsigned char* text)
{
    BwString result;

    if (text == nullptr)
        return result;

    for (auto* p = text; *p != 0;)
    {
        const int step = bw_utf8_bytesinptr (p);
        const Entity* entity = nullptr;

        for (auto& e : entities)
            if (*p == e.character)
                entity = &e;

        if (entity != nullptr)
            result.Append (asBytes (entity->text), byteLength (entity->text));
        else
            result.Append (p, step);

        p += step;
    }

    return result;
}

BwString BwXml_Data_TranslateToUnescaped (const unsigned char* data, int len)
{
    BwString result;

    if (data == nullptr || len < 1)
        return result;

    for (int pos = 0; pos < len;)
    {
        auto* p = data + pos;
        const int remaining = len - pos;

        if (*p == '&')
        {
            const Entity* match = nullptr;

            // An entity counts only if it lies wholly inside the region.
            for (auto& e : entities)
            {
                const int n = byteLength (e.text);

                if (n <= remaining && bw_utf8_detail::compareFolded (p, remaining, asBytes (e.text), n, n) == 0)
                {
                    match = &e;
                    break;
                }
            }

            result.Append (match != nullptr ? match->character : (unsigned char)'&');
            pos += match != nullptr ? byteLength (match->text) : 1;
        }
        else
        {
            const int step = bw_utf8_detail::charLength (p, remaining);
            result.Append (p, step);
            pos += step;
        }
    }

    return result;
}

const unsigned char* BwXml_GetValueInBlock (const unsigned char* data, int len, const char* pattern, int patternLen,
                                            int* valueLen)
{
    if (data == nullptr || pattern == nullptr || len < 1)
        return nullptr;

    const unsigned char* end = data + len;
    auto* found = bw_utf8_strnstri_bytes (data, len, asBytes (pattern), patternLen);

    if (found == nullptr)
        return nullptr;

    auto* value = found + patternLen;
    auto* quote = findByte (value, end, '"');

    if (quote == nullptr || quote == value)
        return nullptr;

    if (valueLen != nullptr)
        *valueLen = (int)(quote - value);

    return value;
}

const unsigned char* BwXml_FindSection (const unsigned char* data, int len, const char* startText, const char* endText,
                                        int* sectionLen)
{
    if (data == nullptr || startText == nullptr || endText == nullptr || len < 0)
        return nullptr;

    const unsigned char* end = data + len;
    const BwString closing (endText);
    auto* start = findText (data, end, BwString (startText));

    if (start == nullptr)
        return nullptr;

    auto* close = findText (start, end, closing);

    if (close == nullptr)
        return nullptr;

    if (sectionLen != nullptr)
        *sectionLen = (int)(close + closing.GetLength() - start);

    return start;
}

const unsigned char* BwXml_GetValueInSection (const unsigned char* data, int len, const char* elementName,
                                              const char* attributeName, int* valueLen)
{
    if (data == nullptr || elementName == nullptr || attributeName == nullptr || len < 0)
        return nullptr;

    const unsigned char* end = data + len;
    const BwString opening = limitedTo99Bytes (buildText ("<", elementName, ""));
    const BwString closing = limitedTo99Bytes (buildText ("</", elementName, ""));
    const BwString pattern = limitedTo99Bytes (buildText ("", attributeName, "=\""));

    auto* start = findText (data, end, opening);

    if (start == nullptr)
        return nullptr;

    auto* close = findText (start, end, closing);

    if (close == nullptr)
        return nullptr;

    return BwXml_GetValueInBlock (start, (int)(close - start), pattern.c_str(), pattern.GetLength(), valueLen);
}
