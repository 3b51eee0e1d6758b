#pragma once

#include <juce_core/juce_core.h>

namespace quillet
{
/** Opens an address in the user's browser without going through a shell.

    The address is handed as one argument to the first opener that can be
    started ("xdg-open", then the usual browser fall-backs), in a detached
    child process, so nothing in it is ever interpreted as a command.
    Addresses that are empty or start with '-' (which an opener would read as
    an option) are refused.
    Returns true when an opener was started; callers report nothing either way.
*/
bool launchUrlWithoutShell (const juce::String& address);

/** The same with a given list of openers, tried in order: names are looked up
    in the absolute folders of PATH, names holding a '/' are taken as paths. */
bool launchUrlWithOpeners (const juce::String& address, const juce::StringArray& openers);

/** The openers tried in order; exposed for tests. */
juce::StringArray getUrlOpenerCandidates();
} // namespace quillet
