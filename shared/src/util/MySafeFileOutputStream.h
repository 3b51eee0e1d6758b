#pragma once

#include <juce_core/juce_core.h>

// Writes into a temporary file beside the target and replaces the target only on Commit(), so that a failed or
// interrupted save never costs the user the previous file.
class MySafeFileOutputStream : public juce::OutputStream
{
public:
    explicit MySafeFileOutputStream (const juce::File& target);

    // Discards the temporary file unless Commit() succeeded; the target stays as it was.
    ~MySafeFileOutputStream() override;

    // False if the temporary file could not be created.
    bool openedOk() const noexcept;

    // Flushes, checks that every write and the flush succeeded, and moves the temporary file over the target. On any
    // failure the target is untouched, the temporary file is removed and the result is false. Writes after Commit()
    // fail.
    bool Commit();

    const juce::File& getTargetFile() const noexcept { return m_target; }

    void flush() override;
    juce::int64 getPosition() override;
    bool setPosition (juce::int64 newPosition) override;
    bool write (const void* data, size_t numBytes) override;
    bool writeRepeatedByte (juce::uint8 byte, size_t numTimesToRepeat) override;

private:
    juce::File m_target;
    std::unique_ptr<juce::TemporaryFile> mp_temporary;
    std::unique_ptr<juce::FileOutputStream> mp_stream;
    bool m_failed = false;
    juce::int64 m_endOfData = 0; // the file's size once every write has reached the disk

    void noteWriteEnd();

    JUCE_DECLARE_NON_COPYABLE (MySafeFileOutputStream)
};
