#include "CharacterSets.h"

bool wordmap_charispunctuation (wchar_t c)
{
    switch (c)
    {
    case L',':
    case L'.':
    case L'\t':
    case L'"':
    case L';':
    case L':':
    case L'?':
    case L'=':
    case L'(':
    case L')':
    case L'+':
    case L'*':
    case L'\\':
    case L'/':
    case L'>':
    case L']':
    case L'[':
        return true;
    default:
        return false;
    }
}

const char seps[] = " ,\t\n\r\";?).][";
