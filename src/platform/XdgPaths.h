#pragma once

#include <juce_core/juce_core.h>

namespace quillet
{
/** The folder for the user's settings: $XDG_CONFIG_HOME, or ~/.config when
    that is unset, empty or not an absolute path (the XDG rules say to ignore
    a relative one). */
juce::File getConfigHomeFolder();

/** Where the application properties file lives on Linux:
    <config home>/quillet/quillet.dat. */
juce::File getPropertiesFileLocation();

/** A folder only this user can reach, for the single-instance socket:
    $XDG_RUNTIME_DIR when it is such a folder, otherwise /tmp/quillet-<uid>,
    created if needed. Returns an invalid File when neither can be used. */
juce::File getPrivateRuntimeFolder();

/** Makes sure the folder exists as a real folder (not a symbolic link) owned
    by this user with no access for group or others, creating it with mode
    0700 and taking away group and other bits of one the user already owns.
    Returns false when the folder belongs to someone else or is not a folder. */
bool makePrivateFolder (const juce::File& folder);

/** True when the folder is a real folder owned by this user with no access
    for group or others. */
bool isPrivateFolder (const juce::File& folder);
} // namespace quillet
