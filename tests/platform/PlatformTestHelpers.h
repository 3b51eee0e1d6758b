#pragma once

#include <juce_core/juce_core.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace quillet::testing
{
/** A fresh folder under the temporary folder, removed with everything in it. */
class TemporaryFolder
{
public:
    TemporaryFolder()
        : folder (juce::File::getSpecialLocation (juce::File::tempDirectory)
                      .getNonexistentChildFile ("quillet-platform-test", {}, false))
    {
        folder.createDirectory();
    }

    ~TemporaryFolder() { folder.deleteRecursively(); }

    const juce::File& get() const noexcept { return folder; }
    juce::File operator[] (const char* name) const { return folder.getChildFile (name); }

private:
    juce::File folder;
};

/** Sets (or with nullopt unsets) an environment variable for one scope. */
class ScopedEnvironmentVariable
{
public:
    ScopedEnvironmentVariable (const char* variableName, std::optional<std::string> value)
        : name (variableName)
    {
        if (const char* old = std::getenv (name))
            previous = std::string (old);

        if (value)
            setenv (name, value->c_str(), 1);
        else
            unsetenv (name);
    }

    ~ScopedEnvironmentVariable()
    {
        if (previous)
            setenv (name, previous->c_str(), 1);
        else
            unsetenv (name);
    }

private:
    const char* name;
    std::optional<std::string> previous;
};

/** Polls until the file exists, for at most timeoutMs. */
inline bool waitForFile (const juce::File& file, int timeoutMs)
{
    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32)timeoutMs;

    while (!file.exists())
    {
        if (juce::Time::getMillisecondCounter() >= deadline)
            return false;

        juce::Thread::sleep (5);
    }

    return true;
}
} // namespace quillet::testing
