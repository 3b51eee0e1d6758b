#include "Utf8Stepping.h"
#include "bw_utf8.h"

namespace bw_utf8_detail
{
int charLength (const unsigned char* p, int available)
{
    if (available < 1)
        return 1;

    const int trailing = trailingBytesForUTF8[*p];

    if (trailing >= available)
        return 1;

    for (int i = 1; i <= trailing; ++i)
        if ((p[i] & 0xC0) != 0x80)
            return 1;

    return trailing + 1;
}

namespace
{
int foldedFirstByte (const unsigned char* p, int available)
{
    if (available < 1)
        return 0;

    // Signed like a plain char; only ASCII letters change.
    const int value = (signed char)*p;
    return (value >= 'a' && value <= 'z') ? value - ('a' - 'A') : value;
}
} // namespace

int compareFolded (const unsigned char* a, int aAvailable, const unsigned char* b, int bAvailable, int n)
{
    for (int i = 0; i < n; ++i)
    {
        const int ca = foldedFirstByte (a, aAvailable);
        const int cb = foldedFirstByte (b, bAvailable);

        if (ca != cb)
            return ca - cb;

        if (ca == 0)
            return 0;

        const int stepA = charLength (a, aAvailable);
        const int stepB = charLength (b, bAvailable);
        a += stepA;
        aAvailable -= stepA;
        b += stepB;
        bAvailable -= stepB;
    }

    return 0;
}

int decodeStrict (const unsigned char* p, int available, unsigned long& codePoint)
{
    if (available < 1)
        return 0;

    const unsigned char lead = p[0];
    int length = 0;
    unsigned long minimum = 0;

    if (lead < 0x80)
    {
        codePoint = lead;
        return 1;
    }

    if (lead >= 0xC2 && lead <= 0xDF)
    {
        length = 2;
        minimum = 0x80;
        codePoint = lead & 0x1F;
    }
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        length = 3;
        minimum = 0x800;
        codePoint = lead & 0x0F;
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        length = 4;
        minimum = 0x10000;
        codePoint = lead & 0x07;
    }
    else
    {
        return 0;
    }

    if (length > available)
        return 0;

    for (int i = 1; i < length; ++i)
    {
        if ((p[i] & 0xC0) != 0x80)
            return 0;

        codePoint = (codePoint << 6) | (p[i] & 0x3F);
    }

    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;

    return length;
}
} // namespace bw_utf8_detail
