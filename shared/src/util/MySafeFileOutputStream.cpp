#include "MySafeFileOutputStream.h"

#include <sys/stat.h>

namespace
{
// Writing through a link must replace the file it points to, not the link.
juce::File resolveLinks (const juce::File& file)
{
    return file.isSymbolicLink() ? file.getLinkedTarget() : file;
}

// The replacement keeps the permissions of the file it replaces.
void copyPermissions (const juce::File& from, const juce::File& to)
{
    struct stat info;

    if (::stat (from.getFullPathName().toRawUTF8(), &info) == 0)
        ::chmod (to.getFullPathName().toRawUTF8(), info.st_mode & 07777);
}
} // namespace

MySafeFileOutputStream::MySafeFileOutputStream (const juce::File& target)
    : m_target (resolveLinks (target))
    , mp_temporary (std::make_unique<juce::TemporaryFile> (m_target, juce::TemporaryFile::useHiddenFile))
    , mp_stream (mp_temporary->getFile().createOutputStream (32768))
{
}

MySafeFileOutputStream::~MySafeFileOutputStream()
{
    mp_stream.reset();
    mp_temporary.reset(); // deletes the temporary file if it is still there
}

bool MySafeFileOutputStream::openedOk() const noexcept
{
    return mp_stream != nullptr;
}

bool MySafeFileOutputStream::Commit()
{
    if (mp_stream == nullptr)
        return false;

    mp_stream->flush();
    bool written = !m_failed && mp_stream->getStatus().wasOk();
    mp_stream.reset();

    // The framework's flush does not notice a short write (a file-size limit, a
    // full disk): the size on disk is what tells whether everything arrived.
    written = written && mp_temporary->getFile().getSize() == m_endOfData;

    bool replaced = false;

    if (written)
    {
        if (m_target.existsAsFile())
            copyPermissions (m_target, mp_temporary->getFile());

        replaced = mp_temporary->overwriteTargetFileWithTemporary();
    }

    m_failed = !replaced;
    mp_temporary.reset();
    return replaced;
}

void MySafeFileOutputStream::flush()
{
    if (mp_stream == nullptr)
        return;

    mp_stream->flush();

    if (mp_stream->getStatus().failed())
        m_failed = true;
}

juce::int64 MySafeFileOutputStream::getPosition()
{
    return mp_stream != nullptr ? mp_stream->getPosition() : 0;
}

bool MySafeFileOutputStream::setPosition (juce::int64 newPosition)
{
    return mp_stream != nullptr && mp_stream->setPosition (newPosition);
}

bool MySafeFileOutputStream::write (const void* data, size_t numBytes)
{
    const bool ok = mp_stream != nullptr && mp_stream->write (data, numBytes);
    m_failed = m_failed || !ok;
    noteWriteEnd();
    return ok;
}

bool MySafeFileOutputStream::writeRepeatedByte (juce::uint8 byte, size_t numTimesToRepeat)
{
    const bool ok = mp_stream != nullptr && mp_stream->writeRepeatedByte (byte, numTimesToRepeat);
    m_failed = m_failed || !ok;
    noteWriteEnd();
    return ok;
}

void MySafeFileOutputStream::noteWriteEnd()
{
    if (mp_stream != nullptr)
        m_endOfData = juce::jmax (m_endOfData, mp_stream->getPosition());
}
