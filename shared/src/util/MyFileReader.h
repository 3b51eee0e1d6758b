#pragma once

#include <juce_core/juce_core.h>

// Reads a whole file into memory, with a zero byte behind the content.
class MyFileReader
{
public:
    MyFileReader() = default;
    virtual ~MyFileReader();

    // True if the whole file is now in m_data. m_path receives the path's UTF-8 form, cut at a character boundary
    // when it is longer than 255 bytes.
    bool OpenFromPath (const juce::String& fullPath);

    char m_path[256] = {};
    unsigned char* m_data = nullptr; // malloc'd, owned
    int m_size = 0;                  // without the added zero byte

private:
    JUCE_DECLARE_NON_COPYABLE (MyFileReader)
};
