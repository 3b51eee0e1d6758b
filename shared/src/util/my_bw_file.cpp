#include "my_bw_file.h"
#include "my_bw_file_alert.h"

#include <climits>
#include <cstdlib>

namespace
{
bool canBeReplaced (const juce::File& file)
{
    const juce::File target = file.isSymbolicLink() ? file.getLinkedTarget() : file;

    // The temporary file is created in, and renamed within, the target's folder.
    return !target.isDirectory() && target.hasWriteAccess() && target.getParentDirectory().hasWriteAccess();
}
} // namespace

MySafeFileOutputStream* MyOpenFileForWriting (const juce::String& fullPath)
{
    if (fullPath.isEmpty())
        return nullptr;

    const juce::File file (fullPath);

    if (file.exists() && !canBeReplaced (file))
    {
        my_bw_ShowFileAlert ("File could not be replaced", "The file already exists and could not be overwritten!");
        return nullptr;
    }

    auto stream = std::make_unique<MySafeFileOutputStream> (file);
    return stream->openedOk() ? stream.release() : nullptr;
}

juce::FileInputStream* MyOpenFileForReading (const juce::String& fullPath, int& size)
{
    if (fullPath.isEmpty())
        return nullptr;

    const juce::File file (fullPath);

    if (!file.existsAsFile())
        return nullptr;

    // An int cannot hold the size of a file of 2 GiB or more.
    const juce::int64 fileSize = file.getSize();

    if (fileSize < 0 || fileSize > INT_MAX)
        return nullptr;

    size = (int)fileSize;
    return file.createInputStream().release();
}

unsigned char* my_bw_file_load (const juce::String& fullPath, int& size)
{
    size = 0;
    std::unique_ptr<juce::FileInputStream> stream (MyOpenFileForReading (fullPath, size));

    if (stream == nullptr)
        return nullptr;

    auto* buffer = static_cast<unsigned char*> (std::malloc ((size_t)size + 1));

    if (buffer == nullptr)
        return nullptr;

    // One read() may deliver less than asked for very large files: go on until all is there or nothing comes.
    int done = 0;

    while (done < size)
    {
        const int got = stream->read (buffer + done, size - done);

        if (got <= 0)
            break;

        done += got;
    }

    if (done != size)
    {
        std::free (buffer);
        return nullptr;
    }

    buffer[size] = 0;
    return buffer;
}
