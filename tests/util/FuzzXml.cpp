// libFuzzer target: the XML scanner, attribute lookup and unescaper on arbitrary bytes. libFuzzer hands over an
// exact-size heap copy without a terminating zero, so the address sanitizer catches any read outside the region.
// Besides not crashing, escaping and unescaping must give every text back, and valid UTF-8 must survive the
// trip through UTF-16.
#include <BwXml.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
void require (bool condition)
{
    if (!condition)
        std::abort();
}

const char* const names[] = {"history", "text", "rule", "h", ""};
const char* const patterns[] = {"id=\"", "data=\"", "=\"", "\""};

// Scans every block of one name as the document reader does, looking inside each.
void scanBlocks (const unsigned char* data, int len, const char* name)
{
    const unsigned char* pos = data;
    int remaining = len;
    BwString block;

    for (int offset; (offset = BwXml_FindBlockGivenName (pos, remaining, name, block)) >= 0;)
    {
        require (offset + block.GetLength() <= remaining);
        require (std::memcmp (pos + offset, block.Get(), (size_t)block.GetLength()) == 0);

        for (auto* pattern : patterns)
        {
            int valueLen = -1;
            auto* value =
                BwXml_GetAttribute (block.Get(), block.GetLength(), pattern, (int)std::strlen (pattern), &valueLen);
            if (value != nullptr)
            {
                require (value >= block.Get() && valueLen >= 0);
                require (value + valueLen <= block.Get() + block.GetLength());
                BwXml_Data_TranslateToUnescaped (value, valueLen);
            }
        }

        // Never loops without moving on.
        require (block.GetLength() > 0);
        pos += offset + block.GetLength();
        remaining -= offset + block.GetLength();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size > 65536)
        return 0;

    const int len = (int)size;

    for (auto* name : names)
        scanBlocks (data, len, name);

    for (auto* pattern : patterns)
    {
        const int patternLen = (int)std::strlen (pattern);
        int n = -1;
        if (auto* v = BwXml_GetAttribute (data, len, pattern, patternLen, &n))
            require (v + n <= data + len);
        if (auto* v = BwXml_GetValueInBlock (data, len, pattern, patternLen, &n))
            require (v + n <= data + len && n > 0);
    }

    int n = -1;
    if (auto* s = BwXml_FindSection (data, len, "<text", "</text>", &n))
        require (s + n <= data + len);
    if (auto* v = BwXml_GetValueInSection (data, len, "history", "data", &n))
        require (v + n <= data + len);

    // The first bytes as a pattern of their own, searched over the rest.
    const int patternLen = len > 0 ? data[0] % 8 : 0;
    if (patternLen < len)
        if (auto* found = bw_utf8_strnstri_bytes (data + 1 + patternLen, len - 1 - patternLen, data + 1, patternLen))
            require (found + patternLen <= data + len);

    BwXml_Data_TranslateToUnescaped (data, len);

    // The zero-terminated helpers, on a copy that ends at the first zero.
    std::vector<unsigned char> text (data, data + size);
    text.push_back (0);
    const auto textLen = (int)std::strlen (reinterpret_cast<const char*> (text.data()));
    const int chars = bw_utf8_strlen_chars (text.data());
    require (chars <= textLen);
    if (auto* p = bw_utf8_strchr (text.data(), '>'))
        require (p < text.data() + textLen);
    require (bw_utf8_strrchr (text.data(), 0) == text.data() + textLen);

    const BwString escaped = BwXml_Data_TranslateToEscaped (text.data());
    const BwString back = BwXml_Data_TranslateToUnescaped (escaped.Get(), escaped.GetLength());
    require (back.GetLength() == textLen && std::memcmp (back.Get(), text.data(), (size_t)textLen) == 0);

    int units = 0;
    if (auto* utf16 = bw_utf16_from_utf8 (text.data(), textLen + 1, units))
    {
        int bytes = -1;
        auto* utf8 = bw_utf8_from_utf16 (utf16, units, bytes);
        require (bytes == textLen && (textLen == 0 || std::memcmp (utf8, text.data(), (size_t)textLen) == 0));
        std::free (utf8);
        std::free (utf16);
    }

    return 0;
}
