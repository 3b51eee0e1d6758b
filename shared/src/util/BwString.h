#pragma once

#include <juce_core/juce_core.h>
#include <string>

// A small owned byte string holding zero-terminated UTF-8: what the XML helpers hand back, so that callers never
// have to free a raw buffer themselves.
class BwString
{
public:
    BwString() = default;
    explicit BwString (const char* text);
    BwString (const unsigned char* data, int numBytes);

    void Set (const unsigned char* data, int numBytes);
    void Append (const unsigned char* data, int numBytes);
    void Append (unsigned char byte);
    void Clear() noexcept { m_bytes.clear(); }

    // The bytes, always followed by a zero byte (also when empty).
    const unsigned char* Get() const noexcept { return reinterpret_cast<const unsigned char*> (m_bytes.c_str()); }
    const char* c_str() const noexcept { return m_bytes.c_str(); }
    int GetLength() const noexcept { return (int)m_bytes.size(); }
    bool IsEmpty() const noexcept { return m_bytes.empty(); }

    juce::String ToString() const { return juce::String::fromUTF8 (m_bytes.data(), (int)m_bytes.size()); }

    // Overwrites the first byte of every character whose first byte is `from` with `to`.
    void TranslateCharToChar (unsigned char from, unsigned char to);

    bool operator== (const BwString& other) const noexcept { return m_bytes == other.m_bytes; }
    bool operator!= (const BwString& other) const noexcept { return m_bytes != other.m_bytes; }

private:
    std::string m_bytes;
};
