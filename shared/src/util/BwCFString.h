#pragma once

#include <string>

// Stand-in for the platform's string object: the text as UTF-16 code units. It is only ever made from valid UTF-8
// (bw_utf8_CreateCFStringFromBytePointerLen gives null otherwise), so it always holds well-formed UTF-16.
struct BwCFString
{
    std::u16string m_units;
};
