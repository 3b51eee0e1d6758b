#include "bw_utf8.h"
#include "Utf8Stepping.h"

#include <climits>
#include <cstdlib>
#include <cstring>

// clang-format off
const char trailingBytesForUTF8[256] = {
    0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0, 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,
    0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0, 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,
    0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0, 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,
    0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0, 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,
    0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0, 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,
    0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0, 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,
    1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1, 1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,
    2,2,2,2,2,2,2,2,2,2,2,2,2,2,2,2, 3,3,3,3,3,3,3,3,4,4,4,4,5,5,5,5
};
// clang-format on

const unsigned char firstByteMark[7] = {0x00, 0x00, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC};

int bw_utf8_bytesinptr (const unsigned char* p)
{
    return bw_utf8_detail::charLength (p, INT_MAX);
}

int bw_utf8_bytesinchar (unsigned long codePoint)
{
    if (codePoint < 0x80)
        return 1;
    if (codePoint < 0x800)
        return 2;
    if (codePoint < 0x10000)
        return 3;
    if (codePoint < 0x200000)
        return 4;
    if (codePoint < 0x4000000)
        return 5;
    return 6;
}

void bw_utf8_getcharandlenbytes (const unsigned char* p, int& lenBytes)
{
    lenBytes = bw_utf8_bytesinptr (p);
}

const unsigned char* bw_utf8_strchr (const unsigned char* text, unsigned int value)
{
    if (text == nullptr)
        return nullptr;

    for (auto* p = text; *p != 0; p += bw_utf8_bytesinptr (p))
        if (*p == value)
            return p;

    return nullptr;
}

const unsigned char* bw_utf8_strrchr (const unsigned char* text, unsigned int value)
{
    if (text == nullptr)
        return nullptr;

    const unsigned char* found = nullptr;
    auto* p = text;

    for (; *p != 0; p += bw_utf8_bytesinptr (p))
        if (*p == value)
            found = p;

    return value == 0 ? p : found;
}

int bw_utf8_strlen_chars (const unsigned char* text)
{
    if (text == nullptr)
        return 0;

    int count = 0;

    for (auto* p = text; *p != 0; p += bw_utf8_bytesinptr (p))
        ++count;

    return count;
}

int bw_utf8_strncmpi_bytes (const unsigned char* a, const unsigned char* b, int n)
{
    return bw_utf8_detail::compareFolded (a, INT_MAX, b, INT_MAX, n);
}

int bw_utf8_strncmpi_chars (const unsigned char* a, const unsigned char* b, int n)
{
    for (int i = 0; i < n; ++i)
    {
        if (*a != *b)
            return (int)*b - (int)*a;

        if (*a == 0)
            return 0;

        // Both step by the first text's character; b stops at its own zero rather than jumping over it.
        const int step = bw_utf8_bytesinptr (a);
        a += step;

        for (int k = 0; k < step && *b != 0; ++k)
            ++b;
    }

    return 0;
}

const unsigned char* bw_utf8_strnstri_bytes (const unsigned char* region, int regionBytes, const unsigned char* pattern,
                                             int patternBytes)
{
    if (region == nullptr || pattern == nullptr || patternBytes < 0)
        return nullptr;

    auto* p = region;
    int remaining = regionBytes;

    while (remaining >= patternBytes)
    {
        if (bw_utf8_detail::compareFolded (p, remaining, pattern, patternBytes, patternBytes) == 0)
            return p;

        if (remaining == 0)
            break;

        const int step = bw_utf8_detail::charLength (p, remaining);
        p += step;
        remaining -= step;
    }

    return nullptr;
}

int bw_utf8_atoi (const unsigned char* text)
{
    return std::atoi (reinterpret_cast<const char*> (text));
}

long bw_utf8_atol (const unsigned char* text)
{
    return std::atol (reinterpret_cast<const char*> (text));
}

double bw_utf8_atof (const unsigned char* text)
{
    return std::atof (reinterpret_cast<const char*> (text));
}

unsigned char* bw_utf8_write_from_utf32 (unsigned char* dest, unsigned long codePoint)
{
    if (codePoint > 0x10FFFF)
        return dest;

    const int numBytes = bw_utf8_bytesinchar (codePoint);

    for (int i = numBytes - 1; i > 0; --i)
    {
        dest[i] = (unsigned char)(0x80 | (codePoint & 0x3F));
        codePoint >>= 6;
    }

    dest[0] = (unsigned char)(codePoint | firstByteMark[numBytes]);
    return dest + numBytes;
}

std::unique_ptr<BwCFString> bw_utf8_CreateCFStringFromBytePointerLen (const unsigned char* bytes, int numBytes)
{
    if (numBytes < 0 || (bytes == nullptr && numBytes > 0))
        return nullptr;

    auto string = std::make_unique<BwCFString>();

    for (int pos = 0; pos < numBytes;)
    {
        unsigned long codePoint = 0;
        const int used = bw_utf8_detail::decodeStrict (bytes + pos, numBytes - pos, codePoint);

        if (used == 0)
            return nullptr;

        if (codePoint >= 0x10000)
        {
            codePoint -= 0x10000;
            string->m_units.push_back ((char16_t)(0xD800 + (codePoint >> 10)));
            string->m_units.push_back ((char16_t)(0xDC00 + (codePoint & 0x3FF)));
        }
        else
        {
            string->m_units.push_back ((char16_t)codePoint);
        }

        pos += used;
    }

    return string;
}

unsigned char* bw_utf8_from_CFString (const BwCFString* string, int& lenBytes)
{
    lenBytes = 0;

    if (string == nullptr || string->m_units.empty())
        return nullptr;

    // Measure first, then convert, as the buffer must be exactly as long as the text.
    const auto& units = string->m_units;
    size_t total = 0;
    std::basic_string<unsigned long> codePoints;

    for (size_t i = 0; i < units.size(); ++i)
    {
        unsigned long c = units[i];

        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (unsigned long)(units[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            return nullptr;

        codePoints.push_back (c);
        total += (size_t)bw_utf8_bytesinchar (c);
    }

    if (total > (size_t)INT_MAX - 1)
        return nullptr;

    auto* buffer = static_cast<unsigned char*> (std::calloc (total + 1, 1));

    if (buffer == nullptr)
        return nullptr;

    auto* out = buffer;

    for (auto c : codePoints)
        out = bw_utf8_write_from_utf32 (out, c);

    lenBytes = (int)total;
    return buffer;
}

unsigned char* bw_utf8_from_utf16 (const BwUTF16Unit* units, int numUnits, int& lenBytes)
{
    lenBytes = 0;

    if (units == nullptr || numUnits < 1)
        return nullptr;

    BwCFString string;
    string.m_units.assign (units, units + numUnits);
    return bw_utf8_from_CFString (&string, lenBytes);
}

BwUTF16Unit* bw_utf16_from_utf8 (const unsigned char* text, int maxUnits, int& numUnits)
{
    numUnits = 0;

    if (text == nullptr || maxUnits < 1)
        return nullptr;

    const size_t textBytes = std::strlen (reinterpret_cast<const char*> (text));

    if (textBytes > (size_t)INT_MAX)
        return nullptr;

    const auto string = bw_utf8_CreateCFStringFromBytePointerLen (text, (int)textBytes);

    if (string == nullptr)
        return nullptr;

    const auto& units = string->m_units;
    size_t count = std::min (units.size(), (size_t)maxUnits);

    // Half a surrogate pair is not text: leave the whole pair out.
    if (count > 0 && count < units.size() && units[count - 1] >= 0xD800 && units[count - 1] <= 0xDBFF)
        --count;

    auto* buffer = static_cast<BwUTF16Unit*> (std::calloc (count + 1, sizeof (BwUTF16Unit)));

    if (buffer == nullptr)
        return nullptr;

    for (size_t i = 0; i < count; ++i)
        buffer[i] = (BwUTF16Unit)units[i];

    numUnits = (int)count;
    return buffer;
}
