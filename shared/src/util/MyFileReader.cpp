#include "MyFileReader.h"
#include "my_bw_file.h"

#include <cstdlib>
#include <cstring>

MyFileReader::~MyFileReader()
{
    std::free (m_data);
}

bool MyFileReader::OpenFromPath (const juce::String& fullPath)
{
    // m_path serves only to derive a title: a longer path is cut where a whole character ends.
    const char* path = fullPath.toRawUTF8();
    size_t length = std::strlen (path);

    if (length >= sizeof (m_path))
    {
        length = sizeof (m_path) - 1;
        while (length > 0 && (static_cast<unsigned char> (path[length]) & 0xC0) == 0x80)
            --length;
    }

    std::memcpy (m_path, path, length);
    m_path[length] = 0;

    // A reader may be used for more than one file.
    std::free (m_data);
    m_size = 0;
    m_data = my_bw_file_load (fullPath, m_size);
    return m_data != nullptr;
}
