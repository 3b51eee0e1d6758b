#include "BwString.h"
#include "bw_utf8.h"

BwString::BwString (const char* text)
{
    if (text != nullptr)
        m_bytes = text;
}

BwString::BwString (const unsigned char* data, int numBytes)
{
    Set (data, numBytes);
}

void BwString::Set (const unsigned char* data, int numBytes)
{
    m_bytes.clear();
    Append (data, numBytes);
}

void BwString::Append (const unsigned char* data, int numBytes)
{
    if (data != nullptr && numBytes > 0)
        m_bytes.append (reinterpret_cast<const char*> (data), (size_t)numBytes);
}

void BwString::Append (unsigned char byte)
{
    m_bytes.push_back ((char)byte);
}

void BwString::TranslateCharToChar (unsigned char from, unsigned char to)
{
    if (from == to)
        return;

    // Step by characters, so that continuation bytes are never taken for the value.
    for (size_t i = 0; i < m_bytes.size();)
    {
        auto* p = reinterpret_cast<unsigned char*> (&m_bytes[i]);
        const size_t step = (size_t)bw_utf8_bytesinptr (p);

        if (*p == from)
            *p = to;

        i += step;
    }
}
