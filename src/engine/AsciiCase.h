#pragma once

// The engine compares words ignoring the case of ASCII letters only: bytes of
// other characters compare as they are, in every locale.

inline unsigned char foldAscii (unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? (unsigned char)(c + ('a' - 'A')) : c;
}

inline bool equalIgnoringAsciiCase (const char* a, const char* b)
{
    for (;; ++a, ++b)
    {
        if (foldAscii ((unsigned char)*a) != foldAscii ((unsigned char)*b))
            return false;

        if (*a == 0)
            return true;
    }
}
