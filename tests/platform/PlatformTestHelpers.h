#pragma once

#include <juce_core/juce_core.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

namespace quillet::testing
{
/** A fresh folder of its own under the temporary folder (tests run in parallel), removed with everything in it. */
struct TemporaryFolder
{
    TemporaryFolder() { folder.createDirectory(); }
    ~TemporaryFolder() { folder.deleteRecursively(); }
    juce::File operator[] (const char* name) const { return folder.getChildFile (name); }

    const juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                  .getChildFile ("quillet-platform-" + juce::Uuid().toString());
};

/** Sets (or with nullptr unsets) an environment variable for one scope. */
struct ScopedEnvironmentVariable
{
    ScopedEnvironmentVariable (const char* variableName, const char* value)
        : name (variableName)
        , previous (std::getenv (name) != nullptr ? std::optional<std::string> (std::getenv (name)) : std::nullopt)
    {
        value != nullptr ? setenv (name, value, 1) : unsetenv (name);
    }

    ~ScopedEnvironmentVariable() { previous ? setenv (name, previous->c_str(), 1) : unsetenv (name); }

    const char* const name;
    const std::optional<std::string> previous;
};

/** Polls the condition every few milliseconds until it holds or timeoutMs have passed; its last result. */
inline bool waitUntil (const std::function<bool()>& condition, int timeoutMs)
{
    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32)timeoutMs;

    while (!condition())
    {
        if (juce::Time::getMillisecondCounter() >= deadline)
            return false;
        juce::Thread::sleep (5);
    }

    return true;
}
} // namespace quillet::testing
